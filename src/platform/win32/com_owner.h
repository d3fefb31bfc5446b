#pragma once

#include <objbase.h>
#include <windows.h>

#include "platform/win32/unique_handle.h"

namespace dpx::win32 {

template <typename Interface>
Interface* NullComPointer() {
  return nullptr;
}
template <typename Interface>
void ReleaseComPointer(Interface* pointer) {
  pointer->Release();
}
// One reference to a COM object; move-only, released once.
template <typename Interface>
using ComPtr = UniqueResource<Interface*, ReleaseComPointer<Interface>, NullComPointer<Interface>>;

// Asks `object` for another of its interfaces; empty when it does not offer it.
template <typename Interface, typename From>
ComPtr<Interface> QueryComInterface(From* object, const IID& iid, HRESULT* result = nullptr) {
  Interface* pointer = nullptr;
  const HRESULT hr = object->QueryInterface(iid, reinterpret_cast<void**>(&pointer));
  if (result) *result = hr;
  return ComPtr<Interface>(SUCCEEDED(hr) ? pointer : nullptr);
}

// Joins the calling thread to a single-threaded COM apartment for the owner's lifetime. A thread
// that is already in an apartment stays in it (its own kind counts; COM works either way), and
// the join is undone only when this owner made it.
class ComApartment {
 public:
  ComApartment() : joined_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment() {
    if (joined_) ::CoUninitialize();
  }

 private:
  bool joined_;
};

}  // namespace dpx::win32
