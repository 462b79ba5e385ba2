// The inspection report: one page that records a check of a part, the gear,
// its limits, the readings with the thickness each implies, the spread and the
// verdict, and a line for the inspector's name. Printed through the program's
// printer port, like the gear data sheet, so it goes to a printer or a PDF file.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "engine/gearmain.h"
#include "engine/inspection.h"
#include "platform/view.h"
#include "printing/printer_port.h"

namespace involvo {

struct ReportRow {
    std::string caption, value;
    bool operator==(const ReportRow&) const = default;
};

struct InspectionReport {
    std::string partNumber;  // blanks only: a line left to write it on
    std::string dateTime;    // when the part was checked, e.g. "2025-03-14 10:42"
    std::vector<ReportRow> gear;
    gearmain::Inspection inspection;
};

// The gear's data for the report, as page 1 writes them: number of teeth,
// normal diametral pitch, normal pressure angle, helix angle, the gear type,
// the pin or ball diameter (or the number of teeth spanned for a span), and
// the depth system. A caller that holds page 1's rows may put their texts in
// place of these (the pin field as typed, a pitch fraction).
std::vector<ReportRow> GearDataRows(const gearmain::GearMain& gear, const gearmain::Inspection& inspection);

// A moment as the report writes it: local time, "YYYY-MM-DD HH:MM".
std::string ReportDateTime(std::time_t when);

// The whole report, printed into the document the printer has started.
void ComposeInspectionReport(PrinterPort& printer, const InspectionReport& report);

// The report as one document of its own (one print job, or one PDF file):
// started, composed and ended. Why it failed, in words for the user, or
// nothing. The command-line tool writes its PDF file with this.
std::optional<std::string> PrintReportDocument(PrinterPort& printer, const InspectionReport& report);

// The print command of the check: the print dialog (a PDF printer answers it
// at once), then the part number asked for as the gear data sheet's menu
// command asks it (when the printout options say so; an empty answer prints
// nothing), then one report per copy. The part number answered is kept in the
// gear state. A failure is told in a message box on the view. True when the
// report was printed.
bool PrintInspectionReport(View& view, PrinterPort* printer, gearmain::GearMain& gear, InspectionReport report);

}  // namespace involvo
