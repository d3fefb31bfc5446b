#include "app/version_gate.h"

namespace dpx {

bool IsWindowsVersionUnsupported(const std::optional<VersionInfo>& version) {
  if (!version) return true;
  return version->major >= 10 && version->build > kNewestKnownBuild;
}

}  // namespace dpx
