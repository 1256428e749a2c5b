#include "window/Capabilities.h"

namespace velomar {

bool KindHas(ComponentKind kind, Capability capability) {
  using K = ComponentKind;
  switch (capability) {
    case Capability::Check: return kind == K::CheckBox || kind == K::RadioButton;
    case Capability::Choice: return kind == K::ComboBox || kind == K::PageControl;
    case Capability::ItemList: return kind == K::ComboBox;
    case Capability::Range: return kind == K::TrackBar || kind == K::ProgressBar;
    case Capability::Rows: return kind == K::ListView;
    case Capability::Picture: return kind == K::Image;
    case Capability::EditText: return kind == K::Edit;
  }
  return false;
}

std::string_view KindName(ComponentKind kind) {
  switch (kind) {
    case ComponentKind::Label: return "label";
    case ComponentKind::Image: return "image";
    case ComponentKind::CheckBox: return "check box";
    case ComponentKind::GroupBox: return "group box";
    case ComponentKind::RadioButton: return "radio button";
    case ComponentKind::Button: return "button";
    case ComponentKind::TabSheet: return "tab sheet";
    case ComponentKind::ListView: return "list view";
    case ComponentKind::ComboBox: return "combo box";
    case ComponentKind::Edit: return "edit box";
    case ComponentKind::Panel: return "panel";
    case ComponentKind::PageControl: return "page control";
    case ComponentKind::TrackBar: return "track bar";
    case ComponentKind::ProgressBar: return "progress bar";
    case ComponentKind::Timer: return "timer";
    case ComponentKind::Other: break;
  }
  return "component";
}

WindowStateError::WindowStateError(std::string_view component, std::string_view operation, const std::string& message)
    : std::invalid_argument(message), component_(component), operation_(operation) {}

UnknownComponent::UnknownComponent(std::string_view component, std::string_view operation, std::string_view window)
    : WindowStateError(component, operation,
                       std::string(operation) + ": the window " + (window.empty() ? "" : std::string(window) + " ") +
                           "has no component " + std::string(component)) {}

NotSupported::NotSupported(std::string_view component, ComponentKind kind, std::string_view operation)
    : WindowStateError(component, operation,
                       std::string(operation) + ": the component " + std::string(component) + " (" +
                           std::string(KindName(kind)) + ") has no such property") {}

}  // namespace velomar
