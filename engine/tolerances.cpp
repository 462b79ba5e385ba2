// The AGMA 2000-A88 gear accuracy tolerances of a quality number.
#include <cmath>

#include "engine/gearmain.h"

namespace gearmain {

namespace {

// The rounding of a tolerance to five, four or three decimals, in which the last
// kept digit is raised once the rest reaches 0.3 of it.
float RoundTolerance(float r) {
    if (r == 0) return 0;
    if (r > 0 && r <= 0.00004f) r = 0.00004f;
    if (r > 0.00004f && r <= 0.001f) r = Sng(std::floor(r * 100000.0 + 0.7) / 100000.0);
    if (r > 0.001f && r <= 0.01f) r = Sng(std::floor(r * 10000.0 + 0.7) / 10000.0);
    if (r > 0.01f) r = Sng(std::floor(r * 1000.0 + 0.7) / 1000.0);
    return r;
}

// A tolerance: 0 outside the formula's limits, else the formula in ten-thousandths.
float Tolerance(bool outOfLimits, double formula) {
    if (outOfLimits) return 0;
    float t = Sng(formula);
    return Sng(t * 0.0001);
}

}  // namespace

void GearMain::CalculateTolerances() {
    const int Q = QualityNumber;
    const double P = NormalDP, F = FaceWidth, D = PitchDiameter;
    // The virtual number of teeth stands for the tooth count and, over the pitch,
    // for the diameter.
    const float NT = Sng(NumTeeth / CosD(HelixAngle, DegToRad));
    const float P400 = Sng(400.0 * P);
    const bool common = NT < 6 || NT > 1200 || NT > P400;
    const double grade = std::pow(1.4, 8 - Q);

    TolRunout = Tolerance(common || Q < 3 || Q > 15 || P < 0.5 || (P > 8 && Q < 6) || (P > 20 && Q > 6),
                          58.0 * std::pow(NT, 0.238) * std::pow(P, -0.722) * grade);

    TolPitchVar = Tolerance(common || Q < 6 || P < 0.5 || P > 20 || Q > 15,
                            10.5 * std::pow(NT, 0.177) * std::pow(P, -0.401) * std::pow(1.42, 8 - Q));

    TolProfile = Tolerance(common || Q < 8 || P < 0.5 || P > 20 || Q > 15,
                           21.5 * std::pow(NT, 0.154) * std::pow(P, -0.589) * grade);

    const double lead = -0.00244 * std::pow(Q, 3) + 0.13638 * std::pow(Q, 2) - 2.69177 * Q + 18.956;
    TolLead = Tolerance(common || Q < 8 || P < 0.5 || P > 20 || Q > 15 || F > 10,
                        F <= 1 ? lead : lead * std::pow(F, 0.72));

    const bool composite = common || Q < 5 || (Q == 5 && P < 12) || (Q > 5 && Q < 15 && P < 0.5) ||
                           (Q == 15 && P < 20) || P > 120;
    double toothToTooth;
    if (NT <= 20) toothToTooth = 54.7 * std::pow(NT, -0.24) * std::pow(P, -0.24) * grade;
    else if (NT <= 32) toothToTooth = 38.2 * std::pow(NT, -0.13) * std::pow(P, -0.23) * grade;
    else toothToTooth = 25.0 * std::pow(P, -0.24) * grade;
    TolToothToTooth = Tolerance(composite, toothToTooth);

    double total = 0;
    if (!composite) {
        const float g = Sng(std::log(P) / std::log(10.0));
        const float c1 = Sng(5.0337 * g - 0.5153);
        const float c2 = Sng(std::pow(20.2 / P, 0.24));
        const float c3 = Sng(std::pow(P, -0.15));
        const double B = std::pow(1.16, 10.0 - c1) * grade;
        if (NT <= 20.2f) {
            total = 15.0 * std::pow(c2, c3) * B;
            if (P >= 20) total -= 0.075 * (20.0 / P - D) * (20.0 - P);
        } else {
            const float X = Sng(std::pow(std::pow(NT / P, 0.24), c3));
            total = 14.5 * X * B;
        }
    }
    TolTotalComposite = Tolerance(composite, total);

    for (float* t : {&TolRunout, &TolPitchVar, &TolProfile, &TolLead, &TolToothToTooth, &TolTotalComposite})
        *t = RoundTolerance(*t);
}

}  // namespace gearmain
