// The readings list of a part check, as the command line and a part file give
// it (the check itself: inspections.txt, read by calculation_test.cpp).
#include <gtest/gtest.h>

#include "engine/inspection.h"

using namespace gearmain;

namespace {

TEST(Inspection, ReadingsAreNumbersSeparatedByBlanksOrCommas) {
    const std::string none = "no readings: give one number or more, separated by blanks or commas";
    const struct {
        const char* text;
        std::vector<double> values;
        std::string error;
    } rows[] = {{"2.6341 2.6339", {2.6341, 2.6339}, ""},
                {"2.6341,2.6339, 2.6345 ,  .5", {2.6341, 2.6339, 2.6345, 0.5}, ""},
                {" 2.64\t2.63\r\n", {2.64, 2.63}, ""},
                {"-7", {-7}, ""},
                {"999999999", {999999999}, ""},
                {"", {}, none},
                {" , ", {}, none},
                {"2.64 abc", {}, "not a number: abc"},
                {"2.64 2.6.3", {}, "not a number: 2.6.3"},
                {"2,64;2.63", {}, "not a number: 64;2.63"},
                {"1e3", {}, "not a number: 1e3"},
                {"1000000000", {}, "too large to be a reading: 1000000000"},
                {"-5000000000", {}, "too large to be a reading: -5000000000"}};
    for (const auto& r : rows) {
        const ReadingList list = ParseReadings(r.text);
        EXPECT_EQ(list.error, r.error) << r.text;
        EXPECT_EQ(list.ok(), r.error.empty());
        if (list.ok()) {
            EXPECT_EQ(list.values, r.values) << r.text;
        }
    }
    EXPECT_EQ(ParseReadings("2.6341, 2.6339").texts, (std::vector<std::string>{"2.6341", "2.6339"}));
}

}  // namespace
