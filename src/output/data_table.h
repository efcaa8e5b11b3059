#pragma once

#include <string>
#include <variant>
#include <vector>

namespace vededa {

/// One column of a data table: a key a script can use and its unit ("" for none).
struct DataColumn {
    std::string key;
    std::string unit;
};

/// A cell: a number (written as a number, never as formatted report text) or a text.
using DataValue = std::variant<double, std::string>;

/// Results as a plain table for spreadsheets and scripts.
struct DataTable {
    std::vector<DataColumn> columns;
    std::vector<std::vector<DataValue>> rows;
};

/// A finite number as the tables write it: the fewest digits (6 to 9) that give back the same
/// single-precision value, C locale. Writers of other shapes of CSV or JSON use it so that every number
/// reads alike; the caller decides what stands for a value that is not finite.
std::string dataNumberText(double value);

/// `text` as a JSON string: quoted, with quotes, backslashes and control characters escaped.
std::string jsonString(const std::string& text);

/// CSV: a header of the keys with their units in brackets ("wing_loading [psf]"), then one line per row;
/// numbers in the fewest digits (6 to 9) that give back the same single-precision value, C locale, texts
/// quoted where they hold a comma, quote or line break; a value that is not finite is an empty field. Lines
/// end with LF.
std::string toCsv(const DataTable& table);

/// JSON: {"columns": [{"key": ..., "unit": ...}, ...], "rows": [{key: value, ...}, ...]}; numbers as JSON
/// numbers, a value that is not finite as null.
std::string toJson(const DataTable& table);

} // namespace vededa
