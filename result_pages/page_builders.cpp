// The contents of the result pages.
//
// Page 1 (the measurement data): rows 1 to 4 are the basic data as typed on the
// input screen, row 12 the K factor, and rows 5 to 11 depend on what the user
// entered (the input feature), the calculation mode and the gear type: the
// tables below say which caption and which value each of these rows shows.
// Captions and values are chosen in two separate passes with slightly different
// keys, as the tables show; a row is the quantity that its caption names.
#include "result_pages/page_builders.h"

#include <array>
#include <cfloat>
#include <cmath>
#include <optional>
#include <string_view>
#include <tuple>
#include <utility>

#include "input_screen/screen_texts.h"
#include "result_pages/page_text.h"

namespace involvo {

using gearmain::AssignText;
using gearmain::Format;
using gearmain::GearMain;
using gearmain::MsgButtons;
using gearmain::MsgIcon;
using gearmain::Notice;
using gearmain::ShortText;
using gearmain::Val;
using pages::MaskedText;

namespace {

// ---------------------------------------------------------------- page 1

constexpr int kPageOneRows = 12;
constexpr int kFirstChosenRow = 5;  // rows 5 to 11 are chosen by the tables
constexpr int kChosenRows = 7;

// Row captions. KeepCaption leaves the row as an earlier step made it (the K
// factor that an internal gear shows in row 11).
enum class Caption {
    KeepCaption,
    CircularThickness,    // "Circular Tooth Thickness"
    CircularSpace,        // "Circular Space Width"
    ChordalThickness,     // "Chordal Tooth Thickness"
    ChordalSpace,         // "Chordal Space Width"
    OverPins,             // "Dimension Over Pins"
    BetweenPins,          // "Dimension Between Pins"
    PinDiameter,          // "Pin Diameter"
    PinContact,           // "Pin Contact Diameter"
    RadialPinLowercase,   // "Radial Dimension (1) pin"
    RadialPinCapital,     // "Radial Dimension (1) Pin"
    Backlash,             // "Contributing Backlash"
    Span,                 // "Span Meas. Over (n) Teeth"
    OverBalls,            // "Dimension Over Balls"
    BetweenBalls,         // "Dimension Between Balls"
    BetweenBallSingular,  // "Dimension Between Ball"
    BallDiameter,         // "Ball Diameter"
    BallContact,          // "Ball Contact Diameter"
    RadialBall,           // "Radial Dimension (1) Ball"
};

// Row values: the feature and pin fields as typed, the pin diameter that the
// calculation chose (as its shortest text, or that text to five decimals), and
// the result texts of the calculation. KeepValue leaves the value as an earlier
// step made it.
enum class Value {
    KeepValue,
    FeatureField,
    PinField,
    PinShortest,
    PinFiveDecimals,
    ThickText,
    MeasureText,
    SpanText,
    PinContactText,
    RadialText,
    ChordalText,
    ChordalInText,
};

// The transverse value beside a row of the helical page.
enum class Transverse { None, Thickness, Chordal, Backlash };

// Which cases a layout is for, beside the input feature.
enum class When { Any, SpanMode, NotSpanMode, ExternalSpanMode, ExternalNotSpanMode, Internal };

struct Case {
    std::string_view feature, alsoFeature;
    When when = When::Any;
};

struct CaptionLayout {
    Case match;
    std::array<Caption, kChosenRows> rows;
    // Ball captions that replace the pin captions of a gear with an odd number
    // of teeth (helical page only).
    std::array<Caption, kChosenRows> oddTeeth{};
};

struct ValueLayout {
    Case match;
    std::array<Value, kChosenRows> rows;
    std::array<Transverse, kChosenRows> transverse{};  // helical page only
};

using namespace screen;  // the input features
using enum Caption;
using enum Value;
using enum When;

// Spur page, captions: the circular tooth thickness and the dimension over pins
// share their layouts, as do the circular space width and the dimension between
// pins.
constexpr CaptionLayout kSpurCaptions[] = {
    {{kCircularThickness, kOverPins, SpanMode},
     {CircularThickness, Span, OverPins, PinDiameter, PinContact, RadialPinLowercase, ChordalThickness}},
    {{kCircularThickness, kOverPins, NotSpanMode},
     {CircularThickness, OverPins, PinDiameter, PinContact, RadialPinLowercase, ChordalThickness, Span}},
    {{kCircularSpace, kBetweenPins, Any},
     {CircularSpace, BetweenPins, PinDiameter, PinContact, RadialPinLowercase, ChordalSpace, KeepCaption}},
    {{kChordalThickness, {}, SpanMode},
     {ChordalThickness, Span, OverPins, PinDiameter, PinContact, RadialPinLowercase, CircularThickness}},
    {{kChordalThickness, {}, NotSpanMode},
     {ChordalThickness, OverPins, PinDiameter, PinContact, RadialPinLowercase, CircularThickness, Span}},
    {{kChordalSpace, {}, Any},
     {ChordalSpace, BetweenPins, PinDiameter, PinContact, RadialPinLowercase, CircularSpace, KeepCaption}},
    {{kSpan, {}, Any},
     {CircularThickness, Span, OverPins, PinDiameter, PinContact, RadialPinLowercase, ChordalThickness}},
    {{kBacklash, {}, ExternalNotSpanMode},
     {CircularThickness, OverPins, PinDiameter, PinContact, Caption::Backlash, ChordalThickness, Span}},
    {{kBacklash, {}, ExternalSpanMode},
     {CircularThickness, Caption::Backlash, Span, OverPins, PinDiameter, PinContact, ChordalThickness}},
    {{kBacklash, {}, Internal},
     {CircularSpace, BetweenPins, PinDiameter, PinContact, RadialPinLowercase, Caption::Backlash, ChordalSpace}},
};

// Spur page, values: the dimension over pins never depends on the mode.
constexpr ValueLayout kSpurValues[] = {
    {{kCircularThickness, {}, NotSpanMode},
     {FeatureField, MeasureText, PinField, PinContactText, RadialText, ChordalText, SpanText}},
    {{kCircularThickness, {}, SpanMode},
     {FeatureField, SpanText, MeasureText, PinShortest, PinContactText, RadialText, ChordalText}},
    {{kOverPins, {}, Any}, {ThickText, FeatureField, PinField, PinContactText, RadialText, ChordalText, SpanText}},
    {{kCircularSpace, {}, Any},
     {FeatureField, MeasureText, PinField, PinContactText, RadialText, ChordalText, KeepValue}},
    {{kBetweenPins, {}, Any},
     {ThickText, FeatureField, PinField, PinContactText, RadialText, ChordalText, KeepValue}},
    {{kChordalThickness, {}, NotSpanMode},
     {FeatureField, MeasureText, PinField, PinContactText, RadialText, ChordalInText, SpanText}},
    {{kChordalThickness, {}, SpanMode},
     {FeatureField, SpanText, MeasureText, PinShortest, PinContactText, RadialText, ChordalInText}},
    {{kChordalSpace, {}, Any},
     {FeatureField, MeasureText, PinField, PinContactText, RadialText, ChordalInText, KeepValue}},
    {{kSpan, {}, Any}, {ThickText, FeatureField, MeasureText, PinFiveDecimals, PinContactText, RadialText, ChordalText}},
    {{kBacklash, {}, ExternalNotSpanMode},
     {ThickText, MeasureText, PinField, PinContactText, FeatureField, ChordalText, SpanText}},
    {{kBacklash, {}, ExternalSpanMode},
     {ThickText, FeatureField, SpanText, MeasureText, PinShortest, PinContactText, ChordalText}},
    {{kBacklash, {}, Internal},
     {ThickText, MeasureText, PinField, PinContactText, RadialText, FeatureField, ChordalText}},
};

// Helical page, captions. Internal gears are measured with balls whatever their
// number of teeth; external gears with an odd number of teeth get the ball
// captions in the rows of the last column.
constexpr CaptionLayout kHelicalCaptions[] = {
    {{kCircularThickness, kOverPins, SpanMode},
     {CircularThickness, Span, OverPins, PinDiameter, PinContact, RadialPinLowercase, ChordalThickness},
     {KeepCaption, KeepCaption, OverBalls, BallDiameter, BallContact, RadialBall, KeepCaption}},
    {{kCircularThickness, kOverPins, NotSpanMode},
     {CircularThickness, OverPins, PinDiameter, PinContact, RadialPinCapital, ChordalThickness, Span},
     {KeepCaption, OverBalls, BallDiameter, BallContact, RadialBall, KeepCaption, KeepCaption}},
    {{kCircularSpace, kBetweenPins, Any},
     {CircularSpace, BetweenBalls, BallDiameter, BallContact, RadialBall, ChordalSpace, KeepCaption}},
    {{kChordalThickness, {}, SpanMode},
     {ChordalThickness, Span, OverPins, PinDiameter, PinContact, RadialPinLowercase, CircularThickness},
     {KeepCaption, KeepCaption, OverBalls, BallDiameter, BallContact, RadialBall, KeepCaption}},
    {{kChordalThickness, {}, NotSpanMode},
     {ChordalThickness, OverPins, PinDiameter, PinContact, RadialPinLowercase, CircularThickness, Span},
     {KeepCaption, OverBalls, BallDiameter, BallContact, RadialBall, KeepCaption, KeepCaption}},
    {{kChordalSpace, {}, Any},
     {ChordalSpace, BetweenBalls, BallDiameter, BallContact, RadialPinLowercase, CircularSpace, KeepCaption}},
    {{kSpan, {}, Any},
     {CircularThickness, Span, OverPins, PinDiameter, PinContact, RadialPinLowercase, ChordalThickness},
     {KeepCaption, KeepCaption, OverBalls, BallDiameter, BallContact, RadialBall, KeepCaption}},
    {{kBacklash, {}, ExternalSpanMode},
     {CircularThickness, Caption::Backlash, Span, OverPins, PinDiameter, PinContact, ChordalThickness},
     {KeepCaption, KeepCaption, KeepCaption, OverBalls, BallDiameter, BallContact, KeepCaption}},
    {{kBacklash, {}, ExternalNotSpanMode},
     {CircularThickness, OverPins, PinDiameter, PinContact, Caption::Backlash, ChordalThickness, Span},
     {KeepCaption, OverBalls, BallDiameter, BallContact, KeepCaption, KeepCaption, KeepCaption}},
    {{kBacklash, {}, Internal},
     {CircularSpace, BetweenBallSingular, BallDiameter, BallContact, RadialBall, Caption::Backlash, ChordalSpace}},
};

// The transverse values of the helical page, beside rows 5, 9, 10 and 11.
constexpr Transverse kNone = Transverse::None, kTransThick = Transverse::Thickness,
                     kTransChordal = Transverse::Chordal, kTransBacklash = Transverse::Backlash;

// Helical page, values, with the transverse value beside rows 5, 9, 10 and 11.
constexpr ValueLayout kHelicalValues[] = {
    {{kCircularThickness, {}, SpanMode},
     {FeatureField, SpanText, MeasureText, PinShortest, PinContactText, RadialText, ChordalText},
     {kTransThick, kNone, kNone, kNone, kNone, kNone, kTransChordal}},
    {{kCircularThickness, {}, NotSpanMode},
     {FeatureField, MeasureText, PinField, PinContactText, RadialText, ChordalText, SpanText},
     {kTransThick, kNone, kNone, kNone, kNone, kTransChordal, kNone}},
    {{kCircularSpace, {}, Any},
     {FeatureField, MeasureText, PinField, PinContactText, RadialText, ChordalText, KeepValue},
     {kTransThick, kNone, kNone, kNone, kNone, kTransChordal, kNone}},
    {{kChordalThickness, {}, SpanMode},
     {FeatureField, SpanText, MeasureText, PinShortest, PinContactText, RadialText, ChordalInText},
     {kTransChordal, kNone, kNone, kNone, kNone, kNone, kTransThick}},
    {{kChordalThickness, {}, NotSpanMode},
     {FeatureField, MeasureText, PinField, PinContactText, RadialText, ChordalInText, SpanText},
     {kTransChordal, kNone, kNone, kNone, kNone, kTransThick, kNone}},
    {{kChordalSpace, {}, Any},
     {FeatureField, MeasureText, PinField, PinContactText, RadialText, ChordalInText, KeepValue},
     {kTransChordal, kNone, kNone, kNone, kNone, kTransThick, kNone}},
    {{kOverPins, {}, Any},
     {ThickText, FeatureField, PinField, PinContactText, RadialText, ChordalText, SpanText},
     {kTransThick, kNone, kNone, kNone, kNone, kTransChordal, kNone}},
    {{kBetweenPins, {}, Any},
     {ThickText, FeatureField, PinField, PinContactText, RadialText, ChordalText, KeepValue},
     {kTransThick, kNone, kNone, kNone, kNone, kTransChordal, kNone}},
    {{kBacklash, {}, ExternalSpanMode},
     {ThickText, FeatureField, SpanText, MeasureText, PinShortest, PinContactText, ChordalText},
     {kTransThick, kNone, kNone, kNone, kNone, kNone, kTransChordal}},
    {{kBacklash, {}, ExternalNotSpanMode},
     {ThickText, MeasureText, PinField, PinContactText, FeatureField, ChordalText, SpanText},
     {kTransThick, kNone, kNone, kNone, kTransBacklash, kTransChordal, kNone}},
    {{kBacklash, {}, Internal},
     {ThickText, MeasureText, PinField, PinContactText, RadialText, FeatureField, ChordalText},
     {kTransThick, kNone, kNone, kNone, kNone, kTransBacklash, kTransChordal}},
    {{kSpan, {}, Any},
     {ThickText, FeatureField, MeasureText, PinShortest, PinContactText, RadialText, ChordalText},
     {kTransThick, kNone, kNone, kNone, kNone, kNone, kTransChordal}},
};

// The rows of the helical page that have a transverse box: 5, 9, 10 and 11
// (and 2 and 3, whose transverse values are the pitch and pressure angle).
constexpr bool HasTransverseBox(int row) { return row == 5 || row == 9 || row == 10 || row == 11; }

// Whether rows are written with their captions: a batch reads the values
// only (PageDetail::ResultRows).
struct Captions {
    bool on = true;
};

// Writes a row, reusing the room of its texts.
void SetRow(Captions captions, PageRow& row, Quantity quantity, std::string_view caption, std::string value,
            std::string_view transverse = {}) {
    row.quantity = quantity;
    if (captions.on) row.caption.assign(caption);
    row.value = std::move(value);
    row.transverse.assign(transverse);
    row.visible = true;
}

// A row of a number written to its mask (the value text keeps its room).
void SetNumberRow(Captions captions, PageRow& row, Quantity quantity, std::string_view caption, double value,
                  std::string_view mask) {
    row.quantity = quantity;
    if (captions.on) row.caption.assign(caption);
    gearmain::FormatTo(row.value, value, mask);
    row.transverse.clear();
    row.visible = true;
}

// A row that shows nothing until the tables choose it. Its value is cleared
// once the tables have chosen (a value they write replaces the old one in its
// room).
void ClearRowButValue(PageRow& row) {
    row.quantity = Quantity::None;
    row.caption.clear();
    row.transverse.clear();
    row.visible = true;
}

// Rows of page 1 as bits: row r is bit r - 1.
using RowBits = uint32_t;
constexpr RowBits RowBit(int row) { return RowBits{1} << (row - 1); }

bool Matches(const Case& c, const GearMain& gear) {
    if (!gearmain::SameText(gear.InputFeature, c.feature) &&
        (c.alsoFeature.empty() || !gearmain::SameText(gear.InputFeature, c.alsoFeature)))
        return false;
    bool spanMode = gear.CalcMode == 3, external = gear.GearType == 1;
    switch (c.when) {
        case Any: return true;
        case SpanMode: return spanMode;
        case NotSpanMode: return !spanMode;
        case ExternalSpanMode: return external && spanMode;
        case ExternalNotSpanMode: return external && !spanMode;
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

// What a row is, and its caption, written into the row (a span row names the
// number of teeth spanned).
void SetCaption(Captions captions, PageRow& row, Caption caption, const std::string& spanCount) {
    auto set = [&](Quantity quantity, std::string_view text) {
        row.quantity = quantity;
        if (captions.on) row.caption.assign(text);
    };
    // The captions of the features' own rows are the features' names.
    switch (caption) {
        case KeepCaption: break;
        case CircularThickness: return set(Quantity::ToothThickness, kCircularThickness);
        case CircularSpace: return set(Quantity::ToothThickness, kCircularSpace);
        case ChordalThickness: return set(Quantity::ChordalThickness, kChordalThickness);
        case ChordalSpace: return set(Quantity::ChordalThickness, kChordalSpace);
        case OverPins: return set(Quantity::Measurement, kOverPins);
        case BetweenPins: return set(Quantity::Measurement, kBetweenPins);
        case PinDiameter: return set(Quantity::PinDiameter, "Pin Diameter");
        case PinContact: return set(Quantity::PinContactDiameter, "Pin Contact Diameter");
        case RadialPinLowercase: return set(Quantity::RadialDimension, "Radial Dimension (1) pin");
        case RadialPinCapital: return set(Quantity::RadialDimension, "Radial Dimension (1) Pin");
        case Caption::Backlash: return set(Quantity::Backlash, kBacklash);
        case Span:
            set(Quantity::Span, "Span Meas. Over (");
            if (!captions.on) return;
            row.caption += spanCount;
            row.caption += ") Teeth";
            return;
        case OverBalls: return set(Quantity::Measurement, "Dimension Over Balls");
        case BetweenBalls: return set(Quantity::Measurement, "Dimension Between Balls");
        case BetweenBallSingular: return set(Quantity::Measurement, "Dimension Between Ball");
        case BallDiameter: return set(Quantity::PinDiameter, "Ball Diameter");
        case BallContact: return set(Quantity::PinContactDiameter, "Ball Contact Diameter");
        case RadialBall: return set(Quantity::RadialDimension, "Radial Dimension (1) Ball");
    }
}

// The pin diameter that the calculation chose, as its shortest text written to
// five decimals: the seven significant digits, not the binary noise of the
// Single, are rounded.
std::string PinDiameterToFiveDecimals(float pin) {
    std::string shortest = ShortText(pin);
    return gearmain::IsPlainNumber(shortest) ? Format(Val(shortest), "0.00000") : Format(pin, "0.00000");
}

// Writes a row's value.
void SetValue(std::string& text, Value value, const GearMain& gear, const EntryTexts& texts) {
    switch (value) {
        case KeepValue: break;
        case FeatureField: AssignText(text, texts.featureValue); break;
        case PinField: AssignText(text, texts.pin); break;
        case PinShortest: text = ShortText(gear.PinDiameter); break;
        case PinFiveDecimals: text = PinDiameterToFiveDecimals(gear.PinDiameter); break;
        case ThickText: AssignText(text, gear.ThickText); break;
        case MeasureText: AssignText(text, gear.MeasureText); break;
        case SpanText: AssignText(text, gear.SpanText); break;
        case PinContactText: AssignText(text, gear.PinContactText); break;
        case RadialText: AssignText(text, gear.RadialText); break;
        case ChordalText: AssignText(text, gear.ChordalText); break;
        case ChordalInText: AssignText(text, gear.ChordalInText); break;
    }
}

const std::string& TransverseText(Transverse transverse, const GearMain& gear) {
    switch (transverse) {
        case Transverse::Chordal: return gear.TransChordalText;
        case Transverse::Backlash: return gear.TransBacklashText;
        default: return gear.TransThickText;
    }
}

// What the K factor row shows when the calculation has none (a measured span,
// or a pin that does not reach the flanks of the basic tooth): no number that
// would look worked out.
constexpr const char* kNoKFactor = "N/A";

// Row 12 holds the K factor. An internal gear (unless its feature is the
// contributing backlash) has one row fewer: the K factor moves up to row 11 and
// row 12 is hidden. The rows whose values it wrote.
RowBits KFactorRow(Captions captions, std::vector<PageRow>& rows, const GearMain& gear) {
    if (gear.KFactor != 0) SetNumberRow(captions, rows[11], Quantity::KFactor, "K Factor", gear.KFactor, "0.00000");
    else SetRow(captions, rows[11], Quantity::KFactor, "K Factor", kNoKFactor);
    if (!gearmain::SameText(gear.InputFeature, kBacklash) && gear.GearType == 2) {
        SetRow(captions, rows[10], Quantity::KFactor, rows[11].caption, rows[11].value);
        rows[11].visible = false;
        return RowBit(11) | RowBit(12);
    }
    return RowBit(12);
}

void ChooseCaptions(Captions captions, std::vector<PageRow>& rows, const CaptionLayout* layout,
                    const std::string& spanCount, bool oddTeeth) {
    if (!layout) return;
    for (int i = 0; i < kChosenRows; ++i) {
        Caption caption = oddTeeth && layout->oddTeeth[i] != KeepCaption ? layout->oddTeeth[i] : layout->rows[i];
        if (caption == KeepCaption) continue;
        SetCaption(captions, rows[kFirstChosenRow - 1 + i], caption, spanCount);
    }
}

// The rows whose values it wrote.
RowBits ChooseValues(std::vector<PageRow>& rows, const ValueLayout* layout, const GearMain& gear,
                     const EntryTexts& texts, bool helical) {
    if (!layout) return 0;
    RowBits written = 0;
    for (int i = 0; i < kChosenRows; ++i) {
        int row = kFirstChosenRow + i;
        if (layout->rows[i] != KeepValue) {
            SetValue(rows[row - 1].value, layout->rows[i], gear, texts);
            written |= RowBit(row);
        }
        if (helical && layout->transverse[i] != kNone && HasTransverseBox(row))
            rows[row - 1].transverse.assign(TransverseText(layout->transverse[i], gear));
    }
    return written;
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

constexpr const char* kOddTeethAdvice =
    "Odd tooth helical gears should be measured using balls\r"
    "or measured from the center of the gear over one pin.";
constexpr const char* kInternalAdvice = "Use balls for measuring internal helical gears";

}  // namespace

PageKind PageKindOf(const GearMain& gear) { return gear.HelixAngle > 0 ? PageKind::Helical : PageKind::Spur; }

const PageRow* RowOf(const PageContent& page, Quantity quantity) {
    for (const PageRow& row : page.rows)
        if (row.quantity == quantity && row.visible) return &row;
    return nullptr;
}

bool MeasuredOverBalls(const PageContent& page) {
    const PageRow* pin = RowOf(page, Quantity::PinDiameter);
    return pin && pin->caption.find("Ball") != std::string::npos;
}

namespace {

void WriteTitle(std::string& title, const GearMain& gear, const std::string& odChangeText, PageKind kind) {
    bool external = gear.GearType == 1;
    title.assign(external ? "External " : "Internal ");
    title += kind == PageKind::Helical ? "Helical Gear Data" : "Gear Data";
    if (gear.ODChange > 0) {
        title += "  (";
        title += odChangeText;
        title += external ? " Enlarged O.D.)" : " Enlarged)";
    } else if (gear.ODChange < 0) {
        title += "  (";
        title += odChangeText;
        title += external ? " Reduced O.D.)" : " Reduced)";
    }
}

}  // namespace

std::string PageTitle(const GearMain& gear, const std::string& odChangeText, PageKind kind) {
    std::string title;
    WriteTitle(title, gear, odChangeText, kind);
    return title;
}

void WritePageOneState(GearMain& gear, PageKind kind) {
    if (gear.GearType == 0) gear.GearType = 1;
    if (kind == PageKind::Helical) {
        gear.TransThickText = TransversePair(gear, gear.Thick1, gear.Thick2, gear.Thick2);
        // The second chordal thickness belongs to the second tooth thickness.
        gear.TransChordalText = TransversePair(gear, gear.Chordal1, gear.Chordal2, gear.Thick2);
        gear.TransBacklashText = TransversePair(gear, gear.Backlash1, gear.Backlash2, gear.Backlash2);
    }
    if (gear.GearType != 1) gear.OutsideDiameter = gear.InsideDiameter;
}

std::vector<Notice> HelicalAdvice(GearMain& gear) {
    std::vector<Notice> advice;
    if (gear.HintsChanged != 0) {
        bool oddTeeth = gearmain::FracPart(gear.NumTeeth / 2.0) > 0;
        if (oddTeeth && gear.GearType == 1) advice.push_back({kOddTeethAdvice, MsgIcon::Information, MsgButtons::OK});
        if (gear.GearType == 2) advice.push_back({kInternalAdvice, MsgIcon::Information, MsgButtons::OK});
    }
    gear.HintsChanged = 0;
    return advice;
}

void BuildMeasurementContent(PageContent& page, const GearMain& gear, const EntryTexts& texts, PageKind kind,
                             PageDetail detail) {
    const bool helical = kind == PageKind::Helical;
    const Captions captions{detail == PageDetail::All};
    page.form = helical ? FormId::FrmHelical1 : FormId::FrmOutput1;
    if (captions.on) {
        page.caption.assign(pages::kPageOneCaption);
        WriteTitle(page.title, gear, texts.odChange, kind);
    }
    page.next = false;
    page.zeroNote = false;

    std::vector<PageRow>& rows = page.rows;
    rows.resize(kPageOneRows);
    if (detail == PageDetail::All) {
        SetRow(captions, rows[0], Quantity::NumberOfTeeth, "Number of Teeth", MaskedText(texts.teeth, "0"));
        if (helical) {
            // A pitch fraction of the combination stub system is not a number:
            // it is shown as typed.
            SetRow(captions, rows[1], Quantity::DiametralPitch, "Diametral Pitch", MaskedText(texts.pitch, "0.000000"),
                   Format(gear.TransverseDP, "0.000000"));
            SetRow(captions, rows[2], Quantity::PressureAngle, "Pressure Angle", MaskedText(texts.pressureAngle, "0.000000"),
                   Format(gear.TransversePA, "0.000000"));
        } else {
            SetRow(captions, rows[1], Quantity::DiametralPitch, "Normal Diametral Pitch",
                   gear.DepthSystem == 8 ? texts.pitch : MaskedText(texts.pitch, "0.000000"));
            SetRow(captions, rows[2], Quantity::PressureAngle, "Normal Pressure Angle",
                   MaskedText(texts.pressureAngle, "0.000000"));
        }
        SetRow(captions, rows[3], Quantity::HelixAngle, "Helix Angle", MaskedText(texts.helix, "0.000000"));
    } else {
        SetRow(captions, rows[0], Quantity::NumberOfTeeth, "Number of Teeth", {});
        SetRow(captions, rows[1], Quantity::DiametralPitch, helical ? "Diametral Pitch" : "Normal Diametral Pitch", {});
        SetRow(captions, rows[2], Quantity::PressureAngle, helical ? "Pressure Angle" : "Normal Pressure Angle", {});
        SetRow(captions, rows[3], Quantity::HelixAngle, "Helix Angle", {});
    }
    for (int row = 5; row <= kPageOneRows; ++row) ClearRowButValue(rows[row - 1]);

    RowBits written = KFactorRow(captions, rows, gear);
    const std::string spanCount = captions.on ? ShortText(gear.TeethSpanned) : std::string();
    if (helical) {
        const bool oddTeeth = gearmain::FracPart(gear.NumTeeth / 2.0) > 0;
        ChooseCaptions(captions, rows, Find(kHelicalCaptions, gear), spanCount, oddTeeth);
        written |= ChooseValues(rows, Find(kHelicalValues, gear), gear, texts, true);
    } else {
        ChooseCaptions(captions, rows, Find(kSpurCaptions, gear), spanCount, false);
        written |= ChooseValues(rows, Find(kSpurValues, gear), gear, texts, false);
    }
    for (int row = 5; row <= kPageOneRows; ++row)
        if (!(written & RowBit(row))) rows[row - 1].value.clear();
}

PageContent MeasurementContent(const GearMain& gear, const EntryTexts& texts, PageKind kind) {
    PageContent page;
    BuildMeasurementContent(page, gear, texts, kind);
    return page;
}

PageContent MeasurementContent(const GearMain& gear, const EntryTexts& texts) {
    return MeasurementContent(gear, texts, PageKindOf(gear));
}

// ---------------------------------------------------------------- page 2

void BuildDimensionsContent(PageContent& page, const GearMain& gear, const EntryTexts& texts, PageKind kind,
                            PageDetail detail) {
    const bool helical = kind == PageKind::Helical;
    const bool external = gear.GearType == 1;
    const Captions captions{detail == PageDetail::All};
    page.form = helical ? FormId::FRMHelical2 : FormId::FrmOutput2;
    if (captions.on) {
        page.caption.assign(pages::kPageTwoCaption);
        WriteTitle(page.title, gear, texts.odChange, kind);
    }
    // The tolerance page can be reached only when a quality number was chosen.
    page.next = gear.QualityNumber != 0;
    page.zeroNote = false;
    constexpr std::string_view six = "0.000000", five = "0.00000";
    std::vector<PageRow>& rows = page.rows;
    rows.resize(12);
    SetNumberRow(captions, rows[0], Quantity::BaseDiameter, "Base Circle Diameter", gear.BaseDiameter, six);
    SetNumberRow(captions, rows[1], Quantity::PitchDiameter, "Pitch Diameter", gear.PitchDiameter, six);
    SetNumberRow(captions, rows[2], Quantity::CircularPitch, "Circular Pitch", gear.CircPitch, six);
    SetNumberRow(captions, rows[3], Quantity::BasePitch, "Base Pitch", gear.BasePitch, six);
    if (helical) {
        gearmain::FormatTo(rows[2].transverse, gear.TransCircPitch, six);
        gearmain::FormatTo(rows[3].transverse, gear.TransBasePitch, six);
    }
    // An internal gear shows its inside diameter (which page 1 also copies
    // into OutsideDiameter).
    SetNumberRow(captions, rows[4], Quantity::OutsideOrInsideDiameter, external ? "Outside Diameter" : "Inside Diameter",
                 external ? gear.OutsideDiameter : gear.InsideDiameter, five);
    SetNumberRow(captions, rows[5], Quantity::RootDiameter, "Root Diameter (Basic)", gear.RootDiameter, five);
    // One finished root diameter is rounded to five decimals; a range of two
    // keeps the six decimals of its text.
    SetRow(captions, rows[6], Quantity::FinishedRootDiameter, helical ? "Root Diameter (Finish)" : "Root Diameter (Finished Size)",
           MaskedText(gear.FinishedRootText, "0.00000"));
    SetNumberRow(captions, rows[7], Quantity::WholeDepth, "Whole Depth", gear.WholeDepth, five);
    SetNumberRow(captions, rows[8], Quantity::WorkingDepth, "Working Depth", gear.WorkingDepth, five);
    SetNumberRow(captions, rows[9], Quantity::Addendum, "Addendum", gear.Addendum, five);
    SetNumberRow(captions, rows[10], Quantity::Dedendum, "Dedendum", gear.Dedendum, five);
    SetRow(captions, rows[11], Quantity::TipLand, helical ? "Tooth Tip Land" : "Tooth Tip Land ", gear.TipLandText);
}

PageContent DimensionsContent(const GearMain& gear, const EntryTexts& texts, PageKind kind) {
    PageContent page;
    BuildDimensionsContent(page, gear, texts, kind);
    return page;
}

PageContent DimensionsContent(const GearMain& gear, const EntryTexts& texts) {
    return DimensionsContent(gear, texts, PageKindOf(gear));
}

// ---------------------------------------------------------------- tolerances

void BuildToleranceContent(PageContent& page, const GearMain& gear, std::string_view mask) {
    page.form = FormId::AGMATOL;
    page.caption.assign(pages::kTolerancesCaption);
    page.title.assign(pages::kTolerancesHeading);
    page.next = false;
    page.zeroNote = false;
    const std::pair<Quantity, float> tolerances[] = {
        {Quantity::Runout, gear.TolRunout},           {Quantity::PitchVariation, gear.TolPitchVar},
        {Quantity::Profile, gear.TolProfile},         {Quantity::Lead, gear.TolLead},
        {Quantity::ToothToTooth, gear.TolToothToTooth}, {Quantity::TotalComposite, gear.TolTotalComposite},
    };
    page.rows.resize(std::size(tolerances));
    for (size_t i = 0; i < std::size(tolerances); ++i) {
        auto [quantity, value] = tolerances[i];
        SetNumberRow(Captions{}, page.rows[i], quantity, pages::kToleranceCaptions[i], value, mask);
        // The note explains a tolerance of 0; without one it is not needed.
        if (Val(page.rows[i].value) == 0) page.zeroNote = true;
    }
}

PageContent ToleranceContent(const GearMain& gear, std::string_view mask) {
    PageContent page;
    BuildToleranceContent(page, gear, mask);
    return page;
}

SheetContents PageOneContents(const GearMain& gear, const EntryTexts& texts, PageKind kind) {
    return {kind, MeasurementContent(gear, texts, kind), DimensionsContent(gear, texts, kind),
            ToleranceContent(gear, kind == PageKind::Helical ? "0.000000" : "0.00000")};
}

}  // namespace involvo
