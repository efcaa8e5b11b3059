#include "output/number_format.h"
#include "output/report_columns.h"

#include <gtest/gtest.h>

namespace vededa {
namespace {

TEST(ReportColumns, NumbersWiderThanTheirFieldsNeverRunTogether) {
    struct Case {
        std::initializer_list<std::string> fields;
        const char* line;
    } cases[] = {
        {{"  11999", " 0.7082", " 204.52"}, "  11999 0.7082 204.52"}, // fields that fit join unchanged
        {{"  72304", "24.5242"}, "  72304 24.5242"},                  // a full field gets its blank
        {{"1234567", "1234567", "  12"}, "1234567 1234567  12"},
        {{"", "abc", ""}, "abc"},
    };
    for (const Case& c : cases) EXPECT_EQ(joinColumns(c.fields), c.line);
    // A thrust of a million newtons widens its field; the TSFC after it stays a separate number.
    EXPECT_EQ(joinColumns({FormatField(1234567.0f, 0), FormatField(24.5242f, 3)}), "1234567 24.524");
}

} // namespace
} // namespace vededa
