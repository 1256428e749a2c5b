#include "platform/MemoryRegistry.h"

#include <cctype>
#include <cstdio>
#include <vector>

#include "platform/Files.h"

namespace velomar::platform {

namespace {

std::string Upper(const std::string& text) {
  std::string upper = text;
  for (auto& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path) {
    if (c == '\\') {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) parts.push_back(part);
  return parts;
}

constexpr RegRoot kAllRoots[] = {RegRoot::ClassesRoot, RegRoot::CurrentUser, RegRoot::LocalMachine, RegRoot::Users,
                                 RegRoot::CurrentConfig};

}  // namespace

struct MemoryRegistry::Node {
  struct NamedValue {
    std::string name;
    RegValue value;
  };
  std::string name;
  bool fullAccessDenied = false;
  // Keyed by the upper-cased name: map order is the enumeration order.
  std::map<std::string, NamedValue> values;
  std::map<std::string, std::unique_ptr<Node>> subkeys;
};

namespace {

class MemoryKey : public RegistryKey {
 public:
  explicit MemoryKey(MemoryRegistry::Node* node) : node_(node) {}

  std::optional<RegValue> Query(const std::string& name) override {
    auto it = node_->values.find(Upper(name));
    if (it == node_->values.end()) return std::nullopt;
    return it->second.value;
  }

  bool SetValue(const std::string& name, const RegValue& value) override {
    auto& slot = node_->values[Upper(name)];
    if (slot.name.empty()) slot.name = name;
    slot.value = value;
    return true;
  }

  bool DeleteValue(const std::string& name) override { return node_->values.erase(Upper(name)) > 0; }

  std::optional<std::vector<std::string>> SubKeys() override {
    std::vector<std::string> names;
    for (const auto& [upper, child] : node_->subkeys) names.push_back(child->name);
    return names;
  }

 private:
  MemoryRegistry::Node* node_;
};

}  // namespace

MemoryRegistry::MemoryRegistry() { Clear(); }
MemoryRegistry::~MemoryRegistry() = default;

void MemoryRegistry::Clear() {
  roots_.clear();
  for (RegRoot root : kAllRoots) {
    auto node = std::make_unique<Node>();
    node->name = RootName(root);
    roots_[root] = std::move(node);
  }
}

MemoryRegistry::Node* MemoryRegistry::Find(RegRoot root, const std::string& path) const {
  Node* node = roots_.at(root).get();
  for (const auto& part : SplitPath(path)) {
    auto it = node->subkeys.find(Upper(part));
    if (it == node->subkeys.end()) return nullptr;
    node = it->second.get();
  }
  return node;
}

MemoryRegistry::Node* MemoryRegistry::Create(RegRoot root, const std::string& path) {
  Node* node = roots_.at(root).get();
  for (const auto& part : SplitPath(path)) {
    auto& child = node->subkeys[Upper(part)];
    if (!child) {
      child = std::make_unique<Node>();
      child->name = part;
    }
    node = child.get();
  }
  return node;
}

std::unique_ptr<RegistryKey> MemoryRegistry::Open(RegRoot root, const std::string& path, bool create) {
  Node* node = Find(root, path);
  if (!node && create) node = Create(root, path);
  if (!node || node->fullAccessDenied) return nullptr;
  return std::make_unique<MemoryKey>(node);
}

bool MemoryRegistry::KeyExists(RegRoot root, const std::string& path) { return Find(root, path) != nullptr; }

bool MemoryRegistry::DeleteKeyTree(RegRoot root, const std::string& path) {
  auto parts = SplitPath(path);
  if (parts.empty()) return false;
  const std::string last = parts.back();
  parts.pop_back();
  std::string parentPath;
  for (const auto& p : parts) parentPath += p + "\\";
  Node* parent = Find(root, parentPath);
  return parent && parent->subkeys.erase(Upper(last)) > 0;
}

bool MemoryRegistry::DenyFullAccess(RegRoot root, const std::string& path) {
  Node* node = Find(root, path);
  if (!node) return false;
  node->fullAccessDenied = true;
  return true;
}

bool ParseRootName(const std::string& name, RegRoot& root) {
  static const struct {
    const char* full;
    const char* abbreviation;
    RegRoot root;
  } kNames[] = {
      {"HKEY_CLASSES_ROOT", "HKCR", RegRoot::ClassesRoot},   {"HKEY_CURRENT_USER", "HKCU", RegRoot::CurrentUser},
      {"HKEY_LOCAL_MACHINE", "HKLM", RegRoot::LocalMachine}, {"HKEY_USERS", "HKU", RegRoot::Users},
      {"HKEY_CURRENT_CONFIG", "HKCC", RegRoot::CurrentConfig},
  };
  const std::string upper = Upper(name);
  for (const auto& entry : kNames) {
    if (upper == entry.full || upper == entry.abbreviation) {
      root = entry.root;
      return true;
    }
  }
  return false;
}

// ---- REGEDIT4 text ----------------------------------------------------------

namespace {

struct ParsedValue {
  std::string key;  // "ROOT\path"
  bool header = false;
  bool deleteKey = false;
  bool deleteValue = false;
  std::string name;
  RegValue value;
};

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
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

// Reads a quoted string starting at text[pos] == '"'; pos ends after the quote.
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
    const std::string digits = data.substr(6);
    if (digits.empty() || digits.size() > 8) return false;
    std::uint32_t number = 0;
    for (char c : digits) {
      const int d = HexDigit(c);
      if (d < 0) return false;
      number = number * 16 + static_cast<std::uint32_t>(d);
    }
    value = RegValue::Dword(number);
    return true;
  }
  std::uint32_t type = kRegBinary;
  std::string rest;
  if (data.rfind("hex:", 0) == 0) {
    rest = data.substr(4);
  } else if (data.rfind("hex(", 0) == 0) {
    const auto close = data.find("):");
    if (close == std::string::npos || close == 4) return false;
    type = 0;
    for (std::size_t i = 4; i < close; ++i) {
      const int d = HexDigit(data[i]);
      if (d < 0) return false;
      type = type * 16 + static_cast<std::uint32_t>(d);
    }
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

}  // namespace

bool MemoryRegistry::LoadRegText(const std::string& text, std::string& error) {
  // Join continuation lines first, remembering where each logical line began.
  std::vector<std::pair<int, std::string>> logical;
  {
    int lineNumber = 0;
    std::string pending;
    int pendingStart = 0;
    std::size_t pos = 0;
    while (pos <= text.size()) {
      std::size_t end = text.find_first_of("\r\n", pos);
      if (end == std::string::npos) end = text.size();
      std::string line = text.substr(pos, end - pos);
      ++lineNumber;
      if (pending.empty()) pendingStart = lineNumber;
      std::size_t first = line.find_first_not_of(" \t");
      line = first == std::string::npos ? std::string() : line.substr(first);
      if (!line.empty() && line.back() == '\\' && line.find("=hex") != std::string::npos) {
        line.pop_back();
        pending += line;
      } else if (!pending.empty() && !line.empty() && line.back() == '\\') {
        line.pop_back();
        pending += line;
      } else {
        pending += line;
        logical.emplace_back(pendingStart, pending);
        pending.clear();
      }
      if (end == text.size()) break;
      pos = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
    if (!pending.empty()) logical.emplace_back(pendingStart, pending);
  }

  std::vector<ParsedValue> parsed;
  bool sawHeader = false;
  std::string currentKey;
  bool keyDeleted = false;
  auto fail = [&](int line, const std::string& why) {
    error = "line " + std::to_string(line) + ": " + why;
    return false;
  };
  for (const auto& [lineNumber, line] : logical) {
    if (line.empty() || line[0] == ';') continue;
    if (!sawHeader) {
      if (line != "REGEDIT4" && line != "Windows Registry Editor Version 5.00")
        return fail(lineNumber, "not a registry file (expected REGEDIT4)");
      sawHeader = true;
      continue;
    }
    if (line[0] == '[') {
      const auto close = line.rfind(']');
      if (close == std::string::npos) return fail(lineNumber, "key header without ']'");
      std::string key = line.substr(1, close - 1);
      keyDeleted = !key.empty() && key[0] == '-';
      if (keyDeleted) key.erase(0, 1);
      const auto slash = key.find('\\');
      RegRoot root;
      if (!ParseRootName(key.substr(0, slash), root)) return fail(lineNumber, "unknown root key in [" + key + "]");
      currentKey = key;
      ParsedValue entry;
      entry.key = key;
      entry.header = true;
      entry.deleteKey = keyDeleted;
      parsed.push_back(entry);
      continue;
    }
    if (currentKey.empty()) return fail(lineNumber, "value before any key");
    ParsedValue entry;
    entry.key = currentKey;
    std::size_t pos = 0;
    if (line[0] == '@') {
      pos = 1;
    } else if (!ParseQuoted(line, pos, entry.name)) {
      return fail(lineNumber, "bad value name");
    }
    if (pos >= line.size() || line[pos] != '=') return fail(lineNumber, "expected '=' after the value name");
    if (!ParseValueData(line.substr(pos + 1), entry.value, entry.deleteValue))
      return fail(lineNumber, "bad value data: " + line.substr(pos + 1));
    if (!keyDeleted) parsed.push_back(entry);
  }
  if (!sawHeader && !logical.empty()) {
    for (const auto& [lineNumber, line] : logical)
      if (!line.empty()) return fail(lineNumber, "not a registry file (expected REGEDIT4)");
  }

  for (const auto& entry : parsed) {
    const auto slash = entry.key.find('\\');
    RegRoot root;
    ParseRootName(entry.key.substr(0, slash), root);
    const std::string path = slash == std::string::npos ? std::string() : entry.key.substr(slash + 1);
    if (entry.deleteKey) {
      DeleteKeyTree(root, path);
      continue;
    }
    Node* node = Create(root, path);
    if (entry.header) continue;
    MemoryKey key(node);
    if (entry.deleteValue)
      key.DeleteValue(entry.name);
    else
      key.SetValue(entry.name, entry.value);
  }
  return true;
}

std::string MemoryRegistry::SaveRegText() const {
  std::string out = "REGEDIT4\r\n";
  struct Walker {
    std::string& out;
    void Walk(const Node& node, const std::string& path) {
      out += "\r\n[" + path + "]\r\n";
      for (const auto& [upper, named] : node.values) {
        out += named.name.empty() ? std::string("@") : Quote(named.name);
        out += '=';
        const RegValue& v = named.value;
        if (auto dword = v.AsDword()) {
          char digits[16];
          std::snprintf(digits, sizeof digits, "%08x", *dword);
          out += "dword:";
          out += digits;
        } else if (v.type == kRegSz && v.data.find('\0') == std::string::npos) {
          out += Quote(v.data);
        } else if (v.type == kRegBinary) {
          out += "hex:" + HexBytes(v.data);
        } else {
          char type[16];
          std::snprintf(type, sizeof type, "hex(%x):", v.type);
          std::string bytes = v.data;
          if (v.type == kRegSz || v.type == kRegExpandSz) bytes += '\0';
          out += type + HexBytes(bytes);
        }
        out += "\r\n";
      }
      for (const auto& [upper, child] : node.subkeys) Walk(*child, path + "\\" + child->name);
    }
  } walker{out};
  for (RegRoot root : kAllRoots) {
    const Node& node = *roots_.at(root);
    for (const auto& [upper, child] : node.subkeys) walker.Walk(*child, std::string(RootName(root)) + "\\" + child->name);
  }
  return out;
}

bool MemoryRegistry::LoadRegFile(const std::string& path, std::string& error) {
  std::string text;
  if (!ReadWholeFile(path, text, error)) return false;
  if (text.find('\0') != std::string::npos) {
    error = "\"" + path + "\" is not a registry text file";
    return false;
  }
  if (!LoadRegText(text, error)) {
    error = "\"" + path + "\", " + error;
    return false;
  }
  return true;
}

bool MemoryRegistry::SaveRegFile(const std::string& path, std::string& error) const {
  return ReplaceFileContents(path, SaveRegText(), error);
}

}  // namespace velomar::platform
