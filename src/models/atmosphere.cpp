#include "models/atmosphere.h"

#include "output/number_format.h"

#include <cmath>

namespace vededa {

namespace {

constexpr AtmosphereTable kTable = {
    {518.69f, 515.1f, 511.6f, 508.0f, 504.4f, 500.9f, 497.3f, 493.7f, 490.2f, 486.6f, // 0
     483.0f,  479.5f, 475.9f, 472.4f, 468.8f, 465.2f, 461.7f, 458.1f, 454.6f, 451.0f, // 10
     447.4f,  443.9f, 440.3f, 436.8f, 433.2f, 429.6f, 426.1f, 422.5f, 419.0f, 415.4f, // 20
     411.9f,  408.3f, 404.7f, 401.2f, 397.6f, 394.1f, 390.5f, 390.0f, 390.0f, 390.0f, // 30
     390.0f,  390.0f, 390.0f, 390.0f, 390.0f, 390.0f, 390.0f, 390.0f, 390.0f, 390.0f, // 40
     390.0f,  390.0f, 390.0f, 390.0f, 390.0f, 390.0f, 390.0f, 390.0f, 390.0f, 390.0f, // 50
     390.0f,  390.0f, 390.0f, 390.0f, 390.0f, 390.0f, 390.0f, 390.0f, 390.0f, 390.0f, // 60
     390.0f,  390.0f, 390.0f, 390.0f, 390.0f, 390.0f, 390.0f, 390.0f, 390.0f, 390.0f, // 70
     390.0f,  390.0f, 390.0f, 391.1f, 392.7f, 394.3f, 396.0f, 397.6f, 399.2f, 400.9f, // 80
     402.5f,  404.1f, 405.1f, 407.4f, 409.0f, 410.6f, 412.3f, 413.9f, 415.5f, 417.2f, // 90
     418.8f},
    {2116.2f, 2040.2f, 1967.7f, 1896.7f, 1827.8f, 1760.9f, 1696.0f, 1633.1f, 1572.1f, 1512.9f, // 0
     1455.6f, 1400.1f, 1346.2f, 1294.1f, 1243.6f, 1194.8f, 1147.5f, 1101.7f, 1057.5f, 1014.7f, // 10
     973.3f,  933.3f,  894.6f,  857.2f,  821.2f,  786.3f,  752.7f,  720.3f,  689.0f,  658.8f,  // 20
     629.7f,  601.6f,  574.6f,  548.5f,  523.5f,  499.3f,  476.1f,  453.9f,  432.6f,  412.4f,  // 30
     393.1f,  374.7f,  357.2f,  340.5f,  324.6f,  309.4f,  295.0f,  281.2f,  268.1f,  255.5f,  // 40
     243.6f,  232.2f,  221.4f,  211.0f,  201.2f,  191.8f,  182.8f,  174.3f,  166.2f,  158.4f,  // 50
     151.0f,  144.0f,  137.3f,  130.9f,  124.8f,  118.9f,  113.4f,  108.1f,  103.1f,  98.3f,   // 60
     93.7f,   89.3f,   85.1f,   81.2f,   77.4f,   73.8f,   70.3f,   67.1f,   63.9f,   61.0f,   // 70
     58.1f,   55.4f,   52.8f,   50.4f,   48.0f,   45.8f,   43.7f,   41.7f,   39.8f,   38.0f,   // 80
     36.3f,   34.7f,   33.1f,   31.6f,   30.2f,   28.9f,   27.6f,   26.4f,   25.2f,   24.6f,   // 90
     24.1f}};

} // namespace

const AtmosphereTable& atmosphereTable() {
    return kTable;
}

void atmosphere(FlightCondition& fc, const UnitConstants& units) {
    const bool si = units.system == kSI;
    const float hFt = si ? fc.altitude * 3.2808f : fc.altitude;
    float hk = hFt / 1000.0f;
    const float lower = std::floor(hk);
    float T = 0;
    float P = 0;
    int16_t i = 0;
    fc.aboveTable = hFt > 100000.0f;
    if (lower < 0.0f || std::isnan(lower)) {
        // Below sea level: the sea-level state; the input altitude itself is kept.
        hk = 0.0f;
        i = 0;
        T = kTable.temperature[0];
        P = kTable.pressure[0];
    } else if (lower > 99.0f) {
        // At or above the table top: the table-top state, and the altitude becomes the table top.
        i = 100;
        T = kTable.temperature[100];
        P = kTable.pressure[100];
        fc.altitude = si ? 1.609e8f / 5280.0f : 100000.0f;
    } else {
        i = static_cast<int16_t>(lower);
        const float f = hk - static_cast<float>(i);
        P = kTable.pressure[i] + (kTable.pressure[i + 1] - kTable.pressure[i]) * f;
        T = kTable.temperature[i] + (kTable.temperature[i + 1] - kTable.temperature[i]) * f;
    }
    fc.hk = hk;
    fc.index = i;
    fc.theta = T / kTable.temperature[0];
    fc.delta = P / kTable.pressure[0];
    fc.sigma = fc.delta / fc.theta;
    fc.soundSpeed =
        static_cast<float>(static_cast<double>(units.aSL) * std::sqrt(static_cast<double>(fc.theta)));
    if (si) {
        T = T / 1.8f;
        P = P * 101325.0f / 2116.2f;
    }
    fc.temperature = T;
    fc.pressure = P;
}

std::string atmosphereClampLine(float requestedAltitude, bool si) {
    return "*** Altitude" + Str(requestedAltitude) + (si ? " m" : " ft") +
           " is above the atmosphere table: the state at its top (" + (si ? "30473 m" : "100000 ft") +
           ") is used ***";
}

} // namespace vededa
