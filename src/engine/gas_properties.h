#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace vededa {

/// Gas models of a design and of a reference engine (reference position 55).
inline constexpr int16_t kConstantGas = 0; ///< two constant-cp gases (cp_c, gamma_c; cp_t, gamma_t; AB)
inline constexpr int16_t kVariableGas = 1; ///< air and combustion products with variable specific heats

/// Default hydrogen/carbon atom ratio of the fuel: a kerosene-like (CH2)n hydrocarbon.
inline constexpr float kKeroseneHydrogenCarbonRatio = 2.0f;

/// Thermodynamic properties of dry air and of the products of burning a hydrocarbon fuel CH_y in air
/// (complete combustion, no dissociation), as thermally perfect gases whose specific heat varies with
/// temperature. A gas is named by its fuel/air ratio f (kg of fuel burnt per kg of air in the stream);
/// f = 0 is air, and f above the stoichiometric ratio is computed as the stoichiometric products.
///
/// Values are per unit mass of the gas (air plus fuel), in the unit system given to the constructor:
/// temperatures [R or K], enthalpies [BTU/lbm or kJ/kg], specific heats, gas constants and the entropy
/// function [BTU/(lbm R) or kJ/(kg K)].
///
/// - h(T, f) is the enthalpy above 0 K: close to cp·T, so enthalpy ratios play the role the temperature
///   ratios of a constant-cp gas play.
/// - phi(T, f) is the entropy function (standard-state entropy at one atmosphere without the entropy of
///   mixing, which does not change with temperature). An isentropic change of a gas of fixed
///   composition obeys phi(T2) - phi(T1) = R·ln(P2/P1), so P2/P1 = reducedPressure(T2)/reducedPressure(T1).
///
/// The species fits are valid from 200 K to 6000 K; below 200 K (down to the 170 K the engine deck may
/// meet in a cold stratosphere) the low-temperature fits are extrapolated, where the specific heats of
/// N2, O2 and Ar hardly change.
class GasModel {
  public:
    /// A model in `unitSystem` (1 English, 2 SI) for a fuel of `hydrogenCarbonRatio` hydrogen atoms per
    /// carbon atom (a value not above 0 takes the kerosene default).
    explicit GasModel(int16_t unitSystem = 1, double hydrogenCarbonRatio = kKeroseneHydrogenCarbonRatio);

    /// The model of `unitSystem` and `hydrogenCarbonRatio`, built once per process and shared by every
    /// caller and thread (a model never changes once built, so sharing it changes no result).
    static std::shared_ptr<const GasModel> shared(int16_t unitSystem, double hydrogenCarbonRatio);

    double cp(double T, double f) const;    ///< specific heat at constant pressure
    double h(double T, double f) const;     ///< enthalpy above 0 K
    double phi(double T, double f) const;   ///< entropy function
    double R(double f) const;               ///< gas constant (energy units)
    double gamma(double T, double f) const; ///< cp/(cp - R)
    /// exp(phi(T, f)/R(f)) relative to its value at the reference temperature (dimensionless).
    double reducedPressure(double T, double f) const;

    /// Enthalpy, specific heat and entropy function at one temperature (one evaluation of the fits).
    struct State {
        double h, cp, phi;
    };
    State state(double T, double f) const;
    /// Enthalpy and specific heat at one temperature (one evaluation of the fits, no logarithm).
    void enthalpyAndSpecificHeat(double T, double f, double& h, double& cp) const;
    /// The same with the slope of the specific heat, dcp/dT (for Newton steps through gamma).
    void enthalpyAndSpecificHeat(double T, double f, double& h, double& cp, double& cpSlope) const;

    /// Temperature whose enthalpy is `enthalpy` (a tabulated first guess and Newton steps on cp; converged
    /// to about 1e-10 of T); not a number when `enthalpy` or `f` is not finite.
    double temperatureFromEnthalpy(double enthalpy, double f) const;
    /// The same by Newton steps on cp from `near`, a temperature close to the answer (an earlier state of
    /// the same search); the tabulated start when near is not above 0 or the steps do not settle.
    double temperatureFromEnthalpyNear(double enthalpy, double f, double near) const;
    /// Temperature whose entropy function is `entropyFunction` (a tabulated first guess and Newton steps);
    /// outside the table from the first guess `guess` (0: 1000 K).
    double temperatureFromPhi(double entropyFunction, double f, double guess = 0) const;
    /// Temperature at the end of an isentropic change from `T` by the total-pressure ratio `pressureRatio`.
    double isentropicTemperature(double T, double f, double pressureRatio) const;
    /// Enthalpy at the end of an isentropic change from `T` by the total-pressure ratio `pressureRatio`
    /// (the same end state as isentropicTemperature, its enthalpy taken along from the last Newton step).
    double isentropicEnthalpy(double T, double f, double pressureRatio) const;
    /// The same for the natural logarithm of the pressure ratio (a turbine whose ratio stays fixed).
    double isentropicEnthalpyAtLogRatio(double T, double f, double logPressureRatio) const;
    /// The same by Newton steps in ln T from the end temperature `near` (an earlier state of the same
    /// search), which returns the end temperature found; the tabulated start when near is not above 0 or
    /// the steps do not settle.
    double isentropicEnthalpyNear(double T, double f, double logPressureRatio, double& near) const;
    /// The same for a start whose entropy function `startPhi` = phi(T, f) is known (an expansion that
    /// starts from the same state again and again).
    double isentropicEnthalpyNear(double T, double f, double logPressureRatio, double& near,
                                  double startPhi) const;
    /// Pressure ratio P2/P1 of an isentropic change from T1 to T2.
    double isentropicPressureRatio(double T1, double T2, double f) const;
    /// Entropy function of air at enthalpy `enthalpy`, from a table in enthalpy (within some 1e-10 of
    /// phi(T(h), 0)); outside the table through the temperature. A compression of air from h1 to h2 has
    /// the pressure ratio exp((phi(h2) - phi(h1))/R) without either temperature.
    double airEntropyFunctionAtEnthalpy(double enthalpy) const;

    /// Fuel/air ratio leaving a burner that heats a stream of fuel/air ratio `fIn` from `Tin` to `Tout`,
    /// burning fuel of heating value `heatingValue` with efficiency `efficiency`. The heating value is
    /// counted at the burner's entry temperature: the fuel arrives at the temperature of the stream it
    /// burns in, the heat released there takes the products from Tin to Tout. Equals fIn when Tout = Tin.
    /// (A burner split in two stages therefore burns a little less fuel than one: the second stage's fuel
    /// arrives hotter.)
    double burnerFuelAirRatio(double Tin, double Tout, double fIn, double heatingValue,
                              double efficiency) const;

    double stoichiometricFuelAirRatio() const { return fs_; }
    double hydrogenCarbonRatio() const { return hc_; }
    int16_t unitSystem() const { return unitSystem_; }

  private:
    /// Seven coefficients of a NASA polynomial pair (low below 1000 K, high above), per unit mass
    /// in this unit system, and a constant that makes h continuous and above 0 K.
    struct Fit {
        std::array<double, 7> low{}, high{};
        double hLow = 0, hHigh = 0; ///< enthalpy constants of each range
        double R = 0;
    };
    struct Point {
        double cp, h, phi;
    };
    Point air(double T) const { return evaluate(air_, T); }
    Point products(double T) const { return evaluate(products_, T); }
    Point evaluate(const Fit& fit, double T) const;
    double airEnthalpy(double TK) const;      ///< [kJ/kg] above 0 K
    double productsEnthalpy(double TK) const; ///< [kJ/kg] above 0 K
    /// Mass share of the stoichiometric products in the gas of fuel/air ratio f.
    double productShare(double f) const;

    /// Temperatures [K] at evenly spaced values of one property y (enthalpy [kJ/kg] or entropy function
    /// [kJ/(kg K)]) of the mixtures at evenly spaced shares of the stoichiometric products: cubic Hermite
    /// curves in y (the slope dT/dy is known exactly at every node). Between the shares the temperature
    /// follows the nearest share's along its slope dT/dx at constant y (exact at the nodes, straight
    /// between them). Each share has one run of nodes below and one above the temperature where the
    /// species fits change range, so that every run is smooth. On a tabulated share the table is exact to
    /// round-off; between them close enough that one Newton step on the exact property finishes an inverse.
    struct InverseTable {
        static constexpr int kShares = 65;  ///< shares 0, 1/64, ..., 1
        static constexpr int kPoints = 128; ///< nodes per run
        struct Run {
            double start = 0, step = 1, inverseStep = 1;
        };
        std::array<std::array<Run, 2>, kShares> run{};
        std::array<double, kShares> middle{}; ///< y where the runs meet
        /// Per share, run and node: T, dT/dy times the step, and dT/dx at constant y over the share step.
        std::vector<std::array<double, 3>> node;
        /// The temperature [K] of property value `y` of the mixture of products share `x`, or 0 outside
        /// the table (and for a value that is not a number). `exact` tells whether x is a tabulated share.
        double at(double y, double x, bool& exact) const;
        /// The same from one tabulated share `k`; with `shareSlope`, also dT/dx there over the share step.
        double onShare(double y, int k, double* shareSlope = nullptr) const;
    };
    /// The table of `property`(T [K], x) = {y, dy/dT} from the lowest to the highest tabulated temperature
    /// (y is linear in x, as every property of a mixture by mass is).
    template <class Property> void tabulate(InverseTable& table, Property property) const;
    /// Lowest and highest tabulated temperature [K]: below the coldest stratosphere, above any burner.
    static constexpr double kTableLowestK = 120.0, kTableHighestK = 3600.0;

    /// The temperature [K] of entropy function phiK [kJ/(kg K)] of products share x, by Newton steps in
    /// ln T from TK; with `hK`, also its enthalpy [kJ/kg] (from the last step's, to second order in it).
    double solvePhi(double phiK, double x, double TK, double* hK = nullptr) const;
    /// The end [K] of an isentropic expansion (or compression) of products share x from TK by a pressure
    /// ratio of logarithm `logPressureRatio`, whose entropy function phiK [kJ/(kg K)] is known: from the
    /// tabulated inverse, or outside the table from the constant-gamma end state with the gamma at TK;
    /// with `hK`, also its enthalpy, as `solvePhi`.
    double expansionEnd(double phiK, double x, double TK, double logPressureRatio,
                        double* hK = nullptr) const;
    /// Enthalpy [kJ/kg] and specific heat [kJ/(kg K)] of the mixture of products share x at T [K], from
    /// the low-temperature fits (`low`) or the high-temperature ones.
    void enthalpyAndCp(double TK, double x, bool low, double& hK, double& cpK) const;
    /// The near isentropic search for the end entropy function phiK [kJ/(kg K)] of products share x
    /// (the tabulated search, `expansionEnd`, when the steps do not settle or have no start).
    double enthalpyAtPhiNear(double T, double f, double logPressureRatio, double& near, double x,
                             double phiK) const;
    /// Enthalpy, specific heat and entropy function of the mixture of products share x at T [K].
    void allAt(double TK, double x, bool low, double& hK, double& cpK, double& phiK) const;
    /// The same with ln T known.
    void allAt(double TK, double lnT, double x, bool low, double& hK, double& cpK, double& phiK) const;
    /// Entropy function and specific heat [kJ/(kg K)] of the mixture of products share x at T [K].
    void phiAndCp(double TK, double x, bool low, double& phiK, double& cpK) const;
    /// Entropy function [kJ/(kg K)] of the mixture of products share x at T [K].
    double phiAt(double TK, double x, bool low) const;
    /// Specific heat [kJ/(kg K)] of the mixture of products share x at T [K].
    double specificHeatAt(double TK, double x, bool low) const;
    /// Gas constant [kJ/(kg K)] of the mixture of products share x.
    double gasConstant(double x) const { return x == 0 ? air_.R : (1.0 - x) * air_.R + x * products_.R; }

    /// The fits of one temperature range in the form they are evaluated [kJ/kg, kJ/(kg K)]:
    /// cp = c0 + c1 T + ... + c4 T^4, h = T (h0 + h1 T + ... + h4 T^4) + hConstant and
    /// phi = c0 ln T + T (s0 + s1 T + s2 T^2 + s3 T^3) + sConstant.
    struct Terms {
        std::array<double, 5> c{}, h{};
        std::array<double, 4> s{};
        double hConstant = 0, sConstant = 0;
    };
    /// Air's terms and the products' less air's, below [0] and above [1] the fits' joint: a mixture of
    /// products share x has air's terms plus x times the differences.
    std::array<Terms, 2> airTerms_, productsLessAir_;

    Fit air_, products_;
    InverseTable enthalpyTable_, phiTable_;
    double fs_ = 0, hc_ = 2;
    int16_t unitSystem_ = 1;
    double tScale_ = 1;     ///< unit temperature per K
    double eScale_ = 1;     ///< unit enthalpy per kJ/kg
    double perKelvin_ = 1;  ///< 1/tScale_
    double perEnergy_ = 1;  ///< 1/eScale_
    double cpScale_ = 1;    ///< unit specific heat per kJ/(kg K): eScale_/tScale_
    double perCpScale_ = 1; ///< 1/cpScale_
    double phiRefAir_ = 0;  ///< phi of air at the reference temperature (datum of the reduced pressure)
    double phiRefProd_ = 0; ///< the same for the stoichiometric products

    /// The entropy function of air [kJ/(kg K)] at evenly spaced enthalpies [kJ/kg]: cubic Hermite curves
    /// in h (the slope dphi/dh = 1/T is known exactly at every node), one run of nodes below and one
    /// above the temperature where the fits change range, over the inverse tables' temperatures.
    struct AirEntropyTable {
        static constexpr int kPoints = 512; ///< nodes per run
        struct Run {
            double start = 0, step = 1, inverseStep = 1;
        };
        std::array<Run, 2> run{};
        double middle = 0;                       ///< enthalpy where the runs meet
        std::vector<std::array<double, 2>> node; ///< per run and node: phi and dphi/dh times the step
        /// phi at enthalpy hK, or not a number outside the table (and for a value that is not a number).
        double at(double hK) const;
    };
    AirEntropyTable airEntropy_;
};

} // namespace vededa
