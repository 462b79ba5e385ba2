// Page 2: the gear dimensions of a spur gear (FrmOutput2) and of a helical gear
// (FRMHelical2), which adds the transverse circular and base pitch.
#include "printing/print_commands.h"
#include "result_pages/page_text.h"
#include "result_pages/result_pages.h"

namespace involvo {

using gearmain::Format;
using gearmain::GearMain;
using namespace pages;

namespace {

void LoadCommon(View& view, const char* finishedRoot, const char* tipLand) {
    view.SetText("", "Calculated gear data page 2");
    const char* captions[] = {"Base Circle Diameter",   "Pitch Diameter", "Circular Pitch", "Base Pitch",
                              "Outside Diameter",       "Root Diameter (Basic)", finishedRoot, "Whole Depth",
                              "Working Depth",          "Addendum",       "Dedendum",       tipLand};
    for (int row = 1; row <= 12; ++row) view.SetText(LabelName(row), captions[row - 1]);
    view.SetText("LabelTitleBlock", "Title Block Text");
    view.SetText("Back", "Back");
    view.SetText("Next", "Next");
    view.SetText("CmdOK", "Close");
    SetUpPrintButton(view, PrintCaption::Captioned);
    SetUpFileMenu(view, "mnuFile");
}

// The tolerance page can be reached only when a quality number was chosen.
void NextButton(View& view, const GearMain& gear) {
    bool tolerances = gear.QualityNumber != 0;
    view.SetEnabled("Next", tolerances);
    view.SetVisible("Next", tolerances);
}

void FillRows(View& page, const GearMain& gear, bool helical) {
    page.SetText("Text(1)", Format(gear.BaseDiameter, "0.000000"));
    page.SetText("Text(2)", Format(gear.PitchDiameter, "0.000000"));
    page.SetText("Text(3)", Format(gear.CircPitch, "0.000000"));
    page.SetText("Text(4)", Format(gear.BasePitch, "0.000000"));
    page.SetText("Text(5)", Format(gear.OutsideDiameter, "0.00000"));
    page.SetText("Text(6)", Format(gear.RootDiameter, "0.00000"));
    // One finished root diameter is rounded to five decimals; a range of two
    // keeps the six decimals of its text.
    page.SetText("Text(7)", MaskedText(gear.FinishedRootText, "0.00000"));
    page.SetText("Text(8)", Format(gear.WholeDepth, "0.00000"));
    page.SetText("Text(9)", Format(gear.WorkingDepth, "0.00000"));
    page.SetText("Text(10)", Format(gear.Addendum, "0.00000"));
    page.SetText("Text(11)", Format(gear.Dedendum, "0.00000"));
    page.SetText("Text(12)", gear.TipLandText);
    if (helical) {
        page.SetText("Text(13)", Format(gear.TransCircPitch, "0.000000"));
        page.SetText("Text(14)", Format(gear.TransBasePitch, "0.000000"));
    }
}

}  // namespace

void SetDiameterRow(View& dimensionsPage, GearMain& gear) {
    if (gear.GearType == 1) {
        dimensionsPage.SetText("Label(5)", "Outside Diameter");
    } else {
        dimensionsPage.SetText("Label(5)", "Inside Diameter");
        gear.OutsideDiameter = gear.InsideDiameter;
    }
}

DimensionsPage::DimensionsPage(GearMain& gear, Forms& forms, FormId id, bool helical)
    : ResultPage(gear, forms, id), helical_(helical) {}

FrmOutput2::FrmOutput2(GearMain& gear, Forms& forms) : DimensionsPage(gear, forms, FormId::FrmOutput2, false) {}
FRMHelical2::FRMHelical2(GearMain& gear, Forms& forms) : DimensionsPage(gear, forms, FormId::FRMHelical2, true) {}

void DimensionsPage::Load() {
    View& v = view();
    if (helical_) {
        LoadCommon(v, "Root Diameter (Finish)", "Tooth Tip Land");
        v.SetText("LabelNorm", "Normal");
        v.SetText("LabelTransv", "Transverse");
    } else {
        LoadCommon(v, "Root Diameter (Finished Size)", "Tooth Tip Land ");
    }
}

void DimensionsPage::Fill(View& page, GearMain& gear, const std::string& title, bool helical) {
    page.SetText("LabelTitleBlock", title);
    if (!helical) SetDiameterRow(page, gear);
    FillRows(page, gear, helical);
}

void DimensionsPage::Activate() {
    forms_.Hide(helical_ ? FormId::FrmHelical1 : FormId::FrmOutput1);
    view().SetFocus("CmdOK");
    NextButton(view(), gear_);
    Fill(view(), gear_, PageTitle(gear_, forms_, helical_), helical_);
}

void DimensionsPage::Click(const std::string& control) {
    const Sheet sheet = helical_ ? Sheet::Helical : Sheet::Spur;
    if (control == "Back") {
        forms_.Show(helical_ ? FormId::FrmHelical1 : FormId::FrmOutput1);
        Close();
    } else if (control == "Next") {
        forms_.Show(FormId::AGMATOL);
    } else if (control == "CmdOK" || control == "mnuFileClose") {
        Close();
    } else if (control == "CmdPrint") {
        PrintButton(forms_, gear_, sheet, id_);
    } else if (control == "mnuFilePrint") {
        PrintMenu(forms_, gear_, sheet, id_);
    }
}

}  // namespace involvo
