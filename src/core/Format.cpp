#include "core/Format.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <string>
#include <system_error>

namespace ruvek {
namespace {

// What a pattern asks for: digits before the point that are always shown, and
// decimals always shown / at most shown.
struct DigitPattern {
  std::size_t minIntegerDigits = 0;
  std::size_t forcedDecimals = 0;
  std::size_t maxDecimals = 0;
};

DigitPattern ParsePattern(std::string_view pattern) {
  DigitPattern result;
  const std::size_t point = pattern.find('.');
  for (char c : pattern.substr(0, point)) {
    if (c == '0') ++result.minIntegerDigits;
  }
  if (point == std::string_view::npos) return result;
  for (char c : pattern.substr(point + 1)) {
    if (c != '0' && c != '#') continue;
    ++result.maxDecimals;
    if (c == '0') result.forcedDecimals = result.maxDecimals;
  }
  return result;
}

// The magnitude as the shortest fixed-point text that reads back as the same
// double, split at the point: 2.675 -> "2", "675".
void ShortestDigits(double magnitude, std::string& integerDigits, std::string& decimals) {
  // Fixed notation of the largest double has 309 digits, of the smallest
  // subnormal about 340 characters.
  char buffer[400];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::fixed);
  const std::string_view text = error == std::errc() ? std::string_view(buffer, end - buffer) : std::string_view("0");
  const std::size_t point = text.find('.');
  integerDigits = std::string(text.substr(0, point));
  decimals = point == std::string_view::npos ? std::string() : std::string(text.substr(point + 1));
}

// Adds one unit in the last place of integerDigits + decimals, carrying leftwards.
void IncrementLastDigit(std::string& integerDigits, std::string& decimals) {
  for (std::size_t i = decimals.size(); i-- > 0;) {
    if (decimals[i] != '9') {
      ++decimals[i];
      return;
    }
    decimals[i] = '0';
  }
  for (std::size_t i = integerDigits.size(); i-- > 0;) {
    if (integerDigits[i] != '9') {
      ++integerDigits[i];
      return;
    }
    integerDigits[i] = '0';
  }
  integerDigits.insert(integerDigits.begin(), '1');
}

// Half away from zero: the digits are a magnitude, so a dropped first digit of
// 5 or more always rounds the kept digits up.
void RoundDecimals(std::string& integerDigits, std::string& decimals, std::size_t keep) {
  if (decimals.size() <= keep) return;
  const bool roundUp = decimals[keep] >= '5';
  decimals.resize(keep);
  if (roundUp) IncrementLastDigit(integerDigits, decimals);
}

bool AllZero(const std::string& digits) { return digits.find_first_not_of('0') == std::string::npos; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string FormatNumber(double value, std::string_view pattern) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Inf" : "Inf";

  const DigitPattern digits = ParsePattern(pattern);
  std::string integerDigits, decimals;
  ShortestDigits(std::fabs(value), integerDigits, decimals);
  RoundDecimals(integerDigits, decimals, digits.maxDecimals);

  while (decimals.size() > digits.forcedDecimals && decimals.back() == '0') decimals.pop_back();
  decimals.resize(std::max(decimals.size(), digits.forcedDecimals), '0');

  const bool negative = value < 0 && !(AllZero(integerDigits) && AllZero(decimals));
  const std::size_t firstSignificant = integerDigits.find_first_not_of('0');
  integerDigits = firstSignificant == std::string::npos ? std::string() : integerDigits.substr(firstSignificant);
  if (integerDigits.size() < digits.minIntegerDigits) {
    integerDigits.insert(0, digits.minIntegerDigits - integerDigits.size(), '0');
  }

  std::string text = negative ? "-" : "";
  text += integerDigits;
  if (!decimals.empty()) text += "." + decimals;
  return text;
}

double LeadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::size_t integerStart = i;
  while (i < text.size() && IsDigit(text[i])) ++i;
  const std::string_view integerDigits = text.substr(integerStart, i - integerStart);
  std::string_view decimals;
  if (i < text.size() && text[i] == '.') {
    const std::size_t decimalStart = ++i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    decimals = text.substr(decimalStart, i - decimalStart);
  }
  if (integerDigits.empty() && decimals.empty()) return 0;

  // from_chars takes neither a leading '+' nor a bare point, so the prefix is
  // rebuilt in a form it always accepts.
  std::string number(integerDigits.empty() ? "0" : integerDigits);
  number += '.';
  number += decimals.empty() ? "0" : decimals;
  double magnitude = 0;
  const auto [end, error] =
      std::from_chars(number.data(), number.data() + number.size(), magnitude, std::chars_format::fixed);
  (void)end;
  if (error == std::errc::result_out_of_range) {
    // Too large for a double, or so small it reads as zero.
    const bool huge = integerDigits.find_first_not_of('0') != std::string_view::npos;
    magnitude = huge ? HUGE_VAL : 0.0;
  }
  return negative ? -magnitude : magnitude;
}

long long RoundHalfEven(double value) {
  if (std::isnan(value)) return 0;
  // 2^63 is exactly representable; anything at or beyond it does not fit.
  if (value >= 9223372036854775808.0) return LLONG_MAX;
  if (value < -9223372036854775808.0) return LLONG_MIN;
  const double below = std::floor(value);
  const double fraction = value - below;  // exact for every double in range
  double rounded = below;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) rounded = below + 1;
  if (rounded >= 9223372036854775808.0) return LLONG_MAX;
  return static_cast<long long>(rounded);
}

}  // namespace ruvek
