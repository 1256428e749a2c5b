#include "mtu/Ping.h"

namespace velomar {

TPing::TPing() : icmp_(std::make_unique<TICMP>()) {
  icmp_->OnDisplay = [this](TICMP& icmp, const std::string& message) {
    if (OnDisplay) OnDisplay(*this, icmp, message);
  };
  icmp_->OnEchoRequest = [this](TICMP& icmp) {
    if (OnEchoRequest) OnEchoRequest(*this, icmp);
  };
  icmp_->OnEchoReply = [this](TICMP& icmp, std::int32_t replies) {
    if (OnEchoReply) OnEchoReply(*this, icmp, replies);
  };
  OpenLookupWindow();
}

TPing::~TPing() { CloseLookupWindow(); }

std::string TPing::Address() const { return icmp_ ? icmp_->Address() : std::string(); }
void TPing::SetAddress(const std::string& value) {
  if (icmp_) icmp_->SetAddress(value);
}
std::int32_t TPing::Size() const { return icmp_ ? icmp_->Size : 0; }
void TPing::SetSize(std::int32_t value) {
  if (icmp_) icmp_->Size = value;
}
std::int32_t TPing::Timeout() const { return icmp_ ? icmp_->Timeout : 0; }
void TPing::SetTimeout(std::int32_t value) {
  if (icmp_) icmp_->Timeout = value;
}
std::int32_t TPing::TTL() const { return icmp_ ? icmp_->TTL : 0; }
void TPing::SetTTL(std::int32_t value) {
  if (icmp_) icmp_->TTL = value;
}
std::int32_t TPing::Flags() const { return icmp_ ? icmp_->Flags : 0; }
void TPing::SetFlags(std::int32_t value) {
  if (icmp_) icmp_->Flags = value;
}

std::int32_t TPing::SendPing() { return icmp_ ? icmp_->SendPing() : 0; }

platform::EchoReply TPing::Reply() const { return icmp_ ? icmp_->Reply() : platform::EchoReply{}; }

std::int32_t TPing::LastError() const { return icmp_ ? icmp_->LastError() : 0; }

}  // namespace velomar
