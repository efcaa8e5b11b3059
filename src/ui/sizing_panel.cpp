#include "ui/sizing_panel.h"

#include "output/number_format.h"
#include "ui/analysis_form.h"

#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace vededa {

namespace {

/// Characters the panel keeps in view at the least: a margin line with its "short".
constexpr int kNarrowColumns = 20;

/// A value in a 7-character field with `decimals` decimals; negative values keep their sign.
std::string fixed(float v, int decimals) {
    if (v >= 0.0f) return FormatField(v, static_cast<int16_t>(decimals));
    std::string t = formatPattern(v, decimals == 2 ? "0.00" : "0.0000");
    return std::string(t.size() < 7 ? 7 - t.size() : 0, ' ') + t;
}

} // namespace

std::string sizingPanelText(const SizingPoint& p, bool si) {
    std::string t;
    t += "W/S  = " + fixed(p.ws, 2) + (si ? " Pa" : " psf") + "\n";
    t += "T/W  = " + fixed(p.tw, 4) + "\n\n";
    t += "Margins (T/W; landing W/S)\n";
    bool meets = true;
    for (const SizingMargin& m : p.margins) {
        t += " " + FormatField(static_cast<float>(m.number), 0) + "  ";
        t += m.value ? fixed(*m.value, m.landing ? 2 : 4) : std::string("   none");
        if (m.value && *m.value < 0.0f) t += "  short";
        meets = meets && m.value && *m.value >= 0.0f;
        t += "\n";
    }
    if (!p.missionComputed) {
        t += "\nMission flown on release\n";
        t += meets ? "Meets the constraints\n" : "Misses a constraint\n";
        return t;
    }
    t += "\nFuel fraction = " + (p.flown ? fixed(p.fuelFraction, 4) : std::string("  failed")) + "\n";
    t += "W_TO = " + fixed(p.wto, 0) + (si ? " N" : " lb") + "\n";
    t += p.feasible ? "Feasible\n" : "Not feasible\n";
    if (!p.failure.empty()) t += p.failure + "\n";
    return t;
}

SizingPanel::SizingPanel(QWidget* parent) : QWidget(parent) {
    setObjectName("pnlSizing");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    view_ = form::reportView(this, "txtPanel", 30, 20);
    // Beside a plot on a small screen it may narrow to the width of its numbers; it scrolls for the rest.
    view_->setMinimumWidth(QFontMetrics(view_->font()).horizontalAdvance(QString(kNarrowColumns, 'M')) +
                           2 * view_->frameWidth());
    layout->addWidget(view_);
}

void SizingPanel::showPoint(const SizingPoint& point, bool si) {
    view_->setPlainText(form::qs(sizingPanelText(point, si)));
}

void SizingPanel::clear() {
    view_->clear();
}

QString SizingPanel::text() const {
    return view_->toPlainText();
}

} // namespace vededa
