#pragma once
// What the custom window's two pages share: one bandwidth figure, one busy
// flag, one optimized flag, the memory flag taken at creation and the
// window's messages. The window owns it; each page works on it through a
// reference.
#include <cstdint>

#include "lang/MessageCatalogue.h"

namespace velomar {

struct CustomUnitState {
  std::int32_t bandwidthKbps = 56;  // the figure of the track bar's class
  bool busy = false;                // a pass of either page is running
  bool optimized = false;           // something was written; the program ends when the window closes
  bool memoryBig = false;           // total physical memory of 1 GiB or more
  MessageCatalogue messages;        // in the window's language, from its creation on
};

}  // namespace velomar
