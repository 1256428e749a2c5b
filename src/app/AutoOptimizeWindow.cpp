#include "app/AutoOptimizeWindow.h"

#include "app/RecoverChoice.h"
#include "app/UndoFileOffer.h"
#include "bandwidth/BandwidthClass.h"
#include "bandwidth/LastClassFile.h"
#include "firefox/AutoFirefoxPass.h"
#include "firefox/FirefoxBackups.h"
#include "firefox/PrefLines.h"
#include "firefox/WrittenPrefNames.h"
#include "lang/Translator.h"
#include "registry/DryRun.h"
#include "tcp/RegBackup.h"

namespace velomar {

using namespace auto_window;
using namespace auto_text;

// The picture and the caption are disabled while busy; the checks in their
// actions keep that so for input that reaches a disabled control all the same.
AutoOptimizeWindow::AutoOptimizeWindow(WindowState& window, PathMtuProvider& mtu)
    : window(window),
      links(window, busy,
            {[this] { UndoRuns(); },
             [this] {
               if (!busy) RecoverCommand();
             },
             [this] {
               if (!busy) BackupRestoreCommand();
             }}),
      mtu_(mtu) {}

void AutoOptimizeWindow::Wire() {
  window.On("", Event::Create, [this] { FormCreate(); });
  window.On(kTrackBar, Event::Change, [this] { TrackBar_BandWidthChange(); });
  window.On(kTrackBar, Event::Enter, [this] { TrackBar_BandWidthEnter(); });
  window.On(kButton, Event::Click, [this] { Button_AutoOptimizeClick(); });
  window.On(kPreview, Event::Click, [this] { Button_PreviewClick(); });
  window.On(kUndoFile, Event::Click, [this] { Button_UndoFileClick(); });
  links.Wire();
}

FirefoxProgressSteps AutoFirefoxSteps(std::int32_t sectionCount, bool tcpPassFollows) {
  const int scale = tcpPassFollows ? 1 : 2;
  // profiles.ini lists its [General] section besides the profiles.
  if (sectionCount == 2 || sectionCount == 3) {
    const auto preferences = static_cast<int>(CommonPrefs().size() + MachineClassPrefs(0).size());
    return {scale * kFirefoxShare / (preferences * (sectionCount - 1)), 0};
  }
  if (sectionCount <= 0) return {};
  return {0, scale * (kTcpProgressStart / sectionCount)};
}

FirefoxProgressPlan AutoFirefoxPlan(bool tcpPassFollows) {
  return [tcpPassFollows](std::int32_t sectionCount) { return AutoFirefoxSteps(sectionCount, tcpPassFollows); };
}

bool RunOutcome::Complete() const {
  return firefox.Complete() && (!tcp || (tcp->backupWritten && tcp->changes.Complete()));
}

OutcomeMessage RunWarnings(const MessageCatalogue& messages, const RunOutcome& outcome) {
  OutcomeMessage message(messages);
  message.AddFirefox(outcome.firefox);
  if (outcome.tcp) {
    message.AddBackup(*outcome.tcp);
    message.AddNotChanged(outcome.tcp->changes);
  }
  message.AddSaveFailure(outcome.saveError);
  return message;
}

const Message* RestartNotice(int registryChanges, int firefoxProfilesChanged) {
  if (registryChanges > 0) return &kRestartWindows;
  if (firefoxProfilesChanged > 0) return &kRestartFirefox;
  return nullptr;
}

// Keeps every control that could start a run or a restore from doing so
// while a pass or a restore handles messages, and gives them back however
// the handler ends. The help caption is held too, as the button's first
// step already takes it away.
class AutoOptimizeWindow::Hold {
 public:
  explicit Hold(AutoOptimizeWindow& w) : w_(w) {
    w_.busy = true;
    for (const char* name : kHeld) w_.window.SetEnabled(name, false);
  }
  ~Hold() {
    for (const char* name : kHeld) w_.window.SetEnabled(name, true);
    w_.busy = false;
  }
  Hold(const Hold&) = delete;
  Hold& operator=(const Hold&) = delete;

 private:
  static constexpr const char* kHeld[] = {kRecoverImage, kRecoverLink, kTrackBar, kButton, kPreview, kHelpLink};
  AutoOptimizeWindow& w_;
};

namespace {
// The progress bar, the animation and the step text stand where the status
// line stands while a run goes; they go again however the run ends.
class BusyLook {
 public:
  explicit BusyLook(WindowState& window) : window_(window) {
    window_.SetVisible(kStatus, false);
    window_.SetVisible(kPreview, false);  // where the bar stands
    window_.SetVisible(kUndoFile, false);
    window_.SetVisible(kAnimation, true);
    window_.SetAnimation(kAnimation, true, kAnimationSpeed);
    window_.SetVisible(kDoing, true);
  }
  ~BusyLook() {
    window_.SetVisible(kProgress, false);
    window_.SetAnimation(kAnimation, false, kAnimationSpeed);
    window_.SetVisible(kAnimation, false);
    window_.SetVisible(kDoing, false);
    window_.SetVisible(kStatus, true);
  }
  BusyLook(const BusyLook&) = delete;
  BusyLook& operator=(const BusyLook&) = delete;

 private:
  WindowState& window_;
};
}  // namespace

std::string AutoOptimizeWindow::ClassText(int position) const {
  return messages.Text(kBandOf) + " " + shortName.at(static_cast<std::size_t>(position)) + " " +
         messages.Text(kHasBeenOptimized);
}

std::string AutoOptimizeWindow::NotOptimizedText() const { return messages.Text(kNotOptimized); }

void AutoOptimizeWindow::SetButtonRole(ButtonRole role) {
  buttonRole = role;
  window.SetText(kButton, messages.Text(role == ButtonRole::Optimize ? kOptimize : kClose));
  // A preview is of a run still to come; after a run that saved the
  // registry, its undo file for regedit is offered in the same place.
  window.SetVisible(kPreview, role == ButtonRole::Optimize);
  window.SetVisible(kUndoFile, role == ButtonRole::Close && !vistaOrLater && HasUndoFileBackup());
}

void AutoOptimizeWindow::FormCreate() {
  busy = false;
  optimized = false;
  bandwidthKbps = 56;
  messages = ApplyWindowLanguage(window, kSection);
  shortName.clear();
  for (const auto& c : BandwidthClasses()) shortName.push_back(c.shortName);
  if (const auto stored = LoadAutoClass()) {
    lastAutoClass = *stored;
    window.SetPosition(kTrackBar, *stored);
    window.SetText(kStatus, ClassText(*stored));
  } else {
    window.SetText(kStatus, NotOptimizedText());
    lastAutoClass = -1;
  }
  SetButtonRole(ButtonRole::Optimize);
}

void AutoOptimizeWindow::TrackBar_BandWidthChange() {
  // A preview shows the run of the class it was made for.
  if (previewShown) {
    previewShown = false;
    window.ClearRows(kLog);
    ShowNotice(nullptr);
  }
  // The status line names the class of the last run, not the one under the slider.
  window.SetText(kStatus, BandwidthClassAt(lastAutoClass) ? ClassText(lastAutoClass) : NotOptimizedText());
  if (buttonRole == ButtonRole::Close) SetButtonRole(ButtonRole::Optimize);
  if (const BandwidthClass* c = BandwidthClassAt(window.Position(kTrackBar))) {
    window.SetText(kSpeedGroup, "  " + messages.Text(kSpeedName) + c->autoLabel);
    bandwidthKbps = c->bandwidthKbps;
  }
}

// The track bar is worked with the mouse; the keyboard focus goes to the
// window itself.
void AutoOptimizeWindow::TrackBar_BandWidthEnter() { window.Focus(""); }

void AutoOptimizeWindow::Button_AutoOptimizeClick() {
  busy = true;
  window.SetEnabled(kHelpLink, false);
  window.SetEnabled(kRecoverLink, false);
  if (buttonRole == ButtonRole::Close) {
    window.CloseWindow();
  } else {
    Run();
  }
  busy = false;
  window.SetEnabled(kHelpLink, true);
  window.SetEnabled(kRecoverLink, true);
  CloseIfAsked();
}

// What a run or a preview has to tell besides its rows: failures, with a
// warning, and what the profiles' Firefox no longer reads of what was written.
void AutoOptimizeWindow::TellRun(const RunOutcome& outcome) {
  OutcomeMessage told = RunWarnings(messages, outcome);
  const bool failed = !told.Empty();
  OutcomeMessage notes(messages);
  notes.AddFirefoxNotes(outcome.firefoxNotes);
  told.Append(notes);
  if (!told.Empty()) window.ShowMessage(told.Text(), "", failed ? MessageIcon::Warning : MessageIcon::Information);
}

// The log emptied, the bar at 0 and the window tall enough to show the log.
void AutoOptimizeWindow::PrepareRun() {
  previewShown = false;
  window.SetVisible(kNotice, false);
  window.ClearRows(kLog);
  window.SetPosition(kProgress, 0);
  Bounds frame = window.BoundsOf("");
  if (frame.height < kRunHeight) {
    frame.height = kRunHeight;
    window.SetBounds("", frame);
  }
  window.SetVisible(kProgress, true);
}

RunOutcome AutoOptimizeWindow::RunPasses(WindowProgress::Pacing pacing) {
  RunOutcome outcome;
  window.SetText(kDoing, "Firefox :");
  WindowProgress firefox(window, kPassControls, pacing);
  RunFirefoxPass(bandwidthKbps, AutoFirefoxPlan(!vistaOrLater), firefox, &outcome.firefox);
  if (const std::optional<bool> memoryBig = QueryMemoryBig())
    outcome.firefoxNotes = UnreadPrefsNotes(AutoPassPrefNames(MachineClassOf(*memoryBig, bandwidthKbps)));
  window.ScrollBy(kLog, window.RowCount(kLog));
  if (!vistaOrLater) {
    // The path MTU probe comes first and may take seconds.
    window.SetText(kDoing, messages.Text(kAnalysing));
    // The bar stood at 0 before the Firefox pass: whatever it moved, the
    // TCP/IP pass takes the rest from kTcpProgressStart at least.
    const int firefoxUnits = firefox.UnitsAdvanced();
    if (firefoxUnits != 0 && firefoxUnits < kTcpProgressStart) window.SetPosition(kProgress, kTcpProgressStart);
    WindowProgress tcp(window, kPassControls, pacing);
    outcome.tcp = AutoOptimizeTcp(bandwidthKbps, firefoxUnits == 0 ? kTcpStepAlone : kTcpStepAfterFirefox, tcp, mtu_);
  }
  window.ScrollBy(kLog, window.RowCount(kLog));
  return outcome;
}

// The run as Optimize would make it, inside a dry run: the same rows, the
// same warnings for what the run would meet, and nothing changed; the
// class is not remembered and the window has not optimised.
void AutoOptimizeWindow::Button_PreviewClick() {
  if (busy || buttonRole != ButtonRole::Optimize) return;
  {
    Hold hold(*this);
    BusyLook look(window);
    PrepareRun();
    RunOutcome outcome;
    {
      const ScopedDryRun dryRun;
      outcome = RunPasses(WindowProgress::Pacing::Unpaced);
    }
    TellRun(outcome);
    window.SetPosition(kProgress, kProgressEnd);
    window.SetText(kStatus, messages.Text(kPreviewStatus));
  }
  ShowNotice(&kPreviewNotice);
  SetButtonRole(ButtonRole::Optimize);
  previewShown = true;
  CloseIfAsked();
}

void AutoOptimizeWindow::Button_UndoFileClick() {
  if (!busy) OfferUndoFile(window, messages);
}

void AutoOptimizeWindow::Run() {
  RunOutcome outcome;
  {
    Hold hold(*this);
    BusyLook look(window);
    PrepareRun();
    optimized = true;
    outcome = RunPasses(WindowProgress::Pacing::Paced);
    const int position = window.Position(kTrackBar);
    SaveAutoClass(position, outcome.saveError);
    TellRun(outcome);
    lastAutoClass = position;
    window.SetPosition(kProgress, kProgressEnd);
    // The status line claims the class only for a run that changed all it meant to.
    window.SetText(kStatus, outcome.Complete() ? ClassText(position) : messages.Text(kNotFullyOptimized));
  }
  ShowNotice(RestartNotice(outcome.tcp ? outcome.tcp->changes.changed : 0, outcome.firefox.profilesChanged));
  SetButtonRole(ButtonRole::Close);
}

void AutoOptimizeWindow::ShowNotice(const Message* notice) {
  if (notice) window.SetText(kNotice, messages.Text(*notice));
  window.SetVisible(kNotice, notice != nullptr);
}

void AutoOptimizeWindow::RecoverCommand() {
  const RestoreOutcome outcome = ResetToDefaults();
  window.ShowMessage(RestoreMessage(messages, auto_text::kDefaultsRestored, outcome), window.Text(kRecoverLink),
                     outcome.Complete() ? MessageIcon::Information : MessageIcon::Warning);
  SetButtonRole(ButtonRole::Optimize);
}

RestoreOutcome AutoOptimizeWindow::BackupRestoreCommand() {
  RestoreOutcome outcome;
  {
    // The Firefox restore handles messages while its worker copies.
    Hold hold(*this);
    RestoreFirefoxBackup(&outcome.firefox);
    outcome.registry = RestoreRegBackup(kRegistryBackup);
  }
  window.ShowMessage(RestoreMessage(messages, outcome_text::kRecoverFinished, outcome), "",
                     outcome.Complete() ? MessageIcon::None : MessageIcon::Warning);
  CloseIfAsked();
  return outcome;
}

void AutoOptimizeWindow::CloseRequest() {
  if (busy)
    closeAsked_ = true;
  else
    window.CloseWindow();
}

void AutoOptimizeWindow::CloseIfAsked() {
  if (!closeAsked_ || busy) return;
  closeAsked_ = false;
  window.CloseWindow();
}

// The hot zone covers the whole link, picture and caption, so that its
// click is the only one the user can make there: it puts back what the
// runs saved before their first change (the reset to the system's defaults
// stays with the main window's link). Undone, the button optimises again,
// and no class counts as optimised any more, this start or the next.
void AutoOptimizeWindow::UndoRuns() {
  const RestoreOutcome outcome = BackupRestoreCommand();
  if (outcome.Complete()) {
    lastAutoClass = -1;
    std::string error;
    if (!SaveAutoClass(lastAutoClass, error)) {
      OutcomeMessage message(messages);
      message.AddSaveFailure(error);
      window.ShowMessage(message.Text(), "", MessageIcon::Warning);
    }
  }
  window.SetText(kStatus, messages.Text(outcome.Complete() ? kSettingsRestored : kNotFullyRestored));
  ShowNotice(RestartNotice(outcome.registry.changes.changed, outcome.firefox.profilesChanged));
  SetButtonRole(ButtonRole::Optimize);
}

}  // namespace velomar
