#pragma once

#include "engine/engine_design.h"

#include <QDialog>

#include <string>
#include <vector>

class QLabel;
class QTableWidget;

namespace vededa {

class UserDialogs;

/// The "Design..." dialog of the engine data window: the values of a design file in a table of every
/// design key, opened from and saved to design files, and the command that computes the reference
/// engine with the on-design generator and writes its reference file (the same file the command-line
/// `design-engine` writes), offering to read it at once.
class EngineDesignDialog : public QDialog {
    Q_OBJECT
  public:
    explicit EngineDesignDialog(UserDialogs& dialogs, QWidget* parent = nullptr);

    /// Fills the table from a design file's text; keys the table does not list get rows of their own.
    void setDesignText(const std::string& text);
    /// The design file text of the table.
    std::string designText() const;

    /// The value text of `key` ("" when empty or not listed); `setValue` types one.
    std::string value(const std::string& key) const;
    void setValue(const std::string& key, const std::string& text);

    /// "Open Design File...", "Save Design File...", "Write Reference File...".
    void openDesignCommand();
    void saveDesignCommand();
    void writeReferenceCommand();

  signals:
    /// The user wants the reference file just written read into the project.
    void readRequested(const QString& path);

  private:
    UserDialogs& dialogs_;
    QTableWidget* table_ = nullptr;
    QLabel* fileCaption_ = nullptr;

    int rowOf(const std::string& key) const;
    int addRow(const std::string& key, const std::string& meaning);
    std::vector<DesignValue> values() const;
};

} // namespace vededa
