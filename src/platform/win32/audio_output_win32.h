#pragma once

#include "platform/audio_output.h"
#include "platform/win32/com_owner.h"

namespace dpx::win32 {

// Core Audio's default render endpoint of the console role, and PlaySoundW. Use on the thread
// that made it.
class Win32AudioOutput final : public AudioOutput {
 public:
  std::unique_ptr<EndpointVolume> GetEndpointVolume() override;
  std::wstring WindowsDirectory() override;
  void PlayFile(const std::wstring& path) override;

 private:
  ComApartment apartment_;
};

}  // namespace dpx::win32
