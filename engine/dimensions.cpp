// The gear dimensions of the depth system, and the pin contact checks.
#include <algorithm>
#include <cmath>
#include <optional>

#include "engine/gearmain.h"
#include "engine/features.h"
#include "engine/messages.h"

namespace gearmain {

namespace {

// The shaped full fillet: its whole depth times the pitch, and its name, for
// the three pressure angles it is defined for.
struct ShapedDepth {
    double depthTimesPitch;
    const char* name;
};

std::optional<ShapedDepth> ShapedFullFillet(float pressureAngle) {
    if (pressureAngle == 14.5f) return ShapedDepth{2.44, "FULL FILLET SHAPED(2.44/DP)"};
    if (pressureAngle == 20.0f) return ShapedDepth{2.35, "Full Fillet(2.35/DP)"};
    if (pressureAngle == 25.0f) return ShapedDepth{2.25, "Full Fillet(2.25/DP)"};
    return std::nullopt;
}

}  // namespace

std::optional<Fault> GearMain::DepthFault() const {
    if (DepthSystem == 4 && !ShapedFullFillet(NormalPA)) return Fault{msg::kShapedDepthAngles, Field::PressureAngle};
    return std::nullopt;
}

bool GearMain::GearDimensions(float basicThickness) {
    if (DepthSystem == 0) DepthSystem = 1;
    if (DepthPitch == 0) DepthPitch = NormalDP;
    const double P = NormalDP, Pd = DepthPitch;

    Addendum = Sng(1.0 / P + 0.5 * ODChangeCopy);
    switch (DepthSystem) {
        case 1:
            if (P < 20) {
                WholeDepth = Sng(2.25 / P);
                DepthName = "AGMA Course(2.25/DP)";
            } else {
                WholeDepth = Sng(2.2 / P + 0.002);
                DepthName = "AGMA Fine([2.2/DP]+.002)";
            }
            break;
        case 2:
            WholeDepth = Sng(2.157 / P);
            DepthName = "Old Standard(2.157/DP)";
            break;
        case 3:
            WholeDepth = Sng(2.335 / P);
            DepthName = "Full Fillet(2.335/DP)";
            break;
        case 4:
            // Defined for three pressure angles only: the calculation refuses
            // any other before it comes here (DepthFault).
            if (std::optional<ShapedDepth> shaped = ShapedFullFillet(NormalPA)) {
                WholeDepth = Sng(shaped->depthTimesPitch / P);
                DepthName = shaped->name;
            }
            break;
        case 5:
            if (P < 20) {
                WholeDepth = Sng(2.35 / P);
                DepthName = "Pre-Grind/Shave(2.35/DP)";
            } else {
                WholeDepth = Sng(2.4 / P + 0.002);
                DepthName = "Pre-Grind/Shave([2.4/DP]+.002)";
            }
            break;
        case 6:
            WholeDepth = Sng(1.8 / P);
            DepthName = "AGMA Stub Pitch(1.8/DP)";
            break;
        case 7:
            WholeDepth = Sng(2.0 / P);
            Addendum = Sng(1.2 / P);
            DepthName = "AGMA Stub Full Fillet(2.0/DP)";
            break;
        case 8:
            WholeDepth = Sng(2.25 / Pd);
            Addendum = Sng(1.25 / Pd);
            DepthName = "Combination Pitch(2.25/Pitch Fraction)";
            break;
        case 9:
            WholeDepth = SngEntry(Val(CutterDepthText));
            DepthName = "User Entered Whole Depth";
            break;
        default:
            break;
    }

    Dedendum = Sng(WholeDepth - static_cast<double>(Addendum));
    OutsideDiameter = Sng(2.0 * Addendum + PitchDiameter);

    if (GearType != 1) {
        // The inside diameter of an internal gear never lies below its base circle.
        InsideDiameter = Sng((NumTeeth - 2.0) / TransverseDP + ODChangeCopy);
        BaseDiameter = Sng(PitchDiameter * CosD(TransversePA, DegToRad));
        if (InsideDiameter < BaseDiameter) {
            WholeDepth = Sng(WholeDepth - (BaseDiameter - static_cast<double>(InsideDiameter)) / 2.0);
            InsideDiameter = BaseDiameter;
        }
    }

    RootDiameter = GearType == 1 ? Sng(OutsideDiameter - 2.0 * WholeDepth)
                                 : Sng(2.0 * WholeDepth + InsideDiameter + ODChangeCopy);

    // Root diameter after cutting to the thickness: each thousandth thinner
    // than the basic tooth sinks the cutter by 0.001/tan(PA) on the diameter.
    const double tanPA = TanD(NormalPA, DegToRad);
    if (tanPA == 0.0) throw ArithmeticFault("division by zero");
    const double t0 = ThickChangeNormal + static_cast<double>(basicThickness);
    auto finishedRoot = [&](float thickness) {
        return GearType == 1 ? Sng(RootDiameter - (t0 - thickness) / tanPA)
                             : Sng(RootDiameter + (t0 - thickness) / tanPA);
    };
    const float r1 = finishedRoot(Thick1);
    if (Thick2 != 0) FinishedRootText = RangeText(r1, finishedRoot(Thick2));
    else FormatTo(FinishedRootText, r1, "0.000000");

    // Tooth thickness at the tip (external) or at the inside diameter (internal).
    auto tipLand = [&](float value) {
        const double R = PitchDiameter / 2.0;
        const double Ro = GearType == 1 ? OutsideDiameter / 2.0 : InsideDiameter / 2.0;
        double thickness = GearType == 1 ? value : Pi / NormalDP - value;
        if (HelixAngle > 0) thickness /= CosD(HelixAngle, DegToRad);
        if (Ro == 0.0 || R == 0.0) throw ArithmeticFault("division by zero");
        const double c = std::min(R * CosD(NormalPA, DegToRad) / Ro, 1.0);
        const float tipAngle = Sng(ArcCos(c) * RadToDeg);
        double land = GearType == 1
                          ? 2.0 * Ro * (thickness / (2.0 * R) + Involute(NormalPA) - Involute(tipAngle))
                          : 2.0 * Ro * (thickness / (2.0 * R) - Involute(NormalPA) + Involute(tipAngle));
        return Sng(land * CosD(HelixAngle, DegToRad));
    };
    const float land1 = tipLand(Thick1);
    const float land2 = Thick2 != 0 ? tipLand(Thick2) : land1;
    if (Thick2 != 0) TipLandText = RangeText(land1, land2, "0.00000");
    else FormatTo(TipLandText, land1, "0.00000");
    // The flanks meet at or before the tip: the land shown is not above 0.
    auto pointed = [](float land) { return RoundToMask(land, "0.00000") <= 0; };

    if (PitchDiameter == 0) throw ArithmeticFault("division by zero");
    const double theta = CosD(HelixAngle, DegToRad) * 57.29578 * Thick1 / PitchDiameter;
    ChordalAddendum = Sng((OutsideDiameter - PitchDiameter * CosD(theta, DegToRad)) / 2.0);
    WorkingDepth = Sng(WholeDepth - Thick1 / 10.0);

    CircPitch = Sng(Pi / NormalDP);
    BasePitch = Sng(CircPitch * CosD(NormalPA, DegToRad));
    TransverseDP = Sng(NormalDP * CosD(HelixAngle, DegToRad));
    TransCircPitch = Sng(CircPitch / CosD(HelixAngle, DegToRad));
    TransBasePitch = Sng(TransCircPitch * CosD(TransversePA, DegToRad));
    PitchDiameter = Sng(NumTeeth / static_cast<double>(TransverseDP));
    BaseDiameter = Sng(PitchDiameter * CosD(TransversePA, DegToRad));
    if (HelixAngle > 0) AxialPitch = Sng(CircPitch / SinD(HelixAngle, DegToRad));
    return pointed(land1) || pointed(land2);
}

PinWarnings GearMain::PinContactWarnings(const PinContact& contact) const {
    PinWarnings warnings;
    const float rootRadius = Sng(RootDiameter / 2.0);
    auto warn = [&](const char* text) {
        warnings.notices.push_back({text, MsgIcon::Exclamation, MsgButtons::OKCancel, Field::Pin});
    };
    if (GearType == 1) {
        // The innermost point of a pin over the gear.
        const double innermost = contact.radial - contact.pin;
        warnings.tooLarge = contact.contact1 >= OutsideDiameter || contact.contact2 >= OutsideDiameter;
        warnings.tooSmall = rootRadius > innermost;
        if (warnings.tooLarge) warn(msg::kPinTooLargeOD);
        if (warnings.tooSmall) warn(msg::kPinTooSmallExternal);
    } else {
        // The outermost point of a pin in the gear; only the first contact is
        // compared with the inside diameter.
        const double outermost = contact.radial + contact.pin;
        warnings.tooLarge = contact.contact1 <= InsideDiameter;
        warnings.tooSmall = rootRadius < outermost;
        if (warnings.tooLarge) warn(msg::kPinTooLargeID);
        if (warnings.tooSmall) warn(msg::kPinTooSmallInternal);
    }
    return warnings;
}

// The last step of a calculation: the pin of the run against the dimensions.
std::vector<Notice> GearMain::PinContactChecks(double contact1, double contact2) {
    // A span needs no pin.
    if (SameText(InputFeature, feature::kSpan) || CalcMode == 3) return {};
    ContactCheck1 = SngEntry(contact1);
    ContactCheck2 = SngEntry(contact2);
    RootRadius = Sng(RootDiameter / 2.0);
    return PinContactWarnings({PinDiameter, ContactCheck1, ContactCheck2, Val(RadialText)}).notices;
}

}  // namespace gearmain
