// Page 1 of spur and helical gears: rows, title, K factor layout, ball captions,
// advice and transverse texts.
#include <array>
#include <vector>

#include "pages_fixture.h"

namespace involvo::testing {
namespace {

using Rows = std::array<std::string, 7>;  // rows 5 to 11

struct RowCase {
    std::string feature;
    int mode, gearType;
    Rows captions, oddCaptions, values;
    std::array<std::string, 4> transverse;  // helical Text(15) to Text(18)
};

void ExpectRows(HeadlessView& page, const Rows& captions, const Rows& values, const std::string& what) {
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(page.Text(L(i + 5)), captions[i]) << what << ", caption " << i + 5;
        EXPECT_EQ(page.Text(T(i + 5)), values[i]) << what << ", value " << i + 5;
    }
}

std::string Describe(const RowCase& c) {
    return c.feature + ", mode " + std::to_string(c.mode) + ", type " + std::to_string(c.gearType);
}

TEST_F(PagesTest, SpurRowsFollowFeatureModeAndGearType) {
    const std::vector<RowCase> cases = {
        {kCTT, 1, 1, {kCTT, kDOP, kPD, kPCD, kRAD, kChT, kSPAN}, {}, {vF, vM, vP, vC, vR, vH, vS}, {}},
        {kCTT, 3, 1, {kCTT, kSPAN, kDOP, kPD, kPCD, kRAD, kChT}, {}, {vF, vS, vM, vPDs, vC, vR, vH}, {}},
        {kDOP, 2, 1, {kCTT, kDOP, kPD, kPCD, kRAD, kChT, kSPAN}, {}, {vT, vF, vP, vC, vR, vH, vS}, {}},
        {kCSW, 1, 2, {kCSW, kDBP, kPD, kPCD, kRAD, kChS, kKF}, {}, {vF, vM, vP, vC, vR, vH, vKF}, {}},
        {kDBP, 2, 2, {kCSW, kDBP, kPD, kPCD, kRAD, kChS, kKF}, {}, {vT, vF, vP, vC, vR, vH, vKF}, {}},
        {kChT, 1, 1, {kChT, kDOP, kPD, kPCD, kRAD, kCTT, kSPAN}, {}, {vF, vM, vP, vC, vR, vI, vS}, {}},
        {kChT, 3, 1, {kChT, kSPAN, kDOP, kPD, kPCD, kRAD, kCTT}, {}, {vF, vS, vM, vPDs, vC, vR, vI}, {}},
        {kChS, 1, 2, {kChS, kDBP, kPD, kPCD, kRAD, kCSW, kKF}, {}, {vF, vM, vP, vC, vR, vI, vKF}, {}},
        {kSpanMeasurement, 2, 1, {kCTT, kSPAN, kDOP, kPD, kPCD, kRAD, kChT}, {}, {vT, vF, vM, vPDf, vC, vR, vH}, {}},
        {kCB, 1, 1, {kCTT, kDOP, kPD, kPCD, kCB, kChT, kSPAN}, {}, {vT, vM, vP, vC, vF, vH, vS}, {}},
        {kCB, 3, 1, {kCTT, kCB, kSPAN, kDOP, kPD, kPCD, kChT}, {}, {vT, vF, vS, vM, vPDs, vC, vH}, {}},
        {kCB, 1, 2, {kCSW, kDBP, kPD, kPCD, kRAD, kCB, kChS}, {}, {vT, vM, vP, vC, vR, vF, vH}, {}},
    };
    FillResults();
    for (const RowCase& c : cases) {
        gear.InputFeature = c.feature;
        gear.CalcMode = static_cast<int16_t>(c.mode);
        gear.GearType = static_cast<int16_t>(c.gearType);
        app.Show(FormId::FrmOutput1);  // the page stays loaded from one case to the next
        HeadlessView& page = Page(FormId::FrmOutput1);
        ExpectRows(page, c.captions, c.values, Describe(c));
        // The K factor sits in row 12, or in row 11 with row 12 hidden.
        bool row12 = c.captions[6] != kKF;
        EXPECT_EQ(page.Visible(L(12)) && page.Visible(T(12)), row12) << Describe(c);
        if (row12) {
            EXPECT_EQ(page.Text(T(12)), vKF) << Describe(c);
        }
    }
}

TEST_F(PagesTest, HelicalRowsFollowFeatureModeGearTypeAndOddTeeth) {
    FillResults();
    gear.HelixAngle = 30;
    gear.Thick1 = 0.25f;
    gear.Chordal1 = 0.2f;
    gear.Backlash1 = 0.004f;
    const std::string TT = "0.288675", TC = "0.230940", TB = "0.004619";  // 0.25, 0.2, 0.004 over cos 30
    const Rows pinsOver = {kCTT, kDOP, kPD, kPCD, kRAP, kChT, kSPAN}, ballsOver = {kCTT, kDOB, kBD, kBCD, kRAB, kChT, kSPAN},
               spanPins = {kCTT, kSPAN, kDOP, kPD, kPCD, kRAD, kChT}, spanBalls = {kCTT, kSPAN, kDOB, kBD, kBCD, kRAB, kChT},
               spaceWidth = {kCSW, kDBB, kBD, kBCD, kRAB, kChS, kKF}, chordalSpace = {kChS, kDBB, kBD, kBCD, kRAD, kCSW, kKF},
               backlashInt = {kCSW, kDB1, kBD, kBCD, kRAB, kCB, kChS};
    const std::vector<RowCase> cases = {
        {kCTT, 1, 1, pinsOver, ballsOver, {vF, vM, vP, vC, vR, vH, vS}, {TT, "", TC, ""}},
        {kCTT, 3, 1, spanPins, spanBalls, {vF, vS, vM, vPDs, vC, vR, vH}, {TT, "", "", TC}},
        {kDOP, 2, 1, pinsOver, ballsOver, {vT, vF, vP, vC, vR, vH, vS}, {TT, "", TC, ""}},
        {kCSW, 1, 2, spaceWidth, spaceWidth, {vF, vM, vP, vC, vR, vH, vKF}, {TT, "", TC, ""}},
        {kDBP, 2, 2, spaceWidth, spaceWidth, {vT, vF, vP, vC, vR, vH, vKF}, {TT, "", TC, ""}},
        {kChT, 3, 1, {kChT, kSPAN, kDOP, kPD, kPCD, kRAD, kCTT}, {kChT, kSPAN, kDOB, kBD, kBCD, kRAB, kCTT},
         {vF, vS, vM, vPDs, vC, vR, vI}, {TC, "", "", TT}},
        {kChT, 1, 1, {kChT, kDOP, kPD, kPCD, kRAD, kCTT, kSPAN}, {kChT, kDOB, kBD, kBCD, kRAB, kCTT, kSPAN},
         {vF, vM, vP, vC, vR, vI, vS}, {TC, "", TT, ""}},
        {kChS, 1, 2, chordalSpace, chordalSpace, {vF, vM, vP, vC, vR, vI, vKF}, {TC, "", TT, ""}},
        {kSpanMeasurement, 2, 1, spanPins, spanBalls, {vT, vF, vM, vPDs, vC, vR, vH}, {TT, "", "", TC}},
        {kCB, 3, 1, {kCTT, kCB, kSPAN, kDOP, kPD, kPCD, kChT}, {kCTT, kCB, kSPAN, kDOB, kBD, kBCD, kChT},
         {vT, vF, vS, vM, vPDs, vC, vH}, {TT, "", "", TC}},
        {kCB, 1, 1, {kCTT, kDOP, kPD, kPCD, kCB, kChT, kSPAN}, {kCTT, kDOB, kBD, kBCD, kCB, kChT, kSPAN},
         {vT, vM, vP, vC, vF, vH, vS}, {TT, TB, TC, ""}},
        {kCB, 1, 2, backlashInt, backlashInt, {vT, vM, vP, vC, vR, vF, vH}, {TT, "", TB, TC}},
    };
    for (const RowCase& c : cases) {
        for (float teeth : {24.0f, 25.0f}) {
            gear.InputFeature = c.feature;
            gear.CalcMode = static_cast<int16_t>(c.mode);
            gear.GearType = static_cast<int16_t>(c.gearType);
            gear.NumTeeth = teeth;
            app.Show(FormId::FrmHelical1);
            HeadlessView& page = Page(FormId::FrmHelical1);
            std::string what = Describe(c) + ", " + std::to_string(int(teeth)) + " teeth";
            ExpectRows(page, teeth == 24 ? c.captions : c.oddCaptions, c.values, what);
            for (int box = 15; box <= 18; ++box) EXPECT_EQ(page.Text(T(box)), c.transverse[box - 15]) << what << box;
        }
    }
}

TEST_F(PagesTest, BasicRowsShowTheInputFieldsThroughTheirMasks) {
    FillResults();
    gear.InputFeature = kCTT;
    Field("InputPA", "14.5");
    app.Show(FormId::FrmOutput1);
    HeadlessView& spur = Page(FormId::FrmOutput1);
    EXPECT_EQ(spur.Text(T(1)) + " " + spur.Text(T(2)) + " " + spur.Text(T(3)) + " " + spur.Text(T(4)),
              "24 10.000000 14.500000 0.000000");

    // The combination stub system's pitch fraction is shown as typed, on both pages.
    gear.DepthSystem = 8;
    Field("InputDP", "8/10");
    spur.Activate();
    EXPECT_EQ(spur.Text(T(2)), "8/10");
    gear.TransverseDP = 8.660254f;   // 10 cos 30
    gear.TransversePA = 22.795877f;  // atan(tan 20 / cos 30)
    app.Show(FormId::FrmHelical1);
    HeadlessView& helical = Page(FormId::FrmHelical1);
    EXPECT_EQ(helical.Text(T(2)), "8/10");
    EXPECT_EQ(helical.Text(T(13)) + " " + helical.Text(T(14)), "8.660254 22.795877");
    Field("InputDP", "10");
    helical.Activate();
    EXPECT_EQ(helical.Text(T(2)), "10.000000");
}

TEST_F(PagesTest, TitleNamesTheGearAndItsEnlargementOrReduction) {
    struct Case {
        int gearType;
        float odChange;
        std::string field, spur, helical;
    };
    const std::vector<Case> cases = {
        {1, 0, "0.00000", "External Gear Data", "External Helical Gear Data"},
        {2, 0, "0.00000", "Internal Gear Data", "Internal Helical Gear Data"},
        {1, -0.01f, "-0.010", "External Gear Data  (-0.010 Reduced O.D.)", "External Helical Gear Data  (-0.010 Reduced O.D.)"},
        {1, 0.01f, "0.01000", "External Gear Data  (0.01000 Enlarged O.D.)", "External Helical Gear Data  (0.01000 Enlarged O.D.)"},
        {2, 0.02f, "0.02000", "Internal Gear Data  (0.02000 Enlarged)", "Internal Helical Gear Data  (0.02000 Enlarged)"},
        {2, -0.02f, "-0.02000", "Internal Gear Data  (-0.02000 Reduced)", "Internal Helical Gear Data  (-0.02000 Reduced)"},
    };
    FillResults();
    gear.InputFeature = kCB;
    for (const Case& c : cases) {
        gear.GearType = static_cast<int16_t>(c.gearType);
        gear.ODChange = c.odChange;
        Field("InputAddendumMod", c.field);
        for (auto [page1, page2, title] : {std::tuple{FormId::FrmOutput1, FormId::FrmOutput2, c.spur},
                                           std::tuple{FormId::FrmHelical1, FormId::FRMHelical2, c.helical}}) {
            app.Show(page1);
            EXPECT_EQ(Page(page1).Text("LabelTitleBlock"), title);
            EXPECT_EQ(Page(page2).Text("LabelTitleBlock"), title) << "page 2 prepared by page 1";
            Page(page2).SetText("LabelTitleBlock", "");
            app.Show(page2);
            EXPECT_EQ(Page(page2).Text("LabelTitleBlock"), title) << "page 2 by itself";
        }
    }
}

TEST_F(PagesTest, InternalGearMovesKFactorToRow11AndALaterExternalGearGetsRow12Back) {
    FillResults();
    for (FormId id : {FormId::FrmOutput1, FormId::FrmHelical1}) {
        gear.InputFeature = kCSW;
        gear.GearType = 2;
        app.Show(id);
        HeadlessView& page = Page(id);
        EXPECT_EQ(page.Text(L(11)) + ": " + page.Text(T(11)), kKF + ": " + vKF);
        EXPECT_FALSE(page.Visible(L(12)) || page.Visible(T(12)));

        gear.InputFeature = kCTT;
        gear.GearType = 1;
        page.Activate();
        EXPECT_EQ(page.Text(L(11)), kSPAN);
        EXPECT_TRUE(page.Visible(L(12)) && page.Visible(T(12)));
        EXPECT_EQ(page.Text(T(12)), vKF);
    }
}

TEST_F(PagesTest, InternalGearShowsTheInsideDiameterOnPage2) {
    FillResults();
    gear.InputFeature = kCSW;
    gear.GearType = 0;  // taken as external
    app.Show(FormId::FrmOutput1);
    EXPECT_EQ(gear.GearType, 1);
    EXPECT_EQ(Page(FormId::FrmOutput1).Focused(), "Next1");
    EXPECT_EQ(Page(FormId::FrmOutput2).Text(L(5)), "Outside Diameter");
    gear.GearType = 2;
    for (auto [page1, page2] : {std::pair{FormId::FrmOutput1, FormId::FrmOutput2},
                                std::pair{FormId::FrmHelical1, FormId::FRMHelical2}}) {
        gear.OutsideDiameter = 2.6f;
        gear.InsideDiameter = 2.2f;
        app.Show(page1);
        EXPECT_EQ(gear.OutsideDiameter, gear.InsideDiameter);
        EXPECT_EQ(Page(page2).Text(L(5)) + ": " + Page(page2).Text(T(5)), "Inside Diameter: 2.20000");
    }
}

TEST_F(PagesTest, BallAdviceIsShownOnceAfterEachHintUpdate) {
    FillResults();
    gear.InputFeature = kCTT;
    gear.NumTeeth = 25;
    gear.HintsChanged = -1;
    app.Show(FormId::FrmHelical1);
    HeadlessView& page = Page(FormId::FrmHelical1);
    ASSERT_EQ(platform.Messages().size(), 1u);
    const ShownMessage& m = platform.Messages()[0];
    EXPECT_EQ(m.text, "Odd tooth helical gears should be measured using balls\r"
                      "or measured from the center of the gear over one pin.");
    EXPECT_TRUE(m.title == "Involvo" && m.icon == MsgIcon::Information && m.buttons == MsgButtons::OK);
    EXPECT_EQ(m.form, "FrmHelical1");
    EXPECT_EQ(gear.HintsChanged, 0);

    page.Activate();
    EXPECT_EQ(platform.Messages().size(), 1u) << "returning to the page does not repeat it";
    gear.HintsChanged = -1;  // the input screen ran its hints again
    page.Activate();
    EXPECT_EQ(platform.Messages().size(), 2u);
    gear.NumTeeth = 24;
    gear.HintsChanged = -1;
    page.Activate();
    EXPECT_EQ(platform.Messages().size(), 2u) << "no advice for an even number of teeth";

    // Internal gears are always advised to use balls.
    gear.GearType = 2;
    gear.InputFeature = kCSW;
    for (float teeth : {24.0f, 25.0f}) {
        gear.NumTeeth = teeth;
        gear.HintsChanged = -1;
        page.Activate();
        EXPECT_EQ(platform.Messages().back().text, "Use balls for measuring internal helical gears");
    }
    EXPECT_EQ(platform.Messages().size(), 4u);
}

TEST_F(PagesTest, TransverseTextsPutTheSmallerValueFirstAndUnusedBoxesAreEmptied) {
    FillResults();
    gear.InputFeature = kCB;
    gear.HelixAngle = 30;
    gear.Thick1 = 0.25f;
    gear.Thick2 = 0.245f;
    gear.Backlash1 = 0.004f;
    app.Show(FormId::FrmHelical1);
    HeadlessView& page = Page(FormId::FrmHelical1);
    EXPECT_EQ(gear.TransThickText, "0.282902 / 0.288675");
    EXPECT_EQ(page.Text(T(15)), "0.282902 / 0.288675");
    EXPECT_EQ(page.Text(T(16)), "0.004619");  // the backlash beside row 9

    gear.Thick2 = 0;
    gear.InputFeature = kCTT;
    gear.CalcMode = 3;
    page.Activate();
    EXPECT_EQ(gear.TransThickText, "0.288675");
    EXPECT_EQ(page.Text(T(16)) + page.Text(T(17)), "");
}

}  // namespace
}  // namespace involvo::testing
