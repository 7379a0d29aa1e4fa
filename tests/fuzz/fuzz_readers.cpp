// Feeds arbitrary bytes to the current position file readers, as a damaged or
// half-written file on the network drive would. Each reader must return a clear
// result without reading past a buffer or failing a sanitizer check; the NMEA
// reader is run with several talkers, and its fix, checksum and hemisphere
// results are checked against the text.
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

bool Contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

void CheckNmeaReader(std::string_view bytes) {
  // The $GP strings of the usual station, other talkers (and their stand-ins
  // for each other), and strings that name no sentence type.
  static const std::array<std::array<const char*, 2>, 11> kIdentifiers{{
      {"$GPGGA", "$GPRMC"},
      {"$GPGGA", "$GPZDA"},
      {"$GPRMC", "$GPZDA"},
      {"$GPWPL", ""},
      {"", ""},
      {"$GPGGA", ""},
      {"$GNGGA", "$GNRMC"},
      {"$GLRMC", ""},
      {"$INGGA", "$GAZDA"},
      {"$GAWPL", ""},
      {"GPGGA", "$gprmc"},
  }};
  for (const auto& [primary, dateString] : kIdentifiers) {
    const ruvek::CurrPosResult read = ruvek::ParseCurrPos(bytes, primary, dateString);
    const std::string_view type = ruvek::SentenceType(primary);
    if (read.status != ruvek::CurrPosResult::Good) {
      Require(read.latDeg.empty() && read.lonDeg.empty() && read.latHemisphere.empty() && !read.utcTime &&
              !read.utcDate);
    } else {
      Require(read.rawLine.size() <= ruvek::kMaxPositionLineLength);
      // The line holds the configured string or, for a sentence type, the type.
      Require(Contains(read.rawLine, primary) || (!type.empty() && Contains(read.rawLine, type)));
    }
    // Only sentences that say so have no fix, and only a checksum can be wrong.
    if (read.status == ruvek::CurrPosResult::NoFix) Require(type == "GGA" || type == "RMC");
    if (read.status == ruvek::CurrPosResult::BadChecksum) Require(Contains(bytes, "*"));
    const ruvek::DecimalPosition position = ruvek::ToDecimal(read);
    // The hemisphere gives the sign (unless the minutes carry one of their own).
    if (position.lat != -99.0f && !Contains(read.latMin, "-")) {
      Require(read.latHemisphere == "S" ? position.lat <= 0 : position.lat >= 0);
    }
    if (position.lon != -99.0f && !Contains(read.lonMin, "-")) {
      Require(read.lonHemisphere == "E" ? position.lon >= 0 : position.lon <= 0);
    }
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
