// The print commands of the result pages: the print button and the "&Print..."
// menu item, and the "Printing ..." notice shown while a sheet is printed.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "engine/gearmain.h"
#include "platform/view.h"
#include "printing/gear_sheet.h"

namespace involvo {

inline constexpr const char* kPartNumberTitle = "Part number?";
// The part-number prompt of the print button (and of the tolerance page's menu
// item), and the shorter one of the other pages' menu item.
extern const char* const kPartNumberPrompt;
extern const char* const kPartNumberShortPrompt;

// The print commands take the sheet as composed from the contents that the
// pages hold when the command is given.
//
// The print button (CmdPrint) of a result page: one sheet on the default
// printer, no dialog. With option 18 on, the part number is asked for first; an
// empty answer (Cancel) prints nothing.
void PrintButton(Forms& forms, gearmain::GearMain& gear, const SheetContents& sheet, FormId page);

// The menu item (mnuFilePrint) of a result page: the print dialog, then, with
// option 18 on, the part number; one sheet per copy asked for, each its own
// print job; the dialog's copy count is back to 1 afterwards.
void PrintMenu(Forms& forms, gearmain::GearMain& gear, const SheetContents& sheet, FormId page);

// One sheet as one print job on the printer chosen: the notice, the lines, the
// end of the document. A failure is reported on the page; false then.
bool PrintSheet(Forms& forms, const gearmain::GearMain& gear, const SheetContents& sheet, FormId page);

// What printing one document leaves: whether it was printed, and what the page
// tells the user afterwards (why it could not be printed, or the file it went
// to; nothing after a printer).
struct PrintOutcome {
    bool printed = false;
    std::optional<gearmain::Notice> notice;
};

// One document on a printer, without a window: the sheet once per copy, each
// copy on a page of its own; started runs once the document has started (the
// notice "Printing ..." of the pages). The print commands and the command-line
// tool print through it.
PrintOutcome PrintDocumentOn(PrinterPort& printer, const gearmain::GearMain& gear, const SheetContents& sheet,
                             int copies, const std::function<void()>& started = {});

// The notice "Printing ...", which closes itself about a second after it
// appeared.
class FrmPrinting : public Presenter {
public:
    explicit FrmPrinting(Forms& forms);
    ~FrmPrinting() override;
    void Load() override;
    void Unload() override;

private:
    Forms& forms_;
    // The timer outlives nothing: it looks here before it closes the notice.
    std::shared_ptr<bool> alive_;
};

}  // namespace involvo
