#include "win32ui/ListView.h"

#include <commctrl.h>

#include "platform/win32/Win32Text.h"

namespace velomar::ui {

ListView::ListView(ControlHost& host, Component spec, int index)
    : Control(host, std::move(spec), index), columns_(spec_.columns) {}

Control::WindowSpec ListView::Describe() const {
  return {WC_LISTVIEWW,     LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP,
          WS_EX_CLIENTEDGE, spec_.x,
          spec_.y,          spec_.width,
          spec_.height};
}

void ListView::Created() {
  SendMessageW(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  const int count = static_cast<int>(columns_.size());
  for (int k = 0; k < count; ++k) {
    std::wstring text = platform::Utf8ToWide(columns_[k]);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.cx = k < static_cast<int>(spec_.columnWidths.size()) ? spec_.columnWidths[k] : (spec_.width - 4) / count;
    column.pszText = text.data();
    column.iSubItem = k;
    SendMessageW(hwnd_, LVM_INSERTCOLUMNW, k, reinterpret_cast<LPARAM>(&column));
  }
}

std::string ListView::Cell(int row, int column) const {
  wchar_t buffer[1024] = {};
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = buffer;
  item.cchTextMax = sizeof buffer / sizeof buffer[0];
  SendMessageW(hwnd_, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
  return platform::WideToUtf8(buffer);
}

void ListView::SetCell(int row, int column, const std::string& text) {
  std::wstring wide = platform::Utf8ToWide(text);
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = wide.data();
  SendMessageW(hwnd_, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

void ListView::AppendRow(const LogRow& row) {
  if (!hwnd_) return;
  std::wstring name = platform::Utf8ToWide(row.name);
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = RowCount();
  item.pszText = name.data();
  const int at = static_cast<int>(SendMessageW(hwnd_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  if (at < 0) return;
  SetCell(at, 1, row.oldValue);
  SetCell(at, 2, row.newValue);
}

int ListView::RowCount() const { return hwnd_ ? static_cast<int>(SendMessageW(hwnd_, LVM_GETITEMCOUNT, 0, 0)) : 0; }

std::vector<LogRow> ListView::Rows() const {
  std::vector<LogRow> rows;
  const int count = RowCount();
  for (int i = 0; i < count; ++i) rows.push_back({Cell(i, 0), Cell(i, 1), Cell(i, 2)});
  return rows;
}

void ListView::ClearRows() {
  if (hwnd_) SendMessageW(hwnd_, LVM_DELETEALLITEMS, 0, 0);
}

void ListView::ScrollBy(int pixels) {
  if (hwnd_) SendMessageW(hwnd_, LVM_SCROLL, 0, pixels);
}

void ListView::SetColumnText(int index, const std::string& text) {
  if (index < 0 || index >= static_cast<int>(columns_.size())) return;
  columns_[index] = text;
  if (!hwnd_) return;
  std::wstring wide = platform::Utf8ToWide(text);
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT;
  column.pszText = wide.data();
  SendMessageW(hwnd_, LVM_SETCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
}

void ListView::SetRowCaption(int index, const std::string& text) {
  if (hwnd_) SetCell(index, 0, text);
}

}  // namespace velomar::ui
