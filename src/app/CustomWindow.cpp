#include "app/CustomWindow.h"

#include <utility>
#include <vector>

#include "app/CustomLayout.h"
#include "bandwidth/LastClassFile.h"
#include "firefox/FirefoxProfiles.h"
#include "firefox/PrefLines.h"
#include "lang/Translator.h"
#include "platform/System.h"
#include "window/MemoryWindow.h"

namespace velomar {

using namespace custom_window;

namespace {

// Everything that could start another pass or a restore, or change what a
// running pass reads, on either page.
const std::vector<const char*>& LockedDuringPass() {
  static const std::vector<const char*> kLocked = [] {
    std::vector<const char*> names = {
        custom_tcp::kTrackBar, kTcpRecommend,    kFirefoxRecommend, kCheckAll,         kTcpSelect,
        kTcpNotSelect,         kTcpCaption,      kFirefoxSelect,    kFirefoxNotSelect, kFirefoxCaption,
        kTcpOptimize,          kFirefoxOptimize, kTcpPages,         kFirefoxPages};
    names.insert(names.end(), links::kAll.begin(), links::kAll.end());
    return names;
  }();
  return kLocked;
}

// Disables a set of controls while it lives and gives each back the state it
// had, however the pass ends: a control that was disabled before (a tab
// without its page) stays disabled.
class Locked {
 public:
  Locked(WindowState& window, const std::vector<const char*>& names) : window_(window) {
    for (const char* name : names) {
      saved_.emplace_back(name, window_.Enabled(name));
      window_.SetEnabled(name, false);
    }
  }
  ~Locked() {
    for (const auto& [name, enabled] : saved_) window_.SetEnabled(name, enabled);
  }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;

 private:
  WindowState& window_;
  std::vector<std::pair<const char*, bool>> saved_;
};

// The TCP/IP pass's own controls: the recover and help captions, the page
// and its button off, the progress bar shown at 0; all back at the end.
class TcpPassRunning {
 public:
  TcpPassRunning(WindowState& window, CustomUnitState& unit) : window_(window), unit_(unit) {
    unit_.busy = true;
    for (const char* name : kControls) window_.SetEnabled(name, false);
    window_.SetPosition(custom_tcp::kProgress, 0);
    window_.SetVisible(custom_tcp::kProgress, true);
  }
  ~TcpPassRunning() {
    window_.SetEnabled(kTcpPages, true);
    window_.SetEnabled(kTcpOptimize, true);
    window_.SetVisible(custom_tcp::kProgress, false);
    for (const char* name : {links::kRecoverZone, links::kRecoverImage, links::kRecoverLabel, links::kHelpLabel})
      window_.SetEnabled(name, true);
    unit_.busy = false;
  }
  TcpPassRunning(const TcpPassRunning&) = delete;
  TcpPassRunning& operator=(const TcpPassRunning&) = delete;

 private:
  static constexpr const char* kControls[] = {
      links::kHelpLabel, links::kRecoverLabel, links::kRecoverZone, links::kRecoverImage, kTcpPages, kTcpOptimize};
  WindowState& window_;
  CustomUnitState& unit_;
};

// While the Firefox pass runs its progress bar stands where the check-all
// box and the recommended button are.
class ChoiceRowHidden {
 public:
  explicit ChoiceRowHidden(WindowState& window) : window_(window) {
    for (const char* name : kRow) window_.SetVisible(name, false);
  }
  ~ChoiceRowHidden() {
    for (const char* name : kRow) window_.SetVisible(name, true);
  }
  ChoiceRowHidden(const ChoiceRowHidden&) = delete;
  ChoiceRowHidden& operator=(const ChoiceRowHidden&) = delete;

 private:
  static constexpr const char* kRow[] = {kCheckAll, kFirefoxRecommend};
  WindowState& window_;
};

}  // namespace

CustomWindowServices SystemCustomServices() {
  CustomWindowServices s;
  s.hasFirefoxProfileFolder = [] { return HasFirefoxProfileFolder(); };
  s.restoreDefaults = ResetToDefaults;
  return s;
}

CustomWindow::CustomWindow(WindowState& window, CustomWindowServices services)
    : window(window),
      services(std::move(services)),
      links(window, unit.busy,
            // The recover link opens the recover window, which puts back what
            // this window's passes saved; the picture keeps the defaults reset.
            {[this] { ShowRecoverWindow(); }, [this] { RecoverCommand(); }, [this] { ShowRecoverWindow(); }}) {}

void CustomWindow::Wire() {
  window.On("", Event::Create, [this] { FormCreate(); });
  window.On("", Event::Show, [this] { FormShow(); });
  window.On(kTcpCaption, Event::Click, [this] { Label_TCP_SettingsClick(); });
  window.On(kTcpNotSelect, Event::Click, [this] { Image_TCP_NotSelectClick(); });
  window.On(kTcpCaption, Event::MouseEnter, [this] { Label_TCP_SettingsMouseEnter(); });
  window.On(kTcpCaption, Event::MouseLeave, [this] { Label_TCP_SettingsMouseLeave(); });
  window.On(kFirefoxCaption, Event::Click, [this] { Label_Firefox_SettingsClick(); });
  window.On(kFirefoxNotSelect, Event::Click, [this] { Image_Firefox_NotSelectClick(); });
  window.On(kFirefoxCaption, Event::MouseEnter, [this] { Label_Firefox_SettingsMouseEnter(); });
  window.On(kFirefoxCaption, Event::MouseLeave, [this] { Label_Firefox_SettingsMouseLeave(); });
  links.Wire();
  tcp.Wire();
  window.On(custom_tcp::kTrackBar, Event::Enter, [this] { TrackBar_BandWidthEnter(); });
  window.On(kTcpRecommend, Event::Click, [this] { Button_TCP_RecommendClick(); });
  window.On(kTcpOptimize, Event::Click, [this] { Button_TCP_OptimizeClick(); });
  firefox.Wire();
  window.On(kFirefoxRecommend, Event::Click, [this] { Button_FF_RecommendedClick(); });
  window.On(kFirefoxOptimize, Event::Click, [this] { Button_Firefox_OptimizeClick(); });
}

void CustomWindow::FormCreate() {
  unit.busy = false;
  unit.messages = ApplyWindowLanguage(window, kSection);
  AlignFieldLabels(window);
  selected = Page::Tcp;
  tcp.BuildNetworkCardList();
  tcp.FillSwitchCombos();
  unit.bandwidthKbps = 56;
  // A query that fails without telling why ends the creation here.
  const auto memoryBig = QueryMemoryBig();
  unit.memoryBig = memoryBig.value_or(false);
  if (!memoryBig) return;
  StackFirefoxRows(window);
}

void CustomWindow::FormShow() {
  if (services.hasFirefoxProfileFolder && services.hasFirefoxProfileFolder()) {
    firefox.Button_FF_RecommendedClick();
  } else {
    // Nothing enables these again: the Firefox tab stays closed for the run.
    window.SetEnabled(kFirefoxCaption, false);
    window.SetEnabled(kFirefoxNotSelect, false);
    if (services.disableRecoverFirefox) services.disableRecoverFirefox();
  }
  if (!vistaOrLater) ReadCurrentTcpSettings(tcp);
  // The whole tab, not only its page: after a showing that ended on the
  // Firefox page the pictures would otherwise name the other page.
  SelectTab(Page::Tcp);
  if (vistaOrLater) {
    for (const char* name : {kTcpCaption, kTcpNotSelect, kTcpSelect}) window.SetEnabled(name, false);
    window.SetItemIndex(kMainPages, kFirefoxPage);
    Image_Firefox_NotSelectClick();
  }
}

void CustomWindow::Button_TCPClick() { window.SetItemIndex(kMainPages, kTcpPage); }
void CustomWindow::Button_FirefoxClick() { window.SetItemIndex(kMainPages, kFirefoxPage); }

// The chosen tab's picture and bold caption, the other's plain ones, and
// its page.
void CustomWindow::SelectTab(Page page) {
  selected = page;
  const bool tcp = page == Page::Tcp;
  window.SetVisible(kTcpSelect, tcp);
  window.SetVisible(kTcpNotSelect, !tcp);
  window.SetVisible(kFirefoxNotSelect, tcp);
  window.SetVisible(kFirefoxSelect, !tcp);
  window.SetBold(kTcpCaption, tcp);
  window.SetBold(kFirefoxCaption, !tcp);
  if (tcp)
    Button_TCPClick();
  else
    Button_FirefoxClick();
}

// Hovering makes the other tab's caption bold; the chosen tab's caption
// stays as it is.
void CustomWindow::Label_TCP_SettingsMouseEnter() {
  if (selected == Page::Firefox && window.Enabled(kTcpCaption)) window.SetBold(kTcpCaption, true);
}
void CustomWindow::Label_TCP_SettingsMouseLeave() {
  if (selected == Page::Firefox) window.SetBold(kTcpCaption, false);
}
void CustomWindow::Label_Firefox_SettingsMouseEnter() {
  if (selected == Page::Tcp && window.Enabled(kFirefoxNotSelect)) window.SetBold(kFirefoxCaption, true);
}
void CustomWindow::Label_Firefox_SettingsMouseLeave() {
  if (selected == Page::Tcp) window.SetBold(kFirefoxCaption, false);
}

// The track bar is worked with the mouse; the keyboard focus goes to the
// window itself.
void CustomWindow::TrackBar_BandWidthEnter() { window.Focus(""); }

void CustomWindow::Button_TCP_OptimizeClick() {
  CustomTcpSettings settings;
  try {
    settings = tcp.Settings();
  } catch (const FieldConversionError& e) {
    ReportBadNumber(e.field());
    return;
  }
  OutcomeMessage warnings(unit.messages);
  {
    Locked locked(window, LockedDuringPass());
    TcpPassRunning running(window, unit);
    std::string saveError;
    SaveCustomClass(window.Position(custom_tcp::kTrackBar), saveError);
    unit.optimized = true;
    const PassReport report = tcp.RunPass(settings);
    warnings.AddBackup(report);
    warnings.AddNotChanged(report.changes);
    warnings.AddSaveFailure(saveError);
    // The finished message only for a pass that changed all it meant to.
    if (report.backupWritten && report.changes.Complete())
      window.ShowMessage(unit.messages.Text(custom_text::kTcpDone), window.Text(kTcpOptimize),
                         MessageIcon::Information);
  }
  if (!warnings.Empty()) window.ShowMessage(warnings.Text(), window.Text(kTcpOptimize), MessageIcon::Warning);
}

void CustomWindow::ReportBadNumber(const std::string& field) {
  std::string text = unit.messages.Text(custom_text::kNotANumber);
  const std::string name = FieldCaption(window, field);
  if (const auto at = text.find("%s"); at != std::string::npos)
    text.replace(at, 2, name);
  else
    text += " (" + name + ")";
  window.ShowMessage(text, window.Text(kTcpOptimize), MessageIcon::Warning);
}

void CustomWindow::Button_Firefox_OptimizeClick() {
  Locked locked(window, LockedDuringPass());
  ChoiceRowHidden hidden(window);
  firefox.Button_Firefox_OptimizeClick();
}

void CustomWindow::ShowRecoverWindow() {
  if (services.showRecoverWindow) services.showRecoverWindow();
}

void CustomWindow::RecoverCommand() {
  const RestoreOutcome outcome = services.restoreDefaults ? services.restoreDefaults() : RestoreOutcome{};
  window.ShowMessage(RestoreMessage(unit.messages, kDefaultsRestored, outcome), window.Text(links::kRecoverLabel),
                     outcome.Complete() ? MessageIcon::Information : MessageIcon::Warning);
}

void DesignCustomWindow(MemoryWindow& memory, CustomWindow& logic) {
  DesignMemoryWindow(memory, CustomLayout());
  logic.Wire();
}

}  // namespace velomar
