#include "input_screen/error_handle.h"

#include <cmath>
#include <optional>
#include <string>

#include "engine/messages.h"
#include "engine/span_limits.h"
#include "input_screen/screen_texts.h"

namespace involvo::ErrorHandle {

using namespace screen;
using gearmain::Field;
using gearmain::MsgButtons;
using gearmain::MsgIcon;
using gearmain::Notice;

namespace {

Notice Refusal(const std::string& text, Field focus) { return {text, MsgIcon::Critical, MsgButtons::OK, focus}; }

Notice Warning(const std::string& text) { return {text, MsgIcon::Exclamation, MsgButtons::OK, Field::None}; }

}  // namespace

std::optional<Notice> ValidateInputs(const gearmain::GearMain& g) {
    if (g.NumTeeth == 0) return Refusal(msg::kNoTeeth, Field::Teeth);
    if (g.NormalDP <= 0) return Refusal(msg::kNoPitch, Field::Pitch);
    if (g.FeatureValue == 0 && g.InputFeature != kBacklash)
        return Refusal(msg::kEnter + g.InputFeature, Field::FeatureValue);
    if (g.PinDiameter <= 0) {
        // Outside the three modes there is nothing to say, only the field to go to.
        std::string text;
        if (g.CalcMode == 1 || g.CalcMode == 2)
            text = g.InputFeature == kSpan ? msg::kNoTeethSpanned : msg::kNoPin;
        else if (g.CalcMode == 3)
            text = msg::kNoTeethSpanned;
        return Refusal(text, Field::Pin);
    }
    // A span is measured over whole teeth.
    if ((g.InputFeature == kSpan || g.CalcMode == 3) && g.TeethSpanned != std::floor(g.TeethSpanned))
        return Refusal(msg::kTeethSpannedNotWhole, Field::Pin);
    if (g.NormalPA <= 0) return Refusal(msg::kNoPressureAngle, Field::PressureAngle);
    if (g.NumTeeth < 3 || g.NumTeeth > 100000) return Refusal(msg::kTeethOutOfRange, Field::Teeth);
    if (g.NormalDP < 0.1f || g.NormalDP > 5000) return Refusal(msg::kPitchOutOfRange, Field::Pitch);
    if (g.NormalPA < 5 || g.NormalPA > 60) return Refusal(msg::kPressureAngleOutOfRange, Field::PressureAngle);
    if (g.QualityNumber != 0 && (g.QualityNumber < 3 || g.QualityNumber > 15))
        return Refusal(msg::kQualityOutOfRange, Field::Quality);
    return std::nullopt;
}

CheckResult CheckSpanLimits(gearmain::GearMain& gear) {
    gearmain::GearMain& g = gear;
    CheckResult result;
    auto refuse = [&](const std::string& text) {
        result.notices.push_back(Refusal(text, Field::Pin));
        result.refused = true;
        return result;
    };
    if (g.InputFeature == kSpan || g.CalcMode == 3) {
        // The counts whose anvils touch the flanks between the root and the
        // outside diameter, for the thickness calculated.
        const std::optional<gearmain::SpanLimits> limits = gearmain::SpanLimitsOf(g, g.Thick1);
        if (!limits) return refuse(gearmain::msg::kSpanThickness);
        if (g.TeethSpanned == limits->fewest)
            result.notices.push_back(Warning(msg::kSpanCaution));
        if (g.TeethSpanned < limits->fewest)
            return refuse(msg::kSpanMinimum + gearmain::Str(limits->fewest));
        if (g.TeethSpanned > limits->most)
            return refuse(msg::kSpanMaximum + gearmain::Str(limits->most));
    }

    // A helical span needs a face wide enough for the calipers to lie along
    // the base helix.
    if (g.HelixAngle > 0 && g.GearType == 1) {
        double width = g.SpanResult * gearmain::SinD(g.BaseHelixAngle, g.DegToRad);
        if (std::isfinite(width)) {
            float minimumWidth = static_cast<float>(gearmain::Val(gearmain::Format(width, "0.00000")));
            if (g.FaceWidth < minimumWidth)
                result.notices.push_back(Warning(msg::kFaceWidthOver + gearmain::ShortText(g.TeethSpanned) +
                                                 msg::kFaceWidthTeeth + gearmain::ShortText(minimumWidth) + "."));
        }
    }
    return result;
}

}  // namespace involvo::ErrorHandle
