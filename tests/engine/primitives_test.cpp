// The involute and angle primitives and the chordal conversions.
//
// Expected values come from the formulas, worked out with Python in double
// precision and rounded to float where the program stores a Single.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/gearmain.h"

using namespace gearmain;

namespace {

class Primitives : public ::testing::Test {
protected:
    void SetUp() override { gear.StartUp(); }
    GearMain gear;
};

TEST_F(Primitives, StartUpSetsModeOneAndTheAngleConstants) {
    EXPECT_EQ(gear.CalcMode, 1);
    EXPECT_DOUBLE_EQ(gear.Pi, 3.14159265);
    EXPECT_FLOAT_EQ(gear.DegToRad, 0.0174532925f);
    EXPECT_FLOAT_EQ(gear.RadToDeg, 57.2957795f);
    GearMain other;
    other.CalcMode = 2;
    other.StartUp();
    EXPECT_EQ(other.CalcMode, 2);  // only a mode of 0 is replaced
}

TEST_F(Primitives, InvoluteOfTwentyDegrees) {
    // tan(0.3490658) - 0.3490658
    EXPECT_NEAR(gear.Involute(20), 0.0149044, 2e-7);
    EXPECT_NEAR(gear.Involute(0), 0.0, 1e-12);
    EXPECT_NEAR(gear.Involute(45), 1.0 - M_PI / 4, 5e-7);
}

class InverseInvoluteRoundTrip : public ::testing::TestWithParam<float> {};

TEST_P(InverseInvoluteRoundTrip, ReturnsTheAngleWithinSinglePrecision) {
    GearMain gear;
    gear.StartUp();
    float angle = GetParam();
    double inv = static_cast<float>(gear.Involute(angle));
    // The truncated constants of the involute (0.01745329) limit the round trip
    // to a few 1e-5 degrees.
    EXPECT_NEAR(gear.InverseInvolute(inv), angle, 5e-5);
}

INSTANTIATE_TEST_SUITE_P(Angles, InverseInvoluteRoundTrip,
                         ::testing::Values(5.f, 14.5f, 20.f, 23.92f, 30.f, 45.f, 60.f, 80.f, 88.f));

TEST_F(Primitives, InverseInvoluteOfZeroIsZero) { EXPECT_EQ(gear.InverseInvolute(0.0), 0.0f); }

TEST_F(Primitives, InverseInvoluteOfANegativeValueIsAnArithmeticError) {
    EXPECT_THROW(gear.InverseInvolute(-0.01), ArithmeticFault);
}

TEST_F(Primitives, ArcFunctions) {
    EXPECT_EQ(GearMain::ArcCos(1), 0.0);
    EXPECT_NEAR(GearMain::ArcCos(0), M_PI / 2, 1e-12);
    EXPECT_NEAR(GearMain::ArcCos(0.5), M_PI / 3, 1e-12);
    EXPECT_NEAR(GearMain::ArcCos(-0.5), 2 * M_PI / 3, 1e-12);
    EXPECT_NEAR(GearMain::ArcSin(0.5), M_PI / 6, 1e-12);
    EXPECT_NEAR(GearMain::ArcSin(-0.5), -M_PI / 6, 1e-12);
    EXPECT_NEAR(GearMain::Degrees(M_PI), 180.0, 1e-6);
    EXPECT_THROW(GearMain::ArcSin(1), ArithmeticFault);
    EXPECT_THROW(GearMain::ArcCos(1.5), ArithmeticFault);
}

TEST_F(Primitives, BasicThicknessIsHalfTheCircularPitch) {
    Hint h = gear.BasicThicknessText(10);
    ASSERT_TRUE(h.IsText());
    EXPECT_EQ(h.text, "0.157080");
    EXPECT_EQ(gear.BasicThicknessText(3).text, "0.523599");   // pi/6
    EXPECT_EQ(gear.BasicThicknessText(20).text, "0.078540");  // pi/40
    Hint zero = gear.BasicThicknessText(0);
    EXPECT_EQ(zero.kind, Hint::Kind::Zero);
    EXPECT_EQ(zero.Value(), 0.0);
}

TEST_F(Primitives, ChordalFromCircularNeedsTeethAndPitch) {
    float t = 0.15708f;
    gear.NumTeeth = 24;
    gear.NormalDP = 0;
    EXPECT_FALSE(gear.ChordalFromCircular(t).has_value());
    gear.NumTeeth = 0;
    gear.NormalDP = 10;
    EXPECT_FALSE(gear.ChordalFromCircular(t).has_value());
}

TEST_F(Primitives, ChordalFromCircularUsesTheNormalPitchDiameter) {
    gear.NumTeeth = 24;
    gear.NormalDP = 10;
    gear.HelixAngle = 30;  // ignored: the chord is taken on N / normal pitch
    float t = static_cast<float>(3.14159265 / 20);
    std::optional<float> c = gear.ChordalFromCircular(t);
    ASSERT_TRUE(c.has_value());
    // 2.4 * sin(0.15707963 / 2.4)
    EXPECT_NEAR(*c, 0.1569675, 2e-7);
    EXPECT_FLOAT_EQ(gear.PitchDiameter, 2.4f);
}

TEST_F(Primitives, CircularFromChordalInvertsTheChord) {
    gear.NumTeeth = 24;
    gear.NormalDP = 10;
    // 2.4 * asin(0.154 / 2.4)
    EXPECT_NEAR(gear.CircularFromChordal(0.154f), 0.1541059, 2e-7);
    float t = 0.2f;
    float c = *gear.ChordalFromCircular(t);
    EXPECT_NEAR(gear.CircularFromChordal(c), 0.2f, 3e-7);
}

TEST_F(Primitives, BasicChordalAddsTheThicknessChangeOfTheOutsideDiameter) {
    gear.NumTeeth = 24;
    gear.NormalDP = 10;
    EXPECT_EQ(gear.BasicChordalText(10).text, "0.156968");  // chord of pi/20 on 2.4
    gear.ODChange = 0.01f;
    gear.ThickChangeNormal = 0.005f;
    // chord of pi/20 + 0.005 = 0.16207963 on 2.4: 0.1619564
    EXPECT_EQ(gear.BasicChordalText(10).text, "0.161956");
    EXPECT_EQ(gear.BasicChordalText(0).kind, Hint::Kind::Zero);
    gear.NumTeeth = 0;
    EXPECT_EQ(gear.BasicChordalText(10).kind, Hint::Kind::Zero);
}

}  // namespace
