// Part files: what they hold, the round trip, damaged files, unknown keys,
// files that are no files, saving whole, and the list of recent parts.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "input_screen/part_file.h"
#include "tests/support/fakes.h"

namespace involvo {
namespace {

namespace fs = std::filesystem;

class PartFiles : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("involvo-parts-" + std::to_string(::getpid()) + "-" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }
    fs::path Write(const std::string& name, const std::string& text) {
        std::ofstream(folder / name, std::ios::binary) << text;
        return folder / name;
    }
    static std::string Contents(const fs::path& path) {
        std::stringstream s;
        s << std::ifstream(path, std::ios::binary).rdbuf();
        return s.str();
    }
    std::vector<std::string> FilesInFolder() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
        return names;
    }
    fs::path folder;
};

// The screen of a helical internal gear with a band, ball diameter and quality.
Part ScreenPart() {
    const EntryTexts texts{"60", "10", "20.00000", "15", "Circular Space Width", "0.155000 / 0.157000", "0.00000",
                           "0.14400", "1.00000", "8"};
    gearmain::GearMain gear;
    gear.CalcMode = 1;
    gear.GearType = 2;
    gear.DepthSystem = 9;
    gear.CutterDepthText = "0.2350";
    gear.PartNumber = "A-1234 & B ";
    return PartOf(texts, gear, {"5.7001", "5.6998", "5.7004", "5.6999"});
}

TEST_F(PartFiles, APartSavedIsThePartOpened) {
    const Part part = ScreenPart();
    EXPECT_EQ(part.entries.at("mode"), "pins");
    EXPECT_EQ(part.entries.at("depth-system"), "9");
    EXPECT_EQ(part.entries.at("cutter-depth"), "0.2350");
    EXPECT_TRUE(part.internal);
    EXPECT_EQ(part.partNumber, "A-1234 & B");

    const fs::path path = folder / "ring gear.gear";
    ASSERT_EQ(WritePartFile(path, part), std::nullopt);
    PartRead read = ReadPartFile(path);
    ASSERT_TRUE(read.part) << read.message;
    EXPECT_EQ(*read.part, part);
    EXPECT_EQ(FilesInFolder(), std::vector<std::string>{"ring gear.gear"});  // no temporary file left

    // Readable, one key a line, in the order of the command line's options.
    const std::string text = Contents(path);
    EXPECT_EQ(text.substr(0, 39), "{\n  \"teeth\": \"60\",\n  \"pitch\": \"10\",\n  \"");
    EXPECT_NE(text.find("\n  \"internal\": true,\n"), std::string::npos);
    EXPECT_NE(text.find("\n  \"depth-system\": 9,\n"), std::string::npos);
    EXPECT_LT(text.find("\"teeth\""), text.find("\"quality\""));
    EXPECT_LT(text.find("\"part-number\""), text.find("\"readings\""));
}

TEST_F(PartFiles, NumbersMayBeWrittenAsNumbersAndUnknownKeysArePassedOver) {
    const fs::path path = Write("by hand.gear", R"({
        "teeth": 24, "pitch": 10, "pin": 0.1728, "depth-system": "8", "internal": false,
        "mode": "span", "quality": "None", "od-change": -0.01,
        "colour": "blue", "notes": {"made by": ["me", 2]}, "teeth spanned": 3,
        "part-number": 4711, "readings": [2.6371, "2.6368"]
    })");
    PartRead read = ReadPartFile(path);
    ASSERT_TRUE(read.part) << read.message;
    const std::map<std::string, std::string> entries = {{"teeth", "24"},       {"pitch", "10"},
                                                        {"pin", "0.1728"},     {"depth-system", "8"},
                                                        {"mode", "span"},      {"quality", "None"},
                                                        {"od-change", "-0.01"}};
    EXPECT_EQ(read.part->entries, entries);
    EXPECT_FALSE(read.part->internal);
    EXPECT_EQ(read.part->partNumber, "4711");
    EXPECT_EQ(read.part->readings, (std::vector<std::string>{"2.6371", "2.6368"}));

    // The readings also as the command line takes them.
    PartParse listed = ParsePart(R"({"readings": "2.6371, 2.6368 2.6375", "internal": "yes"})");
    ASSERT_TRUE(listed.part);
    EXPECT_EQ(listed.part->readings, (std::vector<std::string>{"2.6371", "2.6368", "2.6375"}));
    EXPECT_EQ(listed.part->Options(), (std::map<std::string, std::string>{{"internal", ""}}));
    for (const char* no : {R"({"internal": "no"})", R"({"internal": "0"})", R"({"internal": false})"})
        EXPECT_FALSE(ParsePart(no).part->internal) << no;
}

TEST_F(PartFiles, ADamagedFileSaysWhyAndGivesNoPart) {
    struct Case {
        const char* text;
        const char* problem;
    };
    const std::vector<Case> cases = {
        {"", "line 1, column 1: syntax error while parsing value - unexpected end of input; expected '[', '{', or a literal"},
        {"{\"teeth\": \"24\",\n \"pitch\" 10}",
         "line 2, column 11: syntax error while parsing object separator - unexpected number literal; expected ':'"},
        {"{\"teeth\": \"24\"", "line 1, column 15: syntax error while parsing object - unexpected end of input; expected '}'"},
        {"[24, 10]", "it holds no object of keys and values"},
        {"{\"teeth\": [24]}", "\"teeth\" must be a text or a number"},
        {"{\"teeth\": \"24.5\"}", "\"teeth\" must be a whole number"},
        {"{\"pitch\": \"-10\"}", "\"pitch\" must be a number, or a fraction a/b"},
        {"{\"value\": \"0.155/x\"}", "\"value\" must be a number, or a band \"a / b\""},
        {"{\"mode\": \"gears\"}", "\"mode\" must be pins, thickness or span"},
        {"{\"feature\": \"Tooth Thickness\"}", "\"feature\" must be one of the input features"},
        {"{\"depth-system\": 12}", "\"depth-system\" must be a whole number 1 to 9"},
        {"{\"quality\": \"high\"}", "\"quality\" must be None or a whole number"},
        {"{\"internal\": \"maybe\"}", "\"internal\" must be true or false"},
        {"{\"readings\": [2.6371, \"abc\"]}", "\"readings\" must be a list of numbers"},
        {"{\"readings\": \"2.6371 abc\"}", "\"readings\": not a number: abc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const fs::path path = Write("damaged.gear", c.text);
        PartRead read = ReadPartFile(path);
        EXPECT_FALSE(read.part);
        EXPECT_EQ(read.message, "The file " + path.string() + " is not a part file (" + c.problem + ").");
        EXPECT_EQ(Contents(path), c.text);  // left as it was
    }
}

TEST_F(PartFiles, WhatIsNoFileIsNotRead) {
    const fs::path fifo = folder / "pipe.gear";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const fs::path large = Write("large.gear", "{\"teeth\": \"24\"" + std::string(1 << 20, ' ') + "}");
    struct Case {
        fs::path path;
        std::string reason;
    };
    const std::vector<Case> cases = {{fifo, "it is not a file"}, {"/dev/zero", "it is not a file"}, {folder, "it is not a file"},
                                     {large, "it is too large for a part file"},
                                     {folder / "missing.gear", "No such file or directory"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        PartRead read = ReadPartFile(c.path);
        EXPECT_FALSE(read.part);
        EXPECT_EQ(read.message, "The part file " + c.path.string() + " could not be opened (" + c.reason + ").");
    }
}

TEST_F(PartFiles, SavingReplacesTheFileWholeOrLeavesItAsItWas) {
    const fs::path path = Write("part.gear", "old");
    Part part;
    part.entries["teeth"] = "24";
    ASSERT_EQ(WritePartFile(path, part), std::nullopt);
    EXPECT_EQ(Contents(path), "{\n  \"teeth\": \"24\",\n  \"internal\": false\n}\n");

    const fs::path nowhere = folder / "no such folder" / "part.gear";
    EXPECT_EQ(WritePartFile(nowhere, part),
              "The part could not be saved in the file " + nowhere.string() + " (No such file or directory).");
    EXPECT_EQ(FilesInFolder(), std::vector<std::string>{"part.gear"});
}

TEST_F(PartFiles, APartIsSavedUnderItsSuffix) {
    for (auto [name, saved] : {std::pair{"ring", "ring.gear"}, {"ring.gear", "ring.gear"}, {"RING.GEAR", "RING.GEAR"},
                               {"ring.v2", "ring.v2.gear"}})
        EXPECT_EQ(WithPartSuffix(name), saved);
}

// ---- Open Recent ----

TEST(RecentParts, TheLastFileComesFirstEachOnceAtMostFour) {
    using List = std::vector<std::string>;
    List recent;
    for (const char* name : {"/p/a.gear", "/p/b.gear", "/p/c.gear", "/p/a.gear", "/p/d.gear", "/p/e.gear"})
        recent = RememberPart(recent, name);
    EXPECT_EQ(recent, (List{"/p/e.gear", "/p/d.gear", "/p/a.gear", "/p/c.gear"}));
    EXPECT_EQ(RememberPart(recent, "/p/./x/../c.gear"), (List{"/p/c.gear", "/p/e.gear", "/p/d.gear", "/p/a.gear"}));
    EXPECT_EQ(ForgetPart(recent, "/p/d.gear"), (List{"/p/e.gear", "/p/a.gear", "/p/c.gear"}));
    EXPECT_EQ(RememberPart({}, "rel.gear"), List{(fs::current_path() / "rel.gear").string()});
    EXPECT_EQ(RecentPartCaption(0, "/p/Tom & Jerry.gear"), "&1 Tom && Jerry.gear");
    EXPECT_EQ(RecentPartCaption(3, "/p/d.gear"), "&4 d.gear");
}

TEST(RecentParts, TheListIsKeptInTheSettings) {
    testing::FakeSettings settings;
    EXPECT_TRUE(LoadRecentParts(settings).empty());
    EXPECT_TRUE(SaveRecentParts(settings, {"/p/a.gear", "/p/b.gear"}));
    EXPECT_EQ(settings.At("RecentParts", "Part1"), "/p/a.gear");
    EXPECT_TRUE(settings.values.count({"Involvo", "RecentParts", "Part4"}));
    EXPECT_EQ(LoadRecentParts(settings), (std::vector<std::string>{"/p/a.gear", "/p/b.gear"}));
    settings.Put("RecentParts", "Part3", "/p/a.gear");  // edited by hand: each file once
    EXPECT_EQ(LoadRecentParts(settings).size(), 2u);
    settings.writable = false;
    EXPECT_FALSE(SaveRecentParts(settings, {"/p/c.gear"}));
}

}  // namespace
}  // namespace involvo
