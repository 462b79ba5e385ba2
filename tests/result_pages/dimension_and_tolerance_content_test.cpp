// The contents of page 2 (gear dimensions) and of the AGMA tolerances page.
#include <vector>

#include "pages_fixture.h"

namespace involvo::testing {
namespace {

class DimensionsContentTest : public ContentTest {
protected:
    void SetUp() override {
        ContentTest::SetUp();
        FillResults();
        gear.InputFeature = kCTT;
        gear.QualityNumber = 8;
        // 24 teeth of 10 DP at 20 degrees: pitch diameter 2.4, base circle 2.4 cos 20,
        // circular pitch pi/10, base pitch pi/10 cos 20, addendum 1/10, dedendum
        // 1.25/10; at 30 degrees of helix the transverse pitches over cos 30.
        float* values[] = {&gear.BaseDiameter, &gear.PitchDiameter, &gear.CircPitch, &gear.BasePitch,
                           &gear.OutsideDiameter, &gear.RootDiameter, &gear.WholeDepth, &gear.WorkingDepth,
                           &gear.Addendum, &gear.Dedendum, &gear.TransCircPitch, &gear.TransBasePitch};
        const float numbers[] = {2.2552622f, 2.4f, 0.31415927f, 0.29521591f, 2.6f, 2.15f,
                                 0.225f, 0.2092920f, 0.1f, 0.125f, 0.36275987f, 0.33439875f};
        for (int i = 0; i < 12; ++i) *values[i] = numbers[i];
        gear.FinishedRootText = "2.143214";
        gear.TipLandText = "0.06543 / 0.07000";
        gear.TolRunout = 0.0013f, gear.TolPitchVar = 0.00031f, gear.TolProfile = 0.00042f;
        gear.TolLead = 0.0004f, gear.TolToothToTooth = 0.00078f, gear.TolTotalComposite = 0.0022f;
    }
};

TEST_F(DimensionsContentTest, Page2RowsAreWrittenWithTheirMasks) {
    struct Expected {
        Quantity quantity;
        std::string spurCaption, helicalCaption, value;
    };
    const std::vector<Expected> expected = {
        {Quantity::BaseDiameter, "Base Circle Diameter", "Base Circle Diameter", "2.255262"},
        {Quantity::PitchDiameter, "Pitch Diameter", "Pitch Diameter", "2.400000"},
        {Quantity::CircularPitch, "Circular Pitch", "Circular Pitch", "0.314159"},
        {Quantity::BasePitch, "Base Pitch", "Base Pitch", "0.295216"},
        {Quantity::OutsideOrInsideDiameter, "Outside Diameter", "Outside Diameter", "2.60000"},
        {Quantity::RootDiameter, "Root Diameter (Basic)", "Root Diameter (Basic)", "2.15000"},
        {Quantity::FinishedRootDiameter, "Root Diameter (Finished Size)", "Root Diameter (Finish)", "2.14321"},
        {Quantity::WholeDepth, "Whole Depth", "Whole Depth", "0.22500"},
        {Quantity::WorkingDepth, "Working Depth", "Working Depth", "0.20929"},
        {Quantity::Addendum, "Addendum", "Addendum", "0.10000"},
        {Quantity::Dedendum, "Dedendum", "Dedendum", "0.12500"},
        {Quantity::TipLand, "Tooth Tip Land ", "Tooth Tip Land", "0.06543 / 0.07000"},
    };
    for (PageKind kind : {PageKind::Spur, PageKind::Helical}) {
        const bool helical = kind == PageKind::Helical;
        PageContent page = DimensionsContent(gear, texts, kind);
        EXPECT_EQ(page.form, helical ? FormId::FRMHelical2 : FormId::FrmOutput2);
        ASSERT_EQ(page.rows.size(), 12u);
        for (size_t row = 0; row < 12; ++row) {
            const Expected& e = expected[row];
            EXPECT_EQ(page.rows[row].quantity, e.quantity) << row + 1;
            EXPECT_EQ(page.rows[row].caption, helical ? e.helicalCaption : e.spurCaption) << row + 1;
            EXPECT_EQ(page.rows[row].value, e.value) << row + 1;
            EXPECT_TRUE(page.rows[row].visible);
            // Only the helical page's pitches have a transverse value.
            std::string transverse = !helical ? "" : row == 2 ? "0.362760" : row == 3 ? "0.334399" : "";
            EXPECT_EQ(page.rows[row].transverse, transverse) << row + 1;
        }
    }
    gear.FinishedRootText = "2.140000 / 2.143214";  // a range keeps its six decimals
    EXPECT_EQ(DimensionsContent(gear, texts, PageKind::Spur).rows[6].value, "2.140000 / 2.143214");
}

TEST_F(DimensionsContentTest, NextLeadsOnOnlyWithAQualityNumber) {
    EXPECT_TRUE(DimensionsContent(gear, texts, PageKind::Spur).next);
    gear.QualityNumber = 0;
    for (PageKind kind : {PageKind::Spur, PageKind::Helical}) EXPECT_FALSE(DimensionsContent(gear, texts, kind).next);
}

TEST_F(DimensionsContentTest, TolerancesAreWrittenWithTheMaskGiven) {
    const std::vector<std::tuple<Quantity, std::string, std::string, std::string>> expected = {
        {Quantity::Runout, "Runout Tolerance", "0.00130", "0.001300"},
        {Quantity::PitchVariation, "Pitch Variation Allowable", "0.00031", "0.000310"},
        {Quantity::Profile, "Profile Tolerance", "0.00042", "0.000420"},
        {Quantity::Lead, "Tooth Alignment (Lead) ", "0.00040", "0.000400"},
        {Quantity::ToothToTooth, "Tooth To Tooth Composite", "0.00078", "0.000780"},
        {Quantity::TotalComposite, "Total Composite", "0.00220", "0.002200"},
    };
    PageContent five = ToleranceContent(gear, "0.00000"), six = ToleranceContent(gear, "0.000000");
    EXPECT_EQ(five.form, FormId::AGMATOL);
    ASSERT_EQ(five.rows.size(), 6u);
    ASSERT_EQ(six.rows.size(), 6u);
    for (size_t row = 0; row < 6; ++row) {
        const auto& [quantity, caption, fiveDecimals, sixDecimals] = expected[row];
        EXPECT_EQ(five.rows[row].quantity, quantity);
        EXPECT_EQ(five.rows[row].caption, caption);
        EXPECT_EQ(five.rows[row].value, fiveDecimals);
        EXPECT_EQ(six.rows[row].value, sixDecimals);
    }
}

TEST_F(DimensionsContentTest, ToleranceNoteOnlyWhenAToleranceIsZero) {
    EXPECT_FALSE(ToleranceContent(gear, "0.00000").zeroNote);
    gear.TolLead = 0;  // a face width of 12 is outside the lead formula
    PageContent page = ToleranceContent(gear, "0.00000");
    EXPECT_EQ(page.rows[3].value, "0.00000");
    EXPECT_TRUE(page.zeroNote);
    // A tolerance that rounds to 0 reads 0 too.
    gear.TolLead = 0.0004f;
    gear.TolProfile = 0.000004f;
    EXPECT_TRUE(ToleranceContent(gear, "0.00000").zeroNote);
    EXPECT_FALSE(ToleranceContent(gear, "0.000000").zeroNote);
}

TEST_F(DimensionsContentTest, Page1PreparesTolerancesWithSixDecimalsAfterAHelicalPage) {
    SheetContents spur = PageOneContents(gear, texts, PageKind::Spur);
    EXPECT_EQ(spur.sheet, Sheet::Spur);
    EXPECT_EQ(spur.measurement, MeasurementContent(gear, texts, PageKind::Spur));
    EXPECT_EQ(spur.dimensions, DimensionsContent(gear, texts, PageKind::Spur));
    EXPECT_EQ(spur.tolerances.rows.at(0).value, "0.00130");
    SheetContents helical = PageOneContents(gear, texts, PageKind::Helical);
    EXPECT_EQ(helical.sheet, Sheet::Helical);
    EXPECT_EQ(helical.measurement.form, FormId::FrmHelical1);
    EXPECT_EQ(helical.dimensions.form, FormId::FRMHelical2);
    EXPECT_EQ(helical.tolerances.rows.at(0).value, "0.001300");
}

}  // namespace
}  // namespace involvo::testing
