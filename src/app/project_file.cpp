#include "app/project_file.h"

#include "app/bounded_read.h"
#include "app/field_ranges.h"
#include "output/number_format.h"
#include "output/report.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace vededa {

namespace {

// ---------------------------------------------------------------------------------------------
// Fields of a record. One description of the file (transferProject) drives both the reader and the
// writer, so that a field added to one cannot be missing from the other.

/// Where a field sits, for messages: a printf pattern with up to two numbers.
struct Where {
    const char* what;
    int a = 0;
    int b = 0;
    std::string text() const {
        char buf[160];
        std::snprintf(buf, sizeof buf, what, a, b);
        return buf;
    }
};

struct TextField {
    std::string& value;
    Where where;
};
struct IntField {
    int16_t& value;
    int lo;
    int hi;
    Where where;
};
struct NumField {
    float& value;
    Where where;
    /// The physical range the value must lie in (nullptr: any finite number) and the unit system it is
    /// in.
    const FieldRange* range = nullptr;
    bool si = false;
    /// Why the value cannot stand in a project file; empty when it can.
    std::string rangeProblem(float v) const {
        return range ? fieldValueProblem(*range, v, si, where.text()) : std::string();
    }
};
/// A one-letter type code from `first` to `last`.
struct LetterField {
    std::string& value;
    char first;
    char last;
    Where where;
};

struct ParseError {
    int line;
    std::string message;
};

/// Text for a message: control characters shown as \xNN, so that a message never carries them raw.
std::string escapedText(std::string_view text) {
    std::string out;
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", u);
            out += buf;
        } else {
            out += c;
        }
    }
    return out;
}

/// Whether the reader would not give `text` back when it stands alone on its line: leading or
/// trailing blanks, a leading quote. Such text is written in quotes with inner quotes doubled.
bool needsQuotes(std::string_view text) {
    if (text.empty()) return false;
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    return blank(text.front()) || blank(text.back()) || text.front() == '"';
}

class Reader {
  public:
    static constexpr bool writing = false;

    explicit Reader(std::string_view text) {
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string_view::npos) end = text.size();
            std::string_view line = text.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            lines_.push_back(line);
            start = end + 1;
        }
    }

    template <typename... Fields> void record(Fields... fields) { (read(fields), ...); }

  private:
    std::vector<std::string_view> lines_;
    std::size_t line_ = 0; // current line index
    std::size_t col_ = 0;  // position within the current line

    static bool isBlank(char c) { return c == ' ' || c == '\t'; }
    static bool isControl(char c) { return (static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7f; }

    [[noreturn]] void fail(const Where& where, const std::string& found) const {
        if (line_ >= lines_.size())
            throw ParseError{static_cast<int>(lines_.size()) + 1,
                             "unexpected end of file where " + where.text() + " was expected"};
        throw ParseError{static_cast<int>(line_) + 1, "expected " + where.text() + found};
    }

    /// After a numeric field: skip blanks and one comma; a line with nothing left moves on to the next.
    void afterNumber() {
        const std::string_view l = lines_[line_];
        while (col_ < l.size() && isBlank(l[col_])) ++col_;
        if (col_ < l.size() && l[col_] == ',') ++col_;
        while (col_ < l.size() && isBlank(l[col_])) ++col_;
        if (col_ >= l.size()) ++line_, col_ = 0;
    }

    std::string_view numberToken(const Where& where) {
        for (;;) {
            if (line_ >= lines_.size()) fail(where, "");
            const std::string_view l = lines_[line_];
            while (col_ < l.size() && isBlank(l[col_])) ++col_;
            if (col_ < l.size()) break;
            ++line_, col_ = 0; // numbers may continue on the next line; empty lines are skipped
        }
        const std::string_view l = lines_[line_];
        std::size_t end = col_;
        while (end < l.size() && !isBlank(l[end]) && l[end] != ',') ++end;
        std::string_view token = l.substr(col_, end - col_);
        if (token.empty()) fail(where, ", found an empty field");
        return token;
    }

    double parseNumber(std::string_view token, const Where& where) {
        std::string_view t = token;
        if (!t.empty() && t.front() == '+') t.remove_prefix(1);
        double v = 0;
        const auto res = std::from_chars(t.data(), t.data() + t.size(), v);
        if (res.ec != std::errc() || res.ptr != t.data() + t.size() || !std::isfinite(v) || t.empty())
            fail(where, ", found \"" + escapedText(token) + "\"");
        return v;
    }

    void read(NumField f) {
        const std::string_view token = numberToken(f.where);
        const double v = parseNumber(token, f.where);
        if (std::fabs(v) > 3.4028234663852886e38)
            fail(f.where, ", found \"" + escapedText(token) + "\" (out of range)");
        const std::string problem = f.rangeProblem(static_cast<float>(v));
        if (!problem.empty()) throw ParseError{static_cast<int>(line_) + 1, problem};
        f.value = static_cast<float>(v);
        col_ += token.size();
        afterNumber();
    }

    void read(IntField f) {
        const std::string_view token = numberToken(f.where);
        const double v = parseNumber(token, f.where);
        if (v != std::floor(v) || v < f.lo || v > f.hi) {
            char range[64];
            std::snprintf(range, sizeof range, " (a whole number from %d to %d)", f.lo, f.hi);
            fail(f.where, std::string(range) + ", found \"" + escapedText(token) + "\"");
        }
        f.value = static_cast<int16_t>(v);
        col_ += token.size();
        afterNumber();
    }

    /// A text field: the rest of the line, leading blanks skipped. A text that begins with a double
    /// quote ends at the closing quote, and a doubled quote inside stands for one quote; nothing but
    /// blanks may follow the closing quote. Control characters (other than the tab) are refused.
    std::string textOfLine(const Where& where) {
        if (line_ >= lines_.size()) fail(where, "");
        std::string_view rest = lines_[line_].substr(std::min(col_, lines_[line_].size()));
        while (!rest.empty() && isBlank(rest.front())) rest.remove_prefix(1);
        for (char c : rest)
            if (isControl(c)) fail(where, ", found a control character in \"" + escapedText(rest) + "\"");
        std::string text;
        if (!rest.empty() && rest.front() == '"') {
            std::size_t i = 1;
            bool closed = false;
            for (; i < rest.size(); ++i) {
                if (rest[i] != '"') {
                    text += rest[i];
                } else if (i + 1 < rest.size() && rest[i + 1] == '"') {
                    text += '"';
                    ++i;
                } else {
                    closed = true;
                    ++i;
                    break;
                }
            }
            std::string_view after = closed ? rest.substr(i) : std::string_view();
            while (!after.empty() && isBlank(after.front())) after.remove_prefix(1);
            if (!after.empty())
                fail(where, ", found text after the closing quote in \"" + escapedText(rest) +
                                "\" (write a quote inside quotes as two quotes)");
        } else {
            text = std::string(rest);
        }
        ++line_, col_ = 0;
        return text;
    }

    void read(TextField f) { f.value = textOfLine(f.where); }

  public:
    /// Whether the next line that is not empty is `heading` (blanks around it ignored); skips the empty
    /// lines before it. Past the end of the file: false.
    bool blockFollows(std::string_view heading) {
        if (col_ != 0) ++line_, col_ = 0;
        while (line_ < lines_.size()) {
            std::string_view l = lines_[line_];
            while (!l.empty() && isBlank(l.front())) l.remove_prefix(1);
            while (!l.empty() && isBlank(l.back())) l.remove_suffix(1);
            if (!l.empty()) return l == heading;
            ++line_;
        }
        return false;
    }

  private:
    void read(LetterField f) {
        std::string text = textOfLine(f.where);
        while (!text.empty() && isBlank(text.back())) text.pop_back();
        if (text.size() != 1 || std::toupper(static_cast<unsigned char>(text[0])) < f.first ||
            std::toupper(static_cast<unsigned char>(text[0])) > f.last) {
            --line_;
            fail(f.where, std::string(" (a letter ") + f.first + " to " + f.last + "), found \"" +
                              escapedText(text) + "\"");
        }
        f.value = std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(text[0]))));
    }
};

class Writer {
  public:
    static constexpr bool writing = true;

    template <typename... Fields> void record(Fields... fields) {
        (write(fields), ...);
        out_.line();
    }
    ReportBuffer& buffer() { return out_; }
    /// The first field whose value is not finite; such a project cannot be written.
    const std::string& nonFiniteField() const { return nonFinite_; }
    /// Why the first field outside its physical range is refused; such a project would not read back.
    const std::string& outOfRange() const { return outOfRange_; }

  private:
    ReportBuffer out_;
    std::string nonFinite_;
    std::string outOfRange_;
    void write(const TextField& f) {
        if (!needsQuotes(f.value)) {
            out_.append(f.value);
            return;
        }
        std::string quoted = "\"";
        for (char c : f.value) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
        out_.append(quoted + "\"");
    }
    void write(const LetterField& f) { out_.append(f.value); }
    void write(const IntField& f) {
        out_.append(Str(static_cast<int>(f.value)));
        out_.append(" ");
    }
    void write(const NumField& f) {
        if (!std::isfinite(f.value) && nonFinite_.empty()) nonFinite_ = f.where.text();
        if (std::isfinite(f.value) && outOfRange_.empty()) outOfRange_ = f.rangeProblem(f.value);
        out_.append(fileNumber(f.value));
        out_.append(" ");
    }
};

/// The line that opens the optional sizing block after the last record.
constexpr std::string_view kSizingBlockMarker = "Sizing Chart";

/// The sizing chart settings: an optional block after the last record, written only when the project
/// has its own settings. A reader of files without the block ignores nothing and finds nothing; a file
/// without it leaves the project without sizing settings (the chart's defaults).
template <typename Io> void transferSizing(Io& io, SizingSettings& s) {
    if constexpr (Io::writing) {
        if (!s.stored) return;
    } else {
        if (!io.blockFollows(kSizingBlockMarker)) {
            s = SizingSettings{};
            return;
        }
        s.stored = true;
    }
    std::string marker(kSizingBlockMarker);
    io.record(TextField{marker, {"the sizing block heading"}});
    int16_t closure = s.closure ? 1 : 0;
    io.record(NumField{s.wsMin, {"the sizing W/S minimum"}}, NumField{s.wsMax, {"the sizing W/S maximum"}},
              IntField{s.wsCount, 2, kMaxSizingPoints, {"the number of sizing W/S points (2 to 401)"}},
              NumField{s.twMin, {"the sizing T/W minimum"}}, NumField{s.twMax, {"the sizing T/W maximum"}},
              IntField{s.twCount, 2, kMaxSizingPoints, {"the number of sizing T/W points (2 to 401)"}});
    io.record(IntField{closure, 0, 1, {"the sizing weight closure flag (0 or 1)"}},
              NumField{s.emptyA, {"the empty-weight coefficient A"}},
              NumField{s.emptyC, {"the empty-weight exponent C"}},
              NumField{s.crewWeight, {"the crew weight"}}, NumField{s.payloadKept, {"the payload kept"}},
              NumField{s.payloadReleased, {"the payload released"}});
    s.closure = closure == 1;
}

/// The record order of a project file. The conditions read values that the reader has already read.
template <typename Io> void transferProject(Io& io, ProjectData& p) {
    // A value with a physical range (altitudes, Mach numbers, throttle ratio, engine limits) is refused
    // outside it, in the unit system of the file. Values a calculation may write back (the best cruise
    // altitude of a leg) and values a fresh engine leaves at 0 (T0, P0, Tt4) are not checked here; the
    // calculations refuse them with their own report line.
    auto ranged = [&p](float& value, Where where, std::string_view key) {
        return NumField{value, where, findFieldRange(key), p.unitSystem == kSI};
    };
    io.record(TextField{p.fileIdentification, {"the file identification (line 1)"}});
    io.record(IntField{p.fileVersion, -32768, 32767, {"the file version number"}});
    io.record(IntField{p.unitSystem, 1, 2, {"the unit system (1 English, 2 SI)"}});
    io.record(IntField{p.constraintCount, 0, kMaxConstraints, {"the number of constraints"}},
              IntField{p.legCount, 0, kMaxLegs, {"the number of mission legs"}},
              IntField{p.dragModel, 0, 7, {"the drag model"}},
              IntField{p.thrustModel, 0, 7, {"the thrust model"}},
              IntField{p.tsfcModel, 0, 7, {"the TSFC model"}});
    io.record(TextField{p.picturePath, {"the picture file path"}});
    io.record(
        NumField{p.wsAxis[1], {"the W/S axis minimum"}}, NumField{p.wsAxis[2], {"the W/S axis maximum"}},
        NumField{p.wsAxis[3], {"the W/S axis increment"}}, NumField{p.twAxis[1], {"the T/W axis minimum"}},
        NumField{p.twAxis[2], {"the T/W axis maximum"}}, NumField{p.twAxis[3], {"the T/W axis increment"}});
    io.record(NumField{p.wingLoading, {"the wing loading W/S"}},
              NumField{p.thrustLoading, {"the thrust loading T/W"}},
              NumField{p.contour.beta, {"the contour weight fraction"}},
              IntField{p.contour.afterburner, 0, 1, {"the contour afterburner flag (0 or 1)"}});
    io.record(NumField{p.contour.velocity[1], {"the contour velocity minimum"}},
              NumField{p.contour.velocity[2], {"the contour velocity maximum"}},
              NumField{p.contour.velocity[3], {"the contour velocity increment"}},
              ranged(p.contour.altitude[1], {"the contour altitude minimum"}, "alt-k"),
              ranged(p.contour.altitude[2], {"the contour altitude maximum"}, "alt-k"),
              NumField{p.contour.altitude[3], {"the contour altitude increment"}});
    for (int k = 1; k <= p.constraintCount; ++k) {
        Constraint& c = p.constraints[static_cast<std::size_t>(k)];
        io.record(LetterField{c.type, 'A', 'J', {"the type letter of constraint %d", k}});
        io.record(TextField{c.name, {"the name of constraint %d", k}});
        for (int i = 1; i <= kConstraintParameters; ++i)
            io.record(i == 2 ? ranged(c.p[i], {"the altitude (parameter 2) of constraint %d", k}, "alt")
                             : NumField{c.p[i], {"parameter %d of constraint %d", i, k}});
    }
    io.record(NumField{p.wingLoading, {"the mission wing loading W/S"}},
              NumField{p.thrustLoading, {"the mission thrust loading T/W"}},
              NumField{p.betaStart[1], {"the weight fraction at the start of the mission"}},
              NumField{p.aircraft[kAircraftTakeoffWeight], {"the takeoff weight"}},
              NumField{p.aircraft[kAircraftDeckThrottleRatio], {"the cycle-deck throttle ratio"}});
    for (int j = 1; j <= p.legCount; ++j) {
        MissionLeg& leg = p.legs[static_cast<std::size_t>(j)];
        io.record(LetterField{leg.type, 'A', 'M', {"the type letter of mission leg %d", j}});
        io.record(TextField{leg.name, {"the name of mission leg %d", j}});
        for (int i = 1; i <= kLegParameters; ++i)
            io.record(NumField{leg.p[i], {"parameter %d of mission leg %d", i, j}});
    }
    if (p.dragModel == 7) {
        io.record(IntField{p.k1Table.count, 0, kMaxDragPoints, {"the number of K1 points (0 to 11)"}},
                  IntField{p.k2Table.count, 0, kMaxDragPoints, {"the number of K2 points (0 to 11)"}},
                  IntField{p.cd0Table.count, 0, kMaxDragPoints, {"the number of CD0 points (0 to 11)"}});
        struct Named {
            DragTable* table;
            const char* mach;
            const char* value;
        };
        for (Named t : {Named{&p.k1Table, "the Mach number of K1 point %d", "the K1 value of point %d"},
                        Named{&p.k2Table, "the Mach number of K2 point %d", "the K2 value of point %d"},
                        Named{&p.cd0Table, "the Mach number of CD0 point %d", "the CD0 value of point %d"}})
            for (int i = 1; i <= t.table->count; ++i)
                io.record(NumField{t.table->mach[i], {t.mach, i}}, NumField{t.table->value[i], {t.value, i}});
    } else if constexpr (!Io::writing) {
        p.k1Table.count = p.k2Table.count = p.cd0Table.count = 0;
    }
    if (p.thrustModel <= 4) io.record(ranged(p.throttleRatio, {"the throttle ratio TR"}, "tr"));
    if (p.thrustModel == 5)
        io.record(NumField{p.userThrust[1], {"user thrust coefficient 1"}},
                  NumField{p.userThrust[2], {"user thrust coefficient 2"}},
                  NumField{p.userThrust[3], {"user thrust coefficient 3"}},
                  NumField{p.userThrust[4], {"user thrust coefficient 4"}},
                  ranged(p.throttleRatio, {"the throttle ratio TR"}, "tr"));
    if (p.tsfcModel == 5)
        io.record(NumField{p.userTsfc[1], {"user TSFC coefficient 1"}},
                  NumField{p.userTsfc[2], {"user TSFC coefficient 2"}},
                  NumField{p.userTsfc[3], {"user TSFC coefficient 3"}},
                  NumField{p.userTsfc[4], {"user TSFC coefficient 4"}});
    if (p.thrustModel == 7) {
        EngineData& e = p.engine;
        if constexpr (Io::writing) {
            e.controls[5] = e.tt4MaxSetting;
            e.controls[6] = e.tt7MaxSetting;
        }
        io.record(TextField{e.fileName, {"the reference engine file name"}});
        io.record(IntField{e.setup[kSetupEngineType], 1, 7, {"the engine type (1 to 7)"}},
                  IntField{e.setup[kSetupEngineCount], 1, 32767, {"the number of engines (at least 1)"}},
                  IntField{e.setup[kSetupLossModel], 1, 3, {"the installation loss model (1 to 3)"}});
        for (int i = 1; i <= 32; ++i)
            io.record(NumField{e.engine.component[i], {"reference engine component value %d", i}});
        for (int i = 1; i <= 56; ++i)
            io.record(NumField{e.engine.reference[i], {"reference engine reference value %d", i}});
        for (int i = 1; i <= 18; ++i) {
            const EngineControlRange& r = engineControlRange(i);
            io.record(r.key.empty() ? NumField{e.controls[i], {"engine control %d", i}}
                                    : ranged(e.controls[i], {r.what}, r.key));
        }
    }
    if (Io::writing || p.fileVersion == 126)
        io.record(IntField{p.unitSystem, 1, 2, {"the unit system at the end of the file (1 English, 2 SI)"}});
    transferSizing(io, p.sizing);
}

/// The temporary file of a save is the target's name with this and six random characters appended.
constexpr const char* kSaveTemporaryInfix = ".saving-";

/// Follows symbolic links from `path` to the file a save must replace (at most 40 links).
bool resolveSaveTarget(const std::string& path, std::string& target, std::string& error) {
    namespace fs = std::filesystem;
    fs::path p = path;
    for (int links = 0; links < 40; ++links) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(p, ec))) {
            target = p.string();
            return true;
        }
        const fs::path next = fs::read_symlink(p, ec);
        if (ec) {
            error = path + ": cannot follow the link (" + ec.message() + "); the project is not saved";
            return false;
        }
        p = next.is_absolute() ? next : p.parent_path() / next;
    }
    error = path + ": too many levels of links; the project is not saved";
    return false;
}

/// Removes what killed saves of `target` left behind: regular files named target + ".saving-" + six
/// characters.
void removeStaleTemporaries(const std::string& target) {
    namespace fs = std::filesystem;
    const fs::path t = target;
    const fs::path folder = t.parent_path().empty() ? fs::path(".") : t.parent_path();
    const std::string prefix = t.filename().string() + kSaveTemporaryInfix;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() == prefix.size() + 6 && name.compare(0, prefix.size(), prefix) == 0 &&
            it->is_regular_file(ec) && !it->is_symlink(ec))
            fs::remove(it->path(), ec);
    }
}

} // namespace

FileResult readProjectText(ProjectData& project, std::string_view text, const std::string& name) {
    ProjectData copy = project;
    try {
        Reader reader(text);
        transferProject(reader, copy);
    } catch (const ParseError& e) {
        return FileResult{false, name + ", line " + std::to_string(e.line) + ": " + e.message, e.line};
    }
    deriveAircraftValues(copy);
    if (copy.thrustModel == 7) {
        copy.engine.tt4MaxSetting = copy.engine.controls[5];
        copy.engine.tt7MaxSetting = copy.engine.controls[6];
    }
    copy.constraintPlotMade = false;
    copy.contourPlotMade = false;
    setupUnits(copy);
    project = std::move(copy);
    return {};
}

FileResult readProject(ProjectData& project, const std::string& path) {
    std::string text;
    std::string error;
    if (!readBoundedFile(path, text, error)) return FileResult{false, error, 0};
    FileResult result = readProjectText(project, text, path);
    if (result) project.projectPath = path;
    return result;
}

std::string projectText(const ProjectData& project) {
    ProjectData copy = project;
    Writer writer;
    transferProject(writer, copy);
    return writer.buffer().text();
}

FileResult writeProject(ProjectData& project, const std::string& path) {
    if (project.thrustModel == 7) {
        // The saved engine controls carry the current temperature limits.
        project.engine.controls[5] = project.engine.tt4MaxSetting;
        project.engine.controls[6] = project.engine.tt7MaxSetting;
    }
    ProjectData copy = project;
    Writer writer;
    transferProject(writer, copy);
    if (!writer.nonFiniteField().empty())
        return FileResult{false,
                          path + ": " + writer.nonFiniteField() +
                              " is not a number (a calculation failed); the project is not saved",
                          0};
    if (!writer.outOfRange().empty())
        return FileResult{false, path + ": " + writer.outOfRange() + "; the project is not saved", 0};
    const std::string text = writer.buffer().text();
    // Saving through a symbolic link writes the file it points to, and keeps the link.
    std::string target;
    std::string error;
    if (!resolveSaveTarget(path, target, error)) return FileResult{false, error, 0};
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode))
        return FileResult{false, path + ": not a regular file; the project is not saved", 0};
    // A file without any write permission is read-only even for the administrator, who may write it.
    if (exists && (::access(target.c_str(), W_OK) != 0 || (existing.st_mode & 0222) == 0))
        return FileResult{false, path + ": the file is read-only; the project is not saved", 0};
    removeStaleTemporaries(target);
    std::string tmpl = target + kSaveTemporaryInfix + "XXXXXX";
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    const int fd = mkstemp(name.data());
    if (fd < 0)
        return FileResult{false, path + ": cannot create a file beside it (" + std::strerror(errno) + ")", 0};
    const std::string tmp(name.data());
    auto failWith = [&](const std::string& what) {
        const std::string reason = std::strerror(errno);
        ::close(fd);
        ::unlink(tmp.c_str());
        return FileResult{false, path + ": " + what + " (" + reason + "); the previous file is unchanged", 0};
    };
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            return failWith("write error");
        }
        written += static_cast<std::size_t>(n);
    }
    // Keep the permissions of an existing file; a new file gets the usual ones.
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0)
        ::fchmod(fd, st.st_mode & 07777);
    else
        ::fchmod(fd, 0644);
    if (::fsync(fd) != 0) return failWith("cannot flush the file to disk");
    if (::close(fd) != 0) {
        const std::string reason = std::strerror(errno);
        ::unlink(tmp.c_str());
        return FileResult{false, path + ": write error (" + reason + "); the previous file is unchanged", 0};
    }
    if (::rename(tmp.c_str(), target.c_str()) != 0) {
        const std::string reason = std::strerror(errno);
        ::unlink(tmp.c_str());
        return FileResult{
            false, path + ": cannot replace the file (" + reason + "); the previous file is unchanged", 0};
    }
    // The rename itself is durable only once the folder is flushed.
    const std::string folder = std::filesystem::path(target).parent_path().string();
    const int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {};
}

} // namespace vededa
