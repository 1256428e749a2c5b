#include "ScriptedEchoService.h"

#include <stdexcept>
#include <thread>

namespace velomar::test {

class ScriptedLibrary : public platform::IcmpLibrary {
 public:
  explicit ScriptedLibrary(ScriptedEchoService& service) : service_(service) {}
  ~ScriptedLibrary() override {
    std::lock_guard<std::mutex> lock(service_.mutex_);
    ++service_.counts_.librariesFreed;
  }

  platform::IcmpHandle IcmpCreateFile() override {
    std::lock_guard<std::mutex> lock(service_.mutex_);
    if (service_.createFileFails) return platform::kInvalidIcmpHandle;
    ++service_.counts_.handlesOpened;
    return 7;
  }

  bool IcmpCloseHandle(platform::IcmpHandle) override {
    std::lock_guard<std::mutex> lock(service_.mutex_);
    ++service_.counts_.handlesClosed;
    return true;
  }

  platform::EchoResult IcmpSendEcho(platform::IcmpHandle, std::uint32_t address, const void* data, std::uint16_t size,
                                    const platform::EchoRequestOptions& options, std::uint32_t timeoutMs) override {
    return service_.Answer(address, data, size, options, timeoutMs);
  }

 private:
  ScriptedEchoService& service_;
};

int ScriptedEchoService::StartWinsock(std::uint16_t) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (startupError) return startupError;
  ++counts_.startups;
  return 0;
}

void ScriptedEchoService::CleanupWinsock() {
  std::lock_guard<std::mutex> lock(mutex_);
  ++counts_.cleanups;
}

std::unique_ptr<platform::IcmpLibrary> ScriptedEchoService::LoadIcmpLibrary(platform::IcmpLoadFailure& failure) {
  std::lock_guard<std::mutex> lock(mutex_);
  failure = loadFailure;
  if (loadFailure != platform::IcmpLoadFailure::None) return nullptr;
  ++counts_.librariesLoaded;
  return std::make_unique<ScriptedLibrary>(*this);
}

std::optional<platform::HostEntry> ScriptedEchoService::GetHostByName(const std::string& name,
                                                                      std::uint32_t& lastError) {
  std::lock_guard<std::mutex> lock(mutex_);
  ++counts_.lookups;
  const auto found = hosts.find(name);
  if (found == hosts.end()) {
    lastError = 11001;  // WSAHOST_NOT_FOUND
    return std::nullopt;
  }
  lastError = 0;
  return found->second;
}

platform::EchoResult ScriptedEchoService::Answer(std::uint32_t address, const void* data, std::uint16_t size,
                                                 const platform::EchoRequestOptions& options, std::uint32_t timeoutMs) {
  int number = 0;
  std::chrono::milliseconds wait{0};
  std::uint32_t status = platform::kIpSuccess;
  bool withoutReply = false;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    number = static_cast<int>(echoes_.size());
    if (number == throwOnEcho) throw std::runtime_error("scripted echo failure");
    echoes_.push_back({address, std::string(static_cast<const char*>(data), size), options, timeoutMs});
    wait = delay;
    withoutReply = failuresWithoutReply;
    const auto scripted = scriptedStatus.find(number);
    if (scripted != scriptedStatus.end())
      status = scripted->second;
    else if (static_cast<std::int64_t>(size) + 28 > pathMtu)
      status = platform::kIpPacketTooBig;
  }
  if (wait.count() > 0) std::this_thread::sleep_for(wait);

  platform::EchoResult result;
  result.lastError = status;
  if (status != platform::kIpSuccess && withoutReply) return result;
  result.reply.Status = status;
  if (status == platform::kIpSuccess) {
    result.replies = 1;
    result.reply.Address = address;
    result.reply.DataSize = size;
    result.reply.RoundTripTime = static_cast<std::uint32_t>(wait.count());
    result.reply.OptionsTtl = options.Ttl;
  }
  return result;
}

std::vector<ScriptedEchoService::Echo> ScriptedEchoService::Echoes() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return echoes_;
}

std::vector<std::int32_t> ScriptedEchoService::Sizes() const {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<std::int32_t> sizes;
  for (const auto& echo : echoes_) sizes.push_back(static_cast<std::int32_t>(echo.data.size()));
  return sizes;
}

ScriptedEchoService::Counts ScriptedEchoService::counts() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return counts_;
}

}  // namespace velomar::test
