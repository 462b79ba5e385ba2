// The Calculate command: the checks of the entries in their order, the
// refusals, cautions and pin warnings in the order the user sees them, the
// field the user is sent to, and the page that opens.
#include "tests/support/program.h"

namespace involvo::testing {
namespace {

const char* const kTooLarge =
    "The pin diameter that you have chosen is too large and will\r"
    "contact on the outside diameter and not on the tooth profile.\r"
    "Choose OK to continue or Cancel to enter a smaller pin diameter?";
const char* const kTooSmall =
    "The pin diameter you have chosen is too small and will\r"
    "contact on the root of the gear.\r"
    "Choose OK to continue or Cancel to enter a larger pin diameter?";
const char* const kSpanCaution =
    "Caution! - Make sure that the calipers or anvils are not contacting\r"
    "below the TIF or in the root of the gear.";
const char* const kShaped =
    "The Full Fillet (Shaped) depth system is defined for pressure angles of 14.5, 20 and 25 degrees only";
const char* const kPointed =
    "Caution! - The tooth is pointed: its flanks meet before the outside diameter\r"
    "and the tooth tip land is 0 or negative.";
const char* const kNotWhole = "The number of teeth spanned must be a whole number";

struct Case {
    const char* what;
    Entries entries;
    std::vector<std::string> messages;   // every box shown, in order
    std::optional<FormId> page;          // the page that opens, none for a refusal
    std::optional<Control> focus = {};   // where a refusal sends the user
    std::vector<MsgAnswer> answers = {};  // to the boxes with OK and Cancel
    std::pair<const char*, const char*> row = {};  // a row of the page that opens
};
void PrintTo(const Case& c, std::ostream* os) { *os << c.what; }

const Entries kGear20 = {{ctl::InputNT, "20"}, {ctl::InputDP, "10"}};
const Entries kGear24 = {{ctl::InputNT, "24"}, {ctl::InputDP, "10"}};
const Entries kSpan30 = {{ctl::MnuSpan, ""}, {ctl::InputNT, "30"}, {ctl::InputDP, "10"}};
const Entries kMeasuredSpan30 = {{ctl::MnuCTT, ""}, {ctl::InputNT, "30"}, {ctl::InputDP, "10"},
                                 {ctl::Combo1, "Span Measurement"}, {ctl::InputCTT_MOW, "1.075263"}};
const Entries kSpan100 = {{ctl::MnuSpan, ""}, {ctl::InputNT, "100"}, {ctl::InputDP, "10"}};
// 12 teeth, pitch 10, a cutter depth of 0.1: O.D. 1.4, root radius 0.6. Over
// 0.4 pins the tooth of 0.2 touches at 1.1276 / cos 37.2 = 1.4155, beyond the
// O.D.; the tooth of 0.12 lets the pin sink to 0.9919 - 0.4 = 0.5919, below the root.
const Entries kBothWarnings = {{ctl::InputNT, "12"}, {ctl::InputDP, "10"}, {ctl::MnuDepth(9), ""},
                               {ctl::InputCTT_MOW, "0.12/0.2"}, {ctl::InputPINDIA, "0.4"}};


const FormId kSpur = FormId::FrmOutput1;
const Case kCases[] = {
    // The checks in their order: the first fault is the only message.
    {"nothing typed", {}, {"Enter the number of gear teeth"}, {}, ctl::InputNT},
    {"no pitch", {{ctl::InputNT, "20"}}, {"Enter the normal diametral pitch"}, {}, ctl::InputDP},
    {"no thickness", With(kGear20, {{ctl::InputCTT_MOW, "0"}}), {"Enter Circular Tooth Thickness"}, {}, ctl::InputCTT_MOW},
    {"no pin", With(kGear20, {{ctl::InputPINDIA, "0"}}), {"Enter a pin diameter"}, {}, ctl::InputPINDIA},
    {"no pressure angle", With(kGear20, {{ctl::InputPA, "0"}, {ctl::InputPINDIA, "0.1728"}}),
     {"Enter the normal pressure angle"}, {}, ctl::InputPA},
    {"2 teeth", {{ctl::InputNT, "2"}, {ctl::InputDP, "10"}}, {"Number of teeth is not Acceptable"}, {}, ctl::InputNT},
    {"100001 teeth", {{ctl::InputNT, "100001"}, {ctl::InputDP, "10"}}, {"Number of teeth is not Acceptable"}, {}, ctl::InputNT},
    {"pitch 0.09", {{ctl::InputNT, "20"}, {ctl::InputDP, "0.09"}}, {"Diametral Pitch is not Acceptable"}, {}, ctl::InputDP},
    {"pitch 5000.5", {{ctl::InputNT, "20"}, {ctl::InputDP, "5000.5"}}, {"Diametral Pitch is not Acceptable"}, {}, ctl::InputDP},
    {"angle 4.9", With(kGear20, {{ctl::InputPA, "4.9"}}), {"Pressure Angle is not acceptable"}, {}, ctl::InputPA},
    {"angle 60.5", With(kGear20, {{ctl::InputPA, "60.5"}}), {"Pressure Angle is not acceptable"}, {}, ctl::InputPA},
    {"quality 2", With(kGear20, {{ctl::ComboQuality, "2"}}), {"Gear quality must be from 3 to 15"}, {}, ctl::ComboQuality},
    {"quality 16", With(kGear20, {{ctl::ComboQuality, "16"}}), {"Gear quality must be from 3 to 15"}, {}, ctl::ComboQuality},
    {"helix", With(kGear20, {{ctl::InputHA, "0.5"}}), {}, FormId::FrmHelical1},
    {"a backlash needs no value", With(kGear20, {{ctl::Combo1, "Contributing Backlash"}}), {}, kSpur},
    {"a range after a zero", With(kGear20, {{ctl::InputCTT_MOW, "0"}, {ctl::InputCTT_MOW, "0.157/0.155"}}), {}, kSpur},
    // A pressure angle of 0 offers no standard pin: the typed pin stays and the angle is asked for.
    {"angle 0 after a pin", With(kGear24, {{ctl::InputPINDIA, "0.2"}, {ctl::InputPA, "0"}}),
     {"Enter the normal pressure angle"}, {}, ctl::InputPA},
    {"angle 0 after a backlash pin",
     With(kGear24, {{ctl::Combo1, "Contributing Backlash"}, {ctl::InputPINDIA, "0.21"}, {ctl::InputPA, "\b\b"}}),
     {"Enter the normal pressure angle"}, {}, ctl::InputPA},
    {"angle 0 after a count", With(kSpan30, {{ctl::InputPINDIA, "3"}, {ctl::InputPA, "0"}}),
     {"Enter the normal pressure angle"}, {}, ctl::InputPA},
    // The calculation's own faults: 0.01 over 0.01 pins puts the pin centre inside
    // the tooth (0.01/2.2553 + 0.01/2.4 + inv 20 - pi/24 < 0); 1.0 over 0.1728 pins
    // puts the pin centres inside the base circle.
    {"a tooth too thin for its pin", With(kGear24, {{ctl::InputCTT_MOW, "0.01"}, {ctl::InputPINDIA, "0.01"}}),
     {"Involute function error: Unacceptable tooth thickness or pin diameter"}, {}, ctl::InputPINDIA},
    {"a measurement inside the base circle", With({{ctl::MnuCTT, ""}}, With(kGear20, {{ctl::InputCTT_MOW, "1.0"}})),
     {"Involute function error: Unacceptable dimension over pins or pin diameter"}, {}},
    // The shaped full fillet defines a depth at 14.5, 20 and 25 degrees only, also
    // after a calculation at 20.
    {"shaped fillet at 22.5", With(kGear24, {{ctl::MnuDepth(4), ""}, {ctl::CmdCalc, ""}, {ctl::InputPA, "22.5"}}),
     {kShaped}, {}, ctl::InputPA},
    {"shaped fillet at 14", With(kGear24, {{ctl::MnuDepth(4), ""}, {ctl::InputPA, "14"}}), {kShaped}, {}, ctl::InputPA},
    {"shaped fillet at 25", With(kGear24, {{ctl::MnuDepth(4), ""}, {ctl::InputPA, "25"}}), {}, kSpur},
    {"shaped fillet at 14.5", With(kGear24, {{ctl::MnuDepth(4), ""}, {ctl::InputPA, "14.5"}, {ctl::InputPINDIA, "0.2"}}),
     {}, kSpur},
    // A span is measured over whole teeth, in span mode and for a measured span alike;
    // the K factor of a measured span is not worked out.
    {"2.5 teeth spanned", With(kSpan30, {{ctl::InputPINDIA, "2.5"}}), {kNotWhole}, {}, ctl::InputPINDIA},
    {".5 teeth spanned", With(kSpan30, {{ctl::InputPINDIA, ".5"}}), {kNotWhole}, {}, ctl::InputPINDIA},
    {"4.999 teeth measured", With(kMeasuredSpan30, {{ctl::InputPINDIA, "4.999"}}), {kNotWhole}, {}, ctl::InputPINDIA},
    {"3.01 teeth measured", With(kMeasuredSpan30, {{ctl::InputPINDIA, "3.01"}}), {kNotWhole}, {}, ctl::InputPINDIA},
    {"4.000 teeth spanned", With(kSpan30, {{ctl::InputPINDIA, "4.000"}}), {}, kSpur},
    {"3. teeth measured", With(kMeasuredSpan30, {{ctl::InputPINDIA, "3."}}), {}, kSpur, {}, {}, {"K Factor", "N/A"}},
    {"no count", With(kMeasuredSpan30, {{ctl::InputPINDIA, "\b"}}), {"Enter the number of teeth spanned"}, {},
     ctl::InputPINDIA},
    // The contact 2 sqrt((W/2)^2 + rb^2) of the span W over k teeth must lie between
    // the root limit and the O.D. 30 teeth: 3.1346 over 5, 3.2744 over 6 (O.D. 3.2),
    // all above the root limit 2.7814. 100 teeth: root limit 10.2 - 2 (0.225 -
    // 0.015708) = 9.7814; 9.7633 over 9 is the fewest (its caution), 9.8475 over 10,
    // 10.1476 over 13, 10.2626 over 14 (beyond the O.D. 10.2).
    {"30 spanning 6", With(kSpan30, {{ctl::InputPINDIA, "6"}}),
     {"The maximum number of teeth for span measurement is  5"}, {}, ctl::InputPINDIA},
    {"30 spanning 5", With(kSpan30, {{ctl::InputPINDIA, "5"}}), {}, kSpur},
    {"30 spanning 1", With(kSpan30, {{ctl::InputPINDIA, "1"}}), {kSpanCaution}, kSpur},
    {"100 spanning 14", With(kSpan100, {{ctl::InputPINDIA, "14"}}),
     {"The maximum number of teeth for span measurement is  13"}, {}, ctl::InputPINDIA},
    {"100 spanning 13", With(kSpan100, {{ctl::InputPINDIA, "13"}}), {}, kSpur},
    {"100 spanning 9", With(kSpan100, {{ctl::InputPINDIA, "9"}}), {kSpanCaution}, kSpur},
    {"100 spanning 8", With(kSpan100, {{ctl::InputPINDIA, "8"}}),
     {"The minimum number of teeth for span measurement is  9"}, {}, ctl::InputPINDIA},
    // 20 teeth, helix 30: transverse angle 22.796 degrees, 3 teeth spanned, span
    // 0.780156, base helix 28.0243 degrees, so the face must be 0.780156 sin 28.0243
    // = 0.36655 wide.
    {"a face too narrow", With(kGear20, {{ctl::InputHA, "30"}, {ctl::InputFaceWidth, "0.3"}}),
     {"The minimum face width required for span measurement over 3 teeth\ris .36655."}, FormId::FrmHelical1},
    {"a face just wide enough", With(kGear20, {{ctl::InputHA, "30"}, {ctl::InputFaceWidth, "0.37"}}), {},
     FormId::FrmHelical1},
    // The pin warnings: Cancel sends the user back to the pin, and asks no more.
    {"both warnings answered OK", kBothWarnings, {kTooLarge, kTooSmall}, kSpur, {}, {MsgAnswer::OK, MsgAnswer::OK}},
    {"OK then Cancel", kBothWarnings, {kTooLarge, kTooSmall}, {}, ctl::InputPINDIA, {MsgAnswer::OK, MsgAnswer::Cancel}},
    {"Cancel at the first", kBothWarnings, {kTooLarge}, {}, ctl::InputPINDIA, {MsgAnswer::Cancel}},
    // 24 teeth, pitch 10: an O.D. change of 0.03 thickens the tooth by 0.03 tan 20
    // = 0.0109, enough for a 0.11 pin to reach the flanks, which it does not on the
    // basic tooth: the measurement stands, without a K factor.
    {"a pin that misses only the basic tooth", With(kGear24, {{ctl::InputAddendumMod, "0.03"}, {ctl::InputPINDIA, "0.11"}}),
     {}, kSpur, {}, {}, {"K Factor", "N/A"}},
    // A tooth 0.085 thick narrows to a point before the O.D. (land 2.6 (0.085/2.4 +
    // inv 20 - inv 29.8411) < 0): cautioned after the pin warnings; a land is not.
    {"a pointed tooth", With(kGear24, {{ctl::InputCTT_MOW, "0.085"}, {ctl::InputPINDIA, "0.25"}}), {kPointed}, kSpur},
    {"a pointed tooth, pin too large", With(kGear24, {{ctl::InputCTT_MOW, "0.085"}, {ctl::InputPINDIA, "0.5"}}),
     {kTooLarge, kPointed}, kSpur},
    {"a pointed tooth, Cancel", With(kGear24, {{ctl::InputCTT_MOW, "0.085"}, {ctl::InputPINDIA, "0.5"}}),
     {kTooLarge}, {}, ctl::InputPINDIA, {MsgAnswer::Cancel}},
    {"a tooth with a land", With(kGear24, {{ctl::InputCTT_MOW, "0.1"}, {ctl::InputPINDIA, "0.25"}}), {}, kSpur},
};

class Calculation : public ProgramTest, public ::testing::WithParamInterface<Case> {};

TEST_P(Calculation, ShowsItsMessagesInOrderAndOpensThePageOrSendsTheUserBack) {
    const Case& c = GetParam();
    platform().ScriptInput("0.1");  // the cutter depth, if asked for
    EnterAll(c.entries);
    const std::string pin = Text(ctl::InputPINDIA);
    for (MsgAnswer a : c.answers) platform().ScriptMessageAnswer(a);
    Calculate();
    EXPECT_EQ(MessageTexts(), c.messages);
    for (const ShownMessage& m : platform().Messages()) {
        EXPECT_EQ(m.title, "Involvo");
        const bool asks = m.text == kTooLarge || m.text == kTooSmall;
        EXPECT_EQ(m.buttons, asks ? MsgButtons::OKCancel : MsgButtons::OK) << m.text;
        EXPECT_EQ(m.icon, c.page || asks ? MsgIcon::Exclamation : MsgIcon::Critical) << m.text;
    }
    EXPECT_EQ(app().IsLoaded(kSpur), c.page == kSpur);
    EXPECT_EQ(app().IsLoaded(FormId::FrmHelical1), c.page == FormId::FrmHelical1);
    if (c.focus) {
        EXPECT_EQ(screen().Focused(), c.focus);
    }
    if (!c.page) {
        EXPECT_EQ(Text(ctl::InputPINDIA), pin);  // a refusal leaves the pin as typed
        EXPECT_EQ(gear().PinRefused, 0);
    }
    if (c.row.first) {
        EXPECT_EQ(Rows(*c.page)[c.row.first], c.row.second);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, Calculation, ::testing::ValuesIn(kCases));

// The limits of the range checks pass them (a gear at a limit may still draw a caution).
TEST_F(ProgramTest, TheLimitsThemselvesPassTheRangeChecks) {
    const Entries gear20 = {{ctl::InputNT, "20"}, {ctl::InputDP, "10"}};
    const Entries limits[] = {
        {{ctl::InputNT, "3"}, {ctl::InputDP, "10"}},   {{ctl::InputNT, "100000"}, {ctl::InputDP, "10"}},
        {{ctl::InputNT, "20"}, {ctl::InputDP, "0.1"}}, {{ctl::InputNT, "20"}, {ctl::InputDP, "5000"}},
        With(gear20, {{ctl::InputPA, "5"}}),           With(gear20, {{ctl::InputPA, "60"}}),
        With(gear20, {{ctl::ComboQuality, "3"}}),      With(gear20, {{ctl::ComboQuality, "15"}}),
    };
    for (const Entries& entries : limits) {
        Restart();
        EnterAll(entries);
        Calculate();
        for (const std::string& text : MessageTexts())
            EXPECT_EQ(text.find("cceptable"), std::string::npos) << entries.back().second << ": " << text;
        EXPECT_FALSE(Shown("Gear quality must be from 3 to 15")) << entries.back().second;
    }
}

// Gears whose basic dimension over pins cannot be worked out for the pin typed,
// nor their measurement: 24 teeth over 0.05 pins (0.05/2.2553 + 0.15708/2.4 +
// inv 20 - pi/24 < 0, and 2.3 - 0.05 inside the base circle 2.2553); 60 teeth
// internal between 0.5 pins (0.15708/6 + inv 20 - 0.5/5.6382 < 0, and 5.0 + 0.5
// inside the base circle 5.6382). The hint cannot be computed while the user
// types; only the calculation says so, once each time.
TEST_F(ProgramTest, AFaultIsReportedOncePerCalculateAndNeverWhileTyping) {
    struct Row {
        Control gearType;
        Entries entries;
        const char *basic, *message;
    };
    const Row rows[] = {
        {ctl::External, {{ctl::InputNT, "24"}, {ctl::InputDP, "10"}, {ctl::InputPINDIA, "0.05"}, {ctl::InputCTT_MOW, "2.3"}},
         "-> Basic = 2.639968", "Involute function error: Unacceptable dimension over pins or pin diameter"},
        {ctl::Internal, {{ctl::InputNT, "60"}, {ctl::InputDP, "10"}, {ctl::InputPINDIA, "0.5"}, {ctl::InputCTT_MOW, "5.0"}},
         "-> Basic = 5.866476", "Involute function error: Unacceptable dimension between pins or pin diameter"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.message);
        Restart();
        screen().Press(r.gearType);
        screen().Click(ctl::MnuCTT);
        for (const auto& [field, keys] : r.entries) {
            Enter(field, keys);
            screen().FocusTo(ctl::InputPINDIA);  // entering the pin field updates the hints too
            screen().Leave();
        }
        EXPECT_TRUE(platform().Messages().empty());
        EXPECT_EQ(Text(ctl::LabelBasic), r.basic);  // a hint that cannot be computed keeps its text
        EXPECT_EQ(gear().CalcFailed, 0);
        Calculate();
        Calculate();
        EXPECT_EQ(MessageTexts(), (std::vector<std::string>{r.message, r.message}));
        EXPECT_FALSE(PageOpen());
        EXPECT_EQ(gear().CalcFailed, -1);
        // The next hint clears the marker of the failed run; the field is refilled later.
        Enter(ctl::InputDP, "12");
        EXPECT_EQ(gear().CalcFailed, 0);
    }
}

}  // namespace
}  // namespace involvo::testing
