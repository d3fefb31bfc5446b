#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <bcrypt.h>

#include "platform/password_hashing.h"

namespace dpx::win32 {

// Where PBKDF2 is computed: CNG's BCryptDeriveKeyPBKDF2 where bcrypt.dll has it (Windows 7 on),
// else the program's own (common/pbkdf2.h). The second is there to be tested beside the first.
enum class Pbkdf2Route { kPlatformWhereItExists, kProgramsOwn };

// PBKDF2 and random bytes from the Windows CNG library (bcrypt.dll). The PBKDF2 function is
// looked up at run time: imported, it would keep dpx.exe from loading on Windows Vista.
class Win32PasswordHashing final : public PasswordHashing {
 public:
  explicit Win32PasswordHashing(Pbkdf2Route route = Pbkdf2Route::kPlatformWhereItExists);

  bool UsesPlatformPbkdf2() const { return platformPbkdf2_ != nullptr; }

  std::vector<std::uint8_t> DeriveKey(std::span<const std::uint8_t> password,
                                      std::span<const std::uint8_t> salt, std::uint32_t iterations,
                                      std::size_t length) override;
  std::vector<std::uint8_t> RandomBytes(std::size_t count) override;

 private:
  using PlatformPbkdf2 = NTSTATUS(WINAPI*)(BCRYPT_ALG_HANDLE, PUCHAR, ULONG, PUCHAR, ULONG,
                                           ULONGLONG, PUCHAR, ULONG, ULONG);

  std::vector<std::uint8_t> DeriveKeyWithPlatform(std::span<const std::uint8_t> password,
                                                  std::span<const std::uint8_t> salt,
                                                  std::uint32_t iterations, std::size_t length);

  PlatformPbkdf2 platformPbkdf2_ = nullptr;
};

}  // namespace dpx::win32
