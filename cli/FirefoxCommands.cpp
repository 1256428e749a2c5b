// The Firefox commands: the profiles, the two preference passes and the
// three restores, on the current user's Firefox data folder.
#include <algorithm>
#include <iostream>
#include <sstream>

#include "Cli.h"
#include "ConsoleProgress.h"
#include "app/AutoOptimizeWindow.h"
#include "app/CustomFirefoxPage.h"
#include "app/CustomLayout.h"
#include "bandwidth/BandwidthClass.h"
#include "firefox/AutoFirefoxPass.h"
#include "firefox/CustomFirefoxPass.h"
#include "firefox/FirefoxBackups.h"
#include "firefox/FirefoxProfiles.h"
#include "firefox/PrefLines.h"
#include "firefox/UnreadPrefsNote.h"
#include "firefox/WrittenPrefNames.h"
#include "window/MemoryWindow.h"

namespace velomar::cli {

namespace {

// Every file that failed and every profile left alone is named, and makes
// the command fail.
int Status(bool ok, const FirefoxReport& report, const std::string& what) {
  for (const auto& problem : report.problems) std::cerr << "velomar-cli: " << problem << '\n';
  for (const auto& profile : report.leftWhileRunning)
    std::cerr << "velomar-cli: Firefox is running with the profile \"" << profile
              << "\": it was left as it is. Close Firefox and try again.\n";
  for (const auto& profile : report.missingProfiles)
    std::cerr << "velomar-cli: the folder of the profile \"" << profile << "\" is missing: it was not restored.\n";
  if (!ok) throw Failure(what + " reported failure");
  return 0;
}

// After the rows, which keep their three columns: how many of the
// preferences the pass wrote each profile's Firefox no longer reads.
void PrintUnreadPrefsNotes(const Invocation& in, const std::vector<std::string>& written) {
  for (const auto& [profile, note] : UnreadPrefsNotes(written))
    if (const std::string message = UnreadPrefsMessage(note); !message.empty())
      in.Err() << "velomar-cli: Firefox profile \"" << profile << "\": " << message << '\n';
}

int ProfilesCommand(Invocation& in) {
  in.Begin();
  const std::string dataFolder = FindFirefoxDataFolder();
  FirefoxProfileList list;
  if (HasProfilesIni(dataFolder))
    list = EnumerateFirefoxProfiles(dataFolder);
  else
    in.Err() << "velomar-cli: no profiles.ini in the Firefox data folder \"" << dataFolder << "\"\n";
  if (!list.readError.empty()) in.Err() << "velomar-cli: " << list.readError << '\n';
  in.Out() << "SectionCount=" << list.sectionCount << '\n';
  for (const auto& p : list.profiles)
    in.Out() << p.sectionIndex << '\t' << p.sectionName << '\t' << p.pathValue << '\t' << p.directory << '\t'
             << (p.takenAsGiven ? 1 : 0) << '\n';
  in.Out() << "IsFirefoxInstalled=" << (IsFirefoxInstalled() ? 1 : 0) << '\n';
  in.Out() << "HasFirefoxProfileFolder=" << (HasFirefoxProfileFolder() ? 1 : 0) << '\n';
  return 0;
}

int AutoCommand(Invocation& in) {
  const int position = in.TakeClass();
  in.Begin();
  // As the automatic window starts its Firefox pass, with the TCP/IP pass to
  // follow: its status, and its bar at the start.
  ConsoleProgress progress(in, auto_window::kProgressEnd);
  progress.Status("Firefox :");
  progress.Advance(0);
  FirefoxReport report;
  const std::int32_t bandwidthKbps = BandwidthClassAt(position)->bandwidthKbps;
  const bool ok = RunFirefoxPass(bandwidthKbps, AutoFirefoxPlan(true), progress, &report);
  if (const std::optional<bool> memoryBig = QueryMemoryBig())
    PrintUnreadPrefsNotes(in, AutoPassPrefNames(MachineClassOf(*memoryBig, bandwidthKbps)));
  return Status(ok, report, "the Firefox pass");
}

std::vector<std::string> SplitAtCommas(const std::string& text) {
  std::vector<std::string> words;
  std::stringstream stream(text);
  for (std::string word; std::getline(stream, word, ',');)
    if (!word.empty()) words.push_back(word);
  return words;
}

// What the page showed of its pass, with --trace: its bar's positions and
// the pauses, in order.
void TracePageProgress(const Invocation& in, const MemoryWindow& form) {
  if (!in.trace) return;
  for (const auto& e : form.Events()) {
    if (e.kind == WindowEvent::Kind::Position && e.control == custom_firefox_page::kProgress)
      in.Out() << "progress\t" << e.value << '\n';
    else if (e.kind == WindowEvent::Kind::Pause)
      in.Out() << "pause\n";
  }
}

bool IsPreferenceBox(const std::string& name) {
  for (const auto& box : CustomPrefBoxes())
    if (name == box.checkBox) return true;
  return false;
}

int CustomCommand(Invocation& in) {
  const int position = in.TakeClass();
  const auto only = in.TakeOption("--only");
  std::vector<std::string> kept;
  if (only) {
    kept = SplitAtCommas(*only);
    for (const auto& name : kept)
      if (!IsPreferenceBox(name)) throw UsageError("--only: '" + name + "' is not a Firefox preference check box");
  }
  in.Begin();

  MemoryWindow form;
  CustomUnitState unit;
  CustomFirefoxPage page(form, unit);
  DesignMemoryWindow(form, CustomLayout());
  page.Wire();
  form.SetRange(custom_firefox_page::kTrackBar, 0, kBandwidthClassCount - 1);
  form.SetPosition(custom_firefox_page::kTrackBar, position);
  unit.bandwidthKbps = BandwidthClassAt(position)->bandwidthKbps;
  const std::optional<bool> memoryBig = QueryMemoryBig();
  if (!memoryBig) throw Failure("the system did not tell the size of the physical memory");
  unit.memoryBig = *memoryBig;
  page.Button_FF_RecommendedClick();
  if (only)
    for (const auto& box : CustomPrefBoxes())
      if (std::find(kept.begin(), kept.end(), box.checkBox) == kept.end()) form.SetChecked(box.checkBox, false);
  form.ClearEvents();

  const bool ok = page.Button_Firefox_OptimizeClick();
  // The page's message boxes: warnings go to the error stream, the rest are traced.
  for (const auto& e : form.Events()) {
    if (e.kind != WindowEvent::Kind::Message) continue;
    const auto tab1 = e.value.find('\t');
    const std::string text = e.value.substr(e.value.find('\t', tab1 + 1) + 1);
    if (e.value.substr(0, tab1) == std::to_string(static_cast<int>(MessageIcon::Warning)))
      in.Err() << "velomar-cli: " << text << '\n';
    else if (in.trace)
      in.Out() << "message\t" << text << '\n';
  }
  TracePageProgress(in, form);
  if (!in.trace) in.Out() << "ProgressBar_FF=" << form.Position(custom_firefox_page::kProgress) << '\n';
  PrintUnreadPrefsNotes(in, CustomPassPrefNames(ChosenPrefs(form), MachineClassOf(unit.memoryBig, unit.bandwidthKbps)));
  // The page's warnings went to the error stream already.
  return Status(ok, FirefoxReport{}, "the custom Firefox pass");
}

int RestoreCommand(Invocation& in) {
  in.Begin();
  FirefoxReport report;
  const bool ok = RestoreFirefoxBackup(&report);
  return Status(ok, report, "the Firefox restore");
}

int ClearCommand(Invocation& in) {
  in.Begin();
  FirefoxReport report;
  const bool ok = ClearUserPrefsFile(&report);
  return Status(ok, report, "clearing user.js");
}

int RestoreCustomCommand(Invocation& in) {
  in.Begin();
  FirefoxReport report;
  const bool ok = RestoreCustomFirefoxBackup(&report);
  return Status(ok, report, "the custom Firefox restore");
}

const Registrar kFirefoxCommands({
    {"firefox-profiles", "firefox-profiles", "list the Firefox profiles found through profiles.ini", false,
     ProfilesCommand},
    {"firefox-auto", "firefox-auto --class C",
     "the automatic Firefox pass: back up and rewrite user.js in every profile", false, AutoCommand, kDryRunnable},
    {"firefox-custom", "firefox-custom --class C [--only BOX,BOX...]",
     "the custom Firefox pass, all 24 boxes checked unless --only names those to keep", false, CustomCommand,
     kDryRunnable},
    {"firefox-restore", "firefox-restore",
     "put Velomar's preferences in prefs.js and user.js back as prefs.bk and user.bk hold them", false, RestoreCommand},
    {"firefox-clear", "firefox-clear", "remove Velomar's preferences from user.js in every profile that has a user.bk",
     false, ClearCommand},
    {"firefox-restore-custom", "firefox-restore-custom",
     "put Velomar's preferences back as Custom_prefs.bk and Custom_user.bk hold them", false, RestoreCustomCommand},
});

}  // namespace

}  // namespace velomar::cli
