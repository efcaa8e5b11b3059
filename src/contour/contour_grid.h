#pragma once

#include "app/project_data.h"
#include "contour/conrec.h"
#include "models/analysis_models.h"
#include "output/plot_frame.h"

#include <functional>
#include <string>

namespace vededa {

/// The performance quantities of one velocity-altitude point.
struct ContourPoint {
    float ps = 0;              ///< specific excess power [ft/s or m/s]
    float fs = 0;              ///< fuel specific energy [kft or km]
    float rangeFactor = 0;     ///< [nm or km]
    float enduranceFactor = 0; ///< [hr]
    float liftDrag = 0;
    float dragThrust = 0; ///< drag over sea-level static thrust
    float alpha = 0;      ///< installed thrust lapse
    bool failed = false;  ///< the engine deck found no solution here: the engine figures are meaningless
    std::string failure;  ///< the deck's failure lines when `failed`
    /// The value of quantity code 1..7.
    float value(int16_t quantity) const;
};

/// Evaluates the contour quantities at velocity `velocity` in the atmosphere `fc` (already evaluated). The
/// quantities a point does not reach (beyond the L/D for an L/D plot) keep the values `previous` holds.
ContourPoint contourPointAt(const ProjectData& project, const AnalysisModels& models,
                            const FlightCondition& fc, float velocity, const ContourPoint& previous);

/// The calculated grid: values by altitude row (bottom row first) and velocity column, with the picture
/// abscissa of every column and ordinate of every row, and the grid's extremes.
struct ContourCalculation {
    ContourGrid grid;
    float minimum = 0, maximum = 0;
    int velocityIncrements = 0, altitudeIncrements = 0;
    std::string message; ///< refusal of the ranges; empty when calculated
    /// Cells where the engine deck found no solution, by row and column as `grid.values` (1 = failed).
    /// Their values are 0 and count in neither extreme; a plot leaves them out.
    std::vector<std::vector<unsigned char>> failed;
    int failedPoints = 0;     ///< number of failed cells
    std::string firstFailure; ///< the deck's failure lines of the first failed cell (row order)
    bool cancelled = false;
};

/// The note a plot shows for the failed cells: "n points without engine solution" (empty when none).
std::string failedPointsNote(const ContourCalculation& calculation);

/// Fills the grid over the project's velocity and altitude ranges inside `frame` (picture units): one
/// column beyond the velocity maximum, rows from the lowest altitude up. Rows are computed in parallel on
/// `threads` threads (0 = every core); each row starts afresh, so the grid does not depend on the number of
/// threads. `progress` is called on the calling thread after every finished row with the fraction done and
/// returns false to cancel (the rows under way finish, no new ones start).
ContourCalculation calculateContourGrid(const ProjectData& project, const AnalysisModels& models,
                                        const PlotFrame& frame,
                                        const std::function<bool(float)>& progress = nullptr,
                                        unsigned threads = 0);

/// The contour levels a new calculation proposes: the maximum is the grid maximum as shown (whole for
/// Ps, fs and RF), the increment and minimum are those of the quantity (Ps 50 from 0, fs 500 from 0, RF 50
/// from 0, EF 0.1 from 0, L/D 0.5, D/TSL and alpha 0.05 from the grid minimum).
void setDefaultContourLevels(ProjectData& project, const ContourCalculation& calculation);

/// The grid extreme as the window shows it: "####0.00" for codes 4 to 7, the whole part for 1 to 3.
std::string contourExtremeText(int16_t quantity, float value);

} // namespace vededa
