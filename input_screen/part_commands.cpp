// The input screen's part files: Save Part..., Open Part... and Open Recent in
// its File menu. Opening types the part's entries into the screen through the
// window's own handlers (focus, key filter, edit, leaving the field), as a
// user would type them.
#include <algorithm>
#include <filesystem>
#include <optional>

#include "engine/inspection.h"
#include "engine/numbers.h"
#include "input_screen/frm_main.h"
#include "input_screen/screen_texts.h"
#include "platform/tool_port.h"

namespace involvo {

using gearmain::Field;

namespace {

constexpr const char* kFilter = "Part files (*.gear)";

std::optional<std::string> EntryOf(const Part& part, const char* key) {
    auto it = part.entries.find(key);
    if (it == part.entries.end()) return std::nullopt;
    return it->second;
}

int16_t ModeOf(const Part& part) {
    const std::string mode = EntryOf(part, "mode").value_or("pins");
    return mode == "thickness" ? 2 : mode == "span" ? 3 : 1;
}

}  // namespace

// ---------------------------------------------------------------------------
// The recent files

std::vector<std::string> FrmMain::RecentParts() {
    SettingsPort* settings = forms_.platform().Settings();
    return settings ? LoadRecentParts(*settings) : std::vector<std::string>{};
}

void FrmMain::Remember(const std::string& path) {
    lastPart_ = path;
    if (SettingsPort* settings = forms_.platform().Settings())
        SaveRecentParts(*settings, RememberPart(LoadRecentParts(*settings), path));
}

// The File menu opening: Open Recent lists the files, the last one first.
void FrmMain::ShowRecentParts() {
    View& v = view();
    const std::vector<std::string> recent = RecentParts();
    for (int i = 1; i <= static_cast<int>(kRecentParts); ++i) {
        const bool shown = i <= static_cast<int>(recent.size());
        if (shown) v.SetText(ctl::MnuRecent(i), RecentPartCaption(static_cast<size_t>(i - 1), recent[static_cast<size_t>(i - 1)]));
        v.SetVisible(ctl::MnuRecent(i), shown);
    }
    v.SetEnabled(ctl::MnuOpenRecent, !recent.empty());
}

void FrmMain::OpenRecent(int index) {
    const std::vector<std::string> recent = RecentParts();
    if (index < 1 || index > static_cast<int>(recent.size())) return;
    const std::string path = recent[static_cast<size_t>(index - 1)];
    if (OpenPart(path)) return;
    // A file that can no longer be opened leaves the list.
    if (!std::filesystem::exists(path))
        if (SettingsPort* settings = forms_.platform().Settings())
            SaveRecentParts(*settings, ForgetPart(LoadRecentParts(*settings), path));
}

// ---------------------------------------------------------------------------
// Saving

void FrmMain::SavePartCommand() {
    ToolPort* tools = forms_.platform().Tools();
    if (!tools) return;
    std::string start = lastPart_;
    if (start.empty()) start = (notes_.partNumber.empty() ? std::string("Part") : FileNameOf(notes_.partNumber)) + kPartSuffix;
    const std::string file = tools->SaveFileName("Save Part", start, kFilter);
    if (file.empty()) return;
    SavePart(WithPartSuffix(file).string());
}

bool FrmMain::SavePart(const std::string& path) {
    // The readings that are numbers; a row still being typed is not one.
    std::vector<std::string> readings;
    for (const std::string& r : notes_.readings)
        if (gearmain::ReadingValue(r)) readings.push_back(gearmain::Trim(r));
    Part part = PartOf(Texts(), gear_, std::move(readings));
    if (!notes_.partNumber.empty()) part.partNumber = notes_.partNumber;
    if (std::optional<std::string> error = WritePartFile(path, part)) {
        view().MessageBox(*error, kMessageTitle, MsgIcon::Exclamation, MsgButtons::OK);
        return false;
    }
    Remember(path);
    return true;
}

// ---------------------------------------------------------------------------
// Opening

void FrmMain::OpenPartCommand() {
    ToolPort* tools = forms_.platform().Tools();
    if (!tools) return;
    // The folder of the part last opened or saved, in this run or before.
    std::string last = lastPart_;
    if (last.empty())
        if (const std::vector<std::string> recent = RecentParts(); !recent.empty()) last = recent.front();
    const std::string start = last.empty() ? std::string() : std::filesystem::path(last).parent_path().string();
    const std::string file = tools->OpenFileName("Open Part", start, kFilter);
    if (!file.empty()) OpenPart(file);
}

std::string FrmMain::Misfit(const Part& part) {
    const std::optional<std::string> feature = EntryOf(part, "feature");
    if (!feature) return {};
    const int16_t mode = ModeOf(part);
    const int16_t type = part.internal && mode != 3 ? 2 : 1;
    const std::vector<std::string>& list = ScreenCore::FeatureList(mode, type);
    if (std::find(list.begin(), list.end(), *feature) != list.end()) return {};
    return "\"" + *feature + "\" is not a feature of the " + EntryOf(part, "mode").value_or("pins") + " mode for " +
           (type == 2 ? "an internal" : "an external") + " gear";
}

bool FrmMain::OpenPart(const std::string& path) {
    PartRead read = ReadPartFile(path);
    if (read.part) {
        if (std::string misfit = Misfit(*read.part); !misfit.empty()) {
            read.message = "The file " + path + " is not a part file (" + misfit + ").";
            read.part.reset();
        }
    }
    if (!read.part) {
        view().MessageBox(read.message, kMessageTitle, MsgIcon::Exclamation, MsgButtons::OK);
        return false;
    }
    // The results of the gear on the screen go, as when the screen is used.
    Activate();
    Fill(*read.part);
    notes_.partNumber = read.part->partNumber;
    notes_.readings = read.part->readings;
    Remember(path);
    return true;
}

// Keys typed into a field, as the window takes them: the field gets the focus
// (the one it leaves is left) and selects its text, each key goes through the
// key filter, each edit is reported. An empty text is typed as Backspace.
void FrmMain::TypeInto(Field field, const std::string& text) {
    View& v = view();
    const Control control = ControlOf(field);
    v.SetFocus(control);
    if (v.Focused() != control) return;  // a handler sent the focus elsewhere
    if (field == Field::Quality) {
        // An item of the list.
        v.SetText(control, text);
        return;
    }
    std::string now = v.Text(control);
    bool selected = true;
    for (char ch : text.empty() ? std::string("\b") : text) {
        const int key = ch == '\b' ? kKeyBackspace : static_cast<unsigned char>(ch);
        if (!KeyPress(control, key)) continue;
        if (selected) now.clear();
        else if (key == kKeyBackspace && !now.empty()) now.pop_back();
        if (key != kKeyBackspace) now.push_back(ch);
        selected = false;
        v.SetText(control, now);
        Change(control);
        if (v.Focused() != control) return;
    }
}

void FrmMain::Fill(const Part& part) {
    View& v = view();
    const EntryTexts opening = OpeningTexts();
    auto entry = [&](const char* key, const std::string& otherwise) { return EntryOf(part, key).value_or(otherwise); };

    // The mode from its menu, the gear type from its buttons (the span is for
    // external gears), the depth system from its menu.
    const int16_t mode = ModeOf(part);
    Click(mode == 1 ? ctl::MnuMow : mode == 2 ? ctl::MnuCTT : ctl::MnuSpan);
    if (mode != 3) Click(part.internal ? ctl::Internal : ctl::External);
    const int depth = std::stoi(entry("depth-system", "1"));
    if (depth != 9 && depth != std::max<int>(1, gear_.DepthSystem)) ChooseDepthSystem(depth);
    if (std::optional<std::string> feature = EntryOf(part, "feature")) {
        v.SetFocus(ctl::Combo1);
        v.SetText(ctl::Combo1, *feature);
        Click(ctl::Combo1);
    }
    // A value or pin the part does not give is the one the screen offers.
    if (!EntryOf(part, "value")) TypeInto(Field::FeatureValue, "");
    if (!EntryOf(part, "pin")) TypeInto(Field::Pin, "");

    // Each entry typed; an entry the part does not give goes back to the
    // screen's first text (typed only when the field holds another).
    const std::pair<Field, const char*> fields[] = {
        {Field::Teeth, "teeth"},          {Field::Pitch, "pitch"},          {Field::PressureAngle, "pressure-angle"},
        {Field::Helix, "helix"},          {Field::ODChange, "od-change"},   {Field::FaceWidth, "face-width"},
        {Field::Quality, "quality"},
    };
    for (const auto& [field, key] : fields) {
        if (std::optional<std::string> text = EntryOf(part, key)) TypeInto(field, *text);
        else if (v.Text(ControlOf(field)) != opening.*TextOf(field)) TypeInto(field, opening.*TextOf(field));
    }
    v.SetFocus(ctl::CmdCalc);
    // The hob or shaper depth goes with the pitch typed.
    if (depth == 9) {
        CheckDepthItem(9);
        Pull();
        int asked = 0;
        const std::string cutter = entry("cutter-depth", "");
        core_.ChooseDepthSystem(
            9, [this](const gearmain::Notice& notice) { return Show(notice); },
            [&](const std::string& prompt, const std::string& title, const std::string& offered) -> std::string {
                if (asked++ == 0 && !cutter.empty()) return cutter;
                return view().InputBox(prompt, title, offered);
            });
        Sync();
        CheckDepthItem(gear_.DepthSystem);
    }
    if (std::optional<std::string> value = EntryOf(part, "value")) TypeInto(Field::FeatureValue, *value);
    if (std::optional<std::string> pin = EntryOf(part, "pin")) TypeInto(Field::Pin, *pin);
    v.SetFocus(ctl::CmdCalc);
}

}  // namespace involvo
