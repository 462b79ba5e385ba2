// frmSplash: the window shown while the program starts.
#pragma once

#include "platform/view.h"

namespace involvo {

class FrmSplash : public Presenter {
public:
    void Load() override {
        view().SetText(ctl::Label1, kProgramName);
        view().SetText(ctl::Label2, "For Windows");
    }
};

}  // namespace involvo
