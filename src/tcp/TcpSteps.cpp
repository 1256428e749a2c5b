#include "tcp/TcpSteps.h"

#include "registry/Unit_RegOperation.h"
#include "util/TextLines.h"

namespace velomar {

namespace {

const char* TypeName(std::uint32_t type) {
  switch (type) {
    case platform::kRegNone: return "REG_NONE";
    case platform::kRegSz: return "REG_SZ";
    case platform::kRegExpandSz: return "REG_EXPAND_SZ";
    case platform::kRegBinary: return "REG_BINARY";
    case platform::kRegDword: return "REG_DWORD";
    case platform::kRegMultiSz: return "REG_MULTI_SZ";
    case platform::kRegQword: return "REG_QWORD";
    default: return "REG_UNKNOWN";
  }
}

struct RecordedValue {
  std::string old;
  std::string type;
};

// The old-value and type lines of a backup record.
RecordedValue BackupValue(const RegValueSnapshot& snapshot) {
  if (!snapshot.keyExists) return {"No Key", "REG_NONE"};
  if (!snapshot.valueExists) return {"No value", "REG_NONE"};
  // Only integers can be put back; anything else is recorded by type alone.
  const auto dword = snapshot.value.AsDword();
  return {dword ? std::to_string(static_cast<std::int32_t>(*dword)) : std::string("No value"),
          TypeName(snapshot.value.type)};
}

}  // namespace

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

bool WriteRegBackup(const std::string& file, const std::vector<RegStep>& steps, std::string& error) {
  Lines lines;
  for (const auto& step : steps) {
    if (!StepApplies(step)) continue;
    const auto [old, type] = BackupValue(SnapshotRegValue(step.root, step.path, step.name));
    lines.insert(lines.end(), {step.name, step.root, step.path, old, type});
  }
  return SaveLines(file, lines, error);
}

}  // namespace velomar
