#pragma once

#include <string>
#include <string_view>

namespace vededa {

/// The line end of every report line: carriage return and line feed.
inline constexpr std::string_view kCrlf = "\r\n";

/// The report buffer: a report producer appends lines to it; each line ends with CRLF.
class ReportBuffer {
  public:
    /// Appends `text` and the line end.
    void line(std::string_view text = {}) {
        text_.append(text);
        text_.append(kCrlf);
    }
    /// Appends `text` without a line end.
    void append(std::string_view text) { text_.append(text); }
    const std::string& text() const { return text_; }
    void clear() { text_.clear(); }

  private:
    std::string text_;
};

/// The fixed-width blanks of the report layouts.
inline std::string Space(int n) {
    return n > 0 ? std::string(static_cast<std::size_t>(n), ' ') : std::string();
}

} // namespace vededa
