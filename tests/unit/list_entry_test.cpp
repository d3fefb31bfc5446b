#include <gtest/gtest.h>

#include "fakes/fake_text_services.h"
#include "lists/list_entry.h"

namespace dpx {
namespace {

TEST(ListEntryTest, LaysOutTitlePathAndFlagAtTheirOffsets) {
  fakes::FakeTextServices text;
  const ListEntry entry(text, L"Caf\u00e9", L"C:\\x.exe", true);
  const auto& b = entry.bytes();
  EXPECT_EQ(b[0], 4);
  EXPECT_EQ(b[1], 'C');
  EXPECT_EQ(b[4], 0xE9);  // é in Windows-1252
  EXPECT_EQ(b[256], 8);
  EXPECT_EQ(std::string(b.begin() + 257, b.begin() + 265), "C:\\x.exe");
  EXPECT_EQ(b[512], 1);
  EXPECT_EQ(entry.Title(text), L"Caf\u00e9");
  EXPECT_EQ(entry.Path(text), L"C:\\x.exe");
}

TEST(ListEntryTest, LongTextIsCutTo255AndForeignCharactersBecomeTheDefault) {
  fakes::FakeTextServices text;
  const ListEntry entry(text, std::wstring(300, L'T'), L"\u20ac\u4e2d.exe", false);
  EXPECT_EQ(entry.bytes()[0], 255);
  EXPECT_EQ(entry.Title(text), std::wstring(255, L'T'));
  EXPECT_EQ(entry.Path(text), L"\u20ac?.exe");  // the euro sign is in the code page
  EXPECT_FALSE(entry.AllWindows());
}

TEST(ListEntryTest, RowTextShowsFileNameTitleAndAllFlag) {
  fakes::FakeTextServices text;
  EXPECT_EQ(RowText(text, ListEntry(text, L"Doc", L"C:\\dir\\app.exe", true)).caption, L"app.exe");
  EXPECT_EQ(RowText(text, ListEntry(text, L"Doc", L"C:app.exe", false)).caption, L"app.exe");
  EXPECT_EQ(RowText(text, ListEntry(text, L"Doc", L"", true)).all, L"yes");
  EXPECT_EQ(RowText(text, ListEntry(text, L"", L"C:\\a.exe", false)).all, L"no");
  EXPECT_EQ(RowText(text, ListEntry(text, L"", L"C:\\a.exe", true)).title, L"");

  ListEntry::Bytes bytes = ListEntry(text, L"", L"C:\\a.exe", false).bytes();
  for (unsigned char flag : {2, 255}) {
    bytes[512] = flag;
    EXPECT_EQ(RowText(text, ListEntry(bytes)).all, L"yes");
  }
}

TEST(ListEntryTest, BytesPastTheLengthAreIgnored) {
  fakes::FakeTextServices text;
  ListEntry::Bytes bytes{};
  bytes.fill('Z');
  bytes[0] = 2;
  bytes[256] = 0;
  const ListEntry entry(bytes);
  EXPECT_EQ(entry.Title(text), L"ZZ");
  EXPECT_EQ(entry.Path(text), L"");
}

TEST(ListEntryTest, AnEntryRebuiltFromItsTextsKeepsEveryByteOfThem) {
  // Editing an entry rebuilds it from its texts. The list fuzz target found a path with the
  // undefined code page byte 0x8D, which came back as '?'.
  fakes::FakeTextServices text;
  ListEntry::Bytes bytes{};
  bytes[0] = 255;
  bytes[256] = 255;
  for (std::size_t i = 0; i < 255; ++i) {
    bytes[1 + i] = static_cast<unsigned char>(i + 1);
    bytes[257 + i] = static_cast<unsigned char>(255 - i);
  }
  const ListEntry stored(bytes);
  EXPECT_EQ(ListEntry(text, stored.Title(text), stored.Path(text), false), stored);
}

}  // namespace
}  // namespace dpx
