#include "result_pages/check_part.h"

#include <ctime>
#include <filesystem>
#include <optional>
#include <vector>

#include "engine/numbers.h"
#include "input_screen/part_notes.h"
#include "platform/tool_port.h"
#include "result_pages/page_text.h"
#include "result_pages/result_pages.h"

namespace involvo {

using gearmain::Inspection;
using gearmain::ReadingStatus;
using gearmain::Verdict;

namespace {

constexpr Rgb kGood{0, 128, 0};

// Page 1 as the last calculation opened it, when it is loaded.
const PageContent* PageOne(Forms& forms) {
    for (FormId id : {FormId::FrmHelical1, FormId::FrmOutput1})
        if (forms.IsLoaded(id)) return &ResultPageOf(forms, id).Content();
    return nullptr;
}

// The caption of page 1's row of the measured quantity (the helical page
// speaks of balls).
std::optional<std::string> MeasuredCaption(const PageContent& page, gearmain::Measured measured) {
    const Quantity quantity = measured == gearmain::Measured::Span ? Quantity::Span : Quantity::Measurement;
    for (const PageRow& row : page.rows)
        if (row.quantity == quantity && row.visible) return row.caption;
    return std::nullopt;
}

std::string Plural(size_t n, const char* one, const char* many) { return std::to_string(n) + " " + (n == 1 ? one : many); }

}  // namespace

FrmCheckPart::FrmCheckPart(gearmain::GearMain& gear, Forms& forms) : gear_(gear), forms_(forms) {}

void FrmCheckPart::Load() {
    View& v = view();
    v.SetText(ctl::Window, "Check a Part");
    v.SetText(ctl::LabelPartNumber, "Part Number");
    v.SetText(ctl::LabelReading, "Reading");
    v.SetText(ctl::LabelSpread, "Spread");
    v.SetText(ctl::CmdPrint, "&Print Report...");
    v.SetToolTip(ctl::CmdPrint, "Print the inspection report");
    v.SetText(ctl::CmdSavePdf, "Save Report as P&DF...");
    v.SetToolTip(ctl::CmdSavePdf, "Save the inspection report as a PDF file");
    v.SetText(ctl::CmdClear, "C&lear Readings");
    v.SetText(ctl::CmdClose, "&Close");
    std::vector<Control> order{ctl::TextPartNumber};
    for (int row = 1; row <= kReadingRows; ++row) {
        v.SetText(ctl::LabelRow(row), std::to_string(row));
        order.push_back(ctl::Reading(row));
    }
    for (Control button : {ctl::CmdPrint, ctl::CmdSavePdf, ctl::CmdClear, ctl::CmdClose}) order.push_back(button);
    v.SetTabOrder(order);
}

void FrmCheckPart::Activate() {
    ShowNotes();
    Recheck();
    view().SetFocus(ctl::Reading(1));
}

// The part number and the readings the input screen keeps, into the window.
void FrmCheckPart::ShowNotes() {
    View& v = view();
    const PartNotes* notes = NotesOf(forms_);
    if (notes && gear_.PartNumber.empty()) gear_.PartNumber = notes->partNumber;
    v.SetText(ctl::TextPartNumber, gearmain::Trim(gear_.PartNumber));
    for (int row = 1; row <= kReadingRows; ++row) {
        const size_t i = static_cast<size_t>(row - 1);
        v.SetText(ctl::Reading(row), notes && i < notes->readings.size() ? notes->readings[i] : "");
    }
}

// The readings of the table, as typed, into the input screen's notes.
void FrmCheckPart::TakeReadings() {
    PartNotes* notes = NotesOf(forms_);
    if (!notes) return;
    notes->readings.clear();
    for (int row = 1; row <= kReadingRows; ++row)
        if (std::string text = gearmain::Trim(view().Text(ctl::Reading(row))); !text.empty())
            notes->readings.push_back(text);
}

void FrmCheckPart::Recheck() {
    View& v = view();
    // The rows that hold a reading, in order; a row that holds no number is
    // marked and stops the verdict.
    std::vector<int> rows;
    std::vector<double> values;
    int unreadable = 0;
    for (int row = 1; row <= kReadingRows; ++row) {
        const std::string text = gearmain::Trim(v.Text(ctl::Reading(row)));
        for (ControlArray column : {ctl::Thickness, ctl::Beyond, ctl::Status}) {
            v.SetText(column(row), "");
            v.SetForeground(column(row), kBlack);
        }
        if (text.empty()) continue;
        if (std::optional<double> value = gearmain::ReadingValue(text)) {
            rows.push_back(row);
            values.push_back(*value);
        } else {
            if (unreadable == 0) unreadable = row;
            v.SetText(ctl::Status(row), "not a number");
            v.SetForeground(ctl::Status(row), kLightRed);
        }
    }

    check_ = gearmain::InspectPart(gear_, values, ReadEntryTexts(forms_).featureValue);
    if (const PageContent* page = PageOne(forms_))
        if (std::optional<std::string> caption = MeasuredCaption(*page, check_.measured))
            check_.measuredCaption = *caption;

    const bool limits = check_.HasLimits();
    v.SetText(ctl::LabelLimitsTitle, limits ? "Limits" : "Nominal (a single value gives no limits)");
    v.SetText(ctl::LabelLimits, check_.measuredCaption);
    v.SetText(ctl::TextLimits, limits ? check_.limits->low + " / " + check_.limits->high : check_.nominal);
    v.SetText(ctl::LabelThicknessLimits, check_.thicknessCaption);
    v.SetText(ctl::TextThicknessLimits,
              check_.thicknessLimits ? check_.thicknessLimits->low + " / " + check_.thicknessLimits->high
                                     : check_.thicknessNominal);
    v.SetText(ctl::LabelThickness, check_.internal ? "Space Width" : "Tooth Thickness");
    v.SetText(ctl::LabelBeyond, limits ? "Beyond Limits" : "From Nominal");
    v.SetText(ctl::LabelStatus, "Result");

    for (size_t i = 0; i < rows.size() && i < check_.readings.size(); ++i) {
        const gearmain::ReadingCheck& r = check_.readings[i];
        const int row = rows[i];
        const bool out = r.status != ReadingStatus::Within && r.status != ReadingStatus::Unjudged;
        v.SetText(ctl::Thickness(row), r.thickness.value_or(""));
        v.SetText(ctl::Beyond(row), limits ? r.beyond : r.difference.value_or(""));
        v.SetText(ctl::Status(row), gearmain::StatusText(r.status));
        const Rgb colour = out ? kLightRed : r.status == ReadingStatus::Within ? kGood : kBlack;
        v.SetForeground(ctl::Status(row), colour);
        v.SetForeground(ctl::Beyond(row), out ? kLightRed : kBlack);
    }
    v.SetText(ctl::TextSpread, check_.spread);

    std::string verdict, note;
    Rgb colour = kBlack;
    const size_t n = check_.readings.size();
    if (unreadable != 0) {
        note = "Row " + std::to_string(unreadable) + " holds no number: correct it or clear it.";
    } else if (n == 0) {
        note = "Type the readings, one a row, in the order they were taken.";
    } else if (!limits) {
        note = std::string("A single value gives no verdict: each ") +
               (check_.internal ? "space width" : "tooth thickness") + " is set against the nominal.";
    } else if (check_.verdict == Verdict::Accept) {
        verdict = "ACCEPT";
        colour = kGood;
        note = n == 1 ? "The reading is within the limits." : "All " + std::to_string(n) + " readings are within the limits.";
    } else {
        verdict = "REJECT";
        colour = kLightRed;
        note = Plural(check_.OutOfLimits(), "reading", "readings") + " of " + std::to_string(n) +
               (check_.OutOfLimits() == 1 ? " is" : " are") + " out of the limits.";
    }
    if (unreadable != 0) check_.verdict = Verdict::None;
    v.SetText(ctl::LabelVerdict, verdict);
    v.SetForeground(ctl::LabelVerdict, colour);
    v.SetText(ctl::LabelVerdictNote, note);
}

InspectionReport FrmCheckPart::Report() const {
    InspectionReport report;
    report.dateTime = ReportDateTime(std::time(nullptr));
    report.gear = GearDataRows(gear_, check_);
    report.inspection = check_;
    return report;
}

void FrmCheckPart::PrintReport(bool toPdf) {
    std::unique_ptr<PrinterPort> pdf;
    std::string pdfFile;
    PrinterPort* printer = forms_.platform().Printer();
    if (toPdf) {
        ToolPort* tools = forms_.platform().Tools();
        if (!tools) return;
        std::string name = FileNameOf(gearmain::Trim(gear_.PartNumber));
        name = (name.empty() ? "Inspection report" : "Inspection report " + name) + ".pdf";
        const std::string start = pdfFolder_.empty() ? name : (std::filesystem::path(pdfFolder_) / name).string();
        std::string file = tools->SaveFileName("Save the inspection report as PDF", start, "PDF files (*.pdf)");
        if (file.empty()) return;
        if (std::filesystem::path(file).extension() != ".pdf") file += ".pdf";
        pdfFolder_ = std::filesystem::path(file).parent_path().string();
        pdfFile = file;
        pdf = tools->PdfPrinter(file);
        printer = pdf.get();
    }
    const bool printed = PrintInspectionReport(view(), printer, gear_, Report());
    if (printed && pdf)
        view().MessageBox("The inspection report was saved in the file " + pdfFile + ".", kMessageTitle,
                          MsgIcon::Information, MsgButtons::OK);
    // The part number answered is the part's.
    if (PartNotes* notes = NotesOf(forms_)) notes->partNumber = gearmain::Trim(gear_.PartNumber);
    view().SetText(ctl::TextPartNumber, gearmain::Trim(gear_.PartNumber));
}

bool FrmCheckPart::KeyPress(Control control, int key) {
    if (!ctl::Reading.Has(control)) return true;
    return key == kKeyBackspace || (key >= '0' && key <= '9') || key == '.' || key == '-' || key == '+';
}

bool FrmCheckPart::KeyDown(int keyCode) {
    const std::optional<Control> focused = view().Focused();
    if (!focused || !ctl::Reading.Has(*focused)) return false;
    if (keyCode == kKeyEnter || keyCode == kKeyDown) {
        view().FocusNext(false);
        return keyCode == kKeyDown;
    }
    if (keyCode == kKeyUp) {
        view().FocusNext(true);
        return true;
    }
    return false;
}

void FrmCheckPart::Change(Control control) {
    if (control == ctl::TextPartNumber) {
        // The part number typed is the report's and the part file's.
        gear_.PartNumber = view().Text(ctl::TextPartNumber);
        if (PartNotes* notes = NotesOf(forms_)) notes->partNumber = gearmain::Trim(gear_.PartNumber);
        return;
    }
    if (!ctl::Reading.Has(control)) return;
    TakeReadings();
    Recheck();
}

void FrmCheckPart::Click(Control control) {
    if (control == ctl::CmdPrint) {
        PrintReport(false);
    } else if (control == ctl::CmdSavePdf) {
        PrintReport(true);
    } else if (control == ctl::CmdClear) {
        for (int row = 1; row <= kReadingRows; ++row) view().SetText(ctl::Reading(row), "");
        TakeReadings();
        Recheck();
        view().SetFocus(ctl::Reading(1));
    } else if (control == ctl::CmdClose) {
        forms_.Unload(FormId::FrmCheckPart);
    }
}

}  // namespace involvo
