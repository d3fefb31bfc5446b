// Setting and removing the application password from the main window: the set-password dialog's
// field check, the "Set Password" button and the "Protect this application with password" box.
#include <gtest/gtest.h>

#include <deque>

#include "app/app_password_commands.h"
#include "app/password_hash_text.h"
#include "app/password_verifier.h"
#include "app/settings_file.h"
#include "fakes/fake_profile_file.h"
#include "fakes/fake_user_registry.h"
#include "fakes/portable_password_hashing.h"
#include "fakes/scripted_ui.h"

namespace dpx {
namespace {

struct FieldsCase {
  std::wstring password;
  std::wstring confirmation;
  PasswordFieldsCheck expected;
};

class PasswordFieldsTest : public ::testing::TestWithParam<FieldsCase> {};

TEST_P(PasswordFieldsTest, AcceptsOnlyTwoEqualNonEmptyEntries) {
  const FieldsCase& c = GetParam();
  EXPECT_EQ(CheckPasswordFields(c.password, c.confirmation), c.expected);

  fakes::ScriptedUi messages;
  EXPECT_EQ(AcceptPasswordFields(c.password, c.confirmation, messages),
            c.expected == PasswordFieldsCheck::kAccepted);
  switch (c.expected) {
    case PasswordFieldsCheck::kAccepted:
      EXPECT_TRUE(messages.shown.empty());
      break;
    case PasswordFieldsCheck::kMismatch:
      ASSERT_EQ(messages.shown.size(), 1u);
      EXPECT_EQ(messages.shown[0].text, L"The passwords do not match!\n\rPlease correct.");
      EXPECT_EQ(messages.shown[0].kind, MessageKind::kError);
      EXPECT_EQ(messages.shown[0].buttons, MessageButtons::kOk);
      break;
    case PasswordFieldsCheck::kEmpty:
      ASSERT_EQ(messages.shown.size(), 1u);
      EXPECT_EQ(messages.shown[0].text, L"Please fill all the fields.");
      EXPECT_EQ(messages.shown[0].kind, MessageKind::kWarning);
      EXPECT_EQ(messages.shown[0].buttons, MessageButtons::kOk);
      break;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Entries, PasswordFieldsTest,
    ::testing::Values(FieldsCase{L"Secret", L"Secret", PasswordFieldsCheck::kAccepted},
                      FieldsCase{L"x", L"x", PasswordFieldsCheck::kAccepted},
                      FieldsCase{L"two words ", L"two words ", PasswordFieldsCheck::kAccepted},
                      FieldsCase{L"Secret", L"secret", PasswordFieldsCheck::kMismatch},
                      // One empty field is a mismatch, not a missing entry.
                      FieldsCase{L"Secret", L"", PasswordFieldsCheck::kMismatch},
                      FieldsCase{L"", L"Secret", PasswordFieldsCheck::kMismatch},
                      FieldsCase{L"", L"", PasswordFieldsCheck::kEmpty}));

// The dialog answers from a script: the typed password for OK, nullopt for Cancel.
class ScriptedSetPasswordDialog final : public SetPasswordDialog {
 public:
  std::deque<std::optional<std::wstring>> answers;
  int shown = 0;

  std::optional<std::wstring> ShowOverMainWindow() override {
    ++shown;
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

class AppPasswordCommandsTest : public ::testing::Test {
 protected:
  bool Unlocks(const std::wstring& typed) {
    return PasswordVerifier{appPassword, hashing}.Matches(typed);
  }

  ScriptedSetPasswordDialog dialog;
  fakes::PortablePasswordHashing hashing;
  std::wstring appPassword;
  Options options;
  AppPasswordCommands commands{dialog, hashing, appPassword, options};
};

TEST_F(AppPasswordCommandsTest, CheckingTheBoxSetsAPasswordKeptOnlyAsItsHash) {
  dialog.answers = {L"Open Sesame"};
  commands.CheckBoxClicked(/*wasChecked=*/false);
  EXPECT_EQ(dialog.shown, 1);
  EXPECT_TRUE(options.appPasswordProtected);
  EXPECT_EQ(ClassifyStoredPassword(appPassword), StoredPasswordKind::kHashed);
  EXPECT_EQ(appPassword.find(L"Sesame"), std::wstring::npos);
  EXPECT_TRUE(Unlocks(L"Open Sesame"));
  EXPECT_FALSE(Unlocks(L"open sesame"));
}

TEST_F(AppPasswordCommandsTest, CancellingTheDialogLeavesTheBoxUncheckedAndNoPassword) {
  dialog.answers = {std::nullopt};
  commands.CheckBoxClicked(false);
  EXPECT_EQ(dialog.shown, 1);
  EXPECT_FALSE(options.appPasswordProtected);
  EXPECT_EQ(appPassword, L"");
}

TEST_F(AppPasswordCommandsTest, UncheckingRemovesThePasswordWithoutAsking) {
  dialog.answers = {L"pw"};
  commands.CheckBoxClicked(false);
  commands.CheckBoxClicked(/*wasChecked=*/true);
  EXPECT_EQ(dialog.shown, 1);
  EXPECT_FALSE(options.appPasswordProtected);
  EXPECT_EQ(appPassword, L"");
}

TEST_F(AppPasswordCommandsTest, SetPasswordReplacesTheOldOneAndCancelKeepsIt) {
  dialog.answers = {L"first", L"second", std::nullopt};
  commands.SetPassword();
  commands.SetPassword();
  EXPECT_TRUE(Unlocks(L"second"));
  EXPECT_FALSE(Unlocks(L"first"));
  const std::wstring kept = appPassword;
  commands.SetPassword();
  EXPECT_EQ(appPassword, kept);
  EXPECT_TRUE(options.appPasswordProtected);
}

TEST_F(AppPasswordCommandsTest, AHashingFailureChangesNothing) {
  dialog.answers = {L"first", L"second"};
  commands.SetPassword();
  const std::wstring kept = appPassword;
  hashing.fail = true;
  EXPECT_THROW(commands.CheckBoxClicked(false), PasswordHashingError);
  EXPECT_EQ(appPassword, kept);
  EXPECT_TRUE(options.appPasswordProtected);
}

// A password set through the box reaches the registry as its hash at the next save and unlocks
// the next run.
TEST_F(AppPasswordCommandsTest, ASetPasswordIsSavedAsAHashAndUnlocksTheNextRun) {
  fakes::FakeProfileFile profile;
  fakes::FakeUserRegistry registry;
  PasswordStore passwords{registry, hashing};
  SettingsFile settings{profile, passwords, L"C:\\dpx.dat"};
  settings.LoadSettings(options, appPassword, 0);

  dialog.answers = {L"Open Sesame"};
  commands.CheckBoxClicked(false);
  settings.SaveSettings(options, appPassword);
  const auto stored = registry.ReadText(L"Software\\Windows\\Cryptography", L"10");
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->find(L"Sesame"), std::wstring::npos);

  std::wstring nextRun;
  Options nextOptions;
  settings.LoadSettings(nextOptions, nextRun, 0);
  EXPECT_TRUE(nextOptions.appPasswordProtected);
  EXPECT_TRUE(PasswordVerifier(nextRun, hashing).Matches(L"Open Sesame"));
}

}  // namespace
}  // namespace dpx
