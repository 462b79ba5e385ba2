// The program's names for its windows and for their controls.
//
// Every control is named once, in the list below. The presenters, the Qt
// windows and the headless windows address a control by that name
// (ctl::InputNT, ctl::CmdCalc) and a member of a control array by its index
// (ctl::Label(5), ctl::Text(12), ctl::MnuDepth(9), ctl::Check(18)); a name that
// is not in the list does not compile. Which form has which controls is said
// once too (ControlsOf): the Qt windows build exactly those, and the headless
// windows refuse any other.
//
// The names as text ("InputNT", "Label(5)") are for what needs text: the Qt
// object names, the fuzzing scripts and diagnostics.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace involvo {

// The program's windows, by their names.
enum class FormId {
    FrmMain,
    FrmOutput1,
    FrmHelical1,
    FrmOutput2,
    FRMHelical2,
    AGMATOL,
    FrmChecklist1,
    frmSplash,
    frmAbout,
    FrmPrinting,
    FrmCheckPart,
};
const char* FormName(FormId id);

// Every control name once: X(name) a control, A(name) a control array.
// Names that several forms share (Frame1, Label1, CmdOK, Label, Text) are one
// entry; ControlsOf says which form has which.
#define INVOLVO_CONTROLS(X, A)                                                                        \
    /* The window itself: its caption; where the mouse is, the form's background. */                  \
    X(Window)                                                                                         \
    /* The input screen FrmMain: its menus... */                                                      \
    X(mnuFile) X(MnuOpenPart) X(MnuOpenRecent) A(MnuRecent) X(MnuSavePart) X(mnuFileBar1) X(MnuExit)  \
    X(mnuOptions) X(MnuMow) X(MnuCTT) X(MnuSpan) X(MnuDepthSystem) A(MnuDepth) X(MnuCheckbox1)        \
    X(mnuHelp) X(mnuHelpContents) X(mnuHelpBar1) X(mnuHelpAbout)                                      \
    /* ...its fields with their captions, in tab order... */                                          \
    X(Title)                                                                                          \
    X(Labelnumteeth) X(InputNT) X(LabelPitch) X(InputDP) X(LabelPA) X(InputPA) X(LABELHA) X(InputHA)  \
    X(Combo1) X(LabelCTT_MOW) X(InputCTT_MOW) X(LblAddendumMod) X(InputAddendumMod)                   \
    X(LABELPINDIA) X(InputPINDIA) X(LabelFaceWidth) X(InputFaceWidth) X(LabelQuality) X(ComboQuality) \
    /* ...the hints beside them... */                                                                 \
    X(LabelBasic) X(LabelBasic2) X(LabelStandardOD) X(LabelStandard) X(LabelBestPin)                  \
    /* ...the gear type and the commands. */                                                          \
    X(Frame1) X(External) X(Internal) X(CmdCalc) X(cmdExit)                                           \
    /* The result pages: the File menu (Mnufile on the spur page 1, mnuFile elsewhere)... */          \
    X(Mnufile) X(mnuFilePrint) X(mnuFileClose)                                                        \
    /* ...on page 1, the windows of its gear (with mnuFileBar1 before Close)... */                    \
    X(mnuFileCheck) X(mnuFileAids)                                                                    \
    /* ...the title, the column headings of the helical pages, the rows (captions and values)... */   \
    X(LabelTitleBlock) X(AGMAFRM) X(LabelNorm) X(LabelTransv) A(Label) A(Text)                        \
    /* ...the tolerance page's note and the buttons. */                                               \
    X(Text1) X(Next1) X(Back) X(Next) X(CmdOK) X(CmdPrint)                                            \
    /* The printout options FrmChecklist1 (in Frame1). */                                             \
    A(Check) X(Checkall) X(CmdCustom1OK) X(CmdCustom1Cancel)                                          \
    /* The splash window frmSplash and the notice FrmPrinting. */                                     \
    X(Label1) X(Label2)                                                                               \
    /* The about box frmAbout. */                                                                     \
    X(picIcon) X(lblTitle) X(lblVersion) X(lblDescription) X(cmdOK) X(cmdSysInfo)                    \
    /* Check a Part FrmCheckPart: the part and its limits... */                                       \
    X(LabelPartNumber) X(TextPartNumber) X(LabelLimitsTitle) X(LabelLimits) X(TextLimits)              \
    X(LabelThicknessLimits) X(TextThicknessLimits)                                                    \
    /* ...the table of readings (headings, then a row each)... */                                     \
    X(LabelReading) X(LabelThickness) X(LabelBeyond) X(LabelStatus)                                   \
    A(LabelRow) A(Reading) A(Thickness) A(Beyond) A(Status)                                           \
    /* ...the spread, the verdict and the buttons (and CmdPrint). */                                  \
    X(LabelSpread) X(TextSpread) X(LabelVerdict) X(LabelVerdictNote) X(CmdSavePdf) X(CmdClear)        \
    X(CmdClose)

enum class ControlName : uint8_t {
#define INVOLVO_CONTROL_ENUMERATOR(name) name,
    INVOLVO_CONTROLS(INVOLVO_CONTROL_ENUMERATOR, INVOLVO_CONTROL_ENUMERATOR)
#undef INVOLVO_CONTROL_ENUMERATOR
};

// Whether a name is that of a control array.
constexpr bool IsArray(ControlName name) {
    switch (name) {
#define INVOLVO_CONTROL_SINGLE(n)
#define INVOLVO_CONTROL_ARRAY(n) case ControlName::n:
        INVOLVO_CONTROLS(INVOLVO_CONTROL_SINGLE, INVOLVO_CONTROL_ARRAY)
#undef INVOLVO_CONTROL_SINGLE
#undef INVOLVO_CONTROL_ARRAY
        return true;
        default: return false;
    }
}

// One control of a window: a single control, or one member of a control array.
class Control {
public:
    constexpr explicit Control(ControlName name) : name_(name) {
        if (IsArray(name)) throw std::invalid_argument("a member of a control array needs its index");
    }
    constexpr ControlName name() const { return name_; }
    // The index within its control array; 0 for a single control.
    constexpr int index() const { return index_; }

    constexpr bool operator==(const Control&) const = default;
    constexpr auto operator<=>(const Control&) const = default;

private:
    friend class ControlArray;
    constexpr Control(ControlName name, uint8_t index) : name_(name), index_(index) {}

    ControlName name_;
    uint8_t index_ = 0;
};

// A control array: ctl::Label(5) is its member of index 5.
class ControlArray {
public:
    constexpr explicit ControlArray(ControlName name) : name_(name) {
        if (!IsArray(name)) throw std::invalid_argument("not a control array");
    }
    constexpr Control operator()(int index) const {
        if (index < 1 || index > 255) throw std::out_of_range("no such index of a control array");
        return Control(name_, static_cast<uint8_t>(index));
    }
    constexpr ControlName name() const { return name_; }
    // Whether a control is a member of this array.
    constexpr bool Has(Control control) const { return control.name() == name_; }

private:
    ControlName name_;
};

// The controls by name: ctl::InputNT, ctl::Text(13).
namespace ctl {
#define INVOLVO_CONTROL_CONSTANT(n) inline constexpr Control n{ControlName::n};
#define INVOLVO_ARRAY_CONSTANT(n) inline constexpr ControlArray n{ControlName::n};
INVOLVO_CONTROLS(INVOLVO_CONTROL_CONSTANT, INVOLVO_ARRAY_CONSTANT)
#undef INVOLVO_CONTROL_CONSTANT
#undef INVOLVO_ARRAY_CONSTANT
}  // namespace ctl

// The control's name as text: "InputNT", "Label(5)"; "" for the window itself.
std::string NameOf(Control control);
// The control a text names, as NameOf writes it; nothing for any other text.
std::optional<Control> ControlNamed(std::string_view name);
// For diagnostics and test failures: the name, "(window)" for the window itself.
std::ostream& operator<<(std::ostream& out, Control control);

// What a form has of a name: a control (last = 0), or the members 1 to last of
// a control array.
struct FormControl {
    ControlName name;
    int last = 0;
};
// The controls of a form's window, the window itself aside.
std::span<const FormControl> ControlsOf(FormId form);
// Whether the form has the control (the window itself: always).
bool HasControl(FormId form, Control control);

}  // namespace involvo
