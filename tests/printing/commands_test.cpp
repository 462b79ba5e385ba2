// The print commands of the result pages: the button, the menu item, the
// part-number prompt, the copies, the notice.
#include <gtest/gtest.h>

#include "tests/printing/printing_fixture.h"

namespace involvo::test {
namespace {

const std::string kFullPrompt =
    "Please enter a part number or title to include\ron the printed form or leave blank and click OK.\r\r"
    "To disable this prompt, un-check the Part Number checkbox in the Printout Options menu";
const std::string kShortPrompt =
    "Please enter a part number or title to include\ron the printed form or leave blank and click OK.";

class PrintCommands : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        FillSpurPages();
        SetAllOptions(0);
        platform.ClearRecords();
    }
    bool HasLine(const PrintedDoc& doc, const std::string& text) {
        for (const auto& line : doc)
            if (line.Text() == text) return true;
        return false;
    }
    std::string TitleLine(const PrintedDoc& doc) { return doc.at(5).Text(); }
};

// ---- The button ----

TEST_F(PrintCommands, ButtonPrintsOneSheetWithoutAsking) {
    PrintButton(app, gear, contents, FormId::FrmOutput1);
    ASSERT_EQ(printer.documents.size(), 1u);
    EXPECT_TRUE(platform.InputBoxes().empty());
    EXPECT_TRUE(printer.dialogStartCopies.empty());
    EXPECT_EQ(TitleLine(printer.documents[0]), At(10, "External Gear Data"));
    EXPECT_TRUE(platform.Messages().empty());
}

TEST_F(PrintCommands, ButtonPartNumberPromptOkWithTheBlankDefaultPrintsWithoutAPartNumberLine) {
    SetOnly({18});
    PrintButton(app, gear, contents, FormId::FrmOutput1);
    ASSERT_EQ(platform.InputBoxes().size(), 1u);
    const ShownInputBox& box = platform.InputBoxes()[0];
    EXPECT_EQ(box.title, "Part number?");
    EXPECT_EQ(box.prompt, kFullPrompt);
    EXPECT_EQ(box.defaultText, " ");
    EXPECT_EQ(box.form, FormId::FrmOutput1);
    EXPECT_EQ(gear.PartNumber, " ");
    ASSERT_EQ(printer.documents.size(), 1u);
    EXPECT_EQ(TitleLine(printer.documents[0]), At(10, "External Gear Data"));
}

TEST_F(PrintCommands, ButtonPartNumberPromptWithATypedPartNumberPrintsIt) {
    SetOnly({18});
    platform.ScriptInput("GX-100");
    PrintButton(app, gear, contents, FormId::FrmOutput2);
    EXPECT_EQ(gear.PartNumber, "GX-100");
    ASSERT_EQ(printer.documents.size(), 1u);
    EXPECT_EQ(printer.documents[0][5].Text(), At(10, "Part Number / Title - GX-100"));
    EXPECT_TRUE(printer.documents[0][5].items[0].bold);
    EXPECT_EQ(printer.documents[0][6].Text(), "");
    // The next print offers it again, with a blank after it.
    PrintButton(app, gear, contents, FormId::FrmOutput2);
    EXPECT_EQ(platform.InputBoxes().at(1).defaultText, "GX-100 ");
}

TEST_F(PrintCommands, ButtonPartNumberPromptCancelPrintsNothing) {
    SetOnly({18});
    gear.PartNumber = "old";
    platform.ScriptInput("");  // Cancel answers the empty text
    PrintButton(app, gear, contents, FormId::FrmOutput1);
    EXPECT_TRUE(printer.documents.empty());
    EXPECT_EQ(gear.PartNumber, "");
    EXPECT_EQ(printer.defaultPrinterRequests, 0);
    EXPECT_FALSE(app.IsLoaded(FormId::FrmPrinting));
}

TEST_F(PrintCommands, ButtonWithNoPrinterAndNoFileChosenPrintsNothingAndClaimsNothing) {
    printer.hasDefaultPrinter = false;
    PrintButton(app, gear, contents, FormId::FrmOutput1);
    EXPECT_TRUE(printer.documents.empty());
    EXPECT_FALSE(app.IsLoaded(FormId::FrmPrinting));
    EXPECT_TRUE(platform.Messages().empty());
}

TEST_F(PrintCommands, ASheetSavedToAFileSaysWhere) {
    printer.outputFile = "/home/user/Gear data sheet.pdf";
    PrintButton(app, gear, contents, FormId::FrmOutput1);
    ASSERT_EQ(printer.documents.size(), 1u);
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_EQ(platform.Messages()[0].text, "The gear data sheet was saved in the file /home/user/Gear data sheet.pdf.");
    EXPECT_EQ(platform.Messages()[0].icon, MsgIcon::Information);
    EXPECT_EQ(platform.Messages()[0].title, "Involvo");
}

TEST_F(PrintCommands, APrinterThatFailsIsReported) {
    printer.failStart = true;
    printer.error = "the printer Office cannot be used";
    PrintButton(app, gear, contents, FormId::FrmOutput1);
    EXPECT_TRUE(printer.documents.empty());
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_EQ(platform.Messages()[0].text,
              "The gear data sheet could not be printed: the printer Office cannot be used");
    EXPECT_EQ(platform.Messages()[0].icon, MsgIcon::Exclamation);
    EXPECT_FALSE(app.IsLoaded(FormId::FrmPrinting));
}

TEST_F(PrintCommands, AFailureAtTheEndOfTheDocumentIsReported) {
    printer.failEnd = true;
    PrintButton(app, gear, contents, FormId::FrmOutput1);
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_EQ(platform.Messages()[0].text, "The gear data sheet could not be printed.");
}

TEST_F(PrintCommands, WithoutAnyPrinterServiceTheUserIsTold) {
    platform.SetPrinter(nullptr);
    PrintButton(app, gear, contents, FormId::FrmOutput1);
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_EQ(platform.Messages()[0].text, "There is no printer to print the gear data sheet on.");
    PrintMenu(app, gear, contents, FormId::FrmOutput1);
    EXPECT_EQ(platform.Messages().size(), 2u);
    platform.SetPrinter(&printer);
}

// ---- The notice ----

TEST_F(PrintCommands, NoticeShowsWhilePrintingAndClosesAfterASecond) {
    PrintButton(app, gear, contents, FormId::FrmOutput1);
    ASSERT_TRUE(app.IsLoaded(FormId::FrmPrinting));
    HeadlessView* notice = platform.ViewOf(FormId::FrmPrinting);
    EXPECT_TRUE(notice->IsShown());
    EXPECT_EQ(notice->Text(ctl::Window), "Printing");
    EXPECT_EQ(notice->Text(ctl::Label1), "Printing ...");
    platform.RunTimers();
    EXPECT_FALSE(app.IsLoaded(FormId::FrmPrinting));
}

TEST_F(PrintCommands, NoticeThatClosedBeforeItsTimerIsLeftAlone) {
    PrintButton(app, gear, contents, FormId::FrmOutput1);
    app.Unload(FormId::FrmPrinting);
    platform.RunTimers();  // the notice's tick finds it gone
    EXPECT_FALSE(app.IsLoaded(FormId::FrmPrinting));
    PrintButton(app, gear, contents, FormId::FrmOutput1);
    EXPECT_TRUE(app.IsLoaded(FormId::FrmPrinting));
    platform.RunTimers();
    EXPECT_FALSE(app.IsLoaded(FormId::FrmPrinting));
}

// ---- The menu ----

TEST_F(PrintCommands, MenuPrintsOneJobPerCopyThenTheCopyCountIsOneAgain) {
    printer.dialogAnswers.push_back(3);
    PrintMenu(app, gear, contents, FormId::FrmOutput1);
    ASSERT_EQ(printer.documents.size(), 3u);
    EXPECT_EQ(TextOf(printer.documents[0]), TextOf(printer.documents[1]));
    EXPECT_EQ(TextOf(printer.documents[0]), TextOf(printer.documents[2]));
    EXPECT_EQ(printer.Copies(), 1);
    ASSERT_EQ(printer.dialogStartCopies.size(), 1u);
    EXPECT_EQ(printer.dialogStartCopies[0], 1);
    // The next dialog starts from one copy.
    PrintMenu(app, gear, contents, FormId::FrmOutput1);
    EXPECT_EQ(printer.dialogStartCopies.at(1), 1);
    EXPECT_EQ(printer.documents.size(), 4u);
}

TEST_F(PrintCommands, MenuCancelPrintsNothingSaysNothingAndResetsTheCopies) {
    printer.SetCopies(4);
    printer.dialogAnswers.push_back(std::nullopt);
    PrintMenu(app, gear, contents, FormId::FrmOutput1);
    EXPECT_TRUE(printer.documents.empty());
    EXPECT_TRUE(platform.Messages().empty());
    EXPECT_TRUE(platform.InputBoxes().empty());
    EXPECT_EQ(printer.Copies(), 1);
}

TEST_F(PrintCommands, MenuAsksForThePartNumberAfterTheDialogWithTheShortPrompt) {
    SetOnly({18});
    gear.PartNumber = "PN";
    printer.dialogAnswers.push_back(2);
    PrintMenu(app, gear, contents, FormId::FrmOutput2);
    ASSERT_EQ(platform.InputBoxes().size(), 1u);
    EXPECT_EQ(platform.InputBoxes()[0].prompt, kShortPrompt);
    EXPECT_EQ(platform.InputBoxes()[0].title, "Part number?");
    EXPECT_EQ(platform.InputBoxes()[0].defaultText, "PN ");
    EXPECT_EQ(gear.PartNumber, "PN ");
    EXPECT_EQ(printer.documents.size(), 2u);
    EXPECT_EQ(printer.documents[0][5].Text(), At(10, "Part Number / Title - PN "));
}

TEST_F(PrintCommands, MenuPartNumberCancelPrintsNothing) {
    SetOnly({18});
    printer.dialogAnswers.push_back(2);
    platform.ScriptInput("");
    PrintMenu(app, gear, contents, FormId::FrmOutput1);
    EXPECT_TRUE(printer.documents.empty());
    EXPECT_EQ(printer.Copies(), 1);
}

TEST_F(PrintCommands, ToleranceMenuAsksWithTheWholePromptAndNoBlankAndPrintsWhateverTheAnswer) {
    SetOnly({18});
    gear.PartNumber = "PN";
    platform.ScriptInput("");
    PrintMenu(app, gear, contents, FormId::AGMATOL);
    ASSERT_EQ(platform.InputBoxes().size(), 1u);
    EXPECT_EQ(platform.InputBoxes()[0].prompt, kFullPrompt);
    EXPECT_EQ(platform.InputBoxes()[0].defaultText, "PN");
    EXPECT_EQ(platform.InputBoxes()[0].form, FormId::AGMATOL);
    EXPECT_EQ(printer.documents.size(), 1u);
    EXPECT_EQ(TitleLine(printer.documents[0]), At(10, "External Gear Data"));
}

TEST_F(PrintCommands, MenuStopsAtTheFirstFailedCopy) {
    printer.dialogAnswers.push_back(3);
    printer.failEnd = true;
    PrintMenu(app, gear, contents, FormId::FrmOutput1);
    EXPECT_EQ(platform.Messages().size(), 1u);
    EXPECT_EQ(printer.Copies(), 1);
}

class HelicalPrintCommands : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        FillHelicalPages();
        SetAllOptions(0);
    }
};

TEST_F(HelicalPrintCommands, HelicalPagesPrintTheHelicalSheet) {
    PrintButton(app, gear, contents, FormId::FRMHelical2);
    ASSERT_EQ(printer.documents.size(), 1u);
    EXPECT_EQ(printer.documents[0][5].Text(), At(8, "External Helical Gear Data"));
    EXPECT_EQ(printer.documents[0][7].Text(), At(46, " Normal"));
}

}  // namespace
}  // namespace involvo::test
