#pragma once
// Where the automatic TCP/IP pass gets the path MTU: the probe
// (PathMtuProbe in PathMtuSearch.h), or a figure given on the command line.
#include <cstdint>

namespace velomar {

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

}  // namespace velomar
