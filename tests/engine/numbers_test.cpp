// The number reader, the mask writer and the plain writer.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

#include "engine/numbers.h"

using namespace gearmain;

namespace {

struct ValCase {
    const char* text;
    double value;
};

class ValReadsLeadingNumber : public ::testing::TestWithParam<ValCase> {};

TEST_P(ValReadsLeadingNumber, IgnoringBlanks) {
    EXPECT_DOUBLE_EQ(Val(GetParam().text), GetParam().value) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(Texts, ValReadsLeadingNumber,
                         ::testing::Values(ValCase{"5/7", 5}, ValCase{"0.1570 / 0.1560", 0.157},
                                           ValCase{"1 2", 12}, ValCase{"", 0}, ValCase{"-", 0},
                                           ValCase{".5", 0.5}, ValCase{"12a", 12}, ValCase{"-.25", -0.25},
                                           ValCase{"  3.5  ", 3.5}, ValCase{"1.2.3", 1.2},
                                           ValCase{"abc", 0}, ValCase{".", 0}, ValCase{"+4", 4},
                                           ValCase{"0.157080", 0.15708}, ValCase{"  - 1 2 . 5 ", -12.5},
                                           ValCase{"+.5", 0.5}, ValCase{"5.", 5}, ValCase{"0.5 0", 0.5},
                                           ValCase{"\t2.25\r\n", 2.25}, ValCase{"1,5", 1},
                                           ValCase{"1e5", 1}, ValCase{"--5", 0}, ValCase{"..5", 0}));

TEST(ValReadsLeadingNumber, RoundsToTheNearestDoubleAndHalvesToEven) {
    // 2^53 + 1 lies halfway between 2^53 and 2^53 + 2; 2^53 + 3 between
    // 2^53 + 2 and 2^53 + 4.
    EXPECT_EQ(Val("9007199254740993"), 9007199254740992.0);
    EXPECT_EQ(Val("9007199254740995"), 9007199254740996.0);
    EXPECT_EQ(Val("900719925474099.3"), 900719925474099.3);
    EXPECT_EQ(Val("0.1"), 0.1);
    EXPECT_EQ(Val("123456789012345678901234567890"), 123456789012345678901234567890.0);
    EXPECT_EQ(Val("0.0000000000000000000000000123"), 1.23e-26);
}

TEST(ValReadsLeadingNumber, HundredsOfDigitsSaturateOrVanish) {
    EXPECT_EQ(Val("1" + std::string(400, '0')), DBL_MAX);
    EXPECT_EQ(Val("-" + std::string(400, '9')), -DBL_MAX);
    EXPECT_EQ(Val("0." + std::string(400, '0') + "1"), 0.0);
    EXPECT_EQ(Val(std::string(300, '0') + "2.5"), 2.5);
    EXPECT_EQ(Val("1" + std::string(300, '0')), 1e300);
}

struct MaskCase {
    double value;
    const char* mask;
    const char* text;
};

class FormatWithMask : public ::testing::TestWithParam<MaskCase> {};

TEST_P(FormatWithMask, RoundsHalvesAwayFromZero) {
    const MaskCase& c = GetParam();
    EXPECT_EQ(Format(c.value, c.mask), c.text) << c.value << " with " << c.mask;
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormatWithMask,
    ::testing::Values(MaskCase{2.5, "0", "3"}, MaskCase{3.5, "0", "4"}, MaskCase{-1.5, "0", "-2"},
                      MaskCase{0.0000005, "0.000000", "0.000001"}, MaskCase{0.4, "0", "0"},
                      // one digit always stands before the point
                      MaskCase{0.25, "0.0000", "0.2500"}, MaskCase{0.0, "0.000000", "0.000000"},
                      // a negative value that rounds to zero carries no sign
                      MaskCase{-0.0000001, "0.000000", "0.000000"}, MaskCase{-0.0, "0", "0"},
                      MaskCase{-0.4, "0", "0"},
                      // 0.12345 is 0.1234499999... in binary; its 15-digit form is a half
                      MaskCase{0.12345, "0.0000", "0.1235"},
                      // pi/20 is the basic thickness at pitch 10
                      MaskCase{3.14159265 / 20, "0.000000", "0.157080"}, MaskCase{0.172800, "0.00000", "0.17280"},
                      MaskCase{1234567.5, "0", "1234568"}, MaskCase{9.9999996, "0.000000", "10.000000"},
                      MaskCase{-2.63997, "0.0000", "-2.6400"}));

// The edges of the fast writer, worked by hand from the values' decimal
// expansions: the fifteen significant digits first, then the mask's half.
INSTANTIATE_TEST_SUITE_P(
    Edges, FormatWithMask,
    ::testing::Values(
        // a half of the last decimal of each mask goes away from zero
        MaskCase{0.5, "0", "1"}, MaskCase{0.00005, "0.0000", "0.0001"}, MaskCase{0.000005, "0.00000", "0.00001"},
        MaskCase{0.5e-6, "0.000000", "0.000001"}, MaskCase{-0.00005, "0.0000", "-0.0001"},
        MaskCase{1.00005, "0.0000", "1.0001"}, MaskCase{0.49e-6, "0.000000", "0.000000"},
        // 9.9999995 is 9.99999949999999971... in binary: fifteen digits make it a half
        MaskCase{9.9999995, "0.000000", "10.000000"}, MaskCase{0.99999995, "0.000000", "1.000000"},
        MaskCase{99999.99995, "0.0000", "100000.0000"}, MaskCase{999999.4999, "0", "999999"},
        MaskCase{9.99999949, "0.000000", "9.999999"},
        // 1e15 and beyond: fifteen digits, then zeros
        MaskCase{1e15, "0", "1000000000000000"}, MaskCase{1e20, "0.0000", "100000000000000000000.0000"},
        MaskCase{1234567890123456789.0, "0", "1234567890123460000"},
        MaskCase{-123456789012345678.0, "0.00000", "-123456789012346000.00000"},
        // below the last decimal, subnormals, zeros: no sign
        MaskCase{4.9406564584124654e-324, "0.000000", "0.000000"},
        MaskCase{-4.9406564584124654e-324, "0.000000", "0.000000"}, MaskCase{-0.0, "0.000000", "0.000000"},
        MaskCase{1e-9, "0.000000", "0.000000"}, MaskCase{-0.0000004, "0.000000", "0.000000"},
        // an exact half of the fifteenth digit goes to even, as the fifteen digits are written
        MaskCase{1234567890123445.0, "0", "1234567890123440"}, MaskCase{1234567890123455.0, "0", "1234567890123460"},
        // the largest Single
        MaskCase{3.4028234663852886e38, "0.0000", "340282346638529000000000000000000000000.0000"}));

TEST(FormatWithMask, TheLargestDoubleHasItsFifteenDigitsAndZeros) {
    // 1.7976931348623157e308: fifteen digits 179769313486232, then 294 zeros.
    EXPECT_EQ(Format(DBL_MAX, "0"), "179769313486232" + std::string(294, '0'));
    EXPECT_EQ(Format(-DBL_MAX, "0.0000"), "-179769313486232" + std::string(294, '0') + ".0000");
}

TEST(FormatWithMask, WritesIntoABufferAsIntoAString) {
    char buf[kFormatCapacity];
    for (double v : {0.15708, -2.63997, 1e300, 0.0, 12.5}) {
        for (const char* mask : {"0", "0.0000", "0.00000", "0.000000"}) {
            EXPECT_EQ(std::string(buf, FormatTo(buf, v, mask)), Format(v, mask)) << v << " with " << mask;
        }
    }
    EXPECT_EQ(std::string(buf, FormatDecimalsTo(buf, -DBL_MAX, 40)).size(), 1 + 309 + 1 + 40u);
}

TEST(RoundToMask, IsTheMaskTextReadBack) {
    EXPECT_EQ(RoundToMask(0.1234567, "0.000000"), 0.123457);
    EXPECT_EQ(RoundToMask(-2.63997, "0.0000"), -2.64);
    EXPECT_EQ(RoundToMask(2.5, "0"), 3.0);
    EXPECT_EQ(RoundToMask(0.12345, "0.0000"), 0.1235);
    EXPECT_EQ(RoundToMask(1e300, "0.000000"), 1e300);
    EXPECT_EQ(RoundToMask(std::numeric_limits<double>::infinity(), "0.00000"), 0.0);
    // a negative value that rounds to zero reads back as a zero without sign
    EXPECT_FALSE(std::signbit(RoundToMask(-0.0000004, "0.000000")));
    EXPECT_FALSE(std::signbit(RoundToMask(-0.0, "0")));
}

TEST(FormatWithMask, NonFiniteValuesNeverReachTheText) {
    for (double v : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
        std::string t = Format(v, "0.000000");
        EXPECT_EQ(t.find("nan"), std::string::npos) << t;
        EXPECT_EQ(t.find("inf"), std::string::npos) << t;
    }
}

struct StrCase {
    float value;
    const char* plain;
    const char* shortText;
};

class PlainWriting : public ::testing::TestWithParam<StrCase> {};

TEST_P(PlainWriting, ShortestFormOfSevenDigits) {
    EXPECT_EQ(Str(GetParam().value), GetParam().plain);
    EXPECT_EQ(ShortText(GetParam().value), GetParam().shortText);
}

INSTANTIATE_TEST_SUITE_P(Values, PlainWriting,
                         ::testing::Values(StrCase{0.1728f, " .1728", ".1728"}, StrCase{-0.5f, "-.5", "-.5"},
                                           StrCase{2.2f, " 2.2", "2.2"}, StrCase{1234567.f, " 1234567", "1234567"},
                                           StrCase{0.f, " 0", "0"}, StrCase{4.f, " 4", "4"},
                                           StrCase{-12.25f, "-12.25", "-12.25"},
                                           StrCase{12345678.f, " 1.234568E+07", "1.234568E+07"},
                                           StrCase{1e20f, " 1E+20", "1E+20"},
                                           StrCase{-3e10f, "-3E+10", "-3E+10"},
                                           // seven digits with halves to even: 1234567.5 and 1234568.5
                                           // both give 1234568
                                           StrCase{1234567.5f, " 1234568", "1234568"},
                                           StrCase{1234568.5f, " 1234568", "1234568"},
                                           StrCase{-0.f, " 0", "0"}, StrCase{0.0001f, " .0001", ".0001"},
                                           StrCase{0.00001f, " 1E-05", "1E-05"},
                                           StrCase{9999999.f, " 9999999", "9999999"},
                                           StrCase{100.f, " 100", "100"}, StrCase{-0.015625f, "-.015625", "-.015625"},
                                           StrCase{FLT_MAX, " 3.402823E+38", "3.402823E+38"},
                                           StrCase{-FLT_TRUE_MIN, "-1.401298E-45", "-1.401298E-45"}));

TEST(RangeText, WritesTheSmallerValueFirst) {
    EXPECT_EQ(RangeText(0.157, 0.155), "0.155000 / 0.157000");
    EXPECT_EQ(RangeText(0.155, 0.157), "0.155000 / 0.157000");
    EXPECT_EQ(RangeText(2, 1, "0.00000"), "1.00000 / 2.00000");
    EXPECT_EQ(RangeText(-0.5, 0.25, "0.0000"), "-0.5000 / 0.2500");
}

TEST(IntEntry, RoundsHalvesToEvenAndSaturates) {
    EXPECT_EQ(IntEntry(2.5), 2);
    EXPECT_EQ(IntEntry(3.5), 4);
    EXPECT_EQ(IntEntry(-2.5), -2);
    EXPECT_EQ(IntEntry(2.6), 3);
    EXPECT_EQ(IntEntry(40000), 32767);
    EXPECT_EQ(IntEntry(-40000), -32768);
    EXPECT_EQ(IntEntry(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(SingleStores, OverflowIsAnErrorForResultsAndSaturatesForEntries) {
    EXPECT_THROW(Sng(1e300), ArithmeticFault);
    EXPECT_THROW(Sng(std::numeric_limits<double>::quiet_NaN()), ArithmeticFault);
    EXPECT_FLOAT_EQ(Sng(0.1), 0.1f);
    EXPECT_EQ(SngEntry(1e300), FLT_MAX);
    EXPECT_EQ(SngEntry(-1e300), -FLT_MAX);
}

TEST(FracPart, IsInTheUnitIntervalAlsoForNegatives) {
    EXPECT_DOUBLE_EQ(FracPart(12.5), 0.5);
    EXPECT_DOUBLE_EQ(FracPart(25.0 / 2), 0.5);
    EXPECT_DOUBLE_EQ(FracPart(24.0 / 2), 0.0);
    EXPECT_DOUBLE_EQ(FracPart(-0.25), 0.75);
    EXPECT_DOUBLE_EQ(IntPart(-0.25), -1.0);
}

}  // namespace
