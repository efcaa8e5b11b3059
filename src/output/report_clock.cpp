#include "output/report_clock.h"

#include <cstdio>
#include <cstdlib>

namespace vededa {

std::tm ReportClock::now() const {
    std::time_t t = std::time(nullptr);
    std::tm result{};
    if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH"); epoch && *epoch) {
        t = static_cast<std::time_t>(std::strtoll(epoch, nullptr, 10));
        gmtime_r(&t, &result);
    } else {
        localtime_r(&t, &result);
    }
    return result;
}

std::string ReportClock::date() const {
    if (fixedDate) return *fixedDate;
    const std::tm t = now();
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d/%d/%d", t.tm_mon + 1, t.tm_mday, t.tm_year + 1900);
    return buf;
}

std::string ReportClock::dateTime() const {
    if (fixedDate) return *fixedDate;
    const std::tm t = now();
    const int hour12 = t.tm_hour % 12 == 0 ? 12 : t.tm_hour % 12;
    char buf[48];
    std::snprintf(buf, sizeof buf, "%d/%d/%d %d:%02d:%02d %s", t.tm_mon + 1, t.tm_mday, t.tm_year + 1900,
                  hour12, t.tm_min, t.tm_sec, t.tm_hour < 12 ? "AM" : "PM");
    return buf;
}

} // namespace vededa
