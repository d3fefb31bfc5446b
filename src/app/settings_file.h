#pragma once

#include <string>

#include "app/ini_file.h"  // SettingsWriteError
#include "app/options.h"
#include "app/password_store.h"
#include "platform/profile_file.h"

namespace dpx {

// Reads and writes every option of the settings file "dpx.dat" and the application password.
class SettingsFile {
 public:
  SettingsFile(ProfileFile& profile, PasswordStore& passwords, std::wstring path);

  // Reads the stored password into `appPassword`, then every key into `options` (a missing file
  // or key gives the defaults; `currentModeIndex` is the default of the selected display mode),
  // and sets `options.appPasswordProtected` to whether it is non-empty. Never throws.
  void LoadSettings(Options& options, std::wstring& appPassword, int currentModeIndex);

  // Writes every key from `options`, then empties `appPassword` when
  // `options.appPasswordProtected` is false and stores it (a plain text from an earlier version
  // is stored as its hash, which then replaces it in `appPassword` too). Throws SettingsWriteError
  // ("Unable to write to <path>") at the first key that cannot be written; the keys after it and
  // the password are then not written. Throws PasswordWriteError when the password value cannot
  // be written (the next start would otherwise find another password). Does nothing before
  // LoadSettings has run, so a start-up that failed before loading never writes defaults over the
  // user's settings and password.
  void SaveSettings(const Options& options, std::wstring& appPassword);

  const std::wstring& Path() const { return path_; }

 private:
  ProfileFile& profile_;
  PasswordStore& passwords_;
  std::wstring path_;
  bool loaded_ = false;
};

}  // namespace dpx
