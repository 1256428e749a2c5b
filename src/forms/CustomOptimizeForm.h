#pragma once
// The custom (expert) window: the TCP/IP and Firefox pages over the class
// track bar. The main window hands over VistaOrLater before each modal
// showing and reads Optimized afterwards.
#include "app/CustomWindow.h"
#include "forms/RecoverForm.h"
#include "win32ui/Form.h"

namespace velomar {

class CustomOptimizeForm : public ui::Form {
 public:
  // The recover window is shown from the recover link; tests may put their
  // own services in.
  explicit CustomOptimizeForm(RecoverForm& recover);
  CustomOptimizeForm(RecoverForm& recover, CustomWindowServices services);

  void SetVistaOrLater(bool value) { logic_.vistaOrLater = value; }
  bool Optimized() const { return logic_.unit.optimized; }
  void ClearOptimized() { logic_.unit.optimized = false; }

  CustomWindow& Logic() { return logic_; }

 private:
  void Wire();

  RecoverForm& recover_;
  CustomWindow logic_;
};

}  // namespace velomar
