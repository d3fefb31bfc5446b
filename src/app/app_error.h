#pragma once

#include <stdexcept>
#include <string>

namespace dpx {

// An error meant for the user: the general error report catches it and shows Message() in an error
// message box. what() holds the same text in UTF-8.
class AppError : public std::runtime_error {
 public:
  explicit AppError(std::wstring message);
  const std::wstring& Message() const { return message_; }

 private:
  std::wstring message_;
};

}  // namespace dpx
