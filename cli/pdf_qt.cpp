#include "cli/pdf_printer.h"
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

bool PdfAvailable() { return true; }

std::unique_ptr<PdfPrinter> OpenPdfPrinter(const std::string& file) { return std::make_unique<QtPdf>(file); }

}  // namespace involvo::cli
