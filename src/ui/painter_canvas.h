#pragma once

#include "output/canvas.h"

#include <QColor>
#include <QRectF>

class QPainter;

namespace vededa {

/// The Qt colour of a plot palette index.
QColor qtPaletteColor(int paletteIndex);

/// A `Canvas` that draws with a QPainter: on a window's picture box, a printer page or an image. The
/// plot's picture units are mapped onto `target` (device coordinates) keeping the aspect ratio of the
/// picture; `lineUnit` is the device width of the thinnest line the device draws well (1 on a screen,
/// several device pixels on a high-resolution printer).
class PainterCanvas : public Canvas {
  public:
    PainterCanvas(QPainter& painter, float width, float height, const QRectF& target, float lineUnit = 1,
                  float fontSize = 160);

    float width() const override { return width_; }
    float height() const override { return height_; }
    void setColor(int paletteIndex) override;
    void setRgb(Rgb color) override;
    void setLineWidth(float width) override;
    void polygon(const std::vector<CanvasPoint>& points) override;
    void line(float x1, float y1, float x2, float y2) override;
    void box(float x1, float y1, float x2, float y2, bool filled) override;
    void text(float x, float y, std::string_view text, HAlign h, VAlign v) override;
    void textRotated(float x, float y, std::string_view text, float degrees) override;
    float textWidth(std::string_view text) const override;
    float fontSize() const override { return font_; }
    void setFontSize(float size) override;
    void clear() override;

    /// The device point of a picture point.
    QPointF toDevice(float x, float y) const;

  private:
    QPainter& painter_;
    float width_, height_;
    QRectF target_;
    float lineUnit_;
    float font_;
    double scale_ = 1;
    QPointF origin_;
    QColor color_ = Qt::black;
    float lineWidth_ = 1;
    void applyPen();
    void applyFont();
};

} // namespace vededa
