#include "forms/Unit_MainForm.h"

namespace velomar {

using namespace main_window;

void TForm_Velomar_Main::Wire(MainWindowServices services) {
  services.setBorder = [this](BorderStyle border) { SetBorder(border); };
  logic_ = std::make_unique<MainWindow>(*this, std::move(services), *automatic_, *custom_);
  MainWindow& m = *logic_;
  OnCreate([&m] { m.FormCreate(); });
  On(kGo, ui::Event::Click, [&m] { m.Button_GoClick(); });
  On(kCancel, ui::Event::Click, [&m] { m.Button_CancelClick(); });
  On(kRecoverZone, ui::Event::Click, [&m] { m.Label1Click(); });
  On(kRecoverZone, ui::Event::MouseEnter, [&m] { m.Label1MouseEnter(); });
  On(kRecoverZone, ui::Event::MouseLeave, [&m] { m.Label1MouseLeave(); });
  On(kRecoverPicture, ui::Event::Click, [&m] { m.Image_RecoverClick(); });
  On(kHelpZone, ui::Event::Click, [&m] { m.Label2Click(); });
  On(kHelpZone, ui::Event::MouseEnter, [&m] { m.Label2MouseEnter(); });
  On(kHelpZone, ui::Event::MouseLeave, [&m] { m.Label2MouseLeave(); });
  On(kHelpText, ui::Event::Click, [&m] { m.Label_GetHelpClick(); });
  On(kHelpPicture, ui::Event::Click, [&m] { m.Image_HelpClick(); });
  On(kGraphTimer, ui::Event::Timer, [&m] { m.Timer_net_speedTimer(); });
  OnMessage(kRestoreInstanceMessage, [this](WPARAM, LPARAM) { return WMRestoreInstance(); });
}

LRESULT TForm_Velomar_Main::WMRestoreInstance() {
  if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
  ShowWindow(Handle(), SW_SHOW);
  // In this order, so that a mode window shown modally ends in front.
  for (HWND window : {Handle(), automatic_->Handle(), custom_->Handle()}) {
    if (window && IsWindowVisible(window)) SetForegroundWindow(window);
  }
  return 0;
}

}  // namespace velomar
