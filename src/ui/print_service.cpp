#include "ui/print_service.h"

#include "ui/painter_canvas.h"
#include "ui/user_dialogs.h"

#include <QDir>
#include <QFileInfo>
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

std::string PrintService::proposedPdfName(const std::string& report) const {
    std::string project = projectName ? projectName() : std::string();
    if (project.empty()) project = "Vededa";
    return project + "-" + report + ".pdf";
}

bool PrintService::chooseDestination(const std::string& report) {
    if (explicitOutput_) return true;
    // Printing to a file asks for its name every time, proposing one from the project and the report,
    // so that a later print never silently replaces an earlier file.
    QString folder = QString::fromStdString(pdfFolder_);
    if (!printer_.outputFileName().isEmpty()) folder = QFileInfo(printer_.outputFileName()).absolutePath();
    const std::string name = proposedPdfName(report);
    const std::string proposed =
        folder.isEmpty() ? name : QDir(folder).filePath(QString::fromStdString(name)).toStdString();
    if (!QPrinterInfo::availablePrinters().isEmpty()) {
        // The system print dialog asks for the file when the user prints to one (and before replacing
        // it); it proposes the name for this report.
        if (printer_.outputFormat() == QPrinter::PdfFormat)
            printer_.setOutputFileName(QString::fromStdString(proposed));
        if (!dialogs_.printerSetup(printer_)) return false;
        if (printer_.outputFormat() == QPrinter::PdfFormat) {
            pdfFolder_ = QFileInfo(printer_.outputFileName()).absolutePath().toStdString();
            askedForPdf_ = true;
        }
        return true;
    }
    printer_.setOutputFormat(QPrinter::PdfFormat);
    const std::string path =
        chooseSaveFile(dialogs_, "Print to PDF File", "PDF Files (*.pdf)|*.pdf", proposed);
    if (path.empty()) return false;
    printer_.setOutputFileName(QString::fromStdString(path));
    pdfFolder_ = QFileInfo(QString::fromStdString(path)).absolutePath().toStdString();
    askedForPdf_ = true;
    return true;
}

void PrintService::finishDocument() {
    // A PDF file chosen at printing time holds one document; the next print asks again.
    if (askedForPdf_) printer_.setOutputFileName(QString());
    askedForPdf_ = false;
}

bool PrintService::printReport(const std::string& text, const std::string& report) {
    if (!chooseDestination(report)) return false;
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

bool PrintService::releasePendingPage(const std::string& report) {
    if (!pending_) return false;
    const std::unique_ptr<RecordingCanvas> page = std::move(pending_);
    return printPage(*page, report);
}

bool PrintService::printPage(const RecordingCanvas& page, const std::string& report) {
    if (!chooseDestination(report)) return false;
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
