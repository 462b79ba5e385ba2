// The window placement settings under faults: values that are garbage, keys
// that are missing, a store that cannot be read or written or that fails half
// way. The program always starts with its windows where the user can reach
// them, works, ends, and never loses the placements saved before.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/gearmain.h"
#include "shell/application.h"
#include "tests/shell/shell_fakes.h"

namespace involvo::testing {
namespace {

const TwipsRect kMainDesign{1200, 900, 10800, 8100};
const TwipsRect kScreen{0, 0, 28800, 16200};  // 1920 x 1080 pixels

// A store that gives up after a number of writes (a disk that fills up while
// the placements are saved), or throws where a real store would fail badly.
class FaultySettings : public FakeSettings {
public:
    std::optional<std::string> GetSetting(const std::string& application, const std::string& section,
                                          const std::string& key) override {
        if (throwOnRead) throw std::runtime_error("the settings store is gone");
        return FakeSettings::GetSetting(application, section, key);
    }
    bool SaveSetting(const std::string& application, const std::string& section, const std::string& key,
                     const std::string& value) override {
        if (throwOnWrite) throw std::runtime_error("the settings store is gone");
        if (writesLeft == 0) {
            ++writes;
            return false;
        }
        if (writesLeft > 0) --writesLeft;
        return FakeSettings::SaveSetting(application, section, key, value);
    }
    int writesLeft = -1;  // -1: no limit
    bool throwOnRead = false;
    bool throwOnWrite = false;
};

struct ProgramRun {
    ProgramRun(FakeSettings& settings, FakeDesktop& desktop) : platform(settings, desktop), app(gear, platform) {
        app.StartUpWithoutSplash();
    }
    HeadlessView& Main() { return *platform.ViewOf(FormId::FrmMain); }
    // A calculation: the program works.
    void Calculate() {
        Main().Type(ctl::InputNT, "24");
        Main().Leave();
        Main().Type(ctl::InputDP, "10");
        Main().Leave();
        Main().Press(ctl::CmdCalc);
        platform.RunTimers();
    }
    void Exit() {
        Main().Press(ctl::cmdExit);
        platform.RunTimers();
    }
    gearmain::GearMain gear;
    ShellPlatform platform;
    Application app;
};

class SettingsFaults : public ::testing::Test {
protected:
    std::unique_ptr<ProgramRun> Start() {
        desktop.windows.clear();
        desktop.windows[FormId::FrmMain].rect = kMainDesign;
        for (FormId page : {FormId::FrmOutput1, FormId::FrmHelical1, FormId::FrmOutput2, FormId::FRMHelical2,
                            FormId::AGMATOL, FormId::FrmChecklist1, FormId::frmSplash, FormId::frmAbout,
                            FormId::FrmPrinting})
            desktop.windows[page].rect = {2400, 1500, 9000, 7200};
        return std::make_unique<ProgramRun>(settings, desktop);
    }
    WindowPlacement& Window(FormId form) { return desktop.windows[form]; }
    void Store(const std::string& section, const TwipsRect& r, const std::string& maximized = "False") {
        settings.Put(section, "FormLeft", gearmain::Format(r.left, "0"));
        settings.Put(section, "FormTop", gearmain::Format(r.top, "0"));
        settings.Put(section, "FormWidth", gearmain::Format(r.width, "0"));
        settings.Put(section, "FormHeight", gearmain::Format(r.height, "0"));
        settings.Put(section, "WasMaximized", maximized);
    }
    // The program started, worked and ended without a word about the settings.
    void ExpectItStartsWorksAndEnds(ProgramRun& run) {
        EXPECT_TRUE(run.Main().IsShown());
        run.Calculate();
        EXPECT_TRUE(run.app.IsLoaded(FormId::FrmOutput1)) << "a calculation shows page 1";
        for (const ShownMessage& m : run.platform.Messages()) ADD_FAILURE() << "unexpected message: " << m.text;
        run.Exit();
        EXPECT_TRUE(run.app.Ended());
    }

    FaultySettings settings;
    FakeDesktop desktop;
};

// ---- Garbage values: every window lands on the screen with finite sizes ----

struct GarbageCase {
    const char* name;
    const char* key;
    std::string value;
};
void PrintTo(const GarbageCase& c, std::ostream* os) { *os << c.name; }

class GarbageValue : public SettingsFaults, public ::testing::WithParamInterface<GarbageCase> {};

bool Finite(const TwipsRect& r) {
    return std::isfinite(r.left) && std::isfinite(r.top) && std::isfinite(r.width) && std::isfinite(r.height);
}
bool Overlaps(const TwipsRect& a, const TwipsRect& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

TEST_P(GarbageValue, LeavesTheInputScreenOnTheScreenAndTheProgramWorking) {
    const GarbageCase& c = GetParam();
    Store("FrmMain_Settings", {3000, 2250, 12600, 9450});
    settings.Put("FrmMain_Settings", c.key, c.value);
    auto run = Start();
    const TwipsRect r = Window(FormId::FrmMain).rect;
    EXPECT_TRUE(Finite(r)) << r.left << " " << r.top << " " << r.width << " " << r.height;
    EXPECT_TRUE(Overlaps(r, kScreen));
    EXPECT_GE(r.width, 1440);
    EXPECT_GE(r.height, 1440);
    EXPECT_LE(r.width, kScreen.width);
    EXPECT_LE(r.height, kScreen.height);
    ExpectItStartsWorksAndEnds(*run);
    // The next save writes plain numbers over the garbage.
    EXPECT_TRUE(gearmain::IsPlainNumber(settings.At("FrmMain_Settings", c.key)) ||
                std::string(c.key) == "WasMaximized")
        << settings.At("FrmMain_Settings", c.key);
}

INSTANTIATE_TEST_SUITE_P(
    Values, GarbageValue,
    ::testing::Values(GarbageCase{"left_nan", "FormLeft", "nan"}, GarbageCase{"top_inf", "FormTop", "inf"},
                      GarbageCase{"width_minus_inf", "FormWidth", "-inf"},
                      GarbageCase{"height_beyond_single", "FormHeight", "1E+400"},
                      GarbageCase{"left_beyond_single", "FormLeft", "-1e39"},
                      GarbageCase{"width_tiny", "FormWidth", "1e-45"},
                      GarbageCase{"height_negative", "FormHeight", "-9450"},
                      GarbageCase{"width_a_windows_infinity", "FormWidth", "1.#INF"},
                      GarbageCase{"top_hexadecimal", "FormTop", "&H7FFFFFFF"},
                      GarbageCase{"left_binary", "FormLeft", std::string("\x01\xff\xfe\0\x7f", 5)},
                      GarbageCase{"top_a_megabyte_of_digits", "FormTop", std::string(1 << 20, '9')},
                      GarbageCase{"width_empty", "FormWidth", ""},
                      GarbageCase{"height_blanks", "FormHeight", "     "},
                      GarbageCase{"maximized_binary", "WasMaximized", std::string("True\0", 5)},
                      GarbageCase{"maximized_a_megabyte", "WasMaximized", std::string(1 << 20, 'T')}),
    [](const ::testing::TestParamInfo<GarbageCase>& info) { return std::string(info.param.name); });

TEST_F(SettingsFaults, EveryValueGarbageGivesAReachableWindow) {
    for (const char* key : {"FormLeft", "FormTop", "FormWidth", "FormHeight", "WasMaximized"})
        settings.Put("FrmMain_Settings", key, "\xef\xbb\xbf garbage \x80\x81");
    auto run = Start();
    const TwipsRect r = Window(FormId::FrmMain).rect;
    EXPECT_TRUE(Overlaps(r, kScreen));
    EXPECT_FALSE(Window(FormId::FrmMain).maximized);
    ExpectItStartsWorksAndEnds(*run);
}

// ---- Missing keys: what is there applies, the rest is the window's own ----

TEST_F(SettingsFaults, OnlyThePositionStoredMovesTheWindowAndKeepsItsSize) {
    settings.Put("FrmMain_Settings", "FormLeft", "3000");
    settings.Put("FrmMain_Settings", "FormTop", "2250");
    auto run = Start();
    EXPECT_EQ(Window(FormId::FrmMain).rect, (TwipsRect{3000, 2250, kMainDesign.width, kMainDesign.height}));
    EXPECT_FALSE(Window(FormId::FrmMain).maximized);
    ExpectItStartsWorksAndEnds(*run);
}

TEST_F(SettingsFaults, OnlyTheSizeStoredKeepsThePosition) {
    settings.Put("FrmMain_Settings", "FormWidth", "12600");
    settings.Put("FrmMain_Settings", "FormHeight", "9450");
    auto run = Start();
    EXPECT_EQ(Window(FormId::FrmMain).rect, (TwipsRect{kMainDesign.left, kMainDesign.top, 12600, 9450}));
    ExpectItStartsWorksAndEnds(*run);
}

TEST_F(SettingsFaults, OnlyMaximizedStoredMaximizesAtTheDesignedPlace) {
    settings.Put("FrmMain_Settings", "WasMaximized", "True");
    auto run = Start();
    EXPECT_EQ(Window(FormId::FrmMain).rect, kMainDesign);
    EXPECT_TRUE(Window(FormId::FrmMain).maximized);
    ExpectItStartsWorksAndEnds(*run);
}

TEST_F(SettingsFaults, AnotherProgramsSectionsAreIgnoredAndKept) {
    settings.values[{"Involvo", "SomethingElse_Settings", "FormLeft"}] = "77";
    settings.values[{"OtherProgram", "FrmMain_Settings", "FormLeft"}] = "99999";
    auto run = Start();
    EXPECT_EQ(Window(FormId::FrmMain).rect, kMainDesign);
    ExpectItStartsWorksAndEnds(*run);
    EXPECT_EQ(settings.At("SomethingElse_Settings", "FormLeft"), "77");
    EXPECT_EQ((settings.values[{"OtherProgram", "FrmMain_Settings", "FormLeft"}]), "99999");
}

// ---- A store that fails ----

TEST_F(SettingsFaults, AStoreThatThrowsOnEveryReadStartsAtTheDesign) {
    Store("FrmMain_Settings", {3000, 2250, 12600, 9450}, "True");
    settings.throwOnRead = true;
    auto run = Start();
    EXPECT_EQ(Window(FormId::FrmMain).rect, kMainDesign);
    EXPECT_FALSE(Window(FormId::FrmMain).maximized);
    settings.throwOnRead = false;
    ExpectItStartsWorksAndEnds(*run);
}

TEST_F(SettingsFaults, AStoreThatThrowsOnEveryWriteEndsTheProgramAndKeepsTheOldPlacement) {
    Store("FrmMain_Settings", {3000, 2250, 12600, 9450});
    auto before = settings.values;
    settings.throwOnWrite = true;
    auto run = Start();
    Window(FormId::FrmMain).rect = {600, 600, 9000, 6000};
    ExpectItStartsWorksAndEnds(*run);
    EXPECT_EQ(settings.values, before);
}

TEST_F(SettingsFaults, AStoreThatCannotBeWrittenKeepsEveryPlacementSavedBefore) {
    Store("FrmMain_Settings", {3000, 2250, 12600, 9450});
    Store("FrmOutput1_Settings", {4500, 3000, 9000, 6000}, "True");
    auto before = settings.values;
    settings.writable = false;
    {
        auto run = Start();
        Window(FormId::FrmMain).rect = {600, 600, 9000, 6000};
        ExpectItStartsWorksAndEnds(*run);
    }
    EXPECT_EQ(settings.values, before);
    // The next run, with a store that works again, opens where the user left it
    // the last time a save succeeded.
    settings.writable = true;
    auto next = Start();
    EXPECT_EQ(Window(FormId::FrmMain).rect, (TwipsRect{3000, 2250, 12600, 9450}));
}

TEST_F(SettingsFaults, AStoreThatFillsUpHalfWayStopsAtTheFirstRefusal) {
    Store("FrmMain_Settings", {3000, 2250, 12600, 9450}, "True");
    auto run = Start();
    Window(FormId::FrmMain).rect = {600, 750, 9000, 6000};
    Window(FormId::FrmMain).maximized = false;
    settings.writesLeft = 1;  // room for one value only
    const int writesBefore = settings.writes;
    run->Exit();
    EXPECT_TRUE(run->app.Ended());
    EXPECT_TRUE(run->platform.Messages().empty());
    EXPECT_EQ(settings.writes - writesBefore, 2) << "nothing is tried after the refusal";
    EXPECT_EQ(settings.At("FrmMain_Settings", "FormLeft"), "600");
    EXPECT_EQ(settings.At("FrmMain_Settings", "FormTop"), "2250") << "the refused value keeps the old one";
    EXPECT_EQ(settings.At("FrmMain_Settings", "WasMaximized"), "True");
    // Whatever mix was saved, the next run opens on the screen.
    settings.writesLeft = -1;
    auto next = Start();
    EXPECT_TRUE(Overlaps(Window(FormId::FrmMain).rect, kScreen));
}

TEST_F(SettingsFaults, NoScreenAtAllKeepsTheStoredPlacementFinite) {
    settings.Put("FrmMain_Settings", "FormLeft", "1e39");
    settings.Put("FrmMain_Settings", "FormWidth", "-1e39");
    desktop.screens.clear();
    auto run = Start();
    EXPECT_TRUE(Finite(Window(FormId::FrmMain).rect));
    EXPECT_GE(Window(FormId::FrmMain).rect.width, 1440);
    ExpectItStartsWorksAndEnds(*run);
}

}  // namespace
}  // namespace involvo::testing
