// What the windows need of the platform beyond their controls: file dialogs
// (part files, reports, pictures), a printer into a PDF file, and the
// measuring-aids window, whose drawing is more than a control can show.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "engine/measuring_aids.h"
#include "engine/pin_picture.h"
#include "platform/view.h"

namespace involvo {

class PrinterPort;

// What the measuring-aids window shows: the pin in its tooth space, the pins
// and spans that work, and a line that says what is drawn.
struct AidsContent {
    std::string caption;                          // the window's caption
    std::string note;                             // above the drawing
    std::optional<gearmain::PinPicture> picture;  // none: the pin cannot be placed
    gearmain::MeasuringAids aids;
    bool balls = false;            // measured over (between) balls
    std::string chordalThickness;  // as page 1 shows it
};

// The commands of the measuring-aids window (closing it only hides it).
enum class AidsCommand { SaveSvg, SavePng, Print };

class AidsEvents {
public:
    virtual ~AidsEvents() = default;
    virtual void Command(AidsCommand command) = 0;
};

// The measuring-aids window. Zooming and fitting are the window's own.
class AidsView {
public:
    virtual ~AidsView() = default;
    virtual void Display(const AidsContent& content) = 0;
    // Shown, and brought to the front.
    virtual void Show() = 0;
    virtual bool IsShown() const = 0;
    // The drawing into a file; why it failed, or "".
    virtual std::string SaveSvg(const std::string& file) = 0;
    virtual std::string SavePng(const std::string& file) = 0;
    // The print dialog, then the drawing on a page. Nothing when printed or
    // cancelled; else why it failed.
    virtual std::optional<std::string> Print() = 0;
    virtual void MessageBox(const std::string& text, const std::string& title, MsgIcon icon) = 0;
};

class ToolPort {
public:
    virtual ~ToolPort() = default;
    // The file chosen in the system's open or save dialog, starting at `start`
    // (a folder or a file name), showing the files of `filter` ("Part files
    // (*.gear)"); "" when cancelled.
    virtual std::string OpenFileName(const std::string& title, const std::string& start,
                                     const std::string& filter) = 0;
    virtual std::string SaveFileName(const std::string& title, const std::string& start,
                                     const std::string& filter) = 0;
    // A printer whose documents all go into this PDF file, without a dialog
    // (the caller, who named the file, tells where it went).
    virtual std::unique_ptr<PrinterPort> PdfPrinter(const std::string& file) = 0;
    // The measuring-aids window, created hidden.
    virtual std::unique_ptr<AidsView> CreateAidsView(AidsEvents& events) = 0;
};

}  // namespace involvo
