#pragma once
// What the windows tell the user about a pass or a restore that could not do
// all it should: sentences from the window's message catalogue, which the
// language files translate, each followed by its details (values with the
// system's reason, files, profiles), which are not translated.
#include <string>
#include <vector>

#include "app/WindowMessages.h"
#include "firefox/FirefoxReport.h"
#include "firefox/UnreadPrefsNote.h"
#include "lang/MessageCatalogue.h"
#include "tcp/RegBackup.h"
#include "tcp/TcpPasses.h"

namespace velomar {

// A message made of paragraphs: a label's text, then its details, a line each.
class OutcomeMessage {
 public:
  explicit OutcomeMessage(const MessageCatalogue& messages) : messages_(messages) {}

  void Add(const Message& sentence, const std::vector<std::string>& details = {});
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
  // For each profile, how many of the preferences written its Firefox no
  // longer reads, then their names (with the profile's name where there are
  // several).
  void AddFirefoxNotes(const std::vector<ProfileNote>& notes);
  // The paragraphs of another message after these.
  void Append(const OutcomeMessage& other);

  bool Empty() const { return text_.empty(); }
  const std::string& Text() const { return text_; }

 private:
  void Paragraph(const std::string& sentence, const std::vector<std::string>& details);

  const MessageCatalogue& messages_;
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
std::string RestoreMessage(const MessageCatalogue& messages, const Message& finished, const RestoreOutcome& outcome);

}  // namespace velomar
