#include "app/MainWindow.h"

#include "app/OutcomeMessage.h"
#include "lang/Translator.h"

namespace velomar {

using namespace main_window;

FormLayout MainLayout() {
  using namespace layout;
  FormLayout f;
  f.className = kClassName;
  f.caption = "Velomar";
  f.clientWidth = 450;
  f.clientHeight = 488;
  f.fontHeight = 13;
  f.color = Rgb(230, 230, 230);
  f.minimizeBox = true;
  f.quitOnClose = true;
  const char* main = "Panel_Main";
  const char* net = "GroupBox_NetState";
  const char* choice = "GroupBox_OptimizeChoice";
  // clang-format off
  f.components = {
      Panel("Panel_Main",                              {0, 0, 457, 489}),
      Label("Label_Main_Title",                        {91, 8, 171, 23}, "Velomar").In(main).Font(19).Bold().FontColor(Rgb(10, 78, 146)).FixedSize(),
      Label("Label_Main_Intreducetion",                {91, 37, 310, 0}, "Velomar tunes the network settings of Windows and Firefox to the speed of your internet connection, so that web pages load faster and downloads use the whole line.").In(main).Font(11).FontColor(Rgb(0, 0, 0)).WordWrap(),
      Image("Image_Icon",                              {16, 2, 64, 64}).In(main).Picture("Program").Stretch(),
      // The pictures lie behind the link texts, the hot zones above both.
      Image("Image_Recover",                           {295, 10, 60, 15}).In(main).Picture("RecoverLink").HandCursor(),
      Label("Label_Recover",                           {312, 10, 0, 0}, "Reset").In(main).Font(12).Transparent().HandCursor(),
      Image("Image_Help",                              {365, 10, 67, 16}).In(main).Picture("HelpLink").HandCursor(),
      Label("Label_GetHelp",                           {384, 10, 0, 0}, "Help").In(main).Font(12).Transparent().HandCursor(),
      Label("Label1",                                  {292, 8, 70, 19}).In(main).Transparent().FixedSize().HandCursor(),
      Label("Label2",                                  {362, 9, 77, 19}).In(main).Transparent().FixedSize().HandCursor(),
      GroupBox("GroupBox_NetState",                    {16, 98, 413, 136}, "Network usage").In(main).Bold(),
      Image("Image_NetSpeed",                          {16, 28, 382, 88}).In(net),
      GroupBox("GroupBox_OptimizeChoice",              {16, 244, 413, 196}, "How do you want to optimize?").In(main).Bold(),
      RadioButton("RadioButton_AutoOptimize",          {29, 29, 252, 17}, "Automatic (recommended)").In(choice).Bold().Checked(),
      Label("Label_Main_AutoIntroduce",                {44, 52, 338, 0}, "Choose the speed of your connection and Velomar sets the best values for it in one click. This suits most users.").In(choice).WordWrap(),
      RadioButton("RadioButton_CustomOptimize",        {29, 107, 252, 17}, "Custom (expert)").In(choice).Bold(),
      Label("Label_Main_ExpertAutoIntroduce",          {44, 130, 338, 0}, "See the current values, take the recommended ones or enter your own, and apply only the settings you tick.").In(choice).WordWrap(),
      Button("Button_Go",                              {260, 450, 75, 25}, "OK").In(main),
      Button("Button_Cancel",                          {353, 450, 75, 25}, "Exit").In(main),
      Timer("Timer_net_speed",                         1000),
  };
  // clang-format on
  return f;
}

MainWindow::MainWindow(WindowState& window, MainWindowServices services, ModeWindow& automatic, ModeWindow& custom)
    : window_(window), services_(std::move(services)), automatic_(automatic), custom_(custom) {}

void MainWindow::Wire() {
  window_.On("", Event::Create, [this] { FormCreate(); });
  window_.On(kGo, Event::Click, [this] { Button_GoClick(); });
  window_.On(kCancel, Event::Click, [this] { Button_CancelClick(); });
  window_.On(kRecoverZone, Event::Click, [this] { RecoverZoneClick(); });
  window_.On(kRecoverZone, Event::MouseEnter, [this] { RecoverZoneMouseEnter(); });
  window_.On(kRecoverZone, Event::MouseLeave, [this] { RecoverZoneMouseLeave(); });
  window_.On(kRecoverPicture, Event::Click, [this] { Image_RecoverClick(); });
  window_.On(kHelpZone, Event::Click, [this] { HelpZoneClick(); });
  window_.On(kHelpZone, Event::MouseEnter, [this] { HelpZoneMouseEnter(); });
  window_.On(kHelpZone, Event::MouseLeave, [this] { HelpZoneMouseLeave(); });
  window_.On(kHelpText, Event::Click, [this] { Label_GetHelpClick(); });
  window_.On(kHelpPicture, Event::Click, [this] { Image_HelpClick(); });
  window_.On(kGraphTimer, Event::Timer, [this] { Timer_net_speedTimer(); });
}

void MainWindow::FormCreate() {
  vistaOrLater = false;
  hasFirefox = true;
  if (services_.windowsMajorVersion() > 5) vistaOrLater = true;
  if (!services_.firefoxInstalled()) hasFirefox = false;
  graph_ = services_.startTrafficGraph();
  window_.SetDrawing(kGraph, graph_->FirstFrame());
  messages_ = ApplyWindowLanguage(window_, kSection, /*createDataFolder=*/true);
  if (vistaOrLater && !hasFirefox) {
    window_.SetEnabled(kGo, false);
    window_.SetEnabled(kRecoverZone, false);
    window_.SetEnabled(kRecoverText, false);
    window_.ShowMessage(messages_.Text(main_text::kNothingToOptimize), "", MessageIcon::None);
  }
}

void MainWindow::Button_GoClick() {
  ModeWindow* target = window_.Checked(kAutoChoice) ? &automatic_ : window_.Checked(kCustomChoice) ? &custom_ : nullptr;
  if (!target) return;
  // Centred on the frame this window has before it shrinks; C++ division
  // truncates the halves towards zero.
  const Bounds main = window_.BoundsOf("");
  const Bounds mode = target->Frame();
  target->MoveTo(main.x - (mode.width - main.width) / 2, main.y + (main.height - mode.height) / 2);

  services_.setBorder(BorderStyle::None);
  window_.SetBounds("", {main.x, main.y, 0, 0});
  target->ClearOptimized();
  target->SetVistaOrLater(vistaOrLater);
  target->ShowModal();

  if (target->Optimized()) {
    window_.CloseWindow();
    return;
  }
  services_.setBorder(BorderStyle::SingleFixed);
  window_.SetBounds("", {main.x, main.y, kReturnWidth, kReturnHeight});
}

void MainWindow::Button_CancelClick() { window_.CloseWindow(); }

bool MainWindow::RecoverEnabled() const { return window_.Enabled(kRecoverText); }

void MainWindow::RecoverZoneClick() {
  if (RecoverEnabled()) Image_RecoverClick();
}

void MainWindow::Image_RecoverClick() {
  if (!RecoverEnabled()) return;
  RestoreOutcome outcome;
  outcome.registry.found = true;
  outcome.registry.changes = services_.restoreTcpDefaults();
  outcome.firefox = services_.clearUserPrefsFile();
  // What could not be reset must not be reported as reset.
  window_.ShowMessage(RestoreMessage(messages_, kDefaultsRestored, outcome), window_.Text(kRecoverText),
                      outcome.Complete() ? MessageIcon::Information : MessageIcon::Warning);
}

void MainWindow::RecoverZoneMouseEnter() {
  if (RecoverEnabled()) window_.SetBold(kRecoverText, true);
}

void MainWindow::RecoverZoneMouseLeave() {
  if (RecoverEnabled()) window_.SetBold(kRecoverText, false);
}

void MainWindow::HelpZoneClick() { window_.OpenHelpPage(); }
void MainWindow::Label_GetHelpClick() { window_.OpenHelpPage(); }
void MainWindow::Image_HelpClick() { window_.OpenHelpPage(); }
void MainWindow::HelpZoneMouseEnter() { window_.SetBold(kHelpText, true); }
void MainWindow::HelpZoneMouseLeave() { window_.SetBold(kHelpText, false); }

void MainWindow::Timer_net_speedTimer() {
  if (graph_) window_.SetDrawing(kGraph, graph_->NextFrame());
}

}  // namespace velomar
