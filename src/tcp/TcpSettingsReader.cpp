#include "tcp/TcpSettingsReader.h"

#include "registry/RegistryStore.h"

namespace velomar {

namespace {

void ReadTcpField(const CustomTcpField& field, CustomTcpSettings& values) {
  const auto stored = ReadRegInteger(field.value.root, field.value.path, field.value.name);
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
    const auto value = ReadRegInteger(mtu.root, mtu.path, mtu.name);
    current.mtu = value.value_or(kEthernetMtu);
    current.checkPppoe = current.checkPppoe || value == kPppoeMtu;
  }
  return current;
}

}  // namespace velomar
