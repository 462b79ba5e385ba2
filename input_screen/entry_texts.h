// The texts of the input screen's fields and lists, as the screen shows them.
// The input screen's logic reads and rewrites them; the result pages show some
// of them as typed; the command-line tool fills them as a user would type.
#pragma once

#include <string>

#include "engine/notice.h"

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

    bool operator==(const EntryTexts&) const = default;
};

// Where a field's text is kept: texts.*TextOf(field). Field::None has no text
// (nullptr).
inline std::string EntryTexts::*TextOf(gearmain::Field field) {
    using gearmain::Field;
    switch (field) {
        case Field::Teeth: return &EntryTexts::teeth;
        case Field::Pitch: return &EntryTexts::pitch;
        case Field::PressureAngle: return &EntryTexts::pressureAngle;
        case Field::Helix: return &EntryTexts::helix;
        case Field::Feature: return &EntryTexts::feature;
        case Field::FeatureValue: return &EntryTexts::featureValue;
        case Field::ODChange: return &EntryTexts::odChange;
        case Field::Pin: return &EntryTexts::pin;
        case Field::FaceWidth: return &EntryTexts::faceWidth;
        case Field::Quality: return &EntryTexts::quality;
        case Field::None: break;
    }
    return nullptr;
}

}  // namespace involvo
