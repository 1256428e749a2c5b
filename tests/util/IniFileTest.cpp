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
  ASSERT_TRUE(IniFile::Load(folder.File("profiles.ini"), ini, error, IniFile::Encoding::Utf8)) << error;
  EXPECT_EQ(ini.ReadString("Profile0", "Path"), "a");

  IniFile untouched = IniFile::Parse("[Kept]\n");
  EXPECT_FALSE(IniFile::Load(folder.File("absent.ini"), untouched, error, IniFile::Encoding::Utf8));
  EXPECT_FALSE(error.empty());
  EXPECT_TRUE(untouched.HasSection("Kept"));
}

// profiles.ini is UTF-8 (a byte-order mark is no part of its first line),
// or ANSI where its bytes are not UTF-8; the language files are ANSI.
TEST(IniFile, LoadReadsEachEncodingIntoUtf8) {
  test::TempFolder folder;
  const std::string path = folder.File("x.ini");
  IniFile ini;
  std::string error;
  const auto pathIn = [&](const std::string& text, IniFile::Encoding encoding) {
    test::WriteFileText(path, text);
    EXPECT_TRUE(IniFile::Load(path, ini, error, encoding)) << error;
    return ini.ReadString("P", "Path");
  };
  EXPECT_EQ(pathIn("\xEF\xBB\xBF[P]\nPath=M\xC3\xBCller \xE5\x90\x8D\n", IniFile::Encoding::Utf8),
            "M\xC3\xBCller \xE5\x90\x8D");
  EXPECT_EQ(pathIn("[P]\nPath=M\xFCller\n", IniFile::Encoding::Utf8), "M\xC3\xBCller");
  EXPECT_EQ(pathIn("[P]\nPath=Schlie\xDF\x80\n", IniFile::Encoding::Ansi), "Schlie\xC3\x9F\xE2\x82\xAC");
}

}  // namespace
}  // namespace velomar
