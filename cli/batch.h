// A batch of gears, one a CSV row, streamed: rows are read in chunks, each
// chunk computed by every core while the next one is read and the one before
// is written, and the result rows written in the input order. Memory does not
// grow with the number of rows. When the input stops for a while (a pipe whose
// writer waits for the results), every result so far is written first.
#pragma once

#include <iosfwd>
#include <string>

#include "cli/csv_reader.h"
#include "cli/outputs.h"

namespace involvo::cli {

// Runs the batch of the source: its header row names the columns like the
// long options without their dashes; every row gets one result row, its row
// number, 1 or 0 for success, the message of a refused row, then the result
// columns (outputs.h). A bad row does not stop the others. Returns the exit
// status: 0 when every row succeeded, 1 otherwise. A missing header row or a
// column that is no option is a UsageError, before anything is written.
// threads: how many threads compute (0: one a core).
//
// Beyond the options, a "readings" column gives each row readings to check
// (blank- or comma-separated, as --readings); its rows get the columns spread
// and verdict. A "part-number" column is taken and not used. The measuring
// columns come when extra.measuring asks for them (extra.inspection is set by
// the header).
int RunBatch(ByteSource& source, std::ostream& out, unsigned threads = 0, ExtraColumns extra = {});
int RunBatch(std::istream& in, std::ostream& out, unsigned threads = 0, ExtraColumns extra = {});
int RunBatch(const std::string& csvText, std::ostream& out, unsigned threads = 0, ExtraColumns extra = {});

}  // namespace involvo::cli
