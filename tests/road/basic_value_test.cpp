// Without --value, involvo-cli calculates with the basic value that the input
// screen's Basic hint offers for the gear as finally entered: the pin or the
// number of teeth spanned typed after the hint first appeared counts.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "cli/cli.h"
#include "tests/road/window_road.h"

namespace involvo::testing {
namespace {

using cli::GearOptions;
using cli::Option;

GearOptions Gear(std::initializer_list<std::pair<Option, const char*>> entries) {
    GearOptions options;
    for (const auto& [option, value] : entries) options.Set(option, value);
    return options;
}

// The value the Basic hint shows once the whole gear is typed in.
std::string BasicHint(const GearOptions& options) {
    WindowRoad road;
    EXPECT_TRUE(road.Enter(options));
    const std::string caption = road.Screen().Text(ctl::LabelBasic);
    const std::string prefix = "-> Basic = ";
    EXPECT_EQ(caption.rfind(prefix, 0), 0u) << caption;
    return caption.substr(std::min(caption.size(), prefix.size()));
}

// The first visible row of page 1 that is the quantity.
std::string PageOneRow(const cli::GearRun& run, Quantity quantity) {
    if (run.pages.empty()) return "no page";
    for (const PageRow& row : run.pages[0].rows)
        if (row.visible && row.quantity == quantity) return row.value;
    return "no row";
}

struct Case {
    const char* name;
    GearOptions options;
    Quantity entered;     // the row that shows the value entered
    Quantity derived;     // a row calculated from it
    double expected;      // that row, worked by hand
};

// Over a basic measurement the tooth comes out basic: pi / (2 P), plus the
// O.D. change times tan(pressure angle) (0.01 tan 20 = 0.003640).
// In the pins mode the dimension over pins follows from the basic tooth:
// 24 teeth, P 10, 20 degrees, pin 0.2: inv(phi) = 0.2/2.255262 + 0.15708/2.4 +
// inv 20 - pi/24 = 0.038136, phi = 26.9667 degrees, 2.255262 / cos(phi) + 0.2
// = 2.730392.
TEST(BasicValue, WithoutAValueTheCalculationUsesTheBasicHintOfTheGearAsFinallyEntered) {
    const Case cases[] = {
        {"pins mode, pin typed",
         Gear({{Option::Teeth, "24"}, {Option::Pitch, "10"}, {Option::Pin, "0.2"}}), Quantity::ToothThickness,
         Quantity::Measurement, 2.73039},
        {"thickness mode over pins, pin typed",
         Gear({{Option::Mode, "thickness"}, {Option::Teeth, "24"}, {Option::Pitch, "10"}, {Option::Pin, "0.2"}}),
         Quantity::Measurement, Quantity::ToothThickness, 0.15708},
        {"thickness mode over pins, O.D. change",
         Gear({{Option::Mode, "thickness"}, {Option::Teeth, "24"}, {Option::Pitch, "10"}, {Option::Helix, "0"},
               {Option::ODChange, "0.01"}, {Option::Pin, "0.19"}}),
         Quantity::Measurement, Quantity::ToothThickness, 0.16072},
        {"thickness mode between pins",
         Gear({{Option::Internal, ""}, {Option::Mode, "thickness"}, {Option::Teeth, "60"}, {Option::Pitch, "10"},
               {Option::Pin, "0.16"}}),
         Quantity::Measurement, Quantity::ToothThickness, 0.15708},
        {"thickness mode from a span over a count typed",
         Gear({{Option::Mode, "thickness"}, {Option::Feature, "Span Measurement"}, {Option::Teeth, "30"},
               {Option::Pitch, "10"}, {Option::Pin, "5"}}),
         Quantity::Span, Quantity::ToothThickness, 0.15708},
        {"span mode over a count typed",
         Gear({{Option::Mode, "span"}, {Option::Teeth, "30"}, {Option::Pitch, "10"}, {Option::Pin, "4"}}),
         Quantity::ToothThickness, Quantity::ToothThickness, 0.15708},
        {"chordal thickness, helical",
         Gear({{Option::Feature, "Chordal Tooth Thickness"}, {Option::Teeth, "25"}, {Option::Pitch, "10"},
               {Option::Helix, "30"}, {Option::Pin, "0.2"}}),
         Quantity::ChordalThickness, Quantity::ToothThickness, 0.15708},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string hint = BasicHint(c.options);
        const cli::GearRun run = cli::RunGear(c.options, false);
        ASSERT_TRUE(run.ok) << run.error;
        EXPECT_EQ(PageOneRow(run, c.entered), hint);
        EXPECT_NEAR(gearmain::Val(PageOneRow(run, c.derived)), c.expected, 2e-5);
    }
}

TEST(BasicValue, AValueGivenIsUsedAsGiven) {
    const cli::GearRun run = cli::RunGear(
        Gear({{Option::Mode, "thickness"}, {Option::Teeth, "24"}, {Option::Pitch, "10"}, {Option::Pin, "0.2"},
              {Option::Value, "2.7"}}),
        false);
    ASSERT_TRUE(run.ok) << run.error;
    EXPECT_EQ(PageOneRow(run, Quantity::Measurement), "2.700000");
}

}  // namespace
}  // namespace involvo::testing
