#pragma once

#include "ui/user_dialogs.h"

#include <QDir>
#include <QWidget>

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace vededa::test {

/// Dialogs with scripted answers; every box shown is logged. When a script runs out, questions are
/// answered No, input boxes and file dialogs are cancelled, so no test can wait on a dialog.
class ScriptedDialogs : public UserDialogs {
  public:
    struct Shown {
        std::string kind, title, text;
    };
    std::deque<bool> answers;
    std::deque<std::optional<std::string>> inputs;
    std::deque<std::string> files;
    /// Answers to "Save changes to NAME?"; Cancel when the script has run out.
    std::deque<SaveChoice> saveChoices;
    /// The file names the save dialogs proposed, in order.
    std::vector<std::string> proposed;
    std::vector<Shown> shown;

    void message(const std::string& title, const std::string& text, MessageIcon) override {
        shown.push_back({"message", title, text});
    }
    bool ask(const std::string& title, const std::string& text, bool) override {
        shown.push_back({"ask", title, text});
        return take(answers, false);
    }
    std::optional<std::string> input(const std::string& title, const std::string& prompt,
                                     const std::string& initial) override {
        shown.push_back({"input", title, prompt + "|" + initial});
        return take(inputs, std::optional<std::string>());
    }
    std::string openFile(const std::string& title, const std::string& filter) override {
        shown.push_back({"open", title, filter});
        return take(files, std::string());
    }
    std::string saveFile(const std::string& title, const std::string& filter,
                         const std::string& proposedName = {}) override {
        shown.push_back({"save", title, filter});
        proposed.push_back(proposedName);
        return take(files, std::string());
    }
    SaveChoice askSaveChanges(const std::string& title, const std::string& text) override {
        shown.push_back({"saveChanges", title, text});
        return take(saveChoices, SaveChoice::Cancel);
    }
    bool printerSetup(QPrinter&) override {
        shown.push_back({"printer", "", ""});
        return false;
    }

    /// The texts of the boxes of one kind, in order.
    std::vector<std::string> texts(const std::string& kind) const {
        std::vector<std::string> out;
        for (const Shown& s : shown)
            if (s.kind == kind) out.push_back(s.text);
        return out;
    }

  private:
    template <typename T> static T take(std::deque<T>& q, T otherwise) {
        if (q.empty()) return otherwise;
        T v = q.front();
        q.pop_front();
        return v;
    }
};

/// Saves a picture of `window` as NAME.png in the folder named by VEDEDA_SHOT_DIR, when it is set, so
/// the windows can be looked at after a test run.
inline void saveShot(QWidget& window, const char* name) {
    const QString dir = qEnvironmentVariable("VEDEDA_SHOT_DIR");
    if (!dir.isEmpty()) window.grab().save(QDir(dir).filePath(QString(name) + ".png"));
}

} // namespace vededa::test
