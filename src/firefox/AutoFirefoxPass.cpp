// The automatic preference pass: EditUserPrefs and its FirefoxPassWorker worker.
#include "firefox/AutoFirefoxPass.h"

#include "firefox/FirefoxBackups.h"
#include "firefox/FirefoxProfiles.h"
#include "firefox/FirefoxWorkers.h"
#include "firefox/PrefLines.h"
#include "firefox/PrefsEdits.h"
#include "firefox/ProfileLock.h"
#include "platform/Files.h"

namespace velomar {

namespace {

// The pass's progress as one edit reports it, with the preference texts of
// this pass; a move of no units is left out.
class PrefProgress {
 public:
  PrefProgress(PassProgress& progress, std::int32_t unitsPerPreference)
      : progress_(progress), unitsPerPreference_(unitsPerPreference) {}

  void Advance(std::int32_t units) {
    if (units != 0) progress_.Advance(units);
  }
  void Advance() { Advance(unitsPerPreference_); }
  void Announce(const PrefEntry& entry) { progress_.Status("Firefox : Optimizing " + PrefNameOf(entry.head) + " ..."); }
  void Pause() { progress_.Pause(); }
  void Row(const PrefEntry& entry, std::string oldValue, std::string newValue) {
    progress_.Row({PrefNameOf(entry.head), std::move(oldValue), std::move(newValue)});
  }
  // A message row: a file that could not be read or written.
  void Problem(const std::string& message) { progress_.Row({message, "", ""}); }

 private:
  PassProgress& progress_;
  std::int32_t unitsPerPreference_;
};

// A preference of a new user.js: "No value" and the line added.
void AddMissing(PrefProgress& view, Lines& lines, const PrefEntry& entry) {
  view.Row(entry, "No value", PrefValueOf(entry.tail));
  lines.push_back(entry.Line());
}

// The set applied to the file as the user has it: a preference is set
// where Firefox takes it from (or added at the end), a removal takes out
// the lines that set it; every other line stays where it is.
void EditExisting(PrefProgress& view, PrefsFile& file, int machineClass) {
  for (const auto& entry : CommonPrefs()) {
    view.Advance();
    view.Announce(entry);
    view.Pause();
    view.Row(entry, PutPref(file, entry).value_or("No value"), PrefValueOf(entry.tail));
  }
  for (const auto& entry : MachineClassPrefs(machineClass)) {
    view.Advance();
    view.Announce(entry);
    const std::string name = PrefNameOf(entry.head);
    const bool present = file.Applied(name) != nullptr;
    view.Pause();
    if (!entry.IsDeletion()) {
      if (!present) view.Pause();
      view.Row(entry, PutPref(file, entry).value_or("No value"), PrefValueOf(entry.tail));
    } else if (const PrefRemoval removal = RemovePref(file, name); removal.before) {
      view.Row(entry, *removal.before, removal.after.value_or("Delete value"));
    }
  }
}

// Without a user.js the two tables are interleaved: class entry k, then
// common entry k.
void WriteFresh(PrefProgress& view, Lines& lines, int machineClass) {
  const auto& common = CommonPrefs();
  const auto& byClass = MachineClassPrefs(machineClass);
  for (std::size_t k = 0; k < byClass.size(); ++k) {
    view.Advance();
    view.Announce(byClass[k]);
    if (!byClass[k].IsDeletion()) {
      view.Pause();
      AddMissing(view, lines, byClass[k]);
    }
    if (k < common.size()) {
      view.Advance();
      view.Announce(common[k]);
      view.Pause();
      AddMissing(view, lines, common[k]);
    }
  }
}

bool Report(PrefProgress& view, FileProblems& problems, const std::string& message) {
  view.Problem(message);
  problems.push_back(message);
  return false;
}

// prefs.js and user.js as they were before the first pass of either mode
// (BackUpOnce); a profile whose backups cannot be written is not edited.
bool BackUpForAutomaticPass(const std::string& directory, PrefProgress& view, FileProblems& problems) {
  FileProblems copyProblems;
  const bool ok = BackUpOnce({FirefoxPath(directory, kCustomPrefsBackup), FirefoxPath(directory, kPrefsJs)},
                             FirefoxPath(directory, kPrefsBackup), copyProblems) &&
                  BackUpOnce({FirefoxPath(directory, kUserJs)}, FirefoxPath(directory, kUserBackup), copyProblems);
  for (const auto& message : copyProblems) Report(view, problems, message);
  return ok;
}

}  // namespace

bool EditUserPrefs(const std::string& directory, int machineClass, PassProgress& progress,
                   std::int32_t unitsPerPreference, FileProblems& problems) {
  PrefProgress view(progress, unitsPerPreference);
  const std::string userJs = directory + "/" + kUserJs;
  std::string error;
  if (!platform::FileExists(userJs)) {
    Lines lines;
    WriteFresh(view, lines, machineClass);
    SortPrefLines(lines);
    if (!SaveLines(userJs, lines, error)) return Report(view, problems, error);
    return true;
  }
  PrefsFile file;
  if (!LoadPrefsFile(userJs, file, error)) return Report(view, problems, error);
  if (!file.ReadsAppendedLines()) return Report(view, problems, UnreadableEndMessage(userJs));
  const PrefsFile before = file;
  EditExisting(view, file, machineClass);
  if (!(file == before) && !SavePrefsFile(userJs, file, error)) return Report(view, problems, error);
  return true;
}

void FirefoxPassWorker::Execute() {
  FinishAfter(shared_, [this] { return Walk(); });
}

bool FirefoxPassWorker::Walk() {
  FirefoxReport& report = shared_.report;
  const std::optional<bool> memoryBig = QueryMemoryBig();
  if (!memoryBig) {
    report.problems.push_back("the system did not tell the size of the physical memory");
    return false;
  }
  const int machineClass = MachineClassOf(*memoryBig, shared_.bandwidthKbps);

  const std::string dataFolder = FindFirefoxDataFolder();
  if (!HasProfilesIni(dataFolder)) return false;
  PrefProgress view(progress_, 0);
  const FirefoxProfileList list = EnumerateFirefoxProfiles(dataFolder);
  if (!list.readError.empty()) return Report(view, report.problems, list.readError);
  const FirefoxProgressSteps steps = plan_(list.sectionCount);

  bool allWritten = true;
  for (const auto& profile : list.profiles) {
    if (!profile.Resolved()) continue;
    // Firefox keeps its preferences in memory and writes them back into
    // prefs.js when it ends: a profile it runs with is left alone.
    if (FirefoxRunsWithProfile(profile.directory)) {
      report.leftWhileRunning.push_back(ProfileLabel(profile));
      allWritten = false;
    } else if (!BackUpForAutomaticPass(profile.directory, view, report.problems) ||
               !EditUserPrefs(profile.directory, machineClass, progress_, steps.perPreference, report.problems)) {
      allWritten = false;
    } else {
      ++report.profilesChanged;
    }
    view.Advance(steps.perProfile);
  }
  return allWritten;
}

bool RunFirefoxPass(std::int32_t bandwidthKbps, const FirefoxProgressPlan& plan, PassProgress& progress,
                    FirefoxReport* report) {
  FirefoxPassShared shared;
  shared.bandwidthKbps = bandwidthKbps;
  RunFirefoxWorker(shared, [&] { FirefoxPassWorker(shared, progress, plan).Execute(); });
  if (report) report->Add(shared.report);
  return shared.passResult;
}

}  // namespace velomar
