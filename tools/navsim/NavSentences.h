#pragma once
// Building blocks of the navigation simulator: the simulated clock, dead
// reckoning along a course, and the text of a current position file in the
// layouts a ship's underway data system writes. Header-only so that the unit
// tests can check the sentences without running the program.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace ruvek::navsim {

// A UTC (or local) clock reading to the hundredth of a second.
struct ClockTime {
  int year = 2000, month = 1, day = 1;
  int hour = 0, minute = 0, second = 0, centisecond = 0;
};

// Days since 1970-01-01 of a civil date (proleptic Gregorian).
inline std::int64_t DaysFromCivil(int year, int month, int day) {
  const int y = year - (month <= 2 ? 1 : 0);
  const int era = (y >= 0 ? y : y - 399) / 400;
  const int yoe = y - era * 400;
  const int mp = (month + 9) % 12;
  const int doy = (153 * mp + 2) / 5 + day - 1;
  const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return std::int64_t(era) * 146097 + doe - 719468;
}

inline ClockTime ClockFromMillis(std::int64_t ms) {
  std::int64_t days = ms / 86400000;
  std::int64_t rest = ms % 86400000;
  if (rest < 0) {
    rest += 86400000;
    --days;
  }
  const std::int64_t z = days + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int doe = int(z - era * 146097);
  const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int mp = (5 * doy + 2) / 153;
  ClockTime t;
  t.day = doy - (153 * mp + 2) / 5 + 1;
  t.month = mp < 10 ? mp + 3 : mp - 9;
  t.year = int(yoe + era * 400) + (t.month <= 2 ? 1 : 0);
  t.hour = int(rest / 3600000);
  t.minute = int(rest / 60000 % 60);
  t.second = int(rest / 1000 % 60);
  t.centisecond = int(rest / 10 % 100);
  return t;
}

inline std::int64_t MillisFromClock(const ClockTime& t) {
  return DaysFromCivil(t.year, t.month, t.day) * 86400000 +
         ((std::int64_t(t.hour) * 60 + t.minute) * 60 + t.second) * 1000 + t.centisecond * 10;
}

// Parses "YYYY-MM-DD HH:MM:SS"; false on anything else.
inline bool ParseClock(const std::string& text, ClockTime& out) {
  ClockTime t;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second,
                  &tail) != 6) {
    return false;
  }
  if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 || t.hour > 23 || t.minute > 59 || t.second > 59 ||
      t.year < 1970 || t.hour < 0 || t.minute < 0 || t.second < 0) {
    return false;
  }
  // Reject dates such as 31 April by a round trip.
  const ClockTime back = ClockFromMillis(MillisFromClock(t));
  if (back.day != t.day || back.month != t.month) return false;
  out = t;
  return true;
}

// Position after sailing distance along a rhumb-line course from lat, lon (degrees,
// north and east positive; course in degrees true; speed in knots).
struct Position {
  double lat = 0, lon = 0;
};

inline Position DeadReckon(Position start, double courseDeg, double speedKnots, double hours) {
  const double pi = 3.14159265358979323846;
  const double distanceNm = speedKnots * hours;
  const double course = courseDeg * pi / 180;
  Position end;
  end.lat = start.lat + distanceNm * std::cos(course) / 60;
  const double midLat = (start.lat + end.lat) / 2 * pi / 180;
  end.lon = start.lon + distanceNm * std::sin(course) / (60 * std::cos(midLat));
  if (end.lon > 180) end.lon -= 360;
  if (end.lon < -180) end.lon += 360;
  return end;
}

// Everything one update of the file says about the ship.
struct Fix {
  Position position;
  double courseDeg = 0;
  double speedKnots = 0;
  ClockTime utc;
  ClockTime local;            // the MET record's and the datagram's date and time
  std::string talker = "GP";  // the two letters after "$" in the NMEA sentences
  bool hasFix = true;         // false: the receiver has no fix (GGA quality 0, RMC status V)
};

// The quadrant a simulated ship sails in: 'N' or 'S' and 'E' or 'W'; 0 keeps
// the signs of the simulated track.
struct Quadrant {
  char lat = 0, lon = 0;
};

// The fix mirrored into the quadrant: across the equator and the prime
// meridian as needed, with its course mirrored alike, so that the ship moves
// within the quadrant along the mirror image of its track.
inline void MirrorInto(Fix& fix, Quadrant quadrant) {
  if (quadrant.lat && (fix.position.lat < 0) != (quadrant.lat == 'S')) {
    fix.position.lat = -fix.position.lat;
    fix.courseDeg = std::fmod(540 - fix.courseDeg, 360);
  }
  if (quadrant.lon && (fix.position.lon < 0) != (quadrant.lon == 'W')) {
    fix.position.lon = -fix.position.lon;
    fix.courseDeg = std::fmod(720 - fix.courseDeg, 360);
  }
}

// XOR of the characters between '$' and '*' as two upper-case hex digits.
inline std::string NmeaChecksum(std::string_view body) {
  unsigned char sum = 0;
  for (char c : body.substr(body.empty() || body[0] != '$' ? 0 : 1)) sum ^= static_cast<unsigned char>(c);
  char hex[3];
  std::snprintf(hex, sizeof hex, "%02X", sum);
  return hex;
}

inline std::string WithChecksum(const std::string& body) { return body + "*" + NmeaChecksum(body); }

// Degrees and minutes as NMEA writes them: "3252.1234" (degreeDigits 2) or
// "11714.5678" (3), hemisphere taken separately.
inline std::string DegreesMinutes(double degrees, int degreeDigits) {
  const long long tenThousandths = std::llround(std::fabs(degrees) * 60 * 10000);
  const long long whole = tenThousandths / 600000;
  const long long minutes = tenThousandths % 600000;
  char text[40];
  std::snprintf(text, sizeof text, "%0*lld%02lld.%04lld", degreeDigits, whole, minutes / 10000, minutes % 10000);
  return text;
}

inline std::string TimeField(const ClockTime& t) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d%02d%02d.%02d", t.hour, t.minute, t.second, t.centisecond);
  return text;
}

inline std::string OneDecimal(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  return text;
}

inline std::string LatitudeFields(double lat) { return DegreesMinutes(lat, 2) + (lat < 0 ? ",S" : ",N"); }

inline std::string LongitudeFields(double lon) { return DegreesMinutes(lon, 3) + (lon < 0 ? ",W" : ",E"); }

// $GPGGA,183012.00,3252.1234,N,11714.5678,W,2,09,0.9,5.1,M,-35.2,M,,*55
// without a fix: $GPGGA,183012.00,,,,,0,00,99.9,,,,,,*56
inline std::string GgaSentence(const Fix& fix) {
  const std::string head = "$" + fix.talker + "GGA," + TimeField(fix.utc) + ",";
  if (!fix.hasFix) return WithChecksum(head + ",,,,0,00,99.9,,,,,,");
  return WithChecksum(head + LatitudeFields(fix.position.lat) + "," + LongitudeFields(fix.position.lon) +
                      ",2,09,0.9,5.1,M,-35.2,M,,");
}

inline std::string DateField(const ClockTime& t) {
  char date[16];
  std::snprintf(date, sizeof date, "%02d%02d%02d", t.day, t.month, t.year % 100);
  return date;
}

// $GPRMC,183012.00,A,3252.1234,N,11714.5678,W,10.0,240.0,070618,12.5,E,D*2E
// without a fix: $GPRMC,183012.00,V,,,,,,,070618,,,N*7C
inline std::string RmcSentence(const Fix& fix) {
  const std::string head = "$" + fix.talker + "RMC," + TimeField(fix.utc) + ",";
  if (!fix.hasFix) return WithChecksum(head + "V,,,,,,," + DateField(fix.utc) + ",,,N");
  return WithChecksum(head + "A," + LatitudeFields(fix.position.lat) + "," + LongitudeFields(fix.position.lon) + "," +
                      OneDecimal(fix.speedKnots) + "," + OneDecimal(fix.courseDeg) + "," + DateField(fix.utc) +
                      ",12.5,E,D");
}

// $GPVTG,240.0,T,227.5,M,10.0,N,18.5,K,D*2F
// without a fix: $GPVTG,,T,,M,,N,,K,N*2C
inline std::string VtgSentence(const Fix& fix) {
  const std::string head = "$" + fix.talker + "VTG,";
  if (!fix.hasFix) return WithChecksum(head + ",T,,M,,N,,K,N");
  const double magnetic = std::fmod(fix.courseDeg - 12.5 + 360, 360);
  return WithChecksum(head + OneDecimal(fix.courseDeg) + ",T," + OneDecimal(magnetic) + ",M," +
                      OneDecimal(fix.speedKnots) + ",N," + OneDecimal(fix.speedKnots * 1.852) + ",K,D");
}

// MET,07062018,183012,32.86872,LAT,-117.24280,LON,240.0,COG,10.0,SOG,16.51,ST2,33.512,SA2
// withPosition false leaves out the position and its tags.
inline std::string MetRecord(const Fix& fix, bool withPosition) {
  char head[64];
  std::snprintf(head, sizeof head, "MET,%02d%02d%04d,%02d%02d%02d", fix.local.day, fix.local.month, fix.local.year,
                fix.local.hour, fix.local.minute, fix.local.second);
  std::string record = head;
  if (withPosition) {
    char position[80];
    std::snprintf(position, sizeof position, ",%.5f,LAT,%.5f,LON", fix.position.lat, fix.position.lon);
    record += position;
  }
  return record + "," + OneDecimal(fix.courseDeg) + ",COG," + OneDecimal(fix.speedKnots) + ",SOG,16.51,ST2,33.512,SA2";
}

// The datagram of the UDP navigation source: the local date and time and the
// decimal position, north and east positive, each field ended by a comma;
// without a fix the position fields are empty.
// UDP,07-Jun-2018,11:30:12,32.868723,-117.242797,
inline std::string DatagramText(const Fix& fix) {
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  char text[96];
  std::snprintf(text, sizeof text, "UDP,%02d-%s-%04d,%02d:%02d:%02d,", fix.local.day,
                kMonths[(fix.local.month + 11) % 12], fix.local.year, fix.local.hour, fix.local.minute,
                fix.local.second);
  std::string datagram = text;
  if (!fix.hasFix) return datagram + ",,";
  std::snprintf(text, sizeof text, "%.6f,%.6f,", fix.position.lat, fix.position.lon);
  return datagram + text;
}

enum class Layout { GgaRmc, Rmc, Met };

// The whole file for one update, lines ending CR LF. dropPrimary leaves out the
// sentence the logger looks for first (the GGA; or the RMC when it is alone, which
// a VTG then stands in for) or, in the MET layout, the position items, which a
// fix without a position leaves out too.
inline std::string PositionFileText(Layout layout, const Fix& fix, bool dropPrimary) {
  switch (layout) {
    case Layout::GgaRmc: return (dropPrimary ? std::string() : GgaSentence(fix) + "\r\n") + RmcSentence(fix) + "\r\n";
    case Layout::Rmc: return (dropPrimary ? VtgSentence(fix) : RmcSentence(fix)) + "\r\n";
    case Layout::Met: return MetRecord(fix, !dropPrimary && fix.hasFix) + "\r\n";
  }
  return {};
}

}  // namespace ruvek::navsim
