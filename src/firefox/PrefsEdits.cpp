// Setting, removing and putting back preference lines, leaving every other
// line of the file as it is.
#include "firefox/PrefsEdits.h"

#include <algorithm>
#include <set>

#include "platform/Files.h"

namespace velomar {

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// Which lines hold only a statement of one of Velomar's preferences.
std::vector<bool> VelomarLines(const PrefsFile& file) {
  std::vector<bool> owned(file.Lines().size(), false);
  for (const auto& statement : file.Statements())
    if (statement.ownsLine && IsVelomarPref(statement.name)) owned[statement.line] = true;
  return owned;
}

// Longest common subsequence of the middle parts, where they are small
// enough; otherwise each line of `a` is matched with the next equal line of
// `b` not yet taken. Either way matches keep their order.
constexpr std::size_t kMaxTableCells = 4u << 20;

void AlignMiddle(const std::vector<const std::string*>& a, const std::vector<const std::string*>& b, std::size_t lo,
                 std::size_t aEnd, std::size_t bLo, std::size_t bEnd, std::vector<std::size_t>& match) {
  const std::size_t n = aEnd - lo, m = bEnd - bLo;
  if (n == 0 || m == 0) return;
  if ((n + 1) * (m + 1) > kMaxTableCells) {
    std::size_t next = bLo;
    for (std::size_t i = lo; i < aEnd && next < bEnd; ++i)
      for (std::size_t j = next; j < bEnd; ++j)
        if (*a[i] == *b[j]) {
          match[i] = j;
          next = j + 1;
          break;
        }
    return;
  }
  // length[i][j]: the common subsequence of a[lo+i..] and b[bLo+j..].
  std::vector<std::uint32_t> length((n + 1) * (m + 1), 0);
  auto at = [&](std::size_t i, std::size_t j) -> std::uint32_t& { return length[i * (m + 1) + j]; };
  for (std::size_t i = n; i-- > 0;)
    for (std::size_t j = m; j-- > 0;)
      at(i, j) = *a[lo + i] == *b[bLo + j] ? at(i + 1, j + 1) + 1 : std::max(at(i + 1, j), at(i, j + 1));
  for (std::size_t i = 0, j = 0; i < n && j < m;) {
    if (*a[lo + i] == *b[bLo + j]) {
      match[lo + i] = bLo + j;
      ++i, ++j;
    } else if (at(i + 1, j) >= at(i, j + 1)) {
      ++i;
    } else {
      ++j;
    }
  }
}

// For each line of `a`, the line of `b` it corresponds to, or kNone.
std::vector<std::size_t> AlignLines(const std::vector<const std::string*>& a,
                                    const std::vector<const std::string*>& b) {
  std::vector<std::size_t> match(a.size(), kNone);
  std::size_t head = 0;
  while (head < a.size() && head < b.size() && *a[head] == *b[head]) match[head] = head, ++head;
  std::size_t aTail = a.size(), bTail = b.size();
  while (aTail > head && bTail > head && *a[aTail - 1] == *b[bTail - 1]) match[--aTail] = --bTail;
  AlignMiddle(a, b, head, aTail, head, bTail, match);
  return match;
}

}  // namespace

bool LoadPrefsFile(const std::string& path, PrefsFile& file, std::string& error) {
  std::string bytes;
  if (!platform::ReadWholeFile(path, bytes, error)) return false;
  file = PrefsFile::Parse(bytes);
  return true;
}

bool SavePrefsFile(const std::string& path, const PrefsFile& file, std::string& error) {
  return platform::ReplaceFileContents(path, file.Bytes(), error);
}

std::string UnreadableEndMessage(const std::string& path) {
  return "\"" + path +
         "\" ends inside a comment, a string or an unfinished preference, so Firefox would not read a line added "
         "to it; it was left as it is";
}

TakenValue PutPref(PrefsFile& file, const PrefEntry& entry) {
  const PrefStatement* applied = file.Applied(PrefNameOf(entry.head));
  const TakenValue before = applied ? TakenValue(applied->value) : std::nullopt;
  if (before == PrefValueOf(entry.tail)) return before;
  if (applied && applied->ownsLine)
    file.ReplaceStatement(*applied, entry.Line());
  else
    file.AppendLine(entry.Line());
  return before;
}

PrefRemoval RemovePref(PrefsFile& file, std::string_view name) {
  PrefRemoval removal;
  if (const PrefStatement* applied = file.Applied(name)) removal.before = applied->value;
  std::set<std::size_t> lines;
  for (const auto& statement : file.Statements())
    if (statement.ownsLine && statement.name == name) lines.insert(statement.line);
  if (!lines.empty()) {
    std::vector<PrefsLine> kept;
    for (std::size_t i = 0; i < file.Lines().size(); ++i)
      if (!lines.count(i)) kept.push_back(file.Lines()[i]);
    file.SetLines(std::move(kept));
  }
  if (const PrefStatement* left = file.Applied(name)) removal.after = left->value;
  return removal;
}

bool IsVelomarPref(std::string_view name) {
  const auto& names = VelomarPrefNames();
  return std::find(names.begin(), names.end(), name) != names.end();
}

PrefsFile WithVelomarPrefsOf(const PrefsFile& current, const PrefsFile& backup) {
  const auto& saved = backup.Lines();
  const auto& now = current.Lines();
  const std::vector<bool> savedOwned = VelomarLines(backup), nowOwned = VelomarLines(current);

  // The other lines of both files, matched up: the backup's Velomar lines
  // go back after the line that came before them there.
  std::vector<std::size_t> savedKept, nowKept;
  std::vector<const std::string*> savedTexts, nowTexts;
  for (std::size_t i = 0; i < saved.size(); ++i)
    if (!savedOwned[i]) savedKept.push_back(i), savedTexts.push_back(&saved[i].text);
  for (std::size_t i = 0; i < now.size(); ++i)
    if (!nowOwned[i]) nowKept.push_back(i), nowTexts.push_back(&now[i].text);
  const std::vector<std::size_t> match = AlignLines(savedTexts, nowTexts);

  // after[k + 1]: the backup's Velomar lines to follow the k-th kept current
  // line (after[0]: those at the top).
  std::vector<std::vector<PrefsLine>> after(nowKept.size() + 1);
  std::size_t anchor = 0;  // 0: the top; k + 1: after the k-th kept current line
  std::size_t keptSoFar = 0;
  for (std::size_t i = 0; i < saved.size(); ++i) {
    if (savedOwned[i]) {
      after[anchor].push_back(saved[i]);
    } else {
      if (match[keptSoFar] != kNone) anchor = match[keptSoFar] + 1;
      ++keptSoFar;
    }
  }

  std::vector<PrefsLine> lines = after[0];
  for (std::size_t k = 0; k < nowKept.size(); ++k) {
    lines.push_back(now[nowKept[k]]);
    lines.insert(lines.end(), after[k + 1].begin(), after[k + 1].end());
  }
  // Only the last line may go without a line end; when the last lines of
  // both files are the same line, it ends as it did in the backup.
  const std::string end = current.LineEnd();
  for (std::size_t i = 0; i + 1 < lines.size(); ++i)
    if (lines[i].end.empty()) lines[i].end = end;
  if (!lines.empty() && !saved.empty() && !savedOwned.back() && match.back() != kNone &&
      match.back() + 1 == nowKept.size() && after.back().empty())
    lines.back().end = saved.back().end;
  PrefsFile result = current;
  result.SetLines(std::move(lines));
  return result;
}

PrefsFile WithoutVelomarPrefs(const PrefsFile& file) {
  const std::vector<bool> owned = VelomarLines(file);
  std::vector<PrefsLine> kept;
  for (std::size_t i = 0; i < owned.size(); ++i)
    if (!owned[i]) kept.push_back(file.Lines()[i]);
  PrefsFile result = file;
  result.SetLines(std::move(kept));
  return result;
}

}  // namespace velomar
