// Window placement: each main window opens where it was left, as large as it
// was, maximised if it was, from one run of the program to the next.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "engine/gearmain.h"
#include "shell/application.h"
#include "shell/mod_settings.h"
#include "tests/shell/shell_fakes.h"

namespace involvo::testing {
namespace {

const TwipsRect kMainDesign{1200, 900, 10800, 8100};
const TwipsRect kPageDesign{2400, 1500, 9000, 7200};
const TwipsRect kScreen{0, 0, 28800, 16200};  // 1920 x 1080 pixels

// One run of the program on the stores that outlive it.
struct ProgramRun {
    ProgramRun(FakeSettings& settings, FakeDesktop& desktop) : platform(settings, desktop), app(gear, platform) {
        app.StartUpWithoutSplash();
    }
    HeadlessView& Main() { return *platform.ViewOf(FormId::FrmMain); }
    void Exit() {
        Main().Press(ctl::cmdExit);
        platform.RunTimers();
    }
    gearmain::GearMain gear;
    ShellPlatform platform;
    Application app;
};

class PlacementTest : public ::testing::Test {
protected:
    // Every window is created at its designed place; the user then moves it.
    std::unique_ptr<ProgramRun> Start() {
        desktop.windows.clear();
        desktop.windows[FormId::FrmMain].rect = kMainDesign;
        for (FormId page : {FormId::FrmOutput1, FormId::FrmHelical1, FormId::FrmOutput2, FormId::FRMHelical2,
                            FormId::AGMATOL, FormId::FrmChecklist1, FormId::frmSplash, FormId::frmAbout,
                            FormId::FrmPrinting})
            desktop.windows[page].rect = kPageDesign;
        for (auto& [form, w] : desktop.windows) w.sizable = sizable;
        desktop.moves = 0;
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

    FakeSettings settings;
    FakeDesktop desktop;
    bool sizable = true;
};

TEST_F(PlacementTest, FirstRunOpensTheInputScreenAtItsDesign) {
    auto run = Start();
    EXPECT_EQ(Window(FormId::FrmMain).rect, kMainDesign);
    EXPECT_FALSE(Window(FormId::FrmMain).maximized);
    EXPECT_EQ(desktop.moves, 0) << "without settings the window is not moved at all";
}

TEST_F(PlacementTest, ExitSavesTheInputScreenInTwipsAsText) {
    auto run = Start();
    run->Exit();
    EXPECT_EQ(settings.At("FrmMain_Settings", "FormLeft"), "1200");
    EXPECT_EQ(settings.At("FrmMain_Settings", "FormTop"), "900");
    EXPECT_EQ(settings.At("FrmMain_Settings", "FormWidth"), "10800");
    EXPECT_EQ(settings.At("FrmMain_Settings", "FormHeight"), "8100");
    EXPECT_EQ(settings.At("FrmMain_Settings", "WasMaximized"), "False");
}

TEST_F(PlacementTest, InputScreenOpensWhereAndAsLargeAsItWasLeft) {
    const TwipsRect moved{3000, 2250, 12600, 9450};
    {
        auto run = Start();
        Window(FormId::FrmMain).rect = moved;
        run->Exit();
    }
    auto run = Start();
    EXPECT_EQ(Window(FormId::FrmMain).rect, moved);
    EXPECT_FALSE(Window(FormId::FrmMain).maximized);
}

TEST_F(PlacementTest, MaximisedWindowOpensMaximisedOverTheNormalPlacementSavedBefore) {
    const TwipsRect moved{3000, 2250, 12600, 9450};
    {
        auto run = Start();
        Window(FormId::FrmMain).rect = moved;
        run->Exit();
    }
    {
        auto run = Start();
        Window(FormId::FrmMain).maximized = true;
        Window(FormId::FrmMain).rect = kScreen;
        run->Exit();
    }
    EXPECT_EQ(settings.At("FrmMain_Settings", "WasMaximized"), "True");
    EXPECT_EQ(settings.At("FrmMain_Settings", "FormLeft"), "3000") << "the normal placement stays";
    EXPECT_EQ(settings.At("FrmMain_Settings", "FormWidth"), "12600");

    auto run = Start();
    EXPECT_EQ(Window(FormId::FrmMain).rect, moved);
    EXPECT_TRUE(Window(FormId::FrmMain).maximized);
}

TEST_F(PlacementTest, MinimisedWindowKeepsItsNormalPlacementAndIsNotMaximisedNextTime) {
    const TwipsRect moved{3000, 2250, 12600, 9450};
    {
        auto run = Start();
        Window(FormId::FrmMain).rect = moved;
        run->Exit();
    }
    {
        auto run = Start();
        Window(FormId::FrmMain).minimized = true;
        Window(FormId::FrmMain).rect = {-32000, -32000, 2400, 450};
        run->Exit();
    }
    EXPECT_EQ(settings.At("FrmMain_Settings", "FormLeft"), "3000");
    EXPECT_EQ(settings.At("FrmMain_Settings", "FormTop"), "2250");
    EXPECT_EQ(settings.At("FrmMain_Settings", "WasMaximized"), "False");
}

TEST_F(PlacementTest, FixedBorderKeepsTheDesignedSizeWhateverIsStored) {
    sizable = false;
    Store("FrmMain_Settings", {3000, 2250, 20000, 15000});
    auto run = Start();
    EXPECT_EQ(Window(FormId::FrmMain).rect, (TwipsRect{3000, 2250, kMainDesign.width, kMainDesign.height}));
}

TEST_F(PlacementTest, LeftThatIsNotANumberPutsTheWindowAtZero) {
    Store("FrmMain_Settings", {3000, 2250, 12600, 9450});
    settings.Put("FrmMain_Settings", "FormLeft", "left edge");
    auto run = Start();
    EXPECT_EQ(Window(FormId::FrmMain).rect, (TwipsRect{0, 2250, 12600, 9450}));
}

TEST_F(PlacementTest, StoredTextsReadAsTheirLeadingNumber) {
    Store("FrmMain_Settings", {0, 0, 0, 0});
    settings.Put("FrmMain_Settings", "FormLeft", " 1 500 twips");
    settings.Put("FrmMain_Settings", "FormTop", "750.4");
    settings.Put("FrmMain_Settings", "FormWidth", "9000,5");
    settings.Put("FrmMain_Settings", "FormHeight", "+6000");
    auto run = Start();
    EXPECT_EQ(Window(FormId::FrmMain).rect.left, 1500);
    EXPECT_FLOAT_EQ(static_cast<float>(Window(FormId::FrmMain).rect.top), 750.4f);
    EXPECT_EQ(Window(FormId::FrmMain).rect.width, 9000);
    EXPECT_EQ(Window(FormId::FrmMain).rect.height, 6000);
}

TEST_F(PlacementTest, OnlyTheExactTextTrueMaximises) {
    struct Case {
        const char* stored;
        bool maximized;
    };
    const Case cases[] = {{"True", true},  {"true", false}, {"TRUE", false}, {" True", false},
                          {"True ", false}, {"1", false},    {"-1", false},   {"False", false},
                          {"", false}};
    for (const Case& c : cases) {
        settings.values.clear();
        settings.Put("FrmMain_Settings", "WasMaximized", c.stored);
        auto run = Start();
        EXPECT_EQ(Window(FormId::FrmMain).maximized, c.maximized) << '"' << c.stored << '"';
        EXPECT_EQ(Window(FormId::FrmMain).rect, kMainDesign) << '"' << c.stored << '"';
    }
}

TEST_F(PlacementTest, ValueThatCannotBeReadKeepsTheWindowsOwnAndTheOthersStillApply) {
    Store("FrmMain_Settings", {3000, 2250, 12600, 9450}, "True");
    settings.unreadable = {"FormTop", "FormWidth"};
    auto run = Start();
    EXPECT_EQ(Window(FormId::FrmMain).rect, (TwipsRect{3000, kMainDesign.top, kMainDesign.width, 9450}));
    EXPECT_TRUE(Window(FormId::FrmMain).maximized);
}

TEST_F(PlacementTest, StoreThatCannotBeWrittenKeepsTheOldSettings) {
    Store("FrmMain_Settings", {3000, 2250, 12600, 9450}, "True");
    auto before = settings.values;
    settings.writable = false;
    auto run = Start();
    Window(FormId::FrmMain).rect = {600, 600, 9000, 6000};
    Window(FormId::FrmMain).maximized = false;
    run->Exit();
    EXPECT_EQ(settings.values, before);
    EXPECT_TRUE(run->app.Ended()) << "the program ends all the same";
}

TEST_F(PlacementTest, WindowLeftOnAMonitorThatIsGoneComesBackOntoTheScreen) {
    // Last run the window stood on a second monitor to the right.
    Store("FrmMain_Settings", {35000, 2250, 12600, 9450});
    desktop.screens = {kScreen};
    auto run = Start();
    EXPECT_EQ(Window(FormId::FrmMain).rect, (TwipsRect{28800 - 12600, 2250, 12600, 9450}));
}

TEST_F(PlacementTest, PageSavedWithItsTitleBarAboveTheScreenOpensWithItOnTheScreen) {
    // An earlier run saved a page that had landed partly above the screen.
    Store("FrmOutput1_Settings", {13600, -300, 5800, 6600});
    auto run = Start();
    Window(FormId::FrmOutput1).frame = {15, 300, 15, 75};
    run->app.Load(FormId::FrmOutput1);
    EXPECT_EQ(Window(FormId::FrmOutput1).rect, (TwipsRect{13600, 0, 5800, 6600}));
}

TEST_F(PlacementTest, APlaceWithTheTitleBarOutOfReachIsNeverSaved) {
    struct Case {
        const char* what;
        TwipsRect left, saved;
    };
    const Case cases[] = {
        {"grown past the top edge", {13600, -300, 5800, 6600}, {13600, 0, 5800, 6600}},
        {"title bar under the bottom edge", {2000, 16150, 9000, 7000}, {2000, 8825, 9000, 7000}},
        {"where the user can reach it", {2000, 15000, 9000, 7000}, {2000, 15000, 9000, 7000}},
    };
    for (const Case& c : cases) {
        auto run = Start();
        run->app.Load(FormId::FrmOutput1);
        Window(FormId::FrmOutput1).rect = c.left;
        Window(FormId::FrmOutput1).frame = {15, 300, 15, 75};
        run->app.Unload(FormId::FrmOutput1);
        run->platform.RunTimers();
        EXPECT_EQ(settings.At("FrmOutput1_Settings", "FormLeft"), gearmain::Format(c.saved.left, "0")) << c.what;
        EXPECT_EQ(settings.At("FrmOutput1_Settings", "FormTop"), gearmain::Format(c.saved.top, "0")) << c.what;
        EXPECT_EQ(settings.At("FrmOutput1_Settings", "FormWidth"), gearmain::Format(c.saved.width, "0")) << c.what;
        EXPECT_EQ(settings.At("FrmOutput1_Settings", "FormHeight"), gearmain::Format(c.saved.height, "0"))
            << c.what;
    }
}

TEST_F(PlacementTest, GarbageSizesAndPositionsGiveAWindowOnTheScreen) {
    settings.Put("FrmMain_Settings", "FormLeft", "-99999999999999999999");
    settings.Put("FrmMain_Settings", "FormTop", "99999999999999999999999999999999999999999");
    settings.Put("FrmMain_Settings", "FormWidth", std::string(400, '9'));
    settings.Put("FrmMain_Settings", "FormHeight", "0");
    auto run = Start();
    EXPECT_EQ(Window(FormId::FrmMain).rect, (TwipsRect{0, 16200 - 1440, 28800, 1440}));
}

// ---- Which windows take part ----

struct FormCase {
    FormId form;
    bool restores, saves;
};

class PlacementPerFormTest : public PlacementTest, public ::testing::WithParamInterface<FormCase> {};

TEST_P(PlacementPerFormTest, RestoresOnLoadAndSavesOnUnloadAsTheWindowDoes) {
    const FormCase c = GetParam();
    const std::string section = std::string(FormName(c.form)) + "_Settings";
    const TwipsRect stored{3000, 2250, 12600, 9450};
    Store(section, stored, "True");
    auto before = settings.values;

    auto run = Start();
    run->app.Load(c.form);
    EXPECT_EQ(Window(c.form).rect, c.restores ? stored : kPageDesign);
    EXPECT_EQ(Window(c.form).maximized, c.restores);

    Window(c.form).rect = {4500, 3000, 9000, 6000};
    Window(c.form).maximized = false;
    run->app.Unload(c.form);
    run->platform.RunTimers();
    if (c.saves) {
        EXPECT_EQ(settings.At(section, "FormLeft"), "4500");
        EXPECT_EQ(settings.At(section, "FormTop"), "3000");
        EXPECT_EQ(settings.At(section, "FormWidth"), "9000");
        EXPECT_EQ(settings.At(section, "FormHeight"), "6000");
        EXPECT_EQ(settings.At(section, "WasMaximized"), "False");
    } else {
        EXPECT_EQ(settings.values, before) << "nothing is written for " << FormName(c.form);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryForm, PlacementPerFormTest,
                         ::testing::Values(FormCase{FormId::FrmOutput1, true, true},
                                           FormCase{FormId::FrmHelical1, true, true},
                                           FormCase{FormId::FrmOutput2, true, true},
                                           FormCase{FormId::FRMHelical2, true, true},
                                           FormCase{FormId::AGMATOL, true, true},
                                           FormCase{FormId::FrmChecklist1, true, false},
                                           FormCase{FormId::frmSplash, false, false},
                                           FormCase{FormId::frmAbout, false, false},
                                           FormCase{FormId::FrmPrinting, false, false}),
                         [](const auto& info) { return std::string(FormName(info.param.form)); });

TEST_F(PlacementTest, SpurPageTwoUsesTheSectionFrmOutput2Settings) {
    EXPECT_EQ(modSettings::SectionOf(FormId::FrmOutput2), "FrmOutput2_Settings");
    EXPECT_EQ(modSettings::SectionOf(FormId::FRMHelical2), "FRMHelical2_Settings");
}

TEST_F(PlacementTest, ClosingTheInputScreenSavesTheOpenPagesToo) {
    auto run = Start();
    run->app.Load(FormId::FrmOutput2);
    Window(FormId::FrmOutput2).rect = {4500, 3000, 9000, 6000};
    run->Exit();
    EXPECT_EQ(settings.At("FrmOutput2_Settings", "FormLeft"), "4500");
    EXPECT_EQ(settings.At("FrmMain_Settings", "FormLeft"), "1200");
}

TEST_F(PlacementTest, PlatformWithoutTheServicesStartsAndEndsAsBefore) {
    gearmain::GearMain gear;
    HeadlessPlatform platform;
    Application app(gear, platform);
    app.StartUpWithoutSplash();
    platform.ViewOf(FormId::FrmMain)->Press(ctl::cmdExit);
    platform.RunTimers();
    EXPECT_TRUE(app.Ended());
}

// ---- Bringing a placement back within reach ----

// A frame of 1 pixel borders, a 20 pixel title bar and a 5 pixel bottom edge.
const FrameMargins kFrame{15, 300, 15, 75};

TEST(KeepReachableTest, PlacementsAreKeptOnOrBroughtBackOntoTheScreens) {
    const TwipsRect a{0, 0, 28800, 16200};       // 1920 x 1080
    const TwipsRect b{28800, 0, 19200, 10800};  // 1280 x 720, to the right of a
    const double big = 3.4e38;
    struct Case {
        const char* what;
        TwipsRect in;
        bool sizable;
        std::vector<TwipsRect> screens;
        TwipsRect out;
        FrameMargins frame = {};
    };
    const Case cases[] = {
        {"on the screen", {1000, 1000, 9000, 7000}, true, {a}, {1000, 1000, 9000, 7000}},
        {"partly off the left edge", {-4000, 1000, 9000, 7000}, true, {a}, {-4000, 1000, 9000, 7000}},
        {"partly off the bottom edge", {1000, 12000, 9000, 7000}, true, {a}, {1000, 12000, 9000, 7000}, kFrame},
        {"right of the only screen", {40000, 2000, 9000, 7000}, true, {a}, {19800, 2000, 9000, 7000}},
        {"above and left of it", {-50000, -50000, 9000, 7000}, true, {a}, {0, 0, 9000, 7000}},
        {"below it", {5000, 90000, 9000, 7000}, true, {a}, {5000, 9200, 9000, 7000}},
        {"on the second screen", {30000, 1000, 9000, 7000}, true, {a, b}, {30000, 1000, 9000, 7000}},
        {"beyond the second screen", {60000, 500, 9000, 7000}, true, {a, b}, {39000, 500, 9000, 7000}},
        {"under the smaller screen", {31000, 11400, 9000, 3000}, true, {a, b}, {31000, 7800, 9000, 3000}},
        {"too large for the screen it comes back to", {100000, 0, 40000, 20000}, true, {a}, {0, 0, 28800, 16200}},
        {"fixed and too large keeps its size", {100000, 0, 40000, 20000}, false, {a}, {0, 0, 40000, 20000}},
        {"nothing wide", {1000, 1000, 0, 0}, true, {a}, {1000, 1000, 1440, 1440}},
        {"negative size", {1000, 1000, -500, -9000}, true, {a}, {1000, 1000, 1440, 1440}},
        {"absurd everything", {big, big, big, big}, true, {a}, {0, 0, 28800, 16200}},
        {"as wide as both screens", {0, 0, 48000, 9000}, true, {a, b}, {0, 0, 48000, 9000}},
        {"no screens known", {big, -big, 5000, 5000}, true, {}, {1e8, -1e8, 5000, 5000}},
        // The title bar must be where the user can grab it.
        {"title bar just above the top edge", {2000, -300, 9000, 7000}, true, {a}, {2000, 0, 9000, 7000}, kFrame},
        {"top edge a twip above the screen", {2000, -1, 9000, 7000}, true, {a}, {2000, 0, 9000, 7000}},
        {"title bar at the top edge", {2000, 0, 9000, 7000}, true, {a}, {2000, 0, 9000, 7000}, kFrame},
        {"title bar under the bottom edge", {2000, 16000, 9000, 7000}, true, {a}, {2000, 8825, 9000, 7000}, kFrame},
        {"a sliver of title bar at the right edge", {28500, 2000, 9000, 7000}, true, {a}, {19770, 2000, 9000, 7000},
         kFrame},
        {"half an inch of title bar at the right edge", {28080, 2000, 9000, 7000}, true, {a},
         {28080, 2000, 9000, 7000}, kFrame},
        {"above the smaller screen's neighbour", {30000, -2000, 9000, 3000}, true, {a, b}, {30000, 0, 9000, 3000},
         kFrame},
        // A window brought back counts its frame: it stands wholly on the screen.
        {"below it, with a frame", {5000, 90000, 9000, 7000}, true, {a}, {5000, 8825, 9000, 7000}, kFrame},
        {"right of it, with a frame", {40000, 2000, 9000, 7000}, true, {a}, {19770, 2000, 9000, 7000}, kFrame},
        {"too large, with a frame", {100000, 0, 40000, 20000}, true, {a}, {0, 0, 28770, 15825}, kFrame},
        {"fixed, taller than the screen", {2000, -5000, 9000, 20000}, false, {a}, {2000, 0, 9000, 20000}, kFrame},
        {"a frame of garbage counts as none", {5000, 90000, 9000, 7000}, true, {a}, {5000, 9200, 9000, 7000},
         {-big, -1, std::nan(""), -big}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(modSettings::KeepReachable(c.in, c.sizable, c.frame, c.screens), c.out) << c.what;
}

TEST(KeepReachableTest, WhatItReturnsHasItsTitleBarOnAScreen) {
    const std::vector<TwipsRect> screens = {{0, 0, 28800, 16200}, {28800, 3000, 19200, 10800}};
    for (double left : {-60000.0, -9000.0, -100.0, 0.0, 14000.0, 28700.0, 30000.0, 47000.0, 90000.0})
        for (double top : {-60000.0, -7000.0, -300.0, -1.0, 0.0, 2900.0, 13700.0, 16100.0, 90000.0})
            for (bool sizable : {true, false}) {
                TwipsRect r = modSettings::KeepReachable({left, top, 9000, 7000}, sizable, kFrame, screens);
                EXPECT_TRUE(modSettings::TitleBarReachable(r, kFrame, screens)) << left << ", " << top;
            }
}

}  // namespace
}  // namespace involvo::testing
