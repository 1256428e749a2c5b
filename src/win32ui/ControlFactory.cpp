#include "win32ui/ControlFactory.h"

#include "win32ui/Buttons.h"
#include "win32ui/ComboBox.h"
#include "win32ui/Drawn.h"
#include "win32ui/EditBox.h"
#include "win32ui/Image.h"
#include "win32ui/ListView.h"
#include "win32ui/Pages.h"
#include "win32ui/Ranges.h"
#include "win32ui/Windowless.h"

namespace velomar::ui {

namespace {
template <typename Family>
std::unique_ptr<Control> Make(ControlHost& host, const Component& spec, int index) {
  return std::make_unique<Family>(host, spec, index);
}
}  // namespace

std::unique_ptr<Control> MakeControl(ControlHost& host, const Component& spec, int index) {
  switch (spec.kind) {
    case ComponentKind::Label: return Make<Label>(host, spec, index);
    case ComponentKind::Image: return Make<Image>(host, spec, index);
    case ComponentKind::Panel: return Make<Panel>(host, spec, index);
    case ComponentKind::GroupBox: return Make<GroupBox>(host, spec, index);
    case ComponentKind::PageControl: return Make<PageControl>(host, spec, index);
    case ComponentKind::TabSheet: return Make<TabSheet>(host, spec, index);
    case ComponentKind::Button: return Make<PushButton>(host, spec, index);
    case ComponentKind::CheckBox: return Make<CheckBox>(host, spec, index);
    case ComponentKind::RadioButton: return Make<RadioButton>(host, spec, index);
    case ComponentKind::Edit: return Make<EditBox>(host, spec, index);
    case ComponentKind::ComboBox: return Make<ComboBox>(host, spec, index);
    case ComponentKind::TrackBar: return Make<TrackBar>(host, spec, index);
    case ComponentKind::ProgressBar: return Make<ProgressBar>(host, spec, index);
    case ComponentKind::ListView: return Make<ListView>(host, spec, index);
    case ComponentKind::Timer: return Make<TimerControl>(host, spec, index);
    case ComponentKind::Other: break;
  }
  return Make<WindowlessControl>(host, spec, index);
}

}  // namespace velomar::ui
