#pragma once
// The path MTU probe: the size search on a worker thread and the blocking
// entry the automatic TCP/IP pass calls.
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

#include "mtu/PathMtuProvider.h"
#include "platform/IcmpEcho.h"
#include "platform/MessageWait.h"

namespace velomar {

// The host the program measures against: a public web server that is
// always reachable and answers echo requests.
inline constexpr const char* kProbeHost = "www.google.com";

inline constexpr std::int32_t kProbeTimeoutMs = 2500;
inline constexpr std::int32_t kProbeFirstSize = 40;
inline constexpr std::int32_t kProbeFirstStep = 1024;
// The IPv4 and ICMP headers around the echo data.
inline constexpr std::int32_t kEchoHeaderBytes = 28;
// Timeouts end the search on the third, wherever they fall.
inline constexpr int kProbeTimeoutLimit = 3;
// Any status other than success, timed out and too big is retried at the
// same size, but only until the third such answer in one search.
inline constexpr int kProbeOtherStatusLimit = 3;

// What one echo of the search answered.
struct ProbeAnswer {
  std::uint32_t status = 0;
  std::uint32_t address = 0;  // replying address; 0 when no echo was sent
};

// What one echo answered, from SendPing's reply count, the last error and
// the reply head: the reply's status when a reply came, otherwise the
// last error.
ProbeAnswer AnswerOf(std::int32_t replies, std::uint32_t lastError, const platform::EchoReply& reply);

// The size search: grows the data size by 1024 while it is answered and
// narrows the step by four at every "too big", down to single bytes. The
// path MTU (the largest answered size plus 28) or -1. Sizes beyond what an
// IPv4 echo carries count as too big without being sent.
std::int32_t SearchPathMtu(const std::function<ProbeAnswer(std::int32_t size)>& attempt);

// The worker of one measurement: runs the search against `host` with a new
// Pinger per attempt, stores the result and then sets the done flag, however
// the search ends.
class PathMtuWorker {
 public:
  PathMtuWorker(std::string host, std::int32_t& result, platform::DoneFlag& done);
  ~PathMtuWorker();
  PathMtuWorker(const PathMtuWorker&) = delete;
  PathMtuWorker& operator=(const PathMtuWorker&) = delete;

  void Start();
  // Waits for the thread to end; call once the done flag is set.
  void Join();

 private:
  // The thread's body: the search, then the result and the flag.
  void Execute();

  std::string host_;
  std::int32_t& result_;
  platform::DoneFlag& done_;
  std::thread thread_;
};

// The path MTU towards `host` in bytes, or -1. Blocks, handling the calling
// thread's window messages while the worker searches.
std::int32_t MeasurePathMtu(const std::string& host = kProbeHost);

// The probe as the automatic pass's MTU source.
class PathMtuProbe : public PathMtuProvider {
 public:
  explicit PathMtuProbe(std::string host = kProbeHost) : host_(std::move(host)) {}
  std::int32_t MeasurePathMtu() override;

 private:
  std::string host_;
};

}  // namespace velomar
