// involvo-cli without Qt writes no PDF or picture files.
#include "cli/pdf_printer.h"

namespace involvo::cli {

bool PdfAvailable() { return false; }

std::string PdfUnavailable() { return "--pdf, --report and --picture need the Qt build of involvo-cli"; }

std::unique_ptr<PdfPrinter> OpenPdfPrinter(const std::string&) { return nullptr; }

std::optional<std::string> SavePicture(const std::string&, const Measuring&) { return PdfUnavailable(); }

}  // namespace involvo::cli
