#include "mtu/EchoRequester.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace velomar {

namespace {

constexpr std::uint16_t kWinsockVersion = 0x0101;
constexpr std::size_t kIdentificationLength = sizeof(kIdentificationText) - 1;

}  // namespace

platform::IcmpEchoService& ActiveIcmpEcho() { return ScopedIcmpEcho::ActiveOr(platform::SystemIcmpEcho); }

EchoRequester::EchoRequester() : service_(ActiveIcmpEcho()) {
  try {
    if (service_.StartWinsock(kWinsockVersion) != 0) throw EchoRequesterError("Error initialising Winsock");
    winsockStarted_ = true;
    auto failure = platform::IcmpLoadFailure::None;
    library_ = service_.LoadIcmpLibrary(failure);
    if (!library_) {
      throw EchoRequesterError(failure == platform::IcmpLoadFailure::MissingEntryPoints
                                   ? "Error loading dll functions"
                                   : "Unable to register icmp.dll");
    }
    handle_ = library_->IcmpCreateFile();
    if (handle_ == platform::kInvalidIcmpHandle) throw EchoRequesterError("Unable to get ping handle");
  } catch (...) {
    Release();
    throw;
  }
}

EchoRequester::~EchoRequester() { Release(); }

void EchoRequester::Release() noexcept {
  if (handle_ != platform::kInvalidIcmpHandle && library_) library_->IcmpCloseHandle(handle_);
  handle_ = platform::kInvalidIcmpHandle;
  library_.reset();
  // Only a start that succeeded is balanced: a stray cleanup would end
  // Winsock for everyone else in the process.
  if (winsockStarted_) service_.CleanupWinsock();
  winsockStarted_ = false;
}

void EchoRequester::SetAddress(const std::string& address) {
  if (address == address_) return;
  address_ = address;
  addressResolved_ = false;
}

void EchoRequester::Display(const std::string& message) {
  if (onDisplay) onDisplay(*this, message);
}

void EchoRequester::ResolveAddress() {
  // The lookup gets the name in the ANSI code page; Address keeps the text
  // it was given, so that a second resolution does not convert it twice.
  const std::string name = platform::AnsiFromUtf8(address_);
  std::uint32_t address = platform::InetAddr(name);
  if (address != platform::kNoAddress) {
    hostName_ = address_;
  } else {
    std::uint32_t error = 0;
    const auto host = service_.GetHostByName(name, error);
    if (!host) {
      lastError_ = static_cast<std::int32_t>(error);
      // No echo may go to the host of an earlier Address.
      ipAddress_ = platform::kNoAddress;
      Display("Unable to resolve " + address_);
      return;
    }
    address = host->address;
    hostName_ = host->officialName;
  }
  ipAddress_ = address;
  hostIp_ = platform::InetNtoa(address);
  addressResolved_ = true;
}

std::int32_t EchoRequester::SendPing() {
  lastError_ = 0;
  if (!addressResolved_) ResolveAddress();
  if (ipAddress_ == platform::kNoAddress) {
    lastError_ = static_cast<std::int32_t>(platform::kIpBadDestination);
    Display("Invalid host address");
    return 0;
  }
  // A size an IPv4 echo cannot carry is refused rather than cut down to
  // 16 bits, which would report a much smaller request as answered.
  if (size < 0 || size > kMaxEchoDataSize) {
    lastError_ = static_cast<std::int32_t>(size < 0 ? platform::kIpBadRequest : platform::kIpPacketTooBig);
    return 0;
  }

  std::vector<char> request(static_cast<std::size_t>(size), ' ');
  if (!request.empty())
    std::memcpy(request.data(), kIdentificationText, std::min(request.size(), kIdentificationLength));
  if (onEchoRequest) onEchoRequest(*this);

  platform::EchoRequestOptions options;
  options.Ttl = static_cast<std::uint8_t>(ttl & 0xFF);
  options.Tos = 0;
  options.Flags = static_cast<std::uint8_t>(flags & 0xFF);
  const auto result = library_->IcmpSendEcho(handle_, ipAddress_, request.data(), static_cast<std::uint16_t>(size),
                                             options, static_cast<std::uint32_t>(timeout));
  lastError_ = static_cast<std::int32_t>(result.lastError);
  reply_ = result.reply;
  const auto replies = static_cast<std::int32_t>(result.replies);
  if (onEchoReply) onEchoReply(*this, replies);
  return replies;
}

}  // namespace velomar
