#pragma once
// Calendar date and time of day as the machine's clock gives them, with the
// date arithmetic and the fixed machine forms the program shows and logs:
// short date "DD-Mon-YYYY", long time "HH:MM:SS", short time "HH:MM".
#include <cstdint>
#include <string>

namespace ruvek {

struct DateTime {
  int year = 2000, month = 1, day = 1;
  int hour = 0, minute = 0, second = 0;
  int millisecond = 0;

  // Milliseconds since 0001-01-01 00:00:00 (proleptic Gregorian), for arithmetic.
  std::int64_t toMillis() const;
  static DateTime fromMillis(std::int64_t ms);
  DateTime plusMillis(std::int64_t ms) const { return fromMillis(toMillis() + ms); }
  DateTime plusHours(int hours) const { return plusMillis(std::int64_t(hours) * 3600000); }

  int dayOfYear() const;          // 1 to 366
  std::string shortDate() const;  // 07-Jun-2026
  std::string longTime() const;   // 14:05:09
  std::string shortTime() const;  // 14:05
  std::string isoText() const;    // 2026-06-07 14:05:09
  // Parses "YYYY-MM-DD HH:MM:SS"; returns false on anything else.
  static bool parseIso(const std::string& text, DateTime& out);

  friend bool operator==(const DateTime& a, const DateTime& b) { return a.toMillis() == b.toMillis(); }
};

bool isLeapYear(int year);
int daysInMonth(int year, int month);
const char* monthAbbrev(int month);  // "Jan".."Dec"; "" outside 1..12

}  // namespace ruvek
