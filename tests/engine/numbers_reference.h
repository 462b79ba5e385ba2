// The number reader and writers as they were written first: plain, slow and
// obviously right. The fast ones in engine/numbers.cpp must give the same bytes
// for every input; the differential tests and the fuzz target compare the two.
// Kept exactly as it was (header-only, so the fuzz target can use it as well).
#pragma once

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

namespace gearmain::reference {

inline bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

inline std::string LTrim(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    return std::string(s.substr(i));
}

inline std::string RTrim(std::string_view s) {
    size_t n = s.size();
    while (n > 0 && s[n - 1] == ' ') --n;
    return std::string(s.substr(0, n));
}

inline std::string Trim(std::string_view s) { return RTrim(LTrim(s)); }

inline double Val(std::string_view text) {
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
        bool negative = number.front() == '-';
        std::string whole = body.substr(0, body.find('.'));
        if (whole.find_first_not_of('0') == std::string::npos) return 0.0;  // underflow
        return negative ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max();
    }
    return v;
}

inline bool IsPlainNumber(std::string_view text, bool signAllowed = true) {
    std::string s = Trim(text);
    size_t i = 0;
    if (signAllowed && i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    bool digits = false, point = false;
    for (; i < s.size(); ++i) {
        char c = s[i];
        if (c >= '0' && c <= '9') digits = true;
        else if (c == '.' && !point) point = true;
        else return false;
    }
    return digits;
}

inline std::string FormatDecimals(double value, int decimals) {
    if (!std::isfinite(value)) value = 0.0;
    if (decimals < 0) decimals = 0;
    if (decimals > 40) decimals = 40;
    const bool negative = std::signbit(value);
    const double a = std::fabs(value);

    char units[400];
    int n = 0;
    if (a != 0.0) {
        char sci[40];
        auto res = std::to_chars(sci, sci + sizeof sci, a, std::chars_format::scientific, 14);
        char mant[15];
        mant[0] = sci[0];
        for (int i = 0; i < 14; ++i) mant[i + 1] = sci[2 + i];
        int exponent = 0;
        const char* e = sci + 17;
        bool expNegative = e[0] == '-';
        for (const char* p = e + 1; p < res.ptr; ++p) exponent = exponent * 10 + (*p - '0');
        if (expNegative) exponent = -exponent;
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

inline std::string Format(double value, std::string_view mask) {
    size_t point = mask.find('.');
    int decimals = point == std::string_view::npos ? 0 : static_cast<int>(mask.size() - point - 1);
    return FormatDecimals(value, decimals);
}

inline std::string Str(float value) {
    if (!std::isfinite(value)) value = 0.0f;
    if (value == 0.0f) return " 0";
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, static_cast<double>(value), std::chars_format::general, 7);
    std::string s(buf, res.ptr);
    for (char& c : s)
        if (c == 'e') c = 'E';
    if (s.rfind("0.", 0) == 0) s.erase(0, 1);
    else if (s.rfind("-0.", 0) == 0) s.erase(1, 1);
    if (s.front() != '-') s.insert(s.begin(), ' ');
    return s;
}

inline std::string ShortText(float value) { return LTrim(Str(value)); }

inline std::string ResultText(double a, std::string_view mask = "0.000000") { return LTrim(Format(a, mask)); }

inline std::string RangeText(double a, double b, std::string_view mask = "0.000000") {
    if (b < a) std::swap(a, b);
    return ResultText(a, mask) + " / " + ResultText(b, mask);
}

}  // namespace gearmain::reference
