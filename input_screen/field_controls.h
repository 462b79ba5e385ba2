// Which control of the input screen holds which field.
#pragma once

#include "engine/notice.h"
#include "platform/names.h"

namespace involvo {

// The fields of the input screen, in tab order.
inline constexpr gearmain::Field kScreenFields[] = {
    gearmain::Field::Teeth,    gearmain::Field::Pitch,     gearmain::Field::PressureAngle, gearmain::Field::Helix,
    gearmain::Field::Feature,  gearmain::Field::FeatureValue, gearmain::Field::ODChange,   gearmain::Field::Pin,
    gearmain::Field::FaceWidth, gearmain::Field::Quality,
};

// The control of a field (ctl::Window for Field::None).
constexpr Control ControlOf(gearmain::Field field) {
    using gearmain::Field;
    switch (field) {
        case Field::Teeth: return ctl::InputNT;
        case Field::Pitch: return ctl::InputDP;
        case Field::PressureAngle: return ctl::InputPA;
        case Field::Helix: return ctl::InputHA;
        case Field::Feature: return ctl::Combo1;
        case Field::FeatureValue: return ctl::InputCTT_MOW;
        case Field::ODChange: return ctl::InputAddendumMod;
        case Field::Pin: return ctl::InputPINDIA;
        case Field::FaceWidth: return ctl::InputFaceWidth;
        case Field::Quality: return ctl::ComboQuality;
        case Field::None: break;
    }
    return ctl::Window;
}

// The field a control holds; Field::None for every other control.
constexpr gearmain::Field FieldOf(Control control) {
    for (gearmain::Field field : kScreenFields)
        if (ControlOf(field) == control) return field;
    return gearmain::Field::None;
}

}  // namespace involvo
