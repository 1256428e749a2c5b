#include "forms/Unit_AutoOptimize.h"

#include "forms/LinkWiring.h"
#include "mtu/Unit_MTU.h"

namespace velomar {

TForm_Velomar_AutoOptimize::TForm_Velomar_AutoOptimize()
    : TForm_Velomar_AutoOptimize(std::make_unique<PathMtuProbe>()) {}

TForm_Velomar_AutoOptimize::TForm_Velomar_AutoOptimize(std::unique_ptr<PathMtuProvider> mtu)
    : Form(AutoOptimizeLayout()), mtu_(std::move(mtu)), logic_(*this, *mtu_) {
  using ui::Event;
  AutoOptimizeWindow& w = logic_;
  OnCreate([&w] { w.FormCreate(); });
  On("TrackBar_BandWidth", Event::Change, [&w] { w.TrackBar_BandWidthChange(); });
  On("TrackBar_BandWidth", Event::Enter, [&w] { w.TrackBar_BandWidthEnter(); });
  On("Button_AutoOptimize", Event::Click, [&w] { w.Button_AutoOptimizeClick(); });
  On("Timer_Show", Event::Timer, [this] { Timer_ShowTimer(); });
  WireLinks(*this, w.links);
  // A close from the title bar waits for a running pass to return.
  OnMessage(WM_CLOSE, [&w](WPARAM, LPARAM) -> LRESULT {
    w.CloseRequest();
    return 0;
  });
}

// The display tick: a pass waiting in PauseForDisplay goes on.
void TForm_Velomar_AutoOptimize::Timer_ShowTimer() { EndPauseForDisplay(); }

}  // namespace velomar
