#include "platform/win32/password_hashing_win32.h"

#include <string>

#include "common/pbkdf2.h"
#include "platform/win32/unique_handle.h"

namespace dpx::win32 {
namespace {

[[noreturn]] void Fail(const char* call, NTSTATUS status) {
  char code[16] = {};
  std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(status));
  throw PasswordHashingError(std::string("The password could not be protected (") + call +
                             " failed with " + code + ").");
}

// The CNG calls take their lengths as ULONG.
ULONG Length(std::size_t size, const char* call) {
  if (size > 0xFFFFFFFFu) Fail(call, STATUS_INVALID_PARAMETER);
  return static_cast<ULONG>(size);
}

}  // namespace

Win32PasswordHashing::Win32PasswordHashing(Pbkdf2Route route) {
  if (route == Pbkdf2Route::kProgramsOwn) return;
  // Loaded already: the program imports bcrypt.dll's other calls, which Vista has.
  const HMODULE bcrypt = ::GetModuleHandleW(L"bcrypt.dll");
  if (bcrypt == nullptr) return;
  // Through void* because the export's real type differs from FARPROC's.
  platformPbkdf2_ = reinterpret_cast<PlatformPbkdf2>(
      reinterpret_cast<void*>(::GetProcAddress(bcrypt, "BCryptDeriveKeyPBKDF2")));
}

std::vector<std::uint8_t> Win32PasswordHashing::DeriveKey(std::span<const std::uint8_t> password,
                                                          std::span<const std::uint8_t> salt,
                                                          std::uint32_t iterations,
                                                          std::size_t length) {
  if (platformPbkdf2_ == nullptr) return Pbkdf2HmacSha256(password, salt, iterations, length);
  return DeriveKeyWithPlatform(password, salt, iterations, length);
}

std::vector<std::uint8_t> Win32PasswordHashing::DeriveKeyWithPlatform(
    std::span<const std::uint8_t> password, std::span<const std::uint8_t> salt,
    std::uint32_t iterations, std::size_t length) {
  BCRYPT_ALG_HANDLE opened = nullptr;
  NTSTATUS status = ::BCryptOpenAlgorithmProvider(&opened, BCRYPT_SHA256_ALGORITHM, nullptr,
                                                  BCRYPT_ALG_HANDLE_HMAC_FLAG);
  if (!BCRYPT_SUCCESS(status)) Fail("BCryptOpenAlgorithmProvider", status);
  const UniqueAlgorithmProvider hmac(opened);

  // An empty password or salt still needs a valid pointer.
  std::uint8_t none = 0;
  auto* passwordBytes = password.empty() ? &none : const_cast<std::uint8_t*>(password.data());
  auto* saltBytes = salt.empty() ? &none : const_cast<std::uint8_t*>(salt.data());
  std::vector<std::uint8_t> key(length);
  status = platformPbkdf2_(hmac.Get(), passwordBytes, Length(password.size(), "PBKDF2"), saltBytes,
                           Length(salt.size(), "PBKDF2"), iterations, key.data(),
                           Length(key.size(), "PBKDF2"), 0);
  if (!BCRYPT_SUCCESS(status)) Fail("BCryptDeriveKeyPBKDF2", status);
  return key;
}

std::vector<std::uint8_t> Win32PasswordHashing::RandomBytes(std::size_t count) {
  std::vector<std::uint8_t> bytes(count);
  const NTSTATUS status = ::BCryptGenRandom(nullptr, bytes.data(), Length(count, "BCryptGenRandom"),
                                            BCRYPT_USE_SYSTEM_PREFERRED_RNG);
  if (!BCRYPT_SUCCESS(status)) Fail("BCryptGenRandom", status);
  return bytes;
}

}  // namespace dpx::win32
