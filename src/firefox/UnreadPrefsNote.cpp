// The note on the preferences a profile's Firefox no longer reads.
#include "firefox/UnreadPrefsNote.h"

#include <initializer_list>

#include "firefox/FirefoxPrefHistory.h"
#include "firefox/FirefoxProfiles.h"
#include "firefox/FirefoxVersion.h"

namespace velomar {

namespace {

// Each "%d" takes the next number; the sentence comes from a language file
// the user may edit, so nothing but "%d" is interpreted, and a "%d" beyond
// the numbers stays as it is.
std::string WithNumbers(std::string_view sentence, std::initializer_list<int> numbers) {
  std::string text;
  auto next = numbers.begin();
  for (std::size_t i = 0; i < sentence.size(); ++i) {
    if (sentence[i] == '%' && i + 1 < sentence.size() && sentence[i + 1] == 'd' && next != numbers.end()) {
      text += std::to_string(*next++);
      ++i;
    } else {
      text += sentence[i];
    }
  }
  return text;
}

}  // namespace

std::optional<UnreadPrefsNote> UnreadPrefsNoteFor(const std::string& profileDirectory,
                                                  const std::vector<std::string>& written) {
  const std::optional<int> version = LastFirefoxVersion(profileDirectory);
  if (!version) return std::nullopt;
  return UnreadPrefsNote{*version, static_cast<int>(written.size()), PrefsNotReadBy(*version, written)};
}

std::vector<ProfileNote> UnreadPrefsNotes(const std::vector<std::string>& written) {
  std::vector<ProfileNote> notes;
  const std::string dataFolder = FindFirefoxDataFolder();
  if (!HasProfilesIni(dataFolder)) return notes;
  for (const auto& profile : EnumerateFirefoxProfiles(dataFolder).profiles) {
    if (!profile.Resolved()) continue;
    if (auto note = UnreadPrefsNoteFor(profile.directory, written))
      notes.push_back({ProfileLabel(profile), std::move(*note)});
  }
  return notes;
}

std::string UnreadPrefsSentence(const UnreadPrefsNote& note, std::string_view notReadSentence,
                                std::string_view allReadSentence) {
  if (note.written == 0) return {};
  if (note.notRead.empty()) return WithNumbers(allReadSentence, {note.firefoxVersion, note.written});
  return WithNumbers(notReadSentence, {note.firefoxVersion, static_cast<int>(note.notRead.size()), note.written});
}

std::string UnreadPrefNames(const UnreadPrefsNote& note) {
  std::string names;
  for (const auto& name : note.notRead) {
    if (!names.empty()) names += ", ";
    names += name;
  }
  return names;
}

std::string UnreadPrefsMessage(const UnreadPrefsNote& note, std::string_view notReadSentence,
                               std::string_view allReadSentence) {
  std::string text = UnreadPrefsSentence(note, notReadSentence, allReadSentence);
  if (!text.empty() && !note.notRead.empty()) text.append(" ").append(UnreadPrefNames(note));
  return text;
}

}  // namespace velomar
