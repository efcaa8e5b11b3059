#include "engine/installation_loss.h"

#include "output/number_format.h"
#include "output/report.h"

#include <cmath>

namespace vededa {

namespace {

constexpr float kPi = 3.1415927f;

/// Isentropic area ratio A/A* at Mach M for gamma = 1.4.
float areaRatio14(float M) {
    const double base = (2.0 / 2.4) * (1.0 + 0.2 * static_cast<double>(M) * M);
    return static_cast<float>(base * base * base / M);
}

/// Subsonic Mach number of an area ratio A/A* >= 1 for gamma = 1.4: the fixed-point iteration
/// M <- [(2/2.4)(1 + 0.2 M^2)]^3 / (A/A*) from 0.5 to a change of at most 0.00001; it slows down near
/// Mach 1, so after a bounded number of passes the same root is finished by bisection.
float subsonicMachOfAreaRatio(float ratio) {
    constexpr float kTolerance = 0.00001f;
    constexpr int kFixedPointPasses = 200;
    if (ratio <= 1.0f) return 1.0f;
    float M = 0.5f;
    for (int pass = 0; pass < kFixedPointPasses; ++pass) {
        const double base = (2.0 / 2.4) * (1.0 + 0.2 * static_cast<double>(M) * M);
        const float next = static_cast<float>(base * base * base / ratio);
        if (std::fabs(next - M) <= kTolerance) return next;
        M = next;
    }
    float lo = 1e-4f, hi = 1.0f; // A/A* falls monotonically on the subsonic branch
    while (hi - lo > kTolerance) {
        const float mid = 0.5f * (lo + hi);
        if (areaRatio14(mid) > ratio)
            lo = mid;
        else
            hi = mid;
    }
    return 0.5f * (lo + hi);
}

// Afterbody drag tables: break points of the rows and columns and the coefficients.
constexpr float kT1Rows[] = {0, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f, 0.7f, 0.8f, 0.9f, 1.0f, 1.1f, 1.2f, 1.3f, 1.4f};
constexpr float kT1Cols[] = {0.5f, 0.65f, 0.8f};
constexpr float kT1[14][3] = {{0, 0, 0},
                              {0.0007f, 0.0004f, 0.0002f},
                              {0.0015f, 0.001f, 0.0005f},
                              {0.0027f, 0.002f, 0.001f},
                              {0.0041f, 0.003f, 0.0015f},
                              {0.0053f, 0.004f, 0.0022f},
                              {0.007f, 0.005f, 0.003f},
                              {0.0095f, 0.007f, 0.004f},
                              {0.0135f, 0.01f, 0.005f},
                              {0.0185f, 0.0135f, 0.007f},
                              {0.023f, 0.017f, 0.01f},
                              {0.028f, 0.022f, 0.014f},
                              {0.035f, 0.028f, 0.019f},
                              {0.043f, 0.036f, 0.025f}};
constexpr float kT2Rows[] = {0.8f, 0.85f, 0.9f, 0.95f, 1.0f, 1.05f, 1.1f, 1.15f, 1.2f};
constexpr float kT2Cols[] = {0.8f, 1.0f, 1.29f, 1.77f};
constexpr float kT2[9][4] = {
    {0.044f, 0.024f, 0.018f, 0.018f}, {0.05f, 0.028f, 0.019f, 0.018f}, {0.073f, 0.037f, 0.023f, 0.017f},
    {0.13f, 0.09f, 0.06f, 0.023f},    {0.2f, 0.16f, 0.12f, 0.08f},     {0.2f, 0.196f, 0.184f, 0.129f},
    {0.197f, 0.193f, 0.18f, 0.126f},  {0.194f, 0.189f, 0.17f, 0.121f}, {0.19f, 0.185f, 0.16f, 0.116f}};
constexpr float kT3Rows[] = {0, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f, 0.7f, 0.8f, 0.9f, 1.0f, 1.1f, 1.2f, 1.3f};
constexpr float kT3Cols[] = {0, 0.25f, 0.5f, 0.75f, 1.0f};
constexpr float kT3[13][5] = {{0, 0, 0, 0, 0},
                              {0.02f, 0.025f, 0.03f, 0.04f, 0.035f},
                              {0.035f, 0.045f, 0.055f, 0.08f, 0.065f},
                              {0.08f, 0.09f, 0.1f, 0.125f, 0.115f},
                              {0.115f, 0.125f, 0.14f, 0.18f, 0.165f},
                              {0.16f, 0.175f, 0.19f, 0.245f, 0.225f},
                              {0.21f, 0.23f, 0.25f, 0.32f, 0.29f},
                              {0.26f, 0.29f, 0.31f, 0.395f, 0.365f},
                              {0.32f, 0.36f, 0.38f, 0.475f, 0.44f},
                              {0.375f, 0.425f, 0.45f, 0.55f, 0.525f},
                              {0.44f, 0.49f, 0.53f, 0.63f, 0.6f},
                              {0.5f, 0.56f, 0.61f, 0.72f, 0.68f},
                              {0.57f, 0.63f, 0.69f, 0.81f, 0.76f}};

/// Table lookup. Rows: the pair around the row key is interpolated linearly; a key above the last row
/// uses the last row and one below the first the first row. Columns: interpolated between the bracketing
/// pair; a key below the first column uses the first column, one at or above the last the last column.
template <std::size_t R, std::size_t C>
float lookup(const float (&table)[R][C], const float (&rows)[R], const float (&cols)[C], float rowKey,
             float colKey) {
    std::size_t hi = 1;
    while (hi < R && rows[hi] <= rowKey) ++hi;
    auto rowValue = [&](std::size_t c) {
        if (hi >= R) return table[R - 1][c];
        const std::size_t lo = hi - 1;
        if (rowKey <= rows[lo]) return table[lo][c];
        const float f = (rowKey - rows[lo]) / (rows[hi] - rows[lo]);
        return table[lo][c] + f * (table[hi][c] - table[lo][c]);
    };
    if (colKey < cols[0]) return rowValue(0);
    if (colKey >= cols[C - 1]) return rowValue(C - 1);
    std::size_t c = 0;
    while (c + 2 < C && cols[c + 1] <= colKey) ++c;
    const float v0 = rowValue(c), v1 = rowValue(c + 1);
    return v0 + (colKey - cols[c]) / (cols[c + 1] - cols[c]) * (v1 - v0);
}

LossResult undefinedLoss(const char* which) {
    LossResult r;
    r.valid = false;
    r.failure =
        std::string(which) + " loss undefined: the operating point gives no thrust or no capture area";
    return r;
}

} // namespace

float afterbodyDragCoefficient(float M0, float a, float diameterRatio, float lengthRatio, float areaRatio) {
    if (M0 < 0.8f) return lookup(kT1, kT1Rows, kT1Cols, a, diameterRatio);
    if (M0 <= 1.2f) return lookup(kT2, kT2Rows, kT2Cols, M0, lengthRatio);
    // The supersonic correction applies over the whole table, also in its last column interval.
    const float factor = static_cast<float>((1.0 - 1.4 * std::exp(-static_cast<double>(M0) * M0)) /
                                            std::sqrt(static_cast<double>(M0) * M0 - 1.0));
    return lookup(kT3, kT3Rows, kT3Cols, a, areaRatio) * factor;
}

LossResult InletLoss(float specificThrust, float M0, float a0, float A0, float& A1, int16_t lossModel,
                     float gc, int16_t unitSystem, std::string& report) {
    if (M0 < 0.01f) M0 = 0.01f;
    const float q = gc * specificThrust / a0;
    if (!(q > 0.0f) || !(A0 > 0.0f) || !std::isfinite(q)) return undefinedLoss("Inlet");
    const float A0star = A0 / areaRatio14(M0);
    const bool supersonic = M0 >= 1.0f;
    const float needed = supersonic ? A0 : A0star;
    bool resized = false;
    if (A1 < needed) {
        const std::string unit = unitSystem == 2 ? " m^2" : " ft^2";
        report += Space(5) + "Area 1 too small:  Area1 = " + FormatField(A1, 3) + unit + "  and  " +
                  (supersonic ? "Area0  = " : "Area0* = ") + FormatField(needed, 3) + unit +
                  std::string(kCrlf);
        report += Space(5) + "**********  Area 1 RESIZED for this calculation only  **********" +
                  std::string(kCrlf);
        A1 = needed;
        resized = true;
    }
    LossResult r;
    if (M0 > 1.0f) {
        r.phi =
            static_cast<float>((M0 - std::sqrt((2.0 / 2.4) * (1.0 + 0.2 * static_cast<double>(M0) * M0))) *
                               (A1 / A0 - 1.0f) / q);
        return r;
    }
    const float M1 = (lossModel == kCorrelatedLoss && resized) ? 1.0f : subsonicMachOfAreaRatio(A1 / A0star);
    const double t1t0 =
        (1.0 + 0.2 * static_cast<double>(M0) * M0) / (1.0 + 0.2 * static_cast<double>(M1) * M1);
    const double a1a0 = (static_cast<double>(M0) / M1) * std::pow(1.0 / t1t0, 3.0);
    r.phi = static_cast<float>(
        ((1.0 + 1.4 * static_cast<double>(M1) * M1) * (static_cast<double>(M0) / M1) * std::sqrt(t1t0) -
         1.4 * static_cast<double>(M0) * M0 - a1a0) /
        (1.4 * M0 * q));
    return r;
}

LossResult NozzleLoss(float specificThrust, float M0, float a0, float A0, float A9, float A10, float L,
                      float gc) {
    const float q = gc * specificThrust / a0;
    if (!(q > 0.0f) || !(A0 > 0.0f) || !(A10 > 0.0f) || !(L > 0.0f) || !std::isfinite(q))
        return undefinedLoss("Nozzle");
    const float D10 = 2.0f * std::sqrt(A10 / kPi);
    const float D9 = 2.0f * std::sqrt(A9 / kPi);
    const float a = 1.8f * (1.0f - D9 / D10) * (D10 - D9) / L;
    const float cd = afterbodyDragCoefficient(M0, a, D9 / D10, L / D10, A9 / A10);
    LossResult r;
    r.phi = cd * M0 * (A10 - A9) / (2.0f * A0 * q);
    r.afterbodyParameter = a;
    r.dragCoefficient = cd;
    return r;
}

} // namespace vededa
