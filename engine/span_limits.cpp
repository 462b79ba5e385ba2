#include "engine/span_limits.h"

#include <cmath>

namespace gearmain {

namespace {

// The span over k teeth is a tangent to the base circle of radius rb: the
// anvils touch at sqrt((W/2)^2 + rb^2) from the centre. A fault, or a value
// that is not finite, gives no diameter.
std::optional<double> ContactDiameter(GearMain& gear, float thickness, float k, double rb) {
    try {
        float teeth = k;  // the span routine may write the count back
        float span =
            gear.SpanFromThickness(gear.NumTeeth, gear.NormalDP, gear.NormalPA, thickness, gear.HelixAngle, teeth);
        double half = span / 2.0;
        double d = 2.0 * std::sqrt(half * half + rb * rb);
        if (!std::isfinite(d)) return std::nullopt;
        return d;
    } catch (const ArithmeticFault&) {
        return std::nullopt;
    }
}

}  // namespace

std::optional<double> SpanContactDiameter(GearMain& gear, float thickness, float teeth) {
    return ContactDiameter(gear, thickness, teeth, gear.BaseDiameter / 2.0);
}

std::optional<SpanLimits> SpanLimitsOf(GearMain& gear, float thickness) {
    const double rb = gear.BaseDiameter / 2.0;
    float k0 = 0;
    try {
        k0 = gear.TeethToSpan(gear.NumTeeth, gear.NormalPA, gear.HelixAngle);
    } catch (const ArithmeticFault&) {
        return std::nullopt;
    }

    // Spanning more teeth moves the contact outwards: the first count whose
    // contact lies beyond the outside diameter is one too many.
    float beyond = 0;
    float k = k0;
    for (float tries = 0; tries < gear.NumTeeth; ++tries, ++k) {
        std::optional<double> d = ContactDiameter(gear, thickness, k, rb);
        if (!d) return std::nullopt;
        if (*d > gear.OutsideDiameter) {
            beyond = k;
            break;
        }
    }
    SpanLimits limits;
    limits.most = beyond > 0 ? beyond - 1 : 0;

    // Spanning fewer moves it inwards, towards the root.
    const float rootLimit = static_cast<float>(gear.OutsideDiameter - 2.0 * gear.WorkingDepth);
    k = k0;
    for (float tries = 0; tries < beyond && k >= 1; ++tries, --k) {
        std::optional<double> d = ContactDiameter(gear, thickness, k, rb);
        if (!d) return std::nullopt;
        if (*d < rootLimit) {
            limits.fewest = k;
            break;
        }
    }
    if (limits.fewest < 1) limits.fewest = 1;
    return limits;
}

}  // namespace gearmain
