#pragma once
// A dry run: while a ScopedDryRun lives nothing is changed. The registry
// store works on an overlay of the registry it worked on, which reads
// through to it and keeps every change to itself, and the file writers
// only check that they could write (platform::ScopedNoWrites). So a pass
// run inside one meets what the real pass would meet, writes the same
// rows, and leaves the system as it was. velomar-cli --dry-run and the
// automatic window's preview run their passes inside one.
#include "platform/Files.h"
#include "platform/OverlayRegistry.h"
#include "registry/RegistryStore.h"

namespace velomar {

class ScopedDryRun {
 public:
  ScopedDryRun() : overlay_(ActiveRegistry()), registry_(overlay_) {}
  ScopedDryRun(const ScopedDryRun&) = delete;
  ScopedDryRun& operator=(const ScopedDryRun&) = delete;

 private:
  platform::OverlayRegistry overlay_;
  ScopedRegistry registry_;
  platform::ScopedNoWrites noWrites_;
};

}  // namespace velomar
