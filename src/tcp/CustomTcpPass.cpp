// The expert pass over the custom page's record, in its own order, and the
// page's fields.
#include "tcp/CustomTcpPass.h"

#include <functional>

#include "bandwidth/BandwidthClass.h"
#include "registry/RegistryStore.h"
#include "util/Numbers.h"

namespace velomar {

namespace {

using Steps = std::vector<RegStep>;
using Kind = CustomTcpField::Kind;

// One tick of the custom pass: the page fields it writes, or steps of the
// pass's own.
struct CustomTick {
  std::vector<const CustomTcpField*> fields;
  std::function<Steps(const CustomTcpSettings&)> own;
};

const std::vector<CustomTick>& CustomTicks() {
  namespace field = custom_field;
  using namespace tuned;
  const auto fixed = [](Steps steps) { return [steps](const CustomTcpSettings&) { return steps; }; };
  static const std::vector<CustomTick> ticks = {
      {{&field::RecvWindow}, {}},
      {{}, [](const CustomTcpSettings& in) { return Steps{Write(GlobalMaxTcpWindowSize, in.recvWindow)}; }},
      {{},
       [](const CustomTcpSettings& in) {
         return Steps{WriteIfPresent(DefaultReceiveWindow, ReceiveBufferFigure(in.bandwidthKbps))};
       }},
      {{&field::MtuDiscovery}, {}},
      {{&field::BlackHoleDetect}, {}},
      {{&field::Selective}, {}},
      {{&field::MaxDuplicate}, {}},
      {{&field::TimeToLive}, {}},
      {{&field::WindowScaling, &field::Timestamps}, {}},
      {{&field::MaxConnPerServer}, {}},
      {{&field::MaxConnPer10Server}, {}},
      {{}, fixed({DeleteIfPresent(InternetMTU)})},
      {{}, fixed({DeleteIfPresent(NegativeCacheTime)})},
      {{&field::MaxNegativeCacheTtl}, {}},
      {{&field::NetFailureCacheTime}, {}},
      {{&field::NegativeSoaCacheTime}, {}},
      {{}, fixed({WriteIfPresent(PolicyNonBestEffortLimit, PolicyNonBestEffortLimit.recommended)})},
      {{&field::LocalPriority}, {}},
      {{&field::HostPriority}, {}},
      {{&field::DnsPriority}, {}},
      {{&field::NetbtPriority}, {}},
      {{&field::LanRequestBuffer}, {}},
      {{}, fixed({WriteIfPresent(ProtocolMTU, ProtocolMTU.recommended)})},
  };
  return ticks;
}

// What a tick's fields write: a number as it is; a switch 1 or 0, or
// nothing on its default; the Tcp1323Opts bits as one value, with every
// bit not set written as 0.
Steps FieldSteps(const std::vector<const CustomTcpField*>& fields, const CustomTcpSettings& in) {
  const CustomTcpField& first = *fields.front();
  switch (first.kind) {
    case Kind::Number: return {Write(first.value, in.*first.number)};
    case Kind::Switch: {
      const TcpSwitch choice = in.*first.choice;
      if (choice == TcpSwitch::Default) return {};
      return {Write(first.value, choice == TcpSwitch::Yes ? 1 : 0)};
    }
    case Kind::Tcp1323Bit: {
      std::int32_t bits = 0;
      for (const CustomTcpField* field : fields)
        if (in.*field->flag) bits += field->mask;
      return {Write(first.value, bits)};
    }
  }
  return {};
}

Steps TickSteps(const CustomTick& tick, const CustomTcpSettings& in) {
  return tick.fields.empty() ? tick.own(in) : FieldSteps(tick.fields, in);
}

// A stored 2147483647 reads as no value, so a value written as it would
// look missing to every reader.
void RefuseNoValueMarker(const Steps& steps) {
  for (const auto& step : steps)
    if (step.kind != StepKind::DeleteIfPresent && !IsWritableNumber(step.value))
      throw ConversionError(std::to_string(kDwordReadAsMissing) + " stands for no value and is not written (" +
                            step.name + ")");
}

void Tick(PassProgress& progress, std::int32_t units) {
  progress.Advance(units);
  progress.Pause();
}

}  // namespace

const std::vector<const CustomTcpField*>& CustomTcpFields() {
  static const std::vector<const CustomTcpField*> fields = [] {
    std::vector<const CustomTcpField*> all;
    for (const auto& tick : CustomTicks()) all.insert(all.end(), tick.fields.begin(), tick.fields.end());
    return all;
  }();
  return fields;
}

void Recommend(const CustomTcpField& field, CustomTcpSettings& settings) {
  if (field.proposedByClass) return;
  const std::int32_t recommended = field.value.recommended;
  switch (field.kind) {
    case Kind::Number: settings.*field.number = recommended; break;
    case Kind::Switch: settings.*field.choice = recommended == 1 ? TcpSwitch::Yes : TcpSwitch::No; break;
    case Kind::Tcp1323Bit: settings.*field.flag = (recommended & field.mask) != 0; break;
  }
}

std::vector<std::string> CustomAdapters(const AdapterChoice& choice) {
  std::vector<std::string> tuned;
  if (choice.none) return tuned;
  for (const auto& id : ListAdapters()) {
    const bool chosen = choice.all || (!choice.selectedService.empty() && id == choice.selectedService);
    bool firstTwo = false;
    for (std::size_t k = 0; k < choice.cardServices.size() && k < 2; ++k)
      firstTwo = firstTwo || id == choice.cardServices[k];
    if (chosen && firstTwo) tuned.push_back(id);
  }
  return tuned;
}

bool IsWritableNumber(std::int32_t value) { return value != kDwordReadAsMissing; }

// The tick before the first setting, and one after each.
int CustomTcpPassTicks() { return 1 + static_cast<int>(CustomTicks().size()); }

PassReport RunCustomTcpPass(const CustomTcpSettings& in, PassProgress& progress, std::int32_t unitsPerTick) {
  std::vector<Steps> settings;
  for (const auto& tick : CustomTicks()) settings.push_back(TickSteps(tick, in));

  Steps touched;
  for (const auto& group : settings) touched.insert(touched.end(), group.begin(), group.end());
  for (const auto& id : in.adapters)
    for (auto& s : AdapterSteps(id, in.mtu)) touched.push_back(std::move(s));
  RefuseNoValueMarker(touched);
  PassReport report = BackUpBeforePass(kCustomBackupFile, kAutoBackupFile, touched);
  if (!report.backupWritten) return report;

  Tick(progress, unitsPerTick);
  for (const auto& group : settings) {
    for (const auto& step : group) ApplyStep(step, report.changes);
    Tick(progress, unitsPerTick);
  }
  for (const auto& id : in.adapters)
    for (const auto& step : AdapterSteps(id, in.mtu)) ApplyStep(step, report.changes);
  return report;
}

}  // namespace velomar
