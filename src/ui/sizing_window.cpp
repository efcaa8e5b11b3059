#include "ui/sizing_window.h"

#include "output/number_format.h"
#include "ui/analysis_form.h"
#include "ui/painter_canvas.h"
#include "ui/sizing_panel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace vededa {

namespace {

/// The picture's aspect ratio and where the painter canvas puts it inside `target`.
QRectF fitted(const QRectF& target) {
    const double scale =
        std::min(target.width() / kSizingPictureWidth, target.height() / kSizingPictureHeight);
    const double w = scale * kSizingPictureWidth, h = scale * kSizingPictureHeight;
    return QRectF(target.left() + (target.width() - w) / 2, target.top() + (target.height() - h) / 2, w, h);
}

} // namespace

SizingChartView::SizingChartView(QWidget* parent) : QWidget(parent) {
    setObjectName("picSizing");
    setMouseTracking(true);
    setMinimumSize(660, 480);
    setCursor(Qt::CrossCursor);
}

QRectF SizingChartView::pictureRect() const {
    return fitted(QRectF(rect()));
}

void SizingChartView::setChart(const ProjectData& project, const SizingChart* chart) {
    project_ = &project;
    chart_ = chart;
    redraw();
}

void SizingChartView::setDesignPoint(float ws, float tw) {
    designWs_ = ws;
    designTw_ = tw;
    update();
}

void SizingChartView::redraw() {
    picture_ = QPixmap(size() * devicePixelRatioF());
    picture_.setDevicePixelRatio(devicePixelRatioF());
    picture_.fill(Qt::white);
    if (project_ && chart_) {
        QPainter painter(&picture_);
        PainterCanvas canvas(painter, kSizingPictureWidth, kSizingPictureHeight, QRectF(rect()));
        drawSizingChart(canvas, *project_, *chart_, false);
    }
    update();
}

bool SizingChartView::valuesAt(const QPointF& position, float& ws, float& tw) const {
    if (!chart_ || chart_->cells.empty()) return false;
    const QRectF r = pictureRect();
    const float px = static_cast<float>((position.x() - r.left()) / r.width() * kSizingPictureWidth);
    const float py = static_cast<float>((position.y() - r.top()) / r.height() * kSizingPictureHeight);
    const SizingChartMap m = sizingChartMap(*chart_);
    if (!m.inside(px, py)) return false;
    ws = m.ws(px);
    tw = m.tw(py);
    return true;
}

void SizingChartView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
    if (!chart_ || chart_->cells.empty()) return;
    const SizingChartMap m = sizingChartMap(*chart_);
    const QRectF r = pictureRect();
    const double x = r.left() + m.x(designWs_) / kSizingPictureWidth * r.width();
    const double y = r.top() + m.y(designTw_) / kSizingPictureHeight * r.height();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(Qt::black, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(x, y), 6, 6);
}

void SizingChartView::resizeEvent(QResizeEvent*) {
    redraw();
}

void SizingChartView::mouseMoveEvent(QMouseEvent* event) {
    float ws = 0, tw = 0;
    if (valuesAt(event->position(), ws, tw)) emit hovered(ws, tw);
}

void SizingChartView::mousePressEvent(QMouseEvent* event) {
    float ws = 0, tw = 0;
    if (event->button() == Qt::LeftButton && valuesAt(event->position(), ws, tw)) emit clicked(ws, tw);
}

SizingWindow::SizingWindow(ProjectData& project, QWidget* parent)
    : QWidget(parent, Qt::Window), project_(project) {
    setObjectName("frmSizing");
    setWindowTitle("Sizing Chart");
    auto* top = new QHBoxLayout(this);

    auto* settings = new QGridLayout;
    const std::array<const char*, BoxCount> names = {
        "txtWsMin",  "txtWsMax",  "txtWsPoints", "txtTwMin",       "txtTwMax",          "txtTwPoints",
        "txtEmptyA", "txtEmptyC", "txtCrew",     "txtPayloadKept", "txtPayloadReleased"};
    const std::array<const char*, BoxCount> captions = {
        "W/S minimum",    "W/S maximum", "W/S points",  "T/W minimum",  "T/W maximum",     "T/W points",
        "Empty weight A", "Exponent C",  "Crew weight", "Payload kept", "Payload released"};
    const std::array<const char*, BoxCount> quantities = {
        "ws-axis",           "ws-axis",           "grid-points", "tw-axis", "tw-axis", "grid-points",
        "model-coefficient", "model-coefficient", "payload",     "payload", "payload"};
    int row = 0;
    for (int b = 0; b < BoxCount; ++b) {
        if (b == EmptyA) {
            closure_ = new QCheckBox("Weight closure: We/W_TO = A W_TO^C", this);
            closure_->setObjectName("chkClosure");
            connect(closure_, &QCheckBox::toggled, this, [this](bool on) {
                if (project_.sizing.closure == on && project_.sizing.stored) return;
                project_.sizing = effectiveSizingSettings(project_);
                project_.sizing.closure = on;
                project_.sizing.stored = true;
            });
            settings->addWidget(closure_, row++, 0, 1, 2);
        }
        boxes_[static_cast<std::size_t>(b)] = form::field(
            this, names[static_cast<std::size_t>(b)],
            form::Quantity{project_, quantities[static_cast<std::size_t>(b)]}, [this, b] { store(b); });
        settings->addWidget(new QLabel(captions[static_cast<std::size_t>(b)], this), row, 0);
        settings->addWidget(boxes_[static_cast<std::size_t>(b)], row++, 1);
    }
    calculate_ = new QPushButton("&Calculate", this);
    calculate_->setObjectName("cmdCalculate");
    cancel_ = new QPushButton("Cance&l", this);
    cancel_->setObjectName("cmdCancel");
    cancel_->setEnabled(false);
    optimum_ = new QPushButton("Use &Optimum", this);
    optimum_->setObjectName("cmdUseOptimum");
    optimum_->setEnabled(false);
    auto* done = new QPushButton("&Done", this);
    done->setObjectName("cmdDone");
    progress_ = new QProgressBar(this);
    progress_->setObjectName("prgSizing");
    progress_->setRange(0, 100);
    progress_->setValue(0);
    status_ = new QLabel(this);
    status_->setObjectName("lblStatus");
    status_->setWordWrap(true);
    settings->addWidget(calculate_, row, 0);
    settings->addWidget(cancel_, row++, 1);
    settings->addWidget(optimum_, row, 0);
    settings->addWidget(done, row++, 1);
    settings->addWidget(progress_, row++, 0, 1, 2);
    settings->addWidget(status_, row++, 0, 1, 2);
    settings->setRowStretch(row, 1);
    top->addLayout(settings);

    view_ = new SizingChartView(this);
    top->addWidget(view_, 1);
    panel_ = new SizingPanel(this);
    top->addWidget(panel_);

    connect(calculate_, &QPushButton::clicked, this, &SizingWindow::calculate);
    connect(cancel_, &QPushButton::clicked, this, &SizingWindow::cancel);
    connect(optimum_, &QPushButton::clicked, this, &SizingWindow::useOptimum);
    connect(done, &QPushButton::clicked, this, [this] {
        hide();
        if (returnToMain) returnToMain();
    });
    connect(view_, &SizingChartView::hovered, this, &SizingWindow::showPoint);
    connect(view_, &SizingChartView::clicked, this, &SizingWindow::setDesignPoint);
    connect(this, &SizingWindow::progressed, this, [this](int doneCount, int total) {
        progress_->setValue(total > 0 ? 100 * doneCount / total : 0);
    });
    connect(this, &SizingWindow::finished, this, &SizingWindow::calculationEnded, Qt::QueuedConnection);
}

SizingWindow::~SizingWindow() {
    cancel();
    waitForCalculation();
}

void SizingWindow::open() {
    fill();
    show();
    raise();
    activateWindow();
}

void SizingWindow::fill() {
    const SizingSettings s = effectiveSizingSettings(project_);
    const std::array<float, BoxCount> values = {
        s.wsMin,       s.wsMax,          static_cast<float>(s.wsCount),
        s.twMin,       s.twMax,          static_cast<float>(s.twCount),
        s.emptyA,      s.emptyC,         s.crewWeight,
        s.payloadKept, s.payloadReleased};
    for (int b = 0; b < BoxCount; ++b)
        form::showValue(boxes_[static_cast<std::size_t>(b)], values[static_cast<std::size_t>(b)]);
    const QSignalBlocker block(closure_);
    closure_->setChecked(s.closure);
    view_->setDesignPoint(project_.wingLoading, project_.thrustLoading);
}

void SizingWindow::store(int box) {
    SizingSettings s = effectiveSizingSettings(project_);
    const float v = static_cast<float>(form::numberIn(boxes_[static_cast<std::size_t>(box)]));
    auto count = [](float x) {
        return static_cast<int16_t>(std::clamp(std::round(x), 2.0f, static_cast<float>(kMaxSizingPoints)));
    };
    switch (box) {
    case WsMin:
        s.wsMin = v;
        break;
    case WsMax:
        s.wsMax = v;
        break;
    case WsCount:
        s.wsCount = count(v);
        break;
    case TwMin:
        s.twMin = v;
        break;
    case TwMax:
        s.twMax = v;
        break;
    case TwCount:
        s.twCount = count(v);
        break;
    case EmptyA:
        s.emptyA = v;
        break;
    case EmptyC:
        s.emptyC = v;
        break;
    case Crew:
        s.crewWeight = v;
        break;
    case PayloadKept:
        s.payloadKept = v;
        break;
    case PayloadReleased:
        s.payloadReleased = v;
        break;
    default:
        break;
    }
    s.stored = true;
    project_.sizing = s;
}

void SizingWindow::calculate() {
    if (worker_) return;
    // Typed boxes are stored first; a refused entry stops the calculation (its reason is shown).
    bool refused = false;
    for (QLineEdit* b : boxes_) {
        if (form::takeTypedNumber(b))
            store(static_cast<int>(std::find(boxes_.begin(), boxes_.end(), b) - boxes_.begin()));
        refused = refused || form::showsRefusal(b);
    }
    if (refused) return;
    const SizingSettings settings = effectiveSizingSettings(project_);
    const std::string problem = sizingSettingsProblem(settings);
    if (!problem.empty()) {
        status_->setText(form::qs(problem));
        return;
    }
    // The worker has its own copy: the project stays the user's while the chart is made.
    workProject_ = std::make_unique<ProjectData>(project_);
    cancelRequested_ = false;
    calculate_->setEnabled(false);
    cancel_->setEnabled(true);
    optimum_->setEnabled(false);
    progress_->setValue(0);
    status_->setText("Calculating ...");
    worker_ = std::make_unique<std::thread>([this, settings] {
        SizingRunOptions options;
        options.progress = [this](int done, int total) {
            emit progressed(done, total);
            return !cancelRequested_.load();
        };
        result_ = std::make_unique<SizingChart>(calculateSizingChart(*workProject_, settings, options));
        emit finished();
    });
}

void SizingWindow::cancel() {
    cancelRequested_ = true;
}

void SizingWindow::waitForCalculation() {
    if (worker_ && worker_->joinable()) worker_->join();
    if (worker_) calculationEnded();
}

void SizingWindow::calculationEnded() {
    if (!worker_) return;
    if (worker_->joinable()) worker_->join();
    worker_.reset();
    calculate_->setEnabled(true);
    cancel_->setEnabled(false);
    std::unique_ptr<SizingChart> result = std::move(result_);
    if (!result || result->cancelled) {
        status_->setText("Cancelled");
        progress_->setValue(0);
        return;
    }
    progress_->setValue(100);
    chart_ = std::move(*result);
    optimum_->setEnabled(chart_->optimum.has_value());
    std::size_t feasible = 0;
    for (const SizingCell& c : chart_->cells) feasible += c.feasible;
    status_->setText(chart_->optimum
                         ? QString("%1 of %2 grid points feasible").arg(feasible).arg(chart_->cells.size())
                         : QString("No feasible point in the grid"));
    view_->setChart(*workProject_, &*chart_);
    view_->setDesignPoint(project_.wingLoading, project_.thrustLoading);
    // The optimum with its own exact margins; without one, the aircraft's design point and why it fails.
    showPanel(chart_->optimum ? *chart_->optimum
                              : evaluateSizingPoint(*workProject_, chart_->settings, project_.wingLoading,
                                                    project_.thrustLoading));
}

void SizingWindow::showPoint(float ws, float tw) {
    if (!chart_) return;
    showPanel(readSizingChart(*chart_, ws, tw));
}

void SizingWindow::showPanel(const SizingPoint& p) {
    panel_->showPoint(p, project_.unitSystem == kSI);
}

void SizingWindow::resultsStale() {
    cancel();
    waitForCalculation();
    chart_.reset();
    optimum_->setEnabled(false);
    view_->setChart(project_, nullptr);
    panel_->clear();
    status_->clear();
    if (isVisible()) fill();
}

QString SizingWindow::panelText() const {
    return panel_->text();
}

void SizingWindow::setDesignPoint(float ws, float tw) {
    project_.wingLoading = ws;
    project_.thrustLoading = tw;
    deriveAircraftValues(project_);
    view_->setDesignPoint(ws, tw);
    if (designPointChanged) designPointChanged("Design Point");
}

void SizingWindow::showDesignPoint() {
    view_->setDesignPoint(project_.wingLoading, project_.thrustLoading);
}

void SizingWindow::useOptimum() {
    if (chart_ && chart_->optimum) setDesignPoint(chart_->optimum->ws, chart_->optimum->tw);
}

} // namespace vededa
