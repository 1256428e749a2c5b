// The custom preference pass: its 24 choices, the writer and the walk with
// its backups.
#include "firefox/CustomFirefoxPass.h"

#include <algorithm>

#include "firefox/FirefoxBackups.h"
#include "firefox/FirefoxProfiles.h"
#include "firefox/PrefLines.h"
#include "firefox/PrefsEdits.h"
#include "firefox/ProfileLock.h"
#include "platform/Files.h"

namespace velomar {

namespace {

// Rows of the two tables the choices name.
enum CommonRow {
  kPipelining = 0,
  kPipeliningMaxRequests = 2,
  kProxyPipelining = 3,
  kRequestMaxStartDelay = 4,
  kNotifyBackoffCount = 5,
  kExposeFullPath = 6,
  kSubmenuDelay = 7,
  kTurboEnabled = 8,
  kShowImagePlaceholders = 9,
  kChromeFavicons = 10,
  kAutocompleteEnabled = 11,
  kAutofill = 12,
};
enum ClassRow {
  kMaxTextRun = 0,
  kNotifyOnTimer = 1,
  kInterruptParsing = 2,
  kNotifyInterval = 3,
  kSwitchThreshold = 4,
  kMaxTokenizingTime = 5,
  kMaxConnections = 6,
  kMaxConnectionsPerServer = 7,
  kPersistentPerProxy = 8,
  kPersistentPerServer = 9,
  kXulErrorPages = 10,
  kCacheMemoryCapacity = 11,
  kDisableWindowStatusChange = 12,
  kInitialPaintDelay = 13,
};

constexpr CustomPrefChoice::Item Common(CommonRow row) { return {false, row}; }
constexpr CustomPrefChoice::Item ByClass(ClassRow row) { return {true, row}; }

// Without a user.js this choice neither pauses nor moves the bar.
constexpr std::size_t kInterruptParsingChoice = 16;

const PrefEntry& EntryOf(const CustomPrefChoice::Item& item, int machineClass) {
  const auto& table = item.byClass ? CustomMachineClassPrefs(machineClass) : CommonPrefs();
  return table[static_cast<std::size_t>(item.index)];
}

// The custom page's pause and progress: a pause, then the bar moves on.
void Tick(PassProgress& progress, std::int32_t units) {
  progress.Pause();
  if (units != 0) progress.Advance(units);
}

// prefs.js to Custom_prefs.bk, user.js to user.bk (as the automatic pass
// names it) and to Custom_user.bk, each only the first time (BackUpOnce),
// each taken from the automatic pass's backup where that exists, since it
// may hold the file from before an automatic pass.
bool BackUpForCustomPass(const std::string& directory, FileProblems& problems) {
  const std::string userBackup = FirefoxPath(directory, kUserBackup);
  return BackUpOnce({FirefoxPath(directory, kPrefsBackup), FirefoxPath(directory, kPrefsJs)},
                    FirefoxPath(directory, kCustomPrefsBackup), problems) &&
         BackUpOnce({FirefoxPath(directory, kUserJs)}, userBackup, problems) &&
         BackUpOnce({userBackup}, FirefoxPath(directory, kCustomUserBackup), problems);
}

}  // namespace

const std::vector<CustomPrefChoice>& CustomPrefChoices() {
  static const std::vector<CustomPrefChoice> choices{
      {{Common(kPipelining)}},
      {{Common(kPipeliningMaxRequests)}},
      {{Common(kProxyPipelining)}},
      {{Common(kRequestMaxStartDelay)}},
      {{ByClass(kMaxConnections)}},
      {{ByClass(kMaxConnectionsPerServer)}},
      {{ByClass(kPersistentPerProxy)}},
      {{ByClass(kPersistentPerServer)}},
      {{Common(kTurboEnabled)}},
      {{Common(kShowImagePlaceholders)}},
      {{Common(kChromeFavicons)}},
      {{Common(kAutocompleteEnabled), Common(kAutofill)}},
      {{ByClass(kCacheMemoryCapacity)}},
      {{ByClass(kXulErrorPages)}},
      {{ByClass(kNotifyOnTimer), Common(kNotifyBackoffCount)}},
      {{ByClass(kMaxTextRun)}},
      {{ByClass(kInterruptParsing)}},
      {{ByClass(kNotifyOnTimer), ByClass(kNotifyInterval)}},
      {{ByClass(kSwitchThreshold)}},
      {{ByClass(kMaxTokenizingTime)}},
      {{Common(kExposeFullPath)}},
      {{Common(kSubmenuDelay)}},
      {{ByClass(kDisableWindowStatusChange)}},
      {{ByClass(kInitialPaintDelay)}},
  };
  return choices;
}

bool CustomPassInputs::Takes(std::size_t choice) const { return choice < chosen.size() && chosen[choice]; }

bool WriteCustomPrefs(const std::string& directory, std::int32_t unitsPerChoice, const CustomPassInputs& inputs,
                      FileProblems& problems) {
  const int machineClass = MachineClassOf(inputs.memoryBig, inputs.bandwidthKbps);
  const std::string userJs = directory + "/" + kUserJs;
  const auto& choices = CustomPrefChoices();
  std::string error;
  if (!platform::FileExists(userJs)) {
    Lines lines;
    for (std::size_t c = 0; c < choices.size(); ++c) {
      if (c != kInterruptParsingChoice) Tick(inputs.progress, unitsPerChoice);
      if (!inputs.Takes(c)) continue;
      for (const auto& item : choices[c].items) {
        const PrefEntry& entry = EntryOf(item, machineClass);
        // Choices 15 and 18 both name content.notify.ontimer: one line.
        if (!entry.IsEmpty() && std::find(lines.begin(), lines.end(), entry.Line()) == lines.end())
          lines.push_back(entry.Line());
      }
    }
    SortPrefLines(lines);
    if (SaveLines(userJs, lines, error)) return true;
    problems.push_back(error);
    return false;
  }
  // The user's file: a preference is only ever set, never removed, and
  // every other line stays as it is.
  PrefsFile file;
  if (!LoadPrefsFile(userJs, file, error)) {
    problems.push_back(error);
    return false;
  }
  if (!file.ReadsAppendedLines()) {
    problems.push_back(UnreadableEndMessage(userJs));
    return false;
  }
  const PrefsFile before = file;
  for (std::size_t c = 0; c < choices.size(); ++c) {
    Tick(inputs.progress, unitsPerChoice);
    if (!inputs.Takes(c)) continue;
    for (const auto& item : choices[c].items)
      if (const PrefEntry& entry = EntryOf(item, machineClass); !entry.IsEmpty()) PutPref(file, entry);
  }
  if (file == before || SavePrefsFile(userJs, file, error)) return true;
  problems.push_back(error);
  return false;
}

CustomPassOutcome RunCustomFirefoxWalk(const CustomPassInputs& inputs) {
  CustomPassOutcome outcome;
  const std::string dataFolder = FindFirefoxDataFolder();
  if (!HasProfilesIni(dataFolder)) return outcome;
  outcome.walked = true;
  const FirefoxProfileList list = EnumerateFirefoxProfiles(dataFolder);
  FirefoxReport& report = outcome.report;
  if (!list.readError.empty()) report.problems.push_back(list.readError);
  const std::int32_t unitsPerChoice = inputs.plan(list.sectionCount).perPreference;
  for (const auto& profile : list.profiles) {
    if (!profile.Resolved()) continue;
    // A running Firefox would write its own values back when it ends.
    if (FirefoxRunsWithProfile(profile.directory)) {
      report.leftWhileRunning.push_back(ProfileLabel(profile));
      continue;
    }
    if (!BackUpForCustomPass(profile.directory, report.problems)) continue;
    if (!WriteCustomPrefs(profile.directory, unitsPerChoice, inputs, report.problems)) continue;
    ++report.profilesChanged;
  }
  return outcome;
}

}  // namespace velomar
