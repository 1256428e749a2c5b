#include "platform/Registry.h"

namespace velomar::platform {

RegValue RegValue::Dword(std::uint32_t value) {
  RegValue v;
  v.type = kRegDword;
  v.data.resize(4);
  for (int i = 0; i < 4; ++i) v.data[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  return v;
}

RegValue RegValue::String(std::string text, std::uint32_t type) {
  RegValue v;
  v.type = type;
  v.data = std::move(text);
  return v;
}

std::optional<std::uint32_t> RegValue::AsDword() const {
  if (type != kRegDword || data.size() != 4) return std::nullopt;
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(data[i]);
  return value;
}

const char* RootName(RegRoot root) {
  switch (root) {
    case RegRoot::ClassesRoot: return "HKEY_CLASSES_ROOT";
    case RegRoot::CurrentUser: return "HKEY_CURRENT_USER";
    case RegRoot::LocalMachine: return "HKEY_LOCAL_MACHINE";
    case RegRoot::Users: return "HKEY_USERS";
    case RegRoot::CurrentConfig: return "HKEY_CURRENT_CONFIG";
  }
  return "";
}

std::optional<RegRoot> RootNamed(std::string_view name) {
  for (const RegRoot root : kRegRoots)
    if (name == RootName(root)) return root;
  return std::nullopt;
}

std::string KeyPathBeyondLimits(const std::vector<std::string>& names) {
  if (names.size() > kMaxKeyDepth)
    return "key deeper than " + std::to_string(kMaxKeyDepth) + " levels (" + std::to_string(names.size()) + ")";
  for (const auto& name : names)
    if (name.size() > kMaxKeyNameLength)
      return "key name longer than " + std::to_string(kMaxKeyNameLength) + " characters (" +
             std::to_string(name.size()) + ")";
  return {};
}

namespace {
char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
}  // namespace

std::string FoldedRegistryName(std::string_view name) {
  std::string folded(name);
  for (auto& c : folded) c = UpperAscii(c);
  return folded;
}

bool SameRegistryName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
  return true;
}

}  // namespace velomar::platform
