// involvo-cli: the calculator without a window, for scripts and batch work.
//
// Each gear goes the input screen's own road, without its window: the options
// are typed into the fields of the screen's core, the mode, gear type, feature
// and depth system are chosen as from the menus and lists, Calculate is
// pressed, and the contents of the result pages it opens are built as the
// pages build them; the numbers are exactly those of the window. What the tool
// writes (the table, the JSON pages, the batch columns, the sheet) is read from
// those contents.
//
//   gear_options.h   the options of a gear and their checks
//   screen_typist.h  the user's hands on the input screen's core
//   gear_entry.h     one gear: entry, Calculate, the pages' contents
//   measuring.h      the measuring aids of a gear
//   outputs.h        the table, the JSON object, the CSV row
//   csv_reader.h     a batch's CSV, read as it arrives
//   batch.h          the streamed batch on every core
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "cli/batch.h"
#include "cli/csv_reader.h"
#include "cli/gear_entry.h"
#include "cli/gear_options.h"
#include "cli/outputs.h"

namespace involvo::cli {

// What to print after the pages: the sheet as text, and/or into a PDF file.
struct SheetRequest {
    bool text = false;
    std::string pdf;
    bool Any() const { return text || !pdf.empty(); }
};

// What to do with the gear beyond its pages: check readings (and print the
// inspection report), work out the measuring aids (and draw them), save the
// gear as a part file.
struct CheckRequest {
    std::optional<gearmain::ReadingList> readings;  // none: no check
    std::string partNumber;
    std::string report;   // the inspection report into this PDF file
    bool measuring = false;
    std::string picture;  // the measuring-aids drawing into this SVG or PNG file
    std::string savePart;  // the part file to write
};

// One gear of the command line: entered, calculated, its pages built; with the
// gear state after the run when asked for, and the sheet that page 1's print
// button prints when asked for (which reads the printout options file, as the
// program does when it starts). After a calculation that succeeded, what the
// check request asks for; a file that could not be written is told in the
// run's sheetError.
GearRun RunGear(const GearOptions& options, bool withState = true, const SheetRequest& sheet = {},
                const CheckRequest& checks = {});

// The help of --help.
extern const char* const kHelp;

// The whole tool: returns the exit status (0 success, 1 refused or failed
// calculation, 2 bad usage). "--batch -" reads the batch from in.
int Main(int argc, char** argv, std::ostream& out, std::ostream& err);

}  // namespace involvo::cli
