#pragma once

#include <functional>
#include <vector>

namespace vededa {

/// A value grid over a rectangular field: `values[row][column]`, with the plot ordinate of every row and
/// the plot abscissa of every column.
struct ContourGrid {
    std::vector<std::vector<float>> values; ///< rows x columns
    std::vector<float> x;                   ///< abscissa of each column
    std::vector<float> y;                   ///< ordinate of each row
};

/// One straight piece of a contour line at level index `level`.
struct ContourSegment {
    float x1, y1, x2, y2;
    int level;
};

/// Contours `grid` at the ascending `levels` by triangulation: each cell is split into four triangles
/// about its centre, whose value is the mean of the four corners; along each triangle edge the level's
/// crossing is interpolated linearly, and a segment joins the crossings (or a vertex lying on the level)
/// of each triangle. A cell with a corner that is not finite (missing data) carries no segment. Every segment
/// is handed to `draw` in the order cells are visited (columns outer, rows inner, levels innermost).
void contourGrid(const ContourGrid& grid, const std::vector<float>& levels,
                 const std::function<void(const ContourSegment&)>& draw);

} // namespace vededa
