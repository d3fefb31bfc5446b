// The hot key text parser: any text a settings file or the user may hold.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fakes/fake_text_services.h"
#include "fakes/fake_triggers_platform.h"
#include "fuzz_check.h"
#include "triggers/hot_key_text.h"

using dpx::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  dpx::fakes::FakeTextServices text;
  dpx::fakes::FakeKeyNames names;
  // Settings files hold ANSI text.
  const std::wstring input = text.FromAnsi(std::string(reinterpret_cast<const char*>(data), size));
  const dpx::TShortCut value = dpx::ParseHotKeyText(input, names, text);
  if (value == 0) return 0;

  // What the Shortcuts page then shows reads back as the same hot key.
  const std::wstring shown = dpx::FormatHotKeyText(value, names);
  Require(!shown.empty(), "a parsed hot key has a text");
  Require(dpx::ParseHotKeyText(shown, names, text) == value, "the shown text parses the same");
  return 0;
}
