#pragma once
// The recover window's layout and choice logic: puts back what the custom
// mode saved, the TCP/IP settings from "CustomRegBackUp.bk", the Firefox
// files from the custom backups, or both. Works on any window-state; the
// real window is TForm_Recover (forms/Unit_Recover.h). Not translated: the
// texts are these.
#include <functional>
#include <string>
#include <vector>

#include "window/Layout.h"
#include "window/WindowState.h"

namespace velomar {

inline constexpr const char* kCustomRegistryBackup = "CustomRegBackUp.bk";
inline constexpr const char* kRecoverFinished = "Recover finish!";

// What the restores of one recover had to say.
struct RecoverReport {
  // What was not put back and why (a profile Firefox runs with, a file that
  // could not be written): the recover did not finish.
  std::vector<std::string> problems;
  // What the user should know although it finished.
  std::vector<std::string> notes;
};

// The two restores the window runs; tests put their own in.
struct RecoverRestores {
  std::function<void()> restoreRegistry;
  std::function<void(RecoverReport&)> restoreFirefox;
};
// RestoreRegBackup("CustomRegBackUp.bk") and the custom Firefox restore.
RecoverRestores CustomModeRestores();

FormLayout RecoverLayout();

// Steps of the recover button before its message: the restores of the
// checked option. The all-settings option restores Firefox only while its
// own option is enabled; the Firefox-only option restores even when it is
// disabled, since a disabled radio button can still be the checked one.
RecoverReport RunRecoverChoice(const WindowState& window, const RecoverRestores& restores);

// The message after a recover: "Recover finish!" with any notes below it,
// or, when something was not put back, the problems instead.
std::string RecoverMessageText(const RecoverReport& report);

}  // namespace velomar
