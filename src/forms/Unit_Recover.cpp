#include "forms/Unit_Recover.h"

#include "win32ui/Application.h"

namespace velomar {

TForm_Recover::TForm_Recover(RecoverRestores restores) : Form(RecoverLayout()), restores_(std::move(restores)) {
  On("Button_Recover", ui::Event::Click, [this] { Button_RecoverClick(); });
  On("Button_Close", ui::Event::Click, [this] { Button_CloseClick(); });
}

void TForm_Recover::Button_RecoverClick() {
  RunRecoverChoice(*this, restores_);
  // The result of the restores is not examined: the message comes in every case.
  ui::ShowPlainMessage(Handle(), kRecoverFinished);
  Close();
}

void TForm_Recover::Button_CloseClick() { Close(); }

}  // namespace velomar
