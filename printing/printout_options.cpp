#include "printing/printout_options.h"

#include <fstream>
#include <system_error>
#include <vector>

#include "shell/whole_file.h"

namespace involvo {

namespace fs = std::filesystem;

namespace {

constexpr const char* kCaptions[kOptionCount + 1] = {
    "",
    "AGMA Quality Tolerences",
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
    "Part Number or Title",
};

// Eighteen values take 54 bytes; a file larger than this is damaged, and is
// not read into memory whole.
constexpr size_t kLargestOptionsFile = 1 << 20;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// One value of the file as a check box state, or nothing.
std::optional<int16_t> CheckState(std::string_view field) {
    std::string text(field);
    while (!text.empty() && IsBlank(text.back())) text.pop_back();
    while (!text.empty() && IsBlank(text.front())) text.erase(text.begin());
    if (!gearmain::IsPlainNumber(text)) return std::nullopt;
    int16_t state = gearmain::IntEntry(gearmain::Val(text));
    if (state < 0 || state > 2) return std::nullopt;
    return state;
}

}  // namespace

const char* OptionCaption(int index) {
    return index >= 1 && index <= kOptionCount ? kCaptions[index] : "";
}

OptionValues OptionsOf(const gearmain::GearMain& gear) {
    OptionValues v{};
    for (int i = 1; i <= kOptionCount; ++i) v[i] = gear.PrintoutChoices[i];
    return v;
}

void SetOptions(gearmain::GearMain& gear, const OptionValues& values) {
    for (int i = 1; i <= kOptionCount; ++i) gear.PrintoutChoices[i] = values[i];
}

std::string OptionsFileText(const OptionValues& values) {
    std::string text;
    for (int i = 1; i <= kOptionCount; ++i) text += std::to_string(values[i]) + "\r\n";
    return text;
}

std::optional<OptionValues> ParseOptions(std::string_view text) {
    size_t pos = 0;
    const size_t n = text.size();
    // Blanks and line ends before a value are passed over; only text left over
    // after them counts as "not at the end".
    auto skipSpace = [&] {
        while (pos < n && (IsBlank(text[pos]) || IsLineEnd(text[pos]))) ++pos;
    };
    std::optional<OptionValues> last;
    for (;;) {
        skipSpace();
        if (pos >= n) break;
        OptionValues group{};
        for (int i = 1; i <= kOptionCount; ++i) {
            skipSpace();
            if (pos >= n) return std::nullopt;  // the group ends early
            std::string_view field;
            if (text[pos] == '"') {
                size_t close = text.find('"', pos + 1);
                if (close == std::string_view::npos) return std::nullopt;
                field = text.substr(pos + 1, close - pos - 1);
                pos = close + 1;
                while (pos < n && IsBlank(text[pos])) ++pos;
                if (pos < n && text[pos] != ',' && !IsLineEnd(text[pos])) return std::nullopt;
            } else {
                size_t end = pos;
                while (end < n && text[end] != ',' && !IsLineEnd(text[end])) ++end;
                field = text.substr(pos, end - pos);
                pos = end;
            }
            if (pos < n && text[pos] == ',') ++pos;
            auto state = CheckState(field);
            if (!state) return std::nullopt;
            group[i] = *state;
        }
        last = group;
    }
    return last;
}

std::optional<std::string> WriteOptionsFile(const fs::path& path, const OptionValues& values) {
    return WriteFileWhole(path, OptionsFileText(values));
}

OptionValues ReadOptionsAtStartUp(const fs::path& path) {
    const OptionValues off{};
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (status.type() == fs::file_type::not_found) {
        WriteOptionsFile(path, off);  // a failure here is not reported: the options are off
        return off;
    }
    // Something in its place that is no file (a folder, a pipe that would keep
    // the start-up waiting, an endless device), or a file that cannot be read,
    // is left as it is: the options are off for the run, and OK tells the user
    // when it cannot save.
    if (ec || !fs::is_regular_file(status)) return off;
    std::ifstream in(path, std::ios::binary);
    if (!in) return off;
    std::string text;
    char block[4096];
    while (text.size() <= kLargestOptionsFile && in.read(block, sizeof block).gcount() > 0)
        text.append(block, static_cast<size_t>(in.gcount()));
    if (in.bad()) return off;
    if (text.size() <= kLargestOptionsFile)
        if (auto values = ParseOptions(text)) return *values;
    WriteOptionsFile(path, off);  // damaged: replaced by the file with every option off
    return off;
}

namespace {

// The dialog's presenter, loaded (hidden) if it was not.
FrmChecklist1& Dialog(Forms& forms) {
    forms.Load(FormId::FrmChecklist1);
    // The dialog's presenter is a FrmChecklist1 (shell/presenters.cpp).
    return static_cast<FrmChecklist1&>(forms.PresenterOf(FormId::FrmChecklist1));
}

}  // namespace

void StartUpPrinting(Forms& forms, gearmain::GearMain& gear, const fs::path& file) {
    FrmChecklist1& dialog = Dialog(forms);
    OptionValues values = ReadOptionsAtStartUp(file);
    SetOptions(gear, values);
    dialog.ShowOptions(values);
}

void OpenPrintoutOptions(Forms& forms, gearmain::GearMain& gear) {
    Dialog(forms).ShowOptions(OptionsOf(gear));
    forms.Show(FormId::FrmChecklist1);
}

// ---- The dialog ----

FrmChecklist1::FrmChecklist1(gearmain::GearMain& gear, Forms& forms, const fs::path& file)
    : gear_(gear), forms_(forms), file_(file) {}

void FrmChecklist1::Load() {
    View& v = view();
    v.SetText(ctl::Window, "Involvo -  Printout Options");
    v.SetText(ctl::Frame1, "Check the items to include on the printed form");
    std::vector<Control> tabOrder;
    for (int i = 1; i <= kOptionCount; ++i) {
        v.SetText(ctl::Check(i), OptionCaption(i));
        tabOrder.push_back(ctl::Check(i));
    }
    v.SetText(ctl::Checkall, "Check All");
    v.SetText(ctl::CmdCustom1OK, "OK");
    v.SetText(ctl::CmdCustom1Cancel, "Cancel");
    tabOrder.insert(tabOrder.end(), {ctl::Checkall, ctl::CmdCustom1OK, ctl::CmdCustom1Cancel});
    v.SetTabOrder(tabOrder);
}

void FrmChecklist1::Unload() {
    closing_ = true;
}

void FrmChecklist1::Deactivate() {
    // Another window became active: the changes are discarded, as with Cancel.
    Close();
}

void FrmChecklist1::Click(Control control) {
    if (control == ctl::Checkall) {
        CheckAll();
    } else if (control == ctl::CmdCustom1OK) {
        Confirm();
    } else if (control == ctl::CmdCustom1Cancel) {
        Close();
    } else if (ctl::Check.Has(control) && control.index() <= kOptionCount) {
        touched_[control.index()] = true;
    }
}

void FrmChecklist1::ShowOptions(const OptionValues& values) {
    shown_ = values;
    touched_.fill(false);
    for (int i = 1; i <= kOptionCount; ++i) view().SetChecked(ctl::Check(i), values[i] != 0);
}

OptionValues FrmChecklist1::Ticked() const {
    OptionValues values{};
    for (int i = 1; i <= kOptionCount; ++i) {
        bool ticked = view().Checked(ctl::Check(i));
        if (ticked && !touched_[i] && shown_[i] == 2) values[i] = 2;
        else values[i] = ticked ? 1 : 0;
    }
    return values;
}

void FrmChecklist1::CheckAll() {
    for (int i = 1; i <= kOptionCount; ++i) {
        view().SetChecked(ctl::Check(i), true);
        touched_[i] = true;
    }
    view().SetChecked(ctl::Checkall, true);
}

void FrmChecklist1::Confirm() {
    if (closing_) return;
    // From here on the dialog is going: the message box below must not close it
    // a second time when it takes the activation away.
    closing_ = true;
    OptionValues values = Ticked();
    SetOptions(gear_, values);
    if (auto reason = WriteOptionsFile(file_, values)) {
        std::error_code ec;
        fs::path shown = fs::absolute(file_, ec);
        if (ec) shown = file_;
        view().MessageBox("The printout options could not be saved in the file " + shown.string() + " (" +
                              *reason + ").\r\rThe options chosen stay in effect until Involvo is closed.",
                          kMessageTitle, MsgIcon::Exclamation, MsgButtons::OK);
    }
    forms_.Unload(FormId::FrmChecklist1);
}

void FrmChecklist1::Close() {
    if (closing_) return;
    closing_ = true;
    forms_.Unload(FormId::FrmChecklist1);
}

}  // namespace involvo
