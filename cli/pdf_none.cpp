// involvo-cli without Qt writes no PDF files.
#include "cli/pdf_printer.h"

namespace involvo::cli {

bool PdfAvailable() { return false; }

std::unique_ptr<PdfPrinter> OpenPdfPrinter(const std::string&) { return nullptr; }

}  // namespace involvo::cli
