#pragma once
// What the registry holds now, as the custom TCP/IP page shows it.
#include <cstdint>
#include <optional>
#include <string>

#include "tcp/CustomTcpPass.h"

namespace velomar {

struct CurrentTcpSettings {
  // Each field of CustomTcpFields(): the number the registry holds, or the
  // field's fallback while it holds none (a value that is missing, holds no
  // 32-bit number, or holds 2147483647, which reads as none and must not be
  // offered for writing); a switch on yes for 1, no for 0, else its
  // default; a Tcp1323 bit set when the stored value checks its box, which
  // the reader never unchecks.
  CustomTcpSettings values;
  // The selected card's adapter MTU (1500 when its interface has none);
  // nothing when no adapter binding belongs to the selected card.
  std::optional<std::int32_t> mtu;
  bool checkPppoe = false;  // that MTU is 1492
};

CurrentTcpSettings ReadTcpSettings(const std::string& selectedService);

}  // namespace velomar
