// Involvo: the gear inspection calculator on Qt Widgets.
#include <QApplication>

#include "engine/gearmain.h"
#include "platform/qt_print/qt_printer.h"
#include "platform/qt_shell/qt_shell_platform.h"
#include "shell/application.h"

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(involvo::kProgramName));

    // The Qt windows with the settings store, the desktop, the about box and the icon.
    involvo::qtshell::QtShellPlatform platform;
    // The printer of the gear data sheet: the system's printers, or a PDF file.
    involvo::QtPrinter printer;
    platform.SetPrinter(&printer);
    involvo::Application app(gearmain::Gear(), platform);
    platform.SetForms(&app);
    app.StartUp();
    return qApp->exec();
}
