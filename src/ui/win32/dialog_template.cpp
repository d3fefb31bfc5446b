#include "ui/win32/dialog_template.h"

namespace dpx::win32 {

// The layout is that of DLGTEMPLATEEX and DLGITEMTEMPLATEEX, which have no C declarations:
// fixed fields, then texts of variable length, each item starting on a DWORD boundary.
DialogTemplate::DialogTemplate(const std::wstring& caption, DWORD style, DWORD exStyle, short width,
                               short height, const std::vector<DialogItem>& items) {
  Word(1);       // dlgVer
  Word(0xFFFF);  // signature: the extended form
  Dword(0);      // helpID
  Dword(exStyle);
  Dword(style | DS_SHELLFONT);
  Word(static_cast<WORD>(items.size()));
  for (const short value : {short{0}, short{0}, width, height}) Word(static_cast<WORD>(value));
  Word(0);  // no menu
  Word(0);  // the standard dialog class
  Text(caption);
  Word(8);                   // point size
  Word(FW_NORMAL);           // weight
  Word(MAKEWORD(FALSE, 1));  // not italic; DEFAULT_CHARSET
  Text(L"MS Shell Dlg");

  for (const DialogItem& item : items) {
    AlignToDword();
    Dword(0);  // helpID
    Dword(item.exStyle);
    Dword(item.style | WS_CHILD | WS_VISIBLE);
    for (const short value : {item.x, item.y, item.width, item.height})
      Word(static_cast<WORD>(value));
    Dword(static_cast<DWORD>(item.id));
    Text(item.windowClass);
    Text(item.text);
    Word(0);  // no creation data
  }
}

void DialogTemplate::Dword(DWORD value) {
  Word(LOWORD(value));
  Word(HIWORD(value));
}

void DialogTemplate::Text(const std::wstring& text) {
  words_.insert(words_.end(), text.begin(), text.end());
  Word(0);
}

// The buffer itself starts DWORD-aligned (std::vector's storage is aligned for any object).
void DialogTemplate::AlignToDword() {
  if (words_.size() % 2 != 0) Word(0);
}

}  // namespace dpx::win32
