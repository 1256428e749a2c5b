// Where auto-tcp gets the path MTU when --mtu is not given.
#include "Cli.h"
#include "mtu/PathMtuSearch.h"
#include "tcp/TcpPasses.h"

namespace velomar::cli {

PathMtuProvider& DefaultPathMtu() {
  static PathMtuProbe probe;
  return probe;
}

}  // namespace velomar::cli
