#include "forms/CustomOptimizeForm.h"

#include <string>

#include "app/CustomLayout.h"
#include "app/OutcomeMessage.h"
#include "app/RecoverChoice.h"
#include "forms/VelomarLook.h"

namespace velomar {

using namespace custom_window;

CustomOptimizeForm::CustomOptimizeForm(RecoverForm& recover) : CustomOptimizeForm(recover, SystemCustomServices()) {}

CustomOptimizeForm::CustomOptimizeForm(RecoverForm& recover, CustomWindowServices services)
    : Form(CustomLayout(), VelomarLook()), recover_(recover), logic_(*this, std::move(services)) {
  if (!logic_.services.showRecoverWindow)
    logic_.services.showRecoverWindow = [this] {
      // The recover window is not translated; it tells its outcome in this window's words.
      recover_.SetMessages(logic_.unit.messages);
      recover_.CenterOn(Handle());
      recover_.ShowModal(Handle());
    };
  if (!logic_.services.disableRecoverFirefox)
    logic_.services.disableRecoverFirefox = [this] { recover_.SetEnabled(recover_controls::kFirefoxOption, false); };
  Wire();
}

void CustomOptimizeForm::Wire() {
  logic_.Wire();
  On(kTimer, Event::Timer, [this] { EndPauseForDisplay(); });
}

}  // namespace velomar
