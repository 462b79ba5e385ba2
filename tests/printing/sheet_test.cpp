// The gear data sheet as the pages print it: the styles of its lines, the same
// sheet from every page of a gear, and the row printer with fonts of other
// widths. (Its lines for each kind of gear and option are pinned by the golden
// outputs of involvo-cli --sheet.)
#include "printing/gear_sheet.h"
#include "tests/printing/program.h"

namespace involvo::test {
namespace {

class Sheet : public ProgramTest {};

TEST_F(Sheet, HeadingTitleAndColumnHeadingsStandOutAndRowsDoNot) {
    for (const char* helix : {"0", "30"}) {
        HeadlessView& page1 = Calculate({{ctl::InputNT, "24"}, {ctl::InputDP, "10"}, {ctl::InputHA, helix},
                                         {ctl::ComboQuality, "8"}});
        SetOnly({kOptTolerances, kOptTransverse, kOptPartNumber});
        platform.ScriptInput("GX-100");
        page1.Press(ctl::CmdPrint);
        ASSERT_EQ(printer.documents.size(), 1u) << helix;
        const auto& doc = printer.documents[0];
        const std::vector<std::string> lines = printer.Lines(0);
        const bool helical = helix == std::string("30");
        const std::string indent(helical ? 7 : 9, ' ');
        EXPECT_EQ(lines.at(5), indent + "Part Number / Title - GX-100");
        EXPECT_EQ(lines.at(6), "");
        EXPECT_EQ(lines.at(7), indent + (helical ? "External Helical Gear Data" : "External Gear Data"));
        const PrintedItem &heading = doc.at(2).at(0), &part = doc.at(5).at(0), &title = doc.at(7).at(0),
                          &row = doc.at(helical ? 11 : 9).at(0);
        EXPECT_EQ(heading.text, "<< Involvo >>");
        EXPECT_TRUE(heading.size == 12 && !heading.bold && !heading.underline) << helix;
        EXPECT_TRUE(part.bold && !part.underline) << helix;
        EXPECT_TRUE(title.bold && title.underline) << helix;
        EXPECT_TRUE(!row.bold && !row.underline && row.size == 12) << helix << row.text;
        if (helical) {
            const PrintedItem& columns = doc.at(9).at(0);
            EXPECT_EQ(columns.text, " Normal                          Transverse");
            EXPECT_TRUE(columns.bold && !columns.underline);
        }
        size_t tolerances = 0;
        while (tolerances < lines.size() && lines[tolerances].find("AGMA Quality") == std::string::npos) ++tolerances;
        ASSERT_LT(tolerances + 1, lines.size()) << helix;
        EXPECT_TRUE(doc[tolerances].at(0).bold && !doc[tolerances + 1].at(0).bold) << helix;
        Screen().Activate();
        platform.RunTimers();
        printer = RecordingPrinter();
    }
}

TEST_F(Sheet, EveryPageOfAGearPrintsTheSheetOfItsKind) {
    for (const char* helix : {"0", "30"}) {
        const bool helical = helix == std::string("30");
        HeadlessView& page1 = Calculate({{ctl::InputNT, "24"}, {ctl::InputDP, "10"}, {ctl::InputHA, helix},
                                         {ctl::ComboQuality, "8"}});
        SetOnly({kOptTolerances});
        page1.Press(ctl::CmdPrint);
        page1.Press(ctl::Next1);
        HeadlessView& page2 = Page(helical ? FormId::FRMHelical2 : FormId::FrmOutput2);
        page2.Press(ctl::CmdPrint);
        page2.Press(ctl::Next);
        Page(FormId::AGMATOL).Press(ctl::CmdPrint);
        ASSERT_EQ(printer.documents.size(), 3u) << helix;
        EXPECT_EQ(printer.Lines(1), printer.Lines(0)) << helix;
        // The tolerance page writes its values with five decimals; a helical
        // page 1 filled them with six ahead of time, and its sheet has those.
        std::vector<std::string> own = printer.Lines(2), first = printer.Lines(0);
        const auto decimals = [](const std::string& line) { return line.size() - line.rfind('.') - 1; };
        EXPECT_EQ(decimals(own.back()), 5u) << helix;
        EXPECT_EQ(decimals(first.back()), helical ? 6u : 5u) << helix;
        own.pop_back(), first.pop_back();
        EXPECT_EQ(own.size(), first.size());
        EXPECT_EQ(own.at(7), first.at(7));
        Screen().Activate();
        platform.RunTimers();
        printer = RecordingPrinter();
    }
}

TEST(RowLead, FillsTheTemplatesWidthWithDashesOfTheFont) {
    struct Case {
        const char* name;
        double dash;
        std::string caption, lead;
    };
    const std::string spur = "1234567890 ---------------------------------->";  // 46 wide
    const std::vector<Case> cases = {
        {"fixed pitch", 1, "Addendum", "Addendum " + std::string(35, '-') + "> "},
        // 11 + 34 x 0.5 + 1 = 29 wide: "Addendum > " is 11, and 36 half dashes.
        {"narrow dashes", 0.5, "Addendum", "Addendum " + std::string(36, '-') + "> "},
        {"dashes without width do not hang", 0, "Addendum", "Addendum " + std::string(400, '-') + "> "},
        {"a caption as wide as the template", 1, std::string(43, 'C'), std::string(43, 'C') + " > "},
        {"a wider caption", 1, std::string(54, 'C'), std::string(54, 'C') + " > "},
    };
    for (const Case& c : cases) {
        RecordingPrinter p;
        p.dash = c.dash;
        EXPECT_EQ(RowLead(p, c.caption, spur), c.lead) << c.name;
    }
}

TEST(RowLead, AValueAfterALongLeadFollowsItAfterOneBlank) {
    RecordingPrinter p;
    p.StartDoc();
    PrintSpurRow(p, 10, std::string(54, 'C'), ".1570");
    PrintHelicalRow(p, 7, "Circular Pitch", "0.314159", "0.362760");
    PrintHelicalRow(p, 7, "Addendum", "0.10000", "");
    p.EndDoc();
    EXPECT_EQ(p.Lines(0), (std::vector<std::string>{
                              std::string(9, ' ') + std::string(54, 'C') + " >  .1570",
                              "      Circular Pitch ------------------->    0.314159                  0.362760",
                              "      Addendum ------------------------->    0.10000"}));
    EXPECT_EQ(p.documents[0][2].size(), 2u) << "no empty transverse value";
}

}  // namespace
}  // namespace involvo::test
