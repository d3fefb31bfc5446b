#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include "platform/win32/unique_handle.h"

namespace dpx::win32 {

inline HICON NullIcon() {
  return nullptr;
}
inline void DestroyIconHandle(HICON icon) {
  ::DestroyIcon(icon);
}
// An icon handed over by the shell (SHGetFileInfoW with SHGFI_ICON).
using UniqueIcon = UniqueResource<HICON, DestroyIconHandle, NullIcon>;

inline HGDIOBJ NullGdiObject() {
  return nullptr;
}
inline void DeleteGdiObject(HGDIOBJ object) {
  ::DeleteObject(object);
}
// A font, brush, pen or bitmap DPX created.
using UniqueGdiObject = UniqueResource<HGDIOBJ, DeleteGdiObject, NullGdiObject>;

inline HIMAGELIST NullImageList() {
  return nullptr;
}
inline void DestroyImageList(HIMAGELIST list) {
  ::ImageList_Destroy(list);
}
// An image list; the list views that show it share it and do not destroy it.
using UniqueImageList = UniqueResource<HIMAGELIST, DestroyImageList, NullImageList>;

inline HANDLE NullMutex() {
  return nullptr;
}

inline HMENU NullMenu() {
  return nullptr;
}
inline void DestroyMenuHandle(HMENU menu) {
  ::DestroyMenu(menu);
}
// A menu DPX built in code and that no window destroys for it (a pop-up menu).
using UniqueMenu = UniqueResource<HMENU, DestroyMenuHandle, NullMenu>;

inline HCURSOR NullCursor() {
  return nullptr;
}
inline void DestroyCursorHandle(HCURSOR cursor) {
  ::DestroyCursor(cursor);
}
// A cursor DPX made with CreateCursor (the system's own cursors are shared and never destroyed).
using UniqueCursor = UniqueResource<HCURSOR, DestroyCursorHandle, NullCursor>;

}  // namespace dpx::win32
