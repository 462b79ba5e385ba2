// Measuring aids: the pins that raise no pin-contact warning, the pins that
// stand proud, the spans, and the chordal addendum, for the gear of the last
// calculation.
#include <gmock/gmock.h>

#include <algorithm>
#include <vector>

#include "driver_fixture.h"
#include "engine/measuring_aids.h"
#include "engine/messages.h"

using namespace gearmain;
using enginetest::BasicThickness;

namespace {

struct AidsCase {
    const char* name;
    int16_t type;
    float teeth, pitch, pa, helix;
    const char* feature;
    const char* value;  // the thickness or space width, or a band "a / b"
    float odChange = 0, thickChange = 0;
    int16_t depthSystem = 0;
    const char* cutterDepth = "";
};

class Aids : public enginetest::DriverTest {
protected:
    // A calculation of the dimension over or between pins, as the screen
    // leaves the state for it.
    void Calculate(const AidsCase& c, float pin) {
        gear = GearMain();
        gear.StartUp();
        Gear(1, c.type, c.teeth, c.pitch, c.pa, c.helix);
        gear.ODChange = gear.ODChangeCopy = c.odChange;
        gear.ThickChangeTrans = gear.ThickChangeNormal = c.thickChange;
        gear.DepthSystem = c.depthSystem;
        gear.CutterDepthText = c.cutterDepth;
        Feature(c.feature, c.value);
        Pin(pin);
        Run();
    }

    float StandardPin(const AidsCase& c) const { return (c.type == 1 ? 1.728f : 1.44f) / c.pitch; }

    std::vector<std::string> Warnings() const {
        std::vector<std::string> texts;
        for (const Notice& w : report.pinWarnings) texts.push_back(w.text);
        return texts;
    }
};

// ---- Numbers worked from the formulas ----
//
// 24 teeth, pitch 10, 20 degrees, basic thickness pi/20: D = 2.4, Db = 2.255262,
// O.D. 2.6, root 2.15. With inv(phi) = d/Db + t/D + inv 20 - pi/24 for the pin
// centre, the pin's innermost point (D2 - d)/2 reaches the root radius 1.075 at
// d = 0.114555; the contact diameter Db / cos(atan(tan phi - d/Db)) reaches the
// O.D. at d = 0.330658; the radial dimension (D2 + d)/2 passes 1.3 at
// d = 0.161522.
TEST_F(Aids, PinsOfTheBasicSpurGearAreThoseWorkedFromTheFormulas) {
    const AidsCase c{"", 1, 24, 10, 20, 0, "Circular Tooth Thickness", "0.157080"};
    Calculate(c, 0.1728f);
    ASSERT_EQ(gear.CalcFailed, 0);
    const MeasuringAids aids = MeasuringAidsOf(gear);
    ASSERT_TRUE(aids.pins);
    EXPECT_NEAR(aids.pins->smallest, 0.1146, 1e-9);
    EXPECT_NEAR(aids.pins->largest, 0.3306, 1e-9);
    ASSERT_TRUE(aids.proudFrom);
    EXPECT_NEAR(*aids.proudFrom, 0.1616, 1e-9);
    EXPECT_FALSE(aids.PinOutside());

    const MeasuringAidsTexts texts = TextsOf(aids);
    EXPECT_EQ(texts.pinSmallest, "0.1146");
    EXPECT_EQ(texts.pinLargest, "0.3306");
    EXPECT_EQ(texts.pinProudFrom, "0.1616");
}

// 60 teeth internal, pitch 10, 20 degrees, basic space width pi/20: D = 6,
// Db = 5.638156, I.D. 5.8, root 6.25. With inv(phi) = s/D + inv 20 - d/Db, the
// pin's outermost point (D2 + d)/2 reaches the root radius 3.125 at
// d = 0.086353; the contact diameter Db / cos(atan(tan phi + d/Db)) comes down
// to the I.D. at d = 0.216306; the near side (D2 - d)/2 passes inside 2.9 at
// d = 0.160706.
TEST_F(Aids, PinsOfTheBasicInternalGearAreThoseWorkedFromTheFormulas) {
    const AidsCase c{"", 2, 60, 10, 20, 0, "Circular Space Width", "0.157080"};
    Calculate(c, 0.144f);
    ASSERT_EQ(gear.CalcFailed, 0);
    const MeasuringAids aids = MeasuringAidsOf(gear);
    ASSERT_TRUE(aids.pins);
    EXPECT_NEAR(aids.pins->smallest, 0.0864, 1e-9);
    EXPECT_NEAR(aids.pins->largest, 0.2163, 1e-9);
    ASSERT_TRUE(aids.proudFrom);
    EXPECT_NEAR(*aids.proudFrom, 0.1608, 1e-9);
    EXPECT_FALSE(aids.span);  // no span on an internal gear
    EXPECT_FALSE(aids.SpanOutside());
    // The calculation measures the chordal addendum from an outside diameter.
    EXPECT_FALSE(aids.HasChordalAddendum());
    EXPECT_EQ(TextsOf(aids).chordalAddendum, "");
}

// ---- The limits against the checks of a real calculation ----

class PinLimits : public Aids, public ::testing::WithParamInterface<AidsCase> {};

TEST_P(PinLimits, JustInsideEachLimitNoWarningJustOutsideTheWarning) {
    const AidsCase& c = GetParam();
    Calculate(c, StandardPin(c));
    ASSERT_EQ(gear.CalcFailed, 0);
    const MeasuringAids aids = MeasuringAidsOf(gear);
    ASSERT_TRUE(aids.pins) << "no pin works";
    ASSERT_LT(aids.pins->smallest, aids.pins->largest);
    const bool external = c.type == 1;
    const char* tooSmall = external ? msg::kPinTooSmallExternal : msg::kPinTooSmallInternal;
    const char* tooLarge = external ? msg::kPinTooLargeOD : msg::kPinTooLargeID;

    for (double pin : {aids.pins->smallest, aids.pins->largest, (aids.pins->smallest + aids.pins->largest) / 2}) {
        Calculate(c, static_cast<float>(pin));
        EXPECT_EQ(gear.CalcFailed, 0) << pin;
        EXPECT_THAT(Warnings(), ::testing::IsEmpty()) << pin;
    }
    // Below the smallest the pin touches the root, or cannot reach the flanks.
    Calculate(c, static_cast<float>(aids.pins->smallest - 0.0001));
    if (gear.CalcFailed != -1) {
        EXPECT_THAT(Warnings(), ::testing::Contains(tooSmall));
    }
    Calculate(c, static_cast<float>(aids.pins->largest + 0.0001));
    if (gear.CalcFailed != -1) {
        EXPECT_THAT(Warnings(), ::testing::Contains(tooLarge));
    }
}

// The check of a pin says what a calculation with that pin warns about, pin
// by pin from far too small to far too large, at the thickness of the first
// end: whether the pin reaches the flanks, touches the tip, touches the root.
TEST_P(PinLimits, ThePinCheckSaysWhatTheCalculationWithThePinWarns) {
    const AidsCase& c = GetParam();
    Calculate(c, StandardPin(c));
    ASSERT_EQ(gear.CalcFailed, 0);
    const float thickness = gear.Thick1;
    const PinCheck check = PinCheckOf(gear, thickness);
    // Calculations of the first end alone.
    const std::string first = Format(thickness, "0.000000");
    AidsCase single = c;
    single.value = first.c_str();
    const bool external = c.type == 1;
    const char* tooSmall = external ? msg::kPinTooSmallExternal : msg::kPinTooSmallInternal;
    const char* tooLarge = external ? msg::kPinTooLargeOD : msg::kPinTooLargeID;
    const float standard = StandardPin(c);
    for (float pin = standard / 8; pin < standard * 4; pin *= 1.07f) {
        SCOPED_TRACE(pin);
        const PinVerdict verdict = check(pin);
        Calculate(single, pin);
        EXPECT_EQ(verdict.measured, gear.CalcFailed != -1);
        if (!verdict.measured) continue;
        const std::vector<std::string> warnings = Warnings();
        EXPECT_EQ(verdict.tooSmall, std::find(warnings.begin(), warnings.end(), tooSmall) != warnings.end());
        EXPECT_EQ(verdict.tooLarge, std::find(warnings.begin(), warnings.end(), tooLarge) != warnings.end());
    }
}

// A pin stands proud of an external gear when its radial dimension passes
// half the outside diameter, of an internal one when its near side (the radial
// dimension between pins) lies inside half the inside diameter; for a band, at
// both ends.
TEST_P(PinLimits, ProudFromIsWhereTheRadialDimensionPassesTheTip) {
    const AidsCase& c = GetParam();
    Calculate(c, StandardPin(c));
    const MeasuringAids aids = MeasuringAidsOf(gear);
    ASSERT_TRUE(aids.proudFrom);
    const bool external = c.type == 1;
    // The radial dimension the page shows nearest the tip: the smaller of a
    // band over an external gear, the larger in an internal one.
    auto nearestTip = [&] {
        const std::string& text = gear.RadialText;
        return external ? Val(text) : Val(text.substr(text.rfind(' ') + 1));
    };

    Calculate(c, static_cast<float>(*aids.proudFrom));
    const double half = (external ? gear.OutsideDiameter : gear.InsideDiameter) / 2.0;
    if (external) {
        EXPECT_GT(nearestTip(), half);
    } else {
        EXPECT_LT(nearestTip(), half);
    }

    Calculate(c, static_cast<float>(*aids.proudFrom - 0.0001));
    if (external) {
        EXPECT_LE(nearestTip(), half);
    } else {
        EXPECT_GE(nearestTip(), half);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, PinLimits,
    ::testing::Values(
        AidsCase{"ExternalEven", 1, 24, 10, 20, 0, "Circular Tooth Thickness", "0.157080"},
        AidsCase{"ExternalOdd", 1, 25, 10, 20, 0, "Circular Tooth Thickness", "0.155000"},
        AidsCase{"ExternalFewTeeth", 1, 9, 8, 25, 0, "Circular Tooth Thickness", "0.196350"},
        AidsCase{"ExternalFine", 1, 40, 20, 14.5f, 0, "Circular Tooth Thickness", "0.078540"},
        AidsCase{"HelicalOddBalls", 1, 25, 10, 20, 30, "Circular Tooth Thickness", "0.157080"},
        AidsCase{"HelicalEven", 1, 32, 12, 20, 15, "Circular Tooth Thickness", "0.130900"},
        AidsCase{"EnlargedOD", 1, 24, 10, 20, 0, "Circular Tooth Thickness", "0.164359", 0.02f, 0.0072794f},
        AidsCase{"ExternalBand", 1, 24, 10, 20, 0, "Circular Tooth Thickness", "0.155 / 0.153"},
        AidsCase{"InternalEven", 2, 60, 10, 20, 0, "Circular Space Width", "0.157080"},
        AidsCase{"InternalOdd", 2, 61, 10, 20, 0, "Circular Space Width", "0.159000"},
        AidsCase{"InternalHelical", 2, 48, 10, 20, 20, "Circular Space Width", "0.157080"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Aids, ABandTakesThePinsThatWorkAtBothEnds) {
    const AidsCase c{"", 1, 24, 10, 20, 0, "Circular Tooth Thickness", "0.155 / 0.145"};
    Calculate(c, 0.1728f);
    const MeasuringAids aids = MeasuringAidsOf(gear);
    ASSERT_EQ(aids.ends.size(), 2u);
    ASSERT_TRUE(aids.ends[0].pins && aids.ends[1].pins && aids.pins);
    EXPECT_FLOAT_EQ(aids.ends[0].thickness, 0.155f);
    EXPECT_FLOAT_EQ(aids.ends[1].thickness, 0.145f);
    // The thinner tooth lets the pin sink deeper: it needs the larger pins.
    EXPECT_GT(aids.ends[1].pins->smallest, aids.ends[0].pins->smallest);
    EXPECT_EQ(aids.pins->smallest, std::max(aids.ends[0].pins->smallest, aids.ends[1].pins->smallest));
    EXPECT_EQ(aids.pins->largest, std::min(aids.ends[0].pins->largest, aids.ends[1].pins->largest));
    EXPECT_EQ(*aids.proudFrom, std::max(*aids.ends[0].proudFrom, *aids.ends[1].proudFrom));
}

// A whole depth of 0.06 on pitch 10 puts the root so high (radius 1.24) that a
// pin deep enough to stay off the root touches the O.D. instead.
TEST_F(Aids, NoPinWorksOnAShallowRoot) {
    const AidsCase c{"", 1, 24, 10, 20, 0, "Circular Tooth Thickness", "0.157080", 0, 0, 9, "0.06"};
    Calculate(c, 0.1728f);
    ASSERT_EQ(gear.CalcFailed, 0);
    ASSERT_NEAR(gear.RootDiameter, 2.48, 1e-6);
    const MeasuringAids aids = MeasuringAidsOf(gear);
    EXPECT_FALSE(aids.pins);
    EXPECT_TRUE(aids.PinOutside());
    EXPECT_EQ(TextsOf(aids).pinSmallest, "");
    EXPECT_EQ(TextsOf(aids).pinLargest, "");
}

TEST_F(Aids, AChosenPinOutsideTheRangeIsMarked) {
    const AidsCase c{"", 1, 24, 10, 20, 0, "Circular Tooth Thickness", "0.157080"};
    Calculate(c, 0.35f);
    const MeasuringAids aids = MeasuringAidsOf(gear);
    EXPECT_FLOAT_EQ(aids.pin, 0.35f);
    EXPECT_TRUE(aids.PinOutside());
    Calculate(c, 0.3306f);
    EXPECT_FALSE(MeasuringAidsOf(gear).PinOutside());
}

TEST_F(Aids, TheLastCalculationIsLeftAsItWas) {
    const AidsCase c{"", 1, 25, 10, 20, 30, "Circular Tooth Thickness", "0.150 / 0.152"};
    Calculate(c, 0.1728f);
    GearMain before = gear;
    MeasuringAidsOf(gear);
    EXPECT_EQ(gear.MeasureText, before.MeasureText);
    EXPECT_EQ(gear.RadialText, before.RadialText);
    EXPECT_EQ(gear.PinContactDiameter, before.PinContactDiameter);
    EXPECT_EQ(gear.PitchDiameter, before.PitchDiameter);
    EXPECT_EQ(gear.BaseDiameter, before.BaseDiameter);
    EXPECT_EQ(gear.TeethSpanned, before.TeethSpanned);
    EXPECT_EQ(gear.PinDiameter, before.PinDiameter);
    EXPECT_EQ(gear.Thick2, before.Thick2);
    EXPECT_EQ(gear.CalcMode, before.CalcMode);
    EXPECT_EQ(gear.InputFeature, before.InputFeature);
    EXPECT_FALSE(gear.TakeFault());  // the probes leave no fault behind
}

// The chordal addendum of the aids is the calculation's, counted with the
// O.D. change once: (2.62 - 2.4 cos(0.164359 / 2.4)) / 2.
TEST_F(Aids, ChordalAddendumComesWithTheChordalThickness) {
    const AidsCase c{"", 1, 24, 10, 20, 0, "Circular Tooth Thickness", "0.164359", 0.02f, 0.0072794f};
    Calculate(c, 0.1728f);
    const MeasuringAids aids = MeasuringAidsOf(gear);
    ASSERT_TRUE(aids.HasChordalAddendum());
    EXPECT_NEAR(*aids.ends[0].chordalAddendum, 0.1128128, 4e-7);
    EXPECT_EQ(TextsOf(aids).chordalAddendum, "0.112813");
}

// For a band, each end has its own: (2.6 - 2.4 cos(t / 2.4)) / 2 is 0.1024376
// for t = 0.153 and 0.1025017 for t = 0.155, the thinner tooth first.
TEST_F(Aids, ChordalAddendumOfABandIsGivenForBothEnds) {
    const AidsCase c{"", 1, 24, 10, 20, 0, "Circular Tooth Thickness", "0.155 / 0.153"};
    Calculate(c, 0.1728f);
    const MeasuringAids aids = MeasuringAidsOf(gear);
    ASSERT_EQ(aids.ends.size(), 2u);
    ASSERT_TRUE(aids.ends[0].chordalAddendum && aids.ends[1].chordalAddendum);
    EXPECT_NEAR(*aids.ends[0].chordalAddendum, 0.1025017, 4e-7);
    EXPECT_NEAR(*aids.ends[1].chordalAddendum, 0.1024376, 4e-7);
    EXPECT_EQ(TextsOf(aids).chordalAddendum, "0.102438 / 0.102502");
}

// ---- The search alone, against a check whose limits are known ----

TEST(WorkingPins, FindsTheLimitsOfAnyCheckToFourDecimals) {
    struct Range {
        double small, large;
    };
    for (Range r : {Range{0.05, 0.2}, Range{0.12345, 0.12351}, Range{0.0001, 0.3}, Range{1.5, 4.25}}) {
        PinCheck check = [r](float pin) {
            PinVerdict v;
            v.measured = true;
            v.tooSmall = pin < static_cast<float>(r.small);
            v.tooLarge = pin > static_cast<float>(r.large);
            return v;
        };
        const std::optional<PinRange> found = WorkingPins(check, {0.1728});
        ASSERT_TRUE(found) << r.small;
        EXPECT_NEAR(found->smallest, std::ceil(r.small * 10000 - 1e-6) / 10000, 1e-12) << r.small;
        EXPECT_NEAR(found->largest, std::floor(r.large * 10000 + 1e-6) / 10000, 1e-12) << r.large;
    }
}

TEST(WorkingPins, ARangeNarrowerThanTheFourthDecimalIsNoPin) {
    PinCheck check = [](float pin) {
        PinVerdict v;
        v.measured = true;
        v.tooSmall = pin < 0.12341f;
        v.tooLarge = pin > 0.12348f;
        return v;
    };
    EXPECT_FALSE(WorkingPins(check, {0.1}));
}

TEST(WorkingPins, PinsTheInvoluteRoutineCannotPlaceDoNotWork) {
    PinCheck check = [](float pin) {
        PinVerdict v;
        v.measured = pin > 0.08f && pin < 0.25f;
        return v;
    };
    const std::optional<PinRange> found = WorkingPins(check, {0.3, 0.01});
    ASSERT_TRUE(found);
    EXPECT_NEAR(found->smallest, 0.0801, 1e-12);
    EXPECT_NEAR(found->largest, 0.2499, 1e-12);
}

}  // namespace
