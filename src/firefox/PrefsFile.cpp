// Reading a preference file the way Firefox's preference parser reads it,
// and editing it line by line.
#include "firefox/PrefsFile.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>

#include "platform/TextEncoding.h"

namespace velomar {

namespace {

std::vector<PrefsLine> SplitKeepingEnds(std::string_view bytes) {
  std::vector<PrefsLine> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\r' && bytes[i] != '\n') continue;
    const std::size_t endLength = (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
    lines.push_back({std::string(bytes.substr(start, i - start)), std::string(bytes.substr(i, endLength))});
    i += endLength - 1;
    start = i + 1;
  }
  if (start < bytes.size()) lines.push_back({std::string(bytes.substr(start)), ""});
  return lines;
}

enum class TokenKind {
  UserPref,     // user_pref: sets the value the user sees
  DefaultSpec,  // pref, sticky_pref, lockPref: defaults, which a user value overrides
  Bool,         // true, false
  Attribute,    // sticky, locked: not allowed in the user's files
  String,
  Int,
  Punctuation,  // ( ) , ; + -
  Error,
  End,  // the end of the bytes, or a NUL
};

struct Token {
  TokenKind kind = TokenKind::End;
  std::size_t begin = 0;
  std::size_t end = 0;
  char punctuation = 0;
  std::uint32_t number = 0;  // an Int that fits 32 bits
  bool overflow = false;
  std::string text;  // a String, escapes decoded
};

bool IsKeywordChar(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
std::optional<unsigned> HexDigit(char c) {
  if (IsDigit(c)) return static_cast<unsigned>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
  if (c >= 'A' && c <= 'F') return static_cast<unsigned>(c - 'A' + 10);
  return std::nullopt;
}

// The tokens of Firefox's preference grammar; comments are skipped, and a
// block comment's span is kept, since a line inside one is no line of
// statements.
class Lexer {
 public:
  // Firefox passes over a UTF-8 byte-order mark at the start of the file
  // (and only there: elsewhere it is an unexpected character).
  explicit Lexer(std::string_view bytes) : bytes_(bytes), i_(bytes.starts_with("\xEF\xBB\xBF") ? 3 : 0) {}

  Token Next() {
    for (;;) {
      const char c = At(i_);
      if (c == '\0') return Make(TokenKind::End, i_, i_);
      if (c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\n' || c == '\r') {
        ++i_;
      } else if (c == '#' || (c == '/' && At(i_ + 1) == '/')) {
        while (At(i_) != '\0' && At(i_) != '\n' && At(i_) != '\r') ++i_;
      } else if (c == '/' && At(i_ + 1) == '*') {
        const std::size_t begin = i_;
        i_ += 2;
        while (At(i_) != '\0' && !(At(i_) == '*' && At(i_ + 1) == '/')) ++i_;
        if (At(i_) == '\0') return Make(TokenKind::Error, begin, i_);  // never closed
        i_ += 2;
        comments_.push_back({begin, i_});
      } else if (c == '/') {
        // As Firefox does, the character after a lone "/" goes with it,
        // unless it ends the line.
        const std::size_t begin = i_++;
        if (At(i_) != '\0' && At(i_) != '\n' && At(i_) != '\r') ++i_;
        return Make(TokenKind::Error, begin, i_);
      } else if (IsKeywordChar(c)) {
        return Keyword();
      } else if (c == '"' || c == '\'') {
        return String(c);
      } else if (IsDigit(c)) {
        return Number();
      } else if (c == '(' || c == ')' || c == ',' || c == ';' || c == '+' || c == '-') {
        Token token = Make(TokenKind::Punctuation, i_, i_ + 1);
        token.punctuation = c;
        ++i_;
        return token;
      } else {
        ++i_;
        return Make(TokenKind::Error, i_ - 1, i_);
      }
    }
  }

  // [begin, end) of each block comment met so far.
  const std::vector<std::pair<std::size_t, std::size_t>>& Comments() const { return comments_; }

 private:
  char At(std::size_t i) const { return i < bytes_.size() ? bytes_[i] : '\0'; }
  Token Make(TokenKind kind, std::size_t begin, std::size_t end) const {
    Token token;
    token.kind = kind;
    token.begin = begin;
    token.end = end;
    return token;
  }

  Token Keyword() {
    const std::size_t begin = i_;
    while (IsKeywordChar(At(i_))) ++i_;
    const std::string_view word = bytes_.substr(begin, i_ - begin);
    TokenKind kind = TokenKind::Error;
    if (word == "user_pref")
      kind = TokenKind::UserPref;
    else if (word == "pref" || word == "sticky_pref" || word == "lockPref")
      kind = TokenKind::DefaultSpec;
    else if (word == "true" || word == "false")
      kind = TokenKind::Bool;
    else if (word == "sticky" || word == "locked")
      kind = TokenKind::Attribute;
    return Make(kind, begin, i_);
  }

  Token Number() {
    Token token = Make(TokenKind::Int, i_, i_);
    std::uint64_t value = 0;
    while (IsDigit(At(i_))) {
      value = value * 10 + static_cast<unsigned>(At(i_) - '0');
      if (value > UINT32_MAX) token.overflow = true, value = UINT32_MAX;
      ++i_;
    }
    token.end = i_;
    token.number = static_cast<std::uint32_t>(value);
    // "123abc" is an error; the letters start the next token.
    if (IsKeywordChar(At(i_)) || token.overflow) token.kind = TokenKind::Error;
    return token;
  }

  // A string may run over lines; a bad escape makes it an error token that
  // still ends at its closing quote, and a NUL or the end leaves it open.
  Token String(char quote) {
    Token token = Make(TokenKind::String, i_, i_);
    ++i_;
    for (;;) {
      const char c = At(i_);
      if (c == '\0') {
        token.kind = TokenKind::Error;
        break;
      }
      ++i_;
      if (c == quote) break;
      if (c != '\\') {
        token.text += c;
        continue;
      }
      if (!Escape(token.text)) token.kind = TokenKind::Error;
    }
    token.end = i_;
    return token;
  }

  bool Escape(std::string& text) {
    const char c = At(i_);
    if (c == '"' || c == '\'' || c == '\\') return text += c, ++i_, true;
    if (c == 'n') return text += '\n', ++i_, true;
    if (c == 'r') return text += '\r', ++i_, true;
    if (c == 'x' || c == 'u') {
      ++i_;
      const auto unit = HexUnit(c == 'x' ? 2 : 4);
      if (!unit || *unit == 0) return false;
      if (c == 'x') return text += static_cast<char>(*unit), true;
      std::uint32_t code = *unit;
      if ((code & 0xFC00) == 0xDC00) return false;
      if ((code & 0xFC00) == 0xD800) {
        if (At(i_) != '\\' || At(i_ + 1) != 'u') return false;
        i_ += 2;
        const auto low = HexUnit(4);
        if (!low || (*low & 0xFC00) != 0xDC00) return false;
        code = 0x10000 + ((code - 0xD800) << 10) + (*low - 0xDC00);
      }
      platform::AppendUtf8(text, code);
      return true;
    }
    if (c != '\0' && c != '\n' && c != '\r') ++i_;  // a line break stays part of the string
    return false;
  }

  std::optional<std::uint32_t> HexUnit(int digits) {
    std::uint32_t value = 0;
    for (int k = 0; k < digits; ++k) {
      const auto digit = HexDigit(At(i_));
      if (!digit) return std::nullopt;
      value = value * 16 + *digit;
      ++i_;
    }
    return value;
  }

  std::string_view bytes_;
  std::size_t i_;
  std::vector<std::pair<std::size_t, std::size_t>> comments_;
};

bool IsPunctuation(const Token& token, char c) {
  return token.kind == TokenKind::Punctuation && token.punctuation == c;
}

// What the parser found: the statements it took, and the spans in which a
// line boundary is no boundary between statements (statements, the
// stretches skipped after an error, block comments between statements).
struct ParsedStatement {
  PrefStatement statement;
  std::size_t begin = 0;  // byte offsets in the file
  std::size_t end = 0;
  int tokens = 0;
};
struct Parsed {
  std::vector<ParsedStatement> statements;
  std::vector<std::pair<std::size_t, std::size_t>> busy;
  std::vector<std::size_t> tokenStarts;
  bool endsBetweenStatements = true;
};

// Firefox's grammar for the user's files:
//   user_pref | pref | sticky_pref | lockPref ( string , value ) ;
// where value is true, false, a string or an integer with an optional sign
// that fits 32 bits. After an error the parser skips to the next ";".
Parsed ParseStatements(std::string_view bytes) {
  Parsed parsed;
  Lexer lexer(bytes);
  int taken = 0;
  auto next = [&] {
    Token token = lexer.Next();
    if (token.kind != TokenKind::End) {
      parsed.tokenStarts.push_back(token.begin);
      ++taken;
    }
    return token;
  };
  Token token = next();
  while (token.kind != TokenKind::End) {
    const std::size_t begin = token.begin;
    taken = 1;
    auto recover = [&] {
      while (!IsPunctuation(token, ';') && token.kind != TokenKind::End) token = next();
      if (token.kind == TokenKind::End) {
        parsed.busy.push_back({begin, bytes.size() + 1});
        parsed.endsBetweenStatements = false;
        return;
      }
      parsed.busy.push_back({begin, token.end});
      token = next();
    };
    const bool user = token.kind == TokenKind::UserPref;
    if (!user && token.kind != TokenKind::DefaultSpec) {
      recover();
      continue;
    }
    if (!IsPunctuation(token = next(), '(') || (token = next()).kind != TokenKind::String) {
      recover();
      continue;
    }
    ParsedStatement found;
    found.statement.name = token.text;
    if (!IsPunctuation(token = next(), ',')) {
      recover();
      continue;
    }
    const std::size_t valueBegin = token.end;
    token = next();
    if (IsPunctuation(token, '+') || IsPunctuation(token, '-')) {
      const bool negative = token.punctuation == '-';
      token = next();
      if (token.kind != TokenKind::Int || token.number > (negative ? 2147483648u : 2147483647u)) {
        recover();
        continue;
      }
    } else if ((token.kind == TokenKind::Int && token.number > 2147483647u) ||
               (token.kind != TokenKind::Bool && token.kind != TokenKind::String && token.kind != TokenKind::Int)) {
      recover();
      continue;
    }
    if (!IsPunctuation(token = next(), ')')) {
      recover();
      continue;
    }
    found.statement.value = std::string(bytes.substr(valueBegin, token.begin - valueBegin));
    if (!IsPunctuation(token = next(), ';')) {
      recover();
      continue;
    }
    found.begin = begin;
    found.end = token.end;
    found.tokens = taken;
    parsed.busy.push_back({begin, token.end});
    if (user) parsed.statements.push_back(std::move(found));
    token = next();
  }
  // Block comments between statements are spans of their own; those inside
  // a statement lie within its span and merge into it.
  auto spans = parsed.busy;
  spans.insert(spans.end(), lexer.Comments().begin(), lexer.Comments().end());
  std::sort(spans.begin(), spans.end());
  parsed.busy.clear();
  for (const auto& span : spans) {
    if (!parsed.busy.empty() && span.first < parsed.busy.back().second)
      parsed.busy.back().second = std::max(parsed.busy.back().second, span.second);
    else
      parsed.busy.push_back(span);
  }
  if (bytes.find('\0') != std::string_view::npos) parsed.endsBetweenStatements = false;
  return parsed;
}

}  // namespace

PrefsFile PrefsFile::Parse(std::string_view bytes) {
  PrefsFile file;
  file.lines_ = SplitKeepingEnds(bytes);
  file.Reparse();
  return file;
}

std::string PrefsFile::Bytes() const {
  std::string bytes;
  for (const auto& line : lines_) bytes.append(line.text).append(line.end);
  return bytes;
}

void PrefsFile::Reparse() {
  const std::string bytes = Bytes();
  const Parsed parsed = ParseStatements(bytes);
  readsAppended_ = parsed.endsBetweenStatements;

  // Where each line starts and where its text ends, in the file's bytes.
  std::vector<std::size_t> starts, textEnds;
  std::size_t offset = 0;
  for (const auto& line : lines_) {
    starts.push_back(offset);
    textEnds.push_back(offset + line.text.size());
    offset += line.text.size() + line.end.size();
  }
  // A line boundary is clean when no statement, skipped stretch or comment
  // runs over it; the busy spans are disjoint and in order.
  std::vector<bool> cleanEnd(lines_.size(), true);
  std::size_t span = 0;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    while (span < parsed.busy.size() && parsed.busy[span].second <= textEnds[i]) ++span;
    cleanEnd[i] = span == parsed.busy.size() || parsed.busy[span].first >= textEnds[i];
  }
  std::vector<int> tokensOnLine(lines_.size(), 0);
  auto lineOf = [&starts](std::size_t at) {
    return static_cast<std::size_t>(std::upper_bound(starts.begin(), starts.end(), at) - starts.begin()) - 1;
  };
  for (const std::size_t start : parsed.tokenStarts) ++tokensOnLine[lineOf(start)];

  statements_.clear();
  for (const auto& found : parsed.statements) {
    PrefStatement statement = found.statement;
    statement.line = lineOf(found.begin);
    const std::size_t i = statement.line;
    const bool cleanStart = i == 0 || cleanEnd[i - 1];
    statement.ownsLine = found.end <= textEnds[i] && cleanStart && cleanEnd[i] && tokensOnLine[i] == found.tokens;
    if (statement.ownsLine) {
      statement.begin = found.begin - starts[i];
      statement.end = found.end - starts[i];
    }
    statements_.push_back(std::move(statement));
  }
}

const PrefStatement* PrefsFile::Applied(std::string_view name) const {
  for (auto it = statements_.rbegin(); it != statements_.rend(); ++it)
    if (it->name == name) return &*it;
  return nullptr;
}

std::string PrefsFile::LineEnd() const {
  for (const auto& line : lines_)
    if (!line.end.empty()) return line.end;
  return "\r\n";
}

void PrefsFile::ReplaceStatement(const PrefStatement& statement, std::string_view text) {
  std::string& line = lines_.at(statement.line).text;
  line.replace(statement.begin, statement.end - statement.begin, text);
  Reparse();
}

void PrefsFile::EraseLine(std::size_t index) {
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(index));
  Reparse();
}

void PrefsFile::AppendLine(std::string text) {
  const std::string end = LineEnd();
  if (!lines_.empty() && lines_.back().end.empty()) lines_.back().end = end;
  lines_.push_back({std::move(text), end});
  Reparse();
}

void PrefsFile::SetLines(std::vector<PrefsLine> lines) {
  lines_ = std::move(lines);
  Reparse();
}

}  // namespace velomar
