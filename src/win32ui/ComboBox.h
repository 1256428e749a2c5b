#pragma once
// Combo boxes: drop-down lists the user chooses one item of.
#include "win32ui/Control.h"
#include "win32ui/ControlCapabilities.h"

namespace velomar::ui {

class ComboBox : public Control, public ItemChoice, public ItemEditing {
 public:
  ComboBox(ControlHost& host, Component spec, int index);

  std::vector<std::string> Items() const override;
  void SetItems(const std::vector<std::string>& items) override;
  void AddItem(const std::string& item) override;
  int ItemIndex() const override;
  void SetItemIndex(int index) override;
  // A choice of the user: Change, then Click.
  bool Reflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 protected:
  WindowSpec Describe() const override;
  void Created() override;
};

}  // namespace velomar::ui
