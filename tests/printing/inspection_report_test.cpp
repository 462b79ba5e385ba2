// The inspection report: its lines on a fixed-pitch page, the verdict large,
// the single value without a verdict, and its print command (dialog, part
// number, copies, failures).
#include <gtest/gtest.h>

#include "printing/inspection_report.h"
#include "tests/printing/program.h"

namespace involvo::test {
namespace {

using gearmain::Band;
using gearmain::Inspection;
using gearmain::ReadingCheck;
using gearmain::ReadingStatus;
using gearmain::Verdict;

// Four readings of the 24-tooth gear, pitch 10, thickness band 0.155 / 0.157;
// the third one over.
Inspection FourReadings() {
    Inspection in;
    in.measuredCaption = "Dimension Over Pins";
    in.thicknessCaption = "Circular Tooth Thickness";
    in.limits = Band{"2.635124", "2.639784"};
    in.thicknessLimits = Band{"0.155000", "0.157000"};
    in.readings = {
        {"2.637100", "0.155846", "0.000000", std::nullopt, ReadingStatus::Within},
        {"2.636800", "0.155716", "0.000000", std::nullopt, ReadingStatus::Within},
        {"2.639900", "0.157050", "0.000116", std::nullopt, ReadingStatus::Over},
        {"2.200000", std::nullopt, "0.435124", std::nullopt, ReadingStatus::NoThickness},
    };
    in.spread = "0.439900";
    in.verdict = Verdict::Reject;
    return in;
}

InspectionReport Report(Inspection in) {
    InspectionReport report;
    report.partNumber = "A-1234";
    report.dateTime = "2025-03-14 10:42";
    report.gear = {{"Number of Teeth", "24"}, {"Normal Diametral Pitch", "10.000000"}};
    report.inspection = std::move(in);
    return report;
}

RecordingPrinter Composed(const InspectionReport& report) {
    RecordingPrinter p;
    p.StartDoc();
    ComposeInspectionReport(p, report);
    p.EndDoc();
    return p;
}

std::string At(int column, const std::string& text) { return std::string(column - 1, ' ') + text; }
std::string PadTo(std::string line, int column) {
    line.resize(std::max<size_t>(line.size(), column - 1), ' ');
    return line;
}

std::string Row(const std::string& caption, const std::string& low, const std::string& high = "") {
    const std::string lead = caption + " " + std::string(std::max(0, 33 - static_cast<int>(caption.size())), '-') + "> ";
    std::string line = PadTo(At(10, lead), 46) + low;
    return high.empty() ? line : PadTo(line, 72) + high;
}

std::string ReadingRow(const std::string& n, const std::string& reading, const std::string& thickness,
                       const std::string& third, const std::string& result = "") {
    std::string line = PadTo(PadTo(PadTo(At(10, n), 16) + reading, 31) + thickness, 46) + third;
    return result.empty() ? line : PadTo(line, 72) + result;
}

TEST(InspectionReportPage, CarriesTheGearTheLimitsTheReadingsAndTheVerdict) {
    const RecordingPrinter p = Composed(Report(FourReadings()));
    const auto& doc = p.documents.at(0);
    const std::vector<std::string> expected = {
        "",
        "",
        At(40, "<< Involvo >>"),
        "",
        At(10, "Inspection Report"),
        "",
        At(10, "Part Number / Title - A-1234"),
        At(10, "Date and Time - 2025-03-14 10:42"),
        "",
        At(10, "Gear Data"),
        Row("Number of Teeth", "24"),
        Row("Normal Diametral Pitch", "10.000000"),
        "",
        PadTo(PadTo(At(10, "Limits"), 46) + "Low", 72) + "High",
        Row("Dimension Over Pins", "2.635124", "2.639784"),
        Row("Circular Tooth Thickness", "0.155000", "0.157000"),
        "",
        At(10, "Readings: Dimension Over Pins"),
        ReadingRow("No.", "Reading", "Thickness", "Beyond Limits", "Result"),
        ReadingRow("1", "2.637100", "0.155846", "0.000000", "within"),
        ReadingRow("2", "2.636800", "0.155716", "0.000000", "within"),
        ReadingRow("3", "2.639900", "0.157050", "0.000116", "over"),
        ReadingRow("4", "2.200000", "none", "0.435124", "no thickness"),
        "",
        Row("Spread of the Readings", "0.439900"),
        Row("Readings within the Limits", "2 of 4"),
        "",
        At(10, "Verdict:  REJECT"),
        "",
        "",
        PadTo(PadTo(PadTo(At(10, "Inspected by"), 24) + "______________________________", 62) + "Signature", 72) +
            "______________",
    };
    EXPECT_EQ(p.Lines(0), expected);

    // The verdict stands out: large and bold; so does what is out of limits.
    const PrintedItem& verdict = doc.at(27).at(0);
    EXPECT_TRUE(verdict.bold);
    EXPECT_GT(verdict.size, 20);
    EXPECT_EQ(doc.at(28).size(), 0u);
    EXPECT_FALSE(doc.at(19).back().bold);  // within
    EXPECT_TRUE(doc.at(21).back().bold);   // over
    EXPECT_EQ(doc.at(30).at(0).size, 12);  // back to the text size
    EXPECT_TRUE(doc.at(4).at(0).bold && doc.at(4).at(0).underline);  // the heading
    EXPECT_TRUE(doc.at(6).at(0).bold && !doc.at(6).at(0).underline);
    EXPECT_TRUE(doc.at(13).at(0).bold && !doc.at(14).at(0).bold && !doc.at(15).back().bold);  // the limits
}

TEST(InspectionReportPage, ASingleValueShowsTheNominalAndTheDifferencesWithoutAVerdict) {
    Inspection in;
    in.measuredCaption = "Span Meas. Over (3) Teeth";
    in.thicknessCaption = "Circular Space Width";
    in.internal = true;
    in.nominal = "0.771646";
    in.thicknessNominal = "0.157080";
    in.readings = {{"0.772646", "0.158144", "", "0.001064", ReadingStatus::Unjudged},
                   {"2.300000", std::nullopt, "", std::nullopt, ReadingStatus::NoThickness}};
    in.spread = "1.527354";
    InspectionReport report = Report(in);
    report.partNumber = " ";
    const std::vector<std::string> lines = Composed(report).Lines(0);
    auto has = [&](const std::string& line) { return std::find(lines.begin(), lines.end(), line) != lines.end(); };
    EXPECT_TRUE(has(At(10, "Part Number / Title - ______________________________")));
    EXPECT_TRUE(has(At(10, "Nominal (a single value: no limits)")));
    EXPECT_TRUE(has(Row("Span Meas. Over (3) Teeth", "0.771646")));
    EXPECT_TRUE(has(Row("Circular Space Width", "0.157080")));
    EXPECT_TRUE(has(ReadingRow("No.", "Reading", "Space Width", "Difference")));
    EXPECT_TRUE(has(ReadingRow("1", "0.772646", "0.158144", "0.001064")));
    EXPECT_TRUE(has(ReadingRow("2", "2.300000", "none", "no thickness")));
    EXPECT_TRUE(has(At(10, "No verdict: a single value has no limits")));
    for (const auto& line : lines) EXPECT_EQ(line.find("Verdict"), std::string::npos) << line;
}

TEST(InspectionReportPage, TheGearDataAreWrittenAsPageOneWritesThem) {
    gearmain::GearMain gear;
    gear.NumTeeth = 24;
    gear.NormalDP = 8;
    gear.DepthPitch = 10;
    gear.DepthSystem = 8;
    gear.NormalPA = 20;
    gear.HelixAngle = 15;
    gear.PinDiameter = 0.216f;
    gear.TeethSpanned = 4;
    gear.DepthName = "Stub tooth";
    Inspection pins;
    pins.measuredCaption = "Dimension Over Balls";
    const std::vector<ReportRow> expected = {{"Number of Teeth", "24"},       {"Normal Diametral Pitch", "8/10"},
                                             {"Normal Pressure Angle", "20.000000"}, {"Helix Angle", "15.000000"},
                                             {"Gear Type", "External"},       {"Ball Diameter", "0.21600"},
                                             {"Depth System", "Stub tooth"}};
    EXPECT_EQ(GearDataRows(gear, pins), expected);

    Inspection span;
    span.measured = gearmain::Measured::Span;
    gear.DepthSystem = 1;
    std::vector<ReportRow> rows = GearDataRows(gear, span);
    EXPECT_EQ(rows.at(1), (ReportRow{"Normal Diametral Pitch", "8.000000"}));
    EXPECT_EQ(rows.at(5), (ReportRow{"Number of Teeth Spanned", "4"}));
}

TEST(InspectionReportPage, TheDateAndTimeAreWrittenTheSameEverywhere) {
    std::tm local{};
    local.tm_year = 2025 - 1900, local.tm_mon = 2, local.tm_mday = 14, local.tm_hour = 10, local.tm_min = 42;
    local.tm_isdst = -1;
    EXPECT_EQ(ReportDateTime(std::mktime(&local)), "2025-03-14 10:42");
}

// ---- The print command ----

class PrintReport : public ProgramTest {};

TEST_F(PrintReport, PrintsOneReportPerCopyAfterTheDialogAndThePartNumberAndTellsWhatWentWrong) {
    struct Case {
        const char* name;
        bool askPartNumber, noPrinter = false;
        std::vector<std::optional<int>> dialog;
        std::optional<std::string> answer;
        std::function<void(RecordingPrinter&)> script;
        bool printed;
        size_t documents;
        std::string partLine, message;
    };
    const auto none = [](RecordingPrinter&) {};
    const std::string part = "         Part Number / Title - ";
    const std::vector<Case> cases = {
        {"two copies", false, false, {2}, {}, none, true, 2, part + "A-1234", ""},
        {"part number asked", true, false, {}, "B-77", none, true, 1, part + "B-77", ""},
        {"part number Cancel", true, false, {}, "", none, false, 0, "", ""},
        {"dialog Cancel", false, false, {std::nullopt}, {}, none, false, 0, "", ""},
        {"printer fails", false, false, {}, {},
         [](RecordingPrinter& p) { p.failStart = true, p.error = "the printer Office cannot be used"; }, false, 0, "",
         "The inspection report could not be printed: the printer Office cannot be used"},
        {"fails at the end", false, false, {}, {}, [](RecordingPrinter& p) { p.failEnd = true; }, false, 0, "",
         "The inspection report could not be printed."},
        {"no printer", false, true, {}, {}, none, false, 0, "", "There is no printer to print the inspection report on."},
        {"into a file", false, false, {}, {}, [](RecordingPrinter& p) { p.outputFile = "/home/qa/report.pdf"; }, true,
         1, part + "A-1234", "The inspection report was saved in the file /home/qa/report.pdf."},
    };
    for (const Case& c : cases) {
        printer = RecordingPrinter();
        c.script(printer);
        for (const auto& answer : c.dialog) printer.dialogAnswers.push_back(answer);
        if (c.answer) platform.ScriptInput(*c.answer);
        SetOnly({});
        gear.PrintoutChoices[kOptPartNumber] = c.askPartNumber;
        gear.PartNumber = "A-1234";
        platform.ClearRecords();
        View& window = app.Load(FormId::FrmOutput1);
        EXPECT_EQ(PrintInspectionReport(window, c.noPrinter ? nullptr : &printer, gear, Report(FourReadings())),
                  c.printed)
            << c.name;
        ASSERT_EQ(printer.documents.size(), c.documents) << c.name;
        for (size_t d = 0; d < c.documents; ++d) EXPECT_EQ(printer.Lines(d).at(6), c.partLine) << c.name;
        EXPECT_EQ(printer.Copies(), 1) << c.name;
        ASSERT_EQ(platform.InputBoxes().size(), c.askPartNumber ? 1u : 0u) << c.name;
        if (c.askPartNumber) {
            EXPECT_EQ(platform.InputBoxes()[0].prompt,
                      "Please enter a part number or title to include\ron the printed form or leave blank and click OK.");
            EXPECT_EQ(platform.InputBoxes()[0].title, "Part number?");
            EXPECT_EQ(platform.InputBoxes()[0].defaultText, "A-1234 ");
            EXPECT_EQ(gear.PartNumber, *c.answer) << c.name;
        }
        ASSERT_EQ(platform.Messages().size(), c.message.empty() ? 0u : 1u) << c.name;
        if (!c.message.empty()) {
            EXPECT_EQ(platform.Messages()[0].text, c.message) << c.name;
            EXPECT_EQ(platform.Messages()[0].title, "Involvo");
            EXPECT_EQ(platform.Messages()[0].icon, c.printed ? MsgIcon::Information : MsgIcon::Exclamation) << c.name;
        }
    }
}

}  // namespace
}  // namespace involvo::test
