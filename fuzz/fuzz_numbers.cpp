// The text-to-number reader and the masks: no crash, no undefined behaviour,
// the properties the screens rely on, and the same bytes as the plain first
// versions of the reader and writers (tests/engine/numbers_reference.h).
//
// Input: byte 0 chooses the mask (its decimals, or the text itself as the
// mask), bytes 1-8 and 9-16 are two doubles (bytes 1-4 also a float), the rest
// is a text as a user might type or paste it.
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "engine/numbers.h"
#include "fuzz/fuzz_support.h"
#include "tests/engine/numbers_reference.h"

using namespace gearmain;
using involvo::fuzz::Require;
using involvo::fuzz::ShowsNanOrInf;

namespace {

// -?(0|[1-9][0-9]*) and, with decimals, a point and exactly that many digits;
// a text whose digits are all zero carries no sign.
bool IsMaskText(const std::string& s, int decimals) {
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && s[i] == '-') {
        negative = true;
        ++i;
    }
    size_t wholeStart = i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
    size_t whole = i - wholeStart;
    if (whole == 0) return false;                        // a digit before the point, always
    if (whole > 1 && s[wholeStart] == '0') return false;  // no leading zeros
    if (decimals == 0) {
        if (i != s.size()) return false;
    } else {
        if (i >= s.size() || s[i] != '.') return false;
        ++i;
        size_t fracStart = i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
        if (i != s.size() || static_cast<int>(i - fracStart) != decimals) return false;
    }
    if (negative && s.find_first_not_of("-0.") == std::string::npos) return false;  // "-0.000"
    return true;
}

// The reader written out the long way: the blanks dropped, the longest leading
// "[sign]digits[.digits]" read by the C library.
double ReferenceVal(std::string_view text) {
    std::string s;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n') s.push_back(c);
    size_t i = 0;
    std::string number;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) number.push_back(s[i++]);
    bool digits = false, point = false;
    for (; i < s.size(); ++i) {
        if (s[i] >= '0' && s[i] <= '9') digits = true;
        else if (s[i] == '.' && !point) point = true;
        else break;
        number.push_back(s[i]);
    }
    return digits ? std::strtod(number.c_str(), nullptr) : 0.0;
}

// The fast reader and writers against the plain ones, byte for byte.
void CheckSameAsReference(std::string_view text, double x, int decimals, float f) {
    const double v = Val(text), w = reference::Val(text);
    Require(std::memcmp(&v, &w, sizeof v) == 0, "Val differs from the reference reader", text);
    Require(IsPlainNumber(text, true) == reference::IsPlainNumber(text, true) &&
                IsPlainNumber(text, false) == reference::IsPlainNumber(text, false),
            "IsPlainNumber differs from the reference", text);
    for (double y : {x, v, -x, static_cast<double>(f)}) {
        const std::string mine = FormatDecimals(y, decimals), theirs = reference::FormatDecimals(y, decimals);
        Require(mine == theirs, "FormatDecimals differs from the reference writer", mine + " / " + theirs);
        char buf[kFormatCapacity];
        Require(std::string_view(buf, FormatDecimalsTo(buf, y, decimals)) == theirs,
                "FormatDecimalsTo differs from the reference writer", mine);
    }
    const std::string mask(text);
    Require(Format(x, mask) == reference::Format(x, mask), "Format with a free mask differs from the reference",
            Format(x, mask));
    for (double y : {x, v}) {
        const double rounded = RoundToMask(y, mask), readBack = reference::Val(reference::Format(y, mask));
        Require(std::memcmp(&rounded, &readBack, sizeof rounded) == 0, "RoundToMask is not the mask text read back",
                reference::Format(y, mask));
    }
    for (float g : {f, SngEntry(v), SngEntry(x)}) {
        Require(Str(g) == reference::Str(g), "Str differs from the reference", Str(g));
        Require(ShortText(g) == reference::ShortText(g), "ShortText differs from the reference", ShortText(g));
    }
    Require(RangeText(x, v, "0.0000") == reference::RangeText(x, v, "0.0000"), "RangeText differs from the reference",
            RangeText(x, v, "0.0000"));
    Require(ResultText(v) == reference::ResultText(v), "ResultText differs from the reference", ResultText(v));
}

std::string MaskOf(int decimals) { return decimals == 0 ? "0" : "0." + std::string(decimals, '0'); }

void CheckFormat(double x, int decimals) {
    const std::string mask = MaskOf(decimals);
    const std::string f = Format(x, mask);
    Require(!ShowsNanOrInf(f), "Format shows nan/inf", f);
    Require(IsMaskText(f, decimals), "Format text has not the mask's shape", f);
    Require(f == FormatDecimals(x, decimals), "Format and FormatDecimals differ", f);
    Require(Format(Val(f), mask) == f, "Format(Val(Format(x))) != Format(x)", f);
    if (!std::isfinite(x)) {
        Require(f == Format(0.0, mask), "a value that is not finite is not written as 0", f);
        return;
    }
    // The text is the value rounded to the mask's unit (on the value's 15
    // significant digits).
    const double unit = std::pow(10.0, -decimals);
    const double error = std::fabs(Val(f) - x);
    Require(error <= 0.5 * unit * (1 + 1e-9) + std::fabs(x) * 1e-14, "Val(Format(x)) is not x within half a unit", f);
    Require(ResultText(x, mask) == LTrim(f), "ResultText differs from the mask text", f);
}

void CheckStr(float v) {
    const std::string s = Str(v);
    Require(!ShowsNanOrInf(s), "Str shows nan/inf", s);
    Require(!s.empty(), "Str is empty");
    Require(ShortText(v) == LTrim(s), "ShortText is not Str without its blank", s);
    if (!std::isfinite(v)) {
        Require(s == " 0", "a Single that is not finite is not written as 0", s);
        return;
    }
    Require(v < 0 ? s[0] == '-' : s[0] == ' ', "Str's sign position", s);
    Require(s.find("0.") != 1 || s.size() < 3, "Str keeps a zero before the point", s);
    // Seven significant digits: the text reads back within half a unit of the
    // seventh digit.
    const double back = std::strtod(s.c_str(), nullptr);
    Require(std::fabs(back - v) <= std::fabs(static_cast<double>(v)) * 5.000001e-7, "Str is not v to 7 digits", s);
    if (s.find('E') == std::string::npos)
        Require(Val(s) == back, "Val does not read Str's text", s);
}

void CheckRange(double a, double b, int decimals) {
    const std::string mask = MaskOf(decimals);
    const std::string r = RangeText(a, b, mask);
    Require(!ShowsNanOrInf(r), "RangeText shows nan/inf", r);
    const size_t slash = r.find(" / ");
    Require(slash != std::string::npos, "RangeText has no \" / \"", r);
    const std::string first = r.substr(0, slash), second = r.substr(slash + 3);
    Require(IsMaskText(first, decimals) && IsMaskText(second, decimals), "RangeText pieces not in the mask", r);
    if (std::isfinite(a) && std::isfinite(b))
        Require(Val(first) <= Val(second), "RangeText does not put the smaller value first", r);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    uint8_t head[17] = {};
    std::memcpy(head, data, size < sizeof head ? size : sizeof head);
    const std::string_view text(reinterpret_cast<const char*>(data) + (size < 17 ? size : 17), size < 17 ? 0 : size - 17);
    const int decimals = head[0] % 10;
    double x, y;
    float f;
    std::memcpy(&x, head + 1, sizeof x);
    std::memcpy(&y, head + 9, sizeof y);
    std::memcpy(&f, head + 1, sizeof f);

    CheckSameAsReference(text, x, static_cast<int>(head[0] % 44) - 2, f);

    // The reader.
    const double v = Val(text);
    Require(std::isfinite(v), "Val is not finite", text);
    const double reference = ReferenceVal(text);
    if (std::isinf(reference))
        Require(std::fabs(v) == DBL_MAX && std::signbit(v) == std::signbit(reference),
                "Val of a number too large for a double is not the largest double", text);
    else if (std::fabs(reference) < DBL_MIN)
        Require(v == 0 || v == reference, "Val of a number too small for a double is not 0", text);
    else
        Require(v == reference, "Val differs from the longest leading number", text);
    const bool plain = IsPlainNumber(text, true), unsignedPlain = IsPlainNumber(text, false);
    Require(!unsignedPlain || plain, "an unsigned plain number is not a plain number", text);
    if (unsignedPlain) Require(v >= 0, "an unsigned plain number reads negative", text);
    if (plain) {
        // A plain number is read whole: its own text, as the C library reads it.
        const std::string t = Trim(text);
        const double strict = std::strtod(t.c_str(), nullptr);
        if (std::isfinite(strict)) Require(v == strict, "Val of a plain number differs from its value", text);
    }
    const float entry = SngEntry(v);
    Require(std::isfinite(entry), "SngEntry is not finite", text);
    (void)IntEntry(v);
    (void)IntEntry(x);
    (void)SngEntry(x);
    (void)FracPart(v);

    // The masks.
    CheckFormat(x, decimals);
    CheckFormat(v, decimals);
    CheckFormat(entry, decimals);
    if (head[0] >= 0x80) {
        // Any text as the mask: the decimals are what follows its point.
        const std::string m(text);
        const size_t point = m.find('.');
        long d = point == std::string::npos ? 0 : static_cast<long>(m.size() - point - 1);
        if (d > 40) d = 40;
        const std::string out = Format(x, m);
        Require(!ShowsNanOrInf(out), "Format with a free mask shows nan/inf", out);
        Require(IsMaskText(out, static_cast<int>(d)), "Format with a free mask has not its shape", out);
    }

    // Plain writing.
    CheckStr(f);
    CheckStr(entry);

    // Pairs.
    CheckRange(x, y, decimals);
    CheckRange(v, x, decimals);

    (void)LTrim(text);
    (void)RTrim(text);
    return 0;
}
