#pragma once

#include "app/project_data.h"

#include <string>

namespace vededa {

/// The leg list line of leg `n`: the number, blanks up to the type letter in the tenth column (eight
/// after a one-digit number, seven after two digits), nine blanks and the name.
std::string legListLine(int n, const MissionLeg& leg);

/// The heads of the leg list's columns, over the number, the type letter and the name.
std::string legListHeader();

} // namespace vededa
