#pragma once

#include "app/project_data.h"

#include <string>

namespace vededa {

/// The leg list line of leg `n`: the number, eight blanks below 10 or six from 10 on, the type letter,
/// nine blanks and the name.
std::string legListLine(int n, const MissionLeg& leg);

} // namespace vededa
