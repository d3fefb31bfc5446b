#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace dpx {

// A library loaded at run time; destroying it releases the library.
class LoadedLibrary {
 public:
  virtual ~LoadedLibrary() = default;

  // The exported function of that name taking no arguments and answering a boolean; empty when
  // the library has no such export. It must not be called after the library is released.
  virtual std::function<bool()> BooleanFunction(const std::string& name) = 0;
};

// The workstation as a whole: libraries of the system and its desktop window.
class Workstation {
 public:
  virtual ~Workstation() = default;

  // nullptr when the library cannot be loaded.
  virtual std::unique_ptr<LoadedLibrary> LoadSystemLibrary(const std::wstring& name) = 0;
  // Posts (never sends) a message to the desktop window; the result is not examined.
  virtual void PostToDesktopWindow(std::uint32_t message, std::uintptr_t wParam,
                                   std::intptr_t lParam) = 0;
};

}  // namespace dpx
