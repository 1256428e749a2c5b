#pragma once
// The custom (expert) window: the TCP/IP and Firefox pages over the class
// track bar. The main window hands over VistaOrLater before each modal
// showing and reads Optimized afterwards.
#include "app/CustomWindow.h"
#include "forms/Unit_Recover.h"
#include "win32ui/Form.h"

namespace velomar {

class TForm_Velomar_Custom : public ui::Form {
 public:
  // The recover window is shown from the recover link; tests may put their
  // own services in.
  explicit TForm_Velomar_Custom(TForm_Recover& recover);
  TForm_Velomar_Custom(TForm_Recover& recover, CustomWindowServices services);

  void SetVistaOrLater(bool value) { logic_.VistaOrLater = value; }
  bool Optimized() const { return logic_.unit.Optimized; }
  void ClearOptimized() { logic_.unit.Optimized = false; }

  CustomWindow& Logic() { return logic_; }

 private:
  void Wire();

  TForm_Recover& recover_;
  CustomWindow logic_;
};

}  // namespace velomar
