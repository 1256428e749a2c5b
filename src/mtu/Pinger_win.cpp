// Pinger on Windows: the hidden window that receives the completion of the
// asynchronous name lookup.
#include <winsock2.h>
// winsock2.h first: windows.h would otherwise bring in the old winsock.h.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "mtu/Pinger.h"

namespace velomar {

struct PingWindow {
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* ping = reinterpret_cast<Pinger*>(GetWindowLongPtrA(window, 0));
    if (!ping || message != kDnsLookupDoneMessage) return DefWindowProcA(window, message, wParam, lParam);
    ping->LookupDone(static_cast<std::uintptr_t>(wParam), static_cast<std::uint32_t>(lParam));
    return 0;
  }

  // Null when the class cannot be registered; the lookups then never complete.
  static HWND Create(Pinger* owner) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA existing;
    if (!GetClassInfoA(instance, kPingWindowClass, &existing)) {
      WNDCLASSA windowClass{};
      windowClass.lpfnWndProc = &Procedure;
      // Room for the owner pointer: 4 bytes on 32-bit, 8 on 64-bit.
      windowClass.cbWndExtra = sizeof(LONG_PTR);
      windowClass.hInstance = instance;
      windowClass.lpszClassName = kPingWindowClass;
      // Another thread may have registered it since the test above.
      if (!RegisterClassA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;
    }
    const HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, kPingWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                        instance, nullptr);
    if (window) SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(owner));
    return window;
  }
};

namespace {

std::string Formatted(const char* format, const std::string& text, int number) {
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, format, text.c_str(), number);
  return buffer;
}

std::string Formatted(const char* format, int number) {
  char buffer[256];
  std::snprintf(buffer, sizeof buffer, format, number);
  return buffer;
}

}  // namespace

void Pinger::OpenLookupWindow() { window_ = PingWindow::Create(this); }

void Pinger::CloseLookupWindow() {
  try {
    CancelDnsLookup();
  } catch (const std::exception&) {
    // The lookup has finished already; nothing is left to cancel.
  }
  if (window_) DestroyWindow(static_cast<HWND>(window_));
}

void Pinger::DnsLookup(const std::string& hostName) {
  if (pendingLookup_) {
    WSACancelAsyncRequest(static_cast<HANDLE>(pendingLookup_));
    // The cancelled request will not complete: forget it, or a later
    // cancel would fail on it.
    pendingLookup_ = nullptr;
  }
  dnsResult_.clear();
  const auto numeric = platform::InetAddr(hostName);
  if (numeric != platform::kNoAddress) {
    dnsResult_ = platform::InetNtoa(numeric);
    if (onDnsLookupDone) onDnsLookupDone(*this, 0);
    return;
  }
  const HANDLE request = WSAAsyncGetHostByName(static_cast<HWND>(window_), kDnsLookupDoneMessage, hostName.c_str(),
                                               hostEntry_, static_cast<int>(sizeof hostEntry_));
  if (!request)
    throw std::runtime_error(Formatted("%s: can't start DNS lookup, error #%d", hostName, WSAGetLastError()));
  pendingLookup_ = request;
}

void Pinger::CancelDnsLookup() {
  if (!pendingLookup_) return;
  if (WSACancelAsyncRequest(static_cast<HANDLE>(pendingLookup_)) != 0)
    throw std::runtime_error(Formatted("WSACancelAsyncRequest failed, error #%d", WSAGetLastError()));
  pendingLookup_ = nullptr;
  if (onDnsLookupDone) onDnsLookupDone(*this, WSAEINTR);
}

void Pinger::LookupDone(std::uintptr_t request, std::uint32_t status) {
  if (!pendingLookup_ || request != reinterpret_cast<std::uintptr_t>(pendingLookup_)) return;
  pendingLookup_ = nullptr;
  const auto error = static_cast<std::uint16_t>(status >> 16);
  if (error == 0) {
    const auto* host = reinterpret_cast<const hostent*>(hostEntry_);
    if (host->h_addr_list && host->h_addr_list[0]) {
      std::uint32_t address = 0;
      std::memcpy(&address, host->h_addr_list[0], sizeof address);
      dnsResult_ = platform::InetNtoa(address);
    }
  }
  if (onDnsLookupDone) onDnsLookupDone(*this, error);
}

}  // namespace velomar
