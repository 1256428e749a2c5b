#pragma once
// EchoRequester: one ICMP echo requester over the platform's echo service, with
// Winsock name resolution of its target.
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "platform/IcmpEcho.h"
#include "platform/ScopedSeam.h"

namespace velomar {

// A EchoRequester that cannot acquire its resources.
class EchoRequesterError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The head of the last reply buffer, in the 28-byte 32-bit layout.
using Reply = platform::EchoReply;

// The largest echo data an IPv4 packet can carry: 65535 less the IP and
// ICMP headers.
inline constexpr std::int32_t kMaxEchoDataSize = 65507;

// The text that starts every request's data (45 characters).
inline constexpr char kIdentificationText[] = "Velomar path MTU probe, Tandrel echo request.";
static_assert(sizeof(kIdentificationText) - 1 == 45);

// The echo service echo requesters use: the system's, unless a test put another in
// its place for the lifetime of a ScopedIcmpEcho.
platform::IcmpEchoService& ActiveIcmpEcho();
using ScopedIcmpEcho = platform::Scoped<platform::IcmpEchoService>;

class EchoRequester {
 public:
  using DisplayNotification = std::function<void(EchoRequester& sender, const std::string& message)>;
  using EchoRequestNotification = std::function<void(EchoRequester& sender)>;
  using EchoReplyNotification = std::function<void(EchoRequester& sender, std::int32_t replies)>;

  // Starts Winsock 1.1, loads icmp.dll and opens an echo handle; throws
  // EchoRequesterError naming the step that failed, after releasing what the
  // earlier steps acquired.
  EchoRequester();
  ~EchoRequester();
  EchoRequester(const EchoRequester&) = delete;
  EchoRequester& operator=(const EchoRequester&) = delete;

  const std::string& Address() const { return address_; }
  // A different text needs a new resolution; the same text keeps the old one.
  void SetAddress(const std::string& address);
  const std::string& HostName() const { return hostName_; }
  const std::string& HostIP() const { return hostIp_; }
  std::uint32_t IPAddress() const { return ipAddress_; }
  bool AddressResolved() const { return addressResolved_; }

  std::int32_t size = 56;
  std::int32_t timeout = 4000;
  std::int32_t ttl = 64;
  std::int32_t flags = 0;

  DisplayNotification onDisplay;
  EchoRequestNotification onEchoRequest;
  EchoReplyNotification onEchoReply;

  std::int32_t LastError() const { return lastError_; }
  // The head of the last reply buffer; zeros in a new object.
  const platform::EchoReply& Reply() const { return reply_; }

  // Fills the IPv4 address, HostName and HostIP from Address.
  void ResolveAddress();
  // Sends one echo request of size bytes; the number of replies (0 when it
  // failed or nothing was sent).
  std::int32_t SendPing();

 private:
  void Release() noexcept;
  void Display(const std::string& message);

  platform::IcmpEchoService& service_;
  bool winsockStarted_ = false;
  std::unique_ptr<platform::IcmpLibrary> library_;
  platform::IcmpHandle handle_ = platform::kInvalidIcmpHandle;
  platform::EchoReply reply_{};
  std::string address_;
  std::string hostName_;
  std::string hostIp_;
  std::uint32_t ipAddress_ = platform::kNoAddress;
  std::int32_t lastError_ = 0;
  bool addressResolved_ = false;
};

}  // namespace velomar
