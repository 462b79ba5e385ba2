// The gear data sheet: a text page composed from what the result pages show
// (their contents: row captions, values and transverse values), filtered by the
// printout options.
#pragma once

#include <string>

#include "engine/gearmain.h"
#include "printing/printer_port.h"
#include "result_pages/page_content.h"

namespace involvo {

// The spur sheet is made of the spur pages, the helical sheet of the helical
// ones.
using Sheet = PageKind;

// What one sheet is composed from: its layout and the contents of page 1, page 2
// and the tolerance page.
struct SheetContents {
    Sheet sheet = Sheet::Spur;
    PageContent measurement, dimensions, tolerances;
};

// The option that governs a row of page 2, by what the row is; 0 for a row
// that is always printed (the base circle and the pitch diameter).
int PageTwoOption(Quantity quantity);

// A row's caption followed by a run of dashes and an arrow, as wide in the
// printer's current font as the template (or the caption with " > " alone when
// that is wider already).
std::string RowLead(const PrinterPort& printer, const std::string& caption, const std::string& widthTemplate);

// The spur row: caption and arrow at the column given, the value at column 62.
void PrintSpurRow(PrinterPort& printer, int column, const std::string& caption, const std::string& value);
// The helical row: caption and arrow at the column given, the normal value at
// column 46, the transverse value (when there is one) at column 72.
void PrintHelicalRow(PrinterPort& printer, int column, const std::string& caption, const std::string& value1,
                     const std::string& value2);

// Prints the lines of one sheet into the document that the printer has started.
// The title and the rows come from the contents; the gear state is read only
// for the input feature, the depth-system name, the quality number, the options
// and the part number.
void ComposeSheet(const SheetContents& sheet, const gearmain::GearMain& gear, PrinterPort& printer);

}  // namespace involvo
