#pragma once

#include "output/canvas.h"

#include <QPrinter>

#include <functional>
#include <memory>
#include <string>

namespace vededa {

class UserDialogs;

/// The program's printer: reports in a fixed-pitch font, and the plot print buffer, a pending printer
/// page on which the plot windows repeat their drawing until the page is released (printed) or
/// discarded. Each print shows the system print dialog (which can also print to a PDF file); when the
/// system has no printer, it asks for a PDF file instead.
class PrintService {
  public:
    explicit PrintService(UserDialogs& dialogs);

    QPrinter& printer() { return printer_; }

    /// Sends every later print to the PDF file `path` (tests, and the choice of a PDF file in a
    /// dialog).
    void setPdfOutput(const std::string& path);

    /// The printer-setup dialog.
    void setup();

    /// Prints one empty line and then `text` (CRLF or LF line ends) in "Courier" size 10, breaking
    /// pages as they fill, and ends the document. False when nothing was printed (no destination
    /// chosen, or the printer refused). `report` names the report in the file name a print to a PDF
    /// file proposes ("constraints" gives "Vededa-constraints.pdf").
    bool printReport(const std::string& text, const std::string& report = "report");

    /// The project's name in proposed file names (the project file's name without extension).
    std::function<std::string()> projectName;

    /// The PDF file name proposed for `report`: "PROJECT-REPORT.pdf".
    std::string proposedPdfName(const std::string& report) const;

    /// The pending plot page, created empty on first use.
    RecordingCanvas& pendingPage(float pictureWidth, float pictureHeight);
    bool hasPendingPage() const { return pending_ != nullptr; }
    /// Ends the printer document: the pending page is printed. False when there is none or printing
    /// failed; the page is gone either way.
    bool releasePendingPage(const std::string& report = "plot");
    /// Prints `page` on a page of its own and ends the document. False when nothing was printed.
    bool printPage(const RecordingCanvas& page, const std::string& report = "plot");
    /// Throws the pending page away.
    void discardPendingPage() { pending_.reset(); }

    /// The report font: "Courier" size 10, fixed pitch.
    static QFont reportFont();

  private:
    UserDialogs& dialogs_;
    QPrinter printer_;
    std::unique_ptr<RecordingCanvas> pending_;
    bool askedForPdf_ = false;    ///< the PDF file was chosen for one print only
    bool explicitOutput_ = false; ///< every print goes to the file given to setPdfOutput
    std::string pdfFolder_;       ///< folder of the last PDF file chosen
    bool chooseDestination(const std::string& report);
    void finishDocument();
};

} // namespace vededa
