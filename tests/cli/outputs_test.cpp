// The tool's outputs read the contents of the pages: a batch column is chosen
// by what a row is, never by its caption; hidden rows are written nowhere.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli.h"

namespace involvo::cli {
namespace {

PageRow Row(Quantity quantity, const std::string& caption, const std::string& value, bool visible = true) {
    PageRow row;
    row.quantity = quantity;
    row.caption = caption;
    row.value = value;
    row.visible = visible;
    return row;
}

std::string Column(const GearRun& run, const std::string& name) {
    const auto header = CsvHeader();
    const auto line = CsvRow(run);
    for (size_t i = 0; i < header.size(); ++i)
        if (header[i] == name) return line.at(i);
    ADD_FAILURE() << "no column " << name;
    return {};
}

TEST(BatchColumns, HeaderNamesEveryColumnInItsOrder) {
    const std::vector<std::string> expected = {
        "row",          "ok",           "message",       "thickness",     "measurement",
        "pin",          "pin_contact",  "radial",        "chordal",       "span",
        "teeth_spanned", "backlash",    "k_factor",      "base_diameter", "pitch_diameter",
        "circular_pitch", "base_pitch", "outside_inside_diameter", "root_diameter", "finished_root_diameter",
        "whole_depth",  "working_depth", "addendum",     "dedendum",      "tip_land",
        "runout",       "pitch_variation", "profile",    "lead",          "tooth_to_tooth",
        "total_composite"};
    EXPECT_EQ(CsvHeader(), expected);
}

TEST(BatchColumns, AColumnIsChosenByTheRowsQuantityWhateverItsCaption) {
    GearRun run;
    run.ok = true;
    PageContent page;
    page.rows = {Row(Quantity::Measurement, "Dimension Between Ball", "4.5"),
                 Row(Quantity::PinDiameter, "Ball Diameter", "0.25"),
                 Row(Quantity::ToothThickness, "Circular Space Width", "0.15"),
                 Row(Quantity::Lead, "Tooth Alignment (Lead) ", "0.0004"),
                 Row(Quantity::NumberOfTeeth, "Number of Teeth", "24"),
                 Row(Quantity::None, "Dimension Over Pins", "not a row")};
    run.pages.push_back(page);
    EXPECT_EQ(Column(run, "measurement"), "4.5");
    EXPECT_EQ(Column(run, "pin"), "0.25");
    EXPECT_EQ(Column(run, "thickness"), "0.15");
    EXPECT_EQ(Column(run, "lead"), "0.0004");
    const auto line = CsvRow(run);
    EXPECT_EQ(line[1], "1");
    int filled = 0;
    for (size_t i = 3; i < line.size(); ++i) filled += !line[i].empty();
    EXPECT_EQ(filled, 4) << "neither the teeth nor a row of no quantity fill a column";
}

TEST(BatchColumns, TheFirstVisibleRowOfAQuantityAcrossThePagesWins) {
    GearRun run;
    run.ok = true;
    PageContent page1, page2;
    page1.rows = {Row(Quantity::KFactor, "K Factor", "hidden", false), Row(Quantity::KFactor, "K Factor", "1.5"),
                  Row(Quantity::KFactor, "K Factor", "second")};
    page2.rows = {Row(Quantity::KFactor, "K Factor", "page 2"), Row(Quantity::Addendum, "Addendum", "0.1")};
    run.pages = {page1, page2};
    EXPECT_EQ(Column(run, "k_factor"), "1.5");
    EXPECT_EQ(Column(run, "addendum"), "0.1");
}

TEST(BatchColumns, TeethSpannedComesFromTheStateWithTheSpanRow) {
    GearRun run;
    run.ok = true;
    run.teethSpanned = 4;
    PageContent page;
    page.rows = {Row(Quantity::Measurement, "Dimension Over Pins", "2.639969")};
    run.pages = {page};
    EXPECT_EQ(Column(run, "teeth_spanned"), "") << "no span row, no count";
    run.pages[0].rows.push_back(Row(Quantity::Span, "Span Meas. Over (4) Teeth", "1.075000"));
    EXPECT_EQ(Column(run, "span"), "1.075000");
    EXPECT_EQ(Column(run, "teeth_spanned"), "4");
    run.teethSpanned = 12;
    EXPECT_EQ(Column(run, "teeth_spanned"), "12");
}

TEST(BatchColumns, ARefusedRowHasItsMessageAndNoResults) {
    GearRun run;
    run.error = "Enter the number of gear teeth";
    const auto line = CsvRow(run);
    EXPECT_EQ(line[1], "0");
    EXPECT_EQ(line[2], "Enter the number of gear teeth");
    for (size_t i = 3; i < line.size(); ++i) EXPECT_EQ(line[i], "");
}

TEST(Outputs, HiddenRowsAreWrittenNowhere) {
    GearRun run;
    run.ok = true;
    PageContent page;
    page.form = FormId::FrmOutput1;
    page.caption = "Calculated gear data page 1";
    page.title = "Internal Gear Data";
    page.rows = {Row(Quantity::KFactor, "K Factor", "1.23456"), Row(Quantity::KFactor, "Hidden Row", "9.9", false)};
    run.pages = {page};
    std::ostringstream table, json;
    WriteTable(table, run);
    WriteJson(json, run);
    EXPECT_EQ(table.str(), "Internal Gear Data  [Calculated gear data page 1]\n  K Factor  1.23456\n\n");
    EXPECT_NE(json.str().find("\"FrmOutput1\": {\"caption\": \"Calculated gear data page 1\", \"title\": "
                              "\"Internal Gear Data\", \"rows\": [[\"K Factor\", \"1.23456\"]]}"),
              std::string::npos)
        << json.str();
    EXPECT_EQ(json.str().find("Hidden Row"), std::string::npos);
}

TEST(Outputs, TransverseValuesFollowTheirRow) {
    GearRun run;
    run.ok = true;
    PageContent page;
    page.form = FormId::FrmHelical1;
    page.caption = "c";
    page.title = "t";
    PageRow pitch = Row(Quantity::DiametralPitch, "Diametral Pitch", "10.000000");
    pitch.transverse = "8.660254";
    page.rows = {pitch, Row(Quantity::HelixAngle, "Helix Angle", "30.000000")};
    run.pages = {page};
    std::ostringstream table, json;
    WriteTable(table, run);
    WriteJson(json, run);
    EXPECT_EQ(table.str(), "t  [c]\n  Diametral Pitch  10.000000    (transverse 8.660254)\n"
                           "  Helix Angle      30.000000\n\n");
    EXPECT_NE(json.str().find("[[\"Diametral Pitch\", \"10.000000\", \"8.660254\"], [\"Helix Angle\", "
                              "\"30.000000\"]]"),
              std::string::npos)
        << json.str();
}

TEST(RunGearContents, AnInternalGearsBatchRowTakesTheKFactorFromRow11) {
    GearOptions options;
    options.Set(Option::Internal, "");
    options.Set(Option::Teeth, "60");
    options.Set(Option::Pitch, "10");
    GearRun run = RunGear(options, false);
    ASSERT_TRUE(run.ok) << run.error;
    ASSERT_GE(run.pages.size(), 2u);
    const PageContent& page1 = run.pages[0];
    ASSERT_EQ(page1.rows.size(), 12u);
    EXPECT_EQ(page1.rows[10].quantity, Quantity::KFactor);
    EXPECT_FALSE(page1.rows[11].visible);
    EXPECT_EQ(Column(run, "k_factor"), page1.rows[10].value);
    EXPECT_EQ(Column(run, "outside_inside_diameter"), run.pages[1].rows[4].value);
    EXPECT_EQ(run.pages[1].rows[4].caption, "Inside Diameter");
    // A spur gear is measured between pins.
    EXPECT_EQ(page1.rows[5].caption, "Dimension Between Pins");
    EXPECT_EQ(Column(run, "measurement"), page1.rows[5].value);
}

TEST(Help, ExplainsEveryOptionWithAnExample) {
    const std::string help = kHelp;
    std::vector<std::string> options = {"json",   "sheet",     "pdf",     "batch",       "help",      "readings",
                                        "part",   "part-number", "save-part", "report", "picture", "measuring"};
    for (size_t i = 0; i < kGearOptionCount; ++i) options.push_back(OptionName(static_cast<Option>(i)));
    for (const std::string& name : options) {
        const size_t at = help.find("\n  --" + name + " ");
        ASSERT_NE(at, std::string::npos) << name;
        if (name == "help") continue;
        // Its explanation, and an example on its line or the lines that go on
        // explaining it.
        const size_t next = help.find("\n  --", at + 1);
        const std::string explanation = help.substr(at, next - at);
        EXPECT_NE(explanation.find("e.g. --"), std::string::npos) << name;
    }
}

}  // namespace
}  // namespace involvo::cli
