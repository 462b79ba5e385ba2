// AGMATOL: the six AGMA 2000-A88 accuracy tolerances of the last calculation.
#include "printing/print_commands.h"
#include "result_pages/page_text.h"
#include "result_pages/result_pages.h"

namespace involvo {

using gearmain::Format;
using gearmain::GearMain;
using gearmain::Val;
using namespace pages;

namespace {

constexpr int kTolerances = 6;

// Why a tolerance can read 0: the formulas do not cover every gear.
constexpr const char* kZeroNote =
    "Note: Tolerances with a value of 0 are either not covered by or \r\n"
    "          do not fall within the formula limits of AGMA 2000-A88.\r\n";

}  // namespace

AGMATOL::AGMATOL(GearMain& gear, Forms& forms) : ResultPage(gear, forms, FormId::AGMATOL) {}

void AGMATOL::Load() {
    View& v = view();
    v.SetText("", "AGMA Tolerances");
    v.SetText("AGMAFRM", "AGMA 2000-A88 Gear Accuracy Tolerances");
    const char* captions[kTolerances] = {"Runout Tolerance",        "Pitch Variation Allowable",
                                         "Profile Tolerance",       "Tooth Alignment (Lead) ",
                                         "Tooth To Tooth Composite", "Total Composite"};
    for (int row = 1; row <= kTolerances; ++row) v.SetText(LabelName(row), captions[row - 1]);
    v.SetText("Text1", kZeroNote);
    v.SetText("Back", "Back");
    v.SetText("CmdOK", "Close");
    SetUpPrintButton(v, PrintCaption::Captioned);
    SetUpFileMenu(v, "mnuFile");
}

void AGMATOL::Fill(View& page, const GearMain& gear, std::string_view mask) {
    const float values[kTolerances] = {gear.TolRunout, gear.TolPitchVar,      gear.TolProfile,
                                       gear.TolLead,   gear.TolToothToTooth, gear.TolTotalComposite};
    for (int row = 1; row <= kTolerances; ++row) page.SetText(TextName(row), Format(values[row - 1], mask));
}

void AGMATOL::Activate() {
    forms_.Hide(FormId::FrmOutput2);
    forms_.Hide(FormId::FRMHelical2);
    View& v = view();
    Fill(v, gear_, "0.00000");
    // The note explains a tolerance of 0; without one it is not needed.
    bool anyZero = false;
    for (int row = 1; row <= kTolerances; ++row)
        if (Val(v.Text(TextName(row))) == 0) anyZero = true;
    v.SetVisible("Text1", anyZero);
}

void AGMATOL::Click(const std::string& control) {
    if (control == "Back") {
        // Back to the page 2 that page 1 chose: the helical one for a helix
        // angle above 0.
        forms_.Show(gear_.HelixAngle > 0 ? FormId::FRMHelical2 : FormId::FrmOutput2);
        Close();
    } else if (control == "CmdOK" || control == "mnuFileClose") {
        Close();
    } else if (control == "CmdPrint" || control == "mnuFilePrint") {
        // The sheet of the pages this gear has: a spur sheet of a helical gear
        // would be composed from a spur page that was never filled.
        Sheet sheet = SheetOf(gear_);
        if (control == "CmdPrint") PrintButton(forms_, gear_, sheet, id_);
        else PrintMenu(forms_, gear_, sheet, id_);
    }
}

}  // namespace involvo
