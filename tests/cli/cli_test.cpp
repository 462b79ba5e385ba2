// End-to-end runs of the built involvo-cli program.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <nlohmann/json.hpp>

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

// ---- The check of a part, part files and the measuring aids ----
//
// The 24-tooth 10-pitch 20 degree gear with the band 0.155 / 0.157 and the pin
// 0.1728: M = Db / cos(phi) + d, inv(phi) = t/D + d/Db + inv(20) - pi/24, gives
// the limits 2.6351245 -> 2.635124 and 2.6397839 -> 2.639784; a reading's
// thickness is the inverse t = D (inv(acos(Db / (M - d))) - d/Db - inv(20) +
// pi/24): 2.635123 -> 0.1549994, 2.635125 -> 0.1550002, 2.639782 -> 0.1569992,
// 2.639786 -> 0.1570009, 2.641 -> 0.1575252; 2 puts the pin's centre inside the
// base circle (M - d < Db = 2.255262): no thickness.
const std::string kBand = "--teeth 24 --pitch 10 --value 0.155/0.157 --pin 0.1728 --json";

// The object of one key of the JSON output, as written.
std::string Section(const std::string& out, const std::string& key) {
    const size_t at = out.find("  \"" + key + "\": {");
    return at == std::string::npos ? "" : out.substr(at, out.find("\n  }", at) + 4 - at);
}

std::string Reading(const char* reading, const char* thickness, const char* beyond, const char* verdict) {
    return std::string("{\"reading\": \"") + reading + "\", \"thickness\": " + thickness + ", \"beyond\": \"" + beyond +
           "\", \"verdict\": \"" + verdict + "\"}";
}

TEST(InvolvoCliCheck, TheInspectionAtTheLimitsJustInsideAndJustOutside) {
    const std::string head = "  \"inspection\": {\n    \"measured\": \"Dimension Over Pins\",\n"
                             "    \"limits\": [\"2.635124\", \"2.639784\"],\n"
                             "    \"thickness_limits\": [\"0.155000\", \"0.157000\"],\n    \"readings\": [";
    Result r = RunCli(kBand + " --readings \"2.635124 2.639784 2.635125,2.639782\"");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Section(r.out, "inspection"),
              head + Reading("2.635124", "\"0.155000\"", "0.000000", "within") + ", " +
                  Reading("2.639784", "\"0.157000\"", "0.000000", "within") + ", " +
                  Reading("2.635125", "\"0.155000\"", "0.000000", "within") + ", " +
                  Reading("2.639782", "\"0.156999\"", "0.000000", "within") +
                  "],\n    \"spread\": \"0.004660\",\n    \"verdict\": \"accept\"\n  }");
    r = RunCli(kBand + " --readings \"2.635123 2.639786 2\"");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Section(r.out, "inspection"),
              head + Reading("2.635123", "\"0.154999\"", "0.000001", "under") + ", " +
                  Reading("2.639786", "\"0.157001\"", "0.000002", "over") + ", " +
                  Reading("2.000000", "null", "0.635124", "no thickness") +
                  "],\n    \"spread\": \"0.639786\",\n    \"verdict\": \"reject\"\n  }");
}

TEST(InvolvoCliCheck, BadReadingsAreAUsageError) {
    for (const char* readings : {"\"\"", "\" , \"", "abc", "\"2.6,x\"", "1e3"}) {
        Result r = RunCli(kBand + " --readings " + readings);
        EXPECT_EQ(r.status, 2) << readings;
        EXPECT_TRUE(Contains(r.err, "--readings: ")) << r.err;
        EXPECT_EQ(r.out, "");
    }
}

TEST(InvolvoCliCheck, APartFileSavedIsLoadedUnderTheOptionsGiven) {
    namespace fs = std::filesystem;
    const fs::path part = fs::temp_directory_path() / ("involvo-part-" + std::to_string(::getpid()) + ".gear");
    // Saved with 25 teeth and two readings; loaded with 24 teeth and another.
    Result r = RunCli("--teeth 25 --pitch 10 --value 0.155/0.157 --pin 0.1728 --readings \"2.6361 2.6372\" "
                      "--part-number A-1 --save-part " + part.string());
    ASSERT_EQ(r.status, 0) << r.err;
    r = RunCli("--part " + part.string() + " --teeth 24 --readings 2.641 --json");
    fs::remove(part);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "\"limits\": [\"2.635124\", \"2.639784\"]")) << r.out;
    EXPECT_TRUE(Contains(r.out, "\"readings\": [" + Reading("2.641000", "\"0.157525\"", "0.001216", "over") + "]"));
    EXPECT_TRUE(Contains(r.out, "\"verdict\": \"reject\""));
}

TEST(InvolvoCliCheck, ADamagedPartFileIsAUsageErrorAndNothingIsWritten) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("involvo-damaged-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::ofstream(dir / "bad.gear") << "{\"teeth\": 24, \"pitch\": ";
    Result r = RunCli("--part " + (dir / "bad.gear").string() + " --readings 2.64 --save-part " +
                      (dir / "out.gear").string() + " --report " + (dir / "out.pdf").string() + " --picture " +
                      (dir / "out.svg").string());
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Contains(r.err, "is not a part file")) << r.err;
    EXPECT_EQ(r.out, "");
    for (const char* name : {"out.gear", "out.pdf", "out.svg"}) EXPECT_FALSE(fs::exists(dir / name)) << name;
    fs::remove_all(dir);
}

TEST(InvolvoCliMeasuring, TheKeysOfAnExternalSpurAndAnInternalGear) {
    using nlohmann::json;
    // 24 teeth at the basic 0.157080: a pin works from where its inner side
    // clears the root circle (R - d/2 >= 1.075: 0.11456 -> 0.1146) to where it
    // touches at the outside diameter (0.33066 -> 0.3306), and stands proud of
    // it from R + d/2 > 1.3 (0.16152 -> 0.1616). The span over k teeth touches at
    // 2 sqrt((W/2)^2 + rb^2), W = 0.295213 (k - 1) + 0.181220: below 2.18142 for
    // no k (fewest 1), 2.49487 for 4, 2.63466 > 2.6 for 5 (most 4). Chordal
    // addendum 0.1 + 1.2 (1 - cos(0.15708 / 2.4)) = 0.102569.
    json j = json::parse(RunCli("--teeth 24 --pitch 10 --json").out);
    const json& m = j["measuring"];
    EXPECT_EQ(m["pins"], json::parse(R"({"smallest": "0.1146", "largest": "0.3306", "proud_from": "0.1616"})"));
    EXPECT_EQ(m["span"], json::parse(R"({"fewest": 1, "most": 4, "contact_diameter": "2.49487"})"));
    EXPECT_EQ(m["chordal_addendum"], "0.102569");
    const json& p = m["picture"];
    EXPECT_EQ(p["circles"], json::parse(R"({"root": 1.075, "base": 1.127631, "pitch": 1.2, "outside": 1.3})"));
    EXPECT_EQ(p["pin_radius"], 0.0864);
    // The pin's centre at Db / (2 cos phi) = 1.2335847; each contact at half the
    // pin contact diameter (2.4023032) from the gear's centre, and on the pin.
    EXPECT_EQ(p["pin_centre"][0], 0);
    EXPECT_NEAR(p["pin_centre"][1].get<double>(), 1.2335847, 2e-6);
    for (const json& c : p["contact_points"]) {
        const double x = c[0], y = c[1];
        EXPECT_NEAR(std::hypot(x, y), 1.2011516, 2e-6);
        EXPECT_NEAR(std::hypot(x, y - p["pin_centre"][1].get<double>()), 0.0864, 2e-6);
    }
    // 60 teeth internal: no span and no chordal addendum; the inside circle
    // (6 - 2 * 0.1) / 2 and the root (6 + 2 * 0.125) / 2.
    j = json::parse(RunCli("--internal --teeth 60 --pitch 10 --json").out);
    EXPECT_EQ(j["measuring"]["span"], nullptr);
    EXPECT_EQ(j["measuring"]["chordal_addendum"], nullptr);
    EXPECT_EQ(j["measuring"]["picture"]["circles"],
              json::parse(R"({"root": 3.125, "base": 2.819078, "pitch": 3, "inside": 2.9})"));
    EXPECT_TRUE(j["measuring"]["pins"].is_object());
}

}  // namespace
