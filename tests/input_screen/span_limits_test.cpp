// The span limits of the engine against the span check of the Calculate
// command: every count between the fewest and the most passes it, the fewest
// with its caution, and one count beyond either limit is refused.
#include <gtest/gtest.h>

#include <string>

#include "engine/driver_fixture.h"
#include "engine/measuring_aids.h"
#include "engine/span_limits.h"
#include "input_screen/error_handle.h"

using namespace gearmain;

namespace {

constexpr const char* kCaution = "Caution! - Make sure that the calipers or anvils are not contacting";
constexpr const char* kMinimum = "The minimum number of teeth for span measurement is ";
constexpr const char* kMaximum = "The maximum number of teeth for span measurement is ";

class SpanAids : public enginetest::DriverTest {};

struct SpanCase {
    const char* name;
    float teeth, pitch, pa, helix;
    const char* thickness;
    float odChange = 0, thickChange = 0;
};

class Spans : public enginetest::DriverTest, public ::testing::WithParamInterface<SpanCase> {
protected:
    // A span measurement over k teeth from the thickness, then the span check;
    // true when it refuses the count.
    bool SpanOver(const SpanCase& c, float k) {
        gear = GearMain();
        gear.StartUp();
        Gear(3, 1, c.teeth, c.pitch, c.pa, c.helix);
        gear.ODChange = gear.ODChangeCopy = c.odChange;
        gear.ThickChangeTrans = gear.ThickChangeNormal = c.thickChange;
        Feature("Circular Tooth Thickness", c.thickness);
        Pin(k);
        Run();
        EXPECT_EQ(gear.CalcFailed, 0);
        check = involvo::ErrorHandle::CheckSpanLimits(gear);
        return check.refused;
    }

    bool Shown(const char* start) const {
        for (const Notice& n : check.notices)
            if (n.text.rfind(start, 0) == 0) return true;
        return false;
    }

    involvo::ErrorHandle::CheckResult check;
};

TEST_P(Spans, EveryCountBetweenTheLimitsPassesTheSpanCheck) {
    const SpanCase& c = GetParam();
    SpanOver(c, 2);
    GearMain copy = gear;
    const std::optional<SpanLimits> found = SpanLimitsOf(copy, gear.Thick1);
    ASSERT_TRUE(found);
    const SpanLimits limits = *found;
    ASSERT_GE(limits.fewest, 1);
    ASSERT_GE(limits.most, limits.fewest);

    for (float k = std::max(1.0f, limits.fewest - 1); k <= limits.most + 1; ++k) {
        const bool refused = SpanOver(c, k);
        if (k < limits.fewest) {
            EXPECT_TRUE(refused) << k;
            EXPECT_TRUE(Shown(kMinimum)) << k;
        } else if (k > limits.most) {
            EXPECT_TRUE(refused) << k;
            EXPECT_TRUE(Shown(kMaximum)) << k;
        } else {
            EXPECT_FALSE(refused) << k;
            EXPECT_EQ(Shown(kCaution), k == limits.fewest) << k;
        }
        // The aids mark the count as the check judges it.
        const MeasuringAids aids = MeasuringAidsOf(gear);
        ASSERT_TRUE(aids.span);
        EXPECT_EQ(aids.span->fewest, limits.fewest);
        EXPECT_EQ(aids.span->most, limits.most);
        EXPECT_EQ(aids.SpanOutside(), k < limits.fewest || k > limits.most) << k;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, Spans,
    ::testing::Values(SpanCase{"Spur24", 24, 10, 20, 0, "0.157080"},
                      SpanCase{"Spur55", 55, 8, 20, 0, "0.194000"},
                      SpanCase{"Spur100", 100, 10, 14.5f, 0, "0.155000"},
                      SpanCase{"Spur100At20", 100, 10, 20, 0, "0.157080"},
                      SpanCase{"Fine", 60, 24, 25, 0, "0.065450"},
                      SpanCase{"Helical", 40, 10, 20, 25, "0.157080"},
                      SpanCase{"EnlargedOD", 24, 10, 20, 0, "0.164359", 0.02f, 0.0072794f},
                      SpanCase{"ThinTooth", 36, 6, 20, 0, "0.240000"}),
    [](const auto& info) { return std::string(info.param.name); });

// 24 teeth, pitch 10, 20 degrees, basic thickness: pb = 0.295213, the span
// over one tooth Db (inv 20 + t/D) = 0.181220, rb = 1.127631; d(k) =
// 2 sqrt((W/2)^2 + rb^2) is 2.26253, 2.30504, 2.38362, 2.49487, 2.63466 for
// k = 1 to 5. The O.D. 2.6 is passed at 5, so the most is 4; the root limit
// 2.6 - 2 (0.225 - 0.0157080) = 2.181416 is never reached, so the fewest is 1.
TEST_F(SpanAids, SpanLimitsOfTheBasicSpurGearAreThoseWorkedFromTheFormulas) {
    Gear(1, 1, 24, 10, 20);
    Feature("Circular Tooth Thickness", "0.157080");
    Pin(0.1728f);
    Run();
    ASSERT_EQ(gear.TeethSpanned, 4);
    GearMain copy = gear;
    const std::optional<SpanLimits> limits = SpanLimitsOf(copy, gear.Thick1);
    ASSERT_TRUE(limits);
    EXPECT_EQ(limits->fewest, 1);
    EXPECT_EQ(limits->most, 4);

    // The aids of the calculation: its count is the one the span routine
    // chose, and its contact diameter d(4).
    const MeasuringAids aids = MeasuringAidsOf(gear);
    ASSERT_TRUE(aids.span);
    EXPECT_EQ(aids.span->fewest, 1);
    EXPECT_EQ(aids.span->most, 4);
    EXPECT_EQ(aids.teethSpanned, 4);
    EXPECT_FALSE(aids.SpanOutside());
    const MeasuringAidsTexts texts = TextsOf(aids);
    EXPECT_EQ(texts.spanFewest, "1");
    EXPECT_EQ(texts.spanMost, "4");
    EXPECT_EQ(texts.spanContact, "2.49487");

    for (float k : {1.0f, 2.0f, 3.0f, 4.0f, 5.0f}) {
        GearMain copy = gear;
        const std::optional<double> d = SpanContactDiameter(copy, gear.Thick1, k);
        ASSERT_TRUE(d);
        const double expected = k == 1 ? 2.262531 : k == 2 ? 2.305037 : k == 3 ? 2.383620 : k == 4 ? 2.494874 : 2.634663;
        EXPECT_NEAR(*d, expected, 2e-6) << k;
    }
}

}  // namespace
