// Checking a part after a calculation: the limits are the measured band page 1
// shows, and each reading implies exactly the thickness that the thickness mode
// shows on page 1 for that reading typed as the value.
#include "engine/inspection.h"
#include "tests/support/program.h"

namespace involvo::testing {
namespace {

struct Case {
    const char* what;
    bool internal;
    Entries gear;          // the gear, typed before the band and the pin
    const char* pin;       // pin diameter, or teeth spanned
    const char* measured;  // the thickness mode's feature for a reading
    std::vector<const char*> readings;
};

class CheckAPart : public ProgramTest {
protected:
    // Page 1's rows after the gear, a feature, the value and the pin are typed and calculated.
    std::map<std::string, std::string> Page(const Case& c, Control mode, const char* feature, const char* value) {
        Restart();
        if (c.internal) screen().Press(ctl::Internal);
        EnterAll({{mode, ""}});
        if (feature) EnterAll({{ctl::Combo1, feature}});
        EnterAll(c.gear);
        EnterAll({{ctl::InputCTT_MOW, value}, {ctl::InputPINDIA, c.pin}});
        Calculate();
        EXPECT_TRUE(PageOpen()) << (MessageTexts().empty() ? "" : MessageTexts().front());
        return Rows(app().IsLoaded(FormId::FrmOutput1) ? FormId::FrmOutput1 : FormId::FrmHelical1);
    }
};

TEST_F(CheckAPart, AReadingImpliesTheThicknessTheThicknessModeShows) {
    const Entries spur24 = {{ctl::InputNT, "24"}, {ctl::InputDP, "10"}};
    const Case cases[] = {
        {"spur, over pins", false, spur24, "0.1728", "Dimension Over Pins", {"2.6371", "2.6339", "2.6420"}},
        {"helical odd, over balls", false, {{ctl::InputNT, "25"}, {ctl::InputDP, "10"}, {ctl::InputHA, "30"}}, "0.1728",
         "Dimension Over Balls", {"3.1010", "3.1045"}},
        {"internal, between pins", true, {{ctl::InputNT, "60"}, {ctl::InputDP, "10"}}, "0.14400",
         "Dimension Between Pins", {"5.8600", "5.8700"}},
        {"span over 3 teeth", false, spur24, "3", "Span Measurement", {"0.7700", "0.7716"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const bool span = std::string(c.measured) == "Span Measurement";
        auto band = Page(c, span ? ctl::MnuSpan : ctl::MnuMow, nullptr, "0.155/0.157");
        const std::string caption = span ? "Span Meas. Over (3) Teeth" : c.measured;
        std::vector<double> values;
        for (const char* r : c.readings) values.push_back(*gearmain::ReadingValue(r));
        const gearmain::Inspection in = gearmain::InspectPart(gear(), values, Text(ctl::InputCTT_MOW));
        ASSERT_TRUE(in.limits);
        EXPECT_EQ(in.limits->low + " / " + in.limits->high, band[caption]);

        const std::string feature = span ? "Span Measurement" : c.measured == std::string("Dimension Over Balls")
                                                                    ? "Dimension Over Pins" : c.measured;
        for (size_t i = 0; i < c.readings.size(); ++i) {
            SCOPED_TRACE(c.readings[i]);
            auto page = Page(c, ctl::MnuCTT, feature.c_str(), c.readings[i]);
            ASSERT_TRUE(in.readings[i].thickness);
            EXPECT_EQ(*in.readings[i].thickness, page[c.internal ? "Circular Space Width" : "Circular Tooth Thickness"]);
        }
    }
}

}  // namespace
}  // namespace involvo::testing
