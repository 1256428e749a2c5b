#include "win32ui/ComboBox.h"

#include <algorithm>

#include "platform/win32/Win32Text.h"

namespace velomar::ui {

ComboBox::ComboBox(ControlHost& host, Component spec, int index) : Control(host, std::move(spec), index) {}

void ComboBox::Created() {
  for (const auto& item : spec_.items) AddItem(item);
}

std::vector<std::string> ComboBox::Items() const {
  if (!hwnd_) return spec_.items;
  std::vector<std::string> items;
  const int count = static_cast<int>(SendMessageW(hwnd_, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    const int length = std::max(0, static_cast<int>(SendMessageW(hwnd_, CB_GETLBTEXTLEN, i, 0)));
    std::wstring item(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(hwnd_, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
    item.resize(static_cast<std::size_t>(length));
    items.push_back(platform::WideToUtf8(item));
  }
  return items;
}

void ComboBox::SetItems(const std::vector<std::string>& items) {
  if (!hwnd_) {
    spec_.items = items;
    return;
  }
  SendMessageW(hwnd_, CB_RESETCONTENT, 0, 0);
  for (const auto& item : items) AddItem(item);
}

void ComboBox::AddItem(const std::string& item) {
  if (hwnd_)
    SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(platform::Utf8ToWide(item).c_str()));
  else
    spec_.items.push_back(item);
}

int ComboBox::ItemIndex() const { return hwnd_ ? static_cast<int>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0)) : -1; }

void ComboBox::SetItemIndex(int index) {
  if (!hwnd_) return;
  // An index the list does not hold selects nothing, on every system (Wine
  // would keep the old selection).
  const int count = static_cast<int>(SendMessageW(hwnd_, CB_GETCOUNT, 0, 0));
  SendMessageW(hwnd_, CB_SETCURSEL, index >= 0 && index < count ? index : -1, 0);
}

bool ComboBox::Reflected(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  if (message != WM_COMMAND || HIWORD(wParam) != CBN_SELCHANGE) return false;
  Fire(Event::Change);
  Fire(Event::Click);
  result = 0;
  return true;
}

Control::WindowSpec ComboBox::Describe() const {
  // The height is that of the opened list.
  return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, spec_.x, spec_.y, spec_.width, 200};
}

}  // namespace velomar::ui
