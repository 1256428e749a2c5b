#pragma once
// What each kind of component has, and the errors of the window-state seam.
//
// Every component has a text, an enabled and a visible state, a font
// weight, a hint, bounds, the focus and handlers (one without a window of
// its own, a timer or a listed part, keeps them as values). The capabilities
// below belong to some kinds only. Both windows answer alike: a name the
// window does not hold is an UnknownComponent, a call of a capability the
// component's kind lacks is NotSupported; both are WindowStateErrors.
#include <stdexcept>
#include <string>
#include <string_view>

#include "window/WindowState.h"

namespace velomar {

enum class Capability {
  Check,     // Checked, SetChecked: check boxes and radio buttons
  Choice,    // Items, ItemIndex, SetItemIndex: combo boxes, page controls (their pages)
  ItemList,  // SetItems, AddItem: combo boxes
  Range,     // Position, SetPosition: track bars and progress bars
  Rows,      // rows and columns: list views
  Picture,   // SetAnimation, SetDrawing: images
  EditText,  // ReadOnly, SetReadOnly: edit boxes
};

bool KindHas(ComponentKind kind, Capability capability);
// The kind as a reader names it ("track bar"), for messages.
std::string_view KindName(ComponentKind kind);

class WindowStateError : public std::invalid_argument {
 public:
  WindowStateError(std::string_view component, std::string_view operation, const std::string& message);
  const std::string& Component() const { return component_; }
  const std::string& Operation() const { return operation_; }

 private:
  std::string component_;
  std::string operation_;
};

// The window holds no component of that name.
class UnknownComponent : public WindowStateError {
 public:
  // `window` names the window in the message when it is known.
  UnknownComponent(std::string_view component, std::string_view operation, std::string_view window = {});
};

// The component's kind has no such property.
class NotSupported : public WindowStateError {
 public:
  NotSupported(std::string_view component, ComponentKind kind, std::string_view operation);
};

}  // namespace velomar
