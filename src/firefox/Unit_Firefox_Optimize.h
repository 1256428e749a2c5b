#pragma once
// Firefox preference tuning: the profiles listed in profiles.ini, the
// user_pref line format of user.js, the automatic and the custom preference
// passes, and the backups and restores of the preference files.
//
// Every file is read whole as a list of lines and written whole through a
// temporary file moved into place, with CR LF after every line; bytes other
// than line ends pass through unchanged. A file that cannot be read or
// written is reported and the walk goes on with the next profile.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "util/TextLines.h"

namespace velomar {

class WindowState;

// ---------------------------------------------------------------- profiles

struct FirefoxProfile {
  std::int32_t SectionIndex = 0;  // position in profiles.ini, every section counted
  std::string SectionName;
  std::string Name;       // the "Name" value, the one Firefox shows
  std::string PathValue;  // the "Path" value as read
  std::string Directory;  // empty when the profile did not resolve
  bool TakenAsGiven = false;
  bool Resolved() const { return !Directory.empty(); }
};

struct FirefoxProfileList {
  std::int32_t SectionCount = 0;
  std::vector<FirefoxProfile> Profiles;  // the sections with a non-empty "Path"
  std::string ReadError;                 // set when profiles.ini could not be read
};

// The user's application-data folder followed by "\Mozilla\Firefox" (on
// Windows from the registry; elsewhere the platform's Firefox folder); empty
// when unknown.
std::string FindFirefoxDataFolder();
// A file or folder inside a profile or data folder, joined with the
// platform's separator.
std::string FirefoxPath(const std::string& folder, const std::string& name);
std::string ProfilesIniPath(const std::string& dataFolder);
// True when the data folder is known and holds profiles.ini.
bool HasProfilesIni(const std::string& dataFolder);

FirefoxProfileList EnumerateFirefoxProfiles(const std::string& dataFolder);
// The value as given when it names a folder, else dataFolder + the value;
// nothing when neither exists.
struct ResolvedDirectory {
  std::string Directory;
  bool TakenAsGiven = false;
};
std::optional<ResolvedDirectory> ResolveProfileDirectory(const std::string& dataFolder, const std::string& pathValue);

// True while Firefox runs with the profile in `directory`, by the lock it
// holds there (Windows: "parent.lock" open without sharing; elsewhere the
// fcntl lock on ".parentlock" and the "lock" link naming its process). A
// lock left behind by a Firefox that is gone does not count.
bool FirefoxRunsWithProfile(const std::string& directory);

// The profile as the user knows it: its name, else its folder.
std::string ProfileLabel(const FirefoxProfile& profile);

// Some profile has a prefs.js (Firefox has run with it).
bool IsFirefoxInstalled();
// Some profile folder exists: every section of profiles.ini is examined,
// the path read relative to the data folder first.
bool HasFirefoxProfileFolder();

// ---------------------------------------------------------------- line format

inline constexpr std::string_view kDeletionTail = ", del);";

// A preference line is head + tail: user_pref("name" and , value);
struct PrefEntry {
  std::string head;
  std::string tail;
  bool IsDeletion() const { return tail == kDeletionTail; }
  bool IsEmpty() const { return head.empty() && tail.empty(); }
  std::string Line() const { return head + tail; }
};
PrefEntry MakePrefEntry(std::string_view name, std::string_view value);

// The first line holding head anywhere in it, or -1; an empty head matches none.
std::int32_t FindPrefLine(const Lines& lines, std::string_view head);
// Between the first double quote and the next one.
std::string PrefNameOf(std::string_view text);
// After the first comma up to the next ")"; for a line without a comma
// nothing, and without a ")" after it the rest of the line.
std::string PrefValueOf(std::string_view text);

// The 13 entries every machine gets, and the 14 whose values depend on the
// machine class (0 to 3); the automatic set marks removals with ", del);",
// the custom set has empty entries there instead.
const std::vector<PrefEntry>& CommonPrefs();
const std::vector<PrefEntry>& MachineClassPrefs(int machineClass);
const std::vector<PrefEntry>& CustomMachineClassPrefs(int machineClass);

inline constexpr std::uint64_t kOneGiB = 1073741824ull;
// Exactly 1 GiB counts as big.
bool IsMemoryBig(std::uint64_t totalPhysicalBytes);
// Asks the system for the total physical memory: whether it is 1 GiB or
// more. A query that fails with an error code counts as less, the smaller
// caches being the safe choice, and the caller carries on; one that fails
// without an error code gives nothing, and the caller (the automatic pass,
// the custom window's creation) ends there.
std::optional<bool> QueryMemoryBig();
// 2 when the memory reaches 1 GiB, plus 1 from 1024 Kbps.
int MachineClassOf(bool memoryBig, std::int32_t bandwidthKbps);

// Sorts all lines without regard to case by the user's locale.
void SortPrefLines(Lines& lines);

// The line head of every preference a pass writes or deletes: the
// automatic set, of which the custom page's boxes name a part.
const std::vector<std::string>& VelomarPrefHeads();

// ---------------------------------------------------------------- reports

// One message per file that could not be read or written, naming it.
using FileProblems = std::vector<std::string>;

// What a Firefox operation has to tell besides its result. Profiles are
// named by ProfileLabel.
struct FirefoxReport {
  FileProblems problems;
  // Left alone because Firefox runs with them: a restore would write
  // prefs.js, which Firefox writes over when it exits.
  std::vector<std::string> leftWhileRunning;
  // Their user.js was written while Firefox runs with them: the change
  // takes effect when Firefox is restarted.
  std::vector<std::string> restartNeeded;
  int profilesChanged = 0;  // profiles whose files were written

  bool Complete() const { return problems.empty() && leftWhileRunning.empty(); }
  void Add(const FirefoxReport& other);
};

// ---------------------------------------------------------------- automatic pass

// Rewrites dir/user.js with the automatic set for the machine class, one log
// row per preference handled, paced by the window's PauseForDisplay and
// adding progressStep to ProgressBar_Optimize 27 times. False (with the
// problem added) when user.js cannot be read or written; it is then
// unchanged.
bool EditUserPrefs(const std::string& directory, int machineClass, WindowState& window, std::int32_t progressStep,
                   FileProblems& problems);

// What one automatic pass shares with its worker; the worker writes the
// result and then sets the flag.
struct FirefoxPassShared;

// The worker of the automatic pass: the machine class, the backups and the
// edit of every profile, driving the automatic window's status label,
// progress bar and log list.
class TFFOThread {
 public:
  TFFOThread(FirefoxPassShared& shared, WindowState& window) : shared_(shared), window_(window) {}
  void Execute();

 private:
  bool Walk();
  FirefoxPassShared& shared_;
  WindowState& window_;
};

// Runs the automatic pass on a TFFOThread and waits for it, processing
// messages. True when the worker got through profiles.ini and every file
// could be read and written. A profile Firefox runs with is written all the
// same (report->restartNeeded).
bool RunFirefoxPass(std::int32_t bandwidthKbps, bool skipTcpPass, WindowState& window, FirefoxReport* report = nullptr);

// ---------------------------------------------------------------- backups and restores

inline constexpr const char* kPrefsJs = "prefs.js";
inline constexpr const char* kUserJs = "user.js";
inline constexpr const char* kPrefsBackup = "prefs.bk";
inline constexpr const char* kUserBackup = "user.bk";
inline constexpr const char* kCustomPrefsBackup = "Custom_prefs.bk";
inline constexpr const char* kCustomUserBackup = "Custom_user.bk";

// Reads source as lines and writes them to target with CR LF after each.
bool CopyLines(const std::string& source, const std::string& target, FileProblems& problems);

// `current` with Velomar's preference lines as `backup` holds them: for
// each preference (its first line, as the passes find it), the backup's
// line takes the place of the current one, is added at the end where the
// current lines have none, and the current one goes where the backup has
// none. Every other line stays where it is.
Lines WithVelomarPrefsOf(const Lines& current, const Lines& backup);
// `lines` without any line of Velomar's preferences.
Lines WithoutVelomarPrefs(const Lines& lines);

// The restore worker: prefs.bk and user.bk back over prefs.js and user.js.
class TFFRThread {
 public:
  explicit TFFRThread(FirefoxPassShared& shared) : shared_(shared) {}
  void Execute();

 private:
  FirefoxPassShared& shared_;
};

// The three undo operations take back exactly what the passes changed:
// Velomar's preferences, and no other line. They walk the profiles and stop
// at the first one that does not resolve; each is true when the walk
// completed without a problem.
//
// The two restores put Velomar's preference lines of prefs.js and user.js
// back as prefs.bk and user.bk (Custom_prefs.bk and Custom_user.bk) hold
// them; a missing backup leaves its file as it is. They leave a profile
// Firefox runs with untouched when they would change its prefs.js, and go
// on with the next.
bool RestoreFirefoxBackup(FirefoxReport* report = nullptr);
// Removes Velomar's preferences from user.js in every profile that has a
// user.bk, keeping the user's own lines.
bool ClearUserPrefsFile(FirefoxReport* report = nullptr);
bool RestoreCustomFirefoxBackup(FirefoxReport* report = nullptr);

// ---------------------------------------------------------------- custom pass

namespace custom_firefox {
inline constexpr int kProgressMaximum = 96;
}  // namespace custom_firefox

// One of the 24 check boxes of the custom Firefox page and the preferences
// it writes, in order.
struct CustomPrefBox {
  const char* checkBox;
  const char* tab;
  struct Item {
    bool byClass;  // from the machine-class table, else the common one
    int index;     // row of that table
  };
  std::vector<Item> items;
};
const std::vector<CustomPrefBox>& CustomPrefBoxes();

// What the custom writer needs of its window.
struct CustomPassInputs {
  WindowState& window;
  bool memoryBig = false;
  std::int32_t bandwidthKbps = 56;
};

// Writes the checked boxes' preferences into dir/user.js, adding to
// ProgressBar_FF and pausing once per box. False (problem added) when
// user.js cannot be read or written; it is then unchanged.
bool WriteCustomPrefs(const std::string& directory, std::int32_t sectionCount, CustomPassInputs& inputs,
                      FileProblems& problems);

struct CustomPassOutcome {
  bool walked = false;  // the data folder and profiles.ini were there
  FirefoxReport report;
  bool Optimized() const { return report.profilesChanged > 0; }
};
// The profile walk of the custom pass: the backups, each written only once
// (Custom_prefs.bk, user.bk and Custom_user.bk), then WriteCustomPrefs; a
// profile whose backup cannot be written is left untouched, unresolved
// profiles are skipped.
CustomPassOutcome RunCustomFirefoxWalk(CustomPassInputs& inputs);

}  // namespace velomar
