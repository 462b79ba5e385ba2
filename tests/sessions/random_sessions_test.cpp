// Random sessions through the input screen, as an impatient user would play
// them: keys and pasted strings into any field, leaving fields, arrow keys and
// Enter, menus, gear types, depth systems with any cutter depth, hint labels,
// Calculate with any answer to the warnings, and the result pages.
//
// After every step: no visible text reads nan or inf, every message shown is
// one of the program's own, and the shown result pages have a value in every
// visible row. A failing session is shrunk to a short reproduction, printed so
// it can be kept as a regression test below.
//
// INVOLVO_SESSIONS=<n> plays n sessions instead of the default few thousand;
// INVOLVO_SESSION_SEED=<s> changes the seed.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "platform/headless.h"
#include "shell/application.h"

namespace involvo {
namespace {

enum class Kind { Type, Leave, Key, Menu, Press, Choose, Label, Hover, Calculate, Page, ActivateMain };

struct Action {
    Action(Kind k, Control c = ctl::Window, std::string t = "", int keyCode = 0)
        : kind(k), control(c), text(std::move(t)), key(keyCode) {}
    Kind kind;
    Control control;  // ctl::Window: none
    std::string text;
    int key = 0;
    std::vector<bool> answers;  // OK (true) or Cancel for the boxes with a choice
    std::vector<std::string> inputs;  // answers to input boxes
};

std::string Describe(const Action& a) {
    std::ostringstream s;
    const char* names[] = {"Type", "Leave", "Key", "Menu", "Press", "Choose", "Label", "Hover", "Calculate", "Page",
                           "ActivateMain"};
    s << names[static_cast<int>(a.kind)] << "(" << NameOf(a.control);
    if (!a.text.empty()) {
        std::string shown;
        for (char c : a.text) shown += c == '\b' ? std::string("\\b") : std::string(1, c);
        s << ", \"" << shown << "\"";
    }
    if (a.key) s << ", key " << a.key;
    for (bool ok : a.answers) s << (ok ? " OK" : " Cancel");
    for (const auto& in : a.inputs) s << " input\"" << in << "\"";
    s << ")";
    return s.str();
}

const std::vector<Control> kFields = {ctl::InputNT,          ctl::InputDP,      ctl::InputPA,        ctl::InputHA,
                                          ctl::InputCTT_MOW,     ctl::InputPINDIA,  ctl::InputFaceWidth, ctl::ComboQuality,
                                          ctl::InputAddendumMod, ctl::Combo1};
const std::vector<Control> kMenus = {ctl::MnuMow,      ctl::MnuCTT,      ctl::MnuSpan,     ctl::mnuFile,     ctl::MnuDepth(1),
                                         ctl::MnuDepth(2), ctl::MnuDepth(3), ctl::MnuDepth(4), ctl::MnuDepth(5), ctl::MnuDepth(6),
                                         ctl::MnuDepth(7), ctl::MnuDepth(8), ctl::MnuDepth(9), ctl::MnuDepth(9)};
const std::vector<Control> kLabels = {ctl::LabelBasic, ctl::LabelStandard, ctl::LabelBestPin, ctl::LabelStandardOD};
const std::vector<Control> kPageButtons = {ctl::Next1, ctl::Next, ctl::Back, ctl::CmdOK, ctl::mnuFileClose};

// Texts a user types or pastes: sensible numbers most of the time, junk often.
std::string RandomText(std::mt19937& rng) {
    static const std::vector<std::string> samples = {
        "24", "25", "10", "20", "14.5", "30", "0", "0.157", "0.1728", "2.64", "2.74", "1.0668", "4", "7", "8/10",
        "0.157/0.155", "0.004 / 0.006", "-0.010", "0.01", "3", "100000", "0.1", "5000", "60", "5", "15", "1e30",
        "0.0000001", "99999999999999999999999999999999999999999999", "..", "--1", "1-2", "/", "//", "a", " ",
        "12a", "1 2", "-", ".", "9/", "/9", "45", "89.99", "90", "180", "1000", "0.5", "2"};
    std::uniform_int_distribution<int> pick(0, 9);
    int how = pick(rng);
    if (how < 6) return samples[std::uniform_int_distribution<size_t>(0, samples.size() - 1)(rng)];
    static const std::string alphabet = "0123456789.-/ aZe+\b";
    int length = how == 9 ? std::uniform_int_distribution<int>(50, 400)(rng) : std::uniform_int_distribution<int>(1, 8)(rng);
    std::string s;
    for (int i = 0; i < length; ++i) s.push_back(alphabet[std::uniform_int_distribution<size_t>(0, alphabet.size() - 1)(rng)]);
    return s;
}

Action RandomAction(std::mt19937& rng) {
    auto pickOf = [&](const std::vector<Control>& v) {
        return v[std::uniform_int_distribution<size_t>(0, v.size() - 1)(rng)];
    };
    Action a(Kind::Leave);
    int r = std::uniform_int_distribution<int>(0, 99)(rng);
    if (r < 40) a = Action(Kind::Type, pickOf(kFields), RandomText(rng));
    else if (r < 55) a = Action(Kind::Leave);
    else if (r < 58) a = Action(Kind::Key, ctl::Window, "", std::vector<int>{kKeyUp, kKeyDown, kKeyEnter}[std::uniform_int_distribution<int>(0, 2)(rng)]);
    else if (r < 65) a = Action(Kind::Menu, pickOf(kMenus));
    else if (r < 69) a = Action(Kind::Press, std::uniform_int_distribution<int>(0, 1)(rng) ? ctl::External : ctl::Internal);
    else if (r < 73) a = Action(Kind::Choose, ctl::Combo1);
    else if (r < 78) a = Action(Kind::Label, pickOf(kLabels));
    else if (r < 80) a = Action(Kind::Hover, pickOf(kLabels));
    else if (r < 90) a = Action(Kind::Calculate, ctl::CmdCalc);
    else if (r < 98) a = Action(Kind::Page, pickOf(kPageButtons));
    else a = Action(Kind::ActivateMain);
    for (int i = 0; i < 3; ++i) a.answers.push_back(std::uniform_int_distribution<int>(0, 3)(rng) != 0);
    a.inputs = {RandomText(rng), "", RandomText(rng)};
    if (a.kind == Kind::Choose) a.key = std::uniform_int_distribution<int>(0, 3)(rng);
    return a;
}

bool HasNanOrInf(const std::string& text) {
    std::string lower;
    for (char c : text) lower.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    for (const char* word : {"nan", "inf"}) {
        for (size_t p = lower.find(word); p != std::string::npos; p = lower.find(word, p + 1)) {
            bool before = p == 0 || !std::isalpha(static_cast<unsigned char>(lower[p - 1]));
            bool after = p + 3 >= lower.size() || !std::isalpha(static_cast<unsigned char>(lower[p + 3]));
            if (before && after) return true;
        }
    }
    return false;
}

// The program's own messages; the ones that end in a number or a name by prefix.
bool IsProgramMessage(const std::string& text) {
    static const std::vector<std::string> exact = {
        "Enter the number of gear teeth", "Enter the normal diametral pitch", "Enter a pin diameter",
        "Enter the number of teeth spanned", "Enter the normal pressure angle", "Number of teeth is not Acceptable",
        "Diametral Pitch is not Acceptable", "Pressure Angle is not acceptable", "Gear quality must be from 3 to 15",
        "You must enter a Diametral Pitch before using this option", "This value is not within program limits",
        "Use balls for measuring internal helical gears",
        "Odd tooth helical gears should be measured using balls\ror measured from the center of the gear over one pin.",
        "Caution! - Make sure that the calipers or anvils are not contacting\rbelow the TIF or in the root of the gear.",
        "Involute function error: Unacceptable span measurement value",
        "Involute function error: Unacceptable tooth thickness or pin diameter",
        "Involute function error: Unacceptable space width or pin diameter",
        "Involute function error: Unacceptable dimension over pins or pin diameter",
        "Involute function error: Unacceptable dimension between pins or pin diameter", "Involute function error",
        "Span measurement error: Unacceptable tooth thickness or number of teeth spanned",
        "Chordal thickness error: Unacceptable chordal tooth thickness",
        "Chordal thickness error: Unacceptable chordal space width", "Calculation error: Unacceptable gear data",
        "The Full Fillet (Shaped) depth system is defined for pressure angles of 14.5, 20 and 25 degrees only",
        "The number of teeth spanned must be a whole number",
        "Caution! - The tooth is pointed: its flanks meet before the outside diameter\rand the tooth tip land is 0 or "
        "negative.",
        "Caution! - The tooth is pointed: its flanks meet before the inside diameter\rand the tooth tip land is 0 or "
        "negative.",
        "The pin diameter that you have chosen is too large and will\rcontact on the outside diameter and not on the "
        "tooth profile.\rChoose OK to continue or Cancel to enter a smaller pin diameter?",
        "The pin diameter you have chosen is too small and will\rcontact on the root of the gear.\rChoose OK to "
        "continue or Cancel to enter a larger pin diameter?",
        "The pin diameter you have chosen is too large and will\rcontact on the inside diameter and not on the tooth "
        "profile.\rChoose OK to continue or Cancel to enter a smaller pin diameter.",
        "The pin diameter you have chosen is too small and will\rcontact on the root of the gear.\rChoose OK to "
        "continue or Cancel to enter a larger pin diameter."};
    static const std::vector<std::string> prefixes = {
        "Enter Circular", "Enter Chordal", "Enter Dimension", "Enter Span", "Enter Contributing",
        "The minimum number of teeth for span measurement is  ", "The maximum number of teeth for span measurement is  ",
        "The minimum face width required for span measurement over "};
    for (const auto& e : exact)
        if (text == e) return true;
    for (const auto& p : prefixes)
        if (text.rfind(p, 0) == 0) return !HasNanOrInf(text);
    return false;
}

const FormId kAllForms[] = {FormId::FrmMain,     FormId::FrmOutput1, FormId::FrmHelical1,   FormId::FrmOutput2,
                            FormId::FRMHelical2, FormId::AGMATOL,    FormId::FrmChecklist1};
const FormId kPages[] = {FormId::FrmOutput1, FormId::FrmHelical1, FormId::FrmOutput2, FormId::FRMHelical2,
                         FormId::AGMATOL};

// Plays a session; returns the first problem, or "" when every step was clean.
std::string Play(const std::vector<Action>& actions) {
    gearmain::GearMain gear;
    HeadlessPlatform platform;
    Application app(gear, platform);
    app.StartUpWithoutSplash();
    size_t seenMessages = 0;
    bool mainActive = true;

    for (size_t step = 0; step < actions.size(); ++step) {
        const Action& a = actions[step];
        for (bool ok : a.answers) platform.ScriptMessageAnswer(ok ? MsgAnswer::OK : MsgAnswer::Cancel);
        for (const auto& in : a.inputs) platform.ScriptInput(in);
        HeadlessView* screen = platform.ViewOf(FormId::FrmMain);
        if (!screen) return "the input screen is gone";
        // Using the input screen while a page is in front makes it the active
        // window first, as a click on it does.
        const bool onMain = a.kind != Kind::Page;
        if (onMain && !mainActive && a.kind != Kind::Hover) {
            screen->Activate();
            mainActive = true;
        }
        switch (a.kind) {
            case Kind::Type: screen->Type(a.control, a.text); break;
            case Kind::Leave: screen->Leave(); break;
            case Kind::Key: screen->KeyDown(a.key); break;
            case Kind::Menu: screen->Click(a.control); break;
            case Kind::Press: screen->Press(a.control); break;
            case Kind::Choose: {
                auto items = screen->Items(ctl::Combo1);
                if (!items.empty()) screen->Choose(ctl::Combo1, items[static_cast<size_t>(a.key) % items.size()]);
                break;
            }
            case Kind::Label: screen->Click(a.control); break;
            case Kind::Hover: screen->MouseOver(a.control); break;
            case Kind::Calculate: screen->Press(ctl::CmdCalc); break;
            case Kind::Page:
                for (FormId id : kPages)
                    if (HeadlessView* page = platform.ViewOf(id); page && page->IsShown()) {
                        // Only the buttons the page has can be pressed.
                        if (HasControl(id, a.control)) page->Press(a.control);
                        break;
                    }
                break;
            case Kind::ActivateMain: break;  // done above
        }
        platform.RunTimers();
        mainActive = true;
        for (FormId id : kPages)
            if (HeadlessView* page = platform.ViewOf(id); page && page->IsShown()) mainActive = false;

        const auto& messages = platform.Messages();
        for (; seenMessages < messages.size(); ++seenMessages)
            if (!IsProgramMessage(messages[seenMessages].text))
                return "step " + std::to_string(step) + ": a message that is not the program's own: \"" +
                       messages[seenMessages].text + "\"";
        for (FormId id : kAllForms) {
            HeadlessView* view = platform.ViewOf(id);
            if (!view) continue;
            for (Control control : view->Controls()) {
                if (HasNanOrInf(view->Text(control)) || HasNanOrInf(view->ToolTip(control)))
                    return "step " + std::to_string(step) + ": " + FormName(id) + " " + NameOf(control) + " reads \"" +
                           view->Text(control) + "\"";
            }
        }
        for (FormId id : kPages) {
            HeadlessView* page = platform.ViewOf(id);
            if (!page || !page->IsShown()) continue;
            int rows = id == FormId::AGMATOL ? 6 : 12;
            for (int i = 1; i <= rows; ++i) {
                const Control label = ctl::Label(i), text = ctl::Text(i);
                if (!page->Visible(text) || !page->Visible(label)) continue;
                // A backlash left empty reads as none; everything else is a number.
                if (page->Text(text).empty() && page->Text(label) != "Contributing Backlash")
                    return "step " + std::to_string(step) + ": " + FormName(id) + " row " + std::to_string(i) + " (" +
                           page->Text(label) + ") is empty";
            }
        }
        if (app.Ended()) break;
    }
    return "";
}

// Removes actions as long as the session still fails (delta debugging).
std::vector<Action> Shrink(std::vector<Action> actions) {
    size_t chunk = actions.size() / 2;
    while (chunk >= 1) {
        bool removed = false;
        for (size_t start = 0; start + chunk <= actions.size();) {
            std::vector<Action> shorter(actions.begin(), actions.begin() + static_cast<long>(start));
            shorter.insert(shorter.end(), actions.begin() + static_cast<long>(start + chunk), actions.end());
            if (!Play(shorter).empty()) {
                actions = shorter;
                removed = true;
            } else {
                start += chunk;
            }
        }
        if (!removed) chunk /= 2;
    }
    return actions;
}

int EnvInt(const char* name, int fallback) {
    const char* v = std::getenv(name);
    return v ? std::atoi(v) : fallback;
}

TEST(RandomSessions, NoCrashNoNanNoForeignMessage) {
    const int sessions = EnvInt("INVOLVO_SESSIONS", 2000);
    const unsigned seed = static_cast<unsigned>(EnvInt("INVOLVO_SESSION_SEED", 20261206));
    std::mt19937 rng(seed);
    for (int s = 0; s < sessions; ++s) {
        std::vector<Action> actions;
        int length = std::uniform_int_distribution<int>(5, 60)(rng);
        for (int i = 0; i < length; ++i) actions.push_back(RandomAction(rng));
        std::string problem = Play(actions);
        if (problem.empty()) continue;
        std::vector<Action> shortest = Shrink(actions);
        std::string reproduction;
        for (const auto& a : shortest) reproduction += "  " + Describe(a) + "\n";
        FAIL() << "session " << s << " (seed " << seed << "): " << Play(shortest) << "\nreproduction:\n"
               << reproduction;
    }
}

// Sessions that once failed, kept as they were shrunk.
TEST(RandomSessions, KeptReproductionsStayClean) {
    std::vector<std::vector<Action>> kept = {
        // A typed range after a zero once left the feature value at 0.
        {{Kind::Type, ctl::InputNT, "24"}, {Kind::Leave}, {Kind::Type, ctl::InputDP, "10"}, {Kind::Leave},
         {Kind::Type, ctl::InputCTT_MOW, "0"}, {Kind::Leave}, {Kind::Type, ctl::InputCTT_MOW, "0.157/0.155"},
         {Kind::Calculate, ctl::CmdCalc}},
    };
    for (const auto& session : kept) EXPECT_EQ(Play(session), "");
}

}  // namespace
}  // namespace involvo
