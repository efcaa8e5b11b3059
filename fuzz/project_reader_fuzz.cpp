// Fuzzes the project file reader: any input must be read or refused, never crash, hang or leak, and a
// refused input must leave the project as it was.
#include "app/project_data.h"
#include "app/project_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static vededa::ProjectData* base = [] {
        auto* p = new vededa::ProjectData;
        vededa::initializeProject(*p);
        return p;
    }();
    vededa::ProjectData project = *base;
    const std::string before = vededa::projectText(project);
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const vededa::FileResult r = vededa::readProjectText(project, text, "fuzz.RUZ");
    if (!r.ok && vededa::projectText(project) != before) std::abort();
    if (r.ok) {
        // What was read writes and reads back the same.
        const std::string written = vededa::projectText(project);
        vededa::ProjectData again = *base;
        if (!vededa::readProjectText(again, written, "again.RUZ").ok) std::abort();
        if (vededa::projectText(again) != written) std::abort();
    }
    return 0;
}
