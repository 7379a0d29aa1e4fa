// Operator scripts, as `ruvek --headless` reads them, run against a seeded
// station: the script parser, the controls found by name and every handler a
// script can reach. `sh` runs nothing. Scripts naming host paths ("/...") or
// moving the clock by more than 100 s in all are passed over: the first could
// write outside the station's folder, the second only spends time on ticks.
#include <cstdlib>
#include <string>

#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzStation.h"
#include "os/Lines.h"

namespace {

using namespace ruvek;

constexpr long long kMaxAdvanceMs = 100000;

bool Acceptable(std::string_view script) {
  if (script.find('/') != std::string_view::npos) return false;
  long long advanced = 0;
  bool ok = true;
  ForEachLine(script, [&](std::string_view line) {
    const std::size_t at = line.find("advance");
    if (at == std::string_view::npos) return true;
    const std::string number(line.substr(at + 7, 24));
    const long long ms = std::strtoll(number.c_str(), nullptr, 10);
    // Checked before adding, so a huge number cannot overflow the sum.
    ok = ms <= kMaxAdvanceMs && advanced + (ms > 0 ? ms : 0) <= kMaxAdvanceMs;
    if (ok) advanced += ms > 0 ? ms : 0;
    return ok;
  });
  return ok;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz::FuzzStation st;
  const std::string_view script(reinterpret_cast<const char*>(data), size);
  if (!Acceptable(script)) return -1;
  st.seed();
  const int code = st.run(std::string(script));
  fuzz::Require(code == 0 || code == 2 || code == 3);
  fuzz::Require(!st.temporaryFileLeft());
  return 0;
}
