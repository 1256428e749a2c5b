#include "app/OutcomeMessage.h"

#include "bandwidth/LastClassFile.h"
#include "firefox/FirefoxBackups.h"

namespace velomar {

using namespace outcome_text;

void OutcomeMessage::Add(const Message& sentence, const std::vector<std::string>& details) {
  Paragraph(messages_.Text(sentence), details);
}

void OutcomeMessage::Paragraph(const std::string& sentence, const std::vector<std::string>& details) {
  if (!text_.empty()) text_ += "\r\n\r\n";
  text_ += sentence;
  for (const auto& line : details) text_ += "\r\n" + line;
}

void OutcomeMessage::AddNotChanged(const RegChanges& changes) {
  if (changes.Complete()) return;
  std::string sentence = messages_.Text(kNotChanged);
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
  Add(kSaveFailed, {LastSetFilePath().empty() ? messages_.Text(kNoDataFolder) : error});
}

void OutcomeMessage::AddFirefoxNotes(const std::vector<ProfileNote>& notes) {
  for (const auto& [profile, note] : notes) {
    const std::string sentence =
        UnreadPrefsSentence(note, messages_.Text(firefox_text::kNotRead), messages_.Text(firefox_text::kAllRead));
    if (sentence.empty()) continue;
    std::vector<std::string> details;
    if (!note.notRead.empty()) details.push_back(UnreadPrefNames(note));
    if (notes.size() > 1) details.push_back("(" + profile + ")");
    Paragraph(sentence, details);
  }
}

void OutcomeMessage::Append(const OutcomeMessage& other) {
  if (other.text_.empty()) return;
  if (!text_.empty()) text_ += "\r\n\r\n";
  text_ += other.text_;
}

RestoreOutcome ResetToDefaults() {
  RestoreOutcome outcome;
  outcome.registry.found = true;
  outcome.registry.changes = RestoreTcpDefaults();
  ClearUserPrefsFile(&outcome.firefox);
  return outcome;
}

std::string RestoreMessage(const MessageCatalogue& messages, const Message& finished, const RestoreOutcome& outcome) {
  OutcomeMessage message(messages);
  if (outcome.Complete()) {
    message.Add(finished);
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
