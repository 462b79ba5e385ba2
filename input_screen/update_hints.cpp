// UpdateHints: the hints beside the fields of the input screen, and the refills
// of the fields whose basis changed.
#include <cmath>
#include <optional>

#include "input_screen/frm_main.h"
#include "input_screen/screen_texts.h"

namespace involvo {

using namespace screen;
using gearmain::ArithmeticFault;
using gearmain::Format;
using gearmain::LTrim;
using gearmain::ShortText;
using gearmain::Sng;
using gearmain::SngEntry;
using gearmain::Trim;
using gearmain::Val;

namespace {

// A hint that cannot be computed for the numbers entered keeps what it showed;
// the Calculate command reports the entry at fault. A value that is not finite
// counts as such a fault: it must never reach a caption.
double Finite(double value) {
    if (!std::isfinite(value)) throw ArithmeticFault("not finite");
    return value;
}

template <typename F>
bool Guarded(F&& step) {
    try {
        step();
        return true;
    } catch (const ArithmeticFault&) {
        return false;
    }
}

}  // namespace

// The standard outside diameter of an external gear, or the inside diameter of
// an internal gear (never inside the base circle). Both use the normal pitch.
void FrmMain::HintStandardDiameter() {
    gearmain::GearMain& g = gear_;
    const bool external = g.GearType == 1;
    Guarded([&] {
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
        if (!external && d < g.BaseDiameter) d = g.BaseDiameter;
        std::string text = ShortText(Sng(Val(Format(d, "0.00000"))));
        view().SetText("LabelStandardOD",
                       (external ? "-> Standard O.D. = " : "-> Standard I.D. = ") + text);
    });
    // The base diameter above is taken at the angle entered; an internal gear
    // without a pressure angle is taken as 20 degrees from here on.
    if (!external && g.NormalPA == 0) g.NormalPA = 20;
}

// The tooth thickness that the O.D. change adds, transverse and normal.
void FrmMain::HintThicknessChange() {
    gearmain::GearMain& g = gear_;
    Guarded([&] {
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
    });
}

// The pin that touches the flanks at the pitch circle, for the thickness
// entered (or the basic one).
void FrmMain::HintIdealPin(std::optional<double> basic, double basicThickness) {
    gearmain::GearMain& g = gear_;
    const std::string kind = LTrim(g.InputFeature).substr(0, 4);
    if (g.CalcMode != 1 || (kind != "Circ" && kind != "Chor" && kind != "Cont")) return;
    Guarded([&] {
        // Without the basic value the hint keeps what it showed.
        auto basicValue = [&] {
            if (!basic) throw ArithmeticFault("no basic value");
            return *basic;
        };
        double t;
        if (kind == "Circ") t = g.Thick1 != 0 ? g.Thick1 : basicValue();
        else if (kind == "Chor") t = g.Thick1 != 0 ? g.Thick1 : g.CircularFromChordal(Sng(basicValue()));
        else t = basicThickness - g.Backlash1;
        g.PitchDiameter = Sng(g.NumTeeth / static_cast<double>(g.NormalDP));
        g.BaseDiameter = Sng(g.PitchDiameter * gearmain::CosD(g.NormalPA, g.DegToRad));
        const double pa = g.NormalPA * static_cast<double>(g.DegToRad);
        double a, b;
        if (g.GearType == 1) {
            a = g.Pi / g.NumTeeth - t / g.PitchDiameter + pa;
            b = pa;
        } else {
            a = pa;
            b = pa - t / g.PitchDiameter;
        }
        double pin = Finite((std::tan(a) - std::tan(b)) * g.BaseDiameter);
        g.IdealPinText = Format(pin, "0.00000");
    });
}

void FrmMain::UpdateHints() {
    gearmain::GearMain& g = gear_;
    View& v = view();
    HintMemory& memory = hintMemory_;

    g.HintsChanged = -1;
    if (g.NumTeeth == 0 || g.NormalDP == 0) {
        v.SetText("LabelStandardOD", "");
        return;
    }
    if (g.CalcMode == 2 && g.NormalPA == 0) return;
    g.InputFeature = v.Text("Combo1");

    if (!memory.used) {
        memory.used = true;
        memory.mode = g.CalcMode;
        memory.gearType = g.GearType;
        memory.teeth = g.NumTeeth;
        memory.pressureAngle = g.NormalPA;
        memory.pitch = g.NormalDP;
        memory.odChange = g.ODChange;
        memory.feature = g.InputFeature;
        memory.standard = v.Text("LabelStandard");
    }

    // Pins for spur gears and even helical gears; an odd helical gear is
    // measured over balls, as is every internal helical gear.
    if (g.HelixAngle == 0) {
        v.SetText("LABELPINDIA", kPinCaption);
    } else if (g.GearType == 1) {
        bool odd = gearmain::FracPart(g.NumTeeth / 2.0) != 0;
        v.SetText("LABELPINDIA", odd ? kBallCaption : kPinCaption);
    } else {
        v.SetText("LABELPINDIA", kBallCaption);
    }

    // A value entered for another feature, gear type or pressure angle means
    // nothing now.
    auto clearFeature = [&] {
        v.SetText("InputCTT_MOW", "");
        g.FeatureValue = g.Thick1 = g.Thick2 = g.Measure1 = g.Measure2 = g.Backlash1 = g.Backlash2 = 0;
        g.PinDiameter = g.TeethSpanned = 0;
    };
    if (g.InputFeature != memory.feature || g.GearType != memory.gearType) clearFeature();
    // An entered cutter depth holds for the pitch it was entered with.
    if (g.DepthSystem == 9 && g.NormalDP != memory.pitch) {
        g.DepthSystem = 1;
        v.SetChecked("MnuDepth(1)", true);
        v.SetChecked("MnuDepth(9)", false);
    }
    if (g.NormalPA != memory.pressureAngle) clearFeature();
    if (g.NumTeeth != memory.teeth) g.TeethSpanned = 0;

    HintStandardDiameter();

    if (g.CalcFailed == -1) {
        g.CalcFailed = 0;
        return;
    }

    // S: the standard pin, or the number of teeth to span.
    std::optional<double> standard;
    Guarded([&] { standard = Finite(g.StandardPinDia(g.GearType, g.NumTeeth, g.NormalDP, g.NormalPA).Value()); });
    if (g.CalcMode == 3) {
        v.SetText("LABELPINDIA", kTeethSpannedCaption);
        standard.reset();
        Guarded([&] { standard = Finite(g.TeethToSpan(g.NumTeeth, g.NormalPA, g.HelixAngle)); });
    }

    const double basicThickness = (g.Pi / g.NormalDP) / 2;
    HintThicknessChange();

    // B: the basic value of the feature.
    std::optional<double> basic;
    const std::string& feature = g.InputFeature;
    if (feature == kCircularThickness || feature == kCircularSpace) {
        Guarded([&] { basic = Finite(g.BasicThicknessText(g.NormalDP).Value() + g.ThickChangeNormal); });
    } else if (feature == kChordalThickness || feature == kChordalSpace) {
        Guarded([&] { basic = Finite(g.BasicChordalText(g.NormalDP).Value()); });
    } else if (feature == kOverPins || feature == kBetweenPins) {
        if (g.PinDiameter != 0 || standard) {
            float pin = g.PinDiameter != 0 ? g.PinDiameter : static_cast<float>(standard.value_or(0.0));
            Guarded([&] {
                basic = Finite(g.BasicMeasurementText(g.GearType, g.NumTeeth, g.NormalDP, g.NormalPA, g.HelixAngle, pin)
                                   .Value());
            });
        }
    } else if (feature == kSpan) {
        standard.reset();
        Guarded([&] { standard = Finite(g.TeethToSpan(g.NumTeeth, g.NormalPA, g.HelixAngle)); });
        if (g.TeethSpanned != 0 || standard) {
            float teeth = g.TeethSpanned != 0 ? g.TeethSpanned : static_cast<float>(standard.value_or(0.0));
            Guarded([&] {
                basic = Finite(g.BasicSpanText(g.NumTeeth, g.NormalDP, g.NormalPA, g.HelixAngle, teeth).Value());
            });
        }
    }
    if (feature == kBacklash) g.BasicText = "0.000000";
    else if (basic) g.BasicText = Format(*basic, "0.000000");
    g.BasicText = Trim(g.BasicText);

    // In span mode the feature is a thickness, so the count shows four decimals.
    if (standard) g.StandardText = Format(*standard, feature == kSpan ? "0" : "0.0000");

    HintIdealPin(basic, basicThickness);

    if (g.CalcMode != memory.mode) memory.feature.clear();
    if (v.Text("InputCTT_MOW").empty()) memory.feature.clear();

    if (g.StandardText != memory.standard || g.InputFeature != memory.feature) {
        v.SetText("InputPINDIA", g.StandardText);
        g.PinDiameter = SngEntry(Val(g.StandardText));
        g.TeethSpanned = g.PinDiameter;
    }

    // The field gets the basic value, and everything read from the field
    // follows it: a backlash left behind would be calculated with while the
    // field and the page show the basic value instead.
    auto refillFeature = [&] {
        v.SetText("InputCTT_MOW", g.BasicText);
        g.FeatureValue = SngEntry(Val(g.BasicText));
        g.Thick1 = g.Measure1 = g.Backlash1 = g.FeatureValue;
        g.Thick2 = g.Measure2 = g.Backlash2 = 0;
    };
    if (g.InputFeature != memory.feature || v.Text("InputCTT_MOW").empty()) refillFeature();
    if (g.InputFeature != kBacklash && g.ODChange != memory.odChange) refillFeature();
    if ((g.CalcMode == 2 || g.CalcMode == 3) && g.NumTeeth != memory.teeth) refillFeature();

    if (feature == kSpan) v.SetText("LABELPINDIA", kTeethSpannedCaption);

    std::string note;
    if (feature == kOverPins || feature == kBetweenPins) {
        std::string s = g.PinDiameter != 0 ? ShortText(g.PinDiameter) : Trim(g.StandardText);
        note = "    (Using " + s + " diameter Pins)";
    } else if (feature == kSpan) {
        v.SetText("LABELPINDIA", kTeethSpannedCaption);
        std::string s = g.TeethSpanned != 0 ? ShortText(g.TeethSpanned) : Trim(g.StandardText);
        note = "    (Over " + s + " teeth)";
    }

    v.SetText("LabelBasic", "-> Basic = " + g.BasicText);
    v.SetText("LabelBasic2", g.CalcMode == 2 ? note : "");
    v.SetText("LabelStandard", "-> Standard = " + g.StandardText);
    v.SetText("LabelBestPin", g.CalcMode == 1 ? "     Ideal Pin = " + g.IdealPinText : "");
    if (feature == kBacklash) v.SetText("LabelBasic", "");

    if (!v.Text("LabelBasic").empty()) v.SetToolTip("LabelBasic", "Click to enter basic with no backlash");
    if (!v.Text("LabelStandard").empty()) {
        if (feature == kSpan || g.CalcMode == 3) {
            v.SetToolTip("InputPINDIA", "Enter Number of teeth you will be spanning");
            v.SetToolTip("LabelStandard", "Click to enter calculated number of teeth to span");
            v.SetEnabled("LabelBestPin", false);
        } else {
            v.SetToolTip("InputPINDIA", "Enter Measuring Pin Diameter");
            v.SetToolTip("LabelStandard", "Click to enter standard pin diameter");
            v.SetEnabled("LabelBestPin", true);
            v.SetToolTip("LabelBestPin", "Click to enter P.D. contact pin diameter");
        }
    }
    v.SetToolTip("InputCTT_MOW", "Enter " + v.Text("Combo1"));

    memory.mode = g.CalcMode;
    memory.gearType = g.GearType;
    memory.feature = g.InputFeature;
    memory.standard = g.StandardText;
    memory.teeth = g.NumTeeth;
    memory.pitch = g.NormalDP;
    memory.pressureAngle = g.NormalPA;
    memory.odChange = g.ODChange;
}

}  // namespace involvo
