#include "contour/conrec.h"

#include <algorithm>
#include <cmath>

namespace vededa {

namespace {

// Which segment a triangle carries, by the signs (below, on, above the level) of its three vertices:
// 0 none; 1..3 a side between two vertices lying on the level; 4..6 a vertex and the opposite side;
// 7..9 two sides.
constexpr int kCaseTable[3][3][3] = {
    {{0, 0, 8}, {0, 2, 5}, {7, 6, 9}}, {{0, 3, 4}, {1, 3, 1}, {4, 3, 0}}, {{9, 6, 7}, {5, 2, 0}, {8, 0, 0}}};

int sign(float v) {
    return v > 0.0f ? 1 : (v < 0.0f ? -1 : 0);
}

} // namespace

void contourGrid(const ContourGrid& grid, const std::vector<float>& levels,
                 const std::function<void(const ContourSegment&)>& draw) {
    const std::size_t rows = grid.values.size();
    if (rows < 2 || levels.empty()) return;
    const std::size_t cols = std::min(grid.x.size(), grid.values[0].size());
    if (cols < 2 || grid.y.size() < rows) return;
    // Corner offsets (column, row) of the four corners, anticlockwise from the lower left.
    constexpr int cornerCol[4] = {0, 1, 1, 0};
    constexpr int cornerRow[4] = {0, 0, 1, 1};
    const float lowest = levels.front();
    const float highest = levels.back();

    float h[5], xh[5], yh[5];
    int sh[5];
    for (std::size_t c = 0; c + 1 < cols; ++c) {
        for (std::size_t r = 0; r + 1 < rows; ++r) {
            const float v00 = grid.values[r][c], v10 = grid.values[r][c + 1];
            const float v11 = grid.values[r + 1][c + 1], v01 = grid.values[r + 1][c];
            // A corner without a value (not finite) leaves the whole cell as a gap in the lines.
            if (!std::isfinite(v00) || !std::isfinite(v10) || !std::isfinite(v11) || !std::isfinite(v01))
                continue;
            const float dmin = std::min(std::min(v00, v10), std::min(v11, v01));
            const float dmax = std::max(std::max(v00, v10), std::max(v11, v01));
            if (dmax < lowest || dmin > highest) continue;
            for (std::size_t k = 0; k < levels.size(); ++k) {
                const float z = levels[k];
                if (z < dmin || z > dmax) continue;
                for (int m = 4; m >= 0; --m) {
                    if (m > 0) {
                        const std::size_t cc = c + static_cast<std::size_t>(cornerCol[m - 1]);
                        const std::size_t rr = r + static_cast<std::size_t>(cornerRow[m - 1]);
                        h[m] = grid.values[rr][cc] - z;
                        xh[m] = grid.x[cc];
                        yh[m] = grid.y[rr];
                    } else {
                        h[0] = 0.25f * (h[1] + h[2] + h[3] + h[4]);
                        xh[0] = 0.5f * (grid.x[c] + grid.x[c + 1]);
                        yh[0] = 0.5f * (grid.y[r] + grid.y[r + 1]);
                    }
                    sh[m] = sign(h[m]);
                }
                auto xsect = [&](int p1, int p2) {
                    return (h[p2] * xh[p1] - h[p1] * xh[p2]) / (h[p2] - h[p1]);
                };
                auto ysect = [&](int p1, int p2) {
                    return (h[p2] * yh[p1] - h[p1] * yh[p2]) / (h[p2] - h[p1]);
                };
                for (int m = 1; m <= 4; ++m) {
                    const int m1 = m, m2 = 0, m3 = m != 4 ? m + 1 : 1;
                    const int kase = kCaseTable[sh[m1] + 1][sh[m2] + 1][sh[m3] + 1];
                    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
                    switch (kase) {
                    case 0:
                        continue;
                    case 1:
                        x1 = xh[m1], y1 = yh[m1], x2 = xh[m2], y2 = yh[m2];
                        break;
                    case 2:
                        x1 = xh[m2], y1 = yh[m2], x2 = xh[m3], y2 = yh[m3];
                        break;
                    case 3:
                        x1 = xh[m3], y1 = yh[m3], x2 = xh[m1], y2 = yh[m1];
                        break;
                    case 4:
                        x1 = xh[m1], y1 = yh[m1], x2 = xsect(m2, m3), y2 = ysect(m2, m3);
                        break;
                    case 5:
                        x1 = xh[m2], y1 = yh[m2], x2 = xsect(m3, m1), y2 = ysect(m3, m1);
                        break;
                    case 6:
                        x1 = xh[m3], y1 = yh[m3], x2 = xsect(m1, m2), y2 = ysect(m1, m2);
                        break;
                    case 7:
                        x1 = xsect(m1, m2), y1 = ysect(m1, m2), x2 = xsect(m2, m3), y2 = ysect(m2, m3);
                        break;
                    case 8:
                        x1 = xsect(m2, m3), y1 = ysect(m2, m3), x2 = xsect(m3, m1), y2 = ysect(m3, m1);
                        break;
                    case 9:
                        x1 = xsect(m3, m1), y1 = ysect(m3, m1), x2 = xsect(m1, m2), y2 = ysect(m1, m2);
                        break;
                    default:
                        continue;
                    }
                    draw(ContourSegment{x1, y1, x2, y2, static_cast<int>(k)});
                }
            }
        }
    }
}

} // namespace vededa
