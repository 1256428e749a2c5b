#pragma once
// One component of a window as a real control. The base class holds what
// every kind shares (window, parent, handlers, text, enabled and visible
// state, font, colours, hint, bounds, hover and focus events); each family
// of kinds adds the capabilities it has (ControlCapabilities.h) and nothing
// else (Buttons.h, ComboBox.h, Ranges.h, EditBox.h, ListView.h, Pages.h,
// Windowless.h, Drawn.h, Image.h). MakeControl (ControlFactory.h) picks the
// family by kind.
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "win32ui/Look.h"
#include "win32ui/Thunk.h"
#include "window/Layout.h"
#include "window/WindowState.h"

namespace velomar::ui {

using velomar::Event;

class Control;

// What a control needs of the window it lies in.
class ControlHost {
 public:
  virtual HWND Window() const = 0;
  virtual const Look& WindowLook() const = 0;
  virtual int FormFontHeight() const = 0;
  virtual COLORREF FormColor() const = 0;
  virtual HFONT FontFor(int height, bool bold) = 0;
  virtual HBRUSH BrushFor(COLORREF color) = 0;
  virtual HDC MeasuringDC() = 0;
  // Runs the control's handler for `event`; an exception is reported.
  virtual void Fire(Control& control, Event event) = 0;
  // Every control of the window in layout order.
  virtual const std::vector<std::unique_ptr<Control>>& Controls() const = 0;
  // The mouse moved over a control that has a hint.
  virtual void Hovered(Control& control, UINT message, WPARAM wParam, LPARAM lParam) = 0;
  virtual void HintChanged(Control& control) = 0;

 protected:
  ~ControlHost() = default;
};

// A colour of a layout as the system draws it (system colours resolved).
COLORREF Resolve(Color color);
// The window's text as UTF-8.
std::string WindowText(HWND window);
// Where a child window lies in its parent's client area.
RECT RectInParent(HWND control);

class Control : public MessageTarget {
 public:
  using Handler = std::function<void()>;

  Control(ControlHost& host, Component spec, int index);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const Component& Spec() const { return spec_; }
  const std::string& Name() const { return spec_.name; }
  ComponentKind Kind() const { return spec_.kind; }
  int Index() const { return index_; }
  HWND Handle() const { return hwnd_; }
  Control* Parent() const { return parent_; }
  // Links the control to its parent in the layout (before creation).
  void SetParent(Control* parent);
  // A container learns of a child of its own (page controls: their sheets).
  virtual void Adopt(Control& /*child*/) {}

  void On(Event event, Handler handler) { handlers_[event] = std::move(handler); }
  const Handler* HandlerFor(Event event) const;
  void Fire(Event event) { host_.Fire(*this, event); }

  // Makes the control's window in `parentWindow`; the layout's
  // later components lie above the earlier ones, so the form creates the
  // children of one parent from the last to the first.
  virtual void Create(HWND parentWindow);
  // Runs once the children of this control exist.
  virtual void ChildrenCreated() {}

  LRESULT Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

  // A capability of the control's family (ControlCapabilities.h); nullptr
  // when the family lacks it.
  template <class Capability>
  Capability* As() {
    return dynamic_cast<Capability*>(this);
  }

  // What every control has of the window-state seam.
  std::string Text() const;
  void SetText(std::string_view text);
  virtual bool Enabled() const;
  virtual void SetEnabled(bool enabled);
  bool Visible() const;
  void SetVisible(bool visible);
  bool Bold() const { return bold_; }
  void SetBold(bool bold);
  const std::string& Hint() const { return hint_; }
  void SetHint(std::string_view hint);
  Bounds BoundsInParent() const;
  void SetBounds(const Bounds& bounds);
  void Focus();

  // What painting and the families ask of each other.
  COLORREF Background() const;  // the first colour up the parents, else the window's
  COLORREF TextColor() const;
  HFONT CurrentFont() const;
  bool Transparent() const { return spec_.transparent; }
  // Repaints the control and the transparent ones above it that show it.
  void Invalidate();

 protected:
  struct WindowSpec {
    const wchar_t* className = nullptr;  // nullptr: the framework's own class
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, width = 0, height = 0;
    bool hidden = false;  // shown later by the family (tab sheets)
  };
  // The window this control is made of; WS_CHILD, visibility and the
  // enabled state are added by the base.
  virtual WindowSpec Describe() const;
  // The window exists (with its font); set its initial state.
  virtual void Created() {}
  // The family's own handling of a message; true when handled.
  virtual bool HandleMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT& /*result*/) {
    return false;
  }
  // The caption changed (labels fit themselves, tab sheets rename their tab).
  virtual void TextChanged() {}
  // The font changed (labels fit themselves).
  virtual void FontChanged() {}
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
  // Answers WM_CTLCOLORSTATIC / WM_CTLCOLORBTN with this control's colours.
  LRESULT Colours(WPARAM dc);
  bool IsOwnClass() const { return !systemClass_; }

  ControlHost& host_;
  Component spec_;
  HWND hwnd_ = nullptr;

 private:
  int index_;
  Control* parent_ = nullptr;
  bool systemClass_ = false;  // a system class's window, subclassed
  std::map<Event, Handler> handlers_;
  bool bold_;
  const Color color_;
  const Color fontColor_;
  std::string hint_;
  bool hovering_ = false;
};

}  // namespace velomar::ui
