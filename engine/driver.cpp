// CalculateGear: from the entered feature to every result of the pages.
#include <algorithm>
#include <cmath>

#include "engine/gearmain.h"
#include "engine/features.h"
#include "engine/messages.h"

namespace gearmain {

// The K factor belongs to the basic thickness. A pin that does not reach the
// flanks of the basic tooth (the tooth entered may be thicker) has none there:
// the measurement of the tooth entered stands without it.
float GearMain::BasicKFactor(float pin) {
    float basic = Sng((Pi / NormalDP) / 2.0);
    const float marker = CalcFailed;
    KFactor = 0;
    MeasurementFromThickness(NumTeeth, NormalDP, NormalPA, basic, pin, GearType, HelixAngle);
    if (CalcFailed != -1) return KFactor;
    CalcFailed = marker;
    fault_.reset();
    return 0;
}

CalculationReport GearMain::CalculateGear(const CalculationInput& input) {
    CalculationReport report;
    AssignText(InputFeature, input.feature);
    fault_.reset();
    if (CalcFailed == -1) return report;
    CalcFailed = 0;
    if (std::optional<Fault> depth = DepthFault()) {
        CalcFailed = -1;
        report.fault = depth;
        return report;
    }

    // What the calculation is doing when a formula without a fault site of its
    // own fails: it decides the message and the entry at fault.
    FaultSite stage = FaultSite::Conversion;
    Guarded(stage, GearType, [&] {
        float tb = Sng((Pi / NormalDP) / 2.0);
        // The basic thickness of the finished root diameter; the backlash
        // conversion below moves tb by the O.D. change, which the finished root
        // must not count a second time.
        const float rootBasis = tb;
        TransversePA = TransversePressureAngle(NormalPA, HelixAngle);
        if (HelixAngle != 0) BaseHelixAngle = BaseHelixFormB(NormalPA);

        KFactor = 0;
        FaceWidth = SngEntry(Val(input.faceWidthText));
        const bool range = input.featureRange;

        // The pin contact diameters as their texts read (0 for no second).
        double contact1 = 0, contact2 = 0;

        // Dimension over or between pins of Thick1 (and Thick2), with the pin
        // contact diameters; false when the involute routine failed.
        auto measureOverPins = [&]() {
            float m1 = MeasurementFromThickness(NumTeeth, NormalDP, NormalPA, Thick1, PinDiameter, GearType, HelixAngle);
            if (CalcFailed == -1) return false;
            m1 = Sng(RoundToMask(m1, "0.000000"));
            const float pc1 = PinContactDiameter;
            contact1 = RoundToMask(pc1, "0.000000");
            contact2 = 0;
            FormatTo(MeasureText, m1, "0.000000");
            FormatTo(PinContactText, pc1, "0.000000");
            if (Thick2 != 0) {
                float m2 = MeasurementFromThickness(NumTeeth, NormalDP, NormalPA, Thick2, PinDiameter, GearType,
                                                    HelixAngle);
                if (CalcFailed == -1) return false;
                m2 = Sng(RoundToMask(m2, "0.000000"));
                contact2 = RoundToMask(PinContactDiameter, "0.000000");
                MeasureText = RangeText(m1, m2);
                PinContactText = RangeText(pc1, PinContactDiameter);
            }
            return true;
        };

        // Span measurement of Thick1 (and Thick2) over TeethSpanned teeth.
        auto spanOfThickness = [&]() {
            stage = FaultSite::Span;
            float w1 = SpanFromThickness(NumTeeth, NormalDP, NormalPA, Thick1, HelixAngle, TeethSpanned);
            w1 = Sng(RoundToMask(w1, "0.000000"));
            SpanResult = w1;
            FormatTo(SpanText, w1, "0.000000");
            if (Thick2 != 0) {
                float w2 = SpanFromThickness(NumTeeth, NormalDP, NormalPA, Thick2, HelixAngle, TeethSpanned);
                w2 = Sng(RoundToMask(w2, "0.000000"));
                SpanText = RangeText(w1, w2);
                SpanResult = std::max(w1, w2);
            }
        };

        auto chordal = [&]() {
            stage = FaultSite::Chordal;
            Chordal1 = ChordalFromCircular(Thick1).value_or(0.0f);
            FormatTo(ChordalText, Chordal1, "0.000000");
            if (Thick2 != 0) {
                Chordal2 = ChordalFromCircular(Thick2).value_or(0.0f);
                ChordalText = RangeText(Chordal1, Chordal2);
            }
        };

        auto radial = [&]() {
            MeasurementFromThickness(NumTeeth, NormalDP, NormalPA, Thick1, PinDiameter, GearType, HelixAngle);
            if (CalcFailed == -1) return false;
            FormatTo(RadialText, RadialDim, "0.000000");
            if (Thick2 != 0) {
                const float r1 = RadialDim;
                MeasurementFromThickness(NumTeeth, NormalDP, NormalPA, Thick2, PinDiameter, GearType, HelixAngle);
                if (CalcFailed == -1) return false;
                RadialText = RangeText(r1, RadialDim);
            }
            return true;
        };

        const bool spanInput = SameText(InputFeature, feature::kSpan);
        if (SameText(InputFeature, feature::kBacklash)) {
            tb = Sng(tb + static_cast<double>(ThickChangeNormal));
            if (GearType == 1) {
                Thick1 = Sng(tb - static_cast<double>(Backlash1));
                Thick2 = Sng(tb - static_cast<double>(Backlash2));
            } else {
                Thick1 = Sng(Backlash1 + static_cast<double>(tb));
                Thick2 = Sng(Backlash2 + static_cast<double>(tb));
            }
            if (range) {
                ThickText = RangeText(Thick1, Thick2);
            } else {
                FormatTo(ThickText, Thick1, "0.000000");
                Thick2 = 0;
            }
        } else if (SameText(InputFeature, feature::kChordalThickness) || SameText(InputFeature, feature::kChordalSpace)) {
            stage = FaultSite::Chordal;
            Thick1 = CircularFromChordal(Thick1);
            FormatTo(ChordalInText, Thick1, "0.000000");
            if (Thick2 != 0) {
                Thick2 = CircularFromChordal(Thick2);
                ThickText = RangeText(Thick1, Thick2);
            }
        }

        if (spanInput) {
            // The thickness from the measured span, then everything a pin shows.
            stage = FaultSite::Span;
            PinDiameter = Sng(StandardPinDia(GearType, NumTeeth, NormalDP, NormalPA).Value());
            Thick1 = ThicknessFromSpan(NumTeeth, NormalDP, NormalPA, Measure1, TeethSpanned, HelixAngle);
            FormatTo(ThickText, Thick1, "0.000000");
            if (Measure2 != 0) {
                Thick2 = ThicknessFromSpan(NumTeeth, NormalDP, NormalPA, Measure2, TeethSpanned, HelixAngle);
                ThickText = RangeText(Thick1, Thick2);
            }
            if (!measureOverPins()) return;
            chordal();
            if (!radial()) return;
            // The pin of a measured span is the standard pin, for information:
            // the span gives no K factor, whatever thickness it comes to.
            KFactor = 0;
        } else {
            switch (CalcMode) {
                case 1:
                    if (!measureOverPins()) return;
                    break;
                case 2: {
                    Thick1 = ThicknessFromMeasurement(NumTeeth, NormalDP, NormalPA, Measure1, PinDiameter, GearType,
                                                      HelixAngle);
                    // A second call would clear the marker of a failed first one.
                    if (CalcFailed == -1) return;
                    const float pc1 = PinContactDiameter;
                    contact1 = RoundToMask(pc1, "0.000000");
                    FormatTo(ThickText, Thick1, "0.000000");
                    FormatTo(PinContactText, pc1, "0.000000");
                    if (Measure2 != 0) {
                        Thick2 = ThicknessFromMeasurement(NumTeeth, NormalDP, NormalPA, Measure2, PinDiameter,
                                                          GearType, HelixAngle);
                        if (CalcFailed == -1) return;
                        contact2 = RoundToMask(PinContactDiameter, "0.000000");
                        ThickText = RangeText(Thick1, Thick2);
                        PinContactText = RangeText(pc1, PinContactDiameter);
                    }
                    break;
                }
                case 3:
                    spanOfThickness();
                    PinDiameter = Sng(StandardPinDia(GearType, NumTeeth, NormalDP, NormalPA).Value());
                    if (!measureOverPins()) return;
                    break;
                default:
                    break;
            }

            // The span of an external gear, for information; the span routine
            // chooses the number of teeth.
            if (GearType == 1 && CalcMode != 3) {
                TeethSpanned = 0;
                spanOfThickness();
            }
            chordal();
            stage = FaultSite::Conversion;
            if (!radial()) return;

            KFactor = BasicKFactor(PinDiameter);
        }

        stage = FaultSite::Dimensions;
        const bool pointed = GearDimensions(rootBasis);
        if (QualityNumber != 0) CalculateTolerances();
        report.pinWarnings = PinContactChecks(contact1, contact2);
        if (pointed)
            report.cautions.push_back({GearType == 1 ? msg::kPointedTooth : msg::kPointedInternalTooth,
                                       MsgIcon::Exclamation, MsgButtons::OK, Field::None});
    });
    report.fault = TakeFault();
    return report;
}

}  // namespace gearmain
