#include "output/data_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vededa {
namespace {

DataTable sample() {
    DataTable t;
    t.columns = {{"leg", ""}, {"name", ""}, {"time", "s"}};
    t.rows.push_back({1.0, std::string("Climb, fast"), static_cast<double>(0.1f)});
    t.rows.push_back({2.0, std::string("Say \"hi\"\n"), std::numeric_limits<double>::quiet_NaN()});
    t.rows.push_back({3.0, std::string("plain"), static_cast<double>(1e-7f)});
    return t;
}

TEST(DataTable, CsvHeaderNamesUnitsAndQuotesOnlyWhereNeeded) {
    EXPECT_EQ(toCsv(sample()), "leg,name,time [s]\n"
                               "1,\"Climb, fast\",0.1\n"
                               "2,\"Say \"\"hi\"\"\n\",\n"
                               "3,plain,1e-07\n");
}

TEST(DataTable, JsonKeepsNumbersAsNumbersAndNonFiniteAsNull) {
    const std::string json = toJson(sample());
    EXPECT_NE(json.find("{\"key\": \"time\", \"unit\": \"s\"}"), std::string::npos);
    EXPECT_NE(json.find("{\"leg\": 1, \"name\": \"Climb, fast\", \"time\": 0.1}"), std::string::npos);
    EXPECT_NE(json.find("\"name\": \"Say \\\"hi\\\"\\n\", \"time\": null}"), std::string::npos);
    EXPECT_EQ(json.find("nan"), std::string::npos);
}

TEST(DataTable, NumbersReadBackAsTheSameSinglePrecisionValue) {
    for (float v : {0.9875f, 1.83f, 3.95175266f, 30210.525f, 123456789.0f, -0.000123f}) {
        DataTable t;
        t.columns = {{"v", ""}};
        t.rows.push_back({static_cast<double>(v)});
        const std::string csv = toCsv(t);
        const std::string number = csv.substr(2, csv.size() - 3);
        EXPECT_EQ(static_cast<float>(std::strtod(number.c_str(), nullptr)), v) << number;
        EXPECT_LE(number.size(), 14u) << number;
    }
}

} // namespace
} // namespace vededa
