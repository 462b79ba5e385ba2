#include "engine/numbers.h"

#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <utility>

namespace gearmain {

namespace {

using Wide = unsigned __int128;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// 10^0 to 10^19: the powers of ten in 64 bits.
constexpr auto kPow10 = [] {
    struct Table {
        uint64_t p[20];
        constexpr uint64_t operator[](int i) const { return p[i]; }
    } t{};
    uint64_t x = 1;
    for (uint64_t& p : t.p) {
        p = x;
        x *= 10;
    }
    return t;
}();

// The powers of ten a double holds exactly.
constexpr double kPow10Double[23] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                     1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// 10^0 to 10^22 in 128 bits (10^22 < 2^74).
constexpr auto kPow10Wide = [] {
    struct Table {
        Wide p[23];
    } t{};
    Wide x = 1;
    for (Wide& p : t.p) {
        p = x;
        x *= 10;
    }
    return t;
}();

// ------------------------------------------------------------------ reading

// The reader for every text: the blanks dropped, the longest leading number
// handed to the library's reader. Val comes here only for numbers of more
// digits than its own exact reading covers.
double ValOfManyDigits(std::string_view text) {
    std::string s;
    s.reserve(text.size());
    for (char c : text)
        if (!IsBlank(c)) s.push_back(c);

    size_t i = 0;
    std::string number;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-') number.push_back('-');
        ++i;
    }
    bool digits = false, point = false;
    std::string body;
    for (; i < s.size(); ++i) {
        char c = s[i];
        if (c >= '0' && c <= '9') {
            body.push_back(c);
            digits = true;
        } else if (c == '.' && !point) {
            body.push_back(c);
            point = true;
        } else {
            break;
        }
    }
    if (!digits) return 0.0;
    if (body.front() == '.') body.insert(body.begin(), '0');
    if (body.back() == '.') body.pop_back();
    number += body;
    double v = 0.0;
    auto res = std::from_chars(number.data(), number.data() + number.size(), v);
    if (res.ec == std::errc::result_out_of_range) {
        // Hundreds of digits: larger than any quantity the program can hold.
        bool negative = number.front() == '-';
        std::string whole = body.substr(0, body.find('.'));
        if (whole.find_first_not_of('0') == std::string::npos) return 0.0;  // underflow
        return negative ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max();
    }
    return v;
}

bool IsDigit(char c) { return static_cast<unsigned char>(c - '0') < 10; }

// Val of a text with blanks in or after its number: one pass, the blanks
// skipped wherever they stand, the number read as Val reads it.
double ValAcrossBlanks(std::string_view text) {
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end && IsBlank(*p)) ++p;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    uint64_t w = 0;
    int digits = 0, decimals = 0;
    bool point = false;
    for (; p < end; ++p) {
        const char c = *p;
        if (IsDigit(c)) {
            if (++digits > 19) return ValOfManyDigits(text);
            w = w * 10 + static_cast<uint64_t>(c - '0');
            decimals += point ? 1 : 0;
        } else if (c == '.' && !point) {
            point = true;
        } else if (!IsBlank(c)) {
            break;
        }
    }
    if (digits == 0) return 0.0;
    if (w > (uint64_t{1} << 53)) return ValOfManyDigits(text);
    const double v = static_cast<double>(w) / kPow10Double[decimals];
    return negative ? -v : v;
}

// ------------------------------------------------------------------ writing

// The first n significant digits of a finite a > 0, correctly rounded with
// halves to even (as the library's writer rounds them): a is close to
// digits * 10^(exponent - n + 1), with 10^(n-1) <= digits < 10^n.
struct Significand {
    uint64_t digits;
    int exponent;
};

// Exact for the values whose scaling by a power of ten fits 128 bits (for
// n = 15 the magnitudes from 1e-8 to 1e15, for n = 7 from 1e-16 to 1e7); false
// for the others, which go to the library's writer.
//
// a is m / 2^s exactly (m < 2^53), so a * 10^k is the integer m * 10^k
// (below 2^53 * 10^22 < 2^127) divided by 2^s: its whole part and the exact
// remainder decide the rounding, ties included. The decimal exponent of a is
// either floor(b log10 2) or one more, b being the binary exponent; the larger
// case shows as one digit too many and drops it, with its remainder.
bool SignificantDigits(double a, int n, Significand& out) {
    const uint64_t bits = std::bit_cast<uint64_t>(a);
    const int biased = static_cast<int>(bits >> 52);
    if (biased == 0 || biased >= 0x7ff) return false;  // subnormal, or not finite
    const uint64_t m = (bits & ((uint64_t{1} << 52) - 1)) | (uint64_t{1} << 52);
    const int s = 1075 - biased;
    const int binary = biased - 1023;
    const int guess = (binary * 78913) >> 18;  // floor(binary * log10 2), |binary| < 1650
    const int k = n - 1 - guess;
    if (k < 0 || k > 22 || s < 1 || s > 126) return false;
    const Wide scaled = Wide{m} * kPow10Wide.p[k];
    uint64_t whole = static_cast<uint64_t>(scaled >> s);
    const Wide rest = scaled & ((Wide{1} << s) - 1);
    const Wide half = Wide{1} << (s - 1);
    int exponent = guess;
    bool up;
    if (whole >= kPow10[n]) {
        if (whole >= kPow10[n + 1]) return false;  // cannot happen; never guess
        const uint64_t last = whole % 10;
        whole /= 10;
        ++exponent;
        up = last > 5 || (last == 5 && (rest != 0 || (whole & 1) != 0));
    } else {
        if (whole < kPow10[n - 1]) return false;  // cannot happen; never guess
        up = rest > half || (rest == half && (whole & 1) != 0);
    }
    whole += up ? 1 : 0;
    if (whole == kPow10[n]) {
        whole = kPow10[n - 1];
        ++exponent;
    }
    out = {whole, exponent};
    return true;
}

// The mask text of a value the fast way cannot write (beyond 1e15, below 1e-8,
// subnormal, or with its digits beyond 64 bits), from the library's 15-digit
// scientific form. Writes at the start of out; returns the length.
size_t FormatManyDigits(char* out, bool negative, double a, int decimals) {
    // The value in units of 10^-decimals, as decimal digits.
    char units[400];
    int n = 0;
    if (a != 0.0) {
        char sci[40];
        auto res = std::to_chars(sci, sci + sizeof sci, a, std::chars_format::scientific, 14);
        // d.dddddddddddddde+XX: fifteen significant digits and the exponent.
        char mant[15];
        mant[0] = sci[0];
        for (int i = 0; i < 14; ++i) mant[i + 1] = sci[2 + i];
        int exponent = 0;
        const char* e = sci + 17;
        bool expNegative = e[0] == '-';
        for (const char* p = e + 1; p < res.ptr; ++p) exponent = exponent * 10 + (*p - '0');
        if (expNegative) exponent = -exponent;
        // mant[i] has the weight 10^(exponent - i); keep the digits down to 10^-decimals.
        const int keep = exponent + decimals + 1;
        if (keep == 0) {
            if (mant[0] >= '5') units[n++] = '1';
        } else if (keep > 0) {
            for (int i = 0; i < keep && n < 390; ++i) units[n++] = i < 15 ? mant[i] : '0';
            if (keep < 15 && mant[keep] >= '5') {
                int i = n - 1;
                while (i >= 0 && units[i] == '9') units[i--] = '0';
                if (i >= 0) {
                    ++units[i];
                } else {
                    for (int j = n; j > 0; --j) units[j] = units[j - 1];
                    units[0] = '1';
                    ++n;
                }
            }
        }
    }
    int first = 0;
    while (first < n && units[first] == '0') ++first;
    const bool zero = first == n;

    char* p = out;
    if (negative && !zero) *p++ = '-';
    const int digits = zero ? 0 : n - first;
    if (digits <= decimals) {
        *p++ = '0';
        if (decimals > 0) {
            *p++ = '.';
            for (int i = digits; i < decimals; ++i) *p++ = '0';
            std::memcpy(p, units + first, static_cast<size_t>(digits));
            p += digits;
        }
    } else {
        std::memcpy(p, units + first, static_cast<size_t>(digits - decimals));
        p += digits - decimals;
        if (decimals > 0) {
            *p++ = '.';
            std::memcpy(p, units + n - decimals, static_cast<size_t>(decimals));
            p += decimals;
        }
    }
    return static_cast<size_t>(p - out);
}

constexpr char kPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// The last count digits of v, zeros in front where v is shorter, written
// backwards so that they end at p; v keeps the digits before them. Returns
// where they start.
template <class Unsigned>
[[gnu::always_inline]] inline char* WriteLastDigits(char* p, Unsigned& v, int count) {
    for (; count >= 2; count -= 2) {
        p -= 2;
        std::memcpy(p, kPairs + 2 * (v % 100), 2);
        v /= 100;
    }
    if (count > 0) {
        *--p = static_cast<char>('0' + v % 10);
        v /= 10;
    }
    return p;
}

// The digits of v (one at least), written backwards so that they end at p.
template <class Unsigned>
[[gnu::always_inline]] inline char* WriteWhole(char* p, Unsigned v) {
    while (v >= 100) {
        p -= 2;
        std::memcpy(p, kPairs + 2 * (v % 100), 2);
        v /= 100;
    }
    if (v >= 10) {
        p -= 2;
        std::memcpy(p, kPairs + 2 * v, 2);
    } else {
        *--p = static_cast<char>('0' + v);
    }
    return p;
}

// The value in units of 10^-decimals as the mask rounds it: halves away from
// zero on the value's 15 significant digits. False for the values the fast
// ways cannot take (beyond 1e15, below 1e-8, subnormal, more than 19 digits).
bool MaskUnits(double a, int decimals, uint64_t& units) {
    // Most values: x = a * 10^decimals is within a relative 2^-53 of the exact
    // product X, and the 15-digit form of X is within 0.5e-14 X of it. When x
    // lies farther than 2e-14 x from the half between its neighbouring whole
    // numbers, X and its 15-digit form lie on the same side of that half as x,
    // and away from it: the mask rounds x to nearest, no half arises.
    if (decimals <= 22) {
        const double x = a * kPow10Double[decimals];
        if (x < 1e13) {
            const uint64_t whole = static_cast<uint64_t>(x);
            const double fraction = x - static_cast<double>(whole);  // exact: x < 2^53
            if (std::fabs(fraction - 0.5) > x * 2e-14) {
                units = whole + (fraction > 0.5 ? 1 : 0);
                return true;
            }
        }
    }
    // Close to a half (0.12345 with four decimals, 2.5 with none): the 15
    // digits themselves, exactly, then the half rounded away from zero.
    units = 0;
    if (a == 0.0) return true;
    Significand d;
    if (!SignificantDigits(a, 15, d) || d.exponent + decimals > 18) return false;
    const int drop = 14 - d.exponent - decimals;  // digits below the unit
    if (drop <= 0) units = d.digits * kPow10[-drop];  // below 10^19
    else if (drop <= 15) units = (d.digits + 5 * kPow10[drop - 1]) / kPow10[drop];
    // else below half a unit, whatever the digits.
    return true;
}

// The mask text of units with the decimals given, written backwards so that it
// ends at end. Returns where it starts. Units below 2^32 take 32-bit
// arithmetic, and the masks in use their own unrolled copies.
template <class Unsigned>
[[gnu::always_inline]] inline char* WriteUnits(char* end, Unsigned units, bool negative, int decimals) {
    char* p = end;
    const bool zero = units == 0;
    if (decimals > 0) {
        p = WriteLastDigits(p, units, decimals);
        *--p = '.';
    }
    p = WriteWhole(p, units);
    if (negative && !zero) *--p = '-';
    return p;
}

// WriteLastDigits with the count known when compiling: no loop.
template <int Count, class Unsigned>
[[gnu::always_inline]] inline char* WriteLastDigits(char* p, Unsigned& v) {
    if constexpr (Count >= 2) {
        p -= 2;
        std::memcpy(p, kPairs + 2 * (v % 100), 2);
        v /= 100;
        return WriteLastDigits<Count - 2>(p, v);
    } else if constexpr (Count == 1) {
        *--p = static_cast<char>('0' + v % 10);
        v /= 10;
    }
    return p;
}

template <int Decimals, class Unsigned>
[[gnu::always_inline]] inline char* WriteFixedUnits(char* end, Unsigned units, bool negative) {
    char* p = end;
    const bool zero = units == 0;
    if constexpr (Decimals > 0) {
        p = WriteLastDigits<Decimals>(p, units);
        *--p = '.';
    }
    p = WriteWhole(p, units);
    if (negative && !zero) *--p = '-';
    return p;
}

template <int Decimals>
char* WriteMaskUnits(char* end, uint64_t units, bool negative) {
    if (units <= 0xffffffffu) return WriteFixedUnits<Decimals>(end, static_cast<uint32_t>(units), negative);
    return WriteFixedUnits<Decimals>(end, units, negative);
}

char* WriteUnits(char* end, uint64_t units, bool negative, int decimals) {
    switch (decimals) {
    case 0: return WriteMaskUnits<0>(end, units, negative);
    case 4: return WriteMaskUnits<4>(end, units, negative);
    case 5: return WriteMaskUnits<5>(end, units, negative);
    case 6: return WriteMaskUnits<6>(end, units, negative);
    default: return WriteUnits<uint64_t>(end, units, negative, decimals);
    }
}

// The masks of the results, five and six decimals, for the numbers of a gear:
// MaskUnits's first way in 32 bits. False for the values it does not take.
[[gnu::always_inline]] inline bool ResultUnits(double value, int decimals, uint32_t& units) {
    if (decimals != 6 && decimals != 5) return false;
    const double x = std::fabs(value) * kPow10Double[decimals];
    if (!(x < 4e9)) return false;  // inf and NaN too
    const uint32_t whole = static_cast<uint32_t>(x);
    const double fraction = x - static_cast<double>(whole);
    if (!(std::fabs(fraction - 0.5) > x * 2e-14)) return false;
    units = whole + (fraction > 0.5 ? 1 : 0);
    return true;
}

// The mask text in buf of a value the fast way below does not take.
[[gnu::noinline]] std::string_view FormatIntoGenerally(char (&buf)[kFormatCapacity], double value, int decimals) {
    if (!std::isfinite(value)) value = 0.0;
    if (decimals < 0) decimals = 0;
    if (decimals > 40) decimals = 40;
    const bool negative = std::signbit(value);
    const double a = std::fabs(value);
    uint64_t units;
    if (!MaskUnits(a, decimals, units)) return {buf, FormatManyDigits(buf, negative, a, decimals)};
    char* const end = buf + kFormatCapacity;
    char* const p = WriteUnits(end, units, negative, decimals);
    return {p, static_cast<size_t>(end - p)};
}

// The mask text in buf: written backwards from the end of buf on the fast way,
// from its start otherwise.
[[gnu::always_inline]] inline std::string_view FormatInto(char (&buf)[kFormatCapacity], double value, int decimals) {
    // The masks of the results, written without a loop.
    if (uint32_t units; ResultUnits(value, decimals, units)) {
        char* const end = buf + kFormatCapacity;
        char* const p = decimals == 6 ? WriteFixedUnits<6>(end, units, std::signbit(value))
                                      : WriteFixedUnits<5>(end, units, std::signbit(value));
        return {p, static_cast<size_t>(end - p)};
    }
    return FormatIntoGenerally(buf, value, decimals);
}

// Str of a Single the fast way cannot write (1e7 and beyond, below 1e-16),
// from the library's shortest form of 7 digits.
std::string StrManyDigits(float value) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, static_cast<double>(value), std::chars_format::general, 7);
    std::string s(buf, res.ptr);
    for (char& c : s)
        if (c == 'e') c = 'E';
    // "0.1728" is written ".1728", "-0.5" is "-.5".
    if (s.rfind("0.", 0) == 0) s.erase(0, 1);
    else if (s.rfind("-0.", 0) == 0) s.erase(1, 1);
    if (s.front() != '-') s.insert(s.begin(), ' ');
    return s;
}

// The seven significant digits of a Single widened to a double, for the
// magnitudes from about 1e-6 to 1e7, in double arithmetic alone: a has 24
// significant bits and 10^k = 2^k 5^k with 5^12 < 2^28, so a * 10^k (k <= 12)
// is exact, and its whole part and fraction decide the rounding, halves
// included.
bool SevenDigits(double a, Significand& out) {
    const int binary = static_cast<int>(std::bit_cast<uint64_t>(a) >> 52) - 1023;
    int k = 6 - ((binary * 78913) >> 18);  // the decimal exponent is 6 - k or one more
    if (k < 0 || k > 12) return false;
    double x = a * kPow10Double[k];
    if (x >= 1e7) {
        if (--k < 0) return false;
        x = a * kPow10Double[k];
    }
    if (x < 1e6 || x >= 1e7) return false;  // cannot happen; never guess
    uint64_t whole = static_cast<uint64_t>(x);
    const double fraction = x - static_cast<double>(whole);
    whole += fraction > 0.5 || (fraction == 0.5 && (whole & 1) != 0) ? 1 : 0;
    int exponent = 6 - k;
    if (whole == 10000000) {
        whole = 1000000;
        ++exponent;
    }
    out = {whole, exponent};
    return true;
}

// Str (with the blank of a value that is not negative) or ShortText (without).
// The form is that of %.7G: seven significant digits rounded with halves to
// even, trailing zeros dropped, plain for decimal exponents from -4 to 6 and
// with an exponent of at least two digits otherwise.
std::string PlainText(float value, bool blank) {
    if (!std::isfinite(value)) value = 0.0f;
    if (value == 0.0f) return blank ? " 0" : "0";
    // A whole number of up to seven digits (a count of teeth) is its digits.
    if (std::fabs(value) < 1e7f && value == std::trunc(value)) {
        char buf[12];
        char* const end = buf + sizeof buf;
        char* p = WriteWhole(end, static_cast<uint32_t>(std::fabs(value)));
        if (value < 0) *--p = '-';
        else if (blank) *--p = ' ';
        return std::string(p, end);
    }
    Significand d;
    const double a = std::fabs(static_cast<double>(value));
    if (!SevenDigits(a, d) && !SignificantDigits(a, 7, d)) {
        std::string s = StrManyDigits(value);
        if (!blank && s.front() == ' ') s.erase(0, 1);
        return s;
    }
    // The seven digits, then as many as stand before the trailing zeros. The
    // copies below always move eight bytes; the buffers have room for them.
    char digits[16] = {};
    uint32_t rest = static_cast<uint32_t>(d.digits);
    WriteLastDigits(digits + 7, rest, 7);
    int count = 7;
    while (digits[count - 1] == '0') --count;
    char buf[40];
    char* p = buf;
    if (value < 0) *p++ = '-';
    else if (blank) *p++ = ' ';
    const int e = d.exponent;
    if (e >= -4 && e < 7) {
        if (e < 0) {
            // No zero before the point: ".1728", ".0001".
            *p++ = '.';
            for (int i = -1; i > e; --i) *p++ = '0';
            std::memcpy(p, digits, 8);
            p += count;
        } else if (count <= e + 1) {
            std::memcpy(p, digits, 8);
            p += count;
            for (int i = count; i <= e; ++i) *p++ = '0';
        } else {
            std::memcpy(p, digits, 8);
            p += e + 1;
            *p++ = '.';
            std::memcpy(p, digits + e + 1, 8);
            p += count - e - 1;
        }
    } else {
        *p++ = digits[0];
        if (count > 1) {
            *p++ = '.';
            std::memcpy(p, digits + 1, 8);
            p += count - 1;
        }
        *p++ = 'E';
        *p++ = e < 0 ? '-' : '+';
        const int x = e < 0 ? -e : e;
        if (x >= 100) *p++ = static_cast<char>('0' + x / 100);
        *p++ = static_cast<char>('0' + x / 10 % 10);
        *p++ = static_cast<char>('0' + x % 10);
    }
    return std::string(buf, p);
}

// The digits from p on appended to w (modulo 2^64, as one at a time would),
// two at a time; returns where they end.
inline const char* ReadDigits(const char* p, const char* end, uint64_t& w) {
    while (end - p >= 2) {
        const unsigned a = static_cast<unsigned char>(p[0] - '0'), b = static_cast<unsigned char>(p[1] - '0');
        if (a >= 10) return p;
        if (b >= 10) {
            w = w * 10 + a;
            return p + 1;
        }
        w = w * 100 + (a * 10 + b);
        p += 2;
    }
    if (p < end && IsDigit(*p)) w = w * 10 + static_cast<uint64_t>(*p++ - '0');
    return p;
}

}  // namespace

double Val(std::string_view text) {
    // Most texts hold their number in one piece: digits, a point, digits. A
    // number of at most 2^53 units of 10^-d (d <= 19 here) is the quotient of
    // two exact doubles, rounded once to nearest: the same double as the
    // library's correctly rounded reading. A blank inside or after the number
    // takes the reading that skips blanks; more digits take the library's.
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end && IsBlank(*p)) ++p;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    uint64_t w = 0;
    const char* const first = p;
    p = ReadDigits(p, end, w);
    int digits = static_cast<int>(p - first), decimals = 0;
    if (p < end && *p == '.') {
        const char* const fraction = ++p;
        p = ReadDigits(p, end, w);
        decimals = static_cast<int>(p - fraction);
        digits += decimals;
    }
    if (p < end && IsBlank(*p)) return ValAcrossBlanks(text);
    if (digits == 0) return 0.0;
    if (digits > 19 || w > (uint64_t{1} << 53)) return ValOfManyDigits(text);
    const double v = static_cast<double>(w) / kPow10Double[decimals];
    return negative ? -v : v;
}

bool IsPlainNumber(std::string_view text, bool signAllowed) {
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end && *p == ' ') ++p;
    while (end > p && end[-1] == ' ') --end;
    if (signAllowed && p < end && (*p == '+' || *p == '-')) ++p;
    // Digits, at most one point, digits: at least one digit in all.
    const char* const whole = p;
    while (p < end && IsDigit(*p)) ++p;
    bool digits = p != whole;
    if (p < end && *p == '.') {
        const char* const fraction = ++p;
        while (p < end && IsDigit(*p)) ++p;
        digits = digits || p != fraction;
    }
    return p == end && digits;
}

void AssignTextGenerally(std::string& to, std::string_view from) {
    const size_t n = from.size();
    if (n == to.size() && n > 16 && n <= 32) {
        // The same length of 17 to 32 (a feature's name): two blocks of 16.
        char first[16], last[16];
        std::memcpy(first, from.data(), 16);
        std::memcpy(last, from.data() + n - 16, 16);
        std::memcpy(to.data(), first, 16);
        std::memcpy(to.data() + n - 16, last, 16);
        return;
    }
    if (n > to.size() || n < 4 || n > 16) {
        to.assign(from.data(), n);
        return;
    }
    // Shorter, 4 to 16: read before the end mark is written (from may lie in
    // to).
    char words[16];
    CopyShort(words, from.data(), n);
    to.resize(n);
    CopyShort(to.data(), words, n);
}

size_t FormatDecimalsTo(char* out, double value, int decimals) {
    char buf[kFormatCapacity];
    const std::string_view text = FormatInto(buf, value, decimals);
    std::memmove(out, text.data(), text.size());
    return text.size();
}

void FormatDecimalsTo(std::string& out, double value, int decimals) {
    char buf[kFormatCapacity];
    AssignText(out, FormatInto(buf, value, decimals));
}

std::string FormatDecimals(double value, int decimals) {
    char buf[kFormatCapacity];
    return std::string(FormatInto(buf, value, decimals));
}

double RoundToDecimals(double value, int decimals) {
    // The mask text of units u is "[-]digits.decimals", at most 19 digits when
    // u <= 2^53 and decimals <= 18: Val reads it as u / 10^decimals, negated
    // when the text has its sign (u > 0 and the value negative).
    if (uint32_t units; ResultUnits(value, decimals, units)) {
        const double v = static_cast<double>(units) / kPow10Double[decimals];
        return std::signbit(value) && units != 0 ? -v : v;
    }
    if (decimals < 0) decimals = 0;
    if (!std::isfinite(value)) value = 0.0;
    const double a = std::fabs(value);
    uint64_t units;
    if (decimals <= 18 && MaskUnits(a, decimals, units) && units <= (uint64_t{1} << 53)) {
        const double v = static_cast<double>(units) / kPow10Double[decimals];
        return std::signbit(value) && units != 0 ? -v : v;
    }
    return Val(FormatDecimals(value, decimals));
}

std::string Str(float value) { return PlainText(value, true); }

std::string ShortText(float value) { return PlainText(value, false); }

std::string LTrim(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    return std::string(s.substr(i));
}

std::string RTrim(std::string_view s) {
    size_t n = s.size();
    while (n > 0 && s[n - 1] == ' ') --n;
    return std::string(s.substr(0, n));
}

std::string Trim(std::string_view s) { return RTrim(LTrim(s)); }

std::string RangeText(double a, double b, std::string_view mask) {
    if (b < a) std::swap(a, b);
    const int decimals = MaskDecimals(mask);
    char buf[2 * kFormatCapacity + 3];
    size_t n = FormatDecimalsTo(buf, a, decimals);
    std::memcpy(buf + n, " / ", 3);
    n += 3;
    n += FormatDecimalsTo(buf + n, b, decimals);
    return std::string(buf, n);
}

void SngOverflow() { throw ArithmeticFault("overflow"); }

int16_t IntEntry(double value) {
    if (std::isnan(value)) return 0;
    double r = std::nearbyint(value);  // the default rounding mode: halves to even
    if (r > 32767.0) return 32767;
    if (r < -32768.0) return -32768;
    return static_cast<int16_t>(r);
}

double FracPart(double x) { return x - std::floor(x); }

}  // namespace gearmain
