#include "input_screen/frm_main.h"

#include <algorithm>
#include <array>

#include "input_screen/screen_texts.h"
#include "printing/printout_options.h"
#include "shell/help.h"

namespace involvo {

using namespace screen;
using gearmain::Field;
using gearmain::Notice;

namespace {

constexpr const char* kTitle = "Involvo";

// The fields in tab order, then the buttons.
const std::vector<std::string> kTabOrder = {
    "InputNT",     "InputDP",        "InputPA",      "InputHA", "Combo1",  "InputCTT_MOW", "InputAddendumMod",
    "InputPINDIA", "InputFaceWidth", "ComboQuality", "CmdCalc", "cmdExit", "External",     "Internal",
};

const std::array<const char*, 8> kTextBoxes = {
    "InputNT",      "InputDP",          "InputPA",     "InputHA",
    "InputCTT_MOW", "InputAddendumMod", "InputPINDIA", "InputFaceWidth",
};

const std::array<const char*, 9> kDepthCaptions = {
    "AGMA (Current standard) - 2.25/DP,  (2.20/DP)+.002 for 20 DP and finer",
    "Old Standard - 2.157/DP,  (2.20/DP)+.002 for 20 DP and finer",
    "Full Fillet (Hobbed) - 2.335/DP",
    "Full Fillet (Shaped) - 14.5 PA = 2.4/DP, 20 PA=2.35/DP, 25 PA=2.25/DP",
    "Pre-Grind or Pre-Shave - 2.35/DP,  (2.4/DP) + .002  for 20 DP and finer",
    "AGMA Stub Pitch (1.80/DP)",
    "AGMA Stub-Full Fillet (2.00/DP)",
    "Combination Stub Pitch (2.25/Pitch Fraction)",
    "Enter Actual Hob or Shaper Whole Depth",
};

std::string DepthItem(int index) { return "MnuDepth(" + std::to_string(index) + ")"; }

bool IsTextBox(const std::string& control) {
    return std::find(kTextBoxes.begin(), kTextBoxes.end(), control) != kTextBoxes.end();
}

// The fields of the screen, in tab order.
constexpr Field kFields[] = {Field::Teeth,   Field::Pitch,        Field::PressureAngle, Field::Helix,
                             Field::Feature, Field::FeatureValue, Field::ODChange,      Field::Pin,
                             Field::FaceWidth, Field::Quality};

Field FieldOf(const std::string& control) {
    for (Field field : kFields)
        if (control == ControlOf(field)) return field;
    return Field::None;
}

}  // namespace

FrmMain::FrmMain(gearmain::GearMain& gear, Forms& forms)
    : gear_(gear), forms_(forms), core_(gear, hintMemory_, texts_) {}

const EntryTexts& ScreenTexts(Forms& forms) {
    return static_cast<FrmMain&>(forms.PresenterOf(FormId::FrmMain)).Texts();
}

// ---------------------------------------------------------------------------
// Building the window

void FrmMain::Load() {
    CreateControls();
    CreateMenus();
    view().SetTabOrder(kTabOrder);
    view().SetText("", "Involvo -  (Calculate Dimension Over Pins)");

    SetHelpFile();
    Pull();
    core_.Open();
    Sync();
}

void FrmMain::CreateControls() {
    View& v = view();
    struct Caption {
        const char* label;
        const char* caption;
        Field field;
        const char* tip;
    };
    const Caption captions[] = {
        {"Labelnumteeth", "Number of Teeth  ", Field::Teeth, "Enter the number of gear teeth. "},
        {"LabelPitch", "Normal Diametral Pitch  ", Field::Pitch, "Enter the normal diametral pitch"},
        {"LabelPA", "Normal Pressure Angle  ", Field::PressureAngle, "Enter the normal pressure angle"},
        {"LABELHA", "Helix Angle", Field::Helix, "Enter Helix angle if helical gear"},
        {"LblAddendumMod", "Enlargement or Reduction (+/-)", Field::ODChange, "Enter Enlargement or Reduction of O.D."},
        {"LABELPINDIA", kPinCaption, Field::Pin, "Enter Measuring pin diameter"},
        {"LabelFaceWidth", "Gear Face Width", Field::FaceWidth, "Enter Gear face width"},
        {"LabelQuality", "AGMA Quality Number", Field::Quality, "Enter or select AGMA Quality Number"},
    };
    for (const Caption& c : captions) {
        v.SetText(c.label, c.caption);
        v.SetToolTip(ControlOf(c.field), c.tip);
    }
    v.SetToolTip("Combo1", "Select Input Feature");

    // The lists first: a list shows a text among its items.
    v.SetItems("Combo1", ScreenCore::FeatureList(1, 1));
    std::vector<std::string> qualities = {"None"};
    for (int q = 3; q <= 15; ++q) qualities.push_back(std::to_string(q));
    v.SetItems("ComboQuality", qualities);
    const EntryTexts opening = OpeningTexts();
    for (Field field : kFields) v.SetText(ControlOf(field), opening.*TextOf(field));

    // The hint labels start empty; they are black and turn red under the mouse.
    for (const char* label : {"LabelBasic", "LabelBasic2", "LabelStandardOD", "LabelStandard", "LabelBestPin"}) {
        v.SetText(label, "");
        v.SetForeground(label, kBlack);
    }

    v.SetText("Frame1", "Gear Type");
    v.SetToolTip("Frame1", "Select type of gear");
    v.SetText("External", "External");
    v.SetToolTip("External", "External gear teeth");
    v.SetChecked("External", true);
    v.SetForeground("External", kDarkBlue);
    v.SetText("Internal", "Internal");
    v.SetToolTip("Internal", "Internal gear teeth");
    v.SetChecked("Internal", false);
    v.SetForeground("Internal", kDarkBlue);

    v.SetText("CmdCalc", "Calculate Gear Data");
    v.SetToolTip("CmdCalc", "Click button to calculate gear data");
    v.SetText("cmdExit", "Exit");
    v.SetToolTip("cmdExit", "Exit program");
    v.SetText("Title", kTitle);
}

void FrmMain::CreateMenus() {
    View& v = view();
    v.SetText("mnuFile", "&File");
    v.SetText("MnuExit", "E&xit");
    v.SetText("mnuOptions", "&Options");
    v.SetText("MnuMow", "Calculate &Dimension over/between pins");
    v.SetChecked("MnuMow", true);
    v.SetText("MnuCTT", "Calculate &Circular tooth thickness/space width");
    v.SetChecked("MnuCTT", false);
    v.SetText("MnuSpan", "Calculate Span Measurement");
    v.SetChecked("MnuSpan", false);
    v.SetText("MnuDepthSystem", "Depth System");
    for (int i = 1; i <= 9; ++i) {
        v.SetText(DepthItem(i), kDepthCaptions[i - 1]);
        v.SetChecked(DepthItem(i), i == 1);
    }
    v.SetText("MnuCheckbox1", "Printout Options");
    v.SetText("mnuHelp", "&Help");
    v.SetText("mnuHelpContents", "&Contents");
    v.SetText("mnuHelpBar1", "-");
    v.SetText("mnuHelpAbout", "&About Involvo...");
}

// The help file and the window placement belong to the application shell's
// services; the input screen only marks the moments they are needed. The shell
// restores and saves the placement itself, around the load and the unload.
void FrmMain::SetHelpFile() { involvo::SetHelpFile(forms_.platform()); }

// ---------------------------------------------------------------------------
// Lifecycle

void FrmMain::Activate() {
    // Back on the input screen, the results of the last calculation are
    // discarded: the next Calculate builds them again.
    gear_.PartNumber = "";
    for (FormId page : {FormId::FrmOutput1, FormId::FrmOutput2, FormId::FrmHelical1, FormId::FRMHelical2,
                        FormId::AGMATOL})
        if (forms_.IsLoaded(page)) forms_.Unload(page);
}

// ---------------------------------------------------------------------------
// The window and the core in step

void FrmMain::Pull() {
    for (Field field : kFields) texts_.*TextOf(field) = view().Text(ControlOf(field));
}

void FrmMain::Sync() {
    const FieldSet written = core_.TakeWritten();
    for (Field field : kFields)
        if (written & Bit(field)) view().SetText(ControlOf(field), texts_.*TextOf(field));
    if (std::optional<HintsRun> run = core_.TakeHints()) ShowHints(*run);
}

const EntryTexts& FrmMain::Texts() {
    Sync();
    Pull();
    return texts_;
}

void FrmMain::UpdateHints() {
    Pull();
    core_.UpdateHints();
    Sync();
}

// The captions and tooltips beside the fields, as far as the hint update got.
void FrmMain::ShowHints(const HintsRun& run) {
    View& v = view();
    using Reach = HintsRun::Reach;
    if (run.standardDiameter) v.SetText("LabelStandardOD", *run.standardDiameter);
    if (run.depthSystemReset) {
        v.SetChecked(DepthItem(1), true);
        v.SetChecked(DepthItem(9), false);
    }
    if (run.reach == Reach::NoGear || run.reach == Reach::NoPressureAngle) return;
    v.SetText("LABELPINDIA", run.pinCaption);
    if (run.reach != Reach::Complete) return;

    v.SetText("LabelBasic", run.basic);
    v.SetText("LabelBasic2", run.basicNote);
    v.SetText("LabelStandard", run.standard);
    v.SetText("LabelBestPin", run.idealPin);
    if (!run.basic.empty()) v.SetToolTip("LabelBasic", "Click to enter basic with no backlash");
    if (!run.standard.empty()) {
        if (run.spanCount) {
            v.SetToolTip("InputPINDIA", "Enter Number of teeth you will be spanning");
            v.SetToolTip("LabelStandard", "Click to enter calculated number of teeth to span");
            v.SetEnabled("LabelBestPin", false);
        } else {
            v.SetToolTip("InputPINDIA", "Enter Measuring Pin Diameter");
            v.SetToolTip("LabelStandard", "Click to enter standard pin diameter");
            v.SetEnabled("LabelBestPin", true);
            v.SetToolTip("LabelBestPin", "Click to enter P.D. contact pin diameter");
        }
    }
    v.SetToolTip("InputCTT_MOW", "Enter " + v.Text("Combo1"));
}

gearmain::MsgAnswer FrmMain::Show(const Notice& notice) {
    // The window shows what the core left before the box covers it, and the
    // handlers that the focus move runs start from there.
    Sync();
    MsgAnswer answer = MsgAnswer::OK;
    if (!notice.text.empty()) answer = view().MessageBox(notice.text, kTitle, notice.icon, notice.buttons);
    const bool sent = notice.buttons == MsgButtons::OK || answer == MsgAnswer::Cancel;
    if (notice.focus != Field::None && sent) view().SetFocus(ControlOf(notice.focus));
    return answer;
}

// ---------------------------------------------------------------------------
// Keys

bool FrmMain::KeyPress(const std::string& control, int key) {
    const Field field = FieldOf(control);
    if (field == Field::None) return true;
    return ScreenCore::KeyAccepted(field, gear_.DepthSystem, view().Text(control), key);
}

bool FrmMain::KeyDown(int keyCode) {
    switch (keyCode) {
        case kKeyUp: view().FocusNext(true); return true;
        case kKeyDown: view().FocusNext(false); return true;
        case kKeyEnter:
            // Enter on a button presses it and stays: moving on as well would
            // leave the focus on Exit after Calculate, for the next Enter.
            if (view().Focused() == "CmdCalc" || view().Focused() == "cmdExit") return false;
            view().FocusNext(false);
            return false;  // the text boxes then discard it
        default: return false;
    }
}

// ---------------------------------------------------------------------------
// Focus

void FrmMain::GotFocus(const std::string& control) {
    View& v = view();
    if (control == "InputNT") {
        v.SetToolTip("InputCTT_MOW", "Enter " + v.Text("Combo1"));
    } else if (control == "InputPINDIA") {
        UpdateHints();
        if (gear_.InputFeature == kSpan) v.SetText("LABELPINDIA", kTeethSpannedCaption);
    } else if (control == "Combo1") {
        Pull();
        core_.EnterFeature();
        Sync();
        v.SetToolTip("InputCTT_MOW", "");
    }
    // An editable list selects its text on entry like a text box, so a typed
    // quality number replaces "None".
    if (IsTextBox(control) || control == "ComboQuality") v.SelectAll(control);
}

void FrmMain::LostFocus(const std::string& control) {
    const Field field = FieldOf(control);
    if (field == Field::None) return;
    Pull();
    core_.Leave(field);
    Sync();
}

// ---------------------------------------------------------------------------
// Edits and clicks

void FrmMain::Change(const std::string& control) {
    if (control != "InputDP") return;
    Pull();
    core_.EditPitch();
    Sync();
}

void FrmMain::Click(const std::string& control) {
    View& v = view();
    if (control == "CmdCalc") {
        Calculate();
    } else if (control == "cmdExit" || control == "MnuExit") {
        forms_.Unload(FormId::FrmMain);
    } else if (control == "LabelBasic" || control == "LabelStandard" || control == "LabelBestPin") {
        CopyHint(control);
    } else if (control == "InputCTT_MOW") {
        v.SetToolTip("InputCTT_MOW", "Enter " + v.Text("Combo1"));
    } else if (control == "MnuMow") {
        ModeDimensionOverPins();
    } else if (control == "MnuCTT") {
        ModeToothThickness();
    } else if (control == "MnuSpan") {
        ModeSpan();
    } else if (control == "External" || control == "Internal") {
        SelectGearType(control);
    } else if (control == "Combo1") {
        FeatureChosen();
    } else if (control == "mnuFile") {
        FileMenuOpening();
    } else if (control == "mnuHelpContents") {
        ShowHelpContents(forms_.platform(), v);
    } else if (control == "mnuHelpAbout") {
        forms_.ShowModal(FormId::frmAbout);
    } else if (control == "MnuCheckbox1") {
        OpenPrintoutOptions(forms_, gear_);
    } else if (control.rfind("MnuDepth(", 0) == 0 && control.size() == 11 && control[10] == ')') {
        int index = control[9] - '0';
        if (index >= 1 && index <= 9) ChooseDepthSystem(index);
    }
}

// A click on a hint label copies the hinted value into its field.
void FrmMain::CopyHint(const std::string& label) {
    View& v = view();
    if (v.Text(label).empty() || !v.Enabled(label)) return;
    Pull();
    if (label == "LabelBasic") core_.CopyBasic();
    else if (label == "LabelStandard") core_.CopyStandard();
    else core_.CopyIdealPin();
    Sync();
}

void FrmMain::MouseMove(const std::string& control) {
    View& v = view();
    if (control == "LabelBasic") {
        v.SetForeground("LabelBasic", kLightRed);
    } else if (control == "LabelStandard") {
        v.SetForeground("LabelBestPin", kBlack);
        v.SetForeground("LabelStandard", kLightRed);
    } else if (control == "LabelBestPin") {
        v.SetForeground("LabelStandard", kBlack);
        v.SetForeground("LabelBestPin", kLightRed);
    } else if (control == "LabelStandardOD") {
        v.SetForeground("LabelBasic", kBlack);
        v.SetForeground("LabelStandard", kBlack);
    } else if (control == "External") {
        v.SetForeground("Internal", kDarkBlue);
        v.SetForeground("External", kLightRed);
    } else if (control == "Internal") {
        v.SetForeground("Internal", kLightRed);
        v.SetForeground("External", kDarkBlue);
    } else if (control == "Frame1") {
        v.SetForeground("Internal", kDarkBlue);
        v.SetForeground("External", kDarkBlue);
    } else if (control.empty()) {
        v.SetForeground("LabelBasic", kBlack);
        v.SetForeground("LabelStandard", kBlack);
        v.SetForeground("LabelBestPin", kBlack);
        v.SetForeground("Internal", kDarkBlue);
        v.SetForeground("External", kDarkBlue);
    }
}

// ---------------------------------------------------------------------------
// Calculate

void FrmMain::Calculate() {
    Pull();
    const FirstPage page = core_.Calculate([this](const Notice& notice) { return Show(notice); });
    Sync();
    if (page != FirstPage::None) forms_.Show(page == FirstPage::Spur ? FormId::FrmOutput1 : FormId::FrmHelical1);
}

// ---------------------------------------------------------------------------
// Modes and gear type

// The list of the mode and gear type, before the core's feature text is shown.
void FrmMain::ShowFeatureList() { view().SetItems("Combo1", ScreenCore::FeatureList(gear_.CalcMode, gear_.GearType)); }

void FrmMain::SetModeCaption() {
    static const char* const kCaptions[3][2] = {
        {"Involvo - (Calculate Dimension Over Pins)", "Involvo - (Calculate Dimension Between Pins)"},
        {"Involvo - (Calculate Circular Tooth Thickness)", "Involvo - (Calculate Circular Space Width)"},
        {"Involvo - (Calculate Span Measurement)", "Involvo - (Calculate Span Measurement)"},
    };
    int mode = std::clamp<int>(gear_.CalcMode, 1, 3) - 1;
    view().SetText("", kCaptions[mode][gear_.GearType == 1 ? 0 : 1]);
}

void FrmMain::CheckModeItems(const char* item) {
    for (const char* mode : {"MnuMow", "MnuCTT", "MnuSpan"}) view().SetChecked(mode, std::string(mode) == item);
}

void FrmMain::ModeDimensionOverPins() {
    View& v = view();
    v.SetEnabled("Internal", true);
    if (v.Focused() == "Combo1") v.SetFocus("InputCTT_MOW");
    CheckModeItems("MnuMow");
    Pull();
    core_.ChooseMode(1);
    SetModeCaption();
    ShowFeatureList();
    v.SetText("LABELPINDIA", texts_.feature == kSpan ? kTeethSpannedLowerCaption : kPinCaption);
    Sync();
}

void FrmMain::ModeToothThickness() {
    View& v = view();
    v.SetEnabled("Internal", true);
    CheckModeItems("MnuCTT");
    Pull();
    core_.ChooseMode(2);
    SetModeCaption();
    ShowFeatureList();
    v.SetText("LABELPINDIA", texts_.feature == kSpan ? kTeethSpannedLowerCaption : kPinCaption);
    Sync();
}

// Span measurement is for external gears only.
void FrmMain::ModeSpan() {
    View& v = view();
    SelectGearType("External");  // still under the old mode
    v.SetEnabled("Internal", false);
    CheckModeItems("MnuSpan");
    Pull();
    core_.ChooseMode(3);
    SetModeCaption();
    ShowFeatureList();
    v.SetText("LABELPINDIA", kTeethSpannedCaption);
    Sync();
}

// Selecting an option button runs its handler only when the selection changes.
void FrmMain::SelectGearType(const std::string& button) {
    View& v = view();
    if (v.Checked(button)) return;
    const bool external = button == "External";
    v.SetChecked("External", external);
    v.SetChecked("Internal", !external);
    Pull();
    core_.ChooseGearType(external ? 1 : 2);
    if (!external) v.SetText("LABELPINDIA", kPinCaption);
    SetModeCaption();
    ShowFeatureList();
    Sync();
}

void FrmMain::FeatureChosen() {
    Pull();
    core_.ChooseFeature();
    const bool span = gear_.InputFeature == kSpan || gear_.CalcMode == 3;
    view().SetText("LABELPINDIA", span ? kTeethSpannedLowerCaption : kPinCaption);
    Sync();
}

// The mode items' check marks follow the mode each time the File menu opens.
void FrmMain::FileMenuOpening() {
    View& v = view();
    switch (gear_.CalcMode) {
        case 1:
            v.SetChecked("MnuMow", true);
            v.SetChecked("MnuCTT", false);
            break;
        case 2:
            v.SetChecked("MnuCTT", true);
            v.SetChecked("MnuMow", false);
            break;
        case 3:
            v.SetChecked("MnuMow", false);
            v.SetChecked("MnuCTT", false);
            break;
        default: break;
    }
}

// ---------------------------------------------------------------------------
// Depth systems

void FrmMain::CheckDepthItem(int index) {
    for (int i = 1; i <= 9; ++i) view().SetChecked(DepthItem(i), i == index);
}

void FrmMain::ChooseDepthSystem(int index) {
    CheckDepthItem(index);
    Pull();
    core_.ChooseDepthSystem(
        static_cast<int16_t>(index), [this](const Notice& notice) { return Show(notice); },
        [this](const std::string& prompt, const std::string& title, const std::string& offered) {
            return view().InputBox(prompt, title, offered);
        });
    Sync();
    CheckDepthItem(gear_.DepthSystem);
}

}  // namespace involvo
