#include "app/field_ranges.h"

#include <gtest/gtest.h>

namespace vededa {
namespace {

struct RangeCase {
    const char* key;
    const char* text;
    bool si;
    const char* refusal; ///< part of the reason; "" when accepted
};

class WindowFieldRanges : public ::testing::TestWithParam<RangeCase> {};

TEST_P(WindowFieldRanges, RefuseWhatNoWindowMayStore) {
    const RangeCase& c = GetParam();
    const FieldRange* range = findFieldRange(c.key);
    ASSERT_NE(range, nullptr) << c.key;
    double value = 0;
    const std::string problem = fieldTextProblem(*range, c.text, c.si, value);
    if (*c.refusal == 0)
        EXPECT_EQ(problem, "") << c.key << " " << c.text;
    else
        EXPECT_NE(problem.find(c.refusal), std::string::npos) << problem;
}

INSTANTIATE_TEST_SUITE_P(
    Table, WindowFieldRanges,
    ::testing::Values(
        RangeCase{"alt", "1e30", false, "must be from -5000 to 300000"},
        RangeCase{"alt", "1e300", false, "a value beyond the number range"},
        RangeCase{"tr", "1e30", false, "must be from 0.5 to 3"},
        RangeCase{"tt4", "1e30", true, "must be above 0 up to 3334"},
        RangeCase{"velocity", "1492.3", false, ""},
        RangeCase{"velocity", "7000", true, "must be from 0 to 6096"},
        RangeCase{"beta", "0", false, "must be above 0 up to 1"}, RangeCase{"beta", "1", false, ""},
        RangeCase{"ab", "1", false, ""}, RangeCase{"ab", "0.5", false, "must be a whole number"},
        RangeCase{"engines", "2.5", false, "must be a whole number"}, RangeCase{"engines", "4", false, ""},
        RangeCase{"drag-points", "11", false, ""},
        RangeCase{"drag-points", "12", false, "must be from 0 to 11"},
        RangeCase{"wing-loading", "4000", true, ""},
        RangeCase{"wing-loading", "4000", false, "must be above 0 up to 2000"},
        RangeCase{"lapse", "-0.2", false, ""}, RangeCase{"cl-max", "2abc", false, "must be a finite number"},
        RangeCase{"line-width", "3", false, ""}, RangeCase{"line-width", "7", false, "from 1 to 4"}));

} // namespace
} // namespace vededa
