#pragma once
// What the windows tell the user about a pass or a restore that could not do
// all it should: sentences held by hidden labels, which the language files
// translate, each followed by its details (values with the system's reason,
// files, profiles), which are not translated. The main, automatic and
// custom windows all hold the labels.
#include <string>
#include <vector>

#include "firefox/FirefoxReport.h"
#include "tcp/RegBackup.h"
#include "tcp/TcpPasses.h"
#include "window/Layout.h"
#include "window/WindowState.h"

namespace velomar {

namespace outcome_labels {
// "%d" stands for the number of values.
inline constexpr const char* kNotChanged = "Label_Not_Changed";
inline constexpr const char* kFirefoxRunning = "Label_Firefox_Running";
inline constexpr const char* kProfilesMissing = "Label_Firefox_Profiles_Missing";
inline constexpr const char* kFileProblems = "Label_Restore_Problems";
inline constexpr const char* kBackupFailed = "Label_Backup_Failed";
inline constexpr const char* kBackupMovedAside = "Label_Backup_Moved_Aside";
inline constexpr const char* kBackupInvalid = "Label_Backup_Invalid";
inline constexpr const char* kSaveFailed = "Label_Save_Failed";
inline constexpr const char* kNoDataFolder = "Label_No_Data_Folder";
inline constexpr const char* kRecoverFinished = "Label_Recover_Finish";
}  // namespace outcome_labels

// The hidden labels, with their designed English texts, one under the
// other from (x, y) in `parent` (empty: the window).
std::vector<Component> OutcomeLabels(const std::string& parent, int x, int y);

// Gives `to` the outcome texts of `from`: the recover window, which is not
// translated, tells its outcome in the words of the custom window.
void CopyOutcomeTexts(const WindowState& from, WindowState& to);

// A message made of paragraphs: a label's text, then its details, a line each.
class OutcomeMessage {
 public:
  explicit OutcomeMessage(const WindowState& window) : window_(window) {}

  void Add(const char* label, const std::vector<std::string>& details = {});
  // The values the registry refused: how many, that an administrator must
  // run Velomar, and each value with the reason.
  void AddNotChanged(const RegChanges& changes);
  // Files that could not be read or written, profiles left alone because
  // Firefox runs with them, and those whose folders are missing.
  void AddFirefox(const FirefoxReport& report);
  // A backup that could not be written (the pass changed nothing), or an
  // earlier one that was moved aside.
  void AddBackup(const PassReport& report);
  // The class could not be remembered.
  void AddSaveFailure(const std::string& error);

  bool Empty() const { return text_.empty(); }
  const std::string& Text() const { return text_; }

 private:
  void Paragraph(const std::string& sentence, const std::vector<std::string>& details);

  const WindowState& window_;
  std::string text_;
};

// What an undo or a reset did.
struct RestoreOutcome {
  BackupRestore registry;
  FirefoxReport firefox;
  bool Complete() const { return registry.Complete() && firefox.Complete(); }
};
// The reset to the defaults: RestoreTcpDefaults, then Velomar's
// preferences out of user.js (ClearUserPrefsFile).
RestoreOutcome ResetToDefaults();

// The message after an undo or a reset: the finished text when everything
// was put back; otherwise what was not, and no finished text.
std::string RestoreMessage(const WindowState& window, const char* finishedLabel, const RestoreOutcome& outcome);

}  // namespace velomar
