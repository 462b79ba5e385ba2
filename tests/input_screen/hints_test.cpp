// The live hints beside the fields and the refills of the fields whose basis
// changed. Expected values worked out from the gear formulas by hand:
//   20 teeth, pitch 10, 20 degrees: O.D. 22/10 = 2.2; standard pin 1.728/10;
//   basic thickness pi/20 = 0.157080; chordal 2 sin(0.07854) = 0.156918;
//   ideal pin (tan(pi/20 - 0.07854 + 20 deg) - tan 20 deg) * 2 cos 20 deg = 0.17244;
//   dimension over two 0.1728 pins 2.239002.
//   30 teeth at 20 degrees span 30 * 20/180 + 0.5 = 3.83 -> 4 teeth, basic span 1.075263.
#include "screen.h"

namespace involvo::testing {
namespace {

using ::testing::FloatEq;
using ::testing::HasSubstr;
using ::testing::Not;

using Hints = InputScreen;

TEST_F(Hints, StandardOutsideOrInsideDiameter) {
    struct Case {
        Control gearType;
        const char *teeth, *pressureAngle, *caption;
    };
    const Case cases[] = {
        {ctl::External, "20", "20", "-> Standard O.D. = 2.2"},
        {ctl::Internal, "60", "20", "-> Standard I.D. = 5.8"},
        // (20 - 2)/10 = 1.8 lies inside the base circle 2 cos 20 deg = 1.879385.
        {ctl::Internal, "20", "20", "-> Standard I.D. = 1.87939"},
        // Without a pressure angle the base circle is the pitch circle, 6; the
        // angle is taken as 20 afterwards.
        {ctl::Internal, "60", "0", "-> Standard I.D. = 6"},
    };
    for (const Case& c : cases) {
        Restart();
        screen().Press(c.gearType);
        EnterAll({{ctl::InputPA, c.pressureAngle}, {ctl::InputNT, c.teeth}, {ctl::InputDP, "10"}});
        EXPECT_EQ(Text(ctl::LabelStandardOD), c.caption) << c.gearType << " " << c.teeth;
        EXPECT_EQ(gear().NormalPA, 20);
    }
    Enter(ctl::InputNT, "\b");
    EXPECT_EQ(Text(ctl::LabelStandardOD), "");
}

TEST_F(Hints, PinOrBallCaptionFollowsHelixAndTeeth) {
    struct Case {
        Control gearType;
        const char *teeth, *helix, *caption;
    };
    const Case cases[] = {
        {ctl::External, "21", "15", "Measuring Ball Diameter"}, {ctl::External, "20", "15", "Measuring Pin Diameter"},
        {ctl::External, "21", "0", "Measuring Pin Diameter"},   {ctl::Internal, "20", "15", "Measuring Ball Diameter"},
    };
    for (const Case& c : cases) {
        screen().Press(c.gearType);
        EnterAll({{ctl::InputHA, c.helix}, {ctl::InputNT, c.teeth}, {ctl::InputDP, "10"}});
        EXPECT_EQ(Text(ctl::LABELPINDIA), c.caption) << c.gearType << " " << c.teeth << " teeth, helix " << c.helix;
    }
}

TEST_F(Hints, SpurGearOverPinsShowsBasicStandardAndIdealPin) {
    EnterGear("20", "10");
    EXPECT_EQ(Text(ctl::LabelBasic), "-> Basic = 0.157080");
    EXPECT_EQ(Text(ctl::LabelBasic2), "");
    EXPECT_EQ(Text(ctl::LabelStandard), "-> Standard = 0.1728");
    EXPECT_EQ(Text(ctl::LabelBestPin), "     Ideal Pin = 0.17244");
    EXPECT_EQ(Text(ctl::InputCTT_MOW), "0.157080");
    EXPECT_EQ(Text(ctl::InputPINDIA), "0.1728");
    EXPECT_EQ(screen().ToolTip(ctl::LabelBestPin), "Click to enter P.D. contact pin diameter");
    EXPECT_EQ(screen().ToolTip(ctl::InputCTT_MOW), "Enter Circular Tooth Thickness");
}

TEST_F(Hints, ChangingTheFeatureOrGearTypeRefillsFeatureAndPin) {
    EnterGear("20", "10");
    Enter(ctl::InputPINDIA, "0.2");
    screen().Choose(ctl::Combo1, "Chordal Tooth Thickness");
    EXPECT_EQ(Text(ctl::InputCTT_MOW), "0.156918");
    EXPECT_EQ(Text(ctl::InputPINDIA), "0.1728");
    EXPECT_THAT(gear().Thick1, FloatEq(0.156918f));

    Enter(ctl::InputCTT_MOW, "0.15");
    screen().Press(ctl::Internal);
    EXPECT_EQ(Text(ctl::Combo1), "Chordal Space Width");
    EXPECT_EQ(Text(ctl::InputCTT_MOW), "0.156918");
    EXPECT_EQ(Text(ctl::InputPINDIA), "0.1440");  // internal gears take 1.44/P below 30 degrees
}

TEST_F(Hints, ODChangeRefillsTheThicknessButNotABacklash) {
    EnterGear("20", "10");
    Enter(ctl::InputCTT_MOW, "0.15");
    Enter(ctl::InputAddendumMod, "0.01");
    EXPECT_EQ(Text(ctl::InputCTT_MOW), "0.160720");  // 0.157080 + 0.01 tan 20 deg

    screen().Choose(ctl::Combo1, "Contributing Backlash");
    EXPECT_EQ(Text(ctl::LabelBasic), "");
    Enter(ctl::InputCTT_MOW, "0.004");
    Enter(ctl::InputAddendumMod, "0.02");
    EXPECT_EQ(Text(ctl::InputCTT_MOW), "0.004000");
}

TEST_F(Hints, SpanModeShowsTheTeethToSpanWithFourDecimals) {
    screen().Click(ctl::MnuSpan);
    EnterGear("30", "10");
    EXPECT_EQ(Text(ctl::LabelStandard), "-> Standard = 4.0000");
    EXPECT_EQ(Text(ctl::InputPINDIA), "4.0000");
    EXPECT_EQ(Text(ctl::LabelBestPin), "");
    EXPECT_FALSE(screen().Enabled(ctl::LabelBestPin));
    EXPECT_EQ(screen().ToolTip(ctl::InputPINDIA), "Enter Number of teeth you will be spanning");
}

TEST_F(Hints, MeasuredSpanAndMeasuredPinsNoteWhatTheBasicValueUses) {
    screen().Click(ctl::MnuCTT);
    EnterGear("20", "10");
    EXPECT_EQ(Text(ctl::LabelBasic2), "    (Using .1728 diameter Pins)");
    EXPECT_NEAR(gearmain::Val(Text(ctl::InputCTT_MOW)), 2.239002, 2e-6);

    Enter(ctl::InputNT, "30");
    screen().Choose(ctl::Combo1, "Span Measurement");
    EXPECT_EQ(Text(ctl::LabelStandard), "-> Standard = 4");
    EXPECT_EQ(Text(ctl::InputPINDIA), "4");
    EXPECT_EQ(Text(ctl::LabelBasic2), "    (Over 4 teeth)");
    EXPECT_EQ(Text(ctl::LABELPINDIA), "Number of Teeth Spanned");
    EXPECT_NEAR(gearmain::Val(Text(ctl::InputCTT_MOW)), 1.075263, 2e-6);
}

TEST_F(Hints, NewPitchEndsAnEnteredCutterDepth) {
    EnterGear("20", "10");
    platform().ScriptInput("0.2");
    screen().Click(ctl::MnuDepth(9));
    ASSERT_EQ(gear().DepthSystem, 9);
    Enter(ctl::InputDP, "12");
    EXPECT_EQ(gear().DepthSystem, 1);
    EXPECT_TRUE(screen().Checked(ctl::MnuDepth(1)));
    EXPECT_FALSE(screen().Checked(ctl::MnuDepth(9)));
}

TEST_F(Hints, AbsurdPitchNeverShowsInfinity) {
    EnterGear("20", "10");
    Enter(ctl::InputDP, "0." + std::string(40, '0') + "1");
    for (Control control : screen().Controls()) {
        EXPECT_THAT(Text(control), Not(HasSubstr("inf"))) << control;
        EXPECT_THAT(Text(control), Not(HasSubstr("nan"))) << control;
    }
    // The hints that cannot be computed keep what they showed.
    EXPECT_EQ(Text(ctl::LabelStandardOD), "-> Standard O.D. = 2.2");
    EXPECT_TRUE(platform().Messages().empty());
}

}  // namespace
}  // namespace involvo::testing
