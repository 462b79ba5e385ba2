#include "cli/screen_typist.h"

namespace involvo::cli {

using gearmain::Field;
using gearmain::MsgAnswer;
using gearmain::MsgButtons;
using gearmain::Notice;

namespace {

constexpr int kBackspace = 8;

}  // namespace

ScreenTypist::ScreenTypist(gearmain::GearMain& gear, ScreenCore& core, EntryTexts& texts)
    : gear_(gear), core_(core), texts_(texts) {}

void ScreenTypist::Reset(std::vector<Notice>* shown) {
    shown_ = shown;
    focus_ = Stop::None;
    selected_ = Field::None;
}

void ScreenTypist::Settle() {
    const FieldSet written = core_.TakeWritten();
    if (selected_ != Field::None && (written & Bit(selected_))) selected_ = Field::None;
}

void ScreenTypist::FocusTo(Stop stop) {
    if (stop == focus_) return;
    const Stop old = focus_;
    focus_ = stop;
    if (Field left = FieldOf(old); left != Field::None) {
        core_.Leave(left);
        Settle();
    }
    if (focus_ != stop) return;
    const Field field = FieldOf(stop);
    if (field == Field::Pin) {
        // The pin field's caption and hints are brought up to date as it is entered.
        core_.UpdateHints();
        Settle();
    } else if (field == Field::Feature) {
        core_.EnterFeature();
        Settle();
    }
    // A text box, and the editable quality list, select their text on entry;
    // the feature list takes no keys.
    if (field != Field::None && field != Field::Feature) selected_ = field;
}

void ScreenTypist::Type(Field field, std::string_view keys) {
    const Stop stop = StopOf(field);
    FocusTo(stop);
    std::string& text = texts_.*TextOf(field);
    for (char ch : keys) {
        if (focus_ != stop) return;  // a handler moved the focus away
        const int key = ch == '\b' ? kBackspace : static_cast<unsigned char>(ch);
        if (!ScreenCore::KeyAccepted(field, gear_.DepthSystem, text, key)) continue;
        if (selected_ == field) text.clear();
        else if (key == kBackspace && !text.empty()) text.pop_back();
        if (key != kBackspace) text.push_back(ch);
        selected_ = Field::None;
        // Every change of the pitch clears what was chosen for the old pitch.
        if (field == Field::Pitch) {
            core_.EditPitch();
            Settle();
        }
    }
}

void ScreenTypist::Leave() {
    int i = focus_ == Stop::None ? -1 : static_cast<int>(focus_);
    for (int step = 0; step < kStops; ++step) {
        i = (i + 1) % kStops;
        // The Internal button is disabled while the span is calculated.
        if (static_cast<Stop>(i) == Stop::Internal && gear_.CalcMode == 3) continue;
        FocusTo(static_cast<Stop>(i));
        return;
    }
}

void ScreenTypist::ChooseMode(int16_t mode) {
    // Leaving the feature list for the pins mode moves on to the value field.
    if (mode == 1 && focus_ == Stop::Feature) FocusTo(Stop::FeatureValue);
    // Span is for external gears: the External button first, under the old mode.
    if (mode == 3 && gear_.GearType != 1) {
        core_.ChooseGearType(1);
        Settle();
    }
    core_.ChooseMode(mode);
    Settle();
}

void ScreenTypist::PressGearType(int16_t gearType) {
    const bool internal = gearType != 1;
    if (internal && gear_.CalcMode == 3) return;  // disabled while the span is calculated
    FocusTo(internal ? Stop::Internal : Stop::External);
    // An option button already selected does nothing.
    if (gear_.GearType == (internal ? 2 : 1)) return;
    core_.ChooseGearType(internal ? 2 : 1);
    Settle();
}

void ScreenTypist::ChooseDepthSystem(int16_t system, std::string_view cutterDepth) {
    int asked = 0;
    core_.ChooseDepthSystem(
        system, [this](const Notice& notice) { return Record(notice); },
        [&](const std::string&, const std::string&, const std::string& offered) -> std::string {
            // The depth given, then nothing (a refused depth is not offered
            // again), then what the box offers.
            switch (asked++) {
                case 0: return std::string(cutterDepth);
                case 1: return {};
                default: return offered;
            }
        });
    Settle();
}

void ScreenTypist::ChooseFeature(std::string_view feature) {
    FocusTo(Stop::Feature);
    texts_.feature.assign(feature.data(), feature.size());
    core_.ChooseFeature();
    Settle();
}

void ScreenTypist::ClickBasic() {
    if (!core_.BasicOffered()) return;
    core_.CopyBasic();
    Settle();
}

FirstPage ScreenTypist::Calculate() {
    FocusTo(Stop::Calculate);
    const FirstPage page = core_.Calculate([this](const Notice& notice) { return Record(notice); });
    Settle();
    return page;
}

FieldSet ScreenTypist::LeftByTyping(const std::vector<Field>& typed) {
    FieldSet left = 0;
    Stop focus = Stop::None;
    for (Field field : typed) {
        // The focus moves to the field, leaving the one it was in.
        if (Field was = FieldOf(focus); was != Field::None && was != field) left |= Bit(was);
        // Tab leaves the field for the next control of the tab order.
        left |= Bit(field);
        focus = static_cast<Stop>((static_cast<int>(StopOf(field)) + 1) % kStops);
    }
    if (Field was = FieldOf(focus); was != Field::None) left |= Bit(was);
    return left;
}

MsgAnswer ScreenTypist::Record(const Notice& notice) {
    // A notice without a text shows no box and only moves the focus.
    if (!notice.text.empty() && shown_) shown_->push_back(notice);
    // The window shows what the core left before the box covers it.
    Settle();
    // Answered OK: a box with OK alone sends the user to its entry, one with
    // OK and Cancel only when cancelled.
    if (notice.focus != Field::None && notice.buttons == MsgButtons::OK) FocusTo(StopOf(notice.focus));
    return MsgAnswer::OK;
}

}  // namespace involvo::cli
