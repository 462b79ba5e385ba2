// The fields of the input screen: what they accept, what leaving them stores,
// the keyboard, the hint labels and their colours.
#include "screen.h"

namespace involvo::testing {
namespace {

using ::testing::FloatEq;

using EntryRules = InputScreen;

TEST_F(EntryRules, TeethTakeDigitsOnlyAndBackspaceAlwaysWorks) {
    Enter("InputNT", "12a");
    EXPECT_EQ(Text("InputNT"), "12");
    Enter("InputNT", "1.5");
    EXPECT_EQ(Text("InputNT"), "15");
    Enter("InputNT", "34\b");
    EXPECT_EQ(Text("InputNT"), "3");
    EXPECT_EQ(gear().NumTeeth, 3);
}

TEST_F(EntryRules, PitchFractionIsRefusedUnlessDepthSystemIs8) {
    Enter("InputDP", "5/7");
    EXPECT_EQ(Text("InputDP"), "57");

    screen().Click("MnuDepth(8)");
    Enter("InputDP", "5/7");
    EXPECT_EQ(Text("InputDP"), "5/7");
    EXPECT_EQ(gear().NormalDP, 5);
    EXPECT_EQ(gear().DepthPitch, 7);
    // A depth pitch coarser than the pitch collapses the fraction.
    Enter("InputDP", "7/5");
    EXPECT_EQ(Text("InputDP"), "7");
    EXPECT_EQ(gear().DepthPitch, 7);
    Enter("InputDP", "6");
    EXPECT_EQ(gear().DepthPitch, 0);

    // Another system refuses the slash again; the fraction already typed stays.
    Enter("InputDP", "5/7");
    screen().Click("MnuDepth(1)");
    EXPECT_EQ(Text("InputDP"), "5/7");
    Enter("InputDP", "6/");
    EXPECT_EQ(Text("InputDP"), "6");
}

TEST_F(EntryRules, FeatureRangeShowsTheSmallerFirstAndKeepsTheTypedOrder) {
    Enter("InputCTT_MOW", "0.157/0.155/");  // one slash at most
    EXPECT_EQ(Text("InputCTT_MOW"), "0.155000 / 0.157000");
    EXPECT_THAT(gear().Thick1, FloatEq(0.157f));
    EXPECT_THAT(gear().Backlash1, FloatEq(0.157f));
    EXPECT_THAT(gear().Measure2, FloatEq(0.155f));

    Enter("InputCTT_MOW", "0.1");
    EXPECT_EQ(Text("InputCTT_MOW"), "0.100000");
    EXPECT_THAT(gear().Measure1, FloatEq(0.1f));
    EXPECT_EQ(gear().Thick2, 0);
}

TEST_F(EntryRules, RangeAfterAZeroEntryCountsAsAValue) {
    EnterGear("20", "10");
    Enter("InputCTT_MOW", "0");
    Enter("InputCTT_MOW", "0.157/0.155");
    Calculate();
    EXPECT_FALSE(Shown("Enter Circular Tooth Thickness"));
}

TEST_F(EntryRules, LeavingAFieldRewritesItsNumber) {
    struct Case {
        const char *field, *typed, *shown;
    };
    const Case cases[] = {
        {"InputHA", "0", "0.000000"},   {"InputHA", "15", "15"},        {"InputHA", "\b", ""},
        {"InputFaceWidth", "2", "2.00000"}, {"InputFaceWidth", "0", "0"}, {"InputAddendumMod", "-.005", "-0.00500"},
    };
    for (const Case& c : cases) {
        Enter(c.field, c.typed);
        EXPECT_EQ(Text(c.field), c.shown) << c.field << " typed " << c.typed;
    }
    Enter("ComboQuality", "7");
    EXPECT_EQ(gear().QualityNumber, 7);
}

TEST_F(EntryRules, FeatureListCannotBeTypedInto) {
    screen().Type("Combo1", "abc");
    EXPECT_EQ(Text("Combo1"), "Circular Tooth Thickness");
}

TEST_F(EntryRules, PitchEditClearsTheFeatureAndThePin) {
    EnterGear("20", "10");
    ASSERT_EQ(Text("InputCTT_MOW"), "0.157080");
    ASSERT_EQ(Text("InputPINDIA"), "0.1728");
    screen().Type("InputDP", "1");
    EXPECT_EQ(Text("InputCTT_MOW"), "");
    EXPECT_EQ(Text("InputPINDIA"), "");
    EXPECT_EQ(gear().PinDiameter, 0);
    screen().Type("InputDP", "2");
    screen().Leave();
    // Refilled for pitch 12: pi/24 and 1.728/12.
    EXPECT_EQ(Text("InputCTT_MOW"), "0.130900");
    EXPECT_EQ(Text("InputPINDIA"), "0.1440");
}

TEST_F(EntryRules, PitchEditKeepsAContributingBacklash) {
    EnterGear("20", "10");
    screen().Choose("Combo1", "Contributing Backlash");
    Enter("InputCTT_MOW", "0.004");
    screen().Type("InputDP", "12");
    EXPECT_EQ(Text("InputCTT_MOW"), "0.004000");
    EXPECT_EQ(Text("InputPINDIA"), "");
}

TEST_F(EntryRules, ArrowsAndEnterMoveAlongTheTabOrder) {
    screen().FocusTo("InputDP");
    screen().KeyDown(kKeyUp);
    EXPECT_EQ(screen().Focused(), "InputNT");
    screen().KeyDown(kKeyDown);
    screen().KeyDown(kKeyDown);
    EXPECT_EQ(screen().Focused(), "InputPA");
    screen().KeyDown(kKeyEnter);
    EXPECT_EQ(screen().Focused(), "InputHA");
    EXPECT_EQ(Text("InputHA"), "0.000000");  // the Enter itself is not typed

    std::vector<std::string> order;
    screen().FocusTo("ComboQuality");
    for (int i = 0; i < 5; ++i) {
        screen().Leave();
        order.push_back(screen().Focused());
    }
    EXPECT_EQ(order, (std::vector<std::string>{"CmdCalc", "cmdExit", "External", "Internal", "InputNT"}));
}

TEST_F(EntryRules, HintLabelsCopyTheirValues) {
    EnterGear("20", "10");
    Enter("InputCTT_MOW", "0.15");
    Enter("InputPINDIA", "0.2");
    screen().Click("LabelBasic");
    EXPECT_EQ(Text("InputCTT_MOW"), "0.157080");
    EXPECT_THAT(gear().Thick1, FloatEq(0.15708f));
    screen().Click("LabelBestPin");
    EXPECT_EQ(Text("InputPINDIA"), "0.17244");
    screen().Click("LabelStandard");
    EXPECT_EQ(Text("InputPINDIA"), "0.1728");
    EXPECT_THAT(gear().TeethSpanned, FloatEq(0.1728f));
}

TEST_F(EntryRules, EmptyIdealPinLabelCopiesNothing) {
    screen().Click("MnuCTT");
    EnterGear("20", "10");
    ASSERT_EQ(Text("LabelBestPin"), "");
    Enter("InputPINDIA", "0.2");
    screen().Click("LabelBestPin");
    EXPECT_EQ(Text("InputPINDIA"), "0.2");
}

TEST_F(EntryRules, HoverLightsOneLabelAndPutsItsNeighbourBack) {
    for (const char* control : {"LabelBasic", "LabelStandard", "LabelBestPin", "External", "Internal"})
        screen().SetForeground(control, kLightRed);
    screen().MouseOver("LabelStandard");
    EXPECT_EQ(screen().Foreground("LabelStandard"), kLightRed);
    EXPECT_EQ(screen().Foreground("LabelBestPin"), kBlack);
    screen().MouseOver("External");
    EXPECT_EQ(screen().Foreground("Internal"), kDarkBlue);
    screen().MouseOver("");
    for (const char* label : {"LabelBasic", "LabelStandard", "LabelBestPin"})
        EXPECT_EQ(screen().Foreground(label), kBlack) << label;
    EXPECT_EQ(screen().Foreground("External"), kDarkBlue);
}

}  // namespace
}  // namespace involvo::testing
