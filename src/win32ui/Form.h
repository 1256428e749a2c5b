#pragma once
// A real window made from a FormLayout. Components are created in table
// order of parents (later ones above earlier ones); behaviour is attached
// as handlers per component and event. The window implements the
// window-state seam over its controls (one object per component, of the
// family its kind belongs to: Control.h): calls from other threads are
// handed to the window's thread and run there in the order they were made.
#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "win32ui/Control.h"
#include "win32ui/ControlCapabilities.h"
#include "win32ui/Gdi.h"
#include "win32ui/HandOver.h"
#include "win32ui/Thunk.h"
#include "window/Layout.h"
#include "window/WindowState.h"

namespace velomar::ui {

class Tooltips;

class Form : public WindowState, private MessageTarget, private ControlHost {
 public:
  using MessageHandler = std::function<LRESULT(WPARAM, LPARAM)>;

  // `look` tells what the window shows of its program (Look.h).
  explicit Form(FormLayout layout, Look look = {});
  ~Form() override;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // Creates the window (hidden) and its components, then runs the Create
  // handler. Handlers are attached before.
  void Create();
  bool IsCreated() const { return hwnd_ != nullptr; }
  HWND Handle() const { return hwnd_; }
  // The window of a component's control; nullptr for none (or a timer).
  HWND ControlHandle(std::string_view name) const;

  // The window's own Create and Show events have an empty name.
  void On(std::string_view component, Event event, Handler handler) override;
  // A handler of a window message of the window's own; the framework's
  // hand-over of work from other threads (Post, seam calls) goes first.
  void OnMessage(UINT message, MessageHandler handler);

  void Show();
  void Hide();
  // Hides the window; a modal showing returns.
  void Close();
  // Shows the window with `owner` disabled, handles messages until the
  // window closes, then enables the owner again.
  void ShowModal(HWND owner);
  bool IsShowing() const;
  void CenterOn(HWND other);
  // The frame changes and the client area keeps its size; the outer size
  // is then set with SetBounds("", ...).
  void SetBorder(BorderStyle border);

  // Runs `work` on the window's thread after the messages already queued.
  // Work still queued when the window is destroyed is dropped unrun.
  void Post(Handler work);

  // Properties the seam does not carry.
  void SetPicture(std::string_view name, const std::string& picture);
  void SetTimerEnabled(std::string_view name, bool enabled);
  // The pace of an image's running animation in milliseconds; 0 when still.
  int AnimationInterval(std::string_view name) const;
  // The window showing the components' hints; nullptr before one was needed.
  HWND TooltipWindow() const;

  // The display tick: PauseForDisplay returns after the next call of this
  // (the window's Timer_Show handler makes it).
  void EndPauseForDisplay();

  // WindowState over the real controls.
  std::string Text(std::string_view name) const override;
  void SetText(std::string_view name, std::string_view text) override;
  bool Enabled(std::string_view name) const override;
  void SetEnabled(std::string_view name, bool enabled) override;
  bool Visible(std::string_view name) const override;
  void SetVisible(std::string_view name, bool visible) override;
  bool ReadOnly(std::string_view name) const override;
  void SetReadOnly(std::string_view name, bool readOnly) override;
  bool Bold(std::string_view name) const override;
  void SetBold(std::string_view name, bool bold) override;
  bool Checked(std::string_view name) const override;
  void SetChecked(std::string_view name, bool checked) override;
  std::vector<std::string> Items(std::string_view name) const override;
  void SetItems(std::string_view name, const std::vector<std::string>& items) override;
  void AddItem(std::string_view name, std::string_view item) override;
  int ItemIndex(std::string_view name) const override;
  void SetItemIndex(std::string_view name, int index) override;
  int Position(std::string_view name) const override;
  void SetPosition(std::string_view name, int position) override;
  void AppendRow(std::string_view name, const LogRow& row) override;
  int RowCount(std::string_view name) const override;
  std::vector<LogRow> Rows(std::string_view name) const override;
  void ClearRows(std::string_view name) override;
  void ScrollBy(std::string_view name, int pixels) override;
  void PauseForDisplay() override;
  std::vector<ComponentInfo> Components() const override;
  std::string Caption() const override;
  void SetCaption(std::string_view caption) override;
  std::string Hint(std::string_view name) const override;
  void SetHint(std::string_view name, std::string_view hint) override;
  std::vector<std::string> Columns(std::string_view name) const override;
  void SetColumnText(std::string_view name, int index, std::string_view text) override;
  void SetRowCaption(std::string_view name, int index, std::string_view text) override;
  void Focus(std::string_view name) override;
  Bounds BoundsOf(std::string_view name) const override;
  void SetBounds(std::string_view name, const Bounds& bounds) override;
  void SetAnimation(std::string_view name, bool playing, int speedPercent = 100) override;
  void SetDrawing(std::string_view name, const Drawing& drawing) override;
  void ShowMessage(std::string_view text, std::string_view title, MessageIcon icon) override;
  std::optional<std::string> AskSaveFileName(const SaveFileQuestion& question) override;
  void OpenHelpPage() override;
  void CloseWindow() override { Close(); }

 private:
  using ControlPtr = std::unique_ptr<Control>;

  // The component `operation` works on; UnknownComponent for a name the
  // window does not hold.
  Control& At(std::string_view name, std::string_view operation) const;
  // The same, for an operation of a capability (ControlCapabilities.h);
  // NotSupported when the component's family lacks it.
  template <class Capability>
  Capability& Need(std::string_view name, std::string_view operation) const;
  Control* Find(std::string_view name) const;
  template <typename F>
  auto OnWindowThread(F&& f) const -> decltype(f()) {
    return handOver_.Call(std::forward<F>(f));
  }
  // Creates the children of `parent` (nullptr: the window's own), the last
  // first, so that each lies below the ones created before it.
  void CreateChildren(Control* parent, HWND parentWindow);
  void Run(const Handler& handler);

  // MessageTarget: the window's messages.
  LRESULT Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  // ControlHost: what the controls ask of their window.
  HWND Window() const override { return hwnd_; }
  const Look& WindowLook() const override { return look_; }
  int FormFontHeight() const override { return layout_.fontHeight; }
  COLORREF FormColor() const override { return Resolve(formColor_); }
  HFONT FontFor(int height, bool bold) override { return gdi_.FontFor(height, bold); }
  HBRUSH BrushFor(COLORREF color) override { return gdi_.BrushFor(color); }
  HDC MeasuringDC() override { return gdi_.MeasuringDC(); }
  void Fire(Control& control, Event event) override;
  const std::vector<ControlPtr>& Controls() const override { return controls_; }
  void Hovered(Control& control, UINT message, WPARAM wParam, LPARAM lParam) override;
  void HintChanged(Control& control) override;

  FormLayout layout_;
  Look look_;
  HWND hwnd_ = nullptr;
  std::vector<ControlPtr> controls_;
  std::map<std::string, Control*, std::less<>> byName_;
  GdiCache gdi_;
  const Color formColor_;
  Handler onCreate_;
  Handler onShow_;
  std::map<UINT, MessageHandler> messageHandlers_;
  mutable HandOver handOver_;
  std::unique_ptr<Tooltips> tooltips_;

  HWND modalOwner_ = nullptr;
  bool inModalLoop_ = false;
  bool closed_ = false;

  // The display hand-shake; a worker waits on the condition instead.
  bool waitingForTick_ = false;
  std::mutex tickMutex_;
  std::condition_variable tickArrived_;
  unsigned long ticks_ = 0;
  std::atomic<bool> destroying_{false};
};

}  // namespace velomar::ui
