#pragma once
// Pinger: the echo component. Owns one EchoRequester, passes its settings through,
// forwards its notifications as events and, on Windows, looks names up
// asynchronously through a hidden window.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "mtu/EchoRequester.h"

namespace velomar {

class Pinger;

using PingDisplayHandler = std::function<void(Pinger& sender, EchoRequester& requester, const std::string& message)>;
using PingRequestHandler = std::function<void(Pinger& sender, EchoRequester& requester)>;
// replies is the reply count of the echo.
using PingReplyHandler = std::function<void(Pinger& sender, EchoRequester& requester, std::int32_t replies)>;
using DnsLookupDoneHandler = std::function<void(Pinger& sender, std::uint16_t error)>;

#ifdef _WIN32
// The window class of the hidden lookup window and its completion message.
inline constexpr const char* kPingWindowClass = "OrvekPingWindowClass";
inline constexpr unsigned kDnsLookupDoneMessage = 0x402;  // WM_USER + 2
inline constexpr std::size_t kHostEntryBufferSize = 1025;
#endif

class Pinger {
 public:
  // Creates the EchoRequester (EchoRequesterError passes through) and the hidden window.
  Pinger();
  virtual ~Pinger();
  Pinger(const Pinger&) = delete;
  Pinger& operator=(const Pinger&) = delete;

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

  PingDisplayHandler onDisplay;
  PingRequestHandler onEchoRequest;
  PingReplyHandler onEchoReply;
  DnsLookupDoneHandler onDnsLookupDone;

  std::int32_t SendPing();
  // A copy of the EchoRequester's reply head.
  platform::EchoReply Reply() const;
  // The EchoRequester's status or error of its last echo; 0 without a EchoRequester.
  std::int32_t LastError() const;

#ifdef _WIN32
  // Starts a lookup of hostName; a dotted address completes at once.
  // Completion raises onDnsLookupDone when the hidden window gets message
  // 0x402, so the creating thread must handle its messages meanwhile.
  virtual void DnsLookup(const std::string& hostName);
  // Ends a pending lookup; raises onDnsLookupDone with WSAEINTR.
  void CancelDnsLookup();
  const std::string& DnsResult() const { return dnsResult_; }
  void* WindowHandle() const { return window_; }
#endif

 private:
  // The hidden window of the asynchronous lookup (Windows only).
  void OpenLookupWindow();
  void CloseLookupWindow();

  std::unique_ptr<EchoRequester> icmp_;
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
