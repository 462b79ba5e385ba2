// Page 2: the gear dimensions of a spur gear (FrmOutput2) and of a helical gear
// (FRMHelical2), which adds the transverse circular and base pitch.
#include "result_pages/page_builders.h"
#include "result_pages/page_text.h"
#include "result_pages/result_pages.h"

namespace involvo {

using gearmain::GearMain;
using namespace pages;

DimensionsPage::DimensionsPage(GearMain& gear, Forms& forms, FormId id, PageKind kind)
    : ResultPage(gear, forms, id), kind_(kind) {}

FrmOutput2::FrmOutput2(GearMain& gear, Forms& forms)
    : DimensionsPage(gear, forms, FormId::FrmOutput2, PageKind::Spur) {}
FRMHelical2::FRMHelical2(GearMain& gear, Forms& forms)
    : DimensionsPage(gear, forms, FormId::FRMHelical2, PageKind::Helical) {}

void DimensionsPage::Load() {
    View& v = view();
    const bool helical = kind_ == PageKind::Helical;
    v.SetText(ctl::Window, kPageTwoCaption);
    const char* captions[] = {"Base Circle Diameter",
                              "Pitch Diameter",
                              "Circular Pitch",
                              "Base Pitch",
                              "Outside Diameter",
                              "Root Diameter (Basic)",
                              helical ? "Root Diameter (Finish)" : "Root Diameter (Finished Size)",
                              "Whole Depth",
                              "Working Depth",
                              "Addendum",
                              "Dedendum",
                              helical ? "Tooth Tip Land" : "Tooth Tip Land "};
    for (int row = 1; row <= 12; ++row) v.SetText(ctl::Label(row), captions[row - 1]);
    v.SetText(ctl::LabelTitleBlock, "Title Block Text");
    v.SetText(ctl::Back, "Back");
    v.SetText(ctl::Next, "Next");
    v.SetText(ctl::CmdOK, "Close");
    SetUpPrintButton(v, PrintCaption::Captioned);
    SetUpFileMenu(v, ctl::mnuFile);
    if (helical) {
        v.SetText(ctl::LabelNorm, "Normal");
        v.SetText(ctl::LabelTransv, "Transverse");
    }
}

void DimensionsPage::Activate() {
    forms_.Hide(kind_ == PageKind::Helical ? FormId::FrmHelical1 : FormId::FrmOutput1);
    view().SetFocus(ctl::CmdOK);
    Display(DimensionsContent(gear_, ReadEntryTexts(forms_), kind_));
}

void DimensionsPage::Click(Control control) {
    if (control == ctl::Back) {
        forms_.Show(kind_ == PageKind::Helical ? FormId::FrmHelical1 : FormId::FrmOutput1);
        Close();
    } else if (control == ctl::Next) {
        forms_.Show(FormId::AGMATOL);
    } else if (control == ctl::CmdOK || control == ctl::mnuFileClose) {
        Close();
    } else {
        PrintCommand(control, kind_);
    }
}

}  // namespace involvo
