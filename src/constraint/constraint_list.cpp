#include "constraint/constraint_list.h"

#include "output/number_format.h"
#include "output/report.h"

namespace vededa {

std::string constraintListLine(int n, const Constraint& constraint) {
    return Str(n) + Space(n < 10 ? 5 : 4) + constraint.type + Space(5) + constraint.name;
}

} // namespace vededa
