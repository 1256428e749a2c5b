#pragma once
// The edits the passes and the undo make to a preference file: a
// preference set or removed, Velomar's preferences put back as a backup
// holds them, or taken out. Each touches only lines that hold one of the
// preference's statements and nothing else Firefox reads; every other line
// keeps its bytes and its place.
#include <optional>
#include <string>
#include <string_view>

#include "firefox/PrefLines.h"
#include "firefox/PrefsFile.h"

namespace velomar {

// Reads a preference file; false with a message naming it when it cannot be read.
bool LoadPrefsFile(const std::string& path, PrefsFile& file, std::string& error);
// Writes it through a temporary file moved into place.
bool SavePrefsFile(const std::string& path, const PrefsFile& file, std::string& error);
// Why a pass leaves alone a file that would not read a line added at its
// end (PrefsFile::ReadsAppendedLines), naming it.
std::string UnreadableEndMessage(const std::string& path);

// The value Firefox takes for a preference before an edit (the bytes
// between the comma and ")", as a log row shows them); none when no
// statement sets it.
using TakenValue = std::optional<std::string>;

// Sets the entry's preference: when Firefox already takes the entry's
// value (compared exactly) nothing changes; otherwise the statement
// Firefox takes is replaced where it owns its line, and a line is added at
// the end where it does not or where there is none. The caller makes sure
// the file reads added lines (PrefsFile::ReadsAppendedLines).
TakenValue PutPref(PrefsFile& file, const PrefEntry& entry);

struct PrefRemoval {
  TakenValue before;
  // What Firefox still takes from a statement that shares its line with
  // something else, which stays; none when nothing sets it any more.
  TakenValue after;
};
// Removes every line that holds only a statement setting the preference.
PrefRemoval RemovePref(PrefsFile& file, std::string_view name);

// True for each preference a pass writes or removes (the automatic set,
// which holds the custom page's too).
bool IsVelomarPref(std::string_view name);

// `current` with Velomar's preference lines as `backup` holds them: the
// current ones go, and each of the backup's comes back after the line it
// followed there (as far as that line is still in `current`). Every other
// line of `current` stays as it is, so a file changed by nothing but a
// pass comes back byte for byte.
PrefsFile WithVelomarPrefsOf(const PrefsFile& current, const PrefsFile& backup);
// `file` without the lines that set Velomar's preferences; a comment that
// names one is no such line.
PrefsFile WithoutVelomarPrefs(const PrefsFile& file);

}  // namespace velomar
