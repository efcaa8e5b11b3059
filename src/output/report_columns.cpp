#include "output/report_columns.h"

namespace vededa {

std::string joinColumns(std::initializer_list<std::string> fields) {
    std::string out;
    for (const std::string& f : fields) {
        if (!out.empty() && !f.empty() && out.back() != ' ' && f.front() != ' ') out += ' ';
        out += f;
    }
    return out;
}

} // namespace vededa
