#include "contour/contour_labels.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <unordered_map>
#include <unordered_set>

namespace vededa {

namespace {

constexpr float kKeyScale = 100.0f;       ///< end points closer than 1/100 unit are one point
constexpr float kLabelPad = 0.35f;        ///< blank along the line each side of a label, in text heights
constexpr float kStraightness = 0.25f;    ///< largest bend under a label, in text heights
constexpr float kCandidateStep = 0.25f;   ///< candidate spacing along a line, in label lengths
constexpr float kLabelSpacing = 1.0f / 3; ///< labels on one line at least this share of the frame apart

using Key = long long;

Key keyOf(const CanvasPoint& p) {
    const long long x = std::llround(p.x * kKeyScale), y = std::llround(p.y * kKeyScale);
    return (x << 32) ^ (y & 0xffffffffLL);
}

struct PairHash {
    std::size_t operator()(const std::pair<Key, Key>& p) const {
        return std::hash<Key>()(p.first) * 31 + std::hash<Key>()(p.second);
    }
};

float distance(const CanvasPoint& a, const CanvasPoint& b) {
    return std::hypot(b.x - a.x, b.y - a.y);
}

/// Cumulative arc length at every vertex of a polyline.
std::vector<float> arcLengths(const std::vector<CanvasPoint>& line) {
    std::vector<float> s(line.size(), 0.0f);
    for (std::size_t i = 1; i < line.size(); ++i) s[i] = s[i - 1] + distance(line[i - 1], line[i]);
    return s;
}

/// The point at arc length `at` of a polyline.
CanvasPoint pointAt(const std::vector<CanvasPoint>& line, const std::vector<float>& s, float at) {
    const auto it = std::lower_bound(s.begin(), s.end(), at);
    if (it == s.begin()) return line.front();
    if (it == s.end()) return line.back();
    const std::size_t i = static_cast<std::size_t>(it - s.begin());
    const float span = s[i] - s[i - 1];
    const float f = span > 0 ? (at - s[i - 1]) / span : 0.0f;
    return {line[i - 1].x + f * (line[i].x - line[i - 1].x), line[i - 1].y + f * (line[i].y - line[i - 1].y)};
}

/// The largest distance of the vertices between arc lengths `from` and `to` from the chord a-b.
float bendBetween(const std::vector<CanvasPoint>& line, const std::vector<float>& s, float from, float to,
                  const CanvasPoint& a, const CanvasPoint& b) {
    const float chord = distance(a, b);
    if (chord <= 0) return 1e30f;
    float worst = 0;
    const auto first = std::upper_bound(s.begin(), s.end(), from);
    for (auto it = first; it != s.end() && *it < to; ++it) {
        const CanvasPoint& p = line[static_cast<std::size_t>(it - s.begin())];
        const float d = std::fabs((b.x - a.x) * (a.y - p.y) - (a.x - p.x) * (b.y - a.y)) / chord;
        worst = std::max(worst, d);
    }
    return worst;
}

/// The label of level `k` centred at arc length `at` of `line`, turned along it and kept upright.
ContourLabel labelAt(const std::vector<CanvasPoint>& line, const std::vector<float>& s, float at,
                     float length, float h) {
    const CanvasPoint a = pointAt(line, s, at - 0.5f * length);
    const CanvasPoint b = pointAt(line, s, at + 0.5f * length);
    const CanvasPoint mid = pointAt(line, s, at);
    float angle = std::atan2(-(b.y - a.y), b.x - a.x) * 57.29578f;
    if (angle > 90.0f) angle -= 180.0f;
    if (angle <= -90.0f) angle += 180.0f;
    const float rad = angle / 57.29578f;
    const float halfW = 0.5f * (std::fabs(std::cos(rad)) * length + std::fabs(std::sin(rad)) * h);
    const float halfH = 0.5f * (std::fabs(std::sin(rad)) * length + std::fabs(std::cos(rad)) * h);
    ContourLabel label;
    label.x = mid.x;
    label.y = mid.y;
    label.angle = angle;
    label.bounds = {mid.x - halfW, mid.y - halfH, mid.x + halfW, mid.y + halfH};
    label.from = at - 0.5f * length;
    label.to = at + 0.5f * length;
    label.halfLength = 0.5f * length;
    label.halfHeight = 0.5f * h;
    return label;
}

/// How many of `segments` pass through the label's box.
int crossings(const ContourLabel& label, const std::vector<PictureSegment>& segments) {
    float t0 = 0, t1 = 0;
    return static_cast<int>(std::count_if(segments.begin(), segments.end(), [&](const PictureSegment& g) {
        const PictureRect box{std::min(g.a.x, g.b.x), std::min(g.a.y, g.b.y), std::max(g.a.x, g.b.x),
                              std::max(g.a.y, g.b.y)};
        // Touching boxes count: a level or upright segment has a box without width or height.
        const bool near = box.left <= label.bounds.right && label.bounds.left <= box.right &&
                          box.top <= label.bounds.bottom && label.bounds.top <= box.bottom;
        return near && labelBoxCut(label, g.a, g.b, t0, t1);
    }));
}

} // namespace

bool labelBoxCut(const ContourLabel& label, const CanvasPoint& a, const CanvasPoint& b, float& t0,
                 float& t1) {
    // In the label's own axes: u along the text, v across it (the picture's y runs down).
    const float rad = label.angle / 57.29578f;
    const float dx = std::cos(rad), dy = -std::sin(rad);
    auto u = [&](const CanvasPoint& p) { return (p.x - label.x) * dx + (p.y - label.y) * dy; };
    auto v = [&](const CanvasPoint& p) { return -(p.x - label.x) * dy + (p.y - label.y) * dx; };
    const float u0 = u(a), du = u(b) - u0, v0 = v(a), dv = v(b) - v0;
    t0 = 0;
    t1 = 1;
    // Clip the parameter range against each of the four sides.
    auto clip = [&](float p, float q) {
        if (p == 0) return q >= 0;
        const float t = q / p;
        if (p < 0) {
            if (t > t1) return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0) return false;
            t1 = std::min(t1, t);
        }
        return true;
    };
    return clip(-du, u0 + label.halfLength) && clip(du, label.halfLength - u0) &&
           clip(-dv, v0 + label.halfHeight) && clip(dv, label.halfHeight - v0) && t0 < t1;
}

std::vector<PictureSegment> recordedSegments(const RecordingCanvas& recording) {
    std::vector<PictureSegment> out;
    for (const auto& op : recording.opsOf(RecordingCanvas::Kind::Line))
        out.push_back({{op.x1, op.y1}, {op.x2, op.y2}});
    return out;
}

void LabelGapCanvas::line(float x1, float y1, float x2, float y2) {
    // The parts of the segment (parameters 0..1) outside every label box.
    std::vector<std::pair<float, float>> parts{{0.0f, 1.0f}};
    const CanvasPoint a{x1, y1}, b{x2, y2};
    for (const ContourLabel& l : labels_) {
        float t0 = 0, t1 = 0;
        if (!labelBoxCut(l, a, b, t0, t1)) continue;
        std::vector<std::pair<float, float>> kept;
        for (const auto& p : parts) {
            if (t1 <= p.first || t0 >= p.second) {
                kept.push_back(p);
                continue;
            }
            if (t0 > p.first) kept.emplace_back(p.first, t0);
            if (t1 < p.second) kept.emplace_back(t1, p.second);
        }
        parts = std::move(kept);
    }
    for (const auto& p : parts)
        target_.line(x1 + p.first * (x2 - x1), y1 + p.first * (y2 - y1), x1 + p.second * (x2 - x1),
                     y1 + p.second * (y2 - y1));
}

ContourLines traceContourLines(const ContourGrid& grid, const std::vector<float>& levels) {
    struct Piece {
        CanvasPoint a, b;
        Key ka, kb;
        bool used = false;
    };
    std::vector<std::vector<Piece>> pieces(levels.size());
    // A level running exactly along a grid line is found by the triangles on both sides of it: such a
    // piece is kept once.
    std::vector<std::unordered_set<std::pair<Key, Key>, PairHash>> seen(levels.size());
    contourGrid(grid, levels, [&](const ContourSegment& s) {
        Piece p{{s.x1, s.y1}, {s.x2, s.y2}, 0, 0};
        p.ka = keyOf(p.a);
        p.kb = keyOf(p.b);
        if (p.ka == p.kb) return;
        const auto k = static_cast<std::size_t>(s.level);
        if (!seen[k].insert({std::min(p.ka, p.kb), std::max(p.ka, p.kb)}).second) return;
        pieces[k].push_back(p);
    });

    ContourLines out;
    out.byLevel.resize(levels.size());
    for (std::size_t k = 0; k < levels.size(); ++k) {
        std::vector<Piece>& ps = pieces[k];
        std::unordered_multimap<Key, std::size_t> ends;
        ends.reserve(2 * ps.size());
        for (std::size_t i = 0; i < ps.size(); ++i) {
            ends.emplace(ps[i].ka, i);
            ends.emplace(ps[i].kb, i);
        }
        // The unused piece that meets `key`, with its far end, or none.
        auto next = [&](Key key, CanvasPoint& far, Key& farKey) {
            auto range = ends.equal_range(key);
            for (auto it = range.first; it != range.second; ++it) {
                Piece& p = ps[it->second];
                if (p.used) continue;
                p.used = true;
                far = p.ka == key ? p.b : p.a;
                farKey = p.ka == key ? p.kb : p.ka;
                return true;
            }
            return false;
        };
        for (Piece& start : ps) {
            if (start.used) continue;
            start.used = true;
            std::vector<CanvasPoint> forward{start.a, start.b};
            CanvasPoint far;
            Key key = start.kb, farKey = 0;
            while (next(key, far, farKey)) {
                forward.push_back(far);
                key = farKey;
            }
            std::vector<CanvasPoint> backward;
            key = start.ka;
            while (next(key, far, farKey)) {
                backward.push_back(far);
                key = farKey;
            }
            std::vector<CanvasPoint> line(backward.rbegin(), backward.rend());
            line.insert(line.end(), forward.begin(), forward.end());
            out.byLevel[k].push_back(std::move(line));
        }
    }
    return out;
}

bool contourLevelLabelled(int level, int levelCount) {
    return levelCount <= 12 || level % 2 == 0;
}

std::string contourLevelText(float value, float increment) {
    int decimals = 0;
    const double inc = std::fabs(static_cast<double>(increment));
    while (decimals < 4 && inc > 0) {
        const double scaled = inc * std::pow(10.0, decimals);
        if (std::fabs(scaled - std::round(scaled)) < 1e-3 * std::max(1.0, scaled)) break;
        ++decimals;
    }
    if (!std::isfinite(value)) value = 0;
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, static_cast<double>(value));
    std::string text = buf;
    if (text == "-0" || text.find_first_not_of("-0.") == std::string::npos)
        text = text.substr(text[0] == '-');
    return text;
}

std::vector<ContourLabel> placeContourLabels(const ContourLines& lines, const std::vector<float>& levels,
                                             float increment, const PictureRect& frame, const Canvas& canvas,
                                             const std::vector<PictureSegment>& obstacles) {
    std::vector<ContourLabel> placed;
    const int count = static_cast<int>(levels.size());
    const float h = canvas.textHeight();
    const float minSpacing = kLabelSpacing * (frame.right - frame.left);
    for (int k = 0; k < count && k < static_cast<int>(lines.byLevel.size()); ++k) {
        if (!contourLevelLabelled(k, count)) continue;
        const std::string text = contourLevelText(levels[static_cast<std::size_t>(k)], increment);
        const float length = canvas.textWidth(text) + 2 * kLabelPad * h;
        const auto& polylines = lines.byLevel[static_cast<std::size_t>(k)];
        for (std::size_t li = 0; li < polylines.size(); ++li) {
            const std::vector<CanvasPoint>& line = polylines[li];
            if (line.size() < 2) continue;
            const std::vector<float> s = arcLengths(line);
            const float total = s.back();
            if (total < 2.0f * length) continue; // too short to carry a label and still show its course
            // Candidates along the line: under the fewest overlay segments first (none where there is
            // such a place), then straightest; ties go to the one nearer the middle.
            struct Candidate {
                float at, bend;
                int crossed;
            };
            std::vector<Candidate> candidates;
            for (float at = 0.5f * length; at <= total - 0.5f * length; at += kCandidateStep * length) {
                const float from = at - 0.5f * length, to = at + 0.5f * length;
                const CanvasPoint a = pointAt(line, s, from), b = pointAt(line, s, to);
                if (distance(a, b) < 0.95f * length) continue;
                const float bend = bendBetween(line, s, from, to, a, b);
                if (bend <= kStraightness * h)
                    candidates.push_back({at, bend + 1e-3f * std::fabs(at - total / 2),
                                          crossings(labelAt(line, s, at, length, h), obstacles)});
            }
            std::sort(candidates.begin(), candidates.end(), [](const Candidate& x, const Candidate& y) {
                return x.crossed != y.crossed ? x.crossed < y.crossed : x.bend < y.bend;
            });
            std::vector<float> onThisLine;
            for (const Candidate& c : candidates) {
                // A place under an overlay only when the line has no clear one: then the overlay is broken.
                if (c.crossed > 0 && !onThisLine.empty()) break;
                if (std::any_of(onThisLine.begin(), onThisLine.end(),
                                [&](float at) { return std::fabs(at - c.at) < minSpacing; }))
                    continue;
                ContourLabel label = labelAt(line, s, c.at, length, h);
                if (!label.bounds.inside(frame)) continue;
                if (std::any_of(placed.begin(), placed.end(),
                                [&](const ContourLabel& l) { return l.bounds.overlaps(label.bounds); }))
                    continue;
                label.level = k;
                label.text = text;
                label.line = static_cast<int>(li);
                placed.push_back(label);
                onThisLine.push_back(c.at);
            }
        }
    }
    return placed;
}

void drawLabelledContours(Canvas& canvas, const ContourLines& lines, const std::vector<ContourLabel>& labels,
                          int lineColor, const std::vector<int>& labelColors) {
    canvas.setColor(lineColor);
    for (std::size_t k = 0; k < lines.byLevel.size(); ++k) {
        for (std::size_t li = 0; li < lines.byLevel[k].size(); ++li) {
            const std::vector<CanvasPoint>& line = lines.byLevel[k][li];
            // The blank stretches of this line.
            std::vector<std::pair<float, float>> gaps;
            for (const ContourLabel& l : labels)
                if (l.level == static_cast<int>(k) && l.line == static_cast<int>(li))
                    gaps.emplace_back(l.from, l.to);
            float s = 0;
            for (std::size_t i = 1; i < line.size(); ++i) {
                const CanvasPoint& a = line[i - 1];
                const CanvasPoint& b = line[i];
                const float len = distance(a, b);
                const float s0 = s, s1 = s + len;
                s = s1;
                if (gaps.empty() || len <= 0) {
                    canvas.line(a.x, a.y, b.x, b.y);
                    continue;
                }
                // Draw the parts of [s0, s1] outside every gap.
                float from = s0;
                std::vector<std::pair<float, float>> cut;
                for (const auto& g : gaps)
                    if (g.second > s0 && g.first < s1) cut.push_back(g);
                std::sort(cut.begin(), cut.end());
                auto at = [&](float arc) {
                    const float f = (arc - s0) / len;
                    return CanvasPoint{a.x + f * (b.x - a.x), a.y + f * (b.y - a.y)};
                };
                for (const auto& g : cut) {
                    if (g.first > from) {
                        const CanvasPoint p = at(from), q = at(g.first);
                        canvas.line(p.x, p.y, q.x, q.y);
                    }
                    from = std::max(from, g.second);
                }
                if (from < s1) {
                    const CanvasPoint p = at(from);
                    canvas.line(p.x, p.y, b.x, b.y);
                }
            }
        }
    }
    int current = lineColor;
    for (const ContourLabel& l : labels) {
        const int color = static_cast<std::size_t>(l.level) < labelColors.size()
                              ? labelColors[static_cast<std::size_t>(l.level)]
                              : lineColor;
        if (color != current) canvas.setColor(current = color);
        canvas.textRotated(l.x, l.y, l.text, l.angle);
    }
    if (current != lineColor) canvas.setColor(lineColor);
}

} // namespace vededa
