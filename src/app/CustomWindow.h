#pragma once
// The custom window's logic, over the window-state seam: creation and
// showing, the picture tabs, the links, and the two optimise buttons with
// everything they lock while their pass runs. The pages (CustomTcpPage,
// CustomFirefoxPage) share the window's CustomUnitState.
#include <functional>
#include <optional>
#include <string>

#include "app/CustomFirefoxPage.h"
#include "app/CustomTcpPage.h"
#include "app/CustomUnitState.h"
#include "app/OutcomeMessage.h"
#include "app/WindowLinks.h"
#include "window/WindowState.h"

namespace velomar {

class MemoryWindow;

// What the window needs from elsewhere; tests put their own in.
struct CustomWindowServices {
  std::function<bool()> hasFirefoxProfileFolder;
  // The TCP/IP defaults, then Velomar's preferences out of user.js.
  std::function<RestoreOutcome()> restoreDefaults;
  std::function<void()> showRecoverWindow;      // the recover window, modally
  std::function<void()> disableRecoverFirefox;  // the recover window's Firefox option
};
// HasFirefoxProfileFolder, and RestoreTcpDefaults with ClearUserPrefsFile;
// the caller adds the recover window.
CustomWindowServices SystemCustomServices();

class CustomWindow {
 public:
  enum class Page { Tcp, Firefox };

  CustomWindow(WindowState& window, CustomWindowServices services);

  // Attaches the handlers below (and the pages' and links') to the window.
  void Wire();

  void FormCreate();
  void FormShow();

  // The picture tabs and the off-screen page buttons.
  void Button_TCPClick();
  void Button_FirefoxClick();
  void Label_TCP_SettingsClick() { SelectTab(Page::Tcp); }
  void Image_TCP_NotSelectClick() { SelectTab(Page::Tcp); }
  void Label_Firefox_SettingsClick() { SelectTab(Page::Firefox); }
  void Image_Firefox_NotSelectClick() { SelectTab(Page::Firefox); }
  void Label_TCP_SettingsMouseEnter();
  void Label_TCP_SettingsMouseLeave();
  void Label_Firefox_SettingsMouseEnter();
  void Label_Firefox_SettingsMouseLeave();

  // The TCP/IP page.
  void TrackBar_BandWidthChange() { tcp.TrackBar_BandWidthChange(); }
  void TrackBar_BandWidthEnter();
  void CheckBox_PPPoEClick() { tcp.CheckBox_PPPoEClick(); }
  void CheckBox_Adapter_NoneClick() { tcp.CheckBox_Adapter_NoneClick(); }
  void Button_TCP_RecommendClick() { tcp.Button_TCP_RecommendClick(); }
  // Converts the page first: a field that holds no number is named in a
  // message and nothing is written. Otherwise the custom TCP/IP pass runs
  // with everything that could start another pass or change its inputs
  // locked, and the finished message follows.
  void Button_TCP_OptimizeClick();

  // The Firefox page.
  void Button_FF_RecommendedClick() { firefox.Button_FF_RecommendedClick(); }
  void Button_Firefox_OptimizeClick();

  // The recover link: the recover window, modally.
  void ShowRecoverWindow();
  // The recover command of the recover picture: the TCP/IP defaults and
  // Velomar's preferences out of user.js, then the restore-finished
  // message, or what could not be reset.
  void RecoverCommand();

  WindowState& window;
  CustomWindowServices services;
  CustomUnitState unit;
  CustomTcpPage tcp{window, unit};
  CustomFirefoxPage firefox{window, unit};
  WindowLinks links;
  bool vistaOrLater = false;  // set by the main window before each showing
  Page selected = Page::Tcp;

 private:
  void SelectTab(Page page);
  void ReportBadNumber(const std::string& field);
};

// The window's designed state on an in-memory window, with the handlers
// that changes of state run (track bar, check boxes) wired.
void DesignCustomWindow(MemoryWindow& memory, CustomWindow& logic);

}  // namespace velomar
