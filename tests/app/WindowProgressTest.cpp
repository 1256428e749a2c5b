// A pass's progress on the controls its window names: the automatic
// window's step text, bar and log (each row scrolled into view before its
// pause), and the custom pages' bar alone.
#include <gtest/gtest.h>

#include "app/AutoOptimizeWindow.h"
#include "app/CustomTcpPage.h"
#include "firefox/AutoFirefoxPass.h"
#include "support/TcpFixture.h"
#include "tcp/TcpPasses.h"

namespace velomar {
namespace {

using namespace velomar::test;
using Kind = WindowEvent::Kind;

class AutomaticWindowProgress : public TcpFixture {
 protected:
  AutomaticWindowProgress() { window.SetRange(auto_window::kProgress, 0, auto_window::kProgressEnd); }
  // The window's effects as "status …", "scroll …", "pause", "row …", "bar …".
  std::vector<std::string> Shown(std::size_t count) const {
    std::vector<std::string> shown;
    for (const auto& e : window.Events()) {
      if (e.kind == Kind::Text) shown.push_back("status " + e.value);
      if (e.kind == Kind::Scroll) shown.push_back("scroll " + e.value);
      if (e.kind == Kind::Pause) shown.push_back("pause");
      if (e.kind == Kind::Row) shown.push_back("row " + e.value);
      if (e.kind == Kind::Position) shown.push_back("bar " + e.value);
      if (shown.size() == count) break;
    }
    return shown;
  }
  WindowProgress shown{window, auto_window::kPassControls};
};

TEST_F(AutomaticWindowProgress, EachTcpIpRowIsAnnouncedScrolledIntoViewAndPausedBeforeItAppears) {
  FixedPathMtu probe(1500);
  AutoOptimizeTcp(512, auto_window::kTcpStepAlone, shown, probe);
  EXPECT_EQ(Shown(9),
            (std::vector<std::string>{"bar 4", "status TCP : Optimizing TcpWindowSize ...", "scroll 0", "pause",
                                      "row TcpWindowSize\tNo value\t33580", "bar 8",
                                      "status TCP : Optimizing GlobalMaxTcpWindowSize ...", "scroll 1", "pause"}));
  EXPECT_EQ(window.Position(auto_window::kProgress), 98);
  EXPECT_EQ(shown.UnitsAdvanced(), 98);
}

TEST_F(AutomaticWindowProgress, EachPreferenceMovesTheBarThenIsAnnouncedScrolledPausedAndLogged) {
  WriteFileText(folder.File("user.js"), "");
  FileProblems problems;
  ASSERT_TRUE(EditUserPrefs(folder.path(), 0, shown, 2, problems));
  EXPECT_EQ(Shown(5), (std::vector<std::string>{"bar 2", "status Firefox : Optimizing network.http.pipelining ...",
                                                "scroll 0", "pause", "row network.http.pipelining\tNo value\t true"}));
}

TEST_F(AutomaticWindowProgress, TheBarKeepsItsRangeWhileTheUnitsAreCounted) {
  window.SetPosition(auto_window::kProgress, 100);
  shown.Advance(30);
  shown.Advance(0);
  EXPECT_EQ(window.Position(auto_window::kProgress), auto_window::kProgressEnd);
  EXPECT_EQ(shown.UnitsAdvanced(), 30);
}

TEST(CustomPageProgress, ACustomPassMovesTheBarAndPausesAndShowsNothingElse) {
  MemoryWindow page;
  page.SetRange(custom_tcp::kProgress, 0, custom_tcp::kProgressMaximum);
  WindowProgress progress(page, custom_tcp::kPassControls);
  progress.Status("TCP : Optimizing DefaultTTL ...");
  progress.Row({"DefaultTTL", "128", "64"});
  progress.Advance(4);
  progress.Pause();
  ASSERT_EQ(page.Events().size(), 2u);
  EXPECT_EQ(page.Events()[0].kind, Kind::Position);
  EXPECT_EQ(page.Events()[0].value, "4");
  EXPECT_EQ(page.Events()[1].kind, Kind::Pause);
}

}  // namespace
}  // namespace velomar
