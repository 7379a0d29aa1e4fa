#include <gtest/gtest.h>

#include "events/Activity.h"

namespace ruvek {
namespace {

TEST(ClassifyActivity, FirstKeywordInTableOrderWins) {
  struct Case {
    const char* eventName;
    const char* listType;
    const char* activity;
  } cases[] = {
      {"CTD Deployed", "Cruise", "CTD"},
      {"ctd deployed", "Cruise", "Ancillary"},  // "CTD" is matched in capitals only
      {"Ctd at depth", "Cruise", "Ancillary"},
      {"STATION ARRIVAL", "Cruise", "STATION"},
      {"Bongo at station", "Cruise", "BONGO"},
      {"station bongo", "Cruise", "BONGO"},
      {"GoFlo CUFES start", "Cruise", "TM-GOFLO"},
      {"CUFES start", "CUFES", "CUFES"},
      {"Camera on", "Cruise", "MER"},
      {"CTD bongo", "Cruise", "CTD"},
      {"Pairovet down", "Cruise", "PAIROVET"},
      {"manta in", "Cruise", "MANTA"},
      {"Secchi", "Cruise", "SECCHI"},
      {"Sonobuoy drop", "Cruise", "SONOBUOY"},
      {"Towed array out", "Cruise", "TOWEDARRAY"},
      {"TM pole", "Cruise", "TM POLE"},
      {"tm pump on", "Cruise", "TM PUMP"},
      {"Reflics on", "Cruise", "REFLICS"},
      {"ADCP reset", "Cruise", "ADCP"},
      {"co2 sample", "Cruise", "CO2"},
      {"CUDLS2 start", "Cruise", "CUDLS2"},
      {"prr cast", "Cruise", "PRR"},
      {"Whale sighting", "MMammal", "MMammals"},
      {"Whale sighting", "mmammal", "MMammals"},
      {"Whale sighting", "Cruise", "Ancillary"},
      {"Bongo", "MMammal", "BONGO"},
      {"", "Cruise", "Ancillary"},
      {"", "", "Ancillary"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.activity, ClassifyActivity(c.eventName, c.listType)) << c.eventName << " / " << c.listType;
  }
}

}  // namespace
}  // namespace ruvek
