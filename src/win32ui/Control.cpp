#include "win32ui/Control.h"

#include <stdexcept>

#include "platform/win32/Win32Text.h"

namespace velomar::ui {

RECT RectInParent(HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

COLORREF Resolve(Color color) {
  if (color == kNoColor) return GetSysColor(COLOR_BTNFACE);
  if (color & kSystemColor) return GetSysColor(static_cast<int>(color & 0xFFu));
  return static_cast<COLORREF>(color);
}

std::string WindowText(HWND window) {
  if (!window) return {};
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
  return platform::WideToUtf8(text);
}

Control::Control(ControlHost& host, Component spec, int index)
    : host_(host),
      spec_(std::move(spec)),
      index_(index),
      bold_(spec_.bold),
      color_(spec_.color),
      fontColor_(spec_.fontColor),
      hint_(spec_.hint) {}

Control::~Control() = default;

void Control::SetParent(Control* parent) { parent_ = parent; }

const Control::Handler* Control::HandlerFor(Event event) const {
  auto it = handlers_.find(event);
  return it == handlers_.end() || !it->second ? nullptr : &it->second;
}

Control::WindowSpec Control::Describe() const { return {nullptr, 0, 0, spec_.x, spec_.y, spec_.width, spec_.height}; }

void Control::Create(HWND parentWindow) {
  const WindowSpec w = Describe();
  // Siblings above clip a control, so a transparent one paints alone what
  // shows through it.
  const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | w.style | (spec_.hidden || w.hidden ? 0 : WS_VISIBLE) |
                      (spec_.disabled ? WS_DISABLED : 0);
  const DWORD exStyle = w.exStyle | (spec_.rightToLeft ? WS_EX_RTLREADING : 0);
  const bool own = w.className == nullptr;
  const std::wstring className = own ? platform::Utf8ToWide(host_.WindowLook().partClassName) : w.className;
  HWND made =
      CreateWindowExW(exStyle, className.c_str(), platform::Utf8ToWide(spec_.caption).c_str(), style, w.x, w.y, w.width,
                      w.height, parentWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(100 + index_)),
                      GetModuleHandleW(nullptr), own ? static_cast<MessageTarget*>(this) : nullptr);
  if (!made) throw std::runtime_error("cannot create the component " + spec_.name);
  hwnd_ = made;
  if (!own) {
    systemClass_ = true;
    BindSystemWindow(hwnd_, this);
    // The framework's own windows select their font when they paint.
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(CurrentFont()), FALSE);
  }
  Created();
}

LRESULT Control::Default(UINT message, WPARAM wParam, LPARAM lParam) {
  return systemClass_ ? CallSystemProcedure(hwnd_, message, wParam, lParam)
                      : DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT Control::Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!hwnd_) hwnd_ = window;  // the framework's own windows, before CreateWindowEx returns
  switch (message) {
    case WM_MOUSEMOVE:
      if (!hint_.empty()) host_.Hovered(*this, message, wParam, lParam);
      if (!hovering_) {
        hovering_ = true;
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd_, 0};
        TrackMouseEvent(&track);
        Fire(Event::MouseEnter);
      }
      break;
    case WM_MOUSELEAVE:
      hovering_ = false;
      Fire(Event::MouseLeave);
      break;
    case WM_SETCURSOR:
      if (spec_.handCursor && LOWORD(lParam) == HTCLIENT) {
        SetCursor(LoadCursor(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_SETFOCUS: Fire(Event::Enter); break;
    case WM_NCDESTROY: {
      // The subclass goes before the class's own handling, as comctl32 asks.
      Unbind(window);
      const LRESULT result = Default(message, wParam, lParam);
      hwnd_ = nullptr;
      return result;
    }
    default: break;
  }
  LRESULT result = 0;
  if (HandleMessage(message, wParam, lParam, result)) return result;
  return Default(message, wParam, lParam);
}

LRESULT Control::Colours(WPARAM dc) {
  const COLORREF background = Background();
  SetTextColor(reinterpret_cast<HDC>(dc), TextColor());
  SetBkColor(reinterpret_cast<HDC>(dc), background);
  return reinterpret_cast<LRESULT>(host_.BrushFor(background));
}

std::string Control::Text() const { return hwnd_ ? WindowText(hwnd_) : spec_.caption; }

void Control::SetText(std::string_view text) {
  if (!hwnd_) {
    spec_.caption = text;
    return;
  }
  SetWindowTextW(hwnd_, platform::Utf8ToWide(text).c_str());
  TextChanged();
}

bool Control::Enabled() const { return hwnd_ ? IsWindowEnabled(hwnd_) != FALSE : !spec_.disabled; }

void Control::SetEnabled(bool enabled) {
  if (hwnd_)
    EnableWindow(hwnd_, enabled);
  else
    spec_.disabled = !enabled;
}

bool Control::Visible() const { return hwnd_ ? (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0 : !spec_.hidden; }

void Control::SetVisible(bool visible) {
  if (hwnd_)
    ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
  else
    spec_.hidden = !visible;
}

void Control::SetBold(bool bold) {
  if (bold_ == bold) return;
  bold_ = bold;
  if (!hwnd_) return;
  if (!IsOwnClass()) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(CurrentFont()), FALSE);
  FontChanged();
  Invalidate();
}

void Control::SetHint(std::string_view hint) {
  hint_ = hint;
  host_.HintChanged(*this);
}

Bounds Control::BoundsInParent() const {
  if (!hwnd_) return {spec_.x, spec_.y, spec_.width, spec_.height};
  const RECT r = RectInParent(hwnd_);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void Control::SetBounds(const Bounds& b) {
  if (hwnd_) {
    SetWindowPos(hwnd_, nullptr, b.x, b.y, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    spec_.x = b.x;
    spec_.y = b.y;
    spec_.width = b.width;
    spec_.height = b.height;
  }
}

void Control::Focus() {
  if (hwnd_) SetFocus(hwnd_);
}

COLORREF Control::Background() const {
  for (const Control* c = this; c; c = c->parent_)
    if (c->color_ != kNoColor) return Resolve(c->color_);
  return host_.FormColor();
}

COLORREF Control::TextColor() const { return Resolve(fontColor_ == kNoColor ? kWindowTextColor : fontColor_); }

HFONT Control::CurrentFont() const {
  int height = host_.FormFontHeight();
  for (const Control* c = this; c; c = c->parent_) {
    if (c->spec_.fontHeight) {
      height = c->spec_.fontHeight;
      break;
    }
  }
  return host_.FontFor(height, bold_);
}

void Control::Invalidate() {
  if (!hwnd_) return;
  InvalidateRect(hwnd_, nullptr, TRUE);
  // Transparent siblings above show this control through them.
  const RECT mine = RectInParent(hwnd_);
  for (const auto& other : host_.Controls()) {
    if (other->index_ <= index_ || other->parent_ != parent_ || !other->Transparent() || !other->hwnd_) continue;
    RECT theirs = RectInParent(other->hwnd_), both;
    if (IntersectRect(&both, &mine, &theirs)) InvalidateRect(other->hwnd_, nullptr, TRUE);
  }
}

}  // namespace velomar::ui
