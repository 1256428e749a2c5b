#include "mtu/PathMtuSearch.h"

#include <exception>

#include "mtu/Pinger.h"

namespace velomar {

ProbeAnswer AnswerOf(std::int32_t replies, std::uint32_t lastError, const platform::EchoReply& reply) {
  // Without a reply the system tells why through the last error (timed out,
  // too big, no destination); the reply buffer then still holds zeros,
  // which would read as a success.
  if (replies == 0 && lastError != 0) return {lastError, 0};
  return {reply.Status, reply.Address};
}

std::int32_t SearchPathMtu(const std::function<ProbeAnswer(std::int32_t size)>& attempt) {
  std::int32_t size = kProbeFirstSize;
  std::int32_t step = kProbeFirstStep;
  std::int32_t lastGood = 0;
  int timeouts = 0;
  int otherStatuses = 0;
  for (;;) {
    const ProbeAnswer answer = size > kMaxEchoDataSize ? ProbeAnswer{platform::kIpPacketTooBig, 0} : attempt(size);
    switch (answer.status) {
      case platform::kIpReqTimedOut:
        if (++timeouts >= kProbeTimeoutLimit) return -1;
        break;
      case platform::kIpPacketTooBig:
        if (step == 1) {
          // Not even the first size got through: there is no path MTU to
          // report, only the headers.
          return lastGood > 0 ? lastGood + kEchoHeaderBytes : -1;
        }
        step /= 4;
        size = lastGood + step;
        break;
      case platform::kIpBadDestination:
        // No echo was sent: the host did not resolve.
        return -1;
      case platform::kIpSuccess:
        // A success from nowhere is the zeroed reply of a host that did not
        // resolve: no echo was sent.
        if (answer.address == 0) return -1;
        lastGood = size;
        size += step;
        break;
      default:
        if (++otherStatuses >= kProbeOtherStatusLimit) return -1;
        break;
    }
  }
}

PathMtuWorker::PathMtuWorker(std::string host, std::int32_t& result, platform::DoneFlag& done)
    : host_(std::move(host)), result_(result), done_(done) {}

PathMtuWorker::~PathMtuWorker() { Join(); }

void PathMtuWorker::Start() {
  thread_ = std::thread([this] { Execute(); });
}

void PathMtuWorker::Join() {
  if (thread_.joinable()) thread_.join();
}

void PathMtuWorker::Execute() {
  std::int32_t measured = -1;
  try {
    measured = SearchPathMtu([this](std::int32_t size) {
      Pinger ping;
      ping.SetAddress(host_);
      ping.SetSize(size);
      ping.SetFlags(platform::kIpFlagDontFragment);
      ping.SetTimeout(kProbeTimeoutMs);
      const std::int32_t replies = ping.SendPing();
      return AnswerOf(replies, static_cast<std::uint32_t>(ping.LastError()), ping.Reply());
    });
  } catch (...) {
    // A ping component that cannot be built (EchoRequesterError) or any other
    // failure ends the search without a result.
    measured = -1;
  }
  result_ = measured;
  done_.Set();
}

std::int32_t MeasurePathMtu(const std::string& host) {
  std::int32_t result = -1;
  platform::DoneFlag done;
  PathMtuWorker worker(host, result, done);
  try {
    worker.Start();
  } catch (const std::exception&) {
    return -1;  // no thread could be started
  }
  done.WaitProcessingMessages();
  const std::int32_t measured = result;
  worker.Join();
  return measured;
}

std::int32_t PathMtuProbe::MeasurePathMtu() { return velomar::MeasurePathMtu(host_); }

}  // namespace velomar
