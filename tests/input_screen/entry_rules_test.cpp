// The fields of the input screen: what they accept, what leaving them stores,
// the keyboard, the hint labels and their colours.
#include "screen.h"

namespace involvo::testing {
namespace {

using ::testing::FloatEq;

using EntryRules = InputScreen;

TEST_F(EntryRules, TeethTakeDigitsOnlyAndBackspaceAlwaysWorks) {
    Enter(ctl::InputNT, "12a");
    EXPECT_EQ(Text(ctl::InputNT), "12");
    Enter(ctl::InputNT, "1.5");
    EXPECT_EQ(Text(ctl::InputNT), "15");
    Enter(ctl::InputNT, "34\b");
    EXPECT_EQ(Text(ctl::InputNT), "3");
    EXPECT_EQ(gear().NumTeeth, 3);
}

TEST_F(EntryRules, PitchFractionIsRefusedUnlessDepthSystemIs8) {
    Enter(ctl::InputDP, "5/7");
    EXPECT_EQ(Text(ctl::InputDP), "57");

    screen().Click(ctl::MnuDepth(8));
    Enter(ctl::InputDP, "5/7");
    EXPECT_EQ(Text(ctl::InputDP), "5/7");
    EXPECT_EQ(gear().NormalDP, 5);
    EXPECT_EQ(gear().DepthPitch, 7);
    // A depth pitch coarser than the pitch collapses the fraction.
    Enter(ctl::InputDP, "7/5");
    EXPECT_EQ(Text(ctl::InputDP), "7");
    EXPECT_EQ(gear().DepthPitch, 7);
    Enter(ctl::InputDP, "6");
    EXPECT_EQ(gear().DepthPitch, 0);

    // Another system refuses the slash again; the fraction already typed stays.
    Enter(ctl::InputDP, "5/7");
    screen().Click(ctl::MnuDepth(1));
    EXPECT_EQ(Text(ctl::InputDP), "5/7");
    Enter(ctl::InputDP, "6/");
    EXPECT_EQ(Text(ctl::InputDP), "6");
}

TEST_F(EntryRules, FeatureRangeShowsTheSmallerFirstAndKeepsTheTypedOrder) {
    Enter(ctl::InputCTT_MOW, "0.157/0.155/");  // one slash at most
    EXPECT_EQ(Text(ctl::InputCTT_MOW), "0.155000 / 0.157000");
    EXPECT_THAT(gear().Thick1, FloatEq(0.157f));
    EXPECT_THAT(gear().Backlash1, FloatEq(0.157f));
    EXPECT_THAT(gear().Measure2, FloatEq(0.155f));

    Enter(ctl::InputCTT_MOW, "0.1");
    EXPECT_EQ(Text(ctl::InputCTT_MOW), "0.100000");
    EXPECT_THAT(gear().Measure1, FloatEq(0.1f));
    EXPECT_EQ(gear().Thick2, 0);
}

TEST_F(EntryRules, RangeAfterAZeroEntryCountsAsAValue) {
    EnterGear("20", "10");
    Enter(ctl::InputCTT_MOW, "0");
    Enter(ctl::InputCTT_MOW, "0.157/0.155");
    Calculate();
    EXPECT_FALSE(Shown("Enter Circular Tooth Thickness"));
}

TEST_F(EntryRules, LeavingAFieldRewritesItsNumber) {
    struct Case {
        Control field;
        const char *typed, *shown;
    };
    const Case cases[] = {
        {ctl::InputHA, "0", "0.000000"},   {ctl::InputHA, "15", "15"},        {ctl::InputHA, "\b", ""},
        {ctl::InputFaceWidth, "2", "2.00000"}, {ctl::InputFaceWidth, "0", "0"}, {ctl::InputAddendumMod, "-.005", "-0.00500"},
    };
    for (const Case& c : cases) {
        Enter(c.field, c.typed);
        EXPECT_EQ(Text(c.field), c.shown) << c.field << " typed " << c.typed;
    }
    Enter(ctl::ComboQuality, "7");
    EXPECT_EQ(gear().QualityNumber, 7);
}

TEST_F(EntryRules, FeatureListCannotBeTypedInto) {
    screen().Type(ctl::Combo1, "abc");
    EXPECT_EQ(Text(ctl::Combo1), "Circular Tooth Thickness");
}

TEST_F(EntryRules, PitchEditClearsTheFeatureAndThePin) {
    EnterGear("20", "10");
    ASSERT_EQ(Text(ctl::InputCTT_MOW), "0.157080");
    ASSERT_EQ(Text(ctl::InputPINDIA), "0.1728");
    screen().Type(ctl::InputDP, "1");
    EXPECT_EQ(Text(ctl::InputCTT_MOW), "");
    EXPECT_EQ(Text(ctl::InputPINDIA), "");
    EXPECT_EQ(gear().PinDiameter, 0);
    screen().Type(ctl::InputDP, "2");
    screen().Leave();
    // Refilled for pitch 12: pi/24 and 1.728/12.
    EXPECT_EQ(Text(ctl::InputCTT_MOW), "0.130900");
    EXPECT_EQ(Text(ctl::InputPINDIA), "0.1440");
}

TEST_F(EntryRules, PitchEditKeepsAContributingBacklash) {
    EnterGear("20", "10");
    screen().Choose(ctl::Combo1, "Contributing Backlash");
    Enter(ctl::InputCTT_MOW, "0.004");
    screen().Type(ctl::InputDP, "12");
    EXPECT_EQ(Text(ctl::InputCTT_MOW), "0.004000");
    EXPECT_EQ(Text(ctl::InputPINDIA), "");
}

TEST_F(EntryRules, ArrowsAndEnterMoveAlongTheTabOrder) {
    screen().FocusTo(ctl::InputDP);
    screen().KeyDown(kKeyUp);
    EXPECT_EQ(screen().Focused(), ctl::InputNT);
    screen().KeyDown(kKeyDown);
    screen().KeyDown(kKeyDown);
    EXPECT_EQ(screen().Focused(), ctl::InputPA);
    screen().KeyDown(kKeyEnter);
    EXPECT_EQ(screen().Focused(), ctl::InputHA);
    EXPECT_EQ(Text(ctl::InputHA), "0.000000");  // the Enter itself is not typed

    std::vector<std::optional<Control>> order;
    screen().FocusTo(ctl::ComboQuality);
    for (int i = 0; i < 5; ++i) {
        screen().Leave();
        order.push_back(screen().Focused());
    }
    EXPECT_EQ(order, (std::vector<std::optional<Control>>{ctl::CmdCalc, ctl::cmdExit, ctl::External, ctl::Internal, ctl::InputNT}));
}

TEST_F(EntryRules, HintLabelsCopyTheirValues) {
    EnterGear("20", "10");
    Enter(ctl::InputCTT_MOW, "0.15");
    Enter(ctl::InputPINDIA, "0.2");
    screen().Click(ctl::LabelBasic);
    EXPECT_EQ(Text(ctl::InputCTT_MOW), "0.157080");
    EXPECT_THAT(gear().Thick1, FloatEq(0.15708f));
    screen().Click(ctl::LabelBestPin);
    EXPECT_EQ(Text(ctl::InputPINDIA), "0.17244");
    screen().Click(ctl::LabelStandard);
    EXPECT_EQ(Text(ctl::InputPINDIA), "0.1728");
    EXPECT_THAT(gear().TeethSpanned, FloatEq(0.1728f));
}

TEST_F(EntryRules, EmptyIdealPinLabelCopiesNothing) {
    screen().Click(ctl::MnuCTT);
    EnterGear("20", "10");
    ASSERT_EQ(Text(ctl::LabelBestPin), "");
    Enter(ctl::InputPINDIA, "0.2");
    screen().Click(ctl::LabelBestPin);
    EXPECT_EQ(Text(ctl::InputPINDIA), "0.2");
}

TEST_F(EntryRules, HoverLightsOneLabelAndPutsItsNeighbourBack) {
    for (Control control : {ctl::LabelBasic, ctl::LabelStandard, ctl::LabelBestPin, ctl::External, ctl::Internal})
        screen().SetForeground(control, kLightRed);
    screen().MouseOver(ctl::LabelStandard);
    EXPECT_EQ(screen().Foreground(ctl::LabelStandard), kLightRed);
    EXPECT_EQ(screen().Foreground(ctl::LabelBestPin), kBlack);
    screen().MouseOver(ctl::External);
    EXPECT_EQ(screen().Foreground(ctl::Internal), kDarkBlue);
    screen().MouseOver(ctl::Window);
    for (Control label : {ctl::LabelBasic, ctl::LabelStandard, ctl::LabelBestPin})
        EXPECT_EQ(screen().Foreground(label), kBlack) << label;
    EXPECT_EQ(screen().Foreground(ctl::External), kDarkBlue);
}

}  // namespace
}  // namespace involvo::testing
