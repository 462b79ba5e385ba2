#include "shell/about_box.h"

#include "involvo_version.h"
#include "shell/help.h"

namespace involvo {

std::string AboutTitle() { return std::string(kProgramName) + " for Windows, version " + kVersion; }

void FrmAbout::Load() {
    // The box as it was designed; nothing else happens when it loads.
    View& v = view();
    v.SetText(ctl::Window, std::string("About ") + kProgramName);
    v.SetText(ctl::lblTitle, AboutTitle());
    v.SetText(ctl::lblVersion, "");
    v.SetText(ctl::lblDescription, "");
    v.SetText(ctl::cmdOK, "OK");
    v.SetText(ctl::cmdSysInfo, "&System Info...");
}

void FrmAbout::Click(Control control) {
    if (control == ctl::cmdOK) {
        forms_.Unload(FormId::frmAbout);
    } else if (control == ctl::cmdSysInfo) {
        StartSysInfo(forms_.platform(), view());
    }
}

}  // namespace involvo
