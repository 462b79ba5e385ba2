// Which message a failed calculation shows, and which entry the user is sent
// back to: one table for every arithmetic fault of the engine.
#pragma once

#include <cstdint>
#include <string_view>

#include "engine/notice.h"

namespace gearmain {

// Where the engine was when the arithmetic failed.
enum class FaultSite {
    PinMeasurement,  // the dimension over or between pins of a thickness
    PinThickness,    // the thickness from a dimension over or between pins
    Conversion,      // the driver, between the measurements (radial dimension, K factor)
    Chordal,         // a conversion between circular and chordal thickness
    Span,            // a span measurement, or the thickness from one
    Dimensions,      // the depths, diameters, pitches and tolerances
};

// What the message depends on besides the site.
struct FaultContext {
    FaultSite site;
    std::string_view feature;  // the input feature
    int16_t mode;              // the calculation mode
    int16_t gearType;          // 1 external, anything else internal
};

// The message and the entry at fault; the first row of the table that fits.
Fault FaultOf(const FaultContext& context);

}  // namespace gearmain
