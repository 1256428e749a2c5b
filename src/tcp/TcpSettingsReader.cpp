#include "tcp/TcpSettingsReader.h"

#include "registry/RegistryStore.h"

namespace velomar {

namespace {

// The number a value holds, or nothing when it is missing or holds no
// 32-bit number (the store then answers RegNoValue): the page shows both
// alike, so that the custom pass never writes the sentinel back as data.
std::optional<std::int32_t> StoredNumber(const std::string& root, const std::string& path, const std::string& name) {
  if (RegValueStatus(root, path, name) != kRegValuePresent) return std::nullopt;
  const std::int32_t value = ReadRegInteger(root, path, name);
  if (value == RegNoValue) return std::nullopt;
  return value;
}

void ReadTcpField(const CustomTcpField& field, CustomTcpSettings& values) {
  const auto stored = StoredNumber(field.value.root, field.value.path, field.value.name);
  switch (field.kind) {
    case CustomTcpField::Kind::Number: values.*field.number = stored.value_or(field.fallback); break;
    case CustomTcpField::Kind::Switch:
      values.*field.choice = stored == 1 ? TcpSwitch::Yes : stored == 0 ? TcpSwitch::No : TcpSwitch::Default;
      break;
    case CustomTcpField::Kind::Tcp1323Bit: values.*field.flag = stored && field.checkedBy(*stored); break;
  }
}

}  // namespace

CurrentTcpSettings ReadTcpSettings(const std::string& selectedService) {
  CurrentTcpSettings current;
  for (const CustomTcpField* field : CustomTcpFields()) ReadTcpField(*field, current.values);
  for (const auto& id : ListAdapters()) {
    if (selectedService.empty() || id != selectedService) continue;
    const RegStep mtu = AdapterSteps(id, 0).front();
    const auto value = StoredNumber(mtu.root, mtu.path, mtu.name);
    current.mtu = value.value_or(kEthernetMtu);
    current.checkPppoe = current.checkPppoe || value == kPppoeMtu;
  }
  return current;
}

}  // namespace velomar
