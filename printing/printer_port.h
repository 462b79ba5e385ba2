// What the gear data sheet needs of a printer: a text page laid out in print
// columns, the print dialog's copy count, and one print job per document.
#pragma once

#include <string>

namespace involvo {

class PrinterPort {
public:
    virtual ~PrinterPort() = default;

    // ---- Where the documents go ----
    // The print button: the system's default printer, no dialog. A platform
    // without a printer may offer another place (a PDF file); false when there is
    // nothing to print on and the user chose nothing else.
    virtual bool UseDefaultPrinter() = 0;
    // The menu command: the system print dialog, which chooses the printer and
    // the number of copies; false when the user cancels it.
    virtual bool ShowPrintDialog() = 0;
    // The copy count of the print dialog: what the last dialog asked for, and what
    // the next one starts from.
    virtual int Copies() const = 0;
    virtual void SetCopies(int copies) = 0;
    // Whether the copies asked for go into one document, one copy a page, rather
    // than one print job each: a file holds one document, and a job per copy
    // would leave only the last copy in it.
    virtual bool CopiesArePages() const { return false; }

    // ---- One document, one print job ----
    // Starts a document on the chosen printer; false when it cannot be started
    // (ErrorText says why).
    virtual bool StartDoc() = 0;
    virtual void SetFontSize(double points) = 0;
    virtual void SetBold(bool on) = 0;
    virtual void SetUnderline(bool on) = 0;
    // Prints a text on the current line at a print column: column 1 is the left
    // margin, a column is the width of an average character of the current font.
    // A text that would start left of where the line already is follows it after
    // one blank instead, so that nothing is printed over.
    virtual void PrintAt(int column, const std::string& text) = 0;
    // Ends the current line; without a text on it, an empty line.
    virtual void EndLine() = 0;
    // Ends the page: what follows starts at the top of the next page of the
    // same document.
    virtual void NewPage() {}
    // The printed width of a text in the current font (in the printer's own unit,
    // the same for every text).
    virtual double TextWidth(const std::string& text) const = 0;
    // Ends the document: the page goes to the printer. False when it failed.
    virtual bool EndDoc() = 0;

    // The file the last document went to when it went to a file rather than a
    // printer; empty for a printer.
    virtual std::string OutputFile() const { return {}; }
    // Why the last StartDoc or EndDoc failed, in words for the user.
    virtual std::string ErrorText() const { return {}; }
};

}  // namespace involvo
