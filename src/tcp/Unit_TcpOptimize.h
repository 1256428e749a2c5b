#pragma once
// The TCP/IP passes, the current-settings reader and the two restores.
#include <cstdint>
#include <string>
#include <vector>

#include "app/WindowState.h"

namespace velomar {

class CustomTcpPage;

// The values of one automatic pass; kept until the next pass.
struct TuningParameters {
  std::int32_t Mtu = 0;
  std::int32_t BandwidthBits = 0;
  std::int32_t RoundTripMs = 0;
  std::int32_t TcpWindow = 0;
  std::int32_t BandwidthKbps = 0;
  std::int32_t ProgressStep = 0;
};
const TuningParameters& LastTuningParameters();

// Where the automatic pass gets the path MTU: the probe, or a fixed figure.
class PathMtuProvider {
 public:
  virtual ~PathMtuProvider() = default;
  // The path MTU in bytes or -1; handles window messages while it waits.
  virtual std::int32_t MeasurePathMtu() = 0;
};

class FixedPathMtu : public PathMtuProvider {
 public:
  explicit FixedPathMtu(std::int32_t mtu) : mtu_(mtu) {}
  std::int32_t MeasurePathMtu() override { return mtu_; }

 private:
  std::int32_t mtu_;
};

// The automatic window's controls the pass drives.
namespace auto_window {
inline constexpr const char* kStatus = "Label_Doing";
inline constexpr const char* kProgress = "ProgressBar_Optimize";
inline constexpr const char* kLog = "ListView_Log";
}  // namespace auto_window

// How the registry backup of a pass went. The pass runs either way.
struct PassReport {
  bool backupWritten = false;
  std::string backupError;
};

// The one-click pass: measures the MTU, computes the window and walks the
// value list, one log row per value touched, paced by PauseForDisplay.
// Writes "RegBackUp.bk" in the current directory before the first change.
PassReport AutoOptimizeTcp(std::int32_t BandwidthKbps, std::int32_t ProgressStep, WindowState& window,
                           PathMtuProvider& mtu);

// The expert pass over the custom window's TCP/IP page. Every number it
// needs is converted before anything is written: a text that is not one
// raises ConversionError naming the field, and nothing is written.
// Writes "CustomRegBackUp.bk" in the current directory before the first change.
PassReport CustomOptimizeTcp(CustomTcpPage& page);

// Fills the TCP/IP page from the registry and sets the track bar to the
// stored custom class.
void ReadCurrentTcpSettings(CustomTcpPage& page);

// Puts the values of a registry backup file back. False when the file does
// not exist or cannot be read. Every record is checked first: a value line
// that is neither a marker nor an integer raises ConversionError naming the
// line, and nothing is restored.
bool RestoreRegBackup(const std::string& fileName);

// Resets the tuned values to those of an untuned system.
void RestoreTcpDefaults();

}  // namespace velomar
