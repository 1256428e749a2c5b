#pragma once
// An in-memory window: every control is created on first use with neutral
// defaults (empty, enabled, visible, unchecked, position 0, no item). Every
// change is recorded in order, so tests and velomar-cli --trace can replay
// what a pass did to the window.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "window/WindowState.h"

namespace velomar {

struct WindowEvent {
  enum class Kind {
    Text,
    Enabled,
    Visible,
    ReadOnly,
    Bold,
    Checked,
    Items,
    ItemIndex,
    Position,
    Row,
    ClearRows,
    Scroll,
    Pause,
    Focus,
    Bounds,
    Animation,
    Drawing,
    Message,
    Help,
    Close
  };
  Kind kind;
  std::string control;
  // The new text, "1"/"0", the number, the row "name\told\tnew", the bounds
  // "x,y,width,height", the animation "1 speed"/"0", the drawing's operation
  // count, or the message "icon\ttitle\ttext".
  std::string value;
};

class MemoryWindow : public WindowState {
 public:
  // A check box's click runs on a change of its state, a track bar's change
  // on a change of its position, as a real window runs them; the others run
  // when a test fires them.
  void On(std::string_view name, Event event, Handler handler) override;
  // Runs a component's (or, with an empty name, the window's) handler of an
  // event, as the user's action would.
  void Fire(std::string_view name, Event event);

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
  void Focus(std::string_view name) override;
  Bounds BoundsOf(std::string_view name) const override;
  void SetBounds(std::string_view name, const Bounds& bounds) override;
  void SetAnimation(std::string_view name, bool playing, int speedPercent) override;
  void SetDrawing(std::string_view name, const Drawing& drawing) override;
  void ShowMessage(std::string_view text, std::string_view title, MessageIcon icon) override;
  void OpenHelpPage() override;
  void CloseWindow() override;
  std::vector<ComponentInfo> Components() const override;
  std::string Caption() const override { return caption_; }
  void SetCaption(std::string_view caption) override { caption_ = caption; }
  std::string Hint(std::string_view name) const override;
  void SetHint(std::string_view name, std::string_view hint) override;
  std::vector<std::string> Columns(std::string_view name) const override;
  void SetColumnText(std::string_view name, int index, std::string_view text) override;
  void SetRowCaption(std::string_view name, int index, std::string_view text) override;

  // Lists a component of the window layout (in layout order), so that
  // Components() names it with its kind and tag.
  void DeclareComponent(std::string_view name, ComponentKind kind, int tag = 0);
  // A list view's column headers as designed.
  void DesignColumns(std::string_view name, const std::vector<std::string>& columns);

  // A track bar's or progress bar's range; positions are kept inside it.
  void SetRange(std::string_view name, int minimum, int maximum);
  // Design-time state, set without recording an event or running a handler.
  void Design(std::string_view name, std::string_view text);
  void DesignChecked(std::string_view name, bool checked);

  // Runs during each PauseForDisplay, standing in for the timer tick and
  // whatever messages arrive meanwhile.
  void OnPause(Handler handler);

  bool Exists(std::string_view name) const;
  // What the window shows now: the focused component, whether an image is
  // animating and at what speed, the last drawing of an image, whether the
  // window was closed.
  const std::string& Focused() const { return focused_; }
  bool Animating(std::string_view name) const;
  int AnimationSpeed(std::string_view name) const;
  const Drawing* DrawingOf(std::string_view name) const;
  bool Closed() const { return closed_; }
  // Runs when a message box is shown, standing in for the user who reads it.
  void OnMessage(Handler handler) { message_ = std::move(handler); }
  const std::vector<WindowEvent>& Events() const { return events_; }
  void ClearEvents() { events_.clear(); }
  int PauseCount() const { return pauses_; }

 private:
  struct Control {
    std::string text;
    bool enabled = true;
    bool visible = true;
    bool readOnly = false;
    bool bold = false;
    bool checked = false;
    std::vector<std::string> items;
    int itemIndex = -1;
    int position = 0;
    bool hasRange = false;
    int minimum = 0;
    int maximum = 0;
    std::vector<LogRow> rows;
    std::string hint;
    std::vector<std::string> columns;
    Bounds bounds;
    bool animating = false;
    int animationSpeed = 100;
    bool hasDrawing = false;
    Drawing drawing;
    std::map<Event, Handler> handlers;
  };
  Control& At(std::string_view name);
  const Control* Find(std::string_view name) const;
  void Record(WindowEvent::Kind kind, std::string_view control, std::string value);

  std::map<std::string, Control, std::less<>> controls_;
  std::vector<WindowEvent> events_;
  Handler pause_;
  int pauses_ = 0;
  std::string caption_;
  std::vector<ComponentInfo> components_;
  Bounds frame_;
  std::string focused_;
  bool closed_ = false;
  Handler message_;
};

}  // namespace velomar
