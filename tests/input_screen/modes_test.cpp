// Calculation modes, gear type, the depth-system menu with its cutter depth,
// and the window's own lifecycle.
#include "tests/support/program.h"

namespace involvo::testing {
namespace {

using Texts = std::vector<std::pair<Control, std::string>>;
using States = std::vector<std::pair<Control, bool>>;

struct Mode {
    const char* what;
    Entries entries;
    Texts texts;
    std::vector<std::string> items = {};  // of the feature list
    States checked = {}, enabled = {};
    int16_t gearType = 1;
};
void PrintTo(const Mode& m, std::ostream* os) { *os << m.what; }

const Mode kModes[] = {
    {"opening", {}, {{ctl::Window, "Involvo -  (Calculate Dimension Over Pins)"}, {ctl::Combo1, "Circular Tooth Thickness"}},
     {"Circular Tooth Thickness", "Chordal Tooth Thickness", "Contributing Backlash"},
     {{ctl::External, true}, {ctl::MnuDepth(1), true}, {ctl::MnuDepth(2), false}}},
    {"internal", {{ctl::Internal, ""}},
     {{ctl::Window, "Involvo - (Calculate Dimension Between Pins)"}, {ctl::Combo1, "Circular Space Width"}},
     {"Circular Space Width", "Chordal Space Width", "Contributing Backlash"}, {{ctl::Internal, true}}, {}, 2},
    {"internal, thickness", {{ctl::Internal, ""}, {ctl::MnuCTT, ""}},
     {{ctl::Window, "Involvo - (Calculate Circular Space Width)"}, {ctl::Combo1, "Dimension Between Pins"}},
     {"Dimension Between Pins"}, {{ctl::MnuCTT, true}, {ctl::MnuMow, false}}, {}, 2},
    {"external, thickness", {{ctl::Internal, ""}, {ctl::MnuCTT, ""}, {ctl::External, ""}},
     {{ctl::Window, "Involvo - (Calculate Circular Tooth Thickness)"}, {ctl::Combo1, "Dimension Over Pins"}},
     {"Dimension Over Pins", "Span Measurement"}},
    {"a chordal thickness survives mode 1", {{ctl::Combo1, "Chordal Tooth Thickness"}, {ctl::MnuMow, ""}},
     {{ctl::Combo1, "Chordal Tooth Thickness"}}},
    {"but not mode 2", {{ctl::Combo1, "Chordal Tooth Thickness"}, {ctl::MnuCTT, ""}, {ctl::MnuMow, ""}},
     {{ctl::Combo1, "Circular Tooth Thickness"}}},
    {"a chordal space survives mode 1", {{ctl::Internal, ""}, {ctl::Combo1, "Chordal Space Width"}, {ctl::MnuMow, ""}},
     {{ctl::Combo1, "Chordal Space Width"}}, {}, {}, {}, 2},
    {"a backlash survives the gear type", {{ctl::Combo1, "Contributing Backlash"}, {ctl::Internal, ""}},
     {{ctl::Combo1, "Contributing Backlash"}}, {}, {}, {}, 2},
    {"and back", {{ctl::Combo1, "Contributing Backlash"}, {ctl::Internal, ""}, {ctl::External, ""}},
     {{ctl::Combo1, "Contributing Backlash"}}},
    {"span mode is external only", {{ctl::Internal, ""}, {ctl::Combo1, "Chordal Space Width"}, {ctl::MnuSpan, ""}},
     {{ctl::Window, "Involvo - (Calculate Span Measurement)"}, {ctl::Combo1, "Circular Tooth Thickness"},
      {ctl::LABELPINDIA, "Number of Teeth Spanned"}},
     {}, {{ctl::External, true}, {ctl::MnuSpan, true}}, {{ctl::Internal, false}}},
    {"leaving span mode", {{ctl::MnuSpan, ""}, {ctl::MnuMow, ""}, {ctl::mnuFile, ""}},
     {{ctl::LABELPINDIA, "Measuring Pin Diameter"}}, {}, {{ctl::MnuMow, true}, {ctl::MnuSpan, false}}, {{ctl::Internal, true}}},
};

class Modes : public ProgramTest, public ::testing::WithParamInterface<Mode> {};

TEST_P(Modes, SetCaptionFeaturesAndMenuMarks) {
    const Mode& m = GetParam();
    EnterAll(m.entries);
    for (const auto& [control, text] : m.texts) EXPECT_EQ(Text(control), text) << control;
    if (!m.items.empty()) {
        EXPECT_EQ(screen().Items(ctl::Combo1), m.items);
    }
    for (const auto& [control, on] : m.checked) EXPECT_EQ(screen().Checked(control), on) << control;
    for (const auto& [control, on] : m.enabled) EXPECT_EQ(screen().Enabled(control), on) << control;
    EXPECT_EQ(gear().GearType, m.gearType);
}

INSTANTIATE_TEST_SUITE_P(Table, Modes, ::testing::ValuesIn(kModes));

// A ticked item clicked again unticks itself in Qt: the File menu ticks the mode again as it opens.
TEST_F(ProgramTest, TheFileMenuTicksTheModeAsItOpens) {
    screen().Click(ctl::MnuCTT);
    screen().SetChecked(ctl::MnuCTT, false);
    screen().Click(ctl::mnuFile);
    EXPECT_TRUE(screen().Checked(ctl::MnuCTT));
}

// The depth systems' menu: the system chosen is checked alone. System 9 asks for a
// cutter depth from 1/P to 3/P, offers each refused answer again, and falls back
// to system 1 without a pitch, when cancelled, or refused to the end.
TEST_F(ProgramTest, TheDepthSystemChosenIsCheckedAlone) {
    const char* const captions[] = {
        "AGMA (Current standard) - 2.25/DP,  (2.20/DP)+.002 for 20 DP and finer",
        "Old Standard - 2.157/DP,  (2.20/DP)+.002 for 20 DP and finer", "Full Fillet (Hobbed) - 2.335/DP",
        "Full Fillet (Shaped) - 14.5 PA = 2.4/DP, 20 PA=2.35/DP, 25 PA=2.25/DP",
        "Pre-Grind or Pre-Shave - 2.35/DP,  (2.4/DP) + .002  for 20 DP and finer", "AGMA Stub Pitch (1.80/DP)",
        "AGMA Stub-Full Fillet (2.00/DP)", "Combination Stub Pitch (2.25/Pitch Fraction)",
        "Enter Actual Hob or Shaper Whole Depth"};
    EnterAll({{ctl::InputNT, "20"}, {ctl::InputDP, "10"}});
    EXPECT_EQ(Text(ctl::MnuDepthSystem), "Depth System");
    for (int system = 1; system <= 9; ++system) {
        EXPECT_EQ(Text(ctl::MnuDepth(system)), captions[system - 1]);
        platform().ScriptInput("0.2");
        screen().Click(ctl::MnuDepth(system));
        EXPECT_EQ(gear().DepthSystem, system);
        for (int other = 1; other <= 9; ++other) EXPECT_EQ(screen().Checked(ctl::MnuDepth(other)), other == system);
    }
    Enter(ctl::InputDP, "12");  // a new pitch ends the cutter depth
    EXPECT_EQ(gear().DepthSystem, 1);
    EXPECT_TRUE(screen().Checked(ctl::MnuDepth(1)) && !screen().Checked(ctl::MnuDepth(9)));
}

TEST_F(ProgramTest, ACutterDepthMustLieBetweenOneAndThreeOverThePitch) {
    EnterAll({{ctl::InputNT, "20"}, {ctl::InputDP, "10"}});
    for (const char* answer : {"0.09", "0.31", "0.3"}) platform().ScriptInput(answer);
    screen().Click(ctl::MnuDepth(9));
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"This value is not within program limits",
                                                        "This value is not within program limits"}));
    ASSERT_EQ(platform().InputBoxes().size(), 3u);
    EXPECT_EQ(platform().InputBoxes()[0].title, "Input cutter depth");
    EXPECT_EQ(platform().InputBoxes()[1].defaultText, "0.09");
    EXPECT_EQ(platform().InputBoxes()[2].defaultText, "0.31");
    EXPECT_EQ(gear().DepthSystem, 9);
    EXPECT_FLOAT_EQ(gear().WholeDepth, 0.3f);
    platform().ScriptInput("0.1");  // the lower limit; the last answer is the next default
    screen().Click(ctl::MnuDepth(9));
    EXPECT_EQ(platform().InputBoxes()[3].defaultText, "0.3");
    EXPECT_EQ(gear().CutterDepthText, "0.1");
    EXPECT_EQ(gear().DepthSystem, 9);
}

TEST_F(ProgramTest, ACutterDepthFallsBackToTheStandardDepth) {
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"\b", {}},     // no pitch: the box is not offered
        {"10", {""}},   // cancelled
        {"10", {"5"}},  // refused, then offered again and again unchanged
    };
    for (const auto& [pitch, answers] : cases) {
        Restart();
        EnterAll({{ctl::InputNT, "20"}, {ctl::InputDP, pitch}});
        for (const std::string& answer : answers) platform().ScriptInput(answer);
        screen().Click(ctl::MnuDepth(9));
        EXPECT_EQ(gear().DepthSystem, 1) << pitch;
        EXPECT_TRUE(screen().Checked(ctl::MnuDepth(1)) && !screen().Checked(ctl::MnuDepth(9)));
        if (answers.empty()) {
            EXPECT_EQ(MessageTexts(), std::vector<std::string>{"You must enter a Diametral Pitch before using this option"});
            EXPECT_TRUE(platform().InputBoxes().empty());
        }
        if (answers.size() == 1 && answers[0] == "5") {
            EXPECT_EQ(platform().InputBoxes().size(), 50u) << "fifty asks, then no more";
        }
    }
    EXPECT_TRUE(Shown("This value is not within program limits"));
}

TEST_F(ProgramTest, ReturningToTheScreenClosesTheResultPages) {
    EnterAll({{ctl::InputNT, "20"}, {ctl::InputDP, "10"}});
    Calculate();
    ASSERT_TRUE(app().IsLoaded(FormId::FrmOutput1));
    gear().PartNumber = "A-100";
    screen().Activate();
    for (FormId page : {FormId::FrmOutput1, FormId::FrmOutput2, FormId::AGMATOL})
        EXPECT_FALSE(app().IsLoaded(page)) << FormName(page);
    EXPECT_EQ(gear().PartNumber, "");
}

TEST_F(ProgramTest, ExitEndsTheProgramFromItsButtonOrItsMenu) {
    for (Control exit : {ctl::cmdExit, ctl::MnuExit}) {
        Restart();
        if (exit == ctl::cmdExit) screen().Press(exit);
        else screen().Click(exit);
        EXPECT_TRUE(app().Ended());
        EXPECT_TRUE(platform().QuitRequested());
    }
}

}  // namespace
}  // namespace involvo::testing
