#include "printing/gear_sheet.h"

#include "printing/printout_options.h"

namespace involvo {

namespace {

constexpr int kPageRows = 12;        // Label/Text 1 to 12 of pages 1 and 2
constexpr int kToleranceRows = 6;    // Label/Text 1 to 6 of AGMATOL
constexpr int kSpurValueColumn = 62;
constexpr int kNormalColumn = 46;
constexpr int kTransverseColumn = 72;
constexpr const char* kSpurTemplate = "1234567890 ---------------------------------->";
constexpr const char* kHelicalTemplate = "1234567890 ------------------------>";
// Far more dashes than any template needs; a font whose dash had no width must
// not keep the row printer going for ever.
constexpr int kMostDashes = 400;

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

std::string Indexed(const char* array, int index) { return std::string(array) + "(" + std::to_string(index) + ")"; }

// A number printed as a number: a blank for the sign and a blank after it.
std::string AsNumber(int value) {
    std::string text = value < 0 ? "" : " ";
    text += std::to_string(value);
    text += ' ';
    return text;
}

// The transverse box beside a row of page 1 (helical page), 0 for none.
int TransverseBoxOfPageOne(int row) {
    switch (row) {
        case 2: return 13;
        case 3: return 14;
        case 5: return 15;
        case 9: return 16;
        case 10: return 17;
        case 11: return 18;
        default: return 0;
    }
}

// The transverse box beside a row of page 2 (helical page), 0 for none.
int TransverseBoxOfPageTwo(int row) {
    switch (row) {
        case 3: return 13;
        case 4: return 14;
        default: return 0;
    }
}

class SheetWriter {
public:
    SheetWriter(Forms& forms, const gearmain::GearMain& gear, Sheet sheet, PrinterPort& printer)
        : forms_(forms), gear_(gear), helical_(sheet == Sheet::Helical), printer_(printer) {}

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
        View& page1 = forms_.Load(helical_ ? FormId::FrmHelical1 : FormId::FrmOutput1);
        Line(TitleColumn(), page1.Text("LabelTitleBlock"));
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

    // Rows that the options leave out of page 1.
    bool LeftOut(const std::string& caption) const {
        if (!StartsWith(gear_.InputFeature, "Chordal") && !On(kOptChordal) && StartsWith(caption, "Chordal"))
            return true;
        if (!On(kOptKFactor) && caption == "K Factor") return true;
        if (!On(kOptRadial) && StartsWith(caption, "Radial")) return true;
        // The contact diameter is the same item whether it is measured with pins
        // or with balls.
        if (!On(kOptPinContact) && (StartsWith(caption, "Pin Contact") || StartsWith(caption, "Ball Contact")))
            return true;
        return false;
    }

    void PageOneRows() {
        View& page = forms_.Load(helical_ ? FormId::FrmHelical1 : FormId::FrmOutput1);
        for (int i = 1; i <= kPageRows; ++i) {
            const std::string caption = page.Text(Indexed("Label", i));
            if (!LeftOut(caption)) {
                std::string transverse;
                if (helical_ && On(kOptTransverse))
                    if (int box = TransverseBoxOfPageOne(i)) transverse = page.Text(Indexed("Text", box));
                Row(caption, page.Text(Indexed("Text", i)), transverse);
                if (i == 4 || i == 7) printer_.EndLine();
            }
            if (caption == "K Factor") break;
        }
    }

    void PageTwoRows() {
        View& page = forms_.Load(helical_ ? FormId::FRMHelical2 : FormId::FrmOutput2);
        for (int j = 1; j <= kPageRows; ++j) {
            int tag = PageTwoOptionTag(j);
            if (tag != 0 && Off(tag)) continue;
            std::string transverse;
            if (helical_ && On(kOptTransverse))
                if (int box = TransverseBoxOfPageTwo(j)) transverse = page.Text(Indexed("Text", box));
            Row(page.Text(Indexed("Label", j)), page.Text(Indexed("Text", j)), transverse);
        }
    }

    void Tolerances() {
        const int quality = gear_.QualityNumber;
        if (!On(kOptTolerances) || quality == 0) return;
        printer_.EndLine();
        printer_.SetBold(true);
        Line(RowColumn(), "AGMA Quality Tolerances for quality (" + AsNumber(quality) + ")");
        printer_.SetBold(false);
        View& page = forms_.Load(FormId::AGMATOL);
        for (int k = 1; k <= kToleranceRows; ++k) {
            std::string value = page.Text(Indexed("Text", k));
            // 0 means the formulas do not cover the case: "not applicable".
            if (gearmain::Val(value) == 0) value = "NA";
            Row(page.Text(Indexed("Label", k)), value, "");
        }
    }

    Forms& forms_;
    const gearmain::GearMain& gear_;
    bool helical_;
    PrinterPort& printer_;
};

}  // namespace

Sheet SheetOf(const gearmain::GearMain& gear) { return gear.HelixAngle > 0 ? Sheet::Helical : Sheet::Spur; }

int PageTwoOptionTag(int row) {
    static constexpr int kTags[kPageRows + 1] = {
        0,
        0,                    // base circle diameter
        0,                    // pitch diameter
        kOptCircularPitch,    // circular pitch
        kOptBasePitch,        // base pitch
        kOptOutsideDiameter,  // outside or inside diameter
        kOptRootBasic,        // root diameter (basic)
        kOptRootFinished,     // root diameter (finished)
        kOptWholeDepth,       // whole depth
        kOptWorkingDepth,     // working depth
        kOptAddendum,         // addendum
        kOptDedendum,         // dedendum
        kOptTipLand,          // tooth tip land
    };
    return row >= 1 && row <= kPageRows ? kTags[row] : 0;
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

void ComposeSheet(Forms& forms, const gearmain::GearMain& gear, Sheet sheet, PrinterPort& printer) {
    SheetWriter(forms, gear, sheet, printer).Write();
}

}  // namespace involvo
