#include "win32ui/Tooltips.h"

#include <commctrl.h>

#include "platform/win32/Win32Text.h"

namespace velomar::ui {

namespace {

constexpr int kMaximumTipWidth = 300;

// The size every version of the common controls accepts; `text` must
// outlive the record.
TOOLINFOW ToolFor(HWND tool, std::wstring& text) {
  TOOLINFOW info{};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = GetParent(tool);
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  info.lpszText = text.data();
  return info;
}

}  // namespace

Tooltips::~Tooltips() {
  if (tip_) DestroyWindow(tip_);
}

bool Tooltips::Ensure() {
  if (tip_) return true;
  tip_ =
      CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner_, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (tip_) SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, kMaximumTipWidth);
  return tip_ != nullptr;
}

void Tooltips::Hovered(HWND tool, const std::string& text, UINT message, WPARAM wParam, LPARAM lParam) {
  if (text.empty() || !Ensure()) return;
  if (tools_.insert(tool).second) {
    std::wstring wide = platform::Utf8ToWide(text);
    TOOLINFOW info = ToolFor(tool, wide);
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    // The tooltip subclasses the tool from now on; this first move it is told of.
    MSG move{tool, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    GetCursorPos(&move.pt);
    SendMessageW(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
  }
}

void Tooltips::Update(HWND tool, const std::string& text) {
  if (!tip_ || !tools_.count(tool)) return;
  std::wstring wide = platform::Utf8ToWide(text);
  TOOLINFOW info = ToolFor(tool, wide);
  if (text.empty()) {
    SendMessageW(tip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    tools_.erase(tool);
  } else {
    SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
  }
}

}  // namespace velomar::ui
