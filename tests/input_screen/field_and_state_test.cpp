// What a field shows and what the gear state holds agree: tabbing through a
// field without typing is no entry, and a field the program refills takes the
// stored values with it. (Both found by fuzz_input_screen.)
#include "screen.h"

#include <map>

namespace involvo::testing {
namespace {

using FieldAndState = InputScreen;

struct CollapsedFraction {
    const char* typed;
    const char* shown;
    float pitch;
};

// A depth pitch coarser than the pitch collapses the fraction to the pitch. Its
// plain text is shown unless that has an exponent, which the field's reader
// would take for another number ("1.234568E+07" reads 1.234568); the first
// number as typed is shown then.
TEST_F(FieldAndState, CollapsedPitchFractionReadsBackAsThePitch) {
    const CollapsedFraction rows[] = {
        {"20/12", "20", 20.0f},
        {"10.50/8", "10.5", 10.5f},
        {"12345678/1", "12345678", 12345678.0f},
        {"99999999/1", "99999999", 1e8f},  // the nearest Single is 1E+08
        {"0.00001/0.000001", "0.00001", 0.00001f},
        {".00005/0", ".00005", 0.00005f},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        Restart();
        screen().Click(ctl::MnuDepth(8));
        Enter(ctl::InputDP, row.typed);
        EXPECT_EQ(Text(ctl::InputDP), row.shown);
        EXPECT_EQ(gear().NormalDP, row.pitch);
        EXPECT_EQ(gear().DepthPitch, row.pitch);

        screen().FocusTo(ctl::InputDP);
        screen().Leave();
        EXPECT_EQ(Text(ctl::InputDP), row.shown);
        EXPECT_EQ(gear().NormalDP, row.pitch);
        EXPECT_EQ(gear().DepthPitch == 0 ? gear().NormalDP : gear().DepthPitch, row.pitch);
    }
}

// Span mode refills the feature with its basic value when the number of teeth
// changes; for a contributing backlash that is 0.000000, and the backlash
// calculated with is then 0 too, not the one typed before. At 10 DP the basic
// thickness is pi/20 = 0.1570796, less a backlash of 0 -> 0.157080.
TEST_F(FieldAndState, RefilledBacklashIsTheBacklashCalculatedWith) {
    screen().Click(ctl::MnuSpan);
    EnterGear("24", "10");
    screen().Choose(ctl::Combo1, "Contributing Backlash");
    screen().Leave();
    Enter(ctl::InputCTT_MOW, ".003");
    EXPECT_EQ(gear().Backlash1, 0.003f);

    Enter(ctl::InputNT, "30");
    EXPECT_EQ(Text(ctl::InputCTT_MOW), "0.000000");
    EXPECT_EQ(gear().Backlash1, 0);
    EXPECT_EQ(gear().Backlash2, 0);

    Calculate();
    ASSERT_TRUE(app().IsLoaded(FormId::FrmOutput1));
    HeadlessView& page = *platform().ViewOf(FormId::FrmOutput1);
    std::map<std::string, std::string> rows;
    for (int i = 1; i <= 12; ++i)
        rows[page.Text(ctl::Label(i))] = page.Text(ctl::Text(i));
    EXPECT_EQ(rows["Contributing Backlash"], "0.000000");
    EXPECT_EQ(rows["Circular Tooth Thickness"], "0.157080");
}

}  // namespace
}  // namespace involvo::testing
