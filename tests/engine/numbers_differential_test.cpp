// The fast number reader and writers against the plain ones they replaced
// (numbers_reference.h): the same bytes for every input. Millions of seeded
// random values and texts, drawn where the fast ways could slip: at the halves
// of the fifteenth digit and of each mask's last decimal, near the powers of
// ten, at the edges of the exact reading, and over the whole range of doubles
// and Singles. INVOLVO_NUMBERS_SCALE=n runs n times as many (for a long run by
// hand).
#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "engine/numbers.h"
#include "tests/engine/numbers_reference.h"

namespace {

namespace ref = gearmain::reference;

// Fewer in a build without optimisation (the sanitizer run).
#ifdef NDEBUG
constexpr uint64_t kBase = 1;
#else
constexpr uint64_t kBase = 0;
#endif

uint64_t Count(uint64_t release) {
    uint64_t scale = 1;
    if (const char* s = std::getenv("INVOLVO_NUMBERS_SCALE")) scale = std::strtoull(s, nullptr, 10);
    if (scale == 0) scale = 1;
    return kBase ? release * scale : release / 40 + 1;
}

// splitmix64: fast, seeded, the same sequence everywhere.
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

constexpr int kMaskDecimals[] = {0, 4, 5, 6};

// Compares every writer of a value; reports the first few differences only.
class Compare {
public:
    void Value(double x, int decimals) {
        ++checked_;
        const std::string want = ref::FormatDecimals(x, decimals);
        Check(gearmain::FormatDecimals(x, decimals), want, "FormatDecimals", x, decimals);
        char buf[gearmain::kFormatCapacity];
        const size_t n = gearmain::FormatDecimalsTo(buf, x, decimals);
        Check(std::string(buf, n), want, "FormatDecimalsTo", x, decimals);
        // The engine's rounding to a mask: the text written and read back
        // (for one in sixteen of the long texts of huge values).
        if (want.size() > 40 && (checked_ & 15) != 0) return;
        const std::string mask = decimals <= 0 ? "0" : "0." + std::string(static_cast<size_t>(decimals), '0');
        const double rounded = gearmain::RoundToMask(x, mask), readBack = ref::Val(want);
        if (std::bit_cast<uint64_t>(rounded) != std::bit_cast<uint64_t>(readBack) && Report())
            ADD_FAILURE() << "RoundToMask(" << std::hexfloat << x << std::defaultfloat << ", \"" << mask
                          << "\") = " << rounded << ", Val of the text " << readBack;
    }
    void Masks(double x) {
        for (int d : kMaskDecimals) Value(x, d);
    }
    void Single(float f) {
        ++checked_;
        Check(gearmain::Str(f), ref::Str(f), "Str", f, 7);
        Check(gearmain::ShortText(f), ref::ShortText(f), "ShortText", f, 7);
    }
    void Text(std::string_view t) {
        ++checked_;
        const double a = gearmain::Val(t), b = ref::Val(t);
        if (std::bit_cast<uint64_t>(a) != std::bit_cast<uint64_t>(b) && Report())
            ADD_FAILURE() << "Val(\"" << t << "\") = " << a << ", was " << b;
        for (bool sign : {true, false})
            if (gearmain::IsPlainNumber(t, sign) != ref::IsPlainNumber(t, sign) && Report())
                ADD_FAILURE() << "IsPlainNumber(\"" << t << "\", " << sign << ") differs";
    }
    uint64_t checked() const { return checked_; }

private:
    bool Report() { return ++failures_ <= 20; }
    void Check(const std::string& got, const std::string& want, const char* what, double x, int decimals) {
        if (got != want && Report())
            ADD_FAILURE() << what << "(" << std::hexfloat << x << std::defaultfloat << " = " << x << ", " << decimals
                          << ") = \"" << got << "\", was \"" << want << '"';
    }
    uint64_t checked_ = 0;
    int failures_ = 0;
};

// The double nearest to a decimal text.
double Parse(const std::string& text) {
    double v = 0;
    std::from_chars(text.data(), text.data() + text.size(), v);
    return v;
}

TEST(NumbersDifferential, FormatOfGearSizedValuesIsUnchanged) {
    // Log-uniform over the magnitudes of a gear and well beyond, and the same
    // values as Singles, since most results are Singles widened.
    Compare c;
    Random r{1};
    for (uint64_t i = 0, n = Count(400000); i < n; ++i) {
        double x = std::pow(10.0, -10.0 + 27.0 * r.Unit());
        if (r.Next() & 1) x = -x;
        c.Value(x, kMaskDecimals[i & 3]);
        c.Value(static_cast<float>(x), kMaskDecimals[(i >> 2) & 3]);
    }
    EXPECT_GT(c.checked(), 0u);
}

TEST(NumbersDifferential, FormatOfAnyBitPatternIsUnchanged) {
    // Every exponent, subnormals, infinities and NaNs; any number of decimals.
    Compare c;
    Random r{2};
    for (uint64_t i = 0, n = Count(300000); i < n; ++i) {
        const double x = std::bit_cast<double>(r.Next());
        c.Value(x, static_cast<int>(r.Below(46)) - 2);
        c.Value(x, kMaskDecimals[i & 3]);
    }
}

TEST(NumbersDifferential, FormatAtHalvesOfTheFifteenthDigitIsUnchanged) {
    // The doubles nearest to d.dddddddddddddd5 * 10^e and a few steps on either
    // side: where the fifteen digits round one way or the other.
    Compare c;
    Random r{3};
    for (uint64_t i = 0, n = Count(70000); i < n; ++i) {
        const uint64_t digits = 100000000000000ull + r.Below(900000000000000ull);
        const int e = static_cast<int>(r.Below(30)) - 12;
        const double x = Parse(std::to_string(digits) + "5e" + std::to_string(e - 15));
        double y = x;
        for (int step = 0; step < 3; ++step) y = std::nextafter(y, 0.0);
        for (int step = 0; step < 7; ++step, y = std::nextafter(y, INFINITY)) c.Value(y, kMaskDecimals[step & 3]);
    }
}

TEST(NumbersDifferential, FormatAtHalvesOfEachDecimalIsUnchanged) {
    // u.5 units of each mask and a step on either side; also short decimal
    // entries such as 0.12345, whose fifteen digits end in an exact half.
    Compare c;
    Random r{4};
    for (uint64_t i = 0, n = Count(100000); i < n; ++i) {
        const int d = kMaskDecimals[i & 3];
        const uint64_t units = r.Below(uint64_t{1} << (8 + r.Below(40)));
        const double x = (static_cast<double>(units) + 0.5) / std::pow(10.0, d);
        c.Value(x, d);
        c.Value(std::nextafter(x, 0.0), d);
        c.Value(std::nextafter(x, INFINITY), d);
        std::string entry = std::to_string(r.Below(1000000)) + ".";
        for (uint64_t k = r.Below(8); k > 0; --k) entry.push_back(static_cast<char>('0' + r.Below(10)));
        entry.push_back('5');
        for (int m : kMaskDecimals) c.Value(Parse(entry), m);
    }
}

TEST(NumbersDifferential, FormatOfExactBinaryTiesIsUnchanged) {
    // m / 2^j: finite decimal expansions, many of them exactly halfway between
    // two fifteen-digit forms (2^-22 = 2.384185791015625e-7 is one).
    Compare c;
    Random r{5};
    for (uint64_t i = 0, n = Count(100000); i < n; ++i) {
        const uint64_t m = r.Next() >> (11 + r.Below(50));
        const double x = std::ldexp(static_cast<double>(m), -static_cast<int>(r.Below(90)));
        c.Masks(x);
    }
    for (int j = -1074; j <= 1023; ++j) c.Masks(std::ldexp(1.0, j));
}

TEST(NumbersDifferential, FormatNearPowersOfTenIsUnchanged) {
    Compare c;
    for (int e = -330; e <= 310; e += kBase ? 1 : 9) {
        double x = Parse("1e" + std::to_string(e));
        for (int step = 0; step < 8; ++step) x = std::nextafter(x, 0.0);
        for (int step = 0; step < 17; ++step, x = std::nextafter(x, INFINITY)) {
            c.Masks(x);
            c.Masks(-x);
            c.Value(x, 40);
        }
        for (const char* half : {"9.999995e", "9.9999995e", "9.99999999999999e", "9.999999999999995e",
                                 "0.5e", "0.49999999999999e", "5e"}) {
            const double y = Parse(half + std::to_string(e));
            c.Masks(y);
            c.Masks(std::nextafter(y, 0.0));
            c.Masks(std::nextafter(y, INFINITY));
        }
    }
}

TEST(NumbersDifferential, FormatOfTheEdgesIsUnchanged) {
    const double special[] = {0.0,
                              -0.0,
                              0.5e-6,
                              0.49999999999999e-6,
                              9.9999995,
                              9.9999996,
                              9.99999949999999,
                              99999.99995,
                              0.00005,
                              0.5,
                              1.5,
                              2.5,
                              0.12345,
                              1e15,
                              1e15 - 1,
                              1e15 + 2,
                              999999999999999.4,
                              1e16,
                              1e17,
                              1e18,
                              1e19,
                              1e20,
                              1e21,
                              1e22,
                              1e23,
                              1e100,
                              9007199254740992.0,
                              9007199254740993.0,
                              1234567890123455.0,
                              1e-7,
                              1e-8,
                              0.99999999e-8,
                              1e-9,
                              DBL_MAX,
                              -DBL_MAX,
                              DBL_MIN,
                              DBL_TRUE_MIN,
                              DBL_MIN - DBL_TRUE_MIN,
                              FLT_MAX,
                              FLT_MIN,
                              FLT_TRUE_MIN,
                              DBL_EPSILON,
                              std::numeric_limits<double>::infinity(),
                              -std::numeric_limits<double>::infinity(),
                              std::numeric_limits<double>::quiet_NaN(),
                              -std::numeric_limits<double>::quiet_NaN()};
    Compare c;
    for (double x : special)
        for (int d = -3; d <= 45; ++d) {
            c.Value(x, d);
            c.Value(-x, d);
        }
    // Masks as the callers write them, and odd ones.
    for (double x : special)
        for (const char* mask : {"0", "0.0000", "0.00000", "0.000000", "", ".", "0.", "#.##", "0.0.0", "x"})
            EXPECT_EQ(gearmain::Format(x, mask), ref::Format(x, mask)) << x << " with \"" << mask << '"';
}

TEST(NumbersDifferential, StrOfSinglesIsUnchanged) {
    // Every 6000th bit pattern of a Single (all exponents, NaNs, infinities),
    // log-uniform Singles of a gear's sizes, and the halves of the seventh digit.
    Compare c;
    const uint64_t stride = kBase ? 6001 : 6001 * 40;
    for (uint64_t bits = 0; bits <= 0xffffffffull; bits += stride)
        c.Single(std::bit_cast<float>(static_cast<uint32_t>(bits)));
    Random r{6};
    for (uint64_t i = 0, n = Count(150000); i < n; ++i) {
        const float f = static_cast<float>(std::pow(10.0, -20.0 + 30.0 * r.Unit()));
        c.Single(r.Next() & 1 ? f : -f);
        const float half = static_cast<float>(Parse(std::to_string(1000000 + r.Below(9000000)) + "5e" +
                                                    std::to_string(static_cast<int>(r.Below(30)) - 20)));
        c.Single(half);
        c.Single(std::nextafter(half, 0.0f));
        c.Single(std::nextafter(half, INFINITY));
    }
    for (float f : {0.0f, -0.0f, 0.1728f, 1234567.5f, 1234568.5f, 9999999.0f, 9999999.5f, 1e7f, 0.0001f, 0.00009999999f,
                    1e-5f, FLT_MAX, FLT_MIN, FLT_TRUE_MIN, -FLT_MAX})
        c.Single(f);
}

// A text as a user might type or paste one: digits, points, signs and blanks
// in any order, now and then letters, slashes and commas.
std::string RandomText(Random& r) {
    static const char kAlphabet[] = "0123456789012345678901234567890123456789....--++  \t\r\nEe/,a";
    std::string t;
    const size_t length = r.Below(8) == 0 ? r.Below(400) : r.Below(28);
    for (size_t i = 0; i < length; ++i) t.push_back(kAlphabet[r.Below(sizeof kAlphabet - 1)]);
    return t;
}

TEST(NumbersDifferential, ValOfAnyTextIsUnchanged) {
    Compare c;
    Random r{7};
    for (uint64_t i = 0, n = Count(600000); i < n; ++i) c.Text(RandomText(r));
}

TEST(NumbersDifferential, ValOfNumberTextsIsUnchanged) {
    // Numbers of every length around the exact reading's edges (19 digits,
    // 2^53 units, 22 decimals), with blanks and signs, and the mask texts of
    // random values.
    Compare c;
    Random r{8};
    for (uint64_t i = 0, n = Count(200000); i < n; ++i) {
        std::string t;
        if (r.Below(4) == 0) t += "+- "[r.Below(3)];
        const size_t whole = r.Below(22), decimals = r.Below(27);
        for (size_t k = 0; k < whole; ++k) t.push_back(static_cast<char>('0' + (k == 0 && r.Below(3) == 0 ? 0 : r.Below(10))));
        if (decimals > 0 || r.Below(8) == 0) t.push_back('.');
        for (size_t k = 0; k < decimals; ++k) t.push_back(static_cast<char>('0' + r.Below(10)));
        if (r.Below(6) == 0 && !t.empty()) t.insert(r.Below(t.size()), 1, ' ');
        if (r.Below(10) == 0) t += " / 0.5";
        c.Text(t);
        const double x = std::pow(10.0, -9.0 + 18.0 * r.Unit());
        c.Text(ref::FormatDecimals(r.Next() & 1 ? x : -x, kMaskDecimals[i & 3]));
    }
    for (const char* t : {"9007199254740992", "9007199254740993", "9007199254740991", "900719925474099.3",
                          "0.9007199254740993", "18446744073709551615", "18446744073709551616",
                          "9999999999999999999", "0.0000000000000000000001", "0.00000000000000000000001",
                          "-0", "-0.000", "+0", "-.", "+.", ".", "0.", ".0", "-.0", " - 5", "5 - 3", "1 2", "1.2.3",
                          "..5", "5..", " \t\r\n", "\t-\t.\t5\t", "1e5", "1E+07", "0x10", "inf", "nan", "-inf",
                          "1,5", "2.2250738585072011e-308", "4.9406564584124654e-324"})
        c.Text(t);
    for (int length : {300, 308, 309, 310, 330, 400, 800}) {
        c.Text(std::string(static_cast<size_t>(length), '9'));
        c.Text("-" + std::string(static_cast<size_t>(length), '7'));
        c.Text("0." + std::string(static_cast<size_t>(length), '0') + "1");
        c.Text("-." + std::string(static_cast<size_t>(length), '0') + "25");
        c.Text("1" + std::string(static_cast<size_t>(length), '0') + ".5");
    }
}

TEST(NumbersDifferential, PairsAndResultTextsAreUnchanged) {
    Random r{9};
    int failures = 0;
    for (uint64_t i = 0, n = Count(100000); i < n && failures < 20; ++i) {
        const double a = std::pow(10.0, -8.0 + 16.0 * r.Unit()) * (r.Next() & 1 ? 1 : -1);
        const double b = i % 64 == 0 ? std::bit_cast<double>(r.Next()) : a * (0.9 + 0.2 * r.Unit());
        const char* mask = i % 4 == 0 ? "0" : i % 4 == 1 ? "0.0000" : i % 4 == 2 ? "0.00000" : "0.000000";
        const bool same = gearmain::RangeText(a, b, mask) == ref::RangeText(a, b, mask) &&
                          gearmain::RangeText(a, b) == ref::RangeText(a, b) &&
                          gearmain::ResultText(a, mask) == ref::ResultText(a, mask) &&
                          gearmain::ResultText(b) == ref::ResultText(b);
        if (!same) {
            ++failures;
            ADD_FAILURE() << "pair " << a << ", " << b << " with " << mask;
        }
    }
}

}  // namespace
