#include "test_support.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace vededa::test {

void expectNear(double actual, double expected, double relTol, const std::string& what) {
    const double scale = std::max(std::fabs(expected), 1e-30);
    EXPECT_LE(std::fabs(actual - expected), relTol * scale)
        << what << ": actual " << actual << ", expected " << expected << " (relative tolerance " << relTol
        << ")";
}

ProjectData freshProject() {
    ProjectData p;
    initializeProject(p);
    return p;
}

std::string dataPath(const std::string& name) {
    return std::string(VEDEDA_TEST_DATA_DIR) + "/" + name;
}

std::string tempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "vededa-test-XXXXXX").string();
    char* made = mkdtemp(tmpl.data());
    return made ? std::string(made) : std::string("/tmp");
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

CliResult runCli(const std::string& args) {
    return runCliWithin(args, 0);
}

CliResult runCliWithin(const std::string& args, int seconds) {
    const std::string bound = seconds > 0 ? "timeout " + std::to_string(seconds) + " " : std::string();
    const std::string command = bound + std::string(VEDEDA_CLI_PATH) + " " + args + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    CliResult result;
    std::array<char, 4096> buf{};
    while (pipe && fgets(buf.data(), buf.size(), pipe)) result.out += buf.data();
    const int status = pipe ? pclose(pipe) : -1;
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

bool segmentCrossesTurnedBox(CanvasPoint a, CanvasPoint b, CanvasPoint c, float degrees, float halfLength,
                             float halfHeight, float margin) {
    const float rad = degrees * 3.14159265f / 180.0f;
    const CanvasPoint along{std::cos(rad), -std::sin(rad)}, across{std::sin(rad), std::cos(rad)};
    const float hl = halfLength - margin, hh = halfHeight - margin;
    auto inside = [&](CanvasPoint p) {
        const float u = (p.x - c.x) * along.x + (p.y - c.y) * along.y;
        const float v = (p.x - c.x) * across.x + (p.y - c.y) * across.y;
        return std::fabs(u) < hl && std::fabs(v) < hh;
    };
    if (inside(a) || inside(b)) return true;
    auto corner = [&](float su, float sv) {
        return CanvasPoint{c.x + su * hl * along.x + sv * hh * across.x,
                           c.y + su * hl * along.y + sv * hh * across.y};
    };
    const CanvasPoint k[4] = {corner(-1, -1), corner(1, -1), corner(1, 1), corner(-1, 1)};
    auto side = [](CanvasPoint p, CanvasPoint q, CanvasPoint r) {
        return (q.x - p.x) * (r.y - p.y) - (q.y - p.y) * (r.x - p.x);
    };
    for (int i = 0; i < 4; ++i) {
        const CanvasPoint p = k[i], q = k[(i + 1) % 4];
        if (side(a, b, p) * side(a, b, q) < 0 && side(p, q, a) * side(p, q, b) < 0) return true;
    }
    return false;
}

} // namespace vededa::test
