#include "ui/engine_model_window.h"

#include "output/number_format.h"

#include "ui/analysis_form.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vededa {

EngineModelWindow::EngineModelWindow(ProjectData& project, QWidget* parent)
    : QWidget(parent, Qt::Window), project_(project) {
    setObjectName("Form7");
    setWindowTitle("User Input Engine Model");
    for (int b = 1; b <= 9; ++b) {
        boxes_[b] = new QLineEdit(this);
        boxes_[b]->setObjectName(QString("Text%1").arg(b));
        boxes_[b]->setMaximumWidth(70);
        // Box 3 is the throttle ratio TR; the others are coefficients of the two models.
        const form::Quantity quantity{project_, b == 3 ? "tr" : "model-coefficient"};
        form::whenEdited(boxes_[b], this, quantity, [this, b] {
            valueOf(b) = static_cast<float>(form::numberIn(boxes_[b]));
            emit valueStored();
        });
    }
    auto text = [this](const QString& s) { return new QLabel(s, this); };
    auto small = [this](QLineEdit* box) {
        box->setMaximumWidth(50);
        return box;
    };

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text("Thrust lapse"));
    // α / δ0 = { A + B [ |θ0 - TR|^C ] } / θ0^D
    auto* thrust = new QGridLayout;
    thrust->addWidget(text("α / δ<sub>0</sub>  =  {"), 1, 0);
    thrust->addWidget(boxes_[1], 1, 1);
    thrust->addWidget(text("+"), 1, 2);
    thrust->addWidget(boxes_[2], 1, 3);
    thrust->addWidget(text("[ | θ<sub>0</sub> -"), 1, 4);
    thrust->addWidget(boxes_[3], 1, 5);
    thrust->addWidget(text("|"), 1, 6);
    thrust->addWidget(small(boxes_[4]), 0, 7);
    thrust->addWidget(text("]} / θ<sub>0</sub>"), 1, 8);
    thrust->addWidget(small(boxes_[5]), 0, 9);
    thrust->addWidget(text("A"), 2, 1, Qt::AlignHCenter);
    thrust->addWidget(text("B"), 2, 3, Qt::AlignHCenter);
    thrust->addWidget(text("TR"), 2, 5, Qt::AlignHCenter);
    thrust->addWidget(text("C"), 2, 7, Qt::AlignHCenter);
    thrust->addWidget(text("D"), 2, 9, Qt::AlignHCenter);
    layout->addLayout(thrust);

    layout->addWidget(text("TSCF = C sqr( θ )"));
    auto* tsfc = new QGridLayout;
    tsfc->addWidget(text("C ="), 1, 0);
    tsfc->addWidget(boxes_[6], 1, 1);
    tsfc->addWidget(text("+"), 1, 2);
    tsfc->addWidget(boxes_[7], 1, 3);
    tsfc->addWidget(text("( | M -"), 1, 4);
    tsfc->addWidget(boxes_[8], 1, 5);
    tsfc->addWidget(text("| )"), 1, 6);
    tsfc->addWidget(small(boxes_[9]), 0, 7);
    tsfc->addWidget(text("A"), 2, 1, Qt::AlignHCenter);
    tsfc->addWidget(text("B"), 2, 3, Qt::AlignHCenter);
    tsfc->addWidget(text("Mr"), 2, 5, Qt::AlignHCenter);
    tsfc->addWidget(text("n"), 2, 7, Qt::AlignHCenter);
    layout->addLayout(tsfc);

    auto* done = new QPushButton("Done", this);
    done->setObjectName("Command1");
    connect(done, &QPushButton::clicked, this, [this] {
        hide();
        if (parentWidget()) parentWidget()->activateWindow();
    });
    layout->addWidget(done, 0, Qt::AlignRight);
}

float& EngineModelWindow::valueOf(int box) {
    // Boxes in screen order: thrust A, B, TR, C, D; TSFC A, B, Mr, n. The TSFC coefficients are
    // stored as A, B, n, Mr.
    switch (box) {
    case 1:
        return project_.userThrust[1];
    case 2:
        return project_.userThrust[2];
    case 3:
        return project_.throttleRatio;
    case 4:
        return project_.userThrust[3];
    case 5:
        return project_.userThrust[4];
    case 6:
        return project_.userTsfc[1];
    case 7:
        return project_.userTsfc[2];
    case 8:
        return project_.userTsfc[4];
    default:
        return project_.userTsfc[3];
    }
}

void EngineModelWindow::open() {
    for (int b = 1; b <= 9; ++b) form::showValue(boxes_[b], valueOf(b));
    show();
    raise();
    activateWindow();
}

} // namespace vededa
