#include "ui/print_service.h"

#include "ui/painter_canvas.h"
#include "ui/user_dialogs.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinterInfo>
#include <QStringList>

namespace vededa {

PrintService::PrintService(UserDialogs& dialogs) : dialogs_(dialogs), printer_(QPrinter::HighResolution) {
    // Without an installed printer every print goes to a PDF file chosen when printing.
    if (QPrinterInfo::availablePrinters().isEmpty()) printer_.setOutputFormat(QPrinter::PdfFormat);
}

void PrintService::setPdfOutput(const std::string& path) {
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setOutputFileName(QString::fromStdString(path));
    explicitOutput_ = true;
}

void PrintService::setup() {
    dialogs_.printerSetup(printer_);
}

QFont PrintService::reportFont() {
    QFont font("Courier");
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSize(10);
    return font;
}

bool PrintService::chooseDestination() {
    if (explicitOutput_) return true;
    if (!QPrinterInfo::availablePrinters().isEmpty()) return dialogs_.printerSetup(printer_);
    // A PDF file chosen in the printer setup stays the destination; otherwise each print asks.
    printer_.setOutputFormat(QPrinter::PdfFormat);
    if (!printer_.outputFileName().isEmpty()) return true;
    const std::string path = dialogs_.saveFile("Print to PDF File", "PDF Files (*.pdf)|*.pdf");
    if (path.empty()) return false;
    printer_.setOutputFileName(QString::fromStdString(path));
    askedForPdf_ = true;
    return true;
}

void PrintService::finishDocument() {
    // A PDF file chosen at printing time holds one document; the next print asks again.
    if (askedForPdf_) printer_.setOutputFileName(QString());
    askedForPdf_ = false;
}

bool PrintService::printReport(const std::string& text) {
    if (!chooseDestination()) return false;
    QPainter painter;
    if (!painter.begin(&printer_)) {
        finishDocument();
        return false;
    }
    painter.setFont(reportFont());
    const QFontMetricsF fm(painter.font(), &printer_);
    const double lineHeight = fm.lineSpacing();
    const QRectF page = printer_.pageLayout().paintRectPixels(printer_.resolution());
    const double pageHeight = page.height();

    QStringList lines = QString::fromStdString(text).replace("\r\n", "\n").split('\n');
    if (!lines.isEmpty() && lines.back().isEmpty()) lines.pop_back();
    lines.prepend(QString()); // one empty line before the report
    double y = fm.ascent();
    for (const QString& line : lines) {
        if (y + fm.descent() > pageHeight) {
            printer_.newPage();
            y = fm.ascent();
        }
        painter.drawText(QPointF(0, y), line);
        y += lineHeight;
    }
    const bool ok = painter.end();
    finishDocument();
    return ok;
}

RecordingCanvas& PrintService::pendingPage(float pictureWidth, float pictureHeight) {
    if (!pending_) pending_ = std::make_unique<RecordingCanvas>(pictureWidth, pictureHeight);
    return *pending_;
}

bool PrintService::releasePendingPage() {
    if (!pending_) return false;
    const std::unique_ptr<RecordingCanvas> page = std::move(pending_);
    return printPage(*page);
}

bool PrintService::printPage(const RecordingCanvas& page) {
    if (!chooseDestination()) return false;
    QPainter painter;
    if (!painter.begin(&printer_)) {
        finishDocument();
        return false;
    }
    const QRectF area(QPointF(0, 0), printer_.pageLayout().paintRectPixels(printer_.resolution()).size());
    // A line of the window's thinnest width is about a third of a point on paper.
    const float lineUnit = static_cast<float>(printer_.resolution()) / 200.0f;
    PainterCanvas canvas(painter, page.width(), page.height(), area, lineUnit, page.fontSize());
    page.replay(canvas);
    const bool ok = painter.end();
    finishDocument();
    return ok;
}

} // namespace vededa
