#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vededa {

/// An RGB colour.
struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

/// The 16 plot colours by palette index: 0 black, 1 blue, 2 green, 3 cyan, 4 red, 5 magenta, 6 brown,
/// 7 light grey, 8 dark grey, 9 light blue, 10 light green, 11 light cyan, 12 light red, 13 light
/// magenta, 14 yellow, 15 white. Other indices wrap modulo 16.
Rgb paletteColor(int index);

/// A point of a picture, in picture units.
struct CanvasPoint {
    float x = 0, y = 0;
};

/// A colour of a continuous colour map at `t` in [0, 1] (clamped): viridis, perceptually uniform from dark
/// blue-violet through green to yellow, for quantities of one sign.
Rgb viridisColor(float t);
/// A diverging colour map at `t` in [0, 1] (clamped): blue below 0.5, white at 0.5, red above, for
/// quantities whose sign matters (centred on zero by the caller).
Rgb divergingColor(float t);

enum class HAlign { Left, Center, Right };
enum class VAlign { Top, Middle, Bottom };

/// The drawing surface of every plot. Coordinates are in the plot's own picture units, x to the right
/// and y downward from the top-left corner of the picture; a plot draws the same calls on the window,
/// the printer page, PDF, PNG and SVG, which are only different canvases.
class Canvas {
  public:
    virtual ~Canvas() = default;

    /// Extent of the picture in picture units.
    virtual float width() const = 0;
    virtual float height() const = 0;

    /// Current colour for lines, boxes and text (a palette index).
    virtual void setColor(int paletteIndex) = 0;
    /// Current colour given directly (colour maps), in place of a palette colour.
    virtual void setRgb(Rgb color) = 0;
    /// Current line width in device lines (1 = the thinnest line the device draws well).
    virtual void setLineWidth(float width) = 0;

    virtual void line(float x1, float y1, float x2, float y2) = 0;
    /// A rectangle with opposite corners (x1, y1) and (x2, y2), outlined or filled in the current colour.
    virtual void box(float x1, float y1, float x2, float y2, bool filled) = 0;
    /// A closed polygon filled in the current colour, without an outline.
    virtual void polygon(const std::vector<CanvasPoint>& points) = 0;
    /// Text anchored at (x, y) with the given alignment.
    virtual void text(float x, float y, std::string_view text, HAlign h = HAlign::Left,
                      VAlign v = VAlign::Top) = 0;

    /// Text centred on (x, y), turned `degrees` anticlockwise as seen on the picture (labels that run
    /// along a line). Canvases that cannot turn text write it level.
    virtual void textRotated(float x, float y, std::string_view text, float degrees) {
        (void)degrees;
        this->text(x, y, text, HAlign::Center, VAlign::Middle);
    }

    /// Size of text in picture units, for plots that place labels beside each other.
    virtual float textWidth(std::string_view text) const {
        return 0.6f * fontSize() * static_cast<float>(text.size());
    }
    virtual float textHeight() const { return fontSize(); }
    /// Font height in picture units.
    virtual float fontSize() const = 0;
    virtual void setFontSize(float size) = 0;

    /// Clears the picture.
    virtual void clear() {}
};

/// A canvas that records every call, for tests and for replaying a plot on another canvas.
class RecordingCanvas : public Canvas {
  public:
    enum class Kind {
        Color,
        LineWidth,
        Line,
        Box,
        FilledBox,
        Text,
        FontSize,
        Clear,
        Rgb,
        Polygon,
        RotatedText
    };
    struct Op {
        Kind kind = Kind::Line;
        /// coordinates; for Color/LineWidth/FontSize x1 is the value; for RotatedText x2 is the angle
        float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        std::string text;
        vededa::Rgb rgb{};               ///< the colour of an Rgb op
        std::vector<CanvasPoint> points; ///< the corners of a Polygon op
        HAlign h = HAlign::Left;
        VAlign v = VAlign::Top;
    };

    RecordingCanvas(float width, float height, float fontSize = 160)
        : width_(width), height_(height), font_(fontSize), startFont_(fontSize) {}
    /// The font size the recording started with (a replay starts its target with it).
    float startFontSize() const { return startFont_; }

    float width() const override { return width_; }
    float height() const override { return height_; }
    void setColor(int paletteIndex) override { record(Kind::Color, static_cast<float>(paletteIndex)); }
    void setRgb(vededa::Rgb color) override { record(Kind::Rgb).rgb = color; }
    void setLineWidth(float width) override { record(Kind::LineWidth, width); }
    void line(float x1, float y1, float x2, float y2) override { record(Kind::Line, x1, y1, x2, y2); }
    void polygon(const std::vector<CanvasPoint>& points) override { record(Kind::Polygon).points = points; }
    void box(float x1, float y1, float x2, float y2, bool filled) override {
        record(filled ? Kind::FilledBox : Kind::Box, x1, y1, x2, y2);
    }
    void text(float x, float y, std::string_view text, HAlign h, VAlign v) override {
        Op& op = record(Kind::Text, x, y);
        op.text = std::string(text);
        op.h = h;
        op.v = v;
    }
    void textRotated(float x, float y, std::string_view text, float degrees) override {
        record(Kind::RotatedText, x, y, degrees).text = std::string(text);
    }
    float fontSize() const override { return font_; }
    void setFontSize(float size) override {
        font_ = size;
        record(Kind::FontSize, size);
    }
    void clear() override { record(Kind::Clear); }

    const std::vector<Op>& ops() const { return ops_; }
    /// Every recorded op of one kind.
    std::vector<Op> opsOf(Kind kind) const;
    /// Replays the recorded calls on another canvas.
    void replay(Canvas& target) const;

  private:
    float width_, height_, font_, startFont_;
    std::vector<Op> ops_;
    Op& record(Kind kind, float x1 = 0, float y1 = 0, float x2 = 0, float y2 = 0) {
        Op op;
        op.kind = kind;
        op.x1 = x1, op.y1 = y1, op.x2 = x2, op.y2 = y2;
        ops_.push_back(std::move(op));
        return ops_.back();
    }
};

/// A canvas that writes SVG. The picture units map one to one onto SVG user units; the document is
/// scaled to `pixelWidth` pixels wide for viewers.
class SvgCanvas : public Canvas {
  public:
    SvgCanvas(float width, float height, float fontSize = 160, float pixelWidth = 1000);

    float width() const override { return width_; }
    float height() const override { return height_; }
    void setColor(int paletteIndex) override { color_ = paletteColor(paletteIndex); }
    void setRgb(Rgb color) override { color_ = color; }
    void setLineWidth(float width) override { lineWidth_ = width; }
    void line(float x1, float y1, float x2, float y2) override;
    void polygon(const std::vector<CanvasPoint>& points) override;
    void box(float x1, float y1, float x2, float y2, bool filled) override;
    void text(float x, float y, std::string_view text, HAlign h, VAlign v) override;
    void textRotated(float x, float y, std::string_view text, float degrees) override;
    float fontSize() const override { return font_; }
    void setFontSize(float size) override { font_ = size; }
    void clear() override { body_.clear(); }

    /// The complete SVG document.
    std::string document() const;

  private:
    float width_, height_, font_, pixelWidth_;
    Rgb color_{};
    float lineWidth_ = 1;
    std::string body_;
    std::string colorText() const;
    float strokeWidth() const;
};

} // namespace vededa
