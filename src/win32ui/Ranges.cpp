#include "win32ui/Ranges.h"

#include <commctrl.h>

namespace velomar::ui {

Control::WindowSpec TrackBar::Describe() const {
  return {TRACKBAR_CLASSW, TBS_HORZ | TBS_AUTOTICKS | WS_TABSTOP, 0, spec_.x, spec_.y, spec_.width, spec_.height};
}

void TrackBar::Created() {
  SendMessageW(hwnd_, TBM_SETRANGE, TRUE, MAKELPARAM(spec_.minimum, spec_.maximum));
  SendMessageW(hwnd_, TBM_SETPAGESIZE, 0, spec_.pageSize);
  SendMessageW(hwnd_, TBM_SETPOS, TRUE, spec_.position);
  lastPosition_ = Position();
}

int TrackBar::Position() const {
  return hwnd_ ? static_cast<int>(SendMessageW(hwnd_, TBM_GETPOS, 0, 0)) : spec_.position;
}

void TrackBar::SetPosition(int position) {
  if (!hwnd_) return;
  SendMessageW(hwnd_, TBM_SETPOS, TRUE, position);
  ReportMove();
}

void TrackBar::ReportMove() {
  const int now = Position();
  if (now == lastPosition_) return;
  lastPosition_ = now;
  Fire(Event::Change);
}

bool TrackBar::Reflected(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  switch (message) {
    case WM_HSCROLL:
    case WM_VSCROLL:
      ReportMove();
      result = 0;
      return true;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: result = Colours(wParam); return true;
    default: return false;
  }
}

Control::WindowSpec ProgressBar::Describe() const {
  return {PROGRESS_CLASSW, 0, 0, spec_.x, spec_.y, spec_.width, spec_.height};
}

void ProgressBar::Created() {
  SendMessageW(hwnd_, PBM_SETRANGE32, spec_.minimum, spec_.maximum);
  SendMessageW(hwnd_, PBM_SETPOS, spec_.position, 0);
}

int ProgressBar::Position() const {
  return hwnd_ ? static_cast<int>(SendMessageW(hwnd_, PBM_GETPOS, 0, 0)) : spec_.position;
}

void ProgressBar::SetPosition(int position) {
  if (hwnd_) SendMessageW(hwnd_, PBM_SETPOS, position, 0);
}

}  // namespace velomar::ui
