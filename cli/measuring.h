// What involvo-cli works out beyond the pages for one gear: the check of the
// readings taken on a part, and the measuring aids with the picture of one pin
// in its tooth space. Plain data of the engine, so that the Qt module of the
// tool (pdf_qt.cpp) draws from the same values that the JSON writes.
#pragma once

#include <optional>
#include <string>

#include "engine/measuring_aids.h"
#include "engine/pin_picture.h"

namespace involvo::cli {

struct Measuring {
    gearmain::MeasuringAids aids;
    gearmain::MeasuringAidsTexts texts;
    // At the calculation's (first) thickness with its pin or ball; none when
    // the pin cannot be placed, or when no picture was asked for.
    std::optional<gearmain::PinPicture> picture;
    bool balls = false;            // page 1 measures over balls (an odd or internal helical gear)
    std::string chordalThickness;  // as page 1 shows it
};

}  // namespace involvo::cli
