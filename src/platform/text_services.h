#pragma once

#include <string>

namespace dpx {

// Text services of the user's locale: the system ANSI code page (the encoding of the stored list
// files), locale-aware comparison and case folding.
class TextServices {
 public:
  virtual ~TextServices() = default;

  // Characters the code page cannot hold become its default character.
  virtual std::string ToAnsi(const std::wstring& text) = 0;
  virtual std::wstring FromAnsi(const std::string& bytes) = 0;
  // Locale-aware and case-sensitive: <0, 0 or >0.
  virtual int Compare(const std::wstring& a, const std::wstring& b) = 0;
  virtual std::wstring ToUpper(const std::wstring& text) = 0;
};

}  // namespace dpx
