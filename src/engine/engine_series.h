#pragma once

#include "app/project_data.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vededa {

/// Series variable codes of the engine performance series.
enum SeriesVariable : int16_t {
    kSeriesMach = 3,
    kSeriesAltitude = 4,
    kSeriesT0 = 5,
    kSeriesP0 = 6,
    kSeriesTt4 = 7,
    kSeriesTt7 = 8,
    kSeriesP0P9 = 9,
};

/// The lowest ambient temperature a T0 series may start at [R]; 350 R (194.44 K in SI).
inline constexpr float kSeriesMinimumT0Rankine = 350.0f;
/// The most rows a series may have (the row count is a 16-bit number).
inline constexpr int kSeriesRowLimit = 32767;

/// One row of the engine performance series as computed (the report prints these numbers rounded).
struct SeriesRow {
    float value = 0;    ///< the series variable [its unit: -, ft or m, R or K, psia or Pa]
    float thrust = 0;   ///< uninstalled thrust [lbf or N]
    float tsfc = 0;     ///< uninstalled specific fuel consumption [(lbm/hr)/lbf or mg/(N s)]
    float massFlow = 0; ///< air mass flow [lbm/s or kg/s]
    float piC = 0;      ///< compressor pressure ratio
    float piFan = 0;    ///< fan pressure ratio
    float alpha = 0;    ///< bypass ratio
    float pt9p9 = 0;    ///< nozzle total-to-static pressure ratio
    float tauTL = 0;    ///< low-pressure turbine temperature ratio
    float tt4 = 0;      ///< burner exit temperature reached [R or K]
    std::string limit;  ///< the limit column's text without its leading blanks
};

/// Outcome of the engine performance series.
struct SeriesResult {
    bool ran = false; ///< a header and rows were written
    int16_t rows = 0; ///< rows written
    bool endedEarly = false;
    bool cancelled = false; ///< the progress callback asked to stop
    std::string
        refusal; ///< why nothing was written (message box text), empty when it ran or stopped silently
    std::vector<SeriesRow> table; ///< the rows written, as computed (one per report row, same order)
};

/// Checks the series settings as the Engine Test window's series command does: a series variable must
/// be selected and the maximum must not be below the minimum; the step must be positive unless the
/// minimum equals the maximum. Returns the message text, empty when the series may run.
std::string checkSeriesSettings(const EngineTestSettings& settings);

/// The engine performance series (the Results window's "zent" mode): the deck at full throttle (thrust
/// scale 1) at each value of the series variable from `engine.test` over its range, starting from the
/// operating condition in `EngineControls`. `report` is replaced by the header and one row per value;
/// the deck's failure messages appear between the rows. Tt4 and Tt7 run downward from the maximum; the
/// Tt4 series ends when F/m0 falls to 0.2 or less, the Tt7 series when Tt7 falls below the afterburner
/// inlet temperature. A T0 series starting below 350 R (194.44 K) and a P0 or P0/P9 series starting at a
/// value that is not positive write nothing. Afterwards the variable is set back to its start value in
/// `EngineControls`, also after an early end.
/// `progress`, when given, is called before each row with the row index and the row count and may
/// return false to stop the series there (the rows written so far stay, and the variable is set back).
using SeriesProgress = std::function<bool(int row, int rows)>;
SeriesResult engineSeriesReport(ProjectData& project, std::string& report,
                                const SeriesProgress& progress = {});

} // namespace vededa
