#include "output/data_table.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vededa {

namespace {

/// A finite number in the shortest form that reads back as the same single-precision value (the
/// results are single precision; more digits would only show binary noise).
std::string numberText(double v) {
    char buf[40];
    for (int digits = 6; digits <= 9; ++digits) {
        std::snprintf(buf, sizeof buf, "%.*g", digits, v);
        if (static_cast<float>(std::strtod(buf, nullptr)) == static_cast<float>(v)) break;
    }
    return buf;
}

std::string csvText(const std::string& s) {
    if (s.find_first_of(",\"\r\n") == std::string::npos) return s;
    std::string out = "\"";
    for (char c : s) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::string jsonText(const std::string& s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

} // namespace

std::string dataNumberText(double value) {
    return numberText(value);
}

std::string jsonString(const std::string& text) {
    return jsonText(text);
}

std::string toCsv(const DataTable& t) {
    std::string out;
    for (std::size_t i = 0; i < t.columns.size(); ++i) {
        if (i > 0) out += ',';
        const DataColumn& c = t.columns[i];
        out += csvText(c.unit.empty() ? c.key : c.key + " [" + c.unit + "]");
    }
    out += '\n';
    for (const auto& row : t.rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0) out += ',';
            if (const double* v = std::get_if<double>(&row[i])) {
                if (std::isfinite(*v)) out += numberText(*v);
            } else {
                out += csvText(std::get<std::string>(row[i]));
            }
        }
        out += '\n';
    }
    return out;
}

std::string toJson(const DataTable& t) {
    std::string out = "{\n  \"columns\": [";
    for (std::size_t i = 0; i < t.columns.size(); ++i) {
        out += i > 0 ? ",\n    " : "\n    ";
        out += "{\"key\": " + jsonText(t.columns[i].key) + ", \"unit\": " + jsonText(t.columns[i].unit) + "}";
    }
    out += "\n  ],\n  \"rows\": [";
    for (std::size_t r = 0; r < t.rows.size(); ++r) {
        out += r > 0 ? ",\n    {" : "\n    {";
        const auto& row = t.rows[r];
        for (std::size_t i = 0; i < row.size() && i < t.columns.size(); ++i) {
            if (i > 0) out += ", ";
            out += jsonText(t.columns[i].key) + ": ";
            if (const double* v = std::get_if<double>(&row[i]))
                out += std::isfinite(*v) ? numberText(*v) : "null";
            else
                out += jsonText(std::get<std::string>(row[i]));
        }
        out += "}";
    }
    out += "\n  ]\n}\n";
    return out;
}

} // namespace vededa
