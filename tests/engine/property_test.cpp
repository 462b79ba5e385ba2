// Random gears inside the limits the input screen accepts: the calculation never
// crashes or hangs, and no value of the state is or reads nan or inf.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <random>
#include <sstream>

#include "driver_fixture.h"

using namespace gearmain;

namespace {

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

// Every non-finite number and every text that reads nan or inf, by name.
std::vector<std::string> NonFiniteValues(GearMain& gear) {
    std::vector<std::string> bad;
    gear.ForEachValue([&](const char* name, GearMain::ValueRef value) {
        if (auto f = std::get_if<float*>(&value)) {
            if (!std::isfinite(**f)) bad.push_back(std::string(name) + " = " + std::to_string(**f));
        } else if (auto d = std::get_if<double*>(&value)) {
            if (!std::isfinite(**d)) bad.push_back(std::string(name) + " = " + std::to_string(**d));
        } else if (auto s = std::get_if<std::string*>(&value)) {
            std::string l = Lower(**s);
            if (l.find("nan") != std::string::npos || l.find("inf") != std::string::npos)
                bad.push_back(std::string(name) + " = \"" + **s + "\"");
        }
    });
    return bad;
}

class RandomGears : public enginetest::DriverTest {};

TEST_F(RandomGears, NeverProduceNanOrInfAndNeverHang) {
    std::mt19937 rng(20240611);
    auto uniform = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng); };
    auto logUniform = [&](double a, double b) { return std::exp(uniform(std::log(a), std::log(b))); };
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };

    int failures = 0, refused = 0;
    const int kGears = 20000;
    for (int i = 0; i < kGears; ++i) {
        gear = GearMain();
        gear.StartUp();
        input = CalculationInput();
        FaceWidth(Format(logUniform(0.05, 20), "0.00000"));

        int16_t mode = static_cast<int16_t>(1 + pick(3));
        int16_t type = mode == 3 ? 1 : static_cast<int16_t>(1 + pick(2));
        float teeth = static_cast<float>(pick(4) ? 3 + pick(200) : static_cast<int>(logUniform(3, 100000)));
        float pitch = static_cast<float>(logUniform(0.1, 5000));
        float pa = static_cast<float>(pick(3) ? 20 : uniform(5, 60));
        float helix = static_cast<float>(pick(2) ? 0 : uniform(0, 60));
        Gear(mode, type, teeth, pitch, pa, helix);
        gear.QualityNumber = static_cast<int16_t>(pick(3) ? 0 : 3 + pick(13));
        gear.DepthSystem = static_cast<int16_t>(1 + pick(9));
        if (gear.DepthSystem == 8) gear.DepthPitch = static_cast<float>(pitch * uniform(0.8, 1.5));
        if (gear.DepthSystem == 9) gear.CutterDepthText = Format(uniform(1.5, 3) / pitch, "0.000000");

        int16_t t = type;
        float p = pitch, a = pa, h = helix;
        float stdPin = static_cast<float>(gear.StandardPinDia(t, teeth, p, a).Value());
        float pin = static_cast<float>(stdPin * uniform(0.6, 1.6));
        float basic = enginetest::BasicThickness(pitch);
        auto thick = [&] { return Format(basic * uniform(0.85, 1.1), "0.000000"); };
        std::string text, feature;
        if (mode == 1 || mode == 3) {
            static const char* const kFeatures[2][3] = {
                {"Circular Tooth Thickness", "Chordal Tooth Thickness", "Contributing Backlash"},
                {"Circular Space Width", "Chordal Space Width", "Contributing Backlash"}};
            int which = pick(3);
            feature = kFeatures[type - 1][which];
            text = which == 2 ? Format(basic * uniform(0, 0.1), "0.000000") : thick();
            if (pick(2)) text += " / " + Format(Val(text) * uniform(0.95, 1.05), "0.000000");
        } else if (type == 1 && pick(3) == 0) {
            feature = "Span Measurement";
            float k = 0;
            double w = gear.SpanFromThickness(teeth, p, a, basic, h, k);
            pin = k;
            text = Format(w * uniform(0.995, 1.005), "0.000000");
        } else {
            feature = type == 1 ? "Dimension Over Pins" : "Dimension Between Pins";
            float m = gear.MeasurementFromThickness(teeth, p, a, basic, pin, t, h);
            text = Format(m + (m - teeth / pitch) * uniform(-0.05, 0.05), "0.000000");
            if (pick(2)) text += " / " + Format(Val(text) * uniform(0.999, 1.001), "0.000000");
        }
        if (mode == 3) pin = std::max(1.0f, gear.TeethToSpan(teeth, a, h) + static_cast<float>(pick(3) - 1));
        gear.CalcFailed = 0;
        Feature(feature, text);
        Pin(pin);
        if (Val(text) == 0 && feature != "Contributing Backlash") continue;  // refused by validation

        Run();
        if (gear.CalcFailed == -1) ++refused;
        std::vector<std::string> bad = NonFiniteValues(gear);
        if (!bad.empty() && ++failures <= 10) {
            std::ostringstream what;
            for (const auto& b : bad) what << "\n  " << b;
            ADD_FAILURE() << "mode " << mode << " type " << type << " N " << teeth << " P " << pitch << " a " << pa
                          << " helix " << helix << " pin " << pin << " depth " << gear.DepthSystem << " Q "
                          << gear.QualityNumber << " " << feature << " \"" << text << "\":" << what.str();
        }
        for (const std::string& m : Messages()) {
            std::string l = Lower(m);
            EXPECT_TRUE(l.find("nan") == std::string::npos && l.find("inf") == std::string::npos) << m;
        }
    }
    RecordProperty("refused", refused);
    EXPECT_LT(refused, kGears / 2) << "most random gears inside the limits should calculate";
}

}  // namespace
