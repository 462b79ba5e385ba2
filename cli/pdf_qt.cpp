// The Qt module of involvo-cli: the PDF printer and the measuring-aids drawing,
// loaded only when --pdf, --report or --picture asks for them, so that the tool
// loads Qt only then (cli/pdf_module.cpp).
#include <QSize>
#include <QString>

#include "cli/pdf_printer.h"
#include "platform/qt_draw/aids_drawing.h"
#include "platform/qt_print/qt_printer.h"

namespace involvo::cli {

namespace {

class QtPdf : public PdfPrinter {
public:
    explicit QtPdf(const std::string& file) : printer_(file) {}
    PrinterPort& Port() override { return printer_; }

private:
    QtPrintSession session_;  // before the printer, after it at the end
    QtPrinter printer_;
};

}  // namespace

}  // namespace involvo::cli

extern "C" __attribute__((visibility("default"))) involvo::cli::PdfPrinter* involvo_cli_open_pdf(const char* file) {
    return new involvo::cli::QtPdf(file);
}

// The drawing as the window draws it, on a page of 800 by 920 pixels (the
// proportions of its printed page).
extern "C" __attribute__((visibility("default"))) bool involvo_cli_save_picture(
    const char* file, const involvo::cli::Measuring* measuring, std::string* error) {
    involvo::QtPrintSession session;
    const involvo::qtdraw::AidsDrawing drawing{measuring->picture, measuring->aids, measuring->balls,
                                               measuring->chordalThickness};
    const QString name = QString::fromUtf8(file);
    const QSize size(800, 920);
    const QString why = name.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)
                            ? involvo::qtdraw::SavePng(name, drawing, size)
                            : involvo::qtdraw::SaveSvg(name, drawing, size);
    if (why.isEmpty()) return true;
    *error = why.toStdString();
    return false;
}
