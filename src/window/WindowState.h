#pragma once
// The by-name window-state seam. Window logic addresses controls by
// component name ("Label_Doing", "ProgressBar_Optimize", ...) through this
// interface; MemoryWindow implements it in memory (tests, velomar-cli) and
// the Win32 windows implement it over real controls. Passes never see it:
// they report to a PassProgress, which the window shows on controls of its
// choice.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "progress/LogRow.h"
#include "window/Drawing.h"

namespace velomar {

// The kinds of component a window layout holds. The language tables decide
// by kind which properties of a component they translate.
enum class ComponentKind {
  Label,
  Image,
  CheckBox,
  GroupBox,
  RadioButton,
  Button,
  TabSheet,
  ListView,
  ComboBox,
  Edit,
  Panel,
  PageControl,
  TrackBar,
  ProgressBar,
  Timer,
  Other,
};

// Where a component lies in its parent's client area, or (for the window
// itself) where the window's outer frame lies on the screen.
struct Bounds {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Bounds&) const = default;
};

enum class MessageIcon { None, Information, Warning, Error };

// What the standard Save As dialog asks: its title, the file `fileName`
// proposed in `folder` (empty: the dialog's own choice), and the one kind
// of file it offers, named `filterName`, matching `pattern` ("*.reg").
struct SaveFileQuestion {
  std::string title;
  std::string folder;
  std::string fileName;
  std::string filterName;
  std::string pattern;
};

// What a handler answers: a component's click, the mouse coming over it and
// leaving it, a change of its value, its taking the focus, a timer's tick;
// and, for the window itself (an empty name), its creation and each showing.
enum class Event { Click, MouseEnter, MouseLeave, Change, Enter, Timer, Create, Show };

// A component as its window lists it: name, kind and the designer's tag.
struct ComponentInfo {
  std::string name;
  ComponentKind kind = ComponentKind::Other;
  int tag = 0;
  bool operator==(const ComponentInfo&) const = default;
};

class WindowState {
 public:
  using Handler = std::function<void()>;

  virtual ~WindowState() = default;

  // Attaches the handler of a component's event (one each: a later one
  // replaces it). A window's logic wires its handlers once, through this,
  // whichever window it drives.
  virtual void On(std::string_view name, Event event, Handler handler) = 0;

  // Caption of a label, button, group box or check box; text of an edit box.
  virtual std::string Text(std::string_view name) const = 0;
  virtual void SetText(std::string_view name, std::string_view text) = 0;

  virtual bool Enabled(std::string_view name) const = 0;
  virtual void SetEnabled(std::string_view name, bool enabled) = 0;
  virtual bool Visible(std::string_view name) const = 0;
  virtual void SetVisible(std::string_view name, bool visible) = 0;
  virtual bool ReadOnly(std::string_view name) const = 0;
  virtual void SetReadOnly(std::string_view name, bool readOnly) = 0;
  virtual bool Bold(std::string_view name) const = 0;
  virtual void SetBold(std::string_view name, bool bold) = 0;

  // Check boxes and radio buttons. Changing the state by program runs the
  // control's click handler, as it does on a real window.
  virtual bool Checked(std::string_view name) const = 0;
  virtual void SetChecked(std::string_view name, bool checked) = 0;

  // Combo and list boxes: the items and the selected index (-1: none).
  virtual std::vector<std::string> Items(std::string_view name) const = 0;
  virtual void SetItems(std::string_view name, const std::vector<std::string>& items) = 0;
  virtual void AddItem(std::string_view name, std::string_view item) = 0;
  virtual int ItemIndex(std::string_view name) const = 0;
  virtual void SetItemIndex(std::string_view name, int index) = 0;

  // Track bars and progress bars. Setting a track bar's position runs its
  // change handler only when the position changes.
  virtual int Position(std::string_view name) const = 0;
  virtual void SetPosition(std::string_view name, int position) = 0;

  // List views in report view.
  virtual void AppendRow(std::string_view name, const LogRow& row) = 0;
  virtual int RowCount(std::string_view name) const = 0;
  virtual std::vector<LogRow> Rows(std::string_view name) const = 0;
  virtual void ClearRows(std::string_view name) = 0;
  virtual void ScrollBy(std::string_view name, int pixels) = 0;

  // The pacing hand-shake with the window's display timer: returns after the
  // window's next Timer_Show tick, handling messages meanwhile.
  virtual void PauseForDisplay() = 0;

  // Window actions the windows' logic needs. The in-memory window records
  // them; the framework carries them out.

  // Moves the keyboard focus to a component; with an empty name, to the
  // window itself, where no control takes keys.
  virtual void Focus(std::string_view name) = 0;
  // A component's bounds in its parent (after it sized itself to its text);
  // with an empty name, the window's outer frame on the screen.
  virtual Bounds BoundsOf(std::string_view name) const = 0;
  virtual void SetBounds(std::string_view name, const Bounds& bounds) = 0;
  // Plays or stops an image's animation; speedPercent scales its pace
  // (100 as stored, 1000 ten times as fast).
  virtual void SetAnimation(std::string_view name, bool playing, int speedPercent) = 0;
  // Shows a picture computed by the caller in an image component.
  virtual void SetDrawing(std::string_view name, const Drawing& drawing) = 0;
  // A message box owned by this window, with an OK button; it returns when
  // the box is closed. An empty title means the application's title.
  virtual void ShowMessage(std::string_view text, std::string_view title, MessageIcon icon) = 0;
  // The standard Save As dialog, owned by this window; it returns when it is
  // closed: the path the user chose (having confirmed replacing a file that
  // exists), or nothing when they cancelled.
  virtual std::optional<std::string> AskSaveFileName(const SaveFileQuestion& question) = 0;
  // Opens the maker's support page in the user's web browser.
  virtual void OpenHelpPage() = 0;
  // Hides the window; a modal showing of it returns.
  virtual void CloseWindow() = 0;

  // What the language tables need besides the above. A window that lists no
  // components has nothing to translate, hence the neutral defaults.

  // The components in the order of the window layout.
  virtual std::vector<ComponentInfo> Components() const { return {}; }
  // The window's own caption.
  virtual std::string Caption() const { return {}; }
  virtual void SetCaption(std::string_view /*caption*/) {}
  virtual std::string Hint(std::string_view /*name*/) const { return {}; }
  virtual void SetHint(std::string_view /*name*/, std::string_view /*hint*/) {}
  // A list view's column headers.
  virtual std::vector<std::string> Columns(std::string_view /*name*/) const { return {}; }
  virtual void SetColumnText(std::string_view /*name*/, int /*index*/, std::string_view /*text*/) {}
  // The caption (first cell) of a list view's row.
  virtual void SetRowCaption(std::string_view /*name*/, int /*index*/, std::string_view /*text*/) {}
};

}  // namespace velomar
