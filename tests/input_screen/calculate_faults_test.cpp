// What the Calculate command refuses, warns about and lets through, through
// the screen's core: the message, the field the user is sent to, and whether
// the page opens.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core_typist.h"

namespace involvo::testing {
namespace {

using gearmain::Field;
using gearmain::MsgIcon;
using gearmain::Notice;

std::vector<std::string> Refusals(const std::vector<Notice>& shown) {
    std::vector<std::string> texts;
    for (const Notice& n : shown)
        if (n.icon == MsgIcon::Critical) texts.push_back(n.text);
    return texts;
}

// 24 teeth, pitch 10, 20 deg: an O.D. change of 0.03 thickens the tooth by
// 0.03 tan 20 = 0.0109, enough for a 0.11 pin to reach the flanks, which it
// does not on the basic tooth (inv = 0.11/2.2553 + 0.1571/2.4 + inv 20 - pi/24
// < 0): the calculation of the tooth entered stands, without a K factor.
TEST(CalculateFaults, APinThatMissesOnlyTheBasicToothStillGivesThePage) {
    CoreTypist t;
    t.Enter(Field::Teeth, "24");
    t.Enter(Field::Pitch, "10");
    t.Enter(Field::ODChange, "0.03");
    t.Enter(Field::Pin, "0.11");
    EXPECT_EQ(t.Calculate(), FirstPage::Spur);
    EXPECT_TRUE(Refusals(t.shown).empty());
    EXPECT_EQ(t.gear.CalcFailed, 0);
    EXPECT_EQ(t.gear.KFactor, 0);
    EXPECT_FALSE(t.gear.MeasureText.empty());
}

}  // namespace
}  // namespace involvo::testing
