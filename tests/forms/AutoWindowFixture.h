#pragma once
// The automatic window as the program shows it, under Wine: the prefix's
// registry seeded from tests/data/registry/auto_window.reg with regedit, a
// Firefox profile tree in the prefix's own application-data folder, the
// backups in a folder of the test's own, and the window's Windows version
// taken from the prefix, as the main window takes it.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/AutoOptimizeWindow.h"
#include "bandwidth/LastClassFile.h"
#include "forms/AutoOptimizeForm.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "support/AutoRunExpectations.h"
#include "support/TestSupport.h"
#include "support/UiHarness.h"
#include "util/DataFolder.h"

namespace velomar::test {

// Every position a progress bar is given, in order (the control's own
// procedure is chained behind this one).
class ProgressRecorder {
 public:
  explicit ProgressRecorder(HWND bar) : bar_(bar) {
    SetPropA(bar_, "VelomarTestRecorder", this);
    previous_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(bar_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
  }
  ~ProgressRecorder() {
    SetWindowLongPtrA(bar_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    RemovePropA(bar_, "VelomarTestRecorder");
  }
  ProgressRecorder(const ProgressRecorder&) = delete;
  ProgressRecorder& operator=(const ProgressRecorder&) = delete;
  const std::vector<int>& Positions() const { return positions_; }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<ProgressRecorder*>(GetPropA(hwnd, "VelomarTestRecorder"));
    if (message == PBM_SETPOS) self->positions_.push_back(static_cast<int>(wParam));
    return CallWindowProcA(self->previous_, hwnd, message, wParam, lParam);
  }
  HWND bar_;
  WNDPROC previous_ = nullptr;
  std::vector<int> positions_;
};

class AutoWindowUi : public ::testing::Test {
 protected:
  AutoWindowUi() {
    EXPECT_TRUE(uitest::ImportRegistry(kAutoWindowRegFile)) << kAutoWindowRegFile;
    std::string error;
    EXPECT_TRUE(EnsurePerUserDataFolder(error)) << error;
    std::filesystem::remove(std::filesystem::path(LastSetFilePath()));
    std::filesystem::remove_all(std::filesystem::path(firefox_));
  }
  ~AutoWindowUi() override { std::filesystem::remove_all(std::filesystem::path(firefox_)); }

  // One profile in the prefix's Firefox folder, with the preference files
  // Firefox leaves there; returns its folder.
  std::string MakeProfile() {
    const std::string profile = firefox_ + "\\Profiles\\t3st.default";
    platform::CreateDirectoryTree(profile);
    WriteFileText(firefox_ + "\\profiles.ini",
                  "[General]\r\nStartWithLastProfile=1\r\n\r\n[Profile0]\r\nName=default\r\nIsRelative=1\r\n"
                  "Path=Profiles/t3st.default\r\nDefault=1\r\n");
    WriteFileText(profile + "\\prefs.js", "user_pref(\"browser.startup.page\", 1);\r\n");
    WriteFileText(profile + "\\user.js", "user_pref(\"browser.startup.homepage\", \"about:blank\");\r\n");
    return profile;
  }

  // Creates the window as the program does and gives it the prefix's version.
  void Create() {
    form.Create();
    form.SetVistaOrLater(platform::WindowsMajorVersion() > 5);
  }
  HWND At(const char* name) { return form.ControlHandle(name); }
  // Shows the window modally and lets `user` act inside its loop.
  void ShowModalAnd(std::function<void()> user) {
    form.Post(std::move(user));
    form.ShowModal(nullptr);
  }
  // The class by the keyboard, as far as the track bar takes it.
  void ChooseClass(int position) {
    const int now = static_cast<int>(SendMessageA(At(auto_window::kTrackBar), TBM_GETPOS, 0, 0));
    uitest::PressKey(At(auto_window::kTrackBar), position > now ? VK_RIGHT : VK_LEFT, std::abs(position - now));
  }
  int Progress() { return static_cast<int>(SendMessageA(At(auto_window::kProgress), PBM_GETPOS, 0, 0)); }
  std::vector<std::string> RowNames() {
    std::vector<std::string> names;
    for (const auto& row : form.Rows(auto_window::kLog)) names.push_back(row.name);
    return names;
  }
  void Screenshot(const std::string& name) {
    uitest::Settle();
    std::string error;
    EXPECT_TRUE(uitest::SaveScreenshot(form.Handle(), name, error)) << error;
  }

  std::string firefox_ = platform::ApplicationDataFolder() + "Mozilla\\Firefox";
  uitest::MessageBoxRecorder boxes;
  TempFolder folder;
  ScopedCurrentDirectory cwd{folder.path()};
  AutoOptimizeForm form;
};

}  // namespace velomar::test
