// The live hints beside the fields and the refills of the fields whose basis
// changed. Expected values worked out from the gear formulas by hand:
//   20 teeth, pitch 10, 20 degrees: O.D. 22/10 = 2.2; standard pin 1.728/10;
//   basic thickness pi/20 = 0.157080; chordal 2 sin(0.07854) = 0.156918;
//   ideal pin (tan(pi/20 - 0.07854 + 20 deg) - tan 20 deg) 2 cos 20 deg = 0.17244;
//   dimension over two 0.1728 pins 2.239002.
//   30 teeth at 20 degrees span 30 * 20/180 + 0.5 = 3.83 -> 4 teeth, basic span 1.075263.
#include <cmath>

#include "tests/support/program.h"

namespace involvo::testing {
namespace {

using Texts = std::vector<std::pair<Control, std::string>>;

struct Hint {
    const char* what;
    Entries entries;
    Texts texts;
    Texts tips = {};
};
void PrintTo(const Hint& h, std::ostream* os) { *os << h.what; }

const Entries kGear20 = {{ctl::InputNT, "20"}, {ctl::InputDP, "10"}};

const Hint kHints[] = {
    {"standard O.D.", kGear20, {{ctl::LabelStandardOD, "-> Standard O.D. = 2.2"}}},
    {"standard I.D.", {{ctl::Internal, ""}, {ctl::InputNT, "60"}, {ctl::InputDP, "10"}},
     {{ctl::LabelStandardOD, "-> Standard I.D. = 5.8"}}},
    // (20 - 2)/10 = 1.8 lies inside the base circle 2 cos 20 deg = 1.879385.
    {"an I.D. inside the base circle", With({{ctl::Internal, ""}}, kGear20), {{ctl::LabelStandardOD, "-> Standard I.D. = 1.87939"}}},
    // Without a pressure angle the base circle is the pitch circle, 6.
    {"an I.D. without an angle", {{ctl::Internal, ""}, {ctl::InputPA, "0"}, {ctl::InputNT, "60"}, {ctl::InputDP, "10"}},
     {{ctl::LabelStandardOD, "-> Standard I.D. = 6"}}},
    {"no teeth, no O.D.", With(kGear20, {{ctl::InputNT, "\b"}}), {{ctl::LabelStandardOD, ""}}},
    {"balls for an odd helical gear", With(kGear20, {{ctl::InputNT, "21"}, {ctl::InputHA, "15"}}),
     {{ctl::LABELPINDIA, "Measuring Ball Diameter"}}},
    {"pins for an even helical gear", With(kGear20, {{ctl::InputHA, "15"}}), {{ctl::LABELPINDIA, "Measuring Pin Diameter"}}},
    {"pins for an odd spur gear", With(kGear20, {{ctl::InputNT, "21"}}), {{ctl::LABELPINDIA, "Measuring Pin Diameter"}}},
    {"balls for an internal helical gear", With({{ctl::Internal, ""}, {ctl::InputHA, "15"}}, kGear20),
     {{ctl::LABELPINDIA, "Measuring Ball Diameter"}}},
    {"a spur gear over pins", kGear20,
     {{ctl::LabelBasic, "-> Basic = 0.157080"}, {ctl::LabelBasic2, ""}, {ctl::LabelStandard, "-> Standard = 0.1728"},
      {ctl::LabelBestPin, "     Ideal Pin = 0.17244"}, {ctl::InputCTT_MOW, "0.157080"}, {ctl::InputPINDIA, "0.1728"}},
     {{ctl::LabelBestPin, "Click to enter P.D. contact pin diameter"}, {ctl::InputCTT_MOW, "Enter Circular Tooth Thickness"}}},
    {"a chordal thickness", With(kGear20, {{ctl::InputPINDIA, "0.2"}, {ctl::Combo1, "Chordal Tooth Thickness"}}),
     {{ctl::InputCTT_MOW, "0.156918"}, {ctl::InputPINDIA, "0.1728"}}},
    // Internal gears take 1.44/P below 30 degrees; the chordal feature is kept.
    {"an internal chordal space", With(kGear20, {{ctl::Combo1, "Chordal Tooth Thickness"}, {ctl::InputCTT_MOW, "0.15"},
                                                  {ctl::Internal, ""}}),
     {{ctl::Combo1, "Chordal Space Width"}, {ctl::InputCTT_MOW, "0.156918"}, {ctl::InputPINDIA, "0.1440"}}},
    {"an O.D. change thickens the tooth", With(kGear20, {{ctl::InputCTT_MOW, "0.15"}, {ctl::InputAddendumMod, "0.01"}}),
     {{ctl::InputCTT_MOW, "0.160720"}}},  // 0.157080 + 0.01 tan 20 deg
    {"an O.D. change keeps a backlash",
     With(kGear20, {{ctl::Combo1, "Contributing Backlash"}, {ctl::InputCTT_MOW, "0.004"}, {ctl::InputAddendumMod, "0.02"}}),
     {{ctl::InputCTT_MOW, "0.004000"}, {ctl::LabelBasic, ""}}},
    {"a measurement typed before the gear is kept", {{ctl::MnuCTT, ""}, {ctl::InputDP, "10"}, {ctl::InputCTT_MOW, "2.23"},
                                                    {ctl::InputNT, "20"}}, {{ctl::InputCTT_MOW, "2.230000"}}},
    {"the same gear type again", With(kGear20, {{ctl::InputCTT_MOW, "0.15"}, {ctl::External, ""}}),
     {{ctl::InputCTT_MOW, "0.150000"}}},
    {"span mode", {{ctl::MnuSpan, ""}, {ctl::InputNT, "30"}, {ctl::InputDP, "10"}},
     {{ctl::LabelStandard, "-> Standard = 4.0000"}, {ctl::InputPINDIA, "4.0000"}, {ctl::LabelBestPin, ""}},
     {{ctl::InputPINDIA, "Enter Number of teeth you will be spanning"}}},
    {"measured pins", With({{ctl::MnuCTT, ""}}, kGear20),
     {{ctl::LabelBasic2, "    (Using .1728 diameter Pins)"}, {ctl::InputCTT_MOW, "2.239002"}}},
    {"a measured span", {{ctl::MnuCTT, ""}, {ctl::InputNT, "30"}, {ctl::InputDP, "10"}, {ctl::Combo1, "Span Measurement"}},
     {{ctl::LabelStandard, "-> Standard = 4"}, {ctl::InputPINDIA, "4"}, {ctl::LabelBasic2, "    (Over 4 teeth)"},
      {ctl::LABELPINDIA, "Number of Teeth Spanned"}, {ctl::InputCTT_MOW, "1.075263"}}},
    {"a measured span before the gear", {{ctl::MnuCTT, ""}, {ctl::Combo1, "Span Measurement"}},
     {{ctl::LABELPINDIA, "Number of teeth spanned"}}},
    {"pins after a span", {{ctl::MnuCTT, ""}, {ctl::Combo1, "Span Measurement"}, {ctl::Combo1, "Dimension Over Pins"}},
     {{ctl::LABELPINDIA, "Measuring Pin Diameter"}}},
};

class Hints : public ProgramTest, public ::testing::WithParamInterface<Hint> {};

TEST_P(Hints, FollowTheEntries) {
    EnterAll(GetParam().entries);
    for (const auto& [control, text] : GetParam().texts) EXPECT_EQ(Text(control), text) << control;
    for (const auto& [control, tip] : GetParam().tips) EXPECT_EQ(screen().ToolTip(control), tip) << control;
}

INSTANTIATE_TEST_SUITE_P(Table, Hints, ::testing::ValuesIn(kHints));

TEST_F(ProgramTest, AnAngleOf0IsTakenAs20ForTheHints) {
    EnterAll({{ctl::Internal, ""}, {ctl::InputPA, "0"}, {ctl::InputNT, "60"}, {ctl::InputDP, "10"}});
    EXPECT_EQ(gear().NormalPA, 20);
}

TEST_F(ProgramTest, AnAbsurdPitchNeverShowsInfinityAndKeepsTheHints) {
    EnterAll({{ctl::InputNT, "20"}, {ctl::InputDP, "10"}, {ctl::InputDP, "0." + std::string(40, '0') + "1"}});
    for (Control control : screen().Controls()) {
        EXPECT_EQ(Text(control).find("inf"), std::string::npos) << control;
        EXPECT_EQ(Text(control).find("nan"), std::string::npos) << control;
    }
    EXPECT_EQ(Text(ctl::LabelStandardOD), "-> Standard O.D. = 2.2");
    EXPECT_TRUE(platform().Messages().empty());
}

// The pin that touches at the pitch circle of a tooth (external) or space
// (internal) of circular thickness t: the pin centre lies where the involute
// through the pitch point meets the middle of the space or tooth, so the pin
// spans tan(a) - tan(b) of the base radius on each side.
double IdealPinFor(bool external, double teeth, double pitch, double degrees, double t) {
    const double pa = degrees * 3.14159265358979 / 180.0;
    const double d = teeth / pitch, db = d * std::cos(pa);
    if (external) return (std::tan(3.14159265358979 / teeth - t / d + pa) - std::tan(pa)) * db;
    return (std::tan(pa) - std::tan(pa - t / d)) * db;
}

// After every entry the ideal pin is that of the thickness the feature box then
// holds, also when the entry refilled the box (a click on the hint copies it).
TEST_F(ProgramTest, TheIdealPinIsThatOfTheThicknessTheBoxHolds) {
    const std::pair<Control, Entries> cases[] = {
        {ctl::External, {{ctl::InputNT, "20"}, {ctl::InputDP, "10"}, {ctl::InputDP, "8"}, {ctl::InputAddendumMod, "0.02"},
                         {ctl::InputAddendumMod, "-0.01"}, {ctl::InputDP, "12"}, {ctl::InputNT, "31"},
                         {ctl::InputCTT_MOW, "0.12"}, {ctl::InputDP, "6"}}},
        {ctl::Internal, {{ctl::InputNT, "60"}, {ctl::InputDP, "10"}, {ctl::InputDP, "5"}, {ctl::InputAddendumMod, "-0.03"},
                         {ctl::InputCTT_MOW, "0.3"}, {ctl::InputDP, "7"}, {ctl::InputAddendumMod, "0.01"}}},
    };
    for (const auto& [gearType, steps] : cases) {
        Restart();
        screen().Press(gearType);
        for (const auto& [field, keys] : steps) {
            screen().Type(field, keys);
            screen().FocusTo(ctl::InputHA);  // a field whose focus runs no hint update of its own
            if (Text(ctl::InputCTT_MOW).empty()) continue;
            SCOPED_TRACE(keys + (", the box holds " + Text(ctl::InputCTT_MOW)));
            const double want = IdealPinFor(gearType == ctl::External, gear().NumTeeth, gear().NormalDP,
                                            gear().NormalPA, gearmain::Val(Text(ctl::InputCTT_MOW)));
            EXPECT_NEAR(gearmain::Val(gear().IdealPinText), want, 6e-6);
        }
    }
}

}  // namespace
}  // namespace involvo::testing
