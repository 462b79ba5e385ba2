// The layouts of the program's windows. Each builds the named controls of one
// form into its window; the presenters fill in every caption and text.
#pragma once

#include "platform/qt/controls.h"
#include "platform/view.h"

namespace involvo::qt {

void BuildInputWindow(FormBuilder& b);      // FrmMain
void BuildSpurDataPage(FormBuilder& b);     // FrmOutput1
void BuildHelicalDataPage(FormBuilder& b);  // FrmHelical1
void BuildSpurDimensions(FormBuilder& b);   // FrmOutput2
void BuildHelicalDimensions(FormBuilder& b);  // FRMHelical2
void BuildTolerances(FormBuilder& b);       // AGMATOL
void BuildPrintoutOptions(FormBuilder& b);  // FrmChecklist1
void BuildPrintingNotice(FormBuilder& b);   // FrmPrinting
void BuildSplash(FormBuilder& b);           // frmSplash
// picIcon, lblTitle, lblVersion, lblDescription, the lines Line1 to Line3 and
// the buttons cmdOK and cmdSysInfo, in a fixed dialog.
void BuildAboutBox(FormBuilder& b);         // frmAbout
void BuildCheckPart(FormBuilder& b);        // FrmCheckPart

// Builds the window of any form.
void BuildForm(FormId id, FormBuilder& b);

// Whether the form's Show runs a modal loop.
bool IsModalForm(FormId id);

}  // namespace involvo::qt
