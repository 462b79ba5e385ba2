#include "engine/numbers.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace gearmain {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The powers of ten a double holds exactly.
constexpr double kPow10Double[23] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                     1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

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
    while (p < end && IsDigit(*p)) w = w * 10 + static_cast<uint64_t>(*p++ - '0');
    int digits = static_cast<int>(p - first), decimals = 0;
    if (p < end && *p == '.') {
        const char* const fraction = ++p;
        while (p < end && IsDigit(*p)) w = w * 10 + static_cast<uint64_t>(*p++ - '0');
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
    size_t begin = 0, end = text.size();
    while (begin < end && text[begin] == ' ') ++begin;
    while (end > begin && text[end - 1] == ' ') --end;
    size_t i = begin;
    if (signAllowed && i < end && (text[i] == '+' || text[i] == '-')) ++i;
    bool digits = false, point = false;
    for (; i < end; ++i) {
        char c = text[i];
        if (c >= '0' && c <= '9') digits = true;
        else if (c == '.' && !point) point = true;
        else return false;
    }
    return digits;
}

std::string FormatDecimals(double value, int decimals) {
    if (!std::isfinite(value)) value = 0.0;
    if (decimals < 0) decimals = 0;
    if (decimals > 40) decimals = 40;
    const bool negative = std::signbit(value);
    const double a = std::fabs(value);

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

    std::string out;
    out.reserve(static_cast<size_t>(n - first + decimals + 3));
    if (negative && !zero) out.push_back('-');
    const int digits = zero ? 0 : n - first;
    if (digits <= decimals) {
        out.push_back('0');
        if (decimals > 0) {
            out.push_back('.');
            out.append(static_cast<size_t>(decimals - digits), '0');
            out.append(units + first, static_cast<size_t>(digits));
        }
    } else {
        out.append(units + first, static_cast<size_t>(digits - decimals));
        if (decimals > 0) {
            out.push_back('.');
            out.append(units + n - decimals, static_cast<size_t>(decimals));
        }
    }
    return out;
}

std::string Format(double value, std::string_view mask) {
    size_t point = mask.find('.');
    int decimals = point == std::string_view::npos ? 0 : static_cast<int>(mask.size() - point - 1);
    return FormatDecimals(value, decimals);
}

std::string Str(float value) {
    if (!std::isfinite(value)) value = 0.0f;
    if (value == 0.0f) return " 0";
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

std::string ShortText(float value) { return LTrim(Str(value)); }

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

std::string ResultText(double a, std::string_view mask) { return LTrim(Format(a, mask)); }

std::string RangeText(double a, double b, std::string_view mask) {
    if (b < a) std::swap(a, b);
    return ResultText(a, mask) + " / " + ResultText(b, mask);
}

float Sng(double value) {
    if (!std::isfinite(value) || std::fabs(value) > static_cast<double>(FLT_MAX))
        throw ArithmeticFault("overflow");
    return static_cast<float>(value);
}

float SngEntry(double value) {
    if (std::isnan(value)) return 0.0f;
    if (value > static_cast<double>(FLT_MAX)) return FLT_MAX;
    if (value < -static_cast<double>(FLT_MAX)) return -FLT_MAX;
    return static_cast<float>(value);
}

int16_t IntEntry(double value) {
    if (std::isnan(value)) return 0;
    double r = std::nearbyint(value);  // the default rounding mode: halves to even
    if (r > 32767.0) return 32767;
    if (r < -32768.0) return -32768;
    return static_cast<int16_t>(r);
}

double FracPart(double x) { return x - std::floor(x); }
double IntPart(double x) { return std::floor(x); }

}  // namespace gearmain
