#include "app/RecoverChoice.h"

#include "firefox/Unit_Firefox_Optimize.h"
#include "tcp/Unit_TcpOptimize.h"

namespace velomar {

RecoverRestores CustomModeRestores() {
  return {[] { RestoreRegBackup(kCustomRegistryBackup); },
          [](RecoverReport& report) { RestoreCustomFirefoxBackup(&report.problems, &report.notes); }};
}

FormLayout RecoverLayout() {
  using namespace layout;
  FormLayout f;
  f.className = "TForm_Recover";
  f.caption = "Recover";
  f.clientWidth = 259;
  f.clientHeight = 163;
  f.fontHeight = 11;
  f.minimizeBox = true;
  const char* group = "GroupBox_RecoverType";
  // clang-format off
  f.components = {
      GroupBox("GroupBox_RecoverType",          {13, 13, 229, 106}, "Which settings to recover?").Bold().FontColor(kHighlightColor),
      RadioButton("RadioButton_TcpSettings",    {25, 23, 161, 17},  "TCP/IP settings only").In(group).Bold().FontColor(kHighlightColor),
      RadioButton("RadioButton_FirefoxSetting", {25, 46, 201, 17},  "Firefox settings only").In(group).Bold(),
      RadioButton("RadioButton_AllSettings",    {25, 71, 136, 17},  "All settings").In(group).Bold().Checked(),
      Button("Button_Recover",                  {82, 130, 71, 25},  "Recover"),
      Button("Button_Close",                    {171, 130, 71, 25}, "Close"),
      Other("XPManifest1"),
  };
  // clang-format on
  return f;
}

RecoverReport RunRecoverChoice(const WindowState& window, const RecoverRestores& restores) {
  RecoverReport report;
  if (window.Checked("RadioButton_TcpSettings")) {
    restores.restoreRegistry();
  } else if (window.Checked("RadioButton_FirefoxSetting")) {
    restores.restoreFirefox(report);
  } else if (window.Checked("RadioButton_AllSettings")) {
    restores.restoreRegistry();
    if (window.Enabled("RadioButton_FirefoxSetting")) restores.restoreFirefox(report);
  }
  return report;
}

std::string RecoverMessageText(const RecoverReport& report) {
  std::string text = report.problems.empty() ? kRecoverFinished : "";
  for (const auto& line : report.problems.empty() ? report.notes : report.problems)
    text += (text.empty() ? "" : "\n") + line;
  return text;
}

}  // namespace velomar
