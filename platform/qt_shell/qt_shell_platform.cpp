#include "platform/qt_shell/qt_shell_platform.h"

#include <QApplication>
#include <QMainWindow>

#include "platform/qt/qt_view.h"
#include "platform/qt/windows.h"
#include "platform/qt_shell/about_window.h"

namespace involvo::qtshell {

void InstallDesktopIntegration() {
    QApplication::setWindowIcon(ProgramIcon());
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopId));
    qt::SetFormLayout(FormId::frmAbout, &BuildAboutBox);
}

QtShellPlatform::QtShellPlatform(QString settingsFolder)
    : settings_(std::move(settingsFolder)),
      desktop_([this](FormId form) -> QWidget* {
          QtView* view = ViewOf(form);
          return view ? view->window() : nullptr;
      }) {
    InstallDesktopIntegration();
}

QtShellPlatform::~QtShellPlatform() = default;

}  // namespace involvo::qtshell
