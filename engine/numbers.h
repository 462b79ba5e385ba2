// Reading and writing of numbers, shared by every part of the program.
//
// One reader, one mask writer, one plain writer: a second private copy of any of
// them would sooner or later differ by one digit. All of them are independent of
// the C locale, so a desktop set to a comma decimal separator still reads and
// writes "0.157080".
#pragma once

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>

namespace gearmain {

// Raised by the checked arithmetic of the engine where the program's runtime
// model expects an error (overflow, division by zero, a root or power outside its
// domain). Callers that own an error path catch it; nothing lets it escape to the
// user interface.
struct ArithmeticFault : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The value of a text: blanks are ignored and the longest leading decimal number
// (optional sign, digits, at most one point) is read; no number at all reads 0.
// "5/7" is 5, "0.1570 / 0.1560" is 0.157, "1 2" is 12.
double Val(std::string_view text);

// True when the text, blanks at its ends aside, is nothing but a decimal
// number: an optional sign (when allowed), digits, at most one point.
bool IsPlainNumber(std::string_view text, bool signAllowed = true);

// Mask formatting: "0", "0.0000", "0.00000", "0.000000" (any number of zero
// decimals). Rounds halves away from zero on the 15-digit decimal form of the
// value and keeps at least one digit before the point. A value that rounds to
// zero is written without a sign.
std::string FormatDecimals(double value, int decimals);

// The decimals of a mask: whatever follows its first point.
constexpr int MaskDecimals(std::string_view mask) {
    for (size_t i = 0; i < mask.size(); ++i)
        if (mask[i] == '.') return static_cast<int>(mask.size() - i - 1);
    return 0;
}

inline std::string Format(double value, std::string_view mask) { return FormatDecimals(value, MaskDecimals(mask)); }

// The longest mask text: a sign, 350 digits and the point.
inline constexpr size_t kFormatCapacity = 360;
// The same texts written into a buffer of at least kFormatCapacity chars (no
// terminating zero); return their length.
size_t FormatDecimalsTo(char* out, double value, int decimals);
inline size_t FormatTo(char* out, double value, std::string_view mask) {
    return FormatDecimalsTo(out, value, MaskDecimals(mask));
}
// Copies n characters, 4 <= n <= 16, as two words, the second overlapping the
// first: without a call.
inline void CopyShort(char* to, const char* from, size_t n) {
    if (n >= 8) {
        uint64_t first, last;
        std::memcpy(&first, from, 8);
        std::memcpy(&last, from + n - 8, 8);
        std::memcpy(to, &first, 8);
        std::memcpy(to + n - 8, &last, 8);
    } else {
        uint32_t first, last;
        std::memcpy(&first, from, 4);
        std::memcpy(&last, from + n - 4, 4);
        std::memcpy(to, &first, 4);
        std::memcpy(to + n - 4, &last, 4);
    }
}

// Whether two texts are the same: the lengths, then texts of 8 to 32
// characters word by word in line (the names of the features, the results),
// others by the library.
inline bool SameText(std::string_view a, std::string_view b) {
    const size_t n = a.size();
    if (n != b.size()) return false;
    if (n < 8 || n > 32) return a == b;
    uint64_t differ = 0, x, y;
    for (size_t i = 0; i + 8 < n; i += 8) {
        std::memcpy(&x, a.data() + i, 8);
        std::memcpy(&y, b.data() + i, 8);
        differ |= x ^ y;
    }
    std::memcpy(&x, a.data() + n - 8, 8);
    std::memcpy(&y, b.data() + n - 8, 8);
    return (differ | (x ^ y)) == 0;
}

// Copies a text over another. A text of 4 to 16 characters as long as the one
// it replaces (a result written again, row after row) is copied in line; a
// shorter one of 4 to 16, or one of 17 to 32 as long, without a call to the
// library (AssignTextGenerally).
void AssignTextGenerally(std::string& to, std::string_view from);
[[gnu::always_inline]] inline void AssignText(std::string& to, std::string_view from) {
    const size_t n = from.size();
    if (n == to.size() && n >= 4 && n <= 16) return CopyShort(to.data(), from.data(), n);
    AssignTextGenerally(to, from);
}

// The same text written over out, in its room.
void FormatDecimalsTo(std::string& out, double value, int decimals);
inline void FormatTo(std::string& out, double value, std::string_view mask) {
    FormatDecimalsTo(out, value, MaskDecimals(mask));
}

// Val(Format(value, mask)), the engine's rounding of a result to a mask, without
// writing and reading the text: the same double for every value and mask.
double RoundToDecimals(double value, int decimals);
inline double RoundToMask(double value, std::string_view mask) { return RoundToDecimals(value, MaskDecimals(mask)); }

// Plain writing of a Single: the shortest form of at most 7 significant digits,
// with a leading blank when the value is not negative and without a zero before
// the point of a value below 1 (" .1728", "-.5", " 2.2", " 1.234568E+07").
std::string Str(float value);
// The same without the leading blank (".1728").
std::string ShortText(float value);

std::string LTrim(std::string_view s);
std::string RTrim(std::string_view s);
std::string Trim(std::string_view s);

// Result text of a pair: the smaller value, " / ", the larger value, each with
// the mask given and without leading blanks.
std::string RangeText(double a, double b, std::string_view mask = "0.000000");
// A single result value written with the mask, without leading blanks.
inline std::string ResultText(double a, std::string_view mask = "0.000000") { return Format(a, mask); }

// Storing into a Single where an overflow is an error of the calculation.
[[noreturn]] void SngOverflow();
inline float Sng(double value) {
    // Also false for a NaN.
    if (!(std::fabs(value) <= static_cast<double>(FLT_MAX))) SngOverflow();
    return static_cast<float>(value);
}
// Storing an entry into a Single: out-of-range entries saturate at the largest
// Single, so an absurd entry is refused by validation instead of turning into inf.
inline float SngEntry(double value) {
    if (value != value) return 0.0f;  // NaN
    if (value > static_cast<double>(FLT_MAX)) return FLT_MAX;
    if (value < -static_cast<double>(FLT_MAX)) return -FLT_MAX;
    return static_cast<float>(value);
}
// Storing an entry into a 16-bit Integer, rounding halves to even; saturates.
int16_t IntEntry(double value);

// x - floor(x), in [0, 1) also for negative x.
double FracPart(double x);

}  // namespace gearmain
