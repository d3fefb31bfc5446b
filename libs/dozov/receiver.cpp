#include "receiver.h"

#include <sddl.h>

#include "platform/win32/unique_handle.h"

namespace dozov {
namespace {

using dpx::win32::UniqueHandle;

// "Local\": the namespace of the logon session, so each session has its own receiver.
constexpr wchar_t kReceiverObject[] = L"Local\\DPX.dozov.Receiver";
// Everyone may read the object, nobody may open it for writing; the creator's own handle keeps
// the access it was created with.
constexpr wchar_t kReadOnlyForOthers[] = L"D:P(A;;GR;;;WD)";

// A fixed-width field: a 32-bit build of this library reads the same layout. Written once,
// before any view of another program can see a receiver, so a plain read is whole.
struct ReceiverRecord {
  LONGLONG receiver;
};

void* NoView() {
  return nullptr;
}
void UnmapView(void* view) {
  ::UnmapViewOfFile(view);
}
using UniqueView = dpx::win32::UniqueResource<void*, UnmapView, NoView>;

PSECURITY_DESCRIPTOR NoDescriptor() {
  return nullptr;
}
void FreeDescriptor(PSECURITY_DESCRIPTOR descriptor) {
  ::LocalFree(descriptor);
}
using UniqueDescriptor =
    dpx::win32::UniqueResource<PSECURITY_DESCRIPTOR, FreeDescriptor, NoDescriptor>;

// What the watching program publishes; empty in every other program.
struct Published {
  HWND receiver = nullptr;
  UniqueHandle object;
  UniqueView view;
};
Published published;

UniqueHandle CreateReadOnlyObject() {
  PSECURITY_DESCRIPTOR raw = nullptr;
  if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(kReadOnlyForOthers, SDDL_REVISION_1,
                                                              &raw, nullptr))
    return {};
  const UniqueDescriptor descriptor(raw);
  SECURITY_ATTRIBUTES security{sizeof security, descriptor.Get(), FALSE};
  // Only an existing object sets the error below; a stale one must not count.
  ::SetLastError(ERROR_SUCCESS);
  UniqueHandle object(::CreateFileMappingW(INVALID_HANDLE_VALUE, &security, PAGE_READWRITE, 0,
                                           sizeof(ReceiverRecord), kReceiverObject));
  // An object of that name made by another program is not DPX's: it could say anything.
  if (object && ::GetLastError() == ERROR_ALREADY_EXISTS) return {};
  return object;
}

// Opened for each post and closed at once: a hooked program that kept it open would keep a
// stale object alive, and a DPX started later could not create its own.
HWND PublishedReceiver() {
  const UniqueHandle object(::OpenFileMappingW(FILE_MAP_READ, FALSE, kReceiverObject));
  if (!object) return nullptr;
  const UniqueView view(::MapViewOfFile(object.Get(), FILE_MAP_READ, 0, 0, sizeof(ReceiverRecord)));
  if (!view) return nullptr;
  const LONGLONG receiver = static_cast<const volatile ReceiverRecord*>(view.Get())->receiver;
  return reinterpret_cast<HWND>(static_cast<UINT_PTR>(receiver));
}

}  // namespace

void PublishReceiver(HWND receiver) {
  published = {};
  if (!receiver) return;
  published.receiver = receiver;
  published.object = CreateReadOnlyObject();
  if (published.object)
    published.view.Reset(
        ::MapViewOfFile(published.object.Get(), FILE_MAP_WRITE, 0, 0, sizeof(ReceiverRecord)));
  // Without the object the hooks inside other programs stay silent; DPX's own still report.
  if (published.view)
    static_cast<ReceiverRecord*>(published.view.Get())->receiver =
        static_cast<LONGLONG>(reinterpret_cast<UINT_PTR>(receiver));
}

void PostToReceiver(const wchar_t* messageName, WPARAM wParam, LPARAM lParam) {
  const HWND receiver = published.receiver ? published.receiver : PublishedReceiver();
  // Posted, never sent: the program that is hooked must not wait for DPX.
  if (receiver) ::PostMessageW(receiver, ::RegisterWindowMessageW(messageName), wParam, lParam);
}

}  // namespace dozov
