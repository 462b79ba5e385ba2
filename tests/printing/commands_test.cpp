// The print commands of the result pages: the button and the menu item, the
// part-number prompt, the copies, the failures, the notice "Printing ...".
#include "printing/print_commands.h"
#include "tests/support/program.h"

namespace involvo::testing {
namespace {

const std::string kFull = std::string(kPartNumberShortPrompt) +
                          "\r\rTo disable this prompt, un-check the Part Number checkbox in the Printout Options menu";
const std::string kShort =
    "Please enter a part number or title to include\ron the printed form or leave blank and click OK.";
const std::string kTitle = "         External Gear Data", kPart = "         Part Number / Title - ";

struct CommandCase {
    const char* name;
    Control command;  // CmdPrint or mnuFilePrint
    FormId page;
    bool askPartNumber;
    std::optional<std::string> answer;  // to the part-number prompt; nothing: its default
    std::vector<std::optional<int>> dialog;
    std::function<void(RecordingPrinter&)> script;
    // What the command leaves.
    int documents;
    std::string prompt, offered, partNumber, firstLine;
    std::vector<std::pair<std::string, MsgIcon>> messages;
    int newPages = 0;
};

TEST_F(ProgramTest, PrintCommandsPrintWhatTheyShouldAndTellWhatWentWrong) {
    const auto none = [](RecordingPrinter&) {};
    const auto ex = MsgIcon::Exclamation;
    const std::string failed = "The gear data sheet could not be printed",
                      unable = "There is no printer to print the gear data sheet on.";
    const auto noPrinter = [this](RecordingPrinter&) { platform().SetPrinter(nullptr); };
    const FormId p1 = FormId::FrmOutput1;
    const std::vector<CommandCase> cases = {
        {"button", ctl::CmdPrint, p1, false, {}, {}, none, 1, "", "", "", kTitle, {}},
        {"button, part number offered again", ctl::CmdPrint, FormId::FrmOutput2, true, {}, {}, none, 1, kFull, "PN ",
         "PN ", kPart + "PN ", {}},
        {"button, part number typed", ctl::CmdPrint, p1, true, "GX-100", {}, none, 1, kFull, "PN ", "GX-100",
         kPart + "GX-100", {}},
        {"button, part number blanks", ctl::CmdPrint, p1, true, "   ", {}, none, 1, kFull, "PN ", "   ", kTitle, {}},
        {"button, part number Cancel", ctl::CmdPrint, p1, true, "", {}, none, 0, kFull, "PN ", "", "", {}},
        {"button, no printer and no file chosen", ctl::CmdPrint, p1, false, {}, {},
         [](RecordingPrinter& p) { p.hasDefaultPrinter = false; }, 0, "", "", "", "", {}},
        {"button, printer fails to start", ctl::CmdPrint, p1, false, {}, {},
         [](RecordingPrinter& p) { p.failStart = true, p.error = "the printer Office cannot be used"; }, 0, "", "",
         "", "", {{failed + ": the printer Office cannot be used", ex}}},
        {"button, document fails at its end", ctl::CmdPrint, p1, false, {}, {},
         [](RecordingPrinter& p) { p.failEnd = true; }, 0, "", "", "", "", {{failed + ".", ex}}},
        {"button, into a file", ctl::CmdPrint, p1, false, {}, {},
         [](RecordingPrinter& p) { p.outputFile = "/home/u/Gear data sheet.pdf"; }, 1, "", "", "", kTitle,
         {{"The gear data sheet was saved in the file /home/u/Gear data sheet.pdf.", MsgIcon::Information}}},
        {"menu, three copies as three jobs", ctl::mnuFilePrint, p1, false, {}, {3}, none, 3, "", "", "", kTitle, {}},
        {"menu, dialog cancelled", ctl::mnuFilePrint, p1, true, {}, {std::nullopt},
         [](RecordingPrinter& p) { p.SetCopies(4); }, 0, "", "", "PN", "", {}},
        {"menu, part number after the dialog", ctl::mnuFilePrint, FormId::FRMHelical2, true, {}, {2}, none, 2, kShort,
         "PN ", "PN ", "       Part Number / Title - PN ", {}},
        {"menu, part number Cancel", ctl::mnuFilePrint, p1, true, "", {2}, none, 0, kShort, "PN ", "", "", {}},
        {"tolerance menu prints whatever the answer", ctl::mnuFilePrint, FormId::AGMATOL, true, "", {}, none, 1, kFull,
         "PN", "", kTitle, {}},
        {"menu stops at the first failed copy", ctl::mnuFilePrint, p1, false, {}, {3},
         [](RecordingPrinter& p) { p.failEnd = true; }, 0, "", "", "", "", {{failed + ".", ex}}},
        {"button, no printer at all", ctl::CmdPrint, p1, false, {}, {}, noPrinter, 0, "", "", "", "", {{unable, ex}}},
        {"menu, no printer at all", ctl::mnuFilePrint, p1, false, {}, {}, noPrinter, 0, "", "", "", "", {{unable, ex}}},
        {"menu, copies as pages of one file", ctl::mnuFilePrint, p1, false, {}, {3},
         [](RecordingPrinter& p) { p.copiesArePages = true, p.outputFile = "/tmp/g.pdf"; }, 1, "", "", "", kTitle,
         {{"The gear data sheet was saved in the file /tmp/g.pdf, 3 copies, each on a page of its own.",
           MsgIcon::Information}},
         2},
    };
    for (const CommandCase& c : cases) {
        SCOPED_TRACE(c.name);
        HeadlessView& page1 = Calculate({{ctl::InputNT, "24"}, {ctl::InputDP, "10"},
                                         {ctl::InputHA, c.page == FormId::FRMHelical2 ? "30" : "0"},
                                         {ctl::ComboQuality, "8"}});
        if (c.page != p1) page1.Press(ctl::Next1);
        if (c.page == FormId::AGMATOL) page(FormId::FrmOutput2).Press(ctl::Next);
        platform().RunTimers();
        SetOnly({});
        gear().PrintoutChoices[kOptPartNumber] = c.askPartNumber;
        gear().PartNumber = c.askPartNumber ? "PN" : "";
        printer = RecordingPrinter();
        platform().SetPrinter(&printer);
        c.script(printer);
        for (const auto& answer : c.dialog) printer.ScriptPrintDialog(answer);
        if (c.answer) platform().ScriptInput(*c.answer);
        platform().ClearRecords();

        if (c.command == ctl::CmdPrint) page(c.page).Press(c.command);
        else page(c.page).Click(c.command);

        ASSERT_EQ(printer.items.size(), static_cast<size_t>(c.documents));
        for (int d = 0; d < c.documents; ++d) EXPECT_EQ(printer.Lines(d).at(5), c.firstLine);
        EXPECT_EQ(printer.newPages, c.newPages);
        EXPECT_EQ(printer.Copies(), 1) << "the dialog's count is put back";
        ASSERT_EQ(platform().InputBoxes().size(), c.prompt.empty() ? 0u : 1u);
        for (const ShownInputBox& box : platform().InputBoxes()) {
            EXPECT_EQ(box.prompt + "|" + box.title + "|" + box.defaultText, c.prompt + "|Part number?|" + c.offered);
            EXPECT_EQ(box.form, c.page);
        }
        EXPECT_EQ(gear().PartNumber, c.partNumber);
        ASSERT_EQ(platform().Messages().size(), c.messages.size());
        for (size_t i = 0; i < c.messages.size(); ++i) {
            EXPECT_EQ(platform().Messages()[i].text, c.messages[i].first);
            EXPECT_EQ(platform().Messages()[i].icon, c.messages[i].second);
            EXPECT_EQ(platform().Messages()[i].title, "Involvo");
        }
        // The notice shows while a document is printed, and only then.
        EXPECT_EQ(app().IsLoaded(FormId::FrmPrinting), c.documents > 0 || printer.failEnd);
        screen().Activate();  // back to the input screen: the pages close
        platform().RunTimers();
    }
}

TEST_F(ProgramTest, ThePrintingNoticeClosesItselfAfterASecondUnlessClosedBefore) {
    HeadlessView& page1 = Calculate({{ctl::InputNT, "24"}, {ctl::InputDP, "10"}});
    page1.Press(ctl::CmdPrint);
    HeadlessView& notice = page(FormId::FrmPrinting);
    EXPECT_TRUE(notice.IsShown());
    EXPECT_EQ(notice.Text(ctl::Window) + "|" + notice.Text(ctl::Label1), "Printing|Printing ...");
    platform().RunTimers();
    EXPECT_FALSE(app().IsLoaded(FormId::FrmPrinting));

    page1.Press(ctl::CmdPrint);
    app().Unload(FormId::FrmPrinting);
    platform().RunTimers();  // the notice's tick finds it gone
    page1.Press(ctl::CmdPrint);
    EXPECT_TRUE(app().IsLoaded(FormId::FrmPrinting));
}

}  // namespace
}  // namespace involvo::testing
