#pragma once

#include "app/project_data.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vededa {

/// The lowest file code of a reference engine file.
inline constexpr int16_t kReferenceFileCode = 22;
/// The marker after the engine type that announces the unit flag.
inline constexpr int16_t kReferenceUnitMarker = 42;

/// Outcome of `ReadReferenceFile`. On failure `title` and `message` are the message box texts and the
/// project is unchanged; on success `listing` holds the reference listing to append to the listing area.
struct ReferenceReadResult {
    bool ok = false;
    std::string title;
    std::string message;
    /// On failure, where and why: "FILE, line N: expected ..., found ..." (the message box shows it
    /// under `message`).
    std::string detail;
    std::string listing;
    int16_t extraFlag = 0; ///< the integer after the unit flag (read, not used)
    explicit operator bool() const { return ok; }
};

/// Reads a reference engine file into `project.engine`, all or nothing: the file is parsed into a copy
/// and the copy replaces the engine only when every value was read. Then the post-read steps: a type 4
/// or 5 with a bypass ratio of exactly 0 becomes type 1 or 2, the Tt4 and Tt7 max settings take
/// `EngineControls[5]` and `[6]`, the thrust and TSFC models become 7 (cycle deck), the file name is
/// stored, and the listing is built with the labels of the file's unit flag. The window-side steps
/// (buttons, captions) belong to the caller.
ReferenceReadResult ReadReferenceFile(ProjectData& project, const std::string& path);

/// The same as `ReadReferenceFile` from the file's text (`path` only names the file).
ReferenceReadResult readReferenceText(ProjectData& project, std::string_view text, const std::string& path);

/// The two label sets of the reference listing.
enum class ListingLabels {
    AfterRead,  ///< the labels shown right after a file was read
    Activation, ///< the labels shown when the engine data window is activated
};

/// The reference listing of `engine`: the component constants two to a line, then the reference point
/// under the type conditions, with English labels unless `si`. Lines end with CRLF.
std::string referenceListing(const EngineData& engine, bool si, ListingLabels set);

/// The engine-type caption of the engine data window ("Turbojet" ... "Turboprop"); "" for type 7 and
/// any other value.
std::string engineTypeName(int16_t type);

/// The input fields of the engine data window.
enum class EngineDataField {
    EngineCount,        ///< `EngineSetup[8]`
    MaxCompressorRatio, ///< `EngineControls[11]`
    MaxPt3,             ///< `EngineControls[12]`
    MaxTt3,             ///< `EngineControls[13]`
    MaxLowSpoolSpeed,   ///< `EngineControls[14]`
    MaxHighSpoolSpeed,  ///< `EngineControls[15]`
    MaxTt4,             ///< Tt4 max setting
    MaxTt7,             ///< Tt7 max setting
    ConstantLoss,       ///< `EngineControls[8]`
    InletCaptureArea,   ///< `EngineControls[16]`
    AfterbodyArea,      ///< `EngineControls[17]`
    AfterbodyLength,    ///< `EngineControls[18]`
};

/// Stores the typed `text` of one engine data field by that field's rule: the engine count keeps the
/// whole-number part and is at least 1; limits, the Tt4/Tt7 settings and the constant loss become 0
/// when negative; the capture area, afterbody area and length become 0.01 when zero or negative.
/// Unreadable text counts as 0.
void commitEngineDataField(EngineData& engine, EngineDataField field, std::string_view text);

/// The stored value of `field` as the window shows it.
float engineDataFieldValue(const EngineData& engine, EngineDataField field);

/// The installation-loss option buttons: 1 "Constant Loss for Each Leg" and 3 "Loss Model of Chapter
/// 6" set `EngineSetup[9]`; any other option (the offered "Different Loss for Each Leg") changes nothing.
void chooseLossModel(EngineData& engine, int16_t option);

} // namespace vededa
