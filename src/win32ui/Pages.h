#pragma once
// Page controls and their tab sheets. A page control shows tabs (a system
// tab control) or switches its pages by program only (a window of the
// framework's own class); its item index is the active page.
#include <vector>

#include "win32ui/ControlCapabilities.h"
#include "win32ui/Drawn.h"

namespace velomar::ui {

class TabSheet;

class PageControl : public DrawnControl, public ItemChoice {
 public:
  using DrawnControl::DrawnControl;
  bool IsContainer() const override { return true; }
  void Adopt(Control& child) override;
  void ChildrenCreated() override { ShowPage(0); }

  std::vector<std::string> Items() const override;
  int ItemIndex() const override { return active_; }
  void SetItemIndex(int index) override { ShowPage(index); }
  bool Reflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  // Where the sheets lie: the whole control, less the tabs.
  RECT PageArea() const;
  void SetTabText(int index, const std::string& text);

 protected:
  WindowSpec Describe() const override;
  void Created() override;

 private:
  bool ShowsTabs() const { return spec_.tabsVisible; }
  void ShowPage(int index);

  std::vector<TabSheet*> sheets_;
  int active_ = -1;
};

class TabSheet : public DrawnControl {
 public:
  using DrawnControl::DrawnControl;
  bool IsContainer() const override { return true; }
  void SetSheetIndex(int index) { sheetIndex_ = index; }

 protected:
  WindowSpec Describe() const override;
  void TextChanged() override;

 private:
  PageControl& Pages() const { return static_cast<PageControl&>(*Parent()); }
  int sheetIndex_ = 0;
};

}  // namespace velomar::ui
