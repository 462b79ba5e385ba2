// The streamed batch: every row one result row in the input order, whatever
// the number of rows and threads, and the results of the rows read written
// before the batch waits for more input. (What a row gives is in the golden
// files, tests/data/golden/batch.txt.)
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/outputs.h"

namespace involvo::cli {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(StreamedBatch, RowsComeOutInTheirOrderWhateverTheThreadsAndChunks) {
    // More than three chunks (each chunk's room is used again) of many kinds
    // of gear, some refused.
    const int rows = 3500;
    std::string csv = "teeth,pitch,helix,mode,internal,quality,pin\n";
    for (int i = 0; i < rows; ++i) {
        const char* mode = i % 4 == 0 ? "thickness" : i % 4 == 1 ? "span" : "pins";
        csv += std::to_string(i % 97 == 5 ? 2 : 12 + i % 150) + "," + std::to_string(4 + i % 17) + "," +
               (i % 3 == 0 ? "0" : "15") + "," + mode + "," + (i % 5 == 0 ? "1" : "") + "," + (i % 2 ? "8" : "") +
               "," + (i % 7 == 0 ? "0.2" : "") + "\n";
    }
    std::ostringstream one, two, four;
    EXPECT_EQ(RunBatch(csv, one, 1), 1);  // some rows are refused
    RunBatch(csv, two, 2);
    RunBatch(csv, four, 4);
    EXPECT_EQ(two.str(), one.str());
    EXPECT_EQ(four.str(), one.str());

    const auto lines = Lines(two.str());
    ASSERT_EQ(lines.size(), static_cast<size_t>(rows) + 1);
    for (int i = 1; i <= rows; ++i) ASSERT_EQ(lines[i].rfind(std::to_string(i) + ",", 0), 0u) << lines[i];
}

// Input that arrives in parts: the rows of each part are there at once, and
// the next part only when asked for, with the results written by then noted.
class PartsSource : public ByteSource {
public:
    PartsSource(std::vector<std::string> parts, const std::ostringstream& out)
        : parts_(std::move(parts)), out_(out) {}

    size_t Read(char* buffer, size_t size) override {
        while (part_ < parts_.size() && at_ == parts_[part_].size()) {
            if (++part_ == parts_.size()) return 0;
            at_ = 0;
            writtenBefore.push_back(Lines(out_.str()).size());
        }
        if (part_ == parts_.size()) return 0;
        const size_t n = std::min(size, parts_[part_].size() - at_);
        parts_[part_].copy(buffer, n, at_);
        at_ += n;
        return n;
    }
    bool Waiting() const override { return part_ + 1 < parts_.size() && at_ == parts_[part_].size(); }

    // The lines written each time the next part was asked for.
    std::vector<size_t> writtenBefore;

private:
    std::vector<std::string> parts_;
    const std::ostringstream& out_;
    size_t part_ = 0, at_ = 0;
};

TEST(StreamedBatch, ResultsOfTheRowsReadAreWrittenBeforeTheBatchWaitsForMore) {
    std::ostringstream out;
    PartsSource source({"teeth,pitch\n24,10\n25,10\n", "26,10\n", "27,10\n28,10\n"}, out);
    EXPECT_EQ(RunBatch(source, out), 0);
    // The header and rows 1 and 2, then row 3 too.
    EXPECT_EQ(source.writtenBefore, (std::vector<size_t>{3, 4}));
    const auto lines = Lines(out.str());
    ASSERT_EQ(lines.size(), 6u);
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(lines[i].rfind(std::to_string(i) + ",1,,", 0), 0u) << lines[i];
}

// Plain rows are split where they were read; rows with quotes or CRs, and rows
// that run on beyond what was read, character by character. Both ways give the
// same cells: LF, CR LF and quoted versions of the same rows, read whole or in
// small parts, give the same results.
TEST(StreamedBatch, RowsSplitInPlaceGiveTheCellsOfRowsReadCharacterByCharacter) {
    const std::vector<std::vector<std::string>> rows = {
        {"24", "10", "", " 0.15 "}, {"25", " 8", "20", ""}, {"", "", "", ""}, {"31", "12", "25", "0.1728"}};
    auto csv = [&](const std::string& end, bool quoted) {
        std::string text = "teeth,pitch,pressure-angle,pin" + end + end;  // an empty line is no row
        for (const auto& row : rows) {
            for (size_t c = 0; c < row.size(); ++c)
                text += (c ? "," : "") + (quoted && c == 1 ? "\"" + row[c] + "\"" : row[c]);
            text += end + (row[0] == "25" ? end + end : "");
        }
        return text;
    };
    std::ostringstream plain;
    EXPECT_EQ(RunBatch(csv("\n", false), plain, 1), 1);  // the row of empty cells is refused
    ASSERT_EQ(Lines(plain.str()).size(), rows.size() + 1);
    EXPECT_EQ(Lines(plain.str())[3], "3,0,Enter the number of gear teeth" + std::string(28, ','));
    for (const auto& [end, quoted] : std::vector<std::pair<std::string, bool>>{{"\r\n", false}, {"\n", true}}) {
        std::ostringstream other;
        RunBatch(csv(end, quoted), other, 1);
        EXPECT_EQ(other.str(), plain.str()) << end.size() << quoted;
    }
    // Read three characters at a time: no row lies whole in what was read.
    const std::string text = csv("\n", false);
    std::vector<std::string> parts;
    for (size_t i = 0; i < text.size(); i += 3) parts.push_back(text.substr(i, 3));
    std::ostringstream inParts;
    PartsSource source(parts, inParts);
    RunBatch(source, inParts);
    EXPECT_EQ(inParts.str(), plain.str());
}

TEST(StreamedBatch, ARowOfTooManyCellsEndsTheBatchHoweverItIsRead) {
    // 1,025 cells are the most a row may have.
    const std::string most = "teeth,pitch\n24,10" + std::string(1023, ',') + "\n";
    std::ostringstream out;
    EXPECT_EQ(RunBatch(most, out, 1), 0);
    EXPECT_EQ(Lines(out.str()).size(), 2u);
    const std::string tooMany = "teeth,pitch\n24,10" + std::string(1024, ',') + "\n25,10\n";
    std::ostringstream out2;
    EXPECT_THROW(RunBatch(tooMany, out2, 1), UsageError);
}

TEST(StreamedBatch, ACellOfMoreThan65536CharactersEndsTheBatch) {
    // The part number is taken and not used: only its length matters.
    const std::string header = "teeth,pitch,part-number\n";
    std::ostringstream out;
    EXPECT_EQ(RunBatch(header + "24,10," + std::string(65536, 'x') + "\n", out, 1), 0);
    EXPECT_EQ(Lines(out.str()).size(), 2u);
    std::ostringstream out2;
    EXPECT_THROW(RunBatch(header + "24,10," + std::string(65537, 'x') + "\n25,10\n", out2, 1), UsageError);
}

TEST(ToolOutput, AFullDiskIsAFailureNotASuccess) {
    const std::string csv = testing::TempDir() + "full_disk_gears.csv";
    std::ofstream(csv) << "teeth,pitch\n24,10\n";
    for (std::vector<std::string> words : {std::vector<std::string>{"involvo-cli", "--teeth", "24", "--pitch", "10"},
                                          std::vector<std::string>{"involvo-cli", "--batch", csv}}) {
        std::vector<char*> argv;
        for (std::string& word : words) argv.push_back(word.data());
        std::ofstream full("/dev/full");
        std::ostringstream err;
        EXPECT_EQ(Main(static_cast<int>(argv.size()), argv.data(), full, err), 1) << words[1];
        EXPECT_EQ(err.str(), "involvo-cli: the output could not be written\n") << words[1];
    }
}

// A cell with a comma, a quote or a line end is quoted, wherever that stands in it.
TEST(CsvLine, QuotesACellWhateverWhereItsCommaOrQuoteStands) {
    std::string csv;
    AppendCsvLine(csv, {"ab,cdefghi", "abcdefghi,", "abcdefgh\"ij", "plain text here", "a\nb", "12,4",
                        "abcdefgh,ijklmnopq", "abcd,e", "abcde\"", "abcd,ef"});
    EXPECT_EQ(csv, "\"ab,cdefghi\",\"abcdefghi,\",\"abcdefgh\"\"ij\",plain text here,\"a\nb\",\"12,4\","
                   "\"abcdefgh,ijklmnopq\",\"abcd,e\",\"abcde\"\"\",\"abcd,ef\"\n");
}

TEST(StreamedBatch, ARefusedRowIsWrittenAndTheRowAfterItCalculated) {
    struct Case {
        const char* csv;
        const char* refusal;
    };
    const Case cases[] = {
        // A feature that the mode does not list.
        {"teeth,pitch,feature\n24,10,Bogus\n24,10,\n", "1,0,\"--feature must be one of: "},
        // A line of one empty quoted cell is a row; an empty line is none.
        {"teeth,pitch\n\n\"\"\n24,10\n", "1,0,Enter the number of gear teeth,"},
    };
    for (const Case& c : cases) {
        std::ostringstream out;
        EXPECT_EQ(RunBatch(c.csv, out, 1), 1) << c.csv;
        const auto lines = Lines(out.str());
        ASSERT_EQ(lines.size(), 3u) << c.csv;
        EXPECT_EQ(lines[1].rfind(c.refusal, 0), 0u) << lines[1];
        EXPECT_EQ(lines[2].rfind("2,1,,", 0), 0u) << lines[2];
    }
}

TEST(StreamedBatch, ARefusedRowHasNoMeasuringCells) {
    std::ostringstream plain, measuring;
    const std::string csv = "teeth,pitch\n,10\n";
    RunBatch(csv, plain, 1);
    RunBatch(csv, measuring, 1, ExtraColumns{.measuring = true});
    // The refusal as without the measuring columns, and the five of them empty.
    EXPECT_EQ(Lines(measuring.str())[1], Lines(plain.str())[1] + ",,,,,");
    EXPECT_EQ(Lines(plain.str())[1].rfind("1,0,Enter the number of gear teeth,", 0), 0u);
}

TEST(ToolOutput, JsonKeepsTextsAsUtf8) {
    GearRun run;
    run.error = "Z\xc3\xa4hne";  // "Zähne"
    std::ostringstream out;
    WriteJson(out, run);
    EXPECT_NE(out.str().find("Z\xc3\xa4hne"), std::string::npos) << out.str();
}

}  // namespace
}  // namespace involvo::cli
