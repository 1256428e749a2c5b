#include "win32ui/Drawn.h"

#include "platform/win32/Win32Text.h"
#include "win32ui/Gdi.h"

namespace velomar::ui {

namespace {

// Wrapped lines are measured this much narrower than the label: drawn glyphs
// may reach past their measured advance.
constexpr int kWrapSlack = 3;

}  // namespace

void DrawnControl::PaintInto(HDC dc) {
  RECT client;
  GetClientRect(hwnd_, &client);
  if (Transparent())
    PaintBeneath(dc);
  else if (!FaceIsOpaque())
    FillRect(dc, &client, host_.BrushFor(Background()));
  Selection font(dc, CurrentFont());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, IsWindowEnabled(hwnd_) ? TextColor() : GetSysColor(COLOR_GRAYTEXT));
  PaintFace(dc, client);
}

void DrawnControl::PaintBeneath(HDC dc) {
  RECT client;
  GetClientRect(hwnd_, &client);
  FillRect(dc, &client, host_.BrushFor(Parent() ? Parent()->Background() : host_.FormColor()));
  const RECT mine = RectInParent(hwnd_);
  for (const auto& control : host_.Controls()) {
    if (control->Index() >= Index()) break;
    auto* below = dynamic_cast<DrawnControl*>(control.get());
    if (!below || below->Parent() != Parent() || !below->hwnd_ || below->IsContainer() || !below->Visible()) continue;
    const RECT theirs = RectInParent(below->hwnd_);
    RECT both;
    if (!IntersectRect(&both, &mine, &theirs)) continue;
    POINT origin;
    SetViewportOrgEx(dc, theirs.left - mine.left, theirs.top - mine.top, &origin);
    below->PaintInto(dc);
    SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
  }
}

bool DrawnControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (!IsOwnClass()) return false;
  switch (message) {
    case WM_ERASEBKGND:
      if (IsContainer() && !Transparent()) {
        RECT r;
        GetClientRect(hwnd_, &r);
        FillRect(reinterpret_cast<HDC>(wParam), &r, host_.BrushFor(Background()));
      }
      result = 1;
      return true;
    case WM_PAINT: {
      PaintDC paint(hwnd_);
      PaintInto(paint.Get());
      result = 0;
      return true;
    }
    case WM_PRINTCLIENT:
      PaintInto(reinterpret_cast<HDC>(wParam));
      result = 0;
      return true;
    case WM_LBUTTONDOWN:
      pressed_ = true;
      SetCapture(hwnd_);
      result = 0;
      return true;
    case WM_LBUTTONUP: {
      result = 0;
      if (!pressed_) return true;
      pressed_ = false;
      ReleaseCapture();
      RECT r;
      GetClientRect(hwnd_, &r);
      const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      if (PtInRect(&r, at)) Fire(Event::Click);
      return true;
    }
    case WM_ENABLE:
      Invalidate();
      result = 0;
      return true;
    case WM_NCPAINT:  // no frame to paint; the default would still fetch a DC of the window
      result = 0;
      return true;
    default: return false;
  }
}

bool Label::Fit(const std::string& text, SIZE& size) const {
  if (spec_.fixedSize) return false;
  // A caption-less label with a designed size is a hot zone: it keeps it.
  if (text.empty() && spec_.width && spec_.height) return false;
  HDC dc = host_.MeasuringDC();
  Selection font(dc, CurrentFont());
  const bool wraps = spec_.wordWrap && spec_.width;
  RECT r{0, 0, wraps ? spec_.width - kWrapSlack : 4000, 0};
  DrawTextW(dc, text.empty() ? L" " : platform::Utf8ToWide(text).c_str(), -1, &r,
            DT_CALCRECT | DT_NOPREFIX | (spec_.wordWrap ? DT_WORDBREAK : 0));
  size = {wraps ? spec_.width : r.right - r.left, r.bottom - r.top};
  return true;
}

Control::WindowSpec Label::Describe() const {
  WindowSpec w = DrawnControl::Describe();
  SIZE size;
  if (Fit(spec_.caption, size)) {
    w.width = size.cx;
    w.height = size.cy;
  }
  return w;
}

void Label::Refit() {
  SIZE size;
  if (hwnd_ && Fit(Text(), size))
    SetWindowPos(hwnd_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Label::TextChanged() {
  Refit();
  Invalidate();
}

void Label::FontChanged() { Refit(); }

void Label::PaintFace(HDC dc, const RECT& client) {
  const std::wstring text = platform::Utf8ToWide(Text());
  RECT area = client;
  if (spec_.wordWrap) area.right -= kWrapSlack;
  DrawTextW(dc, text.c_str(), -1, &area,
            DT_NOPREFIX | (spec_.rightToLeft ? DT_RTLREADING : 0) | (spec_.wordWrap ? DT_WORDBREAK : 0));
}

void GroupBox::PaintFace(HDC dc, const RECT& client) {
  const std::wstring text = platform::Utf8ToWide(Text());
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.empty() ? L" " : text.c_str(), text.empty() ? 1 : static_cast<int>(text.size()),
                        &extent);
  RECT frame = client;
  frame.top = extent.cy / 2;
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  if (text.empty()) return;
  RECT caption{8, 0, 8 + extent.cx + 4, extent.cy};
  FillRect(dc, &caption, host_.BrushFor(Background()));
  caption.left += 2;
  DrawTextW(dc, text.c_str(), -1, &caption, DT_NOPREFIX | DT_SINGLELINE | (spec_.rightToLeft ? DT_RTLREADING : 0));
}

}  // namespace velomar::ui
