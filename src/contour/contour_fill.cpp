#include "contour/contour_fill.h"

#include "contour/contour_labels.h"

#include <algorithm>
#include <cmath>

namespace vededa {

namespace {

/// A triangle corner: picture position and value.
struct Vertex {
    float x, y, v;
};

/// The part of a convex polygon where value >= `limit` (keepAbove) or value <= `limit`, cut along the
/// linear interpolation of the value.
std::vector<Vertex> clipByValue(const std::vector<Vertex>& poly, float limit, bool keepAbove) {
    std::vector<Vertex> out;
    const std::size_t n = poly.size();
    auto inside = [&](const Vertex& p) { return keepAbove ? p.v >= limit : p.v <= limit; };
    for (std::size_t i = 0; i < n; ++i) {
        const Vertex& a = poly[i];
        const Vertex& b = poly[(i + 1) % n];
        const bool ia = inside(a), ib = inside(b);
        if (ia) out.push_back(a);
        if (ia != ib) {
            const float f = (limit - a.v) / (b.v - a.v);
            out.push_back({a.x + f * (b.x - a.x), a.y + f * (b.y - a.y), limit});
        }
    }
    return out;
}

/// The band holding `v`, or -1 below the lowest edge or above the highest.
int bandOf(const ContourBands& bands, float v) {
    if (bands.edges.size() < 2 || !(v >= bands.edges.front()) || !(v <= bands.edges.back())) return -1;
    const auto it = std::upper_bound(bands.edges.begin(), bands.edges.end(), v);
    const int b = static_cast<int>(it - bands.edges.begin()) - 1;
    return std::min(b, static_cast<int>(bands.edges.size()) - 2);
}

} // namespace

ContourBands contourBands(const std::vector<float>& levels, float gridMax, bool signedQuantity) {
    ContourBands out;
    out.edges = levels;
    if (out.edges.empty()) return out;
    if (std::isfinite(gridMax) && gridMax > out.edges.back()) out.edges.push_back(gridMax);
    if (out.edges.size() < 2) return out;
    const std::size_t count = out.edges.size() - 1;
    out.diverging = signedQuantity && out.edges.front() < 0.0f && out.edges.back() > 0.0f;
    const float reach = std::max(std::fabs(out.edges.front()), std::fabs(out.edges.back()));
    for (std::size_t b = 0; b < count; ++b) {
        if (out.diverging) {
            const float mid = 0.5f * (out.edges[b] + out.edges[b + 1]);
            out.colors.push_back(divergingColor(0.5f + 0.5f * mid / reach));
        } else {
            const float t = count > 1 ? static_cast<float>(b) / static_cast<float>(count - 1) : 0.5f;
            out.colors.push_back(viridisColor(t));
        }
    }
    return out;
}

void fillContourBands(Canvas& canvas, const ContourGrid& grid, const ContourBands& bands) {
    const std::size_t rows = grid.values.size();
    if (rows < 2 || bands.colors.empty()) return;
    const std::size_t cols = std::min(grid.x.size(), grid.values[0].size());
    if (cols < 2 || grid.y.size() < rows) return;
    std::vector<std::vector<std::vector<CanvasPoint>>> pieces(bands.colors.size());
    auto emit = [&](int band, const std::vector<Vertex>& poly) {
        if (band < 0 || poly.size() < 3) return;
        std::vector<CanvasPoint> pts;
        pts.reserve(poly.size());
        for (const Vertex& p : poly) pts.push_back({p.x, p.y});
        pieces[static_cast<std::size_t>(band)].push_back(std::move(pts));
    };
    for (std::size_t r = 0; r + 1 < rows; ++r) {
        // A run of whole cells of one band along this row, merged into one rectangle.
        int runBand = -1;
        std::size_t runStart = 0;
        auto closeRun = [&](std::size_t end) {
            if (runBand >= 0)
                emit(runBand, {{grid.x[runStart], grid.y[r], 0},
                               {grid.x[end], grid.y[r], 0},
                               {grid.x[end], grid.y[r + 1], 0},
                               {grid.x[runStart], grid.y[r + 1], 0}});
            runBand = -1;
        };
        for (std::size_t c = 0; c + 1 < cols; ++c) {
            const Vertex corner[4] = {{grid.x[c], grid.y[r], grid.values[r][c]},
                                      {grid.x[c + 1], grid.y[r], grid.values[r][c + 1]},
                                      {grid.x[c + 1], grid.y[r + 1], grid.values[r + 1][c + 1]},
                                      {grid.x[c], grid.y[r + 1], grid.values[r + 1][c]}};
            bool finite = true;
            for (const Vertex& v : corner) finite = finite && std::isfinite(v.v);
            if (!finite) { // no value to colour: the cell stays blank
                closeRun(c);
                continue;
            }
            const int b0 = bandOf(bands, corner[0].v);
            bool whole = b0 >= 0;
            for (int i = 1; i < 4 && whole; ++i) whole = bandOf(bands, corner[i].v) == b0;
            if (whole) {
                if (runBand != b0) {
                    closeRun(c);
                    runBand = b0;
                    runStart = c;
                }
                continue;
            }
            closeRun(c);
            const Vertex centre{0.5f * (corner[0].x + corner[1].x), 0.5f * (corner[0].y + corner[2].y),
                                0.25f * (corner[0].v + corner[1].v + corner[2].v + corner[3].v)};
            for (int t = 0; t < 4; ++t) {
                const std::vector<Vertex> tri = {corner[t], corner[(t + 1) % 4], centre};
                float lo = tri[0].v, hi = tri[0].v;
                for (const Vertex& v : tri) lo = std::min(lo, v.v), hi = std::max(hi, v.v);
                for (std::size_t b = 0; b < bands.colors.size(); ++b) {
                    const float bLo = bands.edges[b], bHi = bands.edges[b + 1];
                    if (hi < bLo || lo > bHi) continue;
                    std::vector<Vertex> part = clipByValue(tri, bLo, true);
                    if (part.size() >= 3) part = clipByValue(part, bHi, false);
                    emit(static_cast<int>(b), part);
                }
            }
        }
        closeRun(cols - 1);
    }
    for (std::size_t b = 0; b < pieces.size(); ++b) {
        if (pieces[b].empty()) continue;
        canvas.setRgb(bands.colors[b]);
        for (const auto& poly : pieces[b]) canvas.polygon(poly);
    }
}

void drawColorBar(Canvas& canvas, const ContourBands& bands, float left, float right, float top, float bottom,
                  const std::string& title, float increment) {
    if (bands.colors.empty()) return;
    const std::size_t count = bands.colors.size();
    const float step = (bottom - top) / static_cast<float>(count);
    for (std::size_t b = 0; b < count; ++b) {
        canvas.setRgb(bands.colors[b]);
        const float y0 = bottom - static_cast<float>(b) * step;
        canvas.polygon({{left, y0}, {right, y0}, {right, y0 - step}, {left, y0 - step}});
    }
    canvas.setColor(0);
    canvas.box(left, top, right, bottom, false);
    // Every edge, or every n-th when the texts would touch.
    const float spacing = 1.15f * canvas.textHeight();
    const std::size_t every = std::max<std::size_t>(1, static_cast<std::size_t>(std::ceil(spacing / step)));
    for (std::size_t e = 0; e <= count; e += every) {
        const float y = bottom - static_cast<float>(e) * step;
        canvas.line(right, y, right + 0.3f * (right - left), y);
        canvas.text(right + 0.45f * (right - left), y, contourLevelText(bands.edges[e], increment),
                    HAlign::Left, VAlign::Middle);
    }
    canvas.text(left, top - 0.4f * canvas.textHeight(), title, HAlign::Left, VAlign::Bottom);
}

} // namespace vededa
