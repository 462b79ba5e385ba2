// The texts of the input screen's fields and lists, as the screen shows them.
// The input screen's logic reads and rewrites them; the result pages show some
// of them as typed; the command-line tool fills them as a user would type.
#pragma once

#include <string>

namespace involvo {

struct EntryTexts {
    std::string teeth;           // InputNT
    std::string pitch;           // InputDP
    std::string pressureAngle;   // InputPA
    std::string helix;           // InputHA
    std::string feature;         // Combo1: the input feature chosen
    std::string featureValue;    // InputCTT_MOW: a value, or a band "a / b"
    std::string odChange;        // InputAddendumMod
    std::string pin;             // InputPINDIA: pin or ball diameter, or teeth spanned
    std::string faceWidth;       // InputFaceWidth
    std::string quality;         // ComboQuality
};

}  // namespace involvo
