// The streamed batch: every row one result row in the input order, whatever
// the number of rows and threads; results out before the batch waits for more
// input; standard input with "--batch -".
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace involvo::cli {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// A batch of many kinds of gear, some refused.
std::string ManyGears(int rows) {
    std::string csv = "teeth,pitch,helix,mode,internal,quality,pin\n";
    for (int i = 0; i < rows; ++i) {
        const char* mode = i % 4 == 0 ? "thickness" : i % 4 == 1 ? "span" : "pins";
        csv += std::to_string(i % 97 == 5 ? 2 : 12 + i % 150) + "," + std::to_string(4 + i % 17) + "," +
               (i % 3 == 0 ? "0" : "15") + "," + mode + "," + (i % 5 == 0 ? "1" : "") + "," +
               (i % 2 ? "8" : "") + "," + (i % 7 == 0 ? "0.2" : "") + "\n";
    }
    return csv;
}

// The result row of one gear on its own, with its row number.
std::string SingleRow(const std::string& header, const std::string& row, size_t number) {
    std::ostringstream out;
    RunBatch(header + "\n" + row + "\n", out, 1);
    std::string line = Lines(out.str()).at(1);
    return std::to_string(number) + line.substr(line.find(','));
}

TEST(StreamedBatch, RowsComeOutInTheirOrderWhateverTheThreadsAndChunks) {
    const int rows = 2600;  // more than two chunks
    const std::string csv = ManyGears(rows);
    std::ostringstream one, two, four;
    EXPECT_EQ(RunBatch(csv, one, 1), 1);  // some rows are refused
    RunBatch(csv, two, 2);
    RunBatch(csv, four, 4);
    EXPECT_EQ(two.str(), one.str());
    EXPECT_EQ(four.str(), one.str());

    const auto lines = Lines(two.str());
    ASSERT_EQ(lines.size(), static_cast<size_t>(rows) + 1);
    EXPECT_EQ(lines[0].rfind("row,ok,message,thickness,measurement,", 0), 0u);
    const auto input = Lines(csv);
    for (int i = 1; i <= rows; ++i) {
        EXPECT_EQ(lines[i].rfind(std::to_string(i) + ",", 0), 0u) << lines[i];
        // Each row is what it is on its own.
        if (i % 131 == 0 || i == rows) {
            EXPECT_EQ(lines[i], SingleRow(input[0], input[i], i));
        }
    }
}

TEST(StreamedBatch, EmptyLinesAreNoRowsQuotedCellsHoldCommasAndFlagsTakeOneYesOrTrue) {
    std::ostringstream out;
    const std::string csv =
        "teeth,pitch,internal,feature\r\n\r\n24,10,,\r\n\n\"60\",\"1\"\"0\",yes,\n25,10,true,\"Circular Space Width\"\n"
        "26,10,no,\"Circular, Tooth\"";
    EXPECT_EQ(RunBatch(csv, out), 1);
    const auto lines = Lines(out.str());
    ASSERT_EQ(lines.size(), 5u) << out.str();
    EXPECT_EQ(lines[1].rfind("1,1,,0.157080,", 0), 0u) << lines[1];
    // "1""0" is 1"0: no number.
    EXPECT_EQ(lines[2].rfind("2,0,\"--pitch: not a number: 1\"\"0\"", 0), 0u) << lines[2];
    EXPECT_EQ(lines[3].rfind("3,1,,0.157080,", 0), 0u) << lines[3];  // internal: a space width
    EXPECT_EQ(lines[4].rfind("4,0,\"--feature must be one of: Circular Tooth Thickness, ", 0), 0u) << lines[4];
}

TEST(StreamedBatch, AMissingHeaderOrAColumnThatIsNoOptionIsAUsageError) {
    for (const char* csv : {"", "\n\n", "teeth,pitch,colour\n24,10,red\n", "teeth,,pitch\n"}) {
        std::ostringstream out;
        EXPECT_THROW(RunBatch(csv, out), UsageError) << csv;
        EXPECT_EQ(out.str(), "") << "nothing is written before the header is checked";
    }
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
            writtenBefore.push_back(out_.str());
        }
        if (part_ == parts_.size()) return 0;
        const size_t n = std::min(size, parts_[part_].size() - at_);
        parts_[part_].copy(buffer, n, at_);
        at_ += n;
        return n;
    }
    bool Waiting() const override { return part_ + 1 < parts_.size() && at_ == parts_[part_].size(); }

    // What had been written each time the next part was asked for.
    std::vector<std::string> writtenBefore;

private:
    std::vector<std::string> parts_;
    const std::ostringstream& out_;
    size_t part_ = 0, at_ = 0;
};

TEST(StreamedBatch, ResultsOfTheRowsReadAreWrittenBeforeTheBatchWaitsForMore) {
    std::ostringstream out;
    PartsSource source({"teeth,pitch\n24,10\n25,10\n", "26,10\n", "27,10\n28,10\n"}, out);
    EXPECT_EQ(RunBatch(source, out), 0);
    ASSERT_EQ(source.writtenBefore.size(), 2u);
    EXPECT_EQ(Lines(source.writtenBefore[0]).size(), 3u) << "the header and rows 1 and 2";
    EXPECT_EQ(Lines(source.writtenBefore[1]).size(), 4u) << "and row 3";
    const auto lines = Lines(out.str());
    ASSERT_EQ(lines.size(), 6u);
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(lines[i].rfind(std::to_string(i) + ",1,,", 0), 0u) << lines[i];
}

TEST(StreamedBatch, ReadingsGiveSpreadAndVerdictAndTheMeasuringColumnsComeWhenAskedFor) {
    // 24 teeth, 10 pitch: limits 2.635124 / 2.639784 for the band (tests/cli/cli_test.cpp);
    // at the basic thickness pins from 0.1146 to 0.3306, proud from 0.1616,
    // spans over 1 to 4 teeth (worked there).
    const std::string csv = "teeth,pitch,value,readings,part-number\n24,10,,,A-1\n"
                            "24,10,0.155/0.157,2.635124 2.639786,\n24,10,,x,\n";
    std::ostringstream out;
    EXPECT_EQ(RunBatch(csv, out, 1, ExtraColumns{false, true}), 1);
    const auto lines = Lines(out.str());
    ASSERT_EQ(lines.size(), 4u) << out.str();
    const std::string extra = ",spread,verdict,pin_smallest,pin_largest,pin_proud_from,span_fewest,span_most";
    EXPECT_EQ(lines[0].substr(lines[0].size() - extra.size()), extra);
    EXPECT_EQ(lines[1].substr(lines[1].size() - 27), ",,,0.1146,0.3306,0.1616,1,4");
    EXPECT_NE(lines[2].find(",0.004662,reject,"), std::string::npos) << lines[2];
    EXPECT_EQ(lines[3], "3,0,--readings: not a number: x" + std::string(28 + 7, ','));
}

TEST(StreamedBatch, ADashReadsTheBatchFromStandardInput) {
    const std::string command = std::string("printf 'teeth,pitch\\n24,10\\n2,10\\n' | ") + INVOLVO_CLI_PATH +
                                " --batch - 2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string out;
    char buf[4096];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, pipe)) > 0;) out.append(buf, n);
    const int status = ::pclose(pipe);
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 1);
    const auto lines = Lines(out);
    ASSERT_EQ(lines.size(), 3u) << out;
    EXPECT_EQ(lines[1].rfind("1,1,,0.157080,2.639969,", 0), 0u) << lines[1];
    EXPECT_EQ(lines[2], "2,0,Number of teeth is not Acceptable" + std::string(28, ','));
}

}  // namespace
}  // namespace involvo::cli
