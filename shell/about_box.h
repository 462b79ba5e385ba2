// frmAbout: the about box, shown modally from the input screen's Help menu.
#pragma once

#include <string>

#include "platform/view.h"

namespace involvo {

// The title line of the about box: the program name, "for Windows" and the
// version of the build.
std::string AboutTitle();

class FrmAbout : public Presenter {
public:
    explicit FrmAbout(Forms& forms) : forms_(forms) {}
    void Load() override;
    void Click(Control control) override;

private:
    Forms& forms_;
};

}  // namespace involvo
