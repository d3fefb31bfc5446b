#include "platform/win32/audio_output_win32.h"

#include <endpointvolume.h>
#include <mmdeviceapi.h>
#include <mmsystem.h>

#include <cstdio>
#include <vector>

namespace dpx::win32 {
namespace {

constexpr DWORD kInProcOrLocalServer = CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER;  // 5

std::string HresultText(const char* what, HRESULT hr) {
  char text[96];
  std::snprintf(text, sizeof text, "%s failed: 0x%08lX", what, static_cast<unsigned long>(hr));
  return text;
}

class Win32EndpointVolume final : public EndpointVolume {
 public:
  explicit Win32EndpointVolume(ComPtr<IAudioEndpointVolume> volume) : volume_(std::move(volume)) {}

  std::optional<float> MasterLevel() override {
    float level = 0.0f;
    if (FAILED(volume_.Get()->GetMasterVolumeLevelScalar(&level))) return std::nullopt;
    return level;
  }
  std::optional<bool> Muted() override {
    BOOL muted = FALSE;
    if (FAILED(volume_.Get()->GetMute(&muted))) return std::nullopt;
    return muted != FALSE;
  }
  bool SetMasterLevel(float level) override {
    return SUCCEEDED(volume_.Get()->SetMasterVolumeLevelScalar(level, &GUID_NULL));
  }
  bool SetMuted(bool muted) override {
    return SUCCEEDED(volume_.Get()->SetMute(muted ? TRUE : FALSE, &GUID_NULL));
  }

 private:
  ComPtr<IAudioEndpointVolume> volume_;
};

}  // namespace

std::unique_ptr<EndpointVolume> Win32AudioOutput::GetEndpointVolume() {
  IUnknown* created = nullptr;
  HRESULT hr = ::CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, kInProcOrLocalServer,
                                  IID_IUnknown, reinterpret_cast<void**>(&created));
  if (FAILED(hr)) throw AudioUnavailable(HresultText("Creating the audio device enumerator", hr));
  const ComPtr<IUnknown> object(created);
  const ComPtr<IMMDeviceEnumerator> enumerator =
      QueryComInterface<IMMDeviceEnumerator>(object.Get(), __uuidof(IMMDeviceEnumerator), &hr);
  if (!enumerator) throw AudioUnavailable(HresultText("IMMDeviceEnumerator", hr));

  IMMDevice* found = nullptr;
  // Fails when the machine has no playback device, or it is disabled.
  if (FAILED(enumerator.Get()->GetDefaultAudioEndpoint(eRender, eConsole, &found))) return nullptr;
  const ComPtr<IMMDevice> device(found);

  IAudioEndpointVolume* activated = nullptr;
  // Only what the activation delivered counts, whatever it answers.
  device.Get()->Activate(__uuidof(IAudioEndpointVolume), CLSCTX_ALL, nullptr,
                         reinterpret_cast<void**>(&activated));
  if (!activated) return nullptr;
  return std::make_unique<Win32EndpointVolume>(ComPtr<IAudioEndpointVolume>(activated));
}

std::wstring Win32AudioOutput::WindowsDirectory() {
  std::vector<wchar_t> buffer(10000, L'\0');
  const UINT length = ::GetWindowsDirectoryW(buffer.data(), static_cast<UINT>(buffer.size()));
  return std::wstring(buffer.data(), length < buffer.size() ? length : 0);
}

void Win32AudioOutput::PlayFile(const std::wstring& path) {
  // SND_FILENAME alone: synchronous, returns when the sound has finished.
  ::PlaySoundW(path.c_str(), nullptr, SND_FILENAME);
}

}  // namespace dpx::win32
