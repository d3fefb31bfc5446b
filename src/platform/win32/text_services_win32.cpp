#include "platform/win32/text_services_win32.h"

#include <windows.h>

namespace dpx::win32 {

std::string Win32TextServices::ToAnsi(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, nullptr);
  return out;
}

std::wstring Win32TextServices::FromAnsi(const std::string& bytes) {
  if (bytes.empty()) return {};
  const int size =
      ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), size);
  return out;
}

int Win32TextServices::Compare(const std::wstring& a, const std::wstring& b) {
  return ::CompareStringW(LOCALE_USER_DEFAULT, 0, a.data(), static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) -
         CSTR_EQUAL;
}

std::wstring Win32TextServices::ToUpper(const std::wstring& text) {
  std::wstring out = text;
  if (!out.empty()) ::CharUpperBuffW(out.data(), static_cast<DWORD>(out.size()));
  return out;
}

}  // namespace dpx::win32
