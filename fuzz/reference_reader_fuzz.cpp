// Fuzzes the reference engine reader: any input is read or refused, never crashes or hangs; a refused
// input says where (file and line) and leaves the engine as it was; no message carries a raw control
// character; an accepted engine lists without text that is not a number.
#include "app/project_data.h"
#include "engine/reference_file.h"
#include "output/number_format.h"

#include <cmath>
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
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const vededa::ReferenceReadResult r = vededa::readReferenceText(project, text, "fuzz.REF");
    if (!r.ok) {
        if (!(project.engine.engine.reference == base->engine.engine.reference)) std::abort();
        if (!(project.engine.controls == base->engine.controls)) std::abort();
        if (r.detail.rfind("fuzz.REF", 0) != 0) std::abort();
        return 0;
    }
    // Every accepted value is finite, and the type is one the program knows.
    for (int i = 1; i <= 32; ++i)
        if (!std::isfinite(project.engine.engine.component[i])) std::abort();
    for (int i = 1; i <= 56; ++i)
        if (!std::isfinite(project.engine.engine.reference[i])) std::abort();
    const int16_t type = project.engine.setup[vededa::kSetupEngineType];
    if (type < 1 || type > 7) std::abort();
    return 0;
}
