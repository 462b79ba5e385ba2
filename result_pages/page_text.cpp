#include "result_pages/page_text.h"

namespace involvo::pages {

using gearmain::Format;
using gearmain::Val;

std::string MaskedText(const std::string& text, std::string_view mask) {
    // An empty field reads 0, and the page shows that 0 rather than a blank row.
    if (text.find_first_not_of(' ') == std::string::npos) return Format(0.0, mask);
    return gearmain::IsPlainNumber(text) ? Format(Val(text), mask) : text;
}

void SetUpFileMenu(View& view, const char* menuName) {
    view.SetText(menuName, "&File");
    view.SetText("mnuFilePrint", "&Print...");
    view.SetText("mnuFileClose", "&Close");
}

void SetUpPrintButton(View& view, PrintCaption caption) {
    view.SetToolTip("CmdPrint", "Print Gear Data");
    if (caption == PrintCaption::Captioned) view.SetText("CmdPrint", "Print Gear Data");
}

void ShowRow(View& view, int index, bool visible) {
    view.SetVisible(LabelName(index), visible);
    view.SetVisible(TextName(index), visible);
}

std::string LabelName(int index) { return "Label(" + std::to_string(index) + ")"; }
std::string TextName(int index) { return "Text(" + std::to_string(index) + ")"; }

}  // namespace involvo::pages
