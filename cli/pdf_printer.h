// What involvo-cli does with Qt, in a module loaded only when asked for: the
// program's own Qt printer writing into a PDF file (--pdf, --report), and the
// measuring-aids drawing into an SVG or PNG file (--picture).
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "cli/measuring.h"
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
// The drawing of the Measuring Aids window into a file, SVG or PNG by its
// suffix, written whole or not at all; why it could not be, or nothing.
std::optional<std::string> SavePicture(const std::string& file, const Measuring& measuring);

}  // namespace involvo::cli
