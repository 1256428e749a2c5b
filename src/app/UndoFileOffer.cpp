#include "app/UndoFileOffer.h"

#include <algorithm>

#include "app/OutcomeMessage.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "tcp/BackupRecords.h"
#include "tcp/RegBackup.h"

namespace velomar {

namespace {

// regedit can put a value back or delete it, but not delete a key only when
// it is empty: the keys the passes created stay.
std::vector<std::string> KeysLeftBehind(const std::vector<std::string>& backups) {
  std::vector<std::string> keys;
  for (const auto& record : ReadBackupSet(backups).records) {
    if (!record.KeyWasMissing()) continue;
    const std::string key = KeyNameWrittenFor(record);
    if (std::find(keys.begin(), keys.end(), key) == keys.end()) keys.push_back(key);
  }
  return keys;
}

}  // namespace

std::vector<std::string> UndoFileBackups() { return {kAutoBackupFile, kCustomBackupFile}; }

bool HasUndoFileBackup() {
  for (const auto& file : UndoFileBackups())
    if (platform::FileExists(file)) return true;
  return false;
}

void OfferUndoFile(WindowState& window, const MessageCatalogue& messages) {
  using namespace undo_file_text;
  OutcomeMessage told(messages);
  std::string text, error;
  if (!HasUndoFileBackup()) {
    told.Add(kNothingToUndo);
    window.ShowMessage(told.Text(), messages.Text(kTitle), MessageIcon::Information);
    return;
  }
  if (!UndoRegText(UndoFileBackups(), text, error)) {
    told.Add(kFailed, {error});
    window.ShowMessage(told.Text(), messages.Text(kTitle), MessageIcon::Warning);
    return;
  }
  const auto path = window.AskSaveFileName(
      {messages.Text(kTitle), platform::DocumentsFolder(), kUndoFileName, messages.Text(kFileKind), "*.reg"});
  if (!path) return;
  if (!platform::ReplaceFileContents(*path, text, error)) {
    told.Add(kFailed, {error});
    window.ShowMessage(told.Text(), messages.Text(kTitle), MessageIcon::Warning);
    return;
  }
  told.Add(kSaved, {*path});
  if (const auto keys = KeysLeftBehind(UndoFileBackups()); !keys.empty()) told.Add(kKeysLeft, keys);
  window.ShowMessage(told.Text(), messages.Text(kTitle), MessageIcon::Information);
}

}  // namespace velomar
