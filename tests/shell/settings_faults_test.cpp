// The placement settings under faults: values that are garbage, a store that
// cannot be read or written or that fails half way. The program always starts
// with its windows where the user can reach them, works, ends, and never loses
// the placements saved before.
#include <cmath>

#include "tests/shell/placement.h"

namespace involvo::testing {
namespace {

const TwipsRect kScreen{0, 0, 28800, 16200};
const TwipsRect kMoved{3000, 2250, 12600, 9450};

bool Finite(const TwipsRect& r) {
    return std::isfinite(r.left) && std::isfinite(r.top) && std::isfinite(r.width) && std::isfinite(r.height);
}
bool OnScreen(const TwipsRect& r) {
    return r.left < kScreen.width && 0 < r.left + r.width && r.top < kScreen.height && 0 < r.top + r.height;
}

class SettingsFaults : public Placement {
protected:
    // The program started, calculated and ended without a word about the settings.
    void ExpectItWorksAndEnds() {
        EXPECT_TRUE(screen().IsShown());
        EnterAll({{ctl::InputNT, "24"}, {ctl::InputDP, "10"}});
        Calculate();
        EXPECT_TRUE(app().IsLoaded(FormId::FrmOutput1)) << "a calculation shows page 1";
        EXPECT_EQ(MessageTexts(), std::vector<std::string>{});
        Exit();
        EXPECT_TRUE(app().Ended());
    }
};

struct Garbage {
    const char* name;
    const char* key;
    std::string value;
};
void PrintTo(const Garbage& g, std::ostream* os) { *os << g.name; }

class GarbageValue : public SettingsFaults, public ::testing::WithParamInterface<Garbage> {};

TEST_P(GarbageValue, LeavesTheInputScreenOnTheScreenAndTheProgramWorking) {
    const Garbage& g = GetParam();
    settings.Store("FrmMain_Settings", kMoved);
    settings.Put("FrmMain_Settings", g.key, g.value);
    Start();
    const TwipsRect r = Window(FormId::FrmMain).rect;
    EXPECT_TRUE(Finite(r) && OnScreen(r)) << ::testing::PrintToString(r);
    EXPECT_TRUE(1440 <= r.width && r.width <= kScreen.width && 1440 <= r.height && r.height <= kScreen.height)
        << ::testing::PrintToString(r);
    ExpectItWorksAndEnds();
    // The next save writes plain numbers over the garbage.
    const std::string saved = settings.At("FrmMain_Settings", g.key);
    EXPECT_TRUE(std::string(g.key) == "WasMaximized" ? saved == "False" : gearmain::IsPlainNumber(saved)) << saved;
}

INSTANTIATE_TEST_SUITE_P(
    Table, GarbageValue,
    ::testing::Values(Garbage{"left_nan", "FormLeft", "nan"}, Garbage{"top_inf", "FormTop", "inf"},
                      Garbage{"width_minus_inf", "FormWidth", "-inf"}, Garbage{"height_beyond_single", "FormHeight", "1E+400"},
                      Garbage{"left_beyond_single", "FormLeft", "-1e39"}, Garbage{"width_tiny", "FormWidth", "1e-45"},
                      Garbage{"height_negative", "FormHeight", "-9450"}, Garbage{"width_windows_infinity", "FormWidth", "1.#INF"},
                      Garbage{"top_hexadecimal", "FormTop", "&H7FFFFFFF"},
                      Garbage{"left_binary", "FormLeft", std::string("\x01\xff\xfe\0\x7f", 5)},
                      Garbage{"top_a_megabyte_of_digits", "FormTop", std::string(1 << 20, '9')},
                      Garbage{"width_empty", "FormWidth", ""}, Garbage{"height_blanks", "FormHeight", "     "},
                      Garbage{"maximized_binary", "WasMaximized", std::string("True\0", 5)},
                      Garbage{"maximized_a_megabyte", "WasMaximized", std::string(1 << 20, 'T')}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsFaults, AnotherProgramsSectionsAreIgnoredAndKept) {
    settings.Put("SomethingElse_Settings", "FormLeft", "77");
    settings.values[{"OtherProgram", "FrmMain_Settings", "FormLeft"}] = "99999";
    Start();
    EXPECT_EQ(Window(FormId::FrmMain).rect, kMainDesign);
    ExpectItWorksAndEnds();
    EXPECT_EQ(settings.At("SomethingElse_Settings", "FormLeft"), "77");
    EXPECT_EQ((settings.values[{"OtherProgram", "FrmMain_Settings", "FormLeft"}]), "99999");
}

TEST_F(SettingsFaults, AStoreThatThrowsOnEveryReadStartsAtTheDesign) {
    settings.Store("FrmMain_Settings", kMoved, "True");
    settings.throwOnRead = true;
    Start();
    EXPECT_EQ(Window(FormId::FrmMain).rect, kMainDesign);
    EXPECT_FALSE(Window(FormId::FrmMain).maximized);
    settings.throwOnRead = false;
    ExpectItWorksAndEnds();
}

// A store that throws or refuses every write keeps every placement saved before,
// and the next run opens where the last successful save left it.
TEST_F(SettingsFaults, AStoreThatCannotBeWrittenKeepsEveryPlacementSavedBefore) {
    for (bool throws : {true, false}) {
        settings.values.clear();
        settings.Store("FrmMain_Settings", kMoved);
        settings.Store("FrmOutput1_Settings", {4500, 3000, 9000, 6000}, "True");
        const auto before = settings.values;
        settings.throwOnWrite = throws;
        settings.writable = false;
        Start();
        Window(FormId::FrmMain).rect = {600, 600, 9000, 6000};
        ExpectItWorksAndEnds();
        EXPECT_EQ(settings.values, before) << throws;
        settings.throwOnWrite = false;
        settings.writable = true;
        Start();
        EXPECT_EQ(Window(FormId::FrmMain).rect, kMoved);
    }
}

TEST_F(SettingsFaults, AStoreThatFillsUpHalfWayStopsAtTheFirstRefusal) {
    settings.Store("FrmMain_Settings", kMoved, "True");
    Start();
    Window(FormId::FrmMain).rect = {600, 750, 9000, 6000};
    Window(FormId::FrmMain).maximized = false;
    settings.writesLeft = 1;  // room for one value only
    const int writesBefore = settings.writes;
    Exit();
    EXPECT_TRUE(app().Ended());
    EXPECT_TRUE(platform().Messages().empty());
    EXPECT_EQ(settings.writes - writesBefore, 2) << "nothing is tried after the refusal";
    EXPECT_EQ(settings.At("FrmMain_Settings", "FormLeft"), "600");
    EXPECT_EQ(settings.At("FrmMain_Settings", "FormTop"), "2250") << "the refused value keeps the old one";
    EXPECT_EQ(settings.At("FrmMain_Settings", "WasMaximized"), "True");
    settings.writesLeft = -1;
    Start();
    EXPECT_TRUE(OnScreen(Window(FormId::FrmMain).rect));
}

}  // namespace
}  // namespace involvo::testing
