#include "events/Activity.h"

#include "core/TextRoutines.h"

namespace ruvek {
namespace {

struct ActivityKeyword {
  const char* keyword;
  const char* activity;
};

// Tested top to bottom against the upper-cased event name. The order matters:
// "FLO" before "CUFES", "BONGO" before "STATION", and "MER" last, since it also
// matches words such as CAMERA.
constexpr ActivityKeyword kKeywords[] = {
    {"PAIROVET", "PAIROVET"}, {"MANTA", "MANTA"},      {"BONGO", "BONGO"},     {"SECCHI", "SECCHI"},
    {"SONOBUOY", "SONOBUOY"}, {"ARRAY", "TOWEDARRAY"}, {"POLE", "TM POLE"},    {"PUMP", "TM PUMP"},
    {"FLO", "TM-GOFLO"},      {"CUFES", "CUFES"},      {"REFLICS", "REFLICS"}, {"STATION", "STATION"},
    {"ADCP", "ADCP"},         {"CO2", "CO2"},          {"CUDLS2", "CUDLS2"},   {"PRR", "PRR"},
    {"MER", "MER"},
};

}  // namespace

std::string ClassifyActivity(const std::string& eventName, const std::string& listType) {
  if (Contains(eventName, "CTD")) return "CTD";
  const std::string upperName = ToUpper(eventName);
  for (const ActivityKeyword& entry : kKeywords) {
    if (Contains(upperName, entry.keyword)) return entry.activity;
  }
  return Contains(ToUpper(listType), "MAMMAL") ? "MMammals" : "Ancillary";
}

}  // namespace ruvek
