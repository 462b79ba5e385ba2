// The engine's routines called as the input screen calls them: the involute
// and angle primitives, the chordal conversions, the standard pin, the span
// count, the hints, the pin and span routines there and back, and their
// faults. Expected values are worked from the formulas in double precision
// (Python) or by hand, as noted; the gear of most: 24 teeth, pitch 10, 20 deg.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#include "data_file.h"
#include "engine/faults.h"
#include "engine/gearmain.h"
#include "engine/messages.h"

using namespace gearmain;

namespace {

constexpr double kPi = 3.14159265;
float Basic(float pitch) { return static_cast<float>(kPi / pitch / 2); }

class Routines : public ::testing::Test {
protected:
    void SetUp() override { gear.StartUp(); }
    GearMain gear;
};

TEST_F(Routines, StartUpSetsModeOneAndTheAngleConstants) {
    EXPECT_TRUE(gear.CalcMode == 1 && gear.Pi == 3.14159265);
    EXPECT_FLOAT_EQ(gear.DegToRad, 0.0174532925f);
    EXPECT_FLOAT_EQ(gear.RadToDeg, 57.2957795f);
    gear.CalcMode = 2;
    gear.StartUp();
    EXPECT_EQ(gear.CalcMode, 2);  // only a mode of 0 is replaced
}

TEST_F(Routines, InvoluteAndItsInverseAgreeWithTanMinusTheAngle) {
    EXPECT_NEAR(gear.Involute(20), 0.0149044, 2e-7);  // tan(0.3490658) - 0.3490658
    EXPECT_NEAR(gear.Involute(45), 1.0 - M_PI / 4, 5e-7);
    EXPECT_NEAR(gear.InverseInvolute(0.0149044), 20.0, 5e-5);
    // The truncated constants of the involute (0.01745329) limit a round trip to a few 1e-5 degrees.
    for (float angle : {5.f, 14.5f, 23.92f, 45.f, 60.f, 80.f, 88.f})
        EXPECT_NEAR(gear.InverseInvolute(static_cast<float>(gear.Involute(angle))), angle, 5e-5) << angle;
    EXPECT_EQ(gear.InverseInvolute(0.0), 0.0f);
    EXPECT_THROW(gear.InverseInvolute(-0.01), ArithmeticFault);  // no real start value
}

TEST_F(Routines, ArcFunctionsAreThoseOfTheUnitCircle) {
    EXPECT_EQ(GearMain::ArcCos(1), 0.0);
    EXPECT_NEAR(GearMain::ArcCos(0.5), M_PI / 3, 1e-12);
    EXPECT_NEAR(GearMain::ArcCos(-0.5), 2 * M_PI / 3, 1e-12);
    EXPECT_NEAR(GearMain::ArcSin(0.5), M_PI / 6, 1e-12);
    EXPECT_NEAR(GearMain::ArcSin(-0.5), -M_PI / 6, 1e-12);
    EXPECT_NEAR(GearMain::Degrees(M_PI), 180.0, 1e-6);
    EXPECT_THROW(GearMain::ArcSin(1), ArithmeticFault);
    EXPECT_THROW(GearMain::ArcCos(1.5), ArithmeticFault);
}

TEST_F(Routines, ChordIsTakenOnTheNormalPitchDiameter) {
    gear.NumTeeth = 24;
    gear.NormalDP = 10;
    gear.HelixAngle = 30;  // ignored: the chord is taken on N / normal pitch
    float t = Basic(10);
    EXPECT_NEAR(gear.ChordalFromCircular(t).value(), 0.1569675, 2e-7);  // 2.4 sin(t / 2.4)
    EXPECT_FLOAT_EQ(gear.PitchDiameter, 2.4f);
    EXPECT_NEAR(gear.CircularFromChordal(0.154f), 0.1541059, 2e-7);  // 2.4 asin(0.154 / 2.4)
    gear.NormalDP = 0;
    EXPECT_FALSE(gear.ChordalFromCircular(t));
    EXPECT_THROW(gear.CircularFromChordal(0.154f), ArithmeticFault);
    gear.NumTeeth = 0;
    gear.NormalDP = 10;
    EXPECT_FALSE(gear.ChordalFromCircular(t));
    EXPECT_THROW(gear.CircularFromChordal(0.154f), ArithmeticFault);
}

// Hints: the basic values the screen offers; the number 0 while an input is missing.
TEST_F(Routines, HintsAreTheBasicValuesOfTheGear) {
    EXPECT_EQ(gear.BasicThicknessText(10).text, "0.157080");  // pi/20
    EXPECT_EQ(gear.BasicThicknessText(3).text, "0.523599");   // pi/6
    EXPECT_EQ(gear.BasicThicknessText(0).kind, Hint::Kind::Zero);
    gear.NumTeeth = 24;
    gear.NormalDP = 10;
    EXPECT_EQ(gear.BasicChordalText(10).text, "0.156968");  // 2.4 sin(pi/20 / 2.4)
    float pin = 0.1728f, k = 4;
    EXPECT_EQ(gear.BasicMeasurementText(1, 24, 10, 20, 0, pin).text, "2.639968");
    EXPECT_EQ(gear.BasicSpanText(30, 10, 20, 0, k).text, "1.075263");  // 3 pi/10 cos 20 + (inv 20 + t/3) Db
    // An O.D. change thickens the basic tooth by ThickChangeNormal: pi/20 + 0.005.
    gear.ODChange = 0.01f;
    gear.ThickChangeNormal = 0.005f;
    EXPECT_EQ(gear.BasicChordalText(10).text, "0.161956");
    EXPECT_NEAR(gear.BasicMeasurementText(1, 24, 10, 20, 0, pin).Value(), 2.6514227, 2e-6);
    EXPECT_NEAR(gear.BasicSpanText(30, 10, 20, 0, k).Value(), 1.0799614, 2e-6);  // t written 0.162080 first
    float none = 0;
    for (const Hint& h : {gear.BasicChordalText(0), gear.BasicMeasurementText(1, 24, 10, 20, 0, none),
                          gear.BasicMeasurementText(1, 0, 10, 20, 0, pin), gear.BasicMeasurementText(1, 24, 0, 20, 0, pin),
                          gear.BasicMeasurementText(1, 24, 10, 0, 0, pin), gear.BasicSpanText(0, 10, 20, 0, k),
                          gear.BasicSpanText(30, 0, 20, 0, k), gear.BasicSpanText(30, 10, 0, 0, k),
                          gear.BasicSpanText(30, 10, 20, 0, none)})
        EXPECT_EQ(h.kind, Hint::Kind::Zero);
    gear.NumTeeth = 0;
    EXPECT_EQ(gear.BasicChordalText(10).kind, Hint::Kind::Zero);
}

// The rows of routines.txt with the verb given, their words after it.
std::vector<std::vector<std::string>> Rows(const std::string& verb) {
    std::vector<std::vector<std::string>> rows;
    for (const enginetest::Line& l : enginetest::ReadTable("routines.txt"))
        if (l.words[0] == verb) rows.emplace_back(l.words.begin() + 1, l.words.end());
    EXPECT_FALSE(rows.empty()) << verb;
    return rows;
}
float F(const std::string& s) { return std::stof(s); }

TEST_F(Routines, StandardPinByGearTypeAndPressureAngle) {
    for (const auto& r : Rows("standard-pin")) {
        int16_t type = static_cast<int16_t>(std::stoi(r[0]));
        float teeth = F(r[1]), pitch = F(r[2]), pa = F(r[3]);
        EXPECT_EQ(gear.StandardPinDia(type, teeth, pitch, pa).text, r[4]) << r[0] << " " << r[1] << " " << r[3];
        EXPECT_EQ(type, r[0] == "0" ? 1 : std::stoi(r[0]));  // no gear type is the external gear
    }
    int16_t type = 1;
    float n = 24, p = 10, a = 20, zero = 0;
    EXPECT_EQ(gear.StandardPinDia(type, zero, p, a).kind, Hint::Kind::Zero);
    EXPECT_EQ(gear.StandardPinDia(type, n, zero, a).kind, Hint::Kind::Zero);
    EXPECT_EQ(gear.StandardPinDia(type, n, p, zero).kind, Hint::Kind::Zero);
}

TEST_F(Routines, TeethToSpanRaisesFractionsAboveFourteenHundredths) {
    for (const auto& r : Rows("span-count")) {
        float pa = F(r[1]), helix = F(r[2]);
        EXPECT_EQ(gear.TeethToSpan(F(r[0]), pa, helix), F(r[3])) << r[0] << " teeth, helix " << r[2];
    }
}

TEST_F(Routines, SpanChoosesTheCountWhenItIsZeroAndKeepsAGivenOne) {
    float p = 10, a = 20, t = Basic(10), h = 0, k = 0;
    EXPECT_NEAR(gear.SpanFromThickness(30, p, a, t, h, k), 1.075263, 2e-6);
    EXPECT_EQ(k, 4);
    EXPECT_NEAR(gear.BasePitch, 0.2952132, 1e-7);  // pi/10 cos 20
    k = 3;
    EXPECT_NEAR(gear.SpanFromThickness(30, p, a, t, h, k), 0.780050, 2e-6);
    EXPECT_EQ(k, 3);
    h = 15;  // in the normal plane: Db cos(base helix) for Db
    k = 0;
    EXPECT_NEAR(gear.SpanFromThickness(30, p, a, t, h, k), 1.079629, 2e-6);
    EXPECT_EQ(k, 4);
    EXPECT_NEAR(gear.BaseHelixAngle, 14.0761, 2e-4);  // acos(sin 20 / sin 20.6469)
    EXPECT_NEAR(gear.TransCircPitch, 0.3252416, 2e-7);  // pi/10 / cos 15
    EXPECT_NEAR(gear.TransBasePitch, 0.3043517, 2e-7);  // times cos 20.6469
}

// What an earlier calculation left in the transverse fields does not reach a
// later one of the same gear: a second thickness of a helical gear of 30
// teeth, after the fields were spoilt, measures as on a fresh gear.
TEST_F(Routines, TheSameGearMeasuresTheSameWhateverTheStateHeld) {
    float p = 10, a = 20, h = 15, d = 0.1728f, t1 = Basic(10), t2 = Basic(10) * 0.99f;
    int16_t type = 1;
    gear.MeasurementFromThickness(30, p, a, t1, d, type, h);
    gear.TransverseDP = gear.TransversePA = gear.PitchDiameter = gear.BaseDiameter = 1;
    const float m = gear.MeasurementFromThickness(30, p, a, t2, d, type, h);
    GearMain fresh;
    fresh.StartUp();
    EXPECT_EQ(m, fresh.MeasurementFromThickness(30, p, a, t2, d, type, h));
    EXPECT_NEAR(gear.TransverseDP, 9.659258, 2e-6);   // 10 cos 15
    EXPECT_NEAR(gear.TransversePA, 20.6469, 1e-4);    // atan(tan 20 / cos 15)
    EXPECT_NEAR(gear.PitchDiameter, 3.105829, 2e-6);  // 30 / (10 cos 15)
    EXPECT_NEAR(gear.BaseDiameter, 2.906, 1e-3);      // times cos 20.6469
}

TEST_F(Routines, PinAndSpanRoutinesInvertEachOther) {
    for (const auto& r : Rows("round-trip")) {
        float pitch = F(r[1]), pa = F(r[2]), helix = F(r[3]), pin = F(r[4]);
        int16_t type = static_cast<int16_t>(std::stoi(r[5]));
        for (float scale : {0.98f, 1.0f, 1.01f}) {
            float t = Basic(pitch) * scale, k = 0;
            SCOPED_TRACE(::testing::Message() << r[0] << " teeth, helix " << helix << ", t " << t);
            float m = gear.MeasurementFromThickness(F(r[0]), pitch, pa, t, pin, type, helix);
            ASSERT_EQ(gear.CalcFailed, 0);
            // a unit in the last place of M, over the K factor (about 2)
            EXPECT_NEAR(gear.ThicknessFromMeasurement(F(r[0]), pitch, pa, m, pin, type, helix), t, 3e-7 * (1 + m));
            if (type != 1) continue;  // spans are measured on external gears
            float w = gear.SpanFromThickness(F(r[0]), pitch, pa, t, helix, k);
            EXPECT_NEAR(gear.ThicknessFromSpan(F(r[0]), pitch, pa, w, k, helix), t, 3e-7 * (1 + w));
        }
    }
}

TEST_F(Routines, KFactorBelongsToTheBasicThicknessOnly) {
    float p = 10, a = 20, h = 0, d = 0.1728f, t = Basic(10) + 0.0002f;
    int16_t type = 1;
    gear.KFactor = 7;
    gear.MeasurementFromThickness(24, p, a, t, d, type, h);
    EXPECT_EQ(gear.KFactor, 7);
    t = Basic(10) + 0.0001f;  // within 0.00011: counts as basic; cos 20 / sin 23.9325
    gear.MeasurementFromThickness(24, p, a, t, d, type, h);
    EXPECT_NEAR(gear.KFactor, 2.31645, 5e-5);
    t = Basic(10) - 0.0001f;  // cos 20 / sin 23.9083
    gear.MeasurementFromThickness(24, p, a, t, d, type, h);
    EXPECT_NEAR(gear.KFactor, 2.31866, 5e-5);
    float half = 24.5f;  // a tooth count that is not whole falls in no case
    EXPECT_EQ(gear.MeasurementFromThickness(half, p, a, t, d, type, h), 0.0f);
}

// A pin so large that the pin-centre angle comes within Single precision of 90
// degrees is refused, or measured right: M = Db sqrt(1 + (inv2 + phi)^2) + d
// with tan(phi) - phi = inv2 solved in double precision.
TEST_F(Routines, AHugePinIsRefusedOrMeasuredCorrectly) {
    gear.CalcMode = 1;
    gear.GearType = 1;
    gear.InputFeature = "Circular Tooth Thickness";
    const std::pair<float, double> rows[] = {{1e2f, 203.40397}, {1e3f, 2003.42603}, {1e5f, 200003.43},
                                             {1e9f, 2.0e9},     {1e30f, 2e30}};
    for (auto [pin, want] : rows) {
        float t = Basic(10), d = pin, p = 10, a = 20, h = 0;
        int16_t type = 1;
        const float m = gear.MeasurementFromThickness(24, p, a, t, d, type, h);
        if (gear.CalcFailed == -1 || pin > 1e20f) {  // far beyond the iteration: always refused
            EXPECT_EQ(gear.CalcFailed, -1) << pin;
            EXPECT_EQ(m, 0.0f);
            EXPECT_EQ(gear.TakeFault().value().field, Field::Pin);
        } else {
            EXPECT_NEAR(m, want, 1e-4 * want) << pin;
        }
        gear.CalcFailed = 0;
    }
}

TEST_F(Routines, FailedPinRoutinesGiveNoNumberAndRecordTheirFaultOnce) {
    gear.CalcMode = 1;
    gear.InputFeature = "Circular Tooth Thickness";
    gear.GearType = 2;
    float t = Basic(10), d = 0.5f, p = 10, a = 20, h = 0;  // a pin of 0.5 does not fit the space
    int16_t type = 2;
    EXPECT_EQ(gear.MeasurementFromThickness(24, p, a, t, d, type, h), 0.0f);
    EXPECT_EQ(gear.CalcFailed, -1);
    EXPECT_EQ(gear.TakeFault().value().message, "Involute function error: Unacceptable space width or pin diameter");
    EXPECT_FALSE(gear.TakeFault());
    // The inverse measurement clears an earlier marker when it succeeds, and its fault names the gear type given.
    float m = 2.639968f;
    d = 0.1728f;
    type = 1;
    EXPECT_NEAR(gear.ThicknessFromMeasurement(24, p, a, m, d, type, h), Basic(10), 1e-6);
    EXPECT_EQ(gear.CalcFailed, 0);
    m = 2.3f;  // M - d = 2.1272 lies inside the base circle 2.2553
    EXPECT_EQ(gear.ThicknessFromMeasurement(24, p, a, m, d, type, h), 0.0f);
    EXPECT_EQ(gear.CalcFailed, -1);
    EXPECT_EQ(gear.TakeFault().value().message, "Involute function error: Unacceptable dimension over pins or pin diameter");
}

TEST(Trigonometry, AnglesWorkedBeforeGiveTheLibrarysValuesAgainAndNaNStaysNaN) {
    // More angles than are remembered, worked again in another order: each
    // time the library's own bits.
    const float degToRad = 0.01745329f;
    std::vector<double> angles;
    for (int i = 1; i <= 40; ++i) angles.push_back(i * 2.25);
    for (int round = 0; round < 3; ++round)
        for (size_t k = 0; k < angles.size(); ++k) {
            const double a = angles[(k * 7 + round * 3) % angles.size()];
            ASSERT_EQ(CosD(a, degToRad), std::cos(a * degToRad)) << a;
            ASSERT_EQ(TanD(a, degToRad), std::tan(a * degToRad)) << a;
        }
    EXPECT_EQ(CosD(0, degToRad), 1.0);
    EXPECT_EQ(TanD(0, degToRad), 0.0);
    // A fresh memo entry's key is the bits of a NaN: that NaN is worked, not looked up.
    const double nan = std::bit_cast<double>(~uint64_t{0});
    EXPECT_TRUE(std::isnan(CosD(nan, 1.0f)));
    EXPECT_TRUE(std::isnan(TanRadians(nan)));
}

TEST(PinContact, WarningsAtTheirEdges) {
    // External: O.D. 2.5, root radius 1. A contact on the O.D. is on the tip;
    // a pin whose innermost point is on the root circle still clears it.
    // Internal: I.D. 2, root radius 1.25; only the first contact counts.
    struct Case {
        int16_t gearType;
        PinContact contact;
        bool tooLarge, tooSmall;
    };
    const Case cases[] = {
        {1, {0.25f, 2.5f, 0, 1.25}, true, false},
        {1, {0.25f, 2.4999f, 0, 1.25}, false, false},
        {1, {0.25f, 2.4f, 2.5f, 1.25}, true, false},
        {1, {0.25f, 2.4f, 2.4999f, 1.2499}, false, true},
        {2, {0.25f, 2.0f, 0, 1.0}, true, false},
        {2, {0.25f, 2.0001f, 1.9f, 1.0}, false, false},
        {2, {0.25f, 2.1f, 0, 1.0001}, false, true},
    };
    for (const Case& c : cases) {
        GearMain g;
        g.GearType = c.gearType;
        g.OutsideDiameter = 2.5f;
        g.InsideDiameter = 2.0f;
        g.RootDiameter = c.gearType == 1 ? 2.0f : 2.5f;
        const PinWarnings w = g.PinContactWarnings(c.contact);
        EXPECT_EQ(w.tooLarge, c.tooLarge) << c.gearType << " " << c.contact.contact1;
        EXPECT_EQ(w.tooSmall, c.tooSmall) << c.gearType << " " << c.contact.radial;
        ASSERT_EQ(w.notices.size(), static_cast<size_t>(c.tooLarge + c.tooSmall));
        for (const Notice& n : w.notices) {
            EXPECT_EQ(n.buttons, MsgButtons::OKCancel);
            EXPECT_EQ(n.focus, Field::Pin);
        }
        if (c.tooLarge) {
            EXPECT_EQ(w.notices[0].text, c.gearType == 1 ? msg::kPinTooLargeOD : msg::kPinTooLargeID);
        }
        if (c.tooSmall) {
            EXPECT_EQ(w.notices.back().text, c.gearType == 1 ? msg::kPinTooSmallExternal : msg::kPinTooSmallInternal);
        }
    }
}

TEST(FaultOf, NamesTheMessageAndTheEntryOfEachSite) {
    for (const auto& r : Rows("fault")) {
        const Fault fault = FaultOf({static_cast<FaultSite>(std::stoi(r[0])), r[1], static_cast<int16_t>(std::stoi(r[2])),
                                     static_cast<int16_t>(std::stoi(r[3]))});
        EXPECT_EQ(fault.message, r[5]) << "site " << r[0] << " mode " << r[2] << " type " << r[3];
        EXPECT_STREQ(enginetest::FieldName(fault.field), r[4].c_str()) << "site " << r[0] << " mode " << r[2];
    }
}

}  // namespace
