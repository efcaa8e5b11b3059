#pragma once

#include "contour/conrec.h"
#include "output/canvas.h"

#include <vector>

namespace vededa {

/// The colour bands of a filled contour plot: band b lies between levels[b] and levels[b + 1]; a last
/// band above the highest level holds the values beyond it when the grid reaches there. Values below
/// the lowest level stay unfilled.
struct ContourBands {
    std::vector<float> edges; ///< the band limits, ascending (the levels, and the grid maximum when above)
    std::vector<Rgb> colors;  ///< one colour per band (edges.size() - 1)
    bool diverging = false;   ///< the blue-white-red map centred on zero
};

/// The bands of `levels` over a grid whose largest value is `gridMax`. The colours run along viridis
/// by band, or, with `signed` set and levels on both sides of zero, along the diverging map with zero
/// at its white centre (the band colour taken at its middle value).
ContourBands contourBands(const std::vector<float>& levels, float gridMax, bool signedQuantity);

/// Fills the grid's field with the bands, on the same triangulation as the contour lines (each cell in
/// four triangles about its centre, linear inside each), so band edges meet the lines exactly. Cells
/// wholly inside one band are merged along a row into one rectangle; the polygons of one band are drawn
/// together after one colour change. A cell with a corner that is not finite (missing data) stays blank.
void fillContourBands(Canvas& canvas, const ContourGrid& grid, const ContourBands& bands);

/// The colour bar: a column of boxes, one per band in its colour, from `bottom` up to `top` at x from
/// `left` to `right`, outlined in black, with the band edges written right of it (every edge, or every
/// n-th so that no two texts touch) and `title` above it.
void drawColorBar(Canvas& canvas, const ContourBands& bands, float left, float right, float top, float bottom,
                  const std::string& title, float increment);

} // namespace vededa
