// The input features: what the value of the feature field is. The calculation,
// the input screen's list and the files all use these names.
#pragma once

namespace gearmain::feature {

inline constexpr const char* kCircularThickness = "Circular Tooth Thickness";
inline constexpr const char* kChordalThickness = "Chordal Tooth Thickness";
inline constexpr const char* kCircularSpace = "Circular Space Width";
inline constexpr const char* kChordalSpace = "Chordal Space Width";
inline constexpr const char* kBacklash = "Contributing Backlash";
inline constexpr const char* kOverPins = "Dimension Over Pins";
inline constexpr const char* kBetweenPins = "Dimension Between Pins";
inline constexpr const char* kSpan = "Span Measurement";

// Every input feature, in the order above.
inline constexpr const char* kAll[] = {kCircularThickness, kChordalThickness, kCircularSpace, kChordalSpace,
                                       kBacklash,          kOverPins,         kBetweenPins,   kSpan};

}  // namespace gearmain::feature
