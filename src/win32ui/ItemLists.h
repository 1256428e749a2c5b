#pragma once
// Combo boxes (drop-down lists) and list boxes: the same item list behind
// two sets of window messages.
#include "win32ui/Control.h"
#include "win32ui/ControlCapabilities.h"

namespace velomar::ui {

class ItemList : public Control, public ItemChoice, public ItemEditing {
 public:
  // The messages of one kind of list.
  struct Messages {
    UINT add, reset, count, textLength, text, getSelection, setSelection;
    WORD selectionChanged;  // the notification code
  };

  ItemList(ControlHost& host, Component spec, int index, const Messages& messages);

  std::vector<std::string> Items() const override;
  void SetItems(const std::vector<std::string>& items) override;
  void AddItem(const std::string& item) override;
  int ItemIndex() const override;
  void SetItemIndex(int index) override;
  // A choice of the user: Change, then Click.
  bool Reflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 protected:
  void Created() override;

 private:
  const Messages& messages_;
};

class ComboBox : public ItemList {
 public:
  ComboBox(ControlHost& host, Component spec, int index);

 protected:
  WindowSpec Describe() const override;
};

class ListBox : public ItemList {
 public:
  ListBox(ControlHost& host, Component spec, int index);

 protected:
  WindowSpec Describe() const override;
};

}  // namespace velomar::ui
