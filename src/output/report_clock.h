#pragma once

#include <ctime>
#include <optional>
#include <string>

namespace vededa {

/// The one clock of the reports. A fixed date (the CLI's --date) or the environment variable
/// SOURCE_DATE_EPOCH makes reports reproducible; otherwise the local date and time are used.
struct ReportClock {
    std::optional<std::string> fixedDate; ///< written verbatim for the date and the date-and-time

    /// The short date form "M/D/YYYY".
    std::string date() const;
    /// The date and time "M/D/YYYY h:mm:ss AM".
    std::string dateTime() const;

  private:
    std::tm now() const;
};

} // namespace vededa
