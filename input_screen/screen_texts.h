// The names of the input features and the other texts that the input screen
// compares or shows in more than one place.
#pragma once

namespace involvo::screen {

// The input features, as Combo1 lists them.
inline constexpr const char* kCircularThickness = "Circular Tooth Thickness";
inline constexpr const char* kChordalThickness = "Chordal Tooth Thickness";
inline constexpr const char* kCircularSpace = "Circular Space Width";
inline constexpr const char* kChordalSpace = "Chordal Space Width";
inline constexpr const char* kBacklash = "Contributing Backlash";
inline constexpr const char* kOverPins = "Dimension Over Pins";
inline constexpr const char* kBetweenPins = "Dimension Between Pins";
inline constexpr const char* kSpan = "Span Measurement";

// Captions of the pin field.
inline constexpr const char* kPinCaption = "Measuring Pin Diameter";
inline constexpr const char* kBallCaption = "Measuring Ball Diameter";
inline constexpr const char* kTeethSpannedCaption = "Number of Teeth Spanned";
inline constexpr const char* kTeethSpannedLowerCaption = "Number of teeth spanned";

// The characters a number field takes.
inline constexpr const char* kDigits = "0123456789";
inline constexpr const char* kDecimal = ".0123456789";

}  // namespace involvo::screen
