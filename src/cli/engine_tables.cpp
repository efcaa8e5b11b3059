// The engine series and throttle hook as tables: the rows of the reports, read back column by column, so
// the numbers are exactly those the report prints.
#include "cli/engine_tables.h"

#include <cstdlib>
#include <sstream>

namespace vededa::cli {

namespace {

/// The data rows of a report: the lines after its column-head line, each split at blanks into its leading
/// numbers and the text that follows them.
struct Row {
    std::vector<double> numbers;
    std::string rest;
};

std::vector<Row> dataRows(const std::string& report, const std::string& headMark, std::size_t numbers) {
    std::vector<Row> rows;
    std::istringstream in(report);
    std::string line;
    bool started = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!started) {
            started = line.find(headMark) != std::string::npos;
            continue;
        }
        std::istringstream cells(line);
        Row row;
        std::string token;
        while (row.numbers.size() < numbers && cells >> token) {
            char* end = nullptr;
            const double v = std::strtod(token.c_str(), &end);
            if (end == token.c_str() || *end != '\0') break;
            row.numbers.push_back(v);
        }
        if (row.numbers.size() < numbers) continue; // a message line, not a row
        std::getline(cells, row.rest);
        const auto first = row.rest.find_first_not_of(' ');
        const auto last = row.rest.find_last_not_of(' ');
        row.rest = first == std::string::npos ? std::string() : row.rest.substr(first, last - first + 1);
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<DataValue> values(const Row& r) {
    std::vector<DataValue> out(r.numbers.begin(), r.numbers.end());
    return out;
}

} // namespace

DataTable throttleHookTable(const std::string& report, bool si) {
    DataTable t;
    t.columns = {{"thrust", si ? "N" : "lbf"},
                 {"tsfc", si ? "mg/(N s)" : "1/hr"},
                 {"mdot", si ? "kg/s" : "lbm/s"},
                 {"mdot_c2", si ? "kg/s" : "lbm/s"},
                 {"pi_fan", ""},
                 {"mdot_c25", si ? "kg/s" : "lbm/s"},
                 {"pi_h", ""},
                 {"tt4", si ? "K" : "R"},
                 {"tt7", si ? "K" : "R"},
                 {"afterburner", ""},
                 {"limit", ""}};
    for (const Row& r : dataRows(report, " Thrust  TSFC", 9)) {
        std::vector<DataValue> row = values(r);
        // "AB  On" or "AB Off", then the limit name.
        std::istringstream rest(r.rest);
        std::string ab, state, limit;
        rest >> ab >> state;
        std::getline(rest, limit);
        const auto first = limit.find_first_not_of(' ');
        row.emplace_back(state);
        row.emplace_back(first == std::string::npos ? std::string() : limit.substr(first));
        t.rows.push_back(std::move(row));
    }
    return t;
}

DataTable engineSeriesTable(const std::string& report, const std::string& variable, bool si) {
    const std::string temperature = si ? "K" : "R";
    std::string unit;
    if (variable == "alt") unit = si ? "m" : "ft";
    if (variable == "t0" || variable == "tt4" || variable == "tt7") unit = temperature;
    if (variable == "p0") unit = si ? "Pa" : "psia";
    DataTable t;
    t.columns = {{variable, unit},
                 {"thrust", si ? "N" : "lbf"},
                 {"tsfc", si ? "mg/(N s)" : "1/hr"},
                 {"mdot", si ? "kg/s" : "lbm/s"},
                 {"pi_c", ""},
                 {"pi_fan", ""},
                 {"bypass_ratio", ""},
                 {"pt9_p9", ""},
                 {"tau_tl", ""},
                 {"tt4", temperature},
                 {"limit", ""}};
    for (const Row& r : dataRows(report, " Thrust   TSFC", 10)) {
        std::vector<DataValue> row = values(r);
        row.emplace_back(r.rest);
        t.rows.push_back(std::move(row));
    }
    return t;
}

} // namespace vededa::cli
