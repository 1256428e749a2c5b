#pragma once
// A real window made from a FormLayout. Components are created in table
// order (later ones above earlier ones); behaviour is attached as handlers
// per component and event. The window implements the window-state seam over
// its controls: calls from other threads are handed to the window's thread
// and run there in the order they were made.
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

#include "window/Layout.h"
#include "window/WindowState.h"

namespace velomar::ui {

enum class Event { Click, MouseEnter, MouseLeave, Change, Enter, Timer };

class Form : public WindowState {
 public:
  using Handler = std::function<void()>;
  using MessageHandler = std::function<LRESULT(WPARAM, LPARAM)>;

  explicit Form(FormLayout layout);
  ~Form() override;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // Creates the window (hidden) and its components, then runs the Create
  // handler. Handlers are attached before.
  void Create();
  bool IsCreated() const { return hwnd_ != nullptr; }
  HWND Handle() const { return hwnd_; }
  // The control of a component; nullptr for none (or a timer).
  HWND Control(std::string_view name) const;
  const FormLayout& Layout() const { return layout_; }

  void On(std::string_view component, Event event, Handler handler);
  void OnCreate(Handler handler) { onCreate_ = std::move(handler); }
  void OnShow(Handler handler) { onShow_ = std::move(handler); }
  void OnMessage(UINT message, MessageHandler handler);

  void Show();
  void Hide();
  // Hides the window; a modal showing returns.
  void Close();
  // Shows the window with `owner` disabled, handles messages until the
  // window closes, then enables the owner again.
  void ShowModal(HWND owner);
  bool IsShowing() const;
  bool IsModal() const { return modalOwner_ != nullptr || inModalLoop_; }
  void CenterOnScreen();
  void CenterOn(HWND other);
  void SetBorder(BorderStyle border);

  // Runs `work` on the window's thread after the messages already queued.
  void Post(Handler work);

  // Properties the seam does not carry.
  void SetColor(std::string_view name, Color color);  // empty name: the window
  void SetFontColor(std::string_view name, Color color);
  void SetPicture(std::string_view name, const std::string& picture);
  void SetTimerEnabled(std::string_view name, bool enabled);
  void SetTimerInterval(std::string_view name, int milliseconds);

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
  void OpenHelpPage() override;
  void CloseWindow() override { Close(); }

  struct Part;  // one component's control and state (Form.cpp)

 private:
  friend struct FormAccess;

  Part& At(std::string_view name) const;
  Part* Find(std::string_view name) const;
  Part* FromHandle(HWND control) const;
  template <typename F>
  auto OnWindowThread(F&& f) const -> decltype(f());

  void CreatePart(Part& part);
  void ApplyFont(Part& part);
  void FitLabel(Part& part);
  void Repaint(Part& part);
  void ShowPage(Part& pageControl, int index);
  void StartTimers();
  void Fire(const Part& part, Event event);
  void Run(const Handler& handler);

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  bool ChildNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool CommonControlMessage(Part& part, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void PaintPart(Part& part, HDC dc);
  void PaintBeneath(Part& part, HDC dc);
  static LRESULT CALLBACK FormProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK PartProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM);

  HFONT FontFor(int height, bool bold);
  COLORREF Resolve(Color color) const;
  COLORREF BackgroundOf(const Part& part) const;
  HBRUSH BrushFor(COLORREF color);

  FormLayout layout_;
  HWND hwnd_ = nullptr;
  DWORD thread_ = 0;
  std::vector<std::unique_ptr<Part>> parts_;
  std::map<std::string, Part*, std::less<>> byName_;
  std::map<std::pair<int, bool>, HFONT> fonts_;
  std::map<COLORREF, HBRUSH> brushes_;
  Color formColor_;
  Handler onCreate_;
  Handler onShow_;
  std::map<UINT, MessageHandler> messageHandlers_;
  std::map<std::string, std::map<Event, Handler>, std::less<>> pending_;

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
