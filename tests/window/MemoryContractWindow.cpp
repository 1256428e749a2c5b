// The contract's window: a MemoryWindow given the layout's design.
#include "ContractWindow.h"
#include "window/MemoryWindow.h"

namespace velomar::test {
namespace {

class MemoryContractWindow : public ContractWindow {
 public:
  explicit MemoryContractWindow(const FormLayout& layout) { DesignMemoryWindow(window_, layout); }
  WindowState& Window() override { return window_; }
  std::vector<ShownMessage> Messages() const override {
    std::vector<ShownMessage> shown;
    for (const WindowEvent& event : window_.Events()) {
      if (event.kind != WindowEvent::Kind::Message) continue;
      // "icon\ttitle\ttext"
      const auto first = event.value.find('\t'), second = event.value.find('\t', first + 1);
      shown.push_back({event.value.substr(second + 1), event.value.substr(first + 1, second - first - 1),
                       static_cast<MessageIcon>(std::stoi(event.value.substr(0, first)))});
    }
    return shown;
  }
  bool Closed() const override { return window_.Closed(); }

 private:
  MemoryWindow window_;
};

}  // namespace

std::unique_ptr<ContractWindow> MakeContractWindow(const FormLayout& layout) {
  return std::make_unique<MemoryContractWindow>(layout);
}

}  // namespace velomar::test
