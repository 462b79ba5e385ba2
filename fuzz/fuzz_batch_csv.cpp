// The --batch CSV of involvo-cli: the reader, and whole batches of a few rows
// run through the input screen.
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "engine/numbers.h"
#include "fuzz/fuzz_support.h"

using involvo::fuzz::Require;
using involvo::fuzz::ShowsNanOrInf;
namespace cli = involvo::cli;

namespace {

// Gears per input: each one starts the program, enters, calculates and walks
// the pages, so a few are enough to stay fast.
constexpr size_t kRowCap = 3;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto rows = cli::ReadCsv(text);

    // What the reader splits, the writer joins back to the same rows (a row of
    // one empty cell is an empty line, which the reader skips).
    std::ostringstream joined;
    size_t lines = 0;
    for (const auto& row : rows) {
        Require(!row.empty(), "ReadCsv gives an empty row", text);
        if (row.size() == 1 && row[0].empty()) continue;
        cli::WriteCsvLine(joined, row);
        ++lines;
    }
    auto back = cli::ReadCsv(joined.str());
    Require(back.size() == lines, "rows are lost when written and read again", text);
    for (size_t i = 0, j = 0; i < rows.size(); ++i) {
        if (rows[i].size() == 1 && rows[i][0].empty()) continue;
        Require(back[j++] == rows[i], "a row changes when written and read again", text);
    }

    // The batch itself, on the header and the first few rows.
    std::vector<std::vector<std::string>> kept;
    for (const auto& row : rows)
        if (kept.size() < kRowCap + 1 && !(row.size() == 1 && row[0].empty())) kept.push_back(row);
    std::ostringstream batch;
    for (const auto& row : kept) cli::WriteCsvLine(batch, row);
    std::ostringstream out;
    int status = -1;
    try {
        status = cli::RunBatch(batch.str(), out);
    } catch (const cli::UsageError& e) {
        Require(!e.text.empty(), "a usage error without a text", text);
        return 0;
    }
    Require(status == 0 || status == 1, "RunBatch returns a status other than 0 or 1", text);
    const std::string result = out.str();
    // A cell that itself says "inf" comes back in its error message; any other
    // nan or inf is the program's own.
    if (!ShowsNanOrInf(text)) Require(!ShowsNanOrInf(result), "the batch output shows nan/inf", result);
    auto resultRows = cli::ReadCsv(result);
    Require(resultRows.size() == kept.size(), "the batch output has not one line per row", result);
    // A readings column in the input adds the spread and the verdict.
    bool readings = false;
    for (const std::string& name : kept.front()) readings = readings || gearmain::Trim(name) == "readings";
    const size_t width = cli::CsvHeader({readings, false}).size();
    for (const auto& row : resultRows)
        Require(row.size() == width, "a batch output line of the wrong width", result);
    return 0;
}
