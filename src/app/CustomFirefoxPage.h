#pragma once
// The custom window's Firefox page logic, over the window-state seam: the
// 24 preference boxes and the check-all box, the recommended settings and
// the custom Firefox pass.
#include <string>
#include <string_view>
#include <vector>

#include "app/CustomUnitState.h"
#include "app/WindowProgress.h"
#include "firefox/FirefoxProgress.h"
#include "window/WindowState.h"

namespace velomar {

namespace custom_firefox_page {
inline constexpr const char* kCheckAll = "CheckBox_CheckAll";
inline constexpr const char* kProgress = "ProgressBar_FF";
// The custom pass shows its progress on the bar alone.
inline constexpr ProgressControls kPassControls{nullptr, kProgress, nullptr};
inline constexpr int kProgressMaximum = 96;
inline constexpr const char* kPageControl = "PageControl_Firefox";
inline constexpr const char* kOptimize = "Button_Firefox_Optimize";
inline constexpr const char* kRecommended = "Button_FF_Recommended";
inline constexpr const char* kRecover = "Label_Recover";
inline constexpr const char* kGetHelp = "Label_GetHelp";
inline constexpr const char* kTrackBar = "TrackBar_BandWidth";
inline constexpr const char* kMaxConnectionLabel = "Label_N_H_MaxConection";
inline constexpr const char* kPerProxyLabel = "Labe_N_H_PersistentConnections_PerProxy";
inline constexpr const char* kMaxConnectionBox = "CheckBox_N_H_MaxConection";
inline constexpr const char* kPerProxyBox = "CheckBox_N_H_PersistentConnections_PerProxy";
}  // namespace custom_firefox_page

// How the custom pass moves the page's bar: one profile (two sections in
// profiles.ini) fills it box by box, two profiles fill it together; with
// more the bar stays where it is.
FirefoxProgressSteps CustomFirefoxSteps(std::int32_t sectionCount);

// One of the page's 24 preference boxes and the tab it stands on. The boxes
// offer the custom pass's choices (CustomPrefChoices()), in their order.
struct CustomPrefBox {
  const char* checkBox;
  const char* tab;
};
const std::vector<CustomPrefBox>& CustomPrefBoxes();
// The choices the checked boxes take, as the custom pass wants them.
std::vector<bool> ChosenPrefs(const WindowState& window);

class CustomFirefoxPage {
 public:
  CustomFirefoxPage(WindowState& window, CustomUnitState& unit) : window(window), unit(unit) {}

  // Attaches the page's own handlers: the 24 boxes and the two captions
  // that act on theirs.
  void Wire();

  // Checks all 24 preference boxes; the check-all box stays as it is.
  void Button_FF_RecommendedClick();
  // Any of the 24 boxes: unchecking one unchecks the check-all box.
  void PreferenceBoxClick(std::string_view checkBox);
  // The two captions that act on their boxes.
  void Label_N_H_MaxConectionClick();
  void Labe_N_H_PersistentConnections_PerProxyClick();
  // The custom Firefox pass: remembers the class, disables the page while
  // it backs up and writes every profile, then tells the user in a message
  // box of the window, with the profiles where Firefox must be restarted
  // (and warns of files it could not read or write). True when profiles.ini
  // was there and every file could be read and written.
  bool Button_Firefox_OptimizeClick();

  WindowState& window;
  CustomUnitState& unit;  // MemoryBig, BandwidthKbps, Busy and Optimized, shared with the TCP/IP page

 private:
  void ToggleFromCaption(const char* checkBox);
};

}  // namespace velomar
