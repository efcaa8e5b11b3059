#include "output/field_text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdlib>
#include <limits>

namespace vededa {
namespace {

struct FieldTextCase {
    float value;
    const char* text;
};

class FieldTextTest : public ::testing::TestWithParam<FieldTextCase> {};

TEST_P(FieldTextTest, ShowsTheShortestTextThatReadsBack) {
    const FieldTextCase& c = GetParam();
    const std::string text = fieldText(c.value);
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(std::strtof(text.c_str(), nullptr), c.value);
}

INSTANTIATE_TEST_SUITE_P(Values, FieldTextTest,
                         ::testing::Values(FieldTextCase{1.5f, "1.5"}, FieldTextCase{0.1f, "0.1"},
                                           FieldTextCase{30000.0f, "30000"}, FieldTextCase{-0.25f, "-0.25"},
                                           FieldTextCase{518.69f, "518.69"},
                                           FieldTextCase{1.0f / 3.0f, "0.33333334"},
                                           FieldTextCase{1e-5f, "1E-05"},
                                           FieldTextCase{123456789.0f, "123456792"},
                                           FieldTextCase{1.5e12f, "1.5E+12"}, FieldTextCase{0.0f, "0"},
                                           FieldTextCase{-0.0f, "0"}, FieldTextCase{1.500011f, "1.500011"}));

TEST(FieldText, NonFiniteValuesNeverShowAsText) {
    for (float v : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()}) {
        const std::string text = fieldText(v);
        EXPECT_EQ(text.find("nan"), std::string::npos);
        EXPECT_EQ(text.find("inf"), std::string::npos);
    }
}

TEST(FieldText, SignificantDigitsOfTypedNumbers) {
    struct Case {
        const char* text;
        int digits;
    };
    for (const Case& c : {Case{"1492.3", 5}, Case{"0.0035", 2}, Case{"1500", 4}, Case{"1.2E+03", 2},
                          Case{"-0.25", 2}, Case{"0", 1}, Case{"", 0}})
        EXPECT_EQ(significantDigits(c.text), c.digits) << c.text;
}

TEST(FieldText, DerivedValuesShowThePrecisionOfTheirInputs) {
    // A Mach number from a velocity of 1492.3 ft/s at 411.9 R.
    EXPECT_EQ(derivedFieldText(1.500011f, 5), "1.5");
    EXPECT_EQ(derivedFieldText(0.8999527f, 4), "0.9");
    EXPECT_EQ(derivedFieldText(0.9000358f, 5), "0.90004");
    // Never fewer than 3 nor more than 7 digits.
    EXPECT_EQ(derivedFieldText(1.23456f, 1), "1.23");
    EXPECT_EQ(derivedFieldText(1.2345678f, 12), "1.234568");
}

} // namespace
} // namespace vededa
