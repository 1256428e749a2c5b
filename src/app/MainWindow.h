#pragma once
// The main window's layout and logic: the introduction, the live traffic
// graph, the choice between the automatic and the custom mode, and the
// recover and help links. Works on any window-state; the real window is
// MainForm (forms/MainForm.h), which hands in the two mode
// windows and what the logic needs of the system.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "firefox/FirefoxReport.h"
#include "lang/MessageCatalogue.h"
#include "tcp/TcpSteps.h"
#include "window/Drawing.h"
#include "window/Layout.h"
#include "window/WindowState.h"

namespace velomar {

namespace main_window {
inline constexpr const char* kClassName = "TForm_Velomar_Main";
inline constexpr const char* kSection = "Velomar_Main";
// What a second start of the program sends the first one (WM_USER + 155).
inline constexpr unsigned kRestoreInstanceMessage = 0x49B;
// The outer frame the window gets back after a mode window returns.
inline constexpr int kReturnWidth = 447;
inline constexpr int kReturnHeight = 522;

inline constexpr const char* kGo = "Button_Go";
inline constexpr const char* kCancel = "Button_Cancel";
inline constexpr const char* kAutoChoice = "RadioButton_AutoOptimize";
inline constexpr const char* kCustomChoice = "RadioButton_CustomOptimize";
inline constexpr const char* kRecoverZone = "Label1";
inline constexpr const char* kHelpZone = "Label2";
inline constexpr const char* kRecoverText = "Label_Recover";
inline constexpr const char* kHelpText = "Label_GetHelp";
inline constexpr const char* kRecoverPicture = "Image_Recover";
inline constexpr const char* kHelpPicture = "Image_Help";
inline constexpr const char* kGraph = "Image_NetSpeed";
inline constexpr const char* kGraphTimer = "Timer_net_speed";
}  // namespace main_window

FormLayout MainLayout();

// A mode window (automatic or custom) as the OK button shows it: moved,
// prepared, shown modally in the main window's place, then asked whether
// it optimised.
class ModeWindow {
 public:
  virtual ~ModeWindow() = default;
  // The outer frame on the screen.
  virtual Bounds Frame() const = 0;
  virtual void MoveTo(int left, int top) = 0;
  virtual void SetVistaOrLater(bool value) = 0;
  virtual void ClearOptimized() = 0;
  // Returns when the window has closed.
  virtual void ShowModal() = 0;
  virtual bool Optimized() const = 0;
};

// The traffic sampler with the graph's state: the first frame when it is
// created, then one frame per timer tick.
class TrafficGraphSource {
 public:
  virtual ~TrafficGraphSource() = default;
  virtual Drawing FirstFrame() = 0;
  virtual Drawing NextFrame() = 0;
};

// What the main window reaches outside itself; tests put their own in.
struct MainWindowServices {
  std::function<int()> windowsMajorVersion;
  std::function<bool()> firefoxInstalled;
  std::function<RegChanges()> restoreTcpDefaults;
  // Velomar's preferences out of user.js where a backup exists.
  std::function<FirefoxReport()> clearUserPrefsFile;
  // Creates the sampler; it measures from this moment on.
  std::function<std::unique_ptr<TrafficGraphSource>()> startTrafficGraph;
  // The window's border, which the seam does not carry.
  std::function<void(BorderStyle)> setBorder;
};

// The system's version, Firefox profiles, restores and traffic counters;
// the border is the caller's to add.
MainWindowServices SystemMainWindowServices();

class MainWindow {
 public:
  MainWindow(WindowState& window, MainWindowServices services, ModeWindow& automatic, ModeWindow& custom);

  // Attaches the handlers below to the window.
  void Wire();

  void FormCreate();
  // Shows the chosen mode window in this window's place; ends the program
  // when it optimised.
  void Button_GoClick();
  void Button_CancelClick();
  // The recover link: the hot zone and the picture beneath it.
  void RecoverZoneClick();
  void Image_RecoverClick();
  void RecoverZoneMouseEnter();
  void RecoverZoneMouseLeave();
  // The help link: the hot zone, its text and its picture.
  void HelpZoneClick();
  void Label_GetHelpClick();
  void Image_HelpClick();
  void HelpZoneMouseEnter();
  void HelpZoneMouseLeave();
  void Timer_net_speedTimer();

  bool vistaOrLater = false;
  bool hasFirefox = true;

 private:
  bool RecoverEnabled() const;

  WindowState& window_;
  MainWindowServices services_;
  ModeWindow& automatic_;
  ModeWindow& custom_;
  MessageCatalogue messages_;
  std::unique_ptr<TrafficGraphSource> graph_;
};

}  // namespace velomar
