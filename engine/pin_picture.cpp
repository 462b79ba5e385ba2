#include "engine/pin_picture.h"

#include <algorithm>
#include <cmath>

namespace gearmain {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRad = kPi / 180.0;
// Segments of an involute flank; arcs take as many as keep them smooth.
constexpr int kFlankSegments = 48;

double Inv(double alpha) { return std::tan(alpha) - alpha; }

// The roll of the involute of the base radius at radius r (tan of the
// pressure angle there); 0 on or inside the base circle.
double Roll(double r, double rb) {
    const double q = r / rb;
    return q > 1.0 ? std::sqrt(q * q - 1.0) : 0.0;
}

// A point of the outline in polar form (direction unwrapped, radians).
struct Polar {
    double r, angle;
};

Point ToPoint(const Polar& p) { return {p.r * std::cos(p.angle), p.r * std::sin(p.angle)}; }

// The involute bodies of the picture: the teeth of an external gear, the
// spaces of an internal one. A body centred on the direction c has its flanks
// at c -+ Half(r): half its thickness on the pitch circle, plus the involute
// of the pitch circle, less the involute at r.
struct Body {
    double rb, pitchHalf;  // pitchHalf: half the transverse thickness over the pitch radius, plus inv(alpha_t)
    double Half(double r) const { return pitchHalf - (Roll(r, rb) - std::atan(Roll(r, rb))); }
};

// Where the body comes to a point (its half angle 0), between r0 (still
// thick) and r1.
double PointRadius(const Body& body, double r0, double r1) {
    for (int i = 0; i < 200 && r1 - r0 > 1e-12 * r1; ++i) {
        const double mid = (r0 + r1) / 2.0;
        if (body.Half(mid) > 0) r0 = mid;
        else r1 = mid;
    }
    return r0;
}

// A flank from r0 outwards to r1, on the side given (-1 right, +1 left) of
// the body centred on c, evenly in the roll.
std::vector<Polar> Flank(const Body& body, double c, int side, double r0, double r1) {
    std::vector<Polar> points;
    const double u0 = Roll(r0, body.rb), u1 = Roll(r1, body.rb);
    for (int i = 0; i <= kFlankSegments; ++i) {
        const double u = u0 + (u1 - u0) * i / kFlankSegments;
        double r = body.rb * std::sqrt(1.0 + u * u);
        if (i == 0) r = r0;
        if (i == kFlankSegments) r = r1;
        points.push_back({r, c + side * body.Half(r)});
    }
    return points;
}

// An arc at radius r from direction a to b, in steps fine enough that a chord
// strays from the arc by less than the tolerance.
void AppendArc(std::vector<Polar>& out, double r, double a, double b, double tolerance) {
    const double step = std::min(0.5 * kRad, std::sqrt(8.0 * tolerance / std::max(r, 1e-12)));
    const int n = std::clamp(static_cast<int>(std::ceil(std::fabs(b - a) / step)), 1, 4000);
    for (int i = 0; i <= n; ++i) out.push_back({r, a + (b - a) * i / n});
}

void Append(std::vector<Polar>& out, const std::vector<Polar>& points) {
    out.insert(out.end(), points.begin(), points.end());
}

// The part of an outline (directions not decreasing) between two directions.
std::vector<Polar> Clip(const std::vector<Polar>& in, double from, double to) {
    std::vector<Polar> out;
    for (std::size_t i = 0; i < in.size(); ++i) {
        const Polar& p = in[i];
        if (i > 0) {
            const Polar& q = in[i - 1];
            for (double edge : {from, to}) {
                if (q.angle < edge && p.angle > edge) {
                    const double f = (edge - q.angle) / (p.angle - q.angle);
                    out.push_back({q.r + (p.r - q.r) * f, edge});
                }
            }
        }
        if (p.angle >= from && p.angle <= to) out.push_back(p);
    }
    return out;
}

}  // namespace

std::optional<PinPicture> PinPictureOf(const GearMain& last, float thickness, float pin) {
    GearMain gear = last;
    gear.CalcFailed = 0;
    float t = thickness, d = pin;
    int16_t type = gear.GearType;
    const float measurement =
        gear.MeasurementFromThickness(gear.NumTeeth, gear.NormalDP, gear.NormalPA, t, d, type, gear.HelixAngle);
    if (gear.CalcFailed == -1) return std::nullopt;
    const double N = gear.NumTeeth;
    if (!(N >= 3) || gear.BaseDiameter <= 0 || gear.PitchDiameter <= 0) return std::nullopt;

    PinPicture pic;
    pic.internal = type != 1;
    pic.teeth = static_cast<int>(N);
    const double rb = gear.BaseDiameter / 2.0, D = gear.PitchDiameter;
    const double alphaT = gear.TransversePA * kRad;
    const double helix = gear.HelixAngle * kRad;
    const double baseHelix = std::atan(std::tan(helix) * std::cos(alphaT));
    const double phi = gear.PinPA * kRad;

    pic.baseRadius = rb;
    pic.pitchRadius = D / 2.0;
    pic.rootRadius = gear.RootDiameter / 2.0;
    pic.tipRadius = (pic.internal ? gear.InsideDiameter : gear.OutsideDiameter) / 2.0;
    pic.halfAngle = std::min(4.0 * kPi / N, kPi);

    // The pin: its centre where the involute routine put it, its contacts on
    // the lines from the centre tangent to the base circle.
    const double rc = rb / std::cos(phi);
    pic.pinCentre = {0.0, rc};
    pic.pinRadius = pin / 2.0;
    const double e = pin / 2.0 * std::cos(baseHelix);
    const double dy = pic.internal ? e * std::sin(phi) : -e * std::sin(phi);
    pic.contacts = {Point{e * std::cos(phi), rc + dy}, Point{-e * std::cos(phi), rc + dy}};
    pic.contactRadius = std::hypot(pic.contacts[0].x, pic.contacts[0].y);
    pic.contactOffset = pin / 2.0 * std::sin(baseHelix);

    const double transverse = thickness / std::cos(helix);
    const Body body{rb, transverse / D + Inv(alphaT)};
    const double pitchAngle = 2.0 * kPi / N;
    const double from = kPi / 2.0 - pic.halfAngle, to = kPi / 2.0 + pic.halfAngle;
    const double tolerance = 2e-5 * std::max(D / N, 1e-6);
    const int reach = static_cast<int>(std::ceil(pic.halfAngle / pitchAngle)) + 1;

    std::vector<Polar> outline;
    std::vector<std::vector<Polar>> flanks;
    // A flank of a body within the picture is kept; the two that touch the pin
    // are noted.
    auto keepFlank = [&](const std::vector<Polar>& f, double centre, std::size_t* touching) {
        if (std::fabs(centre - kPi / 2.0) > pic.halfAngle + pitchAngle / 2.0) return;
        flanks.push_back(f);
        if (touching) *touching = flanks.size() - 1;
    };
    // Flank, tip or bottom arc, and flank of the body centred on c, by
    // increasing direction.
    auto appendBody = [&](double c, double r0, double r1, std::size_t* right, std::size_t* left) {
        if (r1 <= r0) return;
        std::vector<Polar> rising = Flank(body, c, -1, r0, r1);
        std::vector<Polar> falling = Flank(body, c, +1, r0, r1);
        keepFlank(rising, c, right);
        keepFlank(falling, c, left);
        Append(outline, rising);
        AppendArc(outline, r1, c - body.Half(r1), c + body.Half(r1), tolerance);
        std::reverse(falling.begin(), falling.end());
        Append(outline, falling);
    };

    if (!pic.internal) {
        // Teeth centred half a pitch either side of the pin's space.
        const double r0 = std::max(rb, pic.rootRadius);
        double r1 = pic.tipRadius;
        if (body.Half(r1) < 0) r1 = PointRadius(body, r0, r1);
        const double foot = std::clamp(body.Half(r0), 0.0, pitchAngle / 2.0);
        for (int j = -reach; j < reach; ++j) {
            const double c = kPi / 2.0 + (2 * j + 1) * pitchAngle / 2.0;
            // The root between the last tooth and this one; below the base
            // circle the flanks run radially to the root.
            AppendArc(outline, pic.rootRadius, c - pitchAngle + foot, c - foot, tolerance);
            // The pin touches the facing flanks of the teeth either side.
            appendBody(c, r0, r1, j == 0 ? &pic.leftFlank : nullptr, j == -1 ? &pic.rightFlank : nullptr);
            outline.push_back({pic.rootRadius, c + foot});
        }
        const double last = kPi / 2.0 + (2 * reach - 1) * pitchAngle / 2.0;
        AppendArc(outline, pic.rootRadius, last + foot, last + pitchAngle - foot, tolerance);
    } else {
        // Spaces centred on the pin's direction and a pitch apart; the teeth
        // between them end on the inside circle.
        const double r0 = std::max(rb, pic.tipRadius);
        double r1 = pic.rootRadius;
        if (body.Half(r1) < 0) r1 = PointRadius(body, r0, r1);
        const double edge = std::clamp(body.Half(r0), 0.0, pitchAngle / 2.0);
        for (int j = -reach; j <= reach; ++j) {
            const double c = kPi / 2.0 + j * pitchAngle;
            AppendArc(outline, r0, c - pitchAngle + edge, c - edge, tolerance);
            appendBody(c, r0, r1, j == 0 ? &pic.rightFlank : nullptr, j == 0 ? &pic.leftFlank : nullptr);
        }
        const double last = kPi / 2.0 + reach * pitchAngle;
        AppendArc(outline, r0, last + edge, last + pitchAngle - edge, tolerance);
    }

    // Teeth without flanks (no depth between the circles, say a whole depth of 0):
    // there is nothing for the pin to touch, and no picture.
    if (flanks.empty()) return std::nullopt;
    for (const Polar& p : Clip(outline, from, to)) pic.outline.push_back(ToPoint(p));
    for (const std::vector<Polar>& f : flanks) {
        Polyline line;
        for (const Polar& p : f) line.push_back(ToPoint(p));
        pic.flanks.push_back(std::move(line));
    }
    // A flank of a helicoid a distance z along the axis is the flank of the
    // drawing turned by z tan(base helix) / rb; the contact on the right lies
    // towards the pin's side of the drawn flank, the left one likewise.
    const double turn = pic.contactOffset * std::tan(baseHelix) / rb;
    for (int side = 0; side < 2; ++side) {
        const double by = side == 0 ? turn : -turn;
        for (const Polar& p : flanks[side == 0 ? pic.rightFlank : pic.leftFlank])
            pic.contactFlanks[side].push_back(ToPoint({p.r, p.angle + by}));
    }

    if (std::fmod(N, 2.0) == 0.0) {
        const double y = pic.internal ? rc - pin / 2.0 : rc + pin / 2.0;
        pic.dimension = DimensionLine{{0.0, y}, {0.0, -y}, measurement};
    }

    // A fitted picture shows the pin, the teeth either side of it and the
    // circles below them, with a margin.
    Box box{pic.pinCentre.x - pic.pinRadius, pic.pinCentre.y - pic.pinRadius, pic.pinCentre.x + pic.pinRadius,
            pic.pinCentre.y + pic.pinRadius};
    auto take = [&](const Point& p) {
        box.left = std::min(box.left, p.x);
        box.right = std::max(box.right, p.x);
        box.bottom = std::min(box.bottom, p.y);
        box.top = std::max(box.top, p.y);
    };
    const double shown = std::min(pitchAngle, kPi);
    for (const Polar& p : outline)
        if (std::fabs(p.angle - kPi / 2.0) <= shown) take(ToPoint(p));
    take({0.0, std::min({rb, pic.rootRadius, pic.tipRadius})});
    const double margin = 0.08 * std::max(box.right - box.left, box.top - box.bottom);
    pic.view = {box.left - margin, box.bottom - margin, box.right + margin, box.top + margin};
    return pic;
}

}  // namespace gearmain
