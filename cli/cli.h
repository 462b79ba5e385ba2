// involvo-cli: the calculator without a window, for scripts and batch work.
//
// Each gear is entered through the input screen's own logic on the headless
// platform: the options are typed into their fields, the mode, gear type,
// feature and depth system are chosen from the menus and lists, Calculate is
// pressed and the result pages are walked with Next, so the numbers are exactly
// those of the window. What the tool writes (the table, the JSON pages, the
// batch columns) is read from the contents of the pages shown, not from their
// controls.
#pragma once

#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "engine/gearmain.h"
#include "platform/headless.h"
#include "result_pages/page_content.h"

namespace involvo::cli {

// A usage error: unknown option, missing or unreadable value.
struct UsageError {
    std::string text;
};

// One gear as given on the command line or in a batch row, by long option name
// without the dashes ("teeth", "pitch", "internal", ...).
struct GearOptions {
    std::map<std::string, std::string> values;
    bool Has(const std::string& name) const { return values.count(name) != 0; }
    const std::string& Get(const std::string& name) const { return values.at(name); }
};

// Checks names and values; the message of the first problem, or nothing.
std::optional<UsageError> CheckOptions(const GearOptions& options);

struct GearRun {
    bool ok = false;
    std::vector<ShownMessage> messages;
    // The contents of the result pages shown, in the order they were shown;
    // the outputs write their visible rows.
    std::vector<PageContent> pages;
    // The number of teeth that the span row is measured over.
    float teethSpanned = 0;
    // The gear state after the run, by name: numbers written as numbers.
    std::vector<std::pair<std::string, std::string>> stateNumbers, stateTexts;
    std::string error;  // the refusal or failure when not ok
    // The gear data sheet as printed, one text per line (--sheet), and why the
    // PDF file of --pdf could not be written.
    std::vector<std::string> sheet;
    std::string sheetError;
};

// What to print after the pages: the sheet as text, and/or into a PDF file.
struct SheetRequest {
    bool text = false;
    std::string pdf;
    bool Any() const { return text || !pdf.empty(); }
};

// Enters one gear, calculates and walks the pages; the state is kept in the
// result when asked for.
GearRun RunGear(const GearOptions& options, bool withState = true, const SheetRequest& sheet = {});

// Output.
void WriteTable(std::ostream& out, const GearRun& run);
void WriteJson(std::ostream& out, const GearRun& run);
std::vector<std::string> CsvHeader();
std::vector<std::string> CsvRow(const GearRun& run);
void WriteCsvLine(std::ostream& out, const std::vector<std::string>& cells);
// Splits CSV text into rows of cells (quotes and doubled quotes understood).
std::vector<std::vector<std::string>> ReadCsv(const std::string& text);

// Runs every row of a batch; a bad row gets its error in its own result row.
// Returns the exit status (0 when every row succeeded, 1 otherwise).
int RunBatch(const std::string& csvText, std::ostream& out);

// The whole tool: returns the exit status (0 success, 1 refused or failed
// calculation, 2 bad usage).
int Main(int argc, char** argv, std::ostream& out, std::ostream& err);

}  // namespace involvo::cli
