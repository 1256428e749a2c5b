#pragma once
// The registry values the TCP/IP passes touch, as data, and the registry
// backup files that record them before a pass changes anything.
#include <cstdint>
#include <string>
#include <vector>

namespace velomar {

inline constexpr const char* kHKLM = "HKEY_LOCAL_MACHINE";
inline constexpr const char* kHKCU = "HKEY_CURRENT_USER";

namespace tcp_paths {
inline constexpr const char* T = "\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";
inline constexpr const char* A = "\\SYSTEM\\CurrentControlSet\\Services\\Afd\\Parameters";
inline constexpr const char* I = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
inline constexpr const char* S = "\\SYSTEM\\CurrentControlSet\\Services\\ICSharing\\Settings\\General";
inline constexpr const char* D = "\\SYSTEM\\CurrentControlSet\\Services\\Dnscache\\Parameters";
inline constexpr const char* P = "\\SOFTWARE\\Policies\\Microsoft\\Windows\\Psched";
inline constexpr const char* SP = "\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\ServiceProvider";
inline constexpr const char* L = "\\SYSTEM\\CurrentControlSet\\Services\\LanmanServer\\Parameters";
inline constexpr const char* N = "\\SYSTEM\\CurrentControlSet\\Services\\NdisWan\\Parameters\\Protocols\\0";
inline constexpr const char* Adapters = "\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Adapters";
inline constexpr const char* Interfaces = "\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\";
inline constexpr const char* PschedAdapters = "\\SYSTEM\\CurrentControlSet\\Services\\Psched\\Parameters\\Adapters\\";
}  // namespace tcp_paths

enum class StepKind { Write, WriteIfPresent, DeleteIfPresent };

struct RegStep {
  StepKind kind;
  std::string root;
  std::string path;
  std::string name;
  std::int32_t value = 0;  // written by Write and WriteIfPresent
};

// True when the step would change the registry now: a write always, the
// conditional steps when the value is present (RegValueStatus 0).
bool StepApplies(const RegStep& step);

// Carries the step out: writes, or for a conditional step first checks
// that the value is present.
void ApplyStep(const RegStep& step);

// The adapter binding names under Tcpip\Parameters\Adapters; empty when the
// key cannot be listed.
std::vector<std::string> ListAdapters();

// The three per-adapter steps: its MTU, its TcpWindowSize removed, its
// scheduler NonBestEffortLimit set to 0.
std::vector<RegStep> AdapterSteps(const std::string& id, std::int32_t mtu);

inline constexpr const char* kAutoBackupFile = "RegBackUp.bk";
inline constexpr const char* kCustomBackupFile = "CustomRegBackUp.bk";

// Writes one five-line record (name, root, path, old value or "No value" /
// "No Key", value type) per step that applies now, replacing the file in
// one move. False with a message when it cannot be written.
bool WriteRegBackup(const std::string& file, const std::vector<RegStep>& steps, std::string& error);

}  // namespace velomar
