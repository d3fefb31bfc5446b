#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

namespace dpx {

// An input/output failure on a file the user's settings live in; its text is shown to the user.
class IoError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The whole file; nullopt-like "missing" is told apart from failures by FileExists.
bool FileExists(const std::wstring& path);
// Throws IoError when the file cannot be opened or read, or holds more than `limit` bytes (it is
// then read no further).
std::vector<unsigned char> ReadWholeFile(const std::wstring& path,
                                         std::size_t limit = static_cast<std::size_t>(-1));
// Writes a temporary sibling, flushes it, then replaces `path` with it, so a crash or a failed
// write never leaves a shortened file. Throws IoError; the old file is then intact.
void WriteFileAtomically(const std::wstring& path, const std::vector<unsigned char>& bytes);
// Deletes the file; one that does not exist is no error. Throws IoError.
void RemoveFile(const std::wstring& path);
// Renames `from` to `to`, replacing a file already there. Throws IoError.
void MoveFileReplacing(const std::wstring& from, const std::wstring& to);

}  // namespace dpx
