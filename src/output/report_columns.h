#pragma once

#include <initializer_list>
#include <string>

namespace vededa {

/// Joins fixed-width report fields into one line. Where a number is wider than its field and would run
/// into its neighbour (a field ending in a non-blank followed by one starting with a non-blank), one
/// blank goes between them: that line shifts by a character, but no two numbers ever read as one.
/// Fields that keep their width join unchanged.
std::string joinColumns(std::initializer_list<std::string> fields);

} // namespace vededa
