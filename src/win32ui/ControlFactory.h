#pragma once
// The one place that turns a component's kind into its family of control.
#include <memory>

#include "win32ui/Control.h"

namespace velomar::ui {

std::unique_ptr<Control> MakeControl(ControlHost& host, const Component& spec, int index);

}  // namespace velomar::ui
