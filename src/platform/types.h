#pragma once

#include <cstdint>

namespace dpx {

// A top-level window handle as a plain number, so portable code and stored files can hold it.
// Windows keeps window handles within 32 bits even in 64-bit processes.
using WindowHandle = std::uint64_t;
inline constexpr WindowHandle kNoWindow = 0;

using ProcessId = std::uint32_t;
using ThreadId = std::uint32_t;

}  // namespace dpx
