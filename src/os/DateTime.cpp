#include "os/DateTime.h"

#include <cstdio>

namespace ruvek {
namespace {
constexpr std::int64_t kMsPerDay = 86400000;

// Days from 0001-01-01 to the given date (proleptic Gregorian).
std::int64_t daysFromCivil(int y, int m, int d) {
  std::int64_t days = 0;
  const int py = y - 1;
  days += std::int64_t(py) * 365 + py / 4 - py / 100 + py / 400;
  for (int i = 1; i < m; ++i) days += daysInMonth(y, i);
  return days + (d - 1);
}
}  // namespace

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 30;
  return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

const char* monthAbbrev(int month) {
  static const char* kNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  return month >= 1 && month <= 12 ? kNames[month - 1] : "";
}

std::int64_t DateTime::toMillis() const {
  return daysFromCivil(year, month, day) * kMsPerDay + ((std::int64_t(hour) * 60 + minute) * 60 + second) * 1000 +
         millisecond;
}

DateTime DateTime::fromMillis(std::int64_t ms) {
  if (ms < 0) ms = 0;
  std::int64_t days = ms / kMsPerDay;
  std::int64_t rest = ms % kMsPerDay;
  DateTime t;
  // Walk 400-year cycles, then years, then months: plain and exact.
  const std::int64_t cycle = 146097;
  t.year = 1 + int(days / cycle) * 400;
  days %= cycle;
  while (true) {
    const int len = isLeapYear(t.year) ? 366 : 365;
    if (days < len) break;
    days -= len;
    ++t.year;
  }
  t.month = 1;
  while (days >= daysInMonth(t.year, t.month)) {
    days -= daysInMonth(t.year, t.month);
    ++t.month;
  }
  t.day = int(days) + 1;
  t.millisecond = int(rest % 1000);
  rest /= 1000;
  t.second = int(rest % 60);
  rest /= 60;
  t.minute = int(rest % 60);
  t.hour = int(rest / 60);
  return t;
}

int DateTime::dayOfYear() const { return int(daysFromCivil(year, month, day) - daysFromCivil(year, 1, 1)) + 1; }

std::string DateTime::shortDate() const {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d-%s-%04d", day, monthAbbrev(month), year);
  return buf;
}

std::string DateTime::longTime() const {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", hour, minute, second);
  return buf;
}

std::string DateTime::shortTime() const {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d:%02d", hour, minute);
  return buf;
}

std::string DateTime::isoText() const {
  char buf[48];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour, minute, second);
  return buf;
}

bool DateTime::parseIso(const std::string& text, DateTime& out) {
  DateTime t;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second,
                  &tail) != 6)
    return false;
  if (t.year < 1 || t.month < 1 || t.month > 12 || t.day < 1 || t.day > daysInMonth(t.year, t.month) || t.hour > 23 ||
      t.minute > 59 || t.second > 59 || t.hour < 0 || t.minute < 0 || t.second < 0)
    return false;
  out = t;
  return true;
}

}  // namespace ruvek
