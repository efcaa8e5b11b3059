#include "models/thrust_lapse.h"
#include "models/tsfc.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vededa {
namespace {

struct LapseCase {
    const char* what;
    int16_t model;
    int16_t afterburner;
    float mach, theta, delta, tr;
    float alpha; ///< expected
};

class ThrustLapse : public ::testing::TestWithParam<LapseCase> {};

TEST_P(ThrustLapse, Model) {
    const LapseCase c = GetParam();
    ProjectData p = test::freshProject();
    p.thrustModel = c.model;
    p.afterburner = c.afterburner;
    p.throttleRatio = c.tr;
    p.userThrust[1] = 0.5f, p.userThrust[2] = -2.0f, p.userThrust[3] = 1.0f, p.userThrust[4] = 1.0f;
    FlightCondition fc;
    fc.mach = c.mach, fc.theta = c.theta, fc.delta = c.delta;
    EngineModelValues v;
    ThrustLapseModel(v, fc, p);
    test::expectNear(v.alpha, c.alpha, 2e-6, c.what);
}

const float kDelta0AtHalf = static_cast<float>(0.5 * std::pow(1.05, 3.5));    // M0 0.5, delta 0.5
const float kDelta0AtTenth = static_cast<float>(0.4 * std::pow(1.0005, 3.5)); // M0 0.05, delta 0.4

INSTANTIATE_TEST_SUITE_P(
    AlgebraicModels, ThrustLapse,
    ::testing::Values(
        LapseCase{"model 1 static: alpha = delta", 1, 0, 0.0f, 1.0f, 0.7f, 1.0f, 0.7f},
        LapseCase{"model 1 at M0 0.5 below TR", 1, 0, 0.5f, 0.8f, 0.5f, 1.0f,
                  kDelta0AtHalf*(1.0f - 0.49f * std::sqrt(0.5f))},
        LapseCase{"model 1 above TR", 1, 0, 0.5f, 1.0f, 0.5f, 1.0f,
                  kDelta0AtHalf*(1.0f - 0.49f * std::sqrt(0.5f) - 3.0f * 0.05f / 2.0f)},
        LapseCase{"model 2 dry at theta0 = TR", 2, 0, 0.0f, 1.07f, 0.5f, 1.07f, 0.3f},
        LapseCase{"model 2 wet at theta0 = TR", 2, 1, 0.0f, 1.07f, 0.5f, 1.07f, 0.5f},
        LapseCase{"model 2 wet above TR", 2, 1, 0.0f, 1.2f, 0.5f, 1.0f, 0.5f * (1.0f - 3.5f * 0.2f / 1.44f)},
        LapseCase{"model 2 dry above TR", 2, 0, 0.0f, 1.2f, 0.5f, 1.0f,
                  0.5f * 0.6f * (1.0f - 3.8f * 0.2f / std::pow(1.2f, 1.6f))},
        LapseCase{"model 3 wet static", 3, 1, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f},
        LapseCase{"model 3 dry static", 3, 0, 0.0f, 1.0f, 1.0f, 1.0f, 0.8f},
        LapseCase{"model 4 below M 0.1 ignores TR", 4, 0, 0.05f, 1.5f, 0.4f, 1.0f, kDelta0AtTenth},
        LapseCase{"model 4 at a typed M0 0.1 is still static", 4, 0, 0.1f, 1.5f, 0.4f, 1.0f,
                  static_cast<float>(0.4 * std::pow(1.0 + 0.2 * 0.1f * 0.1f, 3.5))},
        LapseCase{"model 5 at theta0 = TR", 5, 0, 0.0f, 1.1f, 0.5f, 1.1f, 0.5f},
        LapseCase{"model 5 above TR", 5, 0, 0.0f, 1.25f, 1.0f, 1.0f, 0.5f - 2.0f * 0.25f / 1.25f},
        LapseCase{"negative lapse floored", 2, 0, 0.0f, 3.0f, 1.0f, 1.0f, 0.001f}));

TEST(ThrustLapse, UserValuesReadTheShownConstraint) {
    ProjectData p = test::freshProject();
    p.thrustModel = 6;
    p.resultsItem = 3;
    p.constraints[3].p[22] = 1.3f;
    FlightCondition fc;
    fc.delta = 0.2f;
    EngineModelValues v;
    ThrustLapseModel(v, fc, p);
    EXPECT_FLOAT_EQ(v.alpha, 1.3f) << "used unchanged, no delta0 factor";
    p.constraints[3].p[22] = 0.0f;
    ThrustLapseModel(v, fc, p);
    EXPECT_FLOAT_EQ(v.alpha, 0.001f);
}

TEST(ThrustLapse, CycleDeckIsNotEvaluatedHere) {
    ProjectData p = test::freshProject();
    p.thrustModel = 7;
    EngineModelValues v;
    v.alpha = 0.42f;
    ThrustLapseModel(v, FlightCondition{}, p);
    EXPECT_EQ(v.alpha, 0.42f);
}

struct TsfcCase {
    int16_t model, afterburner, units;
    float mach, c;
};

class Tsfc : public ::testing::TestWithParam<TsfcCase> {};

TEST_P(Tsfc, Model) {
    const TsfcCase c = GetParam();
    ProjectData p = test::freshProject();
    p.tsfcModel = c.model;
    p.afterburner = c.afterburner;
    p.unitSystem = c.units;
    p.userTsfc[1] = 0.9f, p.userTsfc[2] = 0.5f, p.userTsfc[3] = 2.0f, p.userTsfc[4] = 0.8f; // A, B, n, Mr
    FlightCondition fc;
    fc.mach = c.mach;
    EngineModelValues v;
    TsfcModel(v, fc, p);
    test::expectNear(v.c, c.c, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(
    AlgebraicModels, Tsfc,
    ::testing::Values(TsfcCase{1, 1, kEnglish, 0.5f, 0.8f}, TsfcCase{2, 1, kEnglish, 1.0f, 2.1f},
                      TsfcCase{2, 0, kEnglish, 1.0f, 1.35f}, TsfcCase{3, 1, kEnglish, 1.0f, 1.96f},
                      TsfcCase{3, 0, kEnglish, 1.0f, 1.65f}, TsfcCase{4, 0, kSI, 0.0f, 5.665f},
                      TsfcCase{5, 0, kEnglish, 0.4f, 0.9f + 0.5f * 0.16f},
                      TsfcCase{6, 0, kSI, 2.0f, 28.325f}));

} // namespace
} // namespace vededa
