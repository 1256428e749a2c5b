#pragma once
// What the framework is told of Velomar: every window of the program is
// made with this look.
#include "win32ui/Look.h"

namespace velomar {

// The application title "Velomar", Tahoma, the controls' window class
// "VelomarPart" and the program's pictures (Artwork.h).
const ui::Look& VelomarLook();

}  // namespace velomar
