#include "core/TextRoutines.h"

#include <algorithm>

namespace ruvek {
namespace {

// Configuration widths are 16-bit values; anything larger would only ask for
// an absurd allocation.
constexpr int kMaxPadWidth = 32767;

// The character a pad choice pads with, or 0 when that choice pads nothing.
// A blank or empty pad counts as blank padding only on the right.
char PadCharacter(std::string_view pad, bool rightSide) {
  if (pad == "0") return '0';
  if (pad == "S") return ' ';
  if (rightSide && (pad == " " || pad.empty())) return ' ';
  return 0;
}

}  // namespace

JulianParts JulianStamp(const DateTime& now, bool longForm) {
  JulianParts parts;
  parts.dayText = std::to_string(now.dayOfYear());
  PadText(parts.dayText, 3, "L", "0");
  parts.timeText = ReplaceAll(longForm ? now.longTime() : now.shortTime(), ":", "");
  return parts;
}

std::string JulianNumber(const DateTime& now, bool longForm) {
  const JulianParts parts = JulianStamp(now, longForm);
  return parts.dayText + "." + parts.timeText;
}

void SplitCommas(std::string_view text, std::vector<std::string>& slots, int maxCount) {
  std::size_t count = 0, start = 0;
  while (true) {
    const std::size_t comma = text.find(',', start);
    // Whatever follows the last comma is dropped.
    if (comma == std::string_view::npos) return;
    if (count >= slots.size()) return;  // no room left: store nothing more
    // Assigned in place, so a slot array reused line after line keeps its storage.
    slots[count].assign(text.substr(start, comma - start));
    ++count;
    if (maxCount > 0 && count == static_cast<std::size_t>(maxCount)) return;
    start = comma + 1;
  }
}

void PadText(std::string& text, int width, std::string_view side, std::string_view pad) {
  const long long missing = static_cast<long long>(std::min(width, kMaxPadWidth)) - static_cast<long long>(text.size());
  if (missing <= 0) return;
  const std::string upperSide = ToUpper(side);
  const bool left = upperSide == "L" || upperSide.empty();
  const bool right = upperSide == "R";
  if (!left && !right) return;
  const char fill = PadCharacter(pad, right);
  if (fill == 0) return;
  const std::string padding(static_cast<std::size_t>(missing), fill);
  text = left ? padding + text : text + padding;
}

std::string NmeaDateText(const std::string& date) {
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const std::string day = date.substr(0, 2);
  const std::string month = date.size() > 2 ? date.substr(2, 2) : std::string();
  const bool shortForm = date.size() < 7;
  const std::size_t yearLength = std::min<std::size_t>(shortForm ? 2 : 4, date.size());
  const std::string year = date.substr(date.size() - yearLength);

  std::string abbreviation;
  for (int m = 1; m <= 12; ++m) {
    const char digits[3] = {char('0' + m / 10), char('0' + m % 10), 0};
    if (month == digits) abbreviation = kMonths[m - 1];
  }
  return day + "-" + abbreviation + (shortForm ? "-20" : "-") + year;
}

std::string_view TrimView(std::string_view text, std::string_view chars) {
  const std::size_t first = text.find_first_not_of(chars);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(chars) - first + 1);
}

std::string ToUpper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  }
  return upper;
}

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
  if (from.empty()) return text;
  std::size_t pos = text.find(from);
  if (pos == std::string::npos) return text;
  std::string result;
  result.reserve(text.size());
  std::size_t done = 0;
  while (pos != std::string::npos) {
    result.append(text, done, pos - done);
    result.append(to);
    done = pos + from.size();
    pos = text.find(from, done);
  }
  result.append(text, done, std::string::npos);
  return result;
}

bool Contains(std::string_view text, std::string_view needle) { return text.find(needle) != std::string_view::npos; }

std::string FileNamePart(std::string_view name) {
  std::string out(name);
  for (char& c : out)
    if (c == '\\' || c == '/' || c == '\0') c = '_';
  return out;
}

}  // namespace ruvek
