#include "tcp/Unit_TcpOptimize.h"

#include "bandwidth/BandwidthClass.h"
#include "platform/Files.h"
#include "registry/Unit_RegOperation.h"
#include "tcp/RegBackup.h"
#include "tcp/TcpSteps.h"
#include "util/Numbers.h"

namespace velomar {

namespace {

PassReport BackUp(const char* file, const char* otherFile, const std::vector<RegStep>& steps) {
  const RegBackupOutcome outcome = WriteRegBackup(file, otherFile, steps);
  return {platform::JoinPath(platform::CurrentDirectory(), file),
          outcome.written,
          outcome.error,
          outcome.movedAsideTo,
          outcome.movedAsideReason,
          {}};
}

// ---- the automatic pass ----------------------------------------------------

struct AutoStep {
  RegStep step;
  bool progressAfter;  // adds ProgressStep after the step; otherwise see fixedProgress
  std::int32_t fixedProgress;
};

std::vector<AutoStep> AutoSteps(const TuningParameters& p) {
  using namespace tuned;
  return {
      {Write(TcpWindowSize, p.TcpWindow), true, 0},
      {Write(GlobalMaxTcpWindowSize, p.TcpWindow), false, 2},
      {WriteIfPresent(DefaultReceiveWindow, ReceiveBufferFigure(p.BandwidthKbps)), true, 0},
      {WriteRecommended(EnablePMTUDiscovery), true, 0},
      {WriteRecommended(EnablePMTUBHDetect), true, 0},
      {WriteRecommended(SackOpts), true, 0},
      {WriteRecommended(DefaultTTL), true, 0},
      {WriteRecommended(TcpMaxDupAcks), true, 0},
      {WriteRecommended(Tcp1323Opts), true, 0},
      {WriteRecommended(MaxConnectionsPerServer), true, 0},
      {WriteRecommended(MaxConnectionsPer1_0Server), true, 0},
      {DeleteIfPresent(InternetMTU), true, 0},
      {DeleteIfPresent(NegativeCacheTime), true, 0},
      {WriteRecommended(MaxNegativeCacheTtl), true, 0},
      {WriteRecommended(NetFailureCacheTime), true, 0},
      {WriteRecommended(NegativeSOACacheTime), true, 0},
      {WriteIfPresent(PolicyNonBestEffortLimit, PolicyNonBestEffortLimit.recommended), true, 0},
      {WriteRecommended(LocalPriority), true, 0},
      {WriteRecommended(HostsPriority), true, 0},
      {WriteRecommended(DnsPriority), true, 0},
      {WriteRecommended(NetbtPriority), true, 0},
      {WriteRecommended(SizReqBuf), true, 0},
      {WriteIfPresent(ProtocolMTU, ProtocolMTU.recommended), false, 0},
  };
}

// One step of the automatic pass, for a step that applies: the status
// text, the pause, the registry change and its row, which tells when the
// registry refused the change.
void RunAutoStep(const RegStep& step, PassProgress& progress, RegChanges& changes) {
  if (!StepApplies(step)) return;
  progress.Status("TCP : Optimizing " + step.name + " ...");
  progress.Pause();
  ApplyStep(step, changes);
  progress.Row(changes.rows.back());
}

// ---- the custom pass ---------------------------------------------------------

// A three-way switch: yes writes 1, no writes 0, the default leaves it.
std::vector<RegStep> SwitchStep(TcpSwitch choice, const TunedValue& value) {
  if (choice == TcpSwitch::Default) return {};
  return {Write(value, choice == TcpSwitch::Yes ? 1 : 0)};
}

// 2147483647 is how the store reads a missing or unreadable value; written
// back it would turn "no value" into a number no setting means.
void RefuseNoValueMarker(const std::vector<RegStep>& steps) {
  for (const auto& step : steps)
    if (step.kind != StepKind::DeleteIfPresent && step.value == RegNoValue)
      throw ConversionError(std::to_string(RegNoValue) + " stands for no value and is not written (" + step.name + ")");
}

// The custom pass's settings in its order, one group of steps per progress
// tick: a switch left on its default is an empty group.
std::vector<std::vector<RegStep>> CustomSettingSteps(const CustomTcpSettings& in) {
  using namespace tuned;
  return {
      {Write(TcpWindowSize, in.recvWindow)},
      {Write(GlobalMaxTcpWindowSize, in.recvWindow)},
      {WriteIfPresent(DefaultReceiveWindow, ReceiveBufferFigure(in.bandwidthKbps))},
      SwitchStep(in.mtuDiscovery, EnablePMTUDiscovery),
      SwitchStep(in.blackHoleDetect, EnablePMTUBHDetect),
      SwitchStep(in.selective, SackOpts),
      {Write(TcpMaxDupAcks, in.maxDuplicate)},
      {Write(DefaultTTL, in.timeToLive)},
      {Write(Tcp1323Opts, (in.windowScaling ? 1 : 0) + (in.timestamps ? 2 : 0))},
      {Write(MaxConnectionsPerServer, in.maxConnPerServer)},
      {Write(MaxConnectionsPer1_0Server, in.maxConnPer10Server)},
      {DeleteIfPresent(InternetMTU)},
      {DeleteIfPresent(NegativeCacheTime)},
      {Write(MaxNegativeCacheTtl, in.maxNegativeCacheTtl)},
      {Write(NetFailureCacheTime, in.netFailureCacheTime)},
      {Write(NegativeSOACacheTime, in.negativeSoaCacheTime)},
      {WriteIfPresent(PolicyNonBestEffortLimit, PolicyNonBestEffortLimit.recommended)},
      {Write(LocalPriority, in.localPriority)},
      {Write(HostsPriority, in.hostPriority)},
      {Write(DnsPriority, in.dnsPriority)},
      {Write(NetbtPriority, in.netbtPriority)},
      {Write(SizReqBuf, in.lanRequestBuffer)},
      {WriteIfPresent(ProtocolMTU, ProtocolMTU.recommended)},
  };
}

void CustomTick(PassProgress& progress, std::int32_t units) {
  progress.Advance(units);
  progress.Pause();
}

// ---- the reader ----------------------------------------------------------------

// The number a value holds, or nothing when it is missing or holds no
// 32-bit number (the store then answers RegNoValue): the page shows both
// alike, so that the custom pass never writes the sentinel back as data.
std::optional<std::int32_t> StoredNumber(const std::string& root, const std::string& path, const std::string& name) {
  if (RegValueStatus(root, path, name) != kRegValuePresent) return std::nullopt;
  const std::int32_t value = ReadRegInteger(root, path, name);
  if (value == RegNoValue) return std::nullopt;
  return value;
}
std::optional<std::int32_t> StoredNumber(const TunedValue& v) { return StoredNumber(v.root, v.path, v.name); }

std::string NumberOrDefault(const TunedValue& v, const char* fallback) {
  const auto value = StoredNumber(v);
  return value ? std::to_string(*value) : fallback;
}

// 1 is yes, 0 is no; any other number, and a missing value, the default.
TcpSwitch SwitchOf(const TunedValue& v) {
  const auto value = StoredNumber(v);
  if (!value) return TcpSwitch::Default;
  return *value == 1 ? TcpSwitch::Yes : *value == 0 ? TcpSwitch::No : TcpSwitch::Default;
}

}  // namespace

AutoPassReport AutoOptimizeTcp(std::int32_t BandwidthKbps, std::int32_t ProgressStep, PassProgress& progress,
                               PathMtuProvider& mtu) {
  AutoPassReport report;
  TuningParameters& p = report.tuning;
  p.BandwidthKbps = BandwidthKbps;
  p.ProgressStep = ProgressStep;
  p.BandwidthBits = WindowBaseKbpsFor(BandwidthKbps) * 1024;
  p.Mtu = mtu.MeasurePathMtu();
  // A failed probe, and any result too small to carry a segment, mean 1500.
  if (p.Mtu <= 40) p.Mtu = kEthernetMtu;
  p.RoundTripMs = kRoundTripMs;
  p.TcpWindow = ComputeTcpWindow(BandwidthKbps, p.Mtu).value_or(0);

  const auto steps = AutoSteps(p);
  const auto adapters = ListAdapters();
  std::vector<RegStep> touched;
  for (const auto& s : steps) touched.push_back(s.step);
  for (const auto& id : adapters)
    for (auto& s : AdapterSteps(id, p.Mtu)) touched.push_back(std::move(s));
  static_cast<PassReport&>(report) = BackUp(kAutoBackupFile, kCustomBackupFile, touched);
  if (!report.backupWritten) return report;

  progress.Advance(ProgressStep);
  for (const auto& s : steps) {
    RunAutoStep(s.step, progress, report.changes);
    progress.Advance(s.progressAfter ? ProgressStep : s.fixedProgress);
  }
  progress.Advance(ProgressStep);
  for (const auto& id : adapters)
    for (const auto& step : AdapterSteps(id, p.Mtu)) RunAutoStep(step, progress, report.changes);
  progress.Advance(ProgressStep);
  return report;
}

std::vector<std::string> CustomAdapters(const AdapterChoice& choice) {
  std::vector<std::string> tuned;
  if (choice.none) return tuned;
  for (const auto& id : ListAdapters()) {
    const bool chosen = choice.all || (!choice.selectedService.empty() && id == choice.selectedService);
    bool firstTwo = false;
    for (std::size_t k = 0; k < choice.cardServices.size() && k < 2; ++k)
      firstTwo = firstTwo || id == choice.cardServices[k];
    if (chosen && firstTwo) tuned.push_back(id);
  }
  return tuned;
}

// The tick before the first setting, and one after each.
int CustomTcpPassTicks() { return 1 + static_cast<int>(CustomSettingSteps({}).size()); }

PassReport RunCustomTcpPass(const CustomTcpSettings& in, PassProgress& progress, std::int32_t unitsPerTick) {
  const auto settings = CustomSettingSteps(in);

  std::vector<RegStep> touched;
  for (const auto& group : settings) touched.insert(touched.end(), group.begin(), group.end());
  for (const auto& id : in.adapters)
    for (auto& s : AdapterSteps(id, in.mtu)) touched.push_back(std::move(s));
  RefuseNoValueMarker(touched);
  PassReport report = BackUp(kCustomBackupFile, kAutoBackupFile, touched);
  if (!report.backupWritten) return report;

  CustomTick(progress, unitsPerTick);
  for (const auto& group : settings) {
    for (const auto& step : group) ApplyStep(step, report.changes);
    CustomTick(progress, unitsPerTick);
  }
  for (const auto& id : in.adapters)
    for (const auto& step : AdapterSteps(id, in.mtu)) ApplyStep(step, report.changes);
  return report;
}

CurrentTcpSettings ReadTcpSettings(const std::string& selectedService) {
  using namespace tuned;
  CurrentTcpSettings s;
  s.recvWindow = NumberOrDefault(TcpWindowSize, "65536");
  s.mtuDiscovery = SwitchOf(EnablePMTUDiscovery);
  s.blackHoleDetect = SwitchOf(EnablePMTUBHDetect);
  s.selective = SwitchOf(SackOpts);
  s.timeToLive = NumberOrDefault(DefaultTTL, "128");
  s.maxDuplicate = NumberOrDefault(TcpMaxDupAcks, "3");
  if (const auto value = StoredNumber(Tcp1323Opts)) {
    s.checkWindowScaling = *value % 2 == 1;
    s.checkTimestamps = *value / 2 == 1;
  }
  s.maxConnPerServer = NumberOrDefault(MaxConnectionsPerServer, "10");
  s.maxConnPer10Server = NumberOrDefault(MaxConnectionsPer1_0Server, "10");
  s.maxNegativeCacheTtl = NumberOrDefault(MaxNegativeCacheTtl, "0");
  s.netFailureCacheTime = NumberOrDefault(NetFailureCacheTime, "0");
  s.negativeSoaCacheTime = NumberOrDefault(NegativeSOACacheTime, "0");
  s.localPriority = NumberOrDefault(LocalPriority, "5");
  s.hostPriority = NumberOrDefault(HostsPriority, "6");
  s.dnsPriority = NumberOrDefault(DnsPriority, "7");
  s.netbtPriority = NumberOrDefault(NetbtPriority, "8");
  s.lanRequestBuffer = NumberOrDefault(SizReqBuf, "16384");

  for (const auto& id : ListAdapters()) {
    if (selectedService.empty() || id != selectedService) continue;
    const RegStep mtu = AdapterSteps(id, 0).front();
    const auto value = StoredNumber(mtu.root, mtu.path, mtu.name);
    s.mtu = std::to_string(value.value_or(kEthernetMtu));
    s.checkPppoe = s.checkPppoe || value == kPppoeMtu;
  }
  return s;
}

RegChanges RestoreTcpDefaults() {
  using namespace tuned;
  std::vector<RegStep> steps = {
      DeleteIfPresent(TcpWindowSize),
      DeleteIfPresent(GlobalMaxTcpWindowSize),
      DeleteIfPresent(DefaultReceiveWindow),
      DeleteIfPresent(EnablePMTUDiscovery),
      DeleteIfPresent(EnablePMTUBHDetect),
      DeleteIfPresent(SackOpts),
      DeleteIfPresent(DefaultTTL),
      DeleteIfPresent(TcpMaxDupAcks),
      DeleteIfPresent(Tcp1323Opts),
      Write(MaxConnectionsPerServer, 10),
      Write(MaxConnectionsPer1_0Server, 10),
      DeleteIfPresent(InternetMTU),
      DeleteIfPresent(MaxNegativeCacheTtl),
      DeleteIfPresent(NegativeCacheTime),
      DeleteIfPresent(NetFailureCacheTime),
      DeleteIfPresent(NegativeSOACacheTime),
      DeleteIfPresent(PolicyNonBestEffortLimit),
      Write(LocalPriority, 499),
      Write(HostsPriority, 500),
      Write(DnsPriority, 2000),
      Write(NetbtPriority, 2001),
      DeleteIfPresent(SizReqBuf),
      DeleteIfPresent(ProtocolMTU),
  };
  for (const auto& id : ListAdapters())
    for (auto& step : AdapterSteps(id, 0)) {
      step.kind = StepKind::DeleteIfPresent;
      steps.push_back(std::move(step));
    }
  // A key that exists but cannot be opened may hold a value to delete: the
  // refusal is counted rather than the value passed over as absent.
  RegChanges changes;
  for (const auto& step : steps) {
    if (step.kind == StepKind::DeleteIfPresent)
      RemoveValue(step.root, step.path, step.name, changes);
    else
      ApplyStep(step, changes);
  }
  return changes;
}

}  // namespace velomar
