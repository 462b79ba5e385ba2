// The Measuring Aids window on Qt: a note, the drawing (zoom with the wheel,
// fit with a double click or the Fit button), and the buttons that save it as
// SVG or PNG and print it.
#pragma once

#include <memory>

#include "platform/tool_port.h"

class QLabel;
class QWidget;

namespace involvo {

namespace qtdraw {
class AidsWidget;
}

class QtAidsView : public AidsView {
public:
    explicit QtAidsView(AidsEvents& events);
    ~QtAidsView() override;

    void Display(const AidsContent& content) override;
    void Show() override;
    bool IsShown() const override;
    std::string SaveSvg(const std::string& file) override;
    std::string SavePng(const std::string& file) override;
    std::optional<std::string> Print() override;
    void MessageBox(const std::string& text, const std::string& title, MsgIcon icon) override;

    QWidget* window() const { return window_.get(); }
    qtdraw::AidsWidget* picture() const { return picture_; }

private:
    AidsEvents& events_;
    std::unique_ptr<QWidget> window_;
    QLabel* note_ = nullptr;
    qtdraw::AidsWidget* picture_ = nullptr;
};

}  // namespace involvo
