#include "ui/project_document.h"

#include "app/project_history.h"

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QTimer>
#include <QUndoCommand>
#include <QWidget>

namespace vededa {

namespace {

/// One change of the project: the inputs before and after it.
class ProjectChange : public QUndoCommand {
  public:
    ProjectChange(ProjectDocument& document, std::shared_ptr<const ProjectData> before,
                  std::shared_ptr<const ProjectData> after, const QString& label)
        : QUndoCommand(label), document_(document), before_(std::move(before)), after_(std::move(after)) {}

    void undo() override { document_.apply(*before_); }
    void redo() override {
        // The change is already in the project when the command is pushed.
        if (first_) {
            first_ = false;
            return;
        }
        document_.apply(*after_);
    }

  private:
    ProjectDocument& document_;
    std::shared_ptr<const ProjectData> before_, after_;
    bool first_ = true;
};

} // namespace

ProjectDocument::ProjectDocument(ProjectData& project, QObject* parent) : QObject(parent), project_(project) {
    stack_.setUndoLimit(kUndoLimit);
    rebase();
    savedText_ = savedProjectText(project_);
    if (qApp) qApp->installEventFilter(this);
}

ProjectDocument::~ProjectDocument() {
    if (qApp) qApp->removeEventFilter(this);
}

void ProjectDocument::rebase() {
    baseline_ = std::make_shared<const ProjectData>(project_);
    baselineFingerprint_ = inputFingerprint(project_);
}

void ProjectDocument::updateModified() {
    const bool modified = savedProjectText(project_) != savedText_;
    if (modified == modified_) return;
    modified_ = modified;
    emit modifiedChanged(modified_);
}

void ProjectDocument::markSaved() {
    rebase();
    savedText_ = savedProjectText(project_);
    updateModified();
}

void ProjectDocument::resetHistory() {
    stack_.clear();
    markSaved();
}

bool ProjectDocument::checkpoint(const QString& label) {
    std::string now = inputFingerprint(project_);
    if (now == baselineFingerprint_) {
        updateModified();
        return false;
    }
    auto after = std::make_shared<const ProjectData>(project_);
    auto before = baseline_;
    baseline_ = after;
    baselineFingerprint_ = std::move(now);
    stack_.push(new ProjectChange(*this, before, after, label.isEmpty() ? QString("Change") : label));
    updateModified();
    return true;
}

void ProjectDocument::apply(const ProjectData& inputs) {
    restoreInputs(project_, inputs, KeepNavigation::No);
    // Results computed from other inputs are stale.
    project_.constraintPlotMade = false;
    project_.contourPlotMade = false;
    rebase();
    updateModified();
    emit restored();
}

std::string ProjectDocument::displayName() const {
    if (project_.projectPath.empty()) return "Untitled";
    return QFileInfo(QString::fromStdString(project_.projectPath)).fileName().toStdString();
}

void ProjectDocument::queueCheckpoint() {
    if (checkpointQueued_) return;
    checkpointQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        checkpointQueued_ = false;
        // A question in the middle of a command (a confirmation, an input box) is not the end of it.
        if (QApplication::activeModalWidget()) return;
        // The command is named after the window the change was made in.
        QString label = "Change";
        if (QWidget* w = QApplication::activeWindow())
            label = w->property("documentWindow").toBool() ? QString("Model Change")
                                                           : w->windowTitle() + " Change";
        checkpoint(label);
    });
}

bool ProjectDocument::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::FocusOut:
    case QEvent::MouseButtonRelease:
    case QEvent::KeyRelease:
    case QEvent::Hide:
        queueCheckpoint();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

CalculationScope::CalculationScope(ProjectData& project)
    : project_(project), inputs_(std::make_unique<ProjectData>(project)) {}

CalculationScope::~CalculationScope() {
    restoreInputs(project_, *inputs_, KeepNavigation::Yes);
}

} // namespace vededa
