// RestoreRegBackup over a memory registry: the five-line records of a
// registry backup. A backup with a bad value or root line restores nothing;
// what a restore leaves in the registry saves and loads back as it is.
#include <string>

#include "FuzzSupport.h"
#include "RegistryRoundTrip.h"
#include "platform/MemoryRegistry.h"
#include "registry/RegistryStore.h"
#include "tcp/RegBackup.h"

using velomar::fuzz::Check;
using velomar::platform::MemoryRegistry;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = velomar::fuzz::WriteScratchFile("RegBackUp.bk", velomar::fuzz::AsText(data, size));
  MemoryRegistry registry;
  velomar::ScopedRegistry scoped(registry);
  const velomar::BackupRestore restore = velomar::RestoreRegBackup(path);
  Check(restore.found, "an existing backup is processed");
  if (!restore.invalid.empty()) {
    Check(registry.SaveRegText() == "REGEDIT4\r\n", "a refused backup restores nothing");
    return 0;
  }
  velomar::fuzz::CheckSavedFileLoadsBack(registry);
  return 0;
}
