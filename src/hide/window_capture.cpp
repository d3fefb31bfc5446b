#include "hide/window_capture.h"

#include "common/strings.h"

namespace dpx {
namespace {

// Titles longer than the buffer are cut; the buffer holds 9999 characters and the terminator.
constexpr std::size_t kTextBufferChars = 10000;

// The one untitled class that is taken, even when not visible.
constexpr wchar_t kTakenUntitledClass[] = L"Afx:00400000:8";

}  // namespace

CaptureVerdict JudgeWindow(const WindowFacts& facts) {
  if (facts.title.empty()) {
    if (facts.className != kTakenUntitledClass) return CaptureVerdict::kUntitled;
  } else if ((facts.style & kStyleVisible) == 0) {
    return CaptureVerdict::kNotVisible;
  }
  if (facts.title == L"Start" && facts.className == L"Button") return CaptureVerdict::kStartButton;
  if (facts.title == L"Program Manager") return CaptureVerdict::kProgramManager;
  if (facts.title == L"Windows Security") return CaptureVerdict::kWindowsSecurity;
  if (facts.isOwnMainWindow) return CaptureVerdict::kOwnMainWindow;
  return CaptureVerdict::kTaken;
}

WindowFacts WindowCapture::ReadFacts(WindowHandle window) {
  WindowFacts facts;
  facts.title = TrimControls(windows_.WindowText(window, kTextBufferChars));
  facts.className = TrimControls(windows_.ClassName(window, kTextBufferChars));
  if (const auto styles = windows_.Styles(window)) {
    facts.style = styles->style;
    facts.exStyle = styles->exStyle;
  }
  facts.isOwnMainWindow = program_.IsMainWindow(window);
  return facts;
}

bool WindowCapture::CaptureWindow(WindowHandle window, CapturedWindowList& list) {
  ExePathLookup exePaths(windows_, processes_);
  return CaptureWindow(window, list, exePaths);
}

bool WindowCapture::CaptureWindow(WindowHandle window, CapturedWindowList& list,
                                  ExePathLookup& exePaths) {
  const WindowFacts facts = ReadFacts(window);
  if (JudgeWindow(facts) != CaptureVerdict::kTaken) return false;
  TWinInfo info{window, facts.title, exePaths.GetWindowExePath(window), facts.exStyle};
  list.push_back({FileNamePart(info.ExePath), std::move(info)});
  return true;
}

void WindowCapture::CaptureTopLevelWindows(CapturedWindowList& list) {
  list.clear();
  ExePathLookup exePaths(windows_, processes_);
  for (WindowHandle window = windows_.TopWindow(); window != kNoWindow;
       window = windows_.NextWindow(window)) {
    CaptureWindow(window, list, exePaths);
  }
}

}  // namespace dpx
