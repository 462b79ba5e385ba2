// The input screen driven by a fast and careless inspector: the pitch and the
// feature value typed or pasted in any form, fields left with Tab or Enter,
// depth systems, modes and gear types switched, Calculate pressed in between.
//
// Input: one action a line; the first character says which, the rest is the
// text typed:
//   N D A H V O P W Q  type into InputNT, InputDP, InputPA, InputHA,
//                      InputCTT_MOW, InputAddendumMod, InputPINDIA,
//                      InputFaceWidth, ComboQuality, then Tab
//   t                  type into the field that has the focus, no Tab
//   e u d              Enter, Up arrow, Down arrow
//   C                  Calculate Gear Data (a page that opens is walked with
//                      Next, then the input screen is clicked again); "Cp"
//                      prints the sheet from page 1 first, "Cb" goes Back
//                      from page 2 once, "Cq" closes page 1 from its menu
//   #<n><text>         Depth System item n (n = 1 to 9); for 9 the text is
//                      the cutter depth typed into the box
//   x y                External, Internal
//   m c s              Options: dimension over pins, tooth thickness, span
//   B S E R            click the Basic, Standard, Best Pin or Standard O.D. hint
//   h i j              the mouse over the Basic, Standard or Best Pin hint
//   F<n>               choose feature n of the list
//   !                  the next OK/Cancel question is answered Cancel
//   o                  Options > Printout Options
//   k<n>               tick or untick check box n (1 to 18) of the dialog
//   K X a              the dialog's OK, its Cancel, a click on the input screen
//
// After every action: the stored entries are finite, no text of any window,
// message, input box or printed sheet reads nan or inf, and the printout
// options are those last confirmed with OK, in the gear state and in the file.
// After every field typed into: tabbing through it again reads back what it
// holds. Every message shown is one of the program's own. On every page that
// opens: nothing calculated is a nan or an infinity, every visible row has its
// value, and the backlash or measurement calculated with is the one the field
// shows.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "engine/gearmain.h"
#include "engine/messages.h"
#include "input_screen/screen_texts.h"
#include "fuzz/fuzz_support.h"
#include "platform/headless.h"
#include "printing/printout_options.h"
#include "shell/application.h"

using involvo::fuzz::Require;
using involvo::fuzz::ShowsNanOrInf;
using namespace involvo;

namespace {

constexpr size_t kMaxActions = 48;
constexpr size_t kMaxTyped = 64;

const FormId kForms[] = {FormId::FrmMain, FormId::FrmOutput1, FormId::FrmHelical1, FormId::FrmOutput2,
                         FormId::FRMHelical2, FormId::AGMATOL, FormId::FrmChecklist1, FormId::frmAbout,
                         FormId::FrmPrinting};

// The options the file was made with, and those the inspector last confirmed.
OptionValues g_fileOptions{};
OptionValues g_confirmed{};
bool g_fileChanged = false;
// The printout options file of every input.
std::filesystem::path g_optionsFile;
// What the open dialog showed, and which boxes were clicked since: a greyed
// box that nobody touched keeps its 2.
OptionValues g_shown{};
std::array<bool, kOptionCount + 1> g_touched{};

void CheckText(const std::string& text, const char* kind, FormId id, Control control, const std::string& what) {
    if (ShowsNanOrInf(text))
        involvo::fuzz::Fail(std::string(kind) + " reads nan/inf: " + FormName(id) + "." + NameOf(control) + " after " +
                                what,
                            text);
}

// The program's own messages; those that go on with a number or a name by
// their beginning.
bool IsProgramMessage(const std::string& text) {
    namespace e = gearmain::msg;
    namespace m = screen::msg;
    static const std::string_view exact[] = {
        e::kSpanValue, e::kThicknessOrPin, e::kSpaceWidthOrPin, e::kOverPinsOrPin, e::kBetweenPinsOrPin,
        e::kInvolute, e::kSpanThickness, e::kChordalThickness, e::kChordalSpace, e::kGearData,
        e::kShapedDepthAngles, e::kPointedTooth, e::kPointedInternalTooth, e::kPinTooLargeOD,
        e::kPinTooSmallExternal, e::kPinTooLargeID, e::kPinTooSmallInternal, m::kNoTeeth, m::kNoPitch, m::kNoPin,
        m::kNoTeethSpanned, m::kTeethSpannedNotWhole, m::kNoPressureAngle, m::kTeethOutOfRange,
        m::kPitchOutOfRange, m::kPressureAngleOutOfRange, m::kQualityOutOfRange, m::kSpanCaution,
        m::kCutterDepthNoPitch, m::kCutterDepthLimits, "Use balls for measuring internal helical gears",
        "Odd tooth helical gears should be measured using balls\ror measured from the center of the gear over one pin."};
    static const std::string_view prefixes[] = {m::kEnter, m::kSpanMinimum, m::kSpanMaximum, m::kFaceWidthOver,
                                                "The gear data sheet ", "There is no printer"};
    for (std::string_view known : exact)
        if (text == known) return true;
    for (std::string_view known : prefixes)
        if (text.rfind(known, 0) == 0) return true;
    return false;
}

void CheckState(gearmain::GearMain& gear, HeadlessPlatform& platform, const std::string& what) {
    const std::pair<const char*, float> entries[] = {
        {"NumTeeth", gear.NumTeeth},       {"NormalDP", gear.NormalDP},   {"DepthPitch", gear.DepthPitch},
        {"NormalPA", gear.NormalPA},       {"HelixAngle", gear.HelixAngle}, {"PinDiameter", gear.PinDiameter},
        {"TeethSpanned", gear.TeethSpanned}, {"FaceWidth", gear.FaceWidth}, {"ODChange", gear.ODChange},
        {"FeatureValue", gear.FeatureValue}, {"Thick1", gear.Thick1},     {"Thick2", gear.Thick2},
        {"Measure1", gear.Measure1},       {"Measure2", gear.Measure2},   {"Backlash1", gear.Backlash1},
        {"Backlash2", gear.Backlash2},
    };
    for (const auto& [name, value] : entries)
        if (!std::isfinite(value)) involvo::fuzz::Fail(std::string(name) + " is not finite after " + what);
    for (const std::string* text : {&gear.BasicText, &gear.StandardText, &gear.IdealPinText})
        Require(!ShowsNanOrInf(*text), "a hint reads nan/inf", *text);

    for (FormId id : kForms) {
        HeadlessView* view = platform.ViewOf(id);
        if (!view) continue;
        for (Control control : view->Controls()) {
            CheckText(view->Text(control), "text", id, control, what);
            CheckText(view->ToolTip(control), "tip", id, control, what);
            for (const auto& item : view->Items(control)) CheckText(item, "list item", id, control, what);
        }
    }
    for (const auto& m : platform.Messages()) {
        Require(!ShowsNanOrInf(m.text), "a message reads nan/inf", m.text);
        Require(IsProgramMessage(m.text), "a message that is not the program's own", m.text);
    }
    for (const auto& box : platform.InputBoxes()) {
        Require(!ShowsNanOrInf(box.prompt), "an input box prompt reads nan/inf", box.prompt);
        Require(!ShowsNanOrInf(box.defaultText), "an input box default reads nan/inf", box.defaultText);
    }
    for (const auto& document : platform.TextOutput().Documents())
        for (const auto& line : document) Require(!ShowsNanOrInf(line), "a printed line reads nan/inf", line);
    if (OptionsOf(gear) != g_confirmed) involvo::fuzz::Fail("the printout options changed after " + what);
}

// The actions of a script that type into a field, press a button or click a
// menu item or hint, by their letters.
enum class Hand { Type, Press, Click, Hover };
struct Acting {
    char letter;
    Hand hand;
    Control control;
};
constexpr Acting kActings[] = {
    {'N', Hand::Type, ctl::InputNT},           {'D', Hand::Type, ctl::InputDP},
    {'A', Hand::Type, ctl::InputPA},           {'H', Hand::Type, ctl::InputHA},
    {'V', Hand::Type, ctl::InputCTT_MOW},      {'O', Hand::Type, ctl::InputAddendumMod},
    {'P', Hand::Type, ctl::InputPINDIA},       {'W', Hand::Type, ctl::InputFaceWidth},
    {'Q', Hand::Type, ctl::ComboQuality},      {'x', Hand::Press, ctl::External},
    {'y', Hand::Press, ctl::Internal},         {'m', Hand::Click, ctl::MnuMow},
    {'c', Hand::Click, ctl::MnuCTT},           {'s', Hand::Click, ctl::MnuSpan},
    {'B', Hand::Click, ctl::LabelBasic},       {'S', Hand::Click, ctl::LabelStandard},
    {'E', Hand::Click, ctl::LabelBestPin},     {'o', Hand::Click, ctl::MnuCheckbox1},
    {'R', Hand::Click, ctl::LabelStandardOD},  {'h', Hand::Hover, ctl::LabelBasic},
    {'i', Hand::Hover, ctl::LabelStandard},    {'j', Hand::Hover, ctl::LabelBestPin},
};

const Acting* ActingOf(char letter) {
    for (const Acting& a : kActings)
        if (a.letter == letter) return &a;
    return nullptr;
}

// The fields typed into, in the order of the texts of a snapshot.
constexpr Control kTypedFields[] = {ctl::InputNT,      ctl::InputDP,          ctl::InputPA,
                                    ctl::InputHA,      ctl::InputCTT_MOW,     ctl::InputAddendumMod,
                                    ctl::InputPINDIA,  ctl::InputFaceWidth,   ctl::ComboQuality};

// What an entry left in the gear state and on the screen.
struct Entered {
    std::vector<float> values;
    std::vector<std::string> texts;
};

Entered Snapshot(gearmain::GearMain& gear, HeadlessView& screen) {
    Entered e;
    // A band is kept in the order typed and shown smaller first; the results
    // do not depend on its order, nor on the feature value beyond its being 0.
    // A depth pitch of 0 is the pitch itself.
    auto lo = [](float a, float b) { return std::min(a, b); };
    auto hi = [](float a, float b) { return std::max(a, b); };
    e.values = {gear.NumTeeth,
                gear.NormalDP,
                gear.DepthPitch != 0 ? gear.DepthPitch : gear.NormalDP,
                gear.NormalPA,
                gear.HelixAngle,
                gear.PinDiameter,
                gear.TeethSpanned,
                gear.FaceWidth,
                gear.ODChange,
                gear.FeatureValue != 0 ? 1.0f : 0.0f,
                lo(gear.Thick1, gear.Thick2),
                hi(gear.Thick1, gear.Thick2),
                lo(gear.Measure1, gear.Measure2),
                hi(gear.Measure1, gear.Measure2),
                lo(gear.Backlash1, gear.Backlash2),
                hi(gear.Backlash1, gear.Backlash2),
                static_cast<float>(gear.QualityNumber)};
    for (Control field : kTypedFields) e.texts.push_back(screen.Text(field));
    return e;
}

// Tabbing through a field without typing is no entry: the text the program
// wrote into it reads back as the value it holds (to the digits it shows), and
// from then on nothing changes at all.
void CheckLeavingAgain(HeadlessView& screen, HeadlessPlatform& platform, gearmain::GearMain& gear,
                       Control field) {
    const size_t messages = platform.Messages().size();
    const Entered typed = Snapshot(gear, screen);
    auto again = [&] {
        screen.FocusTo(field);
        screen.Leave();
        platform.RunTimers();
        return Snapshot(gear, screen);
    };
    const Entered first = again();
    const Entered second = again();
    if (platform.Messages().size() != messages) return;  // a refusal moved the focus: another story
    // The field's own quantities, by their places in the snapshot; the next
    // field is read when the focus leaves it, so it may change once.
    std::vector<size_t> own;
    const std::string name = NameOf(field);
    if (field == ctl::InputNT) own = {0};
    else if (field == ctl::InputDP) own = {1, 2};
    else if (field == ctl::InputPA) own = {3};
    else if (field == ctl::InputHA) own = {4};
    else if (field == ctl::InputPINDIA) own = {5, 6};
    else if (field == ctl::InputFaceWidth) own = {7};
    else if (field == ctl::InputAddendumMod) own = {8};
    // (A value below the field's last decimal shows as 0.000000 and reads
    // back as 0: the "is there a value" flag may change then.)
    else if (field == ctl::InputCTT_MOW) own = {10, 11, 12, 13, 14, 15};
    else if (field == ctl::ComboQuality) own = {16};
    for (size_t i : own) {
        const double a = typed.values[i], b = first.values[i];
        // Shown to 7 significant digits or to the mask's decimals.
        if (std::fabs(a - b) > std::fabs(a) * 1e-6 + 5.0001e-6)
            involvo::fuzz::Fail(name + " read again changes value " + std::to_string(i) + " from " +
                                    std::to_string(a) + " to " + std::to_string(b),
                                screen.Text(field));
    }
    for (size_t i = 0; i < first.values.size(); ++i)
        if (first.values[i] != second.values[i])
            involvo::fuzz::Fail(name + " read a third time changes value " + std::to_string(i), screen.Text(field));
    if (first.texts != second.texts)
        involvo::fuzz::Fail(name + " read a third time changes a field's text", screen.Text(field));
}

// Every visible row of the pages shown has its value; a backlash left empty
// reads as none.
void CheckRows(HeadlessPlatform& platform) {
    for (FormId id : {FormId::FrmOutput1, FormId::FrmHelical1, FormId::FrmOutput2, FormId::FRMHelical2,
                      FormId::AGMATOL}) {
        HeadlessView* page = platform.ViewOf(id);
        if (!page || !page->IsShown()) continue;
        for (int i = 1; i <= (id == FormId::AGMATOL ? 6 : 12); ++i)
            if (page->Visible(ctl::Label(i)) && page->Visible(ctl::Text(i)) && page->Text(ctl::Text(i)).empty())
                Require(page->Text(ctl::Label(i)) == "Contributing Backlash", "a visible row has no value",
                        page->Text(ctl::Label(i)));
    }
}

HeadlessView* ShownPage(HeadlessPlatform& platform) {
    for (FormId id : {FormId::FrmOutput1, FormId::FrmHelical1}) {
        HeadlessView* v = platform.ViewOf(id);
        if (v && v->IsShown()) return v;
    }
    return nullptr;
}

void Calculate(HeadlessView& screen, HeadlessPlatform& platform, gearmain::GearMain& gear, bool print, bool back,
               bool close) {
    screen.Press(ctl::CmdCalc);
    CheckState(gear, platform, "Calculate");
    if (HeadlessView* page = ShownPage(platform)) {
        // A page shows only numbers that were calculated: nothing of the
        // calculation may be a nan or an infinity written as "0.000000".
        gear.ForEachValue([](const char* name, gearmain::GearMain::ValueRef ref) {
            double v = 0;
            if (auto f = std::get_if<float*>(&ref)) v = **f;
            else if (auto d = std::get_if<double*>(&ref)) v = **d;
            if (!std::isfinite(v)) involvo::fuzz::Fail(std::string(name) + " is not finite on a shown page");
        });
        // The entered feature the page was calculated from is the one its
        // field shows.
        const std::string& feature = gear.InputFeature;
        std::pair<float, float> stored{};
        bool compare = true;
        if (feature == "Contributing Backlash") stored = {gear.Backlash1, gear.Backlash2};
        else if (feature == "Dimension Over Pins" || feature == "Dimension Between Pins" || feature == "Span Measurement")
            stored = {gear.Measure1, gear.Measure2};
        else compare = false;
        if (compare) {
            const std::string text = screen.Text(ctl::InputCTT_MOW);
            const size_t slash = text.find('/');
            std::pair<float, float> shown{gearmain::SngEntry(gearmain::Val(text)), 0.0f};
            if (slash != std::string::npos) {
                auto half = [](const std::string& t) {
                    return gearmain::SngEntry(gearmain::Val(gearmain::Format(gearmain::Val(t), "0.000000")));
                };
                shown = {half(text.substr(0, slash)), half(text.substr(slash + 1))};
            }
            if (std::minmax(stored.first, stored.second) != std::minmax(shown.first, shown.second))
                involvo::fuzz::Fail("the page was calculated from another " + feature + " than its field shows", text);
        }
        if (print) {
            page->Press(ctl::CmdPrint);
            platform.RunTimers();
        }
        CheckRows(platform);
        if (close) {
            page->Click(ctl::mnuFileClose);
            return;
        }
        page->Press(ctl::Next1);
        CheckRows(platform);
        for (FormId id : {FormId::FrmOutput2, FormId::FRMHelical2})
            if (HeadlessView* p2 = platform.ViewOf(id); back && p2 && p2->IsShown()) {
                p2->Press(ctl::Back);
                CheckRows(platform);
                page->Press(ctl::Next1);
            }
        for (FormId id : {FormId::FrmOutput2, FormId::FRMHelical2}) {
            HeadlessView* p2 = platform.ViewOf(id);
            if (p2 && p2->IsShown() && p2->Visible(ctl::Next) && p2->Enabled(ctl::Next)) p2->Press(ctl::Next);
        }
        CheckRows(platform);
        CheckState(gear, platform, "Next");
        // Clicking the input screen closes the pages.
        screen.Activate();
        platform.RunTimers();
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    g_optionsFile = involvo::fuzz::PrivateOptionsFile();
    g_fileOptions = ReadOptionsAtStartUp(g_optionsFile);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> lines;
    for (size_t start = 0; start <= input.size() && lines.size() < kMaxActions;) {
        size_t end = input.find('\n', start);
        if (end == std::string_view::npos) end = input.size();
        if (end > start) lines.push_back(input.substr(start, end - start));
        start = end + 1;
    }

    if (g_fileChanged) {
        // An earlier input confirmed other options: each input starts from the
        // same file.
        WriteOptionsFile(g_optionsFile, g_fileOptions);
        g_fileChanged = false;
    }
    g_confirmed = g_fileOptions;

    gearmain::GearMain gear;
    HeadlessPlatform platform;
    Application app(gear, platform);
    app.SetPrintoutOptionsFile(g_optionsFile);
    app.StartUpWithoutSplash();
    HeadlessView& screen = *platform.ViewOf(FormId::FrmMain);
    CheckState(gear, platform, "start-up");

    for (std::string_view line : lines) {
        const char action = line[0];
        std::string typed(line.substr(1, kMaxTyped));
        const std::string what = std::string("action '") + action + "'";  // for the failure message
        const Acting* acting = ActingOf(action);
        if (acting && acting->hand == Hand::Type) {
            screen.Type(acting->control, typed);
            screen.Leave();
            CheckState(gear, platform, what);
            CheckLeavingAgain(screen, platform, gear, acting->control);
        } else if (acting && acting->hand == Hand::Hover) {
            screen.MouseOver(acting->control);
        } else if (acting && acting->hand == Hand::Press) {
            screen.Press(acting->control);
        } else if (acting) {
            screen.Click(acting->control);
            if (acting->control == ctl::MnuCheckbox1) {
                g_shown = g_confirmed;
                g_touched.fill(false);
            }
        } else if (action == 't') {
            if (std::optional<Control> focused = screen.Focused()) screen.Type(*focused, typed);
        } else if (action == 'e') {
            screen.KeyDown(kKeyEnter);
        } else if (action == 'u') {
            screen.KeyDown(kKeyUp);
        } else if (action == 'd') {
            screen.KeyDown(kKeyDown);
        } else if (action == 'C') {
            Calculate(screen, platform, gear, typed.find('p') != std::string::npos, typed.find('b') != std::string::npos,
                      typed.find('q') != std::string::npos);
        } else if (action == '#' && !typed.empty() && typed[0] >= '1' && typed[0] <= '9') {
            if (typed[0] == '9') {
                // A typed cutter depth; the box has no key filter, but the
                // letters of "nan" or "inf" would only be the user's own text
                // shown back.
                std::string depth;
                for (char c : typed.substr(1))
                    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) depth.push_back(c);
                platform.ScriptInput(depth);
                platform.ScriptInput("");
            }
            screen.Click(ctl::MnuDepth(typed[0] - '0'));
        } else if (action == 'F') {
            auto items = screen.Items(ctl::Combo1);
            if (!items.empty() && !typed.empty())
                screen.Choose(ctl::Combo1, items[static_cast<unsigned char>(typed[0]) % items.size()]);
        } else if (action == 'k' || action == 'K' || action == 'X' || action == 'a') {
            HeadlessView* dialog = platform.ViewOf(FormId::FrmChecklist1);
            if (!dialog || !dialog->IsShown()) continue;
            if (action == 'k') {
                const int box = typed.empty() ? 1 : 1 + static_cast<unsigned char>(typed[0]) % kOptionCount;
                dialog->Tick(ctl::Check(box));
                g_touched[box] = true;
            } else if (action == 'K') {
                OptionValues ticked{};
                for (int i = 1; i <= kOptionCount; ++i) {
                    const bool on = dialog->Checked(ctl::Check(i));
                    ticked[i] = on && !g_touched[i] && g_shown[i] == 2 ? 2 : on;
                }
                dialog->Press(ctl::CmdCustom1OK);
                g_confirmed = ticked;
                g_fileChanged = true;
            } else if (action == 'X') {
                dialog->Press(ctl::CmdCustom1Cancel);
            } else {
                dialog->Deactivate();
                screen.Activate();
            }
        } else if (action == '!') {
            platform.ScriptMessageAnswer(gearmain::MsgAnswer::Cancel);
        } else {
            continue;
        }
        platform.RunTimers();
        CheckState(gear, platform, what);
    }

    app.Shutdown();
    platform.RunTimers();
    // The file holds what was confirmed last, and nothing else touched it.
    const auto file = ReadOptionsAtStartUp(g_optionsFile);
    if (file != g_confirmed) involvo::fuzz::Fail("the printout options file is not what was confirmed");
    return 0;
}
