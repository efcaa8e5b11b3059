#include "ui/plot_export.h"

#include "ui/painter_canvas.h"
#include "ui/user_dialogs.h"
#include "ui/window_hooks.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>

namespace vededa {

namespace {

constexpr int kMaxPixelWidth = 20000; ///< the largest PNG written (about 400 megapixels at most)
constexpr double kPdfWidthMm = 270;   ///< a landscape A4 page's printable width
constexpr int kPdfResolution = 600;   ///< dots per inch of the PDF's drawing

} // namespace

std::string exportPlot(const RecordingCanvas& picture, const std::string& path, int pixelWidth) {
    const QString file = QString::fromStdString(path);
    const QString suffix = QFileInfo(file).suffix().toLower();
    const float w = picture.width(), h = picture.height();
    if (!(w > 0 && h > 0)) return "The plot is empty.";
    if (suffix == "svg") {
        SvgCanvas svg(w, h, picture.startFontSize(),
                      static_cast<float>(std::clamp(pixelWidth, 100, kMaxPixelWidth)));
        picture.replay(svg);
        QFile out(file);
        const std::string doc = svg.document();
        if (!out.open(QIODevice::WriteOnly) ||
            out.write(doc.data(), static_cast<qint64>(doc.size())) != static_cast<qint64>(doc.size()))
            return "Cannot write " + path + ".";
        return {};
    }
    if (suffix == "png") {
        const int pw = std::clamp(pixelWidth, 16, kMaxPixelWidth);
        const int ph = std::max(1, static_cast<int>(std::lround(pw * static_cast<double>(h) / w)));
        QImage image(pw, ph, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            // Lines keep their weight relative to a window about 900 pixels wide.
            PainterCanvas canvas(painter, w, h, QRectF(0, 0, pw, ph), std::max(1.0f, pw / 900.0f),
                                 picture.startFontSize());
            picture.replay(canvas);
        }
        if (!image.save(file, "PNG")) return "Cannot write " + path + ".";
        return {};
    }
    if (suffix == "pdf") {
        QPdfWriter writer(file);
        writer.setResolution(kPdfResolution);
        writer.setPageSize(QPageSize(QSizeF(kPdfWidthMm, kPdfWidthMm * h / w), QPageSize::Millimeter));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle("Vededa plot");
        QPainter painter;
        if (!painter.begin(&writer)) return "Cannot write " + path + ".";
        const QRect page = painter.viewport();
        PainterCanvas canvas(painter, w, h, QRectF(page), kPdfResolution / 150.0f, picture.startFontSize());
        picture.replay(canvas);
        painter.end();
        if (!QFileInfo::exists(file)) return "Cannot write " + path + ".";
        return {};
    }
    return "Plots export to PNG, SVG or PDF; the file name " + path + " has none of those extensions.";
}

std::string saveTextWithDialogs(UserDialogs& dialogs, const std::string& title, const std::string& filter,
                                const std::string& text) {
    const std::string path = chooseSaveFile(dialogs, title, filter);
    if (path.empty()) return {};
    QFile out(QString::fromStdString(path));
    if (!out.open(QIODevice::WriteOnly) ||
        out.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size())) {
        dialogs.message(kApplicationTitle, "Cannot write " + path + ".", MessageIcon::Warning);
        return {};
    }
    return path;
}

void exportPlotWithDialogs(UserDialogs& dialogs, const RecordingCanvas& picture, int screenWidth) {
    const std::string path = chooseSaveFile(dialogs, "Export Plot", kPlotExportFilter);
    if (path.empty()) return;
    int pixelWidth = 2 * std::max(100, screenWidth);
    if (QFileInfo(QString::fromStdString(path)).suffix().toLower() == "png") {
        const auto scale =
            dialogs.input(kApplicationTitle, "Picture size (times the plot on the screen):", "2");
        if (!scale) return;
        const double factor = QString::fromStdString(*scale).trimmed().toDouble();
        if (!(factor > 0 && factor <= 20)) {
            dialogs.message(kApplicationTitle, "The size must be a number above 0 and at most 20.",
                            MessageIcon::Warning);
            return;
        }
        pixelWidth = static_cast<int>(std::lround(factor * std::max(100, screenWidth)));
    }
    const std::string failure = exportPlot(picture, path, pixelWidth);
    if (!failure.empty()) dialogs.message(kApplicationTitle, failure, MessageIcon::Warning);
}

} // namespace vededa
