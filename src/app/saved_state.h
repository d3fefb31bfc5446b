#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/data_paths.h"
#include "app/options.h"
#include "app/settings_file.h"
#include "lists/list_entry.h"
#include "platform/text_services.h"

namespace dpx {

// The settings file and the stored password, as start-up loads them and the saves write them.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  virtual void Load() = 0;
  // Throws the settings file's write error; the caller's action then does not complete.
  virtual void Save() = 0;
};

// SettingsStore over the settings file, the options model and the application password.
class SettingsFileStore final : public SettingsStore {
 public:
  // `currentModeIndex` gives the default of the selected display mode when the settings are read.
  SettingsFileStore(SettingsFile& file, Options& options, std::wstring& appPassword,
                    std::function<int()> currentModeIndex)
      : file_(file),
        options_(options),
        appPassword_(appPassword),
        currentModeIndex_(std::move(currentModeIndex)) {}

  void Load() override { file_.LoadSettings(options_, appPassword_, currentModeIndex_()); }
  void Save() override { file_.SaveSettings(options_, appPassword_); }

 private:
  SettingsFile& file_;
  Options& options_;
  std::wstring& appPassword_;
  std::function<int()> currentModeIndex_;
};

// The two user-made lists and the settings: loaded once when the main window is created, saved
// together by the close query, the "&Hide" button and the end of the program.
class SavedState {
 public:
  SavedState(const DataPaths& paths, SettingsStore& settings, TextServices& text)
      : paths_(paths), settings_(settings), text_(text) {}

  // The Do not hide list, kept in caption order; hide mode reads it in place.
  const std::vector<ListEntry>& ExcludeList() const { return exclude_; }
  std::vector<ListEntry>& ExcludeList() { return exclude_; }
  const std::vector<ListEntry>& BringToTopList() const { return bringToTop_; }
  std::vector<ListEntry>& BringToTopList() { return bringToTop_; }

  // Each throws IoError when its file exists but cannot be read.
  void LoadExcludeList();
  void LoadBringToTopList();
  void LoadSettings() { settings_.Load(); }

  // Each writes its list file whole and throws IoError. A list whose load failed (or never ran)
  // is not written, so a start-up error never overwrites the user's file with a partial list.
  void SaveExcludeList();
  void SaveBringToTopList();
  // "ExList.Dat", then "BttList.Dat", then the settings.
  void SaveAll();

 private:
  const DataPaths& paths_;
  SettingsStore& settings_;
  TextServices& text_;
  std::vector<ListEntry> exclude_;
  std::vector<ListEntry> bringToTop_;
  bool excludeLoaded_ = false;
  bool bringToTopLoaded_ = false;
};

}  // namespace dpx
