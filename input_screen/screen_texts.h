// The names of the input features and the other texts that the input screen
// compares or shows in more than one place.
#pragma once

#include "engine/features.h"

namespace involvo::screen {

// The input features, as Combo1 lists them.
using gearmain::feature::kBacklash;
using gearmain::feature::kBetweenPins;
using gearmain::feature::kChordalSpace;
using gearmain::feature::kChordalThickness;
using gearmain::feature::kCircularSpace;
using gearmain::feature::kCircularThickness;
using gearmain::feature::kOverPins;
using gearmain::feature::kSpan;

// Captions of the pin field.
inline constexpr const char* kPinCaption = "Measuring Pin Diameter";
inline constexpr const char* kBallCaption = "Measuring Ball Diameter";
inline constexpr const char* kTeethSpannedCaption = "Number of Teeth Spanned";
inline constexpr const char* kTeethSpannedLowerCaption = "Number of teeth spanned";

// The messages of the input screen's own checks and dialogs (the engine's
// are in engine/messages.h).
namespace msg {
inline constexpr const char* kNoTeeth = "Enter the number of gear teeth";
inline constexpr const char* kNoPitch = "Enter the normal diametral pitch";
inline constexpr const char* kEnter = "Enter ";  // followed by the input feature
inline constexpr const char* kNoPin = "Enter a pin diameter";
inline constexpr const char* kNoTeethSpanned = "Enter the number of teeth spanned";
inline constexpr const char* kTeethSpannedNotWhole = "The number of teeth spanned must be a whole number";
inline constexpr const char* kNoPressureAngle = "Enter the normal pressure angle";
inline constexpr const char* kTeethOutOfRange = "Number of teeth is not Acceptable";
inline constexpr const char* kPitchOutOfRange = "Diametral Pitch is not Acceptable";
inline constexpr const char* kPressureAngleOutOfRange = "Pressure Angle is not acceptable";
inline constexpr const char* kQualityOutOfRange = "Gear quality must be from 3 to 15";
inline constexpr const char* kSpanCaution =
    "Caution! - Make sure that the calipers or anvils are not contacting\r"
    "below the TIF or in the root of the gear.";
// Followed by the count in plain writing (with its leading blank).
inline constexpr const char* kSpanMinimum = "The minimum number of teeth for span measurement is ";
inline constexpr const char* kSpanMaximum = "The maximum number of teeth for span measurement is ";
// "...over " count " teeth" CR "is " width ".".
inline constexpr const char* kFaceWidthOver = "The minimum face width required for span measurement over ";
inline constexpr const char* kFaceWidthTeeth = " teeth\ris ";
inline constexpr const char* kCutterDepthNoPitch = "You must enter a Diametral Pitch before using this option";
inline constexpr const char* kCutterDepthLimits = "This value is not within program limits";
inline constexpr const char* kCutterDepthTitle = "Input cutter depth";
inline constexpr const char* kCutterDepthPrompt =
    "Enter Hob or Shaper cutter whole depth.\r\r"
    "Note: If you change the Diametral Pitch, the Depth will change back to the default setting "
    "(AGMA Current Standard.)";
}  // namespace msg

// The characters a number field takes.
inline constexpr const char* kDigits = "0123456789";
inline constexpr const char* kDecimal = ".0123456789";

}  // namespace involvo::screen
