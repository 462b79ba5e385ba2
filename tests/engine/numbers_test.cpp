// The number reader, the mask writer and the plain writer: the worked cases of
// tests/data/engine/numbers.txt, the edges, and the fast code against the
// plain reference (numbers_reference.h) over seeded random values and texts
// drawn where the fast ways could slip. INVOLVO_NUMBERS_SCALE=n runs n times
// as many (for a long run by hand).
#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "data_file.h"
#include "engine/numbers.h"
#include "tests/engine/numbers_reference.h"

using namespace gearmain;
namespace ref = gearmain::reference;

namespace {

double Number(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

TEST(Numbers, WorkedCasesReadAndWriteAsTheRulesSay) {
    const std::vector<enginetest::Line> lines = enginetest::ReadTable("numbers.txt");
    ASSERT_GT(lines.size(), 100u);
    for (const enginetest::Line& l : lines) {
        SCOPED_TRACE("numbers.txt:" + std::to_string(l.number));
        const std::vector<std::string>& w = l.words;
        if (w[0] == "val") {
            EXPECT_EQ(Val(w.at(1)), Number(w.at(2))) << '"' << w[1] << '"';
        } else if (w[0] == "mask") {
            EXPECT_EQ(Format(Number(w.at(1)), w.at(2)), w.at(3));
            EXPECT_EQ(RoundToMask(Number(w[1]), w[2]), Number(w[3]));
        } else if (w[0] == "str") {
            const float f = static_cast<float>(Number(w.at(1)));
            EXPECT_EQ(Str(f), w.at(2));
            EXPECT_EQ(ShortText(f), w.at(3));
        } else if (w[0] == "plain") {
            EXPECT_EQ(IsPlainNumber(w.at(1)), w.at(2) == "1") << '"' << w[1] << '"';
            EXPECT_EQ(IsPlainNumber(w[1], false), w.at(3) == "1") << '"' << w[1] << '"';
        } else if (w[0] == "int") {
            EXPECT_EQ(IntEntry(Number(w.at(1))), std::stoi(w.at(2)));
        } else {
            EXPECT_EQ(SngEntry(Number(w.at(1))), static_cast<float>(Number(w.at(2))));
        }
    }
}

TEST(Numbers, HundredsOfDigitsSaturateOrVanish) {
    EXPECT_EQ(Val("1" + std::string(400, '0')), DBL_MAX);
    EXPECT_EQ(Val("-" + std::string(400, '9')), -DBL_MAX);
    EXPECT_EQ(Val("0." + std::string(400, '0') + "1"), 0.0);
    EXPECT_EQ(Val(std::string(300, '0') + "2.5"), 2.5);
    EXPECT_EQ(Val("1" + std::string(300, '0')), 1e300);
    // 1.7976931348623157e308: fifteen digits 179769313486232, then 294 zeros
    EXPECT_EQ(Format(-DBL_MAX, "0.0000"), "-179769313486232" + std::string(294, '0') + ".0000");
    char buf[kFormatCapacity];
    EXPECT_EQ(std::string(buf, FormatDecimalsTo(buf, -DBL_MAX, 40)).size(), 1 + 309 + 1 + 40u);
    EXPECT_EQ(std::string(buf, FormatTo(buf, -2.63997, "0.0000")), "-2.6400");
}

TEST(Numbers, NonFiniteValuesWriteAsZero) {
    for (double v : {std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(Format(v, "0.000000"), "0.000000");
        EXPECT_EQ(RoundToMask(v, "0.00000"), 0.0);
        EXPECT_EQ(Str(static_cast<float>(v)), " 0");
    }
    EXPECT_FALSE(std::signbit(RoundToMask(-0.0000004, "0.000000")));  // a zero without sign
}

TEST(Numbers, PairsWriteTheSmallerValueFirst) {
    EXPECT_EQ(RangeText(0.157, 0.155), "0.155000 / 0.157000");
    EXPECT_EQ(RangeText(0.155, 0.157), "0.155000 / 0.157000");
    EXPECT_EQ(RangeText(2, 1, "0.00000"), "1.00000 / 2.00000");
    EXPECT_EQ(RangeText(-0.5, 0.25, "0.0000"), "-0.5000 / 0.2500");
    EXPECT_EQ(ResultText(0.15708), "0.157080");
    EXPECT_EQ(Trim("  a b  "), "a b");
    EXPECT_EQ(LTrim("  a "), "a ");
    EXPECT_EQ(RTrim(" a  "), " a");
}

// The decimals of a mask are what follows its point, read when compiling; a
// mask cut from a longer text ends where it is cut.
static_assert(MaskDecimals("0") == 0 && MaskDecimals("0.0000") == 4 && MaskDecimals("0.000000") == 6);
static_assert(MaskDecimals("") == 0 && MaskDecimals("0.") == 0);
static_assert(MaskDecimals(std::string_view("0.00000", 1)) == 0 && MaskDecimals(std::string_view("0.00000", 4)) == 2);

TEST(Numbers, ATextCopiedOverAnotherIsTheTextWhateverBothLengths) {
    // Every length to 34 over every length to 34: a shorter or as long text
    // is copied word by word from 4 to 16 characters, one as long from 17 to
    // 32, the rest by the library.
    const std::string source = "0123456789abcdefghijklmnopqrstuvwxyz";
    for (size_t n = 0; n <= 34; ++n)
        for (size_t old = 0; old <= 34; ++old) {
            std::string to(old, '#');
            AssignText(to, std::string_view(source).substr(0, n));
            ASSERT_EQ(to, source.substr(0, n)) << n << " over " << old;
            ASSERT_EQ(to.c_str()[n], '\0');
        }
    // A text's own tail copied over it: the copy is read before the text
    // shortens (its end mark would overwrite the tail).
    for (size_t old = 4; old <= 34; ++old)
        for (size_t from = 1; from + 4 <= old; ++from) {
            std::string to = source.substr(0, old);
            AssignText(to, std::string_view(to).substr(from));
            ASSERT_EQ(to, source.substr(from, old - from)) << from << " of " << old;
        }
}

TEST(Numbers, TextsAreTheSameOnlyWhenEveryCharacterIs) {
    // Every length to 40 against every length to 40, and each character of
    // an equal length changed in turn: the first, the last, and those where
    // the words of the comparison meet.
    const std::string source = "0123456789abcdefghijklmnopqrstuvwxyzABCD";
    for (size_t n = 0; n <= 40; ++n) {
        const std::string a = source.substr(0, n);
        for (size_t m = 0; m <= 40; ++m) ASSERT_EQ(SameText(a, source.substr(0, m)), n == m) << n << " " << m;
        for (size_t i = 0; i < n; ++i) {
            std::string b = a;
            b[i] = '#';
            ASSERT_FALSE(SameText(a, b)) << n << " at " << i;
            ASSERT_FALSE(SameText(b, a)) << n << " at " << i;
        }
    }
}

TEST(Numbers, OverflowingResultsAreFaults) {
    EXPECT_THROW(Sng(1e300), ArithmeticFault);
    EXPECT_THROW(Sng(-1e300), ArithmeticFault);
    EXPECT_THROW(Sng(std::numeric_limits<double>::quiet_NaN()), ArithmeticFault);
    EXPECT_EQ(Sng(FLT_MAX), FLT_MAX);
    EXPECT_EQ(Sng(0.1), 0.1f);
    EXPECT_DOUBLE_EQ(FracPart(12.5), 0.5);
    EXPECT_DOUBLE_EQ(FracPart(-0.25), 0.75);
}

// ---- The fast code against the reference ----

uint64_t Count(uint64_t n) {
    const char* scale = std::getenv("INVOLVO_NUMBERS_SCALE");
    const uint64_t s = scale ? std::max<uint64_t>(1, std::strtoull(scale, nullptr, 10)) : 1;
#ifdef NDEBUG
    return n * s;
#else
    return n * s / 40 + 1;  // the sanitizer build: fewer
#endif
}

// splitmix64: seeded, the same sequence everywhere.
struct Random {
    uint64_t state;
    uint64_t Next() {
        uint64_t z = (state += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }
    uint64_t Below(uint64_t n) { return Next() % n; }
    double Unit() { return static_cast<double>(Next() >> 11) * 0x1p-53; }
};

// Every writer of a value with the decimals of each mask and a random count; the first differences only.
void CompareWriters(double x, Random& r, int& failures) {
    for (int d : {0, 4, 5, 6, static_cast<int>(r.Below(44)) - 2}) {
        const std::string want = ref::FormatDecimals(x, d), mask = d <= 0 ? "0" : "0." + std::string(d, '0');
        char buf[kFormatCapacity];
        const double rounded = RoundToMask(x, mask), back = ref::Val(want);
        if ((FormatDecimals(x, d) != want || std::string(buf, FormatDecimalsTo(buf, x, d)) != want ||
             Format(x, mask) != ref::Format(x, mask) || std::bit_cast<uint64_t>(rounded) != std::bit_cast<uint64_t>(back)) &&
            ++failures <= 20)
            ADD_FAILURE() << std::hexfloat << x << std::defaultfloat << " = " << x << " with " << d << " decimals: \""
                          << FormatDecimals(x, d) << "\", reference \"" << want << "\", rounded " << rounded;
    }
    const float f = static_cast<float>(x);
    if ((Str(f) != ref::Str(f) || ShortText(f) != ref::ShortText(f)) && ++failures <= 20)
        ADD_FAILURE() << "Str(" << f << ") = \"" << Str(f) << "\", reference \"" << ref::Str(f) << '"';
}

TEST(Numbers, FastWritersGiveTheBytesOfTheReference) {
    Random r{1};
    int failures = 0;
    for (uint64_t i = 0, n = Count(5000); i < n; ++i) {
        // Gear-sized values and far beyond, any bit pattern, the halves of the
        // fifteenth digit, of each mask's last decimal and of the seventh digit,
        // exact binary fractions, and the neighbours of each.
        const double sign = r.Next() & 1 ? 1 : -1;
        const double halfDigit = Number(std::to_string(100000000000000ull + r.Below(900000000000000ull)) + "5e" +
                                        std::to_string(static_cast<int>(r.Below(30)) - 27));
        const double halfUnit = (static_cast<double>(r.Below(uint64_t{1} << (8 + r.Below(40)))) + 0.5) /
                                std::pow(10.0, static_cast<double>(r.Below(7)));
        const double halfSeventh = Number(std::to_string(1000000 + r.Below(9000000)) + "5e" +
                                          std::to_string(static_cast<int>(r.Below(40)) - 26));
        for (double x : {sign * std::pow(10.0, -10.0 + 27.0 * r.Unit()), std::bit_cast<double>(r.Next()), halfDigit,
                         halfUnit, halfSeventh, std::ldexp(static_cast<double>(r.Next() >> (11 + r.Below(50))),
                                                           -static_cast<int>(r.Below(90)))})
            for (double y : {x, std::nextafter(x, 0.0), std::nextafter(x, INFINITY)}) CompareWriters(y, r, failures);
    }
    for (int e = -330; e <= 310; ++e)  // around the powers of ten
        for (double x = std::nextafter(Number("1e" + std::to_string(e)), 0.0), k = 0; k < 3; ++k, x = std::nextafter(x, INFINITY))
            CompareWriters(x, r, failures);
    for (double x : {0.0, -0.0, DBL_MAX, DBL_MIN, DBL_TRUE_MIN, DBL_MIN - DBL_TRUE_MIN, double{FLT_MAX}, double{FLT_TRUE_MIN},
                     1e15 - 1, 1e15 + 2, 999999999999999.4, 9007199254740993.0, 0.99999999e-8, 9999999.5})
        CompareWriters(x, r, failures);
}

TEST(Numbers, FastReaderGivesTheValuesOfTheReference) {
    // Texts as a user might type or paste them, and numbers of every length
    // around the exact reading's edges (19 digits, 2^53 units, 22 decimals).
    static const char kAlphabet[] = "0123456789012345678901234567890123456789....--++  \t\r\nEe/,a";
    Random r{7};
    int failures = 0;
    auto compare = [&](const std::string& t) {
        const bool same = std::bit_cast<uint64_t>(Val(t)) == std::bit_cast<uint64_t>(ref::Val(t)) &&
                          IsPlainNumber(t) == ref::IsPlainNumber(t) && IsPlainNumber(t, false) == ref::IsPlainNumber(t, false);
        if (!same && ++failures <= 20) ADD_FAILURE() << "\"" << t << "\": " << Val(t) << ", reference " << ref::Val(t);
    };
    for (uint64_t i = 0, n = Count(200000); i < n; ++i) {
        std::string t;
        for (size_t k = 0, length = r.Below(8) == 0 ? r.Below(400) : r.Below(28); k < length; ++k)
            t.push_back(kAlphabet[r.Below(sizeof kAlphabet - 1)]);
        compare(t);
        t = r.Below(4) == 0 ? std::string(1, "+- "[r.Below(3)]) : "";
        for (size_t k = 0, whole = r.Below(22); k < whole; ++k) t.push_back(static_cast<char>('0' + r.Below(10)));
        if (r.Below(2)) t.push_back('.');
        for (size_t k = 0, decimals = r.Below(27); k < decimals; ++k) t.push_back(static_cast<char>('0' + r.Below(10)));
        if (r.Below(6) == 0 && !t.empty()) t.insert(r.Below(t.size()), 1, ' ');
        compare(t);
    }
    for (int length : {300, 308, 309, 310, 400}) {
        compare(std::string(static_cast<size_t>(length), '9'));
        compare("-." + std::string(static_cast<size_t>(length), '0') + "25");
        compare("1" + std::string(static_cast<size_t>(length), '0') + ".5");
    }
}

}  // namespace
