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

MeasurementPage::~MeasurementPage() = default;

void MeasurementPage::LoadCommon() {
    View& v = view();
    v.SetText(ctl::Window, kPageOneCaption);
    for (int row = 5; row <= 11; ++row) v.SetText(ctl::Label(row), "Label" + std::to_string(row));
    v.SetText(ctl::Label(12), "K Factor");
    for (int row = 1; row <= 12; ++row) v.SetText(ctl::Text(row), "Text" + std::to_string(row));
    v.SetText(ctl::LabelTitleBlock, "Title Block Text");
    v.SetText(ctl::Next1, "Next");
    v.SetText(ctl::CmdOK, "Close");
    SetUpPrintButton(v, PrintCaption::TipOnly);
    // The windows of the page's gear, in the File menu before Close.
    v.SetText(ctl::mnuFileCheck, "Chec&k a Part...");
    v.SetText(ctl::mnuFileAids, "Measuring &Aids...");
    v.SetText(ctl::mnuFileBar1, "-");
}

void MeasurementPage::Activate() {
    view().SetFocus(ctl::Next1);
    WritePageOneState(gear_, kind_);
    SheetContents contents = PageOneContents(gear_, ReadEntryTexts(forms_), kind_);
    Display(std::move(contents.measurement));
    if (kind_ == PageKind::Helical)
        for (const gearmain::Notice& advice : HelicalAdvice(gear_))
            view().MessageBox(advice.text, kMessageTitle, advice.icon, advice.buttons);
    // Page 2 and the tolerance page are loaded (not shown) and filled, as the
    // printed sheet is composed from what the pages hold.
    ResultPageOf(forms_, kind_ == PageKind::Helical ? FormId::FRMHelical2 : FormId::FrmOutput2)
        .Display(std::move(contents.dimensions));
    ResultPageOf(forms_, FormId::AGMATOL).Display(std::move(contents.tolerances));
    if (aids_) aids_->Refresh(Content());
}

void MeasurementPage::Click(Control control) {
    if (control == ctl::Next1) forms_.Show(kind_ == PageKind::Helical ? FormId::FRMHelical2 : FormId::FrmOutput2);
    else if (control == ctl::CmdOK || control == ctl::mnuFileClose) Close();
    else if (control == ctl::mnuFileCheck) forms_.Show(FormId::FrmCheckPart);
    else if (control == ctl::mnuFileAids) OpenAids();
    else PrintCommand(control, kind_);
}

void MeasurementPage::OpenAids() {
    if (!aids_) aids_ = std::make_unique<MeasuringAidsWindow>(gear_, forms_.platform());
    if (!aids_->Open(Content()))
        view().MessageBox("The Measuring Aids window cannot be shown here.", kMessageTitle, MsgIcon::Information, MsgButtons::OK);
}

FrmOutput1::FrmOutput1(GearMain& gear, Forms& forms)
    : MeasurementPage(gear, forms, FormId::FrmOutput1, PageKind::Spur) {}

void FrmOutput1::Load() {
    View& v = view();
    LoadCommon();
    const char* captions[] = {"Number of Teeth", "Normal Diametral Pitch", "Normal Pressure Angle", "Helix Angle"};
    for (int row = 1; row <= 4; ++row) v.SetText(ctl::Label(row), captions[row - 1]);
    v.SetToolTip(ctl::Next1, "Display Next Page");
    v.SetToolTip(ctl::CmdOK, "Close This page");
    SetUpFileMenu(v, ctl::Mnufile);
}

FrmHelical1::FrmHelical1(GearMain& gear, Forms& forms)
    : MeasurementPage(gear, forms, FormId::FrmHelical1, PageKind::Helical) {}

void FrmHelical1::Load() {
    View& v = view();
    LoadCommon();
    const char* captions[] = {"Number of Teeth", "Diametral Pitch", "Pressure Angle", "Helix Angle"};
    for (int row = 1; row <= 4; ++row) v.SetText(ctl::Label(row), captions[row - 1]);
    v.SetText(ctl::LabelNorm, "Normal");
    v.SetText(ctl::LabelTransv, "Transverse");
    for (int box = 13; box <= 15; ++box) v.SetText(ctl::Text(box), "Text" + std::to_string(box));
    for (int box = 16; box <= 18; ++box) v.SetText(ctl::Text(box), "");
    SetUpFileMenu(v, ctl::mnuFile);
}

}  // namespace involvo
