// The number reader and writers written plainly, slowly and obviously right,
// on the library's correctly rounded conversions and decimal strings. The fast
// ones of engine/numbers.cpp must give the same bytes for every input; the
// differential test and the fuzz target compare the two.
#pragma once

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

namespace gearmain::reference {

inline double Val(std::string_view text) {
    std::string s, body;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n') s.push_back(c);
    const bool sign = !s.empty() && (s[0] == '+' || s[0] == '-'), negative = sign && s[0] == '-';
    for (size_t i = sign; i < s.size() && (std::isdigit(static_cast<unsigned char>(s[i])) || s[i] == '.'); ++i) {
        if (s[i] == '.' && body.find('.') != std::string::npos) break;
        body.push_back(s[i]);
    }
    if (body.find_first_of("0123456789") == std::string::npos) return 0.0;
    const std::string number = "0" + body + (body.back() == '.' ? "0" : "");  // ".5" and "5." as "0.5" and "05.0"
    double v = 0;
    if (std::from_chars(number.data(), number.data() + number.size(), v).ec == std::errc::result_out_of_range) {
        if (body.substr(0, body.find('.')).find_first_not_of('0') == std::string::npos) return 0.0;  // underflow
        v = DBL_MAX;
    }
    return negative ? -v : v;
}

inline bool IsPlainNumber(std::string_view text, bool signAllowed = true) {
    const size_t first = text.find_first_not_of(' '), last = text.find_last_not_of(' ');
    std::string_view s = first == std::string_view::npos ? "" : text.substr(first, last - first + 1);
    if (signAllowed && !s.empty() && (s[0] == '+' || s[0] == '-')) s.remove_prefix(1);
    const size_t digits = static_cast<size_t>(std::count_if(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; }));
    return digits > 0 && digits + (std::count(s.begin(), s.end(), '.') == 1 ? 1 : 0) == s.size();
}

// The fifteen significant digits of |value| as the library writes them, the
// units of 10^-decimals rounded from them with halves away from zero.
inline std::string FormatDecimals(double value, int decimals) {
    if (!std::isfinite(value)) value = 0.0;
    decimals = std::clamp(decimals, 0, 40);
    std::string units = "0";
    if (value != 0.0) {
        char sci[40];
        char* end = std::to_chars(sci, sci + sizeof sci, std::fabs(value), std::chars_format::scientific, 14).ptr;
        const std::string digits = std::string(1, sci[0]) + std::string(sci + 2, sci + 16);
        const int shift = std::stoi(std::string(sci + 17, end)) - 14 + decimals;  // units = digits * 10^shift
        if (shift >= 0) {
            units = digits + std::string(static_cast<size_t>(shift), '0');
        } else if (shift >= -15) {
            units = "0" + digits.substr(0, static_cast<size_t>(15 + shift));
            if (digits[static_cast<size_t>(15 + shift)] >= '5') {  // carry the half upwards
                size_t i = units.size() - 1;
                for (; units[i] == '9'; --i) units[i] = '0';
                ++units[i];
            }
        }
        units.erase(0, std::min(units.find_first_not_of('0'), units.size() - 1));
    }
    units.insert(0, static_cast<size_t>(std::max(0, decimals + 1 - static_cast<int>(units.size()))), '0');
    if (decimals > 0) units.insert(units.size() - static_cast<size_t>(decimals), ".");
    return (std::signbit(value) && units.find_first_not_of("0.") != std::string::npos ? "-" : "") + units;
}

inline std::string Format(double value, std::string_view mask) {
    const size_t point = mask.find('.');
    return FormatDecimals(value, point == std::string_view::npos ? 0 : static_cast<int>(mask.size() - point - 1));
}

// %.7G as the library writes it, E for e, no zero before the point, a blank for a sign.
inline std::string Str(float value) {
    if (!std::isfinite(value) || value == 0.0f) return " 0";
    char buf[64];
    std::string s(buf, std::to_chars(buf, buf + sizeof buf, static_cast<double>(value), std::chars_format::general, 7).ptr);
    std::replace(s.begin(), s.end(), 'e', 'E');
    if (s.starts_with("0.") || s.starts_with("-0.")) s.erase(s.find('0'), 1);
    return s[0] == '-' ? s : " " + s;
}

inline std::string ShortText(float value) { return Str(value).substr(Str(value)[0] == ' ' ? 1 : 0); }

inline std::string ResultText(double a, std::string_view mask = "0.000000") { return Format(a, mask); }

inline std::string RangeText(double a, double b, std::string_view mask = "0.000000") {
    if (b < a) std::swap(a, b);
    return ResultText(a, mask) + " / " + ResultText(b, mask);
}

}  // namespace gearmain::reference
