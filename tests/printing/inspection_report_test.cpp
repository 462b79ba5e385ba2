// The inspection report: its lines on a fixed-pitch page, the verdict large,
// the single value without a verdict, and its print command (dialog, part
// number, copies, failures).
#include "printing/inspection_report.h"
#include "tests/support/program.h"

// The inspections below name only the members that are not left at their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace involvo::testing {
namespace {

using gearmain::ReadingStatus;

// Four readings of the 24-tooth gear, pitch 10, thickness band 0.155 / 0.157;
// the third one over.
InspectionReport Report() {
    return {"A-1234", "2025-03-14 10:42", {{"Number of Teeth", "24"}, {"Normal Diametral Pitch", "10.000000"}},
            {.measuredCaption = "Dimension Over Pins", .thicknessCaption = "Circular Tooth Thickness",
             .limits = gearmain::Band{"2.635124", "2.639784"}, .thicknessLimits = gearmain::Band{"0.155000", "0.157000"},
             .readings = {{"2.637100", "0.155846", "0.000000", std::nullopt, ReadingStatus::Within},
                          {"2.636800", "0.155716", "0.000000", std::nullopt, ReadingStatus::Within},
                          {"2.639900", "0.157050", "0.000116", std::nullopt, ReadingStatus::Over},
                          {"2.200000", std::nullopt, "0.435124", std::nullopt, ReadingStatus::NoThickness}},
             .spread = "0.439900", .verdict = gearmain::Verdict::Reject}};
}

RecordingPrinter Composed(const InspectionReport& report) {
    RecordingPrinter p;
    p.StartDoc();
    ComposeInspectionReport(p, report);
    p.EndDoc();
    return p;
}

TEST(InspectionReportPage, CarriesTheGearTheLimitsTheReadingsAndTheVerdict) {
    const RecordingPrinter p = Composed(Report());
    EXPECT_EQ(p.Lines(0), (std::vector<std::string>{
        "", "", "                                       << Involvo >>", "",
        "         Inspection Report", "",
        "         Part Number / Title - A-1234",
        "         Date and Time - 2025-03-14 10:42", "",
        "         Gear Data",
        "         Number of Teeth ------------------> 24",
        "         Normal Diametral Pitch -----------> 10.000000", "",
        "         Limits                              Low                       High",
        "         Dimension Over Pins --------------> 2.635124                  2.639784",
        "         Circular Tooth Thickness ---------> 0.155000                  0.157000", "",
        "         Readings: Dimension Over Pins",
        "         No.   Reading        Thickness      Beyond Limits             Result",
        "         1     2.637100       0.155846       0.000000                  within",
        "         2     2.636800       0.155716       0.000000                  within",
        "         3     2.639900       0.157050       0.000116                  over",
        "         4     2.200000       none           0.435124                  no thickness", "",
        "         Spread of the Readings -----------> 0.439900",
        "         Readings within the Limits -------> 2 of 4", "",
        "         Verdict:  REJECT", "", "",
        "         Inspected by  ______________________________        Signature ______________"}));
    // The verdict stands out: large and bold; so does what is out of limits.
    const auto& doc = p.items.at(0);
    EXPECT_TRUE(doc.at(27).at(0).bold && doc.at(27).at(0).size > 20);
    EXPECT_TRUE(doc.at(28).empty() && doc.at(30).at(0).size == 12);  // back to the text size
    EXPECT_TRUE(!doc.at(19).back().bold && doc.at(21).back().bold);  // within, over
    EXPECT_TRUE(doc.at(4).at(0).bold && doc.at(4).at(0).underline);  // the heading
    EXPECT_TRUE(doc.at(6).at(0).bold && !doc.at(6).at(0).underline);
    EXPECT_TRUE(doc.at(13).at(0).bold && !doc.at(14).at(0).bold && !doc.at(15).back().bold);  // the limits
    EXPECT_TRUE(doc.at(18).at(0).bold && doc.at(18).back().bold);  // the readings' heads
    EXPECT_TRUE(doc.at(9).at(0).bold && !doc.at(10).at(0).bold && doc.at(17).at(0).bold);  // the sections
}

TEST(InspectionReportPage, ASingleValueShowsTheNominalAndTheDifferencesWithoutAVerdict) {
    InspectionReport report = Report();
    report.partNumber = " ";
    report.inspection = {.internal = true, .measuredCaption = "Span Meas. Over (3) Teeth",
                         .thicknessCaption = "Circular Space Width", .nominal = "0.771646", .thicknessNominal = "0.157080",
                         .readings = {{"0.772646", "0.158144", "", "0.001064", ReadingStatus::Unjudged},
                                      {"2.300000", std::nullopt, "", std::nullopt, ReadingStatus::NoThickness}},
                         .spread = "1.527354"};
    const std::vector<std::string> lines = Composed(report).Lines(0);
    for (const std::string line : {"         Part Number / Title - ______________________________",
                                   "         Nominal (a single value: no limits)",
                                   "         Span Meas. Over (3) Teeth --------> 0.771646",
                                   "         Circular Space Width -------------> 0.157080",
                                   "         No.   Reading        Space Width    Difference",
                                   "         1     0.772646       0.158144       0.001064",
                                   "         2     2.300000       none           no thickness",
                                   "         No verdict: a single value has no limits"})
        EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
    for (const auto& line : lines) EXPECT_EQ(line.find("Verdict"), std::string::npos) << line;
}

TEST(InspectionReportPage, TheGearDataAreWrittenAsPageOneWritesThem) {
    gearmain::GearMain gear;
    gear.NumTeeth = 24, gear.NormalDP = 8, gear.DepthPitch = 10, gear.DepthSystem = 8, gear.NormalPA = 20;
    gear.HelixAngle = 15, gear.PinDiameter = 0.216f, gear.TeethSpanned = 4, gear.DepthName = "Stub tooth";
    const std::vector<ReportRow> expected = {
        {"Number of Teeth", "24"},   {"Normal Diametral Pitch", "8/10"}, {"Normal Pressure Angle", "20.000000"},
        {"Helix Angle", "15.000000"}, {"Gear Type", "External"},          {"Ball Diameter", "0.21600"},
        {"Depth System", "Stub tooth"}};
    EXPECT_EQ(GearDataRows(gear, {.measuredCaption = "Dimension Over Balls"}), expected);
    gear.DepthSystem = 1;
    const std::vector<ReportRow> span = GearDataRows(gear, {.measured = gearmain::Measured::Span});
    EXPECT_EQ(span.at(1), (ReportRow{"Normal Diametral Pitch", "8.000000"}));
    EXPECT_EQ(span.at(5), (ReportRow{"Number of Teeth Spanned", "4"}));
}

TEST(InspectionReportPage, TheDateAndTimeAreWrittenTheSameEverywhere) {
    std::tm local{.tm_min = 42, .tm_hour = 10, .tm_mday = 14, .tm_mon = 2, .tm_year = 2025 - 1900, .tm_isdst = -1};
    EXPECT_EQ(ReportDateTime(std::mktime(&local)), "2025-03-14 10:42");
}

// The report saved into a file is the Check a Part window's (input screen tests).
TEST_F(ProgramTest, TheReportPrintsOneReportPerCopyAfterTheDialogAndThePartNumberAndTellsWhatWentWrong) {
    struct Case {
        const char* name;
        bool askPartNumber, noPrinter;
        std::optional<int> dialog;  // OK with copies, or Cancel
        std::function<void(RecordingPrinter&)> script;
        size_t documents;
        std::string partNumber, message;  // printed; the message
    };
    const auto none = [](RecordingPrinter&) {};
    const std::vector<Case> cases = {
        {"two copies", false, false, 2, none, 2, "A-1234", ""},
        {"part number asked", true, false, 1, none, 1, "B-77", ""},
        {"part number Cancel", true, false, 1, none, 0, "", ""},
        {"dialog Cancel", false, false, std::nullopt, none, 0, "", ""},
        {"printer fails", false, false, 1,
         [](RecordingPrinter& p) { p.failStart = true, p.error = "the printer Office cannot be used"; }, 0, "",
         "The inspection report could not be printed: the printer Office cannot be used"},
        {"fails at the end", false, false, 1, [](RecordingPrinter& p) { p.failEnd = true; }, 0, "",
         "The inspection report could not be printed."},
        {"no printer", false, true, 1, none, 0, "", "There is no printer to print the inspection report on."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        printer = RecordingPrinter();
        c.script(printer);
        printer.ScriptPrintDialog(c.dialog);
        if (c.askPartNumber) platform().ScriptInput(c.partNumber);
        SetOptions(gear(), {});
        gear().PrintoutChoices[kOptPartNumber] = c.askPartNumber;
        gear().PartNumber = "A-1234";
        platform().ClearRecords();
        View& window = app().Load(FormId::FrmOutput1);
        EXPECT_EQ(PrintInspectionReport(window, c.noPrinter ? nullptr : &printer, gear(), Report()), c.documents > 0);
        ASSERT_EQ(printer.Documents().size(), c.documents);
        for (size_t d = 0; d < c.documents; ++d)
            EXPECT_EQ(printer.Lines(d).at(6), "         Part Number / Title - " + c.partNumber);
        EXPECT_EQ(printer.Copies(), 1);
        ASSERT_EQ(platform().InputBoxes().size(), c.askPartNumber ? 1u : 0u);
        for (const ShownInputBox& box : platform().InputBoxes())
            EXPECT_EQ(box.prompt + "|" + box.title + "|" + box.defaultText + "|" + gear().PartNumber,
                      "Please enter a part number or title to include\ron the printed form or leave blank and "
                      "click OK.|Part number?|A-1234 |" + c.partNumber);
        ASSERT_EQ(platform().Messages().size(), c.message.empty() ? 0u : 1u);
        for (const ShownMessage& m : platform().Messages())
            EXPECT_TRUE(m.text == c.message && m.title == "Involvo" && m.icon == MsgIcon::Exclamation) << m.text;
    }
}

}  // namespace
}  // namespace involvo::testing
