// The content of page 1, spur and helical: rows, title, K factor layout, ball
// captions, transverse texts, what showing it writes into the gear state, and
// the advice about balls.
#include <array>
#include <map>
#include <vector>

#include "pages_fixture.h"

namespace involvo::testing {
namespace {

using gearmain::MsgButtons;
using gearmain::MsgIcon;

using Rows = std::array<std::string, 7>;  // rows 5 to 11

// What each caption of rows 5 to 11 names.
const std::map<std::string, Quantity> kQuantityOfCaption = {
    {kCTT, Quantity::ToothThickness},       {kCSW, Quantity::ToothThickness},
    {kChT, Quantity::ChordalThickness},     {kChS, Quantity::ChordalThickness},
    {kDOP, Quantity::Measurement},          {kDBP, Quantity::Measurement},
    {kDOB, Quantity::Measurement},          {kDBB, Quantity::Measurement},
    {kDB1, Quantity::Measurement},          {kPD, Quantity::PinDiameter},
    {kBD, Quantity::PinDiameter},           {kPCD, Quantity::PinContactDiameter},
    {kBCD, Quantity::PinContactDiameter},   {kRAD, Quantity::RadialDimension},
    {kRAP, Quantity::RadialDimension},      {kRAB, Quantity::RadialDimension},
    {kCB, Quantity::Backlash},              {kSPAN, Quantity::Span},
    {kKF, Quantity::KFactor},
};

struct RowCase {
    std::string feature;
    int mode, gearType;
    Rows captions, oddCaptions, values;
    std::array<std::string, 4> transverse;  // beside rows 5, 9, 10 and 11
};

void ExpectRows(const PageContent& page, const Rows& captions, const Rows& values, const std::string& what) {
    ASSERT_EQ(page.rows.size(), 12u) << what;
    for (int i = 0; i < 7; ++i) {
        const PageRow& row = page.rows[i + 4];
        EXPECT_EQ(row.caption, captions[i]) << what << ", caption " << i + 5;
        EXPECT_EQ(row.value, values[i]) << what << ", value " << i + 5;
        EXPECT_EQ(row.quantity, kQuantityOfCaption.at(captions[i])) << what << ", quantity " << i + 5;
    }
}

std::string Describe(const RowCase& c) {
    return c.feature + ", mode " + std::to_string(c.mode) + ", type " + std::to_string(c.gearType);
}

class MeasurementContentTest : public ContentTest {
protected:
    void Case(const std::string& feature, int mode, int gearType) {
        gear.InputFeature = feature;
        gear.CalcMode = static_cast<int16_t>(mode);
        gear.GearType = static_cast<int16_t>(gearType);
    }
};

TEST_F(MeasurementContentTest, SpurRowsFollowFeatureModeAndGearType) {
    const std::vector<RowCase> cases = {
        {kCTT, 1, 1, {kCTT, kDOP, kPD, kPCD, kRAD, kChT, kSPAN}, {}, {vF, vM, vP, vC, vR, vH, vS}, {}},
        {kCTT, 3, 1, {kCTT, kSPAN, kDOP, kPD, kPCD, kRAD, kChT}, {}, {vF, vS, vM, vPDs, vC, vR, vH}, {}},
        {kDOP, 2, 1, {kCTT, kDOP, kPD, kPCD, kRAD, kChT, kSPAN}, {}, {vT, vF, vP, vC, vR, vH, vS}, {}},
        {kCSW, 1, 2, {kCSW, kDBP, kPD, kPCD, kRAD, kChS, kKF}, {}, {vF, vM, vP, vC, vR, vH, vKF}, {}},
        {kDBP, 2, 2, {kCSW, kDBP, kPD, kPCD, kRAD, kChS, kKF}, {}, {vT, vF, vP, vC, vR, vH, vKF}, {}},
        {kChT, 1, 1, {kChT, kDOP, kPD, kPCD, kRAD, kCTT, kSPAN}, {}, {vF, vM, vP, vC, vR, vI, vS}, {}},
        {kChT, 3, 1, {kChT, kSPAN, kDOP, kPD, kPCD, kRAD, kCTT}, {}, {vF, vS, vM, vPDs, vC, vR, vI}, {}},
        {kChS, 1, 2, {kChS, kDBP, kPD, kPCD, kRAD, kCSW, kKF}, {}, {vF, vM, vP, vC, vR, vI, vKF}, {}},
        {kSpanMeasurement, 2, 1, {kCTT, kSPAN, kDOP, kPD, kPCD, kRAD, kChT}, {}, {vT, vF, vM, vPDf, vC, vR, vH}, {}},
        {kCB, 1, 1, {kCTT, kDOP, kPD, kPCD, kCB, kChT, kSPAN}, {}, {vT, vM, vP, vC, vF, vH, vS}, {}},
        {kCB, 3, 1, {kCTT, kCB, kSPAN, kDOP, kPD, kPCD, kChT}, {}, {vT, vF, vS, vM, vPDs, vC, vH}, {}},
        {kCB, 1, 2, {kCSW, kDBP, kPD, kPCD, kRAD, kCB, kChS}, {}, {vT, vM, vP, vC, vR, vF, vH}, {}},
    };
    FillResults();
    for (const RowCase& c : cases) {
        Case(c.feature, c.mode, c.gearType);
        PageContent page = MeasurementContent(gear, texts, PageKind::Spur);
        EXPECT_EQ(page.form, FormId::FrmOutput1);
        ExpectRows(page, c.captions, c.values, Describe(c));
        // The K factor sits in row 12, or in row 11 with row 12 hidden.
        const bool row12 = c.captions[6] != kKF;
        EXPECT_EQ(page.rows[11].visible, row12) << Describe(c);
        if (row12) {
            EXPECT_EQ(page.rows[11].caption + ": " + page.rows[11].value, kKF + ": " + vKF) << Describe(c);
        }
        for (const PageRow& row : page.rows) EXPECT_EQ(row.transverse, "") << Describe(c);
    }
}

TEST_F(MeasurementContentTest, HelicalRowsFollowFeatureModeGearTypeAndOddTeeth) {
    FillResults();
    gear.HelixAngle = 30;
    gear.Thick1 = 0.25f;
    gear.Chordal1 = 0.2f;
    gear.Backlash1 = 0.004f;
    const std::string TT = "0.288675", TC = "0.230940", TB = "0.004619";  // 0.25, 0.2, 0.004 over cos 30
    const Rows pinsOver = {kCTT, kDOP, kPD, kPCD, kRAP, kChT, kSPAN}, ballsOver = {kCTT, kDOB, kBD, kBCD, kRAB, kChT, kSPAN},
               spanPins = {kCTT, kSPAN, kDOP, kPD, kPCD, kRAD, kChT}, spanBalls = {kCTT, kSPAN, kDOB, kBD, kBCD, kRAB, kChT},
               spaceWidth = {kCSW, kDBB, kBD, kBCD, kRAB, kChS, kKF}, chordalSpace = {kChS, kDBB, kBD, kBCD, kRAD, kCSW, kKF},
               backlashInt = {kCSW, kDB1, kBD, kBCD, kRAB, kCB, kChS};
    const std::vector<RowCase> cases = {
        {kCTT, 1, 1, pinsOver, ballsOver, {vF, vM, vP, vC, vR, vH, vS}, {TT, "", TC, ""}},
        {kCTT, 3, 1, spanPins, spanBalls, {vF, vS, vM, vPDs, vC, vR, vH}, {TT, "", "", TC}},
        {kDOP, 2, 1, pinsOver, ballsOver, {vT, vF, vP, vC, vR, vH, vS}, {TT, "", TC, ""}},
        {kCSW, 1, 2, spaceWidth, spaceWidth, {vF, vM, vP, vC, vR, vH, vKF}, {TT, "", TC, ""}},
        {kDBP, 2, 2, spaceWidth, spaceWidth, {vT, vF, vP, vC, vR, vH, vKF}, {TT, "", TC, ""}},
        {kChT, 3, 1, {kChT, kSPAN, kDOP, kPD, kPCD, kRAD, kCTT}, {kChT, kSPAN, kDOB, kBD, kBCD, kRAB, kCTT},
         {vF, vS, vM, vPDs, vC, vR, vI}, {TC, "", "", TT}},
        {kChT, 1, 1, {kChT, kDOP, kPD, kPCD, kRAD, kCTT, kSPAN}, {kChT, kDOB, kBD, kBCD, kRAB, kCTT, kSPAN},
         {vF, vM, vP, vC, vR, vI, vS}, {TC, "", TT, ""}},
        {kChS, 1, 2, chordalSpace, chordalSpace, {vF, vM, vP, vC, vR, vI, vKF}, {TC, "", TT, ""}},
        {kSpanMeasurement, 2, 1, spanPins, spanBalls, {vT, vF, vM, vPDs, vC, vR, vH}, {TT, "", "", TC}},
        {kCB, 3, 1, {kCTT, kCB, kSPAN, kDOP, kPD, kPCD, kChT}, {kCTT, kCB, kSPAN, kDOB, kBD, kBCD, kChT},
         {vT, vF, vS, vM, vPDs, vC, vH}, {TT, "", "", TC}},
        {kCB, 1, 1, {kCTT, kDOP, kPD, kPCD, kCB, kChT, kSPAN}, {kCTT, kDOB, kBD, kBCD, kCB, kChT, kSPAN},
         {vT, vM, vP, vC, vF, vH, vS}, {TT, TB, TC, ""}},
        {kCB, 1, 2, backlashInt, backlashInt, {vT, vM, vP, vC, vR, vF, vH}, {TT, "", TB, TC}},
    };
    for (const RowCase& c : cases) {
        for (float teeth : {24.0f, 25.0f}) {
            Case(c.feature, c.mode, c.gearType);
            gear.NumTeeth = teeth;
            WritePageOneState(gear, PageKind::Helical);
            PageContent page = MeasurementContent(gear, texts, PageKind::Helical);
            std::string what = Describe(c) + ", " + std::to_string(int(teeth)) + " teeth";
            EXPECT_EQ(page.form, FormId::FrmHelical1);
            ExpectRows(page, teeth == 24 ? c.captions : c.oddCaptions, c.values, what);
            const int besides[] = {5, 9, 10, 11};
            for (int k = 0; k < 4; ++k)
                EXPECT_EQ(page.rows[besides[k] - 1].transverse, c.transverse[k]) << what << ", row " << besides[k];
            for (int row : {1, 4, 6, 7, 8, 12}) EXPECT_EQ(page.rows[row - 1].transverse, "") << what << row;
        }
    }
}

TEST_F(MeasurementContentTest, BasicRowsShowTheInputFieldsThroughTheirMasks) {
    FillResults();
    gear.InputFeature = kCTT;
    texts.pressureAngle = "14.5";
    PageContent spur = MeasurementContent(gear, texts, PageKind::Spur);
    const std::vector<std::pair<Quantity, std::string>> basics = {
        {Quantity::NumberOfTeeth, "Number of Teeth: 24"},
        {Quantity::DiametralPitch, "Normal Diametral Pitch: 10.000000"},
        {Quantity::PressureAngle, "Normal Pressure Angle: 14.500000"},
        {Quantity::HelixAngle, "Helix Angle: 0.000000"},
    };
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(spur.rows[row].caption + ": " + spur.rows[row].value, basics[row].second);
        EXPECT_EQ(spur.rows[row].quantity, basics[row].first);
    }

    // An empty field shows 0 through its mask.
    texts.helix = "";
    EXPECT_EQ(MeasurementContent(gear, texts, PageKind::Spur).rows[3].value, "0.000000");

    // The combination stub system's pitch fraction is shown as typed, on both pages.
    gear.DepthSystem = 8;
    texts.pitch = "8/10";
    EXPECT_EQ(MeasurementContent(gear, texts, PageKind::Spur).rows[1].value, "8/10");
    gear.TransverseDP = 8.660254f;   // 10 cos 30
    gear.TransversePA = 22.795877f;  // atan(tan 20 / cos 30)
    PageContent helical = MeasurementContent(gear, texts, PageKind::Helical);
    EXPECT_EQ(helical.rows[1].caption + ": " + helical.rows[1].value, "Diametral Pitch: 8/10");
    EXPECT_EQ(helical.rows[2].caption, "Pressure Angle");
    EXPECT_EQ(helical.rows[1].transverse + " " + helical.rows[2].transverse, "8.660254 22.795877");
    texts.pitch = "10";
    EXPECT_EQ(MeasurementContent(gear, texts, PageKind::Helical).rows[1].value, "10.000000");
}

TEST_F(MeasurementContentTest, TitleNamesTheGearAndItsEnlargementOrReduction) {
    struct TitleCase {
        int gearType;
        float odChange;
        std::string field, spur, helical;
    };
    const std::vector<TitleCase> cases = {
        {1, 0, "0.00000", "External Gear Data", "External Helical Gear Data"},
        {2, 0, "0.00000", "Internal Gear Data", "Internal Helical Gear Data"},
        {1, -0.01f, "-0.010", "External Gear Data  (-0.010 Reduced O.D.)", "External Helical Gear Data  (-0.010 Reduced O.D.)"},
        {1, 0.01f, "0.01000", "External Gear Data  (0.01000 Enlarged O.D.)", "External Helical Gear Data  (0.01000 Enlarged O.D.)"},
        {2, 0.02f, "0.02000", "Internal Gear Data  (0.02000 Enlarged)", "Internal Helical Gear Data  (0.02000 Enlarged)"},
        {2, -0.02f, "-0.02000", "Internal Gear Data  (-0.02000 Reduced)", "Internal Helical Gear Data  (-0.02000 Reduced)"},
    };
    FillResults();
    gear.InputFeature = kCB;
    for (const TitleCase& c : cases) {
        gear.GearType = static_cast<int16_t>(c.gearType);
        gear.ODChange = c.odChange;
        texts.odChange = c.field;
        EXPECT_EQ(MeasurementContent(gear, texts, PageKind::Spur).title, c.spur);
        EXPECT_EQ(DimensionsContent(gear, texts, PageKind::Spur).title, c.spur);
        EXPECT_EQ(MeasurementContent(gear, texts, PageKind::Helical).title, c.helical);
        EXPECT_EQ(DimensionsContent(gear, texts, PageKind::Helical).title, c.helical);
    }
}

TEST_F(MeasurementContentTest, CaptionsOfThePages) {
    FillResults();
    gear.InputFeature = kCTT;
    for (PageKind kind : {PageKind::Spur, PageKind::Helical}) {
        EXPECT_EQ(MeasurementContent(gear, texts, kind).caption, "Calculated gear data page 1");
        EXPECT_EQ(DimensionsContent(gear, texts, kind).caption, "Calculated gear data page 2");
    }
    PageContent tolerances = ToleranceContent(gear, "0.00000");
    EXPECT_EQ(tolerances.caption, "AGMA Tolerances");
    EXPECT_EQ(tolerances.title, "AGMA 2000-A88 Gear Accuracy Tolerances");
}

TEST_F(MeasurementContentTest, SpanCaptionCountsTheTeethSpanned) {
    FillResults();
    Case(kCTT, 1, 1);
    for (auto [teeth, caption] : {std::pair{3.0f, "Span Meas. Over (3) Teeth"}, {12.0f, "Span Meas. Over (12) Teeth"}}) {
        gear.TeethSpanned = teeth;
        EXPECT_EQ(MeasurementContent(gear, texts, PageKind::Spur).rows[10].caption, caption);
    }
}

// A calculation without a K factor (a measured span, or a pin that misses the
// basic tooth) leaves 0: the row says it is not available, wherever it stands.
TEST_F(MeasurementContentTest, AKFactorOf0IsShownAsNotAvailable) {
    struct Calculated {
        std::string feature;
        int mode, gearType;
    };
    const Calculated cases[] = {{kCTT, 1, 1}, {kCSW, 1, 2}, {kCB, 1, 2}, {kSpanMeasurement, 2, 1}, {kDBP, 2, 2}};
    FillResults();
    for (const Calculated& c : cases) {
        Case(c.feature, c.mode, c.gearType);
        for (PageKind kind : {PageKind::Spur, PageKind::Helical}) {
            for (auto [kFactor, shown] : {std::pair{0.0f, "N/A"}, {1.234564f, "1.23456"}}) {
                gear.KFactor = kFactor;
                const PageContent page = MeasurementContent(gear, texts, kind);
                int rows = 0;
                for (const PageRow& row : page.rows) {
                    if (row.quantity != Quantity::KFactor || !row.visible) continue;
                    ++rows;
                    EXPECT_EQ(row.caption, "K Factor");
                    EXPECT_EQ(row.value, shown) << c.feature << ", type " << c.gearType;
                }
                EXPECT_EQ(rows, 1) << c.feature << ", type " << c.gearType;
            }
        }
    }
}

TEST_F(MeasurementContentTest, WithoutAnInputFeatureTheChosenRowsStayEmpty) {
    FillResults();
    Case("", 1, 1);
    PageContent page = MeasurementContent(gear, texts, PageKind::Spur);
    for (int row = 5; row <= 11; ++row) {
        EXPECT_EQ(page.rows[row - 1].caption + page.rows[row - 1].value, "") << row;
        EXPECT_EQ(page.rows[row - 1].quantity, Quantity::None) << row;
    }
    EXPECT_EQ(page.rows[11].value, vKF);
}

TEST_F(MeasurementContentTest, ShowingPage1TakesGearType0AsExternalAndGivesAnInternalGearItsInsideDiameter) {
    gear.GearType = 0;
    gear.OutsideDiameter = 2.6f;
    gear.InsideDiameter = 2.2f;
    WritePageOneState(gear, PageKind::Spur);
    EXPECT_EQ(gear.GearType, 1);
    EXPECT_EQ(gear.OutsideDiameter, 2.6f);
    EXPECT_EQ(DimensionsContent(gear, texts, PageKind::Spur).rows[4].caption, "Outside Diameter");

    for (PageKind kind : {PageKind::Spur, PageKind::Helical}) {
        gear.GearType = 2;
        gear.OutsideDiameter = 2.6f;
        WritePageOneState(gear, kind);
        EXPECT_EQ(gear.OutsideDiameter, gear.InsideDiameter);
        const PageRow row = DimensionsContent(gear, texts, kind).rows[4];
        EXPECT_EQ(row.caption + ": " + row.value, "Inside Diameter: 2.20000");
        EXPECT_EQ(row.quantity, Quantity::OutsideOrInsideDiameter);
    }
}

TEST_F(MeasurementContentTest, TransverseTextsPutTheSmallerValueFirst) {
    FillResults();
    Case(kCB, 1, 1);
    gear.HelixAngle = 30;
    gear.Thick1 = 0.25f;
    gear.Thick2 = 0.245f;
    gear.Backlash1 = 0.004f;
    WritePageOneState(gear, PageKind::Helical);
    // 0.245 / cos 30 = 0.282902, 0.25 / cos 30 = 0.288675.
    EXPECT_EQ(gear.TransThickText, "0.282902 / 0.288675");
    PageContent page = MeasurementContent(gear, texts, PageKind::Helical);
    EXPECT_EQ(page.rows[4].transverse, "0.282902 / 0.288675");
    EXPECT_EQ(page.rows[8].transverse, "0.004619");  // the backlash beside row 9

    gear.Thick2 = 0;
    Case(kCTT, 3, 1);
    WritePageOneState(gear, PageKind::Helical);
    EXPECT_EQ(gear.TransThickText, "0.288675");
    page = MeasurementContent(gear, texts, PageKind::Helical);
    EXPECT_EQ(page.rows[8].transverse + page.rows[9].transverse, "");

    // The spur page builds no transverse texts.
    gear.TransThickText = "left alone";
    WritePageOneState(gear, PageKind::Spur);
    EXPECT_EQ(gear.TransThickText, "left alone");
}

TEST_F(MeasurementContentTest, BallAdviceIsGivenOnceAfterEachHintUpdate) {
    const gearmain::Notice oddTeeth{"Odd tooth helical gears should be measured using balls\r"
                                    "or measured from the center of the gear over one pin.",
                                    MsgIcon::Information, MsgButtons::OK, gearmain::Field::None};
    const gearmain::Notice internal{"Use balls for measuring internal helical gears", MsgIcon::Information,
                                    MsgButtons::OK, gearmain::Field::None};
    auto same = [](const std::vector<gearmain::Notice>& a, const std::vector<gearmain::Notice>& b) {
        if (a.size() != b.size()) return false;
        for (size_t i = 0; i < a.size(); ++i)
            if (a[i].text != b[i].text || a[i].icon != b[i].icon || a[i].buttons != b[i].buttons ||
                a[i].focus != b[i].focus)
                return false;
        return true;
    };
    struct AdviceCase {
        int gearType;
        float teeth;
        std::vector<gearmain::Notice> advice;
    };
    const std::vector<AdviceCase> cases = {
        {1, 25, {oddTeeth}}, {1, 24, {}}, {2, 24, {internal}}, {2, 25, {internal}}, {1, 7, {oddTeeth}}};
    for (const AdviceCase& c : cases) {
        gear.GearType = static_cast<int16_t>(c.gearType);
        gear.NumTeeth = c.teeth;
        gear.HintsChanged = -1;  // the input screen ran its hints
        EXPECT_TRUE(same(HelicalAdvice(gear), c.advice)) << c.gearType << ", " << c.teeth;
        EXPECT_EQ(gear.HintsChanged, 0);
        EXPECT_TRUE(HelicalAdvice(gear).empty()) << "not again before the next hint update";
    }
}

TEST(PageKindOfGear, HelixAngleAbove0MakesTheHelicalPages) {
    gearmain::GearMain gear;
    EXPECT_EQ(PageKindOf(gear), PageKind::Spur);
    gear.HelixAngle = 15;
    EXPECT_EQ(PageKindOf(gear), PageKind::Helical);
    gear.HelixAngle = -1;
    EXPECT_EQ(PageKindOf(gear), PageKind::Spur);
}

}  // namespace
}  // namespace involvo::testing
