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
using gearmain::Val;

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

// The shaped full fillet (depth system 4) defines a depth at 14.5, 20 and 25
// degrees only: any other angle is refused at Calculate, naming those angles,
// with the focus on the pressure angle, and after an earlier calculation too.
TEST(CalculateFaults, TheShapedFilletAtAnotherAngleIsRefusedAtThePressureAngle) {
    for (const char* angle : {"22.5", "14", "30"}) {
        SCOPED_TRACE(angle);
        CoreTypist t;
        t.Enter(Field::Teeth, "24");
        t.Enter(Field::Pitch, "10");
        t.DepthSystem(4);
        ASSERT_EQ(t.Calculate(), FirstPage::Spur);  // at 20 degrees
        t.Enter(Field::PressureAngle, angle);
        EXPECT_EQ(t.Calculate(), FirstPage::None);
        ASSERT_EQ(t.shown.size(), 1u);
        EXPECT_EQ(t.shown[0].icon, MsgIcon::Critical);
        for (const char* defined : {"14.5", "20", "25"})
            EXPECT_NE(t.shown[0].text.find(defined), std::string::npos) << t.shown[0].text;
        EXPECT_EQ(t.Focused(), ControlOf(Field::PressureAngle));
        t.shown.clear();
        t.Enter(Field::PressureAngle, "25");
        EXPECT_EQ(t.Calculate(), FirstPage::Spur);
        EXPECT_TRUE(t.shown.empty());
    }
}

// A span is measured over whole teeth: a count with a fraction is refused at
// the pin field, in span mode and for a measured span alike; a whole count,
// however written, is not.
TEST(CalculateFaults, AFractionOfAToothSpannedIsRefusedAtThePin) {
    struct Case {
        int16_t mode;
        const char* value;
    };
    const Case modes[] = {{3, ""}, {2, "1.075263"}};
    for (const Case& m : modes) {
        for (const char* count : {"2.5", "3.01", ".5", "4.999"}) {
            SCOPED_TRACE(std::string(count) + " in mode " + std::to_string(m.mode));
            CoreTypist t;
            t.Mode(m.mode);
            if (m.mode == 2) t.Choose("Span Measurement");
            t.Enter(Field::Teeth, "30");
            t.Enter(Field::Pitch, "10");
            if (*m.value) t.Enter(Field::FeatureValue, m.value);
            t.Enter(Field::Pin, count);
            EXPECT_EQ(t.Calculate(), FirstPage::None);
            ASSERT_EQ(t.shown.size(), 1u);
            EXPECT_EQ(t.shown[0].text, "The number of teeth spanned must be a whole number");
            EXPECT_EQ(t.shown[0].icon, MsgIcon::Critical);
            EXPECT_EQ(t.Focused(), ControlOf(Field::Pin));
        }
        for (const char* count : {"4", "4.000", "3."}) {
            SCOPED_TRACE(std::string(count) + " in mode " + std::to_string(m.mode));
            CoreTypist t;
            t.Mode(m.mode);
            if (m.mode == 2) t.Choose("Span Measurement");
            t.Enter(Field::Teeth, "30");
            t.Enter(Field::Pitch, "10");
            if (*m.value) t.Enter(Field::FeatureValue, m.value);
            t.Enter(Field::Pin, count);
            EXPECT_EQ(t.Calculate(), FirstPage::Spur);
            EXPECT_TRUE(Refusals(t.shown).empty());
        }
    }
}

// A tooth 0.085 thick on 24 teeth, pitch 10, narrows to a point before the
// O.D. (land 2.6 (0.085/2.4 + inv 20 - inv 29.8411) < 0): Calculate cautions
// once, after the pin warnings, and the page opens with the land as it is.
TEST(CalculateFaults, APointedToothIsCautionedAndThePageOpens) {
    CoreTypist t;
    t.Enter(Field::Teeth, "24");
    t.Enter(Field::Pitch, "10");
    t.Enter(Field::FeatureValue, "0.085");
    t.Enter(Field::Pin, "0.25");
    EXPECT_EQ(t.Calculate(), FirstPage::Spur);
    std::vector<std::string> cautions;
    bool afterCaution = false;
    for (const Notice& n : t.shown) {
        EXPECT_NE(n.icon, MsgIcon::Critical) << n.text;
        if (n.text.find("pointed") != std::string::npos) {
            EXPECT_EQ(n.icon, MsgIcon::Exclamation);
            cautions.push_back(n.text);
            afterCaution = true;
        } else {
            EXPECT_FALSE(afterCaution && n.buttons == gearmain::MsgButtons::OKCancel) << "a pin warning came after";
        }
    }
    EXPECT_EQ(cautions.size(), 1u);
    EXPECT_LT(Val(t.gear.TipLandText), 0);

    // A pin warning answered Cancel sends the user back to the pin: no more.
    CoreTypist cancelled;
    cancelled.Enter(Field::Teeth, "24");
    cancelled.Enter(Field::Pitch, "10");
    cancelled.Enter(Field::FeatureValue, "0.085");
    cancelled.Enter(Field::Pin, "0.5");  // far too large: it stands on the O.D.
    cancelled.answers = {gearmain::MsgAnswer::Cancel};
    EXPECT_EQ(cancelled.Calculate(), FirstPage::None);
    ASSERT_EQ(cancelled.shown.size(), 1u);
    EXPECT_EQ(cancelled.shown[0].buttons, gearmain::MsgButtons::OKCancel);
}

// The caution of a pointed tooth is no refusal: a tooth with a land is not
// cautioned.
TEST(CalculateFaults, AToothWithALandIsNotCautioned) {
    for (const char* value : {"0.1", "0.157"}) {
        CoreTypist t;
        t.Enter(Field::Teeth, "24");
        t.Enter(Field::Pitch, "10");
        t.Enter(Field::FeatureValue, value);
        t.Enter(Field::Pin, "0.25");
        EXPECT_EQ(t.Calculate(), FirstPage::Spur);
        for (const Notice& n : t.shown) EXPECT_EQ(n.text.find("pointed"), std::string::npos) << value;
        EXPECT_GT(Val(t.gear.TipLandText), 0);
    }
}

// A pressure angle of 0 offers no standard pin (nor count): the pin typed
// stays in its field, and Calculate asks for the pressure angle, whether the
// angle was left for the Calculate button at once or for the next field.
TEST(CalculateFaults, APressureAngleOf0IsAskedForAndTheTypedPinStays) {
    struct Case {
        int16_t mode;
        const char* feature;
        const char* pin;
    };
    const Case cases[] = {
        {1, "Circular Tooth Thickness", "0.2"}, {1, "Chordal Tooth Thickness", "0.19"},
        {1, "Contributing Backlash", "0.21"},   {3, "Circular Tooth Thickness", "3"},
    };
    for (const Case& c : cases) {
        for (const char* angle : {"0", ""}) {
            for (bool tabbed : {false, true}) {
                SCOPED_TRACE(std::string(c.feature) + " mode " + std::to_string(c.mode) + " angle '" + angle + "'" +
                             (tabbed ? " tabbed" : ""));
                CoreTypist t;
                t.Mode(c.mode);
                if (c.mode == 1) t.Choose(c.feature);
                t.Enter(Field::Teeth, "24");
                t.Enter(Field::Pitch, "10");
                t.Enter(Field::FeatureValue, "0.004");
                t.Enter(Field::Pin, c.pin);
                t.Type(Field::PressureAngle, std::string("\b\b\b\b\b\b\b\b") + angle);
                if (tabbed) t.Leave();
                EXPECT_EQ(t.texts().pin, c.pin);
                EXPECT_EQ(t.Calculate(), FirstPage::None);
                ASSERT_EQ(t.shown.size(), 1u);
                EXPECT_EQ(t.shown[0].text, "Enter the normal pressure angle");
                EXPECT_EQ(t.Focused(), ControlOf(Field::PressureAngle));
                EXPECT_EQ(t.texts().pin, c.pin);
            }
        }
    }
}

}  // namespace
}  // namespace involvo::testing
