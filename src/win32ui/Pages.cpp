#include "win32ui/Pages.h"

#include <commctrl.h>

#include "platform/win32/Win32Text.h"

namespace velomar::ui {

void PageControl::Adopt(Control& child) {
  if (child.Kind() != ComponentKind::TabSheet) return;
  auto& sheet = static_cast<TabSheet&>(child);
  sheet.SetSheetIndex(static_cast<int>(sheets_.size()));
  sheets_.push_back(&sheet);
}

Control::WindowSpec PageControl::Describe() const {
  WindowSpec w = DrawnControl::Describe();
  if (ShowsTabs()) {
    w.className = WC_TABCONTROLW;
    w.style = WS_TABSTOP;
  }
  return w;
}

void PageControl::Created() {
  if (!ShowsTabs()) return;
  for (std::size_t i = 0; i < sheets_.size(); ++i) {
    std::wstring caption = platform::Utf8ToWide(sheets_[i]->Text());
    TCITEMW tab{};
    tab.mask = TCIF_TEXT;
    tab.pszText = caption.data();
    SendMessageW(hwnd_, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&tab));
  }
}

RECT PageControl::PageArea() const {
  RECT page{0, 0, spec_.width, spec_.height};
  if (ShowsTabs() && hwnd_) SendMessageW(hwnd_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
  return page;
}

void PageControl::SetTabText(int index, const std::string& text) {
  if (!ShowsTabs() || !hwnd_) return;
  std::wstring caption = platform::Utf8ToWide(text);
  TCITEMW tab{};
  tab.mask = TCIF_TEXT;
  tab.pszText = caption.data();
  SendMessageW(hwnd_, TCM_SETITEMW, index, reinterpret_cast<LPARAM>(&tab));
}

void PageControl::ShowPage(int index) {
  if (index < 0 || index >= static_cast<int>(sheets_.size())) return;
  active_ = index;
  if (ShowsTabs() && hwnd_) SendMessageW(hwnd_, TCM_SETCURSEL, index, 0);
  for (std::size_t i = 0; i < sheets_.size(); ++i)
    if (HWND sheet = sheets_[i]->Handle()) ShowWindow(sheet, static_cast<int>(i) == index ? SW_SHOW : SW_HIDE);
}

std::vector<std::string> PageControl::Items() const {
  std::vector<std::string> items;
  for (const TabSheet* sheet : sheets_) items.push_back(sheet->Text());
  return items;
}

bool PageControl::Reflected(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
  if (message != WM_NOTIFY || reinterpret_cast<const NMHDR*>(lParam)->code != static_cast<UINT>(TCN_SELCHANGE))
    return false;
  ShowPage(static_cast<int>(SendMessageW(hwnd_, TCM_GETCURSEL, 0, 0)));
  Fire(Event::Change);
  result = 0;
  return true;
}

Control::WindowSpec TabSheet::Describe() const {
  const RECT page = Pages().PageArea();
  WindowSpec w{nullptr, 0, 0, page.left, page.top, page.right - page.left, page.bottom - page.top};
  w.hidden = true;  // the page control shows the active one
  return w;
}

void TabSheet::TextChanged() {
  DrawnControl::TextChanged();
  Pages().SetTabText(sheetIndex_, Text());
}

}  // namespace velomar::ui
