// Printing as the user does it: a gear calculated on the input screen, the
// print button and menu item of the result pages, the options from the menu.
#include <gtest/gtest.h>

#include "tests/printing/printing_fixture.h"

namespace involvo::test {
namespace {

class CalculatedGear : public ProgramTest {
protected:
    HeadlessView& Screen() { return *platform.ViewOf(FormId::FrmMain); }

    void Enter(Control field, const std::string& text) {
        Screen().Type(field, text);
        Screen().Leave();
    }

    // Teeth, pitch, helix angle and quality typed in, then Calculate.
    HeadlessView* Calculate(const std::string& teeth, const std::string& helix, const std::string& quality) {
        Enter(ctl::InputNT, teeth);
        Enter(ctl::InputDP, "10");
        if (!helix.empty()) Enter(ctl::InputHA, helix);
        if (!quality.empty()) Enter(ctl::ComboQuality, quality);
        Screen().Press(ctl::CmdCalc);
        for (FormId id : {FormId::FrmOutput1, FormId::FrmHelical1})
            if (HeadlessView* page = platform.ViewOf(id); page && page->IsShown()) return page;
        return nullptr;
    }

    static bool Has(const std::vector<std::string>& lines, const std::string& part) {
        for (const auto& line : lines)
            if (line.find(part) != std::string::npos) return true;
        return false;
    }
    static std::string LineWith(const std::vector<std::string>& lines, const std::string& part) {
        for (const auto& line : lines)
            if (line.find(part) != std::string::npos) return line;
        return "";
    }
};

TEST_F(CalculatedGear, PrintoutOptionsMenuItemOpensTheDialogWithTheOptionsInForce) {
    gear.PrintoutChoices[5] = 1;
    ASSERT_TRUE(Screen().Enabled(ctl::MnuCheckbox1));
    Screen().Click(ctl::MnuCheckbox1);
    HeadlessView* dialog = platform.ViewOf(FormId::FrmChecklist1);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->IsShown());
    EXPECT_TRUE(dialog->Checked(ctl::Check(5)));
    EXPECT_FALSE(dialog->Checked(ctl::Check(6)));
    dialog->Tick(ctl::Check(6));
    dialog->Press(ctl::CmdCustom1OK);
    EXPECT_EQ(gear.PrintoutChoices[6], 1);
    EXPECT_EQ(ReadFile(OptionsFile()), OptionsFileText(OptionsOf(gear)));
}

TEST_F(CalculatedGear, SpurPageOnePrintButtonPrintsThePagesRows) {
    HeadlessView* page = Calculate("24", "", "8");
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(page->id(), FormId::FrmOutput1);
    SetOnly({1});
    page->Press(ctl::CmdPrint);
    ASSERT_EQ(printer.documents.size(), 1u);
    auto lines = TextOf(printer.documents[0]);
    EXPECT_EQ(lines.at(5), At(10, "External Gear Data"));
    EXPECT_EQ(lines.at(7), SpurRow("Number of Teeth", "24"));
    EXPECT_EQ(lines.at(8), SpurRow("Normal Diametral Pitch", "10.000000"));
    EXPECT_EQ(LineWith(lines, "Pitch Diameter"), SpurRow("Pitch Diameter", "2.400000"));
    EXPECT_TRUE(Has(lines, "AGMA Quality Tolerances for quality ( 8 )"));
    EXPECT_TRUE(Has(lines, "Runout Tolerance"));
    EXPECT_FALSE(Has(lines, "Depth System"));
}

TEST_F(CalculatedGear, EveryPageOfASpurGearPrintsTheSameSheet) {
    HeadlessView* page1 = Calculate("24", "", "8");
    ASSERT_NE(page1, nullptr);
    SetAllOptions(1);
    platform.ScriptInput("");  // option 18: Cancel prints nothing
    page1->Press(ctl::CmdPrint);
    EXPECT_TRUE(printer.documents.empty());
    page1->Press(ctl::CmdPrint);  // the default " " prints without a part number
    EXPECT_EQ(gear.PartNumber, " ");
    page1->Press(ctl::Next1);
    HeadlessView* page2 = platform.ViewOf(FormId::FrmOutput2);
    ASSERT_TRUE(page2 && page2->IsShown());
    page2->Press(ctl::CmdPrint);
    page2->Press(ctl::Next);
    HeadlessView* tolerances = platform.ViewOf(FormId::AGMATOL);
    ASSERT_TRUE(tolerances && tolerances->IsShown());
    tolerances->Press(ctl::CmdPrint);
    // Each prompt offered the answer before with one more blank: still no part
    // number.
    EXPECT_EQ(gear.PartNumber, "   ");
    ASSERT_EQ(printer.documents.size(), 3u);
    EXPECT_FALSE(Has(TextOf(printer.documents[2]), "Part Number"));
    EXPECT_EQ(TextOf(printer.documents[0]), TextOf(printer.documents[1]));
    EXPECT_EQ(TextOf(printer.documents[0]), TextOf(printer.documents[2]));
    EXPECT_TRUE(Has(TextOf(printer.documents[0]), "Depth System"));
}

TEST_F(CalculatedGear, HelicalPagesPrintTheHelicalSheetAndSoDoesTheTolerancePage) {
    HeadlessView* page1 = Calculate("24", "30", "8");
    ASSERT_NE(page1, nullptr);
    ASSERT_EQ(page1->id(), FormId::FrmHelical1);
    SetOnly({1, 13});
    page1->Press(ctl::CmdPrint);
    page1->Press(ctl::Next1);
    HeadlessView* page2 = platform.ViewOf(FormId::FRMHelical2);
    ASSERT_TRUE(page2 && page2->IsShown());
    page2->Press(ctl::Next);
    HeadlessView* tolerances = platform.ViewOf(FormId::AGMATOL);
    ASSERT_TRUE(tolerances && tolerances->IsShown());
    // A spur sheet would be made of a spur page this gear never had.
    tolerances->Press(ctl::CmdPrint);
    tolerances->Click(ctl::mnuFilePrint);
    ASSERT_EQ(printer.documents.size(), 3u);
    auto lines = TextOf(printer.documents[0]);
    EXPECT_EQ(lines.at(5), At(8, "External Helical Gear Data"));
    EXPECT_EQ(lines.at(7), At(46, " Normal                          Transverse"));
    EXPECT_EQ(LineWith(lines, "Diametral Pitch"), HelicalRow("Diametral Pitch", "10.000000", "8.660254"));
    // Page 1 wrote the tolerance boxes with six decimals, the tolerance page
    // itself with five; the rest is the same sheet.
    EXPECT_EQ(LineWith(lines, "Runout"), HelicalRow("Runout Tolerance", "0.002400"));
    auto fromTolerances = TextOf(printer.documents[1]);
    EXPECT_EQ(LineWith(fromTolerances, "Runout"), HelicalRow("Runout Tolerance", "0.00240"));
    EXPECT_EQ(std::vector<std::string>(fromTolerances.begin(), fromTolerances.begin() + 23),
              std::vector<std::string>(lines.begin(), lines.begin() + 23));
    EXPECT_EQ(TextOf(printer.documents[2]), fromTolerances);
}

TEST_F(CalculatedGear, MenuItemOfPageOneAsksForCopies) {
    HeadlessView* page1 = Calculate("24", "", "");
    ASSERT_NE(page1, nullptr);
    printer.dialogAnswers.push_back(2);
    page1->Click(ctl::mnuFilePrint);
    EXPECT_EQ(printer.documents.size(), 2u);
    EXPECT_EQ(printer.Copies(), 1);
}

TEST_F(CalculatedGear, ReturningToTheInputScreenForgetsThePartNumber) {
    HeadlessView* page1 = Calculate("24", "", "");
    ASSERT_NE(page1, nullptr);
    SetOnly({18});
    platform.ScriptInput("Gear 12");
    page1->Press(ctl::CmdPrint);
    EXPECT_EQ(gear.PartNumber, "Gear 12");
    Screen().Activate();
    EXPECT_EQ(gear.PartNumber, "");
}

}  // namespace
}  // namespace involvo::test
