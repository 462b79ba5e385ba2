// Entries that must reach the calculation as the fields show them, and hints
// that must follow what the fields hold, through the screen's core.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core_typist.h"

namespace involvo::testing {
namespace {

using gearmain::Field;
using gearmain::Val;

// An O.D. change is held as its box shows it (five decimals), so tabbing
// through the box again is no change and a feature value typed after it
// stands, in every mode that refills the feature on a change.
TEST(EntryFaults, AnODChangeIsHeldAsItsBoxShowsIt) {
    struct Case {
        int16_t mode;
        const char *odChange, *value;
    };
    const Case cases[] = {
        {1, "0.0123456", "0.150"}, {1, "-0.0000049", "0.157"}, {1, "0.123456789", "0.16"},
        {1, "0.0000051", "0.157"}, {2, "0.0123456", "2.65"},   {3, "-0.0098765", "0.15"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.odChange) + " in mode " + std::to_string(c.mode));
        CoreTypist t;
        t.Mode(c.mode);
        t.Enter(Field::Teeth, "24");
        t.Enter(Field::Pitch, "10");
        t.Enter(Field::ODChange, c.odChange);
        EXPECT_EQ(t.gear.ODChange, static_cast<float>(Val(t.texts().odChange)));
        t.Enter(Field::FeatureValue, c.value);
        const std::string typed = t.texts().featureValue;
        t.Type(Field::ODChange, "");  // the box gets the focus and loses it untouched
        t.Leave();
        t.Type(Field::Teeth, "");
        t.Leave();
        EXPECT_EQ(t.texts().featureValue, typed);
        EXPECT_EQ(t.gear.FeatureValue, static_cast<float>(Val(c.value)));
        EXPECT_EQ(t.gear.Thick1, static_cast<float>(Val(c.value)));
        EXPECT_EQ(t.gear.Measure1, static_cast<float>(Val(c.value)));
    }
}

// The pin that touches at the pitch circle of a tooth (external) or space
// (internal) of circular thickness t: the pin centre lies where the involute
// through the pitch point meets the middle of the space or tooth, so the pin
// spans tan(a) - tan(b) of the base radius on each side.
double IdealPinFor(bool external, double teeth, double pitch, double degrees, double t) {
    const double pa = degrees * 3.14159265358979 / 180.0;
    const double d = teeth / pitch, db = d * std::cos(pa);
    if (external) return (std::tan(3.14159265358979 / teeth - t / d + pa) - std::tan(pa)) * db;
    return (std::tan(pa) - std::tan(pa - t / d)) * db;
}

// After every entry, the ideal pin hint is the pin for the thickness that the
// feature box then holds, also when the entry refilled the box (a click on the
// hint copies it at once).
TEST(EntryFaults, TheIdealPinIsThatOfTheThicknessTheBoxHolds) {
    struct Step {
        Field field;
        const char* text;
    };
    struct Case {
        int16_t gearType;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {1, {{Field::Teeth, "20"}, {Field::Pitch, "10"}, {Field::Pitch, "8"}, {Field::ODChange, "0.02"},
             {Field::ODChange, "-0.01"}, {Field::Pitch, "12"}, {Field::Teeth, "31"}, {Field::FeatureValue, "0.12"},
             {Field::Pitch, "6"}}},
        {2, {{Field::Teeth, "60"}, {Field::Pitch, "10"}, {Field::Pitch, "5"}, {Field::ODChange, "-0.03"},
             {Field::FeatureValue, "0.3"}, {Field::Pitch, "7"}, {Field::ODChange, "0.01"}}},
    };
    for (const Case& c : cases) {
        CoreTypist t;
        t.GearType(c.gearType);
        for (const Step& step : c.steps) {
            // Left for a field whose focus runs no hint update of its own.
            t.Type(step.field, step.text);
            t.Type(Field::Helix, "");
            if (t.texts().featureValue.empty()) continue;  // no pitch yet: no hints
            SCOPED_TRACE(std::string("after ") + step.text + ", the box holds " + t.texts().featureValue);
            const double want = IdealPinFor(c.gearType == 1, t.gear.NumTeeth, t.gear.NormalDP, t.gear.NormalPA,
                                            Val(t.texts().featureValue));
            EXPECT_NEAR(Val(t.gear.IdealPinText), want, 6e-6);
        }
    }
}

}  // namespace
}  // namespace involvo::testing
