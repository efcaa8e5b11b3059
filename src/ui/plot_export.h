#pragma once

#include "output/canvas.h"

#include <string>

namespace vededa {

class UserDialogs;

/// The file types a plot exports to, in the dialog's filter form.
inline constexpr const char* kPlotExportFilter =
    "PNG picture (*.png)|*.png|SVG drawing (*.svg)|*.svg|PDF document (*.pdf)|*.pdf";

/// Writes a recorded plot to `path`, the type by its extension (.png, .svg or .pdf, any case): a PNG
/// `pixelWidth` pixels wide with the picture's proportions on white, the SVG the command line writes, or
/// a one-page PDF of the picture's proportions. The same recorded calls draw every one of them. Returns ""
/// or what went wrong.
std::string exportPlot(const RecordingCanvas& picture, const std::string& path, int pixelWidth);

/// The Export... command of a plot window: asks for the file and, for a PNG, its size as a multiple of
/// the plot's width on screen (`screenWidth` pixels; 2 proposed), then writes it; failures are shown.
void exportPlotWithDialogs(UserDialogs& dialogs, const RecordingCanvas& picture, int screenWidth);

/// Comma-separated values, for data a spreadsheet reads.
inline constexpr const char* kCsvFilter = "CSV table (*.csv)|*.csv|All files (*.*)|*.*";

/// Asks for a file and writes `text` into it unchanged (bytes as given); failures are shown. Returns
/// the path written, or "" when cancelled or failed.
std::string saveTextWithDialogs(UserDialogs& dialogs, const std::string& title, const std::string& filter,
                                const std::string& text);

} // namespace vededa
