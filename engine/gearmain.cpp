#include "engine/gearmain.h"

#include <bit>
#include <cmath>
#include <utility>

namespace gearmain {

GearMain& Gear() {
    static GearMain gear;
    return gear;
}

namespace {

// The formulas take the cosine and tangent of the same few angles many times
// a gear (the pressure angles, the pin's angle): each thread remembers the
// last ones it worked, keyed by the exact bits of the argument.
class TrigMemo {
public:
    template <class F>
    double Get(double x, F f) {
        if (std::isnan(x)) return f(x);  // no NaN is kept: a fresh entry's key is one
        const uint64_t key = std::bit_cast<uint64_t>(x);
        Entry& e = entries_[(key * 0x9E3779B97F4A7C15ull) >> (64 - kBits)];
        if (e.key != key) {
            e.key = key;
            e.value = f(x);
        }
        return e.value;
    }

private:
    static constexpr int kBits = 4;
    // A fresh entry's key is the bits of a NaN.
    struct Entry {
        uint64_t key = ~uint64_t{0};
        double value = 0;
    };
    Entry entries_[1 << kBits];
};

thread_local TrigMemo cosines, tangents;

}  // namespace

// A spur gear's helix angle is 0, and sin, cos and tan of 0 are exact.
double SinD(double degrees, float degToRad) {
    const double x = degrees * degToRad;
    return x == 0 ? x : std::sin(x);
}
double CosD(double degrees, float degToRad) {
    const double x = degrees * degToRad;
    return x == 0 ? 1.0 : cosines.Get(x, [](double v) { return std::cos(v); });
}
double TanD(double degrees, float degToRad) {
    const double x = degrees * degToRad;
    return x == 0 ? x : TanRadians(x);
}
double TanRadians(double x) {
    return tangents.Get(x, [](double v) { return std::tan(v); });
}

void GearMain::StartUp() {
    if (CalcMode == 0) CalcMode = 1;
    StoreMeasurementConstants();
}

void GearMain::StoreMeasurementConstants() {
    Pi = 3.14159265;
    DegToRad = static_cast<float>(Pi / 180.0);
    RadToDeg = static_cast<float>(180.0 / Pi);
}

void GearMain::StoreInvoluteConstants() {
    Pi = 3.141592654;
    DegToRad = 0.01745329f;
    RadToDeg = 57.29578f;
}

void GearMain::StoreChordalConstants() {
    DegToRad = 0.01745329f;
    RadToDeg = 57.29578f;
}

namespace {

uint32_t Bits(float v) { return std::bit_cast<uint32_t>(v); }

}  // namespace

float GearMain::TransversePressureAngle(float pressureAngle, float helix) const {
    const std::array<uint32_t, 6> from = {Bits(pressureAngle), Bits(helix), Bits(DegToRad), Bits(RadToDeg), 0, 0};
    Transverse& last = lastTransversePA_;
    if (last.valid && SameBits(last.from, from)) return last.pressureAngle;
    last.valid = false;
    last.pressureAngle = Sng(std::atan(TanD(pressureAngle, DegToRad) / CosD(helix, DegToRad)) * RadToDeg);
    last.from = from;
    last.valid = true;
    return last.pressureAngle;
}

void GearMain::TransverseQuantities(float teeth, float pitch, float pressureAngle, float helix) {
    const std::array<uint32_t, 6> from = {Bits(teeth),    Bits(pitch),    Bits(pressureAngle),
                                          Bits(helix),    Bits(DegToRad), Bits(RadToDeg)};
    Transverse& last = lastTransverse_;
    if (last.valid && SameBits(last.from, from)) {
        TransverseDP = last.pitch;
        TransversePA = last.pressureAngle;
        PitchDiameter = last.pitchDiameter;
        BaseDiameter = last.baseDiameter;
        return;
    }
    last.valid = false;
    TransverseDP = Sng(pitch * CosD(helix, DegToRad));
    TransversePA = TransversePressureAngle(pressureAngle, helix);
    PitchDiameter = Sng(teeth / static_cast<double>(TransverseDP));
    BaseDiameter = Sng(PitchDiameter * CosD(TransversePA, DegToRad));
    last = {from, true, TransverseDP, TransversePA, PitchDiameter, BaseDiameter};
}

// Base helix angle from the normal and transverse pressure angles. For a helix
// of a few thousandths of a degree the two angles are equal to Single precision
// and the ratio of their sines may come out a hair above 1: that is a rounding
// artefact, not a gear that does not exist, and it gives a base helix of 0.
float GearMain::BaseHelixFormB(float pressureAngle) const {
    double ratio = SinD(pressureAngle, DegToRad) / SinD(TransversePA, DegToRad);
    if (ratio > 1.0 && ratio < 1.0 + 1e-6) ratio = 1.0;
    return Sng(ArcCos(ratio) * RadToDeg);
}

void GearMain::RecordFault(FaultSite site, int16_t gearType) {
    fault_ = FaultOf({site, InputFeature, CalcMode, gearType});
    CalcFailed = -1;
}

std::optional<Fault> GearMain::TakeFault() { return std::exchange(fault_, std::nullopt); }

void GearMain::ForEachValue(const std::function<void(const char*, ValueRef)>& visit) {
#define V(name) visit(#name, ValueRef(&name))
    V(CalcMode); V(InputFeature); V(GearType); V(NumTeeth); V(NormalDP); V(DepthPitch); V(NormalPA);
    V(HelixAngle); V(PinDiameter); V(TeethSpanned); V(FaceWidth); V(QualityNumber); V(ODChange);
    V(DepthSystem); V(CutterDepthText); V(PartNumber);
    V(FeatureValue); V(Thick1); V(Thick2); V(Measure1); V(Measure2); V(Backlash1); V(Backlash2);
    V(BasicText); V(StandardText); V(IdealPinText); V(HintsChanged);
    V(Pi); V(DegToRad); V(RadToDeg); V(ODChangeCopy); V(ThickChangeTrans); V(ThickChangeNormal);
    V(TransverseDP); V(TransversePA); V(PitchDiameter); V(BaseDiameter); V(BaseHelixAngle); V(PinPA);
    V(SpanInvolute);
    V(PinContactDiameter); V(RadialDim); V(KFactor); V(Chordal1); V(Chordal2); V(SpanResult); V(DepthName);
    V(WholeDepth); V(Addendum); V(Dedendum); V(OutsideDiameter); V(InsideDiameter); V(RootDiameter);
    V(WorkingDepth); V(ChordalAddendum); V(CircPitch); V(TransCircPitch); V(BasePitch); V(TransBasePitch);
    V(AxialPitch);
    V(ThickText); V(ChordalInText); V(MeasureText); V(PinContactText); V(SpanText); V(ChordalText);
    V(RadialText); V(FinishedRootText); V(TipLandText);
    V(RootRadius); V(ContactCheck1); V(ContactCheck2);
    V(TransThickText); V(TransChordalText); V(TransBacklashText);
    V(TolRunout); V(TolPitchVar); V(TolProfile); V(TolLead); V(TolToothToTooth); V(TolTotalComposite);
    V(CalcFailed); V(PinRefused);
#undef V
}

}  // namespace gearmain
