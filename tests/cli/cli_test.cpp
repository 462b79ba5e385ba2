// End-to-end runs of the built involvo-cli program.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

struct Result {
    int status = -1;
    std::string out, err;
};

Result RunCli(const std::string& args) {
    namespace fs = std::filesystem;
    fs::path errFile = fs::temp_directory_path() / ("involvo-cli-test-" + std::to_string(::getpid()) + ".err");
    std::string command = std::string(INVOLVO_CLI_PATH) + " " + args + " 2>" + errFile.string();
    Result r;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return r;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) r.out.append(buf, n);
    int status = ::pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream err(errFile);
    r.err.assign(std::istreambuf_iterator<char>(err), {});
    fs::remove(errFile);
    return r;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(InvolvoCli, TwentyFourToothExampleOverPins) {
    // Standard pin 1.728/10; at pi/20 the dimension is 2.6399685 (involute of the
    // pin centre 0.026075 -> 23.920 degrees) and the pin touches at 2.402302; the
    // field holds the basic thickness rounded to 0.157080, 3.7e-7 above pi/20,
    // which adds K * 3.7e-7 = 8.6e-7: 2.639969.
    Result r = RunCli("--teeth 24 --pitch 10 --json");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "\"ok\": true"));
    EXPECT_TRUE(Contains(r.out, "\"PinDiameter\": 0.1728"));
    EXPECT_TRUE(Contains(r.out, "[\"Dimension Over Pins\", \"2.639969\"]")) << r.out;
    EXPECT_TRUE(Contains(r.out, "[\"Pin Contact Diameter\", \"2.402300\"]")) << r.out;
    EXPECT_TRUE(Contains(r.out, "\"FrmOutput1\": {\"caption\": \"Calculated gear data page 1\""));
    EXPECT_TRUE(Contains(r.out, "\"FrmOutput2\""));
    EXPECT_FALSE(Contains(r.out, "\"AGMATOL\""));  // no quality number
}

TEST(InvolvoCli, TableOutputAndQualityReachesTheTolerances) {
    Result r = RunCli("--teeth 24 --pitch 10 --quality 8");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "External Gear Data"));
    EXPECT_TRUE(Contains(r.out, "Runout Tolerance"));
    // Runout 58 * 24^0.238 * 10^-0.722 = 23.45 ten-thousandths -> 0.0024.
    EXPECT_TRUE(Contains(r.out, "0.00240"));
}

TEST(InvolvoCli, RefusedInputPrintsTheProgramsMessageAndExits1) {
    Result r = RunCli("--pitch 10");
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.err, "Enter the number of gear teeth"));
    r = RunCli("--teeth 24 --pitch 0.09");
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.err, "Diametral Pitch is not Acceptable"));
}

TEST(InvolvoCli, InvoluteErrorExits1WithItsMessage) {
    Result r = RunCli("--teeth 24 --pitch 10 --mode thickness --value 1.0 --json");
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.err, "Involute function error: Unacceptable dimension over pins or pin diameter"));
    EXPECT_TRUE(Contains(r.out, "\"ok\": false"));
}

TEST(InvolvoCli, BadUsageExits2) {
    EXPECT_EQ(RunCli("--teeth 24 --pitch 10 --colour red").status, 2);
    EXPECT_EQ(RunCli("--teeth twenty --pitch 10").status, 2);
    EXPECT_EQ(RunCli("--teeth 24 --pitch 8/10").status, 2);  // a fraction needs depth system 8
    EXPECT_EQ(RunCli("--teeth 24 --pitch 10 --feature \"Span Measurement\"").status, 2);  // not in mode 1
    EXPECT_EQ(RunCli("--teeth").status, 2);
}

TEST(InvolvoCli, PitchFractionWithCombinationStub) {
    // 2.25/10 whole depth, 1.25/10 addendum.
    Result r = RunCli("--teeth 24 --pitch 8/10 --depth-system 8 --json");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "\"DepthPitch\": 10"));
    EXPECT_TRUE(Contains(r.out, "[\"Whole Depth\", \"0.22500\"]")) << r.out;
    EXPECT_TRUE(Contains(r.out, "[\"Addendum\", \"0.12500\"]"));
}

TEST(InvolvoCli, BatchRunsEveryRowAndReportsTheBadOne) {
    namespace fs = std::filesystem;
    fs::path csv = fs::temp_directory_path() / ("involvo-batch-" + std::to_string(::getpid()) + ".csv");
    {
        std::ofstream f(csv);
        f << "teeth,pitch,mode,value\n24,10,pins,\n2,10,pins,\n25,10,pins,\n24,ten,pins,\n";
    }
    Result r = RunCli("--batch " + csv.string());
    fs::remove(csv);
    EXPECT_EQ(r.status, 1);
    // Header and four result rows.
    int lines = 0;
    for (char c : r.out) lines += c == '\n';
    EXPECT_EQ(lines, 5) << r.out;
    EXPECT_TRUE(Contains(r.out, "1,1,,0.157080,2.639969,")) << r.out;
    EXPECT_TRUE(Contains(r.out, "2,0,Number of teeth is not Acceptable"));
    EXPECT_TRUE(Contains(r.out, "3,1,,0.157080,2.735106,")) << r.out;
    EXPECT_TRUE(Contains(r.out, "4,0,--pitch: not a number: ten"));
}

}  // namespace
