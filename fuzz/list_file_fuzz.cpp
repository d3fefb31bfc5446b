// The list-file reader ("ExList.Dat", "BttList.Dat"): any bytes, as a damaged or foreign file.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "fakes/fake_text_services.h"
#include "fuzz_check.h"
#include "lists/list_file.h"

using dpx::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const unsigned char> bytes(data, size);
  const std::vector<dpx::ListEntry> entries = dpx::ParseListFile(bytes);
  Require(entries.size() == size / dpx::ListEntry::kSize, "one entry per complete record");

  // Saving what was loaded keeps every complete record byte for byte.
  const std::vector<unsigned char> saved = dpx::ListFileBytes(entries);
  Require(saved.size() == entries.size() * dpx::ListEntry::kSize &&
              std::equal(saved.begin(), saved.end(), bytes.begin()),
          "saved records equal the loaded ones");

  dpx::fakes::FakeTextServices text;
  for (const dpx::ListEntry& entry : entries) {
    const dpx::ListRowText row = dpx::RowText(text, entry);
    const std::wstring title = entry.Title(text);
    const std::wstring path = entry.Path(text);
    Require(row.title == title, "the row shows the entry's title");
    // Editing an entry rebuilds it from its texts; nothing may change on the way.
    const dpx::ListEntry rebuilt(text, title, path, entry.AllWindows());
    Require(rebuilt.Title(text) == title && rebuilt.Path(text) == path &&
                rebuilt.AllWindows() == entry.AllWindows(),
            "an entry rebuilt from its texts holds the same texts");
  }
  return 0;
}
