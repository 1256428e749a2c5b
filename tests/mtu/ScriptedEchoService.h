#pragma once
// An echo service that answers as a network path with a given MTU would,
// with scripted answers where a test wants others. Every request is kept.
#include <chrono>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/IcmpEcho.h"

namespace velomar::test {

class ScriptedEchoService : public platform::IcmpEchoService {
 public:
  struct Echo {
    std::uint32_t address = 0;
    std::string data;
    platform::EchoRequestOptions options;
    std::uint32_t timeoutMs = 0;
  };

  // A request is answered when its data and the 28 header bytes fit.
  std::int32_t pathMtu = 1500;
  // Names that resolve; any other name fails with WSAHOST_NOT_FOUND.
  std::map<std::string, platform::HostEntry> hosts;
  // Answers by the number of the echo (0 for the first), in place of the
  // path's: a status, from the destination when it is IP_SUCCESS.
  std::map<int, std::uint32_t> scriptedStatus;
  // Answers other than success come as Windows gives a timeout or a
  // request too big for the local link: no reply (IcmpSendEcho returns 0,
  // the reply buffer keeps its zeros) and the status only as the last error.
  bool failuresWithoutReply = false;
  // How long every echo takes (the caller's thread sleeps meanwhile).
  std::chrono::milliseconds delay{0};

  // Construction steps that fail.
  int startupError = 0;
  platform::IcmpLoadFailure loadFailure = platform::IcmpLoadFailure::None;
  bool createFileFails = false;
  // The number of the echo that throws instead of answering; -1 for none.
  int throwOnEcho = -1;

  int StartWinsock(std::uint16_t version) override;
  void CleanupWinsock() override;
  std::unique_ptr<platform::IcmpLibrary> LoadIcmpLibrary(platform::IcmpLoadFailure& failure) override;
  std::optional<platform::HostEntry> GetHostByName(const std::string& name, std::uint32_t& lastError) override;

  // What happened so far.
  std::vector<Echo> Echoes() const;
  std::vector<std::int32_t> Sizes() const;
  struct Counts {
    int startups = 0, cleanups = 0, librariesLoaded = 0, librariesFreed = 0, handlesOpened = 0, handlesClosed = 0,
        lookups = 0;
  };
  Counts counts() const;

 private:
  friend class ScriptedLibrary;
  platform::EchoResult Answer(std::uint32_t address, const void* data, std::uint16_t size,
                              const platform::EchoRequestOptions& options, std::uint32_t timeoutMs);

  mutable std::mutex mutex_;
  std::vector<Echo> echoes_;
  Counts counts_;
};

}  // namespace velomar::test
