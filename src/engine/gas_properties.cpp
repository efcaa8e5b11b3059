// Variable specific heats of air and hydrocarbon combustion products from species polynomial fits.
#include "engine/gas_properties.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <mutex>
#include <utility>
#include <vector>

namespace vededa {

namespace {

/// Universal gas constant [kJ/(kmol K)].
constexpr double kRu = 8.314462618;
/// Temperature where the two ranges of every fit meet [K].
constexpr double kMidK = 1000.0;
/// Datum of the sensible enthalpies and of the reduced pressure [K].
constexpr double kRefK = 298.15;
/// English units: R per K, BTU/lbm per kJ/kg.
constexpr double kRankinePerKelvin = 1.8;
constexpr double kBtuPerLbmPerKjPerKg = 1.0 / 2.326;
/// Newton steps of the inverse functions and their relative tolerance.
constexpr int kInversePassLimit = 40;
constexpr double kInverseTolerance = 1e-11;
/// The inverses stop once a step is below this share of T: Newton converges quadratically, so the
/// temperature after that step is within about its square times T·(dcp/dT)/(2·cp) (below 0.3) of the
/// root, some 3e-9 of T: far inside single precision.
constexpr double kInverseLastStep = 1e-4;
/// The entropy-function inverse sets pressure ratios, which the cycle multiplies up: one step finer.
constexpr double kPhiInverseLastStep = 1e-5;
/// Newton steps of the searches from a nearby temperature (an earlier state of the caller's iteration)
/// and the relative step after which they stop: Newton converges quadratically, so the state after that
/// step is within some 1e-10 of T of the root.
constexpr int kNearSteps = 8;
constexpr double kNearLastStep = 1e-5;

/// One species: molar mass [kg/kmol], H(298.15 K) - H(0 K) [kJ/mol], and the seven coefficients of the
/// NASA polynomials cp/R = a1 + a2 T + a3 T^2 + a4 T^3 + a5 T^4, H/(RT) = a1 + a2 T/2 + ... + a6/T,
/// S/R = a1 ln T + a2 T + a3 T^2/2 + a4 T^3/3 + a5 T^4/4 + a7, for 200-1000 K and 1000-6000 K.
/// Coefficients: McBride, Gordon and Reno, "Coefficients for Calculating Thermodynamic and Transport
/// Properties of Individual Species", NASA TM-4513 (1993), as tabulated in the NASA Glenn
/// thermodynamic database; enthalpies above 0 K from the JANAF Thermochemical Tables (4th ed., 1998).
struct Species {
    double molarMass;
    double h298MinusH0;
    std::array<double, 7> low, high;
};

constexpr Species kN2{
    28.0134,
    8.670,
    {3.53100528, -1.23660988e-4, -5.02999433e-7, 2.43530612e-9, -1.40881235e-12, -1046.97628, 2.96747038},
    {2.95257637, 1.39690040e-3, -4.92631603e-7, 7.86010195e-11, -4.60755204e-15, -923.948688, 5.87188762}};
constexpr Species kO2{
    31.9988,
    8.683,
    {3.78245636, -2.99673416e-3, 9.84730201e-6, -9.68129509e-9, 3.24372837e-12, -1063.94356, 3.65767573},
    {3.66096065, 6.56365811e-4, -1.41149627e-7, 2.05797935e-11, -1.29913436e-15, -1215.97718, 3.41536279}};
constexpr Species kAr{
    39.948, 6.197, {2.5, 0, 0, 0, 0, -745.375, 4.37967491}, {2.5, 0, 0, 0, 0, -745.375, 4.37967491}};
constexpr Species kCO2{
    44.0095,
    9.364,
    {2.35677352, 8.98459677e-3, -7.12356269e-6, 2.45919022e-9, -1.43699548e-13, -48371.9697, 9.90105222},
    {4.63659493, 2.74131991e-3, -9.95828531e-7, 1.60373011e-10, -9.16103468e-15, -49024.9341, -1.93534855}};
constexpr Species kH2O{
    18.01528,
    9.904,
    {4.19864056, -2.03643410e-3, 6.52040211e-6, -5.48797062e-9, 1.77197817e-12, -30293.7267, -0.849032208},
    {2.67703787, 2.97318329e-3, -7.73769690e-7, 9.44336689e-11, -4.26900959e-15, -29885.8938, 6.88255571}};

/// Models kept for sharing (unit systems times fuels a process meets).
constexpr std::size_t kSharedModelLimit = 32;

/// Dry air, mole fractions.
constexpr double kAirN2 = 0.78084, kAirO2 = 0.20946, kAirAr = 0.00934, kAirCO2 = 0.00036;
constexpr double kCarbonMass = 12.0107, kHydrogenMass = 1.00794;

// The integrals of cp/R and cp/(R T) term by term; the thirds and fifths as products, not divisions (these
// run in every property evaluation).
constexpr double kThird = 1.0 / 3.0, kFifth = 1.0 / 5.0;

double cpPoly(const std::array<double, 7>& a, double T) {
    return a[0] + T * (a[1] + T * (a[2] + T * (a[3] + T * a[4])));
}
double hPoly(const std::array<double, 7>& a, double T) { // H/R without the constant a6
    return T * (a[0] + T * (a[1] * 0.5 + T * (a[2] * kThird + T * (a[3] * 0.25 + T * a[4] * kFifth))));
}
double sPolyWithLog(const std::array<double, 7>& a, double T, double lnT) {
    return a[0] * lnT + T * (a[1] + T * (a[2] * 0.5 + T * (a[3] * kThird + T * a[4] * 0.25))) + a[6];
}
double sPoly(const std::array<double, 7>& a, double T) {
    return sPolyWithLog(a, T, std::log(T));
}

/// The cubic Hermite curve through y0 and y1 with slopes (times the step) d0 and d1 at t = 0 and 1, in
/// powers of t (the table lookups' interpolation).
double hermite(double y0, double d0, double y1, double d1, double t) {
    const double d = y1 - y0;
    return y0 + t * (d0 + t * (3.0 * d - 2.0 * d0 - d1 + t * (d0 + d1 - 2.0 * d)));
}

struct Amount {
    const Species* species;
    double moles;
};

// The property polynomials of one range. A mixture's are air's plus its products share x times the
// products' less air's: the two polynomials evaluate side by side while x is still being formed.
template <class Terms> double cpOf(const Terms& a, double T) {
    return a.c[0] + T * (a.c[1] + T * (a.c[2] + T * (a.c[3] + T * a.c[4])));
}
template <class Terms> double cpOf(const Terms& a, const Terms& d, double x, double T) {
    return cpOf(a, T) + x * cpOf(d, T);
}
template <class Terms> double cpSlopeOf(const Terms& a, double T) { // dcp/dT
    return a.c[1] + T * (2.0 * a.c[2] + T * (3.0 * a.c[3] + T * 4.0 * a.c[4]));
}
template <class Terms> double hOf(const Terms& a, double T) {
    return T * (a.h[0] + T * (a.h[1] + T * (a.h[2] + T * (a.h[3] + T * a.h[4])))) + a.hConstant;
}
template <class Terms> double hOf(const Terms& a, const Terms& d, double x, double T) {
    return hOf(a, T) + x * hOf(d, T);
}
template <class Terms> double phiOf(const Terms& a, double T, double lnT) {
    return a.c[0] * lnT + T * (a.s[0] + T * (a.s[1] + T * (a.s[2] + T * a.s[3]))) + a.sConstant;
}
template <class Terms> double phiOf(const Terms& a, const Terms& d, double x, double T, double lnT) {
    return phiOf(a, T, lnT) + x * phiOf(d, T, lnT);
}

} // namespace

GasModel::GasModel(int16_t unitSystem, double hydrogenCarbonRatio) {
    hc_ = hydrogenCarbonRatio > 0 ? hydrogenCarbonRatio : kKeroseneHydrogenCarbonRatio;
    unitSystem_ = unitSystem;
    const bool english = unitSystem == 1;
    tScale_ = english ? kRankinePerKelvin : 1.0;
    eScale_ = english ? kBtuPerLbmPerKjPerKg : 1.0;
    perKelvin_ = 1.0 / tScale_;
    perEnergy_ = 1.0 / eScale_;
    cpScale_ = eScale_ / tScale_;
    perCpScale_ = tScale_ / eScale_;

    // Mass-based fit of a mixture of fixed composition [kJ/(kg K)], with an enthalpy datum at 0 K.
    auto build = [](std::initializer_list<Amount> parts) {
        Fit fit;
        double mass = 0, moles = 0, h0 = 0;
        for (const Amount& p : parts) {
            mass += p.moles * p.species->molarMass;
            moles += p.moles;
            h0 += p.moles * p.species->h298MinusH0 * 1000.0;
            for (int i = 0; i < 7; ++i) {
                fit.low[i] += p.moles * kRu * p.species->low[i];
                fit.high[i] += p.moles * kRu * p.species->high[i];
            }
        }
        for (int i = 0; i < 7; ++i) {
            fit.low[i] /= mass;
            fit.high[i] /= mass;
        }
        fit.R = kRu * moles / mass;
        fit.hLow = h0 / mass - hPoly(fit.low, kRefK);
        fit.hHigh = fit.hLow + hPoly(fit.low, kMidK) - hPoly(fit.high, kMidK);
        return fit;
    };
    air_ = build({{&kN2, kAirN2}, {&kO2, kAirO2}, {&kAr, kAirAr}, {&kCO2, kAirCO2}});

    // CH_y + (1 + y/4) O2 -> CO2 + (y/2) H2O burns all the oxygen of one mole of air with
    // kAirO2/(1 + y/4) moles of fuel.
    const double fuelMoles = kAirO2 / (1.0 + hc_ / 4.0);
    const double airMass =
        kAirN2 * kN2.molarMass + kAirO2 * kO2.molarMass + kAirAr * kAr.molarMass + kAirCO2 * kCO2.molarMass;
    fs_ = fuelMoles * (kCarbonMass + hc_ * kHydrogenMass) / airMass;
    products_ =
        build({{&kN2, kAirN2}, {&kAr, kAirAr}, {&kCO2, kAirCO2 + fuelMoles}, {&kH2O, fuelMoles * hc_ / 2.0}});
    // The fits as they are evaluated.
    for (int r = 0; r < 2; ++r) {
        auto terms = [r](const Fit& fit) {
            const std::array<double, 7>& a = r == 0 ? fit.low : fit.high;
            Terms t;
            t.c = {a[0], a[1], a[2], a[3], a[4]};
            t.h = {a[0], a[1] * 0.5, a[2] * kThird, a[3] * 0.25, a[4] * kFifth};
            t.s = {a[1], a[2] * 0.5, a[3] * kThird, a[4] * 0.25};
            t.hConstant = r == 0 ? fit.hLow : fit.hHigh;
            t.sConstant = a[6];
            return t;
        };
        const Terms air = terms(air_), products = terms(products_);
        Terms& d = productsLessAir_[r];
        for (int i = 0; i < 5; ++i) {
            d.c[i] = products.c[i] - air.c[i];
            d.h[i] = products.h[i] - air.h[i];
        }
        for (int i = 0; i < 4; ++i) d.s[i] = products.s[i] - air.s[i];
        d.hConstant = products.hConstant - air.hConstant;
        d.sConstant = products.sConstant - air.sConstant;
        airTerms_[r] = air;
    }
    // Inverse tables of the enthalpy and of the entropy function.
    tabulate(enthalpyTable_, [this](double TK, double x, bool low) {
        double hK = 0, cpK = 0;
        enthalpyAndCp(TK, x, low, hK, cpK);
        return std::pair{hK, cpK};
    });
    tabulate(phiTable_, [this](double TK, double x, bool low) {
        double phiK = 0, cpK = 0;
        phiAndCp(TK, x, low, phiK, cpK);
        return std::pair{phiK, cpK / TK};
    });
    // Air's entropy function against its enthalpy, each node's temperature by Newton steps from the
    // node below with the run's own fit.
    airEntropy_.middle = hPoly(air_.high, kMidK) + air_.hHigh;
    airEntropy_.node.assign(2 * AirEntropyTable::kPoints, {0.0, 0.0});
    for (int r = 0; r < 2; ++r) {
        const bool low = r == 0;
        const double TLow = low ? kTableLowestK : kMidK, THigh = low ? kMidK : kTableHighestK;
        const std::array<double, 7>& a = low ? air_.low : air_.high;
        const double hConstant = low ? air_.hLow : air_.hHigh;
        AirEntropyTable::Run& run = airEntropy_.run[r];
        run.start = hPoly(a, TLow) + hConstant;
        run.step = (hPoly(a, THigh) + hConstant - run.start) / (AirEntropyTable::kPoints - 1);
        run.inverseStep = 1.0 / run.step;
        double T = TLow;
        for (int i = 0; i < AirEntropyTable::kPoints; ++i) {
            const double hNode = run.start + i * run.step;
            for (int n = 0; n < kInversePassLimit; ++n) {
                const double step = (hNode - hPoly(a, T) - hConstant) / cpPoly(a, T);
                T += step;
                if (std::fabs(step) <= kInverseTolerance * T) break;
            }
            airEntropy_.node[static_cast<std::size_t>(r) * AirEntropyTable::kPoints + i] = {sPoly(a, T),
                                                                                            run.step / T};
        }
    }
    phiRefAir_ = evaluate(air_, kRefK).phi;
    phiRefProd_ = evaluate(products_, kRefK).phi;
}

std::shared_ptr<const GasModel> GasModel::shared(int16_t unitSystem, double hydrogenCarbonRatio) {
    const double hc = hydrogenCarbonRatio > 0 ? hydrogenCarbonRatio : kKeroseneHydrogenCarbonRatio;
    auto matches = [&](const std::shared_ptr<const GasModel>& m) {
        return m && m->unitSystem_ == unitSystem && m->hc_ == hc;
    };
    // Each thread remembers the model it used last; the list of built models is shared under a lock.
    thread_local std::shared_ptr<const GasModel> last;
    if (matches(last)) return last;
    static std::mutex lock;
    static std::vector<std::shared_ptr<const GasModel>> built;
    const std::lock_guard<std::mutex> hold(lock);
    for (const auto& m : built)
        if (matches(m)) return last = m;
    if (built.size() >= kSharedModelLimit) built.erase(built.begin());
    built.push_back(std::make_shared<const GasModel>(unitSystem, hc));
    return last = built.back();
}

GasModel::Point GasModel::evaluate(const Fit& fit, double TK) const {
    const bool low = TK < kMidK;
    const std::array<double, 7>& a = low ? fit.low : fit.high;
    return {cpPoly(a, TK), hPoly(a, TK) + (low ? fit.hLow : fit.hHigh), sPoly(a, TK)};
}

double GasModel::productShare(double f) const {
    if (f <= 0) return 0; // air (a fuel ratio that is not a number goes on to give one)
    const double fc = std::min(f, fs_);
    return fc * (1.0 + fs_) / (fs_ * (1.0 + fc));
}

// Properties of the gas of fuel/air ratio f mix those of air and of the stoichiometric products by mass:
// a lean burn of f leaves 1 - f/fs of the air unburnt beside (f/fs)(1 + fs) of stoichiometric products.

double GasModel::cp(double T, double f) const {
    const double TK = T * perKelvin_;
    return specificHeatAt(TK, productShare(f), TK < kMidK) * cpScale_;
}

double GasModel::h(double T, double f) const {
    const double TK = T * perKelvin_, x = productShare(f);
    const int r = TK < kMidK ? 0 : 1;
    return (x == 0 ? hOf(airTerms_[r], TK) : hOf(airTerms_[r], productsLessAir_[r], x, TK)) * eScale_;
}

double GasModel::airEnthalpy(double TK) const {
    return TK < kMidK ? hPoly(air_.low, TK) + air_.hLow : hPoly(air_.high, TK) + air_.hHigh;
}

double GasModel::productsEnthalpy(double TK) const {
    return TK < kMidK ? hPoly(products_.low, TK) + products_.hLow
                      : hPoly(products_.high, TK) + products_.hHigh;
}

double GasModel::phi(double T, double f) const {
    const double TK = T * perKelvin_;
    return phiAt(TK, productShare(f), TK < kMidK) * cpScale_;
}

GasModel::State GasModel::state(double T, double f) const {
    const double TK = T * perKelvin_, x = productShare(f);
    const bool low = TK < kMidK;
    double hK = 0, cpK = 0, phiK = 0;
    allAt(TK, x, low, hK, cpK, phiK);
    return {hK * eScale_, cpK * cpScale_, phiK * cpScale_};
}

void GasModel::enthalpyAndSpecificHeat(double T, double f, double& h, double& cp) const {
    const double TK = T * perKelvin_, x = productShare(f);
    double hK = 0, cpK = 0;
    enthalpyAndCp(TK, x, TK < kMidK, hK, cpK);
    h = hK * eScale_;
    cp = cpK * cpScale_;
}

void GasModel::enthalpyAndSpecificHeat(double T, double f, double& h, double& cp, double& cpSlope) const {
    const double TK = T * perKelvin_, x = productShare(f);
    const bool low = TK < kMidK;
    double hK = 0, cpK = 0;
    enthalpyAndCp(TK, x, low, hK, cpK);
    const Terms& a = airTerms_[low ? 0 : 1];
    const double slopeK =
        x == 0 ? cpSlopeOf(a, TK) : cpSlopeOf(a, TK) + x * cpSlopeOf(productsLessAir_[low ? 0 : 1], TK);
    h = hK * eScale_;
    cp = cpK * cpScale_;
    cpSlope = slopeK * cpScale_ * perKelvin_;
}

double GasModel::R(double f) const {
    return gasConstant(productShare(f)) * cpScale_;
}

double GasModel::gamma(double T, double f) const {
    const double c = cp(T, f);
    return c / (c - R(f));
}

double GasModel::reducedPressure(double T, double f) const {
    const double x = productShare(f);
    const double phiRef = (1.0 - x) * phiRefAir_ + x * phiRefProd_;
    const double r = gasConstant(x);
    return std::exp((phi(T, f) * perCpScale_ - phiRef) / r);
}

template <class Property> void GasModel::tabulate(InverseTable& table, Property property) const {
    constexpr int rows = InverseTable::kShares, points = InverseTable::kPoints;
    table.node.assign(static_cast<std::size_t>(rows) * 2 * points, {0.0, 0.0, 0.0});
    for (int k = 0; k < rows; ++k) {
        const double x = static_cast<double>(k) / (rows - 1);
        table.middle[k] = property(kMidK, x, false).first;
        for (int r = 0; r < 2; ++r) {
            const double TLow = r == 0 ? kTableLowestK : kMidK, THigh = r == 0 ? kMidK : kTableHighestK;
            InverseTable::Run& run = table.run[k][r];
            const bool low = r == 0;
            run.start = property(TLow, x, low).first;
            run.step = (property(THigh, x, low).first - run.start) / (points - 1);
            run.inverseStep = 1.0 / run.step;
            // Each node by Newton steps from its neighbour below, converged to round-off; the steps use
            // the fit of the run's own range on both sides of its ends.
            double T = TLow;
            for (int i = 0; i < points; ++i) {
                const double y = run.start + i * run.step;
                std::pair<double, double> p = property(T, x, low);
                for (int n = 0; n < kInversePassLimit; ++n) {
                    const double step = (y - p.first) / p.second;
                    T += step;
                    p = property(T, x, low);
                    if (std::fabs(step) <= kInverseTolerance * T) break;
                }
                // y is linear in x, so dy/dx at constant T is the products' y less air's; dT/dx at
                // constant y is its ratio to dy/dT, taken over one share step.
                const double dydx = property(T, 1.0, low).first - property(T, 0.0, low).first;
                table.node[(static_cast<std::size_t>(k) * 2 + r) * points + i] = {
                    T, run.step / p.second, -dydx / p.second / (rows - 1)};
            }
        }
    }
}

double GasModel::InverseTable::onShare(double y, int k, double* shareSlope) const {
    const int r = y < middle[k] ? 0 : 1;
    const Run& run = this->run[k][r];
    const double u = (y - run.start) * run.inverseStep;
    if (!(u >= 0 && u <= kPoints - 1)) return 0;
    const int i = std::min(static_cast<int>(u), kPoints - 2);
    const double t = u - i;
    const std::array<double, 3>* n = &node[(static_cast<std::size_t>(k) * 2 + r) * kPoints + i];
    if (shareSlope) *shareSlope = n[0][2] + t * (n[1][2] - n[0][2]);
    return hermite(n[0][0], n[0][1], n[1][0], n[1][1], t);
}

double GasModel::InverseTable::at(double y, double x, bool& exact) const {
    const double xs = x * (kShares - 1);
    exact = false;
    if (!(xs >= 0 && xs <= kShares - 1)) return 0;
    const int k = static_cast<int>(xs + 0.5); // the nearest share
    const double w = xs - k;
    if (w == 0) {
        const double T = onShare(y, k);
        exact = T > 0;
        return T;
    }
    double slope = 0;
    const double T = onShare(y, k, &slope);
    return T > 0 ? T + w * slope : 0;
}

void GasModel::enthalpyAndCp(double TK, double x, bool low, double& hK, double& cpK) const {
    const Terms& a = airTerms_[low ? 0 : 1];
    if (x == 0) {
        hK = hOf(a, TK);
        cpK = cpOf(a, TK);
        return;
    }
    const Terms& d = productsLessAir_[low ? 0 : 1];
    hK = hOf(a, d, x, TK);
    cpK = cpOf(a, d, x, TK);
}

void GasModel::allAt(double TK, double x, bool low, double& hK, double& cpK, double& phiK) const {
    allAt(TK, std::log(TK), x, low, hK, cpK, phiK);
}

void GasModel::allAt(double TK, double lnT, double x, bool low, double& hK, double& cpK, double& phiK) const {
    const Terms& a = airTerms_[low ? 0 : 1];
    if (x == 0) {
        hK = hOf(a, TK);
        cpK = cpOf(a, TK);
        phiK = phiOf(a, TK, lnT);
        return;
    }
    const Terms& d = productsLessAir_[low ? 0 : 1];
    hK = hOf(a, d, x, TK);
    cpK = cpOf(a, d, x, TK);
    phiK = phiOf(a, d, x, TK, lnT);
}

void GasModel::phiAndCp(double TK, double x, bool low, double& phiK, double& cpK) const {
    const Terms& a = airTerms_[low ? 0 : 1];
    const double lnT = std::log(TK);
    if (x == 0) {
        phiK = phiOf(a, TK, lnT);
        cpK = cpOf(a, TK);
        return;
    }
    const Terms& d = productsLessAir_[low ? 0 : 1];
    phiK = phiOf(a, d, x, TK, lnT);
    cpK = cpOf(a, d, x, TK);
}

double GasModel::specificHeatAt(double TK, double x, bool low) const {
    const Terms& a = airTerms_[low ? 0 : 1];
    return x == 0 ? cpOf(a, TK) : cpOf(a, productsLessAir_[low ? 0 : 1], x, TK);
}

double GasModel::phiAt(double TK, double x, bool low) const {
    const Terms& a = airTerms_[low ? 0 : 1];
    const double lnT = std::log(TK);
    return x == 0 ? phiOf(a, TK, lnT) : phiOf(a, productsLessAir_[low ? 0 : 1], x, TK, lnT);
}

double GasModel::temperatureFromEnthalpy(double enthalpy, double f) const {
    // On a tabulated products share (air, the stoichiometric products) the table is the inverse, to some
    // 4e-10 of T; between them Newton steps on cp = dh/dT from the tabulated temperature, which is close
    // enough that the first step is the last. An enthalpy or fuel ratio that is not a finite number has no
    // temperature: the result is not a number either, for the caller's checks.
    if (!std::isfinite(enthalpy) || !std::isfinite(f)) return std::numeric_limits<double>::quiet_NaN();
    const double x = productShare(f), hK = enthalpy * perEnergy_;
    bool exact = false;
    double TK = 0;
    if (x == 0) {
        // Air: the table's own share.
        TK = enthalpyTable_.onShare(hK, 0);
        if (TK > 0) return TK * tScale_;
    } else {
        TK = enthalpyTable_.at(hK, x, exact);
        if (exact) return TK * tScale_;
    }
    if (!(TK > 0)) {
        // Outside the table: the enthalpy above 0 K is nearly proportional to T.
        const InverseTable::Run &lowest = enthalpyTable_.run[0][0], &highest = enthalpyTable_.run[0][1];
        const double hLow = lowest.start, hHigh = highest.start + highest.step * (InverseTable::kPoints - 1);
        TK = hK < hLow ? kTableLowestK * hK / hLow : kTableHighestK * hK / hHigh;
        if (!(TK > 0)) TK = 10.0;
    }
    for (int i = 0; i < kInversePassLimit; ++i) {
        double hNow = 0, cpNow = 0;
        enthalpyAndCp(TK, x, TK < kMidK, hNow, cpNow);
        const double step = (hK - hNow) / cpNow;
        TK += step;
        if (!(TK > 0)) TK = 10.0;
        if (std::fabs(step) <= kInverseLastStep * TK) break;
    }
    return TK * tScale_;
}

double GasModel::temperatureFromEnthalpyNear(double enthalpy, double f, double near) const {
    const double x = productShare(f), hK = enthalpy * perEnergy_;
    double TK = near * perKelvin_;
    for (int i = 0; i < kNearSteps && TK > 0; ++i) {
        double hNow = 0, cpNow = 0;
        enthalpyAndCp(TK, x, TK < kMidK, hNow, cpNow);
        const double step = (hK - hNow) / cpNow;
        TK += step;
        if (std::fabs(step) <= kNearLastStep * TK) return TK * tScale_;
    }
    return temperatureFromEnthalpy(enthalpy, f);
}

double GasModel::temperatureFromPhi(double entropyFunction, double f, double guess) const {
    const double x = productShare(f), phiK = entropyFunction * perCpScale_;
    bool exact = false;
    const double TK = phiTable_.at(phiK, x, exact);
    return solvePhi(phiK, x, TK > 0 ? TK : guess > 0 ? guess * perKelvin_ : 1000.0) * tScale_;
}

double GasModel::solvePhi(double phiK, double x, double TK, double* hK) const {
    // dphi/dT = cp/T: Newton steps in ln T. The two ranges of the fits meet at 1000 K with entropy
    // functions a few parts in 1e10 apart: a last step that crosses there is followed by one more on the
    // far side, so the root is that of the fits where it lies.
    bool crossed = false;
    for (int i = 0; i < kInversePassLimit; ++i) {
        const bool low = TK < kMidK;
        double phiNow = 0, cpNow = 0, hNow = 0;
        if (hK)
            allAt(TK, x, low, hNow, cpNow, phiNow);
        else
            phiAndCp(TK, x, low, phiNow, cpNow);
        const double step = (phiK - phiNow) / cpNow;
        // exp(step) by its series while the step is small (always from a tabulated start).
        const double TNext = TK * (std::fabs(step) < 1e-3 ? 1.0 + step * (1.0 + step * (0.5 + step / 6.0))
                                                          : std::exp(std::clamp(step, -2.0, 2.0)));
        if (std::fabs(step) <= kPhiInverseLastStep && (crossed || low == (TNext < kMidK))) {
            // The enthalpy where the last step started, carried along the step by cp: the term left out,
            // cp'·dT²/2, is some 1e-11 of h after a step below 1e-5 of T.
            if (hK) *hK = hNow + cpNow * (TNext - TK);
            return TNext;
        }
        crossed = std::fabs(step) <= kPhiInverseLastStep;
        TK = TNext;
    }
    if (hK) {
        double cpNow = 0;
        enthalpyAndCp(TK, x, TK < kMidK, *hK, cpNow);
    }
    return TK;
}

double GasModel::expansionEnd(double phiK, double x, double TK, double logPressureRatio, double* hK) const {
    bool exact = false;
    double start = phiTable_.at(phiK, x, exact);
    if (!(start > 0)) {
        // Outside the table: the constant-gamma end state with the gamma at the start.
        const double cpK = specificHeatAt(TK, x, TK < kMidK), r = gasConstant(x);
        const double g = cpK / (cpK - r);
        start = TK * std::exp(logPressureRatio * (g - 1.0) / g);
    }
    return solvePhi(phiK, x, start, hK);
}

double GasModel::isentropicTemperature(double T, double f, double pressureRatio) const {
    const double x = productShare(f), TK = T * perKelvin_, logRatio = std::log(pressureRatio);
    const double phiK = phiAt(TK, x, TK < kMidK) + gasConstant(x) * logRatio;
    return expansionEnd(phiK, x, TK, logRatio) * tScale_;
}

double GasModel::isentropicEnthalpy(double T, double f, double pressureRatio) const {
    return isentropicEnthalpyAtLogRatio(T, f, std::log(pressureRatio));
}

double GasModel::isentropicEnthalpyAtLogRatio(double T, double f, double logPressureRatio) const {
    const double x = productShare(f), TK = T * perKelvin_;
    const double phiK = phiAt(TK, x, TK < kMidK) + gasConstant(x) * logPressureRatio;
    double hK = 0;
    expansionEnd(phiK, x, TK, logPressureRatio, &hK);
    return hK * eScale_;
}

double GasModel::isentropicEnthalpyNear(double T, double f, double logPressureRatio, double& near) const {
    const double x = productShare(f), TK = T * perKelvin_;
    return enthalpyAtPhiNear(T, f, logPressureRatio, near, x,
                             phiAt(TK, x, TK < kMidK) + gasConstant(x) * logPressureRatio);
}

double GasModel::isentropicEnthalpyNear(double T, double f, double logPressureRatio, double& near,
                                        double startPhi) const {
    const double x = productShare(f);
    return enthalpyAtPhiNear(T, f, logPressureRatio, near, x,
                             startPhi / cpScale_ + gasConstant(x) * logPressureRatio);
}

double GasModel::enthalpyAtPhiNear(double T, double f, double logPressureRatio, double& near, double x,
                                   double phiK) const {
    double TeK = near * perKelvin_;
    // ln T is carried along the steps (each is a step in ln T): only the first one takes a logarithm.
    double lnTe = TeK > 0 ? std::log(TeK) : 0.0;
    for (int i = 0; i < kNearSteps && TeK > 0; ++i) {
        double hNow = 0, cpNow = 0, phiNow = 0;
        allAt(TeK, lnTe, x, TeK < kMidK, hNow, cpNow, phiNow);
        const double step = (phiK - phiNow) / cpNow;
        if (!(std::fabs(step) < 0.1)) break;
        // exp(step) by its series while the step is small (every step but a far first one; what the
        // series leaves out, step⁴/24, stays below 5e-14).
        const double next =
            TeK * (std::fabs(step) < 1e-3 ? 1.0 + step * (1.0 + step * (0.5 + step / 6.0)) : std::exp(step));
        if (std::fabs(step) <= kNearLastStep) {
            near = next * tScale_;
            return (hNow + cpNow * (next - TeK)) * eScale_;
        }
        TeK = next;
        lnTe += step;
    }
    // The end enthalpy is carried along the last step by cp (the term left out, cp'·dT²/2, is some 1e-11
    // of h after a step below 1e-5 of T); without a usable start, the tabulated search.
    near = expansionEnd(phiK, x, T * perKelvin_, logPressureRatio) * tScale_;
    return h(near, f);
}

double GasModel::isentropicPressureRatio(double T1, double T2, double f) const {
    const double x = productShare(f), T1K = T1 * perKelvin_, T2K = T2 * perKelvin_;
    const double r = gasConstant(x);
    const bool low = T1K < kMidK;
    if (low != (T2K < kMidK)) return std::exp((phiAt(T2K, x, !low) - phiAt(T1K, x, low)) / r);
    // Both ends on one range of the fits: the logarithms of the two temperatures combine into one.
    const Terms &a = airTerms_[low ? 0 : 1], &d = productsLessAir_[low ? 0 : 1];
    const double lnRatio = std::log(T2K / T1K);
    if (x == 0) return std::exp((phiOf(a, T2K, lnRatio) - phiOf(a, T1K, 0.0)) / r);
    return std::exp((phiOf(a, d, x, T2K, lnRatio) - phiOf(a, d, x, T1K, 0.0)) / r);
}

double GasModel::burnerFuelAirRatio(double Tin, double Tout, double fIn, double heatingValue,
                                    double efficiency) const {
    // The heating value is released at the burner's entry temperature: the stream and its fuel enter at
    // Tin, burning there turns them into the products at Tin and frees q = efficiency·heatingValue per
    // unit fuel, and that heat takes the products from Tin to Tout:
    //   (1 + fOut)·[h(Tout, fOut) - h(Tin, fOut)] = q·(fOut - fIn).
    // With (1 + f)·h(T, f) = h_air(T) + f·B(T), B the enthalpy one unit of fuel adds to the stream as
    // stoichiometric products in place of air, the balance reads
    //   [h_air(Tout) - h_air(Tin)] + fOut·[B(Tout) - B(Tin)] = q·(fOut - fIn),
    // which is linear in fOut; only rises between Tin and Tout enter, so no enthalpy datum does.
    const double TinK = Tin / tScale_, ToutK = Tout / tScale_;
    const double airRise = airEnthalpy(ToutK) - airEnthalpy(TinK);
    const double fuelRise =
        ((1.0 + fs_) * (productsEnthalpy(ToutK) - productsEnthalpy(TinK)) - airRise) / fs_;
    const double q = efficiency * heatingValue / eScale_;
    return (airRise + fIn * q) / (q - fuelRise);
}

// Outside its enthalpies the table gives no value, and the entropy function comes from the temperature.
double GasModel::AirEntropyTable::at(double hK) const {
    const int r = hK < middle ? 0 : 1;
    const Run& run = this->run[r];
    const double u = (hK - run.start) * run.inverseStep;
    if (!(u >= 0 && u <= kPoints - 1)) return std::numeric_limits<double>::quiet_NaN();
    const int i = std::min(static_cast<int>(u), kPoints - 2);
    const std::array<double, 2>* n = &node[static_cast<std::size_t>(r) * kPoints + i];
    return hermite(n[0][0], n[0][1], n[1][0], n[1][1], u - i);
}

double GasModel::airEntropyFunctionAtEnthalpy(double enthalpy) const {
    const double phiK = airEntropy_.at(enthalpy * perEnergy_);
    if (std::isfinite(phiK)) return phiK * cpScale_;
    return phi(temperatureFromEnthalpy(enthalpy, 0), 0);
}

} // namespace vededa
