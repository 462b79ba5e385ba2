// The program on the headless platform for the printing and result-page tests:
// a recording printer, an options file of its own in a fresh folder, the input
// screen typed into and the pages reached as a user reaches them.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/headless.h"
#include "printing/printer_port.h"
#include "printing/printout_options.h"
#include "shell/application.h"

namespace involvo::test {

namespace fs = std::filesystem;

struct PrintedItem {
    int column = 0;
    std::string text;
    bool bold = false, underline = false;
    double size = 0;
};

// Every document printed, item by item with its style; the dialogs and the
// failures answered from a script. Every character is one column wide, a dash
// `dash` wide.
class RecordingPrinter : public PrinterPort {
public:
    double dash = 1;
    bool hasDefaultPrinter = true, copiesArePages = false, failStart = false, failEnd = false;
    std::deque<std::optional<int>> dialogAnswers;  // copies, or Cancel; OK with the count otherwise
    std::string error, outputFile;

    std::vector<std::vector<std::vector<PrintedItem>>> documents;  // documents of lines of items
    int newPages = 0;

    bool UseDefaultPrinter() override { return hasDefaultPrinter; }
    bool ShowPrintDialog() override {
        std::optional<int> answer = copies_;
        if (!dialogAnswers.empty()) answer = dialogAnswers.front(), dialogAnswers.pop_front();
        if (answer) copies_ = *answer;
        return answer.has_value();
    }
    int Copies() const override { return copies_; }
    void SetCopies(int copies) override { copies_ = copies; }
    bool CopiesArePages() const override { return copiesArePages; }
    bool StartDoc() override {
        doc_.clear();
        line_.clear();
        size_ = 10, bold_ = underline_ = false;
        return !failStart;
    }
    void SetFontSize(double points) override { size_ = points; }
    void SetBold(bool on) override { bold_ = on; }
    void SetUnderline(bool on) override { underline_ = on; }
    void PrintAt(int column, const std::string& text) override {
        line_.push_back({column, text, bold_, underline_, size_});
    }
    void EndLine() override { doc_.push_back(std::move(line_)), line_.clear(); }
    void NewPage() override { ++newPages; }
    double TextWidth(const std::string& text) const override {
        return static_cast<double>(text.size()) + (dash - 1) * static_cast<double>(std::count(text.begin(), text.end(), '-'));
    }
    bool EndDoc() override {
        if (failEnd) return false;
        documents.push_back(doc_);
        return true;
    }
    std::string OutputFile() const override { return outputFile; }
    std::string ErrorText() const override { return error; }

    // A line as a fixed-pitch page shows it: each item at its column, or one
    // blank after the text before it when the line is past that column.
    static std::string Text(const std::vector<PrintedItem>& line) {
        std::string text;
        for (const PrintedItem& item : line) {
            const size_t at = static_cast<size_t>(item.column - 1);
            if (text.size() <= at) text.append(at - text.size(), ' ');
            else text += ' ';
            text += item.text;
        }
        return text;
    }
    std::vector<std::string> Lines(size_t document) const {
        std::vector<std::string> lines;
        for (const auto& line : documents.at(document)) lines.push_back(Text(line));
        return lines;
    }

private:
    int copies_ = 1;
    std::vector<std::vector<PrintedItem>> doc_;
    std::vector<PrintedItem> line_;
    double size_ = 10;
    bool bold_ = false, underline_ = false;
};

inline std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void WriteFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// A fresh folder for each test (the tests of one program may run in parallel).
inline fs::path FreshFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const fs::path dir = fs::temp_directory_path() / ("involvo-" + std::to_string(::getpid()) + "-" +
                                                      info->test_suite_name() + "-" + info->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

inline std::vector<std::string> Names(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
    return names;
}

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = FreshFolder();
        app.SetPrintoutOptionsFile(OptionsFile());
        BeforeStartUp();
        platform.SetPrinter(&printer);
        app.StartUpWithoutSplash();
    }
    void TearDown() override {
        app.Shutdown();
        platform.RunTimers();
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
    // What a test prepares before the program starts (the options file).
    virtual void BeforeStartUp() {}
    fs::path OptionsFile() const { return folder / kOptionsFileName; }

    HeadlessView& Screen() { return *platform.ViewOf(FormId::FrmMain); }
    HeadlessView& Page(FormId id) {
        HeadlessView* view = platform.ViewOf(id);
        if (!view) throw std::runtime_error(std::string(FormName(id)) + " is not loaded");
        return *view;
    }
    // Fields typed in over what they held (each left with Tab), then Calculate;
    // page 1 that opened.
    HeadlessView& Calculate(const std::vector<std::pair<Control, std::string>>& fields) {
        for (const auto& [field, text] : fields) {
            Screen().Type(field, std::string(12, '\b') + text);
            Screen().Leave();
        }
        Screen().Press(ctl::CmdCalc);
        for (FormId id : {FormId::FrmOutput1, FormId::FrmHelical1})
            if (HeadlessView* page = platform.ViewOf(id); page && page->IsShown()) return *page;
        throw std::runtime_error("no page opened");
    }
    void SetOnly(std::initializer_list<int> on) {
        for (int i = 1; i <= kOptionCount; ++i) gear.PrintoutChoices[i] = 0;
        for (int i : on) gear.PrintoutChoices[i] = 1;
    }

    fs::path folder;
    gearmain::GearMain gear;
    HeadlessPlatform platform;
    RecordingPrinter printer;
    Application app{gear, platform};
};

}  // namespace involvo::test
