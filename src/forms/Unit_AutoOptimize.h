#pragma once
// The automatic optimisation window: one bandwidth class, one button, and
// the run's rows coming in one per display tick.
#include <memory>

#include "app/AutoOptimizeWindow.h"
#include "mtu/PathMtuProvider.h"
#include "win32ui/Form.h"

namespace velomar {

class TForm_Velomar_AutoOptimize : public ui::Form {
 public:
  // Measures the path MTU with the probe towards the program's probe host.
  TForm_Velomar_AutoOptimize();
  // Another MTU source (tests, the pacing benchmark).
  explicit TForm_Velomar_AutoOptimize(std::unique_ptr<PathMtuProvider> mtu);

  // Set by the main window before each showing.
  void SetVistaOrLater(bool value) { logic_.VistaOrLater = value; }
  // Set once a run has started; the main window then ends the program.
  bool Optimized() const { return logic_.Optimized; }
  void ClearOptimized() { logic_.Optimized = false; }

  AutoOptimizeWindow& Logic() { return logic_; }

  void Timer_ShowTimer();

 private:
  std::unique_ptr<PathMtuProvider> mtu_;
  AutoOptimizeWindow logic_;
};

}  // namespace velomar
