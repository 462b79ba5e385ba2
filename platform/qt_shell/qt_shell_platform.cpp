#include "platform/qt_shell/qt_shell_platform.h"

#include <QApplication>
#include <QIcon>
#include <QMainWindow>

#include "platform/qt/qt_view.h"

namespace involvo::qtshell {

QIcon ProgramIcon() { return QIcon(QStringLiteral(":/involvo/org.involvo.Involvo.png")); }

void InstallDesktopIntegration() {
    QApplication::setWindowIcon(ProgramIcon());
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopId));
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
