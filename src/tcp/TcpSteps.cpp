#include "tcp/TcpSteps.h"

#include "registry/RegistryStore.h"
#include "util/Numbers.h"

namespace velomar {

const std::vector<TunedValue>& TunedValues() {
  using namespace tuned;
  static const std::vector<TunedValue> values = {
      TcpWindowSize,
      GlobalMaxTcpWindowSize,
      DefaultReceiveWindow,
      EnablePMTUDiscovery,
      EnablePMTUBHDetect,
      SackOpts,
      DefaultTTL,
      TcpMaxDupAcks,
      Tcp1323Opts,
      MaxConnectionsPerServer,
      MaxConnectionsPer1_0Server,
      InternetMTU,
      NegativeCacheTime,
      MaxNegativeCacheTtl,
      NetFailureCacheTime,
      NegativeSOACacheTime,
      PolicyNonBestEffortLimit,
      LocalPriority,
      HostsPriority,
      DnsPriority,
      NetbtPriority,
      SizReqBuf,
      ProtocolMTU,
  };
  return values;
}

RegStep Write(const TunedValue& v, std::int32_t value) { return {StepKind::Write, v.root, v.path, v.name, value}; }

RegStep WriteIfPresent(const TunedValue& v, std::int32_t value) {
  return {StepKind::WriteIfPresent, v.root, v.path, v.name, value};
}

RegStep DeleteIfPresent(const TunedValue& v) { return {StepKind::DeleteIfPresent, v.root, v.path, v.name, 0}; }

bool StepApplies(const RegStep& step) {
  return step.kind == StepKind::Write || RegValueStatus(step.root, step.path, step.name).Present();
}

std::string OldValueText(std::optional<std::int32_t> value) { return value ? UnsignedText(*value) : kNoValueText; }

std::string ValueNotChanged::Line() const {
  std::string where = platform::RootName(root) + path;
  if (!name.empty()) where += "\\" + name;
  return where + ": " + Reason();
}

bool RegChanges::Record(platform::RegRoot root, const std::string& path, const std::string& name, std::string oldValue,
                        std::string newValue, platform::RegResult result) {
  rows.push_back({name, std::move(oldValue), result ? std::move(newValue) : kNotChangedText});
  if (!result) {
    notChanged.push_back({root, path, name, result});
    return false;
  }
  ++changed;
  return true;
}

namespace {

// Deletes the value and records it, with its old content.
bool DeleteValue(platform::RegRoot root, const std::string& path, const std::string& name, RegChanges& changes) {
  std::string old = OldValueText(ReadRegInteger(root, path, name));
  return changes.Record(root, path, name, std::move(old), kDeleteValueText, DeleteRegValue(root, path, name));
}

}  // namespace

bool RemoveValue(platform::RegRoot root, const std::string& path, const std::string& name, RegChanges& changes) {
  const RegValueSnapshot now = RegValueStatus(root, path, name);
  if (!now.keyExists || (now.readable && !now.Present())) return false;
  return DeleteValue(root, path, name, changes);
}

bool WriteTypedValue(platform::RegRoot root, const std::string& path, const std::string& name,
                     const platform::RegValue& value, const std::string& shown, RegChanges& changes) {
  std::string old = OldValueText(ReadRegInteger(root, path, name));
  return changes.Record(root, path, name, std::move(old), shown, WriteRegValue(root, path, name, value));
}

bool ApplyStep(const RegStep& step, RegChanges& changes) {
  if (!StepApplies(step)) return false;
  if (step.kind == StepKind::DeleteIfPresent) return DeleteValue(step.root, step.path, step.name, changes);
  return WriteTypedValue(step.root, step.path, step.name,
                         platform::RegValue::Dword(static_cast<std::uint32_t>(step.value)), std::to_string(step.value),
                         changes);
}

std::vector<std::string> ListAdapters() {
  return ListRegSubKeys(kHKLM, tcp_paths::kTcpipAdapters).value_or(std::vector<std::string>{});
}

std::vector<RegStep> AdapterSteps(const std::string& id, std::int32_t mtu) {
  const std::string interfaceKey = tcp_paths::kTcpipInterfaces + id;
  return {
      {StepKind::Write, kHKLM, interfaceKey, "MTU", mtu},
      {StepKind::DeleteIfPresent, kHKLM, interfaceKey, "TcpWindowSize", 0},
      {StepKind::WriteIfPresent, kHKLM, std::string(tcp_paths::kPschedAdapters) + id, "NonBestEffortLimit", 0},
  };
}

}  // namespace velomar
