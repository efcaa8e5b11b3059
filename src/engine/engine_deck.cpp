// The off-design engine cycle with its throttle and limit control.
#include "engine/engine_deck.h"

#include "engine/gas_dynamics.h"
#include "engine/gas_properties.h"
#include "engine/real_gas_deck.h"
#include "output/number_format.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace vededa {

namespace {

/// A figure quoted in a failure line of a pass. A thrust-matched run may step back from a failed pass and
/// go on, so such a line is not always shown; a figure that is not finite reads "not a number" here rather
/// than counting as a report figure that could not be computed.
std::string failureFigure(float v) {
    return std::isfinite(v) ? plainText(v) : std::string("not a number");
}

float powf64(float base, double exponent) {
    return static_cast<float>(cyclePower(static_cast<double>(base), exponent));
}
float sqrtf64(float v) {
    return static_cast<float>(std::sqrt(static_cast<double>(v)));
}

/// Impulse group M²·(1 + ((gamma-1)/2)·M²)/(1 + gamma·M²)² of the mixer momentum balance.
float impulseGroup(float m, float g) {
    const float m2 = m * m;
    return m2 * (1 + ((g - 1) / 2) * m2) / ((1 + g * m2) * (1 + g * m2));
}

/// Pt3 tolerance of the limit iteration: 0.004 psia, the same pressure in Pa in SI.
constexpr float kPt3TolerancePsia = 0.004f;
constexpr float kPaPerPsia = 6894.757f;

/// P0/P9 of a choked nozzle: the exit pressure ratio of the file, but never an exit below the sonic
/// throat state. A nozzle designed convergent keeps a fixed P0/P9 below 1 in the file; at a lower Pt9/P0
/// that ratio would put the exit pressure above the sonic throat pressure and give a subsonic, impossible
/// exit with a thrust that rises as the engine is throttled back.
float chokedExitRatio(float fileRatio, float pt9p0, float gamma) {
    if (fileRatio >= 1) return fileRatio;
    const float sonic = powf64((gamma + 1) / 2, gamma / (gamma - 1));
    return std::min(1.0f, std::max(fileRatio, sonic / pt9p0));
}

/// Largest step of tau_tL while the bypass stream cannot enter the mixer (the steps start at 0.0001 and
/// double).
constexpr float kMixerEntryStepCap = 0.02f;
/// Largest step of tau_tL in the mixer's static-pressure match.
constexpr float kMixerStepCap = 0.05f;

/// Convergence of the mass-flow ratio m0/m0R of the jet engines: its change at most 0.001, or 0.001 of the
/// ratio when the ratio is below 1.
constexpr float kMassFlowTolerance = 0.001f;

/// Smallest Tt4 step of the limit iteration [R]: the limited quantities do not resolve finer steps.
constexpr float kLimitTt4Resolution = 0.01f;
/// Tt4 steps of one limit phase before its best pass is taken.
constexpr int16_t kLimitStepLimit = 60;

/// The Tt4 iteration on one active limit: secant steps on the limited quantity, kept inside the bracket
/// of a Tt4 that meets the limit and one that exceeds it (the limited quantities rise with Tt4), and the
/// best pass so far.
struct LimitSearch {
    int16_t code = -1;
    float prevTt4 = 0, prevX = 0;
    float low = 0, high = 0; ///< Tt4 below / above the limit
    bool haveLow = false, haveHigh = false;
    float bestTt4 = 0, bestMiss = 0;
    bool bestFeasible = false, haveBest = false;
    int16_t steps = 0;
    bool settled = false; ///< the best pass stands; no further steps on this limit

    void begin(int16_t k, float tt4, float x, float limit) {
        *this = LimitSearch{};
        code = k;
        prevTt4 = tt4;
        prevX = x;
        record(tt4, x, x - limit, false);
    }
    void record(float tt4, float, float miss, bool feasible) {
        if (miss > 0) {
            high = haveHigh ? std::min(high, tt4) : tt4;
            haveHigh = true;
        } else {
            low = haveLow ? std::max(low, tt4) : tt4;
            haveLow = true;
        }
        // A pass within the limit beats one above it; then the smaller miss.
        const bool better = !haveBest || (feasible && !bestFeasible) ||
                            (feasible == bestFeasible && std::fabs(miss) < std::fabs(bestMiss));
        if (better) {
            bestTt4 = tt4;
            bestMiss = miss;
            bestFeasible = feasible;
            haveBest = true;
        }
    }
    bool bracketed() const { return haveLow && haveHigh && low < high; }
    /// A Tt4 above the limit below one within it: the quantity is at its noise level here.
    bool inconsistent() const { return haveLow && haveHigh && low >= high; }
    /// The secant step from the previous pass, at most 100 R.
    float secantStep(float tt4, float x, float limit) {
        const float dX = x - prevX;
        const float dTt4 = tt4 - prevTt4;
        prevTt4 = tt4;
        prevX = x;
        float step = dX == 0 ? -1.0f : (x - limit) * dTt4 / dX;
        step = std::clamp(step, -100.0f, 100.0f);
        return tt4 - step;
    }
};

/// How one deck call goes: the set-up, the cycle passes and the throttle logic.
class DeckRun {
  public:
    DeckRun(const EngineData& engine, const DeckConditions& conditions, EngineDeckResults& results,
            std::string& text)
        : e_(engine), u_(conditions.units), out_(results), text_(text), c_(engine.engine.component),
          r_(engine.engine.reference), throttleMode_(conditions.throttleMode) {
        ctl_[1] = conditions.mach;
        ctl_[2] = conditions.altitude;
        ctl_[3] = conditions.T0;
        ctl_[4] = conditions.P0;
        ctl_[5] = conditions.tt4;
        ctl_[6] = conditions.tt7;
        ctl_[7] = conditions.exitPressureRatio;
        ctl_[10] = conditions.requiredThrust;
        ctl_[11] = conditions.compressorRatioMax;
        ctl_[12] = conditions.pt3Max;
        ctl_[13] = conditions.tt3Max;
        ctl_[14] = conditions.lowSpoolMax;
        ctl_[15] = conditions.highSpoolMax;
    }

    void run(DeckResult& result, float thrustScale);

  private:
    // Set-up
    void setUp();
    // Cycle
    bool corePass();    ///< turbomachinery, mixer, bypass ratio and mass flow
    bool tailPass();    ///< afterburner, nozzle and performance
    bool fanPass();     ///< the whole cycle of the separate-exhaust turbofan (type 3)
    bool propPass();    ///< the whole cycle of the turboprop (type 6)
    bool ductPass();    ///< the whole cycle of the engine without turbomachinery (type 7)
    void performance(); ///< step 9: specific thrust, fuel consumption, flows and areas
    bool evaluate(bool wholeCycle);
    bool realGasEvaluate(); ///< the whole cycle of an engine designed with variable gas properties
    /// The afterburner, nozzle and performance of the last variable-gas pass, when it left them pending.
    bool finishRealGasNozzle();
    void takeRealGasGenerator(const RealGasPassResult& o);
    /// Takes the exhausts and performance of a pass; false when they are not finite.
    bool takeRealGasNozzle(const RealGasPassResult& o);
    bool fail(const std::string& message);
    void putAfterburnerOut();

    const EngineData& e_;
    const UnitConstants& u_;
    EngineDeckResults& out_;
    std::string& text_;
    const OneBased<float, 32>& c_;
    const OneBased<float, 56>& r_;
    OneBased<float, 18> ctl_; ///< the conditions at their `EngineControls` positions
    int16_t throttleMode_ = 1;

    int16_t type_ = 1;
    bool english_ = true;
    bool mixed_ = false;
    bool abLit_ = false;
    float piABUse_ = 1;
    float thrustScale_ = 1;

    // Gas properties: the variable gas model of an engine designed with it (reference position 55)
    std::shared_ptr<const GasModel> gas_;
    RealGasStart realGasStart_; ///< the last converged gas generator of this call (variable gas)
    /// The last variable-gas pass while its nozzle is pending: its input, gas generator and what the nozzle
    /// reads from it. Passes outside the thrust match leave the nozzle out until the limits have settled:
    /// a limit search steps Tt4 on the gas generator's quantities alone.
    RealGasPassInput realGasIn_;
    RealGasPassResult realGasOut_;
    RealGasNozzleInput realGasNozzle_;
    float cpc_, cpt_, cpAB_, gc_, gt_, gAB_, Rc_, Rt_, RAB_;
    float core_; ///< 1 - beta - eps1 - eps2

    // Flight condition
    float M0_, T0_, P0_, tauR_, piR_, piD_, V0_;
    // Reference
    float M0R_, T0R_, P0R_, Tt4R_, Tt7R_, tauRR_, piRR_, piDR_, tauLambdaR_, piFanR_, tauFanR_, piHpcR_,
        tauHpcR_, piTLR_, tauTLR_, alphaR_, fR_, m0R_, alphaPR_, Tt6R_, mfpThroatR_;

    // Iterated and pass values
    float Tt4_ = 0, Tt7_ = 0;
    float tauLambda_ = 0, mRatio_ = 1, alpha_ = 0, alphaP_ = 0, piTL_ = 0, tauTL_ = 0, tauFan_ = 0,
          piFan_ = 0;
    float tauHpc_ = 0, piHpc_ = 0, piC_ = 0, tauC_ = 0, Tt3_ = 0, Pt3_ = 0, f_ = 0, X_ = 1;
    float M5_ = 0, M5p_ = 0, M6_ = 0, tauM_ = 1, piM_ = 1, cp6_ = 0, R6_ = 0, g6_ = 0, pt9p0_ = 0,
          p0p9Throat_ = 1, psi_ = 1;
    bool firstMixerEntryMiss_ = true;
    bool throatChoked_ = false;
    struct IteratedStart {
        float mRatio, alpha, piTL, tauTL, tauFan;
    } start_{}, lastGood_{};
    /// The iterated values of the first pass of a call: the reference values at this flight condition.
    void useReferenceStart() {
        mRatio_ = 1;
        alpha_ = alphaR_ * (T0_ / T0R_) * (tauR_ / tauRR_);
        piTL_ = piTLR_;
        tauTL_ = tauTLR_;
        tauFan_ = tauFanR_;
    }
    void useStart(const IteratedStart& s) {
        mRatio_ = s.mRatio;
        alpha_ = s.alpha;
        piTL_ = s.piTL;
        tauTL_ = s.tauTL;
        tauFan_ = s.tauFan;
    }
    IteratedStart iterated() const { return {mRatio_, alpha_, piTL_, tauTL_, tauFan_}; }
    bool haveLastGood_ = false;
    // Tail values
    float Tt6_ = 0, cp9_ = 0, R9_ = 0, g9_ = 0, tauLambdaAB_ = 0, fAB_ = 0, fO_ = 0, pt9p9_ = 0, M9_ = 0,
          T9T0_ = 0, V9V0_ = 0, m9m0_ = 0, Fm0_ = 0, S_ = 0, m0_ = 0, F_ = 0, A0_ = 0, A9_ = 0, nl_ = 0,
          nh_ = 0;

    int16_t phase_ = 0;
    int16_t code_ = 0;
    int16_t abState_ = 0;
};

void DeckRun::setUp() {
    type_ = e_.setup[kSetupEngineType];
    english_ = e_.referenceUnitFlag == kEnglish;
    mixed_ = type_ == 4 || type_ == 5;
    cpc_ = c_[19];
    cpt_ = c_[20];
    cpAB_ = c_[21];
    gc_ = c_[22];
    gt_ = c_[23];
    gAB_ = c_[24];
    Rc_ = gasConstant(gc_, cpc_, u_.jgc);
    Rt_ = gasConstant(gt_, cpt_, u_.jgc);
    RAB_ = gasConstant(gAB_, cpAB_, u_.jgc);
    core_ = 1 - c_[26] - c_[27] - c_[28];
    if (r_[55] == kVariableGas)
        gas_ = GasModel::shared(u_.system, r_[56]);
    else
        gas_.reset();

    M0R_ = r_[1];
    T0R_ = r_[2];
    P0R_ = r_[3];
    Tt4R_ = r_[5];
    Tt7R_ = r_[6];
    tauRR_ = 1 + ((gc_ - 1) / 2) * M0R_ * M0R_;
    piRR_ = powf64(tauRR_, gc_ / (gc_ - 1));
    piDR_ = r_[12];
    tauLambdaR_ = Tt4R_ * cpt_ / (T0R_ * cpc_);
    piFanR_ = r_[13];
    tauFanR_ = r_[14];
    piHpcR_ = r_[15];
    tauHpcR_ = r_[16];
    piTLR_ = r_[17];
    tauTLR_ = r_[18];
    alphaR_ = r_[19];
    fR_ = r_[20];
    m0R_ = r_[25];
    alphaPR_ = alphaR_ / (c_[28] + c_[27] + core_ * (1 + fR_));
    Tt6R_ = Tt4R_ * c_[31] * c_[7] * c_[32] * tauTLR_ * r_[29];
    // Reference throat flow parameter of the mixed stream, recomputed from the reference bypass ratio.
    float cp6R = cpt_, R6R = Rt_;
    if (mixed_) {
        cp6R = (alphaPR_ * cpc_ + cpt_) / (alphaPR_ + 1);
        R6R = (alphaPR_ * Rc_ + Rt_) / (alphaPR_ + 1);
    }
    const float g6R = cp6R / (cp6R - R6R / u_.jgc);
    const float m8R = r_[39] > 0 ? std::min(r_[39], 1.0f) : 1.0f;
    mfpThroatR_ = MassFlowParameter(m8R, g6R, R6R, u_.gc);

    M0_ = std::max(ctl_[1], 0.01f);
    T0_ = ctl_[3];
    P0_ = ctl_[4];
    tauR_ = 1 + ((gc_ - 1) / 2) * M0_ * M0_;
    piR_ = powf64(tauR_, gc_ / (gc_ - 1));
    piD_ = c_[1] * ramRecovery(M0_);
    V0_ = M0_ * u_.aSL * sqrtf64(T0_ / u_.TSL);
}

bool DeckRun::fail(const std::string& message) {
    text_ += "     " + message + "\r\n";
    code_ = kLimitNoSolution;
    return false;
}

bool DeckRun::corePass() {
    const float eta_tL = c_[16];
    const float expT = (gt_ - 1) / gt_;
    const float tauTH = c_[7];
    tauLambda_ = Tt4_ * cpt_ / (T0_ * cpc_);
    int16_t massPasses = 0, bypassRescues = 0;
    float lastMixerSlope = 0;
    for (;;) {
        int16_t alphaRepeats = 0;
        float prevAlphaP = 0, prevAlphaDiff = 0;
        for (;;) {
            int16_t tauSteps = 0, supersonicRestarts = 0, entryRestarts = 0;
            float prevNew = 0, prevTau = 0;
            float lowTau = 0, highTau = 1, entryStep = 0.0001f, supersonicStep = 0.0001f;
            float lastRatio = 0; ///< sqrt(tau_tL / matched tau_tL) of the last static-pressure residual
            bool haveLow = false, haveHigh = false;
            int16_t aboveOne = 0;
            for (;;) {
                // 1-3: low-pressure turbine, fan and high-pressure spool.
                piTL_ = powf64(1 - (1 - tauTL_) / eta_tL, gt_ / (gt_ - 1));
                const float K = (tauLambda_ / tauR_) * (1 - tauTL_) * (1 + alphaR_) /
                                ((1 - tauTLR_) * (tauLambdaR_ / tauRR_) * (1 + alpha_));
                tauFan_ = (K - T0R_ * tauRR_ / (T0_ * tauR_ * mRatio_)) * (r_[32] / tauRR_ / c_[12]) +
                          K * (tauFanR_ - 1) + 1;
                if (tauFan_ < 1) tauFan_ = 1.001f;
                piFan_ = powf64(1 + c_[14] * (tauFan_ - 1), gc_ / (gc_ - 1));
                const float A = 1 / (1 - c_[27] * c_[10] * (1 - tauTH));
                const float B = (1 + alphaR_) * r_[33] / (tauRR_ * tauFanR_ * c_[13]);
                const float P = 1 - B * (1 - (1 + alpha_) * Tt4R_ / ((1 + alphaR_) * Tt4_ * mRatio_));
                tauHpc_ = A + (tauHpcR_ - P * A) * (tauLambda_ / tauR_) * tauFanR_ /
                                  ((tauLambdaR_ / tauRR_) * tauFan_);
                piHpc_ = powf64(1 + c_[15] * (tauHpc_ - 1), gc_ / (gc_ - 1));
                piC_ = piFan_ * piHpc_;
                tauC_ = tauFan_ * tauHpc_;
                Tt3_ = T0_ * tauR_ * tauC_;
                Pt3_ = P0_ * piR_ * piD_ * piC_;
                f_ = (tauLambda_ - tauR_ * tauC_) / (c_[18] * c_[8] / (cpc_ * T0_) - tauLambda_);
                if (!mixed_) {
                    cp6_ = cpt_;
                    R6_ = Rt_;
                    g6_ = gt_;
                    tauM_ = 1;
                    piM_ = 1;
                    X_ = c_[31] * tauTH * c_[32];
                    break;
                }
                // 4: mixer inlet.
                const float areaRatio =
                    std::max(1.01f, r_[31] * (piTL_ / piTLR_) * sqrtf64(tauTLR_ / tauTL_));
                // The first mixer evaluation of a call starts from the reference M5, later ones from the
                // last M5: the area ratio moves little between them, and the fixed point converges linearly.
                const MachSolution m5 = MachFromAreaRatio(M5_ > 0 ? M5_ : r_[7], areaRatio, gt_);
                if (!m5.converged)
                    return fail("Mixer inlet Mach number will not converge for A5/A5* =" +
                                plainText(areaRatio));
                M5_ = m5.mach;
                const float pt5Ratio = r_[30] * (piHpcR_ * piTLR_) / (piHpc_ * piTL_);
                const float pt5p5 = pt5Ratio * powf64(1 + ((gt_ - 1) / 2) * M5_ * M5_, gt_ / (gt_ - 1));
                const float Q = powf64(pt5p5, (gc_ - 1) / gc_);
                if (Q < 1) {
                    // The bypass stream cannot enter the mixer: tau_tL is too high.
                    highTau = haveHigh ? std::min(highTau, tauTL_) : tauTL_;
                    haveHigh = true;
                    if (firstMixerEntryMiss_) {
                        firstMixerEntryMiss_ = false;
                        piTL_ = (piTLR_ + piHpcR_ * r_[30] * piTLR_ / piHpc_) / 2;
                        tauTL_ = 1 - eta_tL * (1 - powf64(piTL_, expT));
                        tauTL_ -= 0.0001f;
                    } else if (haveLow) {
                        tauTL_ = (lowTau + highTau) / 2;
                    } else {
                        tauTL_ -= entryStep;
                        entryStep = std::min(2 * entryStep, kMixerEntryStepCap);
                    }
                    if (++entryRestarts > kMixerEntryRestartLimit)
                        return fail(
                            "Solution for mixer will not converge: the bypass stream cannot enter the mixer");
                    continue;
                }
                entryStep = 0.0001f;
                M5p_ = sqrtf64(2 * (Q - 1) / (gc_ - 1));
                if (M5p_ > 1) {
                    // The bypass stream would enter supersonic: tau_tL is too low.
                    lowTau = haveLow ? std::max(lowTau, tauTL_) : tauTL_;
                    haveLow = true;
                    // Search upward with growing steps until the bypass entry is subsonic or the stream
                    // cannot enter, then bisect that bracket; tau_tL stays below 1.
                    if (haveHigh && lastRatio > 0 &&
                        highTau - lowTau <= 4 * std::numeric_limits<float>::epsilon()) {
                        // Closed between a supersonic entry and a residual asking for less expansion: the
                        // bypass ratio has no match here (see the rescue below); take the ratio that
                        // matches at the last residual.
                        if (++bypassRescues > kMixerBypassRescueLimit)
                            return fail("Solution for mixer will not converge for M5 =" + failureFigure(M5_) +
                                        ", M5' =" + failureFigure(M5p_));
                        alpha_ *= std::clamp(lastRatio, 0.5f, 2.0f);
                        tauSteps = 0;
                        aboveOne = 0;
                        supersonicRestarts = 0;
                        haveLow = haveHigh = false;
                        lastRatio = 0;
                        continue;
                    }
                    if (haveHigh) {
                        tauTL_ = (lowTau + highTau) / 2;
                    } else {
                        tauTL_ = tauTL_ + supersonicStep < 1 ? tauTL_ + supersonicStep : (tauTL_ + 1) / 2;
                        supersonicStep = std::min(2 * supersonicStep, kMixerEntryStepCap);
                    }
                    if (++supersonicRestarts > kMixerRestartLimit)
                        return fail("Solution for mixer will not converge for M5 =" + failureFigure(M5_) +
                                    ", M5' =" + failureFigure(M5p_));
                    continue;
                }
                supersonicRestarts = 0;
                supersonicStep = 0.0001f;
                const float massAtMixer = c_[28] + c_[27] + core_ * (1 + f_);
                alphaP_ = alpha_ / massAtMixer;
                X_ = (core_ * (1 + f_) * tauTH +
                      (c_[28] + c_[27] * tauTH) * tauR_ * tauFan_ * tauHpc_ / tauLambda_) /
                     massAtMixer;
                const float ratio = gt_ * alphaP_ * M5_ / (gc_ * c_[17] * M5p_);
                const float tauNew = ratio * ratio * tauFan_ * tauR_ * (gc_ - 1) *
                                     (1 + ((gt_ - 1) / 2) * M5_ * M5_) /
                                     (X_ * tauLambda_ * (gt_ - 1) * (1 + ((gc_ - 1) / 2) * M5p_ * M5p_));
                lastRatio = sqrtf64(tauTL_ / tauNew);
                if (std::fabs(tauNew - tauTL_) > 0.0001f) {
                    if (++tauSteps > kMixerStepLimit)
                        return fail("Solution for TautL will not converge, TautL =" + failureFigure(tauTL_) +
                                    ", ERRT =" + failureFigure(std::fabs(tauNew - tauTL_)));
                    // The residual rises with tau_tL: a positive one means tau_tL is above the match.
                    if (tauNew > tauTL_) {
                        highTau = haveHigh ? std::min(highTau, tauTL_) : tauTL_;
                        haveHigh = true;
                    } else {
                        lowTau = haveLow ? std::max(lowTau, tauTL_) : tauTL_;
                        haveLow = true;
                    }
                    // The first step of a bypass pass is a small fixed one, or the secant slope of the last
                    // pass when there was one: the mixer characteristic changes little between passes.
                    float step = lastMixerSlope != 0 ? (tauNew - tauTL_) / lastMixerSlope : 0.0002f;
                    if (tauSteps > 1 && prevTau != tauTL_ && prevNew != tauNew) {
                        const float s = (prevNew - tauNew) / (prevTau - tauTL_);
                        step = (tauNew - tauTL_) / s;
                        lastMixerSlope = s;
                    }
                    prevNew = tauNew;
                    prevTau = tauTL_;
                    float next = tauTL_ - step;
                    // No match at this bypass ratio: a second match predicted above 1 in this pass (the
                    // static pressures of the two streams cannot be matched with any turbine expansion), or a
                    // bracket closed down to single-precision resolution between a supersonic bypass entry
                    // and a residual that still asks for less expansion. The matched tau_tL grows with the
                    // square of the bypass-to-core ratio, so take the ratio that matches at the present
                    // tau_tL and start the bypass pass again.
                    const bool bracketClosed =
                        haveLow && haveHigh && highTau - lowTau <= 4 * std::numeric_limits<float>::epsilon();
                    if (bracketClosed || (next > 1 && ++aboveOne >= 2)) {
                        if (++bypassRescues > kMixerBypassRescueLimit)
                            return fail(
                                "Solution for TautL will not converge, TautL =" + failureFigure(tauTL_) +
                                ", ERRT =" + failureFigure(std::fabs(tauNew - tauTL_)));
                        const float factor = std::clamp(sqrtf64(tauTL_ / tauNew), 0.5f, 2.0f);
                        alpha_ = alphaP_ * factor * massAtMixer;
                        tauSteps = 0;
                        aboveOne = 0;
                        haveLow = haveHigh = false;
                        continue;
                    }
                    if (next > 1) next = (tauTL_ + tauTLR_) / 2;
                    // A secant through two nearly equal residuals can throw tau_tL far out of the physical
                    // range; no step larger than the mixer moves the turbine in one pass.
                    next = std::clamp(next, tauTL_ - kMixerStepCap, tauTL_ + kMixerStepCap);
                    if (!(next > 0)) next = tauTL_ / 2;
                    // Safeguard: a step that leaves the bracket of known low and high values bisects it.
                    if (haveLow && haveHigh && !(next > lowTau && next < highTau))
                        next = (lowTau + highTau) / 2;
                    tauTL_ = next;
                    if (!std::isfinite(tauTL_) || !std::isfinite(tauNew))
                        return fail("Mixer iteration gave no finite turbine temperature ratio.");
                    continue;
                }
                // Mixer exit.
                cp6_ = (alphaP_ * cpc_ + cpt_) / (alphaP_ + 1);
                R6_ = (alphaP_ * Rc_ + Rt_) / (alphaP_ + 1);
                g6_ = cp6_ / (cp6_ - R6_ / u_.jgc);
                tauM_ = (1 + alphaP_ * tauR_ * tauFan_ / (X_ * tauLambda_ * tauTL_)) /
                        (1 + alphaP_ * cpc_ / cpt_);
                const float tt5t0 = Tt4_ * X_ * tauTL_ / T0_;
                const float phi5 = impulseGroup(M5_, gt_), phi5p = impulseGroup(M5p_, gc_);
                const float N = (gt_ * R6_ * cpt_ / (cp6_ * g6_ * Rt_)) * (1 + alphaP_) *
                                (1 + alphaP_ * cpc_ * tauR_ * tauFan_ / (cpt_ * tt5t0));
                const float D = alphaP_ * sqrtf64(gt_ * Rc_ * tauR_ * tauFan_ / (gc_ * Rt_ * tt5t0 * phi5p)) +
                                1 / sqrtf64(phi5);
                const float phi6 = N / (D * D);
                const float disc = 1 - 2 * (g6_ + 1) * phi6;
                if (disc < 0) return fail("Exit Mach is imaginary");
                const float rr = sqrtf64(disc);
                const float m6sq = 1 - rr * (rr + 1) / (rr + 1 - 2 * g6_ * phi6);
                if (m6sq < 0)
                    return fail("Mixer exit Mach number is imaginary (M6 squared =" + failureFigure(m6sq) +
                                ")");
                M6_ = sqrtf64(m6sq);
                const float piMIdeal = (1 + alphaP_) / (1 + c_[17]) * (M5_ / M6_) *
                                       sqrtf64(gt_ * R6_ * tauM_ / (g6_ * Rt_)) *
                                       powf64(1 + ((g6_ - 1) / 2) * m6sq, (g6_ + 1) / (2 * (g6_ - 1))) /
                                       powf64(1 + ((gt_ - 1) / 2) * M5_ * M5_, (gt_ + 1) / (2 * (gt_ - 1)));
                piM_ = c_[25] * piMIdeal;
                break;
            }
            // Nozzle throat.
            pt9p0_ = piD_ * piR_ * piFan_ * piHpc_ * c_[2] * c_[6] * piTL_ * piM_ * piABUse_ * c_[4];
            const float throatM2 = (2 / (g6_ - 1)) * (powf64(pt9p0_, (g6_ - 1) / g6_) - 1);
            if (throatM2 < 1) {
                p0p9Throat_ = 1;
                throatChoked_ = false;
                psi_ = MassFlowParameter(sqrtf64(std::max(throatM2, 0.0f)), g6_, R6_, u_.gc) / mfpThroatR_;
            } else {
                p0p9Throat_ = ctl_[7];
                throatChoked_ = true;
                psi_ = mixed_ ? MassFlowParameter(1, g6_, R6_, u_.gc) / mfpThroatR_ : 1;
            }
            if (!mixed_) break;
            // 5: bypass ratio.
            const float alphaPNew = (1 + alphaPR_) * piTL_ * piM_ * psi_ / (piTLR_ * r_[28] * c_[25]) *
                                        sqrtf64(tauTLR_ * r_[29] / (tauTL_ * tauM_)) -
                                    1;
            const float change = std::fabs(alphaPNew - alphaP_);
            // The averaged update converges slowly where the new ratio follows the old one closely; after
            // the first pass a secant on the same difference takes its place while it points the same way as
            // the average and goes at most four differences far. The converged pass is averaged as always.
            const float diff = alphaPNew - alphaP_;
            float nextAlphaP = (alphaP_ + alphaPNew) / 2;
            if (change > 0.001f && alphaRepeats > 0 && diff != prevAlphaDiff) {
                const float slope = (diff - prevAlphaDiff) / (alphaP_ - prevAlphaP);
                if (slope <= -0.25f) nextAlphaP = alphaP_ - diff / slope;
            }
            prevAlphaP = alphaP_;
            prevAlphaDiff = diff;
            alphaP_ = nextAlphaP;
            alpha_ = alphaP_ * (c_[28] + c_[27] + core_ * (1 + f_));
            if (change <= 0.001f) break;
            if (++alphaRepeats > kAlphaPassLimit)
                return fail("Solution for alpha will not converge, ERRA =" + failureFigure(change));
            if (!std::isfinite(alpha_) || !std::isfinite(change))
                return fail("Bypass-ratio iteration gave no finite bypass ratio.");
        }
        // 6: mass flow through the choked high-pressure turbine.
        const float newRatio =
            (1 + alpha_) * P0_ * piR_ * piD_ * piFan_ * piHpc_ * sqrtf64(T0R_ * tauLambdaR_) /
            ((1 + alphaR_) * P0R_ * piRR_ * piDR_ * piFanR_ * piHpcR_ * sqrtf64(T0_ * tauLambda_));
        const float change = std::fabs(newRatio - mRatio_);
        mRatio_ = newRatio;
        // The tolerance is relative below the reference flow: at altitude, where the ratio is a fraction,
        // a fixed 0.001 would leave steps of several tenths in the compressor pressure ratio from one Tt4
        // to the next.
        if (change <= kMassFlowTolerance * std::min(1.0f, std::fabs(newRatio))) break;
        if (++massPasses >= kMassFlowPassLimit)
            return fail("Solution for mass flow will not converge, ERRM =" + failureFigure(change));
        if (!std::isfinite(mRatio_)) return fail("Mass-flow iteration gave no finite mass flow.");
    }
    return true;
}

bool DeckRun::tailPass() {
    const float tauTH = c_[7];
    // 7: afterburner.
    Tt6_ = Tt4_ * c_[31] * tauTH * c_[32] * tauTL_ * tauM_;
    if (!abLit_) {
        Tt7_ = Tt6_;
        cp9_ = cp6_;
        R9_ = R6_;
        g9_ = g6_;
    } else if (Tt7R_ > Tt6R_) {
        cp9_ = cp6_ + (Tt7_ - Tt6_) * (cpAB_ - cp6_) / (Tt7R_ - Tt6R_);
        R9_ = R6_ + (Tt7_ - Tt6_) * (RAB_ - R6_) / (Tt7R_ - Tt6R_);
        g9_ = cp9_ / (cp9_ - R9_ / u_.jgc);
    } else {
        cp9_ = cpAB_;
        R9_ = RAB_;
        g9_ = gAB_;
    }
    tauLambdaAB_ = Tt7_ * cp9_ / (cpc_ * T0_);
    const float onePlusFp = 1 + core_ * f_ / (1 + alpha_ - c_[26]);
    fAB_ = abLit_ ? (tauLambdaAB_ - tauLambda_ * c_[31] * tauTH * c_[32] * tauTL_ * tauM_ * cp6_ / cpt_) *
                        onePlusFp / (c_[18] * c_[9] / (cpc_ * T0_) - tauLambdaAB_)
                  : 0.0f;
    // 8: nozzle.
    if (throatChoked_) p0p9Throat_ = chokedExitRatio(ctl_[7], pt9p0_, g9_);
    pt9p9_ = p0p9Throat_ * piR_ * piD_ * piC_ * c_[2] * c_[6] * piTL_ * piM_ * piABUse_ * c_[4];
    if (pt9p9_ < 1) return fail("Exit Mach is imaginary");
    const float m9sq = (2 / (g9_ - 1)) * (powf64(pt9p9_, (g9_ - 1) / g9_) - 1);
    M9_ = sqrtf64(m9sq);
    T9T0_ = (tauLambdaAB_ * cpc_ / cp9_) / (1 + ((g9_ - 1) / 2) * m9sq);
    V9V0_ = sqrtf64(tauLambdaAB_ * (1 - powf64(pt9p9_, -(g9_ - 1) / g9_)) / (tauR_ - 1));
    // 9: performance.
    fO_ = (core_ * f_ + (1 + alpha_ - c_[26]) * fAB_) / (1 + alpha_);
    m9m0_ = 1 + fO_ - c_[26] / (1 + alpha_);
    performance();
    // 10: spool speeds.
    nl_ = 100 * sqrtf64(T0_ * tauR_ * (tauFan_ - 1) / (T0R_ * tauRR_ * (tauFanR_ - 1)));
    nh_ = 100 * sqrtf64(T0_ * tauR_ * tauFan_ * (tauHpc_ - 1) / (T0R_ * tauRR_ * tauFanR_ * (tauHpcR_ - 1)));
    return true;
}

void DeckRun::performance() {
    Fm0_ = (V0_ / u_.gc) *
           (m9m0_ * V9V0_ - 1 + m9m0_ * (R9_ / Rc_) * T9T0_ * (1 - p0p9Throat_) / (V9V0_ * gc_ * M0_ * M0_));
    if (!(Fm0_ > 0)) Fm0_ = 0.1f;
    S_ = u_.deckRateConstant * fO_ / Fm0_;
    m0_ = thrustScale_ * m0R_ * mRatio_;
    F_ = Fm0_ * m0_;
    const float rho0 = P0_ * u_.pressureConstant / (Rc_ * T0_);
    A0_ = m0_ / (V0_ * rho0 * u_.gc);
    A9_ = A0_ * m9m0_ * p0p9Throat_ * (R9_ / Rc_) * T9T0_ / V9V0_;
}

bool DeckRun::fanPass() {
    const float et = (gt_ - 1) / gt_, ec = (gc_ - 1) / gc_;
    const float tauTH = c_[7];
    tauLambda_ = Tt4_ * cpt_ / (T0_ * cpc_);
    const float mfp19R = MassFlowParameter(r_[38], gc_, Rc_, u_.gc);
    const float mfp9R = MassFlowParameter(r_[36], gt_, Rt_, u_.gc);
    const float sonicC = powf64((gc_ + 1) / 2, 1 / ec), sonicT = powf64((gt_ + 1) / 2, 1 / et);
    float M19 = 0, pt19p19 = 0, p0p19 = 1, K = 1, Z = 1;
    bool firstAlpha = true;

    // Steps 1-3 for one fan temperature ratio: the high-pressure spool, the fan stream, the bypass ratio
    // and the fan-power balance; returns the new fan temperature ratio.
    auto fanBalance = [&](float tauFan) {
        tauFan_ = tauFan;
        const float A = 1 / (1 - c_[27] * c_[10] * (1 - tauTH));
        const float B = (1 + alphaR_) * r_[33] / (tauRR_ * tauFanR_ * c_[13]);
        const float P = 1 - B * (1 - (1 + alpha_) * Tt4R_ / ((1 + alphaR_) * Tt4_ * mRatio_));
        tauHpc_ =
            A + (tauHpcR_ - P * A) * (tauLambda_ / tauR_) * tauFanR_ / ((tauLambdaR_ / tauRR_) * tauFan_);
        piHpc_ = powf64(1 + c_[15] * (tauHpc_ - 1), gc_ / (gc_ - 1));
        piFan_ = powf64(1 + c_[14] * (tauFan_ - 1), gc_ / (gc_ - 1));
        const float pt19p0 = piD_ * piR_ * piFan_ * c_[5];
        float m2 = (2 / (gc_ - 1)) * (powf64(pt19p0, ec) - 1);
        if (m2 < 0.01f) {
            m2 = 0.01f;
            pt19p19 = powf64(1 + ((gc_ - 1) / 2) * 0.01f, 1 / ec);
            piFan_ = pt19p19 / (piR_ * piD_ * c_[5]);
            p0p19 = 1;
        } else if (m2 > 1) {
            m2 = 1;
            pt19p19 = sonicC;
            p0p19 = pt19p19 / pt19p0;
        } else {
            pt19p19 = pt19p0;
            p0p19 = 1;
        }
        M19 = sqrtf64(m2);
        const float alphaNew =
            alphaR_ * (piHpcR_ / piHpc_) * (MassFlowParameter(M19, gc_, Rc_, u_.gc) / mfp19R) *
            sqrtf64((tauLambda_ / (tauR_ * tauFan_)) / (tauLambdaR_ / (tauRR_ * tauFanR_)));
        auto workRatio = [&] {
            K = (tauLambda_ / tauR_) * (1 - tauTL_) * (1 + alphaR_) /
                ((1 - tauTLR_) * (tauLambdaR_ / tauRR_) * (1 + alpha_));
            Z = T0R_ * tauRR_ / (T0_ * tauR_ * mRatio_);
        };
        workRatio();
        alpha_ = (firstAlpha || K >= Z) ? alphaNew : (2 * alphaNew + alpha_) / 3;
        firstAlpha = false;
        workRatio();
        return r_[32] / (tauRR_ * c_[12]) * (K - Z) + K * (tauFanR_ - 1) + 1;
    };

    for (int16_t massPass = 1;; ++massPass) {
        float prevPi = 0, prevResidual = 0, low = 0, high = 0;
        bool haveLow = false, haveHigh = false;
        for (int16_t update = 1;; ++update) {
            // Step 4: the fan temperature ratio by a secant on the fan-power residual.
            // The residual carries the damped bypass ratio of the previous evaluation, so it is not a
            // function of tau_c' alone and a plain secant can cycle; a secant step that leaves the bracket of
            // a positive and a negative residual bisects it.
            float tau = tauFan_, prevTau = 0, prevRes = 0, below = 0, above = 0;
            bool haveBelow = false, haveAbove = false;
            for (int16_t step = 0;; ++step) {
                const float res = fanBalance(tau) - tau;
                if (std::fabs(res) < 1e-6f) break;
                // Deep throttle: the balance asks for a fan below its floor 1.001, which it keeps.
                if (tau <= 1.001f && res < 0) break;
                if (step >= kFanPassLimit) return fail("Solution for Tau c' will not converge.");
                if (res > 0) {
                    below = haveBelow ? std::max(below, tau) : tau;
                    haveBelow = true;
                } else {
                    above = haveAbove ? std::min(above, tau) : tau;
                    haveAbove = true;
                }
                float next = tau - 0.00001f;
                if (step > 0 && res != prevRes) next = tau - res * (tau - prevTau) / (res - prevRes);
                if (haveBelow && haveAbove && below < above && !(next > below && next < above))
                    next = (below + above) / 2;
                prevTau = tau;
                prevRes = res;
                // A step below the tolerance itself is the resolution of single precision: settled.
                if (step > 0 && std::fabs(next - tau) <= 1e-6f) break;
                tau = next < 1 ? 1.001f : next;
            }
            // Step 5: the core nozzle.
            pt9p0_ = piD_ * piR_ * piFan_ * piHpc_ * c_[2] * c_[6] * piTL_ * c_[4];
            float m2 = (2 / (gt_ - 1)) * (powf64(pt9p0_, et) - 1);
            if (m2 < 0.01f) {
                m2 = 0.01f;
                pt9p9_ = powf64(1 + ((gt_ - 1) / 2) * 0.01f, 1 / et);
                piTL_ = pt9p9_ / (piR_ * piD_ * piFan_ * piHpc_ * c_[2] * c_[6] * c_[4]);
                pt9p0_ = pt9p9_;
                p0p9Throat_ = 1;
            } else if (m2 > 1) {
                m2 = 1;
                pt9p9_ = sonicT;
                p0p9Throat_ = pt9p9_ / pt9p0_;
            } else {
                pt9p9_ = pt9p0_;
                p0p9Throat_ = 1;
            }
            M9_ = sqrtf64(m2);
            // Step 6: the low-pressure turbine against the core-nozzle throat.
            const float tauOld = tauTL_;
            tauTL_ = 1 - (1 - powf64(piTL_, et)) * c_[16];
            const float piNew =
                piTLR_ * sqrtf64(tauTL_ / tauTLR_) * mfp9R / MassFlowParameter(M9_, gt_, Rt_, u_.gc);
            const float change = std::fabs(tauTL_ - tauOld);
            if (change <= 0.0001f && update > 1) break;
            if (update >= kLowTurbineUpdateLimit)
                return fail("Solution for TAUTL will not converge, TAUTL =" + failureFigure(tauTL_) +
                            ", ERRT =" + failureFigure(change));
            // The first update takes the new value; later ones a secant on the same residual, kept within
            // the bracket of known low and high values so that an unchoked core nozzle cannot make it swing.
            const float residual = piNew - piTL_;
            if (residual > 0) {
                low = haveLow ? std::max(low, piTL_) : piTL_;
                haveLow = true;
            } else {
                high = haveHigh ? std::min(high, piTL_) : piTL_;
                haveHigh = true;
            }
            float trial = piNew;
            if (update > 1 && residual != prevResidual)
                trial = piTL_ - residual * (piTL_ - prevPi) / (residual - prevResidual);
            if (haveLow && haveHigh && !(trial > low && trial < high)) trial = (low + high) / 2;
            if (!(trial > 0 && trial < 1)) trial = (piTL_ + piNew) / 2;
            prevPi = piTL_;
            prevResidual = residual;
            piTL_ = trial;
        }
        // Step 7: air flow through the choked high-pressure turbine.
        const float newRatio =
            (1 + alpha_) * P0_ * piR_ * piD_ * piFan_ * piHpc_ * sqrtf64(T0R_ * tauLambdaR_) /
            ((1 + alphaR_) * P0R_ * piRR_ * piDR_ * piFanR_ * piHpcR_ * sqrtf64(T0_ * tauLambda_));
        const float change = std::fabs(newRatio - mRatio_);
        mRatio_ = K >= Z ? newRatio : (2 * newRatio + mRatio_) / 3;
        if (change <= 0.0001f) break;
        if (massPass >= kFanMassFlowPassLimit) return fail("Solution for mass flow will not converge.");
    }
    // Step 8: thrust of the two streams.
    piC_ = piFan_ * piHpc_;
    tauC_ = tauFan_ * tauHpc_;
    Tt3_ = T0_ * tauR_ * tauC_;
    Pt3_ = P0_ * piR_ * piD_ * piC_;
    f_ = (tauLambda_ - tauR_ * tauC_) / (c_[18] * c_[8] / (cpc_ * T0_) - tauLambda_);
    fAB_ = 0;
    cp9_ = cpt_;
    R9_ = Rt_;
    g9_ = gt_;
    cp6_ = cpt_;
    R6_ = Rt_;
    g6_ = gt_;
    Tt6_ = Tt7_ = Tt4_ * c_[31] * tauTH * c_[32] * tauTL_;
    tauLambdaAB_ = Tt6_ * cpt_ / (cpc_ * T0_);
    T9T0_ = (tauLambdaAB_ * cpc_ / cpt_) / (1 + ((gt_ - 1) / 2) * M9_ * M9_);
    V9V0_ = sqrtf64(tauLambdaAB_ * (1 - powf64(pt9p9_, -et)) / (tauR_ - 1));
    const float T19T0 = tauR_ * tauFan_ / (1 + ((gc_ - 1) / 2) * M19 * M19);
    const float V19V0 = sqrtf64(tauR_ * tauFan_ * (1 - powf64(pt19p19, -ec)) / (tauR_ - 1));
    const float coreExit = 1 - c_[26] + core_ * f_;
    fO_ = core_ * f_ / (1 + alpha_);
    m9m0_ = coreExit / (1 + alpha_);
    const float coreTerm =
        coreExit * V9V0_ - 1 + coreExit * (Rt_ / Rc_) * T9T0_ * (1 - p0p9Throat_) / (V9V0_ * gc_ * M0_ * M0_);
    const float fanTerm = V19V0 - 1 + T19T0 * (1 - p0p19) / (V19V0 * gc_ * M0_ * M0_);
    Fm0_ = (V0_ / u_.gc) * (coreTerm + alpha_ * fanTerm) / (1 + alpha_);
    if (!(Fm0_ > 0)) Fm0_ = 0.1f;
    S_ = u_.deckRateConstant * fO_ / Fm0_;
    m0_ = thrustScale_ * m0R_ * mRatio_;
    F_ = Fm0_ * m0_;
    const float rho0 = P0_ * u_.pressureConstant / (Rc_ * T0_);
    A0_ = m0_ / (V0_ * rho0 * u_.gc);
    A9_ = A0_ * m9m0_ * p0p9Throat_ * (R9_ / Rc_) * T9T0_ / V9V0_;
    nl_ = 100 * sqrtf64(T0_ * tauR_ * (tauFan_ - 1) / (T0R_ * tauRR_ * (tauFanR_ - 1)));
    nh_ = 100 * sqrtf64(T0_ * tauR_ * tauFan_ * (tauHpc_ - 1) / (T0R_ * tauRR_ * tauFanR_ * (tauHpcR_ - 1)));
    return true;
}

bool DeckRun::propPass() {
    const float e = (gt_ - 1) / gt_;
    tauLambda_ = Tt4_ * cpt_ / (T0_ * cpc_);
    // 1: the compressor of the gas generator.
    tauHpc_ = 1 + (tauHpcR_ - 1) * (tauLambda_ / tauR_) * (tauRR_ / tauLambdaR_);
    piHpc_ = powf64(1 + c_[15] * (tauHpc_ - 1), gc_ / (gc_ - 1));
    tauFan_ = piFan_ = 1;
    piC_ = piHpc_;
    tauC_ = tauHpc_;
    Tt3_ = T0_ * tauR_ * tauC_;
    Pt3_ = P0_ * piR_ * piD_ * piC_;
    f_ = (tauLambda_ - tauR_ * tauC_) / (c_[18] * c_[8] / (cpc_ * T0_) - tauLambda_);
    // 2: power-turbine expansion against the fixed core-nozzle throat.
    const float upstream = piD_ * piR_ * piHpc_ * c_[2] * c_[6] * c_[4];
    const float mfpR = MassFlowParameter(r_[36], gt_, Rt_, u_.gc);
    const float minimumM2 = 0.01f;
    auto settle = [&](float& pi) {
        pt9p0_ = upstream * pi;
        float m2 = (2 / (gt_ - 1)) * (powf64(pt9p0_, e) - 1);
        if (m2 < minimumM2) {
            m2 = minimumM2;
            pt9p9_ = powf64(1 + ((gt_ - 1) / 2) * minimumM2, 1 / e);
            pi = pt9p9_ / upstream;
            pt9p0_ = pt9p9_;
            p0p9Throat_ = 1;
        } else if (m2 > 1) {
            m2 = 1;
            pt9p9_ = powf64((gt_ + 1) / 2, 1 / e);
            p0p9Throat_ = pt9p9_ / pt9p0_;
        } else {
            p0p9Throat_ = 1;
            pt9p9_ = pt9p0_;
        }
        M9_ = sqrtf64(m2);
        tauTL_ = 1 - (1 - powf64(pi, e)) * c_[16];
        return piTLR_ * sqrtf64(tauTL_ / tauTLR_) * mfpR / MassFlowParameter(M9_, gt_, Rt_, u_.gc);
    };
    float pi = piTL_;
    float prevPi = 0, prevResidual = 0, low = 0, high = 0;
    bool haveLow = false, haveHigh = false;
    for (int16_t pass = 1;; ++pass) {
        const float next = settle(pi);
        const float residual = next - pi;
        if (std::fabs(residual) <= 0.0001f) {
            pi = next;
            settle(pi);
            break;
        }
        if (pi > 100 || pass >= kPowerTurbinePassLimit)
            return fail("Unable to converge on a solution for Pi tL.");
        // The residual falls as pi_tL rises: a positive one lies below the solution.
        if (residual > 0) {
            low = haveLow ? std::max(low, pi) : pi;
            haveLow = true;
        } else {
            high = haveHigh ? std::min(high, pi) : pi;
            haveHigh = true;
        }
        float trial = (pi + next) / 2; // the first step: the mean of the old and new values
        if (pass > 1 && residual != prevResidual)
            trial = pi - residual * (pi - prevPi) / (residual - prevResidual);
        if (haveLow && haveHigh && !(trial > low && trial < high)) trial = (low + high) / 2;
        if (!(trial > 0)) trial = pi / 2;
        prevPi = pi;
        prevResidual = residual;
        pi = trial;
    }
    piTL_ = pi;
    // 3: propeller efficiency.
    const float etaR = r_[41];
    const float etaProp = M0_ <= 0.1f ? 10 * M0_ * etaR : M0_ <= 0.7f ? etaR : (1 - (M0_ - 0.7f) / 3) * etaR;
    // Air flow through the choked high-pressure turbine.
    mRatio_ = P0_ * piR_ * piD_ * piHpc_ * sqrtf64(T0R_ * tauLambdaR_) /
              (P0R_ * piRR_ * piDR_ * piHpcR_ * sqrtf64(T0_ * tauLambda_));
    // 4: thrust of the core jet and the propeller.
    const float tauTH = c_[7];
    fO_ = core_ * f_;
    fAB_ = 0;
    m9m0_ = 1 + fO_ - c_[26];
    cp9_ = cpt_;
    R9_ = Rt_;
    g9_ = gt_;
    Tt6_ = Tt7_ = Tt4_ * c_[31] * tauTH * c_[32] * tauTL_;
    tauLambdaAB_ = Tt6_ * cpt_ / (cpc_ * T0_);
    T9T0_ = (tauLambdaAB_ * cpc_ / cpt_) / (1 + ((gt_ - 1) / 2) * M9_ * M9_);
    V9V0_ = sqrtf64(tauLambdaAB_ * (1 - powf64(pt9p9_, -e)) / (tauR_ - 1));
    const float Cc =
        (gc_ - 1) * M0_ * M0_ *
        (m9m0_ * V9V0_ - 1 + m9m0_ * (Rt_ / Rc_) * T9T0_ * (1 - p0p9Throat_) / (V9V0_ * gc_ * M0_ * M0_));
    const float Cprop = etaProp * c_[30] *
                        (m9m0_ * c_[11] * tauLambda_ * c_[31] * tauTH * c_[32] * (1 - tauTL_) -
                         (r_[33] / c_[13] + r_[32] / c_[12]) * T0R_ / (mRatio_ * T0_));
    Fm0_ = (Cc + Cprop) * u_.jgc * cpc_ * T0_ / (V0_ * u_.gc);
    if (!(Fm0_ > 0)) Fm0_ = 0.1f;
    S_ = u_.deckRateConstant * fO_ / Fm0_;
    m0_ = thrustScale_ * m0R_ * mRatio_;
    F_ = Fm0_ * m0_;
    const float rho0 = P0_ * u_.pressureConstant / (Rc_ * T0_);
    A0_ = m0_ / (V0_ * rho0 * u_.gc);
    A9_ = A0_ * m9m0_ * p0p9Throat_ * (R9_ / Rc_) * T9T0_ / V9V0_;
    nl_ = 0;
    nh_ = 100 * sqrtf64(T0_ * tauR_ * (tauHpc_ - 1) / (T0R_ * tauRR_ * (tauHpcR_ - 1)));
    return true;
}

bool DeckRun::ductPass() {
    tauLambda_ = Tt4_ * cpt_ / (T0_ * cpc_);
    const float expT = (gt_ - 1) / gt_;
    // Nozzle throat: choked, the exit pressure ratio of the file; unchoked, an exit at ambient pressure.
    pt9p0_ = piR_ * piD_ * c_[2] * c_[4];
    const float throatM2 = (2 / (gt_ - 1)) * (powf64(pt9p0_, expT) - 1);
    p0p9Throat_ = throatM2 < 1 ? 1.0f : chokedExitRatio(ctl_[7], pt9p0_, gt_);
    const float m8 = sqrtf64(std::clamp(throatM2, 0.0f, 1.0f));
    pt9p9_ = p0p9Throat_ * pt9p0_;
    if (pt9p9_ < 1) return fail("Exit Mach is imaginary.");
    M9_ = sqrtf64(std::max((2 / (gt_ - 1)) * (powf64(pt9p9_, expT) - 1), 0.0001f));
    // The exit temperature of the hot gas, in the cold-gas reference of T0 (cp_t·T9 =
    // cp_c·T0·tau_lambda/...).
    T9T0_ = (tauLambda_ * cpc_ / cpt_) / powf64(pt9p9_, expT);
    V9V0_ = sqrtf64(tauLambda_ * (1 - powf64(pt9p9_, -expT)) / (tauR_ - 1));
    f_ = (tauLambda_ - tauR_) / (c_[18] * c_[8] / (cpc_ * T0_) - tauLambda_);
    fO_ = (1 - c_[26]) * f_;
    m9m0_ = 1 + fO_ - c_[26];
    // Air flow through the fixed nozzle throat: Pt4·MFP(M8)/sqrt(Tt4) relative to the design point.
    const float pt4Ratio = (P0_ * piR_ * piD_) / (P0R_ * piRR_ * piDR_);
    const float mfpRatio = MassFlowParameter(m8, gt_, Rt_, u_.gc) / mfpThroatR_;
    const float m9m0R = 1 + (1 - c_[26]) * fR_ - c_[26];
    mRatio_ = pt4Ratio * sqrtf64(Tt4R_ / Tt4_) * mfpRatio * m9m0R / m9m0_;
    cp9_ = cpt_;
    R9_ = Rt_;
    g9_ = gt_;
    Tt6_ = Tt4_;
    Tt7_ = Tt4_;
    piC_ = piFan_ = piHpc_ = tauFan_ = tauHpc_ = tauTL_ = piTL_ = 1;
    tauC_ = 1;
    Tt3_ = T0_ * tauR_;
    Pt3_ = P0_ * piR_ * piD_;
    performance();
    nl_ = nh_ = 0;
    return true;
}

bool DeckRun::evaluate(bool wholeCycle) {
    if (++out_.cycleEvaluations > kCycleEvaluationLimit)
        return fail("Engine cycle will not settle within " + std::to_string(kCycleEvaluationLimit) +
                    " evaluations.");
    if (gas_) return realGasEvaluate();
    if (type_ == 7) {
        if (!ductPass()) return false;
    } else if (type_ == 3) {
        if (phase_ == 0)
            useReferenceStart();
        else
            useStart(start_);
        if (!fanPass()) return false;
        if (phase_ == 0) start_ = iterated();
    } else if (type_ == 6) {
        piTL_ = phase_ == 0 ? piTLR_ : start_.piTL;
        if (!propPass()) return false;
        if (phase_ == 0) start_.piTL = piTL_;
    } else if (wholeCycle) {
        // Later passes start from the first converged pass of this call, not from the last one: the
        // iterations stop within their tolerances, and a start that wandered with every pass would make the
        // limited quantities jump by more than the limit tolerances from one Tt4 to the next.
        if (phase_ == 0)
            useReferenceStart();
        else
            useStart(start_);
        firstMixerEntryMiss_ = true;
        const std::size_t textMark = text_.size();
        const int16_t codeBefore = code_;
        if (!corePass()) {
            // Far from the first pass (deep throttle, a hard limit) its bypass ratio and turbine expansion
            // can be too far from the match for the mixer to find it. Try once more from the last converged
            // pass, and start the later passes from there; the first failure is then not reported.
            if (phase_ == 0 || !haveLastGood_) return false;
            text_.resize(textMark);
            code_ = codeBefore;
            useStart(lastGood_);
            firstMixerEntryMiss_ = true;
            if (!corePass()) return false;
            start_ = iterated();
        }
        lastGood_ = iterated();
        haveLastGood_ = true;
        if (phase_ == 0) start_ = lastGood_;
    }
    if (type_ != 3 && type_ < 6 && !tailPass()) return false;
    if (!std::isfinite(F_) || !std::isfinite(S_) || !std::isfinite(m0_) || !std::isfinite(A0_) ||
        !std::isfinite(A9_) || !std::isfinite(Tt4_) || !std::isfinite(Tt7_) || !std::isfinite(piC_) ||
        !std::isfinite(Pt3_) || !std::isfinite(Tt3_) || !std::isfinite(nl_) || !std::isfinite(nh_))
        return fail("Engine cycle gave no finite result (overflow, division by zero or invalid operation).");
    return true;
}

bool DeckRun::realGasEvaluate() {
    RealGasPassInput in;
    in.component = &c_;
    in.reference = &r_;
    in.units = &u_;
    in.type = type_;
    in.M0 = M0_;
    in.T0 = T0_;
    in.P0 = P0_;
    in.Tt4 = Tt4_;
    in.Tt7 = Tt7_;
    in.afterburnerLit = abLit_;
    in.piAB = piABUse_;
    in.chokedP0P9 = ctl_[7];
    in.thrustScale = thrustScale_;
    in.start = &realGasStart_;
    realGasIn_ = in;
    realGasOut_ = RealGasPassResult{};
    RealGasPassResult& o = realGasOut_;
    const std::string failure = realGasGasGenerator(*gas_, in, o, realGasNozzle_);
    if (!failure.empty()) return fail(failure);
    if (o.converged.valid) realGasStart_ = o.converged;
    takeRealGasGenerator(o);
    if (!realGasNozzle_.pending) return takeRealGasNozzle(o); // the exhausts came with the gas generator
    // While the thrust is matched every pass needs its thrust.
    return phase_ == 2 ? finishRealGasNozzle() : true;
}

bool DeckRun::finishRealGasNozzle() {
    if (!realGasNozzle_.pending) return true;
    realGasNozzle_.pending = false;
    RealGasPassResult& o = realGasOut_;
    const std::string failure = realGasNozzle(*gas_, realGasIn_, realGasNozzle_, o);
    if (!failure.empty()) return fail(failure);
    if (o.converged.valid) realGasStart_.throatRatio = o.converged.throatRatio;
    return takeRealGasNozzle(o);
}

void DeckRun::takeRealGasGenerator(const RealGasPassResult& o) {
    tauR_ = o.tauR;
    piR_ = o.piR;
    piD_ = o.piD;
    V0_ = o.V0;
    mRatio_ = o.mRatio;
    tauFan_ = o.tauFan;
    piFan_ = o.piFan;
    tauHpc_ = o.tauHpc;
    piHpc_ = o.piHpc;
    piC_ = o.piC;
    tauC_ = o.tauC;
    Tt3_ = o.Tt3;
    Pt3_ = o.Pt3;
    tauTL_ = o.tauTL;
    piTL_ = o.piTL;
    alpha_ = o.alpha;
    Tt6_ = o.Tt6;
    Tt7_ = o.Tt7;
    nl_ = o.pctNL;
    nh_ = o.pctNH;
    M5_ = o.M5;
    M5p_ = o.M5p;
    M6_ = o.M6;
}

bool DeckRun::takeRealGasNozzle(const RealGasPassResult& o) {
    mRatio_ = o.mRatio; // the ramjet's air flow follows its nozzle throat
    f_ = o.f;
    fAB_ = o.fAB;
    fO_ = o.fO;
    pt9p0_ = o.pt9p0;
    pt9p9_ = o.pt9p9;
    p0p9Throat_ = o.p0p9;
    M9_ = o.M9;
    T9T0_ = o.T9T0;
    V9V0_ = o.V9V0;
    m9m0_ = o.m9m0;
    Fm0_ = o.Fm0;
    S_ = o.S;
    m0_ = o.m0;
    F_ = o.F;
    A0_ = o.A0;
    A9_ = o.A9;
    if (!std::isfinite(F_) || !std::isfinite(S_) || !std::isfinite(A9_))
        return fail(
            "Floating-point fault in the engine cycle (overflow, division by zero or invalid operation).");
    return true;
}

void DeckRun::putAfterburnerOut() {
    abLit_ = false;
    abState_ = 1;
    piABUse_ = 1 - (1 - c_[3]) / 2;
}

void DeckRun::run(DeckResult& result, float thrustScale) {
    out_.cycleEvaluations = 0;
    thrustScale_ = thrustScale;
    abState_ = 0;
    code_ = 0;
    Tt4_ = ctl_[5];
    Tt7_ = ctl_[6];
    const float requestedTt4 = Tt4_;
    float dT = english_ ? -50.0f : -50.0f / 1.8f;
    auto publish = [&] {
        result.F = F_;
        result.S = S_;
        result.m0 = m0_;
        result.A0 = A0_;
        result.A9 = A9_;
        result.Tt4 = Tt4_;
        result.Tt7 = Tt7_;
        result.afterburnerState = abState_;
        result.limit = code_;
        out_.piC = piC_;
        out_.piFan = piFan_;
        out_.piHpc = piHpc_;
        out_.tauFan = tauFan_;
        out_.tauHpc = tauHpc_;
        out_.alpha = mixed_ || type_ == 3 ? alpha_ : 0.0f;
        out_.tauTL = tauTL_;
        out_.piTL = piTL_;
        out_.pt9p9 = pt9p9_;
        out_.p0p9 = p0p9Throat_;
        out_.M5 = M5_;
        out_.M5p = M5p_;
        out_.M6 = M6_;
        out_.M9 = M9_;
        out_.Tt3 = Tt3_;
        out_.Pt3 = Pt3_;
        out_.Tt6 = Tt6_;
        out_.f = f_;
        out_.fAB = fAB_;
        out_.fO = fO_;
        out_.pctNL = nl_;
        out_.pctNH = nh_;
        out_.tauR = tauR_;
        out_.piR = piR_;
        out_.piD = piD_;
        out_.M0 = M0_;
    };
    type_ = e_.setup[kSetupEngineType];
    if (!deckSupportsType(type_)) {
        fail("Engine type " + std::to_string(type_) + " is not computed by this deck.");
        result.limit = code_;
        return;
    }
    setUp();
    if (gas_ && !realGasDeckSupportsType(type_)) {
        fail("Engine type " + std::to_string(type_) +
             " with variable gas properties is not computed by this deck.");
        result.limit = code_;
        return;
    }
    abLit_ = type_ == 2 || type_ == 5;
    piABUse_ = c_[3];
    if (abLit_ && Tt7_ == 0) putAfterburnerOut();
    if (Tt4_ < Tt4R_) {
        Tt4_ = Tt4R_;
        if (abLit_) putAfterburnerOut();
    }
    const bool mode2 = throttleMode_ == 2;
    const float required = ctl_[10];
    const float pt3Tolerance = english_ ? kPt3TolerancePsia : kPt3TolerancePsia * kPaPerPsia;

    LimitSearch search;
    // Thrust matching: the throttled temperature (Tt7 while the afterburner is lit, else Tt4) of the
    // highest pass short of the required thrust and of the lowest pass above it.
    float shortT = 0, overT = 0;
    bool haveShort = false, haveOver = false;
    float bestT = 0, bestErr = 0; ///< the throttled temperature of the pass closest to the thrust
    bool haveBest = false, bestPass = false;
    float failedT = 0; ///< the throttled temperature of the last pass without a cycle solution
    bool haveFailed = false;
    std::string failedText; ///< that pass's failure lines
    int16_t throttleRetries = 0;
    float prevF = 0;
    int16_t steps = 0, rememberedLimit = -1;
    bool whole = true;
    for (;;) {
        const std::size_t textMark = text_.size();
        const int16_t codeMark = code_;
        if (!evaluate(whole)) {
            // A throttle step into a region where the cycle has no solution (deep throttle) goes back half
            // way from the last pass that had one, and no later step goes as far again.
            if (phase_ != 2 || steps == 0 || dT == 0 || ++throttleRetries > kThrottleRetryLimit) break;
            failedText = text_.substr(textMark);
            text_.resize(textMark);
            code_ = codeMark;
            float& throttled = abLit_ ? Tt7_ : Tt4_;
            failedT = throttled;
            haveFailed = true;
            dT /= 2;
            throttled -= dT;
            continue;
        }
        whole = true;
        // Approach to a requested Tt4 below the reference Tt4 (not while the thrust is being matched).
        if (code_ != kLimitThrust && phase_ != 2 && requestedTt4 < Tt4R_ && code_ != kLimitTt4Set) {
            const float d = Tt4_ - requestedTt4;
            if (d > 0) {
                if (phase_ == 0) phase_ = 1;
                if (d > 200)
                    Tt4_ -= 50;
                else if (d > 25)
                    Tt4_ -= 25;
                else {
                    Tt4_ = requestedTt4;
                    code_ = kLimitTt4Set;
                }
                continue;
            }
        }
        // Limits, in order.
        struct Limit {
            int16_t code;
            float value, limit, tolerance;
            bool tested;
        };
        const Limit limits[] = {
            {kLimitCompressorRatio, piC_, ctl_[11], 0.001f, type_ != 7},
            {kLimitPt3, Pt3_, ctl_[12], pt3Tolerance, type_ != 7},
            {kLimitTt3, Tt3_, ctl_[13], 0.1f, type_ != 7},
            {kLimitLowSpool, nl_, ctl_[14], 0.001f, type_ < 6},
            {kLimitHighSpool, nh_, ctl_[15], 0.001f, type_ < 7},
        };
        bool stepped = false;
        for (const Limit& L : limits) {
            if (!L.tested || L.limit <= 0) continue;
            const int16_t k = L.code;
            // While the thrust is matched Tt4 only comes down from a pass that met the limits: a value
            // within the limit's tolerance above it is the noise of the cycle, not a new limit.
            const float margin = phase_ == 2 ? L.tolerance : 0.0f;
            const bool starts =
                L.value > L.limit + margin && (k == kLimitHighSpool ? code_ != k : (code_ < k || code_ > 5));
            if (starts) {
                search.begin(k, Tt4_, L.value, L.limit);
                Tt4_ -= 0.01f;
                if (phase_ == 0) phase_ = 1;
                code_ = k;
                stepped = true;
                break;
            }
            if (code_ != k || search.settled) continue;
            const float miss = L.value - L.limit;
            // Met within the tolerance on either side: a secant step that overshoots far below the limit
            // (the pressure ratio can fall steeply where a nozzle unchokes) is not the limited engine.
            const bool met = std::fabs(miss) <= L.tolerance;
            search.record(Tt4_, L.value, miss, miss <= L.tolerance);
            if (met) continue;
            float next = search.secantStep(Tt4_, L.value, L.limit);
            if (search.bracketed() && !(next > search.low && next < search.high))
                next = (search.low + search.high) / 2;
            // The limited quantity carries the noise of the inner iterations: once the bracket or the
            // step is finer than the cycle resolves, or the phase has used its steps, the best pass stands.
            const float resolution = english_ ? kLimitTt4Resolution : kLimitTt4Resolution / 1.8f;
            const bool exhausted = ++search.steps > kLimitStepLimit;
            const bool resolved = std::fabs(next - Tt4_) < resolution ||
                                  (search.bracketed() && search.high - search.low < resolution) ||
                                  search.inconsistent();
            if (exhausted || resolved) {
                search.settled = true;
                if (search.bestTt4 != Tt4_) {
                    Tt4_ = search.bestTt4;
                    stepped = true;
                    break;
                }
                continue;
            }
            Tt4_ = next;
            stepped = true;
            break;
        }
        if (stepped) continue;
        // The limits have settled on this pass: its thrust is needed from here on.
        if (gas_ && !finishRealGasNozzle()) break;

        if (mode2) {
            const float err = required - F_;
            if (code_ != kLimitThrust) {
                rememberedLimit = code_;
                code_ = kLimitThrust;
            }
            if (err > 0 && phase_ < 2) {
                code_ = kLimitEngineSize;
                break;
            }
            phase_ = 2;
            const float throttled = abLit_ ? Tt7_ : Tt4_;
            if (bestPass) goto output;
            if (!haveBest || std::fabs(err) < std::fabs(bestErr)) {
                bestT = throttled;
                bestErr = err;
                haveBest = true;
            }
            if (err > 0) {
                shortT = haveShort ? std::max(shortT, throttled) : throttled;
                haveShort = true;
            } else {
                overT = haveOver ? std::min(overT, throttled) : throttled;
                haveOver = true;
            }
            const bool bracketed = haveShort && haveOver && shortT < overT;
            if (steps > 0) {
                const float slope = (F_ - prevF) / dT;
                if (slope != 0 && std::fabs(err) < 2) goto output;
                if (slope != 0) dT = throttleStep(err, slope, abLit_, english_);
                // The thrust carries the noise of the inner iterations (and can jump where the mixer
                // changes its match): a bracket finer than the cycle resolves leaves the pass closest to
                // the thrust as the match.
                const float resolution = english_ ? kLimitTt4Resolution : kLimitTt4Resolution / 1.8f;
                if (bracketed && overT - shortT < resolution) {
                    if (bestT == throttled) goto output;
                    (abLit_ ? Tt7_ : Tt4_) = bestT;
                    whole = !abLit_;
                    bestPass = true;
                    continue;
                }
            } else if (std::fabs(err) < 2) {
                goto output; // the full-throttle pass gives the thrust
            } else if (!english_) {
                dT = -50.0f / 1.8f;
            }
            // A step that leaves the bracket of a pass short of the thrust and one above it bisects it.
            if (bracketed && !(throttled + dT > shortT && throttled + dT < overT))
                dT = (shortT + overT) / 2 - throttled;
            if (haveFailed && (dT < 0 ? throttled + dT <= failedT : throttled + dT >= failedT) &&
                (failedT - throttled) * dT > 0) {
                // The thrust asked for lies beyond the passes with a cycle solution.
                if (++throttleRetries > kThrottleRetryLimit) {
                    text_ += failedText;
                    code_ = kLimitNoSolution;
                    break;
                }
                dT = (failedT - throttled) / 2;
            }
            if (steps >= kThrottleStepLimit) {
                text_ += "     **** Throttle iteration will not converge *****\r\n";
                text_ += "          Last value for Tt4 =" + plainText(Tt4_) + "\r\n";
                text_ += "          Last Value for Tt7 =" + plainText(Tt7_) + "\r\n";
                text_ += "          Throttled Thrust =" + plainText(F_) + "\r\n";
                code_ = kLimitNoSolution;
                break;
            }
            if (abLit_) {
                if (Tt7_ > Tt6_ || err > 0) {
                    // The afterburner goes out only when it gives too much thrust at its inlet temperature.
                    if (Tt7_ + dT < Tt6_) dT = Tt6_ - Tt7_;
                    Tt7_ += dT;
                    prevF = F_;
                    ++steps;
                    whole = false;
                } else {
                    // The afterburner has come down to its inlet temperature (or was lit without being
                    // above it): put it out and go on with Tt4.
                    steps = 0;
                    haveShort = haveOver = haveFailed = haveBest = false;
                    Tt7_ = Tt6_;
                    putAfterburnerOut();
                    dT = english_ ? -100.0f : -100.0f / 1.8f;
                }
                continue;
            }
            Tt4_ += dT;
            rememberedLimit = -1;
            abState_ = 1;
            prevF = F_;
            ++steps;
            continue;
        }
    output:
        if (Tt4_ > ctl_[5]) code_ = kLimitTt4Max;
        if (abLit_ && Tt7_ > ctl_[6]) code_ = kLimitTt7Max;
        if (rememberedLimit > 0) code_ = rememberedLimit;
        break;
    }
    if (gas_ && code_ != kLimitNoSolution) finishRealGasNozzle();
    if (code_ == kLimitNoSolution) F_ = 0;
    if (code_ != kLimitNoSolution) {
        const CorrectedFlows flows =
            correctedMassFlows(m0_, T0_, P0_, tauR_, piR_, piD_, mixed_ || type_ == 3 ? alpha_ : 0.0f,
                               tauFan_, piFan_, u_.pressureConstant, u_.TSL, u_.PSL);
        out_.mc2 = flows.fanFace;
        out_.mc25 = flows.compressorFace;
    }
    publish();
}

} // namespace

float throttleStep(float thrustError, float slope, bool afterburnerLit, bool english) {
    const float cap = afterburnerLit ? (english ? 500.0f : 277.78f) : (english ? 250.0f : 138.89f);
    return std::clamp(thrustError / slope, -cap, cap);
}

bool deckSupportsType(int16_t type) {
    return type >= 1 && type <= 7;
}

DeckConditions DeckConditions::fromControls(const EngineData& e, const UnitConstants& units,
                                            float thrustScale) {
    DeckConditions c;
    c.units = units;
    c.mach = e.controls[1];
    c.altitude = e.controls[2];
    c.T0 = e.controls[3];
    c.P0 = e.controls[4];
    c.tt4 = e.controls[5];
    c.tt7 = e.controls[6];
    c.exitPressureRatio = e.controls[7];
    c.requiredThrust = e.controls[10];
    c.compressorRatioMax = e.controls[11];
    c.pt3Max = e.controls[12];
    c.tt3Max = e.controls[13];
    c.lowSpoolMax = e.controls[14];
    c.highSpoolMax = e.controls[15];
    c.throttleMode = e.setup[kSetupThrottleMode];
    c.thrustScale = thrustScale;
    return c;
}

std::string DeckResult::failureText() const {
    std::string text;
    for (const std::string& line : failure) text += "     " + line + "\r\n";
    return text;
}

DeckResult runEngineDeck(const EngineData& engine, const DeckConditions& conditions) {
    DeckResult result;
    std::string text;
    DeckRun run(engine, conditions, result.cycle, text);
    run.run(result, conditions.thrustScale);
    result.evaluations = result.cycle.cycleEvaluations;
    result.converged = result.limit != kLimitNoSolution;
    // The deck's message lines, without their indentation and line ends.
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find("\r\n", pos);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(pos, end - pos);
        const std::size_t first = line.find_first_not_of(' ');
        if (first != std::string::npos)
            result.failure.push_back(line.substr(std::min<std::size_t>(first, 5)));
        pos = end + 2;
    }
    if (!result.converged && result.failure.empty()) result.failure.push_back("Engine cycle failed.");
    return result;
}

void RunEngineDeck(EngineData& engine, const UnitConstants& units, EngineDeckResults& results,
                   std::string& resultsText, float& F, float& S, float& m0, float& A0, float& A9, float& Tt4,
                   float& Tt7, int16_t& afterburnerState, int16_t& limitCode, float& thrustScale) {
    const DeckResult r = runEngineDeck(engine, DeckConditions::fromControls(engine, units, thrustScale));
    F = r.F;
    S = r.S;
    m0 = r.m0;
    A0 = r.A0;
    A9 = r.A9;
    Tt4 = r.Tt4;
    Tt7 = r.Tt7;
    afterburnerState = r.afterburnerState;
    limitCode = r.limit;
    results = r.cycle;
    engine.airMassFlow = r.m0;
    // Indented as the deck wrote them: the throttle message's detail lines keep their ten blanks.
    for (const std::string& line : r.failure) resultsText += "     " + line + "\r\n";
}

} // namespace vededa
