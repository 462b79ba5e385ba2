// Measuring aids: the pins that raise no pin-contact warning, the pins that
// stand proud, the spans and the chordal addendum of the last calculation; the
// search against checks whose limits are known, and against the warnings of
// real calculations with the pins it names.
#include <gmock/gmock.h>

#include <algorithm>

#include "driver_fixture.h"
#include "engine/measuring_aids.h"

using namespace gearmain;
using ::testing::HasSubstr;

namespace {

struct AidsCase {
    const char* name;
    int16_t type;
    float teeth, pitch, pa, helix;
    const char* value;  // the thickness or space width, or a band "a / b"
    float odChange = 0, thickChange = 0;
    int16_t depthSystem = 0;
    const char* cutterDepth = "";
};

class Aids : public enginetest::DriverTest {
protected:
    // A calculation over or between pins, as the screen leaves the state for it.
    void Calculate(const AidsCase& c, float pin) {
        gear = GearMain();
        gear.StartUp();
        Gear(1, c.type, c.teeth, c.pitch, c.pa, c.helix);
        gear.ODChange = gear.ODChangeCopy = c.odChange, gear.ThickChangeTrans = gear.ThickChangeNormal = c.thickChange;
        gear.DepthSystem = c.depthSystem, gear.CutterDepthText = c.cutterDepth;
        Feature(c.type == 1 ? "Circular Tooth Thickness" : "Circular Space Width", c.value);
        Pin(pin);
        Run();
    }
    static float StandardPin(const AidsCase& c) { return (c.type == 1 ? 1.728f : 1.44f) / c.pitch; }
    // Which warnings the last run gave: too small (the root), too large (the tip).
    bool Warned(const char* word) const {
        return std::any_of(report.pinWarnings.begin(), report.pinWarnings.end(),
                           [&](const Notice& n) { return n.text.find(word) != std::string::npos; });
    }
};

// 24 teeth at pi/20 (D 2.4, Db 2.255262, O.D. 2.6, root 2.15): with inv(phi) = d/Db + t/D + inv 20 - pi/24,
// the pin's innermost point (D2 - d)/2 reaches the root radius at d = 0.114555, the contact diameter
// Db / cos(atan(tan phi - d/Db)) reaches the O.D. at d = 0.330658, the radial dimension (D2 + d)/2
// passes 1.3 at d = 0.161522. 60 internal teeth at pi/20 (D 6, Db 5.638156, I.D. 5.8, root 6.25): with
// inv(phi) = s/D + inv 20 - d/Db, the outermost point (D2 + d)/2 reaches 3.125 at d = 0.086353, the contact
// diameter comes down to the I.D. at d = 0.216306, the near side (D2 - d)/2 passes 2.9 at d = 0.160706.
TEST_F(Aids, PinsOfTheBasicGearsAreThoseWorkedFromTheFormulas) {
    Calculate({"", 1, 24, 10, 20, 0, "0.157080"}, 0.1728f);
    MeasuringAids aids = MeasuringAidsOf(gear);
    MeasuringAidsTexts texts = TextsOf(aids);
    EXPECT_EQ(texts.pinSmallest, "0.1146");
    EXPECT_EQ(texts.pinLargest, "0.3306");
    EXPECT_EQ(texts.pinProudFrom, "0.1616");
    EXPECT_FALSE(aids.internal || aids.PinOutside() || aids.SpanOutside());
    // the contact 2 sqrt((W/2)^2 + rb^2) over k teeth, W = (k - 1) pi/10 cos 20 + (inv 20 + t/2.4) Db:
    // 2.26253 over 1 tooth (above the O.D. less twice the working depth, 2.18142), 2.49487 over the
    // 4 of the calculation, 2.63466 over 5 (beyond the O.D.)
    EXPECT_EQ(texts.spanFewest, "1");
    EXPECT_EQ(texts.spanMost, "4");
    EXPECT_EQ(texts.spanContact, "2.49487");
    EXPECT_EQ(texts.chordalAddendum, "0.102569");  // (2.6 - 2.4 cos(t / 2.4)) / 2

    // 60 teeth: 4 to 8 teeth (5.74779 over 4 below the root limit 5.78142, 6.20598 over 9 beyond 6.2)
    Calculate({"", 1, 60, 10, 20, 0, "0.157080"}, 0.1728f);
    texts = TextsOf(MeasuringAidsOf(gear));
    EXPECT_EQ(texts.spanFewest + " " + texts.spanMost + " " + texts.spanContact, "4 8 6.08853");

    // An O.D. beyond every span over as many teeth as the gear has: no count is too many, most is 0.
    gear.OutsideDiameter = 100;
    EXPECT_EQ(SpanLimitsOf(gear, 0.15708f)->most, 0);

    Calculate({"", 2, 60, 10, 20, 0, "0.157080"}, 0.144f);
    aids = MeasuringAidsOf(gear);
    texts = TextsOf(aids);
    EXPECT_EQ(texts.pinSmallest, "0.0864");
    EXPECT_EQ(texts.pinLargest, "0.2163");
    EXPECT_EQ(texts.pinProudFrom, "0.1608");
    EXPECT_TRUE(aids.internal);
    // no span and no chordal addendum for an internal gear (measured from an outside diameter)
    EXPECT_FALSE(aids.span || aids.SpanOutside() || aids.HasChordalAddendum());
    EXPECT_EQ(texts.spanFewest + texts.spanContact + texts.chordalAddendum, "");
}

class PinLimits : public Aids, public ::testing::WithParamInterface<AidsCase> {};

// Just inside each limit a calculation gives no warning, just outside it the warning.
TEST_P(PinLimits, JustInsideEachLimitNoWarningJustOutsideTheWarning) {
    const AidsCase& c = GetParam();
    Calculate(c, StandardPin(c));
    const PinRange pins = MeasuringAidsOf(gear).pins.value();
    ASSERT_LT(pins.smallest, pins.largest);
    for (double pin : {pins.smallest, pins.largest, (pins.smallest + pins.largest) / 2}) {
        Calculate(c, static_cast<float>(pin));
        EXPECT_EQ(gear.CalcFailed, 0) << pin;
        EXPECT_TRUE(report.pinWarnings.empty()) << pin;
    }
    // Below the smallest the pin touches the root, or cannot reach the flanks.
    Calculate(c, static_cast<float>(pins.smallest - 0.0001));
    EXPECT_TRUE(gear.CalcFailed == -1 || Warned("too small"));
    Calculate(c, static_cast<float>(pins.largest + 0.0001));
    EXPECT_TRUE(gear.CalcFailed == -1 || Warned("too large"));
}

// The check of a pin says what a calculation at the first thickness with that pin warns about,
// pin by pin from far too small to far too large.
TEST_P(PinLimits, ThePinCheckSaysWhatTheCalculationWithThePinWarns) {
    AidsCase c = GetParam();
    Calculate(c, StandardPin(c));
    const PinCheck check = PinCheckOf(gear, gear.Thick1);
    const std::string first = Format(gear.Thick1, "0.000000");
    c.value = first.c_str();
    for (float pin = StandardPin(c) / 8; pin < StandardPin(c) * 4; pin *= 1.07f) {
        const PinVerdict verdict = check(pin);
        Calculate(c, pin);
        EXPECT_EQ(verdict.measured, gear.CalcFailed != -1) << pin;
        if (!verdict.measured) continue;
        EXPECT_EQ(verdict.tooSmall, Warned("too small")) << pin;
        EXPECT_EQ(verdict.tooLarge, Warned("too large")) << pin;
    }
}

// A pin stands proud of an external gear when its radial dimension passes half the outside
// diameter, of an internal one when its near side lies inside half the inside diameter; for a
// band, at both ends (the end nearest the tip: the smaller radial dimension of an external gear).
TEST_P(PinLimits, ProudFromIsWhereTheRadialDimensionPassesTheTip) {
    const AidsCase& c = GetParam();
    Calculate(c, StandardPin(c));
    const double proud = MeasuringAidsOf(gear).proudFrom.value(), sign = c.type == 1 ? 1 : -1;
    auto beyondTip = [&](double pin) {
        Calculate(c, static_cast<float>(pin));
        const std::string& text = gear.RadialText;
        const double nearest = c.type == 1 ? Val(text) : Val(text.substr(text.rfind(' ') + 1));
        return sign * (nearest - (c.type == 1 ? gear.OutsideDiameter : gear.InsideDiameter) / 2.0) > 0;
    };
    EXPECT_TRUE(beyondTip(proud));
    EXPECT_FALSE(beyondTip(proud - 0.0001));
}

INSTANTIATE_TEST_SUITE_P(
    Table, PinLimits,
    ::testing::Values(AidsCase{"ExternalEven", 1, 24, 10, 20, 0, "0.157080"},
                      AidsCase{"ExternalOdd", 1, 25, 10, 20, 0, "0.155000"},
                      AidsCase{"ExternalFewTeeth", 1, 9, 8, 25, 0, "0.196350"},
                      AidsCase{"ExternalFine", 1, 40, 20, 14.5f, 0, "0.078540"},
                      AidsCase{"HelicalOddBalls", 1, 25, 10, 20, 30, "0.157080"},
                      AidsCase{"HelicalEven", 1, 32, 12, 20, 15, "0.130900"},
                      AidsCase{"EnlargedOD", 1, 24, 10, 20, 0, "0.164359", 0.02f, 0.0072794f},
                      AidsCase{"ExternalBand", 1, 24, 10, 20, 0, "0.155 / 0.153"},
                      AidsCase{"InternalEven", 2, 60, 10, 20, 0, "0.157080"},
                      AidsCase{"InternalOdd", 2, 61, 10, 20, 0, "0.159000"},
                      AidsCase{"InternalHelical", 2, 48, 10, 20, 20, "0.157080"}),
    [](const auto& info) { return std::string(info.param.name); });

// A band takes what serves both ends: the thinner tooth lets the pin sink deeper and needs the
// larger pins. Each end has its own chordal addendum, (2.6 - 2.4 cos(t / 2.4)) / 2: 0.1025017 for
// 0.155 and 0.1024376 for 0.153; span contacts over 4 teeth 2.49404 and 2.49324.
TEST_F(Aids, ABandTakesWhatServesBothEnds) {
    Calculate({"", 1, 24, 10, 20, 0, "0.155 / 0.145"}, 0.1728f);
    MeasuringAids aids = MeasuringAidsOf(gear);
    ASSERT_EQ(aids.ends.size(), 2u);
    const AidsAtThickness &thick = aids.ends[0], &thin = aids.ends[1];
    EXPECT_FLOAT_EQ(thin.thickness, 0.145f);
    EXPECT_GT(thin.pins->smallest, thick.pins->smallest);
    EXPECT_EQ(aids.pins->smallest, thin.pins->smallest);
    EXPECT_EQ(aids.pins->largest, std::min(thick.pins->largest, thin.pins->largest));
    EXPECT_EQ(*aids.proudFrom, std::max(*thick.proudFrom, *thin.proudFrom));
    EXPECT_EQ(aids.span->fewest, std::max(thick.span->fewest, thin.span->fewest));
    EXPECT_EQ(aids.span->most, std::min(thick.span->most, thin.span->most));

    Calculate({"", 1, 24, 10, 20, 0, "0.155 / 0.153"}, 0.1728f);
    const MeasuringAidsTexts texts = TextsOf(MeasuringAidsOf(gear));
    EXPECT_EQ(texts.chordalAddendum, "0.102438 / 0.102502");
    EXPECT_EQ(texts.spanContact, "2.49324 / 2.49404");
}

// A whole depth of 0.06 on pitch 10 puts the root so high (radius 1.24) that a pin deep enough
// to stay off the root touches the O.D. instead; and no span fits between root and tip.
TEST_F(Aids, NoPinWorksOnAShallowRoot) {
    Calculate({"", 1, 24, 10, 20, 0, "0.157080", 0, 0, 9, "0.06"}, 0.1728f);
    ASSERT_NEAR(gear.RootDiameter, 2.48, 1e-6);
    const MeasuringAids aids = MeasuringAidsOf(gear);
    EXPECT_TRUE(!aids.pins && aids.PinOutside());
    EXPECT_EQ(TextsOf(aids).pinSmallest + TextsOf(aids).pinLargest, "");
}

TEST_F(Aids, AChosenPinOrSpanOutsideTheRangeIsMarkedAndTheCalculationLeftAlone) {
    Calculate({"", 1, 24, 10, 20, 0, "0.157080"}, 0.35f);
    gear.TeethSpanned = 7;
    const GearMain before = gear;
    const MeasuringAids aids = MeasuringAidsOf(gear);
    EXPECT_FLOAT_EQ(aids.pin, 0.35f);
    EXPECT_TRUE(aids.PinOutside());
    EXPECT_TRUE(aids.SpanOutside());
    EXPECT_TRUE(gear.MeasureText == before.MeasureText && gear.PinContactDiameter == before.PinContactDiameter &&
                gear.BaseDiameter == before.BaseDiameter && gear.TransversePA == before.TransversePA);
    EXPECT_FALSE(gear.TakeFault());  // the probes leave no fault behind
    Calculate({"", 1, 24, 10, 20, 0, "0.157080"}, 0.3306f);
    EXPECT_FALSE(MeasuringAidsOf(gear).PinOutside());
    // A span over one tooth of 200 touches far below the flanks; the usual
    // count, 200 x 20 / 180 + 0.5 rounded, is inside.
    Calculate({"", 1, 200, 4, 20, 0, "0.392699"}, 0.432f);
    gear.TeethSpanned = 1;
    EXPECT_TRUE(MeasuringAidsOf(gear).SpanOutside());
    gear.TeethSpanned = 23;
    EXPECT_FALSE(MeasuringAidsOf(gear).SpanOutside());
}

// The search alone, against checks whose limits are known: four decimals, the smallest rounded up
// and the largest down; a range narrower than the fourth decimal is no pin; pins the involute
// routine cannot place do not work.
TEST(WorkingPins, FindsTheLimitsOfAnyCheckToFourDecimals) {
    const struct {
        double small, large, seed, smallest, largest;  // 0, 0: none
        bool unmeasured;
    } rows[] = {{0.05, 0.2, 0.1728, 0.05, 0.2, false},          {0.12345, 0.12351, 0.1728, 0.1235, 0.1235, false},
                {0.0001, 0.3, 0.1728, 0.0001, 0.3, false},       {1.5, 4.25, 0.1728, 1.5, 4.25, false},
                {0.02, 0.03, 0.5, 0.02, 0.03, false},            {0.12341, 0.12348, 0.1, 0, 0, false},
                {0.08, 0.25, 0.3, 0.0801, 0.2499, true},         {0.08, 0.25, 0.01, 0.0801, 0.2499, true}};
    for (const auto& r : rows) {
        PinCheck check = [&r](float pin) {
            PinVerdict v;
            v.measured = !r.unmeasured || (pin > 0.08f && pin < 0.25f);
            v.tooSmall = !r.unmeasured && pin < static_cast<float>(r.small);
            v.tooLarge = !r.unmeasured && pin > static_cast<float>(r.large);
            return v;
        };
        const std::optional<PinRange> found = WorkingPins(check, {r.seed});
        ASSERT_EQ(found.has_value(), r.smallest > 0) << r.small;
        if (!found) continue;
        EXPECT_NEAR(found->smallest, r.smallest, 1e-12) << r.small;
        EXPECT_NEAR(found->largest, r.largest, 1e-12) << r.large;
        EXPECT_TRUE(found->Holds(r.smallest) && found->Holds(r.largest) && !found->Holds(r.largest + 1e-4));
    }
}

}  // namespace
