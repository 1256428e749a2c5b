#include "forms/Unit_CustomOptimize.h"

#include <string>

#include "app/CustomLayout.h"
#include "app/OutcomeMessage.h"
#include "firefox/Unit_Firefox_Optimize.h"
#include "forms/LinkWiring.h"

namespace velomar {

using namespace custom_window;
using ui::Event;

namespace {
constexpr const char* kRecoverFirefoxOption = "RadioButton_FirefoxSetting";
}

TForm_Velomar_Custom::TForm_Velomar_Custom(TForm_Recover& recover)
    : TForm_Velomar_Custom(recover, SystemCustomServices()) {}

TForm_Velomar_Custom::TForm_Velomar_Custom(TForm_Recover& recover, CustomWindowServices services)
    : Form(CustomLayout()), recover_(recover), logic_(*this, std::move(services)) {
  if (!logic_.services.showRecoverWindow)
    logic_.services.showRecoverWindow = [this] {
      // The recover window is not translated; it tells its outcome in this window's words.
      CopyOutcomeTexts(*this, recover_);
      recover_.CenterOn(Handle());
      recover_.ShowModal(Handle());
    };
  if (!logic_.services.disableRecoverFirefox)
    logic_.services.disableRecoverFirefox = [this] { recover_.SetEnabled(kRecoverFirefoxOption, false); };
  Wire();
}

void TForm_Velomar_Custom::Wire() {
  CustomWindow* w = &logic_;
  OnCreate([w] { w->FormCreate(); });
  OnShow([w] { w->FormShow(); });
  On(kTimer, Event::Timer, [this] { EndPauseForDisplay(); });

  On("Button_TCP", Event::Click, [w] { w->Button_TCPClick(); });
  On("Button_Firefox", Event::Click, [w] { w->Button_FirefoxClick(); });
  On(kTcpCaption, Event::Click, [w] { w->Label_TCP_SettingsClick(); });
  On(kTcpNotSelect, Event::Click, [w] { w->Image_TCP_NotSelectClick(); });
  On(kTcpCaption, Event::MouseEnter, [w] { w->Label_TCP_SettingsMouseEnter(); });
  On(kTcpCaption, Event::MouseLeave, [w] { w->Label_TCP_SettingsMouseLeave(); });
  On(kFirefoxCaption, Event::Click, [w] { w->Label_Firefox_SettingsClick(); });
  On(kFirefoxNotSelect, Event::Click, [w] { w->Image_Firefox_NotSelectClick(); });
  On(kFirefoxCaption, Event::MouseEnter, [w] { w->Label_Firefox_SettingsMouseEnter(); });
  On(kFirefoxCaption, Event::MouseLeave, [w] { w->Label_Firefox_SettingsMouseLeave(); });
  WireLinks(*this, logic_.links);

  On(custom_tcp::kTrackBar, Event::Change, [w] { w->TrackBar_BandWidthChange(); });
  On(custom_tcp::kTrackBar, Event::Enter, [w] { w->TrackBar_BandWidthEnter(); });
  On(custom_tcp::kPppoe, Event::Click, [w] { w->CheckBox_PPPoEClick(); });
  On(custom_tcp::kAdapterNone, Event::Click, [w] { w->CheckBox_Adapter_NoneClick(); });
  On(kTcpRecommend, Event::Click, [w] { w->Button_TCP_RecommendClick(); });
  On(kTcpOptimize, Event::Click, [w] { w->Button_TCP_OptimizeClick(); });

  for (const auto& box : CustomPrefBoxes()) {
    const std::string name = box.checkBox;
    On(name, Event::Click, [w, name] { w->firefox.PreferenceBoxClick(name); });
  }
  On(custom_firefox_page::kMaxConnectionLabel, Event::Click, [w] { w->firefox.Label_N_H_MaxConectionClick(); });
  On(custom_firefox_page::kPerProxyLabel, Event::Click,
     [w] { w->firefox.Labe_N_H_PersistentConnections_PerProxyClick(); });
  On(kFirefoxRecommend, Event::Click, [w] { w->Button_FF_RecommendedClick(); });
  On(kFirefoxOptimize, Event::Click, [w] { w->Button_Firefox_OptimizeClick(); });
}

}  // namespace velomar
