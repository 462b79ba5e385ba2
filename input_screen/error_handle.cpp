#include "input_screen/error_handle.h"

#include <cmath>
#include <optional>
#include <string>

#include "engine/messages.h"
#include "input_screen/screen_texts.h"

namespace involvo::ErrorHandle {

using gearmain::MsgButtons;
using gearmain::MsgIcon;

namespace {

int16_t Refuse(gearmain::GearMain& gear, const std::string& text, const char* focus) {
    if (gear.MainForm) {
        if (!text.empty()) gear.MainForm->MessageBox(text, MsgIcon::Critical, MsgButtons::OK);
        gear.MainForm->SetFocus(focus);
    }
    return 1;
}

void Warn(gearmain::GearMain& gear, const std::string& text) {
    if (gear.MainForm) gear.MainForm->MessageBox(text, MsgIcon::Exclamation, MsgButtons::OK);
}

// Where the calipers touch the flanks when spanning k teeth: the span is a
// tangent to the base circle, so the contact lies at sqrt((W/2)^2 + rb^2).
// A fault, or a value that is not finite, gives no diameter.
std::optional<double> ContactDiameter(gearmain::GearMain& gear, float k, double rb) {
    try {
        float teeth = k;  // the span routine may write the count back
        float span = gear.SpanFromThickness(gear.NumTeeth, gear.NormalDP, gear.NormalPA, gear.Thick1,
                                            gear.HelixAngle, teeth);
        double half = span / 2.0;
        double d = 2.0 * std::sqrt(half * half + rb * rb);
        if (!std::isfinite(d)) return std::nullopt;
        return d;
    } catch (const gearmain::ArithmeticFault&) {
        return std::nullopt;
    }
}

}  // namespace

int16_t ValidateInputs(gearmain::GearMain& gear) {
    const gearmain::GearMain& g = gear;
    if (g.NumTeeth == 0) return Refuse(gear, "Enter the number of gear teeth", "InputNT");
    if (g.NormalDP <= 0) return Refuse(gear, "Enter the normal diametral pitch", "InputDP");
    if (g.FeatureValue == 0 && g.InputFeature != screen::kBacklash)
        return Refuse(gear, "Enter " + g.InputFeature, "InputCTT_MOW");
    if (g.PinDiameter <= 0) {
        std::string text;
        if (g.CalcMode == 1 || g.CalcMode == 2)
            text = g.InputFeature == screen::kSpan ? "Enter the number of teeth spanned" : "Enter a pin diameter";
        else if (g.CalcMode == 3)
            text = "Enter the number of teeth spanned";
        return Refuse(gear, text, "InputPINDIA");
    }
    if (g.NormalPA <= 0) return Refuse(gear, "Enter the normal pressure angle", "InputPA");
    if (g.NumTeeth < 3 || g.NumTeeth > 100000) return Refuse(gear, "Number of teeth is not Acceptable", "InputNT");
    if (g.NormalDP < 0.1f || g.NormalDP > 5000) return Refuse(gear, "Diametral Pitch is not Acceptable", "InputDP");
    if (g.NormalPA < 5 || g.NormalPA > 60) return Refuse(gear, "Pressure Angle is not acceptable", "InputPA");
    if (g.QualityNumber != 0 && (g.QualityNumber < 3 || g.QualityNumber > 15))
        return Refuse(gear, "Gear quality must be from 3 to 15", "ComboQuality");
    return 0;
}

int16_t CheckSpanLimits(gearmain::GearMain& gear) {
    gearmain::GearMain& g = gear;
    if (g.InputFeature == screen::kSpan || g.CalcMode == 3) {
        const double rb = g.BaseDiameter / 2.0;
        float k0 = 0;
        try {
            k0 = g.TeethToSpan(g.NumTeeth, g.NormalPA, g.HelixAngle);
        } catch (const gearmain::ArithmeticFault&) {
            return Refuse(gear, gearmain::msg::kSpanThickness, "InputPINDIA");
        }

        // Spanning more teeth moves the contact outwards: the first count whose
        // contact lies beyond the outside diameter is one too many.
        float beyond = 0;
        float k = k0;
        for (float tries = 0; tries < g.NumTeeth; ++tries, ++k) {
            std::optional<double> d = ContactDiameter(gear, k, rb);
            if (!d) return Refuse(gear, gearmain::msg::kSpanThickness, "InputPINDIA");
            if (*d > g.OutsideDiameter) {
                beyond = k;
                break;
            }
        }
        const float maximum = beyond > 0 ? beyond - 1 : 0;

        // Spanning fewer moves it inwards, towards the root.
        const float rootLimit = static_cast<float>(g.OutsideDiameter - 2.0 * g.WorkingDepth);
        float minimum = 0;
        k = k0;
        for (float tries = 0; tries < beyond && k >= 1; ++tries, --k) {
            std::optional<double> d = ContactDiameter(gear, k, rb);
            if (!d) return Refuse(gear, gearmain::msg::kSpanThickness, "InputPINDIA");
            if (*d < rootLimit) {
                minimum = k;
                break;
            }
        }
        if (minimum < 1) minimum = 1;

        if (g.TeethSpanned == minimum)
            Warn(gear,
                 "Caution! - Make sure that the calipers or anvils are not contacting\r"
                 "below the TIF or in the root of the gear.");
        if (g.TeethSpanned < minimum)
            return Refuse(gear, "The minimum number of teeth for span measurement is " + gearmain::Str(minimum),
                          "InputPINDIA");
        if (g.TeethSpanned > maximum)
            return Refuse(gear, "The maximum number of teeth for span measurement is " + gearmain::Str(maximum),
                          "InputPINDIA");
    }

    // A helical span needs a face wide enough for the calipers to lie along
    // the base helix.
    if (g.HelixAngle > 0 && g.GearType == 1) {
        double width = g.SpanResult * gearmain::SinD(g.BaseHelixAngle, g.DegToRad);
        if (std::isfinite(width)) {
            float minimumWidth = static_cast<float>(gearmain::Val(gearmain::Format(width, "0.00000")));
            if (g.FaceWidth < minimumWidth)
                Warn(gear, "The minimum face width required for span measurement over " +
                               gearmain::ShortText(g.TeethSpanned) + " teeth\ris " +
                               gearmain::ShortText(minimumWidth) + ".");
        }
    }
    return 0;
}

}  // namespace involvo::ErrorHandle
