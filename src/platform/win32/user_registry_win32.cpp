#include "platform/win32/user_registry_win32.h"

#include <windows.h>

#include "platform/win32/unique_handle.h"

namespace dpx::win32 {

std::optional<RegistryString> Win32UserRegistry::ReadString(const std::wstring& keyPath,
                                                            const std::wstring& valueName) {
  HKEY opened = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  const UniqueRegistryKey key(opened);

  const auto isString = [](DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; };
  DWORD type = 0;
  DWORD bytes = 0;
  if (::RegQueryValueExW(key.Get(), valueName.c_str(), nullptr, &type, nullptr, &bytes) !=
          ERROR_SUCCESS ||
      !isString(type)) {
    return std::nullopt;
  }
  // One spare character: the stored data need not end in a null.
  std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
  bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  if (::RegQueryValueExW(key.Get(), valueName.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(text.data()), &bytes) != ERROR_SUCCESS ||
      !isString(type)) {
    return std::nullopt;
  }
  text.resize(bytes / sizeof(wchar_t));
  // The text ends at the first null, as a string read from the registry does.
  text.resize(text.find(L'\0') == std::wstring::npos ? text.size() : text.find(L'\0'));
  return RegistryString{text, type == REG_EXPAND_SZ};
}

bool Win32UserRegistry::WriteString(const std::wstring& keyPath, const std::wstring& valueName,
                                    const RegistryString& value) {
  HKEY created = nullptr;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_WRITE, nullptr, &created, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const UniqueRegistryKey key(created);
  const auto bytes = static_cast<DWORD>((value.text.size() + 1) * sizeof(wchar_t));  // with null
  return ::RegSetValueExW(
             key.Get(), valueName.c_str(), 0, value.expandable ? REG_EXPAND_SZ : REG_SZ,
             reinterpret_cast<const BYTE*>(value.text.c_str()), bytes) == ERROR_SUCCESS;
}

bool Win32UserRegistry::ValueExists(const std::wstring& keyPath, const std::wstring& valueName) {
  HKEY opened = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_QUERY_VALUE, &opened) !=
      ERROR_SUCCESS) {
    return false;
  }
  const UniqueRegistryKey key(opened);
  return ::RegQueryValueExW(key.Get(), valueName.c_str(), nullptr, nullptr, nullptr, nullptr) ==
         ERROR_SUCCESS;
}

bool Win32UserRegistry::DeleteValue(const std::wstring& keyPath, const std::wstring& valueName) {
  HKEY opened = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_SET_VALUE, &opened) !=
      ERROR_SUCCESS) {
    return false;
  }
  const UniqueRegistryKey key(opened);
  return ::RegDeleteValueW(key.Get(), valueName.c_str()) == ERROR_SUCCESS;
}

}  // namespace dpx::win32
