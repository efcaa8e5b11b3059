// Reading a reference engine file, the reference listing and the engine data field rules.
#include "engine/reference_file.h"

#include "app/bounded_read.h"
#include "app/field_ranges.h"
#include "engine/gas_properties.h"
#include "output/number_format.h"
#include "output/report.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <sstream>

namespace vededa {

namespace {

const char* const kNotReferenceTitle = "Wrong Type of Data File";
const char* const kNotReferenceMessage = "This is not a Ridor Reference Data File !!!";
const char* const kReadErrorTitle = "Reading Error";
const char* const kReadErrorMessage = "Error in Reading Data File !!!";

/// Free-format sequential input: numbers separated by blanks, one comma or line ends. An empty field
/// between two commas reads as 0, as such input does. A number is a plain decimal or exponent form
/// (an optional sign, digits with or without a point, an exponent with E or, as Fortran writes it,
/// D); hexadecimal forms, "inf" and "nan" are refused, as in project files. A refusal says on which
/// line which value was expected and what was found there.
class NumberReader {
  public:
    explicit NumberReader(std::string_view text) : text_(text) {}

    /// The next single-precision value; false at the end of the text or on an unreadable number.
    bool single(float& value, const std::string& what) {
        double d = 0;
        if (!next(d, what)) return false;
        if (std::fabs(d) > std::numeric_limits<float>::max())
            return refuse(what, "out of the single-precision range");
        value = static_cast<float>(d);
        return true;
    }

    /// The next 16-bit integer, rounded to the nearest whole number; false when it does not fit.
    bool integer(int16_t& value, const std::string& what) {
        double d = 0;
        if (!next(d, what)) return false;
        const double r = std::nearbyint(d);
        if (r < -32768.0 || r > 32767.0) return refuse(what, "not a 16-bit whole number");
        value = static_cast<int16_t>(r);
        return true;
    }

    /// The refusal of the last value that could not be read: "line N: expected ..., found ...".
    const std::string& problem() const { return problem_; }

    /// Whether the last value read ran up to the very end of the text, without a separator or line
    /// end after it: a file cut inside that number.
    bool lastValueCut() const { return lastCut_; }

    /// Refuses the value just read as `what` because of `why`.
    bool refuse(const std::string& what, const std::string& why) {
        problem_ = "line " + std::to_string(tokenLine_) + ": expected " + what + ", found \"" + token_ +
                   "\" (" + why + ")";
        return false;
    }

  private:
    static bool isBlank(char c) { return c == ' ' || c == '\t'; }
    static bool isSpace(char c) { return isBlank(c) || c == '\r' || c == '\n'; }

    void advance() {
        if (text_[pos_] == '\n') ++line_;
        ++pos_;
    }

    bool next(double& value, const std::string& what) {
        while (pos_ < text_.size() && isSpace(text_[pos_])) advance();
        tokenLine_ = line_;
        token_.clear();
        if (pos_ >= text_.size()) {
            problem_ = "line " + std::to_string(line_) + ": expected " + what + ", found the end of the file";
            return false;
        }
        if (text_[pos_] == ',') {
            advance();
            value = 0;
            lastCut_ = false;
            return true;
        }
        std::string token;
        while (pos_ < text_.size() && !isSpace(text_[pos_]) && text_[pos_] != ',') {
            const char c = text_[pos_++];
            token_.push_back(c);
            token.push_back(c == 'D' || c == 'd' ? 'E' : c);
        }
        lastCut_ = pos_ >= text_.size();
        while (pos_ < text_.size() && isBlank(text_[pos_])) advance();
        if (pos_ < text_.size() && text_[pos_] == ',') advance();
        std::string_view t = token;
        if (!t.empty() && t.front() == '+') t.remove_prefix(1);
        const auto res = std::from_chars(t.data(), t.data() + t.size(), value);
        if (t.empty() || res.ec != std::errc() || res.ptr != t.data() + t.size() || !std::isfinite(value))
            return refuse(what, "not a number");
        return true;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
    int tokenLine_ = 1;
    std::string token_;
    std::string problem_;
    bool lastCut_ = false;
};

ReferenceReadResult failure(const char* title, const char* message, const std::string& detail = {}) {
    ReferenceReadResult r;
    r.title = title;
    r.message = message;
    r.detail = detail;
    return r;
}

struct Pair {
    int first, second;
};
constexpr Pair kComponentPairs[] = {{1, 2},   {3, 4},   {5, 6},   {7, 8},   {9, 10},
                                    {11, 12}, {13, 14}, {15, 16}, {17, 18}, {19, 20},
                                    {21, 22}, {23, 24}, {25, 26}, {27, 28}, {29, 30}};

const char* const kComponentLabelsRead[31] = {"",
                                              "Pi D Max = ",
                                              "Pi b     = ",
                                              "Pi A/B   = ",
                                              "Pi n     = ",
                                              "Pi n'    = ",
                                              "Pi tH    = ",
                                              "Tau tH   = ",
                                              "Eta b    = ",
                                              "Eta A/B  = ",
                                              "Eta MECH = ",
                                              "Eta MECL = ",
                                              "Eta MECPL= ",
                                              "Eta MECPH= ",
                                              "Eta c'   = ",
                                              "Eta cH   = ",
                                              "Eta tL   = ",
                                              "A5'/A5c  = ",
                                              "H        = ",
                                              "CP c     = ",
                                              "CP t     = ",
                                              "CP A/B   = ",
                                              "Gamma c  = ",
                                              "Gamma t  = ",
                                              "Gamma A/B= ",
                                              "PiM Max  = ",
                                              "Beta     = ",
                                              "EPS1     = ",
                                              "Eps2     = ",
                                              "Eta PROP = ",
                                              "Eta GEAR = "};
const char* const kComponentLabelsActivation[31] = {"",
                                                    "Pi D Max = ",
                                                    "Pi B     = ",
                                                    "Pi A/B   = ",
                                                    "Pi N     = ",
                                                    "Pi N'    = ",
                                                    "Pi TH    = ",
                                                    "Tau TH   = ",
                                                    "Eta B    = ",
                                                    "Eta A/B  = ",
                                                    "Eta MECH = ",
                                                    "Eta MECL = ",
                                                    "Eta MECPL= ",
                                                    "Eta MECPH= ",
                                                    "Eta C'   = ",
                                                    "Eta CH   = ",
                                                    "Eta TL   = ",
                                                    "A5'/A5C  = ",
                                                    "H        = ",
                                                    "Cp C     = ",
                                                    "Cp T     = ",
                                                    "Cp A/B   = ",
                                                    "Gamma C  = ",
                                                    "Gamma T  = ",
                                                    "Gamma A/B= ",
                                                    "PiM MAX  = ",
                                                    "Beta     = ",
                                                    "Eps1     = ",
                                                    "Eps2     = ",
                                                    "Eta PROP = ",
                                                    "Eta GEAR = "};

/// The labels of the reference block, by the role of the line.
struct ReferenceLabels {
    const char* header;
    const char *m0, *t0, *p0, *alt, *tt4, *tt7, *m5, *pid;
    const char *picp, *taucp, *pich, *taucH, *alpha;
    const char *pic, *tauc, *pitl, *tautl;
    const char *f, *fab, *fo, *s, *fm0, *air, *fuel, *thrust;
};

constexpr ReferenceLabels kReadEnglish{"  PARAMETER                REFERENCE",
                                       "MO",
                                       "T0 (R)",
                                       "P0 (Psia)",
                                       "Alt (ft)",
                                       "Tt4 (R)",
                                       "Tt7 (R)",
                                       "M5",
                                       "Pi D",
                                       "Pi c'",
                                       "Tau c'",
                                       "Pi cH",
                                       "Tau cH",
                                       "Alpha",
                                       "Pi c",
                                       "Tau c",
                                       nullptr,
                                       "Tau tL",
                                       "f",
                                       "f AB",
                                       "fO",
                                       "S [(lbm/hr)/lbf]",
                                       "F/m0 [lbf/(lbm/sec)]",
                                       "Air Flow (lbm/sec)",
                                       "Fuel Flow (lbm/hr)",
                                       "Thrust (lbf)"};
constexpr ReferenceLabels kReadSI{"  PARAMETER                REFERENCE",
                                  "MO",
                                  "T0 (K)",
                                  "P0 (kPa)",
                                  "Alt (m)",
                                  "Tt4 (K)",
                                  "Tt7 (K)",
                                  "M5",
                                  "Pi D",
                                  "Pi c'",
                                  "Tau c'",
                                  "Pi cH",
                                  "Tau cH",
                                  "Alpha",
                                  "Pi c",
                                  "Tau c",
                                  nullptr,
                                  "Tau tL",
                                  "f",
                                  "f AB",
                                  "fO",
                                  "S [(mg/ses)/N]",
                                  "F/m0 [m/(kg/sec)]",
                                  "Air Flow (kg/sec)",
                                  "Fuel Flow (mg/sec)",
                                  "Thrust (N)"};
constexpr ReferenceLabels kActivationEnglish{"  PARAMETER              REFERENCE",
                                             "MO",
                                             "T0 (R)",
                                             "P0 (psia)",
                                             "Alt (ft)",
                                             "Tt4 (R)",
                                             "Tt7 (R)",
                                             "M5",
                                             "Pi D",
                                             "Pi C'",
                                             "Tau C'",
                                             "Pi CH",
                                             "Tau CH",
                                             "Alpha",
                                             "Pi C",
                                             "Tau C",
                                             "Pi TL",
                                             "Tau TL",
                                             "f",
                                             "f AB",
                                             "fo",
                                             "S [(lbm/hr)/lbf]",
                                             "F/m0 [lbf/(lbm/sec)]",
                                             "Air Flow (lbm/sec)",
                                             "Fuel Flow (lbm/hr)",
                                             "Thrust (lbf)"};
constexpr ReferenceLabels kActivationSI{"  PARAMETER              REFERENCE",
                                        "MO",
                                        "T0 (K)",
                                        "P0 (kPa)",
                                        "Alt (m)",
                                        "Tt4 (K)",
                                        "Tt7 (K)",
                                        "M5",
                                        "Pi D",
                                        "Pi C'",
                                        "Tau C'",
                                        "Pi CH",
                                        "Tau CH",
                                        "Alpha",
                                        "Pi C",
                                        "Tau C",
                                        "Pi TL",
                                        "Tau TL",
                                        "f",
                                        "f AB",
                                        "fo",
                                        "S [mg/(N-sec)]",
                                        "F/m0 [N/(kg/sec)]",
                                        "Air Flow  (kg/sec)",
                                        "Fuel Flow (mg/sec)",
                                        "Thrust (N)"};

std::string padRight(const char* text, std::size_t width) {
    std::string s(text);
    if (s.size() < width) s.append(width - s.size(), ' ');
    return s;
}

} // namespace

ReferenceReadResult readReferenceText(ProjectData& project, std::string_view text, const std::string& path) {
    NumberReader in(text);
    EngineData e = project.engine;
    auto readError = [&] { return failure(kReadErrorTitle, kReadErrorMessage, path + ", " + in.problem()); };

    int16_t fileCode = 0;
    if (!in.integer(fileCode, "the file code (22 or more)")) return readError();
    if (fileCode < kReferenceFileCode)
        return failure(kNotReferenceTitle, kNotReferenceMessage,
                       path + ": the file code is " + std::to_string(fileCode) +
                           "; a reference file has 22 or more");

    float discard = 0;
    auto numbered = [](const char* what, int i) { return std::string(what) + " " + std::to_string(i); };
    for (int i = 1; i <= 45; ++i)
        if (!in.single(discard, numbered("design record value", i))) return readError();
    for (int i = 1; i <= 32; ++i)
        if (!in.single(e.engine.component[i], numbered("component value", i))) return readError();
    for (int i = 1; i <= 56; ++i)
        if (!in.single(e.engine.reference[i], numbered("reference value", i))) return readError();
    for (int i = 1; i <= 7; ++i)
        if (!in.single(e.controls[i], numbered("engine control", i))) return readError();
    for (int i = 1; i <= 3; ++i)
        if (!in.single(discard, numbered("discarded value", i))) return readError();
    for (int i = 11; i <= 15; ++i)
        if (!in.single(e.controls[i], numbered("engine control", i))) return readError();
    float type = 0;
    if (!in.single(type, "the engine type (1 to 7)")) return readError();
    int16_t first = 0, marker = 0, unitFlag = kEnglish, extra = 0;
    if (!in.integer(first, "the integer before the marker") ||
        !in.integer(marker, "the marker (42 announces the unit flag)"))
        return readError();
    if (marker == kReferenceUnitMarker) {
        if (!in.integer(unitFlag, "the unit flag (1 English, 2 SI)") ||
            !in.integer(extra, "the integer after the unit flag"))
            return readError();
    }
    // A file that ends inside its last value (no separator or line end after it) was cut: a marker 4
    // that was 42 would silently turn an SI engine into an English one.
    if (in.lastValueCut()) {
        in.refuse(marker == kReferenceUnitMarker ? "the integer after the unit flag"
                                                 : "the marker (42 announces the unit flag)",
                  "the file ends inside this number: it was cut");
        return readError();
    }
    // The engine controls a project keeps in range are refused here already, in the file's units: a
    // project could not be saved with them.
    const bool fileSI = (marker == kReferenceUnitMarker ? unitFlag : kEnglish) != kEnglish;
    for (int i = 1; i <= 15; ++i) {
        const EngineControlRange& r = engineControlRange(i);
        if (r.key.empty() || (i >= 8 && i <= 10)) continue; // 8 to 10 are the project's, not the file's
        const std::string problem = fieldValueProblem(*findFieldRange(r.key), e.controls[i], fileSI, r.what);
        if (!problem.empty()) return failure(kReadErrorTitle, kReadErrorMessage, path + ": " + problem);
    }
    // The engine type is read as a number; a type outside 1..7 cannot be run.
    const double wholeType = std::nearbyint(type);
    if (wholeType < 1 || wholeType > 7)
        return failure(kReadErrorTitle, kReadErrorMessage,
                       path + ": the engine type is " + plainText(type) + "; expected a type from 1 to 7");
    e.setup[kSetupEngineType] = static_cast<int16_t>(wholeType);
    e.referenceUnitFlag = marker == kReferenceUnitMarker ? unitFlag : kEnglish;

    // Post-read steps.
    int16_t& t = e.setup[kSetupEngineType];
    if ((t == 4 || t == 5) && e.engine.reference[19] == 0.0f) t = static_cast<int16_t>(t - 3);
    e.tt4MaxSetting = e.controls[5];
    e.tt7MaxSetting = e.controls[6];
    e.fileName = path;
    project.engine = e;
    project.thrustModel = 7;
    project.tsfcModel = 7;

    ReferenceReadResult r;
    r.ok = true;
    r.extraFlag = extra;
    r.listing = referenceListing(project.engine, project.engine.referenceUnitFlag != kEnglish,
                                 ListingLabels::AfterRead);
    return r;
}

ReferenceReadResult ReadReferenceFile(ProjectData& project, const std::string& path) {
    std::string text, error;
    if (!readBoundedFile(path, text, error)) return failure(kReadErrorTitle, kReadErrorMessage, error);
    return readReferenceText(project, text, path);
}

std::string referenceListing(const EngineData& engine, bool si, ListingLabels set) {
    const bool read = set == ListingLabels::AfterRead;
    const char* const* comp = read ? kComponentLabelsRead : kComponentLabelsActivation;
    const auto& c = engine.engine.component;
    const auto& r = engine.engine.reference;
    const int16_t type = engine.setup[kSetupEngineType];
    auto value = [&](int k) { return k == 18 ? Str(c[k]) : formatPattern(c[k], "0.0000"); };

    ReportBuffer out;
    for (const Pair& p : kComponentPairs)
        out.line("  " + std::string(comp[p.first]) + value(p.first) + "   " + comp[p.second] +
                 value(p.second));

    const ReferenceLabels& L =
        read ? (si ? kReadSI : kReadEnglish) : (si ? kActivationSI : kActivationEnglish);
    const std::size_t width = read ? 25 : 24;
    out.line(L.header);
    auto line = [&](const char* label, float v) {
        out.line("  " + padRight(label, width) + formatPattern(v, "0.0000"));
    };
    line(L.m0, r[1]);
    line(L.t0, r[2]);
    // The pressure is stored in Pa in SI; the listing shows it in the kPa of its label.
    line(L.p0, si ? r[3] / 1000.0f : r[3]);
    line(L.alt, r[4]);
    line(L.tt4, r[5]);
    if (type == 2 || type == 5) line(L.tt7, r[6]);
    if (type == 4 || type == 5) line(L.m5, r[7]);
    line(L.pid, r[12]);
    if (type < 6) {
        line(L.picp, r[13]);
        line(L.taucp, r[14]);
        line(L.pich, r[15]);
        line(L.taucH, r[16]);
        line(L.alpha, r[19]);
    } else if (type == 6) {
        line(L.pic, r[15]);
        line(L.tauc, r[16]);
        if (L.pitl) line(L.pitl, r[17]);
        line(L.tautl, r[18]);
    }
    line(L.f, r[20]);
    if (type == 2 || type == 5) line(L.fab, r[21]);
    line(L.fo, r[22]);
    line(L.s, r[23]);
    line(L.fm0, r[24]);
    line(L.air, r[25]);
    line(L.fuel, r[26]);
    out.line("  " + padRight(L.thrust, width) + Str(r[27]));
    // The gas model, listed for engines designed with variable gas properties only (position 55), so the
    // listing of a constant-cp engine keeps its lines.
    if (r[55] == kVariableGas) {
        out.line("  " + padRight("Gas Model", width) + "Variable");
        line("Fuel H/C", r[56]);
    }
    return out.text();
}

std::string engineTypeName(int16_t type) {
    switch (type) {
    case 1:
        return "Turbojet";
    case 2:
        return "Turbojet w/AB";
    case 3:
        return "Turbofan";
    case 4:
        return "Turbofan mixed";
    case 5:
        return "Turbofan w/AB";
    case 6:
        return "Turboprop";
    default:
        return "";
    }
}

namespace {

float* fieldSlot(EngineData& e, EngineDataField field) {
    switch (field) {
    case EngineDataField::MaxCompressorRatio:
        return &e.controls[11];
    case EngineDataField::MaxPt3:
        return &e.controls[12];
    case EngineDataField::MaxTt3:
        return &e.controls[13];
    case EngineDataField::MaxLowSpoolSpeed:
        return &e.controls[14];
    case EngineDataField::MaxHighSpoolSpeed:
        return &e.controls[15];
    case EngineDataField::MaxTt4:
        return &e.tt4MaxSetting;
    case EngineDataField::MaxTt7:
        return &e.tt7MaxSetting;
    case EngineDataField::ConstantLoss:
        return &e.controls[8];
    case EngineDataField::InletCaptureArea:
        return &e.controls[16];
    case EngineDataField::AfterbodyArea:
        return &e.controls[17];
    case EngineDataField::AfterbodyLength:
        return &e.controls[18];
    case EngineDataField::EngineCount:
        return nullptr;
    }
    return nullptr;
}

bool isAreaOrLength(EngineDataField field) {
    return field == EngineDataField::InletCaptureArea || field == EngineDataField::AfterbodyArea ||
           field == EngineDataField::AfterbodyLength;
}

} // namespace

void commitEngineDataField(EngineData& engine, EngineDataField field, std::string_view text) {
    double v = leadingNumber(text);
    if (!std::isfinite(v)) v = 0;
    if (field == EngineDataField::EngineCount) {
        const double whole = std::trunc(v);
        engine.setup[kSetupEngineCount] = whole < 1 ? 1 : whole > 32767 ? 32767 : static_cast<int16_t>(whole);
        return;
    }
    const double top = std::numeric_limits<float>::max();
    if (v > top) v = top;
    float stored = static_cast<float>(v);
    if (isAreaOrLength(field)) {
        if (stored <= 0) stored = 0.01f;
    } else if (stored < 0) {
        stored = 0;
    }
    *fieldSlot(engine, field) = stored;
}

float engineDataFieldValue(const EngineData& engine, EngineDataField field) {
    if (field == EngineDataField::EngineCount) return engine.setup[kSetupEngineCount];
    return *fieldSlot(const_cast<EngineData&>(engine), field);
}

void chooseLossModel(EngineData& engine, int16_t option) {
    if (option == 1 || option == 3) engine.setup[kSetupLossModel] = option;
}

} // namespace vededa
