// The print commands of the result pages: the button and the menu item, the
// part-number prompt, the copies, the failures, the notice "Printing ...".
#include "printing/print_commands.h"
#include "tests/printing/program.h"

namespace involvo::test {
namespace {

const std::string kFull = std::string(kPartNumberShortPrompt) +
                          "\r\rTo disable this prompt, un-check the Part Number checkbox in the Printout Options menu";
const std::string kShort =
    "Please enter a part number or title to include\ron the printed form or leave blank and click OK.";
const std::string kTitle = "         External Gear Data";

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

class PrintCommands : public ProgramTest {};

TEST_F(PrintCommands, PrintWhatTheyShouldAndTellWhatWentWrong) {
    const auto none = [](RecordingPrinter&) {};
    const auto ex = MsgIcon::Exclamation;
    const std::string failed = "The gear data sheet could not be printed";
    const std::vector<CommandCase> cases = {
        {"button", ctl::CmdPrint, FormId::FrmOutput1, false, {}, {}, none, 1, "", "", "", kTitle, {}},
        {"button, part number offered again", ctl::CmdPrint, FormId::FrmOutput2, true, {}, {}, none, 1, kFull, "PN ",
         "PN ", "         Part Number / Title - PN ", {}},
        {"button, part number typed", ctl::CmdPrint, FormId::FrmOutput1, true, "GX-100", {}, none, 1, kFull, "PN ",
         "GX-100", "         Part Number / Title - GX-100", {}},
        {"button, part number blanks", ctl::CmdPrint, FormId::FrmOutput1, true, "   ", {}, none, 1, kFull, "PN ", "   ",
         kTitle, {}},
        {"button, part number Cancel", ctl::CmdPrint, FormId::FrmOutput1, true, "", {}, none, 0, kFull, "PN ", "", "",
         {}},
        {"button, no printer and no file chosen", ctl::CmdPrint, FormId::FrmOutput1, false, {}, {},
         [](RecordingPrinter& p) { p.hasDefaultPrinter = false; }, 0, "", "", "", "", {}},
        {"button, printer fails to start", ctl::CmdPrint, FormId::FrmOutput1, false, {}, {},
         [](RecordingPrinter& p) { p.failStart = true, p.error = "the printer Office cannot be used"; }, 0, "", "",
         "", "", {{failed + ": the printer Office cannot be used", ex}}},
        {"button, document fails at its end", ctl::CmdPrint, FormId::FrmOutput1, false, {}, {},
         [](RecordingPrinter& p) { p.failEnd = true; }, 0, "", "", "", "", {{failed + ".", ex}}},
        {"button, into a file", ctl::CmdPrint, FormId::FrmOutput1, false, {}, {},
         [](RecordingPrinter& p) { p.outputFile = "/home/u/Gear data sheet.pdf"; }, 1, "", "", "", kTitle,
         {{"The gear data sheet was saved in the file /home/u/Gear data sheet.pdf.", MsgIcon::Information}}},
        {"menu, three copies as three jobs", ctl::mnuFilePrint, FormId::FrmOutput1, false, {}, {3}, none, 3, "", "",
         "", kTitle, {}},
        {"menu, dialog cancelled", ctl::mnuFilePrint, FormId::FrmOutput1, true, {}, {std::nullopt},
         [](RecordingPrinter& p) { p.SetCopies(4); }, 0, "", "", "PN", "", {}},
        {"menu, part number after the dialog", ctl::mnuFilePrint, FormId::FRMHelical2, true, {}, {2}, none, 2, kShort,
         "PN ", "PN ", "       Part Number / Title - PN ", {}},
        {"menu, part number Cancel", ctl::mnuFilePrint, FormId::FrmOutput1, true, "", {2}, none, 0, kShort, "PN ", "",
         "", {}},
        {"tolerance menu prints whatever the answer", ctl::mnuFilePrint, FormId::AGMATOL, true, "", {}, none, 1, kFull,
         "PN", "", kTitle, {}},
        {"menu stops at the first failed copy", ctl::mnuFilePrint, FormId::FrmOutput1, false, {}, {3},
         [](RecordingPrinter& p) { p.failEnd = true; }, 0, "", "", "", "", {{failed + ".", ex}}},
        {"menu, copies as pages of one file", ctl::mnuFilePrint, FormId::FrmOutput1, false, {}, {3},
         [](RecordingPrinter& p) { p.copiesArePages = true, p.outputFile = "/tmp/g.pdf"; }, 1, "", "", "", kTitle,
         {{"The gear data sheet was saved in the file /tmp/g.pdf, 3 copies, each on a page of its own.",
           MsgIcon::Information}},
         2},
    };
    for (const CommandCase& c : cases) {
        const bool helical = c.page == FormId::FRMHelical2;
        HeadlessView& page1 = Calculate({{ctl::InputNT, "24"},
                                         {ctl::InputDP, "10"},
                                         {ctl::InputHA, helical ? "30" : "0"},
                                         {ctl::ComboQuality, "8"}});
        if (c.page != FormId::FrmOutput1) page1.Press(ctl::Next1);
        if (c.page == FormId::AGMATOL) Page(FormId::FrmOutput2).Press(ctl::Next);
        platform.RunTimers();
        SetOnly({});
        gear.PrintoutChoices[kOptPartNumber] = c.askPartNumber;
        gear.PartNumber = c.askPartNumber ? "PN" : "";
        printer = RecordingPrinter();
        c.script(printer);
        for (const auto& answer : c.dialog) printer.dialogAnswers.push_back(answer);
        if (c.answer) platform.ScriptInput(*c.answer);
        platform.ClearRecords();

        if (c.command == ctl::CmdPrint) Page(c.page).Press(c.command);
        else Page(c.page).Click(c.command);

        ASSERT_EQ(printer.documents.size(), static_cast<size_t>(c.documents)) << c.name;
        if (c.documents > 0) {
            EXPECT_EQ(printer.Lines(0).at(5), c.firstLine) << c.name;
            for (int d = 1; d < c.documents; ++d) EXPECT_EQ(printer.Lines(d), printer.Lines(0)) << c.name;
        }
        EXPECT_EQ(printer.newPages, c.newPages) << c.name;
        if (c.command == ctl::mnuFilePrint) {
            EXPECT_EQ(printer.Copies(), 1) << c.name;
        }
        ASSERT_EQ(platform.InputBoxes().size(), c.prompt.empty() ? 0u : 1u) << c.name;
        if (!c.prompt.empty()) {
            const ShownInputBox& box = platform.InputBoxes()[0];
            EXPECT_EQ(box.prompt, c.prompt) << c.name;
            EXPECT_EQ(box.title, "Part number?") << c.name;
            EXPECT_EQ(box.defaultText, c.offered) << c.name;
            EXPECT_EQ(box.form, c.page) << c.name;
        }
        EXPECT_EQ(gear.PartNumber, c.partNumber) << c.name;
        ASSERT_EQ(platform.Messages().size(), c.messages.size()) << c.name;
        for (size_t i = 0; i < c.messages.size(); ++i) {
            EXPECT_EQ(platform.Messages()[i].text, c.messages[i].first) << c.name;
            EXPECT_EQ(platform.Messages()[i].icon, c.messages[i].second) << c.name;
            EXPECT_EQ(platform.Messages()[i].title, "Involvo") << c.name;
        }
        // The notice shows while a document is printed, and only then.
        EXPECT_EQ(app.IsLoaded(FormId::FrmPrinting), c.documents > 0 || printer.failEnd) << c.name;
        Screen().Activate();  // back to the input screen: the pages close
        platform.RunTimers();
    }
}

TEST_F(PrintCommands, WithoutAnyPrinterTheUserIsTold) {
    HeadlessView& page1 = Calculate({{ctl::InputNT, "24"}, {ctl::InputDP, "10"}});
    platform.SetPrinter(nullptr);
    page1.Press(ctl::CmdPrint);
    page1.Click(ctl::mnuFilePrint);
    ASSERT_EQ(platform.Messages().size(), 2u);
    for (const ShownMessage& m : platform.Messages()) {
        EXPECT_EQ(m.text, "There is no printer to print the gear data sheet on.");
        EXPECT_EQ(m.icon, MsgIcon::Exclamation);
    }
}

TEST_F(PrintCommands, TheNoticeClosesItselfAfterASecondUnlessClosedBefore) {
    HeadlessView& page1 = Calculate({{ctl::InputNT, "24"}, {ctl::InputDP, "10"}});
    page1.Press(ctl::CmdPrint);
    HeadlessView& notice = Page(FormId::FrmPrinting);
    EXPECT_TRUE(notice.IsShown());
    EXPECT_EQ(notice.Text(ctl::Window) + "|" + notice.Text(ctl::Label1), "Printing|Printing ...");
    platform.RunTimers();
    EXPECT_FALSE(app.IsLoaded(FormId::FrmPrinting));

    page1.Press(ctl::CmdPrint);
    app.Unload(FormId::FrmPrinting);
    platform.RunTimers();  // the notice's tick finds it gone
    page1.Press(ctl::CmdPrint);
    EXPECT_TRUE(app.IsLoaded(FormId::FrmPrinting));
}

}  // namespace
}  // namespace involvo::test
