// The texts of the engine's messages, in one place; the input screen shows them.
#pragma once

namespace gearmain::msg {

inline constexpr const char* kSpanValue = "Involute function error: Unacceptable span measurement value";
inline constexpr const char* kThicknessOrPin = "Involute function error: Unacceptable tooth thickness or pin diameter";
inline constexpr const char* kSpaceWidthOrPin = "Involute function error: Unacceptable space width or pin diameter";
inline constexpr const char* kOverPinsOrPin =
    "Involute function error: Unacceptable dimension over pins or pin diameter";
inline constexpr const char* kBetweenPinsOrPin =
    "Involute function error: Unacceptable dimension between pins or pin diameter";
inline constexpr const char* kInvolute = "Involute function error";

// Faults in the routines that have no involute message of their own.
inline constexpr const char* kSpanThickness =
    "Span measurement error: Unacceptable tooth thickness or number of teeth spanned";
inline constexpr const char* kChordalThickness = "Chordal thickness error: Unacceptable chordal tooth thickness";
inline constexpr const char* kChordalSpace = "Chordal thickness error: Unacceptable chordal space width";
inline constexpr const char* kGearData = "Calculation error: Unacceptable gear data";

// The depth system chosen defines no tooth depth for the gear.
inline constexpr const char* kShapedDepthAngles =
    "The Full Fillet (Shaped) depth system is defined for pressure angles of 14.5, 20 and 25 degrees only";

// The tip land of the tooth (of the internal gear's tooth at its inside
// diameter) is 0 or negative; the page shows it as it is.
inline constexpr const char* kPointedTooth =
    "Caution! - The tooth is pointed: its flanks meet before the outside diameter\r"
    "and the tooth tip land is 0 or negative.";
inline constexpr const char* kPointedInternalTooth =
    "Caution! - The tooth is pointed: its flanks meet before the inside diameter\r"
    "and the tooth tip land is 0 or negative.";

inline constexpr const char* kPinTooLargeOD =
    "The pin diameter that you have chosen is too large and will\r"
    "contact on the outside diameter and not on the tooth profile.\r"
    "Choose OK to continue or Cancel to enter a smaller pin diameter?";
inline constexpr const char* kPinTooSmallExternal =
    "The pin diameter you have chosen is too small and will\r"
    "contact on the root of the gear.\r"
    "Choose OK to continue or Cancel to enter a larger pin diameter?";
inline constexpr const char* kPinTooLargeID =
    "The pin diameter you have chosen is too large and will\r"
    "contact on the inside diameter and not on the tooth profile.\r"
    "Choose OK to continue or Cancel to enter a smaller pin diameter.";
inline constexpr const char* kPinTooSmallInternal =
    "The pin diameter you have chosen is too small and will\r"
    "contact on the root of the gear.\r"
    "Choose OK to continue or Cancel to enter a larger pin diameter.";

}  // namespace gearmain::msg
