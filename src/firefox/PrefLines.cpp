// The user_pref line format of user.js and the two preference tables.
#include "firefox/PrefLines.h"

#include <algorithm>
#include <array>

#include "platform/System.h"

namespace velomar {

PrefEntry MakePrefEntry(std::string_view name, std::string_view value) {
  PrefEntry entry;
  entry.head.append("user_pref(\"").append(name).append("\"");
  entry.tail.append(", ").append(value).append(");");
  return entry;
}

std::string PrefNameOf(std::string_view text) {
  const std::size_t open = text.find('"');
  if (open == std::string_view::npos) return {};
  const std::size_t close = text.find('"', open + 1);
  return std::string(
      text.substr(open + 1, close == std::string_view::npos ? std::string_view::npos : close - open - 1));
}

std::string PrefValueOf(std::string_view text) {
  const std::size_t comma = text.find(',');
  if (comma == std::string_view::npos) return {};
  const std::size_t close = text.find(')', comma + 1);
  return std::string(
      text.substr(comma + 1, close == std::string_view::npos ? std::string_view::npos : close - comma - 1));
}

namespace {

std::vector<PrefEntry> BuildCommonPrefs() {
  static constexpr std::array<std::pair<const char*, const char*>, 13> kCommon{{
      {"network.http.pipelining", "true"},
      {"network.http.pipelining.firstrequest", "true"},
      {"network.http.pipelining.maxrequests", "8"},
      {"network.http.proxy.pipelining", "true"},
      {"network.http.request.max-start-delay", "0"},
      {"content.notify.backoffcount", "5"},
      {"plugin.expose_full_path", "true"},
      {"ui.submenuDelay", "0"},
      {"browser.turbo.enabled", "true"},
      {"browser.display.show_image_placeholders", "true"},
      {"browser.chrome.favicons", "false"},
      {"browser.urlbar.autocomplete.enabled", "true"},
      {"browser.urlbar.autofill", "true"},
  }};
  std::vector<PrefEntry> entries;
  for (const auto& [name, value] : kCommon) entries.push_back(MakePrefEntry(name, value));
  return entries;
}

struct ClassRow {
  const char* name;
  std::array<const char*, 4> values;  // by machine class; nullptr: remove the line
};

constexpr std::array<ClassRow, 14> kClassRows{{
    {"content.maxtextrun", {nullptr, "4095", "8191", nullptr}},
    {"content.notify.ontimer", {"true", "true", "true", "true"}},
    {"content.interrupt.parsing", {nullptr, nullptr, "true", "true"}},
    {"content.notify.interval", {"750000", "1000000", "750000", "750000"}},
    {"content.switch.threshold", {"750000", "1000000", "750000", "750000"}},
    {"content.max.tokenizing.time", {"2250000", "3000000", "3000000", "2250000"}},
    {"network.http.max-connections", {"32", "48", "32", "48"}},
    {"network.http.max-connections-per-server", {"8", "16", "8", "16"}},
    {"network.http.max-persistent-connections-per-proxy", {"8", "16", "8", "16"}},
    {"network.http.max-persistent-connections-per-server", {"4", "8", "4", "8"}},
    {"browser.xul.error_pages.enabled", {nullptr, nullptr, "true", nullptr}},
    {"browser.cache.memory.capacity", {"16000", "16000", "65536", "65536"}},
    {"dom.disable_window_status_change", {"true", "true", nullptr, nullptr}},
    {"nglayout.initialpaint.delay", {"750", "1000", "0", "0"}},
}};

// The automatic set marks a removal; the custom set writes nothing there.
std::array<std::vector<PrefEntry>, 4> BuildClassPrefs(bool forCustomPass) {
  std::array<std::vector<PrefEntry>, 4> columns;
  for (int machineClass = 0; machineClass < 4; ++machineClass) {
    for (const auto& row : kClassRows) {
      const char* value = row.values[static_cast<std::size_t>(machineClass)];
      if (value)
        columns[static_cast<std::size_t>(machineClass)].push_back(MakePrefEntry(row.name, value));
      else if (forCustomPass)
        columns[static_cast<std::size_t>(machineClass)].push_back(PrefEntry{});
      else
        columns[static_cast<std::size_t>(machineClass)].push_back(MakePrefEntry(row.name, "del"));
    }
  }
  return columns;
}

std::size_t ClassColumn(int machineClass) { return static_cast<std::size_t>(std::clamp(machineClass, 0, 3)); }

}  // namespace

const std::vector<PrefEntry>& CommonPrefs() {
  static const std::vector<PrefEntry> entries = BuildCommonPrefs();
  return entries;
}

const std::vector<PrefEntry>& MachineClassPrefs(int machineClass) {
  static const auto columns = BuildClassPrefs(false);
  return columns[ClassColumn(machineClass)];
}

const std::vector<PrefEntry>& CustomMachineClassPrefs(int machineClass) {
  static const auto columns = BuildClassPrefs(true);
  return columns[ClassColumn(machineClass)];
}

const std::vector<std::string>& VelomarPrefNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> all;
    for (const auto& entry : CommonPrefs()) all.push_back(PrefNameOf(entry.head));
    for (const auto& row : kClassRows) all.push_back(row.name);
    return all;
  }();
  return names;
}

bool IsMemoryBig(std::uint64_t totalPhysicalBytes) { return totalPhysicalBytes >= kOneGiB; }

std::optional<bool> QueryMemoryBig() {
  const platform::PhysicalMemory memory = platform::TotalPhysicalMemory();
  if (memory.totalBytes) return IsMemoryBig(*memory.totalBytes);
  if (memory.errorCode != 0) return false;
  return std::nullopt;
}

int MachineClassOf(bool memoryBig, std::int32_t bandwidthKbps) {
  return (memoryBig ? 2 : 0) + (bandwidthKbps >= 1024 ? 1 : 0);
}

void SortPrefLines(Lines& lines) {
  std::stable_sort(lines.begin(), lines.end(), [](const std::string& a, const std::string& b) {
    return platform::CompareTextIgnoringCase(a, b) < 0;
  });
}

}  // namespace velomar
