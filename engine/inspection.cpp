#include "engine/inspection.h"

#include <algorithm>
#include <cmath>

#include "engine/features.h"

namespace gearmain {

namespace {

constexpr std::string_view kMask = "0.000000";
// Below this every six-decimal text is told apart from its neighbours by a
// double, so comparing the values of two texts is comparing the texts.
constexpr double kLargestReading = 1e9;

// A value as the pages write it, and read back.
double Shown(double value) { return RoundToMask(value, kMask); }
std::string Text(double value) { return ResultText(value, kMask); }

// The two ends of a result text "a / b"; nothing for a single value.
std::optional<Band> BandOf(std::string_view text) {
    const size_t slash = text.find(" / ");
    if (slash == std::string_view::npos) return std::nullopt;
    std::string a = Trim(text.substr(0, slash)), b = Trim(text.substr(slash + 3));
    if (Val(b) < Val(a)) std::swap(a, b);
    return Band{a, b};
}

Band SortedBand(double a, double b) {
    if (b < a) std::swap(a, b);
    return Band{Text(a), Text(b)};
}

// The band typed in the feature value field, "a / b", rewritten with the mask
// (as the field already shows it); nothing unless both ends are numbers.
std::optional<Band> EnteredBand(std::string_view entered) {
    const size_t slash = entered.find('/');
    if (slash == std::string_view::npos) return std::nullopt;
    const std::string a = Trim(entered.substr(0, slash)), b = Trim(entered.substr(slash + 1));
    if (!IsPlainNumber(a) || !IsPlainNumber(b)) return std::nullopt;
    return SortedBand(Val(a), Val(b));
}

// The thickness (or space width) that a reading implies, with the routine of
// the measured quantity; nothing when none fits. The reading is stored as the
// thickness mode stores an entered measurement: its six-decimal value as a
// Single.
std::optional<float> ThicknessOf(GearMain& gear, Measured measured, double reading) {
    float teeth = gear.NumTeeth, pitch = gear.NormalDP, pressureAngle = gear.NormalPA, helix = gear.HelixAngle;
    float pin = gear.PinDiameter, spanned = gear.TeethSpanned;
    int16_t gearType = gear.GearType;
    float value = SngEntry(Shown(reading));
    float thickness = 0;
    gear.CalcFailed = 0;
    try {
        thickness = measured == Measured::Pins
                        ? gear.ThicknessFromMeasurement(teeth, pitch, pressureAngle, value, pin, gearType, helix)
                        : gear.ThicknessFromSpan(teeth, pitch, pressureAngle, value, spanned, helix);
    } catch (const ArithmeticFault&) {
        return std::nullopt;
    }
    if (gear.CalcFailed == -1 || !std::isfinite(thickness)) return std::nullopt;
    // A tooth (or a space) takes more than nothing and less than the whole
    // circular pitch: the routines' formulas go on past both ends, the gear does
    // not.
    const double shown = Shown(thickness);
    if (!(shown > 0.0) || !(shown < 3.14159265 / pitch)) return std::nullopt;
    return thickness;
}

}  // namespace

const char* StatusText(ReadingStatus status) {
    switch (status) {
        case ReadingStatus::Within: return "within";
        case ReadingStatus::Over: return "over";
        case ReadingStatus::Under: return "under";
        case ReadingStatus::NoThickness: return "no thickness";
        case ReadingStatus::Unjudged: break;
    }
    return "";
}

const char* VerdictText(Verdict verdict) {
    switch (verdict) {
        case Verdict::Accept: return "accept";
        case Verdict::Reject: return "reject";
        case Verdict::None: break;
    }
    return "";
}

size_t Inspection::OutOfLimits() const {
    return static_cast<size_t>(std::count_if(readings.begin(), readings.end(), [](const ReadingCheck& r) {
        return r.status != ReadingStatus::Within && r.status != ReadingStatus::Unjudged;
    }));
}

Inspection InspectPart(const GearMain& gear, const std::vector<double>& readings, std::string_view enteredValue) {
    GearMain copy = gear;
    // A gear type of 0 is the external gear, as page 1 takes it.
    if (copy.GearType == 0) copy.GearType = 1;

    Inspection result;
    result.internal = copy.GearType != 1;
    const bool spanInput = copy.InputFeature == feature::kSpan;
    result.measured = spanInput || copy.CalcMode == 3 ? Measured::Span : Measured::Pins;
    result.measuredCaption = result.measured == Measured::Span
                                 ? "Span Meas. Over (" + ShortText(copy.TeethSpanned) + ") Teeth"
                                 : result.internal ? feature::kBetweenPins : feature::kOverPins;
    result.thicknessCaption = result.internal ? feature::kCircularSpace : feature::kCircularThickness;

    // The measured quantity: entered in the thickness mode (and as a span),
    // calculated otherwise. A band has limits; a single value is the nominal.
    if (spanInput || copy.CalcMode == 2) {
        if (copy.Measure2 != 0) {
            result.limits = EnteredBand(enteredValue);
            if (!result.limits) result.limits = SortedBand(copy.Measure1, copy.Measure2);
        } else {
            result.nominal = enteredValue.empty() || !IsPlainNumber(enteredValue) ? Text(copy.Measure1)
                                                                                  : Text(Val(enteredValue));
        }
    } else {
        const std::string& text = copy.CalcMode == 3 ? copy.SpanText : copy.MeasureText;
        result.limits = BandOf(text);
        if (!result.limits) result.nominal = Trim(text);
    }
    if (result.limits) result.thicknessLimits = SortedBand(copy.Thick1, copy.Thick2);
    else result.thicknessNominal = Text(copy.Thick1);

    double smallest = 0, largest = 0;
    for (double reading : readings) {
        if (!std::isfinite(reading)) continue;
        ReadingCheck check;
        const double shown = Shown(reading);
        check.reading = Text(reading);
        const std::optional<float> thickness = ThicknessOf(copy, result.measured, reading);
        if (thickness) check.thickness = Text(*thickness);
        if (result.limits) {
            const double low = Val(result.limits->low), high = Val(result.limits->high);
            if (shown > high) {
                check.status = ReadingStatus::Over;
                check.beyond = Text(shown - high);
            } else if (shown < low) {
                check.status = ReadingStatus::Under;
                check.beyond = Text(low - shown);
            } else {
                check.status = ReadingStatus::Within;
                check.beyond = Text(0);
            }
            if (!thickness) check.status = ReadingStatus::NoThickness;
        } else {
            check.status = thickness ? ReadingStatus::Unjudged : ReadingStatus::NoThickness;
            if (thickness) check.difference = Text(Shown(*thickness) - Val(result.thicknessNominal));
        }
        smallest = result.readings.empty() ? shown : std::min(smallest, shown);
        largest = result.readings.empty() ? shown : std::max(largest, shown);
        result.readings.push_back(std::move(check));
    }

    if (!result.readings.empty()) {
        result.spread = Text(largest - smallest);
        if (result.limits) result.verdict = result.OutOfLimits() == 0 ? Verdict::Accept : Verdict::Reject;
    }
    return result;
}

std::optional<double> ReadingValue(std::string_view text) {
    if (!IsPlainNumber(text)) return std::nullopt;
    const double value = Val(text);
    if (!(std::fabs(value) < kLargestReading)) return std::nullopt;
    return value;
}

ReadingList ParseReadings(std::string_view text) {
    ReadingList list;
    auto separator = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ','; };
    size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && separator(text[pos])) ++pos;
        size_t end = pos;
        while (end < text.size() && !separator(text[end])) ++end;
        if (end == pos) break;
        const std::string_view item = text.substr(pos, end - pos);
        pos = end;
        if (!IsPlainNumber(item)) {
            list.error = "not a number: " + std::string(item);
            return list;
        }
        const std::optional<double> value = ReadingValue(item);
        if (!value) {
            list.error = "too large to be a reading: " + std::string(item);
            return list;
        }
        list.values.push_back(*value);
        list.texts.emplace_back(item);
    }
    if (list.values.empty()) list.error = "no readings: give one number or more, separated by blanks or commas";
    return list;
}

}  // namespace gearmain
