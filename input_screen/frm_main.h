// FrmMain: the input screen, the program's main window.
#pragma once

#include <string>

#include "engine/gearmain.h"
#include "platform/view.h"

namespace involvo {

class FrmMain : public Presenter, public gearmain::Port {
public:
    FrmMain(gearmain::GearMain& gear, Forms& forms);

    // ---- Presenter ----
    void Load() override;
    void Activate() override;
    void Unload() override;
    bool KeyPress(const std::string& control, int key) override;
    bool KeyDown(int keyCode) override;
    void GotFocus(const std::string& control) override;
    void LostFocus(const std::string& control) override;
    void Change(const std::string& control) override;
    void Click(const std::string& control) override;
    void MouseMove(const std::string& control) override;

    // ---- The engine's port: message boxes titled "Involvo", focus, texts ----
    gearmain::MsgAnswer MessageBox(const std::string& text, gearmain::MsgIcon icon,
                                   gearmain::MsgButtons buttons) override;
    void SetFocus(const std::string& control) override;
    std::string ControlText(const std::string& control) override;

    // Keeps the screen consistent after every entry: the hints, the refills.
    void UpdateHints();

private:
    gearmain::GearMain& gear_;
    Forms& forms_;
};

// The key filter of every text box: 1 when the key is in the allowed characters
// (empty means ".0123456789") or is Backspace, else 0.
int16_t AcceptKey(const std::string& allowed, int16_t key);

}  // namespace involvo
