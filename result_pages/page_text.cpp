#include "result_pages/page_text.h"

namespace involvo::pages {

using gearmain::Format;
using gearmain::Val;

std::string MaskedText(const std::string& text, std::string_view mask) {
    // An empty field reads 0, and the page shows that 0 rather than a blank row.
    if (text.find_first_not_of(' ') == std::string::npos) return Format(0.0, mask);
    return gearmain::IsPlainNumber(text) ? Format(Val(text), mask) : text;
}

void SetUpFileMenu(View& view, Control menu) {
    view.SetText(menu, "&File");
    view.SetText(ctl::mnuFilePrint, "&Print...");
    view.SetText(ctl::mnuFileClose, "&Close");
}

void SetUpPrintButton(View& view, PrintCaption caption) {
    view.SetToolTip(ctl::CmdPrint, "Print Gear Data");
    if (caption == PrintCaption::Captioned) view.SetText(ctl::CmdPrint, "Print Gear Data");
}

void ShowRow(View& view, int index, bool visible) {
    view.SetVisible(ctl::Label(index), visible);
    view.SetVisible(ctl::Text(index), visible);
}

}  // namespace involvo::pages
