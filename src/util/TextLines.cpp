#include "util/TextLines.h"

#include "platform/Files.h"

namespace velomar {

Lines SplitLines(std::string_view text) {
  Lines lines;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.emplace_back(text.substr(start, i - start));
      i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::string JoinLinesCrLf(const Lines& lines) {
  std::size_t size = 0;
  for (const auto& line : lines) size += line.size() + 2;
  std::string text;
  text.reserve(size);
  for (const auto& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

bool LoadLines(const std::string& path, Lines& lines, std::string& error) {
  std::string text;
  if (!platform::ReadWholeFile(path, text, error)) return false;
  lines = SplitLines(text);
  return true;
}

bool SaveLines(const std::string& path, const Lines& lines, std::string& error) {
  return platform::ReplaceFileContents(path, JoinLinesCrLf(lines), error);
}

}  // namespace velomar
