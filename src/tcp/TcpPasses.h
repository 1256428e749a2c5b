#pragma once
// The automatic TCP/IP pass, and the reset to the defaults of an untuned
// system.
#include <cstdint>

#include "mtu/PathMtuProvider.h"
#include "progress/PassProgress.h"
#include "tcp/RegBackup.h"
#include "tcp/TcpSteps.h"

namespace velomar {

// The figures one automatic pass tuned with.
struct TuningParameters {
  std::int32_t mtu = 0;
  std::int32_t bandwidthBits = 0;
  std::int32_t roundTripMs = 0;
  std::int32_t tcpWindow = 0;
  std::int32_t bandwidthKbps = 0;
  std::int32_t progressStep = 0;
};

// How the automatic pass went, and the figures it tuned with.
struct AutoPassReport : PassReport {
  TuningParameters tuning;
};

// The one-click pass: measures the MTU, computes the window and walks the
// value list, one row per value touched, each announced and paced by a
// pause; a row whose change the registry refused shows kNotChangedText as
// its new value. The bar moves on by progressStep before the first value,
// after each (after the second by 2, after the last by none) and before
// and after the adapters. Completes "RegBackUp.bk" in the current
// directory before the first change (see WriteRegBackup); when that fails
// it changes nothing and shows no row.
AutoPassReport AutoOptimizeTcp(std::int32_t bandwidthKbps, std::int32_t progressStep, PassProgress& progress,
                               PathMtuProvider& mtu);

// Resets the tuned values to those of an untuned system, going on past a
// change the registry refuses.
RegChanges RestoreTcpDefaults();

}  // namespace velomar
