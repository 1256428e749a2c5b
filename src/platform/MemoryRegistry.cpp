#include "platform/MemoryRegistry.h"

#include <utility>
#include <vector>

#include "platform/Files.h"
#include "platform/RegeditFormat.h"

namespace velomar::platform {

namespace {

// The system takes names and paths as C strings, which end at the first NUL.
std::string AsCString(const std::string& text) { return text.substr(0, text.find('\0')); }

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : AsCString(path)) {
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

  Node() = default;
  ~Node();
  Node(const Node&) = delete;
  Node& operator=(const Node&) = delete;
};

// Destroying the subkeys one by one from a list of our own, so that a deep
// tree does not recurse as deep as it is.
MemoryRegistry::Node::~Node() {
  std::vector<std::unique_ptr<Node>> pending;
  auto detach = [&pending](Node& node) {
    for (auto& [upper, child] : node.subkeys) pending.push_back(std::move(child));
    node.subkeys.clear();
  };
  detach(*this);
  while (!pending.empty()) {
    std::unique_ptr<Node> node = std::move(pending.back());
    pending.pop_back();
    detach(*node);
  }
}

namespace {

class MemoryKey : public RegistryKey {
 public:
  explicit MemoryKey(MemoryRegistry::Node* node) : node_(node) {}

  std::optional<RegValue> Query(const std::string& name) override {
    auto it = node_->values.find(FoldedRegistryName(AsCString(name)));
    if (it == node_->values.end()) return std::nullopt;
    return it->second.value;
  }

  RegResult SetValue(const std::string& fullName, const RegValue& value) override {
    const std::string name = AsCString(fullName);
    if (name.size() > kMaxValueNameLength) return {kErrorInvalidParameter};
    auto& slot = node_->values[FoldedRegistryName(name)];
    if (slot.name.empty()) slot.name = name;
    slot.value = value;
    return {};
  }

  RegResult DeleteValue(const std::string& name) override {
    return {node_->values.erase(FoldedRegistryName(AsCString(name))) > 0 ? 0 : kErrorFileNotFound};
  }

  std::optional<std::size_t> ValueCount() override { return node_->values.size(); }

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
  for (RegRoot root : kRegRoots) {
    auto node = std::make_unique<Node>();
    node->name = RootName(root);
    roots_[root] = std::move(node);
  }
}

MemoryRegistry::Node* MemoryRegistry::Find(RegRoot root, const std::string& path) const {
  Node* node = roots_.at(root).get();
  for (const auto& part : SplitPath(path)) {
    auto it = node->subkeys.find(FoldedRegistryName(part));
    if (it == node->subkeys.end()) return nullptr;
    node = it->second.get();
  }
  return node;
}

MemoryRegistry::Node* MemoryRegistry::Create(RegRoot root, const std::string& path, RegResult& result, bool asSystem) {
  const auto parts = SplitPath(path);
  if (!KeyPathBeyondLimits(parts).empty()) {
    result = {kErrorInvalidParameter};
    return nullptr;
  }
  Node* node = roots_.at(root).get();
  for (const auto& part : parts) {
    auto& child = node->subkeys[FoldedRegistryName(part)];
    if (!child) {
      // A new subkey needs the parent's leave, which a denied key withholds.
      if (node->fullAccessDenied && !asSystem) {
        node->subkeys.erase(FoldedRegistryName(part));
        result = {kErrorAccessDenied};
        return nullptr;
      }
      child = std::make_unique<Node>();
      child->name = part;
    }
    node = child.get();
  }
  return node;
}

OpenedKey MemoryRegistry::OpenKey(RegRoot root, const std::string& path, bool create) {
  Node* node = Find(root, path);
  RegResult result;
  if (!node && create) node = Create(root, path, result);
  if (!node) return {nullptr, result ? RegResult{kErrorFileNotFound} : result};
  if (node->fullAccessDenied) return {nullptr, {kErrorAccessDenied}};
  return {std::make_unique<MemoryKey>(node), {}};
}

bool MemoryRegistry::KeyExists(RegRoot root, const std::string& path) { return Find(root, path) != nullptr; }

RegResult MemoryRegistry::DeleteKey(RegRoot root, const std::string& path) {
  auto parts = SplitPath(path);
  if (parts.empty()) return {kErrorInvalidParameter};
  Node* node = Find(root, path);
  if (!node) return {kErrorFileNotFound};
  if (node->fullAccessDenied) return {kErrorAccessDenied};
  if (!node->subkeys.empty()) return {kErrorAccessDenied};  // as RegDeleteKey answers for a key with subkeys
  const std::string last = parts.back();
  parts.pop_back();
  std::string parentPath;
  for (const auto& p : parts) parentPath += p + "\\";
  Find(root, parentPath)->subkeys.erase(FoldedRegistryName(last));
  return {};
}

bool MemoryRegistry::DeleteKeyTree(RegRoot root, const std::string& path) {
  auto parts = SplitPath(path);
  if (parts.empty()) return false;
  const std::string last = parts.back();
  parts.pop_back();
  std::string parentPath;
  for (const auto& p : parts) parentPath += p + "\\";
  Node* parent = Find(root, parentPath);
  return parent && parent->subkeys.erase(FoldedRegistryName(last)) > 0;
}

bool MemoryRegistry::DenyFullAccess(RegRoot root, const std::string& path) {
  Node* node = Find(root, path);
  if (!node) return false;
  node->fullAccessDenied = true;
  return true;
}

std::optional<RegRoot> ParseRootName(const std::string& name) {
  static const std::pair<const char*, RegRoot> kAbbreviations[] = {
      {"HKCR", RegRoot::ClassesRoot}, {"HKCU", RegRoot::CurrentUser},   {"HKLM", RegRoot::LocalMachine},
      {"HKU", RegRoot::Users},        {"HKCC", RegRoot::CurrentConfig},
  };
  const std::string upper = FoldedRegistryName(name);
  if (const auto root = RootNamed(upper)) return root;
  for (const auto& [abbreviation, root] : kAbbreviations)
    if (upper == abbreviation) return root;
  return std::nullopt;
}

// ---- REGEDIT4 text ----------------------------------------------------------

namespace {

// One step of a .reg file, applied in file order once the whole text parsed.
struct RegTextStep {
  enum class Kind { OpenKey, DeleteKey, SetValue, DeleteValue };
  Kind kind = Kind::OpenKey;
  RegRoot root = RegRoot::CurrentUser;  // keys
  std::string path;                     // keys
  std::string name;                     // values, of the key opened last
  RegValue value;
};
}  // namespace

bool MemoryRegistry::LoadRegText(const std::string& text, std::string& error) {
  const auto logical = LogicalLines(text);
  std::vector<RegTextStep> steps;
  bool sawHeader = false;
  bool inKey = false;
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
      RegTextStep step;
      const auto root = ParseRootName(key.substr(0, slash));
      if (!root) return fail(lineNumber, "unknown root key in [" + key.substr(0, 300) + "]");
      step.root = *root;
      step.path = slash == std::string::npos ? std::string() : key.substr(slash + 1);
      const std::string beyond = KeyPathBeyondLimits(SplitPath(step.path));
      if (!beyond.empty()) return fail(lineNumber, beyond);
      step.kind = keyDeleted ? RegTextStep::Kind::DeleteKey : RegTextStep::Kind::OpenKey;
      steps.push_back(std::move(step));
      inKey = true;
      continue;
    }
    if (!inKey) return fail(lineNumber, "value before any key");
    RegTextStep step;
    std::size_t pos = 0;
    if (line[0] == '@') {
      pos = 1;
    } else if (!ParseQuoted(line, pos, step.name)) {
      return fail(lineNumber, "bad value name");
    }
    if (step.name.size() > kMaxValueNameLength)
      return fail(lineNumber, "value name longer than " + std::to_string(kMaxValueNameLength) + " characters (" +
                                  std::to_string(step.name.size()) + ")");
    if (pos >= line.size() || line[pos] != '=') return fail(lineNumber, "expected '=' after the value name");
    bool deleteValue = false;
    if (!ParseValueData(line.substr(pos + 1), step.value, deleteValue))
      return fail(lineNumber, "bad value data: " + line.substr(pos + 1, 300));
    step.kind = deleteValue ? RegTextStep::Kind::DeleteValue : RegTextStep::Kind::SetValue;
    if (!keyDeleted) steps.push_back(std::move(step));
  }
  if (!sawHeader)
    for (const auto& [lineNumber, line] : logical)
      if (!line.empty()) return fail(lineNumber, "not a registry file (expected REGEDIT4)");

  // Values belong to the key opened last; they follow no deletion.
  Node* node = nullptr;
  RegResult created;
  for (const auto& step : steps) {
    switch (step.kind) {
      case RegTextStep::Kind::OpenKey: node = Create(step.root, step.path, created, /*asSystem=*/true); break;
      case RegTextStep::Kind::DeleteKey:
        DeleteKeyTree(step.root, step.path);
        node = nullptr;
        break;
      case RegTextStep::Kind::SetValue: MemoryKey(node).SetValue(step.name, step.value); break;
      case RegTextStep::Kind::DeleteValue: MemoryKey(node).DeleteValue(step.name); break;
    }
  }
  return true;
}

std::string MemoryRegistry::SaveRegText() const {
  std::string out = "REGEDIT4\r\n";
  auto writeKey = [&out](const std::string& path, const Node& node) {
    out += "\r\n[" + path + "]\r\n";
    for (const auto& [upper, named] : node.values) out += RegTextValueLine(named.name, named.value) + "\r\n";
  };
  // Depth first from a list of our own (a deep tree would overflow the
  // stack by recursion); `path` holds the path of the key being written.
  struct Pending {
    const Node* node;
    std::size_t parentLength;  // of the parent's path
  };
  std::vector<Pending> pending;
  std::string path;
  auto pushChildren = [&](const Node& node) {
    for (auto it = node.subkeys.rbegin(); it != node.subkeys.rend(); ++it)
      pending.push_back({it->second.get(), path.size()});
  };
  for (RegRoot root : kRegRoots) {
    const Node& top = *roots_.at(root);
    path = RootName(root);
    if (!top.values.empty()) writeKey(path, top);
    pushChildren(top);
    while (!pending.empty()) {
      const Pending next = pending.back();
      pending.pop_back();
      path.resize(next.parentLength);
      path += '\\';
      path += next.node->name;
      if (!next.node->values.empty() || next.node->subkeys.empty()) writeKey(path, *next.node);
      pushChildren(*next.node);
    }
  }
  return out;
}

bool MemoryRegistry::SameTree(const MemoryRegistry& other) const {
  auto sameNode = [](const Node& a, const Node& b) {
    if (a.name != b.name || a.fullAccessDenied != b.fullAccessDenied || a.values.size() != b.values.size() ||
        a.subkeys.size() != b.subkeys.size())
      return false;
    for (auto x = a.values.begin(), y = b.values.begin(); x != a.values.end(); ++x, ++y)
      if (x->first != y->first || x->second.name != y->second.name || !(x->second.value == y->second.value))
        return false;
    for (auto x = a.subkeys.begin(), y = b.subkeys.begin(); x != a.subkeys.end(); ++x, ++y)
      if (x->first != y->first) return false;
    return true;
  };
  std::vector<std::pair<const Node*, const Node*>> pending;
  for (RegRoot root : kRegRoots) pending.emplace_back(roots_.at(root).get(), other.roots_.at(root).get());
  while (!pending.empty()) {
    const auto [a, b] = pending.back();
    pending.pop_back();
    if (!sameNode(*a, *b)) return false;
    for (auto x = a->subkeys.begin(), y = b->subkeys.begin(); x != a->subkeys.end(); ++x, ++y)
      pending.emplace_back(x->second.get(), y->second.get());
  }
  return true;
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
