// The REGEDIT4 loader and writer of the memory registry (velomar-cli
// --registry FILE.reg). A text that is refused changes nothing; one that
// loads is saved, and what is saved loads back into the same tree and saves
// to the same text.
#include <string>

#include "FuzzSupport.h"
#include "RegistryRoundTrip.h"
#include "platform/MemoryRegistry.h"

using velomar::fuzz::Check;
using velomar::platform::MemoryRegistry;

namespace {

// Something to merge into, so that deletions and case folding meet keys
// that exist.
constexpr const char* kBase =
    "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Base]\r\n\"Dword\"=dword:00000001\r\n\"Text\"=\"t\"\r\n"
    "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters]\r\n\"DefaultTTL\"=dword:00000080\r\n";

void LoadBase(MemoryRegistry& registry) {
  std::string error;
  if (!registry.LoadRegText(kBase, error)) velomar::fuzz::Fail("the base text loads", error);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(velomar::fuzz::AsText(data, size));
  MemoryRegistry registry;
  LoadBase(registry);
  std::string error;
  if (!registry.LoadRegText(text, error)) {
    MemoryRegistry base;
    LoadBase(base);
    Check(registry.SameTree(base), "a refused text changes nothing", error);
    Check(error.rfind("line ", 0) == 0, "a refusal names its line", error);
    return 0;
  }
  velomar::fuzz::CheckSavedFileLoadsBack(registry);
  return 0;
}
