#pragma once

#include <cstddef>
#include <string>

namespace vededa {

/// The largest input file Vededa reads: far above any real project or reference engine file (a
/// project with every constraint and leg and the cycle deck is about 30 kB).
inline constexpr std::size_t kMaxInputFileBytes = 1024 * 1024;

/// Reads the whole file at `path` into `text`, refusing before reading anything what is not a regular
/// file (a folder, a device such as /dev/zero, a pipe) or is larger than `limit` bytes. On failure
/// returns false and sets `error` to "PATH: reason".
bool readBoundedFile(const std::string& path, std::string& text, std::string& error,
                     std::size_t limit = kMaxInputFileBytes);

} // namespace vededa
