// Checking a part: the thickness each reading implies, the limits, the verdict
// at and around them, readings that no thickness fits, and the readings list.
//
// The thicknesses expected are worked out in double precision from the gear
// formulas, independently of the program:
//   over pins (even teeth): cos(phi) = Db / (M - d),
//     t = D (pi/N + inv(phi) - inv(a)) - d / cos(a);
//   between pins: cos(phi) = Db / (M + d), space width e = D (inv(phi) - inv(a)) + d / cos(a);
//   odd teeth: the pin-centre diameter is (M - d) / cos(90/N);
//   helical: the same in the transverse plane, t = tt cos(helix);
//   span over k teeth (base tangent): t = W / cos(a) - (k - 1) pi/P - (N/P) inv(at).
// The measurements at the basic thickness pi/(2P) are the textbook ones: 2.63997
// over 0.1728 pins for 24 teeth, pitch 10, 20 degrees; the span over 3 teeth of
// that gear is cos 20 / 10 (2.5 pi + 24 inv 20) = 0.771646.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/gearmain.h"
#include "engine/inspection.h"

using namespace gearmain;

namespace {

// The state a calculation leaves, as far as the check reads it.
struct GearCase {
    int16_t mode = 1, type = 1;
    float teeth = 24, pitch = 10, pa = 20, helix = 0, pin = 0.1728f, spanned = 0;
    std::string feature = "Circular Tooth Thickness";
    float thick1 = 0.157f, thick2 = 0.155f, measure1 = 0, measure2 = 0;
    std::string measureText = "2.635124 / 2.639784", spanText;
};

GearMain Calculated(const GearCase& c) {
    GearMain g;
    g.StartUp();
    g.CalcMode = c.mode;
    g.GearType = c.type;
    g.InputFeature = c.feature;
    g.NumTeeth = c.teeth;
    g.NormalDP = c.pitch;
    g.NormalPA = c.pa;
    g.HelixAngle = c.helix;
    g.PinDiameter = c.pin;
    g.TeethSpanned = c.spanned;
    g.Thick1 = c.thick1;
    g.Thick2 = c.thick2;
    g.Measure1 = c.measure1;
    g.Measure2 = c.measure2;
    g.MeasureText = c.measureText;
    g.SpanText = c.spanText;
    return g;
}

const GearCase kSpur24;  // 24 teeth, pitch 10, 20 degrees, 0.1728 pins, thickness 0.155 / 0.157

GearCase Span24() {
    GearCase c;
    c.mode = 3;
    c.spanned = 3;
    c.spanText = "0.769692 / 0.771646";
    return c;
}

// ---- The thickness of a reading ----

struct ThicknessCase {
    const char* what;
    GearCase gear;
    double reading, thickness;
};

GearCase With(GearCase c, int16_t type, float teeth, float pitch, float helix, float pin, int16_t mode = 1,
              float spanned = 0) {
    c.type = type;
    c.teeth = teeth;
    c.pitch = pitch;
    c.helix = helix;
    c.pin = pin;
    c.mode = mode;
    c.spanned = spanned;
    return c;
}

TEST(Inspection, EachReadingImpliesTheThicknessOfTheInverseMeasurement) {
    const GearCase internal60 = With(kSpur24, 2, 60, 10, 0, 0.144f);
    const GearCase odd25 = With(kSpur24, 1, 25, 10, 0, 0.1728f);
    const GearCase helical30 = With(kSpur24, 1, 30, 8, 15, 0.216f);
    const GearCase span24 = With(kSpur24, 1, 24, 10, 0, 0.1728f, 3, 3);
    const GearCase span30 = With(kSpur24, 1, 30, 8, 15, 0.216f, 3, 4);
    const std::vector<ThicknessCase> cases = {
        {"24 teeth over pins at the basic measurement", kSpur24, 2.63997, 0.157080},
        {"24 teeth over pins, thin", kSpur24, 2.6339, 0.154478},
        {"24 teeth over pins, thick", kSpur24, 2.64, 0.157093},
        {"24 teeth over pins, thinner", kSpur24, 2.63, 0.152823},
        {"25 teeth across the diagonal", odd25, 2.735105, 0.157080},
        {"60 teeth internal, space width", internal60, 5.7, 0.102645},
        {"60 teeth internal, wider space", internal60, 5.8, 0.133602},
        {"30 teeth helical 15 degrees over pins", helical30, 4.184121, 0.196350},
        {"30 teeth helical, thick", helical30, 4.2, 0.203010},
        {"span over 3 teeth at the basic span", span24, 0.771646, 0.157079},
        {"span over 3 teeth, 0.001 more", span24, 0.772646, 0.158144},
        {"span over 3 teeth, short", span24, 0.77, 0.155328},
        {"helical span over 4 teeth", span30, 1.35, 0.196843},
        {"helical span over 4 teeth, short", span30, 1.348, 0.194714},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Inspection in = InspectPart(Calculated(c.gear), {c.reading});
        ASSERT_EQ(in.readings.size(), 1u);
        ASSERT_TRUE(in.readings[0].thickness);
        const std::string& t = *in.readings[0].thickness;
        EXPECT_EQ(t.size() - t.find('.') - 1, 6u) << t;  // written with the mask 0.000000
        EXPECT_NEAR(Val(t), c.thickness, 3e-6);         // Single arithmetic moves the last digit
    }
}

// ---- Limits ----

TEST(Inspection, LimitsComeFromTheMeasuredQuantityOfEachMode) {
    GearCase thicknessMode = kSpur24;
    thicknessMode.mode = 2;
    thicknessMode.feature = "Dimension Over Pins";
    thicknessMode.measure1 = 2.6371f;
    thicknessMode.measure2 = 2.6339f;
    thicknessMode.thick1 = 0.155846f;
    thicknessMode.thick2 = 0.154478f;
    GearCase spanInput = Span24();
    spanInput.mode = 2;
    spanInput.feature = "Span Measurement";
    spanInput.measure1 = 0.7705f;
    spanInput.measure2 = 0.7716f;
    spanInput.thick1 = 0.15586f;
    spanInput.thick2 = 0.15703f;
    GearCase internal = With(kSpur24, 2, 60, 10, 0, 0.144f);
    internal.feature = "Circular Space Width";
    internal.measureText = "5.700000 / 5.800000";
    struct Case {
        const char* what;
        GearCase gear;
        const char* entered;
        Measured measured;
        const char* caption;
        Band limits, thickness;
    };
    const std::vector<Case> cases = {
        {"pins mode: the dimension over pins", kSpur24, "", Measured::Pins, "Dimension Over Pins",
         {"2.635124", "2.639784"}, {"0.155000", "0.157000"}},
        {"internal: the dimension between pins", internal, "", Measured::Pins, "Dimension Between Pins",
         {"5.700000", "5.800000"}, {"0.155000", "0.157000"}},
        {"span mode: the span", Span24(), "", Measured::Span, "Span Meas. Over (3) Teeth",
         {"0.769692", "0.771646"}, {"0.155000", "0.157000"}},
        {"thickness mode: the band as typed", thicknessMode, "2.633900 / 2.637100", Measured::Pins,
         "Dimension Over Pins", {"2.633900", "2.637100"}, {"0.154478", "0.155846"}},
        {"thickness mode without the field's text", thicknessMode, "", Measured::Pins, "Dimension Over Pins",
         {"2.633900", "2.637100"}, {"0.154478", "0.155846"}},
        {"a measured span", spanInput, "0.770500 / 0.771600", Measured::Span, "Span Meas. Over (3) Teeth",
         {"0.770500", "0.771600"}, {"0.155860", "0.157030"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Inspection in = InspectPart(Calculated(c.gear), {}, c.entered);
        EXPECT_EQ(in.measured, c.measured);
        EXPECT_EQ(in.measuredCaption, c.caption);
        ASSERT_TRUE(in.limits && in.thicknessLimits);
        EXPECT_EQ(*in.limits, c.limits);
        EXPECT_EQ(*in.thicknessLimits, c.thickness);
        EXPECT_EQ(in.verdict, Verdict::None);  // no readings yet
        EXPECT_EQ(in.spread, "");
    }
}

// ---- The verdict at the limits ----

TEST(Inspection, AReadingThatReadsAsALimitIsWithinIt) {
    struct Case {
        double reading;
        ReadingStatus status;
        const char* beyond;
    };
    // Limits 2.635124 / 2.639784; readings are judged as written to six decimals.
    const std::vector<Case> cases = {
        {2.635124, ReadingStatus::Within, "0.000000"},   // the lower limit
        {2.639784, ReadingStatus::Within, "0.000000"},   // the upper limit
        {2.635125, ReadingStatus::Within, "0.000000"},   // just inside
        {2.639783, ReadingStatus::Within, "0.000000"},
        {2.635123, ReadingStatus::Under, "0.000001"},    // just outside
        {2.639785, ReadingStatus::Over, "0.000001"},
        {2.6351235, ReadingStatus::Within, "0.000000"},  // written 2.635124
        {2.6397844, ReadingStatus::Within, "0.000000"},  // written 2.639784
        {2.6397845, ReadingStatus::Over, "0.000001"},    // written 2.639785
        {2.63, ReadingStatus::Under, "0.005124"},
        {2.65, ReadingStatus::Over, "0.010216"},
    };
    const GearMain gear = Calculated(kSpur24);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reading);
        Inspection in = InspectPart(gear, {c.reading});
        ASSERT_EQ(in.readings.size(), 1u);
        EXPECT_EQ(in.readings[0].status, c.status);
        EXPECT_EQ(in.readings[0].beyond, c.beyond);
        EXPECT_EQ(in.verdict, c.status == ReadingStatus::Within ? Verdict::Accept : Verdict::Reject);
    }
}

TEST(Inspection, FourReadingsGiveTheSpreadAndOneOutsideRejects) {
    const GearMain gear = Calculated(kSpur24);
    Inspection accepted = InspectPart(gear, {2.6371, 2.6368, 2.6375, 2.6366});
    EXPECT_EQ(accepted.verdict, Verdict::Accept);
    EXPECT_EQ(accepted.spread, "0.000900");
    EXPECT_EQ(accepted.readings[2].reading, "2.637500");
    EXPECT_EQ(accepted.OutOfLimits(), 0u);

    Inspection rejected = InspectPart(gear, {2.6371, 2.6368, 2.6399, 2.6366});
    EXPECT_EQ(rejected.verdict, Verdict::Reject);
    EXPECT_EQ(rejected.spread, "0.003300");
    EXPECT_EQ(rejected.OutOfLimits(), 1u);
    EXPECT_STREQ(StatusText(rejected.readings[2].status), "over");
    EXPECT_EQ(rejected.readings[2].beyond, "0.000116");
}

TEST(Inspection, AReadingThatNoThicknessFitsIsOutOfLimits) {
    GearCase tooWide = Span24();
    tooWide.spanText = "0.769692 / 2.500000";  // limits that reach past any tooth
    struct Case {
        const char* what;
        GearCase gear;
        double good, reading;
    };
    const std::vector<Case> cases = {
        {"pin centre inside the base circle", kSpur24, 2.6371, 2.2},
        {"no measurement at all", kSpur24, 2.6371, 0},
        {"a tooth wider than the circular pitch", kSpur24, 2.6371, 3.0},
        {"a span wider than a tooth can make it", tooWide, 0.771, 2.3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Inspection in = InspectPart(Calculated(c.gear), {c.good, c.reading});
        ASSERT_EQ(in.readings.size(), 2u);
        EXPECT_TRUE(in.readings[0].thickness);
        EXPECT_FALSE(in.readings[1].thickness);
        EXPECT_EQ(in.readings[1].status, ReadingStatus::NoThickness);
        EXPECT_STREQ(StatusText(in.readings[1].status), "no thickness");
        EXPECT_EQ(in.verdict, Verdict::Reject);
    }
}

TEST(Inspection, ASingleValueGivesNoLimitsButTheDifferenceFromTheNominal) {
    GearCase single = kSpur24;
    single.thick1 = 0.15708f;
    single.thick2 = 0;
    single.measureText = "2.639970";
    Inspection in = InspectPart(Calculated(single), {2.64, 2.63997, 2.2});
    EXPECT_FALSE(in.limits);
    EXPECT_FALSE(in.thicknessLimits);
    EXPECT_EQ(in.nominal, "2.639970");
    EXPECT_EQ(in.thicknessNominal, "0.157080");
    EXPECT_EQ(in.verdict, Verdict::None);
    ASSERT_EQ(in.readings.size(), 3u);
    // 0.157093 - 0.157080, and the nominal measurement gives the nominal thickness back.
    EXPECT_NEAR(Val(*in.readings[0].difference), 0.000013, 2e-6);
    EXPECT_NEAR(Val(*in.readings[1].difference), 0.0, 2e-6);
    EXPECT_EQ(in.readings[0].status, ReadingStatus::Unjudged);
    EXPECT_EQ(in.readings[0].beyond, "");
    EXPECT_EQ(in.readings[2].status, ReadingStatus::NoThickness);
    EXPECT_FALSE(in.readings[2].difference);
    EXPECT_EQ(in.spread, "0.440000");
}

// The check works on a copy: the calculation stays as it was.
TEST(Inspection, CheckingLeavesTheCalculationAlone) {
    GearMain gear = Calculated(kSpur24);
    gear.PinPA = 12.5f;
    gear.PitchDiameter = 2.4f;
    Inspection in = InspectPart(gear, {2.2, 2.6371});
    EXPECT_EQ(in.readings[0].status, ReadingStatus::NoThickness);
    EXPECT_EQ(gear.CalcFailed, 0);
    EXPECT_EQ(gear.PinPA, 12.5f);
    EXPECT_EQ(gear.PitchDiameter, 2.4f);
}

// ---- The readings list ----

TEST(Inspection, ReadingsAreNumbersSeparatedByBlanksOrCommas) {
    struct Case {
        const char* text;
        std::vector<double> values;
        const char* error;
    };
    const std::vector<Case> cases = {
        {"2.6341 2.6339", {2.6341, 2.6339}, ""},
        {"2.6341,2.6339, 2.6345 ,  .5", {2.6341, 2.6339, 2.6345, 0.5}, ""},
        {" 2.64\t2.63 ", {2.64, 2.63}, ""},
        {"7", {7}, ""},
        {"", {}, "no readings: give one number or more, separated by blanks or commas"},
        {" , ", {}, "no readings: give one number or more, separated by blanks or commas"},
        {"2.64 abc", {}, "not a number: abc"},
        {"2.64 2.6.3", {}, "not a number: 2.6.3"},
        {"2,64;2.63", {}, "not a number: 64;2.63"},
        {"1e3", {}, "not a number: 1e3"},
        {"5000000000", {}, "too large to be a reading: 5000000000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ReadingList list = ParseReadings(c.text);
        EXPECT_EQ(list.error, c.error);
        EXPECT_EQ(list.ok(), std::string(c.error).empty());
        if (list.ok()) {
            EXPECT_EQ(list.values, c.values);
        }
    }
}

}  // namespace
