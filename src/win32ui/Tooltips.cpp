#include "win32ui/Tooltips.h"

#include <commctrl.h>

namespace velomar::ui {

namespace {

constexpr int kMaximumTipWidth = 300;

// The size every version of the common controls accepts.
TOOLINFOA ToolFor(HWND tool, const std::string& text) {
  TOOLINFOA info{};
  info.cbSize = TTTOOLINFOA_V2_SIZE;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = GetParent(tool);
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  info.lpszText = const_cast<char*>(text.c_str());
  return info;
}

}  // namespace

Tooltips::~Tooltips() {
  if (tip_) DestroyWindow(tip_);
}

bool Tooltips::Ensure() {
  if (tip_) return true;
  tip_ =
      CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner_, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (tip_) SendMessageA(tip_, TTM_SETMAXTIPWIDTH, 0, kMaximumTipWidth);
  return tip_ != nullptr;
}

void Tooltips::Hovered(HWND tool, const std::string& text, UINT message, WPARAM wParam, LPARAM lParam) {
  if (text.empty() || !Ensure()) return;
  if (tools_.insert(tool).second) {
    TOOLINFOA info = ToolFor(tool, text);
    SendMessageA(tip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    // The tooltip subclasses the tool from now on; this first move it is told of.
    MSG move{tool, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    GetCursorPos(&move.pt);
    SendMessageA(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
  }
}

void Tooltips::Update(HWND tool, const std::string& text) {
  if (!tip_ || !tools_.count(tool)) return;
  TOOLINFOA info = ToolFor(tool, text);
  if (text.empty()) {
    SendMessageA(tip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    tools_.erase(tool);
  } else {
    SendMessageA(tip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
  }
}

}  // namespace velomar::ui
