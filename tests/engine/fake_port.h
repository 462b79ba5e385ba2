// A stand-in for the input screen as the engine sees it: it records every
// message box and focus request, answers OK/Cancel boxes from a script (OK when
// the script is used up) and returns the control texts the test set.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "engine/gearmain.h"

namespace enginetest {

struct Shown {
    std::string text;
    gearmain::MsgIcon icon;
    gearmain::MsgButtons buttons;
    gearmain::MsgAnswer answer;
};

class FakePort : public gearmain::Port {
public:
    gearmain::MsgAnswer MessageBox(const std::string& text, gearmain::MsgIcon icon,
                                   gearmain::MsgButtons buttons) override {
        gearmain::MsgAnswer answer = gearmain::MsgAnswer::OK;
        if (buttons == gearmain::MsgButtons::OKCancel && !answers.empty()) {
            answer = answers.front();
            answers.pop_front();
        }
        messages.push_back({text, icon, buttons, answer});
        return answer;
    }
    void SetFocus(const std::string& control) override { focus.push_back(control); }
    std::string ControlText(const std::string& control) override {
        auto it = texts.find(control);
        return it == texts.end() ? std::string() : it->second;
    }

    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> out;
        for (const auto& m : messages) out.push_back(m.text);
        return out;
    }

    std::map<std::string, std::string> texts;       // Combo1, InputFaceWidth, InputCTT_MOW
    std::deque<gearmain::MsgAnswer> answers;        // for OK/Cancel boxes, in order
    std::vector<Shown> messages;
    std::vector<std::string> focus;
};

}  // namespace enginetest
