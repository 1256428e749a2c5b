#pragma once
// The recover window: puts back what the custom mode saved, the TCP/IP
// settings from "CustomRegBackUp.bk", the Firefox files from the custom
// backups, or both. Its choice logic works on any window-state; the real
// window (Windows) is TForm_Recover. Not translated: the texts are these.
#include <functional>

#include "app/Layout.h"
#include "app/WindowState.h"

#ifdef _WIN32
#include "app/win32/Form.h"
#endif

namespace velomar {

inline constexpr const char* kCustomRegistryBackup = "CustomRegBackUp.bk";
inline constexpr const char* kRecoverFinished = "Recover finish!";

// The two restores the window runs; tests put their own in.
struct RecoverRestores {
  std::function<void()> restoreRegistry;
  std::function<void()> restoreFirefox;
};
// RestoreRegBackup("CustomRegBackUp.bk") and the custom Firefox restore.
RecoverRestores CustomModeRestores();

FormLayout RecoverLayout();

// Steps of the recover button before its message: the restores of the
// checked option. The all-settings option restores Firefox only while its
// own option is enabled; the Firefox-only option restores even when it is
// disabled, since a disabled radio button can still be the checked one.
void RunRecoverChoice(const WindowState& window, const RecoverRestores& restores);

#ifdef _WIN32
class TForm_Recover : public ui::Form {
 public:
  explicit TForm_Recover(RecoverRestores restores = CustomModeRestores());

  void Button_RecoverClick();
  void Button_CloseClick();

 private:
  RecoverRestores restores_;
};
#endif

}  // namespace velomar
