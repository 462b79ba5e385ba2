#include "printing/gear_sheet.h"

#include "printing/printout_options.h"

namespace involvo {

namespace {

constexpr int kSpurValueColumn = 62;
constexpr int kNormalColumn = 46;
constexpr int kTransverseColumn = 72;
constexpr const char* kSpurTemplate = "1234567890 ---------------------------------->";
constexpr const char* kHelicalTemplate = "1234567890 ------------------------>";
// Far more dashes than any template needs; a font whose dash had no width must
// not keep the row printer going for ever.
constexpr int kMostDashes = 400;

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

// A number printed as a number: a blank for the sign and a blank after it.
std::string AsNumber(int value) {
    std::string text = value < 0 ? "" : " ";
    text += std::to_string(value);
    text += ' ';
    return text;
}

class SheetWriter {
public:
    SheetWriter(const SheetContents& sheet, const gearmain::GearMain& gear, PrinterPort& printer)
        : sheet_(sheet), gear_(gear), helical_(sheet.sheet == Sheet::Helical), printer_(printer) {}

    void Write() {
        const bool depthSystem = On(kOptRootBasic) || On(kOptRootFinished) || On(kOptWholeDepth) ||
                                 On(kOptWorkingDepth);
        Heading();
        PageOneRows();
        printer_.EndLine();
        PageTwoRows();
        if (depthSystem) Row("Depth System", gear_.DepthName, "");
        Tolerances();
    }

private:
    bool On(int option) const { return gear_.PrintoutChoices[option] == 1; }
    bool Off(int option) const { return gear_.PrintoutChoices[option] == 0; }
    int RowColumn() const { return helical_ ? 7 : 10; }
    int TitleColumn() const { return helical_ ? 8 : 10; }

    void Row(const std::string& caption, const std::string& value1, const std::string& value2) {
        if (helical_) PrintHelicalRow(printer_, RowColumn(), caption, value1, value2);
        else PrintSpurRow(printer_, RowColumn(), caption, value1);
    }

    // A page row, with its transverse value when the sheet prints the second
    // column.
    void Row(const PageRow& row) { Row(row.caption, row.value, helical_ && On(kOptTransverse) ? row.transverse : ""); }

    void Line(int column, const std::string& text) {
        printer_.PrintAt(column, text);
        printer_.EndLine();
    }

    void Heading() {
        printer_.EndLine();
        printer_.SetFontSize(12);
        printer_.EndLine();
        Line(40, "<< Involvo >>");
        printer_.EndLine();
        printer_.EndLine();

        printer_.SetBold(true);
        // No part number: empty or blanks only (each prompt offers the last
        // answer with a blank added, so an empty answer confirmed twice is "  ").
        const std::string& part = gear_.PartNumber;
        if (part.find_first_not_of(' ') != std::string::npos) {
            Line(TitleColumn(), "Part Number / Title - " + part);
            printer_.EndLine();
        }
        printer_.SetUnderline(true);
        Line(TitleColumn(), sheet_.measurement.title);
        if (helical_) {
            printer_.SetUnderline(false);
            printer_.EndLine();
            Line(kNormalColumn, On(kOptTransverse) ? " Normal                          Transverse" : " Normal");
            printer_.EndLine();
            printer_.SetBold(false);
        } else {
            printer_.EndLine();
            printer_.SetUnderline(false);
            printer_.SetBold(false);
        }
    }

    // Rows that the options leave out of page 1. A chordal row is printed
    // whatever the options when the chordal value was entered.
    bool LeftOut(Quantity quantity) const {
        switch (quantity) {
            case Quantity::ChordalThickness: return !StartsWith(gear_.InputFeature, "Chordal") && !On(kOptChordal);
            case Quantity::KFactor: return !On(kOptKFactor);
            case Quantity::RadialDimension: return !On(kOptRadial);
            // The contact diameter is the same item whether it is measured with
            // pins or with balls.
            case Quantity::PinContactDiameter: return !On(kOptPinContact);
            default: return false;
        }
    }

    // Page 1's rows up to the K factor, wherever it stands (row 11 of an
    // internal gear, whose row 12 is hidden).
    void PageOneRows() {
        const std::vector<PageRow>& rows = sheet_.measurement.rows;
        for (size_t i = 0; i < rows.size(); ++i) {
            if (!LeftOut(rows[i].quantity)) {
                Row(rows[i]);
                if (i == 3 || i == 6) printer_.EndLine();  // after rows 4 and 7
            }
            if (rows[i].quantity == Quantity::KFactor) break;
        }
    }

    void PageTwoRows() {
        for (const PageRow& row : sheet_.dimensions.rows) {
            int option = PageTwoOption(row.quantity);
            if (option != 0 && Off(option)) continue;
            Row(row);
        }
    }

    void Tolerances() {
        const int quality = gear_.QualityNumber;
        if (!On(kOptTolerances) || quality == 0) return;
        printer_.EndLine();
        printer_.SetBold(true);
        Line(RowColumn(), "AGMA Quality Tolerances for quality (" + AsNumber(quality) + ")");
        printer_.SetBold(false);
        for (const PageRow& row : sheet_.tolerances.rows) {
            // 0 means the formulas do not cover the case: "not applicable".
            Row(row.caption, gearmain::Val(row.value) == 0 ? "NA" : row.value, "");
        }
    }

    const SheetContents& sheet_;
    const gearmain::GearMain& gear_;
    bool helical_;
    PrinterPort& printer_;
};

}  // namespace

int PageTwoOption(Quantity quantity) {
    switch (quantity) {
        case Quantity::CircularPitch: return kOptCircularPitch;
        case Quantity::BasePitch: return kOptBasePitch;
        case Quantity::OutsideOrInsideDiameter: return kOptOutsideDiameter;
        case Quantity::RootDiameter: return kOptRootBasic;
        case Quantity::FinishedRootDiameter: return kOptRootFinished;
        case Quantity::WholeDepth: return kOptWholeDepth;
        case Quantity::WorkingDepth: return kOptWorkingDepth;
        case Quantity::Addendum: return kOptAddendum;
        case Quantity::Dedendum: return kOptDedendum;
        case Quantity::TipLand: return kOptTipLand;
        default: return 0;  // the base circle and the pitch diameter
    }
}

std::string RowLead(const PrinterPort& printer, const std::string& caption, const std::string& widthTemplate) {
    const double width = printer.TextWidth(widthTemplate);
    std::string dashes;
    std::string lead = caption + " " + dashes + "> ";
    for (int n = 0; n < kMostDashes && printer.TextWidth(lead) < width; ++n) {
        dashes += '-';
        lead = caption + " " + dashes + "> ";
    }
    return lead;
}

void PrintSpurRow(PrinterPort& printer, int column, const std::string& caption, const std::string& value) {
    printer.PrintAt(column, RowLead(printer, caption, kSpurTemplate));
    printer.PrintAt(kSpurValueColumn, value);
    printer.EndLine();
}

void PrintHelicalRow(PrinterPort& printer, int column, const std::string& caption, const std::string& value1,
                     const std::string& value2) {
    printer.PrintAt(column, RowLead(printer, caption, kHelicalTemplate));
    printer.PrintAt(kNormalColumn, value1);
    if (!value2.empty()) printer.PrintAt(kTransverseColumn, value2);
    printer.EndLine();
}

void ComposeSheet(const SheetContents& sheet, const gearmain::GearMain& gear, PrinterPort& printer) {
    SheetWriter(sheet, gear, printer).Write();
}

}  // namespace involvo
