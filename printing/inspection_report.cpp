#include "printing/inspection_report.h"

#include <algorithm>
#include <cctype>

#include "printing/gear_sheet.h"
#include "printing/print_commands.h"
#include "printing/printout_options.h"

namespace involvo {

using gearmain::Format;
using gearmain::Inspection;
using gearmain::ReadingStatus;
using gearmain::ShortText;
using gearmain::Verdict;

namespace {

constexpr double kTextPoints = 12;
constexpr double kVerdictPoints = 22;
constexpr int kLeft = 10;
constexpr int kHeadingColumn = 40;
// Every row is a row of the helical sheet: its value in the normal column, the
// upper limit in the transverse one. The readings table keeps to the same two
// columns.
constexpr int kLowColumn = 46;
constexpr int kHighColumn = 72;
constexpr int kNumberColumn = kLeft;
constexpr int kReadingColumn = 16;
constexpr int kThicknessColumn = 31;
constexpr int kThirdColumn = kLowColumn;
constexpr int kResultColumn = kHighColumn;

constexpr const char* kBlankLine = "______________________________";

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

class ReportWriter {
public:
    ReportWriter(PrinterPort& printer, const InspectionReport& report)
        : p_(printer), report_(report), in_(report.inspection) {}

    void Write() {
        Heading();
        GearData();
        Limits();
        Readings();
        Summary();
        Signature();
    }

private:
    void Line(int column, const std::string& text) {
        p_.PrintAt(column, text);
        p_.EndLine();
    }
    void Bold(int column, const std::string& text) {
        p_.SetBold(true);
        Line(column, text);
        p_.SetBold(false);
    }
    void Row(const std::string& caption, const std::string& value, const std::string& high = "") {
        PrintHelicalRow(p_, kLeft, caption, value, high);
    }
    std::string ThicknessWord() const { return in_.internal ? "Space Width" : "Thickness"; }

    void Heading() {
        p_.EndLine();
        p_.SetFontSize(kTextPoints);
        p_.EndLine();
        Line(kHeadingColumn, "<< Involvo >>");
        p_.EndLine();
        p_.SetBold(true);
        p_.SetUnderline(true);
        Line(kLeft, "Inspection Report");
        p_.SetUnderline(false);
        p_.EndLine();
        const bool noPart = report_.partNumber.find_first_not_of(' ') == std::string::npos;
        Line(kLeft, "Part Number / Title - " + (noPart ? std::string(kBlankLine) : report_.partNumber));
        Line(kLeft, "Date and Time - " + report_.dateTime);
        p_.SetBold(false);
        p_.EndLine();
    }

    void GearData() {
        Bold(kLeft, "Gear Data");
        for (const ReportRow& row : report_.gear) Row(row.caption, row.value);
        p_.EndLine();
    }

    void Limits() {
        p_.SetBold(true);
        if (in_.limits) {
            p_.PrintAt(kLeft, "Limits");
            p_.PrintAt(kLowColumn, "Low");
            p_.PrintAt(kHighColumn, "High");
        } else {
            p_.PrintAt(kLeft, "Nominal (a single value: no limits)");
        }
        p_.EndLine();
        p_.SetBold(false);
        if (in_.limits) {
            Row(in_.measuredCaption, in_.limits->low, in_.limits->high);
            if (in_.thicknessLimits) Row(in_.thicknessCaption, in_.thicknessLimits->low, in_.thicknessLimits->high);
        } else {
            Row(in_.measuredCaption, in_.nominal);
            Row(in_.thicknessCaption, in_.thicknessNominal);
        }
        p_.EndLine();
    }

    void Readings() {
        Bold(kLeft, "Readings: " + in_.measuredCaption);
        p_.SetBold(true);
        p_.PrintAt(kNumberColumn, "No.");
        p_.PrintAt(kReadingColumn, "Reading");
        p_.PrintAt(kThicknessColumn, ThicknessWord());
        if (in_.limits) {
            p_.PrintAt(kThirdColumn, "Beyond Limits");
            p_.PrintAt(kResultColumn, "Result");
        } else {
            p_.PrintAt(kThirdColumn, "Difference");
        }
        p_.EndLine();
        p_.SetBold(false);
        for (size_t i = 0; i < in_.readings.size(); ++i) {
            const gearmain::ReadingCheck& r = in_.readings[i];
            p_.PrintAt(kNumberColumn, std::to_string(i + 1));
            p_.PrintAt(kReadingColumn, r.reading);
            p_.PrintAt(kThicknessColumn, r.thickness ? *r.thickness : "none");
            if (in_.limits) {
                p_.PrintAt(kThirdColumn, r.beyond);
                // What is out of the limits is what the inspector looks for.
                const bool out = r.status != ReadingStatus::Within;
                p_.SetBold(out);
                p_.PrintAt(kResultColumn, gearmain::StatusText(r.status));
                p_.SetBold(false);
            } else {
                p_.PrintAt(kThirdColumn, r.difference ? *r.difference : gearmain::StatusText(r.status));
            }
            p_.EndLine();
        }
        if (in_.readings.empty()) Line(kReadingColumn, "(no readings)");
        p_.EndLine();
    }

    void Summary() {
        Row("Spread of the Readings", in_.spread.empty() ? "-" : in_.spread);
        if (in_.limits && !in_.readings.empty()) {
            const size_t within = in_.readings.size() - in_.OutOfLimits();
            Row("Readings within the Limits", std::to_string(within) + " of " + std::to_string(in_.readings.size()));
        }
        p_.EndLine();
        if (in_.verdict == Verdict::None) {
            Bold(kLeft, in_.limits ? "No verdict: no readings" : "No verdict: a single value has no limits");
        } else {
            p_.SetFontSize(kVerdictPoints);
            p_.SetBold(true);
            Line(kLeft, "Verdict:  " + Upper(gearmain::VerdictText(in_.verdict)));
            p_.SetBold(false);
            p_.SetFontSize(kTextPoints);
        }
        p_.EndLine();
        p_.EndLine();
    }

    void Signature() {
        p_.PrintAt(kLeft, "Inspected by");
        p_.PrintAt(kLeft + 14, kBlankLine);
        p_.PrintAt(kHighColumn - 10, "Signature");
        p_.PrintAt(kHighColumn, "______________");
        p_.EndLine();
    }

    PrinterPort& p_;
    const InspectionReport& report_;
    const Inspection& in_;
};

}  // namespace

std::vector<ReportRow> GearDataRows(const gearmain::GearMain& gear, const Inspection& inspection) {
    std::vector<ReportRow> rows;
    rows.push_back({"Number of Teeth", Format(gear.NumTeeth, "0")});
    // The combination stub pitch is entered, and shown, as its fraction.
    const bool fraction = gear.DepthSystem == 8 && gear.DepthPitch != 0 && gear.DepthPitch != gear.NormalDP;
    rows.push_back({"Normal Diametral Pitch", fraction ? ShortText(gear.NormalDP) + "/" + ShortText(gear.DepthPitch)
                                                       : Format(gear.NormalDP, "0.000000")});
    rows.push_back({"Normal Pressure Angle", Format(gear.NormalPA, "0.000000")});
    rows.push_back({"Helix Angle", Format(gear.HelixAngle, "0.000000")});
    rows.push_back({"Gear Type", inspection.internal ? "Internal" : "External"});
    if (inspection.measured == gearmain::Measured::Span) {
        rows.push_back({"Number of Teeth Spanned", ShortText(gear.TeethSpanned)});
    } else {
        const bool balls = inspection.measuredCaption.find("Ball") != std::string::npos;
        rows.push_back({balls ? "Ball Diameter" : "Pin Diameter", Format(gear.PinDiameter, "0.00000")});
    }
    rows.push_back({"Depth System", gear.DepthName});
    return rows;
}

std::string ReportDateTime(std::time_t when) {
    std::tm local{};
#if defined(_WIN32)
    localtime_s(&local, &when);
#else
    localtime_r(&when, &local);
#endif
    char text[32];
    if (std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local) == 0) return "";
    return text;
}

void ComposeInspectionReport(PrinterPort& printer, const InspectionReport& report) {
    ReportWriter(printer, report).Write();
}

std::optional<std::string> PrintReportDocument(PrinterPort& printer, const InspectionReport& report) {
    if (!printer.StartDoc()) return printer.ErrorText();
    ComposeInspectionReport(printer, report);
    if (!printer.EndDoc()) return printer.ErrorText();
    return std::nullopt;
}

bool PrintInspectionReport(View& view, PrinterPort* printer, gearmain::GearMain& gear, InspectionReport report) {
    auto tell = [&](const std::string& text, MsgIcon icon) { view.MessageBox(text, kMessageTitle, icon, MsgButtons::OK); };
    if (!printer) {
        tell("There is no printer to print the inspection report on.", MsgIcon::Exclamation);
        return false;
    }
    if (!printer->ShowPrintDialog()) {
        printer->SetCopies(1);
        return false;
    }
    const int copies = std::max(1, printer->Copies());
    printer->SetCopies(1);
    if (gear.PrintoutChoices[kOptPartNumber] == 1) {
        gear.PartNumber = view.InputBox(kPartNumberShortPrompt, kPartNumberTitle, gear.PartNumber + " ");
        if (gear.PartNumber.empty()) return false;  // cleared, or Cancel
    }
    report.partNumber = gear.PartNumber;
    for (int copy = 1; copy <= copies; ++copy) {
        if (std::optional<std::string> reason = PrintReportDocument(*printer, report)) {
            tell("The inspection report could not be printed" + (reason->empty() ? std::string(".") : ": " + *reason),
                 MsgIcon::Exclamation);
            return false;
        }
    }
    if (std::string file = printer->OutputFile(); !file.empty())
        tell("The inspection report was saved in the file " + file + ".", MsgIcon::Information);
    return true;
}

}  // namespace involvo
