#include "util/IniFile.h"

#include "platform/Files.h"
#include "platform/TextEncoding.h"

namespace velomar {

namespace {

// The profile functions count Ctrl-Z (an old end-of-file mark) as a blank.
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n' || c == '\x1a';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

// "abc" and 'abc' are read as abc; a lone or mismatched quote stays.
std::string_view StripQuotes(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

}  // namespace

IniFile IniFile::Parse(std::string_view text) {
  IniFile ini;
  ini.sections_.push_back(Section{});
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = pos;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    const std::string_view line = Trim(text.substr(pos, end - pos));
    pos = end + 1;
    if (line.empty()) continue;
    if (line.front() == '[') {
      const std::size_t close = line.rfind(']');
      if (close != std::string_view::npos && close > 0) {
        // Blanks inside the brackets are not part of the name.
        ini.sections_.push_back(Section{std::string(Trim(line.substr(1, close - 1))), {}});
        continue;
      }
      // A header without "]" is read as an ordinary line of the section.
    }
    Entry entry;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
      entry.key = std::string(line);
    } else {
      entry.key = std::string(Trim(line.substr(0, equals)));
      entry.value = std::string(Trim(line.substr(equals + 1)));
    }
    ini.sections_.back().entries.push_back(std::move(entry));
  }
  return ini;
}

bool IniFile::Load(const std::string& path, IniFile& ini, std::string& error, Encoding encoding) {
  std::string text;
  if (!platform::ReadWholeFile(path, text, error)) return false;
  if (encoding == Encoding::Ansi) {
    ini = Parse(platform::AnsiToUtf8(text));
    return true;
  }
  // A byte-order mark is no part of the first line.
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  std::string_view body = text;
  if (body.substr(0, kByteOrderMark.size()) == kByteOrderMark) body.remove_prefix(kByteOrderMark.size());
  ini = Parse(platform::Utf8OrAnsiToUtf8(body));
  return true;
}

std::vector<std::string> IniFile::SectionNames() const {
  std::vector<std::string> names;
  for (const auto& section : sections_)
    if (!section.name.empty()) names.push_back(section.name);
  return names;
}

const IniFile::Section* IniFile::FindSection(std::string_view name) const {
  name = Trim(name);
  if (name.empty()) return nullptr;
  for (const auto& section : sections_)
    if (EqualIgnoringCase(section.name, name)) return &section;
  return nullptr;
}

bool IniFile::HasSection(std::string_view section) const { return FindSection(section) != nullptr; }

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view fallback) const {
  const Section* found = FindSection(section);
  key = Trim(key);
  if (found && !key.empty()) {
    for (const auto& entry : found->entries) {
      if (!EqualIgnoringCase(entry.key, key)) continue;
      if (entry.value) return std::string(StripQuotes(*entry.value));
      break;
    }
  }
  // As on Windows, trailing blanks of the fallback are dropped.
  while (!fallback.empty() && fallback.back() == ' ') fallback.remove_suffix(1);
  return std::string(fallback);
}

}  // namespace velomar
