#pragma once
// The recover window's layout and choice logic: puts back what the custom
// mode saved, the TCP/IP settings from "CustomRegBackUp.bk", the Firefox
// files from the custom backups, or both. Works on any window-state; the
// real window is RecoverForm (forms/RecoverForm.h). Not translated: its
// captions are these, and its messages come in the custom window's words
// (RecoverWindow::messages).
#include <functional>
#include <string>

#include "app/OutcomeMessage.h"
#include "window/Layout.h"
#include "window/WindowState.h"

namespace velomar {

inline constexpr const char* kCustomRegistryBackup = "CustomRegBackUp.bk";

// The recover window's components that its logic and the custom window use.
namespace recover_controls {
inline constexpr const char* kTcpOption = "RadioButton_TcpSettings";
inline constexpr const char* kFirefoxOption = "RadioButton_FirefoxSetting";
inline constexpr const char* kAllOption = "RadioButton_AllSettings";
inline constexpr const char* kRecoverButton = "Button_Recover";
inline constexpr const char* kCloseButton = "Button_Close";
inline constexpr const char* kUndoFileButton = "Button_UndoFile";
}  // namespace recover_controls

// The two restores the window runs; tests put their own in.
struct RecoverRestores {
  std::function<BackupRestore()> restoreRegistry;
  std::function<void(FirefoxReport&)> restoreFirefox;
};
// RestoreRegBackup("CustomRegBackUp.bk") and the custom Firefox restore.
RecoverRestores CustomModeRestores();

FormLayout RecoverLayout();

// Steps of the recover button before its message: the restores of the
// checked option. The all-settings option restores Firefox only while its
// own option is enabled; the Firefox-only option restores even when it is
// disabled, since a disabled radio button can still be the checked one.
RestoreOutcome RunRecoverChoice(const WindowState& window, const RecoverRestores& restores);

// The recover window's two buttons, over the window-state seam.
class RecoverWindow {
 public:
  RecoverWindow(WindowState& window, RecoverRestores restores) : window_(window), restores_(std::move(restores)) {}

  void Wire();
  // Runs the chosen restores, tells the outcome ("Recover finish!" in the
  // plain message, or what was not put back as a warning) and closes.
  void Button_RecoverClick();
  void Button_CloseClick();
  // The undo file for regedit.
  void Button_UndoFileClick();

  // The custom window's messages, which it hands over before it shows this
  // window; the undo file's button takes its caption from them.
  void SetMessages(MessageCatalogue catalogue);
  MessageCatalogue messages;

 private:
  WindowState& window_;
  RecoverRestores restores_;
};

// The message after a recover: "Recover finish!", or, when something was
// not put back, what was not instead.
std::string RecoverMessageText(const MessageCatalogue& messages, const RestoreOutcome& outcome);

}  // namespace velomar
