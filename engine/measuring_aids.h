// Measuring aids: which pins or balls and which spans will measure the gear of
// the last calculation, and the chordal addendum for a gear-tooth caliper.
//
// Everything here works on copies of the gear state: the last calculation is
// never disturbed. Diameters are inches.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/gearmain.h"
#include "engine/span_limits.h"

namespace gearmain {

// What the program's own pin-contact checks say of one pin.
struct PinVerdict {
    bool measured = false;  // the involute routine found where the pin sits
    bool tooLarge = false;  // it would touch the outside (external) or inside (internal) diameter
    bool tooSmall = false;  // it would touch the root
    bool Works() const { return measured && !tooLarge && !tooSmall; }
};

// The verdict of the checks for a pin of the given diameter.
using PinCheck = std::function<PinVerdict(float pin)>;

// The checks of the last calculation's gear for pins at one thickness (the
// normal circular tooth thickness of an external gear, the space width of an
// internal one): the dimension over or between pins from that thickness, on a
// copy of the state, and the calculation's pin contact checks of the pin
// against the last calculation's dimensions.
PinCheck PinCheckOf(const GearMain& last, float thickness);

// Pins that work, to four decimals: the smallest rounded up, the largest
// rounded down, so that every value from one to the other works.
struct PinRange {
    double smallest = 0;
    double largest = 0;
    // A pin entered with four decimals is held as a Single: within its
    // rounding of the limits it is on them.
    bool Holds(double pin) const { return pin >= smallest - 1e-7 && pin <= largest + 1e-7; }
};

// The pins that the check passes, searched from the seeds (pins likely to
// work; a scan follows when none does). No value when no pin works.
std::optional<PinRange> WorkingPins(const PinCheck& check, const std::vector<double>& seeds);

// The smallest pin, to four decimals rounded up, that stands proud: over an
// external gear its radial dimension (from the centre to the pin's far side)
// exceeds half the outside diameter, in an internal gear the pin's near side
// lies inside half the inside diameter. No value when none does.
std::optional<double> ProudFrom(const GearMain& last, float thickness);

// The aids at one thickness.
struct AidsAtThickness {
    float thickness = 0;
    std::optional<PinRange> pins;
    std::optional<double> proudFrom;
    std::optional<SpanLimits> span;      // external gears; none when it cannot be worked out
    std::optional<double> spanContact;   // d(k) for the calculation's count
    // The height from the tip to the chord of the thickness, for setting a
    // gear-tooth caliper to the chordal thickness; external gears (the
    // calculation measures it from the outside diameter).
    std::optional<float> chordalAddendum;
};

// The aids of the last calculation: at its thickness, or at both ends of its
// band. The summary holds what serves every end.
struct MeasuringAids {
    bool internal = false;
    float pin = 0;            // the pin or ball of the calculation
    float teethSpanned = 0;   // the count of its span (0: none)
    std::vector<AidsAtThickness> ends;
    std::optional<PinRange> pins;        // works at every end; none: no pin works
    std::optional<double> proudFrom;     // stands proud at every end
    std::optional<SpanLimits> span;      // allowed at every end; none: no span (internal, or no count)
    bool HasChordalAddendum() const { return !ends.empty() && ends.front().chordalAddendum.has_value(); }

    // The chosen pin lies outside the pins that work (or none works).
    bool PinOutside() const;
    // The chosen count of an external gear lies outside the allowed counts.
    bool SpanOutside() const;
};

MeasuringAids MeasuringAidsOf(const GearMain& last);

// The same as texts: pins to four decimals, the span contact with five, the
// chordal addendum with six (a band: "a / b", the smaller first); "" where
// there is no value.
struct MeasuringAidsTexts {
    std::string pinSmallest, pinLargest, pinProudFrom;
    std::string spanFewest, spanMost, spanContact;
    std::string chordalAddendum;
};

MeasuringAidsTexts TextsOf(const MeasuringAids& aids);

}  // namespace gearmain
