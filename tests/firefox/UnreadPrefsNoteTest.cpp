#include <gtest/gtest.h>

#include <filesystem>

#include "firefox/FirefoxPrefHistory.h"
#include "firefox/FirefoxVersion.h"
#include "firefox/PrefLines.h"
#include "firefox/UnreadPrefsNote.h"
#include "firefox/WrittenPrefNames.h"
#include "support/FirefoxFixture.h"

namespace velomar {
namespace {

using test::WriteFileText;

TEST(FirefoxPrefHistory, HoldsEachOfVelomarsPreferencesInItsOrder) {
  const auto& table = PrefRetirements();
  ASSERT_EQ(table.size(), VelomarPrefNames().size());
  for (std::size_t i = 0; i < table.size(); ++i) EXPECT_EQ(table[i].name, VelomarPrefNames()[i]);
}

TEST(FirefoxVersion, TheMajorNumberOrNothing) {
  EXPECT_EQ(FirefoxMajorVersion("153.8.0_20260101000000/20260101000000"), 153);
  EXPECT_EQ(FirefoxMajorVersion("52.9.0_20180621064021/20180621064021"), 52);
  EXPECT_EQ(FirefoxMajorVersion("3.6.28_20120306134128/20120306134128"), 3);
  EXPECT_EQ(FirefoxMajorVersion("140"), 140);
  for (const char* unreadable : {"", "Safe Mode", "_2026", "0.9.3", "1x.0", "99999999999999999999.0", "-52.0"})
    EXPECT_EQ(FirefoxMajorVersion(unreadable), std::nullopt) << unreadable;
}

class ProfileNotes : public test::FirefoxFolderTest {
 protected:
  // A profile whose compatibility.ini holds `ini`, or none when empty.
  std::string ProfileWith(const std::string& folder, const std::string& ini) {
    const std::string dir = MakeProfile(folder);
    if (!ini.empty()) WriteFileText(In(dir, kCompatibilityIni), ini);
    return dir;
  }
  static std::string LastVersion(const std::string& version) {
    return "[Compatibility]\r\nLastVersion=" + version + "\r\nLastOSABI=WINNT_x86-msvc\r\n";
  }
};

TEST_F(ProfileNotes, TheVersionComesFromCompatibilityIniOrNothingIsSaid) {
  std::filesystem::copy(test::DataFile("firefox/esr153"), DataFolder(), std::filesystem::copy_options::recursive);
  EXPECT_EQ(LastFirefoxVersion(Dir("2amm8bje.default")), 153) << "the file Firefox ESR 153 wrote";
  EXPECT_EQ(LastFirefoxVersion(ProfileWith("none", "")), std::nullopt);
  EXPECT_EQ(LastFirefoxVersion(ProfileWith("nokey", "[Compatibility]\nLastOSABI=Linux_x86_64-gcc3\n")), std::nullopt);
  EXPECT_EQ(LastFirefoxVersion(ProfileWith("elsewhere", "[Other]\nLastVersion=52.0\n")), std::nullopt);
  EXPECT_EQ(LastFirefoxVersion(ProfileWith("garbage", "[Compatibility]\nLastVersion=\xff\xfe\n")), std::nullopt);
  EXPECT_FALSE(UnreadPrefsNoteFor(Dir("none"), AutoPassPrefNames(3)));
}

// Windows XP's last Firefox reads most of the automatic set; today's reads
// a third of it.
TEST_F(ProfileNotes, WhatFirefox52AndFirefox153NoLongerRead) {
  const auto written = AutoPassPrefNames(3);
  ASSERT_EQ(written.size(), 24u) << "27 less the three the class removes";
  const auto xp = UnreadPrefsNoteFor(ProfileWith("xp", LastVersion("52.9.0_20180621064021/20180621064021")), written);
  ASSERT_TRUE(xp);
  EXPECT_EQ(UnreadPrefsMessage(*xp),
            "Firefox 52 no longer reads 8 of these 24 preferences: network.http.pipelining.firstrequest, "
            "plugin.expose_full_path, browser.turbo.enabled, browser.urlbar.autofill, content.interrupt.parsing, "
            "content.switch.threshold, content.max.tokenizing.time, network.http.max-connections-per-server");

  const auto today = UnreadPrefsNoteFor(ProfileWith("today", LastVersion("153.8.0_20260101000000/x")), written);
  ASSERT_TRUE(today);
  EXPECT_EQ(today->notRead.size(), 16u);
  EXPECT_EQ(today->notRead.front(), "network.http.pipelining");
  for (const auto& name : today->notRead)
    EXPECT_FALSE(name == "ui.submenuDelay" || name == "browser.cache.memory.capacity");
}

TEST_F(ProfileNotes, AllReadIsSaidBrieflyAndNothingWrittenIsNotSaid) {
  const std::string dir = ProfileWith("p", LastVersion("52.0.2"));
  const std::vector<std::string> two{"network.http.pipelining", "ui.submenuDelay"};
  EXPECT_EQ(UnreadPrefsMessage(*UnreadPrefsNoteFor(dir, two)), "Firefox 52 reads all 2 of these preferences.");
  EXPECT_EQ(UnreadPrefsMessage(*UnreadPrefsNoteFor(dir, {})), "");
  WriteFileText(In(dir, kCompatibilityIni), LastVersion("140.0"));
  EXPECT_EQ(UnreadPrefsMessage(*UnreadPrefsNoteFor(dir, two)),
            "Firefox 140 no longer reads 1 of these 2 preferences: network.http.pipelining");
}

// The sentences come from language files the user may edit: only "%d" is a
// placeholder, and one too many stays as it is.
TEST(UnreadPrefsMessage, TakesTheSentencesOfALanguageFile) {
  const UnreadPrefsNote note{153, 3, {"a.b", "c.d"}};
  EXPECT_EQ(UnreadPrefsMessage(note, "Firefox %d liest %d dieser %d Einstellungen nicht mehr:",
                               "Firefox %d liest alle %d dieser Einstellungen."),
            "Firefox 153 liest 2 dieser 3 Einstellungen nicht mehr: a.b, c.d");
  EXPECT_EQ(UnreadPrefsMessage(note, "%s %n %x 100%% %d%d%d%d %", ""), "%s %n %x 100%% 15323%d % a.b, c.d");
  EXPECT_EQ(UnreadPrefsMessage(UnreadPrefsNote{52, 3, {}}, "", "%d/%d"), "52/3");
}

TEST_F(ProfileNotes, OnePerProfileThatTellsItsVersion) {
  WriteProfilesIni(
      "[Profile0]\nName=old\nPath=old\n[Profile1]\nName=unknown\nPath=unknown\n[Profile2]\nPath=gone\n"
      "[Profile3]\nName=new\nPath=new\n[General]\nVersion=2\n");
  ProfileWith("old", LastVersion("52.9.0"));
  ProfileWith("unknown", "");
  ProfileWith("new", LastVersion("153.8.0"));
  const auto notes = UnreadPrefsNotes({"content.notify.interval"});
  ASSERT_EQ(notes.size(), 2u);
  EXPECT_EQ(notes[0].profile, "old");
  EXPECT_TRUE(notes[0].note.notRead.empty());
  EXPECT_EQ(notes[1].profile, "new");
  EXPECT_EQ(notes[1].note.notRead, std::vector<std::string>{"content.notify.interval"});
}

TEST(WrittenPrefNames, EachPassLessWhatTheClassLeavesOut) {
  EXPECT_EQ(AutoPassPrefNames(0).size(), 24u);
  EXPECT_EQ(AutoPassPrefNames(1).size(), 25u);
  EXPECT_EQ(AutoPassPrefNames(2).size(), 26u);
  const std::vector<bool> all(24, true);
  // Not network.http.pipelining.firstrequest, which the page lacks, nor the
  // three class 0 leaves out; content.notify.ontimer, of two boxes, once.
  EXPECT_EQ(CustomPassPrefNames(all, 0).size(), 23u);
  std::vector<bool> one(24, false);
  one[21] = true;  // CheckBox_O_Ui_SubmenuDelay
  EXPECT_EQ(CustomPassPrefNames(one, 3), std::vector<std::string>{"ui.submenuDelay"});
}

}  // namespace
}  // namespace velomar
