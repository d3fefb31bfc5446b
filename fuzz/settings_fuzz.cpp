// The settings reader: any "dpx.dat", read through the in-memory profile file, then the hot key
// texts in it parsed as the program registers them.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/password_store.h"
#include "app/settings_file.h"
#include "fakes/fake_profile_file.h"
#include "fakes/fake_text_services.h"
#include "fakes/fake_triggers_platform.h"
#include "fakes/fake_user_registry.h"
#include "fakes/portable_password_hashing.h"
#include "fuzz_check.h"
#include "triggers/hot_key_text.h"

using dpx::fuzz::Require;

namespace {

constexpr wchar_t kPath[] = L"C:\\Users\\user\\AppData\\Roaming\\DPX\\dpx.dat";
constexpr int kCurrentModeIndex = 3;

// The options as they act: the hot keys by the keys they stand for, not by their text.
struct Loaded {
  dpx::Options options;
  dpx::TShortCut keys[3] = {};
};

Loaded Load(dpx::SettingsFile& file, dpx::fakes::FakeTextServices& text) {
  Loaded loaded;
  std::wstring password;
  file.LoadSettings(loaded.options, password, kCurrentModeIndex);
  dpx::fakes::FakeKeyNames names;
  const std::wstring* texts[] = {&loaded.options.hideKey, &loaded.options.programKey,
                                 &loaded.options.screenSaverKey};
  for (int i = 0; i < 3; ++i) loaded.keys[i] = dpx::ParseHotKeyText(*texts[i], names, text);
  return loaded;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  dpx::fakes::FakeTextServices text;
  dpx::fakes::FakeProfileFile profile;
  profile.SetText(kPath, text.FromAnsi(std::string(reinterpret_cast<const char*>(data), size)));
  dpx::fakes::FakeUserRegistry registry;
  dpx::fakes::PortablePasswordHashing hashing;
  dpx::PasswordStore passwords(registry, hashing);
  dpx::SettingsFile file(profile, passwords, kPath);

  const Loaded first = Load(file, text);

  // Saving what was loaded and loading it again changes nothing the program acts on.
  std::wstring password;
  file.SaveSettings(first.options, password);
  Loaded second = Load(file, text);
  second.options.hideKey = first.options.hideKey;
  second.options.programKey = first.options.programKey;
  second.options.screenSaverKey = first.options.screenSaverKey;
  Require(second.options == first.options, "a saved setting reads back the same");
  for (int i = 0; i < 3; ++i)
    Require(second.keys[i] == first.keys[i], "a saved hot key reads back");
  return 0;
}
