// Every message box the windows can show speaks German when German.lng is
// the language: each of its paragraphs opens with a text the window holds
// from German.lng (a hidden label's caption, "%d" and "%s" filled in), and
// below it stand only details (values, files, profiles) that are not
// translated.
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
#include "util/IniFile.h"

namespace velomar {
namespace {

using test::DataFile;

constexpr const char* kLanguageFile = "../../Language/German.lng";

// A window's design, translated as the program translates it.
struct GermanWindow {
  MemoryWindow window;
  IniFile ini;
  std::string section;
  GermanWindow(const FormLayout& layout, std::string sectionName) : section(std::move(sectionName)) {
    DesignMemoryWindow(window, layout);
    EXPECT_TRUE(Translator(DataFile(kLanguageFile)).TranslateForm(section, window));
    std::string error;
    EXPECT_TRUE(IniFile::Load(DataFile(kLanguageFile), ini, error, IniFile::Encoding::Ansi)) << error;
  }
  // The line is a caption German.lng gives this window, with its
  // placeholders filled in, and not the designed English text.
  bool Translated(const std::string& line, const FormLayout& layout) const {
    for (const auto& c : layout.components) {
      const std::string german = ini.ReadString(section, c.name + ".Caption");
      if (german.empty() || german == c.caption) continue;
      if (Matches(line, german)) return true;
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
void ExpectGerman(const GermanWindow& w, const FormLayout& layout, const std::string& message) {
  ASSERT_FALSE(message.empty());
  std::size_t start = 0;
  while (start <= message.size()) {
    const std::size_t end = std::min(message.find("\r\n\r\n", start), message.size());
    const std::string paragraph = message.substr(start, end - start);
    const std::string first = paragraph.substr(0, paragraph.find("\r\n"));
    EXPECT_TRUE(w.Translated(first, layout)) << "not from German.lng: \"" << first << "\"\nin: " << message;
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

class GermanMessages : public test::TcpFixture {};

TEST_F(GermanMessages, TheMainWindowsMessages) {
  const FormLayout layout = MainLayout();
  GermanWindow w(layout, main_window::kSection);
  ExpectGerman(w, layout, w.window.Text(main_window::kNothingToOptimize));
  ExpectGerman(w, layout, RestoreMessage(w.window, main_window::kRestoreFinished, AllPutBack()));
  ExpectGerman(w, layout, RestoreMessage(w.window, main_window::kRestoreFinished, NothingPutBack()));
}

TEST_F(GermanMessages, TheAutomaticWindowsMessages) {
  const FormLayout layout = AutoOptimizeLayout();
  GermanWindow w(layout, auto_window::kSection);
  ExpectGerman(w, layout, RunWarnings(w.window, EverythingWentWrong()));
  for (const char* finished : {auto_window::kRestoreFinished, outcome_labels::kRecoverFinished}) {
    ExpectGerman(w, layout, RestoreMessage(w.window, finished, AllPutBack()));
    ExpectGerman(w, layout, RestoreMessage(w.window, finished, NothingPutBack()));
  }
  // The status line and the notice say what a run and an undo did.
  for (const char* label : {auto_window::kNotFullyOptimized, auto_window::kSettingsRestored,
                            auto_window::kNotFullyRestored, auto_window::kRestartWindows, auto_window::kRestartFirefox})
    ExpectGerman(w, layout, w.window.Text(label));
}

TEST_F(GermanMessages, TheCustomWindowsMessagesAndTheRecoverWindowsInItsWords) {
  const FormLayout layout = CustomLayout();
  GermanWindow w(layout, "Velomar_Custom");
  CustomWindow logic(w.window, {});
  logic.FormCreate();
  // A field without a number, then a TCP/IP pass that changes all it means to.
  w.window.SetText(custom_tcp::kTimeToLive, "viel");
  logic.Button_TCP_OptimizeClick();
  w.window.SetText(custom_tcp::kTimeToLive, "64");
  logic.Button_TCP_OptimizeClick();
  for (const auto& text : Messages(w.window)) ExpectGerman(w, layout, text);
  EXPECT_EQ(Messages(w.window).size(), 2u);

  OutcomeMessage tcpWarnings(w.window);
  tcpWarnings.AddBackup(*EverythingWentWrong().tcp);
  tcpWarnings.AddNotChanged(EverythingWentWrong().tcp->changes);
  tcpWarnings.AddSaveFailure("Cannot write \"LastSetBandWidth.vm\"");
  tcpWarnings.AddFirefox(EverythingWentWrong().firefox);
  ExpectGerman(w, layout, tcpWarnings.Text());
  ExpectGerman(w, layout, w.window.Text(custom_firefox_page::kDoneText));
  ExpectGerman(w, layout, RestoreMessage(w.window, custom_window::kRestoreFinished, AllPutBack()));
  ExpectGerman(w, layout, RestoreMessage(w.window, custom_window::kRestoreFinished, NothingPutBack()));

  MemoryWindow recover;
  DesignMemoryWindow(recover, RecoverLayout());
  CopyOutcomeTexts(w.window, recover);
  ExpectGerman(w, layout, RecoverMessageText(recover, AllPutBack()));
  ExpectGerman(w, layout, RecoverMessageText(recover, NothingPutBack()));
}

}  // namespace
}  // namespace velomar
