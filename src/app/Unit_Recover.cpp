#include "app/Unit_Recover.h"

#include "firefox/Unit_Firefox_Optimize.h"
#include "tcp/Unit_TcpOptimize.h"

#ifdef _WIN32
#include "app/win32/Application.h"
#endif

namespace velomar {

RecoverRestores CustomModeRestores() {
  return {[] { RestoreRegBackup(kCustomRegistryBackup); }, [] { RestoreCustomFirefoxBackup(); }};
}

FormLayout RecoverLayout() {
  using K = ComponentKind;
  FormLayout layout;
  layout.className = "TForm_Recover";
  layout.caption = "Recover";
  layout.clientWidth = 259;
  layout.clientHeight = 163;
  layout.fontHeight = 11;
  layout.minimizeBox = true;
  layout.components = {
      {.name = "GroupBox_RecoverType",
       .kind = K::GroupBox,
       .x = 13,
       .y = 13,
       .width = 229,
       .height = 106,
       .caption = "Which settings do you want to recover?",
       .bold = true,
       .fontColor = kHighlightColor},
      {.name = "RadioButton_TcpSettings",
       .kind = K::RadioButton,
       .parent = "GroupBox_RecoverType",
       .x = 25,
       .y = 23,
       .width = 161,
       .height = 17,
       .caption = "TCP/IP settings only",
       .bold = true,
       .fontColor = kHighlightColor},
      {.name = "RadioButton_FirefoxSetting",
       .kind = K::RadioButton,
       .parent = "GroupBox_RecoverType",
       .x = 25,
       .y = 46,
       .width = 201,
       .height = 17,
       .caption = "Firefox settings only",
       .bold = true},
      {.name = "RadioButton_AllSettings",
       .kind = K::RadioButton,
       .parent = "GroupBox_RecoverType",
       .x = 25,
       .y = 71,
       .width = 136,
       .height = 17,
       .caption = "All settings",
       .bold = true,
       .checked = true},
      {.name = "Button_Recover", .kind = K::Button, .x = 82, .y = 130, .width = 71, .height = 25, .caption = "Recover"},
      {.name = "Button_Close", .kind = K::Button, .x = 171, .y = 130, .width = 71, .height = 25, .caption = "Close"},
      {.name = "XPManifest1", .kind = K::Other},
  };
  return layout;
}

void RunRecoverChoice(const WindowState& window, const RecoverRestores& restores) {
  if (window.Checked("RadioButton_TcpSettings")) {
    restores.restoreRegistry();
  } else if (window.Checked("RadioButton_FirefoxSetting")) {
    restores.restoreFirefox();
  } else if (window.Checked("RadioButton_AllSettings")) {
    restores.restoreRegistry();
    if (window.Enabled("RadioButton_FirefoxSetting")) restores.restoreFirefox();
  }
}

#ifdef _WIN32
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
#endif

}  // namespace velomar
