#pragma once

#include "app/project_data.h"

#include <string>
#include <vector>

namespace vededa {

/// One field of the Mission window: the leg parameter it holds and the label-table entry it shows.
struct LegField {
    int16_t parameter; ///< leg parameter index 1..21
    int16_t label;     ///< leg label-table entry 1..34
};

/// The type index of a leg type letter: "A" = 1 .. "M" = 13; 0 for anything else.
int legTypeIndex(const std::string& type);

/// The fields a leg type shows, in window order: the type's own fields followed by the engine fields of
/// the current thrust model (AB switch for models 2 and 3; the thrust lapse for model 6; for the cycle
/// deck the AB switch and both temperature limits with an afterburning engine, else the Tt4 limit).
/// Type L shows no engine fields.
std::vector<LegField> legFields(const ProjectData& project, const std::string& type);

/// The text a parameter box shows: the plain number, except the AB switch of the afterburning
/// algebraic models, which shows its integer part.
std::string legFieldText(const ProjectData& project, const LegField& field, float value);

/// The text box `field` of `leg` shows. A Mach number the leg derives from its velocity (types whose
/// fields are linked) shows the precision of that velocity and temperature (1492.3 ft/s at 411.9 R:
/// "1.5", not "1.500011"); every other value shows `legFieldText`.
std::string legFieldText(const ProjectData& project, const MissionLeg& leg, const LegField& field);

/// The key of the quantity a leg field holds in the range table (app/field_ranges.h): some positions
/// mean another quantity for some leg types.
std::string legFieldRangeKey(const std::string& type, const LegField& field);

/// What an edit of the leg list did: an empty message, or the warning to show.
struct LegEdit {
    bool changed = false;
    std::string message;
};

inline constexpr const char* kTooManyLegsMessage =
    "You can not have more mission legs than the maximum of 30";
inline constexpr const char* kNoLegTypeMessage = "You must select a leg type before clicking the Add button";

/// The removal question for leg `n`.
std::string removeLegQuestion(int n);

/// The current leg after leaving the leg number box with value `v`: the integer part when 0 < v <
/// count + 2, 1 when v <= 0, otherwise unchanged.
int16_t legNumberFromBox(const ProjectData& project, double v);

/// "Add": opens slot `project.currentLeg` by moving the legs from the count down to it one place up
/// (shifting references to later legs of cruise legs E and G by one), then names and types the new leg.
/// The new leg keeps the parameters that were in its slot. `typeText` is the type list's text.
LegEdit addLeg(ProjectData& project, const std::string& typeText, const std::string& name);

/// "Remove" after the user confirmed: removes the current leg, moves the later legs one place down
/// (references of moved cruise legs go down by one, never below 0) and, when the current leg is now
/// past the end, makes the last leg current.
LegEdit removeLeg(ProjectData& project);

/// "Change": the current leg is re-read from the leg number box (accepted for 0 < v <= count), then the
/// name is set and, when a type is chosen that differs from the current one, the type letter.
LegEdit changeLeg(ProjectData& project, double numberBoxValue, const std::string& typeText,
                  const std::string& name);

/// The leg list line that previews a chosen type before "Change": current, three blanks, the type name.
std::string legTypePreviewLine(int current, const std::string& typeName);

/// A field of the window that an edit recomputed, with the text it now shows.
struct FieldUpdate {
    int16_t parameter;
    std::string text;
};

/// Stores `value` into the parameter that field `fieldIndex` (0-based, window order) of the current leg
/// holds, and recomputes the linked values (temperature from the altitude, Mach from the velocity and
/// back, the final Mach from the final altitude and velocity). Returns the recomputed fields with their
/// display texts; nothing when the current leg is not a leg of the mission.
std::vector<FieldUpdate> setLegField(ProjectData& project, int fieldIndex, float value);

/// The aircraft data boxes of the Mission window. Each stores its value and keeps S = W_TO / (W/S) and
/// T_SL = (T/W) W_TO consistent.
void setMissionWingLoading(ProjectData& project, float ws);
void setMissionThrustLoading(ProjectData& project, float tw);
void setMissionTakeoffWeight(ProjectData& project, float wto);
void setMissionSeaLevelThrust(ProjectData& project, float tsl);
void setMissionWingArea(ProjectData& project, float s);

} // namespace vededa
