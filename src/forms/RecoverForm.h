#pragma once
// The recover window: which settings of the custom mode to put back, and
// the button that does it.
#include "app/RecoverChoice.h"
#include "win32ui/Form.h"

namespace velomar {

class RecoverForm : public ui::Form {
 public:
  explicit RecoverForm(RecoverRestores restores = CustomModeRestores());
  // Its messages, in the words of the window that opens it.
  void SetMessages(MessageCatalogue messages) { logic_.SetMessages(std::move(messages)); }

 private:
  RecoverWindow logic_;
};

}  // namespace velomar
