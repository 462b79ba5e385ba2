// The printout options: the file's text, what the start-up makes of whatever
// lies where the file should be, the save that never loses the options saved
// before, and the dialog.
#include <sys/stat.h>

#include <fstream>

#include "tests/support/failing_disk.h"
#include "tests/support/program.h"

namespace involvo::testing {
namespace {

std::string Repeat(const std::string& s, int n) {
    std::string out;
    while (n-- > 0) out += s;
    return out;
}
OptionValues Only(std::initializer_list<int> on, int16_t value = 1) {
    OptionValues v{};
    for (int i : on) v[i] = value;
    return v;
}
OptionValues All(int16_t value) { return Only({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}, value); }
const std::string kAllOff = Repeat("0\r\n", 18), kAllOn = Repeat("1\r\n", 18);

// Each row checks one rule of the file's text; that nothing crashes the reader
// and that what it reads it writes back the same is the fuzz target's to prove.
TEST(ParseOptions, TakesTheLastWholeGroupOfEighteenStatesAndNothingDamaged) {
    const std::optional<OptionValues> damaged;
    const std::vector<std::tuple<const char*, std::string, std::optional<OptionValues>>> cases = {
        {"one value a line, in the options' order", "1\r\n0\r\n1\r\n" + Repeat("0\r\n", 14) + "1\r\n", Only({1, 3, 18})},
        {"a greyed box (2)", "2\r\n" + Repeat("0\r\n", 17), Only({1}, 2)},
        {"the second group counts", kAllOff + kAllOn, All(1)},
        {"commas end values too", "1,0,1," + Repeat("0,", 14) + "1\r\n", Only({1, 3, 18})},
        {"line feeds alone", Repeat("1\n", 18), All(1)},
        {"quoted values", Repeat("\"1\"\r\n", 18), All(1)},
        {"quoted value with blanks after it", "\"1\" \r\n" + Repeat("0\r\n", 17), Only({1})},
        {"no line end at the end", Repeat("0\r\n", 17) + "1", Only({18})},
        {"cut between CR and LF", Repeat("1\r\n", 17) + "1\r", All(1)},
        {"blank lines at the end", kAllOn + "\r\n \r\n", All(1)},
        {"blanks around a value", " 1\t\r\n" + Repeat("0\r\n", 17), Only({1})},
        {"empty", "", damaged},
        {"only line ends", Repeat("\r\n", 18), damaged},
        {"seventeen lines", Repeat("1\r\n", 17), damaged},
        {"cut in the second group", kAllOn + Repeat("1\r\n", 4), damaged},
        {"a quote that is not closed", Repeat("1\r\n", 9) + "\"1", damaged},
        {"text after a closing quote", "\"1\"x\r\n" + Repeat("0\r\n", 17), damaged},
        {"a value 3", "3\r\n" + Repeat("0\r\n", 17), damaged},
        {"a negative value", "-1\r\n" + Repeat("0\r\n", 17), damaged},
        {"a huge number", "70000\r\n" + Repeat("0\r\n", 17), damaged},
        {"beyond any integer", Repeat("99999999999999999999\r\n", 18), damaged},
        {"words", Repeat("True\r\n", 9) + Repeat("nan\r\n", 9), damaged},
        {"two values on a line", "1 0\r\n" + Repeat("0\r\n", 17), damaged},
        {"an empty value between commas", "1,,1" + Repeat("\r\n0", 16), damaged},
        {"a NUL after each value", Repeat(std::string("1\0\r\n", 4), 18), damaged},
    };
    for (const auto& [name, text, expected] : cases) EXPECT_EQ(ParseOptions(text), expected) << name;
}

// ---- The start-up read: whatever lies where the file should be ----

struct StartUpCase {
    const char* name;
    std::function<void(const fs::path&)> prepare;
    OptionValues expected;
    std::optional<std::string> fileAfter;  // what is in the file's place afterwards; nothing: left as it was
    bool fullDisk = false;
};

TEST(ReadOptionsAtStartUp, ReadsAGoodFileAndReplacesADamagedOneAndLeavesWhatIsNoFile) {
    const auto write = [](std::string text) { return [text](const fs::path& p) { std::ofstream(p) << text; }; };
    const std::vector<StartUpCase> cases = {
        {"missing: created with every option off", [](const fs::path&) {}, All(0), kAllOff},
        {"two groups: the second, file kept", write(kAllOff + OptionsFileText(Only({2, 4}))), Only({2, 4}),
         kAllOff + OptionsFileText(Only({2, 4}))},
        {"damaged: replaced", write(Repeat("1\r\n", 17)), All(0), kAllOff},
        {"a value 7: replaced", write(Repeat("1\r\n", 10) + "7\r\n" + Repeat("1\r\n", 7)), All(0), kAllOff},
        {"larger than any options file: replaced", write(Repeat(kAllOn, 40000)), All(0), kAllOff},
        {"a folder", [](const fs::path& p) { fs::create_directories(p / "kept"); }, All(0), std::nullopt},
        {"a pipe", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }, All(0), std::nullopt},
        {"an endless device", [](const fs::path& p) { fs::create_symlink("/dev/zero", p); }, All(0), std::nullopt},
        {"damaged on a full disk: left", write("x\r\n"), All(0), "x\r\n", true},
    };
    for (const StartUpCase& c : cases) {
        const fs::path dir = FreshFolder(), file = dir / kOptionsFileName;
        c.prepare(file);
        const auto read = [&] { return ReadOptionsAtStartUp(file); };  // a pipe or a device would keep it waiting
        EXPECT_EQ(c.fullDisk ? [&] { FailingDisk disk(0); return read(); }() : read(), c.expected) << c.name;
        if (c.fileAfter) { EXPECT_EQ(ReadFile(file), *c.fileAfter) << c.name; }
        EXPECT_TRUE(std::string(c.name) != "a folder" || fs::is_directory(file / "kept"));
        EXPECT_TRUE(std::string(c.name) != "an endless device" || fs::read_symlink(file) == "/dev/zero");
        EXPECT_EQ(Names(dir), std::vector<std::string>{kOptionsFileName}) << c.name << ": nothing else is left";
        fs::remove_all(dir);
    }
}

TEST(WriteOptionsFile, AFailedSaveKeepsTheSavedFileWholeAndLeavesNoTemporaryFile) {
    for (const rlim_t room : {0, 20}) {  // full, full half-way
        const fs::path dir = FreshFolder(), file = dir / kOptionsFileName;
        std::ofstream(file) << OptionsFileText(Only({1, 3, 9}));
        const auto reason = [&] { FailingDisk disk(room); return WriteOptionsFile(file, All(1)); }();
        EXPECT_NE(reason.value_or(""), "") << room << ": the reason";
        EXPECT_EQ(ReadFile(file), OptionsFileText(Only({1, 3, 9}))) << room;
        EXPECT_EQ(Names(dir), std::vector<std::string>{kOptionsFileName}) << room;
        EXPECT_EQ(WriteOptionsFile(file, All(0)), std::nullopt) << room << ": with room again";
        EXPECT_EQ(ReadFile(file), kAllOff) << room;
        fs::remove_all(dir);
    }
}

// Options 1, 3 and 9 saved before the program starts.
class OptionsDialog : public ProgramTest {
protected:
    void SetUp() override { std::ofstream(OptionsFile()) << OptionsFileText(Only({1, 3, 9})); }
    // The user opens the printout options from the input screen's menu.
    HeadlessView& Open() {
        screen().Click(ctl::MnuCheckbox1);
        EXPECT_TRUE(page(FormId::FrmChecklist1).IsShown());
        return page(FormId::FrmChecklist1);
    }
};

TEST_F(OptionsDialog, CarriesItsCaptions) {
    const HeadlessView& d = Open();
    std::string captions;
    for (Control c : {ctl::Window, ctl::Frame1, ctl::Checkall, ctl::CmdCustom1OK, ctl::CmdCustom1Cancel})
        captions += d.Text(c) + "|";
    for (int i = 1; i <= 18; ++i) captions += d.Text(ctl::Check(i)) + "|";
    EXPECT_EQ(captions,
              "Involvo -  Printout Options|Check the items to include on the printed form|Check All|OK|Cancel|"
              "AGMA Quality Tolerences|Outside/Inside Diameter|Root Diameter (Basic)|Root Diameter (Finished)|"
              "Addendum|Dedendum|Whole Depth|Working Depth|Tooth Tip Land|Chordal Tooth Thickness/Space Width|"
              "Circular Pitch|K Factor|Transverse Dimensions (Helical gears)|Pin Contact Diameter|Base Pitch|"
              "Radial Dimension Over (1) Pin|Axial Pitch (Helical Gears)|Part Number or Title|");
}

TEST_F(OptionsDialog, OkSavesTheTicksAndCheckAllTicksEveryBox) {
    EXPECT_EQ(OptionsOf(gear()), Only({1, 3, 9})) << "read at start-up";
    HeadlessView& d = Open();
    d.Tick(ctl::Check(3)), d.Tick(ctl::Check(18)), d.Press(ctl::CmdCustom1OK);
    EXPECT_EQ(OptionsOf(gear()), Only({1, 9, 18}));
    HeadlessView& again = Open();
    EXPECT_TRUE(again.Checked(ctl::Check(18)) && !again.Checked(ctl::Check(3)));
    // Check All again after a box was taken off: its click takes its own tick
    // away, the command puts it back, and every box is ticked.
    again.Tick(ctl::Checkall), again.Tick(ctl::Check(4)), again.Tick(ctl::Checkall);
    EXPECT_TRUE(again.Checked(ctl::Checkall) && again.Checked(ctl::Check(4)));
    again.Press(ctl::CmdCustom1OK);
    EXPECT_FALSE(app().IsLoaded(FormId::FrmChecklist1));
    EXPECT_EQ(OptionsOf(gear()), All(1));
    EXPECT_EQ(ReadFile(OptionsFile()), kAllOn);
    EXPECT_EQ(Names(Folder()), std::vector<std::string>{kOptionsFileName});
    EXPECT_TRUE(platform().Messages().empty());
}

TEST_F(OptionsDialog, CancelAnotherWindowAndExitDiscardTheTicks) {
    for (int way = 0; way < 3; ++way) {
        HeadlessView& d = Open();
        d.Tick(ctl::Checkall);
        if (way == 0) d.Press(ctl::CmdCustom1Cancel);
        if (way == 1) d.Deactivate(), screen().Activate();
        if (way == 2) screen().Press(ctl::cmdExit);
        platform().RunTimers();
        EXPECT_FALSE(app().IsLoaded(FormId::FrmChecklist1)) << way;
        EXPECT_EQ(OptionsOf(gear()), Only({1, 3, 9})) << way;
        EXPECT_EQ(ReadFile(OptionsFile()), OptionsFileText(Only({1, 3, 9}))) << way;
    }
    EXPECT_TRUE(app().Ended());
}

TEST_F(OptionsDialog, AGreyedOptionNobodyTouchedKeepsItsValue) {
    OptionValues v = Only({1});
    v[5] = v[6] = 2;
    SetOptions(gear(), v);
    HeadlessView& d = Open();
    EXPECT_TRUE(d.Checked(ctl::Check(5)));
    d.Tick(ctl::Check(6)), d.Press(ctl::CmdCustom1OK);  // greyed, then clicked: off
    v[6] = 0;
    EXPECT_EQ(OptionsOf(gear()), v);
    EXPECT_EQ(ReadFile(OptionsFile()), "1\r\n0\r\n0\r\n0\r\n2\r\n0\r\n" + Repeat("0\r\n", 12));  // in order
}

TEST_F(OptionsDialog, OkWithAFolderInTheFilesPlaceSaysTheOptionsWereNotSavedAndKeepsThemForTheRun) {
    fs::remove(OptionsFile());
    fs::create_directories(OptionsFile() / "kept");
    HeadlessView& d = Open();
    EXPECT_TRUE(platform().Messages().empty());
    d.Tick(ctl::Check(1)), d.Tick(ctl::Check(5)), d.Press(ctl::CmdCustom1OK);
    ASSERT_EQ(platform().Messages().size(), 1u);
    const ShownMessage& m = platform().Messages()[0];
    EXPECT_TRUE(m.title == "Involvo" && m.icon == MsgIcon::Exclamation && m.buttons == MsgButtons::OK);
    const std::string lead = "The printout options could not be saved in the file " +
                             fs::absolute(OptionsFile()).string() + " (",
                      tail = ").\r\rThe options chosen stay in effect until Involvo is closed.";
    using ::testing::StartsWith, ::testing::EndsWith, ::testing::SizeIs, ::testing::Gt;
    EXPECT_THAT(m.text, AllOf(StartsWith(lead), EndsWith(tail), SizeIs(Gt(lead.size() + tail.size()))));  // a reason
    EXPECT_EQ(OptionsOf(gear()), Only({1, 5}));
    EXPECT_FALSE(app().IsLoaded(FormId::FrmChecklist1));
    EXPECT_TRUE(fs::is_directory(OptionsFile() / "kept"));
    EXPECT_EQ(Names(Folder()), std::vector<std::string>{kOptionsFileName});
}

}  // namespace
}  // namespace involvo::testing
