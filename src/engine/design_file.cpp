// The design file as a list of values: the keys a design form offers, splitting a design file's text
// into its values and writing them back, and the safe write of generated files.
#include "engine/engine_design.h"

#include <cctype>
#include <cstdio>
#include <fstream>

namespace vededa {

namespace {

std::string trim(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
    return std::string(s.substr(b, e - b));
}

bool sameKey(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

} // namespace

const std::vector<DesignKey>& designKeys() {
    static const std::vector<DesignKey> keys = {
        {"type", "engine type: 1 jet, 2 jet AB, 3 fan, 4 mixed fan, 5 mixed fan AB, 6 prop, 7 ducted"},
        {"units", "1 English (ft, R, psia, lbm/s, lbf), 2 SI (m, K, Pa, kg/s, N)", "1|2"},
        {"M0", "design flight Mach number"},
        {"alt", "design altitude [ft or m]"},
        {"T0", "ambient temperature instead of the table atmosphere [R or K]"},
        {"P0", "ambient pressure instead of the table atmosphere [psia or Pa]"},
        {"Tt4", "burner exit total temperature [R or K]"},
        {"Tt7", "afterburner exit total temperature, types 2 and 5 [R or K]"},
        {"pifan", "fan / low-pressure compressor pressure ratio"},
        {"pihpc", "high-pressure compressor pressure ratio (turboprop compressor)"},
        {"alpha", "bypass ratio (types 3-5)"},
        {"pt5ratio", "types 4, 5 without alpha: Pt5'/Pt5 at the mixer to solve the bypass ratio for"},
        {"M5", "mixer core-inlet Mach number (types 4, 5)"},
        {"M9", "turboprop core-nozzle exit Mach number (0.1-1)"},
        {"etaprop", "turboprop reference propeller efficiency"},
        {"etagear", "turboprop gearbox efficiency"},
        {"P0P9", "exit pressure ratio P0/P9 of a choked jet, or conv for a convergent nozzle"},
        {"mdot", "design air mass flow [lbm/s or kg/s]"},
        {"thrust", "size the engine for this thrust instead [lbf or N]"},
        {"CTOL", "low-spool power take-off coefficient"},
        {"CTOH", "high-spool power take-off coefficient"},
        {"PTOL", "low-spool take-off power instead [hp or kW]"},
        {"PTOH", "high-spool take-off power instead [hp or kW]"},
        {"pidmax", "diffuser maximum total-pressure ratio"},
        {"pib", "burner total-pressure ratio"},
        {"piAB", "afterburner total-pressure ratio (1 for types 1 and 4)"},
        {"pin", "core nozzle total-pressure ratio"},
        {"pinp", "fan nozzle / bypass duct total-pressure ratio"},
        {"etab", "burner efficiency"},
        {"etaAB", "afterburner efficiency"},
        {"etamH", "high-spool mechanical efficiency"},
        {"etamL", "low-spool mechanical efficiency"},
        {"etamPL", "low-spool power take-off efficiency"},
        {"etamPH", "high-spool power take-off efficiency"},
        {"etacp", "fan efficiency (isentropic unless efficiencies = polytropic)"},
        {"etacH", "high-pressure compressor efficiency"},
        {"etatH", "high-pressure turbine efficiency"},
        {"etatL", "low-pressure turbine efficiency"},
        {"hPR", "fuel heating value [BTU/lbm or kJ/kg]"},
        {"cpc", "specific heat of the compression gas [BTU/(lbm R) or kJ/(kg K)]"},
        {"cpt", "specific heat of the turbine gas [BTU/(lbm R) or kJ/(kg K)]"},
        {"cpAB", "specific heat of the afterburner gas [BTU/(lbm R) or kJ/(kg K)]"},
        {"gammac", "ratio of specific heats of the compression gas"},
        {"gammat", "ratio of specific heats of the turbine gas"},
        {"gammaAB", "ratio of specific heats of the afterburner gas"},
        {"piMmax", "maximum mixer total-pressure ratio"},
        {"beta", "bleed air fraction"},
        {"eps1", "first cooling air fraction (mixer 1)"},
        {"eps2", "second cooling air fraction (mixer 2)"},
        {"cprmax", "limit: maximum compressor pressure ratio (0 = none)"},
        {"pt3max", "limit: maximum Pt3 [psia or Pa] (0 = none)"},
        {"tt3max", "limit: maximum Tt3 [R or K] (0 = none)"},
        {"nlmax", "limit: maximum low-spool speed [% of reference] (0 = none)"},
        {"nhmax", "limit: maximum high-spool speed [% of reference] (0 = none)"},
        {"Tt4max", "maximum Tt4 written into the file [R or K] (default Tt4)"},
        {"Tt7max", "maximum Tt7 written into the file [R or K] (default Tt7)"},
        {"gas", "gas model: constant (two constant-cp gases) or variable (real-gas properties)",
         "constant|variable"},
        {"HC", "fuel hydrogen/carbon atom ratio of the variable gas (default 2, kerosene)"},
        {"efficiencies", "etacp, etacH, etatH, etatL are isentropic (default) or polytropic",
         "isentropic|polytropic"},
        {"spools", "1 for a single-spool turbojet (types 1, 2; compressor as pihpc, etacH), default 2",
         "1|2"},
    };
    return keys;
}

std::vector<DesignValue> designFileValues(std::string_view text) {
    std::vector<DesignValue> out;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view raw = text.substr(start, end - start);
        start = end + 1;
        const std::string line = trim(raw.substr(0, raw.find('#')));
        if (line.empty()) continue;
        const std::size_t eq = line.find('=');
        DesignValue v;
        v.key = trim(std::string_view(line).substr(0, eq));
        if (eq != std::string::npos) v.value = trim(std::string_view(line).substr(eq + 1));
        for (const DesignKey& k : designKeys())
            if (sameKey(v.key, k.key)) v.key = k.key;
        out.push_back(std::move(v));
    }
    return out;
}

std::string designFileText(const std::vector<DesignValue>& values) {
    std::string out;
    for (const DesignValue& v : values) {
        if (trim(v.value).empty()) continue;
        out += v.key + " = " + trim(v.value) + "\n";
    }
    return out;
}

std::string writeFileSafely(const std::string& path, const std::string& text) {
    const std::string tmp = path + ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        out << text;
        if (!out.flush()) {
            std::remove(tmp.c_str());
            return "cannot write " + path;
        }
    }
    if (std::rename(tmp.c_str(), path.c_str()) != 0) {
        std::remove(tmp.c_str());
        return "cannot write " + path;
    }
    return "";
}

} // namespace vededa
