#include "forms/Unit_AutoOptimize.h"

#include "forms/VelomarLook.h"
#include "mtu/Unit_MTU.h"

namespace velomar {

TForm_Velomar_AutoOptimize::TForm_Velomar_AutoOptimize()
    : TForm_Velomar_AutoOptimize(std::make_unique<PathMtuProbe>()) {}

TForm_Velomar_AutoOptimize::TForm_Velomar_AutoOptimize(std::unique_ptr<PathMtuProvider> mtu)
    : Form(AutoOptimizeLayout(), VelomarLook()), mtu_(std::move(mtu)), logic_(*this, *mtu_) {
  logic_.Wire();
  On(auto_window::kTimer, Event::Timer, [this] { Timer_ShowTimer(); });
  // A close from the title bar waits for a running pass to return.
  OnMessage(WM_CLOSE, [this](WPARAM, LPARAM) -> LRESULT {
    logic_.CloseRequest();
    return 0;
  });
}

// The display tick: a pass waiting in PauseForDisplay goes on.
void TForm_Velomar_AutoOptimize::Timer_ShowTimer() { EndPauseForDisplay(); }

}  // namespace velomar
