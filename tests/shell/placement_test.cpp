// Window placement: each main window opens where it was left, as large as it
// was, maximised if it was, from one run of the program to the next, and always
// with its title bar on a screen.
#include <cmath>

#include "shell/mod_settings.h"
#include "tests/shell/placement.h"

namespace involvo::testing {
namespace {

const TwipsRect kMoved{3000, 2250, 12600, 9450};
const FrameMargins kFrame{15, 300, 15, 75};  // 1 pixel borders, a 20 pixel title bar, a 5 pixel bottom edge
const char* const kKeys[] = {"FormLeft", "FormTop", "FormWidth", "FormHeight", "WasMaximized"};

// ---- Opening: what the settings hold decides where the input screen opens ----

struct Restore {
    const char* what;
    std::vector<std::pair<const char*, std::string>> stored;  // FrmMain_Settings
    TwipsRect opens;
    bool maximized = false;
    std::set<std::string> unreadable = {};
    bool sizable = true;
};
void PrintTo(const Restore& r, std::ostream* os) { *os << r.what; }

using KV = std::vector<std::pair<const char*, std::string>>;
const KV kMovedKV = {{"FormLeft", "3000"}, {"FormTop", "2250"}, {"FormWidth", "12600"}, {"FormHeight", "9450"}};
KV With(KV all, const KV& more) {
    all.insert(all.end(), more.begin(), more.end());
    return all;
}

const Restore kRestores[] = {
    {"nothing stored", {}, kMainDesign},
    {"where it was left", kMovedKV, kMoved},
    {"maximised", With(kMovedKV, {{"WasMaximized", "True"}}), kMoved, true},
    {"only the position", {{"FormLeft", "3000"}, {"FormTop", "2250"}}, {3000, 2250, 10800, 8100}},
    {"only the size", {{"FormWidth", "12600"}, {"FormHeight", "9450"}}, {1200, 900, 12600, 9450}},
    {"only maximised", {{"WasMaximized", "True"}}, kMainDesign, true},
    {"a fixed border keeps its size", With(kMovedKV, {{"FormWidth", "20000"}, {"FormHeight", "15000"}}),
     {3000, 2250, 10800, 8100}, false, {}, false},
    {"a left that is no number reads 0", With(kMovedKV, {{"FormLeft", "left edge"}}), {0, 2250, 12600, 9450}},
    {"texts read as their leading number", {{"FormLeft", " 1 500 twips"}, {"FormTop", "750.4"}, {"FormWidth", "9000,5"},
                                            {"FormHeight", "+6000"}}, {1500, 750.4f, 9000, 6000}},
    {"values that cannot be read keep the window's own", With(kMovedKV, {{"WasMaximized", "True"}}),
     {3000, 900, 10800, 9450}, true, {"FormTop", "FormWidth"}},
    {"a monitor that is gone", With(kMovedKV, {{"FormLeft", "35000"}}), {28800 - 12600, 2250, 12600, 9450}},
    {"garbage sizes and places", {{"FormLeft", "-99999999999999999999"},
                                  {"FormTop", "99999999999999999999999999999999999999999"},
                                  {"FormWidth", std::string(400, '9')}, {"FormHeight", "0"}},
     {0, 16200 - 1440, 28800, 1440}},
    // Only the exact text True maximises.
    {"true", {{"WasMaximized", "true"}}, kMainDesign},   {"TRUE", {{"WasMaximized", "TRUE"}}, kMainDesign},
    {"_True", {{"WasMaximized", " True"}}, kMainDesign}, {"True_", {{"WasMaximized", "True "}}, kMainDesign},
    {"1", {{"WasMaximized", "1"}}, kMainDesign},         {"-1", {{"WasMaximized", "-1"}}, kMainDesign},
};

class Restoring : public Placement, public ::testing::WithParamInterface<Restore> {};

TEST_P(Restoring, OpensTheInputScreenWhereTheSettingsSay) {
    const Restore& r = GetParam();
    for (const auto& [key, value] : r.stored) settings.Put("FrmMain_Settings", key, value);
    settings.unreadable = r.unreadable;
    sizable = r.sizable;
    Start();
    EXPECT_EQ(Window(FormId::FrmMain).rect, r.opens);
    EXPECT_EQ(Window(FormId::FrmMain).maximized, r.maximized);
    if (r.stored.empty()) {
        EXPECT_EQ(desktop.moves, 0) << "without settings the window is not moved at all";
    }
}

INSTANTIATE_TEST_SUITE_P(Table, Restoring, ::testing::ValuesIn(kRestores));

// ---- Saving: what the settings hold after the user left the window so ----

struct Save {
    const char* what;
    FormId form;
    TwipsRect left;
    bool maximized, minimized;
    std::vector<std::string> saved;  // kKeys in order
    FrameMargins frame = {};
};
void PrintTo(const Save& s, std::ostream* os) { *os << s.what; }

const Save kSaves[] = {
    {"at its design", FormId::FrmMain, kMainDesign, false, false, {"1200", "900", "10800", "8100", "False"}},
    {"moved", FormId::FrmMain, kMoved, false, false, {"3000", "2250", "12600", "9450", "False"}},
    // A maximised or minimised window keeps the normal placement saved before.
    {"maximised", FormId::FrmMain, {0, 0, 28800, 16200}, true, false, {"3000", "2250", "12600", "9450", "True"}},
    {"minimised", FormId::FrmMain, {-32000, -32000, 2400, 450}, false, true, {"3000", "2250", "12600", "9450", "False"}},
    // A place where the title bar is out of reach is saved where the next start brings it.
    {"grown past the top edge", FormId::FrmOutput1, {13600, -300, 5800, 6600}, false, false,
     {"13600", "0", "5800", "6600", "False"}, kFrame},
    {"title bar under the bottom edge", FormId::FrmOutput1, {2000, 16150, 9000, 7000}, false, false,
     {"2000", "8825", "9000", "7000", "False"}, kFrame},
    {"low but within reach", FormId::FrmOutput1, {2000, 15000, 9000, 7000}, false, false,
     {"2000", "15000", "9000", "7000", "False"}, kFrame},
};

class Saving : public Placement, public ::testing::WithParamInterface<Save> {};

TEST_P(Saving, WritesThePlacementAsTwipsInText) {
    const Save& s = GetParam();
    const std::string section = std::string(FormName(s.form)) + "_Settings";
    settings.Store(section, kMoved);
    Start();
    if (s.form != FormId::FrmMain) app().Load(s.form);
    WindowPlacement& w = Window(s.form);
    w = {s.left, s.frame, s.maximized, s.minimized, w.sizable};
    if (s.form == FormId::FrmMain) Exit();
    else app().Unload(s.form);
    platform().RunTimers();
    for (size_t i = 0; i < s.saved.size(); ++i) EXPECT_EQ(settings.At(section, kKeys[i]), s.saved[i]) << kKeys[i];
}

INSTANTIATE_TEST_SUITE_P(Table, Saving, ::testing::ValuesIn(kSaves));

TEST_F(Placement, APageSavedWithItsTitleBarAboveTheScreenOpensWithItOnTheScreen) {
    settings.Store("FrmOutput1_Settings", {13600, -300, 5800, 6600});
    Start();
    Window(FormId::FrmOutput1).frame = kFrame;
    app().Load(FormId::FrmOutput1);
    EXPECT_EQ(Window(FormId::FrmOutput1).rect, (TwipsRect{13600, 0, 5800, 6600}));
}

TEST_F(Placement, ClosingTheInputScreenSavesTheOpenPagesToo) {
    Start();
    app().Load(FormId::FrmOutput2);
    Window(FormId::FrmOutput2).rect = {4500, 3000, 9000, 6000};
    Exit();
    EXPECT_EQ(settings.At("FrmOutput2_Settings", "FormLeft"), "4500");
    EXPECT_EQ(settings.At("FrmMain_Settings", "FormLeft"), "1200");
}

// ---- Which windows take part ----

struct FormCase {
    FormId form;
    bool restores, saves;
};

class EveryForm : public Placement, public ::testing::WithParamInterface<FormCase> {};

TEST_P(EveryForm, RestoresOnLoadAndSavesOnUnloadAsTheWindowDoes) {
    const FormCase c = GetParam();
    const std::string section = std::string(FormName(c.form)) + "_Settings";
    EXPECT_EQ(modSettings::SectionOf(c.form), section);
    settings.Store(section, kMoved, "True");
    const auto before = settings.values;
    Start();
    app().Load(c.form);
    EXPECT_EQ(Window(c.form).rect, c.restores ? kMoved : kPageDesign);
    EXPECT_EQ(Window(c.form).maximized, c.restores);
    Window(c.form).rect = {4500, 3000, 9000, 6000};
    Window(c.form).maximized = false;
    app().Unload(c.form);
    platform().RunTimers();
    if (c.saves) {
        EXPECT_EQ(settings.At(section, "FormLeft") + " " + settings.At(section, "FormTop") + " " +
                      settings.At(section, "FormWidth") + " " + settings.At(section, "FormHeight") + " " +
                      settings.At(section, "WasMaximized"),
                  "4500 3000 9000 6000 False");
    } else {
        EXPECT_EQ(settings.values, before) << "nothing is written for " << FormName(c.form);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, EveryForm,
                         ::testing::Values(FormCase{FormId::FrmOutput1, true, true}, FormCase{FormId::FrmHelical1, true, true},
                                           FormCase{FormId::FrmOutput2, true, true}, FormCase{FormId::FRMHelical2, true, true},
                                           FormCase{FormId::AGMATOL, true, true}, FormCase{FormId::FrmChecklist1, true, false},
                                           FormCase{FormId::frmSplash, false, false}, FormCase{FormId::frmAbout, false, false},
                                           FormCase{FormId::FrmPrinting, false, false}),
                         [](const auto& info) { return std::string(FormName(info.param.form)); });

// ---- Bringing a placement back within reach ----


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
        {"too large, with a frame", {100000, 0, 40000, 20000}, true, {a}, {0, 0, 28800 - 30, 16200 - 375}, kFrame},
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
