// CalculateGear: the entered feature turned into thicknesses and measurements.
//
// The gear of most cases: 24 teeth, pitch 10, 20 deg, pins 0.1728 (pitch
// diameter 2.4, base diameter 2.255262). Expected values were worked out with
// Python from the formulas (pins: see measurement_test.cpp; span W = (k - 1) *
// pi/P * cos(a) + (inv(a) + t/D) * Db; chord D * sin(t/D)).
#include "driver_fixture.h"

using namespace gearmain;
using enginetest::BasicThickness;
using enginetest::TextIs;

namespace {

class Driver : public enginetest::DriverTest {};

TEST_F(Driver, DimensionOverPinsOfOneThickness) {
    Gear(1, 1, 24, 10, 20);
    Feature("Circular Tooth Thickness", "0.155000");
    Pin(0.1728f);
    Run();
    EXPECT_EQ(gear.CalcFailed, 0);
    EXPECT_EQ(gear.PinRefused, 0);
    EXPECT_TRUE(TextIs(gear.MeasureText, 2.6351244));
    EXPECT_TRUE(TextIs(gear.PinContactText, 2.39819));
    EXPECT_TRUE(TextIs(gear.RadialText, 1.317562));
    EXPECT_TRUE(TextIs(gear.ChordalText, 0.154892));
    EXPECT_NEAR(gear.Chordal1, 0.1548923, 2e-7);
    // the span for information: 24 * 20/180 + 0.5 = 3.17, so 4 teeth
    EXPECT_EQ(gear.TeethSpanned, 4);
    EXPECT_TRUE(TextIs(gear.SpanText, 1.064905));
    EXPECT_NEAR(gear.SpanResult, 1.064905, 1e-6);
    // the K factor is that of the basic thickness
    EXPECT_NEAR(gear.KFactor, 2.31756, 5e-5);
    EXPECT_FLOAT_EQ(gear.PitchDiameter, 2.4f);
    EXPECT_NEAR(gear.FaceWidth, 1.0, 1e-7);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(Driver, RangeOfThicknessesGivesEveryResultForBothEndsSmallerFirst) {
    Gear(1, 1, 24, 10, 20);
    Feature("Circular Tooth Thickness", "0.157 / 0.155");
    Pin(0.1728f);
    Run();
    EXPECT_TRUE(TextIs(gear.MeasureText, 2.6351244, 2.6397839));
    EXPECT_TRUE(TextIs(gear.PinContactText, 2.39819, 2.40215));
    EXPECT_TRUE(TextIs(gear.SpanText, 1.064905, 1.0667845));
    EXPECT_NEAR(gear.SpanResult, 1.0667845, 1e-6);  // the larger span
    EXPECT_TRUE(TextIs(gear.ChordalText, 0.154892, 0.156888));
    EXPECT_TRUE(TextIs(gear.RadialText, 1.317562, 1.319892));
    EXPECT_NEAR(gear.Chordal2, 0.1548923, 2e-7);
}

TEST_F(Driver, BacklashRangeOnAnExternalGearThinsTheBasicTooth) {
    Gear(1, 1, 24, 10, 20);
    Feature("Contributing Backlash", "0.004 / 0.006");
    Pin(0.1728f);
    Run();
    // pi/20 - 0.004 and pi/20 - 0.006
    EXPECT_NEAR(gear.Thick1, 0.1530796, 2e-7);
    EXPECT_NEAR(gear.Thick2, 0.1510796, 2e-7);
    EXPECT_EQ(gear.ThickText, "0.151080 / 0.153080");
    EXPECT_NE(gear.MeasureText.find(" / "), std::string::npos);
}

TEST_F(Driver, SingleBacklashIgnoresALeftOverSecondValue) {
    Gear(1, 1, 24, 10, 20);
    Feature("Contributing Backlash", "0.004");
    gear.Backlash2 = 0.006f;
    Pin(0.1728f);
    Run();
    EXPECT_EQ(gear.Thick2, 0);
    EXPECT_EQ(gear.ThickText, "0.153080");
    EXPECT_EQ(gear.MeasureText.find('/'), std::string::npos);
}

TEST_F(Driver, BacklashOnAnInternalGearWidensTheSpace) {
    Gear(1, 2, 60, 10, 20);
    Feature("Contributing Backlash", "0.004");
    Pin(0.144f);
    Run();
    EXPECT_NEAR(gear.Thick1, 0.1610796, 2e-7);
    EXPECT_EQ(gear.ThickText, "0.161080");
}

TEST_F(Driver, MeasuredRangeOverPinsGivesBothThicknesses) {
    Gear(2, 1, 24, 10, 20);
    Feature("Dimension Over Pins", "2.645 / 2.635");
    Pin(0.1728f);
    Run();
    EXPECT_EQ(gear.CalcFailed, 0);
    EXPECT_NEAR(gear.Thick1, 0.1592618, 3e-7);
    EXPECT_NEAR(gear.Thick2, 0.1549467, 3e-7);
    EXPECT_TRUE(TextIs(gear.ThickText, 0.1549467, 0.1592618));
    EXPECT_TRUE(TextIs(gear.PinContactText, 2.39809, 2.40658));
    EXPECT_EQ(gear.TeethSpanned, 4);
    EXPECT_NEAR(gear.KFactor, 2.31756, 5e-5);
}

TEST_F(Driver, MeasuredRangeBetweenPinsGivesBothSpaceWidths) {
    Gear(2, 2, 60, 10, 20);
    Feature("Dimension Between Pins", "5.87 / 5.86");
    Pin(0.144f);
    Run();
    EXPECT_EQ(gear.CalcFailed, 0);
    // the wider space lets the pins apart
    EXPECT_NEAR(gear.Thick1, 0.1583816, 3e-7);
    EXPECT_NEAR(gear.Thick2, 0.1547011, 3e-7);
    EXPECT_TRUE(TextIs(gear.ThickText, 0.1547011, 0.1583816));
    EXPECT_TRUE(TextIs(gear.PinContactText, 6.05501, 6.06561));
}

TEST_F(Driver, SpanModeReplacesThePinByTheStandardPin) {
    Gear(3, 1, 24, 10, 20);
    Feature("Circular Tooth Thickness", "0.155");
    Pin(3);  // the pin box holds the number of teeth spanned
    Run();
    EXPECT_EQ(gear.TeethSpanned, 3);
    EXPECT_FLOAT_EQ(gear.PinDiameter, 0.1728f);
    EXPECT_TRUE(TextIs(gear.SpanText, 0.769692));
    EXPECT_NEAR(gear.SpanResult, 0.769692, 1e-6);
    EXPECT_TRUE(TextIs(gear.MeasureText, 2.6351244));  // over the standard pin
    EXPECT_TRUE(Messages().empty());                 // a span needs no pin checks
}

TEST_F(Driver, SpanModeRangeKeepsTheLargerSpan) {
    Gear(3, 1, 24, 10, 20);
    Feature("Circular Tooth Thickness", "0.155 / 0.157");
    Pin(3);
    Run();
    EXPECT_TRUE(TextIs(gear.SpanText, 0.769692, 0.7715713));
    EXPECT_NEAR(gear.SpanResult, 0.7715713, 1e-6);
}

TEST_F(Driver, SpanInputGivesTheThicknessAndNoKFactor) {
    Gear(2, 1, 24, 10, 20);
    // the span of 0.155 over 3 teeth, and of 0.153
    Feature("Span Measurement", "0.769692 / 0.767813");
    Pin(3);
    gear.KFactor = 5;
    Run();
    EXPECT_EQ(gear.CalcFailed, 0);
    EXPECT_FLOAT_EQ(gear.PinDiameter, 0.1728f);
    EXPECT_NEAR(gear.Thick1, 0.155, 3e-7);
    EXPECT_NEAR(gear.Thick2, 0.1530005, 3e-7);
    EXPECT_TRUE(TextIs(gear.ThickText, 0.1530005, 0.155));
    EXPECT_TRUE(TextIs(gear.MeasureText, 2.63042, 2.6351247));
    EXPECT_EQ(gear.KFactor, 0);
    EXPECT_TRUE(Messages().empty());
}

// The span of the basic tooth gives back the basic thickness, at which the
// dimension over the standard pin has a K factor; a measured span shows none.
// Spans W = (k - 1) pi/P cos(a) + (inv(at) + t/(D cos h)) Db cos(bh), t = pi/(2P).
TEST_F(Driver, SpanInputGivesNoKFactorAlsoForTheBasicTooth) {
    struct Case {
        float teeth, pitch, pa, helix, span, spanned;
    };
    const Case cases[] = {
        {30, 10, 20, 0, 1.075263f, 4},
        {24, 10, 20, 0, 0.771646f, 3},
        {30, 10, 20, 15, 1.079629f, 4},
        {19, 8, 14.5f, 0, 0.583036f, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.teeth);
        Gear(2, 1, c.teeth, c.pitch, c.pa, c.helix);
        Feature("Span Measurement", gearmain::Format(c.span, "0.000000"));
        Pin(c.spanned);
        gear.KFactor = 5;
        Run();
        ASSERT_FALSE(report.fault);
        EXPECT_NEAR(gear.Thick1, BasicThickness(c.pitch), 2e-6);
        EXPECT_EQ(gear.KFactor, 0);
    }
}

// Pins that reach the flanks of the tooth (space) entered but not of the basic
// one (the involute at the pin centre comes out negative there): the dimension
// over or between pins of the entry stands, and there is no K factor. 24 teeth
// with an O.D. change of 0.03 at 20 deg: t = pi/20 + 0.03 tan 20 = 0.1679987;
// dimensions from the formulas of measurement_test.cpp.
TEST_F(Driver, APinThatMissesTheBasicToothGivesTheMeasurementWithoutAKFactor) {
    struct Case {
        int16_t type;
        float teeth, helix, value, pin;
        double measure;
    };
    const Case cases[] = {
        {1, 24, 0, 0.1679987f, 0.11f, 2.4119112},
        {1, 25, 0, 0.1679987f, 0.11f, 2.5086202},
        {1, 24, 15, 0.1679987f, 0.11f, 2.4998292},
        {2, 60, 0, 0.18f, 0.24f, 5.5019979},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.teeth);
        Gear(1, c.type, c.teeth, 10, 20, c.helix);
        Feature(c.type == 1 ? "Circular Tooth Thickness" : "Circular Space Width",
                gearmain::Format(c.value, "0.000000"));
        Pin(c.pin);
        gear.KFactor = 5;
        gear.TipLandText.clear();
        Run();
        EXPECT_FALSE(report.fault);
        EXPECT_EQ(gear.CalcFailed, 0);
        EXPECT_TRUE(TextIs(gear.MeasureText, c.measure, NAN, 6, 5e-6));
        EXPECT_EQ(gear.KFactor, 0);
        EXPECT_FALSE(gear.TipLandText.empty());  // the dimensions follow
    }
}

TEST_F(Driver, ChordalInputIsConvertedToTheCircularThickness) {
    Gear(1, 1, 24, 10, 20);
    // 2.4 * asin(0.156968 / 2.4) and 2.4 * asin(0.154 / 2.4)
    Feature("Chordal Tooth Thickness", "0.156968 / 0.154");
    Pin(0.1728f);
    Run();
    EXPECT_NEAR(gear.Thick1, 0.1570801, 2e-7);
    EXPECT_NEAR(gear.Thick2, 0.1541059, 2e-7);
    EXPECT_TRUE(TextIs(gear.ChordalInText, 0.1570801));
    EXPECT_TRUE(TextIs(gear.ThickText, 0.1541059, 0.1570801));
    EXPECT_FLOAT_EQ(gear.PitchDiameter, 2.4f);
}

TEST_F(Driver, InternalGearSkipsTheSpanForInformation) {
    Gear(1, 2, 60, 10, 20);
    Feature("Circular Space Width", "0.157080");
    Pin(0.144f);
    gear.SpanText = "earlier";
    Run();
    EXPECT_EQ(gear.SpanText, "earlier");
    EXPECT_FLOAT_EQ(gear.TeethSpanned, 0.144f);
    EXPECT_TRUE(TextIs(gear.MeasureText, 5.866476, NAN, 6, 3e-6));
}

TEST_F(Driver, HelicalGearLeavesTheTransverseQuantities) {
    Gear(1, 1, 24, 10, 20, 30);
    Feature("Circular Tooth Thickness", "0.157080");
    Pin(0.1728f);
    Run();
    EXPECT_TRUE(TextIs(gear.MeasureText, 3.013181, NAN, 6, 3e-6));
    EXPECT_NEAR(gear.TransverseDP, 8.660254, 2e-6);
    EXPECT_NEAR(gear.TransversePA, 22.79588, 5e-5);
    EXPECT_NEAR(gear.PitchDiameter, 2.771281, 2e-6);
    EXPECT_NEAR(gear.BaseDiameter, 2.554819, 2e-6);
    EXPECT_NEAR(gear.TransCircPitch, 0.3627599, 2e-7);
    EXPECT_NEAR(gear.TransBasePitch, 0.3344251, 2e-7);
    EXPECT_NEAR(gear.AxialPitch, 0.6283185, 2e-7);  // pi/10 / sin 30
    EXPECT_NEAR(gear.BaseHelixAngle, 28.0243, 2e-3);  // acos(sin 20 / sin 22.796)
}

TEST_F(Driver, StopsAtOnceWhileAnEarlierFailureIsMarked) {
    Gear(1, 1, 24, 10, 20);
    Feature("Circular Tooth Thickness", "0.155");
    Pin(0.1728f);
    gear.InputFeature = "";
    gear.CalcFailed = -1;
    gear.MeasureText = "earlier";
    Run();
    EXPECT_EQ(gear.InputFeature, "Circular Tooth Thickness");  // read before the test
    EXPECT_EQ(gear.MeasureText, "earlier");
    EXPECT_EQ(gear.CalcFailed, -1);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(Driver, InvoluteErrorInModeOneStopsBeforeTheDimensions) {
    Gear(1, 1, 24, 10, 20);
    Feature("Circular Tooth Thickness", "0.01");  // the pin centre falls inside the tooth
    Pin(0.01f);
    gear.DepthName = "earlier";
    Run();
    EXPECT_EQ(gear.CalcFailed, -1);
    EXPECT_EQ(Messages(),
              std::vector<std::string>{"Involute function error: Unacceptable tooth thickness or pin diameter"});
    EXPECT_EQ(FaultField(), Field::Pin);
    EXPECT_EQ(gear.DepthName, "earlier");
}

TEST_F(Driver, MeasurementInsideTheBaseCircleStopsWithOneMessage) {
    Gear(2, 1, 24, 10, 20);
    Feature("Dimension Over Pins", "2.3");
    Pin(0.1728f);
    gear.DepthName = "earlier";
    Run();
    EXPECT_EQ(gear.CalcFailed, -1);
    EXPECT_EQ(Messages(),
              std::vector<std::string>{"Involute function error: Unacceptable dimension over pins or pin diameter"});
    EXPECT_EQ(FaultField(), Field::None);  // the inverse measurement leaves the focus
    EXPECT_EQ(gear.DepthName, "earlier");
    for (const std::string* t : {&gear.ThickText, &gear.PinContactText, &gear.SpanText})
        EXPECT_EQ(t->find("nan"), std::string::npos) << *t;
}

TEST_F(Driver, SpanTooShortForTheToothCountIsRefusedAsASpan) {
    Gear(2, 1, 24, 10, 20);
    // 0.5 over 3 teeth leaves a negative thickness: (0.5/Db - (2 pi/24 + inv 20)) D
    Feature("Span Measurement", "0.5");
    Pin(3);
    Run();
    EXPECT_EQ(gear.CalcFailed, -1);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Involute function error: Unacceptable span measurement value"});
    EXPECT_EQ(FaultField(), Field::FeatureValue);
}

TEST_F(Driver, ChordalLongerThanThePitchDiameterIsRefused) {
    Gear(1, 1, 3, 10, 20);
    Feature("Chordal Tooth Thickness", "0.5");  // the pitch diameter is 0.3
    Pin(0.1728f);
    Run();
    EXPECT_EQ(gear.CalcFailed, -1);
    ASSERT_TRUE(report.fault);
    EXPECT_EQ(report.fault->message, "Chordal thickness error: Unacceptable chordal tooth thickness");
    EXPECT_EQ(FaultField(), Field::FeatureValue);
    EXPECT_TRUE(report.pinWarnings.empty());
    EXPECT_TRUE(std::isfinite(gear.Thick1));
    EXPECT_EQ(gear.ThickText.find("nan"), std::string::npos);
}

}  // namespace
