// The path MTU command.
#include <iostream>

#include "Cli.h"
#include "mtu/PathMtuSearch.h"

namespace velomar::cli {

namespace {

int MtuCommand(Invocation& in) {
  const auto host = in.TakeOption("--host");
  if (host && host->empty()) throw UsageError("--host needs a host name or a dotted IPv4 address");
  in.Begin();
  // -1 is an answer, not a failure: the automatic pass then uses 1500.
  in.Out() << MeasurePathMtu(host.value_or(kProbeHost)) << '\n';
  return 0;
}

const Registrar kMtuCommands({
    {"mtu", "mtu [--host H]", "measure the path MTU (echo requests with don't-fragment set); -1 when none", false,
     MtuCommand},
});

}  // namespace

}  // namespace velomar::cli
