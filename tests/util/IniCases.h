#pragma once
// Awkward INI files with what the Windows profile-string functions answer
// for them. The native suite holds IniFile to these answers; under Wine the
// differential suite asks GetPrivateProfileStringA and
// GetPrivateProfileSectionNamesA the same questions.
#include <string>
#include <vector>

namespace velomar::test {

struct IniQuery {
  std::string section;
  std::string key;
  std::string expected;  // with the fallback "<none>" when missing
};

struct IniCase {
  std::string name;
  std::string text;
  std::vector<std::string> sectionNames;
  std::vector<IniQuery> queries;
};

inline const char* kIniFallback = "<none>";

inline std::vector<IniCase> AwkwardIniCases() {
  const std::string longValue(5000, 'v');
  return {
      {"firefox_esr",
       "[Profile0]\nName=default\nIsRelative=1\nPath=2amm8bje.default\n\n[General]\nStartWithLastProfile=1\nVersion="
       "2\n\n",
       {"Profile0", "General"},
       {{"Profile0", "Path", "2amm8bje.default"},
        {"profile0", "PATH", "2amm8bje.default"},
        {"General", "Path", kIniFallback},
        {"General", "version", "2"},
        {"Profile1", "Path", kIniFallback}}},
      {"duplicate_sections",
       "[A]\r\nk=1\r\n[a]\r\nk=2\r\nj=3\r\n[B]\r\nk=4\r\n",
       {"A", "a", "B"},
       {{"A", "k", "1"}, {"a", "k", "1"}, {"a", "j", kIniFallback}, {"B", "k", "4"}}},
      {"blank_sections",
       "[General]\r\n\r\n\r\n[Empty]\r\n[Profile0]\r\nPath=p0\r\n\r\n",
       {"General", "Empty", "Profile0"},
       {{"Empty", "Path", kIniFallback}, {"Profile0", "Path", "p0"}}},
      {"keys_before_sections",
       "Path=outside\r\nk=0\r\n[S]\r\nPath=inside\r\n",
       {"S"},
       {{"S", "Path", "inside"}, {"S", "k", kIniFallback}}},
      {"spaces_around_equals",
       "  [S]  \r\n  Path  =  Profiles/x.default  \r\n\tName\t=\tfirst second\t\r\nEmpty=\r\nQuoted = \"a b\" \r\n"
       "Single='c'\r\nLone=\"d\r\nBare\r\n",
       {"S"},
       {{"S", "Path", "Profiles/x.default"},
        {"S", "name", "first second"},
        {"S", "Empty", ""},
        {"S", "Quoted", "a b"},
        {"S", "Single", "c"},
        {"S", "Lone", "\"d"},
        {"S", "Bare", kIniFallback},
        {" S ", " Path ", "Profiles/x.default"}}},
      {"cr_only",
       "[General]\rStartWithLastProfile=1\r[Profile0]\rPath=cr\r",
       {"General", "Profile0"},
       {{"Profile0", "Path", "cr"}, {"General", "StartWithLastProfile", "1"}}},
      {"no_final_break",
       "[General]\r\n[Profile0]\r\nPath=last",
       {"General", "Profile0"},
       {{"Profile0", "Path", "last"}}},
      {"very_long_line",
       "[S]\r\nLong=" + longValue + "\r\nAfter=1\r\n",
       {"S"},
       {{"S", "Long", longValue}, {"S", "After", "1"}}},
      {"first_key_wins", "[S]\r\nPath=one\r\npath=two\r\n", {"S"}, {{"S", "PATH", "one"}}},
      {"bracket_inside", "[S]x]\r\nk=1\r\n[T]trailing\r\nk=2\r\n", {"S]x", "T"}, {{"S]x", "k", "1"}, {"T", "k", "2"}}},
      {"empty_file", "", {}, {{"General", "Path", kIniFallback}}},
      {"blanks_inside_brackets",
       "[ Padded ]\r\nk=1\r\n[Profile0 ]\r\nPath=p\r\n[\t]\r\nk=2\r\n",
       {"Padded", "Profile0"},
       {{"Padded", "k", "1"}, {" Padded ", "k", "1"}, {"Profile0", "Path", "p"}}},
  };
}

}  // namespace velomar::test
