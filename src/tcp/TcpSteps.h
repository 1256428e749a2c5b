#pragma once
// The registry values the TCP/IP passes touch, as data, and the steps
// that change them.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "progress/LogRow.h"

namespace velomar {

inline constexpr platform::RegRoot kHKLM = platform::RegRoot::LocalMachine;
inline constexpr platform::RegRoot kHKCU = platform::RegRoot::CurrentUser;

namespace tcp_paths {
inline constexpr const char* kTcpipParameters = "\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";
inline constexpr const char* kAfdParameters = "\\SYSTEM\\CurrentControlSet\\Services\\Afd\\Parameters";
inline constexpr const char* kInternetSettings = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
inline constexpr const char* kIcsSettings = "\\SYSTEM\\CurrentControlSet\\Services\\ICSharing\\Settings\\General";
inline constexpr const char* kDnscacheParameters = "\\SYSTEM\\CurrentControlSet\\Services\\Dnscache\\Parameters";
inline constexpr const char* kPschedPolicy = "\\SOFTWARE\\Policies\\Microsoft\\Windows\\Psched";
inline constexpr const char* kServiceProvider = "\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\ServiceProvider";
inline constexpr const char* kLanmanServerParameters =
    "\\SYSTEM\\CurrentControlSet\\Services\\LanmanServer\\Parameters";
inline constexpr const char* kNdisWanProtocol0 =
    "\\SYSTEM\\CurrentControlSet\\Services\\NdisWan\\Parameters\\Protocols\\0";
inline constexpr const char* kTcpipAdapters = "\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Adapters";
inline constexpr const char* kTcpipInterfaces =
    "\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\";
inline constexpr const char* kPschedAdapters = "\\SYSTEM\\CurrentControlSet\\Services\\Psched\\Parameters\\Adapters\\";
}  // namespace tcp_paths

// The MTU of an Ethernet path, and of a PPPoE one.
inline constexpr std::int32_t kEthernetMtu = 1500;
inline constexpr std::int32_t kPppoeMtu = 1492;

// One registry value the passes tune. `recommended` is what the automatic
// pass writes and the custom window recommends; where the value is computed
// (the windows, the receive buffer) or only ever deleted, it is 0.
struct TunedValue {
  platform::RegRoot root;
  const char* path;
  const char* name;
  std::int32_t recommended = 0;
};

// Every value the passes, the reader and the defaults restore name, once.
namespace tuned {
using namespace tcp_paths;
inline constexpr TunedValue TcpWindowSize{kHKLM, kTcpipParameters, "TcpWindowSize"};
inline constexpr TunedValue GlobalMaxTcpWindowSize{kHKLM, kTcpipParameters, "GlobalMaxTcpWindowSize"};
inline constexpr TunedValue DefaultReceiveWindow{kHKLM, kAfdParameters, "DefaultReceiveWindow"};
inline constexpr TunedValue EnablePMTUDiscovery{kHKLM, kTcpipParameters, "EnablePMTUDiscovery", 1};
inline constexpr TunedValue EnablePMTUBHDetect{kHKLM, kTcpipParameters, "EnablePMTUBHDetect", 0};
inline constexpr TunedValue SackOpts{kHKLM, kTcpipParameters, "SackOpts", 1};
inline constexpr TunedValue DefaultTTL{kHKLM, kTcpipParameters, "DefaultTTL", 64};
inline constexpr TunedValue TcpMaxDupAcks{kHKLM, kTcpipParameters, "TcpMaxDupAcks", 2};
// Bit 0 window scaling, bit 1 timestamps.
inline constexpr TunedValue Tcp1323Opts{kHKLM, kTcpipParameters, "Tcp1323Opts", 1};
inline constexpr TunedValue MaxConnectionsPerServer{kHKCU, kInternetSettings, "MaxConnectionsPerServer", 10};
inline constexpr TunedValue MaxConnectionsPer1_0Server{kHKCU, kInternetSettings, "MaxConnectionsPer1_0Server", 10};
inline constexpr TunedValue InternetMTU{kHKLM, kIcsSettings, "InternetMTU"};
inline constexpr TunedValue NegativeCacheTime{kHKLM, kDnscacheParameters, "NegativeCacheTime"};
inline constexpr TunedValue MaxNegativeCacheTtl{kHKLM, kDnscacheParameters, "MaxNegativeCacheTtl", 0};
inline constexpr TunedValue NetFailureCacheTime{kHKLM, kDnscacheParameters, "NetFailureCacheTime", 0};
inline constexpr TunedValue NegativeSOACacheTime{kHKLM, kDnscacheParameters, "NegativeSOACacheTime", 0};
inline constexpr TunedValue PolicyNonBestEffortLimit{kHKLM, kPschedPolicy, "NonBestEffortLimit", 0};
inline constexpr TunedValue LocalPriority{kHKLM, kServiceProvider, "LocalPriority", 5};
inline constexpr TunedValue HostsPriority{kHKLM, kServiceProvider, "HostsPriority", 6};
inline constexpr TunedValue DnsPriority{kHKLM, kServiceProvider, "DnsPriority", 7};
inline constexpr TunedValue NetbtPriority{kHKLM, kServiceProvider, "NetbtPriority", 8};
inline constexpr TunedValue SizReqBuf{kHKLM, kLanmanServerParameters, "SizReqBuf", 16384};
inline constexpr TunedValue ProtocolMTU{kHKLM, kNdisWanProtocol0, "ProtocolMTU", kPppoeMtu};
}  // namespace tuned

// The 23 values above in the order the automatic pass visits them.
const std::vector<TunedValue>& TunedValues();

enum class StepKind { Write, WriteIfPresent, DeleteIfPresent };

struct RegStep {
  StepKind kind;
  platform::RegRoot root;
  std::string path;
  std::string name;
  std::int32_t value = 0;  // written by Write and WriteIfPresent
};

RegStep Write(const TunedValue& v, std::int32_t value);
inline RegStep WriteRecommended(const TunedValue& v) { return Write(v, v.recommended); }
RegStep WriteIfPresent(const TunedValue& v, std::int32_t value);
RegStep DeleteIfPresent(const TunedValue& v);

// A value a pass or a restore could not change, and the system's answer.
struct ValueNotChanged {
  platform::RegRoot root;
  std::string path;
  std::string name;
  platform::RegResult result;
  // The system's sentence for the answer.
  std::string Reason() const { return platform::RegErrorText(result.code); }
  // The value as the user finds it in the registry editor, with the
  // reason: "HKEY_...\path\name: reason".
  std::string Line() const;
  bool operator==(const ValueNotChanged&) const = default;
};

// The log's pieces for a value: its content before ("No value" when it
// held no number), and instead of a new value for a deletion or a change
// the registry refused.
inline constexpr const char* kNoValueText = "No value";
inline constexpr const char* kDeleteValueText = "Delete value";
inline constexpr const char* kNotChangedText = "Not changed";
std::string OldValueText(std::optional<std::int32_t> value);

// What a pass or a restore did to the registry: it goes on past a failed
// change and collects it here.
struct RegChanges {
  int changed = 0;  // values written or deleted
  // Every change tried, as a log row: name, old value, new value (or
  // kDeleteValueText, or kNotChangedText when the registry refused it).
  std::vector<LogRow> rows;
  std::vector<ValueNotChanged> notChanged;

  // Records one change by what the registry answered; true when it took it.
  bool Record(platform::RegRoot root, const std::string& path, const std::string& name, std::string oldValue,
              std::string newValue, platform::RegResult result);
  bool Complete() const { return notChanged.empty(); }
};

// Makes sure a value is gone, as the restores need: nothing to do when its
// key or the value does not exist; a key that exists but cannot be opened
// may hold it, so the deletion is tried and its refusal counted. True when
// a value was deleted.
bool RemoveValue(platform::RegRoot root, const std::string& path, const std::string& name, RegChanges& changes);

// Writes a value of any type and records it, with the value's old content
// and `shown` as the new one.
bool WriteTypedValue(platform::RegRoot root, const std::string& path, const std::string& name,
                     const platform::RegValue& value, const std::string& shown, RegChanges& changes);

// True when the step would change the registry now: a write always, the
// conditional steps when the value is present.
bool StepApplies(const RegStep& step);

// Carries the step out when it applies (a conditional step first checks
// that the value is present) and records it; true when the registry took it.
bool ApplyStep(const RegStep& step, RegChanges& changes);

// The adapter binding names under Tcpip\Parameters\Adapters; empty when the
// key cannot be listed.
std::vector<std::string> ListAdapters();

// The three per-adapter steps: its MTU, its TcpWindowSize removed, its
// scheduler NonBestEffortLimit set to 0.
std::vector<RegStep> AdapterSteps(const std::string& id, std::int32_t mtu);

}  // namespace velomar
