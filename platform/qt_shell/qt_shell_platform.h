// The Qt platform with the application shell's services: the settings store,
// the desktop (window placement, help, system information) and the program's
// icon.
#pragma once

#include <QIcon>

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

// The program's icon (the about box shows it too).
QIcon ProgramIcon();

// Gives the program its icon and desktop entry; QtShellPlatform does this
// itself.
void InstallDesktopIntegration();

}  // namespace involvo::qtshell
