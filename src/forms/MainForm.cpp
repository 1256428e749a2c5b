#include "forms/MainForm.h"

namespace velomar {

using namespace main_window;

MainForm::MainForm(MainWindowServices services) : Form(MainLayout(), VelomarLook()) {
  services.setBorder = [this](BorderStyle border) { SetBorder(border); };
  logic_ = std::make_unique<MainWindow>(*this, std::move(services), automatic_, custom_);
  logic_->Wire();
  OnMessage(kRestoreInstanceMessage, [this](WPARAM, LPARAM) { return WMRestoreInstance(); });
}

LRESULT MainForm::WMRestoreInstance() {
  if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
  ShowWindow(Handle(), SW_SHOW);
  // In this order, so that a mode window shown modally ends in front.
  for (HWND window : {Handle(), automatic_.Handle(), custom_.Handle()}) {
    if (window && IsWindowVisible(window)) SetForegroundWindow(window);
  }
  return 0;
}

}  // namespace velomar
