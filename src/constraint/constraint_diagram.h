#pragma once

#include "app/project_data.h"
#include "output/canvas.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vededa {

/// Where the diagram sits on its picture, in picture units (twips of the plot window).
struct ConstraintDiagramLayout {
    float width = 11000; ///< picture width
    float height = 8000; ///< picture height
    float left = 1400;   ///< frame edges
    float right = 8800;
    float top = 700;
    float bottom = 6900;
    float captionTop = 700; ///< top margin of the captions right of the frame
    bool printer = false;   ///< the printer page: captions 500 units right of the frame and a title
};

/// A point of the W/S-T/W plane [psf or Pa, -].
struct DiagramPoint {
    float x = 0, y = 0;
};

/// The frame of a diagram in data units.
struct DiagramFrame {
    float xmin = 0, xmax = 1, ymin = 0, ymax = 1;
};

/// Clips the segment a-b to the frame by the Cohen-Sutherland method, moving an outside end onto the
/// edge of its first flag in the order x > xmax, x < xmin, y > ymax, y < ymin (exact edge values).
/// Returns false when no part of the segment is inside.
bool clipSegment(DiagramPoint& a, DiagramPoint& b, const DiagramFrame& frame);

/// The lower edge of the feasible region, the part of the frame above every constraint curve: at each
/// W/S from the frame's left edge the largest T/W any drawn constraint needs there (a curve is held at
/// its end value beyond its ends), up to the smallest W/S limit of the constraints whose curves are
/// upright lines (landing), which bound the region on the right. Empty when nothing is feasible in the
/// frame or no constraint is drawn.
std::vector<DiagramPoint> feasibleBoundary(const ProjectData& project, int16_t count,
                                           const DiagramFrame& frame);

/// Draws the constraint diagram of constraints 1..`count` (their stored points) on `canvas`: the
/// feasible region in a light tint, frame, clipped curves with their numbers (moved apart where two
/// would overprint), the aircraft's design point (W/S, T/W) with its values, ticks, captions, axis
/// values and titles. A constraint whose curve
/// has no visible part gets its number at its last stored point brought onto the frame; one without
/// points gets none. Returns an empty string, or the reason nothing was drawn (a W/S or T/W range of
/// zero width).
std::string drawConstraintDiagram(Canvas& canvas, const ProjectData& project, int16_t count,
                                  const ConstraintDiagramLayout& layout = {});

/// The same diagram with the design point marked at `designPoint` (W/S, T/W) instead of the aircraft's
/// own: the point the user is dragging before it becomes the aircraft's.
std::string drawConstraintDiagram(Canvas& canvas, const ProjectData& project, int16_t count,
                                  const ConstraintDiagramLayout& layout, DiagramPoint designPoint);

/// Half width of the design point's diamond [picture units].
inline constexpr float kDesignPointMarkerSize = 70;

/// Where the diagram puts the design point (W/S, T/W) on its picture, in picture units: the frame's
/// mapping truncated to whole device units, as the marker is drawn.
DiagramPoint designPointOnPicture(const ProjectData& project, const ConstraintDiagramLayout& layout,
                                  DiagramPoint designPoint);

} // namespace vededa
