#include "tcp/Unit_TcpOptimize.h"

#include "app/CustomTcpPage.h"
#include "bandwidth/BandwidthClass.h"
#include "bandwidth/LastSetBandWidth.h"
#include "platform/Files.h"
#include "tcp/TcpSteps.h"
#include "tcp/Unit_RegOperation.h"
#include "util/Numbers.h"
#include "util/TextLines.h"

namespace velomar {

namespace {

TuningParameters g_parameters;

constexpr std::int32_t kFallbackMtu = 1500;

std::string OldValueText(std::int32_t value) { return value == RegNoValue ? "No value" : UnsignedText(value); }

void AddProgress(WindowState& window, const char* bar, std::int32_t amount) {
  window.SetPosition(bar, window.Position(bar) + amount);
}

PassReport BackUp(const char* file, const std::vector<RegStep>& steps) {
  PassReport report;
  report.backupWritten = WriteRegBackup(file, steps, report.backupError);
  return report;
}

// ---- the automatic pass ----------------------------------------------------

struct AutoStep {
  RegStep step;
  bool progressAfter;  // adds ProgressStep after the step; otherwise see fixedProgress
  std::int32_t fixedProgress;
};

std::vector<AutoStep> AutoSteps(const TuningParameters& p) {
  using namespace tcp_paths;
  const auto W = StepKind::Write;
  const auto WP = StepKind::WriteIfPresent;
  const auto DP = StepKind::DeleteIfPresent;
  return {
      {{W, kHKLM, T, "TcpWindowSize", p.TcpWindow}, true, 0},
      {{W, kHKLM, T, "GlobalMaxTcpWindowSize", p.TcpWindow}, false, 2},
      {{WP, kHKLM, A, "DefaultReceiveWindow", ReceiveBufferFigure(p.BandwidthKbps)}, true, 0},
      {{W, kHKLM, T, "EnablePMTUDiscovery", 1}, true, 0},
      {{W, kHKLM, T, "EnablePMTUBHDetect", 0}, true, 0},
      {{W, kHKLM, T, "SackOpts", 1}, true, 0},
      {{W, kHKLM, T, "DefaultTTL", 64}, true, 0},
      {{W, kHKLM, T, "TcpMaxDupAcks", 2}, true, 0},
      {{W, kHKLM, T, "Tcp1323Opts", 1}, true, 0},
      {{W, kHKCU, I, "MaxConnectionsPerServer", 10}, true, 0},
      {{W, kHKCU, I, "MaxConnectionsPer1_0Server", 10}, true, 0},
      {{DP, kHKLM, S, "InternetMTU", 0}, true, 0},
      {{DP, kHKLM, D, "NegativeCacheTime", 0}, true, 0},
      {{W, kHKLM, D, "MaxNegativeCacheTtl", 0}, true, 0},
      {{W, kHKLM, D, "NetFailureCacheTime", 0}, true, 0},
      {{W, kHKLM, D, "NegativeSOACacheTime", 0}, true, 0},
      {{WP, kHKLM, P, "NonBestEffortLimit", 0}, true, 0},
      {{W, kHKLM, SP, "LocalPriority", 5}, true, 0},
      {{W, kHKLM, SP, "HostsPriority", 6}, true, 0},
      {{W, kHKLM, SP, "DnsPriority", 7}, true, 0},
      {{W, kHKLM, SP, "NetbtPriority", 8}, true, 0},
      {{W, kHKLM, L, "SizReqBuf", 16384}, true, 0},
      {{WP, kHKLM, N, "ProtocolMTU", 1492}, false, 0},
  };
}

void AutoPause(WindowState& window) {
  // The list rounds a vertical scroll to whole lines; scrolling by its item
  // count in pixels before every row keeps the newest rows in view.
  window.ScrollBy(auto_window::kLog, window.RowCount(auto_window::kLog));
  window.PauseForDisplay();
}

// One step of the automatic pass: the status text, the pause, the row and
// the registry change, for a step that applies.
void RunAutoStep(const RegStep& step, WindowState& window) {
  if (!StepApplies(step)) return;
  const std::int32_t old = ReadRegInteger(step.root, step.path, step.name);
  window.SetText(auto_window::kStatus, "TCP : Optimizing " + step.name + " ...");
  AutoPause(window);
  const bool deletes = step.kind == StepKind::DeleteIfPresent;
  window.AppendRow(auto_window::kLog, {step.name, OldValueText(old), deletes ? "Delete value" : std::to_string(step.value)});
  if (deletes)
    DeleteRegValue(step.root, step.path, step.name);
  else
    WriteRegInteger(step.root, step.path, step.name, step.value);
}

// ---- the custom pass ---------------------------------------------------------

struct CustomInputs {
  std::int32_t recvWindow, maxDupAcks, ttl, maxConn, maxConn10, maxNegTtl, netFailure, negSoa;
  std::int32_t localPriority, hostsPriority, dnsPriority, netbtPriority, lanBuffer, mtu;
};

std::int32_t Convert(const WindowState& window, const char* edit) {
  const std::string text = window.Text(edit);
  const auto value = ParseInt32(text);
  if (!value) throw ConversionError(NotAnIntegerMessage(text, edit));
  return *value;
}

// The adapters of the custom pass: those of the first two cards of the
// table, and of those only the selected card's unless all are wanted.
std::vector<std::string> CustomAdapters(const CustomTcpPage& page) {
  std::vector<std::string> tuned;
  const WindowState& w = page.window;
  if (w.Checked(custom_tcp::kAdapterNone)) return tuned;
  const bool all = w.Checked(custom_tcp::kAdapterAll);
  const std::string selected = page.SelectedServiceName();
  for (const auto& id : ListAdapters()) {
    const bool chosen = all || (!selected.empty() && id == selected);
    bool firstTwo = false;
    for (std::size_t k = 0; k < page.cards.size() && k < 2; ++k) firstTwo = firstTwo || id == page.cards[k].ServiceName;
    if (chosen && firstTwo) tuned.push_back(id);
  }
  return tuned;
}

// A three-way switch: item 1 writes 1, item 2 writes 0, item 0 leaves it.
void AddSwitch(std::vector<RegStep>& steps, const WindowState& w, const char* combo, const char* name) {
  const int item = w.ItemIndex(combo);
  if (item == 1 || item == 2) steps.push_back({StepKind::Write, kHKLM, tcp_paths::T, name, item == 1 ? 1 : 0});
}

void CustomTick(CustomTcpPage& page) {
  AddProgress(page.window, custom_tcp::kProgress, 4);
  page.window.PauseForDisplay();
}

}  // namespace

const TuningParameters& LastTuningParameters() { return g_parameters; }

PassReport AutoOptimizeTcp(std::int32_t BandwidthKbps, std::int32_t ProgressStep, WindowState& window,
                           PathMtuProvider& mtu) {
  TuningParameters& p = g_parameters;
  p.BandwidthKbps = BandwidthKbps;
  p.ProgressStep = ProgressStep;
  p.BandwidthBits = WindowBaseKbpsFor(BandwidthKbps) * 1024;
  p.Mtu = mtu.MeasurePathMtu();
  // A failed probe, and any result too small to carry a segment, mean 1500.
  if (p.Mtu <= 40) p.Mtu = kFallbackMtu;
  p.RoundTripMs = kRoundTripMs;
  p.TcpWindow = ComputeTcpWindow(BandwidthKbps, p.Mtu).value_or(0);

  const auto steps = AutoSteps(p);
  const auto adapters = ListAdapters();
  std::vector<RegStep> touched;
  for (const auto& s : steps) touched.push_back(s.step);
  for (const auto& id : adapters)
    for (auto& s : AdapterSteps(id, p.Mtu)) touched.push_back(std::move(s));
  const PassReport report = BackUp(kAutoBackupFile, touched);

  AddProgress(window, auto_window::kProgress, ProgressStep);
  for (const auto& s : steps) {
    RunAutoStep(s.step, window);
    AddProgress(window, auto_window::kProgress, s.progressAfter ? ProgressStep : s.fixedProgress);
  }
  AddProgress(window, auto_window::kProgress, ProgressStep);
  for (const auto& id : adapters) {
    const auto adapterSteps = AdapterSteps(id, p.Mtu);
    for (const auto& step : adapterSteps) RunAutoStep(step, window);
  }
  AddProgress(window, auto_window::kProgress, ProgressStep);
  return report;
}

PassReport CustomOptimizeTcp(CustomTcpPage& page) {
  using namespace custom_tcp;
  using namespace tcp_paths;
  WindowState& w = page.window;
  const auto adapters = CustomAdapters(page);
  CustomInputs in{};
  in.recvWindow = Convert(w, kRecvWindow);
  in.maxDupAcks = Convert(w, kMaxDuplicate);
  in.ttl = Convert(w, kTimeToLive);
  in.maxConn = Convert(w, kMaxConnPerServer);
  in.maxConn10 = Convert(w, kMaxConnPer10Server);
  in.maxNegTtl = Convert(w, kMaxNegativeCacheTtl);
  in.netFailure = Convert(w, kNetFailureCacheTime);
  in.negSoa = Convert(w, kNegativeSoaCacheTime);
  in.localPriority = Convert(w, kLocalPriority);
  in.hostsPriority = Convert(w, kHostPriority);
  in.dnsPriority = Convert(w, kDnsPriority);
  in.netbtPriority = Convert(w, kNetbtPriority);
  in.lanBuffer = Convert(w, kLanRequestBuffer);
  in.mtu = adapters.empty() ? 0 : Convert(w, kMtu);
  const std::int32_t tcp1323 = (w.Checked(kWindowScaling) ? 1 : 0) + (w.Checked(kTimestamps) ? 2 : 0);

  const auto W = StepKind::Write;
  const auto WP = StepKind::WriteIfPresent;
  const auto DP = StepKind::DeleteIfPresent;
  // One group of steps per progress tick: a switch on item 0 is an empty group.
  std::vector<std::vector<RegStep>> settings(23);
  settings[0] = {{W, kHKLM, T, "TcpWindowSize", in.recvWindow}};
  settings[1] = {{W, kHKLM, T, "GlobalMaxTcpWindowSize", in.recvWindow}};
  settings[2] = {{WP, kHKLM, A, "DefaultReceiveWindow", ReceiveBufferFigure(page.BandwidthKbps)}};
  AddSwitch(settings[3], w, kMtuDiscovery, "EnablePMTUDiscovery");
  AddSwitch(settings[4], w, kBlackHoleDetect, "EnablePMTUBHDetect");
  AddSwitch(settings[5], w, kSelective, "SackOpts");
  settings[6] = {{W, kHKLM, T, "TcpMaxDupAcks", in.maxDupAcks}};
  settings[7] = {{W, kHKLM, T, "DefaultTTL", in.ttl}};
  settings[8] = {{W, kHKLM, T, "Tcp1323Opts", tcp1323}};
  settings[9] = {{W, kHKCU, I, "MaxConnectionsPerServer", in.maxConn}};
  settings[10] = {{W, kHKCU, I, "MaxConnectionsPer1_0Server", in.maxConn10}};
  settings[11] = {{DP, kHKLM, S, "InternetMTU", 0}};
  settings[12] = {{DP, kHKLM, D, "NegativeCacheTime", 0}};
  settings[13] = {{W, kHKLM, D, "MaxNegativeCacheTtl", in.maxNegTtl}};
  settings[14] = {{W, kHKLM, D, "NetFailureCacheTime", in.netFailure}};
  settings[15] = {{W, kHKLM, D, "NegativeSOACacheTime", in.negSoa}};
  settings[16] = {{WP, kHKLM, P, "NonBestEffortLimit", 0}};
  settings[17] = {{W, kHKLM, SP, "LocalPriority", in.localPriority}};
  settings[18] = {{W, kHKLM, SP, "HostsPriority", in.hostsPriority}};
  settings[19] = {{W, kHKLM, SP, "DnsPriority", in.dnsPriority}};
  settings[20] = {{W, kHKLM, SP, "NetbtPriority", in.netbtPriority}};
  settings[21] = {{W, kHKLM, L, "SizReqBuf", in.lanBuffer}};
  settings[22] = {{WP, kHKLM, N, "ProtocolMTU", 1492}};

  std::vector<RegStep> touched;
  for (const auto& group : settings) touched.insert(touched.end(), group.begin(), group.end());
  for (const auto& id : adapters)
    for (auto& s : AdapterSteps(id, in.mtu)) touched.push_back(std::move(s));
  const PassReport report = BackUp(kCustomBackupFile, touched);

  CustomTick(page);
  for (const auto& group : settings) {
    for (const auto& step : group) ApplyStep(step);
    CustomTick(page);
  }
  for (const auto& id : adapters)
    for (const auto& step : AdapterSteps(id, in.mtu)) ApplyStep(step);
  return report;
}

void ReadCurrentTcpSettings(CustomTcpPage& page) {
  using namespace custom_tcp;
  using namespace tcp_paths;
  WindowState& w = page.window;

  const auto stored = LoadStoredCustomClass();
  if (!stored.fileExists) {
    // 1 then 0, so that the change handler runs even when the bar stood at 0.
    w.SetPosition(kTrackBar, 1);
    w.SetPosition(kTrackBar, 0);
  } else if (stored.position) {
    w.SetPosition(kTrackBar, *stored.position);
  }

  auto present = [](const char* root, const char* path, const char* name) {
    return RegValueStatus(root, path, name) == kRegValuePresent;
  };
  auto number = [&](const char* root, const char* path, const char* name, const char* edit, const char* fallback) {
    w.SetText(edit, present(root, path, name) ? std::to_string(ReadRegInteger(root, path, name)) : fallback);
  };
  auto switchItem = [&](const char* name, const char* combo) {
    int item = 0;
    if (present(kHKLM, T, name)) {
      const auto value = ReadRegInteger(kHKLM, T, name);
      item = value == 1 ? 1 : value == 0 ? 2 : 0;
    }
    w.SetItemIndex(combo, item);
  };

  number(kHKLM, T, "TcpWindowSize", kRecvWindow, "65536");
  switchItem("EnablePMTUDiscovery", kMtuDiscovery);
  switchItem("EnablePMTUBHDetect", kBlackHoleDetect);
  switchItem("SackOpts", kSelective);
  number(kHKLM, T, "DefaultTTL", kTimeToLive, "128");
  number(kHKLM, T, "TcpMaxDupAcks", kMaxDuplicate, "3");
  if (present(kHKLM, T, "Tcp1323Opts")) {
    const auto value = ReadRegInteger(kHKLM, T, "Tcp1323Opts");
    if (value % 2 == 1) w.SetChecked(kWindowScaling, true);
    if (value / 2 == 1) w.SetChecked(kTimestamps, true);
  }
  number(kHKCU, I, "MaxConnectionsPerServer", kMaxConnPerServer, "10");
  number(kHKCU, I, "MaxConnectionsPer1_0Server", kMaxConnPer10Server, "10");
  number(kHKLM, D, "MaxNegativeCacheTtl", kMaxNegativeCacheTtl, "0");
  number(kHKLM, D, "NetFailureCacheTime", kNetFailureCacheTime, "0");
  number(kHKLM, D, "NegativeSOACacheTime", kNegativeSoaCacheTime, "0");
  number(kHKLM, SP, "LocalPriority", kLocalPriority, "5");
  number(kHKLM, SP, "HostsPriority", kHostPriority, "6");
  number(kHKLM, SP, "DnsPriority", kDnsPriority, "7");
  number(kHKLM, SP, "NetbtPriority", kNetbtPriority, "8");
  number(kHKLM, L, "SizReqBuf", kLanRequestBuffer, "16384");

  const std::string selected = page.SelectedServiceName();
  for (const auto& id : ListAdapters()) {
    if (selected.empty() || id != selected) continue;
    const std::string key = std::string(Interfaces) + id;
    if (present(kHKLM, key.c_str(), "MTU")) {
      const auto mtu = ReadRegInteger(kHKLM, key, "MTU");
      w.SetText(kMtu, std::to_string(mtu));
      if (mtu == 1492) w.SetChecked(kPppoe, true);
    } else {
      w.SetText(kMtu, "1500");
    }
  }
  if (w.Text(kMtu).empty()) w.SetText(kMtu, "1500");
}

bool RestoreRegBackup(const std::string& fileName) {
  if (!platform::FileExists(fileName)) return false;
  Lines lines;
  std::string error;
  if (!LoadLines(fileName, lines, error)) return false;
  const std::size_t records = lines.size() / 5;
  std::vector<std::int32_t> values(records);
  std::vector<bool> skip(records);
  for (std::size_t k = 0; k < records; ++k) {
    const std::string& line = lines[5 * k + 3];
    skip[k] = line == "No value" || line == "No Key";
    if (skip[k]) continue;
    const auto value = ParseInt32(line);
    if (!value)
      throw ConversionError(NotAnIntegerMessage(line, fileName + ", line " + std::to_string(5 * k + 4)) +
                            "; nothing was restored");
    values[k] = *value;
  }
  for (std::size_t k = 0; k < records; ++k)
    if (!skip[k]) WriteRegInteger(lines[5 * k + 1], lines[5 * k + 2], lines[5 * k], values[k]);
  return true;
}

void RestoreTcpDefaults() {
  using namespace tcp_paths;
  const auto W = StepKind::Write;
  const auto DP = StepKind::DeleteIfPresent;
  std::vector<RegStep> steps = {
      {DP, kHKLM, T, "TcpWindowSize"},         {DP, kHKLM, T, "GlobalMaxTcpWindowSize"},
      {DP, kHKLM, A, "DefaultReceiveWindow"},  {DP, kHKLM, T, "EnablePMTUDiscovery"},
      {DP, kHKLM, T, "EnablePMTUBHDetect"},    {DP, kHKLM, T, "SackOpts"},
      {DP, kHKLM, T, "DefaultTTL"},            {DP, kHKLM, T, "TcpMaxDupAcks"},
      {DP, kHKLM, T, "Tcp1323Opts"},           {W, kHKCU, I, "MaxConnectionsPerServer", 10},
      {W, kHKCU, I, "MaxConnectionsPer1_0Server", 10}, {DP, kHKLM, S, "InternetMTU"},
      {DP, kHKLM, D, "MaxNegativeCacheTtl"},   {DP, kHKLM, D, "NegativeCacheTime"},
      {DP, kHKLM, D, "NetFailureCacheTime"},   {DP, kHKLM, D, "NegativeSOACacheTime"},
      {DP, kHKLM, P, "NonBestEffortLimit"},    {W, kHKLM, SP, "LocalPriority", 499},
      {W, kHKLM, SP, "HostsPriority", 500},    {W, kHKLM, SP, "DnsPriority", 2000},
      {W, kHKLM, SP, "NetbtPriority", 2001},   {DP, kHKLM, L, "SizReqBuf"},
      {DP, kHKLM, N, "ProtocolMTU"},
  };
  for (const auto& id : ListAdapters()) {
    const std::string interfaceKey = std::string(Interfaces) + id;
    steps.push_back({DP, kHKLM, interfaceKey, "MTU"});
    steps.push_back({DP, kHKLM, interfaceKey, "TcpWindowSize"});
    steps.push_back({DP, kHKLM, std::string(PschedAdapters) + id, "NonBestEffortLimit"});
  }
  for (const auto& step : steps) ApplyStep(step);
}

}  // namespace velomar
