// The printer of --pdf: the program's own Qt printer, writing into a file.
#pragma once

#include <memory>
#include <string>

#include "printing/printer_port.h"

namespace involvo::cli {

class PdfPrinter {
public:
    virtual ~PdfPrinter() = default;
    virtual PrinterPort& Port() = 0;
};

// Whether this involvo-cli can write PDF files (it was built with Qt and finds
// its PDF printer), and why not.
bool PdfAvailable();
std::string PdfUnavailable();
// A printer whose every document goes into the file; nothing without Qt.
std::unique_ptr<PdfPrinter> OpenPdfPrinter(const std::string& file);

}  // namespace involvo::cli
