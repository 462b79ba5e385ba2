// Checking a part after a calculation: the limits are the measured band page 1
// shows, and each reading implies exactly the thickness that the thickness mode
// shows on page 1 for that reading typed as the value.
#include "engine/inspection.h"
#include "tests/support/program.h"

namespace involvo::testing {
namespace {

struct Case {
    Entries gear;          // the gear, typed before the value and the pin
    const char* pin;       // pin diameter, or teeth spanned
    const char* measured;  // page 1's row of the measurement, the thickness mode's feature
    std::vector<const char*> readings;
};

TEST_F(ProgramTest, AReadingImpliesTheThicknessTheThicknessModeShows) {
    const Entries spur24 = {{ctl::InputNT, "24"}, {ctl::InputDP, "10"}};
    const Case cases[] = {
        {spur24, "0.1728", "Dimension Over Pins", {"2.6371", "2.6339", "2.6420"}},
        {{{ctl::InputNT, "25"}, {ctl::InputDP, "10"}, {ctl::InputHA, "30"}}, "0.1728", "Dimension Over Balls",
         {"3.1010", "3.1045"}},
        {{{ctl::Internal, ""}, {ctl::InputNT, "60"}, {ctl::InputDP, "10"}}, "0.14400", "Dimension Between Pins",
         {"5.8600", "5.8700"}},
        {spur24, "3", "Span Meas. Over (3) Teeth", {"0.7700", "0.7716"}},
    };
    // Page 1's rows after the mode, feature, gear, value and pin are entered and calculated.
    auto page = [&](const Case& c, Entries mode, const char* value) {
        Restart();
        EnterAll(With(With(mode, c.gear), {{ctl::InputCTT_MOW, value}, {ctl::InputPINDIA, c.pin}}));
        Calculate();
        EXPECT_TRUE(PageOpen()) << (MessageTexts().empty() ? "" : MessageTexts().front());
        return Rows(app().IsLoaded(FormId::FrmOutput1) ? FormId::FrmOutput1 : FormId::FrmHelical1);
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.measured);
        const bool span = c.pin == std::string("3"), internal = c.gear.front().first == ctl::Internal;
        const std::string band = page(c, {{span ? ctl::MnuSpan : ctl::MnuMow, ""}}, "0.155/0.157")[c.measured];
        std::vector<double> values;
        for (const char* r : c.readings) values.push_back(*gearmain::ReadingValue(r));
        const gearmain::Inspection in = gearmain::InspectPart(gear(), values, Text(ctl::InputCTT_MOW));
        ASSERT_TRUE(in.limits);
        EXPECT_EQ(in.limits->low + " / " + in.limits->high, band);
        // The gear type first: the thickness mode's list holds that type's features.
        const Entries mode = {{internal ? ctl::Internal : ctl::External, ""}, {ctl::MnuCTT, ""},
                              {ctl::Combo1, span ? "Span Measurement" : internal ? "Dimension Between Pins" : "Dimension Over Pins"}};
        for (size_t i = 0; i < c.readings.size(); ++i) {
            SCOPED_TRACE(c.readings[i]);
            ASSERT_TRUE(in.readings[i].thickness);
            EXPECT_EQ(*in.readings[i].thickness,
                      page(c, mode, c.readings[i])[internal ? "Circular Space Width" : "Circular Tooth Thickness"]);
        }
    }
}

}  // namespace
}  // namespace involvo::testing
