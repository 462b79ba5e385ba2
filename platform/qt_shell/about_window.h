// The Qt layout of the about box frmAbout.
#pragma once

#include "platform/qt/controls.h"

namespace involvo::qtshell {

// picIcon, lblTitle, lblVersion, lblDescription, the lines Line1 to Line3 and
// the buttons cmdOK and cmdSysInfo, in a fixed dialog.
void BuildAboutBox(qt::FormBuilder& b);

// The program's icon.
QIcon ProgramIcon();

}  // namespace involvo::qtshell
