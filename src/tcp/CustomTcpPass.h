#pragma once
// The expert pass: the custom window's TCP/IP page, as a record of plain
// values, written to the registry values the automatic pass tunes. The
// page's settings are one table of fields (custom_field), which the pass,
// the reader and the page go through.
#include <cstdint>
#include <string>
#include <vector>

#include "progress/PassProgress.h"
#include "tcp/RegBackup.h"
#include "tcp/TcpSteps.h"

namespace velomar {

// A three-way switch of the custom page: leave the value alone, or write
// 1 (yes) or 0 (no).
enum class TcpSwitch { Default = 0, Yes = 1, No = 2 };

// The custom window's TCP/IP page as the custom pass writes it and the
// reader finds it.
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

// One setting of the custom page: the registry value it sets, the member of
// CustomTcpSettings that carries it, and what the page shows while the
// registry holds no number.
struct CustomTcpField {
  enum class Kind {
    Number,      // written as it is
    Switch,      // yes writes 1, no writes 0, the default writes nothing
    Tcp1323Bit,  // a bit of Tcp1323Opts, written together with the other one
  };
  Kind kind = Kind::Number;
  TunedValue value{};
  std::int32_t CustomTcpSettings::*number = nullptr;  // Number
  TcpSwitch CustomTcpSettings::*choice = nullptr;     // Switch
  bool CustomTcpSettings::*flag = nullptr;            // Tcp1323Bit
  std::int32_t fallback = 0;                          // Number: shown while the registry holds no number
  std::int32_t mask = 0;                              // Tcp1323Bit: its bit of Tcp1323Opts
  // Tcp1323Bit: whether a stored Tcp1323Opts checks its box.
  bool (*checkedBy)(std::int32_t stored) = nullptr;
  // The class and the MTU propose this value, not the table of tuned values.
  bool proposedByClass = false;
};

// The makers of the fields below.
constexpr CustomTcpField NumberField(const TunedValue& value, std::int32_t CustomTcpSettings::*number,
                                     std::int32_t fallback) {
  return {.kind = CustomTcpField::Kind::Number, .value = value, .number = number, .fallback = fallback};
}
constexpr CustomTcpField SwitchField(const TunedValue& value, TcpSwitch CustomTcpSettings::*choice) {
  return {.kind = CustomTcpField::Kind::Switch, .value = value, .choice = choice};
}
constexpr CustomTcpField Tcp1323Field(bool CustomTcpSettings::*flag, std::int32_t mask,
                                      bool (*checkedBy)(std::int32_t)) {
  return {.kind = CustomTcpField::Kind::Tcp1323Bit,
          .value = tuned::Tcp1323Opts,
          .flag = flag,
          .mask = mask,
          .checkedBy = checkedBy};
}
constexpr CustomTcpField ProposedByClass(CustomTcpField field) {
  field.proposedByClass = true;
  return field;
}

// The settings of the custom page, each named once.
namespace custom_field {
using Record = CustomTcpSettings;
inline constexpr CustomTcpField RecvWindow =
    ProposedByClass(NumberField(tuned::TcpWindowSize, &Record::recvWindow, 65536));
inline constexpr CustomTcpField MtuDiscovery = SwitchField(tuned::EnablePMTUDiscovery, &Record::mtuDiscovery);
inline constexpr CustomTcpField BlackHoleDetect = SwitchField(tuned::EnablePMTUBHDetect, &Record::blackHoleDetect);
inline constexpr CustomTcpField Selective = SwitchField(tuned::SackOpts, &Record::selective);
inline constexpr CustomTcpField MaxDuplicate = NumberField(tuned::TcpMaxDupAcks, &Record::maxDuplicate, 3);
inline constexpr CustomTcpField TimeToLive = NumberField(tuned::DefaultTTL, &Record::timeToLive, 128);
// Any odd number checks the scaling box; 2 and 3 alone check the timestamps box.
inline constexpr CustomTcpField WindowScaling =
    Tcp1323Field(&Record::windowScaling, 1, [](std::int32_t stored) { return stored % 2 == 1; });
inline constexpr CustomTcpField Timestamps =
    Tcp1323Field(&Record::timestamps, 2, [](std::int32_t stored) { return stored / 2 == 1; });
inline constexpr CustomTcpField MaxConnPerServer =
    NumberField(tuned::MaxConnectionsPerServer, &Record::maxConnPerServer, 10);
inline constexpr CustomTcpField MaxConnPer10Server =
    NumberField(tuned::MaxConnectionsPer1_0Server, &Record::maxConnPer10Server, 10);
inline constexpr CustomTcpField MaxNegativeCacheTtl =
    NumberField(tuned::MaxNegativeCacheTtl, &Record::maxNegativeCacheTtl, 0);
inline constexpr CustomTcpField NetFailureCacheTime =
    NumberField(tuned::NetFailureCacheTime, &Record::netFailureCacheTime, 0);
inline constexpr CustomTcpField NegativeSoaCacheTime =
    NumberField(tuned::NegativeSOACacheTime, &Record::negativeSoaCacheTime, 0);
inline constexpr CustomTcpField LocalPriority = NumberField(tuned::LocalPriority, &Record::localPriority, 5);
inline constexpr CustomTcpField HostPriority = NumberField(tuned::HostsPriority, &Record::hostPriority, 6);
inline constexpr CustomTcpField DnsPriority = NumberField(tuned::DnsPriority, &Record::dnsPriority, 7);
inline constexpr CustomTcpField NetbtPriority = NumberField(tuned::NetbtPriority, &Record::netbtPriority, 8);
inline constexpr CustomTcpField LanRequestBuffer = NumberField(tuned::SizReqBuf, &Record::lanRequestBuffer, 16384);
}  // namespace custom_field

// Every field above, in the order the custom pass writes them.
const std::vector<const CustomTcpField*>& CustomTcpFields();

// The setting the page recommends for a field: its tuned value, the switch
// that writes it, the bit it has. Nothing changes for a field the class
// proposes.
void Recommend(const CustomTcpField& field, CustomTcpSettings& settings);

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

// The expert pass: writes the settings in its own order (TcpMaxDupAcks
// before DefaultTTL, unlike the automatic pass), moving the bar on by
// unitsPerTick and pausing once before the first of the 23 settings and
// once after each (CustomTcpPassTicks() ticks in all). Completes
// "CustomRegBackUp.bk" in the current directory before the first change;
// when that fails it changes nothing. A value of 2147483647
// (kDwordReadAsMissing) is refused with ConversionError before anything is
// written: it reads as no value and is never written as data.
PassReport RunCustomTcpPass(const CustomTcpSettings& settings, PassProgress& progress, std::int32_t unitsPerTick);
// Any number but 2147483647, which the registry store reads as no value:
// the custom pass writes it, and the page takes it.
bool IsWritableNumber(std::int32_t value);
int CustomTcpPassTicks();

}  // namespace velomar
