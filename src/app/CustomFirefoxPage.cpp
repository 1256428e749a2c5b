#include "app/CustomFirefoxPage.h"

#include "app/OutcomeMessage.h"
#include "bandwidth/LastClassFile.h"
#include "firefox/CustomFirefoxPass.h"
#include "firefox/PrefLines.h"
#include "firefox/UnreadPrefsNote.h"
#include "firefox/WrittenPrefNames.h"

namespace velomar {

using namespace custom_firefox_page;

const std::vector<CustomPrefBox>& CustomPrefBoxes() {
  static const std::vector<CustomPrefBox> boxes{
      {"CheckBox_N_H_Pipelining", "TabSheet_FF_Network"},
      {"CheckBox_N_T_Pip_Max", "TabSheet_FF_Network"},
      {"CheckBox_N_H_Proxy_Pip", "TabSheet_FF_Network"},
      {"CheckBox_N_H_Request_MSD", "TabSheet_FF_Network"},
      {"CheckBox_N_H_MaxConection", "TabSheet_FF_Network"},
      {"CheckBox_N_H_MaxConection_PerServer", "TabSheet_FF_Network"},
      {"CheckBox_N_H_PersistentConnections_PerProxy", "TabSheet_FF_Network"},
      {"CheckBox_N_H_PersistentConnections_PerServer", "TabSheet_FF_Network"},
      {"CheckBox_B_T_enabled", "TabSheet_FF_Browser"},
      {"CheckBox_B_Display_SIP", "TabSheet_FF_Browser"},
      {"CheckBox_B_Chrome_Favicons", "TabSheet_FF_Browser"},
      {"CheckBox_B_URLbar_AutoFill", "TabSheet_FF_Browser"},
      {"CheckBox_B_Cache_Memory_Capacity", "TabSheet_FF_Browser"},
      {"CheckBox_B_XulErrorPagesEnabled", "TabSheet_FF_Browser"},
      {"CheckBox_C_Notify_Backoffcount", "TabSheet_FF_Content"},
      {"CheckBox_C_Maxtextrun", "TabSheet_FF_Content"},
      {"CheckBox_C_Interrupt_Parsing", "TabSheet_FF_Content"},
      {"CheckBox_C_Notify_Interval", "TabSheet_FF_Content"},
      {"CheckBox_C_Switch_Threshold", "TabSheet_FF_Content"},
      {"CheckBox_C_Max_Tokenizing_Time", "TabSheet_FF_Content"},
      {"CheckBox_O_P_EFP", "TabSheet_FF_Other"},
      {"CheckBox_O_Ui_SubmenuDelay", "TabSheet_FF_Other"},
      {"CheckBox_O_D_DWSC", "TabSheet_FF_Other"},
      {"CheckBox_O_Nglayout_Initialpaint_Delay", "TabSheet_FF_Other"},
  };
  return boxes;
}

std::vector<bool> ChosenPrefs(const WindowState& window) {
  std::vector<bool> chosen;
  for (const auto& box : CustomPrefBoxes()) chosen.push_back(window.Checked(box.checkBox));
  return chosen;
}

FirefoxProgressSteps CustomFirefoxSteps(std::int32_t sectionCount) {
  if (sectionCount != 2 && sectionCount != 3) return {};
  const auto boxes = static_cast<std::int32_t>(CustomPrefBoxes().size());
  return {kProgressMaximum / (boxes * (sectionCount - 1)), 0};
}

void CustomFirefoxPage::Wire() {
  for (const auto& box : CustomPrefBoxes()) {
    const std::string name = box.checkBox;
    window.On(name, Event::Click, [this, name] { PreferenceBoxClick(name); });
  }
  window.On(kMaxConnectionLabel, Event::Click, [this] { Label_N_H_MaxConectionClick(); });
  window.On(kPerProxyLabel, Event::Click, [this] { Labe_N_H_PersistentConnections_PerProxyClick(); });
}

void CustomFirefoxPage::Button_FF_RecommendedClick() {
  for (const auto& box : CustomPrefBoxes()) window.SetChecked(box.checkBox, true);
}

void CustomFirefoxPage::PreferenceBoxClick(std::string_view checkBox) {
  if (!window.Checked(checkBox)) window.SetChecked(kCheckAll, false);
}

void CustomFirefoxPage::ToggleFromCaption(const char* checkBox) {
  window.SetChecked(checkBox, !window.Checked(checkBox));
  PreferenceBoxClick(checkBox);
}

void CustomFirefoxPage::Label_N_H_MaxConectionClick() { ToggleFromCaption(kMaxConnectionBox); }

void CustomFirefoxPage::Labe_N_H_PersistentConnections_PerProxyClick() { ToggleFromCaption(kPerProxyBox); }

namespace {

// The page's controls stay disabled while the pass runs, because every pause
// handles the window's messages; they come back however the pass ends.
class DisabledDuringPass {
 public:
  explicit DisabledDuringPass(CustomFirefoxPage& page) : page_(page) {
    page_.unit.busy = true;
    for (const char* name : kControls) page_.window.SetEnabled(name, false);
    page_.window.SetPosition(kProgress, 0);
    page_.window.SetVisible(kProgress, true);
  }
  ~DisabledDuringPass() {
    page_.window.SetVisible(kProgress, false);
    for (const char* name : {kPageControl, kOptimize, kRecover, kGetHelp}) page_.window.SetEnabled(name, true);
    page_.unit.busy = false;
  }
  DisabledDuringPass(const DisabledDuringPass&) = delete;
  DisabledDuringPass& operator=(const DisabledDuringPass&) = delete;

 private:
  static constexpr const char* kControls[] = {kRecover, kGetHelp, kOptimize, kPageControl};
  CustomFirefoxPage& page_;
};

}  // namespace

bool CustomFirefoxPage::Button_Firefox_OptimizeClick() {
  std::string saveError;
  SaveCustomClass(window.Position(kTrackBar), saveError);
  CustomPassOutcome outcome;
  OutcomeMessage warnings(unit.messages);
  {
    DisabledDuringPass disabled(*this);
    WindowProgress progress(window, kPassControls);
    const CustomPassInputs inputs{progress, CustomFirefoxSteps, ChosenPrefs(window), unit.memoryBig,
                                  unit.bandwidthKbps};
    outcome = RunCustomFirefoxWalk(inputs);
    if (outcome.Optimized()) unit.optimized = true;
    // What the profiles' Firefox no longer reads of what was written goes
    // under the finished message, or, when that is not shown, the warnings.
    OutcomeMessage notes(unit.messages);
    notes.AddFirefoxNotes(
        UnreadPrefsNotes(CustomPassPrefNames(inputs.chosen, MachineClassOf(unit.memoryBig, unit.bandwidthKbps))));
    // The finished message only when every profile was written.
    const bool finished = outcome.walked && outcome.report.Complete();
    if (finished) {
      OutcomeMessage done(unit.messages);
      done.Add(custom_text::kFirefoxDone);
      done.Append(notes);
      window.ShowMessage(done.Text(), window.Text(kOptimize), MessageIcon::Information);
    }
    warnings.AddSaveFailure(saveError);
    warnings.AddFirefox(outcome.report);
    if (!finished && !warnings.Empty()) warnings.Append(notes);
  }
  if (!warnings.Empty()) window.ShowMessage(warnings.Text(), window.Text(kOptimize), MessageIcon::Warning);
  return outcome.walked && warnings.Empty();
}

}  // namespace velomar
