#include "win32ui/ItemLists.h"

#include <algorithm>

#include "platform/win32/Win32Text.h"

namespace velomar::ui {

namespace {
constexpr ItemList::Messages kComboMessages{CB_ADDSTRING, CB_RESETCONTENT, CB_GETCOUNT,  CB_GETLBTEXTLEN,
                                            CB_GETLBTEXT, CB_GETCURSEL,    CB_SETCURSEL, CBN_SELCHANGE};
constexpr ItemList::Messages kListMessages{LB_ADDSTRING, LB_RESETCONTENT, LB_GETCOUNT,  LB_GETTEXTLEN,
                                           LB_GETTEXT,   LB_GETCURSEL,    LB_SETCURSEL, LBN_SELCHANGE};
}  // namespace

ItemList::ItemList(ControlHost& host, Component spec, int index, const Messages& messages)
    : Control(host, std::move(spec), index), messages_(messages) {}

void ItemList::Created() {
  for (const auto& item : spec_.items) AddItem(item);
}

std::vector<std::string> ItemList::Items() const {
  if (!hwnd_) return spec_.items;
  std::vector<std::string> items;
  const int count = static_cast<int>(SendMessageW(hwnd_, messages_.count, 0, 0));
  for (int i = 0; i < count; ++i) {
    const int length = std::max(0, static_cast<int>(SendMessageW(hwnd_, messages_.textLength, i, 0)));
    std::wstring item(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(hwnd_, messages_.text, i, reinterpret_cast<LPARAM>(item.data()));
    item.resize(static_cast<std::size_t>(length));
    items.push_back(platform::WideToUtf8(item));
  }
  return items;
}

void ItemList::SetItems(const std::vector<std::string>& items) {
  if (!hwnd_) {
    spec_.items = items;
    return;
  }
  SendMessageW(hwnd_, messages_.reset, 0, 0);
  for (const auto& item : items) AddItem(item);
}

void ItemList::AddItem(const std::string& item) {
  if (hwnd_)
    SendMessageW(hwnd_, messages_.add, 0, reinterpret_cast<LPARAM>(platform::Utf8ToWide(item).c_str()));
  else
    spec_.items.push_back(item);
}

int ItemList::ItemIndex() const {
  return hwnd_ ? static_cast<int>(SendMessageW(hwnd_, messages_.getSelection, 0, 0)) : -1;
}

void ItemList::SetItemIndex(int index) {
  if (!hwnd_) return;
  // An index the list does not hold selects nothing, on every system (Wine
  // would keep the old selection).
  const int count = static_cast<int>(SendMessageW(hwnd_, messages_.count, 0, 0));
  SendMessageW(hwnd_, messages_.setSelection, index >= 0 && index < count ? index : -1, 0);
}

bool ItemList::Reflected(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  if (message != WM_COMMAND || HIWORD(wParam) != messages_.selectionChanged) return false;
  Fire(Event::Change);
  Fire(Event::Click);
  result = 0;
  return true;
}

ComboBox::ComboBox(ControlHost& host, Component spec, int index)
    : ItemList(host, std::move(spec), index, kComboMessages) {}

Control::WindowSpec ComboBox::Describe() const {
  // The height is that of the opened list.
  return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, spec_.x, spec_.y, spec_.width, 200};
}

ListBox::ListBox(ControlHost& host, Component spec, int index)
    : ItemList(host, std::move(spec), index, kListMessages) {}

Control::WindowSpec ListBox::Describe() const {
  return {L"LISTBOX",  LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, spec_.x, spec_.y, spec_.width,
          spec_.height};
}

}  // namespace velomar::ui
