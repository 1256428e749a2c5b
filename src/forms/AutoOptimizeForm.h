#pragma once
// The automatic optimisation window: one bandwidth class, one button, and
// the run's rows coming in one per display tick.
#include <memory>

#include "app/AutoOptimizeWindow.h"
#include "mtu/PathMtuProvider.h"
#include "win32ui/Form.h"

namespace velomar {

class AutoOptimizeForm : public ui::Form {
 public:
  // Measures the path MTU with the probe towards the program's probe host.
  AutoOptimizeForm();
  // Another MTU source (tests, the pacing benchmark).
  explicit AutoOptimizeForm(std::unique_ptr<PathMtuProvider> mtu);

  // Set by the main window before each showing.
  void SetVistaOrLater(bool value) { logic_.vistaOrLater = value; }
  // Set once a run has started; the main window then ends the program.
  bool Optimized() const { return logic_.optimized; }
  void ClearOptimized() { logic_.optimized = false; }

  AutoOptimizeWindow& Logic() { return logic_; }

  void Timer_ShowTimer();

 private:
  std::unique_ptr<PathMtuProvider> mtu_;
  AutoOptimizeWindow logic_;
};

}  // namespace velomar
