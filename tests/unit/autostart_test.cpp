// The autostart entry behind "Automatically start when Windows starts".
#include <gtest/gtest.h>

#include "app/app_error.h"
#include "app/autostart.h"
#include "fakes/fake_user_registry.h"

namespace dpx {
namespace {

const std::wstring kRun = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

TEST(AutoStartCommandLineTest, QuotesThePathWithOrWithoutBlanks) {
  EXPECT_EQ(AutoStartCommandLine(L"C:\\Program Files\\DPX\\dpx.exe"),
            L"\"C:\\Program Files\\DPX\\dpx.exe\" /q");
  EXPECT_EQ(AutoStartCommandLine(L"C:\\Tools\\dpx.exe"), L"\"C:\\Tools\\dpx.exe\" /q");
}

class AutoStartTest : public ::testing::Test {
 protected:
  std::optional<fakes::FakeUserRegistry::Value> Entry() const { return registry.Get(kRun, L"DPX"); }

  fakes::FakeUserRegistry registry;
  AutoStart autoStart{registry, L"C:\\Program Files\\DPX\\dpx.exe"};
};

TEST_F(AutoStartTest, CheckingWritesTheQuotedEntryAndUncheckingDeletesIt) {
  EXPECT_FALSE(autoStart.IsAutoStartOn());
  autoStart.SetAutoStart(true);
  EXPECT_EQ(Entry(), fakes::FakeUserRegistry::Value(L"\"C:\\Program Files\\DPX\\dpx.exe\" /q"));
  EXPECT_TRUE(autoStart.IsAutoStartOn());

  autoStart.SetAutoStart(false);
  EXPECT_EQ(Entry(), std::nullopt);
  EXPECT_FALSE(autoStart.IsAutoStartOn());
  // Already gone (another tool removed it): nothing to do, nothing to say.
  EXPECT_NO_THROW(autoStart.SetAutoStart(false));
}

TEST_F(AutoStartTest, AnEntryOfAnyTypeCountsAsOn) {
  registry.SetNumber(kRun, L"DPX", 1);
  EXPECT_TRUE(autoStart.IsAutoStartOn());
  registry.WriteText(kRun, L"Other", L"x");
  autoStart.SetAutoStart(false);
  EXPECT_FALSE(autoStart.IsAutoStartOn());
  EXPECT_TRUE(registry.Get(kRun, L"Other").has_value());
}

TEST_F(AutoStartTest, AFailedWriteIsReportedAndAFailedDeleteIsNot) {
  registry.RefuseAccess(true);
  try {
    autoStart.SetAutoStart(true);
    FAIL() << "no error";
  } catch (const AppError& error) {
    EXPECT_EQ(error.Message(), L"Failed to set data for 'DPX'");
  }
  EXPECT_NO_THROW(autoStart.SetAutoStart(false));

  AutoStart withoutPath{registry, L""};
  registry.RefuseAccess(false);
  EXPECT_THROW(withoutPath.SetAutoStart(true), AppError);
  EXPECT_EQ(Entry(), std::nullopt);
}

TEST_F(AutoStartTest, AtStartAnAbsentEntryStaysAbsentAndThePresentOneIsWrittenAgainQuoted) {
  std::vector<bool> shown;
  autoStart.ShowAtStart([&](bool checked) { shown.push_back(checked); });
  EXPECT_EQ(shown, std::vector<bool>{false});
  EXPECT_EQ(Entry(), std::nullopt);

  // An earlier version's entry: unquoted, and for a program file since moved.
  registry.WriteText(kRun, L"DPX", L"C:\\Old Place\\dpx.exe /q");
  autoStart.ShowAtStart([&](bool checked) {
    shown.push_back(checked);
    // The box shows the state before the entry is written, as its own click action does it.
    EXPECT_EQ(Entry(), fakes::FakeUserRegistry::Value(L"C:\\Old Place\\dpx.exe /q"));
  });
  EXPECT_EQ(shown, (std::vector<bool>{false, true}));
  EXPECT_EQ(Entry(), fakes::FakeUserRegistry::Value(L"\"C:\\Program Files\\DPX\\dpx.exe\" /q"));
}

}  // namespace
}  // namespace dpx
