// A user's hands on the input screen, without the window: the input screen's
// core (input_screen/screen_core.h) driven exactly as the window drives it.
//
// The focus moves along the screen's tab order and runs the handlers of the
// field it leaves and of the field it enters; keys go one by one through the
// field's key filter; a field selects its whole text when it gets the focus,
// so the first key typed replaces it; menu items, option buttons, the feature
// list and the Basic hint run what a click on them runs. Every message is
// recorded in order and answered OK, and moves the focus as it says.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/gearmain.h"
#include "input_screen/screen_core.h"

namespace involvo::cli {

class ScreenTypist {
public:
    // Types into the core of a screen whose gear state, hint memory and field
    // texts are these; the messages shown are added to *shown.
    ScreenTypist(gearmain::GearMain& gear, ScreenCore& core, EntryTexts& texts);

    // The screen as it opens: nothing has the focus. (The core's own state
    // is the caller's to reset.)
    void Reset(std::vector<gearmain::Notice>* shown);

    // Keys typed into a field, the field getting the focus first (Backspace
    // is '\b').
    void Type(gearmain::Field field, std::string_view keys);
    // Tab: the focus moves on to the next control of the tab order.
    void Leave();
    // The menu's calculation mode (1 pins, 2 tooth thickness, 3 span).
    void ChooseMode(int16_t mode);
    // A click on the External (1) or Internal (2) option button.
    void PressGearType(int16_t gearType);
    // A depth system of the menu. For system 9 the depth box is answered with
    // the cutter depth, and a depth refused is not offered again.
    void ChooseDepthSystem(int16_t system, std::string_view cutterDepth = {});
    // An item of the feature list chosen.
    void ChooseFeature(std::string_view feature);
    // A click on the Basic hint: its value into the feature value field, when
    // the hint shows one.
    void ClickBasic();
    // Calculate Gear Data pressed: the page it opens.
    FirstPage Calculate();

    // The fields that typing into these fields, one after the other, each
    // left with Tab, and then pressing Calculate leaves: each field typed, and
    // the field that each Tab moved to. (A screen in the pins mode.)
    static FieldSet LeftByTyping(const std::vector<gearmain::Field>& typed);
    // The focus is on the Calculate button, its way there already run.
    void AssumeCalculateFocused() {
        focus_ = Stop::Calculate;
        selected_ = gearmain::Field::None;
    }

private:
    // The controls of the tab order, in that order: the ten fields (in the
    // order of gearmain::Field), then the buttons.
    enum class Stop : int8_t {
        None = -1,
        Teeth, Pitch, PressureAngle, Helix, Feature, FeatureValue, ODChange, Pin, FaceWidth, Quality,
        Calculate, Exit, External, Internal,
    };
    static constexpr int kStops = static_cast<int>(Stop::Internal) + 1;
    static Stop StopOf(gearmain::Field field) { return static_cast<Stop>(static_cast<int>(field) - 1); }
    static gearmain::Field FieldOf(Stop stop) {
        return stop >= Stop::Teeth && stop <= Stop::Quality ? static_cast<gearmain::Field>(static_cast<int>(stop) + 1)
                                                            : gearmain::Field::None;
    }

    void FocusTo(Stop stop);
    // After each step: a field the core wrote loses its selection.
    void Settle();
    gearmain::MsgAnswer Record(const gearmain::Notice& notice);

    gearmain::GearMain& gear_;
    ScreenCore& core_;
    EntryTexts& texts_;
    std::vector<gearmain::Notice>* shown_ = nullptr;
    Stop focus_ = Stop::None;
    gearmain::Field selected_ = gearmain::Field::None;
};

}  // namespace involvo::cli
