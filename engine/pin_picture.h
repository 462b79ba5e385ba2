// The picture of one measuring pin or ball in its tooth space, to scale.
//
// The transverse plane of the gear, in inches: the gear's centre at (0, 0),
// the pin's centre on the positive y axis (for odd tooth counts too: the
// picture is of one pin), y upwards. The flanks are the involutes of the base
// circle that give the tooth thickness (external) or space width (internal)
// on the pitch circle, cut off by the outside, root or inside circle.
//
// A ball in a helical gear touches each flank a little in front of or behind
// the plane of its centre, along the normal of the flank, which is inclined
// to that plane by the base helix angle: seen along the axis, each contact
// lies on the line from the ball's centre tangent to the base circle, at
// (d/2) cos(base helix) from the centre and at half the pin contact diameter
// from the gear's centre; the drawn flanks are those of the plane of the
// centre. For a spur gear the contacts are on the drawn flanks, at d/2 from the
// pin's centre.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

#include "engine/gearmain.h"

namespace gearmain {

struct Point {
    double x = 0, y = 0;
};
using Polyline = std::vector<Point>;

// The dimension over (external) or between (internal) two pins of an even
// tooth count: along the y axis, between the pins' far sides (external) or
// near sides (internal); the second pin is the first turned half a turn.
struct DimensionLine {
    Point from, to;
    double value = 0;
};

struct Box {
    double left = 0, bottom = 0, right = 0, top = 0;
};

struct PinPicture {
    bool internal = false;
    int teeth = 0;
    double rootRadius = 0, baseRadius = 0, pitchRadius = 0;
    double tipRadius = 0;  // half the outside (external) or inside (internal) diameter
    // The teeth drawn cover the directions 90 degrees +- halfAngle from the x
    // axis (radians); so do the arcs of the circles.
    double halfAngle = 0;

    Point pinCentre;
    double pinRadius = 0;
    std::array<Point, 2> contacts{};  // [0] on the right (x > 0), [1] on the left
    double contactRadius = 0;         // their distance from the centre
    double contactOffset = 0;         // their distance from the plane of the drawing (0: spur)

    // Every involute flank drawn, from its inner end outwards; the two that
    // the pin touches are flanks[rightFlank] and flanks[leftFlank].
    std::vector<Polyline> flanks;
    std::size_t rightFlank = 0, leftFlank = 0;
    // Those two flanks where the contacts are, through them: on a helical
    // gear the flanks of the planes of the contacts, the drawn ones turned
    // about the axis by contactOffset tan(base helix) / base radius; on a spur
    // gear the drawn ones.
    std::array<Polyline, 2> contactFlanks;
    // The outline of the gear across the picture: root arcs, flanks and tip
    // arcs, by increasing direction (counter-clockwise).
    Polyline outline;

    std::optional<DimensionLine> dimension;  // even tooth counts
    Box view;                                // what a fitted picture shows
};

// The picture of the last calculation's gear at a thickness (normal circular
// tooth thickness of an external gear, space width of an internal one) with a
// pin or ball of the given diameter; none when the involute routine cannot
// place the pin or the teeth have no flanks. Works on a copy of the state.
std::optional<PinPicture> PinPictureOf(const GearMain& last, float thickness, float pin);

}  // namespace gearmain
