#include "ui/engine_design_dialog.h"

#include "output/number_format.h"
#include "ui/user_dialogs.h"
#include "ui/window_hooks.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace vededa {

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

const char* const kDesignFilter = "Engine Design Files (*.design)|*.design|Any Files (*.*)|*.*";
const char* const kReferenceFilter = "Ridor Reference Data Files (*.REF)|*.REF|Any Files (*.*)|*.*";
const char* const kDesignTitle = "Design Reference Engine";

enum Column { KeyColumn, ValueColumn, MeaningColumn };

/// The design reader names lines of the text built from the table, one line per filled value; the
/// table has no line numbers, so the message names the key of that line instead ("line 0" is the
/// design as a whole).
std::string tableMessage(const std::string& message, const std::vector<DesignValue>& values) {
    if (message.rfind("line ", 0) != 0) return message;
    const std::size_t colon = message.find(": ");
    if (colon == std::string::npos) return message;
    const int line = std::atoi(message.c_str() + 5);
    const std::string rest = message.substr(colon + 2);
    int n = 0;
    for (const DesignValue& v : values) {
        if (v.value.empty()) continue;
        if (++n == line) return v.key + ": " + rest;
    }
    return rest;
}

/// The words a key of a fixed set takes ("gas": constant, variable), or none.
QStringList wordsOf(const QString& key) {
    for (const DesignKey& k : designKeys())
        if (key.compare(QString::fromUtf8(k.key), Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(k.words).split('|', Qt::SkipEmptyParts);
    return {};
}

/// Edits a value: a list of its words for a key of a fixed set (still editable, so that anything typed is
/// kept and the reader says what is wrong with it), a plain line for the others.
class DesignValueDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        const QStringList words = wordsOf(index.siblingAtColumn(KeyColumn).data().toString());
        if (words.isEmpty()) return QStyledItemDelegate::createEditor(parent, option, index);
        auto* box = new QComboBox(parent);
        box->setObjectName("cboDesignValue");
        box->setEditable(true);
        box->addItem(QString()); // empty: the default
        box->addItems(words);
        return box;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        if (auto* box = qobject_cast<QComboBox*>(editor))
            box->setCurrentText(index.data().toString());
        else
            QStyledItemDelegate::setEditorData(editor, index);
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        if (auto* box = qobject_cast<QComboBox*>(editor))
            model->setData(index, box->currentText().trimmed());
        else
            QStyledItemDelegate::setModelData(editor, model, index);
    }
};

} // namespace

EngineDesignDialog::EngineDesignDialog(UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs) {
    setObjectName("frmEngineDesign");
    setWindowTitle(kDesignTitle);
    setModal(false);

    fileCaption_ = new QLabel("Design File: ", this);
    fileCaption_->setObjectName("lblDesignFile");

    table_ = new QTableWidget(0, 3, this);
    table_->setObjectName("tblDesign");
    table_->setHorizontalHeaderLabels({"Key", "Value", "Meaning"});
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 8);
    table_->setWordWrap(false);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setItemDelegateForColumn(ValueColumn, new DesignValueDelegate(table_));
    for (const DesignKey& k : designKeys()) addRow(k.key, k.meaning);
    table_->resizeColumnToContents(KeyColumn);
    table_->setColumnWidth(ValueColumn, 90);

    auto button = [this](const char* text, const char* name) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* open = button("Open Design File...", "cmdOpenDesign");
    QPushButton* save = button("Save Design File...", "cmdSaveDesign");
    QPushButton* write = button("Write Reference File...", "cmdWriteReference");
    QPushButton* close = button("Close", "cmdClose");
    connect(open, &QPushButton::clicked, this, &EngineDesignDialog::openDesignCommand);
    connect(save, &QPushButton::clicked, this, &EngineDesignDialog::saveDesignCommand);
    connect(write, &QPushButton::clicked, this, &EngineDesignDialog::writeReferenceCommand);
    connect(close, &QPushButton::clicked, this, &QDialog::hide);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(open);
    buttons->addWidget(save);
    buttons->addStretch(1);
    buttons->addWidget(write);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Values left empty take their defaults; sizes need mdot or thrust.", this));
    layout->addWidget(fileCaption_);
    layout->addWidget(table_, 1);
    layout->addLayout(buttons);
    resize(760, 620);
}

int EngineDesignDialog::addRow(const std::string& key, const std::string& meaning) {
    const int row = table_->rowCount();
    table_->insertRow(row);
    auto* k = new QTableWidgetItem(qs(key));
    k->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    auto* m = new QTableWidgetItem(qs(meaning));
    m->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    m->setToolTip(qs(meaning));
    table_->setItem(row, KeyColumn, k);
    table_->setItem(row, ValueColumn, new QTableWidgetItem());
    table_->setItem(row, MeaningColumn, m);
    return row;
}

int EngineDesignDialog::rowOf(const std::string& key) const {
    const QString k = qs(key);
    for (int r = 0; r < table_->rowCount(); ++r)
        if (table_->item(r, KeyColumn)->text().compare(k, Qt::CaseInsensitive) == 0) return r;
    return -1;
}

std::string EngineDesignDialog::value(const std::string& key) const {
    const int r = rowOf(key);
    return r < 0 ? std::string() : table_->item(r, ValueColumn)->text().trimmed().toStdString();
}

void EngineDesignDialog::setValue(const std::string& key, const std::string& text) {
    int r = rowOf(key);
    if (r < 0) r = addRow(key, "(not a design key)");
    table_->item(r, ValueColumn)->setText(qs(text));
}

std::vector<DesignValue> EngineDesignDialog::values() const {
    std::vector<DesignValue> out;
    for (int r = 0; r < table_->rowCount(); ++r)
        out.push_back({table_->item(r, KeyColumn)->text().toStdString(),
                       table_->item(r, ValueColumn)->text().trimmed().toStdString()});
    return out;
}

void EngineDesignDialog::setDesignText(const std::string& text) {
    // Rows that a previous design added for unknown keys go; the listed keys start empty.
    for (int r = table_->rowCount() - 1; r >= static_cast<int>(designKeys().size()); --r)
        table_->removeRow(r);
    for (int r = 0; r < table_->rowCount(); ++r) table_->item(r, ValueColumn)->setText("");
    for (const DesignValue& v : designFileValues(text)) setValue(v.key, v.value);
}

std::string EngineDesignDialog::designText() const {
    return designFileText(values());
}

void EngineDesignDialog::openDesignCommand() {
    const std::string path = dialogs_.openFile("Open Design File", kDesignFilter);
    if (path.empty()) return;
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    if (in) text << in.rdbuf();
    if (!in || in.bad()) {
        dialogs_.message(kDesignTitle, "Cannot read the design file " + path, MessageIcon::Warning);
        return;
    }
    setDesignText(text.str());
    fileCaption_->setText(qs("Design File: " + path));
}

void EngineDesignDialog::saveDesignCommand() {
    const std::string path = chooseSaveFile(dialogs_, "Save Design File", kDesignFilter);
    if (path.empty()) return;
    const std::string error = writeFileSafely(path, designText());
    if (!error.empty()) {
        dialogs_.message(kDesignTitle, "Cannot save the design: " + error, MessageIcon::Warning);
        return;
    }
    fileCaption_->setText(qs("Design File: " + path));
}

void EngineDesignDialog::writeReferenceCommand() {
    const std::vector<DesignValue> filled = values();
    const DesignReadResult read = readEngineDesign(designFileText(filled));
    if (!read.ok) {
        dialogs_.message(kDesignTitle, "The design is not complete: " + tableMessage(read.message, filled),
                         MessageIcon::Warning);
        return;
    }
    const DesignResult design = designEngine(read.design);
    if (!design.ok) {
        dialogs_.message(kDesignTitle, "The design is refused: " + design.message, MessageIcon::Warning);
        return;
    }
    const std::string path = chooseSaveFile(dialogs_, "Save Reference File", kReferenceFilter);
    if (path.empty()) return;
    const std::string error = writeFileSafely(path, referenceFileText(design.engine));
    if (!error.empty()) {
        dialogs_.message(kDesignTitle, "Cannot write the reference file: " + error, MessageIcon::Warning);
        return;
    }
    const auto& r = design.engine.reference;
    const bool si = design.engine.units != 1;
    const std::string summary = "Reference file " + path + " written.\n\nThrust = " + plainText(r[27]) +
                                (si ? " N" : " lbf") + ", air flow = " + plainText(r[25]) +
                                (si ? " kg/s" : " lbm/s") + ", S = " + plainText(r[23]) +
                                ", bypass ratio = " + plainText(r[19]) + ".\n\nRead it into the project now?";
    if (dialogs_.ask(kDesignTitle, summary, false)) {
        hide();
        emit readRequested(qs(path));
    }
}

} // namespace vededa
