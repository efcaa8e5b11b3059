#include "app/project_file.h"

#include "output/number_format.h"
#include "output/report.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
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
            fail(where, ", found \"" + std::string(token) + "\"");
        return v;
    }

    void read(NumField f) {
        const std::string_view token = numberToken(f.where);
        const double v = parseNumber(token, f.where);
        if (std::fabs(v) > 3.4028234663852886e38)
            fail(f.where, ", found \"" + std::string(token) + "\" (out of range)");
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
            fail(f.where, std::string(range) + ", found \"" + std::string(token) + "\"");
        }
        f.value = static_cast<int16_t>(v);
        col_ += token.size();
        afterNumber();
    }

    std::string textOfLine(const Where& where) {
        if (line_ >= lines_.size()) fail(where, "");
        std::string_view rest = lines_[line_].substr(std::min(col_, lines_[line_].size()));
        while (!rest.empty() && isBlank(rest.front())) rest.remove_prefix(1);
        if (!rest.empty() && rest.front() == '"') {
            rest.remove_prefix(1);
            const auto close = rest.find('"');
            if (close != std::string_view::npos) rest = rest.substr(0, close);
        }
        ++line_, col_ = 0;
        return std::string(rest);
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
            fail(f.where,
                 std::string(" (a letter ") + f.first + " to " + f.last + "), found \"" + text + "\"");
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

  private:
    ReportBuffer out_;
    void write(const TextField& f) { out_.append(f.value); }
    void write(const LetterField& f) { out_.append(f.value); }
    void write(const IntField& f) {
        out_.append(Str(static_cast<int>(f.value)));
        out_.append(" ");
    }
    void write(const NumField& f) {
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
              NumField{p.contour.altitude[1], {"the contour altitude minimum"}},
              NumField{p.contour.altitude[2], {"the contour altitude maximum"}},
              NumField{p.contour.altitude[3], {"the contour altitude increment"}});
    for (int k = 1; k <= p.constraintCount; ++k) {
        Constraint& c = p.constraints[static_cast<std::size_t>(k)];
        io.record(LetterField{c.type, 'A', 'J', {"the type letter of constraint %d", k}});
        io.record(TextField{c.name, {"the name of constraint %d", k}});
        for (int i = 1; i <= kConstraintParameters; ++i)
            io.record(NumField{c.p[i], {"parameter %d of constraint %d", i, k}});
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
    if (p.thrustModel <= 4) io.record(NumField{p.throttleRatio, {"the throttle ratio TR"}});
    if (p.thrustModel == 5)
        io.record(NumField{p.userThrust[1], {"user thrust coefficient 1"}},
                  NumField{p.userThrust[2], {"user thrust coefficient 2"}},
                  NumField{p.userThrust[3], {"user thrust coefficient 3"}},
                  NumField{p.userThrust[4], {"user thrust coefficient 4"}},
                  NumField{p.throttleRatio, {"the throttle ratio TR"}});
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
        for (int i = 1; i <= 18; ++i) io.record(NumField{e.controls[i], {"engine control %d", i}});
    }
    if (Io::writing || p.fileVersion == 126)
        io.record(IntField{p.unitSystem, 1, 2, {"the unit system at the end of the file (1 English, 2 SI)"}});
    transferSizing(io, p.sizing);
}

bool readWholeFile(const std::string& path, std::string& text, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": cannot open the file for reading (" + std::strerror(errno) + ")";
        return false;
    }
    std::ostringstream ss;
    ss << in.rdbuf();
    if (in.bad()) {
        error = path + ": read error";
        return false;
    }
    text = ss.str();
    return true;
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
    if (!readWholeFile(path, text, error)) return FileResult{false, error, 0};
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
    const std::string text = projectText(project);
    std::string tmpl = path + ".XXXXXX";
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
    if (::stat(path.c_str(), &st) == 0)
        ::fchmod(fd, st.st_mode & 07777);
    else
        ::fchmod(fd, 0644);
    if (::fsync(fd) != 0) return failWith("cannot flush the file to disk");
    if (::close(fd) != 0) {
        const std::string reason = std::strerror(errno);
        ::unlink(tmp.c_str());
        return FileResult{false, path + ": write error (" + reason + "); the previous file is unchanged", 0};
    }
    if (::rename(tmp.c_str(), path.c_str()) != 0) {
        const std::string reason = std::strerror(errno);
        ::unlink(tmp.c_str());
        return FileResult{
            false, path + ": cannot replace the file (" + reason + "); the previous file is unchanged", 0};
    }
    return {};
}

} // namespace vededa
