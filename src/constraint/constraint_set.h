#pragma once

#include "app/project_data.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vededa {

/// The type number 1..10 of a constraint type letter "A".."J" (0 for anything else).
int16_t constraintTypeNumber(const Constraint& constraint);

/// What a row of the Constraint window shows.
enum class ConstraintRowKind {
    Parameter,   ///< a stored parameter
    Mach,        ///< the Mach number of parameter 4 (types A-E)
    InitialMach, ///< type J: the Mach number of parameter 4
    FinalMach,   ///< type J: the Mach number of parameter 6
};

/// One parameter row of the Constraint window (rows 1..14 in window order).
struct ConstraintRow {
    ConstraintRowKind kind = ConstraintRowKind::Parameter;
    int16_t parameter = 0; ///< the parameter the row stores (1..23), or the velocity of a Mach row
    std::string label;
    std::string value;    ///< the value as text
    std::string rangeKey; ///< the key of the row's quantity in the range table (app/field_ranges.h)
};

/// Speed of sound [ft/s or m/s] at the ambient temperature `temperature` [R or K].
float constraintSoundSpeed(float temperature, const UnitConstants& units);

/// The rows the Constraint window shows for `constraint` under the project's thrust model: rows 1-3 are
/// parameters 1, 2, 3, the others follow the type (Mach rows computed from the velocity and the
/// temperature; the engine row shows the lapse for "User Input Values", the AB flag for thrust models
/// 2, 3 and 7, and is left out otherwise).
std::vector<ConstraintRow> constraintRows(const ProjectData& project, const Constraint& constraint);

/// Stores the text typed into row `row` (1-based) of the current constraint, with the linked edits:
/// the altitude row replaces the temperature by the standard value at that altitude, a Mach row sets
/// its velocity to M a, and the AB row takes only exactly 0 or 1. Does nothing when the current
/// constraint number is greater than the count or the row does not exist. Returns whether a value was
/// stored (the diagram results are then stale).
bool editConstraintRow(ProjectData& project, std::size_t row, std::string_view text);

/// The constraint-number field: a value v != 0 whose integer part lies in 1..count+1 becomes the current
/// number. Returns whether it was taken.
bool editConstraintNumber(ProjectData& project, std::string_view text);

/// The printer plot line width field: a value 1 <= v < 5 is stored as its integer part.
bool editPlotLineWidth(ProjectData& project, std::string_view text);

/// "Add": opens the current slot by moving the records from there to the end one slot up; the new
/// constraint keeps the current parameters and gets `name` and the type of `typeTitle`. Returns the
/// refusal message, or an empty string when the constraint was added.
std::string addConstraint(ProjectData& project, std::string_view typeTitle, const std::string& name);

/// The question "Remove" asks before removing the current constraint; empty when there is nothing to
/// remove (current number beyond the count).
std::string removeConstraintQuestion(const ProjectData& project);

/// "Remove" after Yes: moves every record behind the current one a slot down; when the current number
/// is then beyond the count it becomes the count.
void removeConstraint(ProjectData& project);

/// "Change": takes the number field (1..count only), sets the current constraint's name and, when a
/// different type title is chosen, its type.
void changeConstraint(ProjectData& project, std::string_view numberText, const std::string& name,
                      std::string_view typeTitle);

/// Choosing a title in the type list for the constraint in the number field (1..count): changes the
/// type letter when the title differs from the current one. Parameters are kept.
bool selectConstraintType(ProjectData& project, std::string_view numberText, std::string_view typeTitle);

/// The checks of "Calculate": the number of W/S and T/W increments. Returns the message, or an empty
/// string when the ranges are acceptable.
std::string constraintCalculateCheck(const ProjectData& project);

} // namespace vededa
