// The on-design generator: a reference engine from a design file, with the deck's gas model.
#include "engine/engine_design.h"

#include "app/project_data.h"
#include "engine/design_cycle.h"
#include "engine/gas_dynamics.h"
#include "models/atmosphere.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <sstream>

namespace vededa {

namespace {

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string trim(std::string_view s) {
    std::size_t a = 0, b = s.size();
    while (a < b && std::isspace(static_cast<unsigned char>(s[a]))) ++a;
    while (b > a && std::isspace(static_cast<unsigned char>(s[b - 1]))) --b;
    return std::string(s.substr(a, b - a));
}

/// Rounds to single precision: the deck holds these values as floats.
double f32(double v) {
    return static_cast<float>(v);
}

/// The passes of the bypass-ratio and the power-take-off sizing searches.
constexpr int kBypassSearchPasses = 200;
constexpr int kSizingPasses = 50;

/// Power per horsepower in BTU/s.
constexpr double kBtuPerSecondPerHp = 550.0 / 778.169;

} // namespace

DesignReadResult readEngineDesign(std::string_view text) {
    DesignReadResult r;
    EngineDesign& d = r.design;
    std::map<std::string, float*> numbers = {{"m0", &d.M0},
                                             {"alt", &d.alt},
                                             {"t0", &d.T0},
                                             {"p0", &d.P0},
                                             {"tt4", &d.Tt4},
                                             {"tt7", &d.Tt7},
                                             {"pifan", &d.pifan},
                                             {"pihpc", &d.pihpc},
                                             {"alpha", &d.alpha},
                                             {"pt5ratio", &d.pt5ratio},
                                             {"m5", &d.M5},
                                             {"m9", &d.M9},
                                             {"etaprop", &d.etaprop},
                                             {"etagear", &d.etagear},
                                             {"p0p9", &d.P0P9},
                                             {"mdot", &d.mdot},
                                             {"thrust", &d.thrust},
                                             {"ctol", &d.CTOL},
                                             {"ctoh", &d.CTOH},
                                             {"ptol", &d.PTOL},
                                             {"ptoh", &d.PTOH},
                                             {"pidmax", &d.pidmax},
                                             {"pib", &d.pib},
                                             {"piab", &d.piAB},
                                             {"pin", &d.pin},
                                             {"pinp", &d.pinp},
                                             {"etab", &d.etab},
                                             {"etaab", &d.etaAB},
                                             {"etamh", &d.etamH},
                                             {"etaml", &d.etamL},
                                             {"etampl", &d.etamPL},
                                             {"etamph", &d.etamPH},
                                             {"etacp", &d.etacp},
                                             {"etach", &d.etacH},
                                             {"etath", &d.etatH},
                                             {"etatl", &d.etatL},
                                             {"hpr", &d.hPR},
                                             {"cpc", &d.cpc},
                                             {"cpt", &d.cpt},
                                             {"cpab", &d.cpAB},
                                             {"gammac", &d.gammac},
                                             {"gammat", &d.gammat},
                                             {"gammaab", &d.gammaAB},
                                             {"pimmax", &d.piMmax},
                                             {"beta", &d.beta},
                                             {"eps1", &d.eps1},
                                             {"eps2", &d.eps2},
                                             {"cprmax", &d.cprmax},
                                             {"pt3max", &d.pt3max},
                                             {"tt3max", &d.tt3max},
                                             {"nlmax", &d.nlmax},
                                             {"nhmax", &d.nhmax},
                                             {"tt4max", &d.Tt4max},
                                             {"tt7max", &d.Tt7max},
                                             {"hc", &d.HC}};
    std::map<std::string, bool> given;
    float type = 0, units = 1, spools = 2;
    int spoolsLine = 0;

    std::istringstream in{std::string(text)};
    std::string raw;
    int lineNo = 0;
    auto fail = [&](const std::string& what) {
        r.message = "line " + std::to_string(lineNo) + ": " + what;
        return r;
    };
    while (std::getline(in, raw)) {
        ++lineNo;
        const std::string line = trim(raw.substr(0, raw.find('#')));
        if (line.empty()) continue;
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos) return fail("expected 'key = value'");
        const std::string key = lower(trim(line.substr(0, eq)));
        const std::string value = trim(line.substr(eq + 1));
        if (key == "p0p9" && lower(value) == "conv") {
            d.P0P9 = -1;
            given[key] = true;
            continue;
        }
        if (key == "gas") {
            // The words, or the codes of reference position 55.
            const std::string model = lower(value);
            if (model != "constant" && model != "variable" && model != "0" && model != "1")
                return fail("the value of 'gas' must be 'constant' or 'variable'");
            d.gas = model == "variable" || model == "1" ? kVariableGas : kConstantGas;
            given[key] = true;
            continue;
        }
        if (key == "efficiencies") {
            const std::string kind = lower(value);
            if (kind != "isentropic" && kind != "polytropic" && kind != "0" && kind != "1")
                return fail("the value of 'efficiencies' must be 'isentropic' or 'polytropic'");
            d.efficiencies =
                kind == "polytropic" || kind == "1" ? kPolytropicEfficiencies : kIsentropicEfficiencies;
            given[key] = true;
            continue;
        }
        char* end = nullptr;
        const double v = std::strtod(value.c_str(), &end);
        if (value.empty() || end != value.c_str() + value.size() || !std::isfinite(v))
            return fail("the value of '" + key + "' is not a number");
        given[key] = true;
        if (key == "type") {
            type = static_cast<float>(v);
        } else if (key == "units") {
            units = static_cast<float>(v);
        } else if (key == "spools") {
            spools = static_cast<float>(v);
            spoolsLine = lineNo;
        } else {
            auto it = numbers.find(key);
            if (it == numbers.end()) return fail("unknown key '" + key + "'");
            *it->second = static_cast<float>(v);
        }
    }
    lineNo = 0;
    if (!given.count("type") || type != std::trunc(type) || type < 1 || type > 7)
        return fail("the engine type must be given as a whole number 1 to 7");
    if (units != 1 && units != 2) return fail("units must be 1 (English) or 2 (SI)");
    d.type = static_cast<int16_t>(type);
    d.units = static_cast<int16_t>(units);
    if (!given.count("tt4") || d.Tt4 <= 0) return fail("Tt4 must be given");
    if (d.mdot <= 0 && d.thrust <= 0) return fail("give the design mass flow 'mdot' or the design 'thrust'");
    if (!(d.HC > 0 && d.HC <= 4))
        return fail("the fuel hydrogen/carbon ratio 'HC' must lie above 0 and at most 4");
    if (spoolsLine > 0) {
        lineNo = spoolsLine;
        if (spools != 1 && spools != 2) return fail("spools must be 1 or 2");
        d.spools = static_cast<int16_t>(spools);
        if (d.spools == 1 && d.type != 1 && d.type != 2)
            return fail("spools = 1 is only for a turbojet (types 1 and 2)");
        if (d.spools == 1)
            for (const char* k : {"pifan", "etacp", "etatl", "etaml"})
                if (given.count(k))
                    return fail(
                        std::string("with spools = 1 the generator sets '") + k +
                        "' itself: give the compressor as 'pihpc' and 'etacH', the turbine as 'etatH'");
        lineNo = 0;
    }
    if (d.units == 2) {
        if (!given.count("hpr")) d.hPR = 42800;
        if (!given.count("cpc")) d.cpc = 1.004f;
        if (!given.count("cpt")) d.cpt = 1.235f;
        if (!given.count("cpab")) d.cpAB = 1.235f;
    }
    r.ok = true;
    return r;
}

namespace {

using Cycle = DesignCycle;
using Gas = DesignGas;

double tauFromPi(double pi, double eta, double gamma) {
    return 1.0 + (std::pow(pi, (gamma - 1.0) / gamma) - 1.0) / eta;
}

/// Temperature ratio of a compression by `pi` with the polytropic efficiency `e`, and the isentropic
/// efficiency of that compression (`e` itself when nothing is compressed).
double polytropicTau(double pi, double e, double gamma, double& isentropicEta) {
    const double k = (gamma - 1.0) / gamma;
    const double tau = std::pow(pi, k / e);
    isentropicEta = pi > 1 && tau > 1 ? (std::pow(pi, k) - 1.0) / (tau - 1.0) : e;
    return tau;
}

/// Pressure ratio of an expansion of temperature ratio `tau` (0 < tau < 1) with the polytropic efficiency
/// `e`, and the isentropic efficiency of that expansion.
double polytropicTurbinePi(double tau, double e, double gamma, double& isentropicEta) {
    const double pi = std::pow(tau, gamma / ((gamma - 1.0) * e));
    const double ideal = 1.0 - std::pow(pi, (gamma - 1.0) / gamma);
    isentropicEta = ideal > 0 ? (1.0 - tau) / ideal : e;
    return pi;
}

/// Temperature ratio of a compressor of pressure ratio `pi` and efficiency `eta` (polytropic or isentropic),
/// and its isentropic efficiency.
double compressorTau(double pi, double eta, double gamma, bool polytropic, double& isentropicEta) {
    if (polytropic) return polytropicTau(pi, eta, gamma, isentropicEta);
    isentropicEta = eta;
    return tauFromPi(pi, eta, gamma);
}

/// Pressure ratio `pi` of a turbine of temperature ratio `tau` and efficiency `eta` (polytropic or
/// isentropic), and its isentropic efficiency. False when an isentropic turbine of that efficiency cannot
/// take that much work out.
bool turbinePi(double tau, double eta, double gamma, bool polytropic, double& pi, double& isentropicEta) {
    if (polytropic) {
        pi = polytropicTurbinePi(tau, eta, gamma, isentropicEta);
        return true;
    }
    isentropicEta = eta;
    const double base = 1.0 - (1.0 - tau) / eta;
    if (!(base > 0)) return false;
    pi = std::pow(base, gamma / (gamma - 1.0));
    return true;
}
double phi(double m, double g) {
    const double m2 = m * m;
    return m2 * (1.0 + 0.5 * (g - 1.0) * m2) / ((1.0 + g * m2) * (1.0 + g * m2));
}

/// The ram temperature and pressure ratios, the inlet recovery and the burner enthalpy ratio tau_lambda of a
/// design cycle at the free-stream temperature `T0` and Mach number `M0`.
void freeStreamRatios(const EngineDesign& d, const Gas& g, double T0, double M0, Cycle& c) {
    c.tauR = f32(1.0 + 0.5 * (g.gc - 1.0) * M0 * M0);
    c.piR = f32(std::pow(c.tauR, g.gc / (g.gc - 1.0)));
    c.piD = f32(d.pidmax * ramRecovery(static_cast<float>(M0)));
    c.tauLambda = d.Tt4 * g.cpt / (T0 * g.cpc);
}

/// One on-design evaluation of a jet engine (types 1, 2, 4, 5) for a bypass ratio and take-off
/// coefficients. Returns "" or the reason the design is infeasible.
std::string jetCycle(const EngineDesign& d, const Gas& g, double T0, double M0, double aSL, double TSL,
                     double alpha, double CTOL, double CTOH, double tsfcFactor, double gc, Cycle& c) {
    const bool mixed = d.type == 4 || d.type == 5;
    const bool afterburner = (d.type == 2 || d.type == 5) && d.Tt7 > 0;
    freeStreamRatios(d, g, T0, M0, c);
    const bool polytropic = d.efficiencies == kPolytropicEfficiencies;
    c.tauFan = f32(compressorTau(d.pifan, d.etacp, g.gc, polytropic, c.etaFan));
    c.tauHpc = f32(compressorTau(d.pihpc, d.etacH, g.gc, polytropic, c.etaHpc));
    const double tauC = c.tauFan * c.tauHpc;
    c.f = (c.tauLambda - c.tauR * tauC) / (d.hPR * d.etab / (g.cpc * T0) - c.tauLambda);
    if (!(c.f > 0)) return "no positive fuel/air ratio: Tt4 is too low for the compressor exit temperature";
    const double core = 1.0 - d.beta - d.eps1 - d.eps2;
    const double hot = core * (1.0 + c.f);
    const double coolTerm = c.tauR * tauC / c.tauLambda;
    c.tauM1 = (hot + d.eps1 * coolTerm) / (hot + d.eps1);
    c.tauTH = 1.0 - (c.tauR * c.tauFan * (c.tauHpc - 1.0) + (1.0 + alpha) * CTOH / d.etamPH) /
                        (d.etamH * c.tauLambda * (hot + d.eps1 * coolTerm));
    if (!(c.tauTH > 0 && c.tauTH < 1)) return "the high-pressure turbine temperature ratio is out of range";
    if (!turbinePi(c.tauTH, d.etatH, g.gt, polytropic, c.piTH, c.etaTH))
        return "the high-pressure turbine cannot give the compressor work";
    c.tauM2 = (hot + d.eps1 + d.eps2 * coolTerm / (c.tauM1 * c.tauTH)) / (hot + d.eps1 + d.eps2);
    c.X = c.tauM1 * c.tauTH * c.tauM2;
    c.tauTL = 1.0 - (1.0 + alpha) * (c.tauR * (c.tauFan - 1.0) + CTOL / d.etamPL) /
                        (d.etamL * (hot + d.eps1 + d.eps2) * c.X * c.tauLambda);
    if (!(c.tauTL > 0 && c.tauTL < 1))
        return "the low-pressure turbine temperature ratio is out of range (an engine whose low-pressure "
               "turbine does no work cannot be run by the deck)";
    if (!turbinePi(c.tauTL, d.etatL, g.gt, polytropic, c.piTL, c.etaTL))
        return "the low-pressure turbine cannot give the fan work";

    if (mixed) {
        c.alphaP = alpha / (d.eps1 + d.eps2 + hot);
        c.pt5Ratio = d.pinp / (d.pihpc * d.pib * c.piTH * c.piTL);
        c.M5 = d.M5;
        const double pt5p5 = std::pow(1.0 + 0.5 * (g.gt - 1.0) * c.M5 * c.M5, g.gt / (g.gt - 1.0));
        const double Q = std::pow(c.pt5Ratio * pt5p5, (g.gc - 1.0) / g.gc);
        if (!(Q > 1)) return "the bypass stream cannot enter the mixer (Pt5' below the core static pressure)";
        c.M5p = std::sqrt(2.0 * (Q - 1.0) / (g.gc - 1.0));
        if (c.M5p > 1) return "the bypass stream enters the mixer supersonic";
        c.A5Ratio = g.gt * c.alphaP * c.M5 / (g.gc * c.M5p) *
                    std::sqrt(c.tauFan * c.tauR * (g.gc - 1.0) * (1.0 + 0.5 * (g.gt - 1.0) * c.M5 * c.M5) /
                              (c.tauTL * c.X * c.tauLambda * (g.gt - 1.0) *
                               (1.0 + 0.5 * (g.gc - 1.0) * c.M5p * c.M5p)));
        float m5 = static_cast<float>(c.M5);
        c.areaRatio5 = AreaRatioFromMach(static_cast<float>(g.gt), m5);
        c.cp6 = (c.alphaP * g.cpc + g.cpt) / (c.alphaP + 1.0);
        c.R6 = (c.alphaP * g.Rc + g.Rt) / (c.alphaP + 1.0);
        c.gamma6 = c.cp6 / (c.cp6 - c.R6 / g.jgc);
        c.tauM = (1.0 + c.alphaP * c.tauR * c.tauFan / (c.X * c.tauLambda * c.tauTL)) /
                 (1.0 + c.alphaP * g.cpc / g.cpt);
        const double tt5t0 = d.Tt4 * c.X * c.tauTL / T0;
        const double phi5 = phi(c.M5, g.gt), phi5p = phi(c.M5p, g.gc);
        const double N = (g.gt * c.R6 * g.cpt / (c.cp6 * c.gamma6 * g.Rt)) * (1.0 + c.alphaP) *
                         (1.0 + c.alphaP * g.cpc * c.tauR * c.tauFan / (g.cpt * tt5t0));
        const double D =
            c.alphaP * std::sqrt(g.gt * g.Rc * c.tauR * c.tauFan / (g.gc * g.Rt * tt5t0 * phi5p)) +
            1.0 / std::sqrt(phi5);
        const double phi6 = N / (D * D);
        const double disc = 1.0 - 2.0 * (c.gamma6 + 1.0) * phi6;
        if (disc < 0) return "the mixer exit Mach number is imaginary";
        const double rr = std::sqrt(disc);
        const double m6sq = 1.0 - rr * (rr + 1.0) / (rr + 1.0 - 2.0 * c.gamma6 * phi6);
        if (!(m6sq > 0)) return "the mixer exit Mach number is imaginary";
        c.M6 = std::sqrt(m6sq);
        const double g6 = c.gamma6;
        c.piMIdeal = (1.0 + c.alphaP) / (1.0 + c.A5Ratio) * (c.M5 / c.M6) *
                     std::sqrt(g.gt * c.R6 * c.tauM / (g6 * g.Rt)) *
                     std::pow(1.0 + 0.5 * (g6 - 1.0) * m6sq, (g6 + 1.0) / (2.0 * (g6 - 1.0))) /
                     std::pow(1.0 + 0.5 * (g.gt - 1.0) * c.M5 * c.M5, (g.gt + 1.0) / (2.0 * (g.gt - 1.0)));
        c.piM = d.piMmax * c.piMIdeal;
    } else {
        c.cp6 = g.cpt;
        c.R6 = g.Rt;
        c.gamma6 = g.gt;
    }

    c.Tt6 = d.Tt4 * c.tauM1 * c.tauTH * c.tauM2 * c.tauTL * c.tauM;
    if (afterburner) {
        if (!(d.Tt7 > c.Tt6)) return "Tt7 is not above the afterburner inlet temperature";
        c.Tt9 = d.Tt7;
        c.cp9 = g.cpAB;
        c.R9 = g.RAB;
        c.gamma9 = g.gAB;
        c.piABUse = d.piAB;
    } else {
        c.Tt9 = c.Tt6;
        c.cp9 = c.cp6;
        c.R9 = c.R6;
        c.gamma9 = c.gamma6;
        // An afterburning type designed dry carries the afterburner duct with half its loss.
        c.piABUse = (d.type == 2 || d.type == 5) ? 1.0 - (1.0 - d.piAB) / 2.0 : d.piAB;
    }
    c.tauLambdaAB = c.Tt9 * c.cp9 / (g.cpc * T0);
    if (afterburner) {
        const double onePlusFp = 1.0 + core * c.f / (1.0 + alpha - d.beta);
        c.fAB = (c.tauLambdaAB - c.tauLambda * c.X * c.tauTL * c.tauM * c.cp6 / g.cpt) * onePlusFp /
                (d.hPR * d.etaAB / (g.cpc * T0) - c.tauLambdaAB);
        if (!(c.fAB > 0)) return "no positive afterburner fuel/air ratio";
    }

    if (d.type == 3) {
        // Separate exhausts: convergent core and fan nozzles, each exiting at ambient pressure while
        // unchoked and at its sonic throat when choked.
        const double et = (g.gt - 1.0) / g.gt, ec = (g.gc - 1.0) / g.gc;
        c.pt9p0 = c.piD * c.piR * d.pifan * d.pihpc * d.pib * c.piTH * c.piTL * d.pin;
        const double m9sq = (2.0 / (g.gt - 1.0)) * (std::pow(c.pt9p0, et) - 1.0);
        if (m9sq < 0.01) return "the core nozzle has almost no expansion (exit Mach number below 0.1)";
        c.M9 = std::min(1.0, std::sqrt(m9sq));
        c.pt9p9 = c.M9 < 1.0 ? c.pt9p0 : std::pow((g.gt + 1.0) / 2.0, 1.0 / et);
        c.p0p9 = c.pt9p9 / c.pt9p0;
        c.M8 = c.M9;
        const double pt19p0 = c.piD * c.piR * d.pifan * d.pinp;
        const double m19sq = (2.0 / (g.gc - 1.0)) * (std::pow(pt19p0, ec) - 1.0);
        if (m19sq < 0.01) return "the fan nozzle has almost no expansion (exit Mach number below 0.1)";
        c.M19 = std::min(1.0, std::sqrt(m19sq));
        c.pt19p19 = c.M19 < 1.0 ? pt19p0 : std::pow((g.gc + 1.0) / 2.0, 1.0 / ec);
        c.p0p19 = c.pt19p19 / pt19p0;
        c.T9T0 = (c.tauLambdaAB * g.cpc / g.cpt) / (1.0 + 0.5 * (g.gt - 1.0) * c.M9 * c.M9);
        c.V9V0 = std::sqrt(c.tauLambdaAB * (1.0 - std::pow(c.pt9p9, -et)) / (c.tauR - 1.0));
        c.T19T0 = c.tauR * c.tauFan / (1.0 + 0.5 * (g.gc - 1.0) * c.M19 * c.M19);
        c.V19V0 = std::sqrt(c.tauR * c.tauFan * (1.0 - std::pow(c.pt19p19, -ec)) / (c.tauR - 1.0));
        c.coreExit = 1.0 - d.beta + core * c.f;
        c.fO = core * c.f / (1.0 + alpha);
        c.m9m0 = c.coreExit / (1.0 + alpha);
        c.V0 = M0 * aSL * std::sqrt(T0 / TSL);
        const double coreTerm =
            c.coreExit * c.V9V0 - 1.0 +
            c.coreExit * (g.Rt / g.Rc) * c.T9T0 * (1.0 - c.p0p9) / (c.V9V0 * g.gc * M0 * M0);
        const double fanTerm = c.V19V0 - 1.0 + c.T19T0 * (1.0 - c.p0p19) / (c.V19V0 * g.gc * M0 * M0);
        c.specificThrust = (c.V0 / gc) * (coreTerm + alpha * fanTerm) / (1.0 + alpha);
        if (!(c.specificThrust > 0)) return "the engine gives no thrust at the design point";
        c.S = tsfcFactor * c.fO / c.specificThrust;
        return "";
    }
    c.pt9p0 = c.piD * c.piR * d.pifan * d.pihpc * d.pib * c.piTH * c.piTL * c.piM * c.piABUse * d.pin;
    const double m8sq = (2.0 / (c.gamma6 - 1.0)) * (std::pow(c.pt9p0, (c.gamma6 - 1.0) / c.gamma6) - 1.0);
    c.M8 = m8sq > 0 ? std::min(1.0, std::sqrt(m8sq)) : 0.0;
    if (c.M8 < 1.0) {
        c.p0p9 = 1.0;
    } else if (d.P0P9 < 0) {
        const double sonic = std::pow((c.gamma9 + 1.0) / 2.0, c.gamma9 / (c.gamma9 - 1.0));
        c.p0p9 = std::min(1.0, sonic / c.pt9p0);
    } else {
        c.p0p9 = d.P0P9;
    }
    c.pt9p9 = c.p0p9 * c.pt9p0;
    if (!(c.pt9p9 > 1)) return "the nozzle has no expansion (Pt9/P9 not above 1)";
    const double g9 = c.gamma9;
    const double m9sq = (2.0 / (g9 - 1.0)) * (std::pow(c.pt9p9, (g9 - 1.0) / g9) - 1.0);
    c.M9 = std::sqrt(m9sq);
    c.T9T0 = (c.tauLambdaAB * g.cpc / c.cp9) / (1.0 + 0.5 * (g9 - 1.0) * m9sq);
    c.V9V0 = std::sqrt(c.tauLambdaAB * (1.0 - std::pow(c.pt9p9, -(g9 - 1.0) / g9)) / (c.tauR - 1.0));
    c.fO = (core * c.f + (1.0 + alpha - d.beta) * c.fAB) / (1.0 + alpha);
    c.m9m0 = 1.0 + c.fO - d.beta / (1.0 + alpha);
    c.V0 = M0 * aSL * std::sqrt(T0 / TSL);
    c.specificThrust =
        (c.V0 / gc) * (c.m9m0 * c.V9V0 - 1.0 +
                       c.m9m0 * (c.R9 / g.Rc) * c.T9T0 * (1.0 - c.p0p9) / (c.V9V0 * g.gc * M0 * M0));
    if (!(c.specificThrust > 0)) return "the engine gives no thrust at the design point";
    c.S = tsfcFactor * c.fO / c.specificThrust;
    return "";
}

} // namespace

double propellerEfficiency(double M0, double reference) {
    if (M0 <= 0.1) return 10.0 * M0 * reference;
    if (M0 <= 0.7) return reference;
    return (1.0 - (M0 - 0.7) / 3.0) * reference;
}

namespace {

/// The on-design cycle of the turboprop (type 6): the gas generator's compressor is driven by the
/// high-pressure turbine, the power turbine expands to the core-nozzle exit Mach number M9 and drives the
/// propeller through the gearbox and both power take-offs.
std::string propCycle(const EngineDesign& d, const Gas& g, double T0, double M0, double aSL, double TSL,
                      double CTOL, double CTOH, double tsfcFactor, double gc, Cycle& c) {
    freeStreamRatios(d, g, T0, M0, c);
    c.tauFan = 1;
    const bool polytropic = d.efficiencies == kPolytropicEfficiencies;
    c.etaFan = d.etacp;
    c.etaTL = d.etatL;
    c.tauHpc = f32(compressorTau(d.pihpc, d.etacH, g.gc, polytropic, c.etaHpc));
    c.f = (c.tauLambda - c.tauR * c.tauHpc) / (d.hPR * d.etab / (g.cpc * T0) - c.tauLambda);
    if (!(c.f > 0)) return "no positive fuel/air ratio: Tt4 is too low for the compressor exit temperature";
    const double core = 1.0 - d.beta - d.eps1 - d.eps2;
    const double hot = core * (1.0 + c.f);
    const double coolTerm = c.tauR * c.tauHpc / c.tauLambda;
    c.tauM1 = (hot + d.eps1 * coolTerm) / (hot + d.eps1);
    c.tauTH = 1.0 - c.tauR * (c.tauHpc - 1.0) / (d.etamH * c.tauLambda * (hot + d.eps1 * coolTerm));
    if (!(c.tauTH > 0 && c.tauTH < 1)) return "the high-pressure turbine temperature ratio is out of range";
    const double e = (g.gt - 1.0) / g.gt;
    if (!turbinePi(c.tauTH, d.etatH, g.gt, polytropic, c.piTH, c.etaTH))
        return "the high-pressure turbine cannot give the compressor work";
    c.tauM2 = (hot + d.eps1 + d.eps2 * coolTerm / (c.tauM1 * c.tauTH)) / (hot + d.eps1 + d.eps2);
    c.X = c.tauM1 * c.tauTH * c.tauM2;
    if (!(d.M9 >= 0.1f && d.M9 <= 1.0f))
        return "the core-nozzle exit Mach number M9 must lie between 0.1 and 1";
    c.M9 = d.M9;
    c.p0p9 = 1.0;
    c.pt9p9 = std::pow(1.0 + 0.5 * (g.gt - 1.0) * c.M9 * c.M9, 1.0 / e);
    c.pt9p0 = c.pt9p9;
    c.piTL = c.pt9p0 / (c.piD * c.piR * d.pihpc * d.pib * c.piTH * d.pin);
    if (!(c.piTL < 1)) return "no expansion is left for the power turbine";
    if (polytropic) {
        // The power turbine's pressure ratio is fixed by the nozzle: each stage expands at the polytropic
        // efficiency.
        c.tauTL = std::pow(c.piTL, e * d.etatL);
        c.etaTL = (1.0 - c.tauTL) / (1.0 - std::pow(c.piTL, e));
    } else {
        c.tauTL = 1.0 - d.etatL * (1.0 - std::pow(c.piTL, e));
    }
    c.cp6 = c.cp9 = g.cpt;
    c.R6 = c.R9 = g.Rt;
    c.gamma6 = c.gamma9 = g.gt;
    c.Tt6 = c.Tt9 = d.Tt4 * c.X * c.tauTL;
    c.tauLambdaAB = c.Tt9 * g.cpt / (g.cpc * T0);
    c.piABUse = 1;
    c.M8 = c.M9;
    c.T9T0 = (c.tauLambdaAB * g.cpc / g.cpt) / (1.0 + 0.5 * (g.gt - 1.0) * c.M9 * c.M9);
    c.V9V0 = std::sqrt(c.tauLambdaAB * (1.0 - std::pow(c.pt9p9, -e)) / (c.tauR - 1.0));
    c.fO = core * c.f;
    c.m9m0 = 1.0 + c.fO - d.beta;
    c.V0 = M0 * aSL * std::sqrt(T0 / TSL);
    const double etaProp = propellerEfficiency(M0, d.etaprop);
    const double Cc = (g.gc - 1.0) * M0 * M0 *
                      (c.m9m0 * c.V9V0 - 1.0 +
                       c.m9m0 * (g.Rt / g.Rc) * c.T9T0 * (1.0 - c.p0p9) / (c.V9V0 * g.gc * M0 * M0));
    const double shaft =
        c.m9m0 * d.etamL * c.tauLambda * c.X * (1.0 - c.tauTL) - (CTOH / d.etamPH + CTOL / d.etamPL);
    if (!(shaft > 0)) return "the power turbine gives no power to the propeller";
    const double Cprop = etaProp * d.etagear * shaft;
    c.specificThrust = (Cc + Cprop) * g.jgc * g.cpc * T0 / (c.V0 * gc);
    if (!(c.specificThrust > 0)) return "the engine gives no thrust at the design point";
    c.S = tsfcFactor * c.fO / c.specificThrust;
    return "";
}

/// The on-design cycle of the engine without turbomachinery (type 7): inlet, burner and nozzle.
std::string ductCycle(const EngineDesign& d, const Gas& g, double T0, double M0, double aSL, double TSL,
                      double tsfcFactor, double gc, Cycle& c) {
    freeStreamRatios(d, g, T0, M0, c);
    c.f = (c.tauLambda - c.tauR) / (d.hPR * d.etab / (g.cpc * T0) - c.tauLambda);
    if (!(c.f > 0)) return "no positive fuel/air ratio: Tt4 is too low for the ram temperature";
    c.tauFan = c.tauHpc = 1;
    c.tauM1 = c.tauTH = c.piTH = c.tauM2 = c.X = c.tauTL = c.piTL = 1;
    c.cp6 = c.cp9 = g.cpt;
    c.R6 = c.R9 = g.Rt;
    c.gamma6 = c.gamma9 = g.gt;
    c.Tt6 = c.Tt9 = d.Tt4;
    c.tauLambdaAB = c.tauLambda;
    c.piABUse = 1;
    const double e = (g.gt - 1.0) / g.gt;
    c.pt9p0 = c.piR * c.piD * d.pib * d.pin;
    const double m8sq = (2.0 / (g.gt - 1.0)) * (std::pow(c.pt9p0, e) - 1.0);
    c.M8 = m8sq > 0 ? std::min(1.0, std::sqrt(m8sq)) : 0.0;
    if (c.M8 < 1.0)
        c.p0p9 = 1.0;
    else if (d.P0P9 < 0)
        c.p0p9 = std::min(1.0, std::pow((g.gt + 1.0) / 2.0, 1.0 / e) / c.pt9p0);
    else
        c.p0p9 = d.P0P9;
    c.pt9p9 = c.p0p9 * c.pt9p0;
    if (!(c.pt9p9 > 1)) return "the nozzle has no expansion (Pt9/P9 not above 1)";
    c.M9 = std::sqrt(std::max((2.0 / (g.gt - 1.0)) * (std::pow(c.pt9p9, e) - 1.0), 0.0001));
    c.T9T0 = (c.tauLambda * g.cpc / g.cpt) / std::pow(c.pt9p9, e);
    c.V9V0 = std::sqrt(c.tauLambda * (1.0 - std::pow(c.pt9p9, -e)) / (c.tauR - 1.0));
    c.fO = (1.0 - d.beta) * c.f;
    c.m9m0 = 1.0 + c.fO - d.beta;
    c.V0 = M0 * aSL * std::sqrt(T0 / TSL);
    c.specificThrust =
        (c.V0 / gc) * (c.m9m0 * c.V9V0 - 1.0 +
                       c.m9m0 * (g.Rt / g.Rc) * c.T9T0 * (1.0 - c.p0p9) / (c.V9V0 * g.gc * M0 * M0));
    if (!(c.specificThrust > 0)) return "the engine gives no thrust at the design point";
    c.S = tsfcFactor * c.fO / c.specificThrust;
    return "";
}

} // namespace

double singleSpoolLowRatio(double compressorRatio) {
    return compressorRatio >= 1.21 ? 1.1 : std::sqrt(compressorRatio);
}

EngineDesign twoSpoolDesign(const EngineDesign& design, std::string& message) {
    message.clear();
    EngineDesign d = design;
    if (design.spools != 1) return d;
    if (design.type != 1 && design.type != 2) {
        message = "spools = 1 is only for a turbojet (types 1 and 2)";
        return d;
    }
    const double piC = design.pihpc, etaC = design.etacH, gc = design.gammac;
    if (!(piC > 1 && etaC > 0 && etaC <= 1 && gc > 1)) {
        message =
            "a single-spool turbojet needs a compressor pressure ratio 'pihpc' above 1 and an efficiency "
            "'etacH' above 0 and at most 1";
        return d;
    }
    // The low-pressure compressor takes a small share at the given efficiency; the high-pressure
    // compressor's efficiency is what makes the product of the two temperature ratios that of the single
    // compressor, so the overall pressure ratio, work and exit temperature stay the user's.
    const double piL = singleSpoolLowRatio(piC);
    const double piH = piC / piL;
    d.pifan = static_cast<float>(piL);
    d.pihpc = static_cast<float>(piH);
    d.etatL = design.etatH;
    d.etamL = design.etamH;
    d.spools = 2;
    if (design.efficiencies == kPolytropicEfficiencies) {
        // Every stage of the one compressor has the same polytropic efficiency, so both spools do.
        d.etacp = static_cast<float>(etaC);
        return d;
    }
    const double e = (gc - 1.0) / gc;
    const double tauC = 1.0 + (std::pow(piC, e) - 1.0) / etaC;
    const double tauL = 1.0 + (std::pow(piL, e) - 1.0) / etaC;
    d.etacp = static_cast<float>(etaC);
    d.etacH = static_cast<float>((std::pow(piH, e) - 1.0) / (tauC / tauL - 1.0));
    return d;
}

DesignResult designEngine(const EngineDesign& given) {
    DesignResult result;
    const EngineDesign d = twoSpoolDesign(given, result.message);
    if (!result.message.empty()) return result;
    if ((d.type == 2 || d.type == 5) && d.Tt7 < 0) {
        result.message = "Tt7 must not be negative";
        return result;
    }
    ProjectData project;
    initializeProject(project);
    project.unitSystem = d.units == 2 ? kSI : kEnglish;
    setupUnits(project);
    const UnitConstants& u = project.units;

    double T0 = d.T0, P0 = d.P0;
    if (T0 <= 0 || P0 <= 0) {
        FlightCondition fc;
        fc.altitude = d.alt;
        atmosphere(fc, u);
        if (T0 <= 0) T0 = fc.temperature;
        if (P0 <= 0) P0 = fc.pressure / u.pressureConstant;
    }
    const double M0 = f32(std::max(d.M0, 0.01f));
    Gas g{};
    g.cpc = d.cpc;
    g.cpt = d.cpt;
    g.cpAB = d.cpAB;
    g.gc = d.gammac;
    g.gt = d.gammat;
    g.gAB = d.gammaAB;
    g.jgc = u.jgc;
    g.Rc = gasConstant(d.gammac, d.cpc, u.jgc);
    g.Rt = gasConstant(d.gammat, d.cpt, u.jgc);
    g.RAB = gasConstant(d.gammaAB, d.cpAB, u.jgc);
    const bool mixed = d.type == 4 || d.type == 5;
    const double powerFactor = d.units == 2 ? 1.0 : kBtuPerSecondPerHp;
    // The variable gas model computes every type with enthalpies; take-off powers are then per unit of
    // m0·h(T0), the enthalpy that plays the part of cp_c·T0.
    const bool variable = d.gas == kVariableGas;
    const std::shared_ptr<const GasModel> sharedModel = GasModel::shared(d.units, d.HC);
    const GasModel& model = *sharedModel;
    const DesignConditions conditions{T0, M0, u.aSL, u.TSL, u.deckRateConstant, u.gc, u.jgc};

    // Take-off coefficients: given, or from powers once the mass flow is known.
    double m0 = d.thrust > 0 ? 0 : d.mdot;
    double CTOL = d.CTOL, CTOH = d.CTOH;
    double alpha = mixed || d.type == 3 ? std::max(0.0f, d.alpha) : 0.0;
    Cycle c{};
    c.etaFan = d.etacp;
    c.etaHpc = d.etacH;
    c.etaTH = d.etatH;
    c.etaTL = d.etatL;
    std::string why;
    for (int pass = 0; pass < kSizingPasses; ++pass) {
        if (m0 > 0) {
            const double power = variable ? m0 * model.h(T0, 0) : m0 * d.cpc * T0;
            if (d.PTOL >= 0) CTOL = d.PTOL * powerFactor / power;
            if (d.PTOH >= 0) CTOH = d.PTOH * powerFactor / power;
        }
        if (mixed && d.alpha < 0) {
            // Bypass ratio for the requested Pt5'/Pt5: more bypass flow loads the low-pressure turbine,
            // lowers Pt5 and raises Pt5'/Pt5.
            if (d.pt5ratio <= 0) {
                result.message = "give the bypass ratio 'alpha' or the mixer pressure ratio 'pt5ratio'";
                return result;
            }
            double lo = 0.0, hi = 20.0;
            for (int i = 0; i < kBypassSearchPasses && hi - lo > 1e-12; ++i) {
                const double mid = 0.5 * (lo + hi);
                Cycle probe{};
                Gas probeGas = g;
                const std::string w =
                    variable ? realGasCycle(d, model, conditions, mid, CTOL, CTOH, probe, probeGas)
                             : jetCycle(d, g, T0, M0, u.aSL, u.TSL, mid, CTOL, CTOH, u.deckRateConstant, u.gc,
                                        probe);
                const bool turbineOut = !w.empty() && w.find("low-pressure turbine") != std::string::npos;
                if (turbineOut || (w.empty() && probe.pt5Ratio > d.pt5ratio) ||
                    (!w.empty() && w.find("supersonic") != std::string::npos))
                    hi = mid;
                else
                    lo = mid;
            }
            alpha = lo;
        }
        if (variable)
            why = realGasCycle(d, model, conditions, alpha, CTOL, CTOH, c, g);
        else if (d.type == 6)
            why = propCycle(d, g, T0, M0, u.aSL, u.TSL, CTOL, CTOH, u.deckRateConstant, u.gc, c);
        else
            why = d.type == 7
                      ? ductCycle(d, g, T0, M0, u.aSL, u.TSL, u.deckRateConstant, u.gc, c)
                      : jetCycle(d, g, T0, M0, u.aSL, u.TSL, alpha, CTOL, CTOH, u.deckRateConstant, u.gc, c);
        if (!why.empty()) {
            result.message = why;
            // The mixer inlet static pressures follow from the cycle, so say which inputs move them.
            if (why.find("cannot enter the mixer") != std::string::npos)
                result.message += d.alpha >= 0
                                      ? ": give a larger bypass ratio 'alpha' or core-inlet Mach number "
                                        "'M5', or 'pt5ratio' instead of 'alpha' to solve the bypass ratio"
                                      : ": give a larger 'pt5ratio' or core-inlet Mach number 'M5'";
            return result;
        }
        const double sized = d.thrust > 0 ? d.thrust / c.specificThrust : d.mdot;
        const bool settled = std::fabs(sized - m0) <= 1e-9 * sized;
        m0 = sized;
        if (settled || (d.PTOL < 0 && d.PTOH < 0 && pass > 0)) break;
    }

    GeneratedEngine& e = result.engine;
    e.type = d.type;
    e.units = d.units;
    auto& rec = e.designRecord;
    rec[1] = d.type;
    rec[2] = d.units;
    rec[3] = d.M0;
    rec[4] = d.alt;
    rec[5] = d.Tt4;
    rec[6] = d.Tt7;
    rec[7] = d.pifan;
    rec[8] = d.pihpc;
    rec[9] = static_cast<float>(alpha);
    rec[10] = d.M5;
    rec[11] = d.M9;
    rec[12] = d.etaprop;
    rec[13] = d.etagear;
    rec[14] = d.etatH;
    rec[15] = d.P0P9 < 0 ? -1.0f : d.P0P9;
    rec[16] = d.thrust > 0 ? 0.0f : d.mdot;
    rec[17] = d.thrust > 0 ? d.thrust : 0.0f;
    rec[18] = static_cast<float>(CTOL);
    rec[19] = static_cast<float>(CTOH);
    rec[20] = mixed && d.alpha < 0 ? d.pt5ratio : 0.0f;
    rec[21] = d.efficiencies == kPolytropicEfficiencies ? 1.0f : 0.0f;

    auto& k = e.component;
    const float comps[] = {d.pidmax, d.pib, d.piAB, d.pin, d.pinp};
    for (int i = 0; i < 5; ++i) k[i + 1] = comps[i];
    k[6] = static_cast<float>(c.piTH);
    k[7] = static_cast<float>(c.tauTH);
    k[8] = d.etab;
    k[9] = d.etaAB;
    k[10] = d.etamH;
    k[11] = d.etamL;
    k[12] = d.etamPL;
    k[13] = d.etamPH;
    // Isentropic efficiencies as given, or those of the polytropic ones at the design point.
    const bool polytropic = d.efficiencies == kPolytropicEfficiencies;
    k[14] = polytropic ? static_cast<float>(c.etaFan) : d.etacp;
    k[15] = polytropic ? static_cast<float>(c.etaHpc) : d.etacH;
    k[16] = polytropic ? static_cast<float>(c.etaTL) : d.etatL;
    k[17] = mixed ? static_cast<float>(c.A5Ratio) : 0.0f;
    k[18] = d.hPR;
    k[19] = variable ? static_cast<float>(g.cpc) : d.cpc;
    k[20] = variable ? static_cast<float>(g.cpt) : d.cpt;
    k[21] = variable ? static_cast<float>(g.cpAB) : d.cpAB;
    k[22] = variable ? static_cast<float>(g.gc) : d.gammac;
    k[23] = variable ? static_cast<float>(g.gt) : d.gammat;
    k[24] = variable ? static_cast<float>(g.gAB) : d.gammaAB;
    k[25] = d.piMmax;
    k[26] = d.beta;
    k[27] = d.eps1;
    k[28] = d.eps2;
    k[29] = d.type == 6 ? static_cast<float>(propellerEfficiency(M0, d.etaprop)) : 0.0f;
    k[30] = d.etagear;
    k[31] = static_cast<float>(c.tauM1);
    k[32] = static_cast<float>(c.tauM2);

    auto& r = e.reference;
    const double F = c.specificThrust * m0;
    r[1] = static_cast<float>(M0);
    r[2] = static_cast<float>(T0);
    r[3] = static_cast<float>(P0);
    r[4] = d.alt;
    r[5] = d.Tt4;
    r[6] = (d.type == 2 || d.type == 5) ? d.Tt7 : 0.0f;
    r[7] = mixed ? d.M5 : 0.0f;
    r[8] = static_cast<float>(c.pt9p9);
    r[9] = static_cast<float>(c.p0p9);
    r[10] = static_cast<float>(c.T9T0);
    r[11] = static_cast<float>(c.V9V0);
    r[12] = static_cast<float>(c.piD);
    r[13] = d.pifan;
    r[14] = static_cast<float>(c.tauFan);
    r[15] = d.pihpc;
    r[16] = static_cast<float>(c.tauHpc);
    r[17] = static_cast<float>(c.piTL);
    r[18] = static_cast<float>(c.tauTL);
    r[19] = static_cast<float>(alpha);
    r[20] = static_cast<float>(c.f);
    r[21] = static_cast<float>(c.fAB);
    r[22] = static_cast<float>(c.fO);
    r[23] = static_cast<float>(c.S);
    r[24] = static_cast<float>(c.specificThrust);
    r[25] = static_cast<float>(m0);
    r[26] = static_cast<float>(c.S * F);
    r[27] = static_cast<float>(F);
    r[28] = mixed ? static_cast<float>(c.piMIdeal) : 1.0f;
    r[29] = mixed ? static_cast<float>(c.tauM) : 1.0f;
    r[30] = mixed ? static_cast<float>(c.pt5Ratio) : 0.0f;
    r[31] = mixed ? static_cast<float>(c.areaRatio5) : 0.0f;
    r[32] = static_cast<float>(CTOL);
    r[33] = static_cast<float>(CTOH);
    r[34] = mixed ? static_cast<float>(c.M5p) : 0.0f;
    r[35] = static_cast<float>(c.X);
    r[36] = static_cast<float>(c.M9);
    r[37] = mixed ? static_cast<float>(c.alphaP) : 0.0f;
    r[38] = d.type == 3 ? static_cast<float>(c.M19) : 0.0f;
    r[39] = static_cast<float>(c.M8);
    r[40] = polytropic ? static_cast<float>(c.etaTH) : d.etatH;
    r[41] = d.type == 6 ? d.etaprop : 0.0f;
    const double rho0 = P0 * u.pressureConstant / (g.Rc * T0);
    const double A0 = m0 / (c.V0 * rho0 * u.gc);
    r[42] = static_cast<float>(A0);
    r[43] = static_cast<float>(A0 * c.m9m0 * c.p0p9 * (c.R9 / g.Rc) * c.T9T0 / c.V9V0);
    r[44] = static_cast<float>(c.gamma6);
    for (int i = 45; i <= 49; ++i) r[i] = 0;
    if (d.type == 3) {
        // Fan exit area per unit fan air against the core exit area per unit core air.
        const double a19 = alpha * c.p0p19 * c.T19T0 / c.V19V0;
        const double a9 = c.coreExit * c.p0p9 * (g.Rt / g.Rc) * c.T9T0 / c.V9V0;
        r[45] = static_cast<float>(a19 / a9);
        r[46] = static_cast<float>(c.pt19p19);
        r[47] = static_cast<float>(c.p0p19);
        r[48] = static_cast<float>(c.V19V0);
        r[49] = static_cast<float>(c.T19T0);
    }
    r[50] = mixed ? static_cast<float>(c.M6) : 0.0f;
    r[51] = static_cast<float>(c.tauLambda);
    r[52] = static_cast<float>(1.0 - d.beta + (1.0 - d.beta - d.eps1 - d.eps2) * c.f);
    r[53] = static_cast<float>(c.pt9p0);
    r[54] = static_cast<float>(T0 * c.tauR / u.TSL);
    r[55] = variable ? 1.0f : 0.0f;
    r[56] = variable ? static_cast<float>(model.hydrogenCarbonRatio()) : 0.0f;

    auto& ctl = e.controls;
    ctl[1] = static_cast<float>(M0);
    ctl[2] = d.alt;
    ctl[3] = static_cast<float>(T0);
    ctl[4] = static_cast<float>(P0);
    ctl[5] = d.Tt4max >= 0 ? d.Tt4max : d.Tt4;
    ctl[6] = d.Tt7max >= 0 ? d.Tt7max : ((d.type == 2 || d.type == 5) ? d.Tt7 : 0.0f);
    ctl[7] = d.type == 6 || d.type == 3
                 ? 1.0f
                 : static_cast<float>(c.M8 >= 1.0 ? c.p0p9 : (d.P0P9 < 0 ? 1.0 : d.P0P9));
    ctl[11] = d.cprmax;
    ctl[12] = d.pt3max;
    ctl[13] = d.tt3max;
    ctl[14] = d.nlmax;
    ctl[15] = d.nhmax;
    result.ok = true;
    return result;
}

std::string referenceFileText(const GeneratedEngine& e) {
    std::vector<std::string> v;
    auto num = [&](float x) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(x));
        v.emplace_back(buf);
    };
    v.emplace_back("22");
    for (int i = 1; i <= 45; ++i) num(e.designRecord[i]);
    for (int i = 1; i <= 32; ++i) num(e.component[i]);
    for (int i = 1; i <= 56; ++i) num(e.reference[i]);
    for (int i = 1; i <= 7; ++i) num(e.controls[i]);
    for (int i = 0; i < 3; ++i) v.emplace_back("0");
    for (int i = 11; i <= 15; ++i) num(e.controls[i]);
    v.emplace_back(std::to_string(e.type));
    v.emplace_back("0");
    v.emplace_back("42");
    v.emplace_back(std::to_string(e.units));
    v.emplace_back("0");
    std::string text;
    for (std::size_t i = 0; i < v.size(); ++i) {
        text += v[i];
        text += (i + 1) % 5 == 0 || i + 1 == v.size() ? "\r\n" : ", ";
    }
    return text;
}

} // namespace vededa
