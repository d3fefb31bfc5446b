#include "app/app_error.h"

#include "common/utf8.h"

namespace dpx {

AppError::AppError(std::wstring message)
    : std::runtime_error(ToUtf8(message)), message_(std::move(message)) {}

}  // namespace dpx
