// The AGMA 2000-A88 tolerances of a calculated gear.
//
// Raw values were worked out with Python from the formulas (runout 58 NT^0.238
// P^-0.722 1.4^(8-Q), pitch variation 10.5 NT^0.177 P^-0.401 1.42^(8-Q), profile
// 21.5 NT^0.154 P^-0.589 1.4^(8-Q), lead L(Q) F^0.72, the composites by NT), then
// rounded by the program's rule: five, four or three decimals, the last digit
// raised from a remainder of 0.3 of a unit; 0.00004 at least.
#include "driver_fixture.h"

using namespace gearmain;
using enginetest::BasicThickness;

namespace {

struct ToleranceCase {
    const char* name;
    int16_t quality;
    float teeth, pitch, helix;
    const char* faceWidth;
    double runout, pitchVar, profile, lead, toothToTooth, totalComposite;
};

class Tolerances : public enginetest::DriverTest, public ::testing::WithParamInterface<ToleranceCase> {};

TEST_P(Tolerances, ByQualityTeethPitchAndFaceWidth) {
    const ToleranceCase& c = GetParam();
    Gear(1, 1, c.teeth, c.pitch, 20, c.helix);
    Feature("Circular Tooth Thickness", "0.1");
    gear.Thick1 = BasicThickness(c.pitch);
    Pin(1.728f / c.pitch);
    gear.QualityNumber = c.quality;
    FaceWidth(c.faceWidth);
    Run();
    ASSERT_EQ(gear.CalcFailed, 0);
    EXPECT_FLOAT_EQ(gear.TolRunout, static_cast<float>(c.runout));
    EXPECT_FLOAT_EQ(gear.TolPitchVar, static_cast<float>(c.pitchVar));
    EXPECT_FLOAT_EQ(gear.TolProfile, static_cast<float>(c.profile));
    EXPECT_FLOAT_EQ(gear.TolLead, static_cast<float>(c.lead));
    EXPECT_FLOAT_EQ(gear.TolToothToTooth, static_cast<float>(c.toothToTooth));
    EXPECT_FLOAT_EQ(gear.TolTotalComposite, static_cast<float>(c.totalComposite));
}

INSTANTIATE_TEST_SUITE_P(
    Gears, Tolerances,
    ::testing::Values(
        // raw 0.0011958, 0.0003630, 0.0004610, 0.0003236, 0.0007592, 0.0019366
        ToleranceCase{"Quality10", 10, 24, 10, 0, "1.00000", 0.0012, 0.00037, 0.00046, 0.00033, 0.00076, 0.002},
        ToleranceCase{"FaceWidth12LosesOnlyTheLead", 10, 24, 10, 0, "12.00000", 0.0012, 0.00037, 0.00046, 0, 0.00076,
                      0.002},
        // Q 5: only the runout (0.0092999) at pitch 8 or coarser
        ToleranceCase{"Quality5CoarsePitch", 5, 24, 6, 0, "1.00000", 0.0093, 0, 0, 0, 0, 0},
        ToleranceCase{"Quality5Pitch10", 5, 24, 10, 0, "1.00000", 0, 0, 0, 0, 0, 0},
        ToleranceCase{"Quality5Pitch12HasComposites", 5, 24, 12, 0, "1.00000", 0, 0, 0, 0, 0.0039, 0.0095},
        // Q 15 below pitch 20: no composites
        ToleranceCase{"Quality15Pitch10", 15, 24, 10, 0, "1.00000", 0.00022, 0.00006, 0.00009, 0.0001, 0, 0},
        ToleranceCase{"Quality15Pitch20", 15, 24, 20, 0, "1.00000", 0.00014, 0.00005, 0.00006, 0.0001, 0.00012,
                      0.00026},
        ToleranceCase{"Quality15Pitch24", 15, 24, 24, 0, "1.00000", 0, 0, 0, 0, 0.00012, 0.00024},
        ToleranceCase{"FiveTeeth", 10, 5, 10, 0, "1.00000", 0, 0, 0, 0, 0, 0},
        // NT = 20 / cos 30 = 23.09: composites 38.2 NT^-0.13 P^-0.23 B (0.0007630)
        // and 14.5 ((NT/P)^0.24)^c3 B (0.0019240)
        ToleranceCase{"Helical30With20Teeth", 10, 20, 10, 30, "1.00000", 0.0012, 0.00036, 0.00046, 0.00033, 0.00077,
                      0.0019},
        ToleranceCase{"EighteenTeeth", 10, 18, 10, 0, "1.00000", 0.0011, 0.00035, 0.00044, 0.00033, 0.0008, 0.002},
        // NT <= 20.2 and P >= 20: the total composite less 0.075 (20/P - D)(20 - P):
        // 0.0008150 without that term, 0.0008872 with it
        ToleranceCase{"FineSmallGear", 10, 6, 64, 0, "1.00000", 0, 0, 0, 0, 0.00067, 0.00089},
        // the rounding examples: lead 1.02995 F^0.72 at Q 15, 4.90088 F^0.72 at Q 8
        ToleranceCase{"Lead0001235RoundsUp", 15, 24, 10, 0, "1.28681", 0.00022, 0.00006, 0.00009, 0.00013, 0, 0},
        ToleranceCase{"Lead0001220RoundsDown", 15, 24, 10, 0, "1.26516", 0.00022, 0.00006, 0.00009, 0.00012, 0, 0},
        ToleranceCase{"Lead000125RoundsUp", 8, 24, 10, 0, "3.67090", 0.0024, 0.00073, 0.00091, 0.0013, 0.0015, 0.0038},
        ToleranceCase{"Lead000122RoundsDown", 8, 24, 10, 0, "3.54911", 0.0024, 0.00073, 0.00091, 0.0012, 0.0015,
                      0.0038},
        // runout 0.0374000 and 0.0371003 at Q 3, 18 teeth
        ToleranceCase{"Runout0374RoundsUp", 3, 18, 2.0167f, 0, "1.00000", 0.038, 0, 0, 0, 0, 0},
        ToleranceCase{"Runout0371RoundsDown", 3, 18, 2.0393f, 0, "1.00000", 0.037, 0, 0, 0, 0, 0},
        // pitch variation 0.0000373 is raised to 0.00004
        ToleranceCase{"SmallestIsFourHundredThousandths", 15, 6, 20, 0, "1.00000", 0.0001, 0.00004, 0.00005, 0.0001,
                      0.00017, 0.00026}),
    [](const auto& info) { return std::string(info.param.name); });

class NoQuality : public enginetest::DriverTest {};

TEST_F(NoQuality, KeepsTheTolerancesOfAnEarlierCalculation) {
    Gear(1, 1, 24, 10, 20);
    Feature("Circular Tooth Thickness", "0.157080");
    Pin(0.1728f);
    gear.QualityNumber = 10;
    Run();
    EXPECT_FLOAT_EQ(gear.TolRunout, 0.0012f);
    gear.QualityNumber = 0;
    gear.NumTeeth = 5;  // would give 0 everywhere
    Run();
    EXPECT_FLOAT_EQ(gear.TolRunout, 0.0012f);
    EXPECT_FLOAT_EQ(gear.TolTotalComposite, 0.002f);
}

}  // namespace
