#pragma once
// Components without a window of their own: timers (a timer of the form's
// window) and the ones a layout only lists (the theme manifest).
#include "win32ui/Control.h"
#include "win32ui/ControlCapabilities.h"

namespace velomar::ui {

class WindowlessControl : public Control {
 public:
  using Control::Control;
  void Create(HWND /*parentWindow*/) override {}
};

class TimerControl : public WindowlessControl, public Ticking {
 public:
  using WindowlessControl::WindowlessControl;
  ~TimerControl() override;
  void Create(HWND parentWindow) override;
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool enabled) override;
  void Tick() override { Fire(Event::Timer); }
  // The timer identifier of the component at `index` in its form's window.
  static UINT_PTR IdFor(int index) { return kFirstId + static_cast<UINT_PTR>(index); }
  static bool IsTimerId(UINT_PTR id, std::size_t count) { return id >= kFirstId && id < kFirstId + count; }
  static std::size_t IndexOf(UINT_PTR id) { return id - kFirstId; }

 private:
  static constexpr UINT_PTR kFirstId = 1000;
  // Starts or stops the window's timer as the component stands.
  void Apply();

  bool enabled_ = !spec_.disabled;
  const int interval_ = spec_.interval;
};

}  // namespace velomar::ui
