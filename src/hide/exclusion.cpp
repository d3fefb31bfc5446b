#include "hide/exclusion.h"

#include "common/strings.h"

namespace dpx {

bool IsProtectedByList(const TWinInfo& window, const std::vector<ListEntry>& doNotHide,
                       TextServices& text) {
  const std::wstring upperExePath = text.ToUpper(window.ExePath);
  for (const ListEntry& entry : doNotHide) {
    const std::wstring title = entry.Title(text);
    if (!title.empty() && title == window.Title) return true;
    if (!entry.AllWindows()) continue;
    const std::wstring fileName = FileNamePart(entry.Path(text));
    // An empty name would be found in any path; an empty path contains nothing.
    if (!fileName.empty() && !upperExePath.empty() &&
        upperExePath.find(text.ToUpper(fileName)) != std::wstring::npos)
      return true;
  }
  return false;
}

}  // namespace dpx
