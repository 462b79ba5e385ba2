// The input screen's core driven without any window, as the window drives it:
// the focus moves along the tab order and runs the handlers of the field it
// leaves and the field it enters, keys go through the key filter, a field
// selects its text on entry, and every message is recorded and answered from a
// script (OK when the script is used up).
#pragma once

#include <algorithm>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "input_screen/field_controls.h"
#include "input_screen/screen_core.h"
#include "input_screen/screen_texts.h"

namespace involvo::testing {

class CoreTypist {
public:
    CoreTypist() : texts_(OpeningTexts()), core_(gear, memory_, texts_) {
        gear.StartUp();
        core_.Open();
    }

    // Keys typed into a field (Backspace is "\b"); the field gets the focus first.
    void Type(gearmain::Field field, const std::string& keys) {
        FocusTo(ControlOf(field));
        std::string& text = texts_.*TextOf(field);
        for (char ch : keys) {
            if (focus_ != ControlOf(field)) return;
            int key = ch == '\b' ? 8 : static_cast<unsigned char>(ch);
            if (!ScreenCore::KeyAccepted(field, gear.DepthSystem, text, key)) continue;
            if (selected_ == field) text.clear();
            else if (key == 8 && !text.empty()) text.pop_back();
            if (key != 8) text.push_back(ch);
            selected_ = gearmain::Field::None;
            if (field == gearmain::Field::Pitch) Run([&] { core_.EditPitch(); });
        }
    }
    // Tab.
    void Leave() {
        auto it = std::find(kTabOrder.begin(), kTabOrder.end(), focus_);
        size_t i = it == kTabOrder.end() ? kTabOrder.size() - 1 : static_cast<size_t>(it - kTabOrder.begin());
        for (size_t step = 0; step < kTabOrder.size(); ++step) {
            i = (i + 1) % kTabOrder.size();
            if (kTabOrder[i] == ctl::Internal && gear.CalcMode == 3) continue;  // disabled in span mode
            FocusTo(kTabOrder[i]);
            return;
        }
    }
    void Enter(gearmain::Field field, const std::string& keys) {
        Type(field, keys);
        Leave();
    }
    // An item chosen from the feature list.
    void Choose(const std::string& item) {
        FocusTo(ctl::Combo1);
        texts_.feature = item;
        Run([&] { core_.ChooseFeature(); });
    }
    void Mode(int16_t mode) {
        if (mode == 1 && focus_ == ctl::Combo1) FocusTo(ctl::InputCTT_MOW);
        if (mode == 3 && gear.GearType != 1) Run([&] { core_.ChooseGearType(1); });
        Run([&] { core_.ChooseMode(mode); });
    }
    void GearType(int16_t type) {
        if (type != 1 && gear.CalcMode == 3) return;  // the button is disabled in span mode
        FocusTo(type == 1 ? ctl::External : ctl::Internal);
        if (gear.GearType != type) Run([&] { core_.ChooseGearType(type); });
    }
    void DepthSystem(int16_t system) {
        Run([&] {
            core_.ChooseDepthSystem(system, Recorder(),
                                    [&](const std::string&, const std::string&, const std::string& offered) {
                                        if (inputs.empty()) return offered;
                                        std::string answer = inputs.front();
                                        inputs.pop_front();
                                        return answer;
                                    });
        });
    }
    FirstPage Calculate() {
        FocusTo(ctl::CmdCalc);
        FirstPage page = FirstPage::None;
        Run([&] { page = core_.Calculate(Recorder()); });
        return page;
    }

    const EntryTexts& texts() const { return texts_; }
    const std::optional<Control>& Focused() const { return focus_; }

    gearmain::GearMain gear;
    std::deque<gearmain::MsgAnswer> answers;  // for the boxes with OK and Cancel
    std::deque<std::string> inputs;           // for the cutter depth; the text offered when none is left
    std::vector<gearmain::Notice> shown;

private:
    Ask Recorder() {
        return [this](const gearmain::Notice& notice) {
            gearmain::MsgAnswer answer = gearmain::MsgAnswer::OK;
            if (!notice.text.empty()) {
                if (notice.buttons == gearmain::MsgButtons::OKCancel && !answers.empty()) {
                    answer = answers.front();
                    answers.pop_front();
                }
                shown.push_back(notice);
            }
            Settle();
            const bool sent = notice.buttons == gearmain::MsgButtons::OK || answer == gearmain::MsgAnswer::Cancel;
            if (notice.focus != gearmain::Field::None && sent) FocusTo(ControlOf(notice.focus));
            return answer;
        };
    }
    template <typename F>
    void Run(F&& step) {
        step();
        Settle();
    }
    // A field the core wrote loses its selection, as a window's field does.
    void Settle() {
        const FieldSet written = core_.TakeWritten();
        if (selected_ != gearmain::Field::None && (written & Bit(selected_))) selected_ = gearmain::Field::None;
        core_.TakeHints();
    }
    void FocusTo(Control control) {
        if (control == focus_) return;
        const std::optional<Control> old = focus_;
        focus_ = control;
        if (gearmain::Field f = old ? FieldOf(*old) : gearmain::Field::None; f != gearmain::Field::None)
            Run([&] { core_.Leave(f); });
        if (focus_ != control) return;
        const gearmain::Field field = FieldOf(control);
        if (field == gearmain::Field::Pin) Run([&] { core_.UpdateHints(); });
        if (field == gearmain::Field::Feature) Run([&] { core_.EnterFeature(); });
        if (field != gearmain::Field::None && field != gearmain::Field::Feature) selected_ = field;
    }
    inline static const std::vector<Control> kTabOrder = {
        ctl::InputNT,     ctl::InputDP,        ctl::InputPA,      ctl::InputHA,  ctl::Combo1,   ctl::InputCTT_MOW,
        ctl::InputAddendumMod, ctl::InputPINDIA, ctl::InputFaceWidth, ctl::ComboQuality, ctl::CmdCalc, ctl::cmdExit,
        ctl::External, ctl::Internal,
    };

    HintMemory memory_;
    EntryTexts texts_;
    ScreenCore core_;
    std::optional<Control> focus_;
    gearmain::Field selected_ = gearmain::Field::None;
};

}  // namespace involvo::testing
