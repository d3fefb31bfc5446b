#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace dpx::win32 {

// One control of an in-memory dialog template; position and size in dialog units.
struct DialogItem {
  const wchar_t* windowClass;  // "Button", "Edit", "Static"
  std::wstring text;
  int id;
  DWORD style;  // WS_CHILD | WS_VISIBLE are added
  short x, y, width, height;
  DWORD exStyle = 0;
};

// An extended dialog template built in memory, for dialogs that live in their own source file
// rather than in the program's resources. The font is the shell's dialog font, as the program's
// other dialogs have.
class DialogTemplate {
 public:
  DialogTemplate(const std::wstring& caption, DWORD style, DWORD exStyle, short width, short height,
                 const std::vector<DialogItem>& items);

  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void Word(WORD value) { words_.push_back(value); }
  void Dword(DWORD value);
  void Text(const std::wstring& text);
  void AlignToDword();

  std::vector<WORD> words_;
};

}  // namespace dpx::win32
