#pragma once

#include "app/project_data.h"

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <memory>
#include <string>

namespace vededa {

/// The project as a document: it knows whether the project differs from its file, and keeps every
/// change the user makes, from any window, as one undoable command.
///
/// The windows store what the user typed or chose straight into the project. The document notices a
/// change at the next checkpoint: after each mouse click, key or focus change of the application it
/// compares the project's inputs with those of the last checkpoint and, when they differ, pushes a
/// command holding the inputs before and after. The project is a few kilobytes, so whole copies are
/// cheap, and no edit can escape undo by a window forgetting to report it.
class ProjectDocument : public QObject {
    Q_OBJECT
  public:
    /// Levels of undo kept.
    static constexpr int kUndoLimit = 200;

    explicit ProjectDocument(ProjectData& project, QObject* parent = nullptr);
    ~ProjectDocument() override;

    QUndoStack& undoStack() { return stack_; }

    /// True when the project's saved text differs from the text of the last save or open.
    bool isModified() const { return modified_; }

    /// The project now matches its file (after a save): the modified mark goes, undo history stays.
    void markSaved();
    /// A project was opened: it matches its file and the undo history starts anew.
    void resetHistory();

    /// Pushes one command when the inputs differ from the last checkpoint; true when one was pushed.
    /// `label` names it in the Edit menu ("Undo LABEL").
    bool checkpoint(const QString& label = QString());

    /// The name the questions use: the file name of the project, or "Untitled".
    std::string displayName() const;

    /// Puts `inputs` into the project as an undo or redo does (results become stale).
    void apply(const ProjectData& inputs);

  signals:
    /// The modified state changed.
    void modifiedChanged(bool modified);
    /// Undo or redo put other inputs into the project: the windows show them again.
    void restored();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    ProjectData& project_;
    std::shared_ptr<const ProjectData> baseline_;
    std::string baselineFingerprint_;
    std::string savedText_;
    QUndoStack stack_;
    bool modified_ = false;
    bool checkpointQueued_ = false;

    void rebase();
    void updateModified();
    void queueCheckpoint();
};

/// Keeps a calculation from changing the user's inputs: the inputs are copied when the scope starts and
/// put back when it ends, so working values a calculation leaves in the project (the engine's operating
/// condition, the afterburner flag of the engine models) never reach the file, the windows or undo. The
/// results stay.
class CalculationScope {
  public:
    explicit CalculationScope(ProjectData& project);
    ~CalculationScope();
    CalculationScope(const CalculationScope&) = delete;
    CalculationScope& operator=(const CalculationScope&) = delete;

  private:
    ProjectData& project_;
    std::unique_ptr<ProjectData> inputs_;
};

} // namespace vededa
