#include "engine/faults.h"

#include "engine/features.h"
#include "engine/messages.h"

namespace gearmain {

namespace {

using When = bool (*)(const FaultContext&);

bool Always(const FaultContext&) { return true; }
bool External(const FaultContext& c) { return c.gearType == 1; }
bool SpanInput(const FaultContext& c) { return c.feature == feature::kSpan; }
bool SpanMode(const FaultContext& c) { return c.mode == 3; }
bool PinsExternal(const FaultContext& c) { return c.mode == 1 && c.gearType == 1; }
bool PinsInternal(const FaultContext& c) { return c.mode == 1 && c.gearType != 1; }
bool MeasuredExternal(const FaultContext& c) { return c.mode == 2 && c.gearType == 1; }
bool MeasuredInternal(const FaultContext& c) { return c.mode == 2 && c.gearType != 1; }

struct Row {
    FaultSite site;
    When when;
    const char* message;
    Field field;
};

// Rows of one site are tried in order; the last row of each site always fits.
constexpr Row kFaults[] = {
    // The pin measurement names what the user entered: the measured span, the
    // thickness (mode 1) or the measurement (mode 2), with the pin beside it.
    {FaultSite::PinMeasurement, SpanInput, msg::kSpanValue, Field::FeatureValue},
    {FaultSite::PinMeasurement, PinsExternal, msg::kThicknessOrPin, Field::Pin},
    {FaultSite::PinMeasurement, PinsInternal, msg::kSpaceWidthOrPin, Field::Pin},
    {FaultSite::PinMeasurement, MeasuredExternal, msg::kOverPinsOrPin, Field::Pin},
    {FaultSite::PinMeasurement, MeasuredInternal, msg::kBetweenPinsOrPin, Field::Pin},
    {FaultSite::PinMeasurement, Always, msg::kInvolute, Field::FeatureValue},
    // The inverse measurement leaves the focus where it is.
    {FaultSite::PinThickness, External, msg::kOverPinsOrPin, Field::None},
    {FaultSite::PinThickness, Always, msg::kBetweenPinsOrPin, Field::None},
    {FaultSite::Chordal, External, msg::kChordalThickness, Field::FeatureValue},
    {FaultSite::Chordal, Always, msg::kChordalSpace, Field::FeatureValue},
    // In span mode the count of teeth spanned is typed into the pin field.
    {FaultSite::Span, SpanInput, msg::kSpanValue, Field::FeatureValue},
    {FaultSite::Span, SpanMode, msg::kSpanThickness, Field::Pin},
    {FaultSite::Span, Always, msg::kSpanThickness, Field::FeatureValue},
    {FaultSite::Conversion, Always, msg::kGearData, Field::FeatureValue},
    {FaultSite::Dimensions, Always, msg::kGearData, Field::None},
};

}  // namespace

Fault FaultOf(const FaultContext& context) {
    for (const Row& row : kFaults)
        if (row.site == context.site && row.when(context)) return {row.message, row.field};
    return {msg::kGearData, Field::None};
}

}  // namespace gearmain
