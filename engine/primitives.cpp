// The involute function and its inverse, the arc functions, and the conversions
// between circular and chordal tooth thickness.
#include <cmath>

#include "engine/gearmain.h"

namespace gearmain {

namespace {

// Far more steps than any argument that converges needs (a few hundred for an
// involute of 1e9); past it the iteration has left its range.
constexpr int kInverseInvoluteSteps = 10000;

double Checked(double v) {
    if (!std::isfinite(v)) throw ArithmeticFault("overflow");
    return v;
}

}  // namespace

double GearMain::Involute(float degrees) {
    StoreInvoluteConstants();
    return Checked(TanRadians(degrees * 0.01745329) - static_cast<double>(DegToRad) * degrees);
}

float GearMain::InverseInvolute(double involute) {
    StoreInvoluteConstants();
    // A negative involute has no real start value (a negative number to a
    // fractional power).
    if (!(involute >= 0.0) || !std::isfinite(involute)) throw ArithmeticFault("invalid involute");
    float phi = Sng(std::pow(2.5 * involute, 1.0 / 3.1));
    float previous = 0.0f;
    for (int step = 0;; ++step) {
        if (std::fabs(static_cast<float>(phi - previous)) < 0.000001) break;
        if (step >= kInverseInvoluteSteps) throw ArithmeticFault("involute iteration does not converge");
        previous = phi;
        double a1 = std::atan(phi + involute);
        double a2 = std::atan(phi - a1);
        double s = std::sin(a1 * a1);
        if (s == 0.0) throw ArithmeticFault("division by zero");
        phi = Sng(phi - a2 / s);
    }
    float degrees = Sng(phi * static_cast<double>(RadToDeg));
    // The root of tan(x) - x = inv lies in [0, 90) degrees; anything else is the
    // iteration gone astray for an argument far beyond any gear.
    if (degrees < 0.0f || degrees >= 90.0f) throw ArithmeticFault("involute out of range");
    return degrees;
}

double GearMain::Degrees(double radians) { return radians * 57.29577951; }

double GearMain::ArcSin(double x) {
    double r = 1.0 - x * x;
    if (!(r > 0.0)) throw ArithmeticFault("arcsine out of range");
    return Checked(std::atan(x / std::sqrt(r)));
}

double GearMain::ArcCos(double x) {
    if (x == 1.0) return 0.0;
    double r = 1.0 - x * x;
    if (!(r > 0.0)) throw ArithmeticFault("arccosine out of range");
    return Checked(std::atan(-x / std::sqrt(r)) + 2.0 * std::atan(1.0));
}

std::optional<float> GearMain::ChordalFromCircular(float& circular) {
    StoreChordalConstants();
    if (NumTeeth == 0 || NormalDP == 0) return std::nullopt;
    // The normal pitch diameter, also for a helical gear; the calculation puts
    // the transverse one back afterwards.
    PitchDiameter = Sng(NumTeeth / static_cast<double>(NormalDP));
    float u = Sng(circular / static_cast<double>(PitchDiameter));
    return Sng(PitchDiameter * std::sin(DegToRad * Degrees(u)));
}

float GearMain::CircularFromChordal(float chordal) {
    StoreChordalConstants();
    if (NormalDP == 0) throw ArithmeticFault("division by zero");
    PitchDiameter = Sng(NumTeeth / static_cast<double>(NormalDP));
    if (PitchDiameter == 0) throw ArithmeticFault("division by zero");
    return Sng(PitchDiameter * ArcSin(chordal / static_cast<double>(PitchDiameter)));
}

Hint GearMain::BasicThicknessText(float pitch) {
    Pi = 3.14159265;
    if (pitch == 0) return Hint::Zero();
    return Hint::Of(Format((Pi / pitch) / 2.0, "0.000000"));
}

double GearMain::BasicThicknessValue(float pitch) {
    Pi = 3.14159265;
    if (pitch == 0) return 0.0;
    return RoundToMask((Pi / pitch) / 2.0, "0.000000");
}

Hint GearMain::BasicChordalText(float pitch) {
    if (NumTeeth == 0 || pitch == 0) return Hint::Zero();
    float t = Sng((Pi / pitch) / 2.0);
    if (ODChange != 0) t = Sng(ThickChangeNormal + static_cast<double>(t));
    std::optional<float> chordal = ChordalFromCircular(t);
    return Hint::Of(Format(chordal ? *chordal : 0.0f, "0.000000"));
}

}  // namespace gearmain
