#include "util/IniFile.h"

#include <gtest/gtest.h>

#include "IniCases.h"
#include "support/TestSupport.h"

namespace velomar {
namespace {

TEST(IniFile, AnswersTheAwkwardCasesAsWindowsDoes) {
  for (const auto& c : test::AwkwardIniCases()) {
    SCOPED_TRACE(c.name);
    const IniFile ini = IniFile::Parse(c.text);
    EXPECT_EQ(ini.SectionNames(), c.sectionNames);
    for (const auto& q : c.queries)
      EXPECT_EQ(ini.ReadString(q.section, q.key, test::kIniFallback), q.expected) << q.section << "/" << q.key;
  }
}

TEST(IniFile, HasSectionIgnoresCaseAndNeverFindsTheUnnamedHead) {
  const IniFile ini = IniFile::Parse("k=1\n[General]\nx=2\n");
  EXPECT_TRUE(ini.HasSection("general"));
  EXPECT_TRUE(ini.HasSection("GENERAL"));
  EXPECT_FALSE(ini.HasSection(""));
  EXPECT_FALSE(ini.HasSection("Profile0"));
  EXPECT_EQ(ini.ReadString("", "k"), "");
}

TEST(IniFile, MissingKeyDefaultsToEmptyAndFallbackLosesTrailingBlanks) {
  const IniFile ini = IniFile::Parse("[S]\nk=v\n");
  EXPECT_EQ(ini.ReadString("S", "missing"), "");
  EXPECT_EQ(ini.ReadString("S", "missing", "dflt  "), "dflt");
}

TEST(IniFile, BytesPassUnchanged) {
  const std::string text = "[S\xe9]\nk=\xff\xfe\x80 x\n";
  const IniFile ini = IniFile::Parse(text);
  ASSERT_EQ(ini.SectionNames().size(), 1u);
  EXPECT_EQ(ini.SectionNames()[0], "S\xe9");
  EXPECT_EQ(ini.ReadString("S\xe9", "k"), "\xff\xfe\x80 x");
}

TEST(IniFile, LoadReadsTheFileAndReportsAMissingOne) {
  test::TempFolder folder;
  test::WriteFileText(folder.File("profiles.ini"), "[General]\r\n[Profile0]\r\nPath=a\r\n");
  IniFile ini;
  std::string error;
  ASSERT_TRUE(IniFile::Load(folder.File("profiles.ini"), ini, error)) << error;
  EXPECT_EQ(ini.ReadString("Profile0", "Path"), "a");

  IniFile untouched = IniFile::Parse("[Kept]\n");
  EXPECT_FALSE(IniFile::Load(folder.File("absent.ini"), untouched, error));
  EXPECT_FALSE(error.empty());
  EXPECT_TRUE(untouched.HasSection("Kept"));
}

}  // namespace
}  // namespace velomar
