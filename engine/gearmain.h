// GearMain: the gear state and every formula of the calculator.
//
// Plain procedures over one shared state, as the rest of the program expects:
// the input screen writes the entries into it, the routines below leave their
// results and several shared intermediates in it, and the result pages read it.
// Pure C++, and silent: no routine shows a message or touches a window. A
// routine that fails records its fault (the message and the entry at fault);
// the calculation returns it with the pin-contact warnings, and the input
// screen shows them.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "engine/faults.h"
#include "engine/notice.h"
#include "engine/numbers.h"

namespace gearmain {

// The loosely typed result of a hint routine: nothing, the number 0 (an input is
// missing), or a text.
struct Hint {
    enum class Kind { Empty, Zero, Text };
    Kind kind = Kind::Empty;
    std::string text;

    static Hint Zero() { return {Kind::Zero, {}}; }
    static Hint Of(std::string t) { return {Kind::Text, std::move(t)}; }
    bool IsText() const { return kind == Kind::Text; }
    // The number it stands for (Empty and Zero are 0).
    double Value() const { return kind == Kind::Text ? Val(text) : 0.0; }
};

inline constexpr int kPrintoutOptions = 18;

// Whether two keys of bits are the same: compared word by word in line, where
// the library's comparison would be a call.
template <size_t N>
inline bool SameBits(const std::array<uint32_t, N>& a, const std::array<uint32_t, N>& b) {
    uint32_t differ = 0;
    for (size_t i = 0; i < N; ++i) differ |= a[i] ^ b[i];
    return differ == 0;
}

// A pin as the pin contact checks see it: its diameter, the diameters at which
// it touches the flanks (of the first and second value of a band; 0: no second
// value), as the calculation writes them, and its radial dimension from the
// gear axis over its far side (external) or near side (internal).
struct PinContact {
    float pin = 0;
    float contact1 = 0;
    float contact2 = 0;
    double radial = 0;
};

// The warnings of a pin that touches the tip or the root instead of the flanks.
struct PinWarnings {
    bool tooLarge = false;  // it touches the outside (external) or inside (internal) diameter
    bool tooSmall = false;  // it touches the root
    // As the screen shows them, in order: each with OK and Cancel and the
    // exclamation icon; Cancel sends the user to the pin field.
    std::vector<Notice> notices;
};

// What the calculation takes from the input screen besides the gear state.
struct CalculationInput {
    std::string feature;        // the input feature chosen (the text of Combo1); stored into InputFeature
    std::string faceWidthText;  // the text of the face width field
    bool featureRange = false;  // the feature value field holds a band "a / b"
};

// What the calculation has to tell the user, in the order the screen shows it.
struct CalculationReport {
    // The one fault of the run; CalcFailed is -1 then. (A run that stops at once
    // because an earlier failure is still marked reports nothing.)
    std::optional<Fault> fault;
    // The pin-contact warnings of a completed run, in order: each with OK and
    // Cancel and the exclamation icon; Cancel sends the user to the pin field.
    std::vector<Notice> pinWarnings;
    // What the user should know of the gear of a completed run, shown after
    // the pin warnings: each with OK and the exclamation icon (a pointed tooth).
    std::vector<Notice> cautions;
};

class GearMain {
public:
    // ---- Inputs and choices ----
    int16_t CalcMode = 0;
    std::string InputFeature;
    int16_t GearType = 0;
    float NumTeeth = 0, NormalDP = 0, DepthPitch = 0, NormalPA = 0, HelixAngle = 0;
    float PinDiameter = 0, TeethSpanned = 0, FaceWidth = 0;
    int16_t QualityNumber = 0;
    float ODChange = 0;
    int16_t DepthSystem = 0;
    std::string CutterDepthText, PartNumber;
    std::array<int16_t, kPrintoutOptions + 1> PrintoutChoices{};  // indices 1..18

    // ---- The value of the input feature ----
    float FeatureValue = 0, Thick1 = 0, Thick2 = 0, Measure1 = 0, Measure2 = 0, Backlash1 = 0, Backlash2 = 0;

    // ---- Hint texts ----
    std::string BasicText, StandardText, IdealPinText;
    int16_t HintsChanged = 0;

    // ---- Constants and shared intermediates ----
    double Pi = 0;
    float DegToRad = 0, RadToDeg = 0;
    float ODChangeCopy = 0, ThickChangeTrans = 0, ThickChangeNormal = 0;
    float TransverseDP = 0, TransversePA = 0, PitchDiameter = 0, BaseDiameter = 0, BaseHelixAngle = 0;
    float PinPA = 0, SpanInvolute = 0;

    // ---- Results ----
    // KFactor: the change of the dimension over pins per change of the tooth
    // thickness, at the basic thickness; 0 when a calculation has none (a
    // measured span, or a pin that does not reach the flanks of the basic tooth).
    float PinContactDiameter = 0, RadialDim = 0, KFactor = 0, Chordal1 = 0, Chordal2 = 0, SpanResult = 0;
    std::string DepthName;
    float WholeDepth = 0, Addendum = 0, Dedendum = 0, OutsideDiameter = 0, InsideDiameter = 0;
    float RootDiameter = 0, WorkingDepth = 0, ChordalAddendum = 0;
    float CircPitch = 0, TransCircPitch = 0, BasePitch = 0, TransBasePitch = 0, AxialPitch = 0;
    std::string ThickText, ChordalInText, MeasureText, PinContactText, SpanText, ChordalText, RadialText,
        FinishedRootText, TipLandText;
    float RootRadius = 0, ContactCheck1 = 0, ContactCheck2 = 0;
    std::string TransThickText, TransChordalText, TransBacklashText;
    float TolRunout = 0, TolPitchVar = 0, TolProfile = 0, TolLead = 0, TolToothToTooth = 0, TolTotalComposite = 0;

    // ---- Markers (-1 when set) ----
    float CalcFailed = 0, PinRefused = 0;

    // ---- Start-up: CalcMode 1 when 0, and the angle constants ----
    void StartUp();

    // ---- Involute and angle primitives ----
    double Involute(float degrees);
    float InverseInvolute(double involute);
    static double Degrees(double radians);
    static double ArcSin(double x);
    static double ArcCos(double x);
    std::optional<float> ChordalFromCircular(float& circular);
    float CircularFromChordal(float chordal);
    Hint BasicThicknessText(float pitch);
    // The number its text reads (0 when there is none), without the text; the
    // same effect on the state.
    double BasicThicknessValue(float pitch);
    Hint BasicChordalText(float pitch);

    // ---- Measurement over and between pins and balls ----
    Hint StandardPinDia(int16_t& gearType, float& teeth, float& pitch, float& pressureAngle);
    // The number its text reads (0 when there is none), without the text.
    double StandardPinValue(int16_t& gearType, float& teeth, float& pitch, float& pressureAngle);
    float MeasurementFromThickness(float teeth, float& pitch, float& pressureAngle, float& thickness,
                                   float& pin, int16_t& gearType, float& helix);
    Hint BasicMeasurementText(int16_t gearType, float teeth, float pitch, float pressureAngle, float helix,
                              float& pin);

    // ---- Tooth thickness from measurement, and span ----
    float ThicknessFromMeasurement(float teeth, float& pitch, float& pressureAngle, float& measurement,
                                   float& pin, int16_t& gearType, float& helix);
    float TeethToSpan(float teeth, float& pressureAngle, float& helix);
    float SpanFromThickness(float teeth, float& pitch, float& pressureAngle, float& thickness, float& helix,
                            float& teethSpanned);
    float ThicknessFromSpan(float teeth, float& pitch, float& pressureAngle, float& span, float& teethSpanned,
                            float& helix);
    Hint BasicSpanText(float teeth, float pitch, float pressureAngle, float helix, float& teethSpanned);

    // ---- The calculation ----
    CalculationReport CalculateGear(const CalculationInput& input);

    // The depth system chosen defines no tooth depth for the gear (the shaped
    // full fillet at a pressure angle other than 14.5, 20 or 25 degrees): the
    // fault, with the pressure angle at fault. The calculation refuses it
    // before it calculates anything.
    std::optional<Fault> DepthFault() const;

    // The pin contact checks of a pin, against the outside, inside and root
    // diameters of the last calculation (they do not depend on the pin nor on
    // the thickness). The calculation's last step runs them on its own pin.
    PinWarnings PinContactWarnings(const PinContact& contact) const;

    // The fault the last failing pin routine recorded (MeasurementFromThickness,
    // ThicknessFromMeasurement), and no more after it is taken. A calculation
    // takes its own.
    std::optional<Fault> TakeFault();

    // Every named value of the state, for the command-line tool and the tests.
    using ValueRef = std::variant<float*, int16_t*, double*, std::string*>;
    void ForEachValue(const std::function<void(const char* name, ValueRef value)>& visit);

private:
    void StoreMeasurementConstants();
    void StoreInvoluteConstants();
    void StoreChordalConstants();
    // Transverse pitch, pressure angle, pitch and base diameter of a gear.
    void TransverseQuantities(float teeth, float pitch, float pressureAngle, float helix);
    float TransversePressureAngle(float pressureAngle, float helix) const;
    float BaseHelixFormB(float pressureAngle) const;
    static double SpanCount(double unrounded);
    double UnroundedSpanCount(float teeth, float pressureAngle, float helix, float transversePA) const;

    // Runs a step; an arithmetic fault inside it marks CalcFailed and records the
    // fault of the site (the site is read when the fault happens, so a step may
    // move it along). False when the step failed.
    template <typename Step>
    bool Guarded(const FaultSite& site, int16_t gearType, Step&& step);
    void RecordFault(FaultSite site, int16_t gearType);

    float BasicKFactor(float pin);
    // The dimensions of the depth system; true when a tooth is pointed.
    bool GearDimensions(float basicThickness);
    void CalculateTolerances();
    std::vector<Notice> PinContactChecks(double contact1, double contact2);

    std::optional<Fault> fault_;

    // The standard pin of a gear, before it is written to five decimals.
    std::optional<float> StandardPin(int16_t& gearType, float teeth, float pitch, float pressureAngle);

    // The last pin measurement worked out, with the bits of the numbers it was
    // worked out from: the same numbers give the same measurement and leave
    // the same state, so a measurement asked for again (the radial dimension
    // after the measurement, a hint after a hint) is not worked out again.
    struct PinMeasurement {
        std::array<uint32_t, 7> from{};
        bool valid = false;
        bool kFactorWritten = false;
        float measurement = 0, kFactor = 0, pinPA = 0, transverseDP = 0, transversePA = 0, pitchDiameter = 0,
              baseDiameter = 0, contactDiameter = 0, radial = 0, degToRad = 0, radToDeg = 0;
        double pi = 0;
    };
    PinMeasurement lastPinMeasurement_;

    // The last transverse quantities worked out, with the bits of what they
    // were worked out from (a calculation asks for the same ones again and
    // again): the transverse pitch and pressure angle, the pitch and base
    // diameters.
    struct Transverse {
        std::array<uint32_t, 6> from{};
        bool valid = false;
        float pitch = 0, pressureAngle = 0, pitchDiameter = 0, baseDiameter = 0;
    };
    mutable Transverse lastTransversePA_, lastTransverse_;
};

template <typename Step>
bool GearMain::Guarded(const FaultSite& site, int16_t gearType, Step&& step) {
    try {
        step();
        return true;
    } catch (const ArithmeticFault&) {
        RecordFault(site, gearType);
        return false;
    }
}

// The one shared instance of the program.
GearMain& Gear();

// Trigonometry in degrees through the state's own conversion factor, as every
// formula of the engine does it.
double SinD(double degrees, float degToRad);
double CosD(double degrees, float degToRad);
double TanD(double degrees, float degToRad);
// tan of an angle in radians, as TanD takes it.
double TanRadians(double radians);

}  // namespace gearmain
