// The numbers of teeth a span measurement may take, and where the calipers or
// anvils touch the flanks for a count.
//
// The span is a tangent to the base circle, so the anvils touch at the
// diameter d(k) = 2 sqrt((W(k)/2)^2 + rb^2). Spanning more teeth moves the
// contact outwards, spanning fewer moves it towards the root:
//   - the most is one less than the first count, from the count the span
//     routine would choose upwards, whose contact lies beyond the outside
//     diameter (none found in as many tries as the gear has teeth: 0);
//   - the fewest is the first count, from that count downwards, whose contact
//     lies below the outside diameter less twice the working depth (none
//     found: 1). Spanning exactly the fewest calls for a caution.
// These are the limits of the span check of the Calculate command.
#pragma once

#include <optional>

#include "engine/gearmain.h"

namespace gearmain {

struct SpanLimits {
    float fewest = 0;
    float most = 0;
    // No count lies between the limits.
    bool None() const { return most < fewest; }
    bool Allows(float teeth) const { return teeth >= fewest && teeth <= most; }
};

// The contact diameter of the span over k teeth of the given normal circular
// tooth thickness, with the base circle of the last calculation. No value when
// the span cannot be worked out. Writes the span routine's intermediates into
// the state, as the span routine does.
std::optional<double> SpanContactDiameter(GearMain& gear, float thickness, float teeth);

// The limits for the given thickness, from the base, outside diameter and
// working depth of the last calculation. No value when a span on the way
// cannot be worked out (the check refuses the count then). Writes the span
// routine's intermediates into the state.
std::optional<SpanLimits> SpanLimitsOf(GearMain& gear, float thickness);

}  // namespace gearmain
