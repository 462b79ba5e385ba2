// UpdateHints: the hints beside the fields of the input screen, and the refills
// of the fields whose basis changed.
#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <string_view>
#include <cmath>
#include <optional>
#include <utility>

#include "input_screen/hint_memos.h"
#include "input_screen/screen_core.h"
#include "input_screen/screen_texts.h"

namespace involvo {

using namespace screen;
using gearmain::ArithmeticFault;
using gearmain::Field;
using gearmain::Format;
using gearmain::ShortText;
using gearmain::Sng;
using gearmain::SngEntry;
using gearmain::Trim;
using gearmain::Val;
using hints::Bits;
using hints::TextMemo;

namespace {

// A hint that cannot be computed for the numbers entered keeps what it showed
// and says nothing: the Calculate command reports the entry at fault, once. A
// value that is not finite counts as such a fault: it must never reach a
// caption.
double Finite(double value) {
    if (!std::isfinite(value)) throw ArithmeticFault("not finite");
    return value;
}

// Removes the blanks at both ends, in place.
void TrimBlanks(std::string& text) {
    const size_t last = text.find_last_not_of(' ');
    if (last == std::string::npos) {
        text.clear();
        return;
    }
    text.erase(last + 1);
    text.erase(0, text.find_first_not_of(' '));
}

const std::string& Formatted(TextMemo& memo, double value, std::string_view mask) {
    if (!memo.valid || Bits(memo.value) != Bits(value) || memo.mask != mask) {
        gearmain::FormatTo(memo.text, value, mask);
        memo.value = value;
        memo.mask = mask;
        memo.valid = true;
    }
    return memo.text;
}

// Whether a text is the feature named (its length compared first).
bool Is(const std::string& text, std::string_view name) { return std::string_view(text) == name; }

// Runs one step of the hints: an arithmetic fault, or a pin routine that failed
// and recorded its fault, makes it count as not computed. Whatever the step
// did to the marker of a failed calculation is undone.
template <typename F>
bool Guarded(gearmain::GearMain& g, F&& step) {
    const float marker = g.CalcFailed;
    bool computed = true;
    try {
        step();
    } catch (const ArithmeticFault&) {
        computed = false;
    }
    if (g.TakeFault()) computed = false;
    g.CalcFailed = marker;
    return computed;
}

// The value of a hint, or nothing when it cannot be computed.
template <typename F>
std::optional<double> Computed(gearmain::GearMain& g, F&& value) {
    double v = 0;
    if (!Guarded(g, [&] { v = Finite(value()); })) return std::nullopt;
    return v;
}

}  // namespace

ScreenCore::~ScreenCore() = default;

ScreenCore::Memos& ScreenCore::memos() {
    if (!memos_) memos_ = std::make_unique<Memos>();
    return *memos_;
}

// The standard outside diameter of an external gear, or the inside diameter of
// an internal gear (never inside the base circle). Both use the normal pitch.
// Without the caption only what it leaves in the gear state is worked out.
std::optional<std::string> ScreenCore::StandardDiameter(bool withCaption) {
    gearmain::GearMain& g = gear_;
    const bool external = g.GearType == 1;
    std::optional<std::string> caption;
    const bool computed = Guarded(g, [&] {
        double d;
        if (external) {
            d = Finite((g.NumTeeth + 2.0) / g.NormalDP);
        } else {
            d = Finite((g.NumTeeth - 2.0) / g.NormalDP);
            g.PitchDiameter = Sng(g.NumTeeth / static_cast<double>(g.NormalDP));
            g.TransversePA = Sng(Finite(
                std::atan(gearmain::TanD(g.NormalPA, g.DegToRad) / gearmain::CosD(g.HelixAngle, g.DegToRad)) *
                g.RadToDeg));
            g.BaseDiameter = Sng(g.PitchDiameter * gearmain::CosD(g.TransversePA, g.DegToRad));
        }
        if (!withCaption) return;
        if (!external && d < g.BaseDiameter) d = g.BaseDiameter;
        std::string text = ShortText(Sng(gearmain::RoundToMask(d, "0.00000")));
        caption = (external ? "-> Standard O.D. = " : "-> Standard I.D. = ") + text;
    });
    if (!computed) ++misses_;
    // The base diameter above is taken at the angle entered; an internal gear
    // without a pressure angle is taken as 20 degrees from here on.
    if (!external && g.NormalPA == 0) g.NormalPA = 20;
    return caption;
}

// The tooth thickness that the O.D. change adds, transverse and normal.
void ScreenCore::ThicknessChange() {
    gearmain::GearMain& g = gear_;
    auto& memo = memos().change;
    const bool computed = Guarded(g, [&] {
        const std::array<uint64_t, 5> key = {Bits(g.NormalPA), Bits(g.HelixAngle), Bits(g.DegToRad), Bits(g.RadToDeg),
                                             Bits(g.ODChange)};
        if (const Memos::Change* known = memo.Find(key)) {
            g.TransversePA = known->transversePA;
            g.ODChangeCopy = known->odChange;
            g.ThickChangeTrans = known->transverse;
            g.ThickChangeNormal = known->normal;
            return;
        }
        g.TransversePA = Sng(Finite(
            std::atan(gearmain::TanD(g.NormalPA, g.DegToRad) / gearmain::CosD(g.HelixAngle, g.DegToRad)) *
            g.RadToDeg));
        if (g.ODChange != 0) {
            g.ODChangeCopy = g.ODChange;
            g.ThickChangeTrans = Sng(g.ODChangeCopy * gearmain::TanD(g.TransversePA, g.DegToRad));
            g.ThickChangeNormal = g.ThickChangeTrans;
            if (g.HelixAngle > 0)
                g.ThickChangeNormal = Sng(g.ThickChangeTrans * gearmain::CosD(g.HelixAngle, g.DegToRad));
        } else {
            g.ODChangeCopy = 0;
            g.ThickChangeTrans = 0;
            g.ThickChangeNormal = 0;
        }
        memo.Keep(key, {g.TransversePA, g.ODChangeCopy, g.ThickChangeTrans, g.ThickChangeNormal});
    });
    if (!computed) ++misses_;
}

// The pin that touches the flanks at the pitch circle, for the thickness
// entered (or the basic one).
void ScreenCore::IdealPin(std::optional<double> basic, double basicThickness) {
    gearmain::GearMain& g = gear_;
    std::string_view feature = g.InputFeature;
    feature.remove_prefix(std::min(feature.find_first_not_of(' '), feature.size()));
    const std::string_view kind = feature.substr(0, 4);
    if (g.CalcMode != 1 || (kind != "Circ" && kind != "Chor" && kind != "Cont")) return;
    Memos& memos = this->memos();
    const bool computed = Guarded(g, [&] {
        // Without the basic value the hint keeps what it showed.
        auto basicValue = [&] {
            if (!basic) throw ArithmeticFault("no basic value");
            return *basic;
        };
        double t;
        if (kind == "Circ") t = g.Thick1 != 0 ? g.Thick1 : basicValue();
        else if (kind == "Chor") t = g.Thick1 != 0 ? g.Thick1 : g.CircularFromChordal(Sng(basicValue()));
        else t = basicThickness - g.Backlash1;
        const std::array<uint64_t, 7> key = {Bits(t),          Bits(g.NumTeeth), Bits(g.NormalDP),
                                             Bits(g.NormalPA), Bits(g.DegToRad), Bits(g.Pi),
                                             static_cast<uint64_t>(g.GearType == 1)};
        const Memos::Pin* known = memos.pin.Find(key);
        if (!known) {
            Memos::Pin worked;
            worked.pitchDiameter = Sng(g.NumTeeth / static_cast<double>(g.NormalDP));
            g.PitchDiameter = worked.pitchDiameter;
            worked.baseDiameter = Sng(worked.pitchDiameter * gearmain::CosD(g.NormalPA, g.DegToRad));
            const double pa = g.NormalPA * static_cast<double>(g.DegToRad);
            double a, b;
            if (g.GearType == 1) {
                a = g.Pi / g.NumTeeth - t / worked.pitchDiameter + pa;
                b = pa;
            } else {
                a = pa;
                b = pa - t / worked.pitchDiameter;
            }
            g.BaseDiameter = worked.baseDiameter;
            worked.pin = Finite((gearmain::TanRadians(a) - gearmain::TanRadians(b)) * worked.baseDiameter);
            memos.pin.Keep(key, worked);
            known = &memos.pin.result;
        }
        g.PitchDiameter = known->pitchDiameter;
        g.BaseDiameter = known->baseDiameter;
        g.IdealPinText = Formatted(memos.idealPinText, known->pin, "0.00000");
    });
    if (!computed) ++misses_;
}

HintsRun ScreenCore::UpdateHints() {
    HintsRun run = Hints();
    // The Basic hint shows nothing to click for a contributing backlash.
    if (run.reach == HintsRun::Reach::Complete) basicOffered_ = !Is(gear_.InputFeature, kBacklash);
    if (captions_) Remember(run);
    return run;
}

// Runs not shown yet fold into one: what a later run shows replaces what an
// earlier one showed, the rest stays.
void ScreenCore::Remember(const HintsRun& run) {
    using Reach = HintsRun::Reach;
    if (!unshown_) {
        unshown_ = run;
        return;
    }
    HintsRun& shown = *unshown_;
    if (run.standardDiameter) shown.standardDiameter = run.standardDiameter;
    shown.depthSystemReset = shown.depthSystemReset || run.depthSystemReset;
    if (run.reach >= Reach::MarkerCleared) shown.pinCaption = run.pinCaption;
    if (run.reach == Reach::Complete) {
        shown.basic = run.basic;
        shown.basicNote = run.basicNote;
        shown.standard = run.standard;
        shown.idealPin = run.idealPin;
        shown.spanCount = run.spanCount;
    }
    shown.reach = std::max(shown.reach, run.reach);
}

HintsRun ScreenCore::Hints() {
    gearmain::GearMain& g = gear_;
    HintMemory& memory = memory_;
    HintsRun run;
    const Settle settle = std::exchange(settle_, Settle::No);
    if (settle != Settle::No) settledWhole_ = false;
    misses_ = 0;

    g.HintsChanged = -1;
    if (g.NumTeeth == 0 || g.NormalDP == 0) {
        run.reach = HintsRun::Reach::NoGear;
        run.standardDiameter = "";
        return run;
    }
    if (g.CalcMode == 2 && g.NormalPA == 0) {
        run.reach = HintsRun::Reach::NoPressureAngle;
        return run;
    }
    gearmain::AssignText(g.InputFeature, texts_.feature);

    if (!memory.used || settle != Settle::No) {
        memory.used = true;
        memory.mode = g.CalcMode;
        memory.gearType = g.GearType;
        memory.teeth = g.NumTeeth;
        memory.pressureAngle = g.NormalPA;
        memory.pitch = g.NormalDP;
        memory.odChange = g.ODChange;
        gearmain::AssignText(memory.feature, g.InputFeature);
        // The standard hint shows nothing before the first complete run.
        memory.standard = "";
    }

    // A value entered for another feature, gear type or pressure angle means
    // nothing now.
    auto clearFeature = [&] {
        Write(Field::FeatureValue, "");
        g.FeatureValue = g.Thick1 = g.Thick2 = g.Measure1 = g.Measure2 = g.Backlash1 = g.Backlash2 = 0;
        g.PinDiameter = g.TeethSpanned = 0;
    };
    if (!gearmain::SameText(g.InputFeature, memory.feature) || g.GearType != memory.gearType) clearFeature();
    // An entered cutter depth holds for the pitch it was entered with.
    if (g.DepthSystem == 9 && g.NormalDP != memory.pitch) {
        g.DepthSystem = 1;
        run.depthSystemReset = true;
    }
    if (g.NormalPA != memory.pressureAngle) clearFeature();
    if (g.NumTeeth != memory.teeth) g.TeethSpanned = 0;

    run.standardDiameter = StandardDiameter(captions_);

    if (g.CalcFailed == -1) {
        g.CalcFailed = 0;
        run.reach = HintsRun::Reach::MarkerCleared;
        if (captions_) PresentHints(run);
        return run;
    }

    // S: the standard pin, or the number of teeth to span.
    std::optional<double> standard =
        Computed(g, [&] { return g.StandardPinValue(g.GearType, g.NumTeeth, g.NormalDP, g.NormalPA); });
    if (g.CalcMode == 3) standard = Computed(g, [&] { return g.TeethToSpan(g.NumTeeth, g.NormalPA, g.HelixAngle); });

    const double basicThickness = (g.Pi / g.NormalDP) / 2;
    ThicknessChange();

    // B: the basic value of the feature.
    std::optional<double> basic;
    const std::string& feature = g.InputFeature;
    if (Is(feature, kCircularThickness) || Is(feature, kCircularSpace)) {
        basic = Computed(g, [&] { return g.BasicThicknessValue(g.NormalDP) + g.ThickChangeNormal; });
    } else if (Is(feature, kChordalThickness) || Is(feature, kChordalSpace)) {
        basic = Computed(g, [&] { return g.BasicChordalText(g.NormalDP).Value(); });
    } else if (Is(feature, kOverPins) || Is(feature, kBetweenPins)) {
        if (g.PinDiameter != 0 || standard) {
            float pin = g.PinDiameter != 0 ? g.PinDiameter : static_cast<float>(standard.value_or(0.0));
            basic = Computed(g, [&] {
                return g.BasicMeasurementText(g.GearType, g.NumTeeth, g.NormalDP, g.NormalPA, g.HelixAngle, pin).Value();
            });
        }
    } else if (Is(feature, kSpan)) {
        standard = Computed(g, [&] { return g.TeethToSpan(g.NumTeeth, g.NormalPA, g.HelixAngle); });
        if (g.TeethSpanned != 0 || standard) {
            float teeth = g.TeethSpanned != 0 ? g.TeethSpanned : static_cast<float>(standard.value_or(0.0));
            basic = Computed(g, [&] { return g.BasicSpanText(g.NumTeeth, g.NormalDP, g.NormalPA, g.HelixAngle, teeth).Value(); });
        }
    }
    if (Is(feature, kBacklash)) g.BasicText = "0.000000";
    else if (basic) g.BasicText = Formatted(memos().basicText, *basic, "0.000000");
    TrimBlanks(g.BasicText);

    // In span mode the feature is a thickness, so the count shows four decimals.
    if (standard) g.StandardText = Formatted(memos().standardText, *standard, Is(feature, kSpan) ? "0" : "0.0000");
    // Settled with the pin typed: the standard is the one the pin field
    // already had offered.
    if (settle == Settle::KeepPin) memory.standard = g.StandardText;

    if (g.CalcMode != memory.mode) memory.feature.clear();
    if (texts_.featureValue.empty()) memory.feature.clear();

    // The pin field gets the standard pin (or count) of a new gear or feature.
    // Without a pressure angle there is none to offer: the field keeps what the
    // user typed, and Calculate asks for the angle.
    const bool offered = standard && *standard != 0;
    if (offered && (!gearmain::SameText(g.StandardText, memory.standard) ||
                    !gearmain::SameText(g.InputFeature, memory.feature))) {
        Write(Field::Pin, g.StandardText);
        g.PinDiameter = SngEntry(Val(g.StandardText));
        g.TeethSpanned = g.PinDiameter;
    }

    // The field gets the basic value, and everything read from the field
    // follows it: a backlash left behind would be calculated with while the
    // field and the page show the basic value instead.
    auto refillFeature = [&] {
        Write(Field::FeatureValue, g.BasicText);
        g.FeatureValue = SngEntry(Val(g.BasicText));
        g.Thick1 = g.Measure1 = g.Backlash1 = g.FeatureValue;
        g.Thick2 = g.Measure2 = g.Backlash2 = 0;
    };
    if (!gearmain::SameText(g.InputFeature, memory.feature) || texts_.featureValue.empty()) refillFeature();
    if (!Is(g.InputFeature, kBacklash) && g.ODChange != memory.odChange) refillFeature();
    if ((g.CalcMode == 2 || g.CalcMode == 3) && g.NumTeeth != memory.teeth) refillFeature();

    // The ideal pin belongs to the thickness the feature box holds now: a new
    // pitch or O.D. change has just refilled it.
    IdealPin(basic, basicThickness);

    run.reach = HintsRun::Reach::Complete;
    if (settle != Settle::No)
        settledWhole_ = misses_ == 0 && standard && basic && (settle == Settle::KeepPin || offered);
    if (captions_) PresentHints(run);

    memory.mode = g.CalcMode;
    memory.gearType = g.GearType;
    gearmain::AssignText(memory.feature, g.InputFeature);
    memory.standard = g.StandardText;
    memory.teeth = g.NumTeeth;
    memory.pitch = g.NormalDP;
    memory.pressureAngle = g.NormalPA;
    memory.odChange = g.ODChange;
    return run;
}

// The captions a run leaves, from the state it leaves.
void ScreenCore::PresentHints(HintsRun& run) const {
    const gearmain::GearMain& g = gear_;
    const std::string_view feature = g.InputFeature;

    // Pins for spur gears and even helical gears; an odd helical gear is
    // measured over balls, as is every internal helical gear.
    if (g.HelixAngle == 0) {
        run.pinCaption = kPinCaption;
    } else if (g.GearType == 1) {
        bool odd = gearmain::FracPart(g.NumTeeth / 2.0) != 0;
        run.pinCaption = odd ? kBallCaption : kPinCaption;
    } else {
        run.pinCaption = kBallCaption;
    }
    if (run.reach != HintsRun::Reach::Complete) return;

    // A count of teeth to span is typed into the pin field.
    run.spanCount = feature == kSpan || g.CalcMode == 3;
    if (run.spanCount) run.pinCaption = kTeethSpannedCaption;

    std::string note;
    if (feature == kOverPins || feature == kBetweenPins) {
        std::string s = g.PinDiameter != 0 ? ShortText(g.PinDiameter) : Trim(g.StandardText);
        note = "    (Using " + s + " diameter Pins)";
    } else if (feature == kSpan) {
        std::string s = g.TeethSpanned != 0 ? ShortText(g.TeethSpanned) : Trim(g.StandardText);
        note = "    (Over " + s + " teeth)";
    }
    run.basic = feature == kBacklash ? "" : "-> Basic = " + g.BasicText;
    run.basicNote = g.CalcMode == 2 ? note : "";
    run.standard = "-> Standard = " + g.StandardText;
    run.idealPin = g.CalcMode == 1 ? "     Ideal Pin = " + g.IdealPinText : "";
}

}  // namespace involvo
