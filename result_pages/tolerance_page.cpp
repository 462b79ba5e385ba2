// AGMATOL: the six AGMA 2000-A88 accuracy tolerances of the last calculation.
#include "result_pages/page_builders.h"
#include "result_pages/page_text.h"
#include "result_pages/result_pages.h"

namespace involvo {

using gearmain::GearMain;
using namespace pages;

namespace {

// Why a tolerance can read 0: the formulas do not cover every gear.
constexpr const char* kZeroNote =
    "Note: Tolerances with a value of 0 are either not covered by or \r\n"
    "          do not fall within the formula limits of AGMA 2000-A88.\r\n";

}  // namespace

AGMATOL::AGMATOL(GearMain& gear, Forms& forms) : ResultPage(gear, forms, FormId::AGMATOL) {}

void AGMATOL::Load() {
    View& v = view();
    v.SetText(ctl::Window, kTolerancesCaption);
    v.SetText(ctl::AGMAFRM, kTolerancesHeading);
    for (int row = 1; row <= static_cast<int>(std::size(kToleranceCaptions)); ++row)
        v.SetText(ctl::Label(row), kToleranceCaptions[row - 1]);
    v.SetText(ctl::Text1, kZeroNote);
    v.SetText(ctl::Back, "Back");
    v.SetText(ctl::CmdOK, "Close");
    SetUpPrintButton(v, PrintCaption::Captioned);
    SetUpFileMenu(v, ctl::mnuFile);
}

void AGMATOL::Activate() {
    forms_.Hide(FormId::FrmOutput2);
    forms_.Hide(FormId::FRMHelical2);
    Display(ToleranceContent(gear_, "0.00000"));
}

void AGMATOL::Click(Control control) {
    if (control == ctl::Back) {
        // Back to the page 2 that page 1 chose: the helical one for a helix
        // angle above 0.
        forms_.Show(gear_.HelixAngle > 0 ? FormId::FRMHelical2 : FormId::FrmOutput2);
        Close();
    } else if (control == ctl::CmdOK || control == ctl::mnuFileClose) {
        Close();
    } else {
        // The sheet of the pages this gear has: a spur sheet of a helical gear
        // would be composed from a spur page that was never filled.
        PrintCommand(control, PageKindOf(gear_));
    }
}

}  // namespace involvo
