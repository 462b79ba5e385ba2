// A printer for the tests: fixed-pitch widths unless told otherwise, every item
// recorded with its column and style, the dialogs answered from a script.
#pragma once

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "printing/printer_port.h"

namespace involvo::test {

struct PrintedItem {
    int column = 0;
    std::string text;
    bool bold = false, underline = false;
    double size = 0;
};

struct PrintedLine {
    std::vector<PrintedItem> items;
    // The line as a fixed-pitch page shows it: each item at its column, or one
    // blank after the previous one when the line is past that column already.
    std::string Text() const {
        std::string line;
        for (const auto& item : items) {
            size_t at = static_cast<size_t>(item.column - 1);
            if (line.size() <= at) line.append(at - line.size(), ' ');
            else line.push_back(' ');
            line += item.text;
        }
        return line;
    }
};

using PrintedDoc = std::vector<PrintedLine>;

inline std::vector<std::string> TextOf(const PrintedDoc& doc) {
    std::vector<std::string> lines;
    for (const auto& line : doc) lines.push_back(line.Text());
    return lines;
}

class FakePrinter : public PrinterPort {
public:
    // ---- The script ----
    std::map<char, double> widths;  // characters whose width is not 1
    bool hasDefaultPrinter = true;
    std::deque<std::optional<int>> dialogAnswers;  // copies, or Cancel
    bool failStart = false, failEnd = false;
    std::string error, outputFile;

    // ---- The record ----
    std::vector<PrintedDoc> documents;
    std::vector<int> dialogStartCopies;  // the copy count each dialog started from
    int defaultPrinterRequests = 0;
    bool open = false;

    bool UseDefaultPrinter() override {
        ++defaultPrinterRequests;
        return hasDefaultPrinter;
    }
    bool ShowPrintDialog() override {
        dialogStartCopies.push_back(copies_);
        if (dialogAnswers.empty()) return true;
        auto answer = dialogAnswers.front();
        dialogAnswers.pop_front();
        if (!answer) return false;
        copies_ = *answer;
        return true;
    }
    int Copies() const override { return copies_; }
    void SetCopies(int copies) override { copies_ = copies; }

    bool StartDoc() override {
        if (failStart) return false;
        open = true;
        doc_.clear();
        line_ = {};
        size_ = 10;
        bold_ = underline_ = false;
        return true;
    }
    void SetFontSize(double points) override { size_ = points; }
    void SetBold(bool on) override { bold_ = on; }
    void SetUnderline(bool on) override { underline_ = on; }
    void PrintAt(int column, const std::string& text) override {
        line_.items.push_back({column, text, bold_, underline_, size_});
    }
    void EndLine() override {
        doc_.push_back(line_);
        line_ = {};
    }
    double TextWidth(const std::string& text) const override {
        double w = 0;
        for (char c : text) {
            auto it = widths.find(c);
            w += it == widths.end() ? 1.0 : it->second;
        }
        return w;
    }
    bool EndDoc() override {
        open = false;
        if (!line_.items.empty()) EndLine();
        if (failEnd) return false;
        documents.push_back(doc_);
        return true;
    }
    std::string OutputFile() const override { return outputFile; }
    std::string ErrorText() const override { return error; }

private:
    int copies_ = 1;
    PrintedDoc doc_;
    PrintedLine line_;
    double size_ = 10;
    bool bold_ = false, underline_ = false;
};

}  // namespace involvo::test
