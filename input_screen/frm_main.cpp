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
using gearmain::SngEntry;
using gearmain::Val;

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

const std::vector<std::string> kExternalToothList = {kCircularThickness, kChordalThickness, kBacklash};
const std::vector<std::string> kInternalToothList = {kCircularSpace, kChordalSpace, kBacklash};
const std::vector<std::string> kExternalMeasureList = {kOverPins, kSpan};
const std::vector<std::string> kInternalMeasureList = {kBetweenPins};

constexpr const char* kCutterDepthPrompt =
    "Enter Hob or Shaper cutter whole depth.\r\r"
    "Note: If you change the Diametral Pitch, the Depth will change back to the default setting "
    "(AGMA Current Standard.)";

// A user can go on refusing the limits as long as he likes; a script that keeps
// offering the same refused answer must not keep the program in the dialog.
constexpr int kCutterDepthTries = 50;

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
    // The first load makes the gear external and takes the pressure angle from
    // its default text.
    if (gear_.GearType == 0) {
        gear_.GearType = 1;
        gear_.NormalPA = SngEntry(Val(view().Text("InputPA")));
    }
}

void FrmMain::CreateControls() {
    View& v = view();
    struct Field {
        const char* label;
        const char* caption;
        const char* box;
        const char* text;
        const char* tip;
    };
    const Field fields[] = {
        {"Labelnumteeth", "Number of Teeth  ", "InputNT", "", "Enter the number of gear teeth. "},
        {"LabelPitch", "Normal Diametral Pitch  ", "InputDP", "", "Enter the normal diametral pitch"},
        {"LabelPA", "Normal Pressure Angle  ", "InputPA", "20.00000", "Enter the normal pressure angle"},
        {"LABELHA", "Helix Angle", "InputHA", "0.000000", "Enter Helix angle if helical gear"},
        {"LblAddendumMod", "Enlargement or Reduction (+/-)", "InputAddendumMod", "0.000000",
         "Enter Enlargement or Reduction of O.D."},
        {"LABELPINDIA", kPinCaption, "InputPINDIA", "", "Enter Measuring pin diameter"},
        {"LabelFaceWidth", "Gear Face Width", "InputFaceWidth", "1.00000", "Enter Gear face width"},
        {"LabelQuality", "AGMA Quality Number", "ComboQuality", "None", "Enter or select AGMA Quality Number"},
    };
    for (const Field& f : fields) {
        v.SetText(f.label, f.caption);
        v.SetText(f.box, f.text);
        v.SetToolTip(f.box, f.tip);
    }

    v.SetItems("Combo1", kExternalToothList);
    v.SetText("Combo1", kCircularThickness);
    v.SetToolTip("Combo1", "Select Input Feature");
    v.SetText("InputCTT_MOW", "");

    std::vector<std::string> qualities = {"None"};
    for (int q = 3; q <= 15; ++q) qualities.push_back(std::to_string(q));
    v.SetItems("ComboQuality", qualities);
    v.SetText("ComboQuality", "None");

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
    for (const HintsRun& run : core_.TakeHints()) ShowHints(run);
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

void FrmMain::SetFeatureList(const std::vector<std::string>& items, const std::string& text) {
    view().SetItems("Combo1", items);
    view().SetText("Combo1", text);
}

void FrmMain::SetModeCaption() {
    static const char* const kCaptions[3][2] = {
        {"Involvo - (Calculate Dimension Over Pins)", "Involvo - (Calculate Dimension Between Pins)"},
        {"Involvo - (Calculate Circular Tooth Thickness)", "Involvo - (Calculate Circular Space Width)"},
        {"Involvo - (Calculate Span Measurement)", "Involvo - (Calculate Span Measurement)"},
    };
    int mode = std::clamp<int>(gear_.CalcMode, 1, 3) - 1;
    view().SetText("", kCaptions[mode][gear_.GearType == 1 ? 0 : 1]);
}

void FrmMain::ModeDimensionOverPins() {
    View& v = view();
    v.SetEnabled("Internal", true);
    if (v.Focused() == "Combo1") v.SetFocus("InputCTT_MOW");
    v.SetChecked("MnuMow", true);
    v.SetChecked("MnuCTT", false);
    v.SetChecked("MnuSpan", false);
    if (gear_.CalcMode == 2) {
        std::vector<std::string> items = v.Items("Combo1");
        if (!items.empty()) v.SetText("Combo1", items.front());
    }
    gear_.CalcMode = 1;
    SetModeCaption();
    std::string text = v.Text("Combo1");
    if (gear_.GearType != 1) {
        if (text != kChordalSpace) text = kCircularSpace;
        SetFeatureList(kInternalToothList, text);
    } else {
        if (text != kChordalThickness && text != kBacklash) text = kCircularThickness;
        SetFeatureList(kExternalToothList, text);
    }
    v.SetText("LABELPINDIA", v.Text("Combo1") == kSpan ? kTeethSpannedLowerCaption : kPinCaption);
    UpdateHints();
}

void FrmMain::ModeToothThickness() {
    View& v = view();
    gear_.CalcMode = 2;
    SetModeCaption();
    v.SetEnabled("Internal", true);
    v.SetChecked("MnuCTT", true);
    v.SetChecked("MnuMow", false);
    v.SetChecked("MnuSpan", false);
    if (gear_.GearType != 1) SetFeatureList(kInternalMeasureList, kBetweenPins);
    else SetFeatureList(kExternalMeasureList, kOverPins);
    v.SetText("LABELPINDIA", v.Text("Combo1") == kSpan ? kTeethSpannedLowerCaption : kPinCaption);
    UpdateHints();
}

// Span measurement is for external gears only.
void FrmMain::ModeSpan() {
    View& v = view();
    SelectGearType("External");  // still under the old mode
    v.SetEnabled("Internal", false);
    v.SetChecked("MnuSpan", true);
    v.SetChecked("MnuMow", false);
    v.SetChecked("MnuCTT", false);
    gear_.CalcMode = 3;
    SetModeCaption();
    SetFeatureList(kExternalToothList, kCircularThickness);
    v.SetText("LABELPINDIA", kTeethSpannedCaption);
    UpdateHints();
}

// Selecting an option button runs its handler only when the selection changes.
void FrmMain::SelectGearType(const std::string& button) {
    View& v = view();
    if (v.Checked(button)) return;
    bool external = button == "External";
    v.SetChecked("External", external);
    v.SetChecked("Internal", !external);
    if (external) ExternalSelected();
    else InternalSelected();
}

void FrmMain::ExternalSelected() {
    View& v = view();
    gear_.GearType = 1;
    gear_.InputFeature = v.Text("Combo1");
    SetModeCaption();
    if (gear_.CalcMode == 1) {
        std::string text = v.Text("Combo1");
        if (text == kCircularSpace) text = kCircularThickness;
        else if (text == kChordalSpace) text = kChordalThickness;
        SetFeatureList(kExternalToothList, text);
    } else if (gear_.CalcMode == 2) {
        SetFeatureList(kExternalMeasureList, kOverPins);
    }
    if (gear_.InputFeature == kBacklash) v.SetText("Combo1", kBacklash);
    gear_.InputFeature = v.Text("Combo1");
    UpdateHints();
}

void FrmMain::InternalSelected() {
    View& v = view();
    gear_.GearType = 2;
    gear_.InputFeature = v.Text("Combo1");
    v.SetText("LABELPINDIA", kPinCaption);
    if (gear_.CalcMode == 1) {
        SetModeCaption();
        std::string text = v.Text("Combo1");
        if (text == kCircularThickness) text = kCircularSpace;
        else if (text == kChordalThickness) text = kChordalSpace;
        SetFeatureList(kInternalToothList, text);
    } else if (gear_.CalcMode == 2) {
        SetModeCaption();
        SetFeatureList(kInternalMeasureList, kBetweenPins);
    }
    if (gear_.InputFeature == kBacklash) v.SetText("Combo1", kBacklash);
    UpdateHints();
}

void FrmMain::FeatureChosen() {
    View& v = view();
    std::string text = v.Text("Combo1");
    if (!text.empty()) gear_.InputFeature = text;
    bool span = gear_.InputFeature == kSpan || gear_.CalcMode == 3;
    v.SetText("LABELPINDIA", span ? kTeethSpannedLowerCaption : kPinCaption);
    UpdateHints();
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
    gear_.DepthSystem = static_cast<int16_t>(index);
    if (index == 9) AskCutterDepth();
}

// The user's own hob or shaper whole depth, between 1/DP and 3/DP. It holds for
// the pitch it was entered with only.
void FrmMain::AskCutterDepth() {
    auto backToStandard = [this] {
        gear_.DepthSystem = 1;
        CheckDepthItem(1);
    };
    for (int attempt = 0; attempt < kCutterDepthTries; ++attempt) {
        if (gear_.NormalDP == 0) {
            Show({"You must enter a Diametral Pitch before using this option", MsgIcon::Exclamation});
            backToStandard();
            return;
        }
        gear_.CutterDepthText = view().InputBox(kCutterDepthPrompt, "Input cutter depth", gear_.CutterDepthText);
        if (gear_.CutterDepthText.empty()) {
            backToStandard();
            return;
        }
        gear_.WholeDepth = SngEntry(Val(gear_.CutterDepthText));
        float lowest = SngEntry(1.0 / gear_.NormalDP);
        float highest = SngEntry(3.0 / gear_.NormalDP);
        if (lowest <= gear_.WholeDepth && gear_.WholeDepth <= highest) return;
        Show({"This value is not within program limits", MsgIcon::Exclamation});
    }
    backToStandard();
}

}  // namespace involvo
