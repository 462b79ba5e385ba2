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

}  // namespace
}  // namespace involvo::testing
