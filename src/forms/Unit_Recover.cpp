#include "forms/Unit_Recover.h"

#include "win32ui/Application.h"

namespace velomar {

TForm_Recover::TForm_Recover(RecoverRestores restores) : Form(RecoverLayout()), restores_(std::move(restores)) {
  On("Button_Recover", ui::Event::Click, [this] { Button_RecoverClick(); });
  On("Button_Close", ui::Event::Click, [this] { Button_CloseClick(); });
}

void TForm_Recover::Button_RecoverClick() {
  const RestoreOutcome outcome = RunRecoverChoice(*this, restores_);
  // A missing backup still ends with the message; what could not be put
  // back (a value the registry refused, a profile Firefox runs with) is
  // said instead of it.
  if (outcome.Complete())
    ui::ShowPlainMessage(Handle(), RecoverMessageText(*this, outcome));
  else
    ui::ShowMessageBox(Handle(), RecoverMessageText(*this, outcome), ui::ApplicationTitle(), MB_OK | MB_ICONWARNING);
  Close();
}

void TForm_Recover::Button_CloseClick() { Close(); }

}  // namespace velomar
