// Fuzzes "read a project, then run its analyses": every accepted project runs its constraints, its
// mission and a small contour grid to the end without a crash, a hang or a figure that is not a number
// in any report.
#include "app/project_data.h"
#include "app/project_file.h"
#include "constraint/constraint_calculation.h"
#include "constraint/constraint_set.h"
#include "contour/contour_grid.h"
#include "engine/analysis_binding.h"
#include "mission/mission_calculation.h"
#include "mission/mission_report.h"
#include "output/number_format.h"
#include "output/plot_frame.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static vededa::ProjectData* base = [] {
        auto* p = new vededa::ProjectData;
        vededa::initializeProject(*p);
        return p;
    }();
    auto project = std::make_unique<vededa::ProjectData>(*base);
    vededa::ProjectData& p = *project;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (!vededa::readProjectText(p, text, "fuzz.RUZ").ok) return 0;
    const long before = vededa::nonFiniteOutputCount();
    if (vededa::constraintCalculateCheck(p).empty())
        for (int16_t n = 1; n <= p.constraintCount; ++n) vededa::ConstraintCalculation(p, n);
    if (p.thrustModel != 6) {
        const vededa::AnalysisModels models = vededa::bindAnalysisModels(p);
        vededa::computeMission(p, models);
        vededa::missionSummary(p, 1);
        // A small grid: at most 4 by 4 cells of the project's own ranges.
        vededa::ContourSettings& c = p.contour;
        if (c.velocity[3] != 0.0f && c.altitude[3] != 0.0f) {
            c.velocity[3] = (c.velocity[2] - c.velocity[1]) / 4.0f;
            c.altitude[3] = (c.altitude[2] - c.altitude[1]) / 4.0f;
        }
        vededa::PlotFrame frame = vededa::plotAreaOf(vededa::kPlotPictureWidth, vededa::kPlotPictureHeight);
        // One thread: the fuzzer runs many processes side by side.
        const vededa::ContourCalculation calc = vededa::calculateContourGrid(p, models, frame, nullptr, 1);
        // The extremes reach the window's text boxes.
        if (calc.message.empty()) {
            vededa::contourExtremeText(p.contour.quantity, calc.minimum);
            vededa::contourExtremeText(p.contour.quantity, calc.maximum);
        }
    }
    if (vededa::nonFiniteOutputCount() != before) std::abort();
    return 0;
}
