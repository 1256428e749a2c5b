#pragma once
// What velomar-cli --registry does at the end of a command and the start of
// the next: save the registry to its file and load that file again. The
// file must load, into the same tree, and save to the same text.
#include <string>

#include "FuzzSupport.h"
#include "platform/MemoryRegistry.h"

namespace velomar::fuzz {

inline void CheckSavedFileLoadsBack(const platform::MemoryRegistry& registry) {
  const std::string path = ScratchFolder() + "/saved.reg";
  std::string error;
  Check(registry.SaveRegFile(path, error), "the registry is saved", error);
  const std::string saved = registry.SaveRegText();
  platform::MemoryRegistry again;
  Check(again.LoadRegFile(path, error), "the saved file loads", error + "\n" + saved);
  Check(again.SameTree(registry), "the saved file loads into the same tree", saved);
  Check(again.SaveRegText() == saved, "the reloaded tree saves to the same text", saved);
}

}  // namespace velomar::fuzz
