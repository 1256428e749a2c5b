#include "app/RecoverChoice.h"

#include "app/UndoFileOffer.h"
#include "firefox/FirefoxBackups.h"
#include "tcp/RegBackup.h"

namespace velomar {

using namespace recover_controls;

RecoverRestores CustomModeRestores() {
  return {[] { return RestoreRegBackup(kCustomRegistryBackup); },
          [](FirefoxReport& report) { RestoreCustomFirefoxBackup(&report); }};
}

FormLayout RecoverLayout() {
  using namespace layout;
  FormLayout f;
  f.className = "TForm_Recover";
  f.caption = "Recover";
  f.clientWidth = 259;
  f.clientHeight = 197;
  f.fontHeight = 11;
  f.minimizeBox = true;
  const char* group = "GroupBox_RecoverType";
  // clang-format off
  f.components = {
      GroupBox("GroupBox_RecoverType",          {13, 13, 229, 106}, "Which settings to recover?").Bold().FontColor(kHighlightColor),
      RadioButton(kTcpOption,                    {25, 23, 161, 17},  "TCP/IP settings only").In(group).Bold().FontColor(kHighlightColor),
      RadioButton(kFirefoxOption,                {25, 46, 201, 17},  "Firefox settings only").In(group).Bold(),
      RadioButton(kAllOption,                    {25, 71, 136, 17},  "All settings").In(group).Bold().Checked(),
      Button(kRecoverButton,                     {82, 130, 71, 25},  "Recover"),
      Button(kCloseButton,                       {171, 130, 71, 25}, "Close"),
      Button(kUndoFileButton,                    {13, 164, 229, 25}, "Save an undo file for regedit..."),
  };
  // clang-format on
  return f;
}

RestoreOutcome RunRecoverChoice(const WindowState& window, const RecoverRestores& restores) {
  RestoreOutcome outcome;
  if (window.Checked(kTcpOption)) {
    outcome.registry = restores.restoreRegistry();
  } else if (window.Checked(kFirefoxOption)) {
    restores.restoreFirefox(outcome.firefox);
  } else if (window.Checked(kAllOption)) {
    outcome.registry = restores.restoreRegistry();
    if (window.Enabled(kFirefoxOption)) restores.restoreFirefox(outcome.firefox);
  }
  return outcome;
}

std::string RecoverMessageText(const MessageCatalogue& messages, const RestoreOutcome& outcome) {
  return RestoreMessage(messages, outcome_text::kRecoverFinished, outcome);
}

}  // namespace velomar

namespace velomar {

void RecoverWindow::Wire() {
  window_.On(kRecoverButton, Event::Click, [this] { Button_RecoverClick(); });
  window_.On(kCloseButton, Event::Click, [this] { Button_CloseClick(); });
  window_.On(kUndoFileButton, Event::Click, [this] { Button_UndoFileClick(); });
}

void RecoverWindow::Button_RecoverClick() {
  const RestoreOutcome outcome = RunRecoverChoice(window_, restores_);
  // A missing backup still ends with the message; what could not be put
  // back (a value the registry refused, a profile Firefox runs with) is
  // said instead of it.
  window_.ShowMessage(RecoverMessageText(messages, outcome), "",
                      outcome.Complete() ? MessageIcon::None : MessageIcon::Warning);
  window_.CloseWindow();
}

void RecoverWindow::Button_CloseClick() { window_.CloseWindow(); }

void RecoverWindow::Button_UndoFileClick() { OfferUndoFile(window_, messages); }

void RecoverWindow::SetMessages(MessageCatalogue catalogue) {
  messages = std::move(catalogue);
  window_.SetText(kUndoFileButton, messages.Text(undo_file_text::kOfferLong));
  window_.SetHint(kUndoFileButton, messages.Text(undo_file_text::kOfferHint));
}

}  // namespace velomar
