// GearMain: the gear state and every formula of the calculator.
//
// Plain procedures over one shared state, as the rest of the program expects:
// the input screen writes the entries into it, the routines below leave their
// results and several shared intermediates in it, and the result pages read it.
// Pure C++; the engine reaches the screen only through the small Port below.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <variant>

#include "engine/notice.h"
#include "engine/numbers.h"

namespace gearmain {

// What the engine needs of the input screen: a message box titled "Involvo",
// a focus request for a named field, and the texts of Combo1, InputFaceWidth and
// InputCTT_MOW.
class Port {
public:
    virtual ~Port() = default;
    virtual MsgAnswer MessageBox(const std::string& text, MsgIcon icon, MsgButtons buttons) = 0;
    virtual void SetFocus(const std::string& control) = 0;
    virtual std::string ControlText(const std::string& control) = 0;
};

// The loosely typed result of a hint routine: nothing, the number 0 (an input is
// missing), or a text.
struct Hint {
    enum class Kind { Empty, Zero, Text };
    Kind kind = Kind::Empty;
    std::string text;

    static Hint None() { return {}; }
    static Hint Zero() { return {Kind::Zero, {}}; }
    static Hint Of(std::string t) { return {Kind::Text, std::move(t)}; }
    bool IsText() const { return kind == Kind::Text; }
    // The number it stands for (Empty and Zero are 0).
    double Value() const { return kind == Kind::Text ? Val(text) : 0.0; }
};

inline constexpr int kPrintoutOptions = 18;

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
    Port* MainForm = nullptr;

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
    Hint BasicChordalText(float pitch);

    // ---- Measurement over and between pins and balls ----
    Hint StandardPinDia(int16_t& gearType, float& teeth, float& pitch, float& pressureAngle);
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
    void CalculateGear();

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

    void ReportFault(const std::string& text, const char* focus);
    void GearDimensions(float basicThickness);
    void CalculateTolerances();
    bool PinContactChecks(const std::string& contact1, const std::string& contact2);
};

// The one shared instance of the program.
GearMain& Gear();

// Trigonometry in degrees through the state's own conversion factor, as every
// formula of the engine does it.
double SinD(double degrees, float degToRad);
double CosD(double degrees, float degToRad);
double TanD(double degrees, float degToRad);

}  // namespace gearmain
