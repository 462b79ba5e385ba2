// Measurement over and between pins, the inverse measurement, the span, and the
// involute error paths of the pin routines.
//
// Expected values are worked out with Python from the gear formulas (pin-centre
// involute inv2 = d/Db + t/D + inv(a) - pi/N for external gears, t/D + inv(a) - d/Db
// for internal ones, D2 = Db / cos(PinPA), odd counts times cos(90/N)), rounding
// to float wherever the program stores a Single.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/gearmain.h"

using namespace gearmain;

namespace {

constexpr double kPi = 3.14159265;
float Basic(float pitch) { return static_cast<float>(kPi / pitch / 2); }

class Pins : public ::testing::Test {
protected:
    void SetUp() override { gear.StartUp(); }
    float Measure(float teeth, float pitch, float pa, float thickness, float pin, int16_t type, float helix = 0) {
        return gear.MeasurementFromThickness(teeth, pitch, pa, thickness, pin, type, helix);
    }
    GearMain gear;
};

TEST_F(Pins, SpurEvenTeethOverPins) {
    // 24 teeth, P10, 20 deg, pi/20 over 0.1728: inv2 = 0.026075
    float m = Measure(24, 10, 20, Basic(10), 0.1728f, 1);
    EXPECT_NEAR(gear.PinPA, 23.9204, 2e-4);
    EXPECT_NEAR(m, 2.639968, 2e-6);
    EXPECT_NEAR(gear.PinContactDiameter, 2.40230, 1e-6);
    EXPECT_NEAR(gear.RadialDim, 1.319984, 2e-6);
    EXPECT_NEAR(gear.KFactor, 2.31756, 5e-5);  // cos 20 / sin 23.9204
    EXPECT_NEAR(gear.BaseDiameter, 2.255262, 2e-6);
    EXPECT_FLOAT_EQ(gear.PitchDiameter, 2.4f);
    EXPECT_FALSE(gear.TakeFault());
    EXPECT_EQ(gear.CalcFailed, 0);
}

TEST_F(Pins, SpurOddTeethUseTheDiagonalFactor) {
    // 25 teeth: M = cos(3.6 deg) * D2 + d, K = cos 20 * cos 3.6 / sin(PinPA)
    float m = Measure(25, 10, 20, Basic(10), 0.1728f, 1);
    EXPECT_NEAR(m, 2.735105, 2e-6);
    EXPECT_NEAR(gear.PinPA, 23.7895, 2e-4);
    EXPECT_NEAR(gear.PinContactDiameter, 2.50267, 1e-6);
    EXPECT_NEAR(gear.RadialDim, 1.370086, 2e-6);
    EXPECT_NEAR(gear.KFactor, 2.32497, 5e-5);
}

struct PinCase {
    const char* name;
    float teeth, pitch, pa, helix, pin;
    int16_t type;
    double m, pinPA, contact, radial, k;
};

class PinTable : public ::testing::TestWithParam<PinCase> {};

TEST_P(PinTable, BasicThicknessMeasurement) {
    const PinCase& c = GetParam();
    GearMain gear;
    gear.StartUp();
    float t = Basic(c.pitch), pitch = c.pitch, pa = c.pa, pin = c.pin, helix = c.helix;
    int16_t type = c.type;
    float m = gear.MeasurementFromThickness(c.teeth, pitch, pa, t, pin, type, helix);
    EXPECT_NEAR(m, c.m, 3e-6);
    EXPECT_NEAR(gear.PinPA, c.pinPA, 2e-4);
    EXPECT_NEAR(gear.PinContactDiameter, c.contact, 2e-6);
    EXPECT_NEAR(gear.RadialDim, c.radial, 3e-6);
    EXPECT_NEAR(gear.KFactor, c.k, 5e-5);
}

INSTANTIATE_TEST_SUITE_P(
    Gears, PinTable,
    ::testing::Values(
        // helical: transverse angle 22.796, balls seen as d / cos(base helix)
        PinCase{"HelicalEven", 24, 10, 20, 30, 0.1728f, 1, 3.013181, 25.91234, 2.77711, 1.506590, 2.10961},
        PinCase{"HelicalOdd", 25, 10, 20, 30, 0.1728f, 1, 3.122970, 25.80335, 2.89287, 1.564402, 2.11791},
        // internal: between pins, M = D2 - d
        PinCase{"InternalEven", 60, 10, 20, 0, 0.144f, 2, 5.866476, 20.27259, 6.06188, 2.933238, 2.71206},
        PinCase{"InternalOdd", 61, 10, 20, 0, 0.144f, 2, 5.964451, 20.26819, 6.16184, 2.983238, 2.71172}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Pins, ToothCountThatIsNotWholeFallsInNoCase) {
    EXPECT_EQ(Measure(24.5f, 10, 20, Basic(10), 0.1728f, 1), 0.0f);
}

TEST_F(Pins, ThicknessAwayFromBasicLeavesTheKFactor) {
    gear.KFactor = 7;
    Measure(24, 10, 20, Basic(10) + 0.0002f, 0.1728f, 1);
    EXPECT_EQ(gear.KFactor, 7);
    Measure(24, 10, 20, Basic(10) + 0.0001f, 0.1728f, 1);  // within 0.00011: counts as basic
    // cos 20 / sin 23.9325, the pin-centre angle of this thickness
    EXPECT_NEAR(gear.KFactor, 2.31645, 5e-5);
}

TEST_F(Pins, BasicMeasurementText) {
    float pin = 0.1728f;
    EXPECT_EQ(gear.BasicMeasurementText(1, 24, 10, 20, 0, pin).text, "2.639968");
    EXPECT_NEAR(gear.KFactor, 2.3176, 1e-4);
    float none = 0;
    EXPECT_EQ(gear.BasicMeasurementText(1, 24, 10, 20, 0, none).kind, Hint::Kind::Zero);
    EXPECT_EQ(gear.BasicMeasurementText(1, 0, 10, 20, 0, pin).kind, Hint::Kind::Zero);
    EXPECT_EQ(gear.BasicMeasurementText(1, 24, 0, 20, 0, pin).kind, Hint::Kind::Zero);
    EXPECT_EQ(gear.BasicMeasurementText(1, 24, 10, 0, 0, pin).kind, Hint::Kind::Zero);
}

struct StandardPinCase {
    int16_t type;
    float teeth, pitch, pa;
    const char* text;
};

class StandardPin : public ::testing::TestWithParam<StandardPinCase> {};

TEST_P(StandardPin, ByGearTypeAndPressureAngle) {
    StandardPinCase c = GetParam();
    GearMain gear;
    gear.StartUp();
    Hint h = gear.StandardPinDia(c.type, c.teeth, c.pitch, c.pa);
    ASSERT_TRUE(h.IsText());
    EXPECT_EQ(h.text, c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, StandardPin,
    ::testing::Values(StandardPinCase{1, 24, 10, 20, "0.17280"}, StandardPinCase{1, 24, 10, 29.9f, "0.17280"},
                      StandardPinCase{1, 24, 10, 30, "0.19200"}, StandardPinCase{0, 24, 10, 20, "0.17280"},
                      StandardPinCase{1, 24, 7, 20, "0.24686"},  // 1.728/7 = 0.246857
                      StandardPinCase{2, 60, 10, 20, "0.14400"}, StandardPinCase{2, 60, 10, 30, "0.17280"},
                      StandardPinCase{2, 60, 10, 37.5f, "0.17280"}, StandardPinCase{2, 60, 10, 40, "0.19200"},
                      // fewer than 8 teeth wins over the pressure angle
                      StandardPinCase{2, 7, 10, 40, "0.14400"}, StandardPinCase{2, 8, 10, 40, "0.19200"},
                      StandardPinCase{3, 24, 10, 20, "0.00000"}));

TEST(StandardPinMissingInput, IsTheNumberZero) {
    GearMain gear;
    gear.StartUp();
    int16_t type = 1;
    float n = 24, p = 10, a = 20, zero = 0;
    EXPECT_EQ(gear.StandardPinDia(type, zero, p, a).kind, Hint::Kind::Zero);
    EXPECT_EQ(gear.StandardPinDia(type, n, zero, a).kind, Hint::Kind::Zero);
    EXPECT_EQ(gear.StandardPinDia(type, n, p, zero).kind, Hint::Kind::Zero);
}

// ---- Span ----

struct SpanCountCase {
    float teeth, pa, helix, count;
};

class TeethToSpan : public ::testing::TestWithParam<SpanCountCase> {};

TEST_P(TeethToSpan, RaisesFractionsAboveFourteenHundredths) {
    SpanCountCase c = GetParam();
    GearMain gear;
    gear.StartUp();
    EXPECT_EQ(gear.TeethToSpan(c.teeth, c.pa, c.helix), c.count) << c.teeth << " teeth " << c.pa << " deg";
}

INSTANTIATE_TEST_SUITE_P(
    Counts, TeethToSpan,
    ::testing::Values(SpanCountCase{30, 20, 0, 4},    // 3.833
                      SpanCountCase{55, 20, 0, 7},    // 6.611
                      SpanCountCase{19, 14.5f, 0, 2}, // 2.030
                      SpanCountCase{24, 20, 0, 4},    // 3.167
                      // helical: tan^2(b) tan(at) sin(2 at) + at N / pi + 0.5
                      SpanCountCase{30, 20, 15, 4},   // 3.959
                      SpanCountCase{30, 20, 20, 4},   // 4.063
                      SpanCountCase{35, 20, 30, 5},   // 5.033
                      SpanCountCase{40, 25, 30, 7},   // 6.939
                      SpanCountCase{30, 20, -5, 0}));

TEST(TeethToSpanWithoutPressureAngle, IsZero) {
    GearMain gear;
    gear.StartUp();
    float pa = 0, helix = 0;
    EXPECT_EQ(gear.TeethToSpan(30, pa, helix), 0);
}

TEST(SpanFromThickness, ChoosesTheCountWhenItIsZeroAndKeepsAGivenOne) {
    GearMain gear;
    gear.StartUp();
    float p = 10, a = 20, t = Basic(10), h = 0, k = 0;
    // (k - 1) * pi/10 * cos 20 + (inv 20 + t/D) * Db on D = 3
    EXPECT_NEAR(gear.SpanFromThickness(30, p, a, t, h, k), 1.075263, 2e-6);
    EXPECT_EQ(k, 4);
    EXPECT_NEAR(gear.CircPitch, 0.3141593, 1e-7);
    EXPECT_NEAR(gear.BasePitch, 0.2952132, 1e-7);
    k = 3;
    EXPECT_NEAR(gear.SpanFromThickness(30, p, a, t, h, k), 0.780050, 2e-6);
    EXPECT_EQ(k, 3);
}

TEST(SpanFromThickness, HelicalSpanLiesInTheNormalPlane) {
    GearMain gear;
    gear.StartUp();
    float p = 10, a = 20, t = Basic(10), h = 15, k = 0;
    EXPECT_NEAR(gear.SpanFromThickness(30, p, a, t, h, k), 1.079629, 2e-6);
    EXPECT_EQ(k, 4);
    EXPECT_NEAR(gear.BaseHelixAngle, 14.0761, 2e-4);  // acos(sin 20 / sin 20.6469)
    EXPECT_NEAR(gear.TransCircPitch, 0.3252416, 2e-7);
}

TEST(BasicSpanText, IsTheSpanOfTheBasicThickness) {
    GearMain gear;
    gear.StartUp();
    float k = 4;
    EXPECT_EQ(gear.BasicSpanText(30, 10, 20, 0, k).text, "1.075263");
    EXPECT_EQ(gear.BasicSpanText(0, 10, 20, 0, k).kind, Hint::Kind::Zero);
    EXPECT_EQ(gear.BasicSpanText(30, 0, 20, 0, k).kind, Hint::Kind::Zero);
    k = 0;  // the count is not chosen here
    EXPECT_EQ(gear.BasicSpanText(30, 10, 20, 0, k).kind, Hint::Kind::Zero);
}

// ---- Round trips ----

struct RoundTripCase {
    float teeth, pitch, pa, helix, pin;
    int16_t type;
};

class RoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(RoundTrip, ThicknessMeasurementThickness) {
    RoundTripCase c = GetParam();
    GearMain gear;
    gear.StartUp();
    float p = c.pitch, a = c.pa, h = c.helix, d = c.pin;
    int16_t type = c.type;
    for (float offset : {-0.02f, 0.0f, 0.01f}) {
        float t = Basic(c.pitch) * (1 + offset);
        float m = gear.MeasurementFromThickness(c.teeth, p, a, t, d, type, h);
        ASSERT_EQ(gear.CalcFailed, 0);
        float back = gear.ThicknessFromMeasurement(c.teeth, p, a, m, d, type, h);
        ASSERT_EQ(gear.CalcFailed, 0);
        // a unit in the last place of M, divided by the K factor (about 2)
        EXPECT_NEAR(back, t, 3e-7 * (1 + m)) << "t " << t << " M " << m;
    }
}

TEST_P(RoundTrip, ThicknessSpanThickness) {
    RoundTripCase c = GetParam();
    if (c.type != 1) return;  // spans are measured on external gears only
    GearMain gear;
    gear.StartUp();
    float p = c.pitch, a = c.pa, h = c.helix;
    for (float offset : {-0.02f, 0.0f, 0.01f}) {
        float t = Basic(c.pitch) * (1 + offset), k = 0;
        float w = gear.SpanFromThickness(c.teeth, p, a, t, h, k);
        float back = gear.ThicknessFromSpan(c.teeth, p, a, w, k, h);
        EXPECT_NEAR(back, t, 3e-7 * (1 + w)) << "t " << t << " W " << w << " k " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Gears, RoundTrip,
    ::testing::Values(RoundTripCase{24, 10, 20, 0, 0.1728f, 1}, RoundTripCase{25, 10, 20, 0, 0.1728f, 1},
                      RoundTripCase{24, 10, 20, 30, 0.1728f, 1}, RoundTripCase{25, 10, 20, 30, 0.1728f, 1},
                      RoundTripCase{13, 4, 25, 0, 0.432f, 1}, RoundTripCase{200, 32, 14.5f, 0, 0.054f, 1},
                      RoundTripCase{7, 1, 20, 0, 1.728f, 1}, RoundTripCase{41, 6, 22.5f, 45, 0.288f, 1},
                      RoundTripCase{60, 10, 20, 0, 0.144f, 2}, RoundTripCase{61, 10, 20, 0, 0.144f, 2},
                      RoundTripCase{60, 10, 20, 15, 0.144f, 2}, RoundTripCase{101, 2, 30, 0, 0.864f, 2},
                      RoundTripCase{75, 8, 20, 25, 0.18f, 2}));

// ---- Involute errors ----

struct FaultCase {
    int16_t mode;
    const char* feature;
    int16_t type;
    const char* text;
    Field field;
};

class MeasurementFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(MeasurementFault, RecordsTheMessageAndTheEntryAndGivesNoNumber) {
    FaultCase c = GetParam();
    GearMain gear;
    gear.StartUp();
    gear.CalcMode = c.mode;
    gear.InputFeature = c.feature;
    gear.GearType = c.type;
    int16_t type = c.type;
    // external: a thickness and pin this thin put the pin centre inside the
    // tooth (a negative involute); internal: a pin of 0.5 does the same.
    float t = type == 1 ? 0.01f : Basic(10), d = type == 1 ? 0.01f : 0.5f, p = 10, a = 20, h = 0;
    float m = gear.MeasurementFromThickness(24, p, a, t, d, type, h);
    EXPECT_EQ(m, 0.0f);
    EXPECT_EQ(gear.CalcFailed, -1);
    std::optional<Fault> fault = gear.TakeFault();
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->message, c.text);
    EXPECT_EQ(fault->field, c.field);
    EXPECT_FALSE(gear.TakeFault());  // taken once
}

INSTANTIATE_TEST_SUITE_P(
    Messages, MeasurementFault,
    ::testing::Values(
        FaultCase{1, "Circular Tooth Thickness", 1, "Involute function error: Unacceptable tooth thickness or pin diameter",
                  Field::Pin},
        FaultCase{1, "Circular Space Width", 2, "Involute function error: Unacceptable space width or pin diameter",
                  Field::Pin},
        FaultCase{2, "Dimension Over Pins", 1,
                  "Involute function error: Unacceptable dimension over pins or pin diameter", Field::Pin},
        FaultCase{2, "Dimension Between Pins", 2,
                  "Involute function error: Unacceptable dimension between pins or pin diameter", Field::Pin},
        FaultCase{2, "Span Measurement", 1, "Involute function error: Unacceptable span measurement value",
                  Field::FeatureValue},
        FaultCase{3, "Circular Tooth Thickness", 1, "Involute function error", Field::FeatureValue}));

// A pin so large that the pin-centre angle comes within Single precision of 90
// degrees: the program refuses it, or its measurement is right. True values from
// tan(p) - p = inv2 solved in double precision: M = Db * sqrt(1 + (inv2 + p)^2) + d.
struct HugePinCase {
    float pin;
    double m;
};

class HugePin : public ::testing::TestWithParam<HugePinCase> {};

TEST_P(HugePin, IsRefusedOrMeasuredCorrectly) {
    GearMain gear;
    gear.StartUp();
    gear.CalcMode = 1;
    gear.GearType = 1;
    float t = Basic(10), d = GetParam().pin, p = 10, a = 20, h = 0;
    int16_t type = 1;
    float m = gear.MeasurementFromThickness(24, p, a, t, d, type, h);
    ASSERT_TRUE(std::isfinite(m));
    if (gear.CalcFailed == -1 || d > 1e20f) {  // far beyond the iteration: always refused
        EXPECT_EQ(gear.CalcFailed, -1);
        std::optional<Fault> fault = gear.TakeFault();
        ASSERT_TRUE(fault);
        EXPECT_EQ(fault->message, "Involute function error: Unacceptable tooth thickness or pin diameter");
        EXPECT_EQ(fault->field, Field::Pin);
        EXPECT_EQ(m, 0.0f);
    } else {
        EXPECT_NEAR(m, GetParam().m, 1e-4 * GetParam().m) << "pin " << d;
    }
}

INSTANTIATE_TEST_SUITE_P(Pins, HugePin,
                         ::testing::Values(HugePinCase{1e2f, 203.40397}, HugePinCase{1e3f, 2003.42603},
                                           HugePinCase{1e5f, 200003.43}, HugePinCase{1e7f, 20000003.4},
                                           HugePinCase{1e9f, 2.0e9}, HugePinCase{1e11f, 2.0e11}, HugePinCase{1e30f, 2e30}),
                         [](const auto& info) { return "Pin" + std::to_string(std::lround(std::log10(info.param.pin))); });

TEST(ThicknessFromMeasurementFault, InsideTheBaseCircle) {
    GearMain gear;
    gear.StartUp();
    gear.CalcMode = 2;
    gear.InputFeature = "Dimension Over Pins";
    // M - d = 2.1272 lies inside the base circle 2.2553
    float p = 10, a = 20, h = 0, m = 2.3f, d = 0.1728f;
    int16_t type = 1;
    EXPECT_EQ(gear.ThicknessFromMeasurement(24, p, a, m, d, type, h), 0.0f);
    EXPECT_EQ(gear.CalcFailed, -1);
    std::optional<Fault> fault = gear.TakeFault();
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->message, "Involute function error: Unacceptable dimension over pins or pin diameter");
    EXPECT_EQ(fault->field, Field::None);  // this routine does not move the focus

    type = 2;
    gear.InputFeature = "Dimension Between Pins";
    m = 5.4f;  // M + d = 5.544 inside Db = 5.638 of 60 teeth
    d = 0.144f;
    EXPECT_EQ(gear.ThicknessFromMeasurement(60, p, a, m, d, type, h), 0.0f);
    fault = gear.TakeFault();
    ASSERT_TRUE(fault);
    EXPECT_EQ(fault->message, "Involute function error: Unacceptable dimension between pins or pin diameter");
}

TEST(ThicknessFromMeasurementFault, ClearsTheMarkerOfAnEarlierFailure) {
    GearMain gear;
    gear.StartUp();
    gear.CalcFailed = -1;
    float p = 10, a = 20, h = 0, m = 2.639968f, d = 0.1728f;
    int16_t type = 1;
    EXPECT_NEAR(gear.ThicknessFromMeasurement(24, p, a, m, d, type, h), Basic(10), 1e-6);
    EXPECT_EQ(gear.CalcFailed, 0);
}

}  // namespace
