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

void ApplyStep(const RegStep& step) {
  if (!StepApplies(step)) return;
  if (step.kind == StepKind::DeleteIfPresent)
    DeleteRegValue(step.root, step.path, step.name);
  else
    WriteRegInteger(step.root, step.path, step.name, step.value);
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
