// The dimension over (external) or between (internal) two pins or balls.
#include <array>
#include <bit>
#include <cmath>

#include "engine/gearmain.h"

namespace gearmain {

std::optional<float> GearMain::StandardPin(int16_t& gearType, float teeth, float pitch, float pressureAngle) {
    if (teeth == 0 || pitch == 0 || pressureAngle == 0) return std::nullopt;
    if (gearType == 0) gearType = 1;
    double p = pitch;
    float pin = 0.0f;
    if (gearType == 1) {
        pin = Sng(pressureAngle < 30 ? 1.728 / p : 1.92 / p);
    } else if (gearType == 2) {
        // A later rule overrides an earlier one: few teeth always take the small pin.
        pin = Sng(1.44 / p);
        if (pressureAngle >= 30) pin = Sng(1.728 / p);
        if (pressureAngle > 37.5) pin = Sng(1.92 / p);
        if (teeth < 8) pin = Sng(1.44 / p);
    }
    return pin;
}

Hint GearMain::StandardPinDia(int16_t& gearType, float& teeth, float& pitch, float& pressureAngle) {
    std::optional<float> pin = StandardPin(gearType, teeth, pitch, pressureAngle);
    return pin ? Hint::Of(Format(*pin, "0.00000")) : Hint::Zero();
}

double GearMain::StandardPinValue(int16_t& gearType, float& teeth, float& pitch, float& pressureAngle) {
    std::optional<float> pin = StandardPin(gearType, teeth, pitch, pressureAngle);
    return pin ? RoundToMask(*pin, "0.00000") : 0.0;
}

// An arithmetic fault gives no value (0) and marks CalcFailed.
float GearMain::MeasurementFromThickness(float teeth, float& pitch, float& pressureAngle, float& thickness,
                                         float& pin, int16_t& gearType, float& helix) {
    // On success it reads nothing but its arguments (the constants it uses it
    // stores itself): the same arguments, the same measurement.
    auto bits = [](float v) { return std::bit_cast<uint32_t>(v); };
    const std::array<uint32_t, 7> from = {bits(teeth), bits(pitch), bits(pressureAngle), bits(thickness),
                                          bits(pin),   bits(helix), static_cast<uint16_t>(gearType)};
    PinMeasurement& last = lastPinMeasurement_;
    if (last.valid && SameBits(last.from, from)) {
        Pi = last.pi;
        DegToRad = last.degToRad;
        RadToDeg = last.radToDeg;
        TransverseDP = last.transverseDP;
        TransversePA = last.transversePA;
        PitchDiameter = last.pitchDiameter;
        BaseDiameter = last.baseDiameter;
        PinPA = last.pinPA;
        PinContactDiameter = last.contactDiameter;
        RadialDim = last.radial;
        if (last.kFactorWritten) KFactor = last.kFactor;
        return last.measurement;
    }
    last.valid = false;
    float M = 0.0f;
    Guarded(FaultSite::PinMeasurement, GearType, [&] {
        StoreMeasurementConstants();
        const double N = teeth;
        const int side = gearType == 1 ? 1 : 2;
        const float caseNumber = Sng(side + FracPart(N / 2.0));

        TransverseQuantities(teeth, pitch, pressureAngle, helix);
        const float D = PitchDiameter, Db = BaseDiameter;
        const float transverseInvolute = Sng(Involute(TransversePA));
        // A spur gear's base helix is 0: tan 0 is exactly 0, and so is its arctangent.
        const double tanHelix = TanD(helix, DegToRad);
        const float baseHelix =
            tanHelix == 0 ? 0.0f : Sng(std::atan(tanHelix * CosD(TransversePA, DegToRad)) * RadToDeg);

        // The pin seen in the transverse plane, and the transverse thickness.
        const double dt = pin / CosD(baseHelix, DegToRad);
        const double tt = thickness / CosD(helix, DegToRad);
        // Odd tooth counts are measured across the diagonal, hence cos(90/N).
        const bool odd = caseNumber != 1.0f && caseNumber != 2.0f;
        const float c90 = odd ? Sng(CosD(90.0 / N, DegToRad)) : 0.0f;

        // Involute of the pressure angle at the pin centre.
        const float inv2 = side == 1 ? Sng(dt / Db + tt / D + transverseInvolute - Pi / N)
                                     : Sng(tt / D + transverseInvolute - dt / Db);
        PinPA = InverseInvolute(inv2);
        // Within a tenth of a degree of 90 a Single angle no longer resolves the
        // pin-centre diameter Db / cos(angle): a pin that large is outside the
        // measurement, not a number to show.
        if (PinPA >= 89.9f) throw ArithmeticFault("pin centre beyond the measurable range");
        const float D2 = Sng(Db / CosD(PinPA, DegToRad));

        // Where the pin touches the flank.
        const double g = side == 1 ? TanD(PinPA, DegToRad) - pin * CosD(baseHelix, DegToRad) / Db
                                   : TanD(PinPA, DegToRad) + pin * CosD(baseHelix, DegToRad) / Db;
        const float contactAngle = Sng(std::atan(g) * RadToDeg);
        PinContactDiameter = Sng(Db / CosD(contactAngle, DegToRad));
        PinContactDiameter = Sng(RoundToMask(PinContactDiameter, "0.00000"));

        float m = 0.0f;
        if (caseNumber == 1.0f) m = Sng(D2 + static_cast<double>(pin));
        else if (caseNumber == 1.5f) m = Sng(c90 * static_cast<double>(D2) + pin);
        else if (caseNumber == 2.0f) m = Sng(D2 - static_cast<double>(pin));
        else if (caseNumber == 2.5f) m = Sng(c90 * static_cast<double>(D2) - pin);

        RadialDim = side == 1 ? Sng((D2 + static_cast<double>(pin)) / 2.0) : Sng((D2 - static_cast<double>(pin)) / 2.0);

        // The K factor belongs to the basic thickness only.
        last.kFactorWritten = false;
        if (std::fabs(Pi / pitch / 2.0 - thickness) <= 0.00011) {
            const double sinPin = SinD(PinPA, DegToRad);
            if (sinPin == 0.0) throw ArithmeticFault("division by zero");
            if (helix == 0) {
                if (caseNumber == 1.0f || caseNumber == 2.0f)
                    KFactor = Sng(CosD(pressureAngle, DegToRad) / sinPin);
                else
                    KFactor = Sng(CosD(pressureAngle, DegToRad) * c90 / sinPin);
            } else {
                KFactor = Sng(CosD(TransversePA, DegToRad) / sinPin);
            }
            last.kFactorWritten = true;
            last.kFactor = KFactor;
        }
        M = m;
        last.from = from;
        last.measurement = m;
        last.pi = Pi;
        last.degToRad = DegToRad;
        last.radToDeg = RadToDeg;
        last.transverseDP = TransverseDP;
        last.transversePA = TransversePA;
        last.pitchDiameter = PitchDiameter;
        last.baseDiameter = BaseDiameter;
        last.pinPA = PinPA;
        last.contactDiameter = PinContactDiameter;
        last.radial = RadialDim;
        last.valid = true;
    });
    return M;
}

Hint GearMain::BasicMeasurementText(int16_t gearType, float teeth, float pitch, float pressureAngle, float helix,
                                    float& pin) {
    if (pin == 0 || pressureAngle == 0 || pitch == 0 || teeth == 0) return Hint::Zero();
    Pi = 3.14159265;
    float t = Sng((Pi / pitch) / 2.0);
    if (ODChange != 0) t = Sng(ThickChangeNormal + static_cast<double>(t));
    float m = MeasurementFromThickness(teeth, pitch, pressureAngle, t, pin, gearType, helix);
    return Hint::Of(Format(m, "0.000000"));
}

}  // namespace gearmain
