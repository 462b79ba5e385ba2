// The printout-options file under faults: whatever lies where the file should
// be, the program starts, quietly, with every option off; a save that fails on
// OK says so and keeps the options for the run; and options saved before are
// never lost to a failed save.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <random>
#include <thread>

#include "tests/printing/printing_fixture.h"

namespace involvo::test {
namespace {

const std::string kAllOff = Repeat("0\r\n", 18);
const std::string kAllOn = Repeat("1\r\n", 18);

OptionValues AllOf(int16_t value) {
    OptionValues v{};
    for (int i = 1; i <= kOptionCount; ++i) v[i] = value;
    return v;
}

OptionValues Only(std::initializer_list<int> on) {
    OptionValues v{};
    for (int i : on) v[i] = 1;
    return v;
}

std::vector<std::string> Names(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string Garbage(size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string text(size, '\0');
    for (char& c : text) c = static_cast<char>(random() & 0xff);
    return text;
}

// Writes beyond `bytes` fail in this process as on a full disk (EFBIG instead of
// ENOSPC), until the guard goes. The signal the kernel sends with it is ignored,
// as a program must.
class FailingDisk {
public:
    explicit FailingDisk(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        oldSignal_ = signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FailingDisk() {
        setrlimit(RLIMIT_FSIZE, &old_);
        signal(SIGXFSZ, oldSignal_);
    }

private:
    rlimit old_{};
    sighandler_t oldSignal_ = SIG_DFL;
};

// The program started on what the test puts where the options file should be.
class OptionsFault : public ProgramTest {
protected:
    HeadlessView& Main() { return *platform.ViewOf(FormId::FrmMain); }
    // The user opens the printout options from the input screen's menu.
    HeadlessView& OpenOptions() {
        Main().Click(ctl::MnuCheckbox1);
        HeadlessView* dialog = platform.ViewOf(FormId::FrmChecklist1);
        EXPECT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog && dialog->IsShown());
        return *dialog;
    }
    // Ticks the boxes given (they start off) and presses OK.
    void ChooseAndConfirm(std::initializer_list<int> ticks) {
        HeadlessView& d = OpenOptions();
        for (int i : ticks) d.Tick(ctl::Check(i));
        d.Press(ctl::CmdCustom1OK);
        platform.RunTimers();
    }
    // The start-up was silent and every option is off.
    void ExpectQuietStartWithEveryOptionOff() {
        EXPECT_TRUE(platform.Messages().empty()) << platform.Messages().front().text;
        EXPECT_EQ(OptionsOf(gear), AllOf(0));
        ASSERT_TRUE(app.IsLoaded(FormId::FrmMain));
        EXPECT_TRUE(platform.ViewOf(FormId::FrmMain)->IsShown());
        HeadlessView* dialog = platform.ViewOf(FormId::FrmChecklist1);
        ASSERT_NE(dialog, nullptr);
        for (int i = 1; i <= kOptionCount; ++i)
            EXPECT_FALSE(dialog->Checked(ctl::Check(i))) << i;
    }
    // The program's own message about a failed save.
    void ExpectSaveFailureMessage() {
        ASSERT_EQ(platform.Messages().size(), 1u);
        const ShownMessage& m = platform.Messages()[0];
        EXPECT_EQ(m.title, "Involvo");
        EXPECT_EQ(m.icon, MsgIcon::Exclamation);
        EXPECT_EQ(m.buttons, MsgButtons::OK);
        const std::string lead = "The printout options could not be saved in the file ";
        EXPECT_EQ(m.text.rfind(lead, 0), 0u) << m.text;
        EXPECT_NE(m.text.find(fs::absolute(OptionsFile()).string() + " ("), std::string::npos) << m.text;
        const std::string tail = ").\r\rThe options chosen stay in effect until Involvo is closed.";
        ASSERT_GE(m.text.size(), tail.size());
        EXPECT_EQ(m.text.substr(m.text.size() - tail.size()), tail) << m.text;
        // The reason between the brackets is the system's, in words.
        size_t open = m.text.rfind(" (");
        EXPECT_GT(m.text.size() - tail.size(), open + 2) << "a reason is given: " << m.text;
    }
    // The same program started again on the same file.
    OptionValues OptionsOfTheNextRun() {
        gearmain::GearMain nextGear;
        HeadlessPlatform nextPlatform;
        Application next(nextGear, nextPlatform);
        next.SetPrintoutOptionsFile(OptionsFile());
        next.StartUpWithoutSplash();
        EXPECT_TRUE(nextPlatform.Messages().empty());
        OptionValues v = OptionsOf(nextGear);
        next.Shutdown();
        nextPlatform.RunTimers();
        return v;
    }
};

// ---- Damaged contents: replaced by the all-off file, silently ----

struct DamagedCase {
    const char* name;
    std::string text;
};
void PrintTo(const DamagedCase& c, std::ostream* os) { *os << c.name; }

class DamagedFile : public OptionsFault, public ::testing::WithParamInterface<DamagedCase> {
protected:
    void BeforeStartUp() override { WriteFile(OptionsFile(), GetParam().text); }
};

TEST_P(DamagedFile, StartsQuietlyWithEveryOptionOffAndTheFileReplaced) {
    ExpectQuietStartWithEveryOptionOff();
    EXPECT_EQ(ReadFile(OptionsFile()), kAllOff);
    EXPECT_EQ(Names(folder_), std::vector<std::string>{kOptionsFileName}) << "no temporary file is left";
    // And the program works: the options can be chosen and saved.
    ChooseAndConfirm({2, 14});
    EXPECT_TRUE(platform.Messages().empty());
    EXPECT_EQ(OptionsOf(gear), Only({2, 14}));
    EXPECT_EQ(ReadFile(OptionsFile()), OptionsFileText(Only({2, 14})));
}

std::string Utf16(const std::string& text, bool bom) {
    std::string out = bom ? std::string("\xff\xfe", 2) : std::string();
    for (char c : text) {
        out += c;
        out += '\0';
    }
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    Contents, DamagedFile,
    ::testing::Values(
        DamagedCase{"empty", ""},
        DamagedCase{"only_line_ends", Repeat("\r\n", 18)},
        DamagedCase{"cut_in_the_middle_of_a_line", Repeat("1\r\n", 9) + "\"1"},
        DamagedCase{"cut_after_nine_lines", Repeat("1\r\n", 9)},
        DamagedCase{"cut_in_the_second_group", kAllOn + Repeat("1\r\n", 4)},
        DamagedCase{"binary_garbage", Garbage(4096, 1)},
        DamagedCase{"garbage_after_a_good_group", kAllOn + Garbage(100, 2)},
        DamagedCase{"nul_bytes", std::string(54, '\0')},
        DamagedCase{"a_nul_after_each_value", Repeat(std::string("1\0\r\n", 4), 18)},
        DamagedCase{"utf16_with_a_byte_order_mark", Utf16(kAllOn, true)},
        DamagedCase{"utf16_without_a_byte_order_mark", Utf16(kAllOn, false)},
        DamagedCase{"words_instead_of_numbers", Repeat("True\r\n", 18)},
        DamagedCase{"numbers_beyond_a_check_box", Repeat("3\r\n", 18)},
        DamagedCase{"numbers_beyond_an_integer", Repeat("99999999999999999999\r\n", 18)},
        DamagedCase{"not_a_number_in_words", Repeat("nan\r\n", 18)},
        DamagedCase{"infinity_in_words", Repeat("inf\r\n", 18)},
        DamagedCase{"one_very_long_line", std::string(300000, '1')},
        // A file this large is no options file; it is not read into memory whole.
        DamagedCase{"far_larger_than_any_options_file", Repeat(kAllOn, 40000)}),
    [](const ::testing::TestParamInfo<DamagedCase>& info) { return std::string(info.param.name); });

// Cut between the CR and the LF of its last line, the file still holds eighteen
// whole values.
class CutBeforeTheLastLineFeed : public OptionsFault {
    void BeforeStartUp() override { WriteFile(OptionsFile(), Repeat("1\r\n", 17) + "1\r"); }
};
TEST_F(CutBeforeTheLastLineFeed, StillHoldsEveryOption) {
    EXPECT_TRUE(platform.Messages().empty());
    EXPECT_EQ(OptionsOf(gear), AllOf(1));
}

// ---- Something that is not a file in its place: left alone ----

class FolderInItsPlace : public OptionsFault {
    void BeforeStartUp() override {
        fs::create_directories(OptionsFile() / "kept");
        WriteFile(OptionsFile() / "kept" / "note.txt", "mine");
    }
};

TEST_F(FolderInItsPlace, StartsQuietlyWithEveryOptionOffAndLeavesTheFolder) {
    ExpectQuietStartWithEveryOptionOff();
    EXPECT_EQ(ReadFile(OptionsFile() / "kept" / "note.txt"), "mine");
    EXPECT_EQ(Names(folder_), std::vector<std::string>{kOptionsFileName}) << "no temporary file is left";
}

TEST_F(FolderInItsPlace, OkSaysTheOptionsCouldNotBeSavedAndKeepsThemForTheRun) {
    ChooseAndConfirm({1, 5});
    ExpectSaveFailureMessage();
    EXPECT_EQ(OptionsOf(gear), Only({1, 5}));
    EXPECT_FALSE(app.IsLoaded(FormId::FrmChecklist1));
    EXPECT_TRUE(fs::is_directory(OptionsFile()));
    EXPECT_EQ(Names(folder_), std::vector<std::string>{kOptionsFileName}) << "no temporary file is left";
    // Opened again, the dialog shows the options in force.
    HeadlessView& d = OpenOptions();
    EXPECT_TRUE(d.Checked(ctl::Check(1)));
    EXPECT_TRUE(d.Checked(ctl::Check(5)));
    EXPECT_FALSE(d.Checked(ctl::Check(2)));
}

class EmptyFolderInItsPlace : public OptionsFault {
    void BeforeStartUp() override { fs::create_directories(OptionsFile()); }
};

TEST_F(EmptyFolderInItsPlace, IsNotReplacedAtStartUp) {
    ExpectQuietStartWithEveryOptionOff();
    EXPECT_TRUE(fs::is_directory(OptionsFile()));
}

// A pipe in its place would block a reader until someone writes into it.
class PipeInItsPlace : public OptionsFault {
protected:
    void BeforeStartUp() override {
        ASSERT_EQ(::mkfifo(OptionsFile().c_str(), 0600), 0);
        // Should the start-up wait on the pipe, the watchdog opens it for
        // writing after five seconds, which lets the reader go, and says so.
        watchdog_ = std::thread([this] {
            std::unique_lock<std::mutex> lock(mutex_);
            if (started_.wait_for(lock, std::chrono::seconds(5), [this] { return startedUp_; })) return;
            hung_ = true;
            int fd = ::open(OptionsFile().c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) ::close(fd);
        });
    }
    void SetUp() override {
        OptionsFault::SetUp();
        {
            std::lock_guard<std::mutex> lock(mutex_);
            startedUp_ = true;
        }
        started_.notify_all();
        watchdog_.join();
    }

    std::thread watchdog_;
    std::mutex mutex_;
    std::condition_variable started_;
    bool startedUp_ = false;
    std::atomic<bool> hung_{false};
};

TEST_F(PipeInItsPlace, DoesNotHoldUpTheStartUp) {
    EXPECT_FALSE(hung_) << "the start-up waited on the pipe";
    ExpectQuietStartWithEveryOptionOff();
}

// A device that never ends (a link to /dev/zero) is not read at all.
class EndlessDeviceInItsPlace : public OptionsFault {
    void BeforeStartUp() override { fs::create_symlink("/dev/zero", OptionsFile()); }
};

TEST_F(EndlessDeviceInItsPlace, IsNotReadAndStaysAsItWas) {
    ExpectQuietStartWithEveryOptionOff();
    EXPECT_TRUE(fs::is_symlink(OptionsFile()));
    EXPECT_EQ(fs::read_symlink(OptionsFile()), "/dev/zero");
}

// ---- Folders that cannot hold the file ----

class MissingFolder : public OptionsFault {
    void BeforeStartUp() override { app.SetPrintoutOptionsFile(folder_ / "gone" / kOptionsFileName); }
};

TEST_F(MissingFolder, StartsQuietlyAndOkSaysTheOptionsCouldNotBeSaved) {
    ExpectQuietStartWithEveryOptionOff();
    EXPECT_FALSE(fs::exists(folder_ / "gone"));
    ChooseAndConfirm({18});
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_NE(platform.Messages()[0].text.find("could not be saved"), std::string::npos);
    EXPECT_NE(platform.Messages()[0].text.find((folder_ / "gone" / kOptionsFileName).string()), std::string::npos);
    EXPECT_EQ(OptionsOf(gear), Only({18}));
}

// ---- A disk that fails the write ----

class SavedBefore : public OptionsFault {
protected:
    void BeforeStartUp() override { WriteFile(OptionsFile(), OptionsFileText(Only({1, 3, 9}))); }
};

TEST_F(SavedBefore, StartsWithTheSavedOptions) {
    EXPECT_TRUE(platform.Messages().empty());
    EXPECT_EQ(OptionsOf(gear), Only({1, 3, 9}));
}

TEST_F(SavedBefore, AFullDiskOnOkShowsTheMessageAndKeepsTheSavedFile) {
    {
        FailingDisk full(0);
        ChooseAndConfirm({4});
    }
    ExpectSaveFailureMessage();
    EXPECT_EQ(OptionsOf(gear), Only({1, 3, 4, 9})) << "the options chosen stay in effect";
    EXPECT_EQ(ReadFile(OptionsFile()), OptionsFileText(Only({1, 3, 9}))) << "the saved options are not lost";
    EXPECT_EQ(Names(folder_), std::vector<std::string>{kOptionsFileName}) << "no temporary file is left";
    EXPECT_EQ(OptionsOfTheNextRun(), Only({1, 3, 9}));
}

TEST_F(SavedBefore, ADiskThatFailsHalfWayKeepsTheSavedFileWhole) {
    {
        FailingDisk full(20);  // the first few lines go in, then the disk is full
        ChooseAndConfirm({4});
    }
    ExpectSaveFailureMessage();
    EXPECT_EQ(ReadFile(OptionsFile()), OptionsFileText(Only({1, 3, 9})));
    EXPECT_EQ(Names(folder_), std::vector<std::string>{kOptionsFileName});
    EXPECT_EQ(OptionsOfTheNextRun(), Only({1, 3, 9}));
}

TEST_F(SavedBefore, OkAfterTheDiskHasRoomAgainSaves) {
    {
        FailingDisk full(0);
        ChooseAndConfirm({4});
    }
    platform.ClearRecords();
    ChooseAndConfirm({5});
    EXPECT_TRUE(platform.Messages().empty());
    EXPECT_EQ(OptionsOf(gear), Only({1, 3, 4, 5, 9}));
    EXPECT_EQ(ReadFile(OptionsFile()), OptionsFileText(Only({1, 3, 4, 5, 9})));
    EXPECT_EQ(OptionsOfTheNextRun(), Only({1, 3, 4, 5, 9}));
}

TEST_F(SavedBefore, CancelWritesNothingAndTheNextRunHasTheSavedOptions) {
    HeadlessView& d = OpenOptions();
    d.Tick(ctl::Checkall);
    d.Press(ctl::CmdCustom1Cancel);
    platform.RunTimers();
    EXPECT_EQ(OptionsOf(gear), Only({1, 3, 9}));
    EXPECT_EQ(OptionsOfTheNextRun(), Only({1, 3, 9}));
}

// A damaged file found at start-up on a full disk: the options are off for the
// run, nothing is said, and the damaged file stays as it was.
class DamagedOnAFullDisk : public OptionsFault {
    void BeforeStartUp() override {
        WriteFile(OptionsFile(), "x\r\n");
        full_ = std::make_unique<FailingDisk>(0);
    }
    void SetUp() override {
        OptionsFault::SetUp();
        full_.reset();
    }
    std::unique_ptr<FailingDisk> full_;
};

TEST_F(DamagedOnAFullDisk, StartsQuietlyWithEveryOptionOff) {
    ExpectQuietStartWithEveryOptionOff();
    EXPECT_EQ(ReadFile(OptionsFile()), "x\r\n");
    EXPECT_EQ(Names(folder_), std::vector<std::string>{kOptionsFileName});
}

}  // namespace
}  // namespace involvo::test
