#include "output/number_format.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vededa {
namespace {

struct FieldCase {
    float value;
    int16_t style;
    const char* expected;
};

class FormatFieldTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(FormatFieldTest, MatchesTheReportField) {
    const FieldCase& c = GetParam();
    EXPECT_EQ(FormatField(c.value, c.style), c.expected) << c.value << " style " << c.style;
}

INSTANTIATE_TEST_SUITE_P(Styles, FormatFieldTest,
                         ::testing::Values(FieldCase{12.5f, 1, "   12.5"}, FieldCase{0.5f, 2, "   0.50"},
                                           FieldCase{0.0f, 6, "      0"}, FieldCase{0.25f, 4, " 0.2500"},
                                           FieldCase{0.0f, 1, "    0.0"}, FieldCase{1234.56f, 2, "1234.56"},
                                           FieldCase{0.001f, 5, "0.00100"}, FieldCase{0.0f, 0, "      0"},
                                           FieldCase{1500.0f, 0, "   1500"}, FieldCase{0.0f, 3, "  0.000"},
                                           FieldCase{5.25f, 4, " 5.2500"},
                                           // halfway values round away from zero
                                           FieldCase{0.125f, 2, "   0.13"}, FieldCase{2.5f, 0, "      3"},
                                           FieldCase{0.15f, 1, "    0.2"}, FieldCase{-0.125f, 2, "-0000.13"},
                                           // carries
                                           FieldCase{9.9999f, 2, "  10.00"},
                                           FieldCase{99999.96f, 1, "100000.0"},
                                           // wider than the pattern: the field widens, nothing is cut
                                           FieldCase{1234567.0f, 2, "1234567.00"},
                                           FieldCase{12345678.0f, 0, "12345678"},
                                           // negative values keep their zeros
                                           FieldCase{-12.5f, 1, "-00012.5"}, FieldCase{-3.0f, 0, "-0000003"},
                                           // a negative value that rounds to zero prints as zero
                                           FieldCase{-0.001f, 2, "   0.00"}));

TEST(Str, ReportFormOfSingles) {
    EXPECT_EQ(Str(0.95f), " .95");
    EXPECT_EQ(Str(-0.2f), "-.2");
    EXPECT_EQ(Str(3.0f), " 3");
    EXPECT_EQ(Str(1500.0f), " 1500");
    EXPECT_EQ(Str(0.0f), " 0");
    EXPECT_EQ(Str(-0.0f), " 0");
    EXPECT_EQ(Str(518.69f), " 518.69");
    EXPECT_EQ(Str(1.0e-5f), " 1E-05");
    EXPECT_EQ(Str(0.0001f), " .0001");
    EXPECT_EQ(Str(12345678.0f), " 1.234568E+07");
    EXPECT_EQ(Str(9999999.0f), " 9999999");
    EXPECT_EQ(Str(-2.5e-6f), "-2.5E-06");
    EXPECT_EQ(Str(1.0f / 3.0f), " .3333333");
    EXPECT_EQ(Str(2.0f / 3.0f), " .6666667");
}

TEST(Str, IntegersAndDoubles) {
    EXPECT_EQ(Str(12), " 12");
    EXPECT_EQ(Str(-3), "-3");
    EXPECT_EQ(Str(0.1), " .1");
    EXPECT_EQ(Str(1.0 / 3.0), " .333333333333333");
}

TEST(PlainText, KeepsTheZeroAndDropsTheBlank) {
    EXPECT_EQ(plainText(0.95f), "0.95");
    EXPECT_EQ(plainText(1500.0f), "1500");
    EXPECT_EQ(plainText(-0.2f), "-0.2");
    EXPECT_EQ(plainText(1.07f), "1.07");
    EXPECT_EQ(plainText(1e-5f), "1E-05");
}

TEST(FileNumber, ShortestFormThatReadsBack) {
    EXPECT_EQ(fileNumber(0.95f), " .95");
    EXPECT_EQ(fileNumber(1500.0f), " 1500");
    EXPECT_EQ(fileNumber(-0.2f), "-.2");
    // 16777217 is not a single; 7 digits would not read back, the shortest exact digits do.
    const float odd = 0.1f + 0.2f;
    const std::string text = fileNumber(odd);
    EXPECT_EQ(std::stof(text), odd) << text;
}

struct PatternCase {
    double value;
    const char* pattern;
    const char* expected;
};

class PatternTest : public ::testing::TestWithParam<PatternCase> {};

TEST_P(PatternTest, MatchesThePattern) {
    const PatternCase& c = GetParam();
    EXPECT_EQ(formatPattern(static_cast<float>(c.value), c.pattern), c.expected)
        << c.value << " with " << c.pattern;
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, PatternTest,
    ::testing::Values(PatternCase{12345.0, "0.000E+00", "1.235E+04"},
                      PatternCase{0.00012345, "0.000E+00", "1.235E-04"},
                      PatternCase{0.0, "0.000E+00", "0.000E+00"}, PatternCase{-2.5, "0.00E+00", "-2.50E+00"},
                      PatternCase{9.9996, "0.000E+00", "1.000E+01"}, PatternCase{0.5, "##.00", ".50"},
                      PatternCase{12.345, "##.00", "12.35"}, PatternCase{0.8123, "0.0000", "0.8123"},
                      PatternCase{0.5, "#0.00", "0.50"}, PatternCase{1234.5, "####.00", "1234.50"},
                      PatternCase{0.25, "####0.00", "0.25"}, PatternCase{12.25, "####0.0", "12.3"},
                      PatternCase{0.9, "0.####", "0.9"}, PatternCase{2.0, "0.####", "2."},
                      PatternCase{5.0, "##.##", "5."}, PatternCase{1.2345, "#.###", "1.235"},
                      PatternCase{2133.0, "####", "2133"}, PatternCase{45000.4, "#####", "45000"},
                      PatternCase{0.0, "#####", ""}, PatternCase{0.1234567, "0.00000", "0.12346"},
                      PatternCase{3.5, "00.00000", "03.50000"},
                      PatternCase{0.1234565, "0.000000", "0.123457"}, PatternCase{6.0, "##", "6"},
                      PatternCase{6.5, "#", "7"}, PatternCase{-6.5, "#", "-7"}));

TEST(LeadingNumber, TakesTheNumericPrefix) {
    EXPECT_EQ(leadingNumber("12abc"), 12.0);
    EXPECT_EQ(leadingNumber("  -.5"), -0.5);
    EXPECT_EQ(leadingNumber("abc"), 0.0);
    EXPECT_EQ(leadingNumber(""), 0.0);
    EXPECT_EQ(leadingNumber("1.5e3x"), 1500.0);
    EXPECT_EQ(leadingNumber("1.5e"), 1.5);
    EXPECT_EQ(leadingNumber("."), 0.0);
}

} // namespace
} // namespace vededa

namespace vededa {
namespace {

// No formatter ever writes NaN or Infinity: a value that is not finite becomes asterisks and is counted.
TEST(NonFiniteGuard, EveryFormatterWritesAsterisksAndCounts) {
    const float bad[] = {std::nanf(""), INFINITY, -INFINITY};
    for (float v : bad) {
        const long before = nonFiniteOutputCount();
        const std::string texts[] = {FormatField(v, 2),
                                     Str(v),
                                     Str(static_cast<double>(v)),
                                     plainText(v),
                                     fileNumber(v),
                                     formatPattern(v, "0.000E+00"),
                                     formatPattern(static_cast<double>(v), "##.00")};
        for (const std::string& t : texts) {
            EXPECT_NE(t.find(kNonFiniteText), std::string::npos) << t;
            for (const char* word : {"nan", "NaN", "inf", "Inf"})
                EXPECT_EQ(t.find(word), std::string::npos) << t;
        }
        EXPECT_EQ(nonFiniteOutputCount() - before, 7);
    }
    const long before = nonFiniteOutputCount();
    EXPECT_EQ(FormatField(1.5f, 2), "   1.50");
    EXPECT_EQ(nonFiniteOutputCount(), before) << "finite values are not counted";
}

} // namespace
} // namespace vededa
