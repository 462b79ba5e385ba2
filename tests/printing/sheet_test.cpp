// The gear data sheet as the pages print it: the styles of its lines, the same
// sheet from every page of a gear, and the row printer with fonts of other
// widths. (Its lines for each kind of gear and option are pinned by the golden
// outputs of involvo-cli --sheet.)
#include "printing/gear_sheet.h"
#include "tests/support/program.h"

namespace involvo::testing {
namespace {

TEST_F(ProgramTest, TheSheetsHeadingTitleAndColumnHeadingsStandOutAndItsRowsDoNot) {
    for (const char* helix : {"0", "30"}) {
        SCOPED_TRACE(helix);
        HeadlessView& page1 =
            Calculate({{ctl::InputNT, "24"}, {ctl::InputDP, "10"}, {ctl::InputHA, helix}, {ctl::ComboQuality, "8"}});
        SetOptions(gear(), {});
        gear().PrintoutChoices[kOptTolerances] = gear().PrintoutChoices[kOptTransverse] = 1;
        gear().PartNumber = "GX-100";
        printer = RecordingPrinter();
        page1.Press(ctl::CmdPrint);
        const size_t tolerances = printer.Lines(0).size() - 7;  // their heading and six rows end the sheet
        // Size, b for bold, u for underlined: the heading, the part number, the
        // title, the helical column headings, the rows, the tolerances' heading.
        std::string styles;
        for (size_t line : {size_t{2}, size_t{5}, size_t{7}, size_t{9}, size_t{11}, tolerances, tolerances + 1}) {
            const RecordingPrinter::Item& item = printer.items[0].at(line).at(0);
            styles += std::to_string(int(item.size)) + (item.bold ? "b" : "") + (item.underline ? "u " : " ");
        }
        EXPECT_EQ(styles, helix == std::string("0") ? "12 12b 12bu 12 12 12b 12 " : "12 12b 12bu 12b 12 12b 12 ");
        screen().Activate();
        platform().RunTimers();
    }
}

TEST_F(ProgramTest, EveryPageOfAGearPrintsTheSheetOfItsKind) {
    for (const char* helix : {"0", "30"}) {
        SCOPED_TRACE(helix);
        const bool helical = helix == std::string("30");
        HeadlessView& page1 =
            Calculate({{ctl::InputNT, "24"}, {ctl::InputDP, "10"}, {ctl::InputHA, helix}, {ctl::ComboQuality, "8"}});
        SetOptions(gear(), {});
        gear().PrintoutChoices[kOptTolerances] = 1;
        printer = RecordingPrinter();
        page1.Press(ctl::CmdPrint);
        page1.Press(ctl::Next1);
        page(helical ? FormId::FRMHelical2 : FormId::FrmOutput2).Press(ctl::CmdPrint);
        page(helical ? FormId::FRMHelical2 : FormId::FrmOutput2).Press(ctl::Next);
        page(FormId::AGMATOL).Press(ctl::CmdPrint);
        ASSERT_EQ(printer.Documents().size(), 3u);
        EXPECT_EQ(printer.Lines(1), printer.Lines(0));
        // The tolerance page writes its values with five decimals; a helical
        // page 1 filled them with six ahead of time, and its sheet has those.
        EXPECT_EQ(printer.Lines(0).back(), printer.Lines(2).back() + (helical ? "0" : ""));
        EXPECT_EQ(printer.Lines(2).at(7), printer.Lines(0).at(7));
        screen().Activate();
        platform().RunTimers();
    }
}

TEST(RowLead, FillsTheTemplatesWidthWithDashesOfTheFont) {
    const std::string spur = "1234567890 ---------------------------------->";  // 46 wide
    const std::vector<std::tuple<const char*, double, std::string, std::string>> cases = {
        {"fixed pitch, the lead as wide as the template", 1, "Addendum", "Addendum " + std::string(35, '-') + "> "},
        // 11 + 34 x 0.5 + 1 = 29 wide: "Addendum > " is 11, and 36 half dashes.
        {"narrow dashes", 0.5, "Addendum", "Addendum " + std::string(36, '-') + "> "},
        {"dashes without width do not hang", 0, "Addendum", "Addendum " + std::string(400, '-') + "> "},
        {"a wider caption", 1, std::string(54, 'C'), std::string(54, 'C') + " > "},
    };
    for (const auto& [name, dash, caption, lead] : cases) {
        RecordingPrinter p;
        p.dash = dash;
        EXPECT_EQ(RowLead(p, caption, spur), lead) << name;
    }
}

}  // namespace
}  // namespace involvo::testing
