// The PDF printer of involvo-cli: a module of its own, loaded only when --pdf
// asks for it, so that the tool loads Qt only then (cli/pdf_module.cpp).
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

}  // namespace involvo::cli

extern "C" __attribute__((visibility("default"))) involvo::cli::PdfPrinter* involvo_cli_open_pdf(const char* file) {
    return new involvo::cli::QtPdf(file);
}
