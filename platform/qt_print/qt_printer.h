// The printer of the Qt program: QPrinter for the page, QPrintDialog for the
// menu command, and a PDF file when the machine has no printer.
#pragma once

#include <memory>
#include <string>

#include "printing/printer_port.h"

class QFont;
class QGuiApplication;
class QPainter;
class QPrinter;

namespace involvo {

class QtPrinter : public PrinterPort {
public:
    // The system's printers.
    QtPrinter();
    // Every document goes into this PDF file, without asking (the command-line
    // tool and the tests); a later document replaces an earlier one.
    explicit QtPrinter(const std::string& pdfFile);
    ~QtPrinter() override;

    bool UseDefaultPrinter() override;
    bool ShowPrintDialog() override;
    int Copies() const override { return copies_; }
    void SetCopies(int copies) override { copies_ = copies; }
    // A file takes its copies as pages of its one document.
    bool CopiesArePages() const override { return !targetFile_.empty(); }

    bool StartDoc() override;
    void SetFontSize(double points) override;
    void SetBold(bool on) override;
    void SetUnderline(bool on) override;
    void PrintAt(int column, const std::string& text) override;
    void EndLine() override;
    void NewPage() override;
    double TextWidth(const std::string& text) const override;
    bool EndDoc() override;

    std::string OutputFile() const override { return outputFile_; }
    std::string ErrorText() const override { return error_; }

private:
    void ToFile(const std::string& file);
    void ApplyFont();
    double LineSpacing() const;
    double ColumnWidth() const;

    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    std::unique_ptr<QFont> font_;
    std::string fixedPdf_;     // the tool's file, when there is one
    std::string targetFile_;   // the file the next document goes to, when not a printer
    std::string outputFile_;   // the file the last document went to
    std::string error_;
    int copies_ = 1;
    // Where the current line is: its top, how far it has been printed, and the
    // height of its tallest text.
    double top_ = 0, x_ = 0, lineHeight_ = 0;
    bool firstItem_ = true;
};

// A Qt application object for printing outside the windowed program (the
// command-line tool): created on the offscreen platform when there is none.
class QtPrintSession {
public:
    QtPrintSession();
    ~QtPrintSession();

private:
    std::unique_ptr<QGuiApplication> app_;
};

}  // namespace involvo
