#include "mission/mission_calculation.h"

#include "engine/cycle_deck_model.h"
#include "engine/gas_dynamics.h"
#include "engine/installation_loss.h"
#include "mission/best_cruise.h"
#include "mission/leg_set.h"
#include "mission/mission_report.h"
#include "models/atmosphere.h"
#include "output/number_format.h"
#include "output/report.h"

#include <cmath>
#include <optional>

namespace vededa {

namespace {

/// Below this weight fraction nothing is left to fly: the mission stops.
constexpr float kMinimumWeightFraction = 1e-3f;

std::string R(float v) {
    return formatPattern(v, "0.000E+00");
}
std::string F(float v, int16_t decimals) {
    return FormatField(v, decimals);
}
/// A figure of a warning line that may have overflowed on the way (a drag from a damaged polar): the
/// leg is refused after the line, which says "not a number" instead of the figure.
std::string FiniteF(float v, int16_t decimals) {
    return std::isfinite(v) ? F(v, decimals) : std::string(" not a number");
}

/// The result lines of one leg, laid out as label = value pairs.
class ResultLines {
  public:
    explicit ResultLines(ReportBuffer& out) : out_(out) {}
    /// One pair: "label = value unit".
    std::string pair(const std::string& label, float v, const std::string& unit = {}) const {
        return label + R(v) + unit;
    }
    void line(const std::string& first) { out_.line(Space(10) + first); }
    void line(const std::string& first, const std::string& second, int gap = 9) {
        out_.line(Space(10) + first + Space(gap) + second);
    }

  private:
    ReportBuffer& out_;
};

/// Working values of the leg being computed.
struct Leg {
    int i = 0;
    int type = 0;
    const MissionLeg* record = nullptr;
    float beta = 1;
    // Flight condition of the leg start (or of the mean condition where a type uses it).
    float theta = 1, delta = 1, sigma = 1, rho = 0, a = 0, pressure = 0;
    float cdr = 0;
    int16_t afterburner = 0;
    // Engine figures of the last engine step.
    float alpha = 0.001f; ///< thrust lapse reported for the algebraic models
    float c = 0;          ///< TSFC coefficient
    float twAvailable = 0.001f;
    float thrustAvailable = 0;
    // Results.
    float pi = 1, time = 0, distance = 0, thrustRequired = 0, tsfc = 0, mach = 0, altitude = 0;
    std::optional<float> betaNext; ///< set by the types that chain beta themselves
    std::string refused;           ///< why the leg was not flown
    // Cycle deck figures of the last engine step.
    float engineAltitude = 0; ///< altitude the deck is run at [ft or m]
    float phi = 0;            ///< total installation loss
    float tt4 = 0, tt7 = 0;   ///< temperatures the deck reached [R or K]
    float inletArea = 0, nozzleArea = 0;
    std::string limit;
    InstallationLosses losses;
};

class LegCalculator {
  public:
    LegCalculator(ProjectData& p, const AnalysisModels& m, ReportBuffer& out)
        : p_(p), m_(m), out_(out), r_(out) {}

    void run(int i);

  private:
    ProjectData& p_;
    const AnalysisModels& m_;
    ReportBuffer& out_;
    ResultLines r_;
    Leg L_;

    const UnitConstants& u() const { return p_.units; }
    float wto() const { return p_.takeoffWeight(); }
    const std::string& lengthUnit() const { return p_.labels.suffixes.length; }
    const std::string& distanceUnit() const { return p_.labels.suffixes.distance; }
    const std::string& forceUnit() const { return p_.labels.suffixes.weight; }
    const std::string& fuelUnit() const { return p_.labels.suffixes.tsfc; }

    FlightCondition standardAt(float altitude) const {
        FlightCondition fc;
        fc.altitude = altitude;
        atmosphere(fc, u());
        return fc;
    }
    /// Ambient values from a temperature and the standard pressure ratio.
    void setCondition(float temperature, float delta, float pressure) {
        L_.theta = temperature / u().TSL;
        L_.delta = delta;
        L_.sigma = L_.delta / L_.theta;
        L_.rho = L_.sigma * u().rhoSL;
        L_.a = static_cast<float>(static_cast<double>(u().aSL) * std::sqrt(static_cast<double>(L_.theta)));
        L_.pressure = pressure;
    }
    float dragCoefficient(float mach, float cl) const {
        const PolarCoefficients c = m_.polar(mach);
        return c.k1 * cl * cl + c.k2 * cl + (c.cd0 + L_.cdr);
    }
    float lapse(float mach, float theta, float delta, int16_t ab) const {
        return m_.thrustLapse(mach, theta, delta, ab, L_.record->p[17]);
    }

    void fullThrottle(float mach, float theta, float delta);
    void matchedThrust(float required, float mach, float theta, float delta);
    bool deck() const { return p_.thrustModel == kEngineCycleDeck; }
    int16_t engineCount() const {
        return p_.engine.setup[kSetupEngineCount] > 0 ? p_.engine.setup[kSetupEngineCount]
                                                      : static_cast<int16_t>(1);
    }
    float legLoss() const;
    /// Whether the leg's installation loss leaves no thrust (1 or more, or not a number); the leg is then
    /// refused with a line that names the loss.
    bool lossRefused();
    void keepDeckFigures(const DeckRun& run, float mach);
    std::optional<InstalledEngine> installed_; ///< the sized engine, taken at its first use
    const InstalledEngine& installed();
    DeckConditions legConditions(float mach, float theta, float delta);
    void deckFullThrottle(float mach, float theta, float delta);
    void deckMatchedThrust(float required, float mach, float theta, float delta);
    void deckLines();
    float countedDistance() const;

    void climbOrAccelerate();   // A, B, C
    void takeoffAcceleration(); // D
    void cruise();              // E
    void turn();                // F
    void bestCruise();          // G
    void loiter();              // H
    void warmUp();              // I
    void rotation();            // J
    void energyManeuver();      // K
    void deliverExpendables();  // L
    void descend();             // M

    // Values the result lines print, kept by the leg computations.
    float cl_ = 0, cd_ = 0, velocity_ = 0, deltaZe_ = 0, u_ = 0, xi_ = 0, groundDistance_ = 0, radius_ = 0;
    float hStart_ = 0, hFinal_ = 0;
    float engineMach_ = 0; ///< Mach number of the last engine step
    void results();
};

float LegCalculator::legLoss() const {
    switch (p_.engine.setup[kSetupLossModel]) {
    case kConstantLoss:
        return p_.engine.controls[8];
    case kPerLegLoss:
        return L_.record->p[21];
    default:
        return 0.0f;
    }
}

void LegCalculator::keepDeckFigures(const DeckRun& run, float mach) {
    L_.tt4 = run.Tt4;
    L_.tt7 = run.Tt7;
    L_.nozzleArea = run.A9;
    // Below Mach 1 the capture area is reported as its sonic area A0*.
    if (mach >= 1.0f) {
        L_.inletArea = run.A0;
    } else {
        float m = mach <= 0.01f ? 0.01f : mach;
        L_.inletArea = run.A0 / AreaRatioFromMach(1.4f, m);
    }
    const int code = run.limit;
    L_.limit = code >= 0 && code <= 11 ? p_.labels.limitNames[static_cast<std::size_t>(code + 1)]
                                       : " Didn't converge";
}

const InstalledEngine& LegCalculator::installed() {
    if (!installed_) installed_ = InstalledEngine::of(p_);
    return *installed_;
}

DeckConditions LegCalculator::legConditions(float mach, float theta, float delta) {
    const float T0 = theta * u().TSL;
    const float P0 = delta * u().PSL / u().pressureConstant;
    const float tt7 = L_.afterburner == 1 ? L_.record->p[20] : 0.0f;
    return installed().conditions(mach, L_.engineAltitude, T0, P0, L_.record->p[19], tt7);
}

void LegCalculator::deckFullThrottle(float mach, float theta, float delta) {
    engineMach_ = mach;
    if (lossRefused()) return;
    const InstalledRun run = installedFullThrottle(installed(), legConditions(mach, theta, delta), legLoss());
    out_.append(run.messages);
    keepDeckFigures(run.deck, mach);
    L_.losses = run.losses;
    L_.phi = run.phi;
    L_.c = run.deck.S / (1.0f - run.phi) / std::sqrt(theta);
    L_.twAvailable = run.installedThrust(engineCount()) / wto();
    if (L_.twAvailable == 0.0f) L_.twAvailable = 0.001f;
    L_.thrustAvailable = L_.twAvailable * wto();
    L_.tsfc = L_.c * std::sqrt(L_.theta);
}

bool LegCalculator::lossRefused() {
    // The installed thrust is the uninstalled one times (1 - loss): a loss of 1 or more leaves nothing,
    // and the fuel flow per thrust divides by it.
    const float loss = legLoss();
    if (loss < 1.0f && std::isfinite(loss)) return false;
    if (L_.refused.empty())
        L_.refused = "Leg not computed: the installation loss must be below 1 (Loss =" +
                     (std::isfinite(loss) ? Str(loss) : std::string(" not a number")) + ")";
    return true;
}

void LegCalculator::deckMatchedThrust(float required, float mach, float theta, float delta) {
    engineMach_ = mach;
    if (lossRefused()) return;
    const bool correlated = p_.engine.setup[kSetupLossModel] == kCorrelatedLoss;
    const float phiStart = correlated ? 0.1f : legLoss();
    const InstalledRun run = installedMatched(installed(), legConditions(mach, theta, delta), required,
                                              phiStart, false, [](float perEngine, float phi) {
                                                  return Space(10) +
                                                         "One Engine Uninstalled Thrust =" + F(perEngine, 0) +
                                                         " @ Phi(I+N) =" + F(phi, 5);
                                              });
    out_.append(run.messages);
    if (correlated && !run.lossConverged && !run.failed())
        out_.line(Space(10) + "**** Installation loss not converged in " +
                  std::to_string(kLossIterationPasses) + " passes; the last value is used");
    if (run.deck.limit == kLimitEngineSize)
        out_.line(Space(10) + "   **** Engine Too Small, Unnstalled Thrust =" + FiniteF(run.deck.F, 0) +
                  " Required =" + FiniteF(run.perEngineRequired, 0));
    keepDeckFigures(run.deck, mach);
    L_.losses = run.losses;
    L_.phi = run.phi;
    // What the engine gives: the required thrust when matched, the full-throttle installed thrust of a
    // too-small engine, nothing after a failure.
    if (run.failed())
        L_.thrustAvailable = 0.0f;
    else if (run.deck.limit == kLimitEngineSize)
        L_.thrustAvailable = run.installedThrust(engineCount());
    else
        L_.thrustAvailable = required;
    L_.c = run.deck.S / (1.0f - run.phi) / std::sqrt(theta);
    L_.tsfc = L_.c * std::sqrt(theta);
}

void LegCalculator::fullThrottle(float mach, float theta, float delta) {
    if (deck()) {
        deckFullThrottle(mach, theta, delta);
        return;
    }
    L_.alpha = lapse(mach, theta, delta, L_.afterburner);
    L_.c = m_.tsfcCoefficient(mach, L_.afterburner);
    L_.twAvailable = L_.alpha * p_.thrustLoading;
    if (L_.twAvailable == 0.0f) L_.twAvailable = 0.001f;
    L_.thrustAvailable = L_.twAvailable * wto();
    L_.tsfc = L_.c * std::sqrt(L_.theta);
}

void LegCalculator::matchedThrust(float required, float mach, float theta, float delta) {
    // A thrust demand that is not a number (a zero speed or a weight fraction that has run out on the
    // way) cannot be matched: the leg is not flown, and nothing that is not a number is written.
    if (!std::isfinite(required) || !std::isfinite(mach) || !std::isfinite(theta) || !std::isfinite(delta)) {
        if (L_.refused.empty())
            L_.refused = "Leg not computed: the required thrust is not a number (at the Mach number" +
                         (std::isfinite(mach) ? Str(mach) : std::string(" not a number")) + ")";
        return;
    }
    if (deck()) {
        deckMatchedThrust(required, mach, theta, delta);
        return;
    }
    const float alphaMil = lapse(mach, theta, delta, 0);
    const float cMil = m_.tsfcCoefficient(mach, 0);
    const float tMil = alphaMil * p_.thrustLoading * wto();
    L_.alpha = alphaMil;
    float available = 0;
    if (p_.thrustModel == 2 || p_.thrustModel == 3) {
        const float alphaMax = lapse(mach, theta, delta, 1);
        const float tMax = alphaMax * p_.thrustLoading * wto();
        L_.alpha = alphaMax;
        if (required > tMil) {
            const float cMax = m_.tsfcCoefficient(mach, 1);
            const float f = (required - tMil) / (tMax - tMil);
            L_.c = cMil + (cMax - cMil) * f;
            if (required > tMax) {
                available = tMax;
            } else {
                available = required;
                out_.line(Space(10) + "*****  Partial Afterburner required, %AB = " +
                          formatPattern(100.0f * f, "#0.00") + "  *****");
            }
        } else {
            L_.c = cMil;
            available = required;
            if (std::trunc(L_.record->p[18]) == 1.0f)
                out_.line(Space(10) + "***********  No Afterburner required  ************");
        }
    } else {
        L_.c = cMil;
        available = required > tMil ? tMil : required;
    }
    if (available < required)
        out_.line(Space(10) + "  **** Engine Too Small, Installed Thrust =" + FiniteF(available, 0) +
                  " Required =" + FiniteF(required, 0));
    L_.thrustAvailable = available;
    L_.tsfc = L_.c * std::sqrt(theta);
}

float LegCalculator::countedDistance() const {
    const int i = L_.i;
    int n0 = static_cast<int>(std::trunc(L_.record->p[16]));
    if (n0 < 1) n0 = 1;
    float s = L_.record->p[15];
    if (n0 < i) {
        for (int j = n0; j < i; ++j) s -= p_.missionResults.distance[static_cast<std::size_t>(j)];
        if (s < 0.0f) s = 0.0f;
    }
    return s;
}

void LegCalculator::climbOrAccelerate() {
    const auto& q = L_.record->p;
    const float h1 = q[1], v1 = q[3];
    const float h2 = L_.type == 2 ? h1 : q[5];
    const float v2 = L_.type == 1 ? v1 : q[6];
    float v = 0.5f * (v1 + v2);
    const float h = 0.5f * (h1 + h2);
    const FlightCondition mean = standardAt(h);
    const float legTemperature = L_.theta * u().TSL;
    float mach = 0;
    if (L_.type == 3) {
        // Climb and acceleration: the standard atmosphere at the mean altitude.
        setCondition(mean.temperature, mean.delta, mean.pressure);
        mach = 0.5f * (q[4] + q[7]);
        v = mach * L_.a;
    } else {
        if (legTemperature != mean.temperature)
            setCondition(legTemperature, mean.delta, mean.pressure);
        else
            setCondition(mean.temperature, mean.delta, mean.pressure);
        mach = v / L_.a;
    }
    L_.mach = mach;
    L_.altitude = h;
    L_.engineAltitude = h;
    velocity_ = v;
    const float ze1 = h1 + v1 * v1 / (2.0f * u().g0);
    const float ze2 = h2 + v2 * v2 / (2.0f * u().g0);
    deltaZe_ = ze2 - ze1;
    const float dh = h2 - h1;
    const float dyn = 0.7f * L_.delta * u().PSL * mach * mach;
    cl_ = L_.beta * p_.wingLoading / dyn;
    cd_ = dragCoefficient(mach, cl_);
    const float drag = cd_ * dyn * wto() / p_.wingLoading;
    L_.thrustRequired = drag;
    fullThrottle(mach, L_.theta, L_.delta);
    u_ = (cd_ / cl_) * L_.beta / L_.twAvailable;
    if (L_.thrustAvailable < drag) {
        out_.line(Space(10) +
                  "   **** Engine Too Small, Installed Thrust =" + FiniteF(L_.thrustAvailable, 0) +
                  " Required =" + FiniteF(drag, 0) + " Mach =" + FiniteF(mach, 3) + " Alt =" + FiniteF(h, 0));
        u_ = 0.9f;
    }
    float dz = deltaZe_ >= 0.0f ? deltaZe_ : dh;
    dz = dz / (1.0f - u_);
    const float t = dz * L_.beta / (v * L_.twAvailable);
    const float s = v * t;
    const float ct = L_.c * std::sqrt(L_.theta);
    L_.pi = std::exp(-ct * deltaZe_ / ((1.0f - u_) * v) / u().rateConstant);
    if (L_.pi > 1.0f) {
        L_.pi = std::exp(-ct * (cd_ / cl_) * t / u().rateConstant);
        if (L_.pi > 1.0f) L_.pi = 1.0f;
    }
    L_.time = t;
    L_.distance = s / u().lengthPerDistance;
}

void LegCalculator::takeoffAcceleration() {
    const auto& q = L_.record->p;
    const float clMax = q[11], kto = q[12], mu = q[13];
    const float clTo = clMax / (kto * kto);
    const float x = L_.beta * p_.wingLoading / clTo;
    const float vTo = std::sqrt(2.0f * x / L_.rho);
    const float mTo = vTo / L_.a;
    p_.missionResults.takeoffSpeed = vTo;
    p_.missionResults.takeoffMach = mTo;
    cl_ = clTo;
    cd_ = dragCoefficient(mTo, clTo);
    xi_ = cd_ - mu * clTo;
    L_.mach = 0;
    L_.altitude = q[1];
    fullThrottle(q[4], L_.theta, L_.delta);
    u_ = (xi_ / clTo + mu) * L_.beta / L_.twAvailable;
    L_.thrustRequired = u_ * L_.twAvailable * wto();
    velocity_ = vTo;
    if (L_.thrustAvailable >= L_.thrustRequired) {
        groundDistance_ = L_.beta * p_.wingLoading / (L_.rho * u().g0 * xi_) *
                          std::log(1.0f / (1.0f - xi_ / ((L_.twAvailable / L_.beta - mu) * clTo)));
        L_.time = 2.0f * groundDistance_ / vTo;
        L_.distance = groundDistance_ / u().lengthPerDistance;
        L_.pi = std::exp(-L_.c * std::sqrt(L_.theta) * vTo / (u().g0 * (1.0f - u_)) / u().rateConstant);
    } else {
        out_.line(Space(10) + "   **** Engine Too Small, Installed Thrust =" +
                  FiniteF(L_.thrustAvailable, 0) + " Required =" + FiniteF(L_.thrustRequired, 0));
        groundDistance_ = 0;
        L_.time = 0;
        L_.distance = 0;
        L_.pi = 1;
    }
}

void LegCalculator::cruise() {
    const auto& q = L_.record->p;
    const float v = q[3];
    if (!(v > 0.0f)) {
        L_.refused = "Cruise not computed: the velocity must be above 0 (Velocity =" + Str(v) + ")";
        return;
    }
    const float dyn = 0.5f * L_.rho * v * v;
    cl_ = L_.beta * p_.wingLoading / dyn;
    cd_ = dragCoefficient(q[4], cl_);
    L_.mach = q[4];
    L_.altitude = q[1];
    L_.thrustRequired = cd_ * dyn * wto() / p_.wingLoading;
    matchedThrust(L_.thrustRequired, q[4], L_.theta, L_.delta);
    const float s = countedDistance();
    L_.distance = s;
    L_.time = s * u().lengthPerDistance / v;
    L_.pi = std::exp(-L_.c * std::sqrt(L_.theta) * (cd_ / cl_) * s * u().lengthPerDistance / v /
                     u().rateConstant);
    velocity_ = v;
}

void LegCalculator::turn() {
    const auto& q = L_.record->p;
    const float v = q[3], n = q[8], turns = q[9];
    if (!(n > 1.0f)) {
        L_.refused =
            "Turn not computed: the load factor must be above 1 g (Number of g`s = " + plainText(n) + ")";
        return;
    }
    if (!(v > 0.0f)) {
        L_.refused = "Turn not computed: the velocity must be above 0 (Velocity =" + Str(v) + ")";
        return;
    }
    const float dyn = 0.5f * L_.rho * v * v;
    cl_ = n * L_.beta * p_.wingLoading / dyn;
    L_.mach = q[4];
    L_.altitude = q[1];
    const float root = static_cast<float>(std::sqrt(static_cast<double>(n) * n - 1.0));
    radius_ = v * v / (u().g0 * root);
    cd_ = dragCoefficient(q[4], cl_);
    L_.thrustRequired = cd_ * dyn * wto() / p_.wingLoading;
    matchedThrust(L_.thrustRequired, q[4], L_.theta, L_.delta);
    const float t = 2.0f * kPi * turns * v / (u().g0 * root);
    L_.distance = 0;
    L_.time = t;
    L_.pi = std::exp(-L_.c * std::sqrt(L_.theta) * n * (cd_ / cl_) * t / u().rateConstant);
    velocity_ = v;
}

void LegCalculator::bestCruise() {
    MissionLeg& record = p_.legs[static_cast<std::size_t>(L_.i)];
    const float mach = record.p[4];
    const BestCruise start = bestCruiseAltitude(p_, m_, L_.beta, mach, out_);
    record.p[1] = start.altitude;
    hStart_ = start.altitude;
    const FlightCondition& fc = start.atmosphere;
    const float v1 = mach * fc.soundSpeed;
    const float dyn = 0.7f * fc.pressure * mach * mach;
    cl_ = start.cl;
    cd_ = start.cd;
    L_.mach = mach;
    L_.altitude = start.altitude;
    L_.engineAltitude = start.altitude;
    L_.thrustRequired = cd_ * dyn * wto() / p_.wingLoading;
    L_.theta = fc.theta;
    matchedThrust(L_.thrustRequired, mach, fc.theta, fc.delta);
    const float s = countedDistance();
    L_.distance = s;
    L_.pi = std::exp(-L_.c * (cd_ / cl_) * s * u().lengthPerDistance / (mach * u().aSL) / u().rateConstant);
    const float betaNext = L_.beta * L_.pi;
    const BestCruise end = bestCruiseAltitude(p_, m_, betaNext, mach, out_);
    hFinal_ = end.altitude;
    const float v2 = mach * end.atmosphere.soundSpeed;
    const float v = 0.5f * (v1 + v2);
    L_.time = s * u().lengthPerDistance / v;
    velocity_ = v;
}

void LegCalculator::loiter() {
    const auto& q = L_.record->p;
    const FlightCondition fc = standardAt(q[1]);
    const BestCruise best = bestCruiseMach(p_, m_, L_.beta, fc.delta, fc.pressure, L_.cdr, out_);
    const float mach = best.mach;
    cl_ = best.cl;
    cd_ = best.cd;
    const float v = mach * L_.a;
    const float dyn = 0.7f * fc.pressure * mach * mach;
    L_.mach = mach;
    L_.altitude = q[1];
    L_.thrustRequired = cd_ * dyn * wto() / p_.wingLoading;
    const float legTheta = L_.theta;
    matchedThrust(L_.thrustRequired, mach, fc.theta, fc.delta);
    const float t = q[16];
    L_.distance = 0;
    L_.pi = std::exp(-L_.c * std::sqrt(legTheta) * (cd_ / cl_) * t / u().rateConstant);
    L_.time = t;
    velocity_ = v;
}

void LegCalculator::warmUp() {
    const auto& q = L_.record->p;
    L_.mach = 0;
    L_.altitude = q[1];
    fullThrottle(0.0f, L_.theta, L_.delta);
    L_.thrustRequired = 0;
    L_.distance = 0;
    const float t = q[16];
    L_.pi = 1.0f - L_.c * std::sqrt(L_.theta) * L_.twAvailable * t / L_.beta / u().rateConstant;
    L_.time = t;
}

void LegCalculator::rotation() {
    const auto& q = L_.record->p;
    const float mach = p_.missionResults.takeoffMach;
    L_.mach = mach;
    L_.altitude = q[1];
    fullThrottle(mach, L_.theta, L_.delta);
    const int i = L_.i;
    L_.thrustRequired = (i > 1 && p_.legs[static_cast<std::size_t>(i - 1)].type == "D")
                            ? p_.missionResults.thrustRequired[static_cast<std::size_t>(i - 1)]
                            : 0.0f;
    const float tR = q[14];
    groundDistance_ = tR * p_.missionResults.takeoffSpeed;
    L_.distance = groundDistance_ / u().lengthPerDistance;
    L_.pi = 1.0f - L_.c * std::sqrt(L_.theta) * L_.twAvailable * tR / L_.beta / u().rateConstant;
    L_.time = tR;
}

void LegCalculator::energyManeuver() {
    const auto& q = L_.record->p;
    const float h1 = q[1], v1 = q[3], h2 = q[5], v2 = q[6], f = q[11];
    if (f == 0.0f) {
        L_.refused = "Maneuver not computed: the fraction of the mean speed in the vertical must not be 0";
        return;
    }
    const float legTheta = L_.theta;
    const float h = 0.5f * (h1 + h2);
    const FlightCondition fc = standardAt(h);
    setCondition(fc.temperature, fc.delta, fc.pressure);
    L_.altitude = h;
    L_.engineAltitude = h;
    const float ze1 = h1 + v1 * v1 / (2.0f * u().g0);
    const float v = std::sqrt(2.0f * u().g0 * (ze1 - h));
    const float mach = v / L_.a;
    L_.mach = mach;
    const float dyn = 0.7f * L_.delta * u().PSL * mach * mach;
    cl_ = L_.beta * p_.wingLoading / dyn;
    cd_ = dragCoefficient(mach, cl_);
    L_.thrustRequired = cd_ * dyn * wto() / p_.wingLoading;
    const float dh = h2 - h1;
    deltaZe_ = dh + (v2 * v2 - v1 * v1) / (2.0f * u().g0);
    matchedThrust(L_.thrustRequired, mach, L_.theta, L_.delta);
    const float t = std::fabs(dh / (v * f));
    const float s = v * t * (1.0f - f * f);
    L_.distance = s / u().lengthPerDistance;
    L_.pi = std::exp(-L_.c * std::sqrt(legTheta) * (cd_ / cl_) * t / u().rateConstant);
    if (L_.pi > 1.0f) L_.pi = 1.0f;
    L_.betaNext = L_.beta * L_.pi;
    L_.time = t;
    velocity_ = v;
}

void LegCalculator::deliverExpendables() {
    L_.thrustRequired = 0;
    L_.thrustAvailable = 0;
    L_.tsfc = 0;
    L_.mach = 0;
    L_.altitude = 0;
    L_.distance = 0;
    L_.time = 0;
    L_.pi = 1;
    L_.betaNext = (wto() * L_.beta - L_.record->p[21]) / wto();
}

void LegCalculator::descend() {
    const auto& q = L_.record->p;
    const float h1 = q[1], v1 = q[3], h2 = q[5], v2 = q[6];
    const float gamma = q[11] / kDegreesPerRadian;
    if (std::sin(gamma) == 0.0f) {
        L_.refused = "Descent not computed: the angle of descent must not be 0 (Angle of Descent = " +
                     plainText(q[11]) + ")";
        return;
    }
    const float h = 0.5f * (h1 + h2);
    const FlightCondition fc = standardAt(h);
    setCondition(fc.temperature, fc.delta, fc.pressure);
    L_.altitude = h;
    L_.engineAltitude = h;
    const float v = 0.5f * (v1 + v2);
    const float mach = v / L_.a;
    L_.mach = mach;
    const float dyn = 0.7f * L_.delta * u().PSL * mach * mach;
    cl_ = L_.beta * p_.wingLoading / dyn;
    cd_ = dragCoefficient(mach, cl_);
    const float sinGamma = std::sin(gamma);
    float thrust = L_.beta * wto() * (cd_ / cl_ - sinGamma);
    const float idle = 0.01f * wto() * p_.thrustLoading;
    if (thrust < idle) {
        // Steeper than the idle-thrust glide: extra drag (speed brakes) holds the path.
        cd_ = cl_ * (idle / (wto() * L_.beta) + sinGamma);
        thrust = idle;
    }
    L_.thrustRequired = cd_ * dyn * wto() / p_.wingLoading;
    matchedThrust(thrust, mach, L_.theta, L_.delta);
    const float dh = h2 - h1;
    deltaZe_ = dh + (v2 * v2 - v1 * v1) / (2.0f * u().g0);
    const float t = std::fabs(dh / (v * sinGamma));
    const float s = v * t * std::cos(gamma);
    L_.distance = s / u().lengthPerDistance;
    L_.pi = std::exp(-L_.c * std::sqrt(L_.theta) * t / u().rateConstant * (cd_ / cl_ - sinGamma));
    if (L_.pi > 1.0f) L_.pi = 1.0f;
    L_.betaNext = L_.beta * L_.pi;
    L_.time = t;
    velocity_ = v;
}

void LegCalculator::deckLines() {
    // A deck run without solution may leave a figure that is not a number (a nozzle area after an
    // overflow): the line says it was not computed; the deck's failure lines above say why.
    auto P = [&](const std::string& label, float v, const std::string& unit = {}) {
        return std::isfinite(v) ? r_.pair(label, v, unit) : label + "not computed";
    };
    const std::string& temperature = p_.labels.suffixes.temperature;
    const std::string& area = p_.labels.suffixes.area;
    r_.line(P("Tt4      = ", L_.tt4, temperature), "Limit    = " + L_.limit, 7);
    const int16_t type = p_.engine.setup[kSetupEngineType];
    if ((type == 2 || type == 5) && L_.afterburner == 1) r_.line(P("Tt7      = ", L_.tt7, temperature));
    r_.line(P(engineMach_ > 1.0f ? "Area 0   = " : "Area 0*  = ", L_.inletArea, area),
            P("Area 9   = ", L_.nozzleArea, area), 4);
    if (p_.engine.setup[kSetupLossModel] == kCorrelatedLoss) {
        r_.line(P("IMS Noz  = ", L_.losses.afterbodyParameter), P("CD Noz   = ", L_.losses.afterbodyDrag));
        r_.line(P("Phi I    = ", L_.losses.inlet), P("Phi N    = ", L_.losses.nozzle));
    }
}

void LegCalculator::results() {
    const std::string sec = " sec";
    const std::string speed = speedUnit(p_);
    const int t = L_.type;
    const bool withDeck = deck();
    auto P = [&](const std::string& label, float v, const std::string& unit = {}) {
        return r_.pair(label, v, unit);
    };
    auto timeDistance = [&] {
        r_.line(P("Time     = ", L_.time, sec), P("Distance = ", L_.distance, distanceUnit()), 5);
    };
    const std::string thrust = P("Thrust   = ", L_.thrustAvailable, forceUnit());
    const std::string alpha = P("Alpha    = ", L_.alpha);
    switch (t) {
    case 4: // D
        r_.line(P("TO Mach  = ", p_.missionResults.takeoffMach), P("TO Vel   = ", velocity_, speed));
        r_.line(P("Distance = ", groundDistance_, lengthUnit()),
                P("Distance = ", L_.distance, distanceUnit()), 6);
        r_.line(P("Time     = ", L_.time, sec));
        break;
    case 1:
    case 2:
    case 3:
    case 11:
    case 13:
        r_.line(P("Avg Mach = ", L_.mach), P("Avg Vel  = ", velocity_, speed));
        timeDistance();
        if (t != 2) r_.line(P(deltaZe_ <= 0.0f ? "Delta ze =" : "Delta ze = ", deltaZe_, lengthUnit()));
        break;
    case 5:
    case 6:
    case 7:
        timeDistance();
        break;
    default:
        break;
    }
    if (t == 7) r_.line(P("Alt-start= ", hStart_, lengthUnit()), P("Alt-final= ", hFinal_, lengthUnit()));
    if (t == 8) r_.line(P("Mach     = ", L_.mach), P("Vel      = ", velocity_, speed));
    if (t <= 8 || t == 11 || t == 13) r_.line(P("CL       = ", cl_), P("CD       = ", cd_));
    if (t == 6)
        r_.line(P("Radius   = ", radius_, lengthUnit()),
                P("Radius   = ", radius_ / u().lengthPerDistance, distanceUnit()), 6);
    if (t <= 4) {
        // Climbs, accelerations and the take-off roll: the thrust (or lapse) line, then u and PI.
        r_.line(t == 4 ? P("Etta TO  = ", xi_) : P("CD/CL    = ", cd_ / cl_), withDeck ? thrust : alpha);
        if (withDeck) deckLines();
        r_.line(P("u        = ", u_), P("C        = ", L_.c, fuelUnit()));
        r_.line(P("PI       = ", L_.pi), P("TSFC     = ", L_.tsfc, fuelUnit()));
    }
    if (t == 11 || t == 13) {
        if (withDeck)
            r_.line(thrust, P("TSFC     = ", L_.tsfc, fuelUnit()), 6);
        else
            r_.line(alpha, P("TSFC     = ", L_.tsfc, fuelUnit()));
        if (withDeck) deckLines();
        r_.line(P("PI       = ", L_.pi), P("C        = ", L_.c, fuelUnit()));
    }
    if (t >= 5 && t <= 8) {
        r_.line(P("PI       = ", L_.pi), P("C        = ", L_.c, fuelUnit()));
        r_.line(thrust, P("TSFC     = ", L_.tsfc, fuelUnit()), 6);
        if (withDeck) deckLines();
    }
    if (t == 10)
        r_.line(P("Distance = ", groundDistance_, lengthUnit()),
                P("Distance = ", L_.distance, distanceUnit()), 6);
    if (t == 9 || t == 10) {
        if (withDeck) {
            r_.line(thrust, P("TSFC     = ", L_.tsfc, fuelUnit()), 6);
            deckLines();
            r_.line(P("PI       = ", L_.pi), P("C        = ", L_.c, fuelUnit()));
        } else {
            r_.line(alpha, P("C        = ", L_.c, fuelUnit()));
            r_.line(P("PI       = ", L_.pi), P("TSFC     = ", L_.tsfc, fuelUnit()));
        }
    }
}

void LegCalculator::run(int i) {
    ProjectData& p = p_;
    MissionLeg& record = p.legs[static_cast<std::size_t>(i)];
    L_ = Leg{};
    L_.i = i;
    L_.type = legTypeIndex(record.type);
    L_.record = &record;
    L_.beta = p.betaStart[static_cast<std::size_t>(i)];
    if (i == 1) {
        // With the cycle deck the engine is first sized to the aircraft's sea-level static thrust.
        std::string sizing;
        if (p.thrustModel == kEngineCycleDeck) {
            sizeEngineToAircraft(p, sizing);
            installed_.reset();
        }
        missionHeaderTop(out_, p);
        missionCurrentSelection(out_, p);
        out_.append(sizing);
    }
    missionLegHeading(out_, p, i);

    // Leg start: the atmosphere at the leg altitude with the leg's own temperature.
    const FlightCondition start = standardAt(record.p[1]);
    const bool si = p.unitSystem == kSI;
    if (start.aboveTable) out_.line(Space(10) + atmosphereClampLine(record.p[1], si));
    if (L_.type >= 1 && L_.type <= 3 && record.p[5] != record.p[1] && standardAt(record.p[5]).aboveTable)
        out_.line(Space(10) + atmosphereClampLine(record.p[5], si));
    const float temperature = record.p[2] > 0.0f ? record.p[2] : start.temperature;
    setCondition(temperature, start.delta, start.pressure);
    L_.engineAltitude = record.p[1];
    L_.cdr = record.p[10];
    L_.afterburner = static_cast<int16_t>(std::trunc(record.p[18]));
    if (p.thrustModel == 1 || p.thrustModel == 4) L_.afterburner = 0;

    // Inputs that make every leg meaningless, and a mission that has burned all its weight: the leg is
    // not flown and says why.
    if (!(wto() > 0.0f) || !std::isfinite(wto()))
        L_.refused = "Leg not computed: the takeoff weight must be above 0 (W =" + Str(wto()) + ")";
    else if (!(p.wingLoading > 0.0f) || !std::isfinite(p.wingLoading))
        L_.refused = "Leg not computed: the wing loading must be above 0 (W/S =" + Str(p.wingLoading) + ")";
    else if (!(L_.beta > kMinimumWeightFraction) || !std::isfinite(L_.beta)) {
        out_.line(Space(10) + "**** The weight fraction has reached 0 (Beta =" +
                  (std::isfinite(L_.beta) ? Str(L_.beta) : std::string(" not a number")) +
                  "): the mission stops");
        L_.refused = "Leg not computed: no weight is left at the start of this leg";
    }
    if (L_.refused.empty()) {
        switch (L_.type) {
        case 1:
        case 2:
        case 3:
            climbOrAccelerate();
            break;
        case 4:
            takeoffAcceleration();
            break;
        case 5:
            cruise();
            break;
        case 6:
            turn();
            break;
        case 7:
            bestCruise();
            break;
        case 8:
            loiter();
            break;
        case 9:
            warmUp();
            break;
        case 10:
            rotation();
            break;
        case 11:
            energyManeuver();
            break;
        case 12:
            deliverExpendables();
            break;
        case 13:
            descend();
            break;
        default:
            L_.refused = "Leg not computed: unknown leg type \"" + record.type + "\"";
            break;
        }
    }
    // Explicit checks of the leg's results: a value that is not finite means the leg could not be
    // computed (a zero divisor or an invalid operation on the way).
    const float legValues[] = {L_.pi,   L_.time, L_.distance, L_.thrustRequired, L_.thrustAvailable,
                               L_.tsfc, L_.phi,  L_.mach,     L_.altitude};
    bool invalid = false, overflow = false;
    for (float v : legValues) {
        invalid = invalid || std::isnan(v);
        overflow = overflow || std::isinf(v);
    }
    if (L_.betaNext && !std::isfinite(*L_.betaNext)) invalid = true;
    // The next weight fraction overflows when a deck without solution gave a negative fuel flow on the
    // way (the fraction then grows leg by leg).
    if (!L_.betaNext && !std::isfinite(L_.beta * L_.pi)) overflow = true;
    // A deck run at the edge of its solutions, or a user's TSFC equation outside the range it was
    // fitted for, can give a negative fuel flow; the weight would grow.
    if (L_.refused.empty() && !invalid && !overflow && L_.tsfc < 0.0f)
        L_.refused = std::string("Leg not computed: the ") + (deck() ? "engine cycle" : "TSFC model") +
                     " gave a negative fuel consumption (TSFC =" + Str(L_.tsfc) + ")";
    if (L_.refused.empty() && (invalid || overflow))
        L_.refused = std::string("Leg not computed: floating-point fault (") +
                     (invalid ? "invalid operation" : "overflow") + ") in the calculation of this leg";

    MissionResults& res = p.missionResults;
    const std::size_t k = static_cast<std::size_t>(i);
    if (!L_.refused.empty()) {
        out_.line(Space(10) + "**** " + L_.refused);
        // A leg not flown burns nothing, takes no time and covers no distance.
        Leg notFlown;
        notFlown.i = L_.i;
        notFlown.type = L_.type;
        notFlown.record = L_.record;
        notFlown.beta = L_.beta;
        notFlown.refused = L_.refused;
        L_ = notFlown;
    }
    res.pi[k] = L_.pi;
    res.time[k] = L_.time;
    res.distance[k] = L_.distance;
    res.thrustRequired[k] = L_.thrustRequired;
    res.thrustAvailable[k] = L_.thrustAvailable;
    res.tsfc[k] = L_.tsfc;
    res.phi[k] = L_.phi;
    res.mach[k] = L_.mach;
    res.altitude[k] = L_.altitude;
    res.inletArea[k] = L_.inletArea;
    res.nozzleArea[k] = L_.nozzleArea;
    res.limit[k] = L_.limit;
    const float betaNext = L_.betaNext ? *L_.betaNext : L_.beta * L_.pi;
    p.betaStart[k + 1] = betaNext;
    res.lastLeg = static_cast<int16_t>(i);

    out_.line(Space(10) + "---------------------- RESULTS ----------------------");
    if (L_.refused.empty()) results();
    out_.line(missionBetaLine(i, L_.beta, betaNext));
}

} // namespace

std::string computeMissionLeg(ProjectData& project, const AnalysisModels& models, int leg) {
    ReportBuffer out;
    if (leg < 1 || leg > project.legCount) return {};
    LegCalculator calc(project, models, out);
    calc.run(leg);
    return out.text();
}

std::string computeMission(ProjectData& project, const AnalysisModels& models) {
    std::string text;
    for (int i = 1; i <= project.legCount; ++i) text += computeMissionLeg(project, models, i);
    return text;
}

} // namespace vededa
