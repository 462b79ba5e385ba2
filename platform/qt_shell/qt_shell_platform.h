// The Qt platform with the application shell's services: the settings store,
// the desktop (window placement, help, system information), the about box and
// the program's icon.
#pragma once

#include "platform/qt/qt_platform.h"
#include "platform/qt_shell/qt_desktop.h"
#include "platform/qt_shell/qt_settings.h"

namespace involvo::qtshell {

class QtShellPlatform : public QtPlatform {
public:
    // Needs the QApplication; sets the program's icon and its desktop entry.
    // The settings live in the platform's per-user store, or in `settingsFolder`.
    explicit QtShellPlatform(QString settingsFolder = {});
    ~QtShellPlatform() override;

    SettingsPort* Settings() override { return &settings_; }
    DesktopPort* Desktop() override { return &desktop_; }
    QtDesktop& desktop() { return desktop_; }

    // The printer comes from the printing library: the program hands it in.
    void SetPrinter(PrinterPort* printer) { printer_ = printer; }
    PrinterPort* Printer() override { return printer_ ? printer_ : QtPlatform::Printer(); }

private:
    PrinterPort* printer_ = nullptr;
    QtSettings settings_;
    QtDesktop desktop_;
};

// The name of the program's desktop entry and icon.
inline constexpr const char* kDesktopId = "org.involvo.Involvo";

// Gives the program its icon and desktop entry and the about box its layout;
// QtShellPlatform does this itself.
void InstallDesktopIntegration();

}  // namespace involvo::qtshell
