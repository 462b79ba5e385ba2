// The result pages as windows, reached as a user reaches them: each shows the
// content of the last calculation in its controls, page 1 fills page 2 and the
// tolerance page ahead of time, the moves between the pages, the advice, the
// designer texts. (What each row holds for each kind of gear is pinned by the
// golden outputs of involvo-cli, built by the same builders.)
#include "result_pages/measuring_aids_window.h"
#include "result_pages/page_builders.h"
#include "result_pages/result_pages.h"
#include "tests/support/program.h"

namespace involvo::testing {
namespace {

using Fields = std::vector<std::pair<Control, std::string>>;

class ResultPages : public ProgramTest {
protected:
    const PageContent& ContentOf(FormId id) { return ResultPageOf(app(), id).Content(); }
    // Every row of the content, and nothing else, is what the page's view shows.
    void ExpectDisplayed(FormId id) {
        const HeadlessView& view = page(id);
        const PageContent& content = ContentOf(id);
        const std::string what = FormName(id);
        EXPECT_EQ(content.form, id);
        EXPECT_EQ(view.Text(ctl::Window), content.caption) << what;
        EXPECT_EQ(view.Text(id == FormId::AGMATOL ? ctl::AGMAFRM : ctl::LabelTitleBlock), content.title) << what;
        for (size_t i = 0; i < content.rows.size(); ++i) {
            const int row = static_cast<int>(i) + 1;
            const PageRow& r = content.rows[i];
            EXPECT_EQ(view.Text(ctl::Label(row)) + "|" + view.Text(ctl::Text(row)), r.caption + "|" + r.value)
                << what << " row " << row;
            EXPECT_EQ(view.Visible(ctl::Label(row)), r.visible) << what << " row " << row;
            EXPECT_EQ(view.Visible(ctl::Text(row)), r.visible) << what << " row " << row;
            if (int box = TransverseBox(id, row)) EXPECT_EQ(view.Text(ctl::Text(box)), r.transverse) << what << row;
            else EXPECT_EQ(r.transverse, "") << what << " row " << row << " has no transverse box";
        }
    }
};

TEST_F(ResultPages, EachPageShowsTheContentOfTheLastCalculation) {
    const std::vector<std::tuple<Fields, bool, FormId, FormId>> gears = {
        {{{ctl::InputNT, "24"}, {ctl::InputDP, "10"}, {ctl::ComboQuality, "8"}}, false, FormId::FrmOutput1,
         FormId::FrmOutput2},
        {{{ctl::InputNT, "25"}, {ctl::InputDP, "8"}, {ctl::InputHA, "0.5"}, {ctl::ComboQuality, "8"}}, false,
         FormId::FrmHelical1, FormId::FRMHelical2},
        {{{ctl::InputNT, "60"}, {ctl::InputDP, "10"}, {ctl::InputHA, "0"}, {ctl::ComboQuality, "8"}}, true,
         FormId::FrmOutput1, FormId::FrmOutput2},
    };
    for (const auto& [fields, internal, page1, page2] : gears) {
        screen().Press(internal ? ctl::Internal : ctl::External);
        HeadlessView& first = Calculate(fields);
        EXPECT_EQ(first.id(), page1);
        EXPECT_EQ(first.Focused(), ctl::Next1);
        // Page 1 filled page 2 and the tolerance page, hidden, with what its
        // print button prints.
        const PageKind kind = page1 == FormId::FrmHelical1 ? PageKind::Helical : PageKind::Spur;
        const SheetContents held = HeldContents(app(), kind);
        EXPECT_EQ(held.measurement, PageOneContents(gear(), ReadEntryTexts(app()), kind).measurement);
        EXPECT_EQ(held.dimensions, PageOneContents(gear(), ReadEntryTexts(app()), kind).dimensions);
        EXPECT_EQ(held.tolerances.rows.at(0).value.size(), kind == PageKind::Helical ? 8u : 7u);
        EXPECT_EQ(ContentOf(page1).rows.at(0).value, fields[0].second);
        EXPECT_EQ(ContentOf(page1).rows.at(11).visible, !internal);
        ExpectDisplayed(page1);
        ExpectDisplayed(page2);
        EXPECT_FALSE(page(page2).IsShown() || page(FormId::AGMATOL).IsShown());
        first.Press(ctl::Next1);
        EXPECT_TRUE(page(page2).IsShown() && !first.IsShown());
        EXPECT_EQ(page(page2).Focused(), ctl::CmdOK);
        ExpectDisplayed(page2);
        page(page2).Press(ctl::Next);
        EXPECT_TRUE(page(FormId::AGMATOL).IsShown() && !page(page2).IsShown());
        ExpectDisplayed(FormId::AGMATOL);
        EXPECT_EQ(ContentOf(FormId::AGMATOL).rows.at(0).value.size(), 7u) << "five decimals of its own";
        EXPECT_FALSE(page(FormId::AGMATOL).Visible(ctl::Text1)) << "no tolerance is 0";
        page(FormId::AGMATOL).Press(ctl::Back);
        EXPECT_FALSE(app().IsLoaded(FormId::AGMATOL));
        EXPECT_TRUE(page(page2).IsShown());
        page(page2).Press(ctl::Back);
        EXPECT_FALSE(app().IsLoaded(page2));
        EXPECT_TRUE(page(page1).IsShown());
        screen().Activate();  // clicking the input screen closes the pages
        platform().RunTimers();
        EXPECT_FALSE(app().IsLoaded(page1));
    }
}

TEST_F(ResultPages, AnInternalGearsHiddenRowComesBackForAnExternalGear) {
    screen().Press(ctl::Internal);
    Calculate({{ctl::InputNT, "60"}, {ctl::InputDP, "10"}});
    EXPECT_FALSE(page(FormId::FrmOutput1).Visible(ctl::Label(12)) || page(FormId::FrmOutput1).Visible(ctl::Text(12)));
    screen().Press(ctl::External);
    Calculate({{ctl::InputNT, "24"}});
    EXPECT_TRUE(page(FormId::FrmOutput1).Visible(ctl::Label(12)) && page(FormId::FrmOutput1).Visible(ctl::Text(12)));
    EXPECT_EQ(page(FormId::FrmOutput1).Text(ctl::Label(12)), "K Factor");
}

TEST_F(ResultPages, NextOfPage2AndTheToleranceNoteFollowTheQualityNumber) {
    Calculate({{ctl::InputNT, "24"}, {ctl::InputDP, "10"}}).Press(ctl::Next1);
    HeadlessView& page2 = page(FormId::FrmOutput2);
    EXPECT_FALSE(page2.Visible(ctl::Next) || page2.Enabled(ctl::Next));
    page2.Press(ctl::Next);
    EXPECT_FALSE(page(FormId::AGMATOL).IsShown());
    screen().Activate();
    platform().RunTimers();
    // 28 teeth of 12 DP at quality 6: the face width of 1 is outside the lead formula.
    Calculate({{ctl::InputNT, "28"}, {ctl::InputDP, "12"}, {ctl::ComboQuality, "6"}}).Press(ctl::Next1);
    EXPECT_TRUE(page(FormId::FrmOutput2).Visible(ctl::Next) && page(FormId::FrmOutput2).Enabled(ctl::Next));
    page(FormId::FrmOutput2).Press(ctl::Next);
    HeadlessView& tolerances = page(FormId::AGMATOL);
    EXPECT_EQ(tolerances.Text(ctl::Text(4)), "0.00000");
    EXPECT_TRUE(tolerances.Visible(ctl::Text1));
    EXPECT_EQ(tolerances.Text(ctl::Text1),
              "Note: Tolerances with a value of 0 are either not covered by or \r\n"
              "          do not fall within the formula limits of AGMA 2000-A88.\r\n");
}

TEST_F(ResultPages, TheBallAdviceIsAMessageBoxOfTheHelicalPageOnce) {
    HeadlessView& page1 = Calculate({{ctl::InputNT, "25"}, {ctl::InputDP, "10"}, {ctl::InputHA, "30"}});
    ASSERT_EQ(platform().Messages().size(), 1u);
    const ShownMessage& m = platform().Messages()[0];
    EXPECT_EQ(m.text, "Odd tooth helical gears should be measured using balls\r"
                      "or measured from the center of the gear over one pin.");
    EXPECT_TRUE(m.title == "Involvo" && m.icon == MsgIcon::Information && m.buttons == MsgButtons::OK);
    EXPECT_EQ(m.form, FormId::FrmHelical1);
    page1.Press(ctl::Next1);
    page(FormId::FRMHelical2).Press(ctl::Back);
    EXPECT_TRUE(page1.IsShown());
    EXPECT_EQ(platform().Messages().size(), 1u) << "returning to the page does not repeat it";
}

TEST_F(ResultPages, CloseAndTheCloseMenuUnloadEveryPage) {
    for (FormId id : {FormId::FrmOutput1, FormId::FrmHelical1, FormId::FrmOutput2, FormId::FRMHelical2,
                      FormId::AGMATOL}) {
        for (Control close : {ctl::CmdOK, ctl::mnuFileClose}) {
            app().Show(id);
            page(id).Press(close);
            EXPECT_FALSE(app().IsLoaded(id)) << FormName(id) << close;
            platform().RunTimers();
        }
    }
}

TEST_F(ResultPages, PagesCarryTheirDesignerTexts) {
    const std::vector<std::tuple<FormId, std::string, Control>> pages = {
        {FormId::FrmOutput1, "Calculated gear data page 1", ctl::Mnufile},
        {FormId::FrmHelical1, "Calculated gear data page 1", ctl::mnuFile},
        {FormId::FrmOutput2, "Calculated gear data page 2", ctl::mnuFile},
        {FormId::FRMHelical2, "Calculated gear data page 2", ctl::mnuFile},
        {FormId::AGMATOL, "AGMA Tolerances", ctl::mnuFile},
    };
    for (const auto& [id, caption, fileMenu] : pages) {
        const View& page = app().Load(id);
        const bool pageOne = id == FormId::FrmOutput1 || id == FormId::FrmHelical1;
        EXPECT_EQ(page.Text(ctl::Window), caption);
        EXPECT_EQ(page.Text(fileMenu) + page.Text(ctl::mnuFilePrint) + page.Text(ctl::mnuFileClose),
                  "&File&Print...&Close")
            << FormName(id);
        EXPECT_EQ(page.Text(ctl::CmdOK), "Close");
        EXPECT_EQ(page.ToolTip(ctl::CmdPrint), "Print Gear Data");
        // Page 1's print button is the picture alone; the others carry the caption too.
        EXPECT_EQ(page.Text(ctl::CmdPrint), pageOne ? "" : "Print Gear Data") << FormName(id);
        EXPECT_TRUE(pageOne || page.Text(ctl::Back) == "Back") << FormName(id);
        const bool helical = id == FormId::FRMHelical2 || id == FormId::FrmHelical1;
        EXPECT_TRUE(!helical || page.Text(ctl::LabelNorm) + "|" + page.Text(ctl::LabelTransv) == "Normal|Transverse");
    }
    const View& page1 = app().Load(FormId::FrmOutput1);
    EXPECT_EQ(page1.ToolTip(ctl::Next1) + "|" + page1.ToolTip(ctl::CmdOK), "Display Next Page|Close This page");
    EXPECT_EQ(page1.Text(ctl::Next1), "Next");
    EXPECT_EQ(app().Load(FormId::FrmOutput2).Text(ctl::Next), "Next");
}

TEST_F(ResultPages, ReturningToTheInputScreenForgetsThePartNumber) {
    HeadlessView& page1 = Calculate({{ctl::InputNT, "24"}, {ctl::InputDP, "10"}});
    gear().PrintoutChoices[kOptPartNumber] = 1;
    platform().ScriptInput("Gear 12");
    page1.Press(ctl::CmdPrint);
    EXPECT_EQ(gear().PartNumber, "Gear 12");
    screen().Activate();
    EXPECT_EQ(gear().PartNumber, "");
}

// The note over the measuring aids' picture: pin or ball, the thickness (of a
// band its first end) or the internal gear's space width, and a pin outside
// the range of pins that work (0.1146 to 0.3306 for 24 teeth, pitch 10).
TEST_F(ResultPages, TheAidsNoteNamesThePinItsThicknessAndWhetherItWorks) {
    const struct { Control type; const char *teeth, *helix, *value, *pin, *note; } cases[] = {
        {ctl::External, "24", "0", "0.155/0.157", "0.1728",
         "The pin 0.1728 at the tooth thickness 0.155000 (the first end of the band), seen along the axis."},
        {ctl::External, "24", "0", "0.15708", "0.35",
         "The pin 0.3500 at the tooth thickness 0.157080, seen along the axis. This pin lies outside the pins that work."},
        {ctl::Internal, "60", "0", "0.15708", "0.144", "The pin 0.1440 in the space width 0.157080, seen along the axis."},
        {ctl::External, "25", "30", "0.15708", "0.1728", "The ball 0.1728 at the tooth thickness 0.157080, seen along the axis."},
    };
    for (const auto& c : cases) {
        Restart();
        EnterAll({{c.type, ""}, {ctl::InputNT, c.teeth}, {ctl::InputDP, "10"}, {ctl::InputHA, c.helix},
                  {ctl::InputCTT_MOW, c.value}, {ctl::InputPINDIA, c.pin}});
        Calculate();
        const FormId first = app().IsLoaded(FormId::FrmOutput1) ? FormId::FrmOutput1 : FormId::FrmHelical1;
        EXPECT_EQ(AidsContentOf(gear(), ContentOf(first)).note, c.note) << c.teeth;
    }
}

// A batch builds each gear's pages over the last gear's: what they hold then
// is what pages built afresh hold, whatever the gear before. The last state,
// a feature that no table lays out, writes no value into rows 5 to 11.
TEST_F(ResultPages, PagesBuiltOverAnEarlierGearsAreThoseBuiltAfresh) {
    const struct { Control type; const char *teeth, *helix, *value; } gears[] = {
        {ctl::External, "24", "0", "0.15708"}, {ctl::Internal, "60", "0", "0.15708"},
        {ctl::External, "25", "30", "0.15708"}, {ctl::Internal, "61", "20", "0.16"},
        {ctl::External, "24", "0", "0.15"},
    };
    PageContent kept[2][2];  // [page][detail]
    auto expectFresh = [&](const std::string& what) {
        const PageKind kind = PageKindOf(gear());
        const EntryTexts texts = ReadEntryTexts(app());
        for (PageDetail detail : {PageDetail::All, PageDetail::ResultRows}) {
            const int d = detail == PageDetail::All ? 0 : 1;
            PageContent fresh[2];
            BuildMeasurementContent(kept[0][d], gear(), texts, kind, detail);
            BuildMeasurementContent(fresh[0], gear(), texts, kind, detail);
            BuildDimensionsContent(kept[1][d], gear(), texts, kind, detail);
            BuildDimensionsContent(fresh[1], gear(), texts, kind, detail);
            EXPECT_EQ(kept[0][d], fresh[0]) << what << ", detail " << d;
            EXPECT_EQ(kept[1][d], fresh[1]) << what << ", detail " << d;
        }
    };
    for (const auto& g : gears) {
        Restart();
        EnterAll({{g.type, ""}, {ctl::InputNT, g.teeth}, {ctl::InputDP, "10"}, {ctl::InputHA, g.helix},
                  {ctl::InputCTT_MOW, g.value}});
        Calculate();
        ASSERT_TRUE(PageOpen()) << g.teeth;
        expectFresh(g.teeth);
    }
    gear().InputFeature = "Tooth Height";
    expectFresh("no layout");
    PageContent fresh;
    BuildMeasurementContent(fresh, gear(), ReadEntryTexts(app()), PageKind::Spur, PageDetail::All);
    for (int row = 5; row <= 11; ++row) EXPECT_EQ(fresh.rows.at(row - 1).value, "") << row;
}

}  // namespace
}  // namespace involvo::testing
