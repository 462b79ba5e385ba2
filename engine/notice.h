// What the calculator has to tell the user, as data: the engine and the
// presenters return notices, and only the windows show them.
#pragma once

#include <string>

namespace gearmain {

enum class MsgIcon { Critical, Exclamation, Information };
enum class MsgButtons { OK, OKCancel };
enum class MsgAnswer { OK, Cancel };

// The entry at fault, or the entry the user is sent back to after a message;
// in the screen's tab order (Feature is the list of input features).
enum class Field {
    None, Teeth, Pitch, PressureAngle, Helix, Feature, FeatureValue, ODChange, Pin, FaceWidth, Quality
};

// One message box: its text, icon and buttons, and the entry that gets the
// focus once it is answered (None: the focus stays where it is). A box with OK
// and Cancel sends the user there only when answered Cancel. A notice without
// a text shows no box and only moves the focus.
struct Notice {
    std::string text;
    MsgIcon icon = MsgIcon::Critical;
    MsgButtons buttons = MsgButtons::OK;
    Field focus = Field::None;
};

// A calculation that could not be completed: the message, and the entry to
// correct.
struct Fault {
    std::string message;
    Field field = Field::None;
};

}  // namespace gearmain
