// Calculation modes, gear type, the depth-system menu, and the window's own
// lifecycle.
#include "screen.h"

namespace involvo::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::FloatEq;

using Window = InputScreen;

TEST_F(Window, OpensForExternalGearsOverPins) {
    EXPECT_EQ(Text(ctl::Window), "Involvo -  (Calculate Dimension Over Pins)");
    EXPECT_TRUE(screen().Checked(ctl::External));
    EXPECT_EQ(gear().GearType, 1);
    EXPECT_EQ(gear().NormalPA, 20);  // from the default text of the pressure angle
}

TEST_F(Window, ChordalThicknessSurvivesModeOneButNotModeTwo) {
    screen().Choose(ctl::Combo1, "Chordal Tooth Thickness");
    screen().Click(ctl::MnuMow);
    EXPECT_EQ(Text(ctl::Combo1), "Chordal Tooth Thickness");
    screen().Click(ctl::MnuCTT);
    screen().Click(ctl::MnuMow);
    EXPECT_EQ(Text(ctl::Combo1), "Circular Tooth Thickness");
}

TEST_F(Window, GearTypeAndModeChooseCaptionAndFeatures) {
    screen().Press(ctl::Internal);
    EXPECT_EQ(gear().GearType, 2);
    EXPECT_EQ(Text(ctl::Window), "Involvo - (Calculate Dimension Between Pins)");
    EXPECT_EQ(Text(ctl::Combo1), "Circular Space Width");
    EXPECT_THAT(screen().Items(ctl::Combo1),
                ElementsAre("Circular Space Width", "Chordal Space Width", "Contributing Backlash"));
    screen().Click(ctl::MnuCTT);
    EXPECT_EQ(Text(ctl::Window), "Involvo - (Calculate Circular Space Width)");
    EXPECT_THAT(screen().Items(ctl::Combo1), ElementsAre("Dimension Between Pins"));
    screen().Press(ctl::External);
    EXPECT_EQ(Text(ctl::Window), "Involvo - (Calculate Circular Tooth Thickness)");
    EXPECT_THAT(screen().Items(ctl::Combo1), ElementsAre("Dimension Over Pins", "Span Measurement"));
    EXPECT_EQ(Text(ctl::Combo1), "Dimension Over Pins");
}

TEST_F(Window, SpanModeSwitchesToExternalAndLocksInternalOut) {
    screen().Press(ctl::Internal);
    screen().Choose(ctl::Combo1, "Chordal Space Width");
    screen().Click(ctl::MnuSpan);
    EXPECT_TRUE(screen().Checked(ctl::External));
    EXPECT_EQ(gear().GearType, 1);
    EXPECT_FALSE(screen().Enabled(ctl::Internal));
    EXPECT_EQ(Text(ctl::Window), "Involvo - (Calculate Span Measurement)");
    EXPECT_EQ(Text(ctl::Combo1), "Circular Tooth Thickness");
    EXPECT_EQ(Text(ctl::LABELPINDIA), "Number of Teeth Spanned");

    screen().Click(ctl::MnuMow);
    EXPECT_TRUE(screen().Enabled(ctl::Internal));
    screen().Click(ctl::mnuFile);
    EXPECT_TRUE(screen().Checked(ctl::MnuMow));
    EXPECT_FALSE(screen().Checked(ctl::MnuSpan));
}

TEST_F(Window, ContributingBacklashSurvivesAGearTypeChange) {
    screen().Choose(ctl::Combo1, "Contributing Backlash");
    screen().Press(ctl::Internal);
    EXPECT_EQ(Text(ctl::Combo1), "Contributing Backlash");
    screen().Press(ctl::External);
    EXPECT_EQ(Text(ctl::Combo1), "Contributing Backlash");
}

TEST_F(Window, ChoosingTheSelectedGearTypeAgainChangesNothing) {
    EnterGear("20", "10");
    Enter(ctl::InputCTT_MOW, "0.15");
    screen().Press(ctl::External);
    EXPECT_EQ(Text(ctl::InputCTT_MOW), "0.150000");
}

TEST_F(Window, CutterDepthMustLieBetweenOneAndThreeOverThePitch) {
    EnterGear("20", "10");
    for (const char* answer : {"0.09", "0.31", "0.3"}) platform().ScriptInput(answer);
    screen().Click(ctl::MnuDepth(9));
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"This value is not within program limits",
                                                        "This value is not within program limits"}));
    ASSERT_EQ(platform().InputBoxes().size(), 3u);
    EXPECT_EQ(platform().InputBoxes()[0].title, "Input cutter depth");
    // Each refused answer is offered again.
    EXPECT_EQ(platform().InputBoxes()[1].defaultText, "0.09");
    EXPECT_EQ(platform().InputBoxes()[2].defaultText, "0.31");
    EXPECT_EQ(gear().DepthSystem, 9);
    EXPECT_THAT(gear().WholeDepth, FloatEq(0.3f));
    EXPECT_TRUE(screen().Checked(ctl::MnuDepth(9)));
    EXPECT_FALSE(screen().Checked(ctl::MnuDepth(1)));

    // The lower limit passes too; the last answer is the next default.
    platform().ScriptInput("0.1");
    screen().Click(ctl::MnuDepth(9));
    EXPECT_EQ(platform().InputBoxes()[3].defaultText, "0.3");
    EXPECT_EQ(gear().CutterDepthText, "0.1");
    EXPECT_EQ(gear().DepthSystem, 9);
}

TEST_F(Window, CutterDepthFallsBackToTheStandardDepth) {
    struct Case {
        const char* pitch;
        std::vector<std::string> answers;  // after them the box offers its default
    };
    const Case cases[] = {
        {"\b", {}},     // no pitch: the box is not offered
        {"10", {""}},   // cancelled
        {"10", {"5"}},  // refused, then offered again and again unchanged
    };
    for (const Case& c : cases) {
        Restart();
        EnterGear("20", c.pitch);
        for (const std::string& answer : c.answers) platform().ScriptInput(answer);
        screen().Click(ctl::MnuDepth(9));
        EXPECT_EQ(gear().DepthSystem, 1) << c.pitch;
        EXPECT_TRUE(screen().Checked(ctl::MnuDepth(1)));
        EXPECT_FALSE(screen().Checked(ctl::MnuDepth(9)));
    }
    EXPECT_TRUE(Shown("This value is not within program limits"));
    Restart();
    screen().Click(ctl::MnuDepth(9));
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"You must enter a Diametral Pitch before using this option"});
    EXPECT_TRUE(platform().InputBoxes().empty());
}

TEST_F(Window, ReturningToTheScreenClosesTheResultPages) {
    EnterGear("20", "10");
    Calculate();
    ASSERT_TRUE(app().IsLoaded(FormId::FrmOutput1));
    gear().PartNumber = "A-100";
    screen().Activate();
    for (FormId page : {FormId::FrmOutput1, FormId::FrmOutput2, FormId::AGMATOL})
        EXPECT_FALSE(app().IsLoaded(page)) << FormName(page);
    EXPECT_EQ(gear().PartNumber, "");
}

TEST_F(Window, ExitEndsTheProgram) {
    screen().Press(ctl::cmdExit);
    EXPECT_TRUE(app().Ended());
    EXPECT_TRUE(platform().QuitRequested());
    Restart();
    screen().Click(ctl::MnuExit);
    EXPECT_TRUE(app().Ended());
}

}  // namespace
}  // namespace involvo::testing
