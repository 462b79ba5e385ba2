// The plain interfaces between the window logic (presenters) and the windowing
// platform. No Qt here: the Qt windows implement them in platform/qt, the
// headless platform in platform/headless.h implements them for the command-line
// tool and the tests.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/gearmain.h"
#include "platform/names.h"

namespace involvo {

using gearmain::MsgAnswer;
using gearmain::MsgButtons;
using gearmain::MsgIcon;

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kLightRed{255, 0, 0};
inline constexpr Rgb kDarkBlue{0, 0, 128};

// Key codes that the forms look at.
inline constexpr int kKeyBackspace = 8;
inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyUp = 38;
inline constexpr int kKeyDown = 40;

// The program's name, and the title of every message box it shows.
inline constexpr const char* kProgramName = "Involvo";
inline constexpr const char* kMessageTitle = kProgramName;

// One window. Controls are addressed by their names (platform/names.h):
// ctl::InputNT, ctl::CmdCalc, ctl::Label(5); ctl::Window is the window itself
// (its caption).
//
// Text is the text of a text box or drop-down list, the caption of a label,
// button, option button, check box, frame or menu item.
class View {
public:
    virtual ~View() = default;

    virtual std::string Text(Control control) const = 0;
    virtual void SetText(Control control, const std::string& text) = 0;
    virtual void SetToolTip(Control control, const std::string& tip) = 0;
    virtual std::string ToolTip(Control control) const = 0;
    virtual void SetForeground(Control control, Rgb colour) = 0;
    virtual Rgb Foreground(Control control) const = 0;
    virtual void SetEnabled(Control control, bool enabled) = 0;
    virtual bool Enabled(Control control) const = 0;
    virtual void SetVisible(Control control, bool visible) = 0;
    virtual bool Visible(Control control) const = 0;
    // Check marks of menu items, check boxes; the selection of option buttons.
    virtual void SetChecked(Control control, bool checked) = 0;
    virtual bool Checked(Control control) const = 0;
    // The list of a drop-down list.
    virtual void SetItems(Control control, const std::vector<std::string>& items) = 0;
    virtual std::vector<std::string> Items(Control control) const = 0;

    // Focus: moving it runs the lose-focus handler of the control that had it and
    // the gain-focus handler of the new one.
    virtual void SetFocus(Control control) = 0;
    // The control that has the focus; nothing before any has had it.
    virtual std::optional<Control> Focused() const = 0;
    // Selects the whole text of a text box (caret at 0).
    virtual void SelectAll(Control control) = 0;
    // The tab order of the window's controls, and moving along it (Tab, Shift+Tab).
    virtual void SetTabOrder(const std::vector<Control>& controls) = 0;
    virtual void FocusNext(bool backwards) = 0;

    // Modal dialogs, parented to this window.
    virtual MsgAnswer MessageBox(const std::string& text, const std::string& title, MsgIcon icon,
                                 MsgButtons buttons) = 0;
    // Returns the typed text, or the empty text on Cancel.
    virtual std::string InputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultText) = 0;

    // The window itself.
    virtual void Show() = 0;  // modeless
    virtual void Hide() = 0;
    virtual bool IsShown() const = 0;
};


// The behaviour of one window. The platform forwards the user's actions here.
class Presenter {
public:
    virtual ~Presenter() = default;
    // The window this presenter drives; set once, before Load.
    void Attach(View& view) { view_ = &view; }
    View& view() const { return *view_; }

    virtual void Load() {}
    // The window is shown or becomes the active window again.
    virtual void Activate() {}
    virtual void Deactivate() {}
    virtual void Unload() {}

    // A key typed into a control; false discards it.
    virtual bool KeyPress(Control /*control*/, int /*key*/) { return true; }
    // A key pressed anywhere on the form, before the control sees it; true swallows it.
    virtual bool KeyDown(int /*keyCode*/) { return false; }
    virtual void GotFocus(Control /*control*/) {}
    virtual void LostFocus(Control /*control*/) {}
    // The text of a text box changed (each keystroke).
    virtual void Change(Control /*control*/) {}
    // A button, label, option button, check box or menu item was clicked; an item
    // was chosen from a drop-down list; a text box was clicked.
    virtual void Click(Control /*control*/) {}
    // The mouse moves over a control (ctl::Window: the form's background).
    virtual void MouseMove(Control /*control*/) {}

private:
    View* view_ = nullptr;
};

class Platform;

// The windows of the program: each is created on first use and kept until it is
// unloaded. Loading creates the window hidden and runs its load handler; showing
// loads it if needed, shows it modeless and runs its activation.
class Forms {
public:
    virtual ~Forms() = default;
    virtual View& Load(FormId id) = 0;
    virtual bool IsLoaded(FormId id) const = 0;
    virtual void Show(FormId id) = 0;
    virtual void ShowModal(FormId id) = 0;
    virtual void Hide(FormId id) = 0;
    virtual void Unload(FormId id) = 0;
    virtual Presenter& PresenterOf(FormId id) = 0;
    // The platform the windows run on, for its services.
    virtual Platform& platform() = 0;
};

// Services of the platform, each declared with the subsystem that uses it:
// the printer (printing/printer_port.h), the per-user settings store
// (shell/settings_port.h), the help viewer and system information
// (shell/desktop_port.h).
class PrinterPort;
class SettingsPort;
class DesktopPort;
class ToolPort;

// What the program needs of the windowing platform beyond single windows.
class Platform {
public:
    virtual ~Platform() = default;
    // Creates the window of a form, hidden, forwarding its events to the presenter.
    virtual std::unique_ptr<View> CreateView(FormId id, Presenter& presenter) = 0;
    // A one-shot timer on the user-interface thread.
    virtual void StartTimer(int milliseconds, std::function<void()> tick) = 0;
    // Ends the program's event loop.
    virtual void Quit() = 0;

    // The services; a platform without one answers nullptr and the program does
    // without it.
    virtual PrinterPort* Printer() { return nullptr; }
    virtual SettingsPort* Settings() { return nullptr; }
    virtual DesktopPort* Desktop() { return nullptr; }
    // File dialogs, a printer into a PDF file and the measuring-aids window
    // (platform/tool_port.h).
    virtual ToolPort* Tools() { return nullptr; }
};

}  // namespace involvo
