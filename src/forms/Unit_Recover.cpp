#include "forms/Unit_Recover.h"

#include "win32ui/Application.h"

namespace velomar {

TForm_Recover::TForm_Recover(RecoverRestores restores) : Form(RecoverLayout()), restores_(std::move(restores)) {
  On("Button_Recover", ui::Event::Click, [this] { Button_RecoverClick(); });
  On("Button_Close", ui::Event::Click, [this] { Button_CloseClick(); });
}

void TForm_Recover::Button_RecoverClick() {
  const RecoverReport report = RunRecoverChoice(*this, restores_);
  // A missing backup still ends with the message; what could not be put
  // back (a profile Firefox runs with) is said instead of it.
  if (report.problems.empty())
    ui::ShowPlainMessage(Handle(), RecoverMessageText(report));
  else
    ui::ShowMessageBox(Handle(), RecoverMessageText(report), ui::ApplicationTitle(), MB_OK | MB_ICONWARNING);
  Close();
}

void TForm_Recover::Button_CloseClick() { Close(); }

}  // namespace velomar
