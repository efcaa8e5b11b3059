#pragma once

#include "contour/conrec.h"
#include "output/canvas.h"
#include "output/plot_frame.h"

#include <string>
#include <vector>

namespace vededa {

/// An axis-aligned rectangle of the picture, in picture units.
struct PictureRect {
    float left = 0, top = 0, right = 0, bottom = 0;
    bool overlaps(const PictureRect& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    bool inside(const PictureRect& o) const {
        return left >= o.left && right <= o.right && top >= o.top && bottom <= o.bottom;
    }
};

/// One inline label of a contour line: its text, centre, angle (degrees anticlockwise on the picture)
/// and the rectangle it covers, the text turned with it.
struct ContourLabel {
    int level = 0;
    std::string text;
    float x = 0, y = 0, angle = 0;
    PictureRect bounds;
    int line = 0;           ///< the polyline of the level it sits on
    float from = 0, to = 0; ///< the stretch of that line left blank under it (arc lengths)
};

/// The contour lines of one grid, chained from the triangulation's segments into polylines, one list
/// per level.
struct ContourLines {
    std::vector<std::vector<std::vector<CanvasPoint>>> byLevel;
};

/// Chains the segments of `contourGrid` into polylines: segments meeting end to end (within a thousandth
/// of a picture unit after rounding) become one line, open or closed.
ContourLines traceContourLines(const ContourGrid& grid, const std::vector<float>& levels);

/// The levels that carry a label: every level when there are at most 12, otherwise every second one
/// from the first.
bool contourLevelLabelled(int level, int levelCount);

/// The text of a level's label, with as many decimals as the increment needs (at most four).
std::string contourLevelText(float value, float increment);

/// Places inline labels on the labelled levels: each on the straightest stretch of a line long enough to
/// hold it, turned along the line and kept upright, clear of every other label and inside `frame`. A
/// long line gets further labels at least a third of the frame's width apart along it. `textWidth` and
/// `textHeight` give the label size on the canvas.
std::vector<ContourLabel> placeContourLabels(const ContourLines& lines, const std::vector<float>& levels,
                                             float increment, const PictureRect& frame, const Canvas& canvas);

/// Draws the lines of every level in palette colour `lineColor`, broken under the labels, then the
/// labels: in `lineColor`, or in `labelColors[level]` where that list has an entry for the level.
void drawLabelledContours(Canvas& canvas, const ContourLines& lines, const std::vector<ContourLabel>& labels,
                          int lineColor, const std::vector<int>& labelColors = {});

} // namespace vededa
