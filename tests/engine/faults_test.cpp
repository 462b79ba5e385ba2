// The one table of the engine's faults: the message of each place a
// calculation can fail, and the entry the user is sent back to.
#include <gtest/gtest.h>

#include "engine/faults.h"

using namespace gearmain;

namespace {

struct FaultRow {
    FaultSite site;
    const char* feature;
    int16_t mode, gearType;
    const char* message;
    Field field;
};

class FaultTable : public ::testing::TestWithParam<FaultRow> {};

TEST_P(FaultTable, NamesTheMessageAndTheEntry) {
    const FaultRow& r = GetParam();
    Fault fault = FaultOf({r.site, r.feature, r.mode, r.gearType});
    EXPECT_EQ(fault.message, r.message);
    EXPECT_EQ(fault.field, r.field);
}

constexpr const char* kSpanValue = "Involute function error: Unacceptable span measurement value";
constexpr const char* kSpanThickness =
    "Span measurement error: Unacceptable tooth thickness or number of teeth spanned";
constexpr const char* kOverPins = "Involute function error: Unacceptable dimension over pins or pin diameter";
constexpr const char* kBetweenPins = "Involute function error: Unacceptable dimension between pins or pin diameter";
constexpr const char* kGearData = "Calculation error: Unacceptable gear data";

INSTANTIATE_TEST_SUITE_P(
    Rows, FaultTable,
    ::testing::Values(
        // The pin measurement names what the user entered.
        FaultRow{FaultSite::PinMeasurement, "Span Measurement", 2, 1, kSpanValue, Field::FeatureValue},
        FaultRow{FaultSite::PinMeasurement, "Circular Tooth Thickness", 1, 1,
                 "Involute function error: Unacceptable tooth thickness or pin diameter", Field::Pin},
        FaultRow{FaultSite::PinMeasurement, "Circular Space Width", 1, 2,
                 "Involute function error: Unacceptable space width or pin diameter", Field::Pin},
        FaultRow{FaultSite::PinMeasurement, "Dimension Over Pins", 2, 1, kOverPins, Field::Pin},
        FaultRow{FaultSite::PinMeasurement, "Dimension Between Pins", 2, 2, kBetweenPins, Field::Pin},
        FaultRow{FaultSite::PinMeasurement, "Circular Tooth Thickness", 3, 1, "Involute function error",
                 Field::FeatureValue},
        // The inverse measurement leaves the focus where it is.
        FaultRow{FaultSite::PinThickness, "Dimension Over Pins", 2, 1, kOverPins, Field::None},
        FaultRow{FaultSite::PinThickness, "Dimension Between Pins", 2, 2, kBetweenPins, Field::None},
        FaultRow{FaultSite::Chordal, "Chordal Tooth Thickness", 1, 1,
                 "Chordal thickness error: Unacceptable chordal tooth thickness", Field::FeatureValue},
        FaultRow{FaultSite::Chordal, "Chordal Space Width", 1, 2,
                 "Chordal thickness error: Unacceptable chordal space width", Field::FeatureValue},
        FaultRow{FaultSite::Span, "Span Measurement", 2, 1, kSpanValue, Field::FeatureValue},
        // In span mode the number of teeth spanned is typed into the pin field.
        FaultRow{FaultSite::Span, "Circular Tooth Thickness", 3, 1, kSpanThickness, Field::Pin},
        FaultRow{FaultSite::Span, "Circular Tooth Thickness", 1, 1, kSpanThickness, Field::FeatureValue},
        FaultRow{FaultSite::Conversion, "Circular Tooth Thickness", 1, 1, kGearData, Field::FeatureValue},
        FaultRow{FaultSite::Dimensions, "Circular Tooth Thickness", 1, 1, kGearData, Field::None}));

}  // namespace
