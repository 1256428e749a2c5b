#pragma once
// A window under the window-state contract (WindowContractTest.cpp): made
// from a layout, created and shown. One implementation per window: the
// in-memory window (MemoryContractWindow.cpp) and the Win32 form
// (FormContractWindow.cpp); each suite program links one of them.
#include <memory>
#include <string>
#include <vector>

#include "window/Layout.h"
#include "window/WindowState.h"

namespace velomar::test {

// A message box as the window showed it.
struct ShownMessage {
  std::string text;
  std::string title;
  MessageIcon icon = MessageIcon::None;
  bool operator==(const ShownMessage&) const = default;
};

class ContractWindow {
 public:
  virtual ~ContractWindow() = default;
  virtual WindowState& Window() = 0;
  // What the seam shows outside the window itself.
  virtual std::vector<ShownMessage> Messages() const = 0;
  virtual bool Closed() const = 0;
};

std::unique_ptr<ContractWindow> MakeContractWindow(const FormLayout& layout);

}  // namespace velomar::test
