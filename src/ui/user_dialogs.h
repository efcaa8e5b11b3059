#pragma once

#include <optional>
#include <string>

class QPrinter;
class QWidget;

namespace vededa {

/// The answer to "Save changes to NAME?".
enum class SaveChoice { Save, Discard, Cancel };

/// The icon of a message box.
enum class MessageIcon { None, Information, Warning, Question, Critical };

/// Every message box, input box and file dialog of the program goes through this interface, so the
/// windows never open a modal dialog themselves and tests can script the answers.
class UserDialogs {
  public:
    virtual ~UserDialogs() = default;

    /// A message with an OK button.
    virtual void message(const std::string& title, const std::string& text, MessageIcon icon) = 0;

    /// A Yes/No question; true on Yes. `defaultNo` makes No the default button.
    virtual bool ask(const std::string& title, const std::string& text, bool defaultNo) = 0;

    /// An input box; the typed text, or nothing when the user cancelled.
    virtual std::optional<std::string> input(const std::string& title, const std::string& prompt,
                                             const std::string& initial) = 0;

    /// The file-open dialog with an empty file name; `filter` is in the "Description|*.EXT|..." form.
    /// Returns the chosen path, or "" when cancelled.
    virtual std::string openFile(const std::string& title, const std::string& filter) = 0;

    /// The file-save dialog, proposing the file name `proposed` (empty: no name); "" when cancelled.
    /// The dialog itself neither adds an extension nor asks before replacing a file: `chooseSaveFile`
    /// does both.
    virtual std::string saveFile(const std::string& title, const std::string& filter,
                                 const std::string& proposed = {}) = 0;

    /// A question with the buttons Save, Discard and Cancel (Save the default).
    virtual SaveChoice askSaveChanges(const std::string& title, const std::string& text) = 0;

    /// The printer-setup dialog on `printer`; true when the user accepted.
    virtual bool printerSetup(QPrinter& printer) = 0;
};

/// The real dialogs of the desktop.
class QtUserDialogs : public UserDialogs {
  public:
    explicit QtUserDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    void message(const std::string& title, const std::string& text, MessageIcon icon) override;
    bool ask(const std::string& title, const std::string& text, bool defaultNo) override;
    std::optional<std::string> input(const std::string& title, const std::string& prompt,
                                     const std::string& initial) override;
    std::string openFile(const std::string& title, const std::string& filter) override;
    std::string saveFile(const std::string& title, const std::string& filter,
                         const std::string& proposed = {}) override;
    SaveChoice askSaveChanges(const std::string& title, const std::string& text) override;
    bool printerSetup(QPrinter& printer) override;

  private:
    QWidget* parent_;
    /// The window the user works in: the active window, else the one given at construction.
    QWidget* owner() const;
};

/// `path` with the extension of the filter's first pattern ("*.RUZ" gives ".RUZ") when its file name has
/// none; a name that has one is kept as typed.
std::string withDefaultExtension(const std::string& path, const std::string& filter);

/// The save dialog with the whole of saving's questions: the filter's extension is added to a name typed
/// without one, and an existing file is replaced only when the user says so (answering No shows the
/// dialog again). "" when cancelled.
std::string chooseSaveFile(UserDialogs& dialogs, const std::string& title, const std::string& filter,
                           const std::string& proposed = {});

/// Turns a "Description (*.EXT)|*.EXT|..." filter into the Qt form "Description (*.EXT);;..." (the
/// file dialog matches names without regard to case; "*.*" becomes "*").
std::string qtFileFilter(const std::string& filter);

} // namespace vededa
