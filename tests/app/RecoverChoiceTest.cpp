// The recover window's choice against the in-memory form of its layout.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/RecoverChoice.h"
#include "window/MemoryWindow.h"

namespace velomar {
namespace {

struct RecoverWindow {
  MemoryWindow window;
  std::vector<std::string> ran;
  RecoverRestores restores{[this] {
                             ran.push_back("registry");
                             return BackupRestore{};
                           },
                           [this](FirefoxReport&) { ran.push_back("firefox"); }};
  RecoverWindow() { DesignMemoryWindow(window, RecoverLayout()); }
  std::vector<std::string> Recover() {
    ran.clear();
    RunRecoverChoice(window, restores);
    return ran;
  }
};

using Restores = std::vector<std::string>;

TEST(RecoverChoice, AllSettingsAtStartRestoresBoth) {
  RecoverWindow r;
  EXPECT_TRUE(r.window.Checked("RadioButton_AllSettings"));
  EXPECT_FALSE(r.window.Checked("RadioButton_TcpSettings"));
  EXPECT_EQ(r.Recover(), (Restores{"registry", "firefox"}));
}

TEST(RecoverChoice, EachSingleOptionRestoresOnlyItsOwn) {
  RecoverWindow r;
  r.window.SetChecked("RadioButton_AllSettings", false);
  r.window.SetChecked("RadioButton_TcpSettings", true);
  EXPECT_EQ(r.Recover(), (Restores{"registry"}));
  r.window.SetChecked("RadioButton_TcpSettings", false);
  r.window.SetChecked("RadioButton_FirefoxSetting", true);
  EXPECT_EQ(r.Recover(), (Restores{"firefox"}));
}

TEST(RecoverChoice, WithoutAFirefoxProfileAllSettingsRestoresOnlyTheRegistry) {
  RecoverWindow r;
  r.window.SetEnabled("RadioButton_FirefoxSetting", false);
  EXPECT_EQ(r.Recover(), (Restores{"registry"}));
}

TEST(RecoverChoice, ADisabledButCheckedFirefoxOptionStillRestoresFirefox) {
  RecoverWindow r;
  r.window.SetChecked("RadioButton_AllSettings", false);
  r.window.SetChecked("RadioButton_FirefoxSetting", true);
  r.window.SetEnabled("RadioButton_FirefoxSetting", false);
  EXPECT_EQ(r.Recover(), (Restores{"firefox"}));
}

TEST(RecoverChoice, NoOptionCheckedRestoresNothing) {
  RecoverWindow r;
  r.window.SetChecked("RadioButton_AllSettings", false);
  EXPECT_TRUE(r.Recover().empty());
}

TEST(RecoverLayout, IsTheDesignedDialog) {
  const FormLayout layout = RecoverLayout();
  EXPECT_EQ(layout.className, "TForm_Recover");
  EXPECT_EQ(layout.clientWidth, 259);
  EXPECT_EQ(layout.clientHeight, 197);
  ASSERT_NE(layout.Find("RadioButton_FirefoxSetting"), nullptr);
  EXPECT_EQ(layout.Find("RadioButton_FirefoxSetting")->parent, "GroupBox_RecoverType");
  const Component* recover = layout.Find("Button_Recover");
  ASSERT_NE(recover, nullptr);
  EXPECT_EQ((std::vector<int>{recover->x, recover->y, recover->width, recover->height}),
            (std::vector<int>{82, 130, 71, 25}));
}

}  // namespace
}  // namespace velomar
