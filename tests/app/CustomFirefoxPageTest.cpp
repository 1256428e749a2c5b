#include <algorithm>

#include "app/CustomFirefoxPage.h"
#include "app/CustomLayout.h"
#include "bandwidth/LastClassFile.h"
#include "firefox/CustomFirefoxPass.h"
#include "support/FirefoxFixture.h"
#include "support/ShownMessages.h"
#include "util/DataFolder.h"
#include "util/IniFile.h"
#include "util/TextLines.h"
#include "window/MemoryWindow.h"

namespace velomar {
namespace {

using test::ReadFileText;
using test::WriteFileText;
using namespace custom_firefox_page;

class CustomFirefox : public test::FirefoxFolderTest {
 protected:
  CustomFirefox() {
    DesignMemoryWindow(form, CustomLayout());
    page.Wire();
    unit.messages = MessageCatalogue(
        std::make_shared<IniFile>(IniFile::Parse("[Custom]\nLabel_Firefox_O_F.Caption=Done\n")), "Custom");
    form.Design(kOptimize, "Optimize");
    std::string error;
    EnsurePerUserDataFolder(error);  // as the main window does at start-up
  }
  void CheckOnly(const std::vector<std::string>& names) {
    for (const auto& box : CustomPrefBoxes())
      form.DesignChecked(box.checkBox, std::find(names.begin(), names.end(), box.checkBox) != names.end());
  }
  // The page's pass on one profile, moving the bar as the page plans it.
  Lines Write(const std::string& dir, int sectionCount = 2) {
    FileProblems problems;
    inputs.chosen = ChosenPrefs(form);
    EXPECT_TRUE(WriteCustomPrefs(dir, CustomFirefoxSteps(sectionCount).perPreference, inputs, problems));
    return SplitLines(ReadFileText(In(dir, "user.js")));
  }

  // The message boxes the page showed, as "info:text|title" or "warning:text|title".
  std::vector<std::string> Messages() const {
    std::vector<std::string> shown;
    for (const auto& m : test::ShownMessages(form))
      shown.push_back((m.icon == MessageIcon::Warning ? "warning:" : "info:") + m.text + "|" + m.title);
    return shown;
  }

  MemoryWindow form;
  CustomUnitState unit;
  CustomFirefoxPage page{form, unit};
  WindowProgress progress{form, kPassControls};
  CustomPassInputs inputs{progress, CustomFirefoxSteps, {}, false, 56};
};

TEST_F(CustomFirefox, ClassZeroAllBoxesWithoutUserJsGivesTwentyThreeLines) {
  const std::string dir = OneProfile();
  page.Button_FF_RecommendedClick();
  page.Button_Firefox_OptimizeClick();
  const Lines lines = SplitLines(ReadFileText(In(dir, "user.js")));
  EXPECT_EQ(lines.size(), 23u);
  EXPECT_TRUE(std::is_sorted(lines.begin(), lines.end(), [](const std::string& a, const std::string& b) {
    return platform::CompareTextIgnoringCase(a, b) < 0;
  }));
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "user_pref(\"content.notify.ontimer\", true);"), 1);
  for (const auto& line : lines) EXPECT_EQ(line.find("firstrequest"), std::string::npos);
  EXPECT_TRUE(platform::FileExists(In(dir, "user.bk")));
  EXPECT_EQ(ReadFileText(In(dir, "user.bk")), "");
  EXPECT_TRUE(platform::FileExists(In(dir, "Custom_user.bk")));
  EXPECT_EQ(form.Position(kProgress), 92);  // box 17 has no step of its own here
  EXPECT_EQ(Messages(), (std::vector<std::string>{"info:Done|Optimize"}));
  EXPECT_TRUE(unit.optimized);
}

TEST_F(CustomFirefox, ExistingUserJsReachesNinetySixAndKeepsItsLines) {
  const std::string dir = OneProfile();
  WriteFileText(In(dir, "prefs.js"), "p\n");
  WriteFileText(In(dir, "user.js"), "\r\n// note\r\nuser_pref(\"dom.disable_window_status_change\", true);\r\n\r\n");
  inputs.memoryBig = true;  // class 2: dom.disable_window_status_change is empty
  CheckOnly({"CheckBox_O_D_DWSC"});
  const Lines lines = Write(dir);
  EXPECT_EQ(lines, (Lines{"", "// note", "user_pref(\"dom.disable_window_status_change\", true);", ""}));
  EXPECT_EQ(form.Position(kProgress), 96);
}

TEST_F(CustomFirefox, BoxesFifteenAndEighteenShareOneOnTimerLine) {
  const std::string dir = OneProfile();
  WriteFileText(In(dir, "user.js"), "user_pref(\"content.notify.interval\",750000);\r\n");
  CheckOnly({"CheckBox_C_Notify_Backoffcount", "CheckBox_C_Notify_Interval"});
  const Lines lines = Write(dir, 3);
  EXPECT_EQ(lines,
            (Lines{"user_pref(\"content.notify.interval\", 750000);", "user_pref(\"content.notify.ontimer\", true);",
                   "user_pref(\"content.notify.backoffcount\", 5);"}))
      << "replaced in place, the others added in the order of the boxes";
  EXPECT_EQ(form.Position(kProgress), 48);
}

TEST_F(CustomFirefox, EachBoxTakesTheChoiceInItsPlace) {
  ASSERT_EQ(CustomPrefBoxes().size(), CustomPrefChoices().size());
  CheckOnly({"CheckBox_B_T_enabled", "CheckBox_O_Nglayout_Initialpaint_Delay"});
  const std::vector<bool> chosen = ChosenPrefs(form);
  for (std::size_t k = 0; k < chosen.size(); ++k) EXPECT_EQ(chosen[k], k == 8 || k == 23) << k;
  const Lines lines = Write(OneProfile());
  EXPECT_EQ(lines,
            (Lines{"user_pref(\"browser.turbo.enabled\", true);", "user_pref(\"nglayout.initialpaint.delay\", 750);"}));
}

TEST_F(CustomFirefox, CheckAllRules) {
  page.Button_FF_RecommendedClick();
  EXPECT_TRUE(form.Checked(kCheckAll));
  for (const auto& box : CustomPrefBoxes()) EXPECT_TRUE(form.Checked(box.checkBox)) << box.checkBox;
  form.SetChecked("CheckBox_B_T_enabled", false);
  EXPECT_FALSE(form.Checked(kCheckAll));
  form.SetChecked("CheckBox_B_T_enabled", true);
  EXPECT_FALSE(form.Checked(kCheckAll));
  form.SetChecked(kCheckAll, true);
  EXPECT_TRUE(form.Checked("CheckBox_O_P_EFP"));
  page.Button_FF_RecommendedClick();
  EXPECT_TRUE(form.Checked(kCheckAll));  // left as it was

  page.Label_N_H_MaxConectionClick();
  EXPECT_FALSE(form.Checked(kMaxConnectionBox));
  EXPECT_FALSE(form.Checked(kCheckAll));
  form.SetChecked(kCheckAll, true);
  page.Label_N_H_MaxConectionClick();
  EXPECT_TRUE(form.Checked(kMaxConnectionBox));
  EXPECT_TRUE(form.Checked(kCheckAll));
  page.Labe_N_H_PersistentConnections_PerProxyClick();
  EXPECT_FALSE(form.Checked(kPerProxyBox));
}

TEST_F(CustomFirefox, OptimizeRemembersTheClassAndRestoresTheControls) {
  OneProfile();
  form.SetPosition(kTrackBar, 5);
  page.Button_Firefox_OptimizeClick();
  EXPECT_EQ(LoadStoredCustomClass().position, 5);
  for (const char* name : {kPageControl, kOptimize, kRecover, kGetHelp}) {
    EXPECT_TRUE(form.Enabled(name)) << name;
    bool wasDisabled = false;
    for (const auto& e : form.Events())
      if (e.kind == WindowEvent::Kind::Enabled && e.control == name && e.value == "0") wasDisabled = true;
    EXPECT_TRUE(wasDisabled) << name;
  }
  EXPECT_FALSE(form.Visible(kProgress));
  EXPECT_FALSE(unit.busy);
}

TEST_F(CustomFirefox, WithoutProfilesIniTheControlsComeBackWithoutAMessage) {
  page.Button_Firefox_OptimizeClick();
  EXPECT_TRUE(Messages().empty());
  EXPECT_FALSE(unit.busy);
  EXPECT_FALSE(unit.optimized);
  EXPECT_TRUE(form.Enabled(kPageControl));
  EXPECT_FALSE(form.Visible(kProgress));
}

}  // namespace
}  // namespace velomar
