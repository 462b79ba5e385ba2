// Page 2 (gear dimensions) and the AGMA tolerances page; the designer texts and
// the moves between the pages.
#include <vector>

#include "pages_fixture.h"

namespace involvo::testing {
namespace {

class DimensionsTest : public PagesTest {
protected:
    void SetUp() override {
        PagesTest::SetUp();
        FillResults();
        gear.InputFeature = kCTT;
        gear.QualityNumber = 8;
        float* values[] = {&gear.BaseDiameter, &gear.PitchDiameter, &gear.CircPitch, &gear.BasePitch,
                           &gear.OutsideDiameter, &gear.RootDiameter, &gear.WholeDepth, &gear.WorkingDepth,
                           &gear.Addendum, &gear.Dedendum, &gear.TransCircPitch, &gear.TransBasePitch};
        const float numbers[] = {2.2552622f, 2.4f, 0.31415927f, 0.29521591f, 2.6f, 2.15f,
                                 0.225f, 0.2092920f, 0.1f, 0.125f, 0.36275987f, 0.33439875f};
        for (int i = 0; i < 12; ++i) *values[i] = numbers[i];
        gear.FinishedRootText = "2.143214";
        gear.TipLandText = "0.06543 / 0.07000";
        gear.TolRunout = 0.0013f, gear.TolPitchVar = 0.00031f, gear.TolProfile = 0.00042f;
        gear.TolLead = 0.0004f, gear.TolToothToTooth = 0.00078f, gear.TolTotalComposite = 0.0022f;
    }
};

TEST_F(DimensionsTest, Page2RowsAreWrittenWithTheirMasks) {
    const std::vector<std::string> expected = {"2.255262", "2.400000", "0.314159", "0.295216", "2.60000", "2.15000",
                                               "2.14321",  "0.22500",  "0.20929",  "0.10000",  "0.12500",
                                               "0.06543 / 0.07000"};
    for (FormId id : {FormId::FrmOutput2, FormId::FRMHelical2}) {
        app.Show(id);
        for (int row = 1; row <= 12; ++row)
            EXPECT_EQ(Page(id).Text(T(row)), expected[row - 1]) << FormName(id) << " row " << row;
    }
    EXPECT_EQ(Page(FormId::FRMHelical2).Text(T(13)) + " " + Page(FormId::FRMHelical2).Text(T(14)),
              "0.362760 0.334399");

    gear.FinishedRootText = "2.140000 / 2.143214";  // a range keeps its six decimals
    Page(FormId::FrmOutput2).Activate();
    EXPECT_EQ(Page(FormId::FrmOutput2).Text(T(7)), "2.140000 / 2.143214");
}

TEST_F(DimensionsTest, NextIsHiddenWithoutAQualityNumber) {
    for (FormId id : {FormId::FrmOutput2, FormId::FRMHelical2}) {
        gear.QualityNumber = 0;
        app.Show(id);
        HeadlessView& page = Page(id);
        EXPECT_FALSE(page.Visible("Next") || page.Enabled("Next"));
        EXPECT_EQ(page.Focused(), "CmdOK");
        page.Press("Next");
        EXPECT_FALSE(app.IsLoaded(FormId::AGMATOL));

        gear.QualityNumber = 8;
        page.Activate();
        EXPECT_TRUE(page.Visible("Next") && page.Enabled("Next"));
    }
}

TEST_F(DimensionsTest, ToleranceNoteIsShownOnlyWhenAToleranceIsZero) {
    app.Show(FormId::FrmOutput1);  // page 1 fills the tolerances ahead of time
    EXPECT_EQ(Page(FormId::AGMATOL).Text(T(1)), "0.00130");
    EXPECT_FALSE(Page(FormId::AGMATOL).IsShown());
    gear.HelixAngle = 30;
    app.Show(FormId::FrmHelical1);
    EXPECT_EQ(Page(FormId::AGMATOL).Text(T(6)), "0.002200");

    app.Show(FormId::AGMATOL);
    HeadlessView& page = Page(FormId::AGMATOL);
    const std::vector<std::string> expected = {"0.00130", "0.00031", "0.00042", "0.00040", "0.00078", "0.00220"};
    for (int row = 1; row <= 6; ++row) EXPECT_EQ(page.Text(T(row)), expected[row - 1]);
    EXPECT_FALSE(page.Visible("Text1"));

    gear.TolLead = 0;  // a face width of 12 is outside the lead formula
    page.Activate();
    EXPECT_EQ(page.Text(T(4)), "0.00000");
    EXPECT_TRUE(page.Visible("Text1"));
    EXPECT_EQ(page.Text("Text1"),
              "Note: Tolerances with a value of 0 are either not covered by or \r\n"
              "          do not fall within the formula limits of AGMA 2000-A88.\r\n");
}

TEST_F(DimensionsTest, PagesLeadFromOneToTheNextAndBack) {
    for (auto [helix, page1, page2] : {std::tuple{0.0f, FormId::FrmOutput1, FormId::FrmOutput2},
                                       std::tuple{30.0f, FormId::FrmHelical1, FormId::FRMHelical2}}) {
        gear.HelixAngle = helix;
        app.Show(page1);
        Page(page1).Press("Next1");
        EXPECT_TRUE(Page(page2).IsShown() && !Page(page1).IsShown());
        Page(page2).Press("Next");
        EXPECT_TRUE(Page(FormId::AGMATOL).IsShown() && !Page(page2).IsShown());
        Page(FormId::AGMATOL).Press("Back");
        EXPECT_FALSE(app.IsLoaded(FormId::AGMATOL));
        EXPECT_TRUE(Page(page2).IsShown());
        Page(page2).Press("Back");
        EXPECT_FALSE(app.IsLoaded(page2));
        EXPECT_TRUE(Page(page1).IsShown());
        platform.RunTimers();
    }
}

TEST_F(DimensionsTest, CloseAndTheCloseMenuUnloadEveryPage) {
    for (FormId id : {FormId::FrmOutput1, FormId::FrmHelical1, FormId::FrmOutput2, FormId::FRMHelical2,
                      FormId::AGMATOL}) {
        app.Show(id);
        Page(id).Press("CmdOK");
        EXPECT_FALSE(app.IsLoaded(id)) << FormName(id);
        app.Show(id);
        Page(id).Click("mnuFileClose");
        EXPECT_FALSE(app.IsLoaded(id)) << FormName(id);
        platform.RunTimers();  // closed windows are destroyed after the event
    }
}

TEST_F(DimensionsTest, PagesCarryTheirDesignerTexts) {
    const std::vector<std::tuple<FormId, std::string, std::string>> pages = {
        {FormId::FrmOutput1, "Calculated gear data page 1", "Mnufile"},
        {FormId::FrmHelical1, "Calculated gear data page 1", "mnuFile"},
        {FormId::FrmOutput2, "Calculated gear data page 2", "mnuFile"},
        {FormId::FRMHelical2, "Calculated gear data page 2", "mnuFile"},
        {FormId::AGMATOL, "AGMA Tolerances", "mnuFile"},
    };
    for (const auto& [id, caption, fileMenu] : pages) {
        View& page = app.Load(id);
        EXPECT_EQ(page.Text(""), caption);
        EXPECT_EQ(page.Text(fileMenu) + page.Text("mnuFilePrint") + page.Text("mnuFileClose"),
                  "&File&Print...&Close")
            << FormName(id);
        EXPECT_EQ(page.Text("CmdOK"), "Close");
        EXPECT_EQ(page.ToolTip("CmdPrint"), "Print Gear Data");
        // Page 1's print button is the picture alone; the others carry the caption too.
        bool pageOne = id == FormId::FrmOutput1 || id == FormId::FrmHelical1;
        EXPECT_EQ(page.Text("CmdPrint"), pageOne ? "" : "Print Gear Data") << FormName(id);
        EXPECT_TRUE(page.Enabled("CmdPrint") && page.Enabled("mnuFilePrint")) << FormName(id);
    }
    EXPECT_EQ(Page(FormId::FrmOutput1).ToolTip("Next1"), "Display Next Page");
    EXPECT_EQ(Page(FormId::FrmOutput1).Text(L(5)), "Label5");
    EXPECT_EQ(Page(FormId::AGMATOL).Text(L(4)), "Tooth Alignment (Lead) ");
    EXPECT_EQ(Page(FormId::FrmOutput2).Text(L(12)), "Tooth Tip Land ");
    EXPECT_EQ(Page(FormId::FRMHelical2).Text(L(7)), "Root Diameter (Finish)");
}

}  // namespace
}  // namespace involvo::testing
