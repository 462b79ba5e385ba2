// The result pages as windows: each displays the content it builds and keeps
// it; page 1 gives page 2 and the tolerance page their contents ahead of time;
// the advice, the moves between the pages and the designer texts.
#include <vector>

#include "pages_fixture.h"

namespace involvo::testing {
namespace {

// Every row of the content, and nothing else, is what the view shows.
void ExpectDisplayed(HeadlessView& view, const PageContent& content) {
    const std::string what = FormName(content.form);
    EXPECT_EQ(view.Text(ctl::Window), content.caption) << what;
    EXPECT_EQ(view.Text(content.form == FormId::AGMATOL ? ctl::AGMAFRM : ctl::LabelTitleBlock), content.title) << what;
    for (size_t i = 0; i < content.rows.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        const PageRow& r = content.rows[i];
        EXPECT_EQ(view.Text(ctl::Label(row)), r.caption) << what << " row " << row;
        EXPECT_EQ(view.Text(ctl::Text(row)), r.value) << what << " row " << row;
        EXPECT_EQ(view.Visible(ctl::Label(row)) && view.Visible(ctl::Text(row)), r.visible) << what << " row " << row;
        if (int box = TransverseBox(content.form, row)) {
            EXPECT_EQ(view.Text(ctl::Text(box)), r.transverse) << what << " row " << row;
        } else {
            EXPECT_EQ(r.transverse, "") << what << " row " << row << " has no transverse box";
        }
    }
}

class ResultPagesTest : public PagesTest {
protected:
    void SetUp() override {
        PagesTest::SetUp();
        FillResults();
        gear.InputFeature = kCTT;
        gear.CalcMode = 1;
        gear.QualityNumber = 8;
        gear.BaseDiameter = 2.2552622f;
        gear.PitchDiameter = 2.4f;
        gear.TransCircPitch = 0.36275987f;
        gear.TolRunout = 0.0013f, gear.TolPitchVar = 0.00031f, gear.TolProfile = 0.00042f;
        gear.TolLead = 0.0004f, gear.TolToothToTooth = 0.00078f, gear.TolTotalComposite = 0.0022f;
    }
    const PageContent& ContentOf(FormId id) { return ResultPageOf(app, id).Content(); }
};

TEST_F(ResultPagesTest, SpurPage1DisplaysItsContentAndKeepsIt) {
    gear.ODChange = 0.01f;
    Field(ctl::InputAddendumMod, "0.01000");
    app.Show(FormId::FrmOutput1);
    const PageContent expected = MeasurementContent(gear, ReadEntryTexts(app), PageKind::Spur);
    EXPECT_EQ(expected.rows[4].value, vF);  // the field texts reached the content
    EXPECT_EQ(expected.title, "External Gear Data  (0.01000 Enlarged O.D.)");
    ExpectDisplayed(Page(FormId::FrmOutput1), expected);
    EXPECT_EQ(ContentOf(FormId::FrmOutput1), expected);
    EXPECT_EQ(Page(FormId::FrmOutput1).Focused(), ctl::Next1);
}

TEST_F(ResultPagesTest, HelicalPage1DisplaysItsContentWithTheTransverseBoxes) {
    gear.HelixAngle = 30;
    gear.Thick1 = 0.25f;
    gear.Chordal1 = 0.2f;
    gear.TransverseDP = 8.660254f;
    gear.TransversePA = 22.795877f;
    app.Show(FormId::FrmHelical1);
    const PageContent expected = MeasurementContent(gear, ReadEntryTexts(app), PageKind::Helical);
    EXPECT_EQ(expected.rows[4].transverse, "0.288675");  // 0.25 / cos 30
    ExpectDisplayed(Page(FormId::FrmHelical1), expected);
    EXPECT_EQ(ContentOf(FormId::FrmHelical1), expected);
}

TEST_F(ResultPagesTest, InternalGearHidesRow12AndALaterExternalGearGetsItBack) {
    for (FormId id : {FormId::FrmOutput1, FormId::FrmHelical1}) {
        gear.InputFeature = kCSW;
        gear.GearType = 2;
        app.Show(id);
        HeadlessView& page = Page(id);
        EXPECT_EQ(page.Text(ctl::Label(11)) + ": " + page.Text(ctl::Text(11)), kKF + ": " + vKF);
        EXPECT_FALSE(page.Visible(ctl::Label(12)) || page.Visible(ctl::Text(12)));

        gear.InputFeature = kCTT;
        gear.GearType = 1;
        page.Activate();
        EXPECT_EQ(page.Text(ctl::Label(11)), kSPAN);
        EXPECT_TRUE(page.Visible(ctl::Label(12)) && page.Visible(ctl::Text(12)));
        EXPECT_EQ(page.Text(ctl::Text(12)), vKF);
    }
}

TEST_F(ResultPagesTest, ShowingPage1WritesTheGearState) {
    gear.GearType = 0;  // taken as external
    app.Show(FormId::FrmOutput1);
    EXPECT_EQ(gear.GearType, 1);
    gear.GearType = 2;
    gear.InputFeature = kCSW;
    gear.OutsideDiameter = 2.6f;
    gear.InsideDiameter = 2.2f;
    app.Show(FormId::FrmHelical1);
    EXPECT_EQ(gear.OutsideDiameter, gear.InsideDiameter);
    EXPECT_EQ(Page(FormId::FRMHelical2).Text(ctl::Label(5)) + ": " + Page(FormId::FRMHelical2).Text(ctl::Text(5)),
              "Inside Diameter: 2.20000");
}

TEST_F(ResultPagesTest, Page1GivesPage2AndTheTolerancesTheirContentsAheadOfTime) {
    for (PageKind kind : {PageKind::Spur, PageKind::Helical}) {
        const bool helical = kind == PageKind::Helical;
        gear.HelixAngle = helical ? 30.0f : 0.0f;
        const FormId page1 = helical ? FormId::FrmHelical1 : FormId::FrmOutput1;
        const FormId page2 = helical ? FormId::FRMHelical2 : FormId::FrmOutput2;
        app.Show(page1);
        const SheetContents expected = PageOneContents(gear, ReadEntryTexts(app), kind);
        EXPECT_FALSE(Page(page2).IsShown());
        EXPECT_FALSE(Page(FormId::AGMATOL).IsShown());
        EXPECT_EQ(ContentOf(page2), expected.dimensions);
        EXPECT_EQ(ContentOf(FormId::AGMATOL), expected.tolerances);
        ExpectDisplayed(Page(page2), expected.dimensions);
        ExpectDisplayed(Page(FormId::AGMATOL), expected.tolerances);
        // A helical page 1 fills the tolerances with six decimals, a spur one with five.
        EXPECT_EQ(Page(FormId::AGMATOL).Text(ctl::Text(6)), helical ? "0.002200" : "0.00220");

        const SheetContents held = HeldContents(app, kind);
        EXPECT_EQ(held.sheet, kind);
        EXPECT_EQ(held.measurement, expected.measurement);
        EXPECT_EQ(held.dimensions, expected.dimensions);
        EXPECT_EQ(held.tolerances, expected.tolerances);
    }
}

TEST_F(ResultPagesTest, Page2DisplaysItsOwnContentWhenActivated) {
    for (FormId id : {FormId::FrmOutput2, FormId::FRMHelical2}) {
        const PageKind kind = id == FormId::FRMHelical2 ? PageKind::Helical : PageKind::Spur;
        app.Show(id);
        const PageContent expected = DimensionsContent(gear, ReadEntryTexts(app), kind);
        EXPECT_EQ(ContentOf(id), expected);
        ExpectDisplayed(Page(id), expected);
        EXPECT_EQ(Page(id).Focused(), ctl::CmdOK);
    }
}

TEST_F(ResultPagesTest, NextOfPage2IsHiddenWithoutAQualityNumber) {
    for (FormId id : {FormId::FrmOutput2, FormId::FRMHelical2}) {
        gear.QualityNumber = 0;
        app.Show(id);
        HeadlessView& page = Page(id);
        EXPECT_FALSE(page.Visible(ctl::Next) || page.Enabled(ctl::Next));
        page.Press(ctl::Next);
        EXPECT_FALSE(app.IsLoaded(FormId::AGMATOL));

        gear.QualityNumber = 8;
        page.Activate();
        EXPECT_TRUE(page.Visible(ctl::Next) && page.Enabled(ctl::Next));
    }
}

TEST_F(ResultPagesTest, TolerancePageDisplaysItsContentWithFiveDecimalsAndTheNote) {
    gear.HelixAngle = 30;
    app.Show(FormId::FrmHelical1);
    app.Show(FormId::AGMATOL);
    HeadlessView& page = Page(FormId::AGMATOL);
    const PageContent expected = ToleranceContent(gear, "0.00000");
    EXPECT_EQ(ContentOf(FormId::AGMATOL), expected);
    ExpectDisplayed(page, expected);
    EXPECT_EQ(page.Text(ctl::Text(1)), "0.00130");
    EXPECT_FALSE(page.Visible(ctl::Text1));

    gear.TolLead = 0;  // a face width of 12 is outside the lead formula
    page.Activate();
    EXPECT_EQ(page.Text(ctl::Text(4)), "0.00000");
    EXPECT_TRUE(page.Visible(ctl::Text1));
    EXPECT_EQ(page.Text(ctl::Text1),
              "Note: Tolerances with a value of 0 are either not covered by or \r\n"
              "          do not fall within the formula limits of AGMA 2000-A88.\r\n");
}

TEST_F(ResultPagesTest, BallAdviceIsShownOnceAsAMessageBoxOfTheHelicalPage) {
    gear.NumTeeth = 25;
    gear.HintsChanged = -1;
    app.Show(FormId::FrmHelical1);
    HeadlessView& page = Page(FormId::FrmHelical1);
    ASSERT_EQ(platform.Messages().size(), 1u);
    const ShownMessage& m = platform.Messages()[0];
    EXPECT_EQ(m.text, "Odd tooth helical gears should be measured using balls\r"
                      "or measured from the center of the gear over one pin.");
    EXPECT_TRUE(m.title == "Involvo" && m.icon == MsgIcon::Information && m.buttons == MsgButtons::OK);
    EXPECT_EQ(m.form, FormId::FrmHelical1);
    page.Activate();
    EXPECT_EQ(platform.Messages().size(), 1u) << "returning to the page does not repeat it";

    // The spur page gives no advice and leaves the flag to the helical page.
    gear.HintsChanged = -1;
    app.Show(FormId::FrmOutput1);
    EXPECT_EQ(platform.Messages().size(), 1u);
    EXPECT_EQ(gear.HintsChanged, -1);
}

TEST_F(ResultPagesTest, PagesLeadFromOneToTheNextAndBack) {
    for (auto [helix, page1, page2] : {std::tuple{0.0f, FormId::FrmOutput1, FormId::FrmOutput2},
                                       std::tuple{30.0f, FormId::FrmHelical1, FormId::FRMHelical2}}) {
        gear.HelixAngle = helix;
        app.Show(page1);
        Page(page1).Press(ctl::Next1);
        EXPECT_TRUE(Page(page2).IsShown() && !Page(page1).IsShown());
        Page(page2).Press(ctl::Next);
        EXPECT_TRUE(Page(FormId::AGMATOL).IsShown() && !Page(page2).IsShown());
        Page(FormId::AGMATOL).Press(ctl::Back);
        EXPECT_FALSE(app.IsLoaded(FormId::AGMATOL));
        EXPECT_TRUE(Page(page2).IsShown());
        Page(page2).Press(ctl::Back);
        EXPECT_FALSE(app.IsLoaded(page2));
        EXPECT_TRUE(Page(page1).IsShown());
        platform.RunTimers();
    }
}

TEST_F(ResultPagesTest, CloseAndTheCloseMenuUnloadEveryPage) {
    for (FormId id : {FormId::FrmOutput1, FormId::FrmHelical1, FormId::FrmOutput2, FormId::FRMHelical2,
                      FormId::AGMATOL}) {
        app.Show(id);
        Page(id).Press(ctl::CmdOK);
        EXPECT_FALSE(app.IsLoaded(id)) << FormName(id);
        app.Show(id);
        Page(id).Click(ctl::mnuFileClose);
        EXPECT_FALSE(app.IsLoaded(id)) << FormName(id);
        platform.RunTimers();  // closed windows are destroyed after the event
    }
}

TEST_F(ResultPagesTest, PagesCarryTheirDesignerTexts) {
    const std::vector<std::tuple<FormId, std::string, Control>> pages = {
        {FormId::FrmOutput1, "Calculated gear data page 1", ctl::Mnufile},
        {FormId::FrmHelical1, "Calculated gear data page 1", ctl::mnuFile},
        {FormId::FrmOutput2, "Calculated gear data page 2", ctl::mnuFile},
        {FormId::FRMHelical2, "Calculated gear data page 2", ctl::mnuFile},
        {FormId::AGMATOL, "AGMA Tolerances", ctl::mnuFile},
    };
    for (const auto& [id, caption, fileMenu] : pages) {
        View& page = app.Load(id);
        EXPECT_EQ(page.Text(ctl::Window), caption);
        EXPECT_EQ(page.Text(fileMenu) + page.Text(ctl::mnuFilePrint) + page.Text(ctl::mnuFileClose),
                  "&File&Print...&Close")
            << FormName(id);
        EXPECT_EQ(page.Text(ctl::CmdOK), "Close");
        EXPECT_EQ(page.ToolTip(ctl::CmdPrint), "Print Gear Data");
        // Page 1's print button is the picture alone; the others carry the caption too.
        bool pageOne = id == FormId::FrmOutput1 || id == FormId::FrmHelical1;
        EXPECT_EQ(page.Text(ctl::CmdPrint), pageOne ? "" : "Print Gear Data") << FormName(id);
        EXPECT_TRUE(page.Enabled(ctl::CmdPrint) && page.Enabled(ctl::mnuFilePrint)) << FormName(id);
    }
    EXPECT_EQ(Page(FormId::FrmOutput1).ToolTip(ctl::Next1), "Display Next Page");
    EXPECT_EQ(Page(FormId::FrmOutput1).Text(ctl::Label(5)), "Label5");
    EXPECT_EQ(Page(FormId::AGMATOL).Text(ctl::Label(4)), "Tooth Alignment (Lead) ");
    EXPECT_EQ(Page(FormId::AGMATOL).Text(ctl::AGMAFRM), "AGMA 2000-A88 Gear Accuracy Tolerances");
    EXPECT_EQ(Page(FormId::FrmOutput2).Text(ctl::Label(12)), "Tooth Tip Land ");
    EXPECT_EQ(Page(FormId::FRMHelical2).Text(ctl::Label(7)), "Root Diameter (Finish)");
}

TEST_F(ResultPagesTest, EntryTextsAreTheFieldsOfTheInputScreen) {
    const std::vector<std::pair<Control, std::string EntryTexts::*>> fields = {
        {ctl::InputNT, &EntryTexts::teeth},          {ctl::InputDP, &EntryTexts::pitch},
        {ctl::InputPA, &EntryTexts::pressureAngle},  {ctl::InputHA, &EntryTexts::helix},
        {ctl::InputCTT_MOW, &EntryTexts::featureValue}, {ctl::InputAddendumMod, &EntryTexts::odChange},
        {ctl::InputPINDIA, &EntryTexts::pin},        {ctl::InputFaceWidth, &EntryTexts::faceWidth},
    };
    int n = 0;
    for (const auto& [control, member] : fields) Field(control, "text " + std::to_string(++n));
    const EntryTexts texts = ReadEntryTexts(app);
    n = 0;
    for (const auto& [control, member] : fields) EXPECT_EQ(texts.*member, "text " + std::to_string(++n)) << control;
    EXPECT_EQ(texts.feature, Main().Text(ctl::Combo1));
    EXPECT_EQ(texts.quality, Main().Text(ctl::ComboQuality));
}

}  // namespace
}  // namespace involvo::testing
