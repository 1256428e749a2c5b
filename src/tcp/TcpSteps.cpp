#include "tcp/TcpSteps.h"

#include "registry/Unit_RegOperation.h"

namespace velomar {

RegStep Write(const TunedValue& v, std::int32_t value) { return {StepKind::Write, v.root, v.path, v.name, value}; }

RegStep WriteIfPresent(const TunedValue& v, std::int32_t value) {
  return {StepKind::WriteIfPresent, v.root, v.path, v.name, value};
}

RegStep DeleteIfPresent(const TunedValue& v) { return {StepKind::DeleteIfPresent, v.root, v.path, v.name, 0}; }

bool StepApplies(const RegStep& step) {
  return step.kind == StepKind::Write || RegValueStatus(step.root, step.path, step.name) == kRegValuePresent;
}

bool RegChanges::Count(const std::string& root, const std::string& path, const std::string& name,
                       platform::RegResult result) {
  if (!result) {
    notChanged.push_back({root, path, name, result});
    return false;
  }
  ++changed;
  return true;
}

void RegChanges::Add(const RegChanges& other) {
  changed += other.changed;
  notChanged.insert(notChanged.end(), other.notChanged.begin(), other.notChanged.end());
}

bool RemoveValue(const std::string& root, const std::string& path, const std::string& name, RegChanges& changes) {
  const RegValueSnapshot now = SnapshotRegValue(root, path, name);
  if (!now.keyExists || (now.readable && !now.valueExists)) return false;
  return changes.Count(root, path, name, DeleteRegValue(root, path, name));
}

bool ApplyStep(const RegStep& step, RegChanges& changes) {
  if (!StepApplies(step)) return false;
  const platform::RegResult result = step.kind == StepKind::DeleteIfPresent
                                         ? DeleteRegValue(step.root, step.path, step.name)
                                         : WriteRegInteger(step.root, step.path, step.name, step.value);
  return changes.Count(step.root, step.path, step.name, result);
}

std::vector<std::string> ListAdapters() {
  std::vector<std::string> adapters;
  ListRegSubKeys(kHKLM, tcp_paths::Adapters, adapters);
  return adapters;
}

std::vector<RegStep> AdapterSteps(const std::string& id, std::int32_t mtu) {
  const std::string interfaceKey = tcp_paths::Interfaces + id;
  return {
      {StepKind::Write, kHKLM, interfaceKey, "MTU", mtu},
      {StepKind::DeleteIfPresent, kHKLM, interfaceKey, "TcpWindowSize", 0},
      {StepKind::WriteIfPresent, kHKLM, std::string(tcp_paths::PschedAdapters) + id, "NonBestEffortLimit", 0},
  };
}

}  // namespace velomar
