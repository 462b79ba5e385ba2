// Checking a part after a calculation on the input screen: the limits are the
// measured band page 1 shows, and each reading implies exactly the thickness
// that the thickness mode shows on page 1 for that reading typed as the value.
#include "engine/inspection.h"
#include "tests/input_screen/screen.h"

namespace involvo::testing {
namespace {

struct Case {
    const char* what;
    Entries gear;          // typed before the value and the pin
    const char* band;      // the value typed in the pins or span mode
    const char* pin;       // pin diameter, or teeth spanned
    const char* measured;  // the thickness mode's feature for a reading
    const char* limits;    // what page 1 shows for the band, smaller first
    std::vector<const char*> readings;
};

class CheckAPart : public InputScreen {
protected:
    // Page 1 as the last calculation opened it.
    View& Page() {
        for (FormId id : {FormId::FrmOutput1, FormId::FrmHelical1})
            if (HeadlessView* page = platform().ViewOf(id); page && page->IsShown()) return *page;
        ADD_FAILURE() << "no page 1";
        return screen();
    }
    void Type(const Case& c, Control mode, const char* value, const char* feature = nullptr) {
        Restart();
        for (const auto& [field, keys] : c.gear)
            if (field == ctl::Internal) screen().Press(ctl::Internal);
        screen().Click(mode);
        if (feature) screen().Choose(ctl::Combo1, feature);
        for (const auto& [field, keys] : c.gear)
            if (field != ctl::Internal) Enter(field, keys);
        Enter(ctl::InputCTT_MOW, value);
        Enter(ctl::InputPINDIA, c.pin);
        Calculate();
    }
};

TEST_F(CheckAPart, AReadingImpliesTheThicknessTheThicknessModeShows) {
    const Entries spur24 = {{ctl::InputNT, "24"}, {ctl::InputDP, "10"}};
    const std::vector<Case> cases = {
        {"spur, over pins", spur24, "0.155/0.157", "0.1728", "Dimension Over Pins", "2.635124 / 2.639784",
         {"2.6371", "2.6339", "2.6420"}},
        {"helical odd, over balls", {{ctl::InputNT, "25"}, {ctl::InputDP, "10"}, {ctl::InputHA, "30"}}, "0.155/0.157",
         "0.1728", "Dimension Over Pins", "", {"3.1010", "3.1045"}},
        {"internal, between pins", {{ctl::Internal, ""}, {ctl::InputNT, "60"}, {ctl::InputDP, "10"}}, "0.155/0.157",
         "0.14400", "Dimension Between Pins", "", {"5.8600", "5.8700"}},
        {"span over 3 teeth", spur24, "0.155/0.157", "3", "Span Measurement", "", {"0.7700", "0.7716"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const bool span = std::string(c.measured) == "Span Measurement";
        Type(c, span ? ctl::MnuSpan : ctl::MnuMow, c.band);
        ASSERT_TRUE(PageOpen()) << (MessageTexts().empty() ? "" : MessageTexts().front());
        const std::string shown = Page().Text(ctl::Text(6));
        if (*c.limits) {
            EXPECT_EQ(shown, c.limits);
        }
        std::vector<double> values;
        for (const char* r : c.readings) values.push_back(*gearmain::ReadingValue(r));
        const gearmain::Inspection in = gearmain::InspectPart(gear(), values, Text(ctl::InputCTT_MOW));
        ASSERT_TRUE(in.limits);
        EXPECT_EQ(in.limits->low + " / " + in.limits->high, shown);

        for (size_t i = 0; i < c.readings.size(); ++i) {
            SCOPED_TRACE(c.readings[i]);
            Type(c, ctl::MnuCTT, c.readings[i], c.measured);
            ASSERT_TRUE(PageOpen()) << (MessageTexts().empty() ? "" : MessageTexts().front());
            ASSERT_TRUE(in.readings[i].thickness);
            EXPECT_EQ(*in.readings[i].thickness, Page().Text(ctl::Text(5)));
        }
    }
}

}  // namespace
}  // namespace involvo::testing
