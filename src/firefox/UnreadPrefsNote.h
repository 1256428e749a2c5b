#pragma once
// After a pass: how many of the preferences it wrote the profile's Firefox
// no longer reads, and which. The windows take the sentences from their
// language files, velomar-cli uses the English ones; the list of names is
// never translated.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velomar {

struct UnreadPrefsNote {
  int firefoxVersion = 0;            // the major version that last ran the profile
  int written = 0;                   // how many preferences the pass wrote
  std::vector<std::string> notRead;  // those it does not read, in table order
};

// For one profile folder and the names a pass wrote (WrittenPrefNames.h):
// nothing when compatibility.ini tells no version.
std::optional<UnreadPrefsNote> UnreadPrefsNoteFor(const std::string& profileDirectory,
                                                  const std::vector<std::string>& written);

struct ProfileNote {
  std::string profile;  // as the user knows it (ProfileLabel)
  UnreadPrefsNote note;
};
// The note of every profile of the current user's Firefox data folder whose
// compatibility.ini tells a version, in the order of profiles.ini.
std::vector<ProfileNote> UnreadPrefsNotes(const std::vector<std::string>& written);

// The sentences: "%d" stands, in order, for the Firefox version, the number
// of preferences it does not read and the number written; in the second,
// for the version and the number written. Nothing else in them is read as
// a placeholder.
inline constexpr std::string_view kNotReadSentence = "Firefox %d no longer reads %d of these %d preferences:";
inline constexpr std::string_view kAllReadSentence = "Firefox %d reads all %d of these preferences.";

// The first sentence with its numbers when Firefox does not read some of
// the preferences, else the second; empty when the pass wrote none.
std::string UnreadPrefsSentence(const UnreadPrefsNote& note, std::string_view notReadSentence = kNotReadSentence,
                                std::string_view allReadSentence = kAllReadSentence);
// The names Firefox does not read, ", " between them.
std::string UnreadPrefNames(const UnreadPrefsNote& note);
// The sentence followed by the names.
std::string UnreadPrefsMessage(const UnreadPrefsNote& note, std::string_view notReadSentence = kNotReadSentence,
                               std::string_view allReadSentence = kAllReadSentence);

}  // namespace velomar
