// The contract's window: the Win32 form of the layout, created and shown;
// its message boxes are recorded instead of shown.
#include "ContractWindow.h"
#include "support/UiHarness.h"
#include "win32ui/Form.h"

namespace velomar::test {
namespace {

class FormContractWindow : public ContractWindow {
 public:
  explicit FormContractWindow(const FormLayout& layout) : form_(layout, uitest::TestLook()) {
    form_.Create();
    form_.Show();
  }
  WindowState& Window() override { return form_; }
  std::vector<ShownMessage> Messages() const override {
    std::vector<ShownMessage> shown;
    for (const ui::MessageBoxRequest& box : boxes_.Boxes()) {
      const UINT icon = box.style & MB_ICONMASK;
      shown.push_back({box.text, box.title,
                       icon == MB_ICONINFORMATION ? MessageIcon::Information
                       : icon == MB_ICONWARNING   ? MessageIcon::Warning
                       : icon == MB_ICONERROR     ? MessageIcon::Error
                                                  : MessageIcon::None});
    }
    return shown;
  }
  bool Closed() const override { return !form_.IsShowing(); }

 private:
  uitest::MessageBoxRecorder boxes_;
  ui::Form form_;
};

}  // namespace

std::unique_ptr<ContractWindow> MakeContractWindow(const FormLayout& layout) {
  return std::make_unique<FormContractWindow>(layout);
}

}  // namespace velomar::test
