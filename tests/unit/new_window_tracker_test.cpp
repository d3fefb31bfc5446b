// The hook library's rules for new windows, with the system's answers scripted.
#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "../../libs/dozov/new_window_tracker.h"

namespace dozov {
namespace {

struct ScriptedWindow {
  bool candidate = true;
  bool visible = false;
};

class ScriptedQueries final : public WindowQueries {
 public:
  std::map<Window, ScriptedWindow> windows;
  Window foreground = 0;

  bool IsCandidate(Window w) override { return windows.count(w) && windows[w].candidate; }
  bool IsVisible(Window w) override { return windows.count(w) && windows[w].visible; }
  bool Exists(Window w) override { return windows.count(w) != 0; }
  Window Foreground() override { return foreground; }
};

using Reports = std::vector<std::pair<Window, ShellCode>>;

class NewWindowTrackerTest : public ::testing::Test {
 protected:
  void Open(Window w, bool visible, bool candidate = true) {
    system.windows[w] = {candidate, visible};
    tracker.Created(w);
  }

  ScriptedQueries system;
  Reports reports;
  NewWindowTracker tracker{system, [this](Window w, ShellCode c) { reports.push_back({w, c}); }};
};

TEST_F(NewWindowTrackerTest, HiddenNewWindowIsReportedOnceWhenFirstShown) {
  Open(10, /*visible=*/false);
  tracker.Poll();
  EXPECT_TRUE(reports.empty()) << "created, but nothing to see yet";

  system.windows[10].visible = true;
  tracker.Shown(10);
  tracker.Shown(10);
  tracker.Poll();
  system.windows[10].visible = false;
  tracker.Poll();
  system.windows[10].visible = true;
  tracker.Shown(10);

  EXPECT_EQ(reports, (Reports{{10, ShellCode::kCreated}}));
}

TEST_F(NewWindowTrackerTest, PollingFindsTheShowAndTheEndTheSystemDidNotTell) {
  Open(10, false);
  system.windows[10].visible = true;
  tracker.Poll();
  system.windows.erase(10);
  tracker.Poll();
  tracker.Poll();

  EXPECT_EQ(reports, (Reports{{10, ShellCode::kCreated}, {10, ShellCode::kDestroyed}}));
}

TEST_F(NewWindowTrackerTest, WindowAlreadyVisibleWhenItsCreationArrivesIsReportedAtOnce) {
  Open(10, /*visible=*/true);
  tracker.Created(10);
  EXPECT_EQ(reports, (Reports{{10, ShellCode::kCreated}}));
}

TEST_F(NewWindowTrackerTest, WindowsThatAreNotNewOrNotCandidatesAreNeverReportedAsCreated) {
  Open(20, true, /*candidate=*/false);  // a child, input-method or message-only window
  Open(21, false, /*candidate=*/false);
  system.windows[21].visible = true;
  system.windows[30] = {true, true};  // existed before watching began
  tracker.Shown(21);
  tracker.Shown(30);
  tracker.Poll();
  tracker.Destroyed(20);
  tracker.Destroyed(30);

  EXPECT_TRUE(reports.empty());
}

TEST_F(NewWindowTrackerTest, WindowDestroyedBeforeItWasShownIsNeverReported) {
  Open(10, false);
  tracker.Destroyed(10);
  Open(11, false);
  system.windows.erase(11);
  tracker.Poll();
  system.windows[10] = {true, true};  // its handle reused by a window created before watching
  tracker.Shown(10);

  EXPECT_TRUE(reports.empty());
}

TEST_F(NewWindowTrackerTest, EachForegroundChangeIsReportedOnceAfterTheCreationItFollows) {
  system.foreground = 5;  // already in front when watching began: not news
  NewWindowTracker fresh(system, [this](Window w, ShellCode c) { reports.push_back({w, c}); });
  fresh.ForegroundChanged();
  EXPECT_TRUE(reports.empty());

  system.windows[10] = {true, false};
  fresh.Created(10);
  system.windows[10].visible = true;
  system.foreground = 10;
  fresh.Poll();
  fresh.ForegroundChanged();
  system.foreground = 0;
  fresh.Poll();
  system.foreground = 5;
  fresh.ForegroundChanged();

  EXPECT_EQ(reports, (Reports{{10, ShellCode::kCreated},
                              {10, ShellCode::kActivated},
                              {5, ShellCode::kActivated}}));
}

}  // namespace
}  // namespace dozov
