#pragma once
// Wires a window's recover and help links (WindowLinks) to its components:
// the two hot zones, the captions and the pictures.
#include "app/WindowLinks.h"
#include "win32ui/Form.h"

namespace velomar {

void WireLinks(ui::Form& form, WindowLinks& links);

}  // namespace velomar
