#include "tests/hostile/peak_memory.h"

#include <fstream>
#include <string>

namespace quorvin::hostile {
namespace {

// A "VmRSS:   1234 kB" style line of /proc/self/status, in bytes.
std::optional<std::int64_t> StatusBytes(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string name;
  std::int64_t kilobytes = 0;
  std::string unit;
  while (status >> name) {
    if (name == field + ":") {
      if (status >> kilobytes >> unit) return kilobytes * 1024;
      return std::nullopt;
    }
    std::getline(status, unit);
  }
  return std::nullopt;
}

}  // namespace

void PeakMemory::Start() {
  // "5" resets the peak resident size to the current one (Linux 4.0 and later).
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
  clear.flush();
  reset_ = clear.good();
  startBytes_ = StatusBytes("VmRSS").value_or(0);
}

std::optional<std::int64_t> PeakMemory::GrowthBytes() const {
  const auto peak = StatusBytes("VmHWM");
  if (!reset_ || !peak || startBytes_ == 0) return std::nullopt;
  return *peak > startBytes_ ? *peak - startBytes_ : 0;
}

}  // namespace quorvin::hostile
