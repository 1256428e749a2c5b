// The TCP/IP, bandwidth-class and last-set commands.
#include <iostream>

#include "Cli.h"
#include "ConsoleProgress.h"
#include "app/AutoOptimizeWindow.h"
#include "app/CustomLayout.h"
#include "app/CustomTcpPage.h"
#include "bandwidth/BandwidthClass.h"
#include "bandwidth/LastClassFile.h"
#include "mtu/EchoRequester.h"
#include "mtu/PathMtuSearch.h"
#include "platform/Files.h"
#include "tcp/RegBackup.h"
#include "tcp/TcpPasses.h"
#include "util/TextLines.h"
#include "window/Layout.h"
#include "window/MemoryWindow.h"

namespace velomar::cli {

// The path MTU probe auto-tcp uses without --mtu (MtuSeam.cpp).
PathMtuProvider& DefaultPathMtu();

namespace {

// Names every value the registry refused, with the system's reason; exit 3
// when there was one.
int ReportChanges(const Invocation& in, const RegChanges& changes) {
  for (const auto& value : changes.notChanged) in.Err() << "velomar-cli: not changed: " << value.Line() << '\n';
  return changes.Complete() ? 0 : kExitNotChanged;
}

// A backup that could not be written leaves the registry as it was; an
// earlier file that had to be moved aside leaves the undo short of the
// user's own values. Either is exit 1, after the values the registry refused.
int ReportPass(const Invocation& in, const PassReport& report) {
  if (!report.backupWritten)
    throw Failure("the registry backup \"" + report.backupFile +
                  "\" could not be written, so nothing was changed: " + report.backupError);
  const int status = ReportChanges(in, report.changes);
  if (!report.backupMovedAsideTo.empty())
    throw Failure("\"" + report.backupFile + "\" was no valid registry backup (" + report.backupMovedAsideReason +
                  "); it was kept as \"" + report.backupMovedAsideTo + "\" and a new backup was started");
  return status;
}

// What the path MTU probe can answer: the largest echo it got through plus
// the headers, from one data byte to the most an IPv4 echo carries; or -1
// when it found none.
constexpr int kSmallestMeasurableMtu = kEchoHeaderBytes + 1;
constexpr int kLargestMeasurableMtu = kMaxEchoDataSize + kEchoHeaderBytes;
constexpr int kNoMeasurement = -1;

int WindowCommand(Invocation& in) {
  const int position = in.TakeClass();
  const auto mtuText = in.TakeOption("--mtu");
  if (!mtuText) throw UsageError("--mtu N is required");
  const int mtu = ParseIntegerArgument(*mtuText, "--mtu");
  // A segment is MTU - 40 bytes.
  if (mtu <= 40 || mtu > kLargestMeasurableMtu)
    throw UsageError("--mtu must be 41 to " + std::to_string(kLargestMeasurableMtu));
  in.Begin();
  const auto window = ComputeTcpWindow(BandwidthClassAt(position)->bandwidthKbps, mtu);
  if (!window) throw Failure("no TCP window fits 32 bits for this class and MTU");
  in.Out() << *window << '\n';
  return 0;
}

int AutoTcpCommand(Invocation& in) {
  const int position = in.TakeClass();
  const auto mtuText = in.TakeOption("--mtu");
  std::optional<int> mtu;
  if (mtuText) mtu = ParseIntegerArgument(*mtuText, "--mtu");
  if (mtu && *mtu != kNoMeasurement && (*mtu < kSmallestMeasurableMtu || *mtu > kLargestMeasurableMtu))
    throw UsageError("--mtu must be what the probe can measure, " + std::to_string(kSmallestMeasurableMtu) + " to " +
                     std::to_string(kLargestMeasurableMtu) + ", or " + std::to_string(kNoMeasurement) + " for none");
  in.Begin();
  // The automatic window's bar, as a run without a Firefox pass fills it.
  ConsoleProgress progress(in, auto_window::kProgressEnd);
  FixedPathMtu fixed(mtu.value_or(kNoMeasurement));
  PathMtuProvider& provider = mtu ? static_cast<PathMtuProvider&>(fixed) : DefaultPathMtu();
  const auto report =
      AutoOptimizeTcp(BandwidthClassAt(position)->bandwidthKbps, auto_window::kTcpStepAlone, progress, provider);
  return ReportPass(in, report);
}

// The custom window as it stands after it was created and shown: the
// network-card list, the switches, then the current settings.
struct ShownCustomPage {
  MemoryWindow form;
  CustomUnitState unit;
  CustomTcpPage page{form, unit};
  ShownCustomPage() {
    DesignMemoryWindow(form, CustomLayout());
    page.Wire();
    page.BuildNetworkCardList();
    page.FillSwitchCombos();
    ReadCurrentTcpSettings(page);
  }
};

void PrintPage(const Invocation& in, const CustomTcpPage& page) {
  for (const auto& input : CustomTcpInputs())
    in.Out() << input.component << '=' << page.ShownValue(input.component) << '\n';
}

int ShowCommand(Invocation& in) {
  in.Begin();
  ShownCustomPage shown;
  PrintPage(in, shown.page);
  return 0;
}

// One "ControlName=value" override, set as a user would set the control.
void ApplyOverride(ShownCustomPage& shown, const std::string& word) {
  const auto equals = word.find('=');
  if (equals == std::string::npos) throw UsageError("expected ControlName=value, not '" + word + "'");
  if (const auto refused = shown.page.SetFromText(word.substr(0, equals), word.substr(equals + 1)))
    throw UsageError(*refused);
}

int CustomTcpCommand(Invocation& in) {
  const int position = in.TakeClass();
  std::vector<std::string> overrides = std::move(in.args);
  in.args.clear();
  for (const auto& word : overrides)
    if (word.find('=') == std::string::npos) throw UsageError("expected ControlName=value, not '" + word + "'");
  in.Begin();
  ShownCustomPage shown;
  shown.form.SetPosition(custom_tcp::kTrackBar, position);
  shown.page.TrackBar_BandWidthChange();
  for (const auto& word : overrides) ApplyOverride(shown, word);
  // The pass over the page as the user left it, on the page's bar.
  ConsoleProgress progress(in, custom_tcp::kProgressMaximum);
  const auto report = shown.page.RunPass(shown.page.Settings(), progress);
  PrintRows(in, report.changes.rows);
  return ReportPass(in, report);
}

int RestoreDefaultsCommand(Invocation& in) {
  in.Begin();
  const RegChanges changes = RestoreTcpDefaults();
  PrintRows(in, changes.rows);
  return ReportChanges(in, changes);
}

int RestoreBackupCommand(Invocation& in) {
  if (in.args.size() != 1) throw UsageError("restore-backup takes one file name");
  const std::string file = in.args.front();
  in.args.clear();
  in.Begin();
  const BackupRestore restore = RestoreRegBackup(file);
  if (!restore.found) {
    std::string names;
    for (const auto& name : BackupsRestoredWith(file)) names += (names.empty() ? "\"" : " or \"") + name + "\"";
    throw Failure("no backup file " + names);
  }
  if (!restore.readError.empty()) throw Failure(restore.readError + "; nothing was restored");
  if (!restore.invalid.empty()) throw Failure(restore.invalid + "; nothing was restored");
  PrintRows(in, restore.changes.rows);
  for (const auto& [backup, keptAs] : restore.retired)
    in.Err() << "velomar-cli: \"" << backup << "\" is put back and kept as \"" << keptAs << "\"\n";
  const int status = ReportChanges(in, restore.changes);
  if (!restore.retireError.empty()) throw Failure(restore.retireError);
  return status;
}

int UndoFileCommand(Invocation& in) {
  if (in.args.size() != 1) throw UsageError("undo-file takes the name of the .reg file to write");
  const std::string file = in.args.front();
  in.args.clear();
  in.Begin();
  std::string text, error;
  if (!UndoRegText({kAutoBackupFile, kCustomBackupFile}, text, error)) throw Failure(error);
  if (!platform::ReplaceFileContents(file, text, error)) throw Failure(error);
  return 0;
}

int LastSetCommand(Invocation& in) {
  in.Begin();
  const std::string path = LastSetFilePath();
  if (path.empty()) throw Failure("the application-data folder of this user is unknown");
  if (!platform::FileExists(path)) return 0;
  Lines lines;
  std::string error;
  if (!LoadLines(path, lines, error)) throw Failure(error);
  for (const auto& line : lines) in.Out() << line << '\n';
  return 0;
}

int TakePosition(Invocation& in, const char* command) {
  if (in.args.size() != 1) throw UsageError(std::string(command) + " takes one class position 0 to 10");
  const auto position = ParseBandwidthClass(in.args.front());
  if (!position) throw UsageError("unknown class '" + in.args.front() + "'");
  in.args.clear();
  return *position;
}

// save-auto and save-custom: one class position, stored by `save`.
int SaveClassCommand(Invocation& in, const char* command, bool (*save)(int, std::string&)) {
  const int position = TakePosition(in, command);
  in.Begin();
  std::string error;
  if (!save(position, error)) throw Failure(error);
  return 0;
}

int SaveAutoCommand(Invocation& in) { return SaveClassCommand(in, "save-auto", SaveAutoClass); }
int SaveCustomCommand(Invocation& in) { return SaveClassCommand(in, "save-custom", SaveCustomClass); }

const Registrar kTcpCommands({
    {"window", "window --class C --mtu N", "print the TCP window for a class and an MTU", false, WindowCommand},
    {"auto-tcp", "auto-tcp --class C [--mtu N]",
     "the automatic TCP/IP pass (progress step 4); without --mtu the path MTU is measured,\n"
     "      with it N stands for the probe's answer (29 to 65535, or -1 for none)",
     true, AutoTcpCommand, kDryRunnable},
    {"show", "show", "what the custom TCP/IP page shows: ControlName=value per line", true, ShowCommand},
    {"custom-tcp", "custom-tcp --class C [ControlName=value ...]",
     "the custom TCP/IP pass over the page as shown, the class applied, then the overrides", true, CustomTcpCommand,
     kDryRunnable},
    {"restore-defaults", "restore-defaults", "reset the TCP/IP values to those of an untuned system", true,
     RestoreDefaultsCommand, kDryRunnable},
    {"restore-backup", "restore-backup FILE",
     "put back the state a registry backup file recorded (with the other mode's backup beside\n"
     "      RegBackUp.bk or CustomRegBackUp.bk); once all is back, the backups are kept as NAME.restored",
     true, RestoreBackupCommand, kDryRunnable},
    {"undo-file", "undo-file OUT.reg",
     "write a file for Windows' regedit that puts back the state from before Velomar first\n"
     "      changed the registry, from RegBackUp.bk and CustomRegBackUp.bk in this folder",
     false, UndoFileCommand},
    {"last-set", "last-set", "print the lines of LastSetBandWidth.vm", false, LastSetCommand},
    {"save-auto", "save-auto P", "store P as the last automatic class", false, SaveAutoCommand},
    {"save-custom", "save-custom P", "store P as the last custom class", false, SaveCustomCommand},
});

}  // namespace

}  // namespace velomar::cli
