#include "forms/Unit_CustomOptimize.h"

#include <string>

#include "app/CustomLayout.h"
#include "app/OutcomeMessage.h"
#include "forms/VelomarLook.h"

namespace velomar {

using namespace custom_window;

namespace {
constexpr const char* kRecoverFirefoxOption = "RadioButton_FirefoxSetting";
}

TForm_Velomar_Custom::TForm_Velomar_Custom(TForm_Recover& recover)
    : TForm_Velomar_Custom(recover, SystemCustomServices()) {}

TForm_Velomar_Custom::TForm_Velomar_Custom(TForm_Recover& recover, CustomWindowServices services)
    : Form(CustomLayout(), VelomarLook()), recover_(recover), logic_(*this, std::move(services)) {
  if (!logic_.services.showRecoverWindow)
    logic_.services.showRecoverWindow = [this] {
      // The recover window is not translated; it tells its outcome in this window's words.
      CopyOutcomeTexts(*this, recover_);
      recover_.CenterOn(Handle());
      recover_.ShowModal(Handle());
    };
  if (!logic_.services.disableRecoverFirefox)
    logic_.services.disableRecoverFirefox = [this] { recover_.SetEnabled(kRecoverFirefoxOption, false); };
  Wire();
}

void TForm_Velomar_Custom::Wire() {
  logic_.Wire();
  On(kTimer, Event::Timer, [this] { EndPauseForDisplay(); });
}

}  // namespace velomar
