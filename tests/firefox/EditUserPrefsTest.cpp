#include <filesystem>

#include "firefox/AutoFirefoxPass.h"
#include "firefox/PrefLines.h"
#include "support/FirefoxFixture.h"
#include "support/RecordedProgress.h"

namespace velomar {
namespace {

using test::ReadFileText;
using test::WriteFileText;
using Kind = test::RecordedProgress::Kind;

std::string Pref(const std::string& name, const std::string& value) {
  return "user_pref(\"" + name + "\", " + value + ");";
}

class EditUserPrefsTest : public ::testing::Test {
 protected:
  bool Edit(int machineClass, std::int32_t step = 2) {
    return EditUserPrefs(folder.path(), machineClass, progress, step, problems);
  }
  std::string UserJs() const { return ReadFileText(folder.File("user.js")); }
  Lines UserLines() const { return SplitLines(UserJs()); }
  LogRow RowFor(const std::string& name) const {
    for (const auto& row : progress.Rows())
      if (row.name == name) return row;
    return {};
  }

  test::TempFolder folder;
  test::RecordedProgress progress;
  FileProblems problems;
};

TEST_F(EditUserPrefsTest, WithoutUserJsClassThreeWritesTwentyFourSortedLines) {
  ASSERT_TRUE(Edit(3));
  const std::string expected =
      Pref("browser.cache.memory.capacity", "65536") + "\r\n" + Pref("browser.chrome.favicons", "false") + "\r\n" +
      Pref("browser.display.show_image_placeholders", "true") + "\r\n" + Pref("browser.turbo.enabled", "true") +
      "\r\n" + Pref("browser.urlbar.autocomplete.enabled", "true") + "\r\n" + Pref("browser.urlbar.autofill", "true") +
      "\r\n" + Pref("content.interrupt.parsing", "true") + "\r\n" + Pref("content.max.tokenizing.time", "2250000") +
      "\r\n" + Pref("content.notify.backoffcount", "5") + "\r\n" + Pref("content.notify.interval", "750000") + "\r\n" +
      Pref("content.notify.ontimer", "true") + "\r\n" + Pref("content.switch.threshold", "750000") + "\r\n" +
      Pref("network.http.max-connections", "48") + "\r\n" + Pref("network.http.max-connections-per-server", "16") +
      "\r\n" + Pref("network.http.max-persistent-connections-per-proxy", "16") + "\r\n" +
      Pref("network.http.max-persistent-connections-per-server", "8") + "\r\n" +
      Pref("network.http.pipelining", "true") + "\r\n" + Pref("network.http.pipelining.firstrequest", "true") + "\r\n" +
      Pref("network.http.pipelining.maxrequests", "8") + "\r\n" + Pref("network.http.proxy.pipelining", "true") +
      "\r\n" + Pref("network.http.request.max-start-delay", "0") + "\r\n" + Pref("nglayout.initialpaint.delay", "0") +
      "\r\n" + Pref("plugin.expose_full_path", "true") + "\r\n" + Pref("ui.submenuDelay", "0") + "\r\n";
  EXPECT_EQ(UserJs(), expected);
  const auto rows = progress.Rows();
  ASSERT_EQ(rows.size(), 24u);
  for (const auto& row : rows) EXPECT_EQ(row.oldValue, "No value") << row.name;
  // Interleaved: machine-class entry 1 is a removal in class 3, so the first
  // row is the common table's first entry, then class entry 2.
  EXPECT_EQ(rows[0], (LogRow{"network.http.pipelining", "No value", " true"}));
  EXPECT_EQ(rows[1].name, "content.notify.ontimer");
  EXPECT_EQ(progress.PauseCount(), 24);
  EXPECT_EQ(progress.Position(), 54);  // 27 steps of 2
}

TEST_F(EditUserPrefsTest, EachPreferenceIsAnnouncedThenPausedThenLogged) {
  WriteFileText(folder.File("user.js"), "");
  ASSERT_TRUE(Edit(0));
  const auto& reports = progress.Reports();
  ASSERT_GE(reports.size(), 4u);
  EXPECT_EQ(reports[0].kind, Kind::Advance);
  EXPECT_EQ(reports[1].kind, Kind::Status);
  EXPECT_EQ(reports[1].value, "Firefox : Optimizing network.http.pipelining ...");
  EXPECT_EQ(reports[2].kind, Kind::Pause);
  EXPECT_EQ(reports[3].kind, Kind::Row);
  // Every machine-class entry pauses; a missing one twice before its row.
  EXPECT_EQ(progress.PauseCount(), 13 + 14 + 11);
}

// Firefox takes the last statement of a preference and reads no comment:
// the pass changes the statement Firefox takes, in its place, compares
// values exactly, adds what is missing at the end and leaves every other
// line as it is.
TEST_F(EditUserPrefsTest, TheUsersLinesKeepTheirBytesAndPlaces) {
  WriteFileText(folder.File("user.js"), "// keep me\r\n\r\n" + Pref("network.http.pipelining", "true") + "\r\n" +
                                            "user_pref(\"network.http.proxy.pipelining\",true);\r\n// " +
                                            Pref("ui.submenuDelay", "5") + "\r\n" +
                                            Pref("plugin.expose_full_path", "false") + "\r\n" +
                                            Pref("plugin.expose_full_path", "false") + "  // second\r\n" +
                                            Pref("content.maxtextrun", "4095") + "\n");
  ASSERT_TRUE(Edit(0));
  EXPECT_EQ(RowFor("network.http.pipelining"), (LogRow{"network.http.pipelining", " true", " true"}));
  EXPECT_EQ(RowFor("network.http.proxy.pipelining"), (LogRow{"network.http.proxy.pipelining", "true", " true"}));
  EXPECT_EQ(RowFor("ui.submenuDelay"), (LogRow{"ui.submenuDelay", "No value", " 0"})) << "a comment sets nothing";
  EXPECT_EQ(RowFor("content.maxtextrun"), (LogRow{"content.maxtextrun", " 4095", "Delete value"}));
  EXPECT_EQ(RowFor("content.interrupt.parsing").name, "");  // a removal with no line: no row

  const std::string after = UserJs();
  const std::string head = "// keep me\r\n\r\n" + Pref("network.http.pipelining", "true") + "\r\n" +
                           Pref("network.http.proxy.pipelining", "true") + "\r\n// " + Pref("ui.submenuDelay", "5") +
                           "\r\n" + Pref("plugin.expose_full_path", "false") + "\r\n" +
                           Pref("plugin.expose_full_path", "true") + "  // second\r\n";
  EXPECT_EQ(after.substr(0, head.size()), head) << "replaced in place, a comment after it kept";
  EXPECT_EQ(after.find("content.maxtextrun"), std::string::npos);
  const Lines lines = UserLines();
  EXPECT_EQ(lines.size(), 7u + 10u + 11u) << "ten common and eleven class preferences added at the end";
  EXPECT_EQ(lines[7], Pref("network.http.pipelining.firstrequest", "true"));
  EXPECT_EQ(lines.back(), Pref("nglayout.initialpaint.delay", "750"));
}

TEST_F(EditUserPrefsTest, OtherBytesPassThroughUnchanged) {
  const std::string binary = "user_pref(\"x.bin\", \"\xff\x01\xfe\x80\");";
  const std::string longLine = "user_pref(\"x.long\", \"" + std::string(200000, 'L') + "\");";
  WriteFileText(folder.File("user.js"), "\xEF\xBB\xBF// header\n" + binary + "\n" + longLine);  // no final line break
  ASSERT_TRUE(Edit(2));
  const std::string after = UserJs();
  const std::string kept = "\xEF\xBB\xBF// header\n" + binary + "\n" + longLine + "\n";
  EXPECT_TRUE(after.substr(0, kept.size()) == kept)
      << "the byte-order mark stays at the top; added lines take the file's line end";
  EXPECT_EQ(after.substr(after.size() - 1), "\n");
}

// Firefox stops reading at a NUL and at the end of an open comment, string
// or statement: a line added there would never be read.
TEST_F(EditUserPrefsTest, AFileWhoseEndFirefoxWouldNotReadIsLeftAlone) {
  for (const std::string& text : {std::string("user_pref(\"a\", 1);\0 rest\n", 25), std::string("/* open\n"),
                                  std::string("user_pref(\"a\", \"open\n"), std::string("user_pref(\"a\", 1)\n")}) {
    WriteFileText(folder.File("user.js"), text);
    problems.clear();
    EXPECT_FALSE(Edit(3)) << text;
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("would not read"), std::string::npos) << problems[0];
    EXPECT_EQ(UserJs(), text);
  }
}

TEST_F(EditUserPrefsTest, UnreadableOrUnwritableUserJsIsReportedAndLeftAlone) {
  std::filesystem::create_directory(folder.File("user.js"));  // cannot be replaced by a file
  EXPECT_FALSE(Edit(3));
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_NE(problems[0].find("user.js"), std::string::npos);
  EXPECT_EQ(progress.Rows().back().name, problems[0]);

  test::TempFolder big;
  WriteFileText(big.File("user.js"), "x");
  std::filesystem::resize_file(big.File("user.js"), platform::kMaxReadableFile + 1);
  problems.clear();
  EXPECT_FALSE(EditUserPrefs(big.path(), 3, progress, 2, problems));
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(std::filesystem::file_size(big.File("user.js")), platform::kMaxReadableFile + 1);
}

}  // namespace
}  // namespace velomar
