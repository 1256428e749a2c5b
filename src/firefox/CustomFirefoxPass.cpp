// The custom preference pass: the 24 check boxes of the custom window's
// Firefox page, the writer and the walk with its backups.
#include "firefox/CustomFirefoxPass.h"

#include "firefox/FirefoxBackups.h"
#include "firefox/FirefoxProfiles.h"
#include "firefox/PrefLines.h"
#include "firefox/ProfileLock.h"
#include "platform/Files.h"

namespace velomar {

namespace {

// Rows of the two tables the boxes name.
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

constexpr CustomPrefBox::Item Common(CommonRow row) { return {false, row}; }
constexpr CustomPrefBox::Item ByClass(ClassRow row) { return {true, row}; }

// Without a user.js this box neither pauses nor moves the bar.
constexpr std::size_t kInterruptParsingBox = 16;

const PrefEntry& EntryOf(const CustomPrefBox::Item& item, int machineClass) {
  const auto& table = item.byClass ? CustomMachineClassPrefs(machineClass) : CommonPrefs();
  return table[static_cast<std::size_t>(item.index)];
}

// A line is only ever replaced by one for the same preference. An empty
// entry is never found, so it adds an empty line, which the writer drops.
void PutEntry(Lines& lines, const PrefEntry& entry) {
  const std::int32_t index = FindPrefLine(lines, entry.head);
  if (index < 0) {
    lines.push_back(entry.Line());
  } else if (PrefValueOf(lines[static_cast<std::size_t>(index)]) != PrefValueOf(entry.tail)) {
    lines.erase(lines.begin() + index);
    lines.push_back(entry.Line());
  }
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

const std::vector<CustomPrefBox>& CustomPrefBoxes() {
  static const std::vector<CustomPrefBox> boxes{
      {"CheckBox_N_H_Pipelining", "TabSheet_FF_Network", {Common(kPipelining)}},
      {"CheckBox_N_T_Pip_Max", "TabSheet_FF_Network", {Common(kPipeliningMaxRequests)}},
      {"CheckBox_N_H_Proxy_Pip", "TabSheet_FF_Network", {Common(kProxyPipelining)}},
      {"CheckBox_N_H_Request_MSD", "TabSheet_FF_Network", {Common(kRequestMaxStartDelay)}},
      {"CheckBox_N_H_MaxConection", "TabSheet_FF_Network", {ByClass(kMaxConnections)}},
      {"CheckBox_N_H_MaxConection_PerServer", "TabSheet_FF_Network", {ByClass(kMaxConnectionsPerServer)}},
      {"CheckBox_N_H_PersistentConnections_PerProxy", "TabSheet_FF_Network", {ByClass(kPersistentPerProxy)}},
      {"CheckBox_N_H_PersistentConnections_PerServer", "TabSheet_FF_Network", {ByClass(kPersistentPerServer)}},
      {"CheckBox_B_T_enabled", "TabSheet_FF_Browser", {Common(kTurboEnabled)}},
      {"CheckBox_B_Display_SIP", "TabSheet_FF_Browser", {Common(kShowImagePlaceholders)}},
      {"CheckBox_B_Chrome_Favicons", "TabSheet_FF_Browser", {Common(kChromeFavicons)}},
      {"CheckBox_B_URLbar_AutoFill", "TabSheet_FF_Browser", {Common(kAutocompleteEnabled), Common(kAutofill)}},
      {"CheckBox_B_Cache_Memory_Capacity", "TabSheet_FF_Browser", {ByClass(kCacheMemoryCapacity)}},
      {"CheckBox_B_XulErrorPagesEnabled", "TabSheet_FF_Browser", {ByClass(kXulErrorPages)}},
      {"CheckBox_C_Notify_Backoffcount", "TabSheet_FF_Content", {ByClass(kNotifyOnTimer), Common(kNotifyBackoffCount)}},
      {"CheckBox_C_Maxtextrun", "TabSheet_FF_Content", {ByClass(kMaxTextRun)}},
      {"CheckBox_C_Interrupt_Parsing", "TabSheet_FF_Content", {ByClass(kInterruptParsing)}},
      {"CheckBox_C_Notify_Interval", "TabSheet_FF_Content", {ByClass(kNotifyOnTimer), ByClass(kNotifyInterval)}},
      {"CheckBox_C_Switch_Threshold", "TabSheet_FF_Content", {ByClass(kSwitchThreshold)}},
      {"CheckBox_C_Max_Tokenizing_Time", "TabSheet_FF_Content", {ByClass(kMaxTokenizingTime)}},
      {"CheckBox_O_P_EFP", "TabSheet_FF_Other", {Common(kExposeFullPath)}},
      {"CheckBox_O_Ui_SubmenuDelay", "TabSheet_FF_Other", {Common(kSubmenuDelay)}},
      {"CheckBox_O_D_DWSC", "TabSheet_FF_Other", {ByClass(kDisableWindowStatusChange)}},
      {"CheckBox_O_Nglayout_Initialpaint_Delay", "TabSheet_FF_Other", {ByClass(kInitialPaintDelay)}},
  };
  return boxes;
}

bool WriteCustomPrefs(const std::string& directory, std::int32_t unitsPerBox, CustomPassInputs& inputs,
                      FileProblems& problems) {
  const int machineClass = MachineClassOf(inputs.memoryBig, inputs.bandwidthKbps);
  WindowState& window = inputs.window;
  const std::string userJs = directory + "/" + kUserJs;
  const auto& boxes = CustomPrefBoxes();
  Lines lines;
  std::string error;
  if (platform::FileExists(userJs)) {
    if (!LoadLines(userJs, lines, error)) {
      problems.push_back(error);
      return false;
    }
    for (const auto& box : boxes) {
      Tick(inputs.progress, unitsPerBox);
      if (!window.Checked(box.checkBox)) continue;
      for (const auto& item : box.items) PutEntry(lines, EntryOf(item, machineClass));
    }
  } else {
    for (std::size_t b = 0; b < boxes.size(); ++b) {
      if (b != kInterruptParsingBox) Tick(inputs.progress, unitsPerBox);
      if (!window.Checked(boxes[b].checkBox)) continue;
      for (const auto& item : boxes[b].items) {
        const PrefEntry& entry = EntryOf(item, machineClass);
        // Boxes 15 and 18 both name content.notify.ontimer: one line.
        if (item.byClass && item.index == kNotifyOnTimer)
          PutEntry(lines, entry);
        else
          lines.push_back(entry.Line());
      }
    }
  }
  SortPrefLines(lines);
  std::erase_if(lines, [](const std::string& line) { return line.empty(); });
  if (!SaveLines(userJs, lines, error)) {
    problems.push_back(error);
    return false;
  }
  return true;
}

CustomPassOutcome RunCustomFirefoxWalk(CustomPassInputs& inputs) {
  CustomPassOutcome outcome;
  const std::string dataFolder = FindFirefoxDataFolder();
  if (!HasProfilesIni(dataFolder)) return outcome;
  outcome.walked = true;
  const FirefoxProfileList list = EnumerateFirefoxProfiles(dataFolder);
  FirefoxReport& report = outcome.report;
  if (!list.ReadError.empty()) report.problems.push_back(list.ReadError);
  const std::int32_t unitsPerBox = inputs.plan(list.SectionCount).perPreference;
  for (const auto& profile : list.Profiles) {
    if (!profile.Resolved()) continue;
    if (!BackUpForCustomPass(profile.Directory, report.problems)) continue;
    if (!WriteCustomPrefs(profile.Directory, unitsPerBox, inputs, report.problems)) continue;
    ++report.profilesChanged;
    if (FirefoxRunsWithProfile(profile.Directory)) report.restartNeeded.push_back(ProfileLabel(profile));
  }
  return outcome;
}

}  // namespace velomar
