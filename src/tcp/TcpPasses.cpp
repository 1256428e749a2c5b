#include "tcp/TcpPasses.h"

#include "bandwidth/BandwidthClass.h"
#include "registry/RegistryStore.h"
#include "tcp/RegBackup.h"
#include "tcp/TcpSteps.h"
#include "util/Numbers.h"

namespace velomar {

namespace {

// ---- the automatic pass ----------------------------------------------------

struct AutoStep {
  RegStep step;
  bool progressAfter;  // adds ProgressStep after the step; otherwise see fixedProgress
  std::int32_t fixedProgress;
};

std::vector<AutoStep> AutoSteps(const TuningParameters& p) {
  using namespace tuned;
  return {
      {Write(TcpWindowSize, p.tcpWindow), true, 0},
      {Write(GlobalMaxTcpWindowSize, p.tcpWindow), false, 2},
      {WriteIfPresent(DefaultReceiveWindow, ReceiveBufferFigure(p.bandwidthKbps)), true, 0},
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

}  // namespace

AutoPassReport AutoOptimizeTcp(std::int32_t BandwidthKbps, std::int32_t ProgressStep, PassProgress& progress,
                               PathMtuProvider& mtu) {
  AutoPassReport report;
  TuningParameters& p = report.tuning;
  p.bandwidthKbps = BandwidthKbps;
  p.progressStep = ProgressStep;
  p.bandwidthBits = WindowBaseKbpsFor(BandwidthKbps) * 1024;
  p.mtu = mtu.MeasurePathMtu();
  // A failed probe, and any result too small to carry a segment, mean 1500.
  if (p.mtu <= 40) p.mtu = kEthernetMtu;
  p.roundTripMs = kRoundTripMs;
  p.tcpWindow = ComputeTcpWindow(BandwidthKbps, p.mtu).value_or(0);

  const auto steps = AutoSteps(p);
  const auto adapters = ListAdapters();
  std::vector<RegStep> touched;
  for (const auto& s : steps) touched.push_back(s.step);
  for (const auto& id : adapters)
    for (auto& s : AdapterSteps(id, p.mtu)) touched.push_back(std::move(s));
  static_cast<PassReport&>(report) = BackUpBeforePass(kAutoBackupFile, kCustomBackupFile, touched);
  if (!report.backupWritten) return report;

  progress.Advance(ProgressStep);
  for (const auto& s : steps) {
    RunAutoStep(s.step, progress, report.changes);
    progress.Advance(s.progressAfter ? ProgressStep : s.fixedProgress);
  }
  progress.Advance(ProgressStep);
  for (const auto& id : adapters)
    for (const auto& step : AdapterSteps(id, p.mtu)) RunAutoStep(step, progress, report.changes);
  progress.Advance(ProgressStep);
  return report;
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
