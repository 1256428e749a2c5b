// The same awkward files read through the platform's own profile-string
// functions: IniFile must agree with them.
#include <windows.h>

#include <gtest/gtest.h>

#include "IniCases.h"
#include "support/TestSupport.h"
#include "util/IniFile.h"

namespace velomar {
namespace {

std::vector<std::string> WindowsSectionNames(const std::string& path) {
  std::vector<char> buffer(1 << 16);
  const DWORD length = GetPrivateProfileSectionNamesA(buffer.data(), static_cast<DWORD>(buffer.size()), path.c_str());
  std::vector<std::string> names;
  for (DWORD i = 0; i < length;) {
    std::string name(buffer.data() + i);
    i += static_cast<DWORD>(name.size()) + 1;
    names.push_back(name);
  }
  return names;
}

std::string WindowsReadString(const std::string& path, const std::string& section, const std::string& key) {
  std::vector<char> buffer(1 << 16);
  const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), test::kIniFallback, buffer.data(),
                                                static_cast<DWORD>(buffer.size()), path.c_str());
  return std::string(buffer.data(), length);
}

TEST(IniFileAgainstWindows, AwkwardFilesGiveTheSameAnswers) {
  test::TempFolder folder;
  for (const auto& c : test::AwkwardIniCases()) {
    SCOPED_TRACE(c.name);
    const std::string path = folder.File(c.name + ".ini");
    test::WriteFileText(path, c.text);
    IniFile ini;
    std::string error;
    ASSERT_TRUE(IniFile::Load(path, ini, error, IniFile::Encoding::Ansi)) << error;
    EXPECT_EQ(WindowsSectionNames(path), c.sectionNames);
    EXPECT_EQ(ini.SectionNames(), WindowsSectionNames(path));
    for (const auto& q : c.queries) {
      const std::string windows = WindowsReadString(path, q.section, q.key);
      EXPECT_EQ(windows, q.expected) << q.section << "/" << q.key;
      EXPECT_EQ(ini.ReadString(q.section, q.key, test::kIniFallback), windows) << q.section << "/" << q.key;
    }
  }
}

}  // namespace
}  // namespace velomar
