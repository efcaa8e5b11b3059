#pragma once

#include "app/project_data.h"

#include <string>

namespace vededa {

/// The constraint list line of constraint `n`: Str(n), five blanks below 10 or three from 10 on, the
/// type letter, five blanks and the name.
std::string constraintListLine(int n, const Constraint& constraint);

} // namespace vededa
