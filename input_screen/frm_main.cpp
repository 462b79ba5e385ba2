#include "input_screen/frm_main.h"

#include <algorithm>
#include <array>

#include "engine/messages.h"
#include "input_screen/error_handle.h"
#include "input_screen/screen_texts.h"
#include "printing/printout_options.h"
#include "shell/help.h"

namespace involvo {

using namespace screen;
using gearmain::Format;
using gearmain::IntEntry;
using gearmain::LTrim;
using gearmain::RTrim;
using gearmain::ShortText;
using gearmain::SngEntry;
using gearmain::Trim;
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

}  // namespace

int16_t AcceptKey(const std::string& allowed, int16_t key) {
    if (key == kKeyBackspace) return 1;
    const std::string& chars = allowed.empty() ? std::string(kDecimal) : allowed;
    for (char c : chars)
        if (static_cast<unsigned char>(c) == key) return 1;
    return 0;
}

FrmMain::FrmMain(gearmain::GearMain& gear, Forms& forms) : gear_(gear), forms_(forms) {}

// The engine must not report to a window that is gone.
FrmMain::~FrmMain() {
    if (gear_.MainForm == this) gear_.MainForm = nullptr;
}

// ---------------------------------------------------------------------------
// Building the window

void FrmMain::Load() {
    gear_.MainForm = this;
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

void FrmMain::Unload() {
    // The application shell has unloaded every other window by now.
    if (gear_.MainForm == this) gear_.MainForm = nullptr;
}

// ---------------------------------------------------------------------------
// The engine's port

gearmain::MsgAnswer FrmMain::MessageBox(const std::string& text, gearmain::MsgIcon icon,
                                        gearmain::MsgButtons buttons) {
    return view().MessageBox(text, kTitle, icon, buttons);
}

void FrmMain::SetFocus(const std::string& control) { view().SetFocus(control); }

std::string FrmMain::ControlText(const std::string& control) { return view().Text(control); }

// ---------------------------------------------------------------------------
// Keys

bool FrmMain::KeyPress(const std::string& control, int key) {
    if (control == "Combo1") return false;  // the feature is chosen from the list only
    std::string allowed;
    if (control == "InputNT") {
        allowed = kDigits;
    } else if (control == "InputDP") {
        // A combination stub pitch is entered as a fraction.
        allowed = gear_.DepthSystem == 8 ? ".0123456789/" : kDecimal;
    } else if (control == "InputAddendumMod") {
        allowed = ".-0123456789";
    } else if (control == "InputCTT_MOW") {
        // A single value or one range "a / b": at most one slash.
        bool hasSlash = view().Text(control).find('/') != std::string::npos;
        allowed = hasSlash ? ".0123456789-" : ".0123456789/-";
    } else if (control == "InputPA" || control == "InputHA" || control == "InputPINDIA" ||
               control == "InputFaceWidth" || control == "ComboQuality") {
        allowed = kDecimal;
    } else {
        return true;
    }
    if (key < 0 || key > 0x7FFF) return false;
    return AcceptKey(allowed, static_cast<int16_t>(key)) != 0;
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
        if (!v.Text("Combo1").empty()) gear_.InputFeature = v.Text("Combo1");
        v.SetToolTip("InputCTT_MOW", "");
    }
    // An editable list selects its text on entry like a text box, so a typed
    // quality number replaces "None".
    if (IsTextBox(control) || control == "ComboQuality") v.SelectAll(control);
}

void FrmMain::LostFocus(const std::string& control) {
    View& v = view();
    const std::string text = v.Text(control);
    if (control == "InputNT") {
        gear_.NumTeeth = SngEntry(Val(text));
        UpdateHints();
    } else if (control == "InputDP") {
        ReadPitch();
        UpdateHints();
    } else if (control == "InputPA") {
        gear_.NormalPA = SngEntry(Val(text));
        UpdateHints();
    } else if (control == "InputHA") {
        gear_.HelixAngle = SngEntry(Val(text));
        // A spur gear shows its helix angle as 0.000000; an empty box stays empty.
        if (gear_.HelixAngle == 0 && !Trim(text).empty()) v.SetText(control, Format(0.0, "0.000000"));
        UpdateHints();
    } else if (control == "InputPINDIA") {
        gear_.PinDiameter = SngEntry(Val(text));
        gear_.TeethSpanned = gear_.PinDiameter;
        UpdateHints();
    } else if (control == "InputCTT_MOW") {
        ReadFeatureValue();
        UpdateHints();
    } else if (control == "InputAddendumMod") {
        gear_.ODChange = SngEntry(Val(text));
        v.SetText(control, Format(gear_.ODChange, "0.00000"));
        UpdateHints();
    } else if (control == "InputFaceWidth") {
        gear_.FaceWidth = SngEntry(Val(text));
        if (gear_.FaceWidth > 0) v.SetText(control, Format(gear_.FaceWidth, "0.00000"));
    } else if (control == "ComboQuality") {
        gear_.QualityNumber = IntEntry(Val(text));  // "None" reads 0
    } else if (control == "Combo1") {
        if (text.empty()) v.SetText("Combo1", gear_.InputFeature);
        gear_.InputFeature = v.Text("Combo1");
    }
}

// The pitch, or a pitch fraction a/b whose second number sets the tooth depth.
void FrmMain::ReadPitch() {
    const std::string text = view().Text("InputDP");
    gear_.NormalDP = SngEntry(Val(text));
    gear_.DepthPitch = 0;
    size_t slash = text.find('/');
    if (slash == std::string::npos) return;
    float first = SngEntry(Val(RTrim(text.substr(0, slash))));
    float second = SngEntry(Val(LTrim(text.substr(slash + 1))));
    gear_.NormalDP = first;
    gear_.DepthPitch = second;
    // A depth pitch coarser than the pitch is not a stub tooth: the fraction
    // collapses to the pitch alone.
    if (second < first) {
        // The pitch's plain text, unless that is written with an exponent
        // ("1.234568E+07"), which the field would read back as 1.234568: then
        // the first number as typed.
        std::string pitch = ShortText(gear_.NormalDP);
        if (!gearmain::IsPlainNumber(pitch)) pitch = Trim(text.substr(0, slash));
        view().SetText("InputDP", pitch);
        gear_.DepthPitch = gear_.NormalDP;
    }
}

// A single value, or a tolerance band "a / b" shown with the smaller number first.
void FrmMain::ReadFeatureValue() {
    View& v = view();
    const std::string text = v.Text("InputCTT_MOW");
    size_t slash = text.find('/');
    if (slash == std::string::npos) {
        gear_.FeatureValue = SngEntry(Val(text));
        v.SetText("InputCTT_MOW", Format(gear_.FeatureValue, "0.000000"));
        gear_.Thick1 = gear_.Measure1 = gear_.Backlash1 = gear_.FeatureValue;
        gear_.Thick2 = gear_.Measure2 = gear_.Backlash2 = 0;
        return;
    }
    std::string a = Format(Val(RTrim(text.substr(0, slash))), "0.000000");
    std::string b = Format(Val(LTrim(text.substr(slash + 1))), "0.000000");
    float first = SngEntry(Val(a));
    float second = SngEntry(Val(b));
    v.SetText("InputCTT_MOW", second <= first ? b + " / " + a : a + " / " + b);
    // The pair keeps the order typed.
    gear_.Thick1 = gear_.Measure1 = gear_.Backlash1 = first;
    gear_.Thick2 = gear_.Measure2 = gear_.Backlash2 = second;
    // A band is a value too: the check for a missing feature value must not
    // refuse it because an earlier single entry was 0.
    gear_.FeatureValue = first != 0 ? first : second;
}

// ---------------------------------------------------------------------------
// Edits and clicks

void FrmMain::Change(const std::string& control) {
    if (control == "InputDP") PitchEdited();
}

// The feature value and the pin were chosen for the old pitch. A contributing
// backlash does not depend on it and stays.
void FrmMain::PitchEdited() {
    if (gear_.InputFeature != kBacklash) view().SetText("InputCTT_MOW", "");
    view().SetText("InputPINDIA", "");
    gear_.FeatureValue = 0;
    gear_.PinDiameter = 0;
    gear_.TeethSpanned = 0;
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
    if (label == "LabelBasic") {
        v.SetText("InputCTT_MOW", Trim(gear_.BasicText));
        gear_.FeatureValue = SngEntry(Val(gear_.BasicText));
        gear_.Thick1 = gear_.Measure1 = gear_.FeatureValue;
        gear_.Thick2 = gear_.Measure2 = 0;
    } else {
        const std::string& hint = label == "LabelStandard" ? gear_.StandardText : gear_.IdealPinText;
        v.SetText("InputPINDIA", Trim(hint));
        gear_.PinDiameter = SngEntry(Val(hint));
        gear_.TeethSpanned = gear_.PinDiameter;
    }
    UpdateHints();
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
    // The pin box is read directly: its value counts even while it has the focus.
    gear_.PinDiameter = SngEntry(Val(view().Text("InputPINDIA")));
    gear_.TeethSpanned = gear_.PinDiameter;
    UpdateHints();
    // The hints take the feature from the list only once teeth, pitch and (in
    // mode 2) a pressure angle are known; a refusal must still name the feature
    // the screen shows.
    if (std::string feature = view().Text("Combo1"); !feature.empty()) gear_.InputFeature = feature;
    if (ErrorHandle::ValidateInputs(gear_) == 1) return;

    try {
        gear_.CalculateGear();
    } catch (const gearmain::ArithmeticFault&) {
        // The engine reports its own faults; one that still escapes is
        // reported here, and no page opens.
        MessageBox(gearmain::msg::kGearData, MsgIcon::Critical, MsgButtons::OK);
        gear_.CalcFailed = -1;
    }
    if (gear_.CalcFailed == -1) return;
    if (gear_.PinRefused == -1) {
        view().SetFocus("InputPINDIA");
        gear_.PinRefused = 0;
        return;
    }
    if (ErrorHandle::CheckSpanLimits(gear_) == 1) return;

    forms_.Show(gear_.HelixAngle <= 0 ? FormId::FrmOutput1 : FormId::FrmHelical1);
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
            MessageBox("You must enter a Diametral Pitch before using this option", MsgIcon::Exclamation,
                       MsgButtons::OK);
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
        MessageBox("This value is not within program limits", MsgIcon::Exclamation, MsgButtons::OK);
    }
    backToStandard();
}

}  // namespace involvo
