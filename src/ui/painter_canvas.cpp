#include "ui/painter_canvas.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>

namespace vededa {

QColor qtPaletteColor(int paletteIndex) {
    const Rgb c = paletteColor(paletteIndex);
    return QColor(c.r, c.g, c.b);
}

PainterCanvas::PainterCanvas(QPainter& painter, float width, float height, const QRectF& target,
                             float lineUnit, float fontSize)
    : painter_(painter), width_(width), height_(height), target_(target), lineUnit_(lineUnit),
      font_(fontSize) {
    // One scale for both axes, so that the plot keeps its proportions; centred in the target.
    const double sx = width_ > 0 ? target_.width() / width_ : 1;
    const double sy = height_ > 0 ? target_.height() / height_ : 1;
    scale_ = std::min(sx, sy);
    origin_ = QPointF(target_.left() + (target_.width() - scale_ * width_) / 2,
                      target_.top() + (target_.height() - scale_ * height_) / 2);
    painter_.setRenderHint(QPainter::Antialiasing, true);
    applyPen();
    applyFont();
}

QPointF PainterCanvas::toDevice(float x, float y) const {
    return QPointF(origin_.x() + scale_ * x, origin_.y() + scale_ * y);
}

void PainterCanvas::applyPen() {
    QPen pen(color_);
    pen.setWidthF(std::max(1.0f, lineWidth_) * lineUnit_);
    pen.setCapStyle(Qt::FlatCap);
    painter_.setPen(pen);
}

void PainterCanvas::applyFont() {
    QFont font("Arial");
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, static_cast<int>(font_ * scale_ + 0.5)));
    painter_.setFont(font);
}

void PainterCanvas::setColor(int paletteIndex) {
    color_ = qtPaletteColor(paletteIndex);
    applyPen();
}

void PainterCanvas::setRgb(Rgb color) {
    color_ = QColor(color.r, color.g, color.b);
    applyPen();
}

void PainterCanvas::polygon(const std::vector<CanvasPoint>& points) {
    if (points.size() < 3) return;
    QPolygonF poly;
    poly.reserve(static_cast<qsizetype>(points.size()));
    for (const CanvasPoint& p : points) poly << toDevice(p.x, p.y);
    // Neighbouring pieces of one band share edges: without antialiasing and with a thin pen of the fill
    // colour no seam shows between them.
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(color_);
    pen.setWidthF(0);
    painter_.setPen(pen);
    painter_.setBrush(color_);
    painter_.drawPolygon(poly);
    painter_.restore();
}

void PainterCanvas::setLineWidth(float width) {
    lineWidth_ = width;
    applyPen();
}

void PainterCanvas::line(float x1, float y1, float x2, float y2) {
    painter_.drawLine(toDevice(x1, y1), toDevice(x2, y2));
}

void PainterCanvas::box(float x1, float y1, float x2, float y2, bool filled) {
    const QRectF r = QRectF(toDevice(x1, y1), toDevice(x2, y2)).normalized();
    if (filled)
        painter_.fillRect(r, color_);
    else
        painter_.drawRect(r);
}

void PainterCanvas::text(float x, float y, std::string_view text, HAlign h, VAlign v) {
    const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QFontMetricsF fm(painter_.font());
    const QPointF p = toDevice(x, y);
    double left = p.x();
    if (h == HAlign::Center) left -= fm.horizontalAdvance(s) / 2;
    if (h == HAlign::Right) left -= fm.horizontalAdvance(s);
    double baseline = p.y() + fm.ascent();
    if (v == VAlign::Middle) baseline = p.y() + (fm.ascent() - fm.descent()) / 2;
    if (v == VAlign::Bottom) baseline = p.y() - fm.descent();
    painter_.drawText(QPointF(left, baseline), s);
}

void PainterCanvas::textRotated(float x, float y, std::string_view text, float degrees) {
    const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QFontMetricsF fm(painter_.font());
    painter_.save();
    painter_.translate(toDevice(x, y));
    painter_.rotate(-degrees);
    painter_.drawText(QPointF(-fm.horizontalAdvance(s) / 2, (fm.ascent() - fm.descent()) / 2), s);
    painter_.restore();
}

float PainterCanvas::textWidth(std::string_view text) const {
    const QFontMetricsF fm(painter_.font());
    const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return scale_ > 0 ? static_cast<float>(fm.horizontalAdvance(s) / scale_) : 0;
}

void PainterCanvas::setFontSize(float size) {
    font_ = size;
    applyFont();
}

void PainterCanvas::clear() {
    painter_.fillRect(QRectF(toDevice(0, 0), toDevice(width_, height_)), Qt::white);
}

} // namespace vededa
