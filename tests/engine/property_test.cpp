// Random gears inside the limits the input screen accepts: the calculation never
// crashes or hangs, and no value of the state is or reads nan or inf.
#include <algorithm>
#include <cmath>
#include <random>
#include <cctype>

#include "driver_fixture.h"

using namespace gearmain;

namespace {

bool ReadsNanOrInf(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s.find("nan") != std::string::npos || s.find("inf") != std::string::npos;
}

// Every non-finite number and every text that reads nan or inf, by name.
std::string NonFiniteValues(GearMain& gear) {
    std::string bad;
    gear.ForEachValue([&](const char* name, GearMain::ValueRef value) {
        std::visit([&](auto* v) {
            if constexpr (std::is_same_v<decltype(v), std::string*>) {
                if (ReadsNanOrInf(*v)) bad += std::string(" ") + name + " \"" + *v + '"';
            } else if (!std::isfinite(static_cast<double>(*v))) {
                bad += std::string(" ") + name;
            }
        }, value);
    });
    return bad;
}

class RandomGears : public enginetest::DriverTest {};

TEST_F(RandomGears, NeverProduceNanOrInfAndNeverHang) {
    std::mt19937 rng(20240611);
    auto uniform = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng); };
    auto logUniform = [&](double a, double b) { return std::exp(uniform(std::log(a), std::log(b))); };
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    static const char* const kFeatures[2][3] = {
        {"Circular Tooth Thickness", "Chordal Tooth Thickness", "Contributing Backlash"},
        {"Circular Space Width", "Chordal Space Width", "Contributing Backlash"}};

    int failures = 0, refused = 0;
    const int kGears = 20000;
    for (int i = 0; i < kGears; ++i) {
        gear = GearMain();
        gear.StartUp();
        input = CalculationInput();
        FaceWidth(Format(logUniform(0.05, 20), "0.00000"));
        const int16_t mode = static_cast<int16_t>(1 + pick(3)), type = mode == 3 ? 1 : static_cast<int16_t>(1 + pick(2));
        const float teeth = static_cast<float>(pick(4) ? 3 + pick(200) : static_cast<int>(logUniform(3, 100000)));
        const float pitch = static_cast<float>(logUniform(0.1, 5000));
        const float pa = static_cast<float>(pick(3) ? 20 : uniform(5, 60)), helix = static_cast<float>(pick(2) ? 0 : uniform(0, 60));
        Gear(mode, type, teeth, pitch, pa, helix);
        gear.QualityNumber = static_cast<int16_t>(pick(3) ? 0 : 3 + pick(13));
        gear.DepthSystem = static_cast<int16_t>(1 + pick(9));
        if (gear.DepthSystem == 8) gear.DepthPitch = static_cast<float>(pitch * uniform(0.8, 1.5));
        if (gear.DepthSystem == 9) gear.CutterDepthText = Format(uniform(1.5, 3) / pitch, "0.000000");

        int16_t t = type;
        float p = pitch, a = pa, h = helix;
        float pin = static_cast<float>(gear.StandardPinDia(t, gear.NumTeeth, p, a).Value() * uniform(0.6, 1.6));
        float basic = enginetest::BasicThickness(pitch);
        std::string text, feature;
        if (mode != 2) {
            const int which = pick(3);
            feature = kFeatures[type - 1][which];
            text = Format(basic * (which == 2 ? uniform(0, 0.1) : uniform(0.85, 1.1)), "0.000000");
            if (pick(2)) text += " / " + Format(Val(text) * uniform(0.95, 1.05), "0.000000");
        } else if (type == 1 && pick(3) == 0) {
            feature = "Span Measurement";
            float k = 0;
            const double w = gear.SpanFromThickness(teeth, p, a, basic, h, k);
            pin = k;
            text = Format(w * uniform(0.995, 1.005), "0.000000");
        } else {
            feature = type == 1 ? "Dimension Over Pins" : "Dimension Between Pins";
            const float m = gear.MeasurementFromThickness(teeth, p, a, basic, pin, t, h);
            text = Format(m + (m - teeth / pitch) * uniform(-0.05, 0.05), "0.000000");
            if (pick(2)) text += " / " + Format(Val(text) * uniform(0.999, 1.001), "0.000000");
        }
        if (mode == 3) pin = std::max(1.0f, gear.TeethToSpan(teeth, a, h) + static_cast<float>(pick(3) - 1));
        gear.CalcFailed = 0;
        Feature(feature, text);
        Pin(pin);
        if (Val(text) == 0 && feature != "Contributing Backlash") continue;  // refused by validation

        Run();
        refused += gear.CalcFailed == -1;
        std::string bad = NonFiniteValues(gear);
        for (const std::string& m : Messages())
            if (ReadsNanOrInf(m)) bad += " message \"" + m + '"';
        if (!bad.empty() && ++failures <= 10)
            ADD_FAILURE() << "mode " << mode << " type " << type << " N " << teeth << " P " << pitch << " a " << pa
                          << " helix " << helix << " pin " << pin << " depth " << gear.DepthSystem << " Q "
                          << gear.QualityNumber << " " << feature << " \"" << text << "\":" << bad;
    }
    EXPECT_LT(refused, kGears / 2) << "most random gears inside the limits should calculate";
}

}  // namespace
