#include "input_screen/field_controls.h"
#include "printing/print_commands.h"
#include "result_pages/page_text.h"
#include "result_pages/result_pages.h"

namespace involvo {

using namespace pages;

EntryTexts ReadEntryTexts(Forms& forms) {
    View& screen = forms.Load(FormId::FrmMain);
    EntryTexts texts;
    for (gearmain::Field field : kScreenFields) texts.*TextOf(field) = screen.Text(ControlOf(field));
    return texts;
}

int TransverseBox(FormId page, int row) {
    if (page == FormId::FrmHelical1) {
        switch (row) {
            case 2: return 13;
            case 3: return 14;
            case 5: return 15;
            case 9: return 16;
            case 10: return 17;
            case 11: return 18;
            default: return 0;
        }
    }
    if (page == FormId::FRMHelical2) {
        if (row == 3) return 13;
        if (row == 4) return 14;
    }
    return 0;
}

void DisplayContent(View& view, const PageContent& content) {
    view.SetText(ctl::Window, content.caption);
    view.SetText(content.form == FormId::AGMATOL ? ctl::AGMAFRM : ctl::LabelTitleBlock, content.title);
    for (size_t i = 0; i < content.rows.size(); ++i) {
        const PageRow& row = content.rows[i];
        const int index = static_cast<int>(i) + 1;
        view.SetText(ctl::Label(index), row.caption);
        view.SetText(ctl::Text(index), row.value);
        ShowRow(view, index, row.visible);
        if (int box = TransverseBox(content.form, index)) view.SetText(ctl::Text(box), row.transverse);
    }
    if (content.form == FormId::FrmOutput2 || content.form == FormId::FRMHelical2) {
        view.SetEnabled(ctl::Next, content.next);
        view.SetVisible(ctl::Next, content.next);
    }
    if (content.form == FormId::AGMATOL) view.SetVisible(ctl::Text1, content.zeroNote);
}

ResultPage::ResultPage(gearmain::GearMain& gear, Forms& forms, FormId id) : gear_(gear), forms_(forms), id_(id) {}

void ResultPage::Display(PageContent content) {
    content_ = std::move(content);
    DisplayContent(view(), content_);
}

void ResultPage::Close() { forms_.Unload(id_); }

void ResultPage::PrintCommand(Control control, Sheet sheet) {
    if (control == ctl::CmdPrint) PrintButton(forms_, gear_, HeldContents(forms_, sheet), id_);
    else if (control == ctl::mnuFilePrint) PrintMenu(forms_, gear_, HeldContents(forms_, sheet), id_);
}

ResultPage& ResultPageOf(Forms& forms, FormId page) {
    // Every result page's presenter is a ResultPage (shell/presenters.cpp).
    return static_cast<ResultPage&>(forms.PresenterOf(page));
}

SheetContents HeldContents(Forms& forms, Sheet sheet) {
    const bool helical = sheet == Sheet::Helical;
    return {sheet, ResultPageOf(forms, helical ? FormId::FrmHelical1 : FormId::FrmOutput1).Content(),
            ResultPageOf(forms, helical ? FormId::FRMHelical2 : FormId::FrmOutput2).Content(),
            ResultPageOf(forms, FormId::AGMATOL).Content()};
}

}  // namespace involvo
