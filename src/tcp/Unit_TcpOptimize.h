#pragma once
// The TCP/IP passes, the current-settings reader and the two restores.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "mtu/PathMtuProvider.h"
#include "tcp/TcpSteps.h"
#include "window/PassProgress.h"

namespace velomar {

// The figures one automatic pass tuned with.
struct TuningParameters {
  std::int32_t Mtu = 0;
  std::int32_t BandwidthBits = 0;
  std::int32_t RoundTripMs = 0;
  std::int32_t TcpWindow = 0;
  std::int32_t BandwidthKbps = 0;
  std::int32_t ProgressStep = 0;
};

// How a pass went: its registry backup, and what it changed. A pass whose
// backup could not be written changes nothing, since the values it would
// change could not be put back.
struct PassReport {
  std::string backupFile;  // the full path, in the current directory
  bool backupWritten = false;
  std::string backupError;  // why not, naming the file
  // An earlier file under the backup's name that was no valid backup, kept
  // under this name; the reason says what was wrong with it.
  std::string backupMovedAsideTo;
  std::string backupMovedAsideReason;
  RegChanges changes;
};

// How the automatic pass went, and the figures it tuned with.
struct AutoPassReport : PassReport {
  TuningParameters tuning;
};

// The one-click pass: measures the MTU, computes the window and walks the
// value list, one row per value touched, each announced and paced by a
// pause; a row whose change the registry refused shows kNotChangedText as
// its new value. The bar moves on by ProgressStep before the first value,
// after each (after the second by 2, after the last by none) and before
// and after the adapters. Completes "RegBackUp.bk" in the current
// directory before the first change (see WriteRegBackup); when that fails
// it changes nothing and shows no row.
AutoPassReport AutoOptimizeTcp(std::int32_t BandwidthKbps, std::int32_t ProgressStep, PassProgress& progress,
                               PathMtuProvider& mtu);

// A three-way switch of the custom page: leave the value alone, or write
// 1 (yes) or 0 (no).
enum class TcpSwitch { Default = 0, Yes = 1, No = 2 };

// What the custom pass writes: the custom window's TCP/IP page, converted.
struct CustomTcpSettings {
  std::int32_t recvWindow = 0;
  TcpSwitch mtuDiscovery = TcpSwitch::Default;
  TcpSwitch blackHoleDetect = TcpSwitch::Default;
  TcpSwitch selective = TcpSwitch::Default;
  std::int32_t maxDuplicate = 0;
  std::int32_t timeToLive = 0;
  bool windowScaling = false;
  bool timestamps = false;
  std::int32_t maxConnPerServer = 0;
  std::int32_t maxConnPer10Server = 0;
  std::int32_t maxNegativeCacheTtl = 0;
  std::int32_t netFailureCacheTime = 0;
  std::int32_t negativeSoaCacheTime = 0;
  std::int32_t localPriority = 0;
  std::int32_t hostPriority = 0;
  std::int32_t dnsPriority = 0;
  std::int32_t netbtPriority = 0;
  std::int32_t lanRequestBuffer = 0;
  std::int32_t bandwidthKbps = 56;    // picks the receive-buffer figure
  std::vector<std::string> adapters;  // the adapter bindings to tune (CustomAdapters)
  std::int32_t mtu = 0;               // written to each of them
};

// Which adapters the custom pass tunes.
struct AdapterChoice {
  bool none = false;                      // tune no card
  bool all = false;                       // tune every card
  std::string selectedService;            // the card selected in the list; empty for none
  std::vector<std::string> cardServices;  // the service names of the network-card table
};
// The adapters of the custom pass: those of the first two cards of the
// table, and of those only the selected card's unless all are wanted.
std::vector<std::string> CustomAdapters(const AdapterChoice& choice);

// The expert pass: writes the settings, moving the bar on by unitsPerTick
// and pausing once before the first of the 23 settings and once after each
// (CustomTcpPassTicks() ticks in all). Completes "CustomRegBackUp.bk" in the current directory
// before the first change; when that fails it changes nothing. A record value of 2147483647 (RegNoValue) is
// refused with ConversionError before anything is written: it stands for
// no value and is never written as data.
PassReport RunCustomTcpPass(const CustomTcpSettings& settings, PassProgress& progress, std::int32_t unitsPerTick);
// The ticks of one custom pass.
int CustomTcpPassTicks();

// What the registry holds now, as the custom TCP/IP page shows it: numbers
// as text, the default text where a value is missing or holds no 32-bit
// number (it reads as 2147483647, which the page must not offer to write).
struct CurrentTcpSettings {
  std::string recvWindow;
  TcpSwitch mtuDiscovery = TcpSwitch::Default;
  TcpSwitch blackHoleDetect = TcpSwitch::Default;
  TcpSwitch selective = TcpSwitch::Default;
  std::string timeToLive;
  std::string maxDuplicate;
  // Boxes to check; the reader never unchecks one.
  bool checkWindowScaling = false;
  bool checkTimestamps = false;
  std::string maxConnPerServer;
  std::string maxConnPer10Server;
  std::string maxNegativeCacheTtl;
  std::string netFailureCacheTime;
  std::string negativeSoaCacheTime;
  std::string localPriority;
  std::string hostPriority;
  std::string dnsPriority;
  std::string netbtPriority;
  std::string lanRequestBuffer;
  // The selected card's adapter MTU ("1500" when its interface has none);
  // nothing when no adapter binding belongs to the selected card.
  std::optional<std::string> mtu;
  bool checkPppoe = false;  // that MTU is 1492
};
CurrentTcpSettings ReadTcpSettings(const std::string& selectedService);

// Resets the tuned values to those of an untuned system, going on past a
// change the registry refuses.
RegChanges RestoreTcpDefaults();

}  // namespace velomar
