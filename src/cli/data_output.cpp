// The --format option: results as CSV or JSON tables for spreadsheets and scripts.
#include "cli/commands.h"
#include "output/data_table.h"

#include <iostream>

namespace vededa::cli {

void addFormatOption(CLI::App* command, std::string& format) {
    command
        ->add_option("--format", format,
                     "Output: text (the report, default), csv or json (the numbers as a table, units in the "
                     "header)")
        ->check(CLI::IsMember({"text", "csv", "json"}));
}

bool tableFormat(const std::string& format) {
    return format == "csv" || format == "json";
}

void writeTable(const DataTable& table, const std::string& format) {
    std::cout << (format == "json" ? toJson(table) : toCsv(table));
}

} // namespace vededa::cli
