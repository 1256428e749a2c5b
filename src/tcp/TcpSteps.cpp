#include "tcp/TcpSteps.h"

#include "tcp/Unit_RegOperation.h"
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

}  // namespace

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
  const std::string interfaceKey = std::string(tcp_paths::Interfaces) + id;
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
    const auto snapshot = SnapshotRegValue(step.root, step.path, step.name);
    std::string old;
    std::string type = "REG_NONE";
    if (!snapshot.keyExists) {
      old = "No Key";
    } else if (!snapshot.valueExists) {
      old = "No value";
    } else {
      type = TypeName(snapshot.value.type);
      // Only integers can be put back; anything else is recorded by type alone.
      if (const auto dword = snapshot.value.AsDword())
        old = std::to_string(static_cast<std::int32_t>(*dword));
      else
        old.assign("No value");
    }
    lines.insert(lines.end(), {step.name, step.root, step.path, old, type});
  }
  return SaveLines(file, lines, error);
}

}  // namespace velomar
