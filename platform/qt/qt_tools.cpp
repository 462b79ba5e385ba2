#include "platform/qt/qt_tools.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "platform/qt/aids_window.h"
#include "platform/qt_print/qt_printer.h"

namespace involvo {

namespace {

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// Where a dialog starts: a name alone lies in the home folder.
QString StartAt(const std::string& start) {
    if (start.empty()) return QDir::homePath();
    const QString path = Q(start);
    return QFileInfo(path).isRelative() ? QDir::home().filePath(path) : path;
}

}  // namespace

std::string QtTools::OpenFileName(const std::string& title, const std::string& start, const std::string& filter) {
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), Q(title), StartAt(start), Q(filter)).toStdString();
}

std::string QtTools::SaveFileName(const std::string& title, const std::string& start, const std::string& filter) {
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), Q(title), StartAt(start), Q(filter)).toStdString();
}

std::unique_ptr<PrinterPort> QtTools::PdfPrinter(const std::string& file) { return std::make_unique<QtPrinter>(file); }

std::unique_ptr<AidsView> QtTools::CreateAidsView(AidsEvents& events) { return std::make_unique<QtAidsView>(events); }

}  // namespace involvo
