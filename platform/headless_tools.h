// The platform's tools without a screen: the file dialogs answer from a script
// (cancelled when nothing is scripted), a PDF file is a text printer's document
// with the file's name, and the measuring-aids window keeps what it was given.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/headless.h"
#include "platform/tool_port.h"

namespace involvo {

struct ShownFileDialog {
    bool save = false;
    std::string title, start, filter, answer;
};

class HeadlessTools;

// A message box of the measuring-aids window (a window of no form).
struct AidsMessage {
    std::string text, title;
    MsgIcon icon = MsgIcon::Critical;
};

class HeadlessAidsView : public AidsView {
public:
    HeadlessAidsView(HeadlessTools& tools, AidsEvents& events) : tools_(tools), events_(events) {}
    ~HeadlessAidsView() override;
    void Display(const AidsContent& content) override { content_ = content; }
    void Show() override { shown_ = true; }
    bool IsShown() const override { return shown_; }
    std::string SaveSvg(const std::string& file) override;
    std::string SavePng(const std::string& file) override;
    std::optional<std::string> Print() override;
    void MessageBox(const std::string& text, const std::string& title, MsgIcon icon) override;

    // ---- The user's hands and what the window did ----
    void Press(AidsCommand command) { events_.Command(command); }
    const AidsContent& Content() const { return content_; }
    const std::vector<std::string>& Files() const { return files_; }  // "svg file", "png file"
    int Printed() const { return printed_; }
    const std::vector<AidsMessage>& Messages() const { return messages_; }

private:
    HeadlessTools& tools_;
    AidsEvents& events_;
    AidsContent content_;
    bool shown_ = false;
    std::vector<std::string> files_;
    int printed_ = 0;
    std::vector<AidsMessage> messages_;
};

class HeadlessTools : public ToolPort {
public:
    std::string OpenFileName(const std::string& title, const std::string& start, const std::string& filter) override;
    std::string SaveFileName(const std::string& title, const std::string& start, const std::string& filter) override;
    std::unique_ptr<PrinterPort> PdfPrinter(const std::string& file) override;
    std::unique_ptr<AidsView> CreateAidsView(AidsEvents& events) override;

    // The next file dialog's answer ("" cancels it).
    void ScriptFileName(std::string answer) { fileAnswers_.push_back(std::move(answer)); }
    const std::vector<ShownFileDialog>& FileDialogs() const { return fileDialogs_; }
    // The documents printed into PDF files, and the file of each.
    TextPrinter& PdfOutput() { return pdf_; }
    const std::vector<std::string>& PdfFiles() const { return pdfFiles_; }
    // The measuring-aids window last created, while it lives.
    HeadlessAidsView* Aids() const { return aids_; }

private:
    friend class HeadlessAidsView;
    std::string Answer(ShownFileDialog dialog);

    std::deque<std::string> fileAnswers_;
    std::vector<ShownFileDialog> fileDialogs_;
    TextPrinter pdf_;
    std::vector<std::string> pdfFiles_;
    HeadlessAidsView* aids_ = nullptr;
};

}  // namespace involvo
