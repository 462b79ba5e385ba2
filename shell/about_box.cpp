#include "shell/about_box.h"

#include "involvo_version.h"
#include "shell/help.h"

namespace involvo {

std::string AboutTitle() { return std::string("Involvo for Windows, version ") + kVersion; }

void FrmAbout::Load() {
    // The box as it was designed; nothing else happens when it loads.
    View& v = view();
    v.SetText("", "About Involvo");
    v.SetText("lblTitle", AboutTitle());
    v.SetText("lblVersion", "");
    v.SetText("lblDescription", "");
    v.SetText("cmdOK", "OK");
    v.SetText("cmdSysInfo", "&System Info...");
}

void FrmAbout::Click(const std::string& control) {
    if (control == "cmdOK") {
        forms_.Unload(FormId::frmAbout);
    } else if (control == "cmdSysInfo") {
        StartSysInfo(forms_.platform(), view());
    }
}

}  // namespace involvo
