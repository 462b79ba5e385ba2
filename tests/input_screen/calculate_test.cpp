// The Calculate command: the checks of the entries in their order, the span
// limits, the face width warning and the page that opens.
#include <limits>

#include "input_screen/error_handle.h"
#include "screen.h"

namespace involvo::testing {
namespace {

using Calculation = InputScreen;

TEST_F(Calculation, EntriesAreCheckedInOrderAndTheFirstFaultIsRefused) {
    const Entries gear20 = {{ctl::InputNT, "20"}, {ctl::InputDP, "10"}};
    auto with = [&](Entries more) {
        Entries all = gear20;
        all.insert(all.end(), more.begin(), more.end());
        return all;
    };
    struct Case {
        Entries entries;
        const char* message;
        Control focus;
    };
    const Case cases[] = {
        {{}, "Enter the number of gear teeth", ctl::InputNT},
        {{{ctl::InputNT, "20"}}, "Enter the normal diametral pitch", ctl::InputDP},
        {with({{ctl::InputCTT_MOW, "0"}}), "Enter Circular Tooth Thickness", ctl::InputCTT_MOW},
        {with({{ctl::InputPINDIA, "0"}}), "Enter a pin diameter", ctl::InputPINDIA},
        {with({{ctl::InputPA, "0"}, {ctl::InputPINDIA, "0.1728"}}), "Enter the normal pressure angle", ctl::InputPA},
        {{{ctl::InputNT, "2"}, {ctl::InputDP, "10"}}, "Number of teeth is not Acceptable", ctl::InputNT},
        {{{ctl::InputNT, "20"}, {ctl::InputDP, "0.09"}}, "Diametral Pitch is not Acceptable", ctl::InputDP},
        {{{ctl::InputNT, "20"}, {ctl::InputDP, "5000.5"}}, "Diametral Pitch is not Acceptable", ctl::InputDP},
        {with({{ctl::InputPA, "4.9"}}), "Pressure Angle is not acceptable", ctl::InputPA},
        {with({{ctl::InputPA, "60.5"}}), "Pressure Angle is not acceptable", ctl::InputPA},
        {with({{ctl::ComboQuality, "2"}}), "Gear quality must be from 3 to 15", ctl::ComboQuality},
        {with({{ctl::ComboQuality, "16"}}), "Gear quality must be from 3 to 15", ctl::ComboQuality},
    };
    for (const Case& c : cases) {
        Restart();
        EnterAll(c.entries);
        Calculate();
        ASSERT_EQ(platform().Messages().size(), 1u) << c.message;
        EXPECT_EQ(platform().Messages()[0].text, c.message);
        EXPECT_EQ(platform().Messages()[0].title, "Involvo");
        EXPECT_EQ(platform().Messages()[0].icon, MsgIcon::Critical);
        EXPECT_EQ(screen().Focused(), c.focus) << c.message;
        EXPECT_FALSE(PageOpen()) << c.message;
    }

    // The limits themselves pass.
    const Entries limits[] = {
        {{ctl::InputNT, "3"}, {ctl::InputDP, "10"}},   {{ctl::InputNT, "100000"}, {ctl::InputDP, "10"}},
        {{ctl::InputNT, "20"}, {ctl::InputDP, "0.1"}}, {{ctl::InputNT, "20"}, {ctl::InputDP, "5000"}},
        with({{ctl::InputPA, "5"}}),               with({{ctl::InputPA, "60"}}),
        with({{ctl::ComboQuality, "3"}}),          with({{ctl::ComboQuality, "15"}}),
    };
    for (const Entries& entries : limits) {
        Restart();
        EnterAll(entries);
        Calculate();
        for (const Case& c : cases) EXPECT_FALSE(Shown(c.message)) << entries.back().second;
    }
}

TEST_F(Calculation, ContributingBacklashNeedsNoValue) {
    EnterGear("20", "10");
    screen().Choose(ctl::Combo1, "Contributing Backlash");
    Calculate();
    EXPECT_TRUE(platform().Messages().empty());
    EXPECT_TRUE(app().IsLoaded(FormId::FrmOutput1));
}

TEST_F(Calculation, MeasuredSpanWithoutCountAsksForTheTeethSpanned) {
    screen().Click(ctl::MnuCTT);
    EnterGear("30", "10");
    screen().Choose(ctl::Combo1, "Span Measurement");
    Enter(ctl::InputPINDIA, "\b");
    Calculate();
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Enter the number of teeth spanned"});
    EXPECT_EQ(screen().Focused(), ctl::InputPINDIA);
}

TEST_F(Calculation, HelixAngleChoosesThePage) {
    EnterGear("20", "10");
    Calculate();
    EXPECT_TRUE(app().IsLoaded(FormId::FrmOutput1));
    EXPECT_FALSE(app().IsLoaded(FormId::FrmHelical1));

    screen().Activate();  // back on the input screen
    Enter(ctl::InputHA, "0.5");
    Calculate();
    EXPECT_TRUE(app().IsLoaded(FormId::FrmHelical1));
    EXPECT_FALSE(app().IsLoaded(FormId::FrmOutput1));
}

TEST_F(Calculation, CancelledPinWarningSendsTheUserBackToThePin) {
    EnterGear("20", "10");
    // A 0.5 pin on a 2.0 pitch circle touches the flank at 2.305, above the 2.2 O.D.
    Enter(ctl::InputPINDIA, "0.5");
    platform().ScriptMessageAnswer(MsgAnswer::Cancel);
    Calculate();
    ASSERT_FALSE(platform().Messages().empty());
    EXPECT_EQ(platform().Messages().back().answer, MsgAnswer::Cancel);
    EXPECT_EQ(screen().Focused(), ctl::InputPINDIA);
    EXPECT_EQ(gear().PinRefused, 0);
    EXPECT_FALSE(PageOpen());
}

TEST_F(Calculation, FailedCalculationOpensNoPageAndTheNextHintOnlyClearsTheMarker) {
    screen().Click(ctl::MnuCTT);
    EnterGear("20", "10");
    // 1.0 over 0.1728 pins puts the pin centres inside the base circle.
    Enter(ctl::InputCTT_MOW, "1.0");
    Calculate();
    EXPECT_TRUE(Shown("Involute function error: Unacceptable dimension over pins or pin diameter"));
    EXPECT_FALSE(PageOpen());

    Enter(ctl::InputDP, "12");
    EXPECT_EQ(gear().CalcFailed, 0);
    EXPECT_EQ(Text(ctl::LabelStandardOD), "-> Standard O.D. = 1.83333");
    EXPECT_EQ(Text(ctl::InputCTT_MOW), "");  // not refilled by that run
    Enter(ctl::InputPA, "20");
    EXPECT_NE(Text(ctl::InputCTT_MOW), "");
}

// Gears whose basic dimension over pins cannot be worked out for the pin typed,
// and whose measurement cannot be either:
//   24 teeth, pitch 10: over 0.05 pins the basic tooth gives the pin-centre
//   involute 0.05/2.2553 + 0.15708/2.4 + inv 20 - pi/24 < 0; and 2.3 - 0.05
//   lies inside the base circle 2.2553.
//   60 teeth internal: between 0.5 pins the basic space gives
//   0.15708/6 + inv 20 - 0.5/5.6382 < 0; and 5.0 + 0.5 lies inside the base
//   circle 5.6382.
// The hint beside the field cannot be computed while the user types; only the
// calculation says so, once each time.
TEST_F(Calculation, AFaultIsReportedOncePerCalculateAndNeverWhileTyping) {
    struct Case {
        Control gearType;
        Entries entries;
        const char* basicBefore;  // the basic value over the standard pin
        const char* message;
    };
    const Case cases[] = {
        {ctl::External,
         {{ctl::InputNT, "24"}, {ctl::InputDP, "10"}, {ctl::InputPINDIA, "0.05"}, {ctl::InputCTT_MOW, "2.3"}},
         "-> Basic = 2.639968",
         "Involute function error: Unacceptable dimension over pins or pin diameter"},
        {ctl::Internal,
         {{ctl::InputNT, "60"}, {ctl::InputDP, "10"}, {ctl::InputPINDIA, "0.5"}, {ctl::InputCTT_MOW, "5.0"}},
         "-> Basic = 5.866476",
         "Involute function error: Unacceptable dimension between pins or pin diameter"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(NameOf(c.gearType));
        Restart();
        screen().Press(c.gearType);
        screen().Click(ctl::MnuCTT);
        for (const auto& [field, keys] : c.entries) {
            if (field == ctl::InputPINDIA) {
                EXPECT_EQ(Text(ctl::LabelBasic), c.basicBefore);
            }
            Enter(field, keys);
            screen().FocusTo(ctl::InputPINDIA);  // entering the pin field updates the hints too
            screen().Leave();
        }
        EXPECT_TRUE(platform().Messages().empty());
        EXPECT_EQ(Text(ctl::LabelBasic), c.basicBefore);  // a hint that cannot be computed keeps its text
        EXPECT_EQ(gear().CalcFailed, 0);

        Calculate();
        EXPECT_EQ(MessageTexts(), std::vector<std::string>{c.message});
        EXPECT_FALSE(PageOpen());
        Calculate();
        EXPECT_EQ(MessageTexts(), (std::vector<std::string>{c.message, c.message}));
        EXPECT_FALSE(PageOpen());
    }
}

// Span limits for pitch 10, 20 degrees and the basic thickness, worked out
// from the contact diameter 2 sqrt((W/2)^2 + rb^2) of the span W over k teeth:
//   30 teeth: O.D. 3.2; contact 3.1346 over 5 teeth, 3.2744 over 6; every
//   contact lies above the root limit 2.7814, so the minimum is 1.
//   100 teeth: O.D. 10.2, root limit 10.2 - 2 (0.225 - 0.015708) = 9.7814;
//   contact 9.7633 over 9, 9.8475 over 10, 10.1476 over 13, 10.2626 over 14.
TEST_F(Calculation, SpannedTeethMustKeepTheContactBetweenRootAndTip) {
    const char* const kCaution =
        "Caution! - Make sure that the calipers or anvils are not contacting\r"
        "below the TIF or in the root of the gear.";
    struct Case {
        const char *teeth, *spanned;
        std::vector<std::string> messages;
        bool page;
    };
    const Case cases[] = {
        {"30", "6", {"The maximum number of teeth for span measurement is  5"}, false},
        {"30", "5", {}, true},
        {"30", "1", {kCaution}, true},
        {"100", "14", {"The maximum number of teeth for span measurement is  13"}, false},
        {"100", "13", {}, true},
        {"100", "9", {kCaution}, true},
        {"100", "8", {"The minimum number of teeth for span measurement is  9"}, false},
    };
    for (const Case& c : cases) {
        Restart();
        screen().Click(ctl::MnuSpan);
        EnterGear(c.teeth, "10");
        Enter(ctl::InputPINDIA, c.spanned);
        Calculate();
        EXPECT_EQ(MessageTexts(), c.messages) << c.teeth << " teeth spanning " << c.spanned;
        EXPECT_EQ(app().IsLoaded(FormId::FrmOutput1), c.page) << c.teeth << " teeth spanning " << c.spanned;
        if (!c.page) {
            EXPECT_EQ(screen().Focused(), ctl::InputPINDIA);
        }
    }
}

// A contact diameter that cannot be computed is a refusal in the program's
// own words, never a comparison with a number that is not one.
TEST_F(Calculation, SpanContactThatCannotBeComputedIsRefused) {
    screen().Click(ctl::MnuSpan);
    EnterGear("30", "10");
    gearmain::GearMain& g = gear();
    g.Thick1 = 0.15708f;
    g.TeethSpanned = 4;
    g.OutsideDiameter = 3.2f;
    g.BaseDiameter = std::numeric_limits<float>::infinity();
    ErrorHandle::CheckResult result = ErrorHandle::CheckSpanLimits(g);
    EXPECT_TRUE(result.refused);
    ASSERT_EQ(result.notices.size(), 1u);
    EXPECT_EQ(result.notices[0].text,
              "Span measurement error: Unacceptable tooth thickness or number of teeth spanned");
    EXPECT_EQ(result.notices[0].icon, MsgIcon::Critical);
    EXPECT_EQ(result.notices[0].focus, gearmain::Field::Pin);
}

// 20 teeth, pitch 10, 20 degrees, helix 30: transverse angle 22.796 degrees,
// 3 teeth spanned, span 0.780156, base helix 28.0243 degrees, so the face must
// be 0.780156 sin 28.0243 = 0.36655 wide.
TEST_F(Calculation, NarrowHelicalFaceIsWarnedAbout) {
    const char* const kWarning = "The minimum face width required for span measurement over 3 teeth\ris .36655.";
    EnterAll({{ctl::InputHA, "30"}, {ctl::InputNT, "20"}, {ctl::InputDP, "10"}, {ctl::InputFaceWidth, "0.3"}});
    Calculate();
    EXPECT_TRUE(Shown(kWarning));
    EXPECT_TRUE(app().IsLoaded(FormId::FrmHelical1));

    screen().Activate();
    platform().ClearRecords();
    Enter(ctl::InputFaceWidth, "0.37");
    Calculate();
    EXPECT_FALSE(Shown(kWarning));
}

}  // namespace
}  // namespace involvo::testing
