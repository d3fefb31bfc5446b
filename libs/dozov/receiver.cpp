#include "receiver.h"

namespace dozov {
namespace {

// Fixed-width fields: a 32-bit build of this library lays the section out the same way.
struct ReceiverSlot {
  volatile LONG sessionKey;  // session id + 1; 0 while the slot is free
  LONG unused;
  volatile LONGLONG receiver;
};

constexpr int kSlots = 16;

#if defined(_MSC_VER)
#pragma data_seg(".shr")
ReceiverSlot sharedSlots[kSlots] = {};
#pragma data_seg()
#pragma comment(linker, "/SECTION:.shr,RWS")
#else
ReceiverSlot sharedSlots[kSlots] __attribute__((section(".shr"), shared)) = {};
#endif

LONG SessionKey() {
  DWORD session = 0;
  ::ProcessIdToSessionId(::GetCurrentProcessId(), &session);
  return static_cast<LONG>(session) + 1;
}

ReceiverSlot* SlotOf(LONG key) {
  for (ReceiverSlot& slot : sharedSlots)
    if (slot.sessionKey == key) return &slot;
  return nullptr;
}

}  // namespace

void SetSharedReceiver(HWND receiver) {
  const LONG key = SessionKey();
  ReceiverSlot* slot = SlotOf(key);
  for (int i = 0; slot == nullptr && i < kSlots; ++i)
    if (::InterlockedCompareExchange(&sharedSlots[i].sessionKey, key, 0) == 0)
      slot = &sharedSlots[i];
  // With every slot taken by other sessions, this one gets no notifications.
  if (slot)
    ::InterlockedExchange64(&slot->receiver,
                            static_cast<LONGLONG>(reinterpret_cast<UINT_PTR>(receiver)));
}

HWND SharedReceiver() {
  ReceiverSlot* slot = SlotOf(SessionKey());
  if (!slot) return nullptr;
  // A plain 64-bit read is not atomic in a 32-bit process.
  const LONGLONG receiver = ::InterlockedCompareExchange64(&slot->receiver, 0, 0);
  return reinterpret_cast<HWND>(static_cast<UINT_PTR>(receiver));
}

void PostToReceiver(const wchar_t* messageName, WPARAM wParam, LPARAM lParam) {
  const HWND receiver = SharedReceiver();
  // Posted, never sent: the program that is hooked must not wait for DPX.
  if (receiver) ::PostMessageW(receiver, ::RegisterWindowMessageW(messageName), wParam, lParam);
}

}  // namespace dozov
