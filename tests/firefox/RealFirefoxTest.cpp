// Velomar's knowledge of Firefox against a Firefox installed on this machine
// (Debian's firefox-esr): the table of the preferences it no longer reads,
// and the reading of user.js. The "firefox" tier of ./test runs it with
// VELOMAR_REAL_FIREFOX set; elsewhere it is skipped. VELOMAR_FIREFOX_DIR
// names another installation folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <set>
#include <sstream>

#include "firefox/FirefoxPrefHistory.h"
#include "firefox/FirefoxVersion.h"
#include "firefox/PrefsFile.h"
#include "support/TestSupport.h"
#include "util/IniFile.h"

namespace velomar {
namespace {

namespace fs = std::filesystem;
using test::ReadFileText;
using test::WriteFileText;

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

std::string Output(const std::string& command) {
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[65536];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
    pclose(pipe);
  }
  return output;
}

class RealFirefox : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::getenv("VELOMAR_REAL_FIREFOX")) GTEST_SKIP() << "VELOMAR_REAL_FIREFOX is not set";
    const char* chosen = std::getenv("VELOMAR_FIREFOX_DIR");
    for (const char* candidate : {chosen ? chosen : "", "/usr/lib/firefox-esr", "/usr/lib/firefox"}) {
      if (*candidate && fs::exists(fs::path(candidate) / "application.ini")) {
        dir_ = candidate;
        break;
      }
    }
    ASSERT_FALSE(dir_.empty()) << "no Firefox installed (apt-get install firefox-esr)";
    IniFile ini;
    std::string error;
    ASSERT_TRUE(IniFile::Load((dir_ / "application.ini").string(), ini, error, IniFile::Encoding::Utf8)) << error;
    const auto version = FirefoxMajorVersion(ini.ReadString("App", "Version"));
    ASSERT_TRUE(version);
    version_ = *version;
  }

  fs::path Program() const { return fs::exists(dir_ / "firefox-esr") ? dir_ / "firefox-esr" : dir_ / "firefox"; }

  // The default preference files, in both omni.ja archives and beside them.
  std::string DefaultPrefFiles() const {
    std::string text = Output("unzip -p " + Quoted((dir_ / "omni.ja").string()) + " greprefs.js 'defaults/pref/*.js'");
    text += Output("unzip -p " + Quoted((dir_ / "browser/omni.ja").string()) + " 'defaults/preferences/*.js'");
    for (const auto& folder : {dir_ / "defaults/pref", dir_ / "browser/defaults/preferences"})
      if (fs::is_directory(folder))
        for (const auto& file : fs::directory_iterator(folder)) text += ReadFileText(file.path().string());
    return text;
  }

  // Those of `names` among the strings of libxul.so: the names of the
  // built-in (static) preferences, and those its code reads by name.
  std::set<std::string> BuiltIn(const std::vector<std::string>& names, const test::TempFolder& temp) const {
    std::string list;
    for (const auto& name : names) list += name + '\n';
    WriteFileText(temp.File("names"), list);
    std::istringstream found(Output("tr '\\0' '\\n' <" + Quoted((dir_ / "libxul.so").string()) +
                                    " | grep -a -x -F -f " + Quoted(temp.File("names"))));
    std::set<std::string> builtIn;
    for (std::string name; std::getline(found, name);) builtIn.insert(name);
    return builtIn;
  }

  // Starts Firefox headless on each profile folder at once, and waits for
  // each to end; its parse errors go to the folder's firefox.err.
  void RunOn(const std::vector<std::string>& profiles, const std::string& home) const {
    std::string command;
    for (const auto& profile : profiles)
      command += "(HOME=" + Quoted(home) + " timeout 120 " + Quoted(Program().string()) +
                 " --headless --no-remote --profile " + Quoted(profile) + " --screenshot " +
                 Quoted(profile + "/shot.png") + " about:blank >/dev/null 2>" + Quoted(profile + "/firefox.err") +
                 ") & started=\"$started $!\"; ";
    ASSERT_EQ(std::system((command + "for p in $started; do wait $p || exit 1; done").c_str()), 0);
  }

  fs::path dir_;
  int version_ = 0;
};

// The table against the installed Firefox: a preference it calls read is
// known to that Firefox, one it calls gone by that version is not.
TEST_F(RealFirefox, KnowsWhatTheTableCallsReadAndNothingItCallsGone) {
  const std::string defaults = DefaultPrefFiles();
  ASSERT_NE(defaults.find("pref("), std::string::npos) << "no default preference files in " << dir_;
  std::vector<std::string> names;
  for (const auto& entry : PrefRetirements()) names.emplace_back(entry.name);
  test::TempFolder temp;
  const std::set<std::string> builtIn = BuiltIn(names, temp);
  ASSERT_FALSE(builtIn.empty()) << "no strings read from " << dir_ << "/libxul.so";
  for (const auto& entry : PrefRetirements()) {
    const std::string name(entry.name);
    const bool hasDefault = defaults.find("\"" + name + "\"") != std::string::npos;
    const bool isBuiltIn = builtIn.count(name) > 0;
    std::cout << "Firefox " << version_ << ": " << name << (entry.ReadBy(version_) ? " read" : " gone") << "; "
              << (hasDefault ? "default in omni.ja" : "no default") << ", "
              << (isBuiltIn ? "built into libxul.so" : "not built in") << '\n';
    EXPECT_EQ(hasDefault || isBuiltIn, entry.ReadBy(version_)) << name;
  }
}

// A string value, its quotes taken off and the escapes Firefox knows
// decoded.
std::string Unescaped(std::string_view quoted) {
  std::string text;
  for (std::size_t i = 1; i + 1 < quoted.size(); ++i) {
    if (quoted[i] != '\\') {
      text += quoted[i];
      continue;
    }
    const char c = quoted[++i];
    if (c == 'n' || c == 'r') {
      text += c == 'n' ? '\n' : '\r';
    } else if (c == 'x' || c == 'u') {
      const std::size_t digits = c == 'x' ? 2 : 4;
      const auto code = std::stoul(std::string(quoted.substr(i + 1, digits)), nullptr, 16);
      i += digits;
      if (code < 0x80) {
        text += static_cast<char>(code);
      } else {  // two-byte UTF-8 covers the cases below
        text += static_cast<char>(0xC0 | (code >> 6));
        text += static_cast<char>(0x80 | (code & 0x3F));
      }
    } else {
      text += c;
    }
  }
  return text;
}

// A value as Firefox holds it: "s:" and the text, "b:" and the word, or
// "i:" and the number.
std::string Held(const PrefStatement* statement) {
  if (!statement) return "unset";
  std::string value = statement->value;
  value.erase(0, value.find_first_not_of(" \t\r\n"));
  value.erase(value.find_last_not_of(" \t\r\n") + 1);
  if (value.front() == '"' || value.front() == '\'') return "s:" + Unescaped(value);
  if (value == "true" || value == "false") return "b:" + value;
  value.erase(std::remove(value.begin(), value.end(), ' '), value.end());
  return "i:" + std::to_string(std::stoll(value));
}

const char kTrickyUserJs[] =
    "user_pref(\"velomar.plain\", 1);\n"
    "# user_pref(\"velomar.hash\", 1);\n"
    "// user_pref(\"velomar.slash\", 1);\n"
    "/* user_pref(\"velomar.block\", 1);\n   user_pref(\"velomar.block2\", 2); */\n"
    "user_pref(\"velomar.trailing\", 2); // note\n"
    "user_pref(\"velomar.twoA\", 1); user_pref(\"velomar.twoB\", 2);\n"
    "user_pref(\"velomar.multiline\", \"first\nsecond\");\n"
    "user_pref('velomar.single', 'it\\'s');\n"
    "user_pref(\"velomar.esc\\x41\", \"\\u00e9\\\\\");\n"
    "user_pref(\"velomar.twice\", 1);\n"
    "user_pref(\"velomar.broken\", ); user_pref(\"velomar.afterError\", 3);\n"
    "user_pref(\"velomar.noSemicolon\", 1) user_pref(\"velomar.swallowed\", 2);\n"
    "user_pref(\"velomar.bad\", oops 'x; user_pref(\"velomar.inString\", 1); y'); user_pref(\"velomar.afterBad\", 1);\n"
    "user_pref ( \"velomar.spaces\" , 3 ) ;\n"
    "user_pref(\"velomar.plus\", +5); user_pref(\"velomar.minus\", -2147483648);\n"
    "user_pref(\"velomar.big\", 2147483648); user_pref(\"velomar.neg\", -2147483649);\n"
    "pref(\"velomar.defaultSpec\", 4); user_pref(\"velomar.sticky\", 1, sticky);\n"
    "user_pref(\"velomar.numword\", 12abc); user_pref(\"velomar.hex\", 0x10); user_pref(\"velomar.True\", True);\n"
    "user_pref(\"velomar.utf8\", \"\xC3\xA9\"); user_pref(\"velomar.badEscape\", \"\\q\");\n"
    "user_pref(\"velomar.zeroEscape\", \"\\x00\"); user_pref(\"velomar.afterZero\", 1);\n"
    "user_pref(\"velomar.a\", 1); / user_pref(\"velomar.afterSlash\", 2);\n"
    "user_pref(\"velomar.twice\", 2);\n"
    "user_pref(\"velomar.crOnly\", 6);\ruser_pref(\"velomar.afterCr\", 7);\n"
    "user_pref(\"velomar.semicolon\", \"a;b\");\n"
    "user_pref(\"velomar.beforeNul\", 1);\0user_pref(\"velomar.afterNul\", 1);\n";

// Firefox's own reading of user.js, which writes the values it took into
// prefs.js when it ends, against PrefsFile::Applied for each preference
// either of them takes: the statements above, and a byte-order mark at the
// start of a file and further down.
TEST_F(RealFirefox, TakesFromUserJsWhatPrefsFileSaysItTakes) {
  test::TempFolder temp;
  const std::string cases = temp.File("cases"), bom = temp.File("bom"), home = temp.File("home");
  for (const auto& folder : {cases, bom, home}) fs::create_directories(folder);
  const std::map<std::string, std::string> userJs{
      {cases, std::string(kTrickyUserJs, sizeof kTrickyUserJs - 1)},
      {bom,
       "\xEF\xBB\xBFuser_pref(\"velomar.bom\", 1);\nuser_pref(\"velomar.afterBom\", 2);\n"
       "\xEF\xBB\xBFuser_pref(\"velomar.midBom\", 3);\nuser_pref(\"velomar.afterMidBom\", 4);\n"}};
  for (const auto& [folder, text] : userJs) WriteFileText(folder + "/user.js", text);
  RunOn({cases, bom}, home);

  for (const auto& [folder, text] : userJs) {
    std::cout << ReadFileText(folder + "/firefox.err");
    const PrefsFile ours = PrefsFile::Parse(text);
    const PrefsFile firefox = PrefsFile::Parse(ReadFileText(folder + "/prefs.js"));
    std::set<std::string> names;
    for (const auto* file : {&ours, &firefox})
      for (const auto& statement : file->Statements())
        if (statement.name.starts_with("velomar.")) names.insert(statement.name);
    ASSERT_FALSE(names.empty());
    for (const auto& name : names)
      EXPECT_EQ(Held(ours.Applied(name)), Held(firefox.Applied(name))) << name << " in " << folder << "/user.js";
  }
}

}  // namespace
}  // namespace velomar
