#include "ui/plot_window.h"

#include "output/number_format.h"
#include "ui/painter_canvas.h"
#include "ui/plot_export.h"
#include "ui/print_service.h"
#include "ui/user_dialogs.h"
#include "ui/window_hooks.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace vededa {

PlotPicture::PlotPicture(QWidget* parent) : QWidget(parent), picture_(kPlotPictureWidth, kPlotPictureHeight) {
    setObjectName("Picture1");
    setCursor(Qt::CrossCursor);
    setFocusPolicy(Qt::ClickFocus);
    setMinimumSize(500, 350);
    setAutoFillBackground(false);
}

void PlotPicture::clearPicture() {
    picture_ = RecordingCanvas(kPlotPictureWidth, kPlotPictureHeight);
    update();
}

namespace {

/// The rectangle of a widget the picture occupies: the largest one of the picture's proportions.
QRectF pictureRect(const QSizeF& widget) {
    const double scale = std::min(widget.width() / kPlotPictureWidth, widget.height() / kPlotPictureHeight);
    const QSizeF size(kPlotPictureWidth * scale, kPlotPictureHeight * scale);
    return QRectF(QPointF((widget.width() - size.width()) / 2, (widget.height() - size.height()) / 2), size);
}

} // namespace

QPointF PlotPicture::toPicture(const QPointF& widgetPos) const {
    const QRectF r = pictureRect(size());
    if (r.width() <= 0 || r.height() <= 0) return {};
    return QPointF((widgetPos.x() - r.left()) * kPlotPictureWidth / r.width(),
                   (widgetPos.y() - r.top()) * kPlotPictureHeight / r.height());
}

QPointF PlotPicture::fromPicture(const QPointF& picturePos) const {
    const QRectF r = pictureRect(size());
    return QPointF(r.left() + picturePos.x() * r.width() / kPlotPictureWidth,
                   r.top() + picturePos.y() * r.height() / kPlotPictureHeight);
}

void PlotPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const QRectF r = pictureRect(size());
    painter.fillRect(r, Qt::white);
    PainterCanvas canvas(painter, kPlotPictureWidth, kPlotPictureHeight, r, 1, picture_.fontSize());
    picture_.replay(canvas);
}

void PlotPicture::setPointDrag(PlotPointDrag* drag) {
    cancelDrag();
    drag_ = drag;
    // Without a point to drag the picture need not follow the mouse between presses.
    setMouseTracking(drag_ != nullptr);
    setCursor(Qt::CrossCursor);
}

void PlotPicture::cancelDrag() {
    if (!dragging_) return;
    dragging_ = false;
    setCursor(drag_ ? Qt::OpenHandCursor : Qt::CrossCursor);
    if (drag_) drag_->cancel();
}

void PlotPicture::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPointF p = toPicture(event->position());
    const auto x = static_cast<float>(p.x()), y = static_cast<float>(p.y());
    if (drag_ && !dragging_ && drag_->hits(x, y)) {
        dragging_ = true;
        setCursor(Qt::ClosedHandCursor);
        // The keyboard comes here, so that Escape reaches the window during the drag.
        setFocus(Qt::MouseFocusReason);
        drag_->grab(x, y);
        return;
    }
    emit clicked(x, y);
}

void PlotPicture::mouseMoveEvent(QMouseEvent* event) {
    if (!drag_) return;
    const QPointF p = toPicture(event->position());
    const auto x = static_cast<float>(p.x()), y = static_cast<float>(p.y());
    if (dragging_) {
        drag_->move(x, y);
        return;
    }
    // The hand shows where a press takes hold of the point.
    setCursor(drag_->hits(x, y) ? Qt::OpenHandCursor : Qt::CrossCursor);
}

void PlotPicture::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !dragging_) return;
    dragging_ = false;
    setCursor(Qt::OpenHandCursor);
    const QPointF p = toPicture(event->position());
    drag_->release(static_cast<float>(p.x()), static_cast<float>(p.y()));
}

PlotWindow::PlotWindow(ProjectData& project, UserDialogs& dialogs, PrintService& printer, QWidget* parent)
    : QWidget(parent, Qt::Window), project_(project), dialogs_(dialogs), printer_(printer) {
    setObjectName("Form4");
    setWindowTitle("Plot");
    resize(900, 700);
    auto* layout = new QVBoxLayout(this);
    picture_ = new PlotPicture(this);
    pictureRow_ = new QHBoxLayout;
    pictureRow_->addWidget(picture_, 1);
    layout->addLayout(pictureRow_, 1);

    auto* bottom = new QHBoxLayout;
    auto* instruction = new QLabel("Click left mouse button to capture (x,y) coordinates.", this);
    instruction->setObjectName("Label1");
    // The instruction has a line of its own so the read-outs keep their whole captions.
    layout->addWidget(instruction);
    xCaption_ = new QLabel("x =", this);
    xCaption_->setObjectName("Label2");
    bottom->addWidget(xCaption_);
    xLabel_ = new QLabel(this);
    xLabel_->setObjectName("Label4");
    xLabel_->setMinimumWidth(80);
    bottom->addWidget(xLabel_);
    yCaption_ = new QLabel("y =", this);
    yCaption_->setObjectName("Label3");
    bottom->addWidget(yCaption_);
    yLabel_ = new QLabel(this);
    yLabel_->setObjectName("Label5");
    yLabel_->setMinimumWidth(80);
    bottom->addWidget(yLabel_);
    bottom->addStretch();
    printButton_ = new QPushButton("Print", this);
    printButton_->setObjectName("Command2");
    auto* doneButton = new QPushButton("Done", this);
    doneButton->setObjectName("Command1");
    auto* exportButton = new QPushButton("Export...", this);
    exportButton->setObjectName("cmdExport");
    saveDataButton_ = new QPushButton("Save Data...", this);
    saveDataButton_->setObjectName("cmdSaveData");
    saveDataButton_->setEnabled(false);
    bottom->addWidget(exportButton);
    bottom->addWidget(saveDataButton_);
    bottom->addWidget(printButton_);
    bottom->addWidget(doneButton);
    layout->addLayout(bottom);

    connect(picture_, &PlotPicture::clicked, this, &PlotWindow::capture);
    connect(printButton_, &QPushButton::clicked, this, &PlotWindow::print);
    connect(doneButton, &QPushButton::clicked, this, &PlotWindow::done);
    connect(exportButton, &QPushButton::clicked, this, &PlotWindow::exportPlot);
    connect(saveDataButton_, &QPushButton::clicked, this, &PlotWindow::saveData);
}

void PlotWindow::setDataTable(std::function<std::string()> csv) {
    dataTable_ = std::move(csv);
    saveDataButton_->setEnabled(static_cast<bool>(dataTable_));
}

void PlotWindow::exportPlot() {
    exportPlotWithDialogs(dialogs_, picture_->picture(), picture_->width());
}

void PlotWindow::saveData() {
    if (!dataTable_) return;
    saveTextWithDialogs(dialogs_, "Save Plot Data", kCsvFilter, dataTable_());
}

void PlotWindow::showPlot(const std::function<void(Canvas&)>& draw, int16_t source) {
    showPlot(draw, nullptr, source);
}

void PlotWindow::showPlot(const std::function<void(Canvas&)>& draw,
                          const std::function<void(Canvas&)>& printerDraw, int16_t source) {
    source_ = source;
    setDataTable(nullptr);
    setPointDrag(nullptr);
    setSidePanel(nullptr);
    picture_->clearPicture();
    draw(picture_->picture());
    // With the print buffer on, the same drawing goes onto the pending printer page.
    if (project_.printBufferFlag == 1) {
        RecordingCanvas& page = printer_.pendingPage(kPlotPictureWidth, kPlotPictureHeight);
        if (printerDraw)
            printerDraw(page);
        else
            picture_->picture().replay(page);
    }
    printed_ = false;
    printButton_->setEnabled(true);
    picture_->update();
    show();
    raise();
    activateWindow();
}

void PlotWindow::redrawPicture(const std::function<void(Canvas&)>& draw) {
    picture_->clearPicture();
    draw(picture_->picture());
    picture_->update();
}

void PlotWindow::redrawPrinterPage(const std::function<void(Canvas&)>& printerDraw) {
    if (project_.printBufferFlag != 1 || !printer_.hasPendingPage()) return;
    printer_.discardPendingPage();
    printerDraw(printer_.pendingPage(kPlotPictureWidth, kPlotPictureHeight));
}

void PlotWindow::setPointDrag(PlotPointDrag* drag) {
    picture_->setPointDrag(drag);
}

void PlotWindow::setSidePanel(QWidget* panel) {
    if (panel == sidePanel_) return;
    if (sidePanel_) {
        pictureRow_->removeWidget(sidePanel_);
        sidePanel_->hide();
    }
    sidePanel_ = panel;
    if (!panel) return;
    if (panel->parentWidget() != this) panel->setParent(this);
    pictureRow_->addWidget(panel);
    panel->show();
}

void PlotWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && picture_->dragging()) {
        picture_->cancelDrag();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PlotWindow::setReadoutCaptions(const std::string& x, const std::string& y) {
    xCaption_->setText(QString::fromStdString(x));
    yCaption_->setText(QString::fromStdString(y));
    xCaption_->setMinimumWidth(xCaption_->sizeHint().width());
    yCaption_->setMinimumWidth(yCaption_->sizeHint().width());
    layout()->activate();
    xLabel_->setText("0");
    yLabel_->setText("0");
}

void PlotWindow::setPrintEnabled(bool enabled) {
    printButton_->setEnabled(enabled);
}
bool PlotWindow::printEnabled() const {
    return printButton_->isEnabled();
}
std::string PlotWindow::readoutX() const {
    return xLabel_->text().toStdString();
}
std::string PlotWindow::readoutY() const {
    return yLabel_->text().toStdString();
}

void PlotWindow::capture(float x, float y) {
    const PlotPoint p = PlotCoordinatesAt(frame_, x, y);
    showReadout(p.x, p.y);
}

void PlotWindow::showReadout(float x, float y) {
    xLabel_->setText(QString::fromStdString(formatPattern(x, "####.00")));
    yLabel_->setText(QString::fromStdString(formatPattern(y, "####.00")));
}

void PlotWindow::print() {
    if (!dialogs_.ask(kApplicationTitle, "Print the Plot Results to PRINTER?", false)) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (project_.printBufferFlag == 1)
        printer_.releasePendingPage(source_ == kPlotSourceContour ? "contour-plot" : "constraint-diagram");
    else
        printer_.discardPendingPage();
    QApplication::restoreOverrideCursor();
    printed_ = true;
    printButton_->setEnabled(false);
}

void PlotWindow::done() {
    picture_->cancelDrag();
    picture_->clearPicture();
    hide();
    if (returnToSource) returnToSource(source_);
}

} // namespace vededa
