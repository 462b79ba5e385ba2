#include "platform/names.h"

#include <array>
#include <charconv>
#include <ostream>

namespace involvo {

namespace {

constexpr const char* kControlNames[] = {
#define INVOLVO_CONTROL_TEXT(n) #n,
    INVOLVO_CONTROLS(INVOLVO_CONTROL_TEXT, INVOLVO_CONTROL_TEXT)
#undef INVOLVO_CONTROL_TEXT
};

using N = ControlName;

constexpr FormControl kInputScreen[] = {
    {N::mnuFile}, {N::MnuOpenPart}, {N::MnuOpenRecent}, {N::MnuRecent, 4}, {N::MnuSavePart}, {N::mnuFileBar1},
    {N::MnuExit}, {N::mnuOptions}, {N::MnuMow}, {N::MnuCTT}, {N::MnuSpan}, {N::MnuDepthSystem},
    {N::MnuDepth, 9}, {N::MnuCheckbox1}, {N::mnuHelp}, {N::mnuHelpContents}, {N::mnuHelpBar1}, {N::mnuHelpAbout},
    {N::Title}, {N::Labelnumteeth}, {N::InputNT}, {N::LabelPitch}, {N::InputDP}, {N::LabelPA}, {N::InputPA},
    {N::LABELHA}, {N::InputHA}, {N::Combo1}, {N::LabelCTT_MOW}, {N::InputCTT_MOW}, {N::LblAddendumMod},
    {N::InputAddendumMod}, {N::LABELPINDIA}, {N::InputPINDIA}, {N::LabelFaceWidth}, {N::InputFaceWidth},
    {N::LabelQuality}, {N::ComboQuality}, {N::LabelBasic}, {N::LabelBasic2}, {N::LabelStandardOD},
    {N::LabelStandard}, {N::LabelBestPin}, {N::Frame1}, {N::External}, {N::Internal}, {N::CmdCalc}, {N::cmdExit},
};

constexpr FormControl kSpurPageOne[] = {
    {N::Mnufile}, {N::mnuFilePrint}, {N::mnuFileCheck}, {N::mnuFileAids}, {N::mnuFileBar1}, {N::mnuFileClose}, {N::LabelTitleBlock}, {N::Label, 12}, {N::Text, 12},
    {N::Next1},   {N::CmdOK},        {N::CmdPrint},
};

constexpr FormControl kHelicalPageOne[] = {
    {N::mnuFile}, {N::mnuFilePrint}, {N::mnuFileCheck}, {N::mnuFileAids}, {N::mnuFileBar1}, {N::mnuFileClose}, {N::LabelTitleBlock}, {N::LabelNorm}, {N::LabelTransv},
    {N::Label, 12}, {N::Text, 18},     {N::Next1},        {N::CmdOK},           {N::CmdPrint},
};

constexpr FormControl kSpurPageTwo[] = {
    {N::mnuFile}, {N::mnuFilePrint}, {N::mnuFileClose}, {N::LabelTitleBlock}, {N::Label, 12}, {N::Text, 12},
    {N::Back},    {N::Next},         {N::CmdOK},        {N::CmdPrint},
};

constexpr FormControl kHelicalPageTwo[] = {
    {N::mnuFile},   {N::mnuFilePrint}, {N::mnuFileClose}, {N::LabelTitleBlock}, {N::LabelNorm}, {N::LabelTransv},
    {N::Label, 12}, {N::Text, 14},     {N::Back},         {N::Next},            {N::CmdOK},     {N::CmdPrint},
};

constexpr FormControl kTolerances[] = {
    {N::mnuFile}, {N::mnuFilePrint}, {N::mnuFileClose}, {N::AGMAFRM}, {N::Label, 6}, {N::Text, 6},
    {N::Text1},   {N::Back},         {N::CmdOK},        {N::CmdPrint},
};

constexpr FormControl kPrintoutOptions[] = {
    {N::Frame1}, {N::Check, 18}, {N::Checkall}, {N::CmdCustom1OK}, {N::CmdCustom1Cancel},
};

constexpr FormControl kSplash[] = {{N::Label1}, {N::Label2}};

constexpr FormControl kAbout[] = {
    {N::picIcon}, {N::lblTitle}, {N::lblVersion}, {N::lblDescription}, {N::cmdOK}, {N::cmdSysInfo},
};

constexpr FormControl kPrintingNotice[] = {{N::Label1}};

// The rows of the Check a Part table: kReadingRows of result_pages/check_part.h.
constexpr int kCheckRows = 12;
constexpr FormControl kCheckPart[] = {
    {N::LabelPartNumber},  {N::TextPartNumber},       {N::LabelLimitsTitle},    {N::LabelLimits},
    {N::TextLimits},       {N::LabelThicknessLimits}, {N::TextThicknessLimits}, {N::LabelReading},
    {N::LabelThickness},   {N::LabelBeyond},          {N::LabelStatus},         {N::LabelRow, kCheckRows},
    {N::Reading, kCheckRows}, {N::Thickness, kCheckRows}, {N::Beyond, kCheckRows}, {N::Status, kCheckRows},
    {N::LabelSpread},      {N::TextSpread},           {N::LabelVerdict},        {N::LabelVerdictNote},
    {N::CmdPrint},         {N::CmdSavePdf},           {N::CmdClear},            {N::CmdClose},
};

}  // namespace

const char* FormName(FormId id) {
    switch (id) {
        case FormId::FrmMain: return "FrmMain";
        case FormId::FrmOutput1: return "FrmOutput1";
        case FormId::FrmHelical1: return "FrmHelical1";
        case FormId::FrmOutput2: return "FrmOutput2";
        case FormId::FRMHelical2: return "FRMHelical2";
        case FormId::AGMATOL: return "AGMATOL";
        case FormId::FrmChecklist1: return "FrmChecklist1";
        case FormId::frmSplash: return "frmSplash";
        case FormId::frmAbout: return "frmAbout";
        case FormId::FrmPrinting: return "FrmPrinting";
        case FormId::FrmCheckPart: return "FrmCheckPart";
    }
    return "";
}

std::string NameOf(Control control) {
    if (control == ctl::Window) return {};
    std::string name = kControlNames[static_cast<size_t>(control.name())];
    if (IsArray(control.name())) name += "(" + std::to_string(control.index()) + ")";
    return name;
}

std::optional<Control> ControlNamed(std::string_view text) {
    if (text.empty()) return ctl::Window;
    std::string_view base = text;
    int index = 0;
    if (text.back() == ')') {
        const size_t open = text.find('(');
        if (open == std::string_view::npos || open + 2 > text.size() - 1) return std::nullopt;
        const std::string_view digits = text.substr(open + 1, text.size() - open - 2);
        if (digits.front() == '0') return std::nullopt;  // written as NameOf writes it
        auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
        if (error != std::errc() || end != digits.data() + digits.size() || index < 1 || index > 255)
            return std::nullopt;
        base = text.substr(0, open);
    }
    for (size_t i = 1; i < std::size(kControlNames); ++i) {
        if (base != kControlNames[i]) continue;
        const auto name = static_cast<ControlName>(i);
        if (IsArray(name) != (index != 0)) return std::nullopt;
        return index != 0 ? ControlArray(name)(index) : Control(name);
    }
    return std::nullopt;
}

std::ostream& operator<<(std::ostream& out, Control control) {
    return out << (control == ctl::Window ? std::string("(window)") : NameOf(control));
}

std::span<const FormControl> ControlsOf(FormId form) {
    switch (form) {
        case FormId::FrmMain: return kInputScreen;
        case FormId::FrmOutput1: return kSpurPageOne;
        case FormId::FrmHelical1: return kHelicalPageOne;
        case FormId::FrmOutput2: return kSpurPageTwo;
        case FormId::FRMHelical2: return kHelicalPageTwo;
        case FormId::AGMATOL: return kTolerances;
        case FormId::FrmChecklist1: return kPrintoutOptions;
        case FormId::frmSplash: return kSplash;
        case FormId::frmAbout: return kAbout;
        case FormId::FrmPrinting: return kPrintingNotice;
        case FormId::FrmCheckPart: return kCheckPart;
    }
    return {};
}

bool HasControl(FormId form, Control control) {
    if (control == ctl::Window) return true;
    for (const FormControl& c : ControlsOf(form)) {
        if (c.name != control.name()) continue;
        return c.last == 0 ? control.index() == 0 : control.index() >= 1 && control.index() <= c.last;
    }
    return false;
}

}  // namespace involvo
