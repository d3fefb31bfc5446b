#pragma once

#include <optional>

#include "platform/processes.h"

namespace dpx {

// The newest Windows build DPX knows; a later build of Windows 10 or above is refused at start.
inline constexpr unsigned kNewestKnownBuild = 26200;

// True when the version cannot be read, or is Windows 10 or later with a build above the newest
// known one. Every version below 10 counts as supported, whatever its build.
bool IsWindowsVersionUnsupported(const std::optional<VersionInfo>& version);

}  // namespace dpx
