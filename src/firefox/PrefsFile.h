#pragma once
// A preference file (user.js, prefs.js) as Firefox reads it, kept byte for
// byte: its lines with their own line ends (a byte-order mark is part of
// the first), and the user_pref statements Firefox takes from it.
//
// Firefox reads statements, not lines: `#`, `//` and `/* */` comments,
// single- or double-quoted strings that may run over several lines, and
// after a syntax error it skips to the next `;`; a NUL ends the file, and a
// byte-order mark at its start is passed over. The later of two statements
// for one preference wins. So the passes edit only lines that hold one
// whole statement and nothing else Firefox reads, and every other line
// keeps its bytes and its place.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velomar {

struct PrefsLine {
  std::string text;  // without its line end
  std::string end;   // "\r\n", "\n", "\r", or "" for a last line without one
  bool operator==(const PrefsLine&) const = default;
};

// One user_pref(...); that Firefox takes (it parsed without an error).
struct PrefStatement {
  std::string name;   // as Firefox reads it, escapes decoded
  std::string value;  // the bytes between the comma and ")": " true" for user_pref("x", true);
  std::size_t line = 0;
  // Its line holds this statement and nothing else Firefox reads, and no
  // comment, string or statement runs into or out of it; then [begin, end)
  // is the statement within the line's text.
  bool ownsLine = false;
  std::size_t begin = 0;
  std::size_t end = 0;
};

class PrefsFile {
 public:
  static PrefsFile Parse(std::string_view bytes);
  std::string Bytes() const;
  bool operator==(const PrefsFile& other) const { return Bytes() == other.Bytes(); }

  const std::vector<PrefsLine>& Lines() const { return lines_; }
  const std::vector<PrefStatement>& Statements() const { return statements_; }
  // The statement whose value Firefox takes for `name`: the last one; null
  // when none sets it.
  const PrefStatement* Applied(std::string_view name) const;
  // Whether Firefox reads a line added at the end: the file does not end
  // inside a comment, a string or an unfinished statement, and holds no NUL.
  bool ReadsAppendedLines() const { return readsAppended_; }
  // The line end this file uses (its first one); CR LF when it has none.
  std::string LineEnd() const;

  // The edits; each parses the file again.
  // The statement, which owns its line, replaced by `text`; the rest of
  // the line (indentation, a comment after it) stays.
  void ReplaceStatement(const PrefStatement& statement, std::string_view text);
  void EraseLine(std::size_t index);
  // A new last line; the old last line gets a line end first.
  void AppendLine(std::string text);
  void SetLines(std::vector<PrefsLine> lines);

 private:
  void Reparse();

  std::vector<PrefsLine> lines_;
  std::vector<PrefStatement> statements_;
  bool readsAppended_ = true;
};

}  // namespace velomar
