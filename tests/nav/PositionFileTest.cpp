#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>

#include "nav/PositionFile.h"

namespace ruvek {
namespace {

const std::string kGga = "$GPGGA,183012.00,3252.1234,N,11714.5678,W,2,09,0.9,5.1,M,-35.2,M,,*55";
const std::string kRmc = "$GPRMC,183012.00,A,3252.1234,N,11714.5678,W,10.0,240.0,070618,12.5,E,D*2E";
const std::string kOlderRmc = "$GPRMC,183010.00,A,3252.1300,N,11714.5600,W,10.0,240.0,060618,12.5,E,D*24";
const std::string kZda = "$GPZDA,183012.00,07,06,2018,00,00*65";
const std::string kVtg = "$GPVTG,240.0,T,227.5,M,10.0,N,18.5,K,D*2F";

std::string ReadData(const std::string& name) {
  std::ifstream in(std::string(RUVEK_TEST_DATA) + "/nmea/" + name, std::ios::binary);
  EXPECT_TRUE(in.good()) << name;
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Lines(std::initializer_list<std::string> lines, const char* end = "\r\n") {
  std::string text;
  for (const std::string& line : lines) text += line + end;
  return text;
}

void ExpectPosition(const CurrPosResult& read, const char* latDeg, const char* latMin, const char* lonDeg,
                    const char* lonMin) {
  EXPECT_EQ(latDeg, read.latDeg);
  EXPECT_EQ(latMin, read.latMin);
  EXPECT_EQ(lonDeg, read.lonDeg);
  EXPECT_EQ(lonMin, read.lonMin);
}

using OptText = std::optional<std::string>;

// --- SplitSentence ---------------------------------------------------------

TEST(SplitSentence, StoresFieldsUpToTheLastComma) {
  std::array<std::string, 21> slots;
  SplitSentence(kGga, slots);
  EXPECT_EQ("$GPGGA", slots[0]);
  EXPECT_EQ("183012.00", slots[1]);
  EXPECT_EQ("3252.1234", slots[2]);
  EXPECT_EQ("N", slots[3]);
  EXPECT_EQ("11714.5678", slots[4]);
  EXPECT_EQ("-35.2", slots[11]);
  EXPECT_EQ("", slots[13]);  // the empty field between the last two commas
  EXPECT_EQ("", slots[14]);  // "*55" follows the last comma and is dropped
}

TEST(SplitSentence, KeepsSlotsThatGetNoField) {
  std::array<std::string, 21> slots;
  slots.fill("old");
  SplitSentence("a,b,c", slots);
  EXPECT_EQ("a", slots[0]);
  EXPECT_EQ("b", slots[1]);
  EXPECT_EQ("old", slots[2]);
  SplitSentence("no comma at all", slots);
  EXPECT_EQ("a", slots[0]);
}

TEST(SplitSentence, IgnoresFieldsBeyondTwentyOne) {
  std::array<std::string, 21> slots;
  std::string line;
  for (int i = 0; i < 30; ++i) line += std::to_string(i) + ",";
  SplitSentence(line, slots);
  EXPECT_EQ("0", slots[0]);
  EXPECT_EQ("20", slots[20]);
}

// --- ParseCurrPos: the NMEA layout ----------------------------------------

TEST(ParseCurrPos, GgaAloneGivesPositionAndTimeButNoDate) {
  const CurrPosResult read = ParseCurrPos(kGga + "\r\n", "$GPGGA", "$GPRMC");
  EXPECT_EQ(CurrPosResult::Good, read.status);
  ExpectPosition(read, "32", "52.1234", "117", "14.5678");
  EXPECT_EQ(OptText("18:30:12"), read.utcTime);
  EXPECT_EQ(std::nullopt, read.utcDate);
  EXPECT_EQ(kGga, read.rawLine);
}

TEST(ParseCurrPos, DateComesFromTheRmcAfterTheGga) {
  const CurrPosResult read = ParseCurrPos(Lines({kGga, kRmc}), "$GPGGA", "$GPRMC");
  EXPECT_EQ(CurrPosResult::Good, read.status);
  EXPECT_EQ(OptText("07-Jun-2018"), read.utcDate);
  EXPECT_EQ(OptText("18:30:12"), read.utcTime);
}

TEST(ParseCurrPos, OnlyTheLastDateSentenceAtOrAfterTheGgaCounts) {
  EXPECT_EQ(std::nullopt, ParseCurrPos(Lines({kRmc, kGga}), "$GPGGA", "$GPRMC").utcDate);
  EXPECT_EQ(OptText("07-Jun-2018"), ParseCurrPos(Lines({kOlderRmc, kGga, kRmc}), "$GPGGA", "$GPRMC").utcDate);
  EXPECT_EQ(OptText("06-Jun-2018"), ParseCurrPos(Lines({kGga, kRmc, kOlderRmc}), "$GPGGA", "$GPRMC").utcDate);
}

TEST(ParseCurrPos, ZdaGivesDayMonthAndFourDigitYear) {
  const CurrPosResult read = ParseCurrPos(Lines({kGga, kZda}), "$GPGGA", "$GPZDA");
  EXPECT_EQ(OptText("07-Jun-2018"), read.utcDate);
  EXPECT_EQ(std::nullopt, ParseCurrPos(Lines({kGga, kRmc}), "$GPGGA", "$GPZDA").utcDate);
}

TEST(ParseCurrPos, OtherDateStringsSetNoDate) {
  EXPECT_EQ(std::nullopt, ParseCurrPos(Lines({kGga, kVtg}), "$GPGGA", "$GPVTG").utcDate);
}

TEST(ParseCurrPos, RmcPrimaryCarriesItsOwnDate) {
  const CurrPosResult read = ParseCurrPos(Lines({kGga, kRmc}), "$GPRMC", "$GPZDA");
  EXPECT_EQ(CurrPosResult::Good, read.status);
  ExpectPosition(read, "32", "52.1234", "117", "14.5678");
  EXPECT_EQ(OptText("18:30:12"), read.utcTime);
  EXPECT_EQ(OptText("07-Jun-2018"), read.utcDate);
  EXPECT_EQ(kRmc, read.rawLine);
}

TEST(ParseCurrPos, RmcWithAFixButAShortPositionFieldIsAReadError) {
  const std::string shortLon = "$GPRMC,183012.00,A,3252.1,N,11,W,,,070618,,,";
  EXPECT_EQ(CurrPosResult::ReadError, ParseCurrPos(shortLon, "$GPRMC", "").status);
}

TEST(ParseCurrPos, ShortGgaFieldsGiveTheWholeFieldAsMinutes) {
  const CurrPosResult read = ParseCurrPos("$GPGGA,1830,5,N,11,W,", "$GPGGA", "");
  ExpectPosition(read, "5", "5", "11", "11");
  EXPECT_EQ(OptText("18:30:"), read.utcTime);
}

TEST(ParseCurrPos, MissingPrimaryIsBadAndSuppliesNothing) {
  for (const std::string& file : {Lines({kVtg, kRmc}), std::string(), std::string("\r\n \r\n")}) {
    const CurrPosResult read = ParseCurrPos(file, "$GPGGA", "$GPRMC");
    EXPECT_EQ(CurrPosResult::Bad, read.status);
    ExpectPosition(read, "", "", "", "");
    EXPECT_EQ(std::nullopt, read.utcTime);
    EXPECT_EQ(std::nullopt, read.utcDate);
  }
}

TEST(ParseCurrPos, PrimaryIsFoundAnywhereInALineCaseSensitively) {
  EXPECT_EQ(CurrPosResult::Good, ParseCurrPos("xx" + kGga, "$GPGGA", "").status);
  EXPECT_EQ(CurrPosResult::Bad, ParseCurrPos(kGga, "$gpgga", "").status);
}

TEST(ParseCurrPos, EmptyPrimaryTakesTheFirstLine) {
  const CurrPosResult read = ParseCurrPos(Lines({kVtg, kGga}), "", "");
  EXPECT_EQ(CurrPosResult::Good, read.status);
  EXPECT_EQ(kVtg, read.rawLine);
  ExpectPosition(read, "", "", "", "");
}

TEST(ParseCurrPos, UnknownPrimaryIsGoodButGivesNoPosition) {
  const CurrPosResult read = ParseCurrPos(Lines({kVtg}), "$GPVTG", "");
  EXPECT_EQ(CurrPosResult::Good, read.status);
  ExpectPosition(read, "", "", "", "");
  EXPECT_EQ(std::nullopt, read.utcTime);
}

TEST(ParseCurrPos, WaypointSentenceReadsLatitudeAndLongitudeFields) {
  const CurrPosResult read = ParseCurrPos("$GPWPL,3252.1234,N,11714.5678,W,STN93*16", "$GPWPL", "");
  EXPECT_EQ(CurrPosResult::Good, read.status);
  ExpectPosition(read, "32", "52.1234", "117", "14.5678");
  EXPECT_EQ(std::nullopt, read.utcTime);
  EXPECT_EQ(std::nullopt, read.utcDate);
}

// Sentences as receivers of several families write them, each read to its
// decimal position (north and east positive).
struct ReceiverCase {
  const char* note;
  std::string file;
  const char* primary;
  CurrPosResult::Status status;
  double lat, lon;
};

void ExpectReads(const ReceiverCase& c) {
  const CurrPosResult read = ParseCurrPos(c.file, c.primary, "$GPRMC");
  EXPECT_EQ(c.status, read.status) << c.note;
  const DecimalPosition position = ToDecimal(read);
  EXPECT_NEAR(c.lat, position.lat, 5e-6) << c.note;
  EXPECT_NEAR(c.lon, position.lon, 2e-5) << c.note;
}

const std::string kGnGga = "$GNGGA,092750.000,5321.6802,N,00630.3372,W,1,8,1.03,61.7,M,55.2,M,,*68";
const std::string kGnRmc = "$GNRMC,092750.000,A,5321.6802,N,00630.3372,W,0.02,31.66,280511,,,A*5D";

TEST(ParseCurrPos, AnyTalkerIsReadWithTheLayoutOfItsSentenceType) {
  const ReceiverCase cases[] = {
      {"multi-constellation GGA", kGnGga, "$GNGGA", CurrPosResult::Good, 53.361337, -6.505620},
      {"multi-constellation RMC", kGnRmc, "$GNRMC", CurrPosResult::Good, 53.361337, -6.505620},
      {"GLONASS, six-decimal minutes", "$GLGGA,101529.00,4737.512345,N,12220.123456,W,1,07,1.2,45.0,M,-19.3,M,,*78",
       "$GLGGA", CurrPosResult::Good, 47.625206, -122.335391},
      {"inertial, three-decimal minutes", "$INGGA,231745.50,3252.120,N,11714.560,W,4,12,0.6,3.2,M,-35.1,M,1.0,0000*6D",
       "$INGGA", CurrPosResult::Good, 32.868667, -117.242667},
      {"swapped receiver: $GPGGA configured, $GNGGA written", Lines({kVtg, kGnGga}), "$GPGGA", CurrPosResult::Good,
       53.361337, -6.505620},
      {"the configured talker wins over another", Lines({kGnGga, kGga}), "$GPGGA", CurrPosResult::Good, 32.868723,
       -117.242797},
      {"another sentence type is no stand-in", Lines({kGnRmc}), "$GPGGA", CurrPosResult::Bad, -99, -99},
  };
  for (const auto& c : cases) ExpectReads(c);
}

TEST(ParseCurrPos, QualityZeroOrStatusVIsNoFixWithoutPositionTimeOrDate) {
  const ReceiverCase cases[] = {
      {"GGA without a fix", "$GNGGA,235959.00,,,,,0,00,99.99,,,,,,*79", "$GNGGA", CurrPosResult::NoFix, -99, -99},
      {"GGA without a fix, stale position", "$GPGGA,183012.00,3252.1234,N,11714.5678,W,0,00,,,M,,M,,*64", "$GPGGA",
       CurrPosResult::NoFix, -99, -99},
      {"RMC without a fix", "$GPRMC,183012.00,V,,,,,,,070618,,,N*7C", "$GPRMC", CurrPosResult::NoFix, -99, -99},
      {"RMC without a fix, stale position", "$GNRMC,092751.000,V,5321.6802,N,00630.3372,W,,,280511,,,N*74", "$GNRMC",
       CurrPosResult::NoFix, -99, -99},
      {"GGA of quality 6 (dead reckoning) is read",
       "$GLGGA,101529.00,4737.512345,N,12220.123456,W,6,07,1.2,45.0,M,-19.3,M,,*7F", "$GLGGA", CurrPosResult::Good,
       47.625206, -122.335391},
  };
  for (const auto& c : cases) {
    ExpectReads(c);
    const CurrPosResult read = ParseCurrPos(c.file + "\r\n" + kRmc, c.primary, "$GPRMC");
    if (c.status == CurrPosResult::NoFix) {
      ExpectPosition(read, "", "", "", "");
      EXPECT_EQ(std::nullopt, read.utcTime) << c.note;
      EXPECT_EQ(std::nullopt, read.utcDate) << c.note;
    }
  }
}

TEST(ParseCurrPos, SentenceWithAWrongChecksumIsPassedOver) {
  // One digit garbled on the serial line: 3252.1234 read as 3252.1284.
  const std::string garbled = "$GPGGA,183012.00,3252.1284,N,11714.5678,W,2,09,0.9,5.1,M,-35.2,M,,*55";
  const ReceiverCase cases[] = {
      {"garbled alone", garbled, "$GPGGA", CurrPosResult::BadChecksum, -99, -99},
      {"garbled, then good", Lines({garbled, kGga}), "$GPGGA", CurrPosResult::Good, 32.868723, -117.242797},
      {"garbled, then another talker", Lines({garbled, kGnGga}), "$GPGGA", CurrPosResult::Good, 53.361337, -6.505620},
      {"no checksum", "$GPGGA,183012.00,3252.1234,N,11714.5678,W,2,09,0.9,5.1,M,-35.2,M,,", "$GPGGA",
       CurrPosResult::Good, 32.868723, -117.242797},
      {"lower-case digits", "$GNRMC,092750.000,A,5321.6802,N,00630.3372,W,0.02,31.66,280511,,,A*5d", "$GNRMC",
       CurrPosResult::Good, 53.361337, -6.505620},
      {"star without digits", "$GPGGA,183012.00,3252.1234,N,11714.5678,W,2,09,0.9,5.1,M,-35.2,M,,*", "$GPGGA",
       CurrPosResult::BadChecksum, -99, -99},
      {"cut after one digit", "$GPGGA,183012.00,3252.1234,N,11714.5678,W,2,09,0.9,5.1,M,-35.2,M,,*5", "$GPGGA",
       CurrPosResult::BadChecksum, -99, -99},
      {"quoted record of the serial window", "\"" + kGga + "\r\"\r\n", "$GPGGA", CurrPosResult::Good, 32.868723,
       -117.242797},
  };
  for (const auto& c : cases) ExpectReads(c);
  // A garbled date sentence is passed over too: the good one before it gives the date.
  const std::string garbledRmc = "$GPRMC,183012.00,A,3252.1234,N,11714.5678,W,10.0,240.0,080618,12.5,E,D*2E";
  EXPECT_EQ(OptText("07-Jun-2018"), ParseCurrPos(Lines({kGga, kRmc, garbledRmc}), "$GPGGA", "$GPRMC").utcDate);
}

TEST(ParseCurrPos, DateStringOfAnyTalkerAndItsStandIn) {
  const std::string gnZda = "$GNZDA,092750.000,28,05,2011,00,00*4C";
  EXPECT_EQ(OptText("28-May-2011"), ParseCurrPos(Lines({kGnGga, kGnRmc}), "$GNGGA", "$GNRMC").utcDate);
  EXPECT_EQ(OptText("28-May-2011"), ParseCurrPos(Lines({kGnGga, gnZda}), "$GNGGA", "$GPZDA").utcDate);
  EXPECT_EQ(OptText("28-May-2011"), ParseCurrPos(Lines({kGnGga, kGnRmc}), "$GPGGA", "$GPRMC").utcDate);
  // The configured date string wins over a stand-in, wherever it stands after the GGA.
  EXPECT_EQ(OptText("07-Jun-2018"), ParseCurrPos(Lines({kGga, kRmc, kGnRmc}), "$GPGGA", "$GPRMC").utcDate);
  EXPECT_EQ(std::nullopt, ParseCurrPos(Lines({kGnRmc, kGnGga}), "$GNGGA", "$GNRMC").utcDate);
}

TEST(ParseCurrPos, HemisphereLettersGiveTheSignsInEveryQuadrant) {
  const ReceiverCase cases[] = {
      {"south-east, Galileo", "$GAGGA,013015.00,3351.6420,S,15112.5120,E,1,09,0.8,40.1,M,22.3,M,,*55", "$GAGGA",
       CurrPosResult::Good, -33.860700, 151.208533},
      {"north-east, six-decimal minutes", "$GNRMC,054512.00,A,5545.123456,N,03737.654321,E,0.05,,120325,,,A*5A",
       "$GNRMC", CurrPosResult::Good, 55.752058, 37.627572},
      {"south-west, three-decimal minutes", "$GPGGA,151500.00,2254.420,S,04310.200,W,1,10,0.9,12.0,M,-5.6,M,,*45",
       "$GPGGA", CurrPosResult::Good, -22.907000, -43.170000},
      {"just north of the equator", "$GNGGA,170002.00,0000.5000,N,07830.0000,W,1,11,0.7,2810.0,M,24.1,M,,*56", "$GNGGA",
       CurrPosResult::Good, 0.008333, -78.500000},
      {"on the equator and the prime meridian",
       "$GNGGA,170002.00,0000.0000,S,00000.0000,E,1,11,0.7,2810.0,M,24.1,M,,*50", "$GNGGA", CurrPosResult::Good, 0, 0},
      {"just west of the prime meridian", "$GPRMC,120101.000,A,5128.6140,N,00000.0300,W,0.00,0.00,010124,,,A*77",
       "$GPRMC", CurrPosResult::Good, 51.476900, -0.000500},
      {"waypoint south-east", "$GPWPL,3351.6420,S,15112.5120,E,SYD*1C", "$GPWPL", CurrPosResult::Good, -33.860700,
       151.208533},
  };
  for (const auto& c : cases) ExpectReads(c);
}

TEST(ParseCurrPos, BlankLinesAreSkippedAndLinesTrimmed) {
  const std::string file = "\r\n   \r\n\t\r\n  \t" + kGga + " \t\r\n\r\n" + kRmc + "\r\n   ";
  const CurrPosResult read = ParseCurrPos(file, "$GPGGA", "$GPRMC");
  EXPECT_EQ(CurrPosResult::Good, read.status);
  EXPECT_EQ(kGga, read.rawLine);
  EXPECT_EQ(OptText("07-Jun-2018"), read.utcDate);
}

TEST(ParseCurrPos, AnyLineEndSeparatesLines) {
  for (const char* end : {"\r\n", "\n", "\r"}) {
    const CurrPosResult read = ParseCurrPos(Lines({kGga, kRmc}, end), "$GPGGA", "$GPRMC");
    EXPECT_EQ(kGga, read.rawLine) << int(end[0]);
    EXPECT_EQ(OptText("07-Jun-2018"), read.utcDate) << int(end[0]);
  }
}

TEST(ParseCurrPos, TwentyLinesAreReadAndATwentyFirstIsAReadError) {
  std::string file = Lines({kGga, kRmc});
  for (int i = 0; i < 18; ++i) file += kVtg + "\r\n\r\n   \r\n";
  EXPECT_EQ(CurrPosResult::Good, ParseCurrPos(file, "$GPGGA", "$GPRMC").status);
  EXPECT_EQ(CurrPosResult::ReadError, ParseCurrPos(file + kZda, "$GPGGA", "$GPRMC").status);
}

TEST(ParseCurrPos, OverlongLineIsAReadError) {
  const std::string longLine(kMaxPositionLineLength + 1, 'x');
  EXPECT_EQ(CurrPosResult::ReadError, ParseCurrPos(Lines({kGga, longLine}), "$GPGGA", "$GPRMC").status);
  const std::string longest(kMaxPositionLineLength, ' ');
  EXPECT_EQ(CurrPosResult::Good, ParseCurrPos(Lines({kGga, longest}), "$GPGGA", "").status);
}

TEST(ParseCurrPos, BytesOfAnyValueAreAccepted) {
  const std::string withNuls = std::string("\0\0\xff", 3) + kGga + std::string("\0", 1);
  const CurrPosResult read = ParseCurrPos(withNuls, "$GPGGA", "$GPRMC");
  EXPECT_EQ(CurrPosResult::Good, read.status);
  ExpectPosition(read, "32", "52.1234", "117", "14.5678");
}

TEST(ParseCurrPos, SampleFilesReadAsTheUnderwaySystemWritesThem) {
  const struct {
    const char* file;
    const char* primary;
    const char* dateString;
    CurrPosResult::Status status;
    OptText utcDate;
  } cases[] = {
      {"gga_rmc.txt", "$GPGGA", "$GPRMC", CurrPosResult::Good, "07-Jun-2018"},
      {"gga_only.txt", "$GPGGA", "$GPRMC", CurrPosResult::Good, std::nullopt},
      {"gga_zda.txt", "$GPGGA", "$GPZDA", CurrPosResult::Good, "07-Jun-2018"},
      {"rmc_only.txt", "$GPRMC", "$GPZDA", CurrPosResult::Good, "07-Jun-2018"},
      {"rmc_only.txt", "$GPGGA", "$GPRMC", CurrPosResult::Bad, std::nullopt},
      {"blank_lines.txt", "$GPGGA", "$GPRMC", CurrPosResult::Good, "07-Jun-2018"},
      {"lf_only.txt", "$GPGGA", "$GPRMC", CurrPosResult::Good, "07-Jun-2018"},
      {"no_primary.txt", "$GPGGA", "$GPRMC", CurrPosResult::Bad, std::nullopt},
      {"rmc_no_fix.txt", "$GPRMC", "", CurrPosResult::NoFix, std::nullopt},
      {"gga_no_fix.txt", "$GPGGA", "$GPRMC", CurrPosResult::NoFix, std::nullopt},
      {"wpl.txt", "$GPWPL", "", CurrPosResult::Good, std::nullopt},
      {"full_20_lines.txt", "$GPGGA", "$GPRMC", CurrPosResult::Good, "07-Jun-2018"},
      {"too_many_lines.txt", "$GPGGA", "$GPRMC", CurrPosResult::ReadError, std::nullopt},
      {"gn_gga_rmc.txt", "$GNGGA", "$GNRMC", CurrPosResult::Good, "07-Jun-2018"},
      {"gn_gga_rmc.txt", "$GPGGA", "$GPRMC", CurrPosResult::Good, "07-Jun-2018"},
      {"south_east.txt", "$GAGGA", "$GARMC", CurrPosResult::Good, "07-Jun-2018"},
      {"bad_checksum.txt", "$GPGGA", "$GPRMC", CurrPosResult::BadChecksum, std::nullopt},
      {"bad_checksum_then_gn.txt", "$GPGGA", "$GPRMC", CurrPosResult::Good, "07-Jun-2018"},
      {"no_checksum.txt", "$GPGGA", "$GPRMC", CurrPosResult::Good, "07-Jun-2018"},
  };
  for (const auto& c : cases) {
    const CurrPosResult read = ParseCurrPos(ReadData(c.file), c.primary, c.dateString);
    EXPECT_EQ(c.status, read.status) << c.file;
    EXPECT_EQ(c.utcDate, read.utcDate) << c.file;
    if (c.status == CurrPosResult::Good) {
      ExpectPosition(read, "32", "52.1234", "117", "14.5678");
    }
  }
}

// --- ToDecimal ---------------------------------------------------------------

TEST(ToDecimal, DegreesPlusMinutesWithLongitudeMadeWest) {
  CurrPosResult read;
  read.latDeg = "32";
  read.latMin = "52.1234";
  read.lonDeg = "117";
  read.lonMin = "14.5678";
  const DecimalPosition position = ToDecimal(read);
  EXPECT_EQ(static_cast<float>(32 + 52.1234 / 60), position.lat);
  EXPECT_EQ(static_cast<float>(-(117 + 14.5678 / 60)), position.lon);
}

TEST(ToDecimal, MissingOrInvalidDegreesGiveMinus99) {
  const struct {
    const char *latDeg, *latMin, *lonDeg, *lonMin;
    float lat, lon;
  } cases[] = {
      {"32", "30", "117", "30", 32.5f, -117.5f},
      {"0", "30", "117", "30", 0.5f, -117.5f},    // the equator and the prime meridian are positions
      {"-5", "30", "117", "30", -99.0f, -99.0f},  // no latitude, so no longitude
      {"", "", "", "", -99.0f, -99.0f},
      {"32", "30", "-117", "30", 32.5f, -99.0f},
      {"32", "30", "1-7", "30", 32.5f, -99.0f},  // a minus anywhere in the degrees
      {"32", "30", "000", "30", 32.5f, -0.5f},
      {"32", "30", "abc", "30", 32.5f, -99.0f},
      {"32", "abc", "117", "", 32.0f, -117.0f},  // minutes that are no number read as 0
      {"32", "-30", "117", "-30", 31.5f, -116.5f},
      // Beyond 90 degrees of latitude or 180 of longitude there is no position.
      {"100", "0", "117", "30", -99.0f, -99.0f},
      {"90", "0", "180", "0", 90.0f, -180.0f},
      {"90", "0.6", "117", "30", -99.0f, -99.0f},
      {"32", "30", "181", "0", 32.5f, -99.0f},
  };
  for (const auto& c : cases) {
    CurrPosResult read;
    read.latDeg = c.latDeg;
    read.latMin = c.latMin;
    read.lonDeg = c.lonDeg;
    read.lonMin = c.lonMin;
    const DecimalPosition position = ToDecimal(read);
    EXPECT_EQ(c.lat, position.lat) << c.latDeg << " " << c.latMin;
    EXPECT_EQ(c.lon, position.lon) << c.lonDeg << " " << c.lonMin;
  }
}

TEST(ToDecimal, ValuesBeyondSinglePrecisionAreMissing) {
  CurrPosResult read;
  read.latDeg = std::string(60, '9');
  read.lonDeg = "117";
  EXPECT_EQ(-99.0f, ToDecimal(read).lat);
  EXPECT_EQ(-99.0f, ToDecimal(read).lon);
  read.latDeg = "32";
  read.lonDeg = std::string(400, '9');
  EXPECT_EQ(-99.0f, ToDecimal(read).lon);
}

// --- ParseMetRecord: the MET layout -----------------------------------------

const std::string kMet = "MET,07062018,183012,32.86872,LAT,-117.24280,LON,240.0,COG,10.0,SOG,16.51,ST2,33.512,SA2\r\n";

TEST(ParseMetRecord, ValuesBeforeLatAndLonTagsAreThePosition) {
  std::array<std::string, 201> items;
  int latIndex = 0, lonIndex = 0;
  const MetResult met = ParseMetRecord(kMet, items, latIndex, lonIndex);
  EXPECT_EQ(MetResult::Good, met.status);
  EXPECT_EQ(3, latIndex);
  EXPECT_EQ(5, lonIndex);
  EXPECT_EQ("07-Jun-2018", met.localDate);
  EXPECT_EQ("18:30:12", met.localTime);
  EXPECT_EQ("32.86872", met.latText);
  EXPECT_EQ("-117.24280", met.lonText);
  EXPECT_EQ(32.86872f, met.position.lat);
  EXPECT_EQ(-117.2428f, met.position.lon);
  EXPECT_EQ("SA2", items[14]);
}

TEST(ParseMetRecord, ValuesBeyondTheEarthAreNoPosition) {
  std::array<std::string, 201> items;
  int latIndex = 0, lonIndex = 0;
  const MetResult met = ParseMetRecord("MET,07062018,183012,100.5,LAT,-181,LON\r\n", items, latIndex, lonIndex);
  EXPECT_EQ(-99.0f, met.position.lat);
  EXPECT_EQ(-99.0f, met.position.lon);
  EXPECT_EQ("-99.00000", met.latText);
  EXPECT_EQ("-099.00000", met.lonText);
}

TEST(ParseMetRecord, ShortTagsLaAndLoMatchToo) {
  std::array<std::string, 201> items;
  int latIndex = 0, lonIndex = 0;
  const MetResult met = ParseMetRecord("X,070618,0905,-117.5,LO,33.25,LA,", items, latIndex, lonIndex);
  EXPECT_EQ(5, latIndex);
  EXPECT_EQ(3, lonIndex);
  EXPECT_EQ("33.25000", met.latText);
  EXPECT_EQ("-117.50000", met.lonText);
  EXPECT_EQ("07-Jun-2018", met.localDate);
  EXPECT_EQ("09:05:05", met.localTime);  // the seconds are the last two characters
}

TEST(ParseMetRecord, RecordWithoutTagsKeepsTheEarlierIndexes) {
  std::array<std::string, 201> items;
  int latIndex = 0, lonIndex = 0;
  ParseMetRecord(kMet, items, latIndex, lonIndex);
  const MetResult met = ParseMetRecord("MET,08062018,183013,32.9,x,-117.3,y", items, latIndex, lonIndex);
  EXPECT_EQ(3, latIndex);
  EXPECT_EQ(5, lonIndex);
  EXPECT_EQ("32.90000", met.latText);
  EXPECT_EQ("-117.30000", met.lonText);
}

TEST(ParseMetRecord, SlotsBeyondTheLastItemKeepTheirContents) {
  std::array<std::string, 201> items;
  items.fill("kept");
  int latIndex = 0, lonIndex = 0;
  ParseMetRecord("a,b,c", items, latIndex, lonIndex);
  EXPECT_EQ("c", items[2]);
  EXPECT_EQ("kept", items[3]);
  EXPECT_EQ("kept", items[200]);
}

TEST(ParseMetRecord, TagInTheFirstSlotNamesNothing) {
  std::array<std::string, 201> items;
  int latIndex = 7, lonIndex = 8;
  ParseMetRecord("LAT,070618,1200", items, latIndex, lonIndex);
  EXPECT_EQ(7, latIndex);
  ParseMetRecord("LON,070618,1200", items, latIndex, lonIndex);
  EXPECT_EQ(8, lonIndex);
}

TEST(ParseMetRecord, SecondThermosalinographTagsSetNothing) {
  std::array<std::string, 201> items;
  int latIndex = 0, lonIndex = 0;
  ParseMetRecord("MET,070618,120000,33.5,SA2,17.8,ST2", items, latIndex, lonIndex);
  EXPECT_EQ(0, latIndex);
  EXPECT_EQ(0, lonIndex);
}

TEST(ParseMetRecord, QuotesAndBlanksAroundItemsAreDropped) {
  std::array<std::string, 201> items;
  int latIndex = 0, lonIndex = 0;
  const MetResult met =
      ParseMetRecord(" \"MET\" , \"07062018\",183012 ,\"32,5\"x, 33.1 ,\"LA\",-117,LO", items, latIndex, lonIndex);
  EXPECT_EQ("MET", items[0]);
  EXPECT_EQ("07062018", items[1]);
  EXPECT_EQ("183012", items[2]);
  EXPECT_EQ("32,5", items[3]);  // a comma inside quotes stays; text after them is dropped
  EXPECT_EQ("33.1", items[4]);
  EXPECT_EQ(4, latIndex);
  EXPECT_EQ(6, lonIndex);
  EXPECT_EQ("33.10000", met.latText);
}

TEST(ParseMetRecord, LineEndsEndItemsAndBlankLinesAddNone) {
  std::array<std::string, 201> items;
  int latIndex = 0, lonIndex = 0;
  ParseMetRecord("MET,07062018\r\n\r\n183012\n32.5,LAT\r-117.25,LON\r\n", items, latIndex, lonIndex);
  EXPECT_EQ("183012", items[2]);
  EXPECT_EQ("32.5", items[3]);
  EXPECT_EQ(3, latIndex);
  EXPECT_EQ(5, lonIndex);
}

TEST(ParseMetRecord, A202ndItemIsAReadErrorThatChangesNothing) {
  std::array<std::string, 201> items;
  items.fill("kept");
  int latIndex = 9, lonIndex = 10;
  std::string record = "MET,070618,120000,33.5,LAT,-117.5,LON";
  for (int i = 7; i < 201; ++i) record += ",x";
  EXPECT_EQ(MetResult::Good, ParseMetRecord(record, items, latIndex, lonIndex).status);
  EXPECT_EQ("x", items[200]);
  EXPECT_EQ(3, latIndex);

  items.fill("kept");
  latIndex = 9;
  lonIndex = 10;
  EXPECT_EQ(MetResult::ReadError, ParseMetRecord(record + ",x", items, latIndex, lonIndex).status);
  EXPECT_EQ("kept", items[0]);
  EXPECT_EQ(9, latIndex);
  EXPECT_EQ(10, lonIndex);
}

TEST(ParseMetRecord, OverlongLineIsAReadError) {
  std::array<std::string, 201> items;
  int latIndex = 0, lonIndex = 0;
  const std::string record = "MET," + std::string(kMaxPositionLineLength, '1');
  EXPECT_EQ(MetResult::ReadError, ParseMetRecord(record, items, latIndex, lonIndex).status);
}

TEST(ParseMetRecord, IndexesOutsideTheTableReadAsZero) {
  std::array<std::string, 201> items;
  int latIndex = -1, lonIndex = 5000;
  const MetResult met = ParseMetRecord("a,b,c", items, latIndex, lonIndex);
  EXPECT_EQ("00.00000", met.latText);
  EXPECT_EQ("000.00000", met.lonText);
}

TEST(ParseMetRecord, SampleFiles) {
  std::array<std::string, 201> items;
  int latIndex = 0, lonIndex = 0;
  MetResult met = ParseMetRecord(ReadData("met_record.txt"), items, latIndex, lonIndex);
  EXPECT_EQ("32.86872", met.latText);
  EXPECT_EQ("-117.24280", met.lonText);
  met = ParseMetRecord(ReadData("met_quoted_multiline.txt"), items, latIndex, lonIndex);
  EXPECT_EQ(MetResult::Good, met.status);
  EXPECT_EQ("07-Jun-2018", met.localDate);
  EXPECT_EQ("18:30:12", met.localTime);
  EXPECT_EQ("32.86872", met.latText);
  EXPECT_EQ("-117.24280", met.lonText);
}

// --- Datagram text -----------------------------------------------------------

TEST(ParseDatagram, FieldsOneToFourFillTheBoxes) {
  const DatagramDisplay shown = ParseDatagram("UDP,07-Jun-2018,18:30:12,32.8687,-117.2428,");
  EXPECT_EQ("07-Jun-2018", shown.localDate);
  EXPECT_EQ("18:30:12", shown.localTime);
  EXPECT_EQ("32.86870", shown.latText);
  EXPECT_EQ("-117.24280", shown.lonText);
}

TEST(ParseDatagram, FieldWithoutATrailingCommaIsNotRead) {
  const DatagramDisplay shown = ParseDatagram("UDP,07-Jun-2018,18:30:12,32.8687,-117.2428");
  EXPECT_EQ("32.86870", shown.latText);
  EXPECT_EQ("000.00000", shown.lonText);
  const DatagramDisplay empty = ParseDatagram("");
  EXPECT_EQ("", empty.localDate);
  EXPECT_EQ("00.00000", empty.latText);
}

// --- Junk --------------------------------------------------------------------

TEST(PositionReaders, SurviveJunkInput) {
  std::array<std::string, 201> items;
  int latIndex = 0, lonIndex = 0;
  std::string junk = ReadData("junk.bin");
  unsigned state = 12345;
  for (int round = 0; round < 200; ++round) {
    for (char& c : junk) {
      state = state * 1103515245u + 12345u;
      if ((state >> 16) % 7 == 0) c = static_cast<char>(state >> 24);
    }
    for (const char* primary : {"$GPGGA", "$GPRMC", "$GPWPL", ""}) {
      const CurrPosResult read = ParseCurrPos(junk, primary, "$GPRMC");
      EXPECT_TRUE(read.status == CurrPosResult::Good || read.status == CurrPosResult::Bad ||
                  read.status == CurrPosResult::ReadError);
      ToDecimal(read);
    }
    const MetResult met = ParseMetRecord(junk, items, latIndex, lonIndex);
    EXPECT_TRUE(latIndex >= 0 && latIndex < 200);
    EXPECT_TRUE(met.status == MetResult::Good || met.status == MetResult::ReadError);
    ParseDatagram(junk);
  }
}

}  // namespace
}  // namespace ruvek
