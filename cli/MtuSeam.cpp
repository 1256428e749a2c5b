// Where auto-tcp gets the path MTU when --mtu is not given.
#include "Cli.h"
#include "tcp/Unit_TcpOptimize.h"

namespace velomar::cli {

PathMtuProvider& DefaultPathMtu() {
  // Until the probe is built, every measurement fails, as a probe with no
  // network does; the pass then uses 1500.
  static FixedPathMtu noProbe(-1);
  return noProbe;
}

}  // namespace velomar::cli
