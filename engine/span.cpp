// The tooth thickness from a measurement over pins, and the span measurement
// (base tangent length) over a number of teeth.
#include <cmath>

#include "engine/gearmain.h"

namespace gearmain {

// An arithmetic fault gives no value (0) and marks CalcFailed; a success clears
// the marker.
float GearMain::ThicknessFromMeasurement(float teeth, float& pitch, float& pressureAngle, float& measurement,
                                         float& pin, int16_t& gearType, float& helix) {
    CalcFailed = 0;
    float thickness = 0.0f;
    Guarded(FaultSite::PinThickness, gearType, [&] {
        StoreMeasurementConstants();
        const double N = teeth;
        TransverseQuantities(teeth, pitch, pressureAngle, helix);
        const float Db = BaseDiameter;
        const int side = gearType == 1 ? 1 : 2;
        const float caseNumber = Sng(side + FracPart(N / 2.0));
        const float c90 = Sng(CosD(90.0 / N, DegToRad));
        const float transverseInvolute = Sng(Involute(TransversePA));
        const float baseHelix =
            Sng(std::atan(TanD(helix, DegToRad) * CosD(TransversePA, DegToRad)) * RadToDeg);

        // Pin-centre diameter; odd tooth counts are measured across the diagonal.
        float D2 = side == 1 ? Sng(measurement - static_cast<double>(pin)) : Sng(measurement + static_cast<double>(pin));
        if (caseNumber == 1.5f || caseNumber == 2.5f) D2 = Sng(D2 / static_cast<double>(c90));
        if (D2 == 0) throw ArithmeticFault("division by zero");

        PinPA = Sng(ArcCos(Db / static_cast<double>(D2)) * RadToDeg);
        const float inv2 = Sng(Involute(PinPA));

        const double g = side == 1 ? TanD(PinPA, DegToRad) - pin * CosD(baseHelix, DegToRad) / Db
                                   : TanD(PinPA, DegToRad) + pin * CosD(baseHelix, DegToRad) / Db;
        const float contactAngle = Sng(std::atan(g) * RadToDeg);
        PinContactDiameter = Sng(Db / CosD(contactAngle, DegToRad));
        PinContactDiameter = Sng(RoundToMask(PinContactDiameter, "0.00000"));

        const float A = Sng((inv2 - static_cast<double>(transverseInvolute)) * N + Pi);
        const float B = Sng((transverseInvolute - static_cast<double>(inv2)) * N + Pi);
        const float e = Sng(pin / CosD(pressureAngle, DegToRad));
        if (side == 1) {
            thickness = Sng(A / static_cast<double>(pitch) - e);
            return;
        }
        // The internal gear's "tooth" is the space; the space width is what is
        // left of the circular pitch.
        const double q = B / static_cast<double>(pitch) - e;
        const double c = (Pi / pitch) / 2.0;
        thickness = Sng(2.0 * c - q);
    });
    return thickness;
}

double GearMain::SpanCount(double unrounded) {
    if (FracPart(unrounded) > 0.14) return std::floor(unrounded + 1.0);
    return std::nearbyint(unrounded);
}

double GearMain::UnroundedSpanCount(float teeth, float pressureAngle, float helix, float transversePA) const {
    if (helix == 0) return (pressureAngle / 180.0) * teeth + 0.5;
    if (helix > 0) {
        const double th = TanD(helix, DegToRad);
        return th * th * TanD(transversePA, DegToRad) * SinD(2.0 * transversePA, DegToRad) +
               transversePA * static_cast<double>(DegToRad) * teeth / Pi + 0.5;
    }
    return 0.0;
}

float GearMain::TeethToSpan(float teeth, float& pressureAngle, float& helix) {
    if (pressureAngle == 0) return 0.0f;
    StoreMeasurementConstants();
    TransversePA = TransversePressureAngle(pressureAngle, helix);
    return Sng(SpanCount(UnroundedSpanCount(teeth, pressureAngle, helix, TransversePA)));
}

float GearMain::SpanFromThickness(float teeth, float& pitch, float& pressureAngle, float& thickness, float& helix,
                                  float& teethSpanned) {
    StoreMeasurementConstants();
    CircPitch = Sng(Pi / pitch);
    BasePitch = Sng(CircPitch * CosD(pressureAngle, DegToRad));
    TransverseDP = Sng(pitch * CosD(helix, DegToRad));
    TransversePA = TransversePressureAngle(pressureAngle, helix);
    const float alphaT = TransversePA;
    const float tt = Sng(thickness / CosD(helix, DegToRad));
    TransCircPitch = Sng(CircPitch / CosD(helix, DegToRad));
    TransBasePitch = Sng(TransCircPitch * CosD(alphaT, DegToRad));
    PitchDiameter = Sng(teeth / static_cast<double>(TransverseDP));
    BaseDiameter = Sng(PitchDiameter * CosD(alphaT, DegToRad));
    const float D = PitchDiameter, Db = BaseDiameter;

    const double u = tt / static_cast<double>(D);
    SpanInvolute = Sng(Involute(alphaT) + u);

    double w0;
    if (helix == 0) {
        w0 = SpanInvolute * static_cast<double>(Db);
    } else {
        // Db times the cosine of the base helix angle.
        const double sinT = SinD(alphaT, DegToRad);
        if (sinT == 0.0) throw ArithmeticFault("division by zero");
        w0 = SpanInvolute * static_cast<double>(Db) * SinD(pressureAngle, DegToRad) / sinT;
        BaseHelixAngle = BaseHelixFormB(pressureAngle);
    }
    if (teethSpanned == 0) teethSpanned = Sng(SpanCount(UnroundedSpanCount(teeth, pressureAngle, helix, alphaT)));
    return Sng((teethSpanned - 1.0) * BasePitch + w0);
}

float GearMain::ThicknessFromSpan(float teeth, float& pitch, float& pressureAngle, float& span, float& teethSpanned,
                                  float& helix) {
    StoreMeasurementConstants();
    TransverseQuantities(teeth, pitch, pressureAngle, helix);
    const float alphaT = TransversePA, D = PitchDiameter, Db = BaseDiameter;
    const float transverseInvolute = Sng(Involute(alphaT));
    const double N = teeth;
    if (Db == 0 || N == 0) throw ArithmeticFault("division by zero");
    if (helix == 0) return Sng((span / static_cast<double>(Db) - ((teethSpanned - 1.0) * Pi / N + transverseInvolute)) * D);

    BaseHelixAngle = BaseHelixFormB(pressureAngle);
    const double across = static_cast<double>(D) * CosD(alphaT, DegToRad) * CosD(BaseHelixAngle, DegToRad);
    if (across == 0.0) throw ArithmeticFault("division by zero");
    const float x = Sng(span / across);
    const float y = Sng((teethSpanned - 1.0) * Pi / N);
    const float tt = Sng((x - static_cast<double>(y) - Involute(alphaT)) * D);
    return Sng(tt * CosD(helix, DegToRad));
}

Hint GearMain::BasicSpanText(float teeth, float pitch, float pressureAngle, float helix, float& teethSpanned) {
    if (teethSpanned == 0 || pressureAngle == 0 || pitch == 0 || teeth == 0) return Hint::Zero();
    float t = Sng((Pi / pitch) / 2.0);
    if (ODChange != 0) t = Sng(ThickChangeNormal + static_cast<double>(t));
    t = Sng(RoundToMask(t, "0.000000"));
    float w = SpanFromThickness(teeth, pitch, pressureAngle, t, helix, teethSpanned);
    return Hint::Of(Format(w, "0.000000"));
}

}  // namespace gearmain
