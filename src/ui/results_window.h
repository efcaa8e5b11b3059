#pragma once

#include "app/project_data.h"

#include <QWidget>

#include <functional>
#include <map>
#include <string>

class QPlainTextEdit;
class QPushButton;

namespace vededa {

class UserDialogs;
class PrintService;

/// The captions of the Results window's middle button; the caption is also the results mode.
inline constexpr const char* kNextConstraintMode = "Next Constraint";
inline constexpr const char* kNextLegMode = "Next Leg";
inline constexpr const char* kNextPageMode = "Next Page";
inline constexpr const char* kEngineSeriesMode = "zent";

class ResultsWindow;

/// What a results mode does; the analyses register their modes when they are built.
struct ResultsMode {
    /// Writes the page of `item` (constraint number, leg number, summary page) into the Results text.
    std::function<void(ResultsWindow&, int16_t item)> report;
    /// The last item that Next steps to (number of constraints or legs).
    std::function<int16_t()> lastItem;
    /// Next past the last item: the caller's window comes back (with its results buttons enabled).
    std::function<void()> finished;
    /// Done: the caller's window comes back.
    std::function<void()> done;
};

/// The Results window (`Form5`): the text reports of every analysis, one page at a time, with Next,
/// Done and Print.
class ResultsWindow : public QWidget {
    Q_OBJECT
  public:
    ResultsWindow(ProjectData& project, UserDialogs& dialogs, PrintService& printer,
                  QWidget* parent = nullptr);

    /// Makes `mode` available under its caption.
    void registerMode(const std::string& caption, ResultsMode mode);

    /// `ShowResults`: sets the mode caption, starts at item 1, hides the calling window, shows this
    /// window and fills it with the first page.
    void showResults(const std::string& caption, QWidget* caller = nullptr);

    /// The Results text, with CRLF line ends.
    const std::string& text() const { return text_; }
    void setText(const std::string& text);
    /// `AppendReport`: the Results text followed by `report`.
    void appendReport(const std::string& report);

    std::string mode() const;
    int16_t currentItem() const { return item_; }

    /// Shows or hides the middle button (the summary has a second page only with the cycle deck).
    void setNextVisible(bool visible);

    void next();
    void done();
    void print();
    /// "Save As Text...": the Results text into a file exactly as shown (CRLF line ends).
    void saveAsText();
    /// "Copy": the selected part of the Results text, or all of it, to the clipboard.
    void copy();

  private:
    ProjectData& project_;
    UserDialogs& dialogs_;
    PrintService& printer_;
    std::map<std::string, ResultsMode> modes_;
    std::string text_;
    int16_t item_ = 1;
    QPlainTextEdit* textBox_ = nullptr;
    QPushButton* printButton_ = nullptr;
    QPushButton* nextButton_ = nullptr;
    QPushButton* doneButton_ = nullptr;

    const ResultsMode* currentMode() const;
    void runReport(int16_t item);
};

} // namespace vededa
