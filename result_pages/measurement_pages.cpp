// Page 1: the measurement data of a spur gear (FrmOutput1) and of a helical gear
// (FrmHelical1).
//
// Rows 1 to 4 are the basic data as typed on the input screen, row 12 the K
// factor, and rows 5 to 11 depend on what the user entered (the input feature),
// the calculation mode and the gear type: the tables below say which caption and
// which value each of these rows shows. Captions and values are chosen in two
// separate passes with slightly different keys, as the tables show.
#include <array>
#include <cfloat>
#include <cmath>
#include <optional>
#include <string_view>

#include "printing/print_commands.h"
#include "result_pages/page_text.h"
#include "result_pages/result_pages.h"

namespace involvo {

using gearmain::Format;
using gearmain::GearMain;
using gearmain::ShortText;
using gearmain::Val;
using namespace pages;

namespace {

constexpr std::string_view kCircularThickness = "Circular Tooth Thickness";
constexpr std::string_view kCircularSpace = "Circular Space Width";
constexpr std::string_view kChordalThickness = "Chordal Tooth Thickness";
constexpr std::string_view kChordalSpace = "Chordal Space Width";
constexpr std::string_view kOverPins = "Dimension Over Pins";
constexpr std::string_view kBetweenPins = "Dimension Between Pins";
constexpr std::string_view kSpan = "Span Measurement";
constexpr std::string_view kBacklash = "Contributing Backlash";

constexpr int kFirstRow = 5;  // rows 5 to 11 are chosen by the tables
constexpr int kRows = 7;

// Row captions. NoCaption leaves the row as an earlier step made it (the K factor
// that an internal gear shows in row 11).
enum class Cap { NoCaption, CTT, CSW, ChT, ChS, DOP, DBP, PD, PCD, RAD, RAP, CB, SPAN, DOB, DBB, DB1, BD, BCD, RAB };

// Row values: the feature field, the pin field, the pin diameter that the
// calculation chose (as its shortest text, or that text to five decimals), and
// the result texts of the calculation. NoValue leaves the value as an earlier
// step made it.
enum class Src { NoValue, F, P, PDs, PDf, Thick, Measure, Span, PinContact, Radial, Chordal, ChordalIn };

// The transverse value beside a row of the helical page.
enum class Trans { None, Thick, Chordal, Backlash };

enum class When { Any, Mode3, NotMode3, ExternalMode3, ExternalNotMode3, Internal };

struct Case {
    std::string_view feature, alsoFeature;
    When when = When::Any;
};

struct CaptionLayout {
    Case match;
    std::array<Cap, kRows> rows;
    // Ball captions that replace the pin captions of a gear with an odd number
    // of teeth (helical page only).
    std::array<Cap, kRows> oddTeeth{};
};

struct ValueLayout {
    Case match;
    std::array<Src, kRows> rows;
    std::array<Trans, kRows> transverse{};  // helical page only
};

using enum Cap;
using enum Src;
using enum When;

// Spur page, captions: the circular tooth thickness and the dimension over pins
// share their layouts, as do the circular space width and the dimension between
// pins.
constexpr CaptionLayout kSpurCaptions[] = {
    {{kCircularThickness, kOverPins, Mode3}, {CTT, SPAN, DOP, PD, PCD, RAD, ChT}},
    {{kCircularThickness, kOverPins, NotMode3}, {CTT, DOP, PD, PCD, RAD, ChT, SPAN}},
    {{kCircularSpace, kBetweenPins, Any}, {CSW, DBP, PD, PCD, RAD, ChS, Cap::NoCaption}},
    {{kChordalThickness, {}, Mode3}, {ChT, SPAN, DOP, PD, PCD, RAD, CTT}},
    {{kChordalThickness, {}, NotMode3}, {ChT, DOP, PD, PCD, RAD, CTT, SPAN}},
    {{kChordalSpace, {}, Any}, {ChS, DBP, PD, PCD, RAD, CSW, Cap::NoCaption}},
    {{kSpan, {}, Any}, {CTT, SPAN, DOP, PD, PCD, RAD, ChT}},
    {{kBacklash, {}, ExternalNotMode3}, {CTT, DOP, PD, PCD, CB, ChT, SPAN}},
    {{kBacklash, {}, ExternalMode3}, {CTT, CB, SPAN, DOP, PD, PCD, ChT}},
    {{kBacklash, {}, Internal}, {CSW, DBP, PD, PCD, RAD, CB, ChS}},
};

// Spur page, values: the dimension over pins never depends on the mode.
constexpr ValueLayout kSpurValues[] = {
    {{kCircularThickness, {}, NotMode3}, {F, Measure, P, PinContact, Radial, Chordal, Span}},
    {{kCircularThickness, {}, Mode3}, {F, Span, Measure, PDs, PinContact, Radial, Chordal}},
    {{kOverPins, {}, Any}, {Thick, F, P, PinContact, Radial, Chordal, Span}},
    {{kCircularSpace, {}, Any}, {F, Measure, P, PinContact, Radial, Chordal, Src::NoValue}},
    {{kBetweenPins, {}, Any}, {Thick, F, P, PinContact, Radial, Chordal, Src::NoValue}},
    {{kChordalThickness, {}, NotMode3}, {F, Measure, P, PinContact, Radial, ChordalIn, Span}},
    {{kChordalThickness, {}, Mode3}, {F, Span, Measure, PDs, PinContact, Radial, ChordalIn}},
    {{kChordalSpace, {}, Any}, {F, Measure, P, PinContact, Radial, ChordalIn, Src::NoValue}},
    {{kSpan, {}, Any}, {Thick, F, Measure, PDf, PinContact, Radial, Chordal}},
    {{kBacklash, {}, ExternalNotMode3}, {Thick, Measure, P, PinContact, F, Chordal, Span}},
    {{kBacklash, {}, ExternalMode3}, {Thick, F, Span, Measure, PDs, PinContact, Chordal}},
    {{kBacklash, {}, Internal}, {Thick, Measure, P, PinContact, Radial, F, Chordal}},
};

constexpr Cap _ = Cap::NoCaption;
constexpr Trans N = Trans::None, TT = Trans::Thick, TC = Trans::Chordal, TB = Trans::Backlash;

// Helical page, captions. Internal gears are measured with balls whatever their
// number of teeth; external gears with an odd number of teeth get the ball
// captions in the rows of the last column.
constexpr CaptionLayout kHelicalCaptions[] = {
    {{kCircularThickness, kOverPins, Mode3}, {CTT, SPAN, DOP, PD, PCD, RAD, ChT}, {_, _, DOB, BD, BCD, RAB, _}},
    {{kCircularThickness, kOverPins, NotMode3}, {CTT, DOP, PD, PCD, RAP, ChT, SPAN}, {_, DOB, BD, BCD, RAB, _, _}},
    {{kCircularSpace, kBetweenPins, Any}, {CSW, DBB, BD, BCD, RAB, ChS, _}},
    {{kChordalThickness, {}, Mode3}, {ChT, SPAN, DOP, PD, PCD, RAD, CTT}, {_, _, DOB, BD, BCD, RAB, _}},
    {{kChordalThickness, {}, NotMode3}, {ChT, DOP, PD, PCD, RAD, CTT, SPAN}, {_, DOB, BD, BCD, RAB, _, _}},
    {{kChordalSpace, {}, Any}, {ChS, DBB, BD, BCD, RAD, CSW, _}},
    {{kSpan, {}, Any}, {CTT, SPAN, DOP, PD, PCD, RAD, ChT}, {_, _, DOB, BD, BCD, RAB, _}},
    {{kBacklash, {}, ExternalMode3}, {CTT, CB, SPAN, DOP, PD, PCD, ChT}, {_, _, _, DOB, BD, BCD, _}},
    {{kBacklash, {}, ExternalNotMode3}, {CTT, DOP, PD, PCD, CB, ChT, SPAN}, {_, DOB, BD, BCD, _, _, _}},
    {{kBacklash, {}, Internal}, {CSW, DB1, BD, BCD, RAB, CB, ChS}},
};

// Helical page, values, with the transverse value beside rows 5, 9, 10 and 11.
constexpr ValueLayout kHelicalValues[] = {
    {{kCircularThickness, {}, Mode3}, {F, Span, Measure, PDs, PinContact, Radial, Chordal}, {TT, N, N, N, N, N, TC}},
    {{kCircularThickness, {}, NotMode3}, {F, Measure, P, PinContact, Radial, Chordal, Span}, {TT, N, N, N, N, TC, N}},
    {{kCircularSpace, {}, Any}, {F, Measure, P, PinContact, Radial, Chordal, Src::NoValue}, {TT, N, N, N, N, TC, N}},
    {{kChordalThickness, {}, Mode3}, {F, Span, Measure, PDs, PinContact, Radial, ChordalIn}, {TC, N, N, N, N, N, TT}},
    {{kChordalThickness, {}, NotMode3}, {F, Measure, P, PinContact, Radial, ChordalIn, Span}, {TC, N, N, N, N, TT, N}},
    {{kChordalSpace, {}, Any}, {F, Measure, P, PinContact, Radial, ChordalIn, Src::NoValue}, {TC, N, N, N, N, TT, N}},
    {{kOverPins, {}, Any}, {Thick, F, P, PinContact, Radial, Chordal, Span}, {TT, N, N, N, N, TC, N}},
    {{kBetweenPins, {}, Any}, {Thick, F, P, PinContact, Radial, Chordal, Src::NoValue}, {TT, N, N, N, N, TC, N}},
    {{kBacklash, {}, ExternalMode3}, {Thick, F, Span, Measure, PDs, PinContact, Chordal}, {TT, N, N, N, N, N, TC}},
    {{kBacklash, {}, ExternalNotMode3}, {Thick, Measure, P, PinContact, F, Chordal, Span}, {TT, N, N, N, TB, TC, N}},
    {{kBacklash, {}, Internal}, {Thick, Measure, P, PinContact, Radial, F, Chordal}, {TT, N, N, N, N, TB, TC}},
    {{kSpan, {}, Any}, {Thick, F, Measure, PDs, PinContact, Radial, Chordal}, {TT, N, N, N, N, N, TC}},
};

// The transverse boxes of the helical page, beside rows 5, 9, 10 and 11.
constexpr int TransverseBox(int row) {
    switch (row) {
        case 5: return 15;
        case 9: return 16;
        case 10: return 17;
        case 11: return 18;
        default: return 0;
    }
}

bool Matches(const Case& c, const GearMain& gear) {
    if (gear.InputFeature != c.feature && (c.alsoFeature.empty() || gear.InputFeature != c.alsoFeature))
        return false;
    bool mode3 = gear.CalcMode == 3, external = gear.GearType == 1;
    switch (c.when) {
        case Any: return true;
        case Mode3: return mode3;
        case NotMode3: return !mode3;
        case ExternalMode3: return external && mode3;
        case ExternalNotMode3: return external && !mode3;
        case Internal: return !external;
    }
    return false;
}

template <typename Layout, size_t n>
const Layout* Find(const Layout (&table)[n], const GearMain& gear) {
    for (const Layout& layout : table)
        if (Matches(layout.match, gear)) return &layout;
    return nullptr;
}

std::string CaptionText(Cap cap, const std::string& spanCount) {
    switch (cap) {
        case Cap::NoCaption: break;
        case CTT: return "Circular Tooth Thickness";
        case CSW: return "Circular Space Width";
        case ChT: return "Chordal Tooth Thickness";
        case ChS: return "Chordal Space Width";
        case DOP: return "Dimension Over Pins";
        case DBP: return "Dimension Between Pins";
        case PD: return "Pin Diameter";
        case PCD: return "Pin Contact Diameter";
        case RAD: return "Radial Dimension (1) pin";
        case RAP: return "Radial Dimension (1) Pin";
        case CB: return "Contributing Backlash";
        case SPAN: return "Span Meas. Over (" + spanCount + ") Teeth";
        case DOB: return "Dimension Over Balls";
        case DBB: return "Dimension Between Balls";
        case DB1: return "Dimension Between Ball";
        case BD: return "Ball Diameter";
        case BCD: return "Ball Contact Diameter";
        case RAB: return "Radial Dimension (1) Ball";
    }
    return {};
}

// The pin diameter that the calculation chose, as its shortest text written to
// five decimals: the seven significant digits, not the binary noise of the
// Single, are rounded.
std::string PinDiameterToFiveDecimals(float pin) {
    std::string shortest = ShortText(pin);
    return gearmain::IsPlainNumber(shortest) ? Format(Val(shortest), "0.00000") : Format(pin, "0.00000");
}

// The values from the input screen that the rows show as typed.
struct Fields {
    std::string feature, pin;
};

std::string ValueText(Src src, const GearMain& gear, const Fields& fields) {
    switch (src) {
        case Src::NoValue: break;
        case F: return fields.feature;
        case P: return fields.pin;
        case PDs: return ShortText(gear.PinDiameter);
        case PDf: return PinDiameterToFiveDecimals(gear.PinDiameter);
        case Thick: return gear.ThickText;
        case Measure: return gear.MeasureText;
        case Span: return gear.SpanText;
        case PinContact: return gear.PinContactText;
        case Radial: return gear.RadialText;
        case Chordal: return gear.ChordalText;
        case ChordalIn: return gear.ChordalInText;
    }
    return {};
}

const std::string& TransverseText(Trans trans, const GearMain& gear) {
    switch (trans) {
        case Trans::Chordal: return gear.TransChordalText;
        case Trans::Backlash: return gear.TransBacklashText;
        default: return gear.TransThickText;
    }
}

// Rows 5 to 11 start empty at every activation, so a combination that a table
// does not cover never shows a row left over from an earlier gear.
void ClearChosenRows(View& view) {
    for (int row = kFirstRow; row < kFirstRow + kRows; ++row) {
        view.SetText(LabelName(row), "");
        view.SetText(TextName(row), "");
    }
}

// Row 12 holds the K factor. An internal gear (unless its feature is the
// contributing backlash) has one row fewer: the K factor moves up to row 11 and
// row 12 is hidden. Every other case gets its row 12 back.
void KFactorRow(View& view, const GearMain& gear) {
    std::string kFactor = Format(gear.KFactor, "0.00000");
    if (gear.InputFeature != kBacklash && gear.GearType == 2) {
        ShowRow(view, 12, false);
        view.SetText("Label(11)", "K Factor");
        view.SetText("Text(11)", kFactor);
    } else {
        ShowRow(view, 12, true);
        view.SetText("Text(12)", kFactor);
    }
}

void SetCaptions(View& view, const CaptionLayout* layout, const std::string& spanCount, bool oddTeeth) {
    if (!layout) return;
    for (int i = 0; i < kRows; ++i) {
        Cap cap = oddTeeth && layout->oddTeeth[i] != Cap::NoCaption ? layout->oddTeeth[i] : layout->rows[i];
        if (cap != Cap::NoCaption) view.SetText(LabelName(kFirstRow + i), CaptionText(cap, spanCount));
    }
}

void SetValues(View& view, const ValueLayout* layout, const GearMain& gear, const Fields& fields,
               bool transverse) {
    if (!layout) return;
    for (int i = 0; i < kRows; ++i) {
        int row = kFirstRow + i;
        if (layout->rows[i] != Src::NoValue) view.SetText(TextName(row), ValueText(layout->rows[i], gear, fields));
        if (transverse && layout->transverse[i] != Trans::None && TransverseBox(row) != 0)
            view.SetText(TextName(TransverseBox(row)), TransverseText(layout->transverse[i], gear));
    }
}

Fields ReadFields(Forms& forms) { return {FieldText(forms, "InputCTT_MOW"), FieldText(forms, "InputPINDIA")}; }

// The designer texts that both kinds of page 1 share.
void LoadCommon(View& view) {
    view.SetText("", "Calculated gear data page 1");
    for (int row = kFirstRow; row < kFirstRow + kRows; ++row) view.SetText(LabelName(row), "Label" + std::to_string(row));
    view.SetText("Label(12)", "K Factor");
    for (int row = 1; row <= 12; ++row) view.SetText(TextName(row), "Text" + std::to_string(row));
    view.SetText("LabelTitleBlock", "Title Block Text");
    view.SetText("Next1", "Next");
    view.SetText("CmdOK", "Close");
    SetUpPrintButton(view, PrintCaption::TipOnly);
}

// X / cos(helix angle), stored as a Single; nothing when that is no finite Single.
std::optional<float> TransverseValue(float x, double cosHelix) {
    double t = x / cosHelix;
    if (!std::isfinite(t) || std::fabs(t) > FLT_MAX) return std::nullopt;
    return static_cast<float>(t);
}

// The transverse text of a pair: one value, or both with the smaller first when
// the range value is not 0.
std::string TransversePair(const GearMain& gear, float x1, float x2, float range) {
    double c = std::cos(static_cast<double>(gear.HelixAngle) * gear.DegToRad);
    auto t1 = TransverseValue(x1, c);
    if (!t1) return {};
    if (range == 0) return gearmain::ResultText(*t1, "0.000000");
    auto t2 = TransverseValue(x2, c);
    if (!t2) return {};
    return gearmain::RangeText(*t1, *t2, "0.000000");
}

}  // namespace

void PrepareFollowingPages(Forms& forms, GearMain& gear, bool helical) {
    std::string title = PageTitle(gear, forms, helical);
    if (helical) {
        View& page2 = forms.Load(FormId::FRMHelical2);
        SetDiameterRow(page2, gear);
        DimensionsPage::Fill(page2, gear, title, true);
        AGMATOL::Fill(forms.Load(FormId::AGMATOL), gear, "0.000000");
    } else {
        DimensionsPage::Fill(forms.Load(FormId::FrmOutput2), gear, title, false);
        AGMATOL::Fill(forms.Load(FormId::AGMATOL), gear, "0.00000");
    }
}

// ---------------------------------------------------------------- FrmOutput1

FrmOutput1::FrmOutput1(GearMain& gear, Forms& forms) : ResultPage(gear, forms, FormId::FrmOutput1) {}

void FrmOutput1::Load() {
    View& v = view();
    LoadCommon(v);
    const char* captions[] = {"Number of Teeth", "Normal Diametral Pitch", "Normal Pressure Angle", "Helix Angle"};
    for (int row = 1; row <= 4; ++row) v.SetText(LabelName(row), captions[row - 1]);
    v.SetToolTip("Next1", "Display Next Page");
    v.SetToolTip("CmdOK", "Close This page");
    SetUpFileMenu(v, "Mnufile");
}

void FrmOutput1::Activate() {
    View& v = view();
    v.SetFocus("Next1");
    if (gear_.GearType == 0) gear_.GearType = 1;

    ClearChosenRows(v);
    KFactorRow(v, gear_);
    std::string spanCount = ShortText(gear_.TeethSpanned);
    SetCaptions(v, Find(kSpurCaptions, gear_), spanCount, false);

    v.SetText("LabelTitleBlock", PageTitle(gear_, forms_, false));

    v.SetText("Text(1)", MaskedText(FieldText(forms_, "InputNT"), "0"));
    std::string pitch = FieldText(forms_, "InputDP");
    v.SetText("Text(2)", gear_.DepthSystem == 8 ? pitch : MaskedText(pitch, "0.000000"));
    v.SetText("Text(3)", MaskedText(FieldText(forms_, "InputPA"), "0.000000"));
    v.SetText("Text(4)", MaskedText(FieldText(forms_, "InputHA"), "0.000000"));

    SetValues(v, Find(kSpurValues, gear_), gear_, ReadFields(forms_), false);

    PrepareFollowingPages(forms_, gear_, false);
}

void FrmOutput1::Click(const std::string& control) {
    if (control == "Next1") forms_.Show(FormId::FrmOutput2);
    else if (control == "CmdOK" || control == "mnuFileClose") Close();
    else if (control == "CmdPrint") PrintButton(forms_, gear_, Sheet::Spur, id_);
    else if (control == "mnuFilePrint") PrintMenu(forms_, gear_, Sheet::Spur, id_);
}

// ---------------------------------------------------------------- FrmHelical1

FrmHelical1::FrmHelical1(GearMain& gear, Forms& forms) : ResultPage(gear, forms, FormId::FrmHelical1) {}

void FrmHelical1::Load() {
    View& v = view();
    LoadCommon(v);
    const char* captions[] = {"Number of Teeth", "Diametral Pitch", "Pressure Angle", "Helix Angle"};
    for (int row = 1; row <= 4; ++row) v.SetText(LabelName(row), captions[row - 1]);
    v.SetText("LabelNorm", "Normal");
    v.SetText("LabelTransv", "Transverse");
    for (int box = 13; box <= 15; ++box) v.SetText(TextName(box), "Text" + std::to_string(box));
    for (int box = 16; box <= 18; ++box) v.SetText(TextName(box), "");
    SetUpFileMenu(v, "mnuFile");
}

void FrmHelical1::BuildTransverseTexts() {
    gear_.TransThickText = TransversePair(gear_, gear_.Thick1, gear_.Thick2, gear_.Thick2);
    // The second chordal thickness belongs to the second tooth thickness.
    gear_.TransChordalText = TransversePair(gear_, gear_.Chordal1, gear_.Chordal2, gear_.Thick2);
    gear_.TransBacklashText = TransversePair(gear_, gear_.Backlash1, gear_.Backlash2, gear_.Backlash2);
}

// Advice about balls, once after each change of the inputs: returning to this
// page from page 2 does not repeat it.
void FrmHelical1::Advise(bool oddTeeth) {
    if (gear_.HintsChanged != 0) {
        if (oddTeeth && gear_.GearType == 1)
            view().MessageBox(
                "Odd tooth helical gears should be measured using balls\r"
                "or measured from the center of the gear over one pin.",
                kTitle, MsgIcon::Information, MsgButtons::OK);
        if (gear_.GearType == 2)
            view().MessageBox("Use balls for measuring internal helical gears", kTitle, MsgIcon::Information,
                              MsgButtons::OK);
    }
    gear_.HintsChanged = 0;
}

void FrmHelical1::Activate() {
    View& v = view();
    bool oddTeeth = gearmain::FracPart(gear_.NumTeeth / 2.0) > 0;
    v.SetFocus("Next1");
    if (gear_.GearType == 0) gear_.GearType = 1;

    ClearChosenRows(v);
    for (int box = 15; box <= 18; ++box) v.SetText(TextName(box), "");
    KFactorRow(v, gear_);

    v.SetText("LabelTitleBlock", PageTitle(gear_, forms_, true));

    v.SetText("Text(1)", MaskedText(FieldText(forms_, "InputNT"), "0"));
    // A pitch fraction of the combination stub system is not a number: it is
    // shown as typed.
    v.SetText("Text(2)", MaskedText(FieldText(forms_, "InputDP"), "0.000000"));
    v.SetText("Text(3)", MaskedText(FieldText(forms_, "InputPA"), "0.000000"));
    v.SetText("Text(4)", MaskedText(FieldText(forms_, "InputHA"), "0.000000"));
    v.SetText("Text(13)", Format(gear_.TransverseDP, "0.000000"));
    v.SetText("Text(14)", Format(gear_.TransversePA, "0.000000"));

    BuildTransverseTexts();
    std::string spanCount = ShortText(gear_.TeethSpanned);
    SetCaptions(v, Find(kHelicalCaptions, gear_), spanCount, oddTeeth);
    SetValues(v, Find(kHelicalValues, gear_), gear_, ReadFields(forms_), true);

    Advise(oddTeeth);
    PrepareFollowingPages(forms_, gear_, true);
}

void FrmHelical1::Click(const std::string& control) {
    if (control == "Next1") forms_.Show(FormId::FRMHelical2);
    else if (control == "CmdOK" || control == "mnuFileClose") Close();
    else if (control == "CmdPrint") PrintButton(forms_, gear_, Sheet::Helical, id_);
    else if (control == "mnuFilePrint") PrintMenu(forms_, gear_, Sheet::Helical, id_);
}

}  // namespace involvo
