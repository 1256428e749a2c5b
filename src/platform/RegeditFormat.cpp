#include "platform/RegeditFormat.h"

#include <cstdio>

namespace velomar::platform {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// At most eight hex digits, as a 32-bit number holds.
bool ParseHex32(const std::string& digits, std::uint32_t& number) {
  if (digits.empty() || digits.size() > 8) return false;
  number = 0;
  for (char c : digits) {
    const int d = HexDigit(c);
    if (d < 0) return false;
    number = number * 16 + static_cast<std::uint32_t>(d);
  }
  return true;
}

bool ParseHexBytes(const std::string& text, std::string& bytes) {
  bytes.clear();
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == ',')) ++i;
    if (i >= text.size()) break;
    if (i + 1 >= text.size()) return false;
    const int hi = HexDigit(text[i]);
    const int lo = HexDigit(text[i + 1]);
    if (hi < 0 || lo < 0) return false;
    bytes += static_cast<char>(hi * 16 + lo);
    i += 2;
    if (i < text.size() && text[i] != ',' && text[i] != ' ' && text[i] != '\t') return false;
  }
  return true;
}

}  // namespace

bool ParseQuoted(const std::string& text, std::size_t& pos, std::string& out) {
  out.clear();
  if (pos >= text.size() || text[pos] != '"') return false;
  for (++pos; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (c == '\\' && pos + 1 < text.size()) {
      out += text[++pos];
    } else if (c == '"') {
      ++pos;
      return true;
    } else {
      out += c;
    }
  }
  return false;
}

namespace {

// Where the data of a value line begins (after "name"= or @=); npos when the
// line is no value line.
std::size_t ValueDataStart(const std::string& line) {
  std::size_t pos = 0;
  std::string name;
  if (!line.empty() && line[0] == '@')
    pos = 1;
  else if (!ParseQuoted(line, pos, name))
    return std::string::npos;
  return pos < line.size() && line[pos] == '=' ? pos + 1 : std::string::npos;
}

// Only hex data continues on the next line after a final backslash; a
// string that ends with one, or a comment, does not.
bool ContinuesHexData(const std::string& line) {
  if (line.empty() || line.back() != '\\') return false;
  const std::size_t data = ValueDataStart(line);
  return data != std::string::npos && line.compare(data, 3, "hex") == 0;
}

}  // namespace

bool ParseValueData(const std::string& data, RegValue& value, bool& deleteValue) {
  deleteValue = false;
  if (data == "-") {
    deleteValue = true;
    return true;
  }
  if (!data.empty() && data[0] == '"') {
    std::size_t pos = 0;
    std::string text;
    if (!ParseQuoted(data, pos, text) || pos != data.size()) return false;
    value = RegValue::String(text);
    return true;
  }
  if (data.rfind("dword:", 0) == 0) {
    std::uint32_t number = 0;
    if (!ParseHex32(data.substr(6), number)) return false;
    value = RegValue::Dword(number);
    return true;
  }
  std::uint32_t type = kRegBinary;
  std::string rest;
  if (data.rfind("hex:", 0) == 0) {
    rest = data.substr(4);
  } else if (data.rfind("hex(", 0) == 0) {
    const auto close = data.find("):");
    if (close == std::string::npos || !ParseHex32(data.substr(4, close - 4), type)) return false;
    rest = data.substr(close + 2);
  } else {
    return false;
  }
  std::string bytes;
  if (!ParseHexBytes(rest, bytes)) return false;
  if ((type == kRegSz || type == kRegExpandSz) && !bytes.empty() && bytes.back() == '\0') bytes.pop_back();
  value.type = type;
  value.data = bytes;
  return true;
}

namespace {

std::string Quote(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + "\"";
}

std::string HexBytes(const std::string& bytes) {
  static const char* kDigits = "0123456789abcdef";
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i) out += ',';
    const auto b = static_cast<unsigned char>(bytes[i]);
    out += kDigits[b >> 4];
    out += kDigits[b & 15];
  }
  return out;
}

// A string goes between quotes unless the text form cannot hold it on its
// one line: a NUL, or a line break, which would split the line.
bool QuotableString(const std::string& data) {
  return data.find_first_of(std::string("\0\r\n", 3)) == std::string::npos;
}

}  // namespace

std::string RegTextHexData(const RegValue& value) {
  if (value.type == kRegBinary) return "hex:" + HexBytes(value.data);
  char type[16];
  std::snprintf(type, sizeof type, "hex(%x):", value.type);
  std::string bytes = value.data;
  if (value.type == kRegSz || value.type == kRegExpandSz) bytes += '\0';
  return type + HexBytes(bytes);
}

std::string RegTextValueLine(const std::string& name, const std::optional<RegValue>& value) {
  std::string out = name.empty() ? std::string("@") : Quote(name);
  out += '=';
  if (!value) return out + "-";
  const RegValue& v = *value;
  if (auto dword = v.AsDword()) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%08x", *dword);
    out += "dword:";
    out += digits;
  } else if (v.type == kRegSz && QuotableString(v.data)) {
    out += Quote(v.data);
  } else {
    out += RegTextHexData(v);
  }
  return out;
}

std::vector<std::pair<int, std::string>> LogicalLines(const std::string& text) {
  std::vector<std::pair<int, std::string>> logical;
  int lineNumber = 0;
  std::string pending;
  int pendingStart = 0;
  bool continuing = false;
  std::size_t pos = 0;
  while (pos <= text.size()) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    ++lineNumber;
    if (!continuing) pendingStart = lineNumber;
    const std::size_t first = line.find_first_not_of(" \t");
    line = first == std::string::npos ? std::string() : line.substr(first);
    const bool continues = continuing ? !line.empty() && line.back() == '\\' : ContinuesHexData(line);
    if (continues) line.pop_back();
    pending += line;
    if (!continues) {
      logical.emplace_back(pendingStart, std::move(pending));
      pending.clear();
    }
    continuing = continues;
    if (end == text.size()) break;
    pos = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
  if (continuing) logical.emplace_back(pendingStart, std::move(pending));
  return logical;
}

}  // namespace velomar::platform
