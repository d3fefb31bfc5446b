#include "app/saved_state.h"

#include "app/caption_order.h"
#include "lists/list_file.h"

namespace dpx {

void SavedState::LoadExcludeList() {
  exclude_ = LoadListFile(paths_.excludeListFile);
  SortByCaption(exclude_, text_);
  excludeLoaded_ = true;
}

void SavedState::LoadBringToTopList() {
  bringToTop_ = LoadListFile(paths_.bringToTopListFile);
  bringToTopLoaded_ = true;
}

void SavedState::SaveExcludeList() {
  if (excludeLoaded_) SaveListFile(paths_.excludeListFile, exclude_);
}

void SavedState::SaveBringToTopList() {
  if (bringToTopLoaded_) SaveListFile(paths_.bringToTopListFile, bringToTop_);
}

void SavedState::SaveAll() {
  SaveExcludeList();
  SaveBringToTopList();
  settings_.Save();
}

}  // namespace dpx
