#include "mission/leg_set.h"

#include "models/atmosphere.h"
#include "output/field_text.h"
#include "output/number_format.h"

#include <algorithm>
#include <cmath>

namespace vededa {

int legTypeIndex(const std::string& type) {
    if (type.size() != 1 || type[0] < 'A' || type[0] > 'M') return 0;
    return type[0] - 'A' + 1;
}

namespace {

/// The type's own fields (parameter, label entry), in window order.
std::vector<LegField> ownFields(int type) {
    switch (type) {
    case 1:
        return {{1, 22}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {10, 10}, {16, 23}};
    case 2:
        return {{1, 1}, {2, 2}, {3, 24}, {4, 25}, {6, 6}, {7, 7}, {10, 10}, {16, 23}};
    case 3:
        return {{1, 22}, {2, 2}, {3, 24}, {4, 25}, {5, 5}, {6, 6}, {7, 7}, {10, 10}, {16, 23}};
    case 4:
        return {{1, 1}, {2, 2}, {4, 4}, {10, 10}, {11, 11}, {12, 12}, {13, 13}};
    case 5:
        return {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {10, 10}, {15, 15}, {16, 28}};
    case 6:
        return {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {8, 8}, {9, 9}, {10, 10}};
    case 7:
        return {{4, 26}, {10, 10}, {15, 15}, {16, 28}};
    case 8:
        return {{1, 1}, {2, 2}, {10, 10}, {16, 16}};
    case 9:
        return {{1, 1}, {2, 2}, {16, 16}};
    case 10:
        return {{1, 1}, {2, 2}, {10, 10}, {11, 11}, {12, 12}, {14, 14}};
    case 11:
        return {{1, 22}, {2, 2}, {3, 24}, {4, 25}, {5, 5}, {6, 6}, {7, 7}, {10, 10}, {11, 33}};
    case 12:
        return {{21, 21}};
    case 13:
        return {{1, 22}, {2, 2}, {3, 24}, {4, 25}, {5, 5}, {6, 6}, {7, 7}, {10, 10}, {11, 34}, {16, 23}};
    default:
        return {};
    }
}

bool afterburningDeck(const ProjectData& p) {
    const int type = p.engine.setup[kSetupEngineType];
    return type == 2 || type == 5;
}

/// Speed of sound at a static temperature, from the sea-level values of the unit system.
float soundSpeedAt(const ProjectData& p, float temperature) {
    return static_cast<float>(static_cast<double>(p.units.aSL) *
                              std::sqrt(static_cast<double>(temperature) / static_cast<double>(p.units.TSL)));
}

/// Speed of sound and temperature of the standard atmosphere at `altitude`.
FlightCondition standardAt(const ProjectData& p, float altitude) {
    FlightCondition fc;
    fc.altitude = altitude;
    atmosphere(fc, p.units);
    return fc;
}

void moveLeg(ProjectData& p, int from, int to) {
    MissionLeg& dst = p.legs[static_cast<std::size_t>(to)];
    const MissionLeg& src = p.legs[static_cast<std::size_t>(from)];
    dst.type = src.type;
    dst.name = src.name;
    for (int k = 1; k <= kLegParameters; ++k) dst.p[k] = src.p[k];
}

bool isCruise(const MissionLeg& leg) {
    return leg.type == "E" || leg.type == "G";
}

} // namespace

std::vector<LegField> legFields(const ProjectData& project, const std::string& type) {
    const int t = legTypeIndex(type);
    std::vector<LegField> fields = ownFields(t);
    if (t == 0 || t == 12) return fields;
    switch (project.thrustModel) {
    case 2:
    case 3:
        fields.push_back({18, 18});
        break;
    case 6:
        fields.push_back({17, 17});
        break;
    case 7:
        if (afterburningDeck(project)) {
            fields.push_back({18, 18});
            fields.push_back({19, 31});
            fields.push_back({20, 32});
        } else {
            fields.push_back({19, 31});
        }
        break;
    default:
        break;
    }
    return fields;
}

std::string legFieldText(const ProjectData& project, const LegField& field, float value) {
    if (field.parameter == 18 && (project.thrustModel == 2 || project.thrustModel == 3))
        return std::to_string(static_cast<long>(std::trunc(value)));
    return fieldText(value);
}

std::string legFieldText(const ProjectData& project, const MissionLeg& leg, const LegField& field) {
    const float value = leg.p[field.parameter];
    const int t = legTypeIndex(leg.type);
    // Types G, H, I, J and L only store their fields; type D keeps its Mach number as typed.
    const bool linked = t >= 1 && t != 4 && t != 7 && t != 8 && t != 9 && t != 10 && t != 12;
    if (!linked || (field.parameter != 4 && field.parameter != 7)) return legFieldText(project, field, value);
    auto digits = [](float v) { return significantDigits(fieldText(v)); };
    const int precision =
        field.parameter == 4 ? std::min(digits(leg.p[3]), digits(leg.p[2])) : digits(leg.p[6]);
    return derivedFieldText(value, precision);
}

std::string legFieldRangeKey(const std::string& type, const LegField& field) {
    const int t = legTypeIndex(type);
    switch (field.parameter) {
    case 1:
    case 5:
        return "alt";
    case 2:
        return "t0";
    case 3:
    case 6:
        return "velocity";
    case 4:
    case 7:
        return "mach";
    case 8:
        return "load-factor";
    case 9:
        return "turns";
    case 10:
        return "cdr";
    case 11:
        if (t == 11) return "fraction";
        if (t == 13) return "descent-angle";
        return "cl-max";
    case 12:
        return "speed-ratio";
    case 13:
        return "friction";
    case 14:
        return "time";
    case 15:
        return "distance";
    case 16:
        if (t == 8 || t == 9) return "time";
        if (t == 5 || t == 7) return "leg";
        return "increments";
    case 17:
        return "lapse";
    case 18:
        return "ab";
    case 19:
        return "tt4";
    case 20:
        return "tt7";
    case 21:
        return "payload";
    default:
        return {};
    }
}

std::string removeLegQuestion(int n) {
    return "Do you really want to remove mission leg #" + std::to_string(n) + "?";
}

int16_t legNumberFromBox(const ProjectData& project, double v) {
    if (v > 0 && v < project.legCount + 2) return static_cast<int16_t>(std::trunc(v));
    if (v <= 0) return 1;
    return project.currentLeg;
}

LegEdit addLeg(ProjectData& p, const std::string& typeText, const std::string& name) {
    if (p.legCount > kMaxLegs - 1) return {false, kTooManyLegsMessage};
    if (typeText.empty()) return {false, kNoLegTypeMessage};
    const int current = p.currentLeg;
    p.legCount = static_cast<int16_t>(p.legCount + 1);
    for (int j = p.legCount - 1; j >= current; --j) {
        moveLeg(p, j, j + 1);
        MissionLeg& moved = p.legs[static_cast<std::size_t>(j + 1)];
        // A cruise leg that counts its distance from a leg behind the insertion point follows that leg.
        if (isCruise(moved) && std::trunc(moved.p[16]) > static_cast<float>(current)) moved.p[16] += 1.0f;
    }
    MissionLeg& leg = p.legs[static_cast<std::size_t>(current)];
    leg.name = name;
    leg.type = typeText.substr(0, 1);
    return {true, {}};
}

LegEdit removeLeg(ProjectData& p) {
    const int current = p.currentLeg;
    if (current < 1 || current > p.legCount) return {};
    p.legCount = static_cast<int16_t>(p.legCount - 1);
    for (int j = current; j <= p.legCount; ++j) {
        moveLeg(p, j + 1, j);
        MissionLeg& moved = p.legs[static_cast<std::size_t>(j)];
        if (isCruise(moved)) {
            moved.p[16] -= 1.0f;
            if (moved.p[16] < 0.0f) moved.p[16] = 0.0f;
        }
    }
    if (p.legCount < p.currentLeg) p.currentLeg = p.legCount;
    return {true, {}};
}

LegEdit changeLeg(ProjectData& p, double numberBoxValue, const std::string& typeText,
                  const std::string& name) {
    if (numberBoxValue > 0 && numberBoxValue <= p.legCount)
        p.currentLeg = static_cast<int16_t>(std::trunc(numberBoxValue));
    const int current = p.currentLeg;
    if (current < 1 || current > kMaxLegs) return {};
    MissionLeg& leg = p.legs[static_cast<std::size_t>(current)];
    leg.name = name;
    const int t = legTypeIndex(leg.type);
    const std::string currentName =
        t > 0 ? p.labels.legTypeNames[static_cast<std::size_t>(t)] : std::string();
    if (!typeText.empty() && typeText != currentName) leg.type = typeText.substr(0, 1);
    return {true, {}};
}

std::string legTypePreviewLine(int current, const std::string& typeName) {
    return std::to_string(current) + "   " + typeName;
}

std::vector<FieldUpdate> setLegField(ProjectData& p, int fieldIndex, float value) {
    std::vector<FieldUpdate> updates;
    const int current = p.currentLeg;
    if (current < 1 || current > p.legCount) return updates;
    MissionLeg& leg = p.legs[static_cast<std::size_t>(current)];
    const std::vector<LegField> fields = legFields(p, leg.type);
    if (fieldIndex < 0 || fieldIndex >= static_cast<int>(fields.size())) return updates;
    const int k = fields[static_cast<std::size_t>(fieldIndex)].parameter;
    leg.p[k] = value;

    const int t = legTypeIndex(leg.type);
    // Types G, H, I, J and L only store; so does a field that holds another parameter than its position.
    const bool linked = t != 7 && t != 8 && t != 9 && t != 10 && t != 12;
    auto show = [&](int parameter, const char* pattern) {
        updates.push_back({static_cast<int16_t>(parameter), formatPattern(leg.p[parameter], pattern)});
    };
    const bool hasFinalAltitude = t == 1 || t == 3 || t == 11 || t == 13;
    auto finalSoundSpeed = [&]() {
        // Type B flies at its own temperature; the others end at the standard atmosphere of p[5].
        if (t == 2) return soundSpeedAt(p, leg.p[2]);
        return standardAt(p, leg.p[5]).soundSpeed;
    };

    if (k == 1 && t != 12) {
        // A new altitude brings the standard temperature; the Mach number follows from the stored velocity.
        leg.p[2] = standardAt(p, leg.p[1]).temperature;
        show(2, "####.00");
        if (t != 4 && linked) {
            const float a = soundSpeedAt(p, leg.p[2]);
            if (a != 0.0f) {
                leg.p[4] = leg.p[3] / a;
                show(4, "##.00");
            }
        }
        return updates;
    }
    if (!linked) return updates;
    const float a = soundSpeedAt(p, leg.p[2]);
    switch (k) {
    case 2:
        if (t != 4 && a != 0.0f) {
            leg.p[4] = leg.p[3] / a;
            show(4, "##.00");
        }
        break;
    case 3:
        if (a != 0.0f) {
            leg.p[4] = leg.p[3] / a;
            show(4, "##.00");
        }
        break;
    case 4:
        if (t != 4) {
            leg.p[3] = leg.p[4] * a;
            show(3, "####.00");
        }
        break;
    case 5:
        if (hasFinalAltitude) {
            const float af = standardAt(p, leg.p[5]).soundSpeed;
            if (af != 0.0f) {
                leg.p[7] = leg.p[6] / af;
                show(7, "##.00");
            }
        }
        break;
    case 6: {
        const float af = finalSoundSpeed();
        if (af != 0.0f) {
            leg.p[7] = leg.p[6] / af;
            show(7, "##.00");
        }
        break;
    }
    case 7:
        leg.p[6] = leg.p[7] * finalSoundSpeed();
        show(6, "####.00");
        break;
    default:
        break;
    }
    return updates;
}

void setMissionWingLoading(ProjectData& p, float ws) {
    p.wingLoading = ws;
    if (ws > 0.0f) p.wingArea = p.takeoffWeight() / ws;
}

void setMissionThrustLoading(ProjectData& p, float tw) {
    p.thrustLoading = tw;
    p.seaLevelThrust = tw * p.takeoffWeight();
}

void setMissionTakeoffWeight(ProjectData& p, float wto) {
    p.takeoffWeight() = wto;
    p.seaLevelThrust = p.thrustLoading * wto;
    if (p.wingLoading != 0.0f) p.wingArea = wto / p.wingLoading;
}

void setMissionSeaLevelThrust(ProjectData& p, float tsl) {
    p.seaLevelThrust = tsl;
    if (p.takeoffWeight() > 0.0f) p.thrustLoading = tsl / p.takeoffWeight();
}

void setMissionWingArea(ProjectData& p, float s) {
    p.wingArea = s;
    if (s != 0.0f) p.wingLoading = p.takeoffWeight() / s;
}

} // namespace vededa
