// Page 1: the measurement data of a spur gear (FrmOutput1) and of a helical gear
// (FrmHelical1). What the rows show is built in result_pages/page_builders.cpp.
#include "result_pages/page_builders.h"
#include "result_pages/page_text.h"
#include "result_pages/result_pages.h"

namespace involvo {

using gearmain::GearMain;
using namespace pages;

MeasurementPage::MeasurementPage(GearMain& gear, Forms& forms, FormId id, PageKind kind)
    : ResultPage(gear, forms, id), kind_(kind) {}

void MeasurementPage::LoadCommon() {
    View& v = view();
    v.SetText("", kPageOneCaption);
    for (int row = 5; row <= 11; ++row) v.SetText(LabelName(row), "Label" + std::to_string(row));
    v.SetText("Label(12)", "K Factor");
    for (int row = 1; row <= 12; ++row) v.SetText(TextName(row), "Text" + std::to_string(row));
    v.SetText("LabelTitleBlock", "Title Block Text");
    v.SetText("Next1", "Next");
    v.SetText("CmdOK", "Close");
    SetUpPrintButton(v, PrintCaption::TipOnly);
}

void MeasurementPage::Activate() {
    view().SetFocus("Next1");
    WritePageOneState(gear_, kind_);
    SheetContents contents = PageOneContents(gear_, ReadEntryTexts(forms_), kind_);
    Display(std::move(contents.measurement));
    if (kind_ == PageKind::Helical)
        for (const gearmain::Notice& advice : HelicalAdvice(gear_))
            view().MessageBox(advice.text, kTitle, advice.icon, advice.buttons);
    // Page 2 and the tolerance page are loaded (not shown) and filled, as the
    // printed sheet is composed from what the pages hold.
    ResultPageOf(forms_, kind_ == PageKind::Helical ? FormId::FRMHelical2 : FormId::FrmOutput2)
        .Display(std::move(contents.dimensions));
    ResultPageOf(forms_, FormId::AGMATOL).Display(std::move(contents.tolerances));
}

void MeasurementPage::Click(const std::string& control) {
    if (control == "Next1") forms_.Show(kind_ == PageKind::Helical ? FormId::FRMHelical2 : FormId::FrmOutput2);
    else if (control == "CmdOK" || control == "mnuFileClose") Close();
    else PrintCommand(control, kind_);
}

FrmOutput1::FrmOutput1(GearMain& gear, Forms& forms)
    : MeasurementPage(gear, forms, FormId::FrmOutput1, PageKind::Spur) {}

void FrmOutput1::Load() {
    View& v = view();
    LoadCommon();
    const char* captions[] = {"Number of Teeth", "Normal Diametral Pitch", "Normal Pressure Angle", "Helix Angle"};
    for (int row = 1; row <= 4; ++row) v.SetText(LabelName(row), captions[row - 1]);
    v.SetToolTip("Next1", "Display Next Page");
    v.SetToolTip("CmdOK", "Close This page");
    SetUpFileMenu(v, "Mnufile");
}

FrmHelical1::FrmHelical1(GearMain& gear, Forms& forms)
    : MeasurementPage(gear, forms, FormId::FrmHelical1, PageKind::Helical) {}

void FrmHelical1::Load() {
    View& v = view();
    LoadCommon();
    const char* captions[] = {"Number of Teeth", "Diametral Pitch", "Pressure Angle", "Helix Angle"};
    for (int row = 1; row <= 4; ++row) v.SetText(LabelName(row), captions[row - 1]);
    v.SetText("LabelNorm", "Normal");
    v.SetText("LabelTransv", "Transverse");
    for (int box = 13; box <= 15; ++box) v.SetText(TextName(box), "Text" + std::to_string(box));
    for (int box = 16; box <= 18; ++box) v.SetText(TextName(box), "");
    SetUpFileMenu(v, "mnuFile");
}

}  // namespace involvo
