// Every message box the windows can show speaks German when German.lng is
// the language: each of its paragraphs opens with a text German.lng gives
// the window's messages ("%d" and "%s" filled in), and below it stand only
// details (values, files, profiles) that are not translated.
#include <gtest/gtest.h>

#include <string_view>

#include "app/AutoOptimizeWindow.h"
#include "app/CustomLayout.h"
#include "app/CustomWindow.h"
#include "app/MainWindow.h"
#include "app/OutcomeMessage.h"
#include "app/RecoverChoice.h"
#include "lang/Translator.h"
#include "support/TcpFixture.h"

namespace velomar {
namespace {

using test::DataFile;

constexpr const char* kLanguageFile = "../../Language/German.lng";

// Every text the windows show that no control holds.
const Message kAllMessages[] = {
    outcome_text::kNotChanged,
    outcome_text::kFirefoxRunning,
    outcome_text::kProfilesMissing,
    outcome_text::kFileProblems,
    outcome_text::kBackupFailed,
    outcome_text::kBackupMovedAside,
    outcome_text::kBackupInvalid,
    outcome_text::kSaveFailed,
    outcome_text::kNoDataFolder,
    outcome_text::kRecoverFinished,
    kDefaultsRestored,
    main_text::kNothingToOptimize,
    auto_text::kDefaultsRestored,
    auto_text::kSpeedName,
    auto_text::kOptimize,
    auto_text::kClose,
    auto_text::kNotOptimized,
    auto_text::kBandOf,
    auto_text::kHasBeenOptimized,
    auto_text::kNotFullyOptimized,
    auto_text::kSettingsRestored,
    auto_text::kNotFullyRestored,
    auto_text::kAnalysing,
    auto_text::kRestartWindows,
    auto_text::kRestartFirefox,
    custom_text::kYourChoice,
    custom_text::kTcpDone,
    custom_text::kFirefoxDone,
    custom_text::kDefault,
    custom_text::kYes,
    custom_text::kNo,
    custom_text::kNotANumber,
    auto_text::kPreviewStatus,
    auto_text::kPreviewNotice,
    firefox_text::kNotRead,
    firefox_text::kAllRead,
};

// A window's design, translated as the program translates it, and its messages.
struct GermanWindow {
  MemoryWindow window;
  MessageCatalogue messages;
  GermanWindow(const FormLayout& layout, const std::string& section) {
    DesignMemoryWindow(window, layout);
    const Translator german(DataFile(kLanguageFile));
    EXPECT_TRUE(german.TranslateForm(section, window));
    messages = german.Messages(section);
  }
  // The line is a message German.lng gives this window, with its
  // placeholders filled in, and not the English text.
  bool Translated(const std::string& line) const {
    for (const auto& message : kAllMessages) {
      const std::string german = messages.Text(message);
      if (german != message.english && Matches(line, german)) return true;
    }
    return false;
  }
  // The text with each "%d" or "%s" standing for one character or more.
  static bool Matches(std::string_view line, std::string_view text) {
    const std::size_t hole = std::min(text.find("%d"), text.find("%s"));
    if (hole == std::string_view::npos) return line == text;
    if (line.substr(0, hole) != text.substr(0, hole)) return false;
    for (std::size_t at = hole + 1; at <= line.size(); ++at)
      if (Matches(line.substr(at), text.substr(hole + 2))) return true;
    return false;
  }
};

// Each paragraph of each message must open with a translated text.
void ExpectGerman(const GermanWindow& w, const std::string& message) {
  ASSERT_FALSE(message.empty());
  std::size_t start = 0;
  while (start <= message.size()) {
    const std::size_t end = std::min(message.find("\r\n\r\n", start), message.size());
    const std::string paragraph = message.substr(start, end - start);
    const std::string first = paragraph.substr(0, paragraph.find("\r\n"));
    EXPECT_TRUE(w.Translated(first)) << "not from German.lng: \"" << first << "\"\nin: " << message;
    start = end + 4;
  }
}

std::vector<std::string> Messages(const MemoryWindow& window) {
  std::vector<std::string> texts;
  for (const auto& e : window.Events())
    if (e.kind == WindowEvent::Kind::Message)
      texts.push_back(e.value.substr(e.value.find('\t', e.value.find('\t') + 1) + 1));
  return texts;
}

// Everything a pass or a restore can have to tell at once.
RunOutcome EverythingWentWrong() {
  RunOutcome run;
  run.firefox.problems = {"Cannot write \"C:\\p\\user.js\": Zugriff verweigert"};
  run.firefox.leftWhileRunning = {"work"};
  PassReport tcp;
  tcp.backupFile = "C:\\Velomar\\RegBackUp.bk";
  tcp.backupError = "Cannot write \"C:\\Velomar\\RegBackUp.bk\": Zugriff verweigert";
  tcp.backupMovedAsideTo = "C:\\Velomar\\RegBackUp.bk.invalid";
  tcp.backupMovedAsideReason = "line 4";
  tcp.changes.notChanged = {
      {platform::RegRoot::LocalMachine, "\\SYSTEM\\X", "DefaultTTL", {platform::kErrorAccessDenied}}};
  run.tcp = tcp;
  run.saveError = "Cannot write \"LastSetBandWidth.vm\"";
  return run;
}

RestoreOutcome NothingPutBack() {
  RestoreOutcome outcome;
  outcome.registry.found = true;
  outcome.registry.readError = "Cannot read \"RegBackUp.bk\"";
  outcome.registry.invalid = "'lots' (RegBackUp.bk, line 4)";
  outcome.registry.changes.notChanged = {{platform::RegRoot::LocalMachine, "\\SYSTEM\\X", "SackOpts", {5}}};
  outcome.firefox.problems = {"Cannot write \"prefs.js\""};
  outcome.firefox.leftWhileRunning = {"work"};
  outcome.firefox.missingProfiles = {"home (Profiles/x.home)"};
  return outcome;
}

RestoreOutcome AllPutBack() { return {}; }

// Two profiles: one whose Firefox no longer reads two of what was written, one that reads all.
std::vector<ProfileNote> FirefoxNotes() {
  return {{"work", {153, 24, {"network.http.pipelining", "ui.submenuDelay"}}}, {"home", {52, 24, {}}}};
}

class GermanMessages : public test::TcpFixture {};

TEST_F(GermanMessages, TheMainWindowsMessages) {
  GermanWindow w(MainLayout(), main_window::kSection);
  ExpectGerman(w, w.messages.Text(main_text::kNothingToOptimize));
  ExpectGerman(w, RestoreMessage(w.messages, kDefaultsRestored, AllPutBack()));
  ExpectGerman(w, RestoreMessage(w.messages, kDefaultsRestored, NothingPutBack()));
}

TEST_F(GermanMessages, TheAutomaticWindowsMessages) {
  GermanWindow w(AutoOptimizeLayout(), auto_window::kSection);
  ExpectGerman(w, RunWarnings(w.messages, EverythingWentWrong()).Text());
  OutcomeMessage notes(w.messages);
  notes.AddFirefoxNotes(FirefoxNotes());
  ExpectGerman(w, notes.Text());
  for (const Message& finished : {auto_text::kDefaultsRestored, outcome_text::kRecoverFinished}) {
    ExpectGerman(w, RestoreMessage(w.messages, finished, AllPutBack()));
    ExpectGerman(w, RestoreMessage(w.messages, finished, NothingPutBack()));
  }
  // The status line, the notice and the button say what a run and an undo did.
  for (const Message& text : {auto_text::kNotFullyOptimized, auto_text::kSettingsRestored, auto_text::kNotFullyRestored,
                              auto_text::kRestartWindows, auto_text::kRestartFirefox, auto_text::kClose})
    ExpectGerman(w, w.messages.Text(text));
}

TEST_F(GermanMessages, TheCustomWindowsMessagesAndTheRecoverWindowsInItsWords) {
  GermanWindow w(CustomLayout(), custom_window::kSection);
  CustomWindow logic(w.window, {});
  logic.FormCreate();
  logic.unit.messages = w.messages;  // as German.lng under the current folder would give them
  // A field without a number, then a TCP/IP pass that changes all it means to.
  w.window.SetText(custom_tcp::kTimeToLive, "viel");
  logic.Button_TCP_OptimizeClick();
  w.window.SetText(custom_tcp::kTimeToLive, "64");
  logic.Button_TCP_OptimizeClick();
  for (const auto& text : Messages(w.window)) ExpectGerman(w, text);
  EXPECT_EQ(Messages(w.window).size(), 2u);

  OutcomeMessage tcpWarnings(w.messages);
  tcpWarnings.AddBackup(*EverythingWentWrong().tcp);
  tcpWarnings.AddNotChanged(EverythingWentWrong().tcp->changes);
  tcpWarnings.AddSaveFailure("Cannot write \"LastSetBandWidth.vm\"");
  tcpWarnings.AddFirefox(EverythingWentWrong().firefox);
  ExpectGerman(w, tcpWarnings.Text());
  ExpectGerman(w, w.messages.Text(custom_text::kFirefoxDone));
  OutcomeMessage notes(w.messages);
  notes.AddFirefoxNotes(FirefoxNotes());
  ExpectGerman(w, notes.Text());
  ExpectGerman(w, RestoreMessage(w.messages, kDefaultsRestored, AllPutBack()));
  ExpectGerman(w, RestoreMessage(w.messages, kDefaultsRestored, NothingPutBack()));
  // The recover window is handed the custom window's messages.
  ExpectGerman(w, RecoverMessageText(logic.unit.messages, AllPutBack()));
  ExpectGerman(w, RecoverMessageText(logic.unit.messages, NothingPutBack()));
}

}  // namespace
}  // namespace velomar
