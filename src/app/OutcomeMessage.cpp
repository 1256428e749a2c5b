#include "app/OutcomeMessage.h"

#include "bandwidth/LastClassFile.h"
#include "firefox/FirefoxBackups.h"

namespace velomar {

using namespace outcome_labels;

namespace {
constexpr struct {
  const char* name;
  const char* text;
} kTexts[] = {
    {kNotChanged, "Velomar could not change %d of your settings; it must be run by an administrator to change them:"},
    {kFirefoxRunning,
     "Firefox is running with these profiles, so they were left as they are. Close Firefox and try again:"},
    {kProfilesMissing, "These Firefox profiles could not be restored, because their folders are missing:"},
    {kFileProblems, "These files could not be read or written:"},
    {kBackupFailed,
     "The backup of your TCP/IP settings could not be written, so none of them was changed. Start Velomar from a "
     "folder you may write to. The backup should have gone here:"},
    {kBackupMovedAside,
     "The earlier backup of your TCP/IP settings could not be read. It was kept under another name, and a new "
     "backup was started:"},
    {kBackupInvalid, "The backup of your TCP/IP settings is damaged, so none of them was put back:"},
    {kSaveFailed, "The chosen speed could not be remembered for the next start:"},
    {kNoDataFolder, "The application-data folder of this user is unknown."},
    {kRecoverFinished, "Recover finish!"},
};
}  // namespace

std::vector<Component> OutcomeLabels(const std::string& parent, int x, int y) {
  std::vector<Component> labels;
  for (const auto& label : kTexts) {
    labels.push_back(layout::Label(label.name, {x, y}, label.text).In(parent).Hidden());
    y += 19;
  }
  return labels;
}

void CopyOutcomeTexts(const WindowState& from, WindowState& to) {
  for (const auto& label : kTexts) to.SetText(label.name, from.Text(label.name));
}

void OutcomeMessage::Add(const char* label, const std::vector<std::string>& details) {
  Paragraph(window_.Text(label), details);
}

void OutcomeMessage::Paragraph(const std::string& sentence, const std::vector<std::string>& details) {
  if (!text_.empty()) text_ += "\r\n\r\n";
  text_ += sentence;
  for (const auto& line : details) text_ += "\r\n" + line;
}

void OutcomeMessage::AddNotChanged(const RegChanges& changes) {
  if (changes.Complete()) return;
  std::string sentence = window_.Text(kNotChanged);
  if (const auto at = sentence.find("%d"); at != std::string::npos)
    sentence.replace(at, 2, std::to_string(changes.notChanged.size()));
  std::vector<std::string> lines;
  for (const auto& value : changes.notChanged) lines.push_back(value.Line());
  Paragraph(sentence, lines);
}

void OutcomeMessage::AddFirefox(const FirefoxReport& report) {
  if (!report.problems.empty()) Add(kFileProblems, report.problems);
  if (!report.leftWhileRunning.empty()) Add(kFirefoxRunning, report.leftWhileRunning);
  if (!report.missingProfiles.empty()) Add(kProfilesMissing, report.missingProfiles);
}

void OutcomeMessage::AddBackup(const PassReport& report) {
  if (!report.backupMovedAsideTo.empty())
    Add(kBackupMovedAside,
        {report.backupFile + " -> " + report.backupMovedAsideTo + " (" + report.backupMovedAsideReason + ")"});
  if (!report.backupWritten) Add(kBackupFailed, {report.backupFile, report.backupError});
}

void OutcomeMessage::AddSaveFailure(const std::string& error) {
  if (error.empty()) return;
  // Without the folder there is no file to name, only the reason to translate.
  Add(kSaveFailed, {LastSetFilePath().empty() ? window_.Text(kNoDataFolder) : error});
}

RestoreOutcome ResetToDefaults() {
  RestoreOutcome outcome;
  outcome.registry.found = true;
  outcome.registry.changes = RestoreTcpDefaults();
  ClearUserPrefsFile(&outcome.firefox);
  return outcome;
}

std::string RestoreMessage(const WindowState& window, const char* finishedLabel, const RestoreOutcome& outcome) {
  OutcomeMessage message(window);
  if (outcome.Complete()) {
    message.Add(finishedLabel);
  } else {
    if (!outcome.registry.readError.empty()) message.Add(kFileProblems, {outcome.registry.readError});
    if (!outcome.registry.invalid.empty()) message.Add(kBackupInvalid, {outcome.registry.invalid});
    message.AddNotChanged(outcome.registry.changes);
  }
  // Everything is back, but a backup that keeps its name would be put back again by a later undo.
  if (!outcome.registry.retireError.empty()) message.Add(kFileProblems, {outcome.registry.retireError});
  message.AddFirefox(outcome.firefox);
  return message.Text();
}

}  // namespace velomar
