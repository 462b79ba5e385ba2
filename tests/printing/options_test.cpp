// The printout options: the file, its start-up read, and the dialog.
#include <gtest/gtest.h>

#include "tests/printing/printing_fixture.h"

namespace involvo::test {
namespace {

const std::string kAllOff = Repeat("0\r\n", 18);
const std::string kAllOn = Repeat("1\r\n", 18);

OptionValues Values(std::initializer_list<int> on) {
    OptionValues v{};
    for (int i : on) v[i] = 1;
    return v;
}

OptionValues AllOf(int16_t value) {
    OptionValues v{};
    for (int i = 1; i <= kOptionCount; ++i) v[i] = value;
    return v;
}

// ---- The file's text ----

TEST(OptionsFile, AllOnIsFiftyFourBytesOfOneAndCrLf) {
    std::string text = OptionsFileText(AllOf(1));
    EXPECT_EQ(text.size(), 54u);
    EXPECT_EQ(text, kAllOn);
}

TEST(OptionsFile, LinesFollowTheIndexOrder) {
    EXPECT_EQ(OptionsFileText(Values({1, 3, 18})),
              "1\r\n0\r\n1\r\n" + Repeat("0\r\n", 14) + "1\r\n");
}

struct ParseCase {
    const char* name;
    std::string text;
    std::optional<OptionValues> expected;
};

class ParseOptionsTable : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseOptionsTable, ReadsWhatTheFileHolds) {
    const ParseCase& c = GetParam();
    auto values = ParseOptions(c.text);
    ASSERT_EQ(values.has_value(), c.expected.has_value()) << c.name;
    if (values) {
        EXPECT_EQ(*values, *c.expected) << c.name;
    }
}

OptionValues WithTwo() {
    OptionValues v = Values({1});
    v[5] = 2;
    return v;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseOptionsTable,
    ::testing::Values(
        ParseCase{"all off", kAllOff, AllOf(0)},
        ParseCase{"all on", kAllOn, AllOf(1)},
        ParseCase{"mixed", "1\r\n0\r\n1\r\n" + Repeat("0\r\n", 14) + "1\r\n", Values({1, 3, 18})},
        ParseCase{"seventeen lines", Repeat("1\r\n", 17), std::nullopt},
        ParseCase{"thirty-six lines: the second group counts", kAllOff + kAllOn, AllOf(1)},
        ParseCase{"thirty-five lines: the second group ends early", kAllOn + Repeat("0\r\n", 17), std::nullopt},
        ParseCase{"a value 7", "7\r\n" + Repeat("0\r\n", 17), std::nullopt},
        ParseCase{"a value x", Repeat("0\r\n", 9) + "x\r\n" + Repeat("0\r\n", 8), std::nullopt},
        ParseCase{"a negative value", "-1\r\n" + Repeat("0\r\n", 17), std::nullopt},
        ParseCase{"a greyed box (2) is a check box state", "1\r\n0\r\n0\r\n0\r\n2\r\n" + Repeat("0\r\n", 13),
                  WithTwo()},
        ParseCase{"commas end values too", "1,0,1," + Repeat("0,", 14) + "1\r\n", Values({1, 3, 18})},
        ParseCase{"line feeds alone", Repeat("1\n", 18), AllOf(1)},
        ParseCase{"quoted values", Repeat("\"1\"\r\n", 18), AllOf(1)},
        ParseCase{"no line end after the last value", Repeat("0\r\n", 17) + "1", Values({18})},
        ParseCase{"a blank line at the end", kAllOn + "\r\n", AllOf(1)},
        ParseCase{"blanks around a value", " 1 \r\n" + Repeat("0\r\n", 17), Values({1})},
        ParseCase{"two values on one line without a comma", "1 0\r\n" + Repeat("0\r\n", 17), std::nullopt},
        ParseCase{"an empty value between commas", "1,,1" + Repeat("\r\n0", 16), std::nullopt},
        ParseCase{"an empty file", "", std::nullopt},
        ParseCase{"a huge number", "70000\r\n" + Repeat("0\r\n", 17), std::nullopt}),
    [](const ::testing::TestParamInfo<ParseCase>& info) {
        std::string name;
        for (const char* p = info.param.name; *p; ++p)
            name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
        return name;
    });

// ---- The start-up read ----

class StartUpWithoutFile : public ProgramTest {};

TEST_F(StartUpWithoutFile, FirstRunTurnsEveryOptionOffAndCreatesTheFile) {
    for (int i = 1; i <= kOptionCount; ++i) EXPECT_EQ(gear.PrintoutChoices[i], 0) << i;
    EXPECT_EQ(ReadFile(OptionsFile()), kAllOff);
    EXPECT_TRUE(app.IsLoaded(FormId::FrmChecklist1));
    EXPECT_FALSE(platform.ViewOf(FormId::FrmChecklist1)->IsShown());
    EXPECT_TRUE(platform.Messages().empty());
}

class StartUpWithFile : public ProgramTest {
protected:
    void BeforeStartUp() override { WriteFile(OptionsFile(), FileText()); }
    virtual std::string FileText() = 0;
};

class SeventeenLines : public StartUpWithFile {
    std::string FileText() override { return Repeat("1\r\n", 17); }
};
TEST_F(SeventeenLines, AreReplacedByEighteenZeros) {
    for (int i = 1; i <= kOptionCount; ++i) EXPECT_EQ(gear.PrintoutChoices[i], 0) << i;
    EXPECT_EQ(ReadFile(OptionsFile()), kAllOff);
    EXPECT_TRUE(platform.Messages().empty());
}

class ThirtySixLines : public StartUpWithFile {
    std::string FileText() override { return kAllOff + OptionsFileText(Values({2, 4, 6})); }
};
TEST_F(ThirtySixLines, LeaveTheSecondGroupInEffectAndTheFileAsItWas) {
    EXPECT_EQ(OptionsOf(gear), Values({2, 4, 6}));
    EXPECT_EQ(ReadFile(OptionsFile()), kAllOff + OptionsFileText(Values({2, 4, 6})));
    HeadlessView* dialog = platform.ViewOf(FormId::FrmChecklist1);
    EXPECT_TRUE(dialog->Checked(ctl::Check(2)));
    EXPECT_FALSE(dialog->Checked(ctl::Check(3)));
    EXPECT_TRUE(dialog->Checked(ctl::Check(6)));
}

class ValueSeven : public StartUpWithFile {
    std::string FileText() override { return Repeat("1\r\n", 10) + "7\r\n" + Repeat("1\r\n", 7); }
};
TEST_F(ValueSeven, IsNotACheckBoxStateAndTheFileIsReplaced) {
    EXPECT_EQ(OptionsOf(gear), AllOf(0));
    EXPECT_EQ(ReadFile(OptionsFile()), kAllOff);
}

class ValueX : public StartUpWithFile {
    std::string FileText() override { return "x\r\n" + Repeat("1\r\n", 17); }
};
TEST_F(ValueX, IsNotANumberAndTheFileIsReplaced) {
    EXPECT_EQ(OptionsOf(gear), AllOf(0));
    EXPECT_EQ(ReadFile(OptionsFile()), kAllOff);
}

class AllOnFile : public StartUpWithFile {
    std::string FileText() override { return kAllOn; }
};
TEST_F(AllOnFile, TicksEveryBoxOfTheHiddenDialog) {
    EXPECT_EQ(OptionsOf(gear), AllOf(1));
    HeadlessView* dialog = platform.ViewOf(FormId::FrmChecklist1);
    for (int i = 1; i <= kOptionCount; ++i) EXPECT_TRUE(dialog->Checked(ctl::Check(i))) << i;
}

// ---- The dialog ----

class OptionsDialog : public ProgramTest {
protected:
    HeadlessView& Open() {
        OpenPrintoutOptions(app, gear);
        return *platform.ViewOf(FormId::FrmChecklist1);
    }
};

TEST_F(OptionsDialog, ShowsItsCaptions) {
    HeadlessView& d = Open();
    EXPECT_EQ(d.Text(ctl::Window), "Involvo -  Printout Options");
    EXPECT_EQ(d.Text(ctl::Frame1), "Check the items to include on the printed form");
    EXPECT_EQ(d.Text(ctl::Checkall), "Check All");
    EXPECT_EQ(d.Text(ctl::CmdCustom1OK), "OK");
    EXPECT_EQ(d.Text(ctl::CmdCustom1Cancel), "Cancel");
    const char* captions[] = {"AGMA Quality Tolerences",
                              "Outside/Inside Diameter",
                              "Root Diameter (Basic)",
                              "Root Diameter (Finished)",
                              "Addendum",
                              "Dedendum",
                              "Whole Depth",
                              "Working Depth",
                              "Tooth Tip Land",
                              "Chordal Tooth Thickness/Space Width",
                              "Circular Pitch",
                              "K Factor",
                              "Transverse Dimensions (Helical gears)",
                              "Pin Contact Diameter",
                              "Base Pitch",
                              "Radial Dimension Over (1) Pin",
                              "Axial Pitch (Helical Gears)",
                              "Part Number or Title"};
    for (int i = 1; i <= 18; ++i) EXPECT_EQ(d.Text(ctl::Check(i)), captions[i - 1]) << i;
    EXPECT_TRUE(d.IsShown());
}

TEST_F(OptionsDialog, OpensWithTheOptionsInForce) {
    SetOptions(gear, Values({3, 12}));
    HeadlessView& d = Open();
    EXPECT_TRUE(d.Checked(ctl::Check(3)));
    EXPECT_TRUE(d.Checked(ctl::Check(12)));
    EXPECT_FALSE(d.Checked(ctl::Check(1)));
}

TEST_F(OptionsDialog, CheckAllThenCancelChangesNothing) {
    HeadlessView& d = Open();
    d.Tick(ctl::Checkall);
    for (int i = 1; i <= 18; ++i) EXPECT_TRUE(d.Checked(ctl::Check(i)));
    d.Press(ctl::CmdCustom1Cancel);
    EXPECT_FALSE(app.IsLoaded(FormId::FrmChecklist1));
    EXPECT_EQ(OptionsOf(gear), AllOf(0));
    EXPECT_EQ(ReadFile(OptionsFile()), kAllOff);
}

TEST_F(OptionsDialog, CheckAllThenOkWritesEighteenOnes) {
    HeadlessView& d = Open();
    d.Tick(ctl::Checkall);
    EXPECT_TRUE(d.Checked(ctl::Checkall));
    d.Press(ctl::CmdCustom1OK);
    EXPECT_FALSE(app.IsLoaded(FormId::FrmChecklist1));
    EXPECT_EQ(OptionsOf(gear), AllOf(1));
    EXPECT_EQ(ReadFile(OptionsFile()), kAllOn);
    // Only the file itself is left in the folder: no temporary file.
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{kOptionsFileName});
    EXPECT_TRUE(platform.Messages().empty());
}

TEST_F(OptionsDialog, ClickingCheckAllWhenItIsTickedStillTicksEverything) {
    HeadlessView& d = Open();
    d.Tick(ctl::Checkall);
    d.Tick(ctl::Check(4));  // off again
    d.Tick(ctl::Checkall);  // the user's click takes the tick away; the command puts it back
    EXPECT_TRUE(d.Checked(ctl::Checkall));
    EXPECT_TRUE(d.Checked(ctl::Check(4)));
}

TEST_F(OptionsDialog, OkStoresSingleTicks) {
    HeadlessView& d = Open();
    d.Tick(ctl::Check(3));
    d.Tick(ctl::Check(18));
    d.Press(ctl::CmdCustom1OK);
    EXPECT_EQ(OptionsOf(gear), Values({3, 18}));
    EXPECT_EQ(ReadFile(OptionsFile()), OptionsFileText(Values({3, 18})));
}

TEST_F(OptionsDialog, ActivatingAnotherWindowDiscardsTheChanges) {
    HeadlessView& d = Open();
    d.Tick(ctl::Checkall);
    d.Deactivate();
    platform.ViewOf(FormId::FrmMain)->Activate();
    EXPECT_FALSE(app.IsLoaded(FormId::FrmChecklist1));
    EXPECT_EQ(OptionsOf(gear), AllOf(0));
    EXPECT_EQ(ReadFile(OptionsFile()), kAllOff);
}

TEST_F(OptionsDialog, ReopeningStartsAgainFromTheOptions) {
    HeadlessView& d = Open();
    d.Tick(ctl::Check(7));
    d.Press(ctl::CmdCustom1Cancel);
    platform.RunTimers();
    HeadlessView& again = Open();
    EXPECT_FALSE(again.Checked(ctl::Check(7)));
    EXPECT_FALSE(again.Checked(ctl::Checkall));
}

TEST_F(OptionsDialog, ExitWhileTheDialogIsOpenSavesNothing) {
    HeadlessView& d = Open();
    d.Tick(ctl::Checkall);
    platform.ViewOf(FormId::FrmMain)->Press(ctl::cmdExit);
    EXPECT_TRUE(app.Ended());
    EXPECT_EQ(OptionsOf(gear), AllOf(0));
    EXPECT_EQ(ReadFile(OptionsFile()), kAllOff);
}

TEST_F(OptionsDialog, AGreyedOptionNobodyTouchedKeepsItsValue) {
    OptionValues v = Values({1});
    v[5] = 2;
    SetOptions(gear, v);
    HeadlessView& d = Open();
    EXPECT_TRUE(d.Checked(ctl::Check(5)));
    d.Press(ctl::CmdCustom1OK);
    EXPECT_EQ(OptionsOf(gear), v);
    EXPECT_EQ(ReadFile(OptionsFile()), OptionsFileText(v));
}

// ---- A file that cannot be written ----

class UnwritableFolder : public OptionsDialog {
protected:
    void BeforeStartUp() override {
        // Root ignores permissions; a folder that is a file cannot hold the file.
        WriteFile(folder_ / "not-a-folder", "x");
        app.SetPrintoutOptionsFile(folder_ / "not-a-folder" / kOptionsFileName);
    }
};

TEST_F(UnwritableFolder, StartsWithEveryOptionOffAndNoMessage) {
    EXPECT_EQ(OptionsOf(gear), AllOf(0));
    EXPECT_TRUE(platform.Messages().empty());
}

TEST_F(UnwritableFolder, OkSaysTheOptionsWereNotSavedAndKeepsThemForTheRun) {
    HeadlessView& d = Open();
    d.Tick(ctl::Checkall);
    d.Press(ctl::CmdCustom1OK);
    ASSERT_EQ(platform.Messages().size(), 1u);
    const ShownMessage& m = platform.Messages()[0];
    EXPECT_EQ(m.title, "Involvo");
    EXPECT_EQ(m.icon, MsgIcon::Exclamation);
    EXPECT_NE(m.text.find("could not be saved"), std::string::npos) << m.text;
    EXPECT_NE(m.text.find("CheckboxValues.dat"), std::string::npos) << m.text;
    EXPECT_NE(m.text.find("until Involvo is closed"), std::string::npos) << m.text;
    EXPECT_EQ(OptionsOf(gear), AllOf(1));
    EXPECT_FALSE(app.IsLoaded(FormId::FrmChecklist1));
    EXPECT_EQ(ReadFile(folder_ / "not-a-folder"), "x");
}

TEST(OptionsWriter, AMissingFolderIsReported) {
    fs::path path = fs::temp_directory_path() / "involvo-no-such-folder-for-options" / kOptionsFileName;
    fs::remove_all(path.parent_path());
    auto reason = WriteOptionsFile(path, AllOf(1));
    ASSERT_TRUE(reason.has_value());
    EXPECT_FALSE(reason->empty());
    EXPECT_FALSE(fs::exists(path.parent_path()));
}

TEST(OptionsWriter, AFailedReplaceKeepsTheOldFileAndLeavesNoTemporaryFile) {
    fs::path dir = fs::temp_directory_path() / ("involvo-options-replace-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / kOptionsFileName / "inside");  // the target is a folder that is not empty
    auto reason = WriteOptionsFile(dir / kOptionsFileName, AllOf(1));
    EXPECT_TRUE(reason.has_value());
    EXPECT_TRUE(fs::is_directory(dir / kOptionsFileName / "inside"));
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{kOptionsFileName});
    fs::remove_all(dir);
}

TEST(OptionsWriter, ReplacesTheOldFileWhole) {
    fs::path dir = fs::temp_directory_path() / ("involvo-options-whole-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    WriteFile(dir / kOptionsFileName, Repeat("1\r\n", 36) + "garbage");
    EXPECT_FALSE(WriteOptionsFile(dir / kOptionsFileName, AllOf(0)).has_value());
    EXPECT_EQ(ReadFile(dir / kOptionsFileName), kAllOff);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace involvo::test
