// The input screen's core without a window: the Calculate command's messages
// in the order the user sees them, the answers to the pin warnings, and the
// same texts, state and messages as the window for the same keys.
#include <gtest/gtest.h>

#include <random>
#include <variant>

#include "core_typist.h"
#include "screen.h"

namespace involvo::testing {
namespace {

using gearmain::Field;
using gearmain::MsgAnswer;
using gearmain::MsgButtons;
using gearmain::MsgIcon;
using gearmain::Notice;

std::vector<std::string> Texts(const std::vector<Notice>& notices) {
    std::vector<std::string> texts;
    for (const Notice& n : notices) texts.push_back(n.text);
    return texts;
}

TEST(CalculateCore, ARefusalIsTheOnlyMessageAndNothingIsCalculated) {
    CoreTypist t;
    t.gear.DepthName = "earlier";
    EXPECT_EQ(t.Calculate(), FirstPage::None);
    ASSERT_EQ(t.shown.size(), 1u);
    EXPECT_EQ(t.shown[0].text, "Enter the number of gear teeth");
    EXPECT_EQ(t.shown[0].icon, MsgIcon::Critical);
    EXPECT_EQ(t.shown[0].buttons, MsgButtons::OK);
    EXPECT_EQ(t.shown[0].focus, Field::Teeth);
    EXPECT_EQ(t.Focused(), ctl::InputNT);
    EXPECT_EQ(t.gear.DepthName, "earlier");
}

// 24 teeth, pitch 10, 20 degrees: a tooth 0.01 thick over 0.01 pins puts the
// pin centre inside the tooth, inv = 0.01/2.2553 + 0.01/2.4 + inv 20 - pi/24 < 0.
TEST(CalculateCore, AFaultIsShownOnceAndSendsTheUserToItsEntry) {
    CoreTypist t;
    t.Enter(Field::Teeth, "24");
    t.Enter(Field::Pitch, "10");
    t.Enter(Field::FeatureValue, "0.01");
    t.Enter(Field::Pin, "0.01");
    t.gear.DepthName = "earlier";
    EXPECT_EQ(t.Calculate(), FirstPage::None);
    ASSERT_EQ(t.shown.size(), 1u);
    EXPECT_EQ(t.shown[0].text, "Involute function error: Unacceptable tooth thickness or pin diameter");
    EXPECT_EQ(t.shown[0].icon, MsgIcon::Critical);
    EXPECT_EQ(t.shown[0].focus, Field::Pin);
    EXPECT_EQ(t.Focused(), ctl::InputPINDIA);
    EXPECT_EQ(t.gear.CalcFailed, -1);
    EXPECT_EQ(t.gear.DepthName, "earlier");
}

// 12 teeth, pitch 10, 20 degrees, a cutter depth of 0.1: O.D. 1.4, root radius
// 0.6. Over 0.4 pins the tooth of 0.2 touches at 1.1276 / cos 37.2 = 1.4155,
// beyond the O.D.; the tooth of 0.12 lets the pin sink to 0.9919 - 0.4 =
// 0.5919, below the root.
class PinWarnings : public ::testing::Test {
protected:
    void SetUp() override {
        t.Enter(Field::Teeth, "12");
        t.Enter(Field::Pitch, "10");
        t.inputs = {"0.1"};
        t.DepthSystem(9);
        t.Enter(Field::FeatureValue, "0.12/0.2");
        t.Enter(Field::Pin, "0.4");
    }
    CoreTypist t;
    const std::vector<std::string> both = {
        "The pin diameter that you have chosen is too large and will\r"
        "contact on the outside diameter and not on the tooth profile.\r"
        "Choose OK to continue or Cancel to enter a smaller pin diameter?",
        "The pin diameter you have chosen is too small and will\r"
        "contact on the root of the gear.\r"
        "Choose OK to continue or Cancel to enter a larger pin diameter?"};
};

TEST_F(PinWarnings, AnsweredOKTheyLeadToThePage) {
    t.answers = {MsgAnswer::OK, MsgAnswer::OK};
    EXPECT_EQ(t.Calculate(), FirstPage::Spur);
    EXPECT_EQ(Texts(t.shown), both);
    for (const Notice& n : t.shown) {
        EXPECT_EQ(n.icon, MsgIcon::Exclamation);
        EXPECT_EQ(n.buttons, MsgButtons::OKCancel);
    }
    EXPECT_EQ(t.Focused(), ctl::CmdCalc);
}

TEST_F(PinWarnings, OKThenCancelSendsTheUserToThePin) {
    t.answers = {MsgAnswer::OK, MsgAnswer::Cancel};
    EXPECT_EQ(t.Calculate(), FirstPage::None);
    EXPECT_EQ(Texts(t.shown), both);
    EXPECT_EQ(t.Focused(), ctl::InputPINDIA);
    EXPECT_EQ(t.gear.PinRefused, 0);
    EXPECT_EQ(t.gear.CalcFailed, 0);
}

TEST_F(PinWarnings, CancelAtTheFirstShowsNoOther) {
    t.answers = {MsgAnswer::Cancel};
    EXPECT_EQ(t.Calculate(), FirstPage::None);
    EXPECT_EQ(Texts(t.shown), std::vector<std::string>{both.front()});
    EXPECT_EQ(t.Focused(), ctl::InputPINDIA);
    EXPECT_EQ(t.gear.PinRefused, 0);
}

// Span limits of 30 teeth, pitch 10 (see calculate_test.cpp): at most 5 teeth,
// and spanning 1 touches near the root.
TEST(CalculateCore, SpanCautionComesBeforeThePage) {
    CoreTypist t;
    t.Mode(3);
    t.Enter(Field::Teeth, "30");
    t.Enter(Field::Pitch, "10");
    t.Enter(Field::Pin, "1");
    EXPECT_EQ(t.Calculate(), FirstPage::Spur);
    EXPECT_EQ(Texts(t.shown), std::vector<std::string>{"Caution! - Make sure that the calipers or anvils are not "
                                                       "contacting\rbelow the TIF or in the root of the gear."});
    EXPECT_EQ(t.shown[0].icon, MsgIcon::Exclamation);
}

TEST(CalculateCore, SpanBeyondTheLimitIsRefusedAtThePin) {
    CoreTypist t;
    t.Mode(3);
    t.Enter(Field::Teeth, "30");
    t.Enter(Field::Pitch, "10");
    t.Enter(Field::Pin, "6");
    EXPECT_EQ(t.Calculate(), FirstPage::None);
    EXPECT_EQ(Texts(t.shown), std::vector<std::string>{"The maximum number of teeth for span measurement is  5"});
    EXPECT_EQ(t.shown[0].icon, MsgIcon::Critical);
    EXPECT_EQ(t.Focused(), ctl::InputPINDIA);
}

// 24 teeth, pitch 10: the basic dimension over pins thinner than 0.114 cannot
// be worked out (0.05/2.2553 + 0.15708/2.4 + inv 20 - pi/24 < 0).
TEST(HintsCore, AHintThatFailsSaysNothingKeepsItsTextAndLeavesTheMarker) {
    CoreTypist t;
    t.Mode(2);
    t.Enter(Field::Teeth, "24");
    t.Enter(Field::Pitch, "10");
    ASSERT_EQ(t.gear.BasicText, "2.639968");
    t.Enter(Field::Pin, "0.05");
    EXPECT_EQ(t.gear.BasicText, "2.639968");
    EXPECT_EQ(t.gear.CalcFailed, 0);
    EXPECT_FALSE(t.gear.TakeFault());
    EXPECT_TRUE(t.shown.empty());
}

TEST(EntryCore, ARewrittenTextCountsAsWrittenEvenWhenItDidNotChange) {
    gearmain::GearMain gear;
    HintMemory memory;
    EntryTexts texts = OpeningTexts();
    ScreenCore core(gear, memory, texts);
    gear.StartUp();
    core.Open();
    texts.featureValue = "0.157/0.155";
    core.LeaveFeatureValue();
    EXPECT_EQ(texts.featureValue, "0.155000 / 0.157000");
    EXPECT_NE(core.TakeWritten() & Bit(Field::FeatureValue), 0u);
    core.LeaveFeatureValue();
    EXPECT_EQ(texts.featureValue, "0.155000 / 0.157000");
    EXPECT_NE(core.TakeWritten() & Bit(Field::FeatureValue), 0u);
    texts.helix = "15";
    core.LeaveHelix();
    EXPECT_EQ(core.TakeWritten() & Bit(Field::Helix), 0u);  // a helix angle is shown as typed
}

// ---- The same keys through the window and through the core alone ----

struct Step {
    enum Kind { Type, Leave, Choose, Mode, GearType, Depth, Calculate } kind = Leave;
    Field field = Field::None;
    std::string text;
    int number = 0;
    std::vector<bool> answers;
};

std::string RandomEntry(std::mt19937& rng) {
    static const std::vector<std::string> samples = {
        "24", "25", "10", "20", "14.5", "30", "0", "0.157", "0.1728", "2.64", "2.74", "1.0668", "4", "7",
        "8/10", "0.157/0.155", "0.004 / 0.006", "-0.010", "0.01", "3", "0.1", "60", "5", "15", "0.5", "2",
        "0.05", "0.3", "12", "100", "\b", "1e30", "..", "a", "9/", "45", "0.2", "0.35", "5.87", "2.3"};
    return samples[std::uniform_int_distribution<size_t>(0, samples.size() - 1)(rng)];
}

std::vector<Step> RandomSession(std::mt19937& rng) {
    std::vector<Step> steps;
    const int length = std::uniform_int_distribution<int>(5, 40)(rng);
    auto roll = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    for (int i = 0; i < length; ++i) {
        Step s;
        int r = roll(100);
        if (r < 45) {
            s.kind = Step::Type;
            s.field = static_cast<Field>(1 + roll(static_cast<int>(Field::Quality)));
            s.text = RandomEntry(rng);
        } else if (r < 60) {
            s.kind = Step::Leave;
        } else if (r < 66) {
            s.kind = Step::Choose;
            s.number = roll(3);
        } else if (r < 72) {
            s.kind = Step::Mode;
            s.number = 1 + roll(3);
        } else if (r < 78) {
            s.kind = Step::GearType;
            s.number = 1 + roll(2);
        } else if (r < 83) {
            s.kind = Step::Depth;
            s.number = 1 + roll(9);
            s.text = RandomEntry(rng);
        } else {
            s.kind = Step::Calculate;
        }
        for (int a = 0; a < 3; ++a) s.answers.push_back(roll(3) != 0);
        steps.push_back(s);
    }
    return steps;
}

using CoreAlone = InputScreen;

std::string StateDifference(gearmain::GearMain& a, gearmain::GearMain& b) {
    std::vector<std::pair<std::string, std::string>> va, vb;
    auto collect = [](gearmain::GearMain& g, std::vector<std::pair<std::string, std::string>>& out) {
        g.ForEachValue([&](const char* name, gearmain::GearMain::ValueRef value) {
            std::string text;
            if (auto f = std::get_if<float*>(&value)) text = std::to_string(**f) + "#" + gearmain::Str(**f);
            else if (auto d = std::get_if<double*>(&value)) text = std::to_string(**d);
            else if (auto i = std::get_if<int16_t*>(&value)) text = std::to_string(**i);
            else if (auto s = std::get_if<std::string*>(&value)) text = **s;
            out.emplace_back(name, text);
        });
    };
    collect(a, va);
    collect(b, vb);
    for (size_t i = 0; i < va.size(); ++i)
        if (va[i] != vb[i]) return va[i].first + ": window " + va[i].second + ", core " + vb[i].second;
    return "";
}

TEST_F(CoreAlone, GivesTheWindowsTextsStateAndMessagesForTheSameKeys) {
    std::mt19937 rng(20240917);
    for (int session = 0; session < 150; ++session) {
        Restart();
        CoreTypist core;
        const std::vector<Step> steps = RandomSession(rng);
        std::vector<Notice> windowShown;
        size_t seen = 0;
        for (size_t i = 0; i < steps.size(); ++i) {
            SCOPED_TRACE("session " + std::to_string(session) + " step " + std::to_string(i));
            const Step& s = steps[i];
            // Unused answers wait for the next box with a choice, in both.
            for (bool ok : s.answers) {
                platform().ScriptMessageAnswer(ok ? MsgAnswer::OK : MsgAnswer::Cancel);
                core.answers.push_back(ok ? MsgAnswer::OK : MsgAnswer::Cancel);
            }
            FirstPage page = FirstPage::None;
            switch (s.kind) {
                case Step::Type:
                    screen().Type(ControlOf(s.field), s.text);
                    core.Type(s.field, s.text);
                    break;
                case Step::Leave:
                    screen().Leave();
                    core.Leave();
                    break;
                case Step::Choose: {
                    auto items = screen().Items(ctl::Combo1);
                    const std::string item = items[static_cast<size_t>(s.number) % items.size()];
                    screen().Choose(ctl::Combo1, item);
                    core.Choose(item);
                    break;
                }
                case Step::Mode:
                    screen().Click(s.number == 1 ? ctl::MnuMow : s.number == 2 ? ctl::MnuCTT : ctl::MnuSpan);
                    core.Mode(static_cast<int16_t>(s.number));
                    break;
                case Step::GearType:
                    screen().Press(s.number == 1 ? ctl::External : ctl::Internal);
                    core.GearType(static_cast<int16_t>(s.number));
                    break;
                case Step::Depth:
                    platform().ScriptInput(s.text);
                    core.inputs.push_back(s.text);
                    screen().Click(ctl::MnuDepth(s.number));
                    core.DepthSystem(static_cast<int16_t>(s.number));
                    break;
                case Step::Calculate:
                    screen().Press(ctl::CmdCalc);
                    page = core.Calculate();
                    EXPECT_EQ(app().IsLoaded(FormId::FrmOutput1), page == FirstPage::Spur);
                    EXPECT_EQ(app().IsLoaded(FormId::FrmHelical1), page == FirstPage::Helical);
                    break;
            }

            if (page != FirstPage::None) {
                // What the page writes when it opens is the page's business.
                gearmain::GearMain& w = gear();
                core.gear.OutsideDiameter = w.OutsideDiameter;
                core.gear.TransThickText = w.TransThickText;
                core.gear.TransChordalText = w.TransChordalText;
                core.gear.TransBacklashText = w.TransBacklashText;
                core.gear.HintsChanged = w.HintsChanged;
            }
            // The result pages' own advice is not the input screen's.
            for (; seen < platform().Messages().size(); ++seen) {
                const ShownMessage& m = platform().Messages()[seen];
                if (m.form == FormId::FrmMain) windowShown.push_back({m.text, m.icon, m.buttons});
            }
            ASSERT_EQ(Texts(windowShown), Texts(core.shown));
            for (size_t n = 0; n < windowShown.size(); ++n) {
                EXPECT_EQ(windowShown[n].icon, core.shown[n].icon);
                EXPECT_EQ(windowShown[n].buttons, core.shown[n].buttons);
            }
            for (int f = 1; f <= static_cast<int>(Field::Quality); ++f) {
                const Field field = static_cast<Field>(f);
                ASSERT_EQ(Text(ControlOf(field)), core.texts().*TextOf(field)) << ControlOf(field);
            }
            ASSERT_EQ(screen().Focused(), core.Focused());
            ASSERT_EQ(StateDifference(gear(), core.gear), "");

            if (page != FirstPage::None) {
                screen().Activate();  // back on the input screen
                core.gear.PartNumber = "";
            }
        }
    }
}

}  // namespace
}  // namespace involvo::testing
