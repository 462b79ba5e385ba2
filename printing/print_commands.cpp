#include "printing/print_commands.h"

#include <algorithm>
#include <string>

#include "printing/printer_port.h"
#include "printing/printout_options.h"

namespace involvo {

const char* const kPartNumberShortPrompt =
    "Please enter a part number or title to include\ron the printed form or leave blank and click OK.";
const char* const kPartNumberPrompt =
    "Please enter a part number or title to include\ron the printed form or leave blank and click OK.\r\r"
    "To disable this prompt, un-check the Part Number checkbox in the Printout Options menu";

namespace {

constexpr int kNoticeMilliseconds = 1000;

bool AsksPartNumber(const gearmain::GearMain& gear) { return gear.PrintoutChoices[kOptPartNumber] == 1; }

void Tell(View& page, const std::string& text, MsgIcon icon) {
    page.MessageBox(text, kMessageTitle, icon, MsgButtons::OK);
}

void NoPrinter(View& page) {
    Tell(page, "There is no printer to print the gear data sheet on.", MsgIcon::Exclamation);
}

// One document on the printer chosen. A failure is reported on the page; false
// then.
bool PrintDocument(Forms& forms, const gearmain::GearMain& gear, const SheetContents& sheet, FormId page,
                   int copies) {
    View& view = forms.Load(page);
    PrinterPort* printer = forms.platform().Printer();
    if (!printer) {
        NoPrinter(view);
        return false;
    }
    const PrintOutcome outcome =
        PrintDocumentOn(*printer, gear, sheet, copies, [&forms] { forms.Show(FormId::FrmPrinting); });
    if (outcome.notice) Tell(view, outcome.notice->text, outcome.notice->icon);
    return outcome.printed;
}

}  // namespace

PrintOutcome PrintDocumentOn(PrinterPort& printer, const gearmain::GearMain& gear, const SheetContents& sheet,
                             int copies, const std::function<void()>& started) {
    auto failed = [&] {
        const std::string reason = printer.ErrorText();
        return PrintOutcome{false, gearmain::Notice{"The gear data sheet could not be printed" +
                                                        (reason.empty() ? std::string(".") : ": " + reason),
                                                    MsgIcon::Exclamation, MsgButtons::OK}};
    };
    if (!printer.StartDoc()) return failed();
    if (started) started();
    for (int copy = 1; copy <= copies; ++copy) {
        if (copy > 1) printer.NewPage();
        ComposeSheet(sheet, gear, printer);
    }
    if (!printer.EndDoc()) return failed();
    PrintOutcome outcome{true, std::nullopt};
    if (std::string file = printer.OutputFile(); !file.empty())
        outcome.notice = gearmain::Notice{
            "The gear data sheet was saved in the file " + file +
                (copies > 1 ? ", " + std::to_string(copies) + " copies, each on a page of its own." : "."),
            MsgIcon::Information, MsgButtons::OK};
    return outcome;
}

bool PrintSheet(Forms& forms, const gearmain::GearMain& gear, const SheetContents& sheet, FormId page) {
    return PrintDocument(forms, gear, sheet, page, 1);
}

void PrintButton(Forms& forms, gearmain::GearMain& gear, const SheetContents& sheet, FormId page) {
    View& view = forms.Load(page);
    if (AsksPartNumber(gear)) {
        std::string answer = view.InputBox(kPartNumberPrompt, kPartNumberTitle, gear.PartNumber + " ");
        gear.PartNumber = answer;
        if (answer.empty()) return;  // cleared, or Cancel
    }
    PrinterPort* printer = forms.platform().Printer();
    if (!printer) {
        NoPrinter(view);
        return;
    }
    if (!printer->UseDefaultPrinter()) return;  // no printer, and no file chosen instead
    PrintSheet(forms, gear, sheet, page);
}

void PrintMenu(Forms& forms, gearmain::GearMain& gear, const SheetContents& sheet, FormId page) {
    View& view = forms.Load(page);
    PrinterPort* printer = forms.platform().Printer();
    if (!printer) {
        NoPrinter(view);
        return;
    }
    if (!printer->ShowPrintDialog()) {
        printer->SetCopies(1);
        return;
    }
    const int copies = std::max(1, printer->Copies());
    // The tolerance page asks with the whole prompt, offers the part number as it
    // is, and prints whatever the answer.
    const bool tolerancePage = page == FormId::AGMATOL;
    bool print = true;
    if (AsksPartNumber(gear)) {
        std::string answer = tolerancePage
                                 ? view.InputBox(kPartNumberPrompt, kPartNumberTitle, gear.PartNumber)
                                 : view.InputBox(kPartNumberShortPrompt, kPartNumberTitle, gear.PartNumber + " ");
        gear.PartNumber = answer;
        print = tolerancePage || !answer.empty();
    }
    if (print && printer->CopiesArePages())
        PrintDocument(forms, gear, sheet, page, copies);
    else if (print)
        for (int copy = 1; copy <= copies; ++copy)
            if (!PrintSheet(forms, gear, sheet, page)) break;
    printer->SetCopies(1);
}

// ---- The notice ----

FrmPrinting::FrmPrinting(Forms& forms) : forms_(forms), alive_(std::make_shared<bool>(true)) {}

FrmPrinting::~FrmPrinting() { *alive_ = false; }

void FrmPrinting::Load() {
    view().SetText(ctl::Window, "Printing");
    view().SetText(ctl::Label1, "Printing ...");
    std::shared_ptr<bool> alive = alive_;
    Forms& forms = forms_;
    forms_.platform().StartTimer(kNoticeMilliseconds, [alive, &forms] {
        if (*alive) forms.Unload(FormId::FrmPrinting);
    });
}

void FrmPrinting::Unload() { *alive_ = false; }

}  // namespace involvo
