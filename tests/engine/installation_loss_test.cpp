#include "engine/installation_loss.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vededa {
namespace {

constexpr float kGc = 32.174f;

TEST(AfterbodyDrag, TablesAndTheirEdges) {
    // Transonic table at its break points.
    EXPECT_FLOAT_EQ(afterbodyDragCoefficient(1.0f, 0.5f, 0.6f, 1.0f, 0.5f), 0.16f);
    EXPECT_FLOAT_EQ(afterbodyDragCoefficient(0.8f, 0.5f, 0.6f, 0.8f, 0.5f), 0.044f);
    // Halfway between Mach rows and between length columns.
    EXPECT_NEAR(afterbodyDragCoefficient(0.925f, 0, 0, 0.9f, 0), 0.25f * (0.073f + 0.037f + 0.13f + 0.09f),
                1e-6f);
    // Subsonic table: a = 0 gives no drag; a column key below the first column uses the first column.
    EXPECT_FLOAT_EQ(afterbodyDragCoefficient(0.5f, 0.0f, 0.7f, 1, 0), 0.0f);
    EXPECT_FLOAT_EQ(afterbodyDragCoefficient(0.5f, 0.4f, 0.3f, 1, 0), 0.0027f);
    EXPECT_FLOAT_EQ(afterbodyDragCoefficient(0.5f, 0.4f, 0.9f, 1, 0), 0.001f);
    EXPECT_NEAR(afterbodyDragCoefficient(0.5f, 0.45f, 0.5f, 1, 0), 0.5f * (0.0027f + 0.0041f), 1e-7f);
    // A row key above the last row uses the last row.
    EXPECT_FLOAT_EQ(afterbodyDragCoefficient(0.5f, 3.0f, 0.5f, 1, 0), 0.043f);
    // Supersonic table with its factor, also in the last column interval.
    const float factor = (1.0f - 1.4f * std::exp(-4.0f)) / std::sqrt(3.0f);
    EXPECT_NEAR(afterbodyDragCoefficient(2.0f, 0.5f, 0, 1, 0.5f), 0.14f * factor, 1e-6f);
    EXPECT_NEAR(afterbodyDragCoefficient(2.0f, 0.5f, 0, 1, 0.8f), (0.18f + 0.2f * (0.165f - 0.18f)) * factor,
                1e-6f);
    EXPECT_NEAR(afterbodyDragCoefficient(2.0f, 0.5f, 0, 1, 1.0f), 0.165f * factor, 1e-6f);
    EXPECT_FLOAT_EQ(afterbodyDragCoefficient(2.0f, 0.0f, 0, 1, 0.5f), 0.0f);
}

TEST(NozzleLoss, NoAfterbodyStepNoLoss) {
    for (float M0 : {0.5f, 1.0f, 2.0f}) {
        const LossResult r = NozzleLoss(100, M0, 1000, 5, 8, 8, 3, kGc);
        EXPECT_TRUE(r.valid);
        EXPECT_EQ(r.phi, 0.0f) << M0;
    }
    const LossResult r = NozzleLoss(100, 0.9f, 1000, 5, 4, 8, 3, kGc);
    EXPECT_GT(r.phi, 0.0f);
    EXPECT_FALSE(NozzleLoss(0, 0.9f, 1000, 5, 4, 8, 3, kGc).valid);
}

TEST(InletLoss, SupersonicMatchedInletHasNoLoss) {
    std::string report;
    float A1 = 5;
    const LossResult r = InletLoss(100, 1.5f, 968, 5, A1, kCorrelatedLoss, kGc, 1, report);
    EXPECT_TRUE(r.valid);
    EXPECT_NEAR(r.phi, 0.0f, 1e-7f);
    EXPECT_TRUE(report.empty());
    // An oversized supersonic inlet spills: a positive loss.
    A1 = 6;
    EXPECT_GT(InletLoss(100, 1.5f, 968, 5, A1, kCorrelatedLoss, kGc, 1, report).phi, 0.0f);
}

TEST(InletLoss, TooSmallInletIsResizedWithTwoLines) {
    std::string report;
    float A1 = 3;
    InletLoss(100, 2.0f, 968, 5, A1, kCorrelatedLoss, kGc, 1, report);
    EXPECT_EQ(A1, 5.0f);
    EXPECT_EQ(report, "     Area 1 too small:  Area1 =   3.000 ft^2  and  Area0  =   5.000 ft^2\r\n"
                      "     **********  Area 1 RESIZED for this calculation only  **********\r\n");
    // Subsonic: exactly the sonic capture area is not too small.
    report.clear();
    const float A0 = 5, M0 = 0.6f;
    const double base = (2.0 / 2.4) * (1.0 + 0.2 * M0 * M0);
    float sonic = static_cast<float>(A0 / (base * base * base / M0));
    InletLoss(100, M0, 1000, A0, sonic, kCorrelatedLoss, kGc, 1, report);
    EXPECT_TRUE(report.empty()) << report;
}

TEST(InletLoss, SubsonicCaptureOfTheFreeStreamTubeHasNoLoss) {
    // With A1 = A0 the inlet face runs at the flight Mach number and nothing spills.
    std::string report;
    float A1 = 5;
    const LossResult r = InletLoss(100, 0.7f, 1000, 5, A1, kCorrelatedLoss, kGc, 1, report);
    EXPECT_NEAR(r.phi, 0.0f, 2e-4f);
    // A larger inlet spills and loses thrust; M0 = 0 is evaluated at 0.01.
    A1 = 8;
    EXPECT_GT(InletLoss(100, 0.7f, 1000, 5, A1, kCorrelatedLoss, kGc, 1, report).phi, 0.0f);
    float a = 8, b = 8;
    EXPECT_EQ(InletLoss(100, 0.0f, 1000, 5, a, kCorrelatedLoss, kGc, 1, report).phi,
              InletLoss(100, 0.01f, 1000, 5, b, kCorrelatedLoss, kGc, 1, report).phi);
}

} // namespace
} // namespace vededa
