#pragma once
// Readers of the current position file, as pure functions over the bytes the
// caller has already read. Two layouts exist: NMEA sentences (one per line) kept
// by the ship's underway data system or the serial GPS window, and a single
// comma-separated MET record. The poll owns the file access and the retries.
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/EventLogSchema.h"

namespace ruvek {

// Lines of the position file longer than this are not sentences; the file is
// then treated as unreadable rather than searched.
constexpr std::size_t kMaxPositionLineLength = 64 * 1024;

// Splits one sentence at its commas into slots 0, 1, 2, ... The text after the
// last comma (the last field and the checksum) is never stored; once 21 fields are
// stored the rest is ignored; slots that get no field keep their contents.
// Example: "$GPGGA,183012.00,3252.1234,N,11714.5678,W,2,09,0.9,5.1,M,-35.2,M,,*55"
// -> "$GPGGA", "183012.00", "3252.1234", "N", "11714.5678", "W", "2", ...
void SplitSentence(std::string_view line, std::array<std::string, 21>& slots);

// The sentence type of an identifier of any two-letter talker: "$GNGGA" ->
// "GGA", "$GPRMC" -> "RMC"; empty for any other text ("$GPGGA,", "GGA", "").
std::string_view SentenceType(std::string_view id);

// One read of the NMEA layout.
struct CurrPosResult {
  enum Status {
    Good,         // the primary sentence was found ("GPS Status: Good")
    Bad,          // no line holds the primary sentence ("GPS Status: BAD!")
    NoFix,        // the primary sentence says the receiver has no fix ("GPS Status: No Fix")
    BadChecksum,  // every line with the primary sentence failed its checksum ("GPS Status: Bad Checksum")
    ReadError,    // the file could not be read as a position file; the caller retries
  };
  Status status = Bad;
  // Raw position texts, e.g. "32", "52.1234", "117", "14.5678"; empty when not found.
  std::string latDeg, latMin, lonDeg, lonMin;
  // The hemisphere letters as written ("N" or "S", "E" or "W"); empty when not found.
  std::string latHemisphere, lonHemisphere;
  // "18:30:12" and "07-Jun-2018", present only when this read supplied them;
  // otherwise the caller keeps its previous values.
  std::optional<std::string> utcTime, utcDate;
  // The primary sentence used, for the navigation tail of the event log.
  std::string rawLine;
};

// Reads the NMEA layout from the whole file text.
// Example file (CR LF line ends):
//   $GPGGA,183012.00,3252.1234,N,11714.5678,W,2,09,0.9,5.1,M,-35.2,M,,*55
//   $GPRMC,183012.00,A,3252.1234,N,11714.5678,W,10.0,240.0,070618,12.5,E,D*2E
// with primary "$GPGGA" and date string "$GPRMC" gives "32" "52.1234" "117" "14.5678",
// utcTime "18:30:12", utcDate "07-Jun-2018".
// The primary and date strings may name any two-letter talker ("$GNGGA",
// "$GLRMC", "$INZDA"): each sentence is read with the layout of its type (GGA,
// RMC, ZDA, WPL). When no line holds the configured string, the first line
// holding the same type from another talker is used instead (the receiver was
// swapped for one that talks otherwise); the date lines likewise.
// A GGA of quality 0 or an RMC of status "V" is NoFix: no position, time or date.
// A sentence whose "*hh" checksum does not match is passed over as if it were
// not in the file; sentences without a checksum are read as they stand.
// Any bytes are accepted. ReadError: more than 20 non-blank lines, a line longer
// than kMaxPositionLineLength, or an RMC primary whose position field is too short.
CurrPosResult ParseCurrPos(std::string_view fileBytes, std::string_view primary, std::string_view dateString);

// Decimal degrees, north and east positive; -99 marks a missing or invalid value.
struct DecimalPosition {
  float lat = -99;
  float lon = -99;
};

// Degrees plus minutes / 60 from the raw texts; "S" makes the latitude negative,
// and the longitude is negative (west) unless its letter is "E". Degrees of 0
// are a position (the equator, the prime meridian); degrees that are empty, hold
// no number or hold a minus sign are none (-99), as are a latitude beyond 90 and
// a longitude beyond 180 degrees; without a latitude there is no longitude either.
// Example: "32" "52.1234" "117" "14.5678" -> 32.868723, -117.242797;
// with "S" and "E" -> -32.868723, 117.242797.
DecimalPosition ToDecimal(const CurrPosResult& read);

// One read of the MET layout and the values it shows.
struct MetResult {
  enum Status { Good, ReadError };
  Status status = Good;
  std::string localDate;  // "07-Jun-2018" from item 1
  std::string localTime;  // "18:30:12" from item 2
  std::string latText;    // latitude box, "00.00000"
  std::string lonText;    // longitude box, "000.00000"
  DecimalPosition position;
};

// Reads the MET record from the whole file text into items (slots kept between
// reads; slots beyond the last item read keep their contents) and the slots of
// latitude and longitude: the item just before one beginning "LA" is the latitude,
// the one before an item beginning "LO" the longitude.
// Example record:
//   MET,07062018,183012,32.86870,LAT,-117.24280,LON,240.0,COG,10.0,SOG,16.51,ST2,33.512,SA2
// -> latIndex 3, lonIndex 5; "07-Jun-2018", "18:30:12", "32.86870", "-117.24280".
// Items end at commas and line ends; blanks and tabs around an item are dropped;
// a value in double quotes is taken without them (commas inside stay in it);
// blank lines add no items. More than kMetItems items, or a line longer than
// kMaxPositionLineLength, is a ReadError, and then items and indexes are left as
// they were.
MetResult ParseMetRecord(std::string_view fileBytes, MetItems& items, int& latIndex, int& lonIndex);

// The navigation boxes filled from a received datagram text.
struct DatagramDisplay {
  std::string localDate, localTime, latText, lonText;
};

// Fields 1 and 2 as they stand, fields 3 and 4 as numbers ("00.00000" and
// "#000.00000"). Fields are split at commas; a field must be followed by one.
// Example: "UDP,07-Jun-2018,18:30:12,32.8687,-117.2428,"
// -> "07-Jun-2018", "18:30:12", "32.86870", "-117.24280".
DatagramDisplay ParseDatagram(std::string_view text);

}  // namespace ruvek
