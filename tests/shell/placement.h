// Runs of the program over one settings store and one desktop, every window
// created at its designed place.
#pragma once

#include "tests/support/program.h"

namespace involvo::testing {

inline const TwipsRect kMainDesign{1200, 900, 10800, 8100};
inline const TwipsRect kPageDesign{2400, 1500, 9000, 7200};

class Placement : public ProgramTest {
protected:
    void Start() {
        desktop.windows.clear();
        desktop.windows[FormId::FrmMain].rect = kMainDesign;
        for (FormId page : {FormId::FrmOutput1, FormId::FrmHelical1, FormId::FrmOutput2, FormId::FRMHelical2,
                            FormId::AGMATOL, FormId::FrmChecklist1, FormId::frmSplash, FormId::frmAbout,
                            FormId::FrmPrinting})
            desktop.windows[page].rect = kPageDesign;
        for (auto& [form, w] : desktop.windows) w.sizable = sizable;
        desktop.moves = 0;
        Restart();
    }
    WindowPlacement& Window(FormId form) { return desktop.windows[form]; }
    bool sizable = true;
};

}  // namespace involvo::testing
