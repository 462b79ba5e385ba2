// The result pages as a user reaches them: the gear typed on the input screen,
// then Calculate; the rows checked against numbers worked by hand.
#include <cmath>

#include "pages_fixture.h"

namespace involvo::testing {
namespace {

using gearmain::Val;

class ThroughInputScreenTest : public PagesTest {
protected:
    void TypeGear(const std::string& teeth, const std::string& helix, const std::string& quality = "") {
        HeadlessView& main = Main();
        main.Type(ctl::InputNT, teeth);
        main.Type(ctl::InputDP, "10");
        main.Type(ctl::InputHA, helix);
        if (!quality.empty()) {
            main.Type(ctl::ComboQuality, quality);
            main.Leave();
        }
        main.Type(ctl::InputCTT_MOW, "0.15708");
        main.Type(ctl::InputPINDIA, "0.1728");
        main.Press(ctl::CmdCalc);
    }
    const PageContent& ContentOf(FormId id) { return ResultPageOf(app, id).Content(); }
    static std::string Row(const PageContent& page, int row) {
        return page.rows.at(row - 1).caption + ": " + page.rows.at(row - 1).value;
    }
};

TEST_F(ThroughInputScreenTest, SpurGearOpensPage1WithTheCalculatedRows) {
    TypeGear("24", "0");
    ASSERT_NE(platform.ViewOf(FormId::FrmOutput1), nullptr) << "no page opened";
    EXPECT_TRUE(Page(FormId::FrmOutput1).IsShown());
    const PageContent& page = ContentOf(FormId::FrmOutput1);
    EXPECT_EQ(Row(page, 1), "Number of Teeth: 24");
    EXPECT_EQ(Row(page, 2), "Normal Diametral Pitch: 10.000000");
    EXPECT_EQ(Row(page, 3), "Normal Pressure Angle: 20.000000");
    EXPECT_EQ(Row(page, 4), "Helix Angle: 0.000000");
    EXPECT_EQ(Row(page, 5), kCTT + ": 0.157080");
    EXPECT_EQ(page.rows[5].caption, kDOP);
    // Over two pins of 0.1728 across 24 teeth of 10 DP, 20 degrees.
    EXPECT_NEAR(Val(page.rows[5].value), 2.639969, 2e-6);
    EXPECT_EQ(Row(page, 7), "Pin Diameter: 0.1728");
    // 24 · 20/180 + 0.5 = 3.17: a fraction above 0.14 spans 4 teeth.
    EXPECT_EQ(page.rows[10].caption, "Span Meas. Over (4) Teeth");
    EXPECT_EQ(page.title, "External Gear Data");
    EXPECT_TRUE(platform.Messages().empty());

    // Clicking the input screen closes the result pages.
    Main().Activate();
    EXPECT_FALSE(app.IsLoaded(FormId::FrmOutput1));
    EXPECT_FALSE(app.IsLoaded(FormId::FrmOutput2));
}

TEST_F(ThroughInputScreenTest, Page2ShowsTheDimensionsOfTheDepthSystem) {
    TypeGear("24", "0");
    ASSERT_NE(platform.ViewOf(FormId::FrmOutput1), nullptr) << "no page opened";
    const PageContent& page = ContentOf(FormId::FrmOutput2);
    // Pitch diameter 24/10; base circle 2.4 cos 20 = 2.255262; circular pitch
    // pi/10 = 0.314159; base pitch pi/10 cos 20 = 0.295213; addendum 1/10,
    // dedendum 1.25/10, whole depth 2.25/10; outside diameter 2.4 + 0.2.
    EXPECT_EQ(Row(page, 1), "Base Circle Diameter: 2.255262");
    EXPECT_EQ(Row(page, 2), "Pitch Diameter: 2.400000");
    EXPECT_EQ(Row(page, 3), "Circular Pitch: 0.314159");
    EXPECT_EQ(Row(page, 4), "Base Pitch: 0.295213");
    EXPECT_EQ(Row(page, 5), "Outside Diameter: 2.60000");
    EXPECT_EQ(Row(page, 6), "Root Diameter (Basic): 2.15000");
    EXPECT_EQ(Row(page, 8), "Whole Depth: 0.22500");
    EXPECT_EQ(Row(page, 10), "Addendum: 0.10000");
    EXPECT_EQ(Row(page, 11), "Dedendum: 0.12500");
    EXPECT_FALSE(page.next) << "no quality number";
}

TEST_F(ThroughInputScreenTest, OddHelicalGearIsAdvisedOnceAndShowsTransverseValues) {
    TypeGear("25", "30");
    ASSERT_NE(platform.ViewOf(FormId::FrmHelical1), nullptr) << "no page opened";
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_EQ(platform.Messages()[0].form, FormId::FrmHelical1);
    const PageContent& page = ContentOf(FormId::FrmHelical1);
    EXPECT_EQ(page.rows[5].caption, kDOB);
    EXPECT_EQ(page.rows[6].caption, kBD);
    EXPECT_EQ(page.rows[1].transverse, "8.660254");   // 10 cos 30
    EXPECT_EQ(page.rows[2].transverse, "22.795877");  // atan(tan 20 / cos 30)
    EXPECT_EQ(page.rows[4].transverse, "0.181380");   // 0.15708 / cos 30

    Page(FormId::FrmHelical1).Press(ctl::Next1);
    // The transverse circular pitch: pi / (10 cos 30) = 0.362760.
    EXPECT_EQ(ContentOf(FormId::FRMHelical2).rows[2].transverse, "0.362760");
    Page(FormId::FRMHelical2).Press(ctl::Back);
    EXPECT_TRUE(Page(FormId::FrmHelical1).IsShown());
    EXPECT_EQ(platform.Messages().size(), 1u) << "the advice is not repeated";
}

TEST_F(ThroughInputScreenTest, QualityNumberLeadsToTheTolerances) {
    TypeGear("24", "0", "8");
    ASSERT_NE(platform.ViewOf(FormId::FrmOutput1), nullptr) << "no page opened";
    Page(FormId::FrmOutput1).Press(ctl::Next1);
    EXPECT_TRUE(ContentOf(FormId::FrmOutput2).next);
    Page(FormId::FrmOutput2).Press(ctl::Next);
    const PageContent& page = ContentOf(FormId::AGMATOL);
    // Runout 58 · 24^0.238 · 10^-0.722 = 23.45 ten-thousandths, kept to two
    // significant digits: 0.0024.
    EXPECT_EQ(Row(page, 1), "Runout Tolerance: 0.00240");
}

}  // namespace
}  // namespace involvo::testing
