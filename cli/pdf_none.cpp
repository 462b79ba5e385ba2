// involvo-cli without Qt writes no PDF files.
#include "cli/pdf_printer.h"

namespace involvo::cli {

bool PdfAvailable() { return false; }

std::string PdfUnavailable() { return "--pdf needs the Qt build of involvo-cli"; }

std::unique_ptr<PdfPrinter> OpenPdfPrinter(const std::string&) { return nullptr; }

}  // namespace involvo::cli
