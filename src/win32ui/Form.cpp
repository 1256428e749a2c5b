#include "win32ui/Form.h"

#include <stdexcept>

#include "platform/MessageWait.h"
#include "platform/win32/Win32Text.h"
#include "win32ui/Application.h"
#include "win32ui/ControlFactory.h"
#include "win32ui/Tooltips.h"
#include "win32ui/Windowless.h"
#include "window/Capabilities.h"

namespace velomar::ui {

namespace {

DWORD FrameStyle(BorderStyle border, bool minimizeBox) {
  if (border == BorderStyle::None) return WS_POPUP | WS_CLIPCHILDREN;
  return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | (minimizeBox ? WS_MINIMIZEBOX : 0) | WS_CLIPCHILDREN;
}

// Registers a window class of the framework's once: a form's (with the
// program's icon) or that of the controls it draws itself (double clicks).
void RegisterClassOnce(const std::string& className, bool form) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  const std::wstring name = platform::Utf8ToWide(className);
  WNDCLASSW existing{};
  if (GetClassInfoW(instance, name.c_str(), &existing)) return;
  WNDCLASSW wc{};
  wc.style = form ? 0 : CS_DBLCLKS;
  wc.lpfnWndProc = WindowThunk;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hIcon = form ? LoadIconW(instance, MAKEINTRESOURCEW(1)) : nullptr;
  wc.lpszClassName = name.c_str();
  RegisterClassW(&wc);
}

}  // namespace

Form::Form(FormLayout layout, Look look)
    : layout_(std::move(layout)), look_(std::move(look)), gdi_(look_.fontName), formColor_(layout_.color) {
  controls_.reserve(layout_.components.size());
  for (const Component& component : layout_.components) {
    const int index = static_cast<int>(controls_.size());
    controls_.push_back(MakeControl(*this, component, index));
    byName_.emplace(component.name, controls_.back().get());
  }
  for (auto& control : controls_) {
    const std::string& parentName = control->Spec().parent;
    if (parentName.empty()) continue;
    Control* parent = Find(parentName);
    if (!parent || parent->Index() >= control->Index())
      throw std::logic_error("component " + control->Name() + " names an unknown or later parent");
    if (control->Kind() == ComponentKind::TabSheet && parent->Kind() != ComponentKind::PageControl)
      throw std::logic_error("tab sheet " + control->Name() + " lies outside a page control");
    control->SetParent(parent);
    parent->Adopt(*control);
  }
}

Form::~Form() {
  destroying_ = true;
  {
    std::lock_guard<std::mutex> lock(tickMutex_);
    ++ticks_;
  }
  tickArrived_.notify_all();
  handOver_.Detach();
  tooltips_.reset();
  if (hwnd_) {
    // The window's own handlers belong to a class already destroyed.
    Unbind(hwnd_);
    DestroyWindow(hwnd_);
    hwnd_ = nullptr;
  }
}

Control* Form::Find(std::string_view name) const {
  auto it = byName_.find(name);
  return it == byName_.end() ? nullptr : it->second;
}

Control& Form::At(std::string_view name, std::string_view operation) const {
  if (Control* control = Find(name)) return *control;
  throw UnknownComponent(name, operation, layout_.className);
}

HWND Form::ControlHandle(std::string_view name) const {
  const Control* control = Find(name);
  return control ? control->Handle() : nullptr;
}

void Form::On(std::string_view component, Event event, Handler handler) {
  if (component.empty() && event == Event::Create)
    onCreate_ = std::move(handler);
  else if (component.empty() && event == Event::Show)
    onShow_ = std::move(handler);
  else
    At(component, "On").On(event, std::move(handler));
}

void Form::OnMessage(UINT message, MessageHandler handler) { messageHandlers_[message] = std::move(handler); }

void Form::Run(const Handler& handler) {
  if (!handler) return;
  try {
    handler();
  } catch (const std::exception& e) {
    ReportError(hwnd_, e.what(), look_.title);
  } catch (...) {
    ReportError(hwnd_, "", look_.title);
  }
}

void Form::Fire(Control& control, Event event) {
  if (destroying_) return;
  const Handler* handler = control.HandlerFor(event);
  if (!handler) return;
  const Handler copy = *handler;  // the handler may replace itself
  Run(copy);
}

// ---- creation ----

void Form::Create() {
  if (hwnd_) return;
  InitializeControls();
  RegisterClassOnce(layout_.className, true);
  RegisterClassOnce(look_.partClassName, false);
  const DWORD style = FrameStyle(layout_.border, layout_.minimizeBox);
  RECT frame{0, 0, layout_.clientWidth, layout_.clientHeight};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  int x = CW_USEDEFAULT, y = CW_USEDEFAULT;
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  if (layout_.centred) {
    // Placed once, at creation, rather than moved afterwards.
    x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  }
  hwnd_ = CreateWindowExW(0, platform::Utf8ToWide(layout_.className).c_str(),
                          platform::Utf8ToWide(layout_.caption).c_str(), style, x, y, width, height, nullptr, nullptr,
                          GetModuleHandleW(nullptr), static_cast<MessageTarget*>(this));
  if (!hwnd_) throw std::runtime_error("cannot create the window " + layout_.className);
  handOver_.Attach(hwnd_);
  CreateChildren(nullptr, hwnd_);
  Run(onCreate_);
}

void Form::CreateChildren(Control* parent, HWND parentWindow) {
  bool any = false;
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    if ((*it)->Parent() != parent) continue;
    (*it)->Create(parentWindow);
    any = true;
  }
  if (!any) return;
  for (auto& control : controls_)
    if (control->Parent() == parent && control->Handle()) CreateChildren(control.get(), control->Handle());
  if (parent) parent->ChildrenCreated();
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
  PostMessageW(hwnd_, WM_NULL, 0, 0);  // wakes the modal loop
  if (layout_.quitOnClose) PostQuitMessage(0);
}

void Form::ShowModal(HWND owner) {
  if (!hwnd_) Create();
  if (inModalLoop_) return;
  closed_ = false;
  inModalLoop_ = true;
  modalOwner_ = owner;
  if (owner) {
    SetWindowLongPtrW(hwnd_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    EnableWindow(owner, FALSE);
  }
  Show();
  SetForegroundWindow(hwnd_);
  MSG msg;
  while (!closed_) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // the outer loop ends too
      break;
    }
    if (got < 0) break;
    if (!IsDialogMessageW(hwnd_, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
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

void Form::CenterOn(HWND other) {
  RECT mine, theirs;
  GetWindowRect(hwnd_, &mine);
  GetWindowRect(other, &theirs);
  const int x = theirs.left + ((theirs.right - theirs.left) - (mine.right - mine.left)) / 2;
  const int y = theirs.top + ((theirs.bottom - theirs.top) - (mine.bottom - mine.top)) / 2;
  SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetBorder(BorderStyle border) {
  OnWindowThread([&] {
    layout_.border = border;
    if (!hwnd_) return;
    const DWORD visible = GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE;
    const DWORD style = FrameStyle(border, layout_.minimizeBox) | visible;
    SetWindowLongW(hwnd_, GWL_STYLE, static_cast<LONG>(style));
    RECT client;
    GetClientRect(hwnd_, &client);
    RECT frame = client;
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  });
}

void Form::Post(Handler work) { handOver_.Post(std::move(work)); }

// ---- the display hand-shake ----

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
  if (GetCurrentThreadId() != GetWindowThreadProcessId(hwnd_, nullptr)) {
    // A worker waits for the tick without touching the window.
    std::unique_lock<std::mutex> lock(tickMutex_);
    const unsigned long seen = ticks_;
    tickArrived_.wait(lock, [&] { return ticks_ != seen || destroying_; });
    return;
  }
  bool hasTimer = false;
  for (const auto& control : controls_)
    hasTimer = hasTimer || (control->Kind() == ComponentKind::Timer && control->Enabled());
  if (!hasTimer) {
    platform::ProcessPendingMessages();
    return;
  }
  waitingForTick_ = true;
  platform::ProcessMessagesUntil([&] { return !waitingForTick_ || destroying_ || !IsWindow(hwnd_); });
}

// ---- messages ----

void Form::Hovered(Control& control, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!tooltips_) tooltips_ = std::make_unique<Tooltips>(hwnd_);
  tooltips_->Hovered(control.Handle(), control.Hint(), message, wParam, lParam);
}

void Form::HintChanged(Control& control) {
  if (tooltips_ && control.Handle()) tooltips_->Update(control.Handle(), control.Hint());
}

HWND Form::TooltipWindow() const {
  return OnWindowThread([&] { return tooltips_ ? tooltips_->Window() : nullptr; });
}

LRESULT Form::Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!hwnd_) hwnd_ = window;  // messages of CreateWindowEx itself
  try {
    // The hand-over's messages come first: no handler of the window's own
    // may take them, or calls from other threads would wait forever.
    if (handOver_.Handle(message, lParam, [this](const Handler& work) { Run(work); })) return 0;
    auto custom = messageHandlers_.find(message);
    if (custom != messageHandlers_.end()) {
      LRESULT result = 0;
      MessageHandler handler = custom->second;
      Run([&] { result = handler(wParam, lParam); });
      return result;
    }
    switch (message) {
      case WM_TIMER:
        if (TimerControl::IsTimerId(wParam, controls_.size())) {
          if (auto* timer = controls_[TimerControl::IndexOf(wParam)]->As<Ticking>()) timer->Tick();
          return 0;
        }
        break;
      case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(hwnd_, &r);
        FillRect(reinterpret_cast<HDC>(wParam), &r, BrushFor(FormColor()));
        return 1;
      }
      case WM_SHOWWINDOW:
        if (wParam) Run(onShow_);
        break;
      case WM_CLOSE: Close(); return 0;
      case WM_NCDESTROY: Unbind(window); break;
      default: break;
    }
  } catch (const std::exception& e) {
    ReportError(window, e.what(), look_.title);
    return 0;
  } catch (...) {
    ReportError(window, "", look_.title);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace velomar::ui
