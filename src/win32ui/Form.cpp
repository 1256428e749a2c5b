#include "win32ui/Form.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>
#include <optional>
#include <stdexcept>
#include <type_traits>

#include "platform/MessageWait.h"
#include "win32ui/Application.h"
#include "win32ui/Artwork.h"

namespace velomar::ui {

namespace {

constexpr UINT kRunMessage = WM_APP + 1;   // lParam: std::function<void()>*, run and answered in place
constexpr UINT kPostMessage = WM_APP + 2;  // lParam: heap std::function<void()>*, run and deleted
constexpr const char* kPartClass = "VelomarPart";
constexpr const char* kPartProperty = "VelomarPart";
constexpr UINT_PTR kTimerIdBase = 1000;
constexpr UINT_PTR kAnimationIdBase = 20000;
// Wrapped lines are measured this much narrower than the label: drawn glyphs
// may reach past their measured advance.
constexpr int kWrapSlack = 3;

bool IsContainer(ComponentKind kind) {
  return kind == ComponentKind::Panel || kind == ComponentKind::GroupBox || kind == ComponentKind::TabSheet ||
         kind == ComponentKind::PageControl;
}

bool IsDrawnByUs(ComponentKind kind) {
  return kind == ComponentKind::Label || kind == ComponentKind::StaticText || kind == ComponentKind::Image ||
         kind == ComponentKind::Panel || kind == ComponentKind::GroupBox || kind == ComponentKind::TabSheet;
}

std::string WindowText(HWND hwnd) {
  if (!hwnd) return {};
  const int length = GetWindowTextLengthA(hwnd);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int got = GetWindowTextA(hwnd, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(got));
  return text;
}

std::string ListViewCell(HWND list, int row, int column) {
  char buffer[1024] = {};
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = buffer;
  item.cchTextMax = sizeof(buffer);
  SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  return buffer;
}

void SetListViewCell(HWND list, int row, int column, const std::string& text) {
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = const_cast<char*>(text.c_str());
  SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

}  // namespace

struct Form::Part {
  Component spec;
  int index = 0;
  HWND hwnd = nullptr;
  Part* parent = nullptr;
  WNDPROC original = nullptr;
  std::map<Event, Handler> handlers;
  bool bold = false;
  Color fontColor = kNoColor;
  Color color = kNoColor;
  std::string hint;
  bool readOnly = false;
  bool hovering = false;
  bool pressed = false;
  int lastPosition = 0;
  // Page controls: their sheets and the active one; sheets: their index.
  std::vector<Part*> sheets;
  int activePage = -1;
  int sheetIndex = -1;
  // Images.
  std::string pictureName;
  HBITMAP picture = nullptr;
  int frame = 0;
  bool animating = false;
  // Timers.
  bool timerEnabled = false;
  int interval = 0;
  // List views.
  std::vector<std::string> columns;

  int FontHeight(int formHeight) const {
    if (spec.fontHeight) return spec.fontHeight;
    return parent ? parent->FontHeight(formHeight) : formHeight;
  }
};

struct FormAccess {
  static LRESULT PartMessage(Form& form, Form::Part& part, UINT message, WPARAM wParam, LPARAM lParam);
};

Form::Form(FormLayout layout) : layout_(std::move(layout)), formColor_(layout_.color) {
  for (std::size_t i = 0; i < layout_.components.size(); ++i) {
    auto part = std::make_unique<Part>();
    part->spec = layout_.components[i];
    part->index = static_cast<int>(i);
    part->bold = part->spec.bold;
    part->fontColor = part->spec.fontColor;
    part->color = part->spec.color;
    part->hint = part->spec.hint;
    part->readOnly = part->spec.readOnly;
    part->lastPosition = part->spec.position;
    part->timerEnabled = !part->spec.disabled;
    part->interval = part->spec.interval;
    part->columns = part->spec.columns;
    part->pictureName = part->spec.picture;
    byName_.emplace(part->spec.name, part.get());
    parts_.push_back(std::move(part));
  }
  for (auto& part : parts_) {
    if (part->spec.parent.empty()) continue;
    auto it = byName_.find(part->spec.parent);
    if (it == byName_.end() || it->second->index >= part->index)
      throw std::logic_error("component " + part->spec.name + " names an unknown or later parent");
    part->parent = it->second;
    if (part->spec.kind == ComponentKind::TabSheet) {
      part->sheetIndex = static_cast<int>(part->parent->sheets.size());
      part->parent->sheets.push_back(part.get());
    }
  }
}

Form::~Form() {
  destroying_ = true;
  {
    std::lock_guard<std::mutex> lock(tickMutex_);
    ++ticks_;
  }
  tickArrived_.notify_all();
  if (hwnd_) {
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
  for (auto& part : parts_)
    if (part->picture) DeleteObject(part->picture);
  for (auto& [key, font] : fonts_) DeleteObject(font);
  for (auto& [key, brush] : brushes_) DeleteObject(brush);
}

Form::Part* Form::Find(std::string_view name) const {
  auto it = byName_.find(name);
  return it == byName_.end() ? nullptr : it->second;
}

Form::Part& Form::At(std::string_view name) const {
  if (Part* part = Find(name)) return *part;
  throw std::invalid_argument("the window " + layout_.className + " has no component " + std::string(name));
}

Form::Part* Form::FromHandle(HWND control) const {
  return control ? static_cast<Part*>(GetPropA(control, kPartProperty)) : nullptr;
}

HWND Form::Control(std::string_view name) const {
  const Part* part = Find(name);
  return part ? part->hwnd : nullptr;
}

template <typename F>
auto Form::OnWindowThread(F&& f) const -> decltype(f()) {
  using R = decltype(f());
  if (!hwnd_ || GetCurrentThreadId() == thread_) return f();
  std::exception_ptr failure;
  if constexpr (std::is_void_v<R>) {
    std::function<void()> job = [&] {
      try {
        f();
      } catch (...) {
        failure = std::current_exception();
      }
    };
    SendMessageA(hwnd_, kRunMessage, 0, reinterpret_cast<LPARAM>(&job));
    if (failure) std::rethrow_exception(failure);
  } else {
    std::optional<R> result;
    std::function<void()> job = [&] {
      try {
        result = f();
      } catch (...) {
        failure = std::current_exception();
      }
    };
    SendMessageA(hwnd_, kRunMessage, 0, reinterpret_cast<LPARAM>(&job));
    if (failure) std::rethrow_exception(failure);
    return result ? std::move(*result) : R{};
  }
}

void Form::On(std::string_view component, Event event, Handler handler) {
  At(component).handlers[event] = std::move(handler);
}

void Form::OnMessage(UINT message, MessageHandler handler) { messageHandlers_[message] = std::move(handler); }

void Form::Run(const Handler& handler) {
  if (!handler) return;
  try {
    handler();
  } catch (const std::exception& e) {
    ReportError(hwnd_, e.what());
  } catch (...) {
    ReportError(hwnd_, "");
  }
}

void Form::Fire(const Part& part, Event event) {
  auto it = part.handlers.find(event);
  if (it == part.handlers.end()) return;
  Handler handler = it->second;  // the handler may replace itself
  Run(handler);
}

// ---- creation ----

namespace {
DWORD FrameStyle(BorderStyle border, bool minimizeBox) {
  if (border == BorderStyle::None) return WS_POPUP | WS_CLIPCHILDREN;
  return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | (minimizeBox ? WS_MINIMIZEBOX : 0) | WS_CLIPCHILDREN;
}
}  // namespace

void Form::Create() {
  if (hwnd_) return;
  InitializeControls();
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA existing{};
  if (!GetClassInfoA(instance, layout_.className.c_str(), &existing)) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = FormProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    wc.lpszClassName = layout_.className.c_str();
    RegisterClassA(&wc);
  }
  if (!GetClassInfoA(instance, kPartClass, &existing)) {
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = PartProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kPartClass;
    RegisterClassA(&wc);
  }

  const DWORD style = FrameStyle(layout_.border, layout_.minimizeBox);
  RECT frame{0, 0, layout_.clientWidth, layout_.clientHeight};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  thread_ = GetCurrentThreadId();
  hwnd_ = CreateWindowExA(0, layout_.className.c_str(), layout_.caption.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                          frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, this);
  if (!hwnd_) throw std::runtime_error("cannot create the window " + layout_.className);
  for (auto& part : parts_) CreatePart(*part);
  if (layout_.centred) CenterOnScreen();
  StartTimers();
  Run(onCreate_);
}

void Form::CreatePart(Part& part) {
  const Component& c = part.spec;
  if (c.kind == ComponentKind::Timer || c.kind == ComponentKind::Other || c.kind == ComponentKind::MenuItem) return;
  HWND parentWindow = part.parent ? part.parent->hwnd : hwnd_;
  const bool realTabs =
      part.parent && part.parent->spec.kind == ComponentKind::PageControl && part.parent->spec.tabsVisible;
  int x = c.x, y = c.y, width = c.width, height = c.height;

  const char* windowClass = kPartClass;
  // Siblings above clip a component, so a transparent one paints alone what
  // shows through it (PaintBeneath) and later components lie above.
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (c.hidden ? 0 : WS_VISIBLE) | (c.disabled ? WS_DISABLED : 0);
  DWORD exStyle = c.rightToLeft ? WS_EX_RTLREADING : 0;
  switch (c.kind) {
    case ComponentKind::PageControl:
      if (c.tabsVisible) {
        windowClass = WC_TABCONTROLA;
        style |= WS_CLIPSIBLINGS | WS_TABSTOP;
      }
      break;
    case ComponentKind::TabSheet: {
      RECT page{0, 0, part.parent->spec.width, part.parent->spec.height};
      if (realTabs) {
        TCITEMA tab{};
        tab.mask = TCIF_TEXT;
        tab.pszText = const_cast<char*>(c.caption.c_str());
        SendMessageA(parentWindow, TCM_INSERTITEMA, part.sheetIndex, reinterpret_cast<LPARAM>(&tab));
        SendMessageA(parentWindow, WM_SETFONT,
                     reinterpret_cast<WPARAM>(FontFor(part.FontHeight(layout_.fontHeight), false)), FALSE);
        SendMessageA(parentWindow, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
      }
      x = page.left;
      y = page.top;
      width = page.right - page.left;
      height = page.bottom - page.top;
      style &= ~WS_VISIBLE;  // ShowPage shows the active one
      break;
    }
    case ComponentKind::Button:
    case ComponentKind::ToolButton:
      windowClass = "BUTTON";
      style |= BS_PUSHBUTTON | WS_TABSTOP;
      break;
    case ComponentKind::CheckBox:
      windowClass = "BUTTON";
      style |= BS_AUTOCHECKBOX | WS_TABSTOP;
      break;
    case ComponentKind::RadioButton:
      // Grouped per parent by the framework, not by WS_GROUP runs.
      windowClass = "BUTTON";
      style |= BS_RADIOBUTTON | WS_TABSTOP;
      break;
    case ComponentKind::Edit:
    case ComponentKind::Memo:
      windowClass = "EDIT";
      style |= WS_TABSTOP | ES_AUTOHSCROLL | (c.readOnly ? ES_READONLY : 0);
      if (c.kind == ComponentKind::Memo) style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL;
      exStyle |= WS_EX_CLIENTEDGE;
      if (!height) height = 21;
      break;
    case ComponentKind::ComboBox:
      windowClass = "COMBOBOX";
      style |= CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
      height = 200;  // the height of the opened list
      break;
    case ComponentKind::ListBox:
      windowClass = "LISTBOX";
      style |= LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP;
      exStyle |= WS_EX_CLIENTEDGE;
      break;
    case ComponentKind::TrackBar:
      windowClass = TRACKBAR_CLASSA;
      style |= TBS_HORZ | TBS_AUTOTICKS | WS_TABSTOP;
      break;
    case ComponentKind::ProgressBar: windowClass = PROGRESS_CLASSA; break;
    case ComponentKind::ListView:
      windowClass = WC_LISTVIEWA;
      style |= LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP;
      exStyle |= WS_EX_CLIENTEDGE;
      break;
    default: break;
  }

  const bool ours = windowClass == kPartClass;
  part.hwnd = CreateWindowExA(exStyle, windowClass, c.caption.c_str(), style, x, y, width, height, parentWindow,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(100 + part.index)),
                              GetModuleHandleA(nullptr), ours ? &part : nullptr);
  if (!part.hwnd) throw std::runtime_error("cannot create the component " + c.name);
  SetPropA(part.hwnd, kPartProperty, &part);
  SetWindowPos(part.hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);  // above earlier ones
  if (!ours) {
    part.original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(part.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Form::SubclassProc)));
  }
  ApplyFont(part);

  switch (c.kind) {
    case ComponentKind::CheckBox:
    case ComponentKind::RadioButton:
      SendMessageA(part.hwnd, BM_SETCHECK, c.checked ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case ComponentKind::Edit:
    case ComponentKind::Memo:
      if (c.maxLength > 0) SendMessageA(part.hwnd, EM_LIMITTEXT, c.maxLength, 0);
      break;
    case ComponentKind::ComboBox:
    case ComponentKind::ListBox:
      for (const auto& item : c.items)
        SendMessageA(part.hwnd, c.kind == ComponentKind::ComboBox ? CB_ADDSTRING : LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(item.c_str()));
      break;
    case ComponentKind::TrackBar:
      SendMessageA(part.hwnd, TBM_SETRANGE, TRUE, MAKELPARAM(c.minimum, c.maximum));
      SendMessageA(part.hwnd, TBM_SETPAGESIZE, 0, c.pageSize);
      SendMessageA(part.hwnd, TBM_SETPOS, TRUE, c.position);
      part.lastPosition = static_cast<int>(SendMessageA(part.hwnd, TBM_GETPOS, 0, 0));
      break;
    case ComponentKind::ProgressBar:
      SendMessageA(part.hwnd, PBM_SETRANGE32, c.minimum, c.maximum);
      SendMessageA(part.hwnd, PBM_SETPOS, c.position, 0);
      break;
    case ComponentKind::ListView: {
      SendMessageA(part.hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
      for (std::size_t k = 0; k < part.columns.size(); ++k) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.cx = k < c.columnWidths.size() ? c.columnWidths[k] : (width - 4) / static_cast<int>(part.columns.size());
        column.pszText = const_cast<char*>(part.columns[k].c_str());
        column.iSubItem = static_cast<int>(k);
        SendMessageA(part.hwnd, LVM_INSERTCOLUMNA, k, reinterpret_cast<LPARAM>(&column));
      }
      break;
    }
    case ComponentKind::Image:
      if (!part.pictureName.empty()) part.picture = CreateArtwork(part.pictureName, width, height, 0);
      break;
    case ComponentKind::Label:
    case ComponentKind::StaticText: FitLabel(part); break;
    default: break;
  }
  if (part.sheetIndex == 0) ShowPage(*part.parent, 0);
}

void Form::StartTimers() {
  for (auto& part : parts_) {
    if (part->spec.kind != ComponentKind::Timer) continue;
    if (part->timerEnabled) SetTimer(hwnd_, kTimerIdBase + part->index, part->interval, nullptr);
  }
}

// ---- fonts, colours, painting ----

HFONT Form::FontFor(int height, bool bold) {
  auto key = std::make_pair(height, bold);
  auto it = fonts_.find(key);
  if (it != fonts_.end()) return it->second;
  HFONT font =
      CreateFontA(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Tahoma");
  fonts_.emplace(key, font);
  return font;
}

COLORREF Form::Resolve(Color color) const {
  if (color == kNoColor) return GetSysColor(COLOR_BTNFACE);
  if (color & kSystemColor) return GetSysColor(static_cast<int>(color & 0xFFu));
  return static_cast<COLORREF>(color);
}

COLORREF Form::BackgroundOf(const Part& part) const {
  for (const Part* p = &part; p; p = p->parent)
    if (p->color != kNoColor) return Resolve(p->color);
  return Resolve(formColor_);
}

HBRUSH Form::BrushFor(COLORREF color) {
  auto it = brushes_.find(color);
  if (it != brushes_.end()) return it->second;
  HBRUSH brush = CreateSolidBrush(color);
  brushes_.emplace(color, brush);
  return brush;
}

void Form::ApplyFont(Part& part) {
  if (!part.hwnd) return;
  SendMessageA(part.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(part.FontHeight(layout_.fontHeight), part.bold)),
               FALSE);
  if (part.spec.kind == ComponentKind::Label || part.spec.kind == ComponentKind::StaticText) FitLabel(part);
  Repaint(part);
}

void Form::FitLabel(Part& part) {
  const Component& c = part.spec;
  if (c.fixedSize) return;
  const std::string text = WindowText(part.hwnd);
  // A caption-less label with a designed size is a hot zone: it keeps it.
  if (text.empty() && c.width && c.height) return;
  HDC dc = GetDC(part.hwnd);
  HGDIOBJ old = SelectObject(dc, FontFor(part.FontHeight(layout_.fontHeight), part.bold));
  RECT r{0, 0, c.wordWrap && c.width ? c.width - kWrapSlack : 4000, 0};
  DrawTextA(dc, text.empty() ? " " : text.c_str(), -1, &r, DT_CALCRECT | DT_NOPREFIX | (c.wordWrap ? DT_WORDBREAK : 0));
  SelectObject(dc, old);
  ReleaseDC(part.hwnd, dc);
  // A word-wrapped label keeps its width and grows or shrinks in height.
  const int width = c.wordWrap && c.width ? c.width : r.right - r.left;
  SetWindowPos(part.hwnd, nullptr, 0, 0, width, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {
RECT RectInParent(HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}
bool Overlap(HWND a, HWND b) {
  RECT ra = RectInParent(a), rb = RectInParent(b), both;
  return IntersectRect(&both, &ra, &rb) != FALSE;
}
}  // namespace

void Form::Repaint(Part& part) {
  if (!part.hwnd) return;
  InvalidateRect(part.hwnd, nullptr, TRUE);
  // Transparent components above show this one through them.
  for (auto& other : parts_) {
    if (other->index <= part.index || other->parent != part.parent || !other->spec.transparent || !other->hwnd)
      continue;
    if (Overlap(other->hwnd, part.hwnd)) InvalidateRect(other->hwnd, nullptr, TRUE);
  }
}

void Form::PaintBeneath(Part& part, HDC dc) {
  RECT client;
  GetClientRect(part.hwnd, &client);
  FillRect(dc, &client, BrushFor(part.parent ? BackgroundOf(*part.parent) : Resolve(formColor_)));
  const RECT mine = RectInParent(part.hwnd);
  for (auto& below : parts_) {
    if (below->index >= part.index) break;
    if (below->parent != part.parent || !below->hwnd || !IsDrawnByUs(below->spec.kind) ||
        IsContainer(below->spec.kind) || !(GetWindowLongA(below->hwnd, GWL_STYLE) & WS_VISIBLE) ||
        !Overlap(below->hwnd, part.hwnd))
      continue;
    const RECT theirs = RectInParent(below->hwnd);
    POINT origin;
    SetViewportOrgEx(dc, theirs.left - mine.left, theirs.top - mine.top, &origin);
    PaintPart(*below, dc);
    SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
  }
}

void Form::PaintPart(Part& part, HDC dc) {
  RECT client;
  GetClientRect(part.hwnd, &client);
  const ComponentKind kind = part.spec.kind;
  const bool enabled = IsWindowEnabled(part.hwnd);
  if (part.spec.transparent)
    PaintBeneath(part, dc);
  else
    FillRect(dc, &client, BrushFor(BackgroundOf(part)));
  HGDIOBJ oldFont = SelectObject(dc, FontFor(part.FontHeight(layout_.fontHeight), part.bold));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, enabled ? Resolve(part.fontColor == kNoColor ? kWindowTextColor : part.fontColor)
                           : GetSysColor(COLOR_GRAYTEXT));
  const UINT rtl = part.spec.rightToLeft ? DT_RTLREADING : 0;
  if (kind == ComponentKind::Label || kind == ComponentKind::StaticText) {
    const std::string text = WindowText(part.hwnd);
    RECT area = client;
    if (part.spec.wordWrap) area.right -= kWrapSlack;
    DrawTextA(dc, text.c_str(), -1, &area, DT_NOPREFIX | rtl | (part.spec.wordWrap ? DT_WORDBREAK : 0));
  } else if (kind == ComponentKind::Image && part.picture) {
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ oldBitmap = SelectObject(memory, part.picture);
    BITMAP info{};
    GetObject(part.picture, sizeof(info), &info);
    const int width = part.spec.stretch ? client.right : info.bmWidth;
    const int height = part.spec.stretch ? client.bottom : info.bmHeight;
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc, 0, 0, width, height, memory, 0, 0, info.bmWidth, info.bmHeight, blend);
    SelectObject(memory, oldBitmap);
    DeleteDC(memory);
  } else if (kind == ComponentKind::GroupBox) {
    const std::string text = WindowText(part.hwnd);
    SIZE extent{};
    GetTextExtentPoint32A(dc, text.empty() ? " " : text.c_str(), text.empty() ? 1 : static_cast<int>(text.size()),
                          &extent);
    RECT frame = client;
    frame.top = extent.cy / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (!text.empty()) {
      RECT caption{8, 0, 8 + extent.cx + 4, extent.cy};
      FillRect(dc, &caption, BrushFor(BackgroundOf(part)));
      caption.left += 2;
      DrawTextA(dc, text.c_str(), -1, &caption, DT_NOPREFIX | DT_SINGLELINE | rtl);
    }
  }
  SelectObject(dc, oldFont);
}

// ---- showing ----

void Form::Show() {
  if (!hwnd_) Create();
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
}

void Form::Hide() {
  if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
}

bool Form::IsShowing() const { return hwnd_ && IsWindowVisible(hwnd_); }

void Form::Close() {
  if (!hwnd_) return;
  closed_ = true;
  // The owner comes back before this window goes, so that it is activated.
  if (modalOwner_) EnableWindow(modalOwner_, TRUE);
  ShowWindow(hwnd_, SW_HIDE);
  PostMessageA(hwnd_, WM_NULL, 0, 0);  // wakes the modal loop
  if (layout_.quitOnClose) PostQuitMessage(0);
}

void Form::ShowModal(HWND owner) {
  if (!hwnd_) Create();
  if (inModalLoop_) return;
  closed_ = false;
  inModalLoop_ = true;
  modalOwner_ = owner;
  if (owner) {
    SetWindowLongPtrA(hwnd_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    EnableWindow(owner, FALSE);
  }
  Show();
  SetForegroundWindow(hwnd_);
  MSG msg;
  while (!closed_) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // the outer loop ends too
      break;
    }
    if (got < 0) break;
    if (!IsDialogMessageA(hwnd_, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  if (owner) {
    EnableWindow(owner, TRUE);
    SetActiveWindow(owner);
  }
  if (!closed_) Hide();
  modalOwner_ = nullptr;
  inModalLoop_ = false;
}

void Form::CenterOnScreen() {
  RECT r;
  GetWindowRect(hwnd_, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  SetWindowPos(hwnd_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::CenterOn(HWND other) {
  RECT mine, theirs;
  GetWindowRect(hwnd_, &mine);
  GetWindowRect(other, &theirs);
  const int x = theirs.left + ((theirs.right - theirs.left) - (mine.right - mine.left)) / 2;
  const int y = theirs.top + ((theirs.bottom - theirs.top) - (mine.bottom - mine.top)) / 2;
  SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetBorder(BorderStyle border) {
  layout_.border = border;
  if (!hwnd_) return;
  const DWORD visible = GetWindowLongA(hwnd_, GWL_STYLE) & WS_VISIBLE;
  const DWORD style = FrameStyle(border, layout_.minimizeBox) | visible;
  SetWindowLongA(hwnd_, GWL_STYLE, static_cast<LONG>(style));
  RECT client;
  GetClientRect(hwnd_, &client);
  RECT frame = client;
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void Form::Post(Handler work) {
  if (!hwnd_) return;
  auto* job = new Handler(std::move(work));
  if (!PostMessageA(hwnd_, kPostMessage, 0, reinterpret_cast<LPARAM>(job))) delete job;
}

void Form::ShowPage(Part& pageControl, int index) {
  if (index < 0 || index >= static_cast<int>(pageControl.sheets.size())) return;
  pageControl.activePage = index;
  if (pageControl.spec.tabsVisible) SendMessageA(pageControl.hwnd, TCM_SETCURSEL, index, 0);
  for (Part* sheet : pageControl.sheets) {
    if (sheet->hwnd) ShowWindow(sheet->hwnd, sheet->sheetIndex == index ? SW_SHOW : SW_HIDE);
  }
}

void Form::SetColor(std::string_view name, Color color) {
  OnWindowThread([&] {
    if (name.empty()) {
      formColor_ = color;
      if (hwnd_) RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      return;
    }
    Part& part = At(name);
    part.color = color;
    if (part.hwnd) RedrawWindow(part.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  });
}

void Form::SetFontColor(std::string_view name, Color color) {
  OnWindowThread([&] {
    Part& part = At(name);
    part.fontColor = color;
    Repaint(part);
  });
}

void Form::SetPicture(std::string_view name, const std::string& picture) {
  OnWindowThread([&] {
    Part& part = At(name);
    part.pictureName = picture;
    if (part.picture) DeleteObject(part.picture);
    part.picture = nullptr;
    part.frame = 0;
    if (part.hwnd && !picture.empty()) {
      RECT r;
      GetClientRect(part.hwnd, &r);
      part.picture = CreateArtwork(picture, r.right, r.bottom, 0);
    }
    Repaint(part);
  });
}

void Form::SetAnimation(std::string_view name, bool playing, int speedPercent) {
  OnWindowThread([&] {
    Part& part = At(name);
    part.animating = playing;
    if (!hwnd_) return;
    const int interval = std::max(10, ArtworkFrameDelay(part.pictureName) * 100 / std::max(1, speedPercent));
    if (playing)
      SetTimer(hwnd_, kAnimationIdBase + part.index, interval, nullptr);
    else
      KillTimer(hwnd_, kAnimationIdBase + part.index);
  });
}

void Form::Focus(std::string_view name) {
  OnWindowThread([&] {
    if (HWND control = At(name).hwnd) SetFocus(control);
  });
}

Bounds Form::BoundsOf(std::string_view name) const {
  return OnWindowThread([&]() -> Bounds {
    RECT r{};
    if (name.empty()) {
      if (hwnd_) GetWindowRect(hwnd_, &r);
    } else if (HWND control = At(name).hwnd) {
      r = RectInParent(control);
    }
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
  });
}

void Form::SetBounds(std::string_view name, const Bounds& b) {
  OnWindowThread([&] {
    HWND target = name.empty() ? hwnd_ : At(name).hwnd;
    if (target) SetWindowPos(target, nullptr, b.x, b.y, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
  });
}

void Form::SetDrawing(std::string_view name, const Drawing&) {
  throw std::logic_error("the image " + std::string(name) + " cannot show drawings yet");
}

void Form::ShowMessage(std::string_view text, std::string_view title, MessageIcon icon) {
  OnWindowThread([&] {
    const UINT style = icon == MessageIcon::Information ? MB_ICONINFORMATION
                       : icon == MessageIcon::Warning   ? MB_ICONWARNING
                       : icon == MessageIcon::Error     ? MB_ICONERROR
                                                        : 0;
    ShowMessageBox(hwnd_, std::string(text), title.empty() ? ApplicationTitle() : std::string(title), MB_OK | style);
  });
}

void Form::OpenHelpPage() {
  OnWindowThread([&] { ui::OpenHelpPage(hwnd_); });
}

void Form::SetTimerEnabled(std::string_view name, bool enabled) {
  OnWindowThread([&] {
    Part& part = At(name);
    part.timerEnabled = enabled;
    if (!hwnd_) return;
    if (enabled)
      SetTimer(hwnd_, kTimerIdBase + part.index, part.interval, nullptr);
    else
      KillTimer(hwnd_, kTimerIdBase + part.index);
  });
}

void Form::SetTimerInterval(std::string_view name, int milliseconds) {
  OnWindowThread([&] {
    Part& part = At(name);
    part.interval = milliseconds;
    if (hwnd_ && part.timerEnabled) SetTimer(hwnd_, kTimerIdBase + part.index, milliseconds, nullptr);
  });
}

void Form::EndPauseForDisplay() {
  waitingForTick_ = false;
  {
    std::lock_guard<std::mutex> lock(tickMutex_);
    ++ticks_;
  }
  tickArrived_.notify_all();
}

void Form::PauseForDisplay() {
  if (!hwnd_) return;
  if (GetCurrentThreadId() != thread_) {
    // A worker waits for the tick without touching the window.
    std::unique_lock<std::mutex> lock(tickMutex_);
    const unsigned long seen = ticks_;
    tickArrived_.wait(lock, [&] { return ticks_ != seen || destroying_; });
    return;
  }
  bool hasTimer = false;
  for (const auto& part : parts_)
    hasTimer = hasTimer || (part->spec.kind == ComponentKind::Timer && part->timerEnabled);
  if (!hasTimer) {
    platform::ProcessPendingMessages();
    return;
  }
  waitingForTick_ = true;
  platform::ProcessMessagesUntil([&] { return !waitingForTick_ || destroying_ || !IsWindow(hwnd_); });
}

// ---- the window-state seam ----

std::string Form::Text(std::string_view name) const {
  return OnWindowThread([&]() -> std::string {
    const Part& part = At(name);
    if (part.sheetIndex >= 0 && part.parent->spec.tabsVisible && part.parent->hwnd) {
      char buffer[512] = {};
      TCITEMA tab{};
      tab.mask = TCIF_TEXT;
      tab.pszText = buffer;
      tab.cchTextMax = sizeof(buffer);
      SendMessageA(part.parent->hwnd, TCM_GETITEMA, part.sheetIndex, reinterpret_cast<LPARAM>(&tab));
      return buffer;
    }
    return part.hwnd ? WindowText(part.hwnd) : part.spec.caption;
  });
}

void Form::SetText(std::string_view name, std::string_view text) {
  OnWindowThread([&] {
    Part& part = At(name);
    const std::string value(text);
    if (!part.hwnd) {
      part.spec.caption = value;
      return;
    }
    SetWindowTextA(part.hwnd, value.c_str());
    if (part.sheetIndex >= 0 && part.parent->spec.tabsVisible) {
      TCITEMA tab{};
      tab.mask = TCIF_TEXT;
      tab.pszText = const_cast<char*>(value.c_str());
      SendMessageA(part.parent->hwnd, TCM_SETITEMA, part.sheetIndex, reinterpret_cast<LPARAM>(&tab));
    }
    if (part.spec.kind == ComponentKind::Label || part.spec.kind == ComponentKind::StaticText) FitLabel(part);
    if (IsDrawnByUs(part.spec.kind)) Repaint(part);
  });
}

bool Form::Enabled(std::string_view name) const {
  return OnWindowThread([&] {
    const Part& part = At(name);
    if (part.spec.kind == ComponentKind::Timer) return part.timerEnabled;
    return part.hwnd ? IsWindowEnabled(part.hwnd) != FALSE : !part.spec.disabled;
  });
}

void Form::SetEnabled(std::string_view name, bool enabled) {
  OnWindowThread([&] {
    Part& part = At(name);
    if (part.spec.kind == ComponentKind::Timer) return SetTimerEnabled(name, enabled);
    if (!part.hwnd) return;
    EnableWindow(part.hwnd, enabled);
    if (IsDrawnByUs(part.spec.kind)) Repaint(part);
  });
}

bool Form::Visible(std::string_view name) const {
  return OnWindowThread([&] {
    const Part& part = At(name);
    if (!part.hwnd) return !part.spec.hidden;
    return (GetWindowLongA(part.hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
  });
}

void Form::SetVisible(std::string_view name, bool visible) {
  OnWindowThread([&] {
    Part& part = At(name);
    if (part.hwnd) ShowWindow(part.hwnd, visible ? SW_SHOWNA : SW_HIDE);
  });
}

bool Form::ReadOnly(std::string_view name) const {
  return OnWindowThread([&] { return At(name).readOnly; });
}

void Form::SetReadOnly(std::string_view name, bool readOnly) {
  OnWindowThread([&] {
    Part& part = At(name);
    part.readOnly = readOnly;
    if (part.hwnd && (part.spec.kind == ComponentKind::Edit || part.spec.kind == ComponentKind::Memo))
      SendMessageA(part.hwnd, EM_SETREADONLY, readOnly, 0);
  });
}

bool Form::Bold(std::string_view name) const {
  return OnWindowThread([&] { return At(name).bold; });
}

void Form::SetBold(std::string_view name, bool bold) {
  OnWindowThread([&] {
    Part& part = At(name);
    if (part.bold == bold) return;
    part.bold = bold;
    ApplyFont(part);
  });
}

bool Form::Checked(std::string_view name) const {
  return OnWindowThread([&] {
    const Part& part = At(name);
    return part.hwnd && SendMessageA(part.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
  });
}

void Form::SetChecked(std::string_view name, bool checked) {
  OnWindowThread([&] {
    Part& part = At(name);
    if (!part.hwnd) return;
    const bool was = SendMessageA(part.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (part.spec.kind == ComponentKind::RadioButton && checked) {
      for (auto& other : parts_)
        if (other.get() != &part && other->parent == part.parent && other->spec.kind == ComponentKind::RadioButton)
          SendMessageA(other->hwnd, BM_SETCHECK, BST_UNCHECKED, 0);
    }
    SendMessageA(part.hwnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    // A radio button clicks when it becomes the checked one; a check box on any change.
    const bool clicks = part.spec.kind == ComponentKind::RadioButton ? (checked && !was) : (checked != was);
    if (clicks) Fire(part, Event::Click);
  });
}

std::vector<std::string> Form::Items(std::string_view name) const {
  return OnWindowThread([&] {
    const Part& part = At(name);
    std::vector<std::string> items;
    if (part.spec.kind == ComponentKind::PageControl) {
      for (const Part* sheet : part.sheets) items.push_back(Text(sheet->spec.name));
      return items;
    }
    const bool combo = part.spec.kind == ComponentKind::ComboBox;
    if (!part.hwnd || (!combo && part.spec.kind != ComponentKind::ListBox)) return items;
    const int count = static_cast<int>(SendMessageA(part.hwnd, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      const int length = static_cast<int>(SendMessageA(part.hwnd, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, i, 0));
      std::string item(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
      SendMessageA(part.hwnd, combo ? CB_GETLBTEXT : LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()));
      item.resize(static_cast<std::size_t>(std::max(length, 0)));
      items.push_back(std::move(item));
    }
    return items;
  });
}

void Form::SetItems(std::string_view name, const std::vector<std::string>& items) {
  OnWindowThread([&] {
    Part& part = At(name);
    const bool combo = part.spec.kind == ComponentKind::ComboBox;
    if (!part.hwnd || (!combo && part.spec.kind != ComponentKind::ListBox)) return;
    SendMessageA(part.hwnd, combo ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
    for (const auto& item : items)
      SendMessageA(part.hwnd, combo ? CB_ADDSTRING : LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  });
}

void Form::AddItem(std::string_view name, std::string_view item) {
  OnWindowThread([&] {
    Part& part = At(name);
    const bool combo = part.spec.kind == ComponentKind::ComboBox;
    if (!part.hwnd || (!combo && part.spec.kind != ComponentKind::ListBox)) return;
    const std::string text(item);
    SendMessageA(part.hwnd, combo ? CB_ADDSTRING : LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  });
}

int Form::ItemIndex(std::string_view name) const {
  return OnWindowThread([&] {
    const Part& part = At(name);
    if (part.spec.kind == ComponentKind::PageControl) return part.activePage;
    if (!part.hwnd) return -1;
    if (part.spec.kind == ComponentKind::ComboBox) return static_cast<int>(SendMessageA(part.hwnd, CB_GETCURSEL, 0, 0));
    if (part.spec.kind == ComponentKind::ListBox) return static_cast<int>(SendMessageA(part.hwnd, LB_GETCURSEL, 0, 0));
    return -1;
  });
}

void Form::SetItemIndex(std::string_view name, int index) {
  OnWindowThread([&] {
    Part& part = At(name);
    if (part.spec.kind == ComponentKind::PageControl) return ShowPage(part, index);
    if (!part.hwnd) return;
    if (part.spec.kind == ComponentKind::ComboBox) SendMessageA(part.hwnd, CB_SETCURSEL, index, 0);
    if (part.spec.kind == ComponentKind::ListBox) SendMessageA(part.hwnd, LB_SETCURSEL, index, 0);
  });
}

int Form::Position(std::string_view name) const {
  return OnWindowThread([&] {
    const Part& part = At(name);
    if (!part.hwnd) return part.spec.position;
    if (part.spec.kind == ComponentKind::TrackBar) return static_cast<int>(SendMessageA(part.hwnd, TBM_GETPOS, 0, 0));
    if (part.spec.kind == ComponentKind::ProgressBar)
      return static_cast<int>(SendMessageA(part.hwnd, PBM_GETPOS, 0, 0));
    return 0;
  });
}

void Form::SetPosition(std::string_view name, int position) {
  OnWindowThread([&] {
    Part& part = At(name);
    if (!part.hwnd) return;
    if (part.spec.kind == ComponentKind::ProgressBar) {
      SendMessageA(part.hwnd, PBM_SETPOS, position, 0);
    } else if (part.spec.kind == ComponentKind::TrackBar) {
      SendMessageA(part.hwnd, TBM_SETPOS, TRUE, position);
      const int now = static_cast<int>(SendMessageA(part.hwnd, TBM_GETPOS, 0, 0));
      if (now != part.lastPosition) {
        part.lastPosition = now;
        Fire(part, Event::Change);
      }
    }
  });
}

void Form::AppendRow(std::string_view name, const LogRow& row) {
  OnWindowThread([&] {
    Part& part = At(name);
    if (!part.hwnd) return;
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(SendMessageA(part.hwnd, LVM_GETITEMCOUNT, 0, 0));
    item.pszText = const_cast<char*>(row.name.c_str());
    const int at = static_cast<int>(SendMessageA(part.hwnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (at < 0) return;
    SetListViewCell(part.hwnd, at, 1, row.oldValue);
    SetListViewCell(part.hwnd, at, 2, row.newValue);
  });
}

int Form::RowCount(std::string_view name) const {
  return OnWindowThread([&] {
    const Part& part = At(name);
    return part.hwnd ? static_cast<int>(SendMessageA(part.hwnd, LVM_GETITEMCOUNT, 0, 0)) : 0;
  });
}

std::vector<LogRow> Form::Rows(std::string_view name) const {
  return OnWindowThread([&] {
    const Part& part = At(name);
    std::vector<LogRow> rows;
    if (!part.hwnd) return rows;
    const int count = static_cast<int>(SendMessageA(part.hwnd, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
      rows.push_back({ListViewCell(part.hwnd, i, 0), ListViewCell(part.hwnd, i, 1), ListViewCell(part.hwnd, i, 2)});
    return rows;
  });
}

void Form::ClearRows(std::string_view name) {
  OnWindowThread([&] {
    Part& part = At(name);
    if (part.hwnd) SendMessageA(part.hwnd, LVM_DELETEALLITEMS, 0, 0);
  });
}

void Form::ScrollBy(std::string_view name, int pixels) {
  OnWindowThread([&] {
    Part& part = At(name);
    if (part.hwnd) SendMessageA(part.hwnd, LVM_SCROLL, 0, pixels);
  });
}

std::vector<ComponentInfo> Form::Components() const {
  std::vector<ComponentInfo> list;
  for (const auto& part : parts_) list.push_back({part->spec.name, part->spec.kind, part->spec.tag});
  return list;
}

std::string Form::Caption() const {
  return OnWindowThread([&] { return hwnd_ ? WindowText(hwnd_) : layout_.caption; });
}

void Form::SetCaption(std::string_view caption) {
  OnWindowThread([&] {
    layout_.caption = caption;
    if (hwnd_) SetWindowTextA(hwnd_, layout_.caption.c_str());
  });
}

std::string Form::Hint(std::string_view name) const {
  return OnWindowThread([&] { return At(name).hint; });
}

void Form::SetHint(std::string_view name, std::string_view hint) {
  OnWindowThread([&] { At(name).hint = hint; });
}

std::vector<std::string> Form::Columns(std::string_view name) const {
  return OnWindowThread([&] { return At(name).columns; });
}

void Form::SetColumnText(std::string_view name, int index, std::string_view text) {
  OnWindowThread([&] {
    Part& part = At(name);
    if (index < 0 || index >= static_cast<int>(part.columns.size())) return;
    part.columns[index] = text;
    if (!part.hwnd) return;
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT;
    column.pszText = const_cast<char*>(part.columns[index].c_str());
    SendMessageA(part.hwnd, LVM_SETCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
  });
}

void Form::SetRowCaption(std::string_view name, int index, std::string_view text) {
  OnWindowThread([&] {
    Part& part = At(name);
    if (part.hwnd) SetListViewCell(part.hwnd, index, 0, std::string(text));
  });
}

// ---- messages ----

bool Form::ChildNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_COMMAND: {
      Part* part = FromHandle(reinterpret_cast<HWND>(lParam));
      if (!part) return false;
      const WORD code = HIWORD(wParam);
      switch (part->spec.kind) {
        case ComponentKind::RadioButton:
          if (code != BN_CLICKED) return false;
          for (auto& other : parts_)
            if (other.get() != part && other->parent == part->parent && other->spec.kind == ComponentKind::RadioButton)
              SendMessageA(other->hwnd, BM_SETCHECK, BST_UNCHECKED, 0);
          SendMessageA(part->hwnd, BM_SETCHECK, BST_CHECKED, 0);
          Fire(*part, Event::Click);
          break;
        case ComponentKind::Button:
        case ComponentKind::ToolButton:
        case ComponentKind::CheckBox:
          if (code == BN_CLICKED) Fire(*part, Event::Click);
          break;
        case ComponentKind::Edit:
        case ComponentKind::Memo:
          if (code == EN_CHANGE) Fire(*part, Event::Change);
          break;
        case ComponentKind::ComboBox:
        case ComponentKind::ListBox:
          if (code == CBN_SELCHANGE) {  // LBN_SELCHANGE has the same value
            Fire(*part, Event::Change);
            Fire(*part, Event::Click);
          }
          break;
        default: return false;
      }
      result = 0;
      return true;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      Part* part = FromHandle(header->hwndFrom);
      if (!part || part->spec.kind != ComponentKind::PageControl || header->code != static_cast<UINT>(TCN_SELCHANGE))
        return false;
      ShowPage(*part, static_cast<int>(SendMessageA(part->hwnd, TCM_GETCURSEL, 0, 0)));
      Fire(*part, Event::Change);
      result = 0;
      return true;
    }
    case WM_HSCROLL:
    case WM_VSCROLL: {
      Part* part = FromHandle(reinterpret_cast<HWND>(lParam));
      if (!part || part->spec.kind != ComponentKind::TrackBar) return false;
      const int now = static_cast<int>(SendMessageA(part->hwnd, TBM_GETPOS, 0, 0));
      if (now != part->lastPosition) {
        part->lastPosition = now;
        Fire(*part, Event::Change);
      }
      result = 0;
      return true;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      Part* part = FromHandle(reinterpret_cast<HWND>(lParam));
      if (!part) return false;
      const ComponentKind kind = part->spec.kind;
      if (kind != ComponentKind::CheckBox && kind != ComponentKind::RadioButton && kind != ComponentKind::TrackBar)
        return false;
      HDC dc = reinterpret_cast<HDC>(wParam);
      const COLORREF background = BackgroundOf(*part);
      SetTextColor(dc, Resolve(part->fontColor == kNoColor ? kWindowTextColor : part->fontColor));
      SetBkColor(dc, background);
      result = reinterpret_cast<LRESULT>(BrushFor(background));
      return true;
    }
    default: return false;
  }
}

bool Form::CommonControlMessage(Part& part, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_MOUSEMOVE:
      if (!part.hovering) {
        part.hovering = true;
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, part.hwnd, 0};
        TrackMouseEvent(&track);
        Fire(part, Event::MouseEnter);
      }
      return false;
    case WM_MOUSELEAVE:
      part.hovering = false;
      Fire(part, Event::MouseLeave);
      return false;
    case WM_SETCURSOR:
      if (part.spec.handCursor && LOWORD(lParam) == HTCLIENT) {
        SetCursor(LoadCursor(nullptr, IDC_HAND));
        result = TRUE;
        return true;
      }
      return false;
    case WM_SETFOCUS: Fire(part, Event::Enter); return false;
    default:
      if (IsContainer(part.spec.kind)) return ChildNotification(message, wParam, lParam, result);
      return false;
  }
}

LRESULT FormAccess::PartMessage(Form& form, Form::Part& part, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (form.CommonControlMessage(part, message, wParam, lParam, result)) return result;
  const HWND hwnd = part.hwnd;
  if (part.original) {
    const WNDPROC original = part.original;
    if (message == WM_NCDESTROY) {
      RemovePropA(hwnd, kPartProperty);
      part.hwnd = nullptr;
    }
    return CallWindowProcA(original, hwnd, message, wParam, lParam);
  }
  switch (message) {
    case WM_ERASEBKGND:
      if (IsContainer(part.spec.kind) && !part.spec.transparent) {
        RECT r;
        GetClientRect(hwnd, &r);
        FillRect(reinterpret_cast<HDC>(wParam), &r, form.BrushFor(form.BackgroundOf(part)));
      }
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd, &paint);
      form.PaintPart(part, dc);
      EndPaint(hwnd, &paint);
      return 0;
    }
    case WM_PRINTCLIENT: form.PaintPart(part, reinterpret_cast<HDC>(wParam)); return 0;
    case WM_LBUTTONDOWN:
      part.pressed = true;
      SetCapture(hwnd);
      return 0;
    case WM_LBUTTONUP: {
      if (!part.pressed) return 0;
      part.pressed = false;
      ReleaseCapture();
      RECT r;
      GetClientRect(hwnd, &r);
      const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      if (PtInRect(&r, at)) form.Fire(part, Event::Click);
      return 0;
    }
    case WM_ENABLE: form.Repaint(part); return 0;
    case WM_NCDESTROY:
      RemovePropA(hwnd, kPartProperty);
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      part.hwnd = nullptr;
      break;
    default: break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK Form::PartProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* part = static_cast<Part*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(part));
    if (part) part->hwnd = hwnd;
  }
  auto* part = reinterpret_cast<Part*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  HWND top = GetAncestor(hwnd, GA_ROOT);
  auto* form = top ? reinterpret_cast<Form*>(GetWindowLongPtrA(top, GWLP_USERDATA)) : nullptr;
  if (!part || !form) return DefWindowProcA(hwnd, message, wParam, lParam);
  return FormAccess::PartMessage(*form, *part, message, wParam, lParam);
}

LRESULT CALLBACK Form::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* part = static_cast<Part*>(GetPropA(hwnd, kPartProperty));
  HWND top = GetAncestor(hwnd, GA_ROOT);
  auto* form = top ? reinterpret_cast<Form*>(GetWindowLongPtrA(top, GWLP_USERDATA)) : nullptr;
  if (!part || !form) return DefWindowProcA(hwnd, message, wParam, lParam);
  return FormAccess::PartMessage(*form, *part, message, wParam, lParam);
}

LRESULT CALLBACK Form::FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* created = static_cast<Form*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    created->hwnd_ = hwnd;
  }
  auto* form = reinterpret_cast<Form*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!form) return DefWindowProcA(hwnd, message, wParam, lParam);
  try {
    return form->WindowProc(message, wParam, lParam);
  } catch (const std::exception& e) {
    ReportError(hwnd, e.what());
  } catch (...) {
    ReportError(hwnd, "");
  }
  return 0;
}

LRESULT Form::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  auto custom = messageHandlers_.find(message);
  if (custom != messageHandlers_.end()) {
    LRESULT result = 0;
    MessageHandler handler = custom->second;
    Run([&] { result = handler(wParam, lParam); });
    return result;
  }
  LRESULT result = 0;
  if (ChildNotification(message, wParam, lParam, result)) return result;
  switch (message) {
    case kRunMessage: (*reinterpret_cast<Handler*>(lParam))(); return 0;
    case kPostMessage: {
      std::unique_ptr<Handler> job(reinterpret_cast<Handler*>(lParam));
      Run(*job);
      return 0;
    }
    case WM_TIMER: {
      if (wParam >= kAnimationIdBase && wParam < kAnimationIdBase + parts_.size()) {
        Part& part = *parts_[wParam - kAnimationIdBase];
        const int frames = ArtworkFrames(part.pictureName);
        if (part.animating && frames > 1 && part.hwnd) {
          part.frame = (part.frame + 1) % frames;
          RECT r;
          GetClientRect(part.hwnd, &r);
          if (part.picture) DeleteObject(part.picture);
          part.picture = CreateArtwork(part.pictureName, r.right, r.bottom, part.frame);
          Repaint(part);
        }
        return 0;
      }
      if (wParam >= kTimerIdBase && wParam < kTimerIdBase + parts_.size()) {
        Fire(*parts_[wParam - kTimerIdBase], Event::Timer);
        return 0;
      }
      break;
    }
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(hwnd_, &r);
      FillRect(reinterpret_cast<HDC>(wParam), &r, BrushFor(Resolve(formColor_)));
      return 1;
    }
    case WM_SHOWWINDOW:
      if (wParam) Run(onShow_);
      break;
    case WM_CLOSE: Close(); return 0;
    default: break;
  }
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

}  // namespace velomar::ui
