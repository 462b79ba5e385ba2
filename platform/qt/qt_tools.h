// The platform's tools on Qt: the file dialogs, a PDF printer and the
// measuring-aids window.
#pragma once

#include "platform/tool_port.h"

namespace involvo {

class QtTools : public ToolPort {
public:
    std::string OpenFileName(const std::string& title, const std::string& start, const std::string& filter) override;
    std::string SaveFileName(const std::string& title, const std::string& start, const std::string& filter) override;
    std::unique_ptr<PrinterPort> PdfPrinter(const std::string& file) override;
    std::unique_ptr<AidsView> CreateAidsView(AidsEvents& events) override;
};

}  // namespace involvo
