// TPing elsewhere: names are resolved synchronously by the echo service, so
// there is no lookup window.
#include "mtu/Ping.h"

namespace velomar {

void TPing::OpenLookupWindow() {}
void TPing::CloseLookupWindow() {}

}  // namespace velomar
