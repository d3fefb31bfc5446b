// File access for the portable (Linux) build, which runs the unit tests.
#include "platform/file_io.h"

#include <cerrno>
#include <cstdio>
#include <system_error>
#include <unistd.h>

namespace dpx {
namespace {

std::string Utf8(const std::wstring& text) {
  std::string out;
  for (wchar_t wc : text) {
    auto c = static_cast<char32_t>(wc);
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

[[noreturn]] void Fail(const char* what, const std::string& path) {
  throw IoError(std::string(what) + " " + path + ": " +
                std::error_code(errno, std::generic_category()).message());
}

}  // namespace

bool FileExists(const std::wstring& path) {
  return ::access(Utf8(path).c_str(), F_OK) == 0;
}

std::vector<unsigned char> ReadWholeFile(const std::wstring& path, std::size_t limit) {
  const std::string name = Utf8(path);
  FILE* file = std::fopen(name.c_str(), "rb");
  if (!file) Fail("Cannot open", name);
  std::vector<unsigned char> bytes;
  unsigned char chunk[64 * 1024];
  std::size_t read = 0;
  while ((read = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
    bytes.insert(bytes.end(), chunk, chunk + read);
    if (bytes.size() > limit) break;
  }
  const bool failed = std::ferror(file) != 0;
  const int savedErrno = errno;
  std::fclose(file);
  errno = savedErrno;
  if (failed) Fail("Cannot read", name);
  if (bytes.size() > limit) throw IoError("Too large to read: " + name);
  return bytes;
}

void WriteFileAtomically(const std::wstring& path, const std::vector<unsigned char>& bytes) {
  const std::string name = Utf8(path);
  const std::string temp = name + ".tmp";
  FILE* file = std::fopen(temp.c_str(), "wb");
  if (!file) Fail("Cannot create", temp);
  const bool written =
      (bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size()) &&
      std::fflush(file) == 0 && ::fsync(fileno(file)) == 0;
  const int savedErrno = errno;
  std::fclose(file);
  if (!written) {
    std::remove(temp.c_str());
    errno = savedErrno;
    Fail("Cannot write", temp);
  }
  if (std::rename(temp.c_str(), name.c_str()) != 0) {
    const int renameErrno = errno;
    std::remove(temp.c_str());
    errno = renameErrno;
    Fail("Cannot replace", name);
  }
}

void RemoveFile(const std::wstring& path) {
  const std::string name = Utf8(path);
  if (std::remove(name.c_str()) != 0 && errno != ENOENT) Fail("Cannot delete", name);
}

void MoveFileReplacing(const std::wstring& from, const std::wstring& to) {
  const std::string name = Utf8(from);
  if (std::rename(name.c_str(), Utf8(to).c_str()) != 0) Fail("Cannot rename", name);
}

}  // namespace dpx
