#pragma once
// The automatic optimisation window: its layout and its logic over the
// window-state seam. The user picks a bandwidth class and presses one
// button; the Firefox pass runs, then (before Windows Vista) the TCP/IP
// pass, every change appearing as a row of the log. Two links undo a run.
// The Win32 window is AutoOptimizeForm (forms/AutoOptimizeForm.h).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/OutcomeMessage.h"
#include "app/WindowLinks.h"
#include "app/WindowProgress.h"
#include "firefox/FirefoxProgress.h"
#include "firefox/FirefoxReport.h"
#include "mtu/PathMtuProvider.h"
#include "tcp/TcpPasses.h"
#include "window/Layout.h"
#include "window/WindowState.h"

namespace velomar {

namespace auto_window {
inline constexpr const char* kSection = "Velomar_AutoOptimize";
inline constexpr const char* kRegistryBackup = "RegBackUp.bk";

inline constexpr const char* kTrackBar = "TrackBar_BandWidth";
inline constexpr const char* kSpeedGroup = "GroupBox_Speed";
inline constexpr const char* kButton = "Button_AutoOptimize";
inline constexpr const char* kPreview = "Button_Preview";
inline constexpr const char* kUndoFile = "Button_UndoFile";
inline constexpr const char* kStatus = "Label_ProcessState";
inline constexpr const char* kDoing = "Label_Doing";
inline constexpr const char* kProgress = "ProgressBar_Optimize";
inline constexpr const char* kLog = "ListView_Log";
// What the passes of a run drive: the step text, the bar and the log.
inline constexpr ProgressControls kPassControls{kDoing, kProgress, kLog};
inline constexpr const char* kAnimation = "Image_Animation";
inline constexpr const char* kNotice = "Label_Notice";
inline constexpr const char* kRecoverLink = links::kRecoverLabel;
inline constexpr const char* kRecoverImage = links::kRecoverImage;
inline constexpr const char* kHelpLink = links::kHelpLabel;
inline constexpr const char* kTimer = "Timer_Show";

// The bar's budget. The Firefox pass moves it first (AutoFirefoxSteps): one
// or two profiles fill kFirefoxShare units (twice that when no TCP/IP pass
// follows); with another number of sections in profiles.ini each profile
// adds its part of kTcpProgressStart. The TCP/IP pass then moves it 24 times
// by its step and once by 2: by 4 from 0 (to 98) when the Firefox pass moved
// nothing, else by 2 from kTcpProgressStart at least. The run ends at
// kProgressEnd.
inline constexpr int kProgressEnd = 110;
inline constexpr int kFirefoxShare = 54;
inline constexpr int kTcpProgressStart = 52;
inline constexpr int kTcpStepAlone = 4;
inline constexpr int kTcpStepAfterFirefox = 2;
// The outer height that brings the log list into view.
inline constexpr int kRunHeight = 510;
// The busy animation at ten times its stored pace, the fastest there is.
inline constexpr int kAnimationSpeed = 1000;
}  // namespace auto_window

FormLayout AutoOptimizeLayout();

// How the automatic Firefox pass moves the bar for the sections of
// profiles.ini: one or two profiles share kFirefoxShare by preference,
// doubled when no TCP/IP pass follows.
FirefoxProgressSteps AutoFirefoxSteps(std::int32_t sectionCount, bool tcpPassFollows);
FirefoxProgressPlan AutoFirefoxPlan(bool tcpPassFollows);

// What a run has to tell the user besides its log rows.
struct RunOutcome {
  FirefoxReport firefox;
  std::optional<PassReport> tcp;  // the TCP/IP pass ran and this is how it went
  std::string saveError;          // the class could not be remembered
  // What each profile's Firefox no longer reads of the preferences written.
  std::vector<ProfileNote> firefoxNotes;
  // Every file and value the run meant to change was changed.
  bool Complete() const;
};

// Failures the user must know of before the run ends (a message box);
// empty when there are none.
OutcomeMessage RunWarnings(const MessageCatalogue& messages, const RunOutcome& outcome);
// The restart the changes wait for; none when nothing was changed. Windows
// reads the TCP/IP values only when it starts; a restart of Windows
// restarts Firefox too.
const Message* RestartNotice(int registryChanges, int firefoxProfilesChanged);

class AutoOptimizeWindow {
 public:
  AutoOptimizeWindow(WindowState& window, PathMtuProvider& mtu);

  // Attaches the handlers below (and the links') to the window.
  void Wire();

  void FormCreate();
  void TrackBar_BandWidthChange();
  void TrackBar_BandWidthEnter();
  void Button_AutoOptimizeClick();
  // Fills the log with the rows Optimize would write for the class under
  // the slider, and changes nothing.
  void Button_PreviewClick();
  // After a run: the undo file for regedit.
  void Button_UndoFileClick();
  // The title bar's close: while a run or a restore is going it waits for
  // the handler to return, since that handler still drives the window.
  void CloseRequest();

  // The status line's class text for a position, and the not-optimised text.
  std::string ClassText(int position) const;
  std::string NotOptimizedText() const;

  // What the button does: optimise, or, after a run, close the window.
  enum class ButtonRole { Optimize, Close };

  WindowState& window;
  MessageCatalogue messages;  // in the window's language, from FormCreate on
  ButtonRole buttonRole = ButtonRole::Optimize;
  bool previewShown = false;  // the log holds a preview; moving the slider clears it
  bool vistaOrLater = false;
  bool optimized = false;
  bool busy = false;
  std::int32_t bandwidthKbps = 56;
  int lastAutoClass = -1;
  std::vector<std::string> shortName;
  // The recover and help links: the hot zone over the recover link puts
  // back what the runs saved, the picture resets to the system's defaults.
  WindowLinks links;

 private:
  class Hold;
  void Run();
  void PrepareRun();
  RunOutcome RunPasses(WindowProgress::Pacing pacing);
  void TellRun(const RunOutcome& outcome);
  void SetButtonRole(ButtonRole role);
  void ShowNotice(const Message* notice);
  void RecoverCommand();
  RestoreOutcome BackupRestoreCommand();
  void UndoRuns();
  void CloseIfAsked();

  PathMtuProvider& mtu_;
  bool closeAsked_ = false;
};

}  // namespace velomar
