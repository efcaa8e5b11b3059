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
    /// Half the length (text and the blank each side, along the line) and half the height of the turned
    /// box the label keeps clear, around (x, y).
    float halfLength = 0, halfHeight = 0;
};

/// A straight piece of a line drawn over the contours (Mach, stall, q max, energy-height lines, best-climb
/// path), which labels keep clear of.
struct PictureSegment {
    CanvasPoint a, b;
};

/// Where the segment a-b passes through the label's turned box: the parameters t0 < t1 (0 at a, 1 at b)
/// of the part inside. Returns false when the segment misses the box.
bool labelBoxCut(const ContourLabel& label, const CanvasPoint& a, const CanvasPoint& b, float& t0, float& t1);

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
/// `textHeight` give the label size on the canvas. Places where a segment of `obstacles` crosses the label
/// are taken only when a line has no clear place at all (one label then, and the overlay is broken under
/// it when drawn through `LabelGapCanvas`).
std::vector<ContourLabel> placeContourLabels(const ContourLines& lines, const std::vector<float>& levels,
                                             float increment, const PictureRect& frame, const Canvas& canvas,
                                             const std::vector<PictureSegment>& obstacles = {});

/// The line segments of a recorded drawing (the overlays drawn on a `RecordingCanvas` before the labels
/// are placed).
std::vector<PictureSegment> recordedSegments(const RecordingCanvas& recording);

/// A canvas that passes every call on to `target` but leaves out the parts of lines that pass through a
/// label's box, so an overlay drawn after the labels never runs across their text.
class LabelGapCanvas : public Canvas {
  public:
    LabelGapCanvas(Canvas& target, const std::vector<ContourLabel>& labels)
        : target_(target), labels_(labels) {}
    float width() const override { return target_.width(); }
    float height() const override { return target_.height(); }
    void setColor(int paletteIndex) override { target_.setColor(paletteIndex); }
    void setRgb(Rgb color) override { target_.setRgb(color); }
    void setLineWidth(float width) override { target_.setLineWidth(width); }
    void line(float x1, float y1, float x2, float y2) override;
    void box(float x1, float y1, float x2, float y2, bool filled) override {
        target_.box(x1, y1, x2, y2, filled);
    }
    void polygon(const std::vector<CanvasPoint>& points) override { target_.polygon(points); }
    void text(float x, float y, std::string_view text, HAlign h, VAlign v) override {
        target_.text(x, y, text, h, v);
    }
    void textRotated(float x, float y, std::string_view text, float degrees) override {
        target_.textRotated(x, y, text, degrees);
    }
    float textWidth(std::string_view text) const override { return target_.textWidth(text); }
    float textHeight() const override { return target_.textHeight(); }
    float fontSize() const override { return target_.fontSize(); }
    void setFontSize(float size) override { target_.setFontSize(size); }

  private:
    Canvas& target_;
    const std::vector<ContourLabel>& labels_;
};

/// Draws the lines of every level in palette colour `lineColor`, broken under the labels, then the
/// labels: in `lineColor`, or in `labelColors[level]` where that list has an entry for the level.
void drawLabelledContours(Canvas& canvas, const ContourLines& lines, const std::vector<ContourLabel>& labels,
                          int lineColor, const std::vector<int>& labelColors = {});

} // namespace vededa
