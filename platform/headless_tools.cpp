#include "platform/headless_tools.h"

namespace involvo {

namespace {

// A printer into a PDF file: the documents are the text printer's, the file is
// the one named.
class HeadlessPdfPrinter : public PrinterPort {
public:
    HeadlessPdfPrinter(TextPrinter& text, std::vector<std::string>& files, std::string file)
        : text_(text), files_(files), file_(std::move(file)) {}
    bool UseDefaultPrinter() override { return true; }
    bool ShowPrintDialog() override { return true; }
    int Copies() const override { return copies_; }
    void SetCopies(int copies) override { copies_ = copies; }
    bool CopiesArePages() const override { return true; }
    bool StartDoc() override { return text_.StartDoc(); }
    void SetFontSize(double points) override { text_.SetFontSize(points); }
    void SetBold(bool on) override { text_.SetBold(on); }
    void SetUnderline(bool on) override { text_.SetUnderline(on); }
    void PrintAt(int column, const std::string& text) override { text_.PrintAt(column, text); }
    void EndLine() override { text_.EndLine(); }
    double TextWidth(const std::string& text) const override { return text_.TextWidth(text); }
    bool EndDoc() override {
        files_.push_back(file_);
        return text_.EndDoc();
    }
    // As the Qt printer into a file named beforehand: the caller knows the file.
    std::string OutputFile() const override { return {}; }

private:
    TextPrinter& text_;
    std::vector<std::string>& files_;
    std::string file_;
    int copies_ = 1;
};

}  // namespace

HeadlessAidsView::~HeadlessAidsView() {
    if (tools_.aids_ == this) tools_.aids_ = nullptr;
}

std::string HeadlessAidsView::SaveSvg(const std::string& file) {
    files_.push_back("svg " + file);
    return {};
}

std::string HeadlessAidsView::SavePng(const std::string& file) {
    files_.push_back("png " + file);
    return {};
}

std::optional<std::string> HeadlessAidsView::Print() {
    ++printed_;
    return std::nullopt;
}

void HeadlessAidsView::MessageBox(const std::string& text, const std::string& title, MsgIcon icon) {
    messages_.push_back({text, title, icon});
}

std::string HeadlessTools::Answer(ShownFileDialog dialog) {
    if (!fileAnswers_.empty()) {
        dialog.answer = fileAnswers_.front();
        fileAnswers_.pop_front();
    }
    fileDialogs_.push_back(dialog);
    return dialog.answer;
}

std::string HeadlessTools::OpenFileName(const std::string& title, const std::string& start, const std::string& filter) {
    return Answer({false, title, start, filter, {}});
}

std::string HeadlessTools::SaveFileName(const std::string& title, const std::string& start, const std::string& filter) {
    return Answer({true, title, start, filter, {}});
}

std::unique_ptr<PrinterPort> HeadlessTools::PdfPrinter(const std::string& file) {
    return std::make_unique<HeadlessPdfPrinter>(pdf_, pdfFiles_, file);
}

std::unique_ptr<AidsView> HeadlessTools::CreateAidsView(AidsEvents& events) {
    auto view = std::make_unique<HeadlessAidsView>(*this, events);
    aids_ = view.get();
    return view;
}

}  // namespace involvo
