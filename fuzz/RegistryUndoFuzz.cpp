// The registry undo's promise: for any registry of tuned values (present
// with any type and data, absent, their keys absent at any level) and any
// order of automatic and custom passes at any classes, the undo gives back
// the registry text exactly, and its dry run shows the rows it then takes.
// A complete undo retires the backups, so that after the user changes a
// value, later passes and their undo give back that state, not the first.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "bandwidth/BandwidthClass.h"
#include "platform/Files.h"
#include "platform/MemoryRegistry.h"
#include "platform/OverlayRegistry.h"
#include "registry/RegistryStore.h"
#include "support/NoProgress.h"
#include "tcp/CustomTcpPass.h"
#include "tcp/RegBackup.h"
#include "tcp/TcpPasses.h"
#include "util/Numbers.h"

using velomar::fuzz::Check;
using velomar::test::NoProgress;
namespace platform = velomar::platform;

namespace {

constexpr const char* kAdapterIds[] = {"{A}", "{B}", "{C}"};

std::string KeyPath(const std::string& path, std::size_t levels) {
  std::string key;
  std::size_t level = 0;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (path[i] == '\\' && i > 0 && ++level == levels) break;
    key += path[i];
  }
  return key;
}

std::size_t Levels(const std::string& path) {
  std::size_t levels = 0;
  for (char c : path) levels += c == '\\';
  return levels;
}

platform::RegValue AnyValue(FuzzedDataProvider& in) {
  static constexpr std::uint32_t kTypes[] = {platform::kRegDword,  platform::kRegSz,   platform::kRegExpandSz,
                                             platform::kRegBinary, platform::kRegNone, platform::kRegMultiSz,
                                             platform::kRegQword,  0x12345678u};
  const std::uint32_t type = in.PickValueInArray(kTypes);
  if (type == platform::kRegDword && in.ConsumeBool())
    return platform::RegValue::Dword(in.ConsumeIntegral<std::uint32_t>());
  return {type, in.ConsumeRandomLengthString(16)};
}

// A tuned value as the user may have it: its key missing down from some
// level, the value missing, or present with any type and data.
void Seed(FuzzedDataProvider& in, platform::MemoryRegistry& registry, platform::RegRoot root, const std::string& path,
          const std::string& name) {
  const std::size_t levels = Levels(path);
  const std::size_t present = in.ConsumeIntegralInRange<std::size_t>(0, levels + 1);
  if (present == 0) return;
  auto key = registry.Open(root, KeyPath(path, std::min(present, levels)), true);
  if (present > levels) key->SetValue(name, AnyValue(in));
}

void SeedRegistry(FuzzedDataProvider& in, platform::MemoryRegistry& registry) {
  for (const auto& value : velomar::TunedValues()) Seed(in, registry, value.root, value.path, value.name);
  for (const char* id : kAdapterIds) {
    if (!in.ConsumeBool()) continue;
    registry.Open(platform::RegRoot::LocalMachine, std::string(velomar::tcp_paths::kTcpipAdapters) + "\\" + id, true);
    for (const auto& step : velomar::AdapterSteps(id, 0)) Seed(in, registry, step.root, step.path, step.name);
  }
}

std::int32_t AnyClassKbps(FuzzedDataProvider& in) {
  return velomar::BandwidthClassAt(in.ConsumeIntegralInRange(0, velomar::kBandwidthClassCount - 1))->bandwidthKbps;
}

velomar::CustomTcpSettings AnyCustomSettings(FuzzedDataProvider& in) {
  velomar::CustomTcpSettings settings;
  for (const velomar::CustomTcpField* field : velomar::CustomTcpFields()) {
    switch (field->kind) {
      case velomar::CustomTcpField::Kind::Number: settings.*field->number = in.ConsumeIntegral<std::int32_t>(); break;
      case velomar::CustomTcpField::Kind::Switch:
        settings.*field->choice = static_cast<velomar::TcpSwitch>(in.ConsumeIntegralInRange(0, 2));
        break;
      case velomar::CustomTcpField::Kind::Tcp1323Bit: settings.*field->flag = in.ConsumeBool(); break;
    }
  }
  settings.bandwidthKbps = AnyClassKbps(in);
  for (const char* id : kAdapterIds)
    if (in.ConsumeBool()) settings.adapters.push_back(id);
  settings.mtu = in.ConsumeIntegral<std::int32_t>();
  return settings;
}

// One to four passes of either mode.
void RunPasses(FuzzedDataProvider& in) {
  NoProgress progress;
  const int passes = in.ConsumeIntegralInRange(1, 4);
  for (int i = 0; i < passes; ++i) {
    if (in.ConsumeBool()) {
      velomar::FixedPathMtu mtu(in.ConsumeIntegral<std::int32_t>());
      const auto report = velomar::AutoOptimizeTcp(AnyClassKbps(in), 4, progress, mtu);
      Check(report.backupWritten && report.changes.Complete(), "the automatic pass", report.backupError);
      continue;
    }
    try {
      const auto report = velomar::RunCustomTcpPass(AnyCustomSettings(in), progress, 4);
      Check(report.backupWritten && report.changes.Complete(), "the custom pass", report.backupError);
    } catch (const velomar::ConversionError&) {
      // 2147483647 stands for no value: the pass refuses it and changes nothing.
    }
  }
}

bool BackupsLeft() {
  return platform::FileExists(velomar::kAutoBackupFile) || platform::FileExists(velomar::kCustomBackupFile);
}

// The undo of either window, after its dry run: the state from before the
// passes, the backups kept aside.
void UndoAndCheck(FuzzedDataProvider& in, platform::MemoryRegistry& registry, const std::string& before) {
  const char* file = in.ConsumeBool() ? velomar::kAutoBackupFile : velomar::kCustomBackupFile;
  const std::string tuned = registry.SaveRegText();
  velomar::BackupRestore dry;
  {
    platform::OverlayRegistry overlay(registry);
    velomar::ScopedRegistry scoped(overlay);
    platform::ScopedNoWrites noWrites;
    dry = velomar::RestoreRegBackup(file);
  }
  Check(registry.SaveRegText() == tuned && BackupsLeft(), "the dry run changes nothing");
  const velomar::BackupRestore undo = velomar::RestoreRegBackup(file);
  Check(undo.Complete(), "the undo puts everything back", undo.invalid);
  Check(dry.changes.rows == undo.changes.rows, "the dry run shows the undo's rows");
  Check(registry.SaveRegText() == before, "the undo gives back the registry text",
        "before:\n" + before + "\nafter:\n" + registry.SaveRegText());
  Check(!BackupsLeft(), "a complete undo retires the backups");
}

// A folder of its own for each input, as the current directory the backups go to.
void EnterEmptyFolder() {
  const std::string folder = velomar::fuzz::ScratchFolder() + "/run";
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  std::filesystem::create_directory(folder, ignored);
  if (chdir(folder.c_str()) != 0) velomar::fuzz::Fail("cannot enter the scratch folder", folder);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  EnterEmptyFolder();
  platform::MemoryRegistry registry;
  velomar::ScopedRegistry scoped(registry);
  SeedRegistry(in, registry);
  const std::string before = registry.SaveRegText();
  RunPasses(in);
  if (!BackupsLeft()) {
    Check(registry.SaveRegText() == before, "a pass that refused its settings changes nothing");
    return 0;
  }
  UndoAndCheck(in, registry, before);

  // The user sets a value of their own; the next runs' undo gives it back.
  velomar::WriteRegValue(velomar::kHKLM, velomar::tcp_paths::kTcpipParameters, "DefaultTTL",
                         platform::RegValue::Dword(in.ConsumeIntegral<std::uint32_t>()));
  const std::string changed = registry.SaveRegText();
  RunPasses(in);
  if (BackupsLeft()) UndoAndCheck(in, registry, changed);
  return 0;
}
