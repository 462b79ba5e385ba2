// The print commands of the result pages: the button and the menu item, the
// part-number prompt, the copies, the failures, the notice "Printing ...".
#include "printing/print_commands.h"
#include "tests/support/program.h"

namespace involvo::testing {
namespace {

const std::string kShort =
    "Please enter a part number or title to include\ron the printed form or leave blank and click OK.";
const std::string kFull =
    kShort + "\r\rTo disable this prompt, un-check the Part Number checkbox in the Printout Options menu";
const std::string kTitle = "         External Gear Data", kPart = "         Part Number / Title - ";

struct CommandCase {
    const char* name;
    Control command;  // CmdPrint or mnuFilePrint
    FormId page;
    bool askPartNumber;                 // with "PN" before
    std::optional<std::string> answer;  // to the part-number prompt; nothing: its default
    std::vector<std::optional<int>> dialog;
    std::function<void(RecordingPrinter&)> script;
    // What the command leaves: the message is an Information when a document
    // was printed, an Exclamation otherwise.
    int documents;
    std::string prompt, offered, partNumber, firstLine, message;
    int newPages = 0;
};

TEST_F(ProgramTest, PrintCommandsPrintWhatTheyShouldAndTellWhatWentWrong) {
    const auto none = [](RecordingPrinter&) {};
    const auto failStart = [](RecordingPrinter& p) { p.failStart = true, p.error = "the printer Office cannot be used"; };
    const auto failEnd = [](RecordingPrinter& p) { p.failEnd = true; };
    const auto noPrinter = [this](RecordingPrinter&) { platform().SetPrinter(nullptr); };
    const std::string failed = "The gear data sheet could not be printed",
                      unable = "There is no printer to print the gear data sheet on.";
    const FormId p1 = FormId::FrmOutput1;
    const Control button = ctl::CmdPrint, menu = ctl::mnuFilePrint;
    const std::vector<CommandCase> cases = {
        {"button", button, p1, false, {}, {}, none, 1, "", "", "", kTitle, ""},
        {"button, part number offered again", button, FormId::FrmOutput2, true, {}, {}, none, 1, kFull, "PN ", "PN ",
         kPart + "PN ", ""},
        {"button, part number Cancel", button, p1, true, "", {}, none, 0, kFull, "PN ", "", "", ""},
        {"button, no printer and no file chosen", button, p1, false, {}, {},
         [](RecordingPrinter& p) { p.hasDefaultPrinter = false; }, 0, "", "", "", "", ""},
        {"button, printer fails to start", button, p1, false, {}, {}, failStart, 0, "", "", "", "",
         failed + ": the printer Office cannot be used"},
        {"button, document fails at its end", button, p1, false, {}, {}, failEnd, 0, "", "", "", "", failed + "."},
        {"button, no printer at all", button, p1, false, {}, {}, noPrinter, 0, "", "", "", "", unable},
        {"button, into a file", button, p1, false, {}, {}, [](RecordingPrinter& p) { p.outputFile = "/home/u/s.pdf"; },
         1, "", "", "", kTitle, "The gear data sheet was saved in the file /home/u/s.pdf."},
        {"menu, three copies as three jobs", menu, p1, false, {}, {3}, none, 3, "", "", "", kTitle, ""},
        {"menu, dialog cancelled", menu, p1, true, {}, {std::nullopt}, [](RecordingPrinter& p) { p.SetCopies(4); }, 0,
         "", "", "PN", "", ""},
        {"menu, part number after the dialog", menu, FormId::FRMHelical2, true, {}, {2}, none, 2, kShort, "PN ", "PN ",
         "       Part Number / Title - PN ", ""},
        {"menu, part number Cancel", menu, p1, true, "", {2}, none, 0, kShort, "PN ", "", "", ""},
        {"tolerance menu prints whatever the answer", menu, FormId::AGMATOL, true, "", {}, none, 1, kFull, "PN", "",
         kTitle, ""},
        {"menu stops at the first failed copy", menu, p1, false, {}, {3}, failEnd, 0, "", "", "", "", failed + "."},
        {"menu, no printer at all", menu, p1, false, {}, {}, noPrinter, 0, "", "", "", "", unable},
        {"menu, copies as pages of one file", menu, p1, false, {}, {3},
         [](RecordingPrinter& p) { p.copiesArePages = true, p.outputFile = "/tmp/g.pdf"; }, 1, "", "", "", kTitle,
         "The gear data sheet was saved in the file /tmp/g.pdf, 3 copies, each on a page of its own.", 2},
    };
    for (const CommandCase& c : cases) {
        SCOPED_TRACE(c.name);
        HeadlessView& page1 = Calculate({{ctl::InputNT, "24"}, {ctl::InputDP, "10"}, {ctl::ComboQuality, "8"},
                                         {ctl::InputHA, c.page == FormId::FRMHelical2 ? "30" : "0"}});
        if (c.page != p1) page1.Press(ctl::Next1);
        if (c.page == FormId::AGMATOL) page(FormId::FrmOutput2).Press(ctl::Next);
        platform().RunTimers();
        SetOptions(gear(), {});
        gear().PrintoutChoices[kOptPartNumber] = c.askPartNumber;
        gear().PartNumber = c.askPartNumber ? "PN" : "";
        printer = RecordingPrinter();
        platform().SetPrinter(&printer);
        c.script(printer);
        for (const auto& answer : c.dialog) printer.ScriptPrintDialog(answer);
        if (c.answer) platform().ScriptInput(*c.answer);
        platform().ClearRecords();

        if (c.command == button) page(c.page).Press(c.command);
        else page(c.page).Click(c.command);

        ASSERT_EQ(printer.Documents().size(), static_cast<size_t>(c.documents));
        for (int d = 0; d < c.documents; ++d) EXPECT_EQ(printer.Lines(d).at(5), c.firstLine);
        EXPECT_EQ(printer.newPages, c.newPages);
        EXPECT_EQ(printer.Copies(), 1) << "the dialog's count is put back";
        ASSERT_EQ(platform().InputBoxes().size(), c.prompt.empty() ? 0u : 1u);
        for (const ShownInputBox& box : platform().InputBoxes())
            EXPECT_EQ(box.prompt + "|" + box.title + "|" + box.defaultText + "|" + FormName(box.form),
                      c.prompt + "|Part number?|" + c.offered + "|" + FormName(c.page));
        EXPECT_EQ(gear().PartNumber, c.partNumber);
        ASSERT_EQ(platform().Messages().size(), c.message.empty() ? 0u : 1u);
        for (const ShownMessage& m : platform().Messages())
            EXPECT_TRUE(m.text == c.message && m.title == "Involvo" &&
                        m.icon == (c.documents > 0 ? MsgIcon::Information : MsgIcon::Exclamation)) << m.text;
        // The notice shows while a document is printed, and only then.
        EXPECT_EQ(app().IsLoaded(FormId::FrmPrinting), c.documents > 0 || printer.failEnd);
        screen().Activate();  // back to the input screen: the pages close
        platform().RunTimers();
    }
}

TEST_F(ProgramTest, ThePrintingNoticeClosesItselfAfterASecondUnlessClosedBefore) {
    HeadlessView& page1 = Calculate({{ctl::InputNT, "24"}, {ctl::InputDP, "10"}});
    page1.Press(ctl::CmdPrint);
    const HeadlessView& notice = page(FormId::FrmPrinting);
    EXPECT_EQ(notice.Text(ctl::Window) + "|" + notice.Text(ctl::Label1) + (notice.IsShown() ? "|shown" : ""),
              "Printing|Printing ...|shown");
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
