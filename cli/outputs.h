// What involvo-cli writes of a gear: the readable table, the JSON object, and
// the CSV row of a batch. All of them are read from the contents of the pages
// shown (and the messages and state of the run); a batch column is chosen by
// what a row is (its Quantity), never by its caption.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "cli/gear_entry.h"

namespace involvo::cli {

// The table: the pages, the check of the readings and the measuring aids
// (when the run has them), then the notes.
void WriteTable(std::ostream& out, const GearRun& run);
// The JSON object: ok, error, state, messages, pages, sheet, then inspection
// and measuring when the run has them.
void WriteJson(std::ostream& out, const GearRun& run);

// The columns a batch writes after the results: spread and verdict when its
// rows give readings, pin_smallest, pin_largest, pin_proud_from, span_fewest
// and span_most when the measuring aids are asked for. Without them a batch
// writes exactly the columns it always has.
struct ExtraColumns {
    bool inspection = false;
    bool measuring = false;
};

// The header of a batch's output: row, ok, message, then the result columns.
std::vector<std::string> CsvHeader(ExtraColumns extra = {});
// The result row of a run, with its row number, as one CSV line added to line.
void AppendCsvRow(std::string& line, size_t rowNumber, const GearRun& run, ExtraColumns extra = {});

// One CSV line: cells with a comma, a quote or a line end are quoted, quotes
// doubled.
void WriteCsvLine(std::ostream& out, const std::vector<std::string>& cells);
void AppendCsvLine(std::string& line, const std::vector<std::string>& cells);
void AppendCsvCell(std::string& line, std::string_view cell);

}  // namespace involvo::cli
