#include "ui/engine_data_window.h"

#include "app/units.h"

#include "ui/analysis_form.h"

#include "output/number_format.h"
#include "ui/engine_design_dialog.h"
#include "ui/user_dialogs.h"

#include <QButtonGroup>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

namespace vededa {

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

/// The open dialog's filter for reference engine files.
const char* const kReferenceFilter =
    "Ridor Reference Data Files (*.REF)|*.REF|Data Files (*.DAT)|*.DAT|Any Files (*.*)|*.*";

struct FieldSpec {
    EngineDataField id;
    const char* caption;
    const char* quantity; ///< the key of the field's quantity in the range table
};

/// The input fields in designer order (Text1..Text12) with their captions.
constexpr std::array<FieldSpec, 12> kFieldSpecs{{
    {EngineDataField::EngineCount, "Number of Engines", "engines"},
    {EngineDataField::MaxCompressorRatio, "Max Compressor Pressure Ratio", "cpr-max"},
    {EngineDataField::MaxPt3, "Max Pressure at Station 3 ", "pt3-max"},
    {EngineDataField::MaxTt3, "Max Temperature at Station 3 ", "tt3-max"},
    {EngineDataField::MaxLowSpoolSpeed, "Max % Ref RPM - LP Spool", "nl-max"},
    {EngineDataField::MaxHighSpoolSpeed, "Max % Ref RPM - HP Spool", "nh-max"},
    {EngineDataField::MaxTt4, "Max Temperature at Station 4 ", "tt4"},
    {EngineDataField::MaxTt7, "Max Temperature at Station 7", "tt7"},
    {EngineDataField::ConstantLoss, "Constant Loss for Each Leg  = ", "loss"},
    {EngineDataField::InletCaptureArea, "Inlet Capture Area   -  A1 ", "a1"},
    {EngineDataField::AfterbodyArea, "Afterbody Area        -  A10 ", "a10"},
    {EngineDataField::AfterbodyLength, "Afterbody Length    -  L ", "length"},
}};

bool afterburning(int16_t type) {
    return type == 2 || type == 5;
}

} // namespace

EngineDataWindow::EngineDataWindow(ProjectData& project, UserDialogs& dialogs, WindowHooks& hooks,
                                   QWidget* parent)
    : QWidget(parent, Qt::Window), project_(project), dialogs_(dialogs), hooks_(hooks) {
    setObjectName("Form11");
    setWindowTitle("Engine Data");

    auto* read = new QPushButton("Read Ridor Refr Data File", this);
    read->setObjectName("Command1");
    connect(read, &QPushButton::clicked, this, &EngineDataWindow::readCommand);
    auto* design = new QPushButton("Design...", this);
    design->setObjectName("cmdDesign");
    design->setToolTip("Make a reference engine file from a design");
    connect(design, &QPushButton::clicked, this, &EngineDataWindow::designCommand);
    componentButton_ = new QPushButton("Component  Interfaces", this);
    componentButton_->setObjectName("Command3");
    connect(componentButton_, &QPushButton::clicked, this, [this] {
        if (!hooks_.showComponentInterfacesWindow) return;
        hide();
        hooks_.showComponentInterfacesWindow();
    });
    auto* done = new QPushButton("Done", this);
    done->setObjectName("Command2");
    connect(done, &QPushButton::clicked, this, &QWidget::hide);

    fileCaption_ = new QLabel("Engine File: ", this);
    fileCaption_->setObjectName("lblFile");
    fileCaption_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    typeCaption_ = new QLabel(this);
    typeCaption_->setObjectName("lblType");
    scaleCaption_ = new QLabel(this);
    scaleCaption_->setObjectName("lblThrustScale");

    listing_ = form::reportView(this, "txtListing", 56, 36);

    // The limits and the loss model.
    auto* limits = new QGridLayout;
    for (std::size_t i = 0; i < kFieldSpecs.size(); ++i) {
        Field& f = fields_[i];
        f.id = kFieldSpecs[i].id;
        f.box = new QLineEdit(this);
        f.box->setObjectName(QString("Text%1").arg(i + 1));
        f.box->setFixedWidth(80);
        f.caption = new QLabel(kFieldSpecs[i].caption, this);
        f.caption->setObjectName(QString("lblField%1").arg(i + 1));
        f.unit = new QLabel(this);
        f.unit->setObjectName(QString("lblUnit%1").arg(i + 1));
        form::whenEdited(f.box, this, form::Quantity{project_, kFieldSpecs[i].quantity}, [this, &f] {
            commitEngineDataField(project_.engine, f.id, f.box->text().toStdString());
            form::showValue(f.box, engineDataFieldValue(project_.engine, f.id));
        });
    }
    int row = 0;
    for (std::size_t i = 0; i < 8; ++i, ++row) {
        limits->addWidget(fields_[i].caption, row, 0);
        limits->addWidget(fields_[i].box, row, 1);
        limits->addWidget(fields_[i].unit, row, 2);
    }

    auto* lossFrame = new QGroupBox("Installation Loss Model", this);
    lossFrame->setObjectName("Frame1");
    auto* lossLayout = new QGridLayout(lossFrame);
    const char* optionTexts[3] = {"Constant Loss for Each Leg", "Different Loss for Each Leg (N/A)",
                                  "Loss Model of Chapter 6"};
    auto* group = new QButtonGroup(this);
    for (int k = 0; k < 3; ++k) {
        lossOptions_[k] = new QRadioButton(optionTexts[k], lossFrame);
        lossOptions_[k]->setObjectName(QString("Option%1").arg(k + 1));
        group->addButton(lossOptions_[k], k + 1);
    }
    connect(group, &QButtonGroup::idClicked, this, &EngineDataWindow::lossOptionChosen);
    int lrow = 0;
    lossLayout->addWidget(lossOptions_[0], lrow++, 0, 1, 3);
    for (std::size_t i = 8; i < 9; ++i, ++lrow) {
        lossLayout->addWidget(fields_[i].caption, lrow, 0);
        lossLayout->addWidget(fields_[i].box, lrow, 1);
        lossLayout->addWidget(fields_[i].unit, lrow, 2);
    }
    lossLayout->addWidget(lossOptions_[1], lrow++, 0, 1, 3);
    lossLayout->addWidget(lossOptions_[2], lrow++, 0, 1, 3);
    for (std::size_t i = 9; i < 12; ++i, ++lrow) {
        lossLayout->addWidget(fields_[i].caption, lrow, 0);
        lossLayout->addWidget(fields_[i].box, lrow, 1);
        lossLayout->addWidget(fields_[i].unit, lrow, 2);
    }

    auto* right = new QVBoxLayout;
    right->addWidget(typeCaption_);
    right->addWidget(scaleCaption_);
    right->addLayout(limits);
    right->addWidget(lossFrame);
    right->addStretch(1);
    auto* buttons = new QGridLayout;
    buttons->addWidget(read, 0, 0);
    buttons->addWidget(design, 0, 1);
    buttons->addWidget(componentButton_, 1, 0);
    buttons->addWidget(done, 1, 1);
    right->addLayout(buttons);

    auto* left = new QVBoxLayout;
    left->addWidget(fileCaption_);
    left->addWidget(listing_, 1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right);
}

EngineDataWindow::Field& EngineDataWindow::field(EngineDataField id) {
    for (Field& f : fields_)
        if (f.id == id) return f;
    return fields_[0];
}

void EngineDataWindow::fillFields() {
    for (Field& f : fields_) {
        form::showValue(f.box, engineDataFieldValue(project_.engine, f.id));
        f.box->setCursorPosition(0);
    }
}

void EngineDataWindow::showTypeDependentFields() {
    const int16_t type = project_.engine.setup[kSetupEngineType];
    typeCaption_->setText(qs(engineTypeName(type)));
    Field& tt7 = field(EngineDataField::MaxTt7);
    tt7.box->setVisible(afterburning(type));
    tt7.caption->setVisible(afterburning(type));
    tt7.unit->setVisible(afterburning(type));
}

void EngineDataWindow::showLossModel() {
    const int16_t model = project_.engine.setup[kSetupLossModel];
    if (model == 1 || model == 3) lossOptions_[model - 1]->setChecked(true);
    // Only the fields of the chosen model can be edited; the unused option enables nothing.
    field(EngineDataField::ConstantLoss).box->setEnabled(model == 1);
    for (EngineDataField id : {EngineDataField::InletCaptureArea, EngineDataField::AfterbodyArea,
                               EngineDataField::AfterbodyLength})
        field(id).box->setEnabled(model == 3);
}

void EngineDataWindow::lossOptionChosen(int option) {
    chooseLossModel(project_.engine, static_cast<int16_t>(option));
    // "Different Loss for Each Leg" changes nothing, so the options go back to the stored model.
    showLossModel();
}

void EngineDataWindow::setUnitCaptions() {
    const WindowUnitLabels& u = project_.labels.window;
    field(EngineDataField::MaxPt3).unit->setText(qs(u.pressureLimit));
    field(EngineDataField::MaxTt3).unit->setText(qs(u.temperature));
    field(EngineDataField::MaxLowSpoolSpeed).unit->setText("%");
    field(EngineDataField::MaxHighSpoolSpeed).unit->setText("%");
    field(EngineDataField::MaxTt4).unit->setText(qs(u.temperature));
    field(EngineDataField::MaxTt7).unit->setText(qs(u.temperature));
    field(EngineDataField::InletCaptureArea).unit->setText(qs(u.area));
    field(EngineDataField::AfterbodyArea).unit->setText(qs(u.area));
    field(EngineDataField::AfterbodyLength).unit->setText(qs(u.length));
}

void EngineDataWindow::appendListing(const std::string& text) {
    QString t = qs(text);
    t.replace("\r\n", "\n");
    QTextCursor end = listing_->textCursor();
    end.movePosition(QTextCursor::End);
    // The appended listing is shown from its first line (the plain text scrolls by lines).
    const int firstLine = listing_->document()->isEmpty() ? 0 : end.blockNumber();
    end.insertText(t);
    listing_->setTextCursor(end);
    listing_->verticalScrollBar()->setValue(firstLine);
}

void EngineDataWindow::activate() {
    setUnitCaptions();
    fillFields();
    scaleCaption_->setText(qs("Thrust Scale Factor = " + plainText(project_.engine.thrustScale)));
    showTypeDependentFields();
    showLossModel();
    const bool deck = project_.thrustModel == 7;
    componentButton_->setVisible(deck);
    componentButton_->setEnabled(static_cast<bool>(hooks_.showComponentInterfacesWindow));
    listing_->clear();
    if (deck) {
        appendListing(
            referenceListing(project_.engine, project_.unitSystem == kSI, ListingLabels::Activation));
        listing_->moveCursor(QTextCursor::Start);
        fileCaption_->setText(qs("Engine File: " + project_.engine.fileName));
    }
}

void EngineDataWindow::open() {
    activate();
    show();
    raise();
    activateWindow();
}

void EngineDataWindow::readCommand() {
    const std::string path = dialogs_.openFile("Open", kReferenceFilter);
    if (path.empty()) return;
    readFile(path);
}

bool EngineDataWindow::readFile(const std::string& path) {
    const ReferenceReadResult result = ReadReferenceFile(project_, path);
    if (!result) {
        dialogs_.message(result.title, result.message + (result.detail.empty() ? "" : "\n\n" + result.detail),
                         MessageIcon::Warning);
        return false;
    }
    // The listing shows the file as read, in its own units; the project holds the engine in its own.
    adoptProjectUnits(project_);
    // The listing is that of the engine just read, never one above another.
    listing_->clear();
    appendListing(result.listing);
    fileCaption_->setText(qs("Engine File: " + path));
    showTypeDependentFields();
    fillFields();
    componentButton_->setVisible(true);
    componentButton_->setEnabled(static_cast<bool>(hooks_.showComponentInterfacesWindow));
    if (hooks_.referenceEngineRead) hooks_.referenceEngineRead();
    emit referenceRead();
    return true;
}

void EngineDataWindow::designCommand() {
    if (!designDialog_) {
        designDialog_ = new EngineDesignDialog(dialogs_, this);
        connect(designDialog_, &EngineDesignDialog::readRequested, this,
                [this](const QString& path) { readFile(path.toStdString()); });
    }
    designDialog_->show();
    designDialog_->raise();
    designDialog_->activateWindow();
}

} // namespace vededa
