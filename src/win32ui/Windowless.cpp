#include "win32ui/Windowless.h"

namespace velomar::ui {

TimerControl::~TimerControl() {
  if (HWND window = host_.Window(); window && enabled_) KillTimer(window, IdFor(Index()));
}

void TimerControl::Create(HWND) { Apply(); }

void TimerControl::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Apply();
}

void TimerControl::Apply() {
  HWND window = host_.Window();
  if (!window) return;
  if (enabled_)
    SetTimer(window, IdFor(Index()), interval_, nullptr);
  else
    KillTimer(window, IdFor(Index()));
}

}  // namespace velomar::ui
