#include "output/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vededa {

Rgb paletteColor(int index) {
    static const Rgb palette[16] = {{0, 0, 0},       {0, 0, 128},   {0, 128, 0},   {0, 128, 128},
                                    {128, 0, 0},     {128, 0, 128}, {128, 128, 0}, {192, 192, 192},
                                    {128, 128, 128}, {0, 0, 255},   {0, 255, 0},   {0, 255, 255},
                                    {255, 0, 0},     {255, 0, 255}, {255, 255, 0}, {255, 255, 255}};
    return palette[((index % 16) + 16) % 16];
}

namespace {

/// Linear interpolation in a table of evenly spaced colours.
Rgb interpolate(const Rgb* table, int count, float t) {
    if (!(t > 0.0f)) t = 0.0f; // also a NaN
    if (t > 1.0f) t = 1.0f;
    const float pos = t * static_cast<float>(count - 1);
    const int i = std::min(count - 2, static_cast<int>(pos));
    const float f = pos - static_cast<float>(i);
    auto mix = [f](uint8_t a, uint8_t b) {
        return static_cast<uint8_t>(std::lround(static_cast<float>(a) + f * (static_cast<float>(b) - a)));
    };
    return {mix(table[i].r, table[i + 1].r), mix(table[i].g, table[i + 1].g),
            mix(table[i].b, table[i + 1].b)};
}

} // namespace

Rgb viridisColor(float t) {
    // Ten evenly spaced samples of the viridis map; linear steps between them stay within a few levels
    // of the full table.
    static const Rgb table[10] = {{68, 1, 84},    {72, 40, 120},  {62, 74, 137},  {49, 104, 142},
                                  {38, 130, 142}, {31, 158, 137}, {53, 183, 121}, {109, 205, 89},
                                  {180, 222, 44}, {253, 231, 37}};
    return interpolate(table, 10, t);
}

Rgb divergingColor(float t) {
    // Blue through white to red, equal lightness steps on both sides of the centre.
    static const Rgb table[9] = {{33, 102, 172},  {67, 147, 195},  {146, 197, 222},
                                 {209, 229, 240}, {247, 247, 247}, {253, 219, 199},
                                 {244, 165, 130}, {214, 96, 77},   {178, 24, 43}};
    return interpolate(table, 9, t);
}

std::vector<RecordingCanvas::Op> RecordingCanvas::opsOf(Kind kind) const {
    std::vector<Op> out;
    std::copy_if(ops_.begin(), ops_.end(), std::back_inserter(out),
                 [kind](const Op& op) { return op.kind == kind; });
    return out;
}

void RecordingCanvas::replay(Canvas& target) const {
    for (const Op& op : ops_) {
        switch (op.kind) {
        case Kind::Color:
            target.setColor(static_cast<int>(op.x1));
            break;
        case Kind::LineWidth:
            target.setLineWidth(op.x1);
            break;
        case Kind::Line:
            target.line(op.x1, op.y1, op.x2, op.y2);
            break;
        case Kind::Box:
            target.box(op.x1, op.y1, op.x2, op.y2, false);
            break;
        case Kind::FilledBox:
            target.box(op.x1, op.y1, op.x2, op.y2, true);
            break;
        case Kind::Text:
            target.text(op.x1, op.y1, op.text, op.h, op.v);
            break;
        case Kind::FontSize:
            target.setFontSize(op.x1);
            break;
        case Kind::Clear:
            target.clear();
            break;
        case Kind::Rgb:
            target.setRgb(op.rgb);
            break;
        case Kind::Polygon:
            target.polygon(op.points);
            break;
        case Kind::RotatedText:
            target.textRotated(op.x1, op.y1, op.text, op.x2);
            break;
        }
    }
}

namespace {

std::string num(float v) {
    if (!std::isfinite(v)) v = 0; // a plot never writes NaN or infinity into the document
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", static_cast<double>(v));
    return buf;
}

std::string escaped(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace

SvgCanvas::SvgCanvas(float width, float height, float fontSize, float pixelWidth)
    : width_(width), height_(height), font_(fontSize), pixelWidth_(pixelWidth) {}

std::string SvgCanvas::colorText() const {
    char buf[16];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", color_.r, color_.g, color_.b);
    return buf;
}

float SvgCanvas::strokeWidth() const {
    // One device line is one pixel of the scaled document.
    return std::max(1.0f, lineWidth_) * width_ / pixelWidth_;
}

void SvgCanvas::line(float x1, float y1, float x2, float y2) {
    body_ += "<line x1=\"" + num(x1) + "\" y1=\"" + num(y1) + "\" x2=\"" + num(x2) + "\" y2=\"" + num(y2) +
             "\" stroke=\"" + colorText() + "\" stroke-width=\"" + num(strokeWidth()) + "\"/>\n";
}

void SvgCanvas::polygon(const std::vector<CanvasPoint>& points) {
    if (points.size() < 3) return;
    body_ += "<polygon points=\"";
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i > 0) body_ += ' ';
        body_ += num(points[i].x) + "," + num(points[i].y);
    }
    // A hairline of the fill colour closes the seams between neighbouring pieces of one band.
    body_ += "\" fill=\"" + colorText() + "\" stroke=\"" + colorText() + "\" stroke-width=\"" +
             num(0.5f * width_ / pixelWidth_) + "\"/>\n";
}

void SvgCanvas::box(float x1, float y1, float x2, float y2, bool filled) {
    const float x = std::min(x1, x2), y = std::min(y1, y2);
    const float w = std::fabs(x2 - x1), h = std::fabs(y2 - y1);
    body_ +=
        "<rect x=\"" + num(x) + "\" y=\"" + num(y) + "\" width=\"" + num(w) + "\" height=\"" + num(h) + "\" ";
    if (filled)
        body_ += "fill=\"" + colorText() + "\"/>\n";
    else
        body_ +=
            "fill=\"none\" stroke=\"" + colorText() + "\" stroke-width=\"" + num(strokeWidth()) + "\"/>\n";
}

void SvgCanvas::text(float x, float y, std::string_view text, HAlign h, VAlign v) {
    const char* anchor = h == HAlign::Left ? "start" : h == HAlign::Center ? "middle" : "end";
    // Baseline from the requested vertical anchor: the font's cap height is about 0.75 of its size.
    float baseline = y + 0.8f * font_;
    if (v == VAlign::Middle) baseline = y + 0.3f * font_;
    if (v == VAlign::Bottom) baseline = y - 0.2f * font_;
    body_ += "<text x=\"" + num(x) + "\" y=\"" + num(baseline) +
             "\" font-family=\"DejaVu Sans Mono, monospace\" font-size=\"" + num(font_) +
             "\" text-anchor=\"" + anchor + "\" fill=\"" + colorText() + "\" xml:space=\"preserve\">" +
             escaped(text) + "</text>\n";
}

void SvgCanvas::textRotated(float x, float y, std::string_view text, float degrees) {
    // SVG turns clockwise for positive angles in its y-down space.
    body_ += "<text x=\"" + num(x) + "\" y=\"" + num(y + 0.3f * font_) + "\" transform=\"rotate(" +
             num(-degrees) + " " + num(x) + " " + num(y) +
             ")\" font-family=\"DejaVu Sans Mono, monospace\" font-size=\"" + num(font_) +
             "\" text-anchor=\"middle\" fill=\"" + colorText() + "\" xml:space=\"preserve\">" +
             escaped(text) + "</text>\n";
}

std::string SvgCanvas::document() const {
    const float pixelHeight = pixelWidth_ * height_ / width_;
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
           num(pixelWidth_) + "\" height=\"" + num(pixelHeight) + "\" viewBox=\"0 0 " + num(width_) + " " +
           num(height_) + "\">\n<rect x=\"0\" y=\"0\" width=\"" + num(width_) + "\" height=\"" +
           num(height_) + "\" fill=\"white\"/>\n" + body_ + "</svg>\n";
}

} // namespace vededa
