// Feeds arbitrary bytes to the current position file readers, as a damaged or
// half-written file on the network drive would. Each reader must return a clear
// result without reading past a buffer or failing a sanitizer check.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/Format.h"
#include "core/TextRoutines.h"
#include "grid/LineStation.h"
#include "nav/PositionFile.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

void CheckNmeaReader(std::string_view bytes) {
  static const std::array<std::array<const char*, 2>, 6> kIdentifiers{{
      {"$GPGGA", "$GPRMC"},
      {"$GPGGA", "$GPZDA"},
      {"$GPRMC", "$GPZDA"},
      {"$GPWPL", ""},
      {"", ""},
      {"$GPGGA", ""},
  }};
  for (const auto& [primary, dateString] : kIdentifiers) {
    const ruvek::CurrPosResult read = ruvek::ParseCurrPos(bytes, primary, dateString);
    if (read.status != ruvek::CurrPosResult::Good) {
      Require(read.latDeg.empty() && read.lonDeg.empty() && !read.utcTime && !read.utcDate);
    } else {
      Require(read.rawLine.size() <= ruvek::kMaxPositionLineLength);
    }
    const ruvek::DecimalPosition position = ruvek::ToDecimal(read);
    if (position.lat != -99.0f && position.lon != -99.0f) {
      const ruvek::LineStation calc = ruvek::CalcLineSta(position.lat, position.lon);
      ruvek::NearestStandard(calc, false);
    }
  }
}

void CheckMetReader(std::string_view bytes) {
  std::array<std::string, 201> items;
  int latIndex = 0;
  int lonIndex = 0;
  // Twice, so that the second read starts from the items the first one kept.
  for (int pass = 0; pass < 2; ++pass) {
    const ruvek::MetResult met = ruvek::ParseMetRecord(bytes, items, latIndex, lonIndex);
    Require(latIndex >= 0 && latIndex < 200 && lonIndex >= 0 && lonIndex < 200);
    Require(met.status == ruvek::MetResult::Good || met.status == ruvek::MetResult::ReadError);
  }
}

void CheckTextRoutines(std::string_view bytes) {
  std::vector<std::string> slots(8);
  ruvek::SplitCommas(bytes, slots, 0);
  ruvek::SplitCommas(bytes, slots, 3);
  Require(slots.size() == 8);
  ruvek::ParseDatagram(bytes);
  const std::string prefix(bytes.substr(0, 64));
  ruvek::NmeaDateText(prefix);
  const double value = ruvek::LeadingNumber(bytes);
  for (const char* pattern : {"00.00000", "#000.00000", "000.00000", "00.000000", "##0.0", "0"}) {
    ruvek::FormatNumber(value, pattern);
  }
  ruvek::RoundHalfEven(value);
  ruvek::NearestStandard({prefix, std::string(bytes.substr(bytes.size() / 2, 16))}, false);
  ruvek::StationFileFor(prefix);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CheckNmeaReader(bytes);
  CheckMetReader(bytes);
  CheckTextRoutines(bytes);
  return 0;
}
