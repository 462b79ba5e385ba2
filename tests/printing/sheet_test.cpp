// The gear data sheet: which lines, in which order, at which columns.
#include <gtest/gtest.h>

#include "tests/printing/printing_fixture.h"

namespace involvo::test {
namespace {

class SpurSheet : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        FillSpurPages();
        SetAllOptions(0);
    }
    // The heading and title lines of a sheet without a part number.
    static std::vector<std::string> Heading(const std::string& title, int column = 10) {
        return {"", "", At(40, "<< Involvo >>"), "", "", At(column, title), ""};
    }
    // The lines after the page-1 rows of a sheet with every option off.
    static std::vector<std::string> DiameterRows() {
        return {"", SpurRow("Base Circle Diameter", "2.255262"), SpurRow("Pitch Diameter", "2.400000")};
    }
};

std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST_F(SpurSheet, RowsPutTheArrowBeforeColumn56AndTheValueAtColumn62) {
    // 9 blanks, the caption and its blank (16), 28 dashes, "> ", then 6 blanks to
    // column 62.
    EXPECT_EQ(SpurRow("Number of Teeth", "24"),
              "         Number of Teeth ---------------------------->       24");
    auto lines = Compose();
    ASSERT_GT(lines.size(), 7u);
    EXPECT_EQ(lines[7], "         Number of Teeth ---------------------------->       24");
}

TEST_F(SpurSheet, AllOptionsOffPrintsTheHeadingTheUnfilteredRowsAndTheTwoDiameters) {
    std::vector<std::string> expected = Heading("External Gear Data");
    for (int i = 0; i < 4; ++i) expected.push_back(SpurRow(kSpurPage1[i].caption, kSpurPage1[i].value));
    expected.push_back("");
    for (int i = 4; i < 7; ++i) expected.push_back(SpurRow(kSpurPage1[i].caption, kSpurPage1[i].value));
    expected.push_back("");
    // Pin contact (14), radial (16), chordal (10) and K factor (12) are left out.
    expected.push_back(SpurRow("Span Meas. Over (3) Teeth", "0.756838"));
    expected = Join(expected, DiameterRows());
    EXPECT_EQ(Compose(), expected);
}

TEST_F(SpurSheet, HeadingIsBoldTwelvePointAndTheTitleUnderlined) {
    PrintedDoc doc = ComposeStyled();
    ASSERT_GT(doc.size(), 7u);
    const PrintedItem& heading = doc[2].items.at(0);
    EXPECT_EQ(heading.text, "<< Involvo >>");
    EXPECT_EQ(heading.size, 12);
    EXPECT_FALSE(heading.bold);
    const PrintedItem& title = doc[5].items.at(0);
    EXPECT_TRUE(title.bold);
    EXPECT_TRUE(title.underline);
    const PrintedItem& row = doc[7].items.at(0);
    EXPECT_FALSE(row.bold);
    EXPECT_FALSE(row.underline);
}

// Which option brings which row of page 1.
struct PageOneCase {
    int option;
    int row;  // index in kSpurPage1, from 1
};

class SpurPageOneOption : public SpurSheet, public ::testing::WithParamInterface<PageOneCase> {};

TEST_P(SpurPageOneOption, BringsItsRowAlone) {
    SetOnly({GetParam().option});
    const Row& row = kSpurPage1[GetParam().row - 1];
    auto lines = Compose();
    auto it = std::find(lines.begin(), lines.end(), SpurRow(row.caption, row.value));
    ASSERT_NE(it, lines.end()) << row.caption;
    EXPECT_EQ(lines.size(), 21u);  // the all-off sheet has 20 lines
}

INSTANTIATE_TEST_SUITE_P(Rows, SpurPageOneOption,
                         ::testing::Values(PageOneCase{14, 8}, PageOneCase{16, 9}, PageOneCase{10, 10},
                                           PageOneCase{12, 12}));

TEST_F(SpurSheet, KFactorOptionPrintsTheKFactorAsTheLastPageOneRow) {
    SetOnly({12});
    auto lines = Compose();
    ASSERT_EQ(lines.size(), 21u);
    EXPECT_EQ(lines[16], SpurRow("Span Meas. Over (3) Teeth", "0.756838"));
    EXPECT_EQ(lines[17], SpurRow("K Factor", "0.00000"));
    EXPECT_EQ(lines[18], "");
}

TEST_F(SpurSheet, ChordalRowPrintsWithoutOption10WhenTheChordalThicknessWasEntered) {
    gear.InputFeature = "Chordal Tooth Thickness";
    auto lines = Compose();
    EXPECT_NE(std::find(lines.begin(), lines.end(), SpurRow("Chordal Tooth Thickness", "0.156960")), lines.end());
}

TEST_F(SpurSheet, ChordalRowIsLeftOutWithoutOption10ForOtherFeatures) {
    gear.InputFeature = "Dimension Over Pins";
    auto lines = Compose();
    for (const auto& line : lines) EXPECT_EQ(line.find("Chordal"), std::string::npos) << line;
}

TEST_F(SpurSheet, PageOneRowsEndAtTheKFactorWhereverItIs) {
    // An internal gear: the K factor moved to row 11, row 12 is hidden.
    std::vector<PageRow>& rows = contents.measurement.rows;
    rows[10].quantity = Quantity::KFactor;
    rows[10].caption = "K Factor";
    rows[10].value = "1.23456";
    rows[11].caption = "Stale Row";
    rows[11].visible = false;
    SetOnly({12});
    auto lines = Compose();
    EXPECT_NE(std::find(lines.begin(), lines.end(), SpurRow("K Factor", "1.23456")), lines.end());
    for (const auto& line : lines) EXPECT_EQ(line.find("Stale Row"), std::string::npos);
}

// Which option brings which row of page 2, and whether the depth system comes
// with it.
struct PageTwoCase {
    int option;
    int row;  // index in kSpurPage2, from 1
    bool depthSystem;
};

class SpurPageTwoOption : public SpurSheet, public ::testing::WithParamInterface<PageTwoCase> {};

TEST_P(SpurPageTwoOption, BringsItsRowAfterTheDiameters) {
    const PageTwoCase& c = GetParam();
    SetOnly({c.option});
    const Row& row = kSpurPage2[c.row - 1];
    std::vector<std::string> tail = DiameterRows();
    tail.push_back(SpurRow(row.caption, row.value));
    if (c.depthSystem) tail.push_back(SpurRow("Depth System", "AGMA (Current standard)"));
    auto lines = Compose();
    ASSERT_GE(lines.size(), tail.size());
    EXPECT_EQ(std::vector<std::string>(lines.end() - tail.size(), lines.end()), tail);
}

INSTANTIATE_TEST_SUITE_P(Rows, SpurPageTwoOption,
                         ::testing::Values(PageTwoCase{11, 3, false}, PageTwoCase{15, 4, false},
                                           PageTwoCase{2, 5, false}, PageTwoCase{3, 6, true},
                                           PageTwoCase{4, 7, true}, PageTwoCase{7, 8, true},
                                           PageTwoCase{8, 9, true}, PageTwoCase{5, 10, false},
                                           PageTwoCase{6, 11, false}, PageTwoCase{9, 12, false}));

TEST_F(SpurSheet, OptionThreeAloneBringsTheBasicRootAndTheDepthSystem) {
    SetOnly({3});
    auto lines = Compose();
    ASSERT_EQ(lines.size(), 22u);
    EXPECT_EQ(lines[20], "         Root Diameter (Basic) ---------------------->       2.15000");
    EXPECT_EQ(lines[21], "         Depth System ------------------------------->       AGMA (Current standard)");
}

TEST_F(SpurSheet, EveryOptionOnPrintsEveryRowAndTheTolerances) {
    SetAllOptions(1);
    auto lines = Compose();
    std::vector<std::string> expected = Heading("External Gear Data");
    for (int i = 0; i < 12; ++i) {
        expected.push_back(SpurRow(kSpurPage1[i].caption, kSpurPage1[i].value));
        if (i == 3 || i == 6) expected.push_back("");
    }
    expected.push_back("");
    for (const Row& r : kSpurPage2) expected.push_back(SpurRow(r.caption, r.value));
    expected.push_back(SpurRow("Depth System", "AGMA (Current standard)"));
    expected.push_back("");
    expected.push_back(At(10, "AGMA Quality Tolerances for quality ( 8 )"));
    expected.push_back(SpurRow("Runout Tolerance", "0.00213"));
    expected.push_back(SpurRow("Pitch Variation Allowable", "0.00061"));
    expected.push_back(SpurRow("Profile Tolerance", "0.00049"));
    expected.push_back(SpurRow("Tooth Alignment (Lead) ", "NA"));
    expected.push_back(SpurRow("Tooth To Tooth Composite", "0.00087"));
    expected.push_back(SpurRow("Total Composite", "0.00300"));
    EXPECT_EQ(lines, expected);
}

TEST_F(SpurSheet, ToleranceHeadingIsBoldAndItsRowsAreNot) {
    SetOnly({1});
    PrintedDoc doc = ComposeStyled();
    ASSERT_EQ(doc.size(), 20u + 8u);
    EXPECT_TRUE(doc[21].items.at(0).bold);
    EXPECT_EQ(doc[21].items.at(0).text, "AGMA Quality Tolerances for quality ( 8 )");
    EXPECT_FALSE(doc[22].items.at(0).bold);
}

TEST_F(SpurSheet, AZeroToleranceReadsNAOnPaperWhileThePageKeepsItsText) {
    SetOnly({1});
    auto lines = Compose();
    EXPECT_EQ(lines.back(), SpurRow("Total Composite", "0.00300"));
    EXPECT_EQ(lines[lines.size() - 3], SpurRow("Tooth Alignment (Lead) ", "NA"));
    EXPECT_EQ(contents.tolerances.rows[3].value, "0.00000");
}

TEST_F(SpurSheet, QualityZeroPrintsNoToleranceSection) {
    SetOnly({1});
    gear.QualityNumber = 0;
    auto lines = Compose();
    EXPECT_EQ(lines.size(), 20u);
    for (const auto& line : lines) EXPECT_EQ(line.find("AGMA Quality"), std::string::npos);
}

TEST_F(SpurSheet, TwoDigitQualityHasOneBlankOnEachSide) {
    SetOnly({1});
    gear.QualityNumber = 12;
    auto lines = Compose();
    EXPECT_EQ(lines[21], At(10, "AGMA Quality Tolerances for quality ( 12 )"));
}

TEST_F(SpurSheet, PartNumberLineComesBeforeTheTitleWithAnEmptyLine) {
    gear.PartNumber = "GX-100 rev B";
    auto lines = Compose();
    ASSERT_GT(lines.size(), 8u);
    EXPECT_EQ(lines[5], At(10, "Part Number / Title - GX-100 rev B"));
    EXPECT_EQ(lines[6], "");
    EXPECT_EQ(lines[7], At(10, "External Gear Data"));
}

TEST_F(SpurSheet, ASingleBlankPartNumberPrintsNoPartNumberLine) {
    gear.PartNumber = " ";
    auto lines = Compose();
    EXPECT_EQ(lines[5], At(10, "External Gear Data"));
}

TEST_F(SpurSheet, APartNumberOfBlanksOnlyPrintsNoPartNumberLine) {
    gear.PartNumber = "   ";
    auto lines = Compose();
    EXPECT_EQ(lines[5], At(10, "External Gear Data"));
}

TEST_F(SpurSheet, ALongCaptionGetsNoDashes) {
    const std::string caption = "A Caption Long Enough To Fill The Whole Arrow Template";  // 54 characters
    contents.measurement.rows[4].caption = caption;
    auto lines = Compose();
    // The caption and " > " pass column 62: the value follows after one blank.
    EXPECT_EQ(lines[12], At(10, caption + " > ") + " .1570");
}

TEST_F(SpurSheet, ACaptionOf43CharactersGetsNoDashesAndKeepsTheValueColumn) {
    const std::string caption(43, 'C');
    contents.measurement.rows[4].caption = caption;
    auto lines = Compose();
    EXPECT_EQ(lines[12], PadTo(At(10, caption + " > "), 62) + ".1570");
}

TEST_F(SpurSheet, PrintsTheContentsNotTheGearState) {
    gear.BaseDiameter = 9.99f;
    gear.OutsideDiameter = 8.88f;
    contents.dimensions.rows[0].value = "from the content";
    auto lines = Compose();
    EXPECT_EQ(lines[18], SpurRow("Base Circle Diameter", "from the content"));
}

// ---- The row printer ----

TEST(RowPrinter, DashesFollowTheFontsWidths) {
    FakePrinter p;
    p.widths['-'] = 0.5;
    // Template: 11 + 34 x 0.5 + 1 = 29 wide. "Addendum" + blank + "> " is 11,
    // so 36 dashes of 0.5 make it 29.
    EXPECT_EQ(RowLead(p, "Addendum", "1234567890 ---------------------------------->"),
              "Addendum " + std::string(36, '-') + "> ");
}

TEST(RowPrinter, ADashWithoutWidthDoesNotHang) {
    FakePrinter p;
    p.widths['-'] = 0;
    std::string lead = RowLead(p, "Addendum", "1234567890 ---------------------------------->");
    EXPECT_EQ(lead.substr(0, 9), "Addendum ");
    EXPECT_EQ(lead.substr(lead.size() - 2), "> ");
}

TEST(RowPrinter, SpurRowPrintsTheValueAtColumn62) {
    FakePrinter p;
    p.StartDoc();
    PrintSpurRow(p, 10, "Addendum", "0.10000");
    p.EndDoc();
    ASSERT_EQ(p.documents.at(0).size(), 1u);
    const auto& items = p.documents[0][0].items;
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].column, 10);
    EXPECT_EQ(items[0].text, "Addendum " + std::string(35, '-') + "> ");
    EXPECT_EQ(items[1].column, 62);
    EXPECT_EQ(items[1].text, "0.10000");
}

TEST(RowPrinter, HelicalRowPrintsTheSecondValueOnlyWhenThereIsOne) {
    FakePrinter p;
    p.StartDoc();
    PrintHelicalRow(p, 7, "Addendum", "0.10000", "");
    PrintHelicalRow(p, 7, "Circular Pitch", "0.314159", "0.362760");
    p.EndDoc();
    const auto& doc = p.documents.at(0);
    ASSERT_EQ(doc.size(), 2u);
    ASSERT_EQ(doc[0].items.size(), 2u);
    EXPECT_EQ(doc[0].items[0].text, "Addendum " + std::string(25, '-') + "> ");
    EXPECT_EQ(doc[0].items[1].column, 46);
    ASSERT_EQ(doc[1].items.size(), 3u);
    EXPECT_EQ(doc[1].items[2].column, 72);
    EXPECT_EQ(doc[1].items[2].text, "0.362760");
}

// ---- The helical sheet ----

class HelicalSheet : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        FillHelicalPages();
        SetAllOptions(0);
    }
};

TEST_F(HelicalSheet, AllOptionsOffHasTheNormalColumnOnly) {
    std::vector<std::string> expected = {"", "", At(40, "<< Involvo >>"), "", "", At(8, "External Helical Gear Data"),
                                         "", At(46, " Normal"), ""};
    for (int i = 0; i < 4; ++i) expected.push_back(HelicalRow(kHelicalPage1[i].caption, kHelicalPage1[i].value));
    expected.push_back("");
    for (int i = 4; i < 7; ++i) expected.push_back(HelicalRow(kHelicalPage1[i].caption, kHelicalPage1[i].value));
    expected.push_back("");
    // "Ball Contact Diameter" is the contact diameter of option 14 too.
    expected.push_back(HelicalRow("Span Meas. Over (4) Teeth", "1.072840"));
    expected.push_back("");
    expected.push_back(HelicalRow("Base Circle Diameter", "2.663120"));
    expected.push_back(HelicalRow("Pitch Diameter", "2.886751"));
    EXPECT_EQ(Compose(), expected);
}

TEST_F(HelicalSheet, ColumnHeadingIsBoldAndTheTitleUnderlined) {
    PrintedDoc doc = ComposeStyled();
    EXPECT_TRUE(doc[5].items.at(0).underline);
    EXPECT_TRUE(doc[5].items.at(0).bold);
    EXPECT_FALSE(doc[7].items.at(0).underline);
    EXPECT_TRUE(doc[7].items.at(0).bold);
    EXPECT_FALSE(doc[9].items.at(0).bold);
}

TEST_F(HelicalSheet, TransverseOptionAddsTheSecondColumn) {
    SetOnly({13, 11, 15});
    auto lines = Compose();
    ASSERT_EQ(lines.size(), 24u);
    EXPECT_EQ(lines[7], At(46, " Normal                          Transverse"));
    EXPECT_EQ(lines[9], HelicalRow("Number of Teeth", "25"));
    EXPECT_EQ(lines[10], HelicalRow("Diametral Pitch", "10.000000", "8.660254"));
    EXPECT_EQ(lines[11], HelicalRow("Pressure Angle", "20.000000", "22.795877"));
    EXPECT_EQ(lines[12], HelicalRow("Helix Angle", "30.000000"));
    EXPECT_EQ(lines[14], HelicalRow("Circular Tooth Thickness", ".1570", "0.181288"));
    // Row 11's transverse box is empty: no second value.
    EXPECT_EQ(lines[18], HelicalRow("Span Meas. Over (4) Teeth", "1.072840"));
    EXPECT_EQ(lines[20], HelicalRow("Base Circle Diameter", "2.663120"));
    EXPECT_EQ(lines[22], HelicalRow("Circular Pitch", "0.314159", "0.362760"));
    EXPECT_EQ(lines[23], HelicalRow("Base Pitch", "0.295213", "0.334425"));
}

TEST_F(HelicalSheet, TransverseValuesOfRowsNineAndTenFollowTheirOptions) {
    SetOnly({13, 16, 10});
    auto lines = Compose();
    EXPECT_NE(std::find(lines.begin(), lines.end(), HelicalRow("Radial Dimension (1) Ball", "1.552280")),
              lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), HelicalRow("Chordal Tooth Thickness", "0.156975", "0.181260")),
              lines.end());
}

TEST_F(HelicalSheet, WithoutTheTransverseOptionNoSecondValueIsPrinted) {
    SetOnly({11});
    auto lines = Compose();
    EXPECT_EQ(lines[10], HelicalRow("Diametral Pitch", "10.000000"));
    EXPECT_EQ(lines.back(), HelicalRow("Circular Pitch", "0.314159"));
}

TEST_F(HelicalSheet, PartNumberAtColumn8AndTolerancesAtColumn7) {
    gear.PartNumber = "Pinion 4711";
    SetOnly({1, 3});
    auto lines = Compose();
    EXPECT_EQ(lines[5], At(8, "Part Number / Title - Pinion 4711"));
    EXPECT_EQ(lines[6], "");
    EXPECT_EQ(lines[7], At(8, "External Helical Gear Data"));
    std::vector<std::string> tail = {HelicalRow("Root Diameter (Basic)", "2.63675"),
                                     HelicalRow("Depth System", "AGMA (Current standard)"),
                                     "",
                                     At(7, "AGMA Quality Tolerances for quality ( 8 )"),
                                     HelicalRow("Runout Tolerance", "0.00213"),
                                     HelicalRow("Pitch Variation Allowable", "0.00061"),
                                     HelicalRow("Profile Tolerance", "0.00049"),
                                     HelicalRow("Tooth Alignment (Lead) ", "NA"),
                                     HelicalRow("Tooth To Tooth Composite", "0.00087"),
                                     HelicalRow("Total Composite", "0.00300")};
    ASSERT_GE(lines.size(), tail.size());
    EXPECT_EQ(std::vector<std::string>(lines.end() - tail.size(), lines.end()), tail);
}

TEST_F(HelicalSheet, ARangeInTheNormalColumnStillLeavesTheTransverseColumnClear) {
    SetOnly({13});
    contents.measurement.rows[4].value = "0.155000 / 0.157000";
    contents.measurement.rows[4].transverse = "0.178979 / 0.181288";
    auto lines = Compose();
    EXPECT_EQ(lines[14], HelicalRow("Circular Tooth Thickness", "0.155000 / 0.157000", "0.178979 / 0.181288"));
}

}  // namespace
}  // namespace involvo::test
