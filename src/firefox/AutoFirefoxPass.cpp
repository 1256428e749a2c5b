// The automatic preference pass: EditUserPrefs and its TFFOThread worker.
#include "firefox/AutoFirefoxPass.h"

#include "firefox/FirefoxBackups.h"
#include "firefox/FirefoxProfiles.h"
#include "firefox/FirefoxWorkers.h"
#include "firefox/PrefLines.h"
#include "firefox/ProfileLock.h"
#include "platform/Files.h"
#include "window/PassView.h"

namespace velomar {

namespace {

// The automatic window as one edit drives it: the pass's view, with the
// preference texts of this pass.
class AutoWindow {
 public:
  AutoWindow(WindowState& window, std::int32_t step) : view_(window, pass_controls::kAutomatic), step_(step) {}

  void Advance(std::int32_t units) {
    if (units != 0) view_.Advance(units);
  }
  void Advance() { Advance(step_); }
  void Announce(const PrefEntry& entry) { view_.Status("Firefox : Optimizing " + PrefNameOf(entry.head) + " ..."); }
  void Pause() { view_.Pause(); }
  void Row(const PrefEntry& entry, std::string oldValue, std::string newValue) {
    view_.Row({PrefNameOf(entry.head), std::move(oldValue), std::move(newValue)});
  }
  // A message row: a file that could not be read or written.
  void Problem(const std::string& message) { view_.Row({message, "", ""}); }

 private:
  PassView view_;
  std::int32_t step_;
};

// A preference user.js lacks: "No value" and the line appended.
void AddMissing(AutoWindow& view, Lines& lines, const PrefEntry& entry) {
  view.Row(entry, "No value", PrefValueOf(entry.tail));
  lines.push_back(entry.Line());
}

// A preference found at index: replaced unless its value is already the
// new one (compared exactly, so " true" and "true" differ).
void ReplaceFound(AutoWindow& view, Lines& lines, std::int32_t index, const PrefEntry& entry) {
  const std::string oldValue = PrefValueOf(lines[static_cast<std::size_t>(index)]);
  const std::string newValue = PrefValueOf(entry.tail);
  view.Row(entry, oldValue, newValue);
  if (oldValue == newValue) return;
  lines.erase(lines.begin() + index);
  lines.push_back(entry.Line());
}

void EditExisting(AutoWindow& view, Lines& lines, int machineClass) {
  for (const auto& entry : CommonPrefs()) {
    view.Advance();
    view.Announce(entry);
    const std::int32_t index = FindPrefLine(lines, entry.head);
    view.Pause();
    if (index < 0)
      AddMissing(view, lines, entry);
    else
      ReplaceFound(view, lines, index, entry);
  }
  for (const auto& entry : MachineClassPrefs(machineClass)) {
    view.Advance();
    view.Announce(entry);
    const std::int32_t index = FindPrefLine(lines, entry.head);
    view.Pause();
    if (!entry.IsDeletion()) {
      if (index < 0) {
        view.Pause();
        AddMissing(view, lines, entry);
      } else {
        ReplaceFound(view, lines, index, entry);
      }
    } else if (index >= 0) {
      view.Row(entry, PrefValueOf(lines[static_cast<std::size_t>(index)]), "Delete value");
      lines.erase(lines.begin() + index);
    }
  }
}

// Without a user.js the two tables are interleaved: class entry k, then
// common entry k.
void WriteFresh(AutoWindow& view, Lines& lines, int machineClass) {
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

bool Report(AutoWindow& view, FileProblems& problems, const std::string& message) {
  view.Problem(message);
  problems.push_back(message);
  return false;
}

// prefs.js and user.js as they were before the first pass of either mode
// (BackUpOnce); a profile whose backups cannot be written is not edited.
bool BackUpForAutomaticPass(const std::string& directory, AutoWindow& view, FileProblems& problems) {
  FileProblems copyProblems;
  const bool ok = BackUpOnce({FirefoxPath(directory, kCustomPrefsBackup), FirefoxPath(directory, kPrefsJs)},
                             FirefoxPath(directory, kPrefsBackup), copyProblems) &&
                  BackUpOnce({FirefoxPath(directory, kUserJs)}, FirefoxPath(directory, kUserBackup), copyProblems);
  for (const auto& message : copyProblems) Report(view, problems, message);
  return ok;
}

}  // namespace

bool EditUserPrefs(const std::string& directory, int machineClass, WindowState& window, std::int32_t progressStep,
                   FileProblems& problems) {
  AutoWindow view(window, progressStep);
  const std::string userJs = directory + "/" + kUserJs;
  Lines lines;
  std::string error;
  if (platform::FileExists(userJs)) {
    if (!LoadLines(userJs, lines, error)) return Report(view, problems, error);
    EditExisting(view, lines, machineClass);
  } else {
    WriteFresh(view, lines, machineClass);
  }
  SortPrefLines(lines);
  if (!SaveLines(userJs, lines, error)) return Report(view, problems, error);
  return true;
}

void TFFOThread::Execute() {
  FinishAfter(shared_, [this] { return Walk(); });
}

bool TFFOThread::Walk() {
  FirefoxReport& report = shared_.report;
  const std::optional<bool> memoryBig = QueryMemoryBig();
  if (!memoryBig) {
    report.problems.push_back("the system did not tell the size of the physical memory");
    return false;
  }
  const int machineClass = MachineClassOf(*memoryBig, shared_.BandwidthKbps);

  const std::string dataFolder = FindFirefoxDataFolder();
  if (!HasProfilesIni(dataFolder)) return false;
  AutoWindow view(window_, 0);
  const FirefoxProfileList list = EnumerateFirefoxProfiles(dataFolder);
  if (!list.ReadError.empty()) return Report(view, report.problems, list.ReadError);

  // One or two profiles fill 54 units (108 without the TCP/IP pass); with
  // any other count each profile adds its share after its edit.
  std::int32_t step = list.SectionCount == 2 ? 2 : (list.SectionCount == 3 ? 1 : 0);
  if (shared_.SkipTcpPass) step *= 2;
  shared_.ProgressStep = step;

  bool allWritten = true;
  for (const auto& profile : list.Profiles) {
    if (!profile.Resolved()) continue;
    if (!BackUpForAutomaticPass(profile.Directory, view, report.problems)) {
      allWritten = false;
      continue;
    }
    if (!EditUserPrefs(profile.Directory, machineClass, window_, step, report.problems)) {
      allWritten = false;
    } else {
      ++report.profilesChanged;
      if (FirefoxRunsWithProfile(profile.Directory)) report.restartNeeded.push_back(ProfileLabel(profile));
    }
    if (step == 0) view.Advance((52 / list.SectionCount) * (shared_.SkipTcpPass ? 2 : 1));
  }
  return allWritten;
}

bool RunFirefoxPass(std::int32_t bandwidthKbps, bool skipTcpPass, WindowState& window, FirefoxReport* report) {
  FirefoxPassShared shared;
  shared.BandwidthKbps = bandwidthKbps;
  shared.SkipTcpPass = skipTcpPass;
  RunFirefoxWorker(shared, [&] { TFFOThread(shared, window).Execute(); });
  if (report) report->Add(shared.report);
  return shared.PassResult;
}

}  // namespace velomar
