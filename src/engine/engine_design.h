#pragma once

#include "app/one_based.h"
#include "engine/gas_properties.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vededa {

/// Compressor and turbine efficiencies of a design: isentropic (of the whole component) or polytropic
/// (of each small stage of it). The reference file always holds the isentropic efficiencies at the design
/// point, which the deck keeps constant off design.
inline constexpr int16_t kIsentropicEfficiencies = 0;
inline constexpr int16_t kPolytropicEfficiencies = 1;

/// The design of a reference engine: the input of the on-design generator, read from a design file
/// (`key = value` lines). Values are in the design's unit system: English ft, R, psia, lbm/s, lbf,
/// BTU/lbm, BTU/(lbm R), hp; SI m, K, Pa, kg/s, N, kJ/kg, kJ/(kg K), kW.
struct EngineDesign {
    int16_t type = 0;           ///< engine type 1..7
    int16_t units = 1;          ///< 1 English, 2 SI
    float M0 = 0;               ///< design flight Mach number (designed as at least 0.01)
    float alt = 0;              ///< design altitude [ft or m]
    float T0 = 0, P0 = 0;       ///< ambient state [R or K], [psia or Pa]; 0 = table atmosphere
    float Tt4 = 0, Tt7 = 0;     ///< burner and afterburner exit temperatures [R or K]
    float pifan = 1, pihpc = 1; ///< fan (low-pressure compressor) and high-pressure compressor ratios
    float alpha = -1;           ///< bypass ratio (-1 = not given)
    float pt5ratio = 0;         ///< Pt5'/Pt5 to solve the bypass ratio for (0 = none)
    float M5 = 0.5f, M9 = 0.8f; ///< mixer core-inlet Mach; turboprop core-nozzle exit Mach
    float etaprop = 0.83f, etagear = 0.99f;
    float P0P9 = 1;             ///< exit pressure ratio of a choked jet; -1 = convergent nozzle
    float mdot = 0, thrust = 0; ///< design air flow [lbm/s or kg/s] or thrust [lbf or N]
    float CTOL = 0, CTOH = 0;   ///< power take-off coefficients P/(m0 cp_c T0)
    float PTOL = -1, PTOH = -1; ///< take-off powers [hp or kW] (-1 = not given)
    float pidmax = 0.97f, pib = 0.95f, piAB = 0.95f, pin = 0.98f, pinp = 0.98f;
    float etab = 0.99f, etaAB = 0.96f, etamH = 0.99f, etamL = 0.99f, etamPL = 1, etamPH = 1;
    float etacp = 0.88f, etacH = 0.87f, etatH = 0.89f, etatL = 0.90f;
    float hPR = 18400, cpc = 0.24f, cpt = 0.295f, cpAB = 0.295f;
    float gammac = 1.4f, gammat = 1.3f, gammaAB = 1.3f;
    float piMmax = 0.97f, beta = 0, eps1 = 0, eps2 = 0;
    float cprmax = 0, pt3max = 0, tt3max = 0, nlmax = 0, nhmax = 0;
    float Tt4max = -1, Tt7max = -1; ///< -1 = not given (Tt4; Tt7 or 0)
    int16_t gas = 0;                ///< gas model: `kConstantGas` or `kVariableGas`
    float HC = 2;                   ///< fuel hydrogen/carbon atom ratio of the variable gas model
    int16_t spools = 2;             ///< 1: single-spool turbojet, the generator splits its compressor
    /// How etacp, etacH, etatH and etatL are meant: `kIsentropicEfficiencies` or `kPolytropicEfficiencies`.
    int16_t efficiencies = 0;
};

/// The low-pressure compressor pressure ratio the generator gives a single-spool turbojet: 1.1, or the
/// square root of the compressor pressure ratio when that is below 1.21, so both spools compress.
double singleSpoolLowRatio(double compressorRatio);

/// A single-spool turbojet (`spools = 1`, compressor `pihpc` with efficiency `etacH`) as the two-spool
/// engine the deck runs: a low-pressure compressor of `singleSpoolLowRatio` at the compressor efficiency
/// and the rest of the pressure ratio on the high spool, whose efficiency is chosen so that the two
/// compressors together have the given overall pressure ratio and temperature rise; the low spool takes
/// the high spool's turbine and mechanical efficiencies. A two-spool design is returned unchanged.
/// `message` is "" or why the design cannot be split.
EngineDesign twoSpoolDesign(const EngineDesign& design, std::string& message);

/// Outcome of reading a design file.
struct DesignReadResult {
    bool ok = false;
    EngineDesign design;
    std::string message; ///< what was wrong and where ("line 4: unknown key 'pifam'")
};

/// Reads a design file's text: `key = value` lines, `#` starts a comment, keys are case-insensitive;
/// unknown keys, values that are not numbers and a missing type, Tt4 or size are refused with the line
/// number. `P0P9 = conv` selects a convergent nozzle. Heating value and specific heats default to the
/// SI values when `units = 2` and they are not given.
DesignReadResult readEngineDesign(std::string_view text);

/// A reference engine computed by the generator: every array the reference file carries.
struct GeneratedEngine {
    OneBased<float, 45> designRecord;
    OneBased<float, 32> component;
    OneBased<float, 56> reference;
    OneBased<float, 15> controls; ///< `EngineControls` 1..7 and 11..15
    int16_t type = 0;
    int16_t units = 1;
};

/// Outcome of the on-design calculation.
struct DesignResult {
    bool ok = false;
    GeneratedEngine engine;
    std::string message; ///< why the design was refused
};

/// Computes the on-design cycle of `design` with the deck's gas model and fills every position of
/// the reference file. Refuses an infeasible design with a message. Engine types 1 to 7.
DesignResult designEngine(const EngineDesign& design);

/// The reference file text of `engine`: file code 22, the design record, the component constants, the
/// reference point, the engine controls, the engine type, the marker pair `0, 42`, the unit flag and
/// `0`; numbers with 9 significant digits, five to a line, CRLF line ends.
std::string referenceFileText(const GeneratedEngine& engine);

/// One key of a design file and what it sets, in the order a design form lists them.
struct DesignKey {
    const char* key;        ///< the key as the documentation spells it ("Tt4", "pifan")
    const char* meaning;    ///< a short description with its unit
    const char* words = ""; ///< the words a key of a fixed set takes, "|"-separated ("" = any number)
};

/// Every key a design file may hold.
const std::vector<DesignKey>& designKeys();

/// One `key = value` line of a design file.
struct DesignValue {
    std::string key;   ///< the documented spelling when the key is known, otherwise as written
    std::string value; ///< the value text as written
};

/// The `key = value` lines of a design file's text in file order, comments and blank lines dropped.
/// Lines without '=' are kept with an empty value under their whole text, so `readEngineDesign` of
/// `designFileText` of the result still reports them.
std::vector<DesignValue> designFileValues(std::string_view text);

/// A design file's text from its values: one `key = value` line for every value that is not empty.
std::string designFileText(const std::vector<DesignValue>& values);

/// Writes `text` to `path` through a temporary file renamed over the target after a complete write,
/// so a failed write leaves an older file intact. Returns "" on success, otherwise what went wrong.
std::string writeFileSafely(const std::string& path, const std::string& text);

} // namespace vededa
