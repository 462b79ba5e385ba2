// Depth systems, gear dimensions and the pin contact warnings of a calculation.
#include "driver_fixture.h"

using namespace gearmain;
using enginetest::BasicThickness;
using enginetest::TextIs;

namespace {

class Dimensions : public enginetest::DriverTest {
protected:
    // An external gear of 24 teeth at its basic thickness over the standard pin.
    void Basic24(float pitch, float pa = 20) {
        Gear(1, 1, 24, pitch, pa);
        Feature("Circular Tooth Thickness", Format(BasicThickness(pitch), "0.000000"));
        gear.Thick1 = BasicThickness(pitch);
        Pin(1.728f / pitch);
    }
};

struct DepthCase {
    const char* name;
    int16_t system;
    float pitch, depthPitch, pa;
    const char* cutterDepth;
    double wholeDepth, addendum;
    const char* depthName;
};

class DepthSystems : public Dimensions, public ::testing::WithParamInterface<DepthCase> {};

TEST_P(DepthSystems, WholeDepthAddendumAndName) {
    const DepthCase& c = GetParam();
    Basic24(c.pitch, c.pa);
    gear.DepthSystem = c.system;
    gear.DepthPitch = c.depthPitch;
    gear.CutterDepthText = c.cutterDepth;
    Run();
    ASSERT_EQ(gear.CalcFailed, 0);
    EXPECT_NEAR(gear.WholeDepth, c.wholeDepth, 2e-7);
    EXPECT_NEAR(gear.Addendum, c.addendum, 2e-7);
    EXPECT_NEAR(gear.Dedendum, c.wholeDepth - c.addendum, 3e-7);
    EXPECT_NEAR(gear.OutsideDiameter, 24 / c.pitch + 2 * c.addendum, 1e-6);
    EXPECT_NEAR(gear.RootDiameter, 24 / c.pitch + 2 * c.addendum - 2 * c.wholeDepth, 1e-6);
    EXPECT_EQ(gear.DepthName, c.depthName);
    EXPECT_TRUE(Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, DepthSystems,
    ::testing::Values(
        DepthCase{"Coarse", 1, 10, 0, 20, "", 0.225, 0.1, "AGMA Course(2.25/DP)"},
        DepthCase{"NoneChosenIsCoarse", 0, 10, 0, 20, "", 0.225, 0.1, "AGMA Course(2.25/DP)"},
        DepthCase{"Fine", 1, 20, 0, 20, "", 0.112, 0.05, "AGMA Fine([2.2/DP]+.002)"},  // 2.2/20 + 0.002
        DepthCase{"OldStandardAlsoFine", 2, 20, 0, 20, "", 0.10785, 0.05, "Old Standard(2.157/DP)"},
        DepthCase{"FullFillet", 3, 10, 0, 20, "", 0.2335, 0.1, "Full Fillet(2.335/DP)"},
        DepthCase{"Shaped14", 4, 10, 0, 14.5f, "", 0.244, 0.1, "FULL FILLET SHAPED(2.44/DP)"},
        DepthCase{"Shaped20", 4, 10, 0, 20, "", 0.235, 0.1, "Full Fillet(2.35/DP)"},
        DepthCase{"Shaped25", 4, 10, 0, 25, "", 0.225, 0.1, "Full Fillet(2.25/DP)"},
        DepthCase{"PreGrind", 5, 10, 0, 20, "", 0.235, 0.1, "Pre-Grind/Shave(2.35/DP)"},
        DepthCase{"PreGrindFine", 5, 20, 0, 20, "", 0.122, 0.05, "Pre-Grind/Shave([2.4/DP]+.002)"},
        DepthCase{"Stub", 6, 10, 0, 20, "", 0.18, 0.1, "AGMA Stub Pitch(1.8/DP)"},
        DepthCase{"StubFullFillet", 7, 10, 0, 20, "", 0.2, 0.12, "AGMA Stub Full Fillet(2.0/DP)"},
        // 8/10: depth from the 10, pitch diameter from the 8 (24/8 = 3, OD 3.25)
        DepthCase{"Combination", 8, 8, 10, 20, "", 0.225, 0.125, "Combination Pitch(2.25/Pitch Fraction)"},
        DepthCase{"UserDepth", 9, 10, 0, 20, "0.3", 0.3, 0.1, "User Entered Whole Depth"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Dimensions, DepthPitchDefaultsToTheNormalPitch) {
    Basic24(10);
    gear.DepthSystem = 0;
    Run();
    EXPECT_EQ(gear.DepthSystem, 1);
    EXPECT_FLOAT_EQ(gear.DepthPitch, 10);
}

// The shaped full fillet has a depth for 14.5, 20 and 25 degrees only: at any
// other angle nothing is calculated (an earlier gear's depth is not shown as
// this one's), and the fault names the angles and sends the user to the angle.
TEST_F(Dimensions, ShapedFilletAtAnotherPressureAngleIsRefusedAtThePressureAngle) {
    for (float pa : {22.5f, 14.0f, 14.6f, 19.99f, 20.01f, 30.0f, 5.0f, 60.0f}) {
        SCOPED_TRACE(pa);
        Basic24(10, pa);
        gear.DepthSystem = 4;
        gear.WholeDepth = 0.3f;
        gear.DepthName = "earlier";
        gear.MeasureText = "earlier";
        gear.CalcFailed = 0;
        Run();
        ASSERT_TRUE(report.fault);
        EXPECT_EQ(report.fault->field, Field::PressureAngle);
        for (const char* angle : {"14.5", "20", "25"}) EXPECT_NE(report.fault->message.find(angle), std::string::npos);
        EXPECT_EQ(gear.CalcFailed, -1);
        EXPECT_TRUE(report.pinWarnings.empty());
        EXPECT_FLOAT_EQ(gear.WholeDepth, 0.3f);
        EXPECT_EQ(gear.DepthName, "earlier");
        EXPECT_EQ(gear.MeasureText, "earlier");
    }
}

TEST_F(Dimensions, OtherDimensionsOfTheBasicTooth) {
    Basic24(10);
    Run();
    EXPECT_NEAR(gear.WorkingDepth, 0.225 - 0.015707963, 2e-7);
    // theta = 57.29578 * t / 2.4 degrees; (2.6 - 2.4 cos theta) / 2
    EXPECT_NEAR(gear.ChordalAddendum, 0.1025693, 3e-7);
    // 2.6 * (t/2.4 + inv 20 - inv 29.8411), 29.8411 = acos(1.2 cos 20 / 1.3)
    EXPECT_TRUE(TextIs(gear.TipLandText, 0.0715552, NAN, 5, 1e-5));
    EXPECT_EQ(gear.FinishedRootText, "2.150000");
    EXPECT_NEAR(gear.CircPitch, 0.3141593, 1e-7);
    EXPECT_NEAR(gear.BasePitch, 0.2952132, 1e-7);
    EXPECT_NEAR(gear.TransCircPitch, 0.3141593, 1e-7);
}

TEST_F(Dimensions, InsideDiameterIsNeverBelowTheBaseCircle) {
    Gear(1, 2, 20, 10, 20);
    Feature("Circular Space Width", "0.157080");
    gear.Thick1 = BasicThickness(10);
    Pin(0.144f);
    Run();
    ASSERT_EQ(gear.CalcFailed, 0);
    // (20 - 2)/10 = 1.8 lies below the base diameter 2 cos 20 = 1.879385
    EXPECT_NEAR(gear.InsideDiameter, 1.879385, 2e-6);
    EXPECT_NEAR(gear.WholeDepth, 0.225 - 0.0396926, 2e-6);
    EXPECT_NEAR(gear.Dedendum, 0.125, 2e-7);  // not recomputed
    EXPECT_NEAR(gear.RootDiameter, 2.25, 3e-6);
    EXPECT_NEAR(gear.OutsideDiameter, 2.2, 2e-6);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(Dimensions, InternalTipLandIsMeasuredOnTheInsideDiameter) {
    Gear(1, 2, 60, 10, 20);
    Feature("Circular Space Width", "0.157080");
    gear.Thick1 = BasicThickness(10);
    Pin(0.144f);
    Run();
    EXPECT_NEAR(gear.InsideDiameter, 5.8, 2e-6);
    EXPECT_NEAR(gear.RootDiameter, 6.25, 3e-6);
    // tooth pi/10 - t on radius 2.9: 5.8 * (tooth/6 - inv 20 + inv 13.5671)
    EXPECT_TRUE(TextIs(gear.TipLandText, 0.0916559, NAN, 5, 1e-5));
}

// A tooth whose flanks meet before the tip (a tip land of 0 or less) is
// pointed: the run cautions once, and the land is shown as it is. 24 teeth,
// pitch 10: land 2.6 (t/2.4 + inv 20 - inv 29.8411); 60 internal teeth: land
// 5.8 ((pi/10 - w)/6 - inv 20 + inv 13.5671), w the space width.
TEST_F(Dimensions, APointedToothIsCautionedAndItsLandShown) {
    struct Case {
        int16_t type;
        float teeth;
        const char* value;
        float pin;
        double land1, land2;
        bool pointed;
    };
    const Case cases[] = {
        {1, 24, "0.085", 0.25f, -0.0065312, NAN, true},
        {1, 24, "0.1", 0.25f, 0.0097188, NAN, false},
        {1, 24, "0.1 / 0.085", 0.25f, -0.0065312, 0.0097188, true},
        {2, 60, "0.27", 0.2f, -0.0175005, NAN, true},
        {2, 60, "0.2", 0.2f, 0.0501661, NAN, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        Gear(1, c.type, c.teeth, 10, 20);
        Feature(c.type == 1 ? "Circular Tooth Thickness" : "Circular Space Width", c.value);
        Pin(c.pin);
        Run();
        ASSERT_FALSE(report.fault);
        EXPECT_TRUE(TextIs(gear.TipLandText, c.land1, c.land2, 5, 1e-5));
        if (!c.pointed) {
            EXPECT_TRUE(report.cautions.empty());
            continue;
        }
        ASSERT_EQ(report.cautions.size(), 1u);
        const Notice& caution = report.cautions.front();
        EXPECT_NE(caution.text.find("pointed"), std::string::npos);
        EXPECT_EQ(caution.icon, MsgIcon::Exclamation);
        EXPECT_EQ(caution.buttons, MsgButtons::OK);
    }
}

// An O.D. enlarged by 0.02 thickens the basic tooth by 0.02 tan 20 = 0.0072794;
// the backlash is taken from that thicker tooth, and the finished root moves by
// the backlash alone (the thickness change is not counted twice).
TEST_F(Dimensions, BacklashFromAnEnlargedToothCountsTheChangeOnce) {
    Gear(1, 1, 24, 10, 20);
    gear.ODChange = gear.ODChangeCopy = 0.02f;
    gear.ThickChangeTrans = gear.ThickChangeNormal = 0.0072794f;
    Feature("Contributing Backlash", "0.004");
    Pin(0.1728f);
    Run();
    EXPECT_NEAR(gear.Thick1, 0.1603591, 2e-7);
    EXPECT_NEAR(gear.Addendum, 0.11, 2e-7);
    EXPECT_NEAR(gear.OutsideDiameter, 2.62, 1e-6);
    EXPECT_NEAR(gear.RootDiameter, 2.17, 1e-6);
    EXPECT_TRUE(TextIs(gear.FinishedRootText, 2.17 - 0.0109902, NAN, 6, 3e-6));

    Feature("Circular Tooth Thickness", "0.164359");  // pi/20 + 0.0072794
    Run();
    EXPECT_TRUE(TextIs(gear.FinishedRootText, 2.17, NAN, 6, 3e-6));
}

// The chordal addendum is the height from the tip to the chord: the outside
// diameter already holds the O.D. change, so it counts once. O.D. 2.62,
// theta = 0.164359 / 2.4 rad: (2.62 - 2.4 cos theta) / 2.
TEST_F(Dimensions, ChordalAddendumCountsTheODChangeOnce) {
    Gear(1, 1, 24, 10, 20);
    gear.ODChange = gear.ODChangeCopy = 0.02f;
    gear.ThickChangeTrans = gear.ThickChangeNormal = 0.0072794f;
    Feature("Circular Tooth Thickness", "0.164359");
    Pin(0.1728f);
    Run();
    ASSERT_EQ(gear.CalcFailed, 0);
    EXPECT_NEAR(gear.OutsideDiameter, 2.62, 1e-6);
    EXPECT_NEAR(gear.ChordalAddendum, 0.1128128, 4e-7);
}

struct FinishedRootCase {
    int16_t type;
    float teeth;
    const char* feature;
    std::string text;
    double r1, r2;
};

class FinishedRoot : public Dimensions, public ::testing::WithParamInterface<FinishedRootCase> {};

TEST_P(FinishedRoot, MovesByTheThinningOverTanPressureAngle) {
    const FinishedRootCase& c = GetParam();
    Gear(1, c.type, c.teeth, 10, 20);
    Feature(c.feature, c.text);
    if (c.text.find('/') != std::string::npos) {
        gear.Thick1 = BasicThickness(10);
        gear.Thick2 = BasicThickness(10) - 0.002f;
    }
    Pin(c.type == 1 ? 0.1728f : 0.144f);
    Run();
    ASSERT_EQ(gear.CalcFailed, 0);
    EXPECT_TRUE(TextIs(gear.FinishedRootText, c.r1, c.r2, 6, 3e-6));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FinishedRoot,
    ::testing::Values(
        // 0.002 / tan 20 = 0.0054950
        FinishedRootCase{1, 24, "Circular Tooth Thickness", "0.157080 / 0.155080", 2.15, 2.1445050},
        FinishedRootCase{2, 60, "Circular Space Width", "0.157080 / 0.155080", 6.25, 6.2554950},
        // backlash 0.004 thins the tooth or widens the space: the root moves by
        // 0.004 / tan 20 = 0.0109902 (the same sign rule as above)
        FinishedRootCase{1, 24, "Contributing Backlash", "0.004", 2.1390098, NAN},
        FinishedRootCase{2, 60, "Contributing Backlash", "0.004", 6.2390098, NAN}));

// ---- Pin contact warnings ----

const char* kTooLargeOD =
    "The pin diameter that you have chosen is too large and will\r"
    "contact on the outside diameter and not on the tooth profile.\r"
    "Choose OK to continue or Cancel to enter a smaller pin diameter?";
const char* kTooSmallExternal =
    "The pin diameter you have chosen is too small and will\r"
    "contact on the root of the gear.\r"
    "Choose OK to continue or Cancel to enter a larger pin diameter?";
const char* kTooLargeID =
    "The pin diameter you have chosen is too large and will\r"
    "contact on the inside diameter and not on the tooth profile.\r"
    "Choose OK to continue or Cancel to enter a smaller pin diameter.";
const char* kTooSmallInternal =
    "The pin diameter you have chosen is too small and will\r"
    "contact on the root of the gear.\r"
    "Choose OK to continue or Cancel to enter a larger pin diameter.";

struct WarningCase {
    const char* name;
    int16_t type;
    float teeth;
    int16_t depthSystem;
    const char* cutterDepth;
    float thick1, thick2, pin;
    std::vector<const char*> expected;  // answered OK
};

class PinWarnings : public Dimensions, public ::testing::WithParamInterface<WarningCase> {
protected:
    void Prepare() {
        const WarningCase& c = GetParam();
        Gear(1, c.type, c.teeth, 10, 20);
        Feature(c.type == 1 ? "Circular Tooth Thickness" : "Circular Space Width",
                c.thick2 == 0 ? "0.1" : "0.1 / 0.2");
        gear.Thick1 = c.thick1;
        gear.Thick2 = c.thick2;
        gear.DepthSystem = c.depthSystem;
        gear.CutterDepthText = c.cutterDepth;
        Pin(c.pin);
    }
};

// The calculation completes and hands every warning to the screen, in order;
// the answers are the screen's business (OK goes on, Cancel refuses the pin).
TEST_P(PinWarnings, AreReportedInOrderWithOKAndCancel) {
    Prepare();
    gear.DepthName = "earlier";
    Run();
    std::vector<std::string> want(GetParam().expected.begin(), GetParam().expected.end());
    EXPECT_EQ(Messages(), want);
    for (const Notice& w : report.pinWarnings) {
        EXPECT_EQ(w.icon, MsgIcon::Exclamation);
        EXPECT_EQ(w.buttons, MsgButtons::OKCancel);
        EXPECT_EQ(w.focus, Field::Pin);
    }
    EXPECT_FALSE(report.fault);
    EXPECT_NE(gear.DepthName, "earlier");  // the dimensions are there before the warnings
    EXPECT_EQ(gear.PinRefused, 0);
    EXPECT_EQ(gear.CalcFailed, 0);
}

// Contact diameters and pin positions worked out with the pin formulas: 24 teeth
// (OD 2.6, root radius 1.075 for 2.25/P); internal 60 teeth (ID 5.8, root radius
// 3.125) and 100 teeth (ID 9.8, root radius 5.125). The pin must also fit the basic
// space, where the K factor is taken.
INSTANTIATE_TEST_SUITE_P(
    Cases, PinWarnings,
    ::testing::Values(
        // contact at 2.6181 >= OD 2.6
        WarningCase{"PinReachesTheOutsideDiameter", 1, 24, 1, "", BasicThickness(10), 0, 0.35f, {kTooLargeOD}},
        // only the second thickness (0.160) reaches it: 2.5965 and 2.6034
        WarningCase{"SecondContactReachesTheOutsideDiameter", 1, 24, 1, "", 0.155f, 0.16f, 0.33f, {kTooLargeOD}},
        // stub depth: root radius 1.12 above the pin's inner point 1.2103 - 0.12
        WarningCase{"PinSinksToTheRoot", 1, 24, 6, "", BasicThickness(10), 0, 0.12f, {kTooSmallExternal}},
        // depth 0.05: root radius 1.25 above 1.5811 - 0.35, and contact 2.6181 >= 2.6
        WarningCase{"TooLargeAndTooSmall", 1, 24, 9, "0.05", BasicThickness(10), 0, 0.35f,
                    {kTooLargeOD, kTooSmallExternal}},
        WarningCase{"StandardPinFits", 1, 24, 1, "", BasicThickness(10), 0, 0.1728f, {}},
        // basic space over 0.25: contact 9.7049 <= ID 9.8
        WarningCase{"PinReachesTheInsideDiameter", 2, 100, 1, "", BasicThickness(10), 0, 0.25f, {kTooLargeID}},
        // the first contact (basic space: 9.7049) is the one compared; the space
        // 0.19708 gives 9.8663
        WarningCase{"FirstInternalContactIsCompared", 2, 100, 1, "", BasicThickness(10), 0.19708f, 0.25f,
                    {kTooLargeID}},
        WarningCase{"SecondInternalContactIsNotCompared", 2, 100, 1, "", 0.19708f, BasicThickness(10), 0.25f, {}},
        // pin 0.05: outer point 3.1003 + 0.05 beyond the root radius 3.125
        WarningCase{"PinReachesTheInternalRoot", 2, 60, 1, "", BasicThickness(10), 0, 0.05f, {kTooSmallInternal}},
        WarningCase{"StandardInternalPinFits", 2, 60, 1, "", BasicThickness(10), 0, 0.144f, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Dimensions, NoPinChecksForASpan) {
    Gear(3, 1, 24, 10, 20);
    Feature("Circular Tooth Thickness", "0.157080");
    gear.DepthSystem = 9;
    gear.CutterDepthText = "0.05";  // the standard pin would sink to this root
    Pin(3);
    Run();
    EXPECT_TRUE(Messages().empty());
}

}  // namespace
