// The fields of the input screen: the keys each takes, what leaving it shows and
// stores, and that tabbing through it again changes nothing; the keyboard, the
// hint labels as buttons, and the refills of a pitch edit.
#include <random>

#include "input_screen/screen_core.h"
#include "tests/support/program.h"

namespace involvo::testing {
namespace {

using gearmain::GearMain;
using Stored = std::vector<std::pair<float GearMain::*, float>>;

struct Entry {
    const char* what;
    Entries before;
    Control field;
    const char* keys;
    const char* shown;  // after leaving the field
    Stored stored = {};
};
void PrintTo(const Entry& e, std::ostream* os) { *os << e.what; }

const Entries kDepth8 = {{ctl::MnuDepth(8), ""}};
const Entry kEntries[] = {
    {"teeth take digits only", {}, ctl::InputNT, "1a2.", "12", {{&GearMain::NumTeeth, 12}}},
    {"teeth take no sign", {}, ctl::InputNT, "-3", "3", {{&GearMain::NumTeeth, 3}}},
    {"backspace always works", {}, ctl::InputNT, "34\b", "3", {{&GearMain::NumTeeth, 3}}},
    {"a pitch takes no slash", {}, ctl::InputDP, "5/7", "57", {{&GearMain::NormalDP, 57}}},
    {"a pitch takes no sign", {}, ctl::InputDP, "-8", "8", {{&GearMain::NormalDP, 8}}},
    {"a stub pitch fraction", kDepth8, ctl::InputDP, "5/7", "5/7", {{&GearMain::NormalDP, 5}, {&GearMain::DepthPitch, 7}}},
    {"a plain pitch in system 8", kDepth8, ctl::InputDP, "6", "6", {{&GearMain::DepthPitch, 0}}},
    {"a fraction typed before stays", {{ctl::MnuDepth(8), ""}, {ctl::InputDP, "5/7"}, {ctl::MnuDepth(1), ""}},
     ctl::InputDP, "", "5/7"},
    {"system 1 refuses the slash again", {{ctl::MnuDepth(8), ""}, {ctl::MnuDepth(1), ""}}, ctl::InputDP, "6/", "6"},
    // A depth pitch coarser than the pitch collapses the fraction to the pitch: its
    // plain text, or the first number as typed where that has an exponent
    // ("1.234568E+07" would read back as 1.234568).
    {"collapsed 7/5", kDepth8, ctl::InputDP, "7/5", "7", {{&GearMain::NormalDP, 7}, {&GearMain::DepthPitch, 7}}},
    {"collapsed 10.50/8", kDepth8, ctl::InputDP, "10.50/8", "10.5", {{&GearMain::DepthPitch, 10.5f}}},
    {"collapsed 12345678/1", kDepth8, ctl::InputDP, "12345678/1", "12345678", {{&GearMain::NormalDP, 12345678}}},
    {"collapsed 99999999/1", kDepth8, ctl::InputDP, "99999999/1", "99999999", {{&GearMain::NormalDP, 1e8f}}},
    {"collapsed 0.00001/0.000001", kDepth8, ctl::InputDP, "0.00001/0.000001", "0.00001", {{&GearMain::DepthPitch, 1e-5f}}},
    {"collapsed .00005/0", kDepth8, ctl::InputDP, ".00005/0", ".00005", {{&GearMain::NormalDP, 5e-5f}}},
    {"an angle takes no sign", {}, ctl::InputPA, "-2x5", "25", {{&GearMain::NormalPA, 25}}},
    {"a helix is shown as typed", {}, ctl::InputHA, "15", "15", {{&GearMain::HelixAngle, 15}}},
    {"a helix of 0", {}, ctl::InputHA, "0", "0.000000", {{&GearMain::HelixAngle, 0}}},
    {"no helix", {}, ctl::InputHA, "\b", "", {{&GearMain::HelixAngle, 0}}},
    // A band shows the smaller first and keeps the order typed; one slash at most.
    {"a band", {}, ctl::InputCTT_MOW, "0.157/0.155/", "0.155000 / 0.157000",
     {{&GearMain::Thick1, 0.157f}, {&GearMain::Backlash1, 0.157f}, {&GearMain::Measure2, 0.155f}}},
    {"a single value", {}, ctl::InputCTT_MOW, "0.1", "0.100000", {{&GearMain::Measure1, 0.1f}, {&GearMain::Thick2, 0}}},
    {"a single value after a band", {{ctl::InputCTT_MOW, "0.155/0.157"}}, ctl::InputCTT_MOW, "\b\b\b\b\b\b\b\b\b\b\b\b\b\b\b\b\b\b\b\b0.1",
     "0.100000", {{&GearMain::Thick2, 0}, {&GearMain::Measure2, 0}, {&GearMain::Backlash2, 0}}},
    {"a negative backlash", {}, ctl::InputCTT_MOW, "-.004", "-0.004000", {{&GearMain::Backlash1, -0.004f}}},
    {"a face width", {}, ctl::InputFaceWidth, "2", "2.00000", {{&GearMain::FaceWidth, 2}}},
    {"a face width of 0", {}, ctl::InputFaceWidth, "0", "0", {{&GearMain::FaceWidth, 0}}},
    {"a pin takes no sign", {}, ctl::InputPINDIA, "-0.2", "0.2", {{&GearMain::PinDiameter, 0.2f}, {&GearMain::TeethSpanned, 0.2f}}},
    // An O.D. change is held as its box shows it, five decimals.
    {"an O.D. change", {}, ctl::InputAddendumMod, "-.005", "-0.00500", {{&GearMain::ODChange, -0.005f}}},
    {"an O.D. change rounded up", {}, ctl::InputAddendumMod, "0.0123456", "0.01235", {{&GearMain::ODChange, 0.01235f}}},
    {"an O.D. change rounded down", {}, ctl::InputAddendumMod, "-0.0098765", "-0.00988", {{&GearMain::ODChange, -0.00988f}}},
    {"an O.D. change rounded to 0.00001", {}, ctl::InputAddendumMod, "0.0000051", "0.00001", {{&GearMain::ODChange, 1e-5f}}},
    {"a quality takes digits", {}, ctl::ComboQuality, "7a", "7"},
};

class Entering : public ProgramTest, public ::testing::WithParamInterface<Entry> {};

TEST_P(Entering, ShowsAndStoresWhatTheFieldTakesAndReadsItBackUnchanged) {
    const Entry& e = GetParam();
    platform().ScriptInput("0.2");
    EnterAll(e.before);
    Enter(e.field, e.keys);
    EXPECT_EQ(Text(e.field), e.shown);
    for (const auto& [member, value] : e.stored) EXPECT_FLOAT_EQ(gear().*member, value);
    // Tabbing through the field again is no entry.
    const float GearMain::* const entries[] = {&GearMain::NumTeeth, &GearMain::NormalDP,   &GearMain::NormalPA,
                                               &GearMain::HelixAngle, &GearMain::ODChange, &GearMain::PinDiameter,
                                               &GearMain::FaceWidth};
    screen().FocusTo(e.field);
    std::vector<float> before;
    for (auto member : entries) before.push_back(gear().*member);
    screen().Leave();
    EXPECT_EQ(Text(e.field), e.shown);
    for (size_t i = 0; i < before.size(); ++i) EXPECT_EQ(gear().*entries[i], before[i]) << i;
}

INSTANTIATE_TEST_SUITE_P(Table, Entering, ::testing::ValuesIn(kEntries));

TEST_F(ProgramTest, AQualityIsStoredAsAWholeNumber) {
    Enter(ctl::ComboQuality, "7");
    EXPECT_EQ(gear().QualityNumber, 7);
}

TEST_F(ProgramTest, TheFeatureListCannotBeTypedInto) {
    screen().Type(ctl::Combo1, "abc");
    EXPECT_EQ(Text(ctl::Combo1), "Circular Tooth Thickness");
}

// A value typed after an O.D. change stands when the change's box and any other
// field are left again, in every mode that refills the feature on a change.
TEST_F(ProgramTest, AValueTypedAfterAnODChangeStands) {
    const std::pair<Control, const char*> modes[] = {{ctl::MnuMow, "0.150"}, {ctl::MnuCTT, "2.65"}, {ctl::MnuSpan, "0.15"}};
    for (const auto& [mode, value] : modes) {
        SCOPED_TRACE(value);
        Restart();
        EnterAll({{mode, ""}, {ctl::InputNT, "24"}, {ctl::InputDP, "10"}, {ctl::InputAddendumMod, "0.0123456"},
                  {ctl::InputCTT_MOW, value}});
        for (Control field : {ctl::InputAddendumMod, ctl::InputNT}) {
            screen().FocusTo(field);
            screen().Leave();
        }
        EXPECT_EQ(gearmain::Val(Text(ctl::InputCTT_MOW)), gearmain::Val(value));
        EXPECT_FLOAT_EQ(gear().FeatureValue, static_cast<float>(gearmain::Val(value)));
    }
}

// Typing a pitch empties the feature (a backlash aside) and the pin; leaving it refills them.
TEST_F(ProgramTest, APitchEditClearsTheFeatureAndPinUntilLeft) {
    EnterAll({{ctl::InputNT, "20"}, {ctl::InputDP, "10"}});
    screen().Type(ctl::InputDP, "1");
    EXPECT_EQ(Text(ctl::InputCTT_MOW), "");
    EXPECT_EQ(Text(ctl::InputPINDIA), "");
    EXPECT_EQ(gear().PinDiameter, 0);
    EXPECT_EQ(gear().FeatureValue, 0);
    screen().Type(ctl::InputDP, "2");
    screen().Leave();
    EXPECT_EQ(Text(ctl::InputCTT_MOW), "0.130900");  // pi/24
    EXPECT_EQ(Text(ctl::InputPINDIA), "0.1440");     // 1.728/12

    EnterAll({{ctl::Combo1, "Contributing Backlash"}, {ctl::InputCTT_MOW, "0.004"}});
    screen().Type(ctl::InputDP, "10");
    EXPECT_EQ(Text(ctl::InputCTT_MOW), "0.004000");
    EXPECT_EQ(Text(ctl::InputPINDIA), "");
}

TEST_F(ProgramTest, ArrowsAndEnterMoveAlongTheTabOrder) {
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
    EXPECT_EQ(order, (std::vector<std::optional<Control>>{ctl::CmdCalc, ctl::cmdExit, ctl::External, ctl::Internal,
                                                          ctl::InputNT}));
}

// Enter on Calculate presses it (the button's own doing) and leaves the focus
// there, not on Exit for the next Enter.
TEST_F(ProgramTest, EnterOnCalculateLeavesTheFocusOffExit) {
    EnterAll({{ctl::InputNT, "24"}, {ctl::InputDP, "10"}});
    screen().FocusTo(ctl::CmdCalc);
    for (int i = 0; i < 2; ++i) {
        screen().KeyDown(kKeyEnter);
        Calculate();
        EXPECT_TRUE(PageOpen());
        screen().Activate();
        EXPECT_EQ(screen().Focused(), ctl::CmdCalc);
    }
    EXPECT_FALSE(app().Ended());
}

// 20 teeth, pitch 10: basic thickness pi/20, standard pin 1.728/10, ideal pin
// (tan(pi/20 - 0.07854 + 20 deg) - tan 20 deg) 2 cos 20 deg = 0.17244.
TEST_F(ProgramTest, HintLabelsCopyTheirValuesIntoTheirFields) {
    EnterAll({{ctl::InputNT, "20"}, {ctl::InputDP, "10"}, {ctl::InputCTT_MOW, "0.15"}, {ctl::InputPINDIA, "0.2"}});
    screen().Click(ctl::LabelBasic);
    EXPECT_EQ(Text(ctl::InputCTT_MOW), "0.157080");
    EXPECT_FLOAT_EQ(gear().Thick1, 0.15708f);
    screen().Click(ctl::LabelBestPin);
    EXPECT_EQ(Text(ctl::InputPINDIA), "0.17244");
    screen().Click(ctl::LabelStandard);
    EXPECT_EQ(Text(ctl::InputPINDIA), "0.1728");
    EXPECT_FLOAT_EQ(gear().TeethSpanned, 0.1728f);
    // The thickness mode shows no ideal pin: its empty label copies nothing.
    EnterAll({{ctl::MnuCTT, ""}, {ctl::InputPINDIA, "0.2"}});
    ASSERT_EQ(Text(ctl::LabelBestPin), "");
    screen().Click(ctl::LabelBestPin);
    EXPECT_EQ(Text(ctl::InputPINDIA), "0.2");
}

TEST_F(ProgramTest, HoverLightsOneLabelAndPutsItsNeighbourBack) {
    for (Control control : {ctl::LabelBasic, ctl::LabelStandard, ctl::LabelBestPin, ctl::External, ctl::Internal})
        screen().SetForeground(control, kLightRed);
    screen().MouseOver(ctl::LabelStandard);
    EXPECT_EQ(screen().Foreground(ctl::LabelStandard), kLightRed);
    EXPECT_EQ(screen().Foreground(ctl::LabelBestPin), kBlack);
    screen().MouseOver(ctl::External);
    EXPECT_EQ(screen().Foreground(ctl::Internal), kDarkBlue);
    screen().MouseOver(ctl::Internal);
    screen().MouseOver(ctl::Window);
    for (Control label : {ctl::LabelBasic, ctl::LabelStandard, ctl::LabelBestPin})
        EXPECT_EQ(screen().Foreground(label), kBlack) << label;
    EXPECT_EQ(screen().Foreground(ctl::External), kDarkBlue);
    EXPECT_EQ(screen().Foreground(ctl::Internal), kDarkBlue);
}

// The feature list says what it is for; the value box what it takes, also
// when clicked straight from the list (which leaves it without a tip).
TEST_F(ProgramTest, TheFeatureListAndTheValueBoxSayWhatTheyTake) {
    EXPECT_EQ(screen().ToolTip(ctl::Combo1), "Select Input Feature");
    EnterAll({{ctl::Combo1, "Chordal Tooth Thickness"}});
    screen().FocusTo(ctl::Combo1);
    EXPECT_EQ(screen().ToolTip(ctl::InputCTT_MOW), "");
    screen().FocusTo(ctl::InputCTT_MOW);
    screen().Click(ctl::InputCTT_MOW);
    EXPECT_EQ(screen().ToolTip(ctl::InputCTT_MOW), "Enter Chordal Tooth Thickness");
}


// A gear typed at once is entered that way only when every one of its keys
// would be taken typed in turn: the same answer for every field, with and
// without the stub pitch system, over random texts of digits, points,
// slashes, signs, blanks, letters and bytes that are not ASCII.
TEST(TypedAtOnce, ATextIsTakenWholeExactlyWhenEachOfItsKeysIsTakenInTurn) {
    using gearmain::Field;
    // The bytes 0xAD to 0xB9 are a sign, a point, a slash and digits with the
    // top bit set.
    const std::string alphabet = "0123456789./-+ aE\xC3\xA9\x7F\x80\xFF\xAD\xAE\xAF\xB0\xB9";
    std::mt19937 rng(17);
    std::uniform_int_distribution<size_t> length(1, 8), pick(0, alphabet.size() - 1);
    for (int f = static_cast<int>(Field::Teeth); f <= static_cast<int>(Field::Quality); ++f)
        for (int16_t depthSystem : {1, 8})
            for (int i = 0; i < 3000; ++i) {
                const Field field = static_cast<Field>(f);
                std::string text;
                for (size_t n = length(rng); n > 0; --n) text += alphabet[pick(rng)];
                bool each = true;
                std::string typed;
                for (char ch : text) {
                    if (!ScreenCore::KeyAccepted(field, depthSystem, typed, static_cast<unsigned char>(ch))) {
                        each = false;
                        break;
                    }
                    typed += ch;
                }
                ASSERT_EQ(ScreenCore::TakesEveryKey(field, depthSystem, text), each)
                    << "field " << f << ", system " << depthSystem << ": " << text;
            }
}

}  // namespace
}  // namespace involvo::testing
