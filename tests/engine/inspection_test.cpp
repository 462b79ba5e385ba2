// Checking a part: the thickness each reading implies, the limits, the verdict
// at and around them, readings that no thickness fits, and the readings list.
//
// The thicknesses expected are worked out in double precision from the gear
// formulas, independently of the program:
//   over pins (even teeth): cos(phi) = Db / (M - d), t = D (pi/N + inv(phi) - inv(a)) - d / cos(a);
//   between pins: cos(phi) = Db / (M + d), space width e = D (inv(phi) - inv(a)) + d / cos(a);
//   odd teeth: the pin-centre diameter is (M - d) / cos(90/N);
//   helical: the same in the transverse plane, t = tt cos(helix);
//   span over k teeth (base tangent): t = W / cos(a) - (k - 1) pi/P - (N/P) inv(at).
// The measurements at the basic thickness pi/(2P) are the textbook ones: 2.63997 over
// 0.1728 pins for 24 teeth, pitch 10, 20 degrees; the span over 3 teeth of that gear is
// cos 20 / 10 (2.5 pi + 24 inv 20) = 0.771646.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/inspection.h"

using namespace gearmain;

namespace {

// The state a calculation leaves, as far as the check reads it: by default 24
// teeth, pitch 10, 20 degrees, 0.1728 pins, the band 0.155 / 0.157 in mode 1.
struct GearCase {
    int16_t mode = 1, type = 1;
    float teeth = 24, pitch = 10, helix = 0, pin = 0.1728f, spanned = 0;
    std::string feature = "Circular Tooth Thickness";
    float thick1 = 0.157f, thick2 = 0.155f, measure1 = 0, measure2 = 0;
    std::string measureText = "2.635124 / 2.639784", spanText = "0.769692 / 0.771646";

    GearMain State() const {
        GearMain g;
        g.StartUp();
        g.CalcMode = mode, g.GearType = type, g.InputFeature = feature, g.NumTeeth = teeth, g.NormalDP = pitch;
        g.NormalPA = 20, g.HelixAngle = helix, g.PinDiameter = pin, g.TeethSpanned = spanned;
        g.Thick1 = thick1, g.Thick2 = thick2, g.Measure1 = measure1, g.Measure2 = measure2;
        g.MeasureText = measureText, g.SpanText = spanText;
        return g;
    }
    GearCase Is(int16_t m, int16_t t, float n, float p, float h, float d, float k = 0) const {
        GearCase c = *this;
        c.mode = m, c.type = t, c.teeth = n, c.pitch = p, c.helix = h, c.pin = d, c.spanned = k;
        return c;
    }
};

const GearCase kSpur24;
const GearCase kInternal60 = kSpur24.Is(1, 2, 60, 10, 0, 0.144f), kSpan24 = kSpur24.Is(3, 1, 24, 10, 0, 0.1728f, 3);

TEST(Inspection, EachReadingImpliesTheThicknessOfTheInverseMeasurement) {
    const GearCase odd25 = kSpur24.Is(1, 1, 25, 10, 0, 0.1728f), helical30 = kSpur24.Is(1, 1, 30, 8, 15, 0.216f),
                   span30 = kSpur24.Is(3, 1, 30, 8, 15, 0.216f, 4);
    const struct {
        GearCase gear;
        double reading, thickness;
    } rows[] = {{kSpur24, 2.63997, 0.157080},  {kSpur24, 2.6339, 0.154478},     {kSpur24, 2.64, 0.157093},
                {kSpur24, 2.63, 0.152823},     {odd25, 2.735105, 0.157080},     {kInternal60, 5.7, 0.102645},
                {kInternal60, 5.8, 0.133602},  {helical30, 4.184121, 0.196350}, {helical30, 4.2, 0.203010},
                {kSpan24, 0.771646, 0.157079}, {kSpan24, 0.772646, 0.158144},   {kSpan24, 0.77, 0.155328},
                {span30, 1.35, 0.196843},      {span30, 1.348, 0.194714}};
    for (const auto& r : rows) {
        const Inspection in = InspectPart(r.gear.State(), {r.reading});
        ASSERT_EQ(in.readings.size(), 1u);
        const std::string& t = in.readings[0].thickness.value();
        EXPECT_EQ(t.size() - t.find('.') - 1, 6u) << t;  // written with the mask 0.000000
        EXPECT_NEAR(Val(t), r.thickness, 3e-6) << r.gear.teeth << " teeth, reading " << r.reading;
    }
}

TEST(Inspection, LimitsComeFromTheMeasuredQuantityOfEachMode) {
    GearCase measured = kSpur24, span = kSpan24, internal = kInternal60, zero = kSpur24;
    measured.mode = 2, measured.feature = "Dimension Over Pins", measured.measure1 = 2.6371f, measured.measure2 = 2.6339f;
    measured.thick1 = 0.155846f, measured.thick2 = 0.154478f;
    span.mode = 2, span.feature = "Span Measurement", span.measure1 = 0.7705f, span.measure2 = 0.7716f;
    span.thick1 = 0.15586f, span.thick2 = 0.15703f;
    internal.feature = "Circular Space Width", internal.measureText = "5.700000 / 5.800000";
    zero.type = 0;  // no gear type is the external gear
    const struct {
        GearCase gear;
        const char* entered;
        Measured measured;
        const char *caption, *thicknessCaption;
        Band limits, thickness;
    } rows[] = {
        {kSpur24, "", Measured::Pins, "Dimension Over Pins", "Circular Tooth Thickness", {"2.635124", "2.639784"}, {"0.155000", "0.157000"}},
        {zero, "", Measured::Pins, "Dimension Over Pins", "Circular Tooth Thickness", {"2.635124", "2.639784"}, {"0.155000", "0.157000"}},
        {internal, "", Measured::Pins, "Dimension Between Pins", "Circular Space Width", {"5.700000", "5.800000"}, {"0.155000", "0.157000"}},
        {kSpan24, "", Measured::Span, "Span Meas. Over (3) Teeth", "Circular Tooth Thickness", {"0.769692", "0.771646"}, {"0.155000", "0.157000"}},
        // the thickness mode takes the band as typed, or else the stored values
        {measured, "2.6371 / 2.633900", Measured::Pins, "Dimension Over Pins", "Circular Tooth Thickness", {"2.633900", "2.637100"}, {"0.154478", "0.155846"}},
        {measured, "", Measured::Pins, "Dimension Over Pins", "Circular Tooth Thickness", {"2.633900", "2.637100"}, {"0.154478", "0.155846"}},
        {measured, "2.6371 / x", Measured::Pins, "Dimension Over Pins", "Circular Tooth Thickness", {"2.633900", "2.637100"}, {"0.154478", "0.155846"}},
        {span, "0.770500 / 0.771600", Measured::Span, "Span Meas. Over (3) Teeth", "Circular Tooth Thickness", {"0.770500", "0.771600"}, {"0.155860", "0.157030"}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.caption + std::string(" ") + r.entered);
        const Inspection in = InspectPart(r.gear.State(), {}, r.entered);
        EXPECT_EQ(in.measured, r.measured);
        EXPECT_EQ(in.internal, std::string(r.thicknessCaption) == "Circular Space Width");
        EXPECT_EQ(in.measuredCaption, r.caption);
        EXPECT_EQ(in.thicknessCaption, r.thicknessCaption);
        EXPECT_EQ(in.limits.value(), r.limits);
        EXPECT_EQ(in.thicknessLimits.value(), r.thickness);
        EXPECT_EQ(in.verdict, Verdict::None);  // no readings yet
        EXPECT_EQ(in.spread, "");
    }
}

// Limits 2.635124 / 2.639784; readings are judged as written to six decimals.
TEST(Inspection, AReadingThatReadsAsALimitIsWithinIt) {
    const struct {
        double reading;
        ReadingStatus status;
        const char *text, *beyond;
    } rows[] = {{2.635124, ReadingStatus::Within, "within", "0.000000"},  {2.639784, ReadingStatus::Within, "within", "0.000000"},
                {2.635125, ReadingStatus::Within, "within", "0.000000"},  {2.635123, ReadingStatus::Under, "under", "0.000001"},
                {2.639785, ReadingStatus::Over, "over", "0.000001"},      {2.6351235, ReadingStatus::Within, "within", "0.000000"},
                {2.6397844, ReadingStatus::Within, "within", "0.000000"}, {2.6397845, ReadingStatus::Over, "over", "0.000001"},
                {2.63, ReadingStatus::Under, "under", "0.005124"},        {2.65, ReadingStatus::Over, "over", "0.010216"}};
    const GearMain gear = kSpur24.State();
    for (const auto& r : rows) {
        const Inspection in = InspectPart(gear, {r.reading});
        ASSERT_EQ(in.readings.size(), 1u);
        EXPECT_EQ(in.readings[0].status, r.status) << r.reading;
        EXPECT_STREQ(StatusText(in.readings[0].status), r.text);
        EXPECT_EQ(in.readings[0].beyond, r.beyond) << r.reading;
        EXPECT_EQ(in.verdict, r.status == ReadingStatus::Within ? Verdict::Accept : Verdict::Reject) << r.reading;
        EXPECT_STREQ(VerdictText(in.verdict), r.status == ReadingStatus::Within ? "accept" : "reject");
    }
}

TEST(Inspection, FourReadingsGiveTheSpreadAndOneOutsideRejects) {
    const GearMain gear = kSpur24.State();
    const Inspection accepted = InspectPart(gear, {2.6371, 2.6368, 2.6375, 2.6366});
    EXPECT_EQ(accepted.verdict, Verdict::Accept);
    EXPECT_EQ(accepted.spread, "0.000900");
    EXPECT_EQ(accepted.readings[2].reading, "2.637500");
    EXPECT_EQ(accepted.OutOfLimits(), 0u);
    const Inspection rejected = InspectPart(gear, {2.6371, 2.6368, 2.6399, 2.6366, NAN});
    EXPECT_EQ(rejected.readings.size(), 4u);  // a reading that is no number is left out
    EXPECT_EQ(rejected.verdict, Verdict::Reject);
    EXPECT_EQ(rejected.spread, "0.003300");
    EXPECT_EQ(rejected.OutOfLimits(), 1u);
    EXPECT_EQ(rejected.readings[2].beyond, "0.000116");
}

TEST(Inspection, AReadingThatNoThicknessFitsIsOutOfLimits) {
    GearCase tooWide = kSpan24;
    tooWide.spanText = "0.769692 / 2.500000";  // limits that reach past any tooth
    // pin centre inside the base circle; no measurement; a tooth wider than the circular pitch; a span too wide
    const struct {
        GearCase gear;
        double good, reading;
    } rows[] = {{kSpur24, 2.6371, 2.2}, {kSpur24, 2.6371, 0}, {kSpur24, 2.6371, 3.0}, {tooWide, 0.771, 2.3}};
    for (const auto& r : rows) {
        const Inspection in = InspectPart(r.gear.State(), {r.good, r.reading});
        ASSERT_EQ(in.readings.size(), 2u);
        EXPECT_TRUE(in.readings[0].thickness);
        EXPECT_FALSE(in.readings[1].thickness) << r.reading;
        EXPECT_STREQ(StatusText(in.readings[1].status), "no thickness");
        EXPECT_EQ(in.verdict, Verdict::Reject);
    }
}

TEST(Inspection, ASingleValueGivesNoLimitsButTheDifferenceFromTheNominal) {
    GearCase single = kSpur24, measured = kSpur24;
    single.thick1 = 0.15708f, single.thick2 = 0, single.measureText = "2.639970";
    const Inspection in = InspectPart(single.State(), {2.64, 2.63997, 2.2});
    EXPECT_FALSE(in.limits || in.thicknessLimits);
    EXPECT_EQ(in.nominal, "2.639970");
    EXPECT_EQ(in.thicknessNominal, "0.157080");
    EXPECT_EQ(in.verdict, Verdict::None);
    ASSERT_EQ(in.readings.size(), 3u);
    // 0.157093 - 0.157080, and the nominal measurement gives the nominal thickness back
    EXPECT_NEAR(Val(in.readings[0].difference.value()), 0.000013, 2e-6);
    EXPECT_NEAR(Val(in.readings[1].difference.value()), 0.0, 2e-6);
    EXPECT_EQ(in.readings[0].status, ReadingStatus::Unjudged);
    EXPECT_STREQ(StatusText(ReadingStatus::Unjudged), "");
    EXPECT_EQ(in.readings[0].beyond, "");
    EXPECT_EQ(in.readings[2].status, ReadingStatus::NoThickness);
    EXPECT_FALSE(in.readings[2].difference);
    EXPECT_EQ(in.OutOfLimits(), 1u);
    EXPECT_EQ(in.spread, "0.440000");
    // a single measured value: the field's text, or the stored value when the text is no number
    measured.mode = 2, measured.feature = "Dimension Over Pins", measured.measure1 = 2.6371f, measured.measure2 = 0;
    EXPECT_EQ(InspectPart(measured.State(), {}, "2.6371").nominal, "2.637100");
    EXPECT_EQ(InspectPart(measured.State(), {}, "x").nominal, "2.637100");
}

// The check works on a copy: the calculation stays as it was.
TEST(Inspection, CheckingLeavesTheCalculationAlone) {
    GearMain gear = kSpur24.State();
    gear.PinPA = 12.5f;
    const Inspection in = InspectPart(gear, {2.2, 2.6371});
    EXPECT_EQ(in.readings[0].status, ReadingStatus::NoThickness);
    EXPECT_EQ(gear.CalcFailed, 0);
    EXPECT_EQ(gear.PinPA, 12.5f);
    EXPECT_EQ(gear.PitchDiameter, 0.0f);
}

TEST(Inspection, ReadingsAreNumbersSeparatedByBlanksOrCommas) {
    const std::string none = "no readings: give one number or more, separated by blanks or commas";
    const struct {
        const char* text;
        std::vector<double> values;
        std::string error;
    } rows[] = {{"2.6341 2.6339", {2.6341, 2.6339}, ""},
                {"2.6341,2.6339, 2.6345 ,  .5", {2.6341, 2.6339, 2.6345, 0.5}, ""},
                {" 2.64\t2.63\r\n", {2.64, 2.63}, ""},
                {"-7", {-7}, ""},
                {"999999999", {999999999}, ""},
                {"", {}, none},
                {" , ", {}, none},
                {"2.64 abc", {}, "not a number: abc"},
                {"2.64 2.6.3", {}, "not a number: 2.6.3"},
                {"2,64;2.63", {}, "not a number: 64;2.63"},
                {"1e3", {}, "not a number: 1e3"},
                {"1000000000", {}, "too large to be a reading: 1000000000"},
                {"-5000000000", {}, "too large to be a reading: -5000000000"}};
    for (const auto& r : rows) {
        const ReadingList list = ParseReadings(r.text);
        EXPECT_EQ(list.error, r.error) << r.text;
        EXPECT_EQ(list.ok(), r.error.empty());
        if (list.ok()) {
            EXPECT_EQ(list.values, r.values) << r.text;
        }
    }
    EXPECT_EQ(ParseReadings("2.6341, 2.6339").texts, (std::vector<std::string>{"2.6341", "2.6339"}));
}

}  // namespace
