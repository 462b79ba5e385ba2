// involvo-cli --sheet, --options and --pdf: the sheet the window prints, as text.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

#include "tests/printing/printing_fixture.h"

namespace involvo::test {
namespace {

struct Result {
    int status = -1;
    std::string out, err;
};

class CliSheet : public ::testing::Test {
protected:
    void SetUp() override { folder_ = FreshFolder(); }
    void TearDown() override { fs::remove_all(folder_); }

    // Runs the tool in the test's folder, so that its options file is the
    // folder's own.
    Result Run(const std::string& args) {
        fs::path errFile = folder_ / "stderr.txt";
        std::string command = "cd '" + folder_.string() + "' && " + INVOLVO_CLI_PATH + " " + args + " 2>'" +
                              errFile.string() + "'";
        Result r;
        FILE* pipe = ::popen(command.c_str(), "r");
        if (!pipe) return r;
        char buf[4096];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) r.out.append(buf, n);
        int status = ::pclose(pipe);
        r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        r.err = ReadFile(errFile);
        return r;
    }

    static std::vector<std::string> Lines(const std::string& text) {
        std::vector<std::string> lines;
        size_t start = 0;
        for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
            lines.push_back(text.substr(start, end - start));
        return lines;
    }

    fs::path folder_;
};

TEST_F(CliSheet, WithoutAnOptionsFileEveryOptionIsOffAndTheFileIsCreated) {
    Result r = Run("--teeth 24 --pitch 10 --sheet");
    ASSERT_EQ(r.status, 0) << r.err;
    auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 20u) << r.out;
    EXPECT_EQ(lines[2], At(40, "<< Involvo >>"));
    EXPECT_EQ(lines[5], At(10, "External Gear Data"));
    EXPECT_EQ(lines[7], SpurRow("Number of Teeth", "24"));
    EXPECT_EQ(lines[13], SpurRow("Dimension Over Pins", "2.639969"));
    EXPECT_EQ(lines[19], SpurRow("Pitch Diameter", "2.400000"));
    EXPECT_EQ(ReadFile(folder_ / kOptionsFileName), Repeat("0\r\n", 18));
}

TEST_F(CliSheet, TheOptionsFileOfTheFolderIsUsed) {
    OptionValues on{};
    on[12] = 1;
    WriteFile(folder_ / kOptionsFileName, OptionsFileText(on));
    Result r = Run("--teeth 24 --pitch 10 --sheet");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("K Factor ---"), std::string::npos) << r.out;
}

TEST_F(CliSheet, OptionsListSetsTheOptionsForTheRunOnly) {
    Result r = Run("--teeth 24 --pitch 10 --quality 8 --options 1-12,14 --sheet");
    ASSERT_EQ(r.status, 0) << r.err;
    auto lines = Lines(r.out);
    EXPECT_NE(std::find(lines.begin(), lines.end(), At(10, "AGMA Quality Tolerances for quality ( 8 )")),
              lines.end());
    EXPECT_NE(r.out.find("Depth System ---"), std::string::npos);
    EXPECT_NE(r.out.find("Pin Contact Diameter ---"), std::string::npos);
    EXPECT_EQ(r.out.find("Radial Dimension"), std::string::npos);  // 16 is off
    EXPECT_EQ(ReadFile(folder_ / kOptionsFileName), Repeat("0\r\n", 18));
}

TEST_F(CliSheet, OptionsAllAsksNoPartNumberOfTheTool) {
    Result r = Run("--teeth 24 --pitch 10 --helix 30 --options all --sheet");
    ASSERT_EQ(r.status, 0) << r.err;
    auto lines = Lines(r.out);
    ASSERT_GT(lines.size(), 8u);
    EXPECT_EQ(lines[5], At(8, "External Helical Gear Data"));
    EXPECT_EQ(lines[7], At(46, " Normal                          Transverse"));
    EXPECT_EQ(r.out.find("Part Number"), std::string::npos);
}

// The sheet of page 1's print button in the program itself, for the gear the
// tool is given: typed in, Calculate, every option on, the button.
std::vector<std::string> PageOneButtonSheet(const std::vector<std::pair<Control, std::string>>& fields) {
    gearmain::GearMain gear;
    HeadlessPlatform platform;
    Application app(gear, platform);
    app.StartUpWithoutSplash();
    HeadlessView& screen = *platform.ViewOf(FormId::FrmMain);
    for (const auto& [field, text] : fields) {
        screen.Type(field, text);
        screen.Leave();
    }
    screen.Press(ctl::CmdCalc);
    std::vector<std::string> sheet;
    for (FormId id : {FormId::FrmOutput1, FormId::FrmHelical1})
        if (HeadlessView* page = platform.ViewOf(id); page && page->IsShown()) {
            OptionValues all{};
            all.fill(1);
            all[0] = 0;
            SetOptions(gear, all);
            page->Press(ctl::CmdPrint);
            if (!platform.TextOutput().Documents().empty()) sheet = platform.TextOutput().Documents().back();
        }
    app.Shutdown();
    platform.RunTimers();
    return sheet;
}

TEST_F(CliSheet, HelicalGearWithAQualityNumberPrintsWhatPage1sButtonPrints) {
    // The tool walks on to the tolerance page, which writes its values with
    // five decimals; page 1 fills them with six, and that is what its button
    // prints.
    Result r = Run("--teeth 25 --pitch 10 --helix 30 --quality 8 --options all --sheet");
    ASSERT_EQ(r.status, 0) << r.err;
    auto expected = PageOneButtonSheet({{ctl::InputNT, "25"}, {ctl::InputDP, "10"}, {ctl::InputHA, "30"}, {ctl::ComboQuality, "8"}});
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(Lines(r.out), expected);
    // Each tolerance with six decimals.
    int tolerances = 0;
    for (const std::string& line : expected)
        for (const char* caption : {"Runout Tolerance", "Pitch Variation Allowable", "Total Composite"})
            if (line.find(caption) != std::string::npos) {
                ++tolerances;
                EXPECT_TRUE(std::regex_search(line, std::regex(R"(  0\.\d{6}$)"))) << line;
            }
    EXPECT_EQ(tolerances, 3);
}

TEST_F(CliSheet, JsonCarriesTheSheetLines) {
    Result r = Run("--teeth 24 --pitch 10 --sheet --json");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"sheet\": [\n    \"\",\n    \"\",\n    \"                                       << Involvo >>\""),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\"pages\""), std::string::npos);
}

TEST_F(CliSheet, ABadOptionsListIsAUsageError) {
    for (const char* list : {"0", "19", "3-1", "x", "1,,2", "1-"}) {
        Result r = Run(std::string("--teeth 24 --pitch 10 --sheet --options ") + list);
        EXPECT_EQ(r.status, 2) << list;
        EXPECT_NE(r.err.find("--options"), std::string::npos) << list << ": " << r.err;
    }
}

TEST_F(CliSheet, PdfGoesIntoTheFileNamed) {
    Result r = Run("--teeth 24 --pitch 10 --pdf sheet.pdf");
    if (r.status == 2) GTEST_SKIP() << "involvo-cli was built without Qt";
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::exists(folder_ / "sheet.pdf"));
    EXPECT_NE(r.out.find("External Gear Data"), std::string::npos);  // the table as usual
}

TEST_F(CliSheet, APdfThatCannotBeWrittenFails) {
    Result r = Run("--teeth 24 --pitch 10 --pdf no-such-folder/sheet.pdf");
    if (r.status == 2) GTEST_SKIP() << "involvo-cli was built without Qt";
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("could not be printed"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace involvo::test
