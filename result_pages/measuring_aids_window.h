// The Measuring Aids window of page 1: the pin or ball of the last calculation
// in its tooth space, to scale, with the pins and spans that will measure the
// gear. Page 1 opens it and it closes with page 1; it shows the gear of the
// page and refreshes with it.
#pragma once

#include <memory>

#include "engine/gearmain.h"
#include "platform/tool_port.h"
#include "result_pages/page_content.h"

namespace involvo {

// What the window shows for the last calculation, page 1 showing `page`: the
// picture at the calculation's (first) thickness with its pin, the aids, ball
// or pin as the page says, and the chordal thickness as the page shows it.
AidsContent AidsContentOf(const gearmain::GearMain& gear, const PageContent& page);

class MeasuringAidsWindow : public AidsEvents {
public:
    MeasuringAidsWindow(gearmain::GearMain& gear, Platform& platform);
    ~MeasuringAidsWindow() override;

    // Opens the window (or brings it to the front) over the page's gear. False
    // when the platform has no such window.
    bool Open(const PageContent& page);
    // A new calculation: an open window shows it.
    void Refresh(const PageContent& page);
    bool IsOpen() const { return view_ && view_->IsShown(); }

    void Command(AidsCommand command) override;

private:
    void SaveAs(AidsCommand kind);
    void Tell(const std::string& text, MsgIcon icon);

    gearmain::GearMain& gear_;
    Platform& platform_;
    std::unique_ptr<AidsView> view_;
    std::string lastFolder_;
};

}  // namespace involvo
