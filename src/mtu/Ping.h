#pragma once
// TPing: the echo component. Owns one TICMP, passes its settings through,
// forwards its notifications as events and, on Windows, looks names up
// asynchronously through a hidden window.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "mtu/Icmp.h"

namespace velomar {

class TPing;

using TPingDisplay = std::function<void(TPing& Sender, TICMP& Icmp, const std::string& Msg)>;
using TPingRequest = std::function<void(TPing& Sender, TICMP& Icmp)>;
// Error carries the reply count of the echo.
using TPingReply = std::function<void(TPing& Sender, TICMP& Icmp, std::int32_t Error)>;
using TDnsLookupDone = std::function<void(TPing& Sender, std::uint16_t Error)>;

#ifdef _WIN32
// The window class of the hidden lookup window and its completion message.
inline constexpr const char* kPingWindowClass = "OrvekPingWindowClass";
inline constexpr unsigned kDnsLookupDoneMessage = 0x402;  // WM_USER + 2
inline constexpr std::size_t kHostEntryBufferSize = 1025;
#endif

class TPing {
 public:
  // Creates the TICMP (TICMPException passes through) and the hidden window.
  TPing();
  virtual ~TPing();
  TPing(const TPing&) = delete;
  TPing& operator=(const TPing&) = delete;

  std::string Address() const;
  void SetAddress(const std::string& value);
  std::int32_t Size() const;
  void SetSize(std::int32_t value);
  std::int32_t Timeout() const;
  void SetTimeout(std::int32_t value);
  std::int32_t TTL() const;
  void SetTTL(std::int32_t value);
  std::int32_t Flags() const;
  void SetFlags(std::int32_t value);

  TPingDisplay OnDisplay;
  TPingRequest OnEchoRequest;
  TPingReply OnEchoReply;
  TDnsLookupDone OnDnsLookupDone;

  std::int32_t SendPing();
  // A copy of the TICMP's reply head.
  platform::EchoReply Reply() const;
  // The TICMP's status or error of its last echo; 0 without a TICMP.
  std::int32_t LastError() const;

#ifdef _WIN32
  // Starts a lookup of HostName; a dotted address completes at once.
  // Completion raises OnDnsLookupDone when the hidden window gets message
  // 0x402, so the creating thread must handle its messages meanwhile.
  virtual void DnsLookup(const std::string& HostName);
  // Ends a pending lookup; raises OnDnsLookupDone with WSAEINTR.
  void CancelDnsLookup();
  const std::string& DnsResult() const { return dnsResult_; }
  void* WindowHandle() const { return window_; }
#endif

 private:
  // The hidden window of the asynchronous lookup (Windows only).
  void OpenLookupWindow();
  void CloseLookupWindow();

  std::unique_ptr<TICMP> icmp_;
#ifdef _WIN32
  friend struct PingWindow;
  void LookupDone(std::uintptr_t request, std::uint32_t status);
  void* window_ = nullptr;
  char hostEntry_[kHostEntryBufferSize] = {};
  void* pendingLookup_ = nullptr;
  std::string dnsResult_;
#endif
};

}  // namespace velomar
