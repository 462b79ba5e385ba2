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

// The fields in tab order, then the buttons.
const std::vector<Control> kTabOrder = {
    ctl::InputNT,     ctl::InputDP,        ctl::InputPA,      ctl::InputHA, ctl::Combo1,  ctl::InputCTT_MOW,
    ctl::InputAddendumMod, ctl::InputPINDIA, ctl::InputFaceWidth, ctl::ComboQuality, ctl::CmdCalc, ctl::cmdExit,
    ctl::External, ctl::Internal,
};

constexpr Control kTextBoxes[] = {
    ctl::InputNT,      ctl::InputDP,          ctl::InputPA,     ctl::InputHA,
    ctl::InputCTT_MOW, ctl::InputAddendumMod, ctl::InputPINDIA, ctl::InputFaceWidth,
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

bool IsTextBox(Control control) {
    return std::find(std::begin(kTextBoxes), std::end(kTextBoxes), control) != std::end(kTextBoxes);
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
    view().SetText(ctl::Window, "Involvo -  (Calculate Dimension Over Pins)");

    SetHelpFile();
    Pull();
    core_.Open();
    Sync();
}

void FrmMain::CreateControls() {
    View& v = view();
    struct Caption {
        Control label;
        const char* caption;
        Field field;
        const char* tip;
    };
    const Caption captions[] = {
        {ctl::Labelnumteeth, "Number of Teeth  ", Field::Teeth, "Enter the number of gear teeth. "},
        {ctl::LabelPitch, "Normal Diametral Pitch  ", Field::Pitch, "Enter the normal diametral pitch"},
        {ctl::LabelPA, "Normal Pressure Angle  ", Field::PressureAngle, "Enter the normal pressure angle"},
        {ctl::LABELHA, "Helix Angle", Field::Helix, "Enter Helix angle if helical gear"},
        {ctl::LblAddendumMod, "Enlargement or Reduction (+/-)", Field::ODChange, "Enter Enlargement or Reduction of O.D."},
        {ctl::LABELPINDIA, kPinCaption, Field::Pin, "Enter Measuring pin diameter"},
        {ctl::LabelFaceWidth, "Gear Face Width", Field::FaceWidth, "Enter Gear face width"},
        {ctl::LabelQuality, "AGMA Quality Number", Field::Quality, "Enter or select AGMA Quality Number"},
    };
    for (const Caption& c : captions) {
        v.SetText(c.label, c.caption);
        v.SetToolTip(ControlOf(c.field), c.tip);
    }
    v.SetToolTip(ctl::Combo1, "Select Input Feature");

    // The lists first: a list shows a text among its items.
    v.SetItems(ctl::Combo1, ScreenCore::FeatureList(1, 1));
    std::vector<std::string> qualities = {"None"};
    for (int q = 3; q <= 15; ++q) qualities.push_back(std::to_string(q));
    v.SetItems(ctl::ComboQuality, qualities);
    const EntryTexts opening = OpeningTexts();
    for (Field field : kScreenFields) v.SetText(ControlOf(field), opening.*TextOf(field));

    // The hint labels start empty; they are black and turn red under the mouse.
    for (Control label : {ctl::LabelBasic, ctl::LabelBasic2, ctl::LabelStandardOD, ctl::LabelStandard, ctl::LabelBestPin}) {
        v.SetText(label, "");
        v.SetForeground(label, kBlack);
    }

    v.SetText(ctl::Frame1, "Gear Type");
    v.SetToolTip(ctl::Frame1, "Select type of gear");
    v.SetText(ctl::External, "External");
    v.SetToolTip(ctl::External, "External gear teeth");
    v.SetChecked(ctl::External, true);
    v.SetForeground(ctl::External, kDarkBlue);
    v.SetText(ctl::Internal, "Internal");
    v.SetToolTip(ctl::Internal, "Internal gear teeth");
    v.SetChecked(ctl::Internal, false);
    v.SetForeground(ctl::Internal, kDarkBlue);

    v.SetText(ctl::CmdCalc, "Calculate Gear Data");
    v.SetToolTip(ctl::CmdCalc, "Click button to calculate gear data");
    v.SetText(ctl::cmdExit, "Exit");
    v.SetToolTip(ctl::cmdExit, "Exit program");
    v.SetText(ctl::Title, kProgramName);
}

void FrmMain::CreateMenus() {
    View& v = view();
    v.SetText(ctl::mnuFile, "&File");
    v.SetText(ctl::MnuOpenPart, "&Open Part...");
    v.SetText(ctl::MnuOpenRecent, "Open &Recent");
    for (int i = 1; i <= static_cast<int>(kRecentParts); ++i) v.SetVisible(ctl::MnuRecent(i), false);
    v.SetEnabled(ctl::MnuOpenRecent, false);
    v.SetText(ctl::MnuSavePart, "&Save Part...");
    v.SetText(ctl::mnuFileBar1, "-");
    v.SetText(ctl::MnuExit, "E&xit");
    v.SetText(ctl::mnuOptions, "&Options");
    v.SetText(ctl::MnuMow, "Calculate &Dimension over/between pins");
    v.SetChecked(ctl::MnuMow, true);
    v.SetText(ctl::MnuCTT, "Calculate &Circular tooth thickness/space width");
    v.SetChecked(ctl::MnuCTT, false);
    v.SetText(ctl::MnuSpan, "Calculate Span Measurement");
    v.SetChecked(ctl::MnuSpan, false);
    v.SetText(ctl::MnuDepthSystem, "Depth System");
    for (int i = 1; i <= 9; ++i) {
        v.SetText(ctl::MnuDepth(i), kDepthCaptions[i - 1]);
        v.SetChecked(ctl::MnuDepth(i), i == 1);
    }
    v.SetText(ctl::MnuCheckbox1, "Printout Options");
    v.SetText(ctl::mnuHelp, "&Help");
    v.SetText(ctl::mnuHelpContents, "&Contents");
    v.SetText(ctl::mnuHelpBar1, "-");
    v.SetText(ctl::mnuHelpAbout, "&About Involvo...");
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
                        FormId::AGMATOL, FormId::FrmCheckPart})
        if (forms_.IsLoaded(page)) forms_.Unload(page);
}

// ---------------------------------------------------------------------------
// The window and the core in step

void FrmMain::Pull() {
    for (Field field : kScreenFields) texts_.*TextOf(field) = view().Text(ControlOf(field));
}

void FrmMain::Sync() {
    const FieldSet written = core_.TakeWritten();
    for (Field field : kScreenFields)
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
    if (run.standardDiameter) v.SetText(ctl::LabelStandardOD, *run.standardDiameter);
    if (run.depthSystemReset) {
        v.SetChecked(ctl::MnuDepth(1), true);
        v.SetChecked(ctl::MnuDepth(9), false);
    }
    if (run.reach == Reach::NoGear || run.reach == Reach::NoPressureAngle) return;
    v.SetText(ctl::LABELPINDIA, run.pinCaption);
    if (run.reach != Reach::Complete) return;

    v.SetText(ctl::LabelBasic, run.basic);
    v.SetText(ctl::LabelBasic2, run.basicNote);
    v.SetText(ctl::LabelStandard, run.standard);
    v.SetText(ctl::LabelBestPin, run.idealPin);
    if (!run.basic.empty()) v.SetToolTip(ctl::LabelBasic, "Click to enter basic with no backlash");
    if (!run.standard.empty()) {
        if (run.spanCount) {
            v.SetToolTip(ctl::InputPINDIA, "Enter Number of teeth you will be spanning");
            v.SetToolTip(ctl::LabelStandard, "Click to enter calculated number of teeth to span");
            v.SetEnabled(ctl::LabelBestPin, false);
        } else {
            v.SetToolTip(ctl::InputPINDIA, "Enter Measuring Pin Diameter");
            v.SetToolTip(ctl::LabelStandard, "Click to enter standard pin diameter");
            v.SetEnabled(ctl::LabelBestPin, true);
            v.SetToolTip(ctl::LabelBestPin, "Click to enter P.D. contact pin diameter");
        }
    }
    v.SetToolTip(ctl::InputCTT_MOW, "Enter " + v.Text(ctl::Combo1));
}

gearmain::MsgAnswer FrmMain::Show(const Notice& notice) {
    // The window shows what the core left before the box covers it, and the
    // handlers that the focus move runs start from there.
    Sync();
    MsgAnswer answer = MsgAnswer::OK;
    if (!notice.text.empty()) answer = view().MessageBox(notice.text, kMessageTitle, notice.icon, notice.buttons);
    const bool sent = notice.buttons == MsgButtons::OK || answer == MsgAnswer::Cancel;
    if (notice.focus != Field::None && sent) view().SetFocus(ControlOf(notice.focus));
    return answer;
}

// ---------------------------------------------------------------------------
// Keys

bool FrmMain::KeyPress(Control control, int key) {
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
            if (view().Focused() == ctl::CmdCalc || view().Focused() == ctl::cmdExit) return false;
            view().FocusNext(false);
            return false;  // the text boxes then discard it
        default: return false;
    }
}

// ---------------------------------------------------------------------------
// Focus

void FrmMain::GotFocus(Control control) {
    View& v = view();
    if (control == ctl::InputNT) {
        v.SetToolTip(ctl::InputCTT_MOW, "Enter " + v.Text(ctl::Combo1));
    } else if (control == ctl::InputPINDIA) {
        UpdateHints();
        if (gear_.InputFeature == kSpan) v.SetText(ctl::LABELPINDIA, kTeethSpannedCaption);
    } else if (control == ctl::Combo1) {
        Pull();
        core_.EnterFeature();
        Sync();
        v.SetToolTip(ctl::InputCTT_MOW, "");
    }
    // An editable list selects its text on entry like a text box, so a typed
    // quality number replaces "None".
    if (IsTextBox(control) || control == ctl::ComboQuality) v.SelectAll(control);
}

void FrmMain::LostFocus(Control control) {
    const Field field = FieldOf(control);
    if (field == Field::None) return;
    Pull();
    core_.Leave(field);
    Sync();
}

// ---------------------------------------------------------------------------
// Edits and clicks

void FrmMain::Change(Control control) {
    if (control != ctl::InputDP) return;
    Pull();
    core_.EditPitch();
    Sync();
}

void FrmMain::Click(Control control) {
    View& v = view();
    if (control == ctl::CmdCalc) {
        Calculate();
    } else if (control == ctl::cmdExit || control == ctl::MnuExit) {
        forms_.Unload(FormId::FrmMain);
    } else if (control == ctl::LabelBasic || control == ctl::LabelStandard || control == ctl::LabelBestPin) {
        CopyHint(control);
    } else if (control == ctl::InputCTT_MOW) {
        v.SetToolTip(ctl::InputCTT_MOW, "Enter " + v.Text(ctl::Combo1));
    } else if (control == ctl::MnuMow) {
        ModeDimensionOverPins();
    } else if (control == ctl::MnuCTT) {
        ModeToothThickness();
    } else if (control == ctl::MnuSpan) {
        ModeSpan();
    } else if (control == ctl::External || control == ctl::Internal) {
        SelectGearType(control);
    } else if (control == ctl::Combo1) {
        FeatureChosen();
    } else if (control == ctl::mnuFile) {
        FileMenuOpening();
        ShowRecentParts();
    } else if (control == ctl::MnuSavePart) {
        SavePartCommand();
    } else if (control == ctl::MnuOpenPart) {
        OpenPartCommand();
    } else if (ctl::MnuRecent.Has(control)) {
        OpenRecent(control.index());
    } else if (control == ctl::mnuHelpContents) {
        ShowHelpContents(forms_.platform(), v);
    } else if (control == ctl::mnuHelpAbout) {
        forms_.ShowModal(FormId::frmAbout);
    } else if (control == ctl::MnuCheckbox1) {
        OpenPrintoutOptions(forms_, gear_);
    } else if (ctl::MnuDepth.Has(control)) {
        ChooseDepthSystem(control.index());
    }
}

// A click on a hint label copies the hinted value into its field.
void FrmMain::CopyHint(Control label) {
    View& v = view();
    if (v.Text(label).empty() || !v.Enabled(label)) return;
    Pull();
    if (label == ctl::LabelBasic) core_.CopyBasic();
    else if (label == ctl::LabelStandard) core_.CopyStandard();
    else core_.CopyIdealPin();
    Sync();
}

void FrmMain::MouseMove(Control control) {
    View& v = view();
    if (control == ctl::LabelBasic) {
        v.SetForeground(ctl::LabelBasic, kLightRed);
    } else if (control == ctl::LabelStandard) {
        v.SetForeground(ctl::LabelBestPin, kBlack);
        v.SetForeground(ctl::LabelStandard, kLightRed);
    } else if (control == ctl::LabelBestPin) {
        v.SetForeground(ctl::LabelStandard, kBlack);
        v.SetForeground(ctl::LabelBestPin, kLightRed);
    } else if (control == ctl::LabelStandardOD) {
        v.SetForeground(ctl::LabelBasic, kBlack);
        v.SetForeground(ctl::LabelStandard, kBlack);
    } else if (control == ctl::External) {
        v.SetForeground(ctl::Internal, kDarkBlue);
        v.SetForeground(ctl::External, kLightRed);
    } else if (control == ctl::Internal) {
        v.SetForeground(ctl::Internal, kLightRed);
        v.SetForeground(ctl::External, kDarkBlue);
    } else if (control == ctl::Frame1) {
        v.SetForeground(ctl::Internal, kDarkBlue);
        v.SetForeground(ctl::External, kDarkBlue);
    } else if (control == ctl::Window) {
        v.SetForeground(ctl::LabelBasic, kBlack);
        v.SetForeground(ctl::LabelStandard, kBlack);
        v.SetForeground(ctl::LabelBestPin, kBlack);
        v.SetForeground(ctl::Internal, kDarkBlue);
        v.SetForeground(ctl::External, kDarkBlue);
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
void FrmMain::ShowFeatureList() { view().SetItems(ctl::Combo1, ScreenCore::FeatureList(gear_.CalcMode, gear_.GearType)); }

void FrmMain::SetModeCaption() {
    static const char* const kCaptions[3][2] = {
        {"Involvo - (Calculate Dimension Over Pins)", "Involvo - (Calculate Dimension Between Pins)"},
        {"Involvo - (Calculate Circular Tooth Thickness)", "Involvo - (Calculate Circular Space Width)"},
        {"Involvo - (Calculate Span Measurement)", "Involvo - (Calculate Span Measurement)"},
    };
    int mode = std::clamp<int>(gear_.CalcMode, 1, 3) - 1;
    view().SetText(ctl::Window, kCaptions[mode][gear_.GearType == 1 ? 0 : 1]);
}

void FrmMain::CheckModeItems(Control item) {
    for (Control mode : {ctl::MnuMow, ctl::MnuCTT, ctl::MnuSpan}) view().SetChecked(mode, mode == item);
}

void FrmMain::ModeDimensionOverPins() {
    View& v = view();
    v.SetEnabled(ctl::Internal, true);
    if (v.Focused() == ctl::Combo1) v.SetFocus(ctl::InputCTT_MOW);
    CheckModeItems(ctl::MnuMow);
    Pull();
    core_.ChooseMode(1);
    SetModeCaption();
    ShowFeatureList();
    v.SetText(ctl::LABELPINDIA, texts_.feature == kSpan ? kTeethSpannedLowerCaption : kPinCaption);
    Sync();
}

void FrmMain::ModeToothThickness() {
    View& v = view();
    v.SetEnabled(ctl::Internal, true);
    CheckModeItems(ctl::MnuCTT);
    Pull();
    core_.ChooseMode(2);
    SetModeCaption();
    ShowFeatureList();
    v.SetText(ctl::LABELPINDIA, texts_.feature == kSpan ? kTeethSpannedLowerCaption : kPinCaption);
    Sync();
}

// Span measurement is for external gears only.
void FrmMain::ModeSpan() {
    View& v = view();
    SelectGearType(ctl::External);  // still under the old mode
    v.SetEnabled(ctl::Internal, false);
    CheckModeItems(ctl::MnuSpan);
    Pull();
    core_.ChooseMode(3);
    SetModeCaption();
    ShowFeatureList();
    v.SetText(ctl::LABELPINDIA, kTeethSpannedCaption);
    Sync();
}

// Selecting an option button runs its handler only when the selection changes.
void FrmMain::SelectGearType(Control button) {
    View& v = view();
    if (v.Checked(button)) return;
    const bool external = button == ctl::External;
    v.SetChecked(ctl::External, external);
    v.SetChecked(ctl::Internal, !external);
    Pull();
    core_.ChooseGearType(external ? 1 : 2);
    if (!external) v.SetText(ctl::LABELPINDIA, kPinCaption);
    SetModeCaption();
    ShowFeatureList();
    Sync();
}

void FrmMain::FeatureChosen() {
    Pull();
    core_.ChooseFeature();
    const bool span = gear_.InputFeature == kSpan || gear_.CalcMode == 3;
    view().SetText(ctl::LABELPINDIA, span ? kTeethSpannedLowerCaption : kPinCaption);
    Sync();
}

// The mode items' check marks follow the mode each time the File menu opens.
void FrmMain::FileMenuOpening() {
    View& v = view();
    switch (gear_.CalcMode) {
        case 1:
            v.SetChecked(ctl::MnuMow, true);
            v.SetChecked(ctl::MnuCTT, false);
            break;
        case 2:
            v.SetChecked(ctl::MnuCTT, true);
            v.SetChecked(ctl::MnuMow, false);
            break;
        case 3:
            v.SetChecked(ctl::MnuMow, false);
            v.SetChecked(ctl::MnuCTT, false);
            break;
        default: break;
    }
}

// ---------------------------------------------------------------------------
// Depth systems

void FrmMain::CheckDepthItem(int index) {
    for (int i = 1; i <= 9; ++i) view().SetChecked(ctl::MnuDepth(i), i == index);
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
