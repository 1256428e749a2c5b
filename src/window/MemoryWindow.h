#pragma once
// An in-memory window. Every change is recorded in order, so tests and
// velomar-cli --trace can replay what a pass did to the window.
//
// A window that lists its components (DeclareComponent; DesignMemoryWindow
// gives it a layout's) knows them and answers as the Win32 window does: a
// name it does not hold is an UnknownComponent, a property the component's
// kind lacks is NotSupported (window/Capabilities.h), and the kinds behave
// as their controls do (radio buttons of one parent form a group, an edit
// box's text set by program runs its change handler, a progress bar has
// none). A window that lists none is free-form, for scratch uses (passes
// driven from the console tool, tests of a pass): each control is made on
// first use with neutral defaults (empty, enabled, visible, unchecked,
// position 0, no item), takes every property, and a getter of one never used
// answers those defaults.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "window/Capabilities.h"
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
    SaveDialog,
    Help,
    Close
  };
  Kind kind;
  std::string control;
  // The new text, "1"/"0", the number, the row "name\told\tnew", the bounds
  // "x,y,width,height", the animation "1 speed"/"0", the drawing's operation
  // count, the message "icon\ttitle\ttext", or the save dialog
  // "title\tfolder\tfileName".
  std::string value;
};

class MemoryWindow : public WindowState {
 public:
  // Handlers that program changes run as on a real window: a check box's
  // click on a change of its state (a radio button's when it becomes the
  // checked one), a track bar's change on a change of its position, an edit
  // box's change on a text set, a component's enter when the focus moves to
  // it. The others run when a test fires them. The window's own events have
  // an empty name (Create and Show).
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
  std::optional<std::string> AskSaveFileName(const SaveFileQuestion& question) override;
  // What the user answers the next Save As dialogs: a path, or nothing (cancelled).
  void AnswerSaveDialogs(std::optional<std::string> path) { saveAnswer_ = std::move(path); }
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
  // Components() names it with its kind and tag; `parent` groups radio
  // buttons. From the first one on, the window knows its components.
  void DeclareComponent(std::string_view name, ComponentKind kind, int tag = 0, std::string_view parent = {});
  // A list view's column headers as designed.
  void DesignColumns(std::string_view name, const std::vector<std::string>& columns);
  // A list's items or a page control's pages as designed, nothing selected.
  void DesignItems(std::string_view name, const std::vector<std::string>& items);

  // A track bar's or progress bar's range; positions are kept inside it.
  void SetRange(std::string_view name, int minimum, int maximum);
  void DesignPosition(std::string_view name, int position);
  // Design-time state, set without recording an event or running a handler.
  void Design(std::string_view name, std::string_view text);
  void DesignChecked(std::string_view name, bool checked);

  // Runs during each PauseForDisplay, standing in for the timer tick and
  // whatever messages arrive meanwhile.
  void OnPause(Handler handler);

  // What the window shows now: whether an image is animating and at what
  // speed, the last drawing of an image, whether the window was closed.
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
  std::optional<std::string> saveAnswer_;
  struct Control {
    ComponentKind kind = ComponentKind::Other;
    bool declared = false;  // kind and parent known
    std::string parent;
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
  bool KnowsComponents() const { return !components_.empty(); }
  // The component `operation` works on: an unknown name is refused by a
  // window that knows its components and made on first use by a free-form
  // one (the const form answers nullptr there: nothing was set).
  Control& At(std::string_view name, std::string_view operation);
  const Control* Find(std::string_view name, std::string_view operation) const;
  // The same, for an operation of a capability the component's kind must have.
  Control& At(std::string_view name, Capability capability, std::string_view operation);
  const Control* Find(std::string_view name, Capability capability, std::string_view operation) const;
  // Whether the component is known to be of `kind` (false in a free-form window).
  static bool Is(const Control& control, ComponentKind kind) { return control.declared && control.kind == kind; }
  void Record(WindowEvent::Kind kind, std::string_view control, std::string value);

  std::map<std::string, Control, std::less<>> controls_;
  std::map<Event, Handler> windowHandlers_;  // the window's own Create and Show
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
