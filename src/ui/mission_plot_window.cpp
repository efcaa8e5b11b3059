#include "ui/mission_plot_window.h"

#include "mission/mission_data.h"
#include "ui/painter_canvas.h"
#include "ui/plot_export.h"
#include "ui/print_service.h"
#include "ui/user_dialogs.h"
#include "ui/window_hooks.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace vededa {

MissionPlotPicture::MissionPlotPicture(QWidget* parent)
    : QWidget(parent), picture_(kWidth, kHeight, kFontSize) {
    setObjectName("Picture1");
    setMinimumSize(540, 360);
}

void MissionPlotPicture::clearPicture() {
    picture_ = RecordingCanvas(kWidth, kHeight, kFontSize);
    update();
}

void MissionPlotPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const double scale = std::min(width() / double(kWidth), height() / double(kHeight));
    const QSizeF size(kWidth * scale, kHeight * scale);
    const QRectF r(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2), size);
    painter.fillRect(r, Qt::white);
    PainterCanvas canvas(painter, kWidth, kHeight, r, 1, picture_.fontSize());
    picture_.replay(canvas);
}

MissionPlotWindow::MissionPlotWindow(ProjectData& project, UserDialogs& dialogs, PrintService& printer,
                                     QWidget* parent)
    : QWidget(parent, Qt::Window), project_(project), dialogs_(dialogs), printer_(printer) {
    setObjectName("Form15");
    setWindowTitle("Plot of Mission Results");
    resize(900, 600);
    auto* layout = new QHBoxLayout(this);
    auto* side = new QVBoxLayout;
    auto* frame = new QGroupBox("Y Axis", this);
    frame->setObjectName("Frame1");
    auto* options = new QVBoxLayout(frame);
    const std::array<const char*, 6> captions = {
        "Beta", "Pi", "Time", "Distance", "Cumulative Time", "Cumulative Distance"};
    for (int k = 0; k < 6; ++k) {
        options_[k] = new QRadioButton(captions[k], frame);
        options_[k]->setObjectName(QString("Option1_%1").arg(k));
        options->addWidget(options_[k]);
        connect(options_[k], &QRadioButton::toggled, this, [this, k](bool on) {
            if (on) quantity_ = static_cast<MissionPlotQuantity>(k + 1);
        });
    }
    options_[0]->setChecked(true);
    side->addWidget(frame);
    side->addStretch();
    auto button = [&](const char* caption, const char* name, void (MissionPlotWindow::*slot)()) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, this, slot);
        side->addWidget(b);
    };
    button("Plot", "cmdPlot", &MissionPlotWindow::plot);
    button("Export...", "cmdExport", &MissionPlotWindow::exportPlot);
    button("Save Data...", "cmdSaveData", &MissionPlotWindow::saveData);
    button("Print", "cmdPrint", &MissionPlotWindow::print);
    button("Done", "cmdDone", &MissionPlotWindow::done);
    picture_ = new MissionPlotPicture(this);
    layout->addWidget(picture_, 1);
    layout->addLayout(side);
}

void MissionPlotWindow::exportPlot() {
    exportPlotWithDialogs(dialogs_, picture_->picture(), picture_->width());
}

void MissionPlotWindow::saveData() {
    saveTextWithDialogs(dialogs_, "Save Mission Data", kCsvFilter, missionLegsCsv(project_));
}

void MissionPlotWindow::setQuantity(MissionPlotQuantity quantity) {
    options_[static_cast<std::size_t>(quantity) - 1]->setChecked(true);
}

void MissionPlotWindow::plot() {
    picture_->clearPicture();
    drawMissionPlot(picture_->picture(), project_, quantity_);
    picture_->update();
}

void MissionPlotWindow::print() {
    if (!dialogs_.ask(kApplicationTitle, "Print the Plot Results to PRINTER?", false)) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // The same drawing as on the screen, on a printer page of its own.
    RecordingCanvas page(MissionPlotPicture::kWidth, MissionPlotPicture::kHeight,
                         MissionPlotPicture::kFontSize);
    drawMissionPlot(page, project_, quantity_);
    printer_.printPage(page, "mission-plot");
    QApplication::restoreOverrideCursor();
}

void MissionPlotWindow::done() {
    hide();
    if (returnToMission) returnToMission();
}

} // namespace vededa
