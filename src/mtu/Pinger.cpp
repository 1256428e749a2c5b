#include "mtu/Pinger.h"

namespace velomar {

Pinger::Pinger() : icmp_(std::make_unique<EchoRequester>()) {
  icmp_->onDisplay = [this](EchoRequester& icmp, const std::string& message) {
    if (onDisplay) onDisplay(*this, icmp, message);
  };
  icmp_->onEchoRequest = [this](EchoRequester& icmp) {
    if (onEchoRequest) onEchoRequest(*this, icmp);
  };
  icmp_->onEchoReply = [this](EchoRequester& icmp, std::int32_t replies) {
    if (onEchoReply) onEchoReply(*this, icmp, replies);
  };
  OpenLookupWindow();
}

Pinger::~Pinger() { CloseLookupWindow(); }

std::string Pinger::Address() const { return icmp_ ? icmp_->Address() : std::string(); }
void Pinger::SetAddress(const std::string& value) {
  if (icmp_) icmp_->SetAddress(value);
}
std::int32_t Pinger::Size() const { return icmp_ ? icmp_->size : 0; }
void Pinger::SetSize(std::int32_t value) {
  if (icmp_) icmp_->size = value;
}
std::int32_t Pinger::Timeout() const { return icmp_ ? icmp_->timeout : 0; }
void Pinger::SetTimeout(std::int32_t value) {
  if (icmp_) icmp_->timeout = value;
}
std::int32_t Pinger::TTL() const { return icmp_ ? icmp_->ttl : 0; }
void Pinger::SetTTL(std::int32_t value) {
  if (icmp_) icmp_->ttl = value;
}
std::int32_t Pinger::Flags() const { return icmp_ ? icmp_->flags : 0; }
void Pinger::SetFlags(std::int32_t value) {
  if (icmp_) icmp_->flags = value;
}

std::int32_t Pinger::SendPing() { return icmp_ ? icmp_->SendPing() : 0; }

platform::EchoReply Pinger::Reply() const { return icmp_ ? icmp_->Reply() : platform::EchoReply{}; }

std::int32_t Pinger::LastError() const { return icmp_ ? icmp_->LastError() : 0; }

}  // namespace velomar
