#include "forms/AutoOptimizeForm.h"

#include "forms/VelomarLook.h"
#include "mtu/PathMtuSearch.h"

namespace velomar {

AutoOptimizeForm::AutoOptimizeForm() : AutoOptimizeForm(std::make_unique<PathMtuProbe>()) {}

AutoOptimizeForm::AutoOptimizeForm(std::unique_ptr<PathMtuProvider> mtu)
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
void AutoOptimizeForm::Timer_ShowTimer() { EndPauseForDisplay(); }

}  // namespace velomar
