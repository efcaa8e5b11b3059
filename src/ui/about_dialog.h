#pragma once

#include <QDialog>
#include <QString>

namespace vededa {

/// The About box's text (rich text): the program and its version with the source revision of the build
/// (the application version the program sets, else the bare version), the Qt it was built with and runs
/// on, and the libraries it uses with their licenses.
QString aboutText();

/// Help > About: the program's icon and `aboutText()`, with "About Qt" and "OK".
class AboutDialog : public QDialog {
    Q_OBJECT
  public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

} // namespace vededa
