// The GPS window's handling of received text: lines into the display, the
// bounded buffer and display, and the position records.
#include <gtest/gtest.h>

#include "nav/GpsCollect.h"

namespace ruvek {
namespace {

TEST(SplitReceived, MovesCompleteLinesAndKeepsTheRest) {
  struct Case {
    const char *buffer, *display, *restAfter, *displayAfter;
  };
  const Case cases[] = {
      {"$GPGGA,1*47\r\n$GPR", "", "$GPR", "$GPGGA,1*47\r\n"},
      {"a\r\nb\r\n", "x\r\n", "", "x\r\na\r\nb\r\n"},
      {"a\rb\rc", "", "c", "a\r\nb\r\n"},  // a lone CR ends a line and keeps the next character
      {"a\r", "", "a\r", ""},              // the CR waits to see whether an LF follows
      {"\n$GP\r\n", "", "", "\n$GP\r\n"},  // an LF without its CR is part of the line
      {"no end yet", "d", "no end yet", "d"},
  };
  for (const auto& c : cases) {
    std::string buffer = c.buffer, display = c.display;
    SplitReceived(buffer, display);
    EXPECT_EQ(c.restAfter, buffer) << c.buffer;
    EXPECT_EQ(c.displayAfter, display) << c.buffer;
  }
  // The display keeps its last 1500 characters; a line without an end its last 64 KiB.
  std::string display(1400, 'd'), buffer = std::string(200, 'x') + "\r\n" + std::string(kReceiveLimit + 10, 'y');
  SplitReceived(buffer, display);
  EXPECT_EQ(std::string(1298, 'd') + std::string(200, 'x') + "\r\n", display);
  EXPECT_EQ(std::string(kReceiveLimit, 'y'), buffer);
}

TEST(PositionRecords, QuoteBothSentencesAndCutAMergedPrimary) {
  EXPECT_EQ("$GPGGA,2\r", NewestSentence("$GPGGA,1\r\n$GPGGA,2\r\n$GPGGA,3", "$GPGGA"));  // not a line still coming
  EXPECT_EQ("\"$GPGGA,1\r\"\r\n\"\"\r\n", PositionRecords("$GPGGA,1\r", ""));
  // ",,,$" at position 9 of a 20-character sentence keeps its first 11 characters.
  EXPECT_EQ("\"$GPGGA,1,,,\"\r\n\"$GPRMC,2\r\"\r\n", PositionRecords("$GPGGA,1,,,$GPRMC,2\r", "$GPRMC,2\r"));
  // A primary sentence of fewer than 5 characters (its CR counted) writes nothing.
  std::string buffer = "$GP\r\n", shown;
  EXPECT_FALSE(ParseInput(buffer, shown, "$GP", "$GPRMC"));
  buffer = "$GPGA\r\n";
  shown.clear();
  EXPECT_EQ("\"$GPGA\r\"\r\n\"\"\r\n", ParseInput(buffer, shown, "$GP", "$GPRMC").value_or(""));
}

}  // namespace
}  // namespace ruvek
