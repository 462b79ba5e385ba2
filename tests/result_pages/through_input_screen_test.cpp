// The result pages as a user reaches them: the gear typed on the input screen,
// then Calculate.
#include "pages_fixture.h"

namespace involvo::testing {
namespace {

using gearmain::Val;

class ThroughInputScreenTest : public PagesTest {
protected:
    void TypeGear(const std::string& teeth, const std::string& helix) {
        HeadlessView& main = Main();
        main.Type("InputNT", teeth);
        main.Type("InputDP", "10");
        main.Type("InputHA", helix);
        main.Type("InputCTT_MOW", "0.15708");
        main.Type("InputPINDIA", "0.1728");
        main.Press("CmdCalc");
    }
};

TEST_F(ThroughInputScreenTest, SpurGearOpensPage1WithTheCalculatedRows) {
    TypeGear("24", "0");
    ASSERT_NE(platform.ViewOf(FormId::FrmOutput1), nullptr) << "no page opened";
    HeadlessView& page = Page(FormId::FrmOutput1);
    EXPECT_TRUE(page.IsShown());
    EXPECT_EQ(page.Text("Text(1)"), "24");
    EXPECT_EQ(page.Text("Text(2)"), "10.000000");
    EXPECT_EQ(page.Text("Text(3)"), "20.000000");
    EXPECT_EQ(page.Text("Text(4)"), "0.000000");
    EXPECT_EQ(page.Text("Label(5)"), kCTT);
    EXPECT_EQ(page.Text("Text(5)"), "0.157080");
    EXPECT_EQ(page.Text("Label(6)"), kDOP);
    // Over two pins of 0.1728 across 24 teeth of 10 DP, 20 degrees.
    EXPECT_NEAR(Val(page.Text("Text(6)")), 2.639969, 2e-6);
    EXPECT_EQ(page.Text("Text(7)"), "0.1728");
    // 24 · 20/180 + 0.5 = 3.17: a fraction above 0.14 spans 4 teeth.
    EXPECT_EQ(page.Text("Label(11)"), "Span Meas. Over (4) Teeth");
    EXPECT_EQ(page.Text("LabelTitleBlock"), "External Gear Data");
    EXPECT_TRUE(platform.Messages().empty());

    // Clicking the input screen closes the result pages.
    Main().Activate();
    EXPECT_FALSE(app.IsLoaded(FormId::FrmOutput1));
    EXPECT_FALSE(app.IsLoaded(FormId::FrmOutput2));
}

TEST_F(ThroughInputScreenTest, OddHelicalGearIsAdvisedOnceAndShowsTransverseValues) {
    TypeGear("25", "30");
    ASSERT_NE(platform.ViewOf(FormId::FrmHelical1), nullptr) << "no page opened";
    HeadlessView& page = Page(FormId::FrmHelical1);
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_EQ(platform.Messages()[0].form, "FrmHelical1");
    EXPECT_EQ(page.Text("Label(6)"), kDOB);
    EXPECT_EQ(page.Text("Label(7)"), kBD);
    EXPECT_EQ(page.Text("Text(13)"), "8.660254");   // 10 cos 30
    EXPECT_EQ(page.Text("Text(14)"), "22.795877");  // atan(tan 20 / cos 30)
    EXPECT_EQ(page.Text("Text(15)"), "0.181380");   // 0.15708 / cos 30

    page.Press("Next1");
    Page(FormId::FRMHelical2).Press("Back");
    EXPECT_TRUE(Page(FormId::FrmHelical1).IsShown());
    EXPECT_EQ(platform.Messages().size(), 1u) << "the advice is not repeated";
}

}  // namespace
}  // namespace involvo::testing
