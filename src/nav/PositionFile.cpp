#include "nav/PositionFile.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <vector>

#include "core/Format.h"
#include "core/TextRoutines.h"
#include "os/Lines.h"

namespace ruvek {
namespace {

constexpr std::size_t kMaxPositionLines = 20;

// Calls visit(line) for every line of a position file that is not blank, as
// long as visit returns true. False when a line is longer than
// kMaxPositionLineLength (the file is then no position file) or visit said so.
template <typename Visit>
bool ForEachPositionLine(std::string_view fileBytes, Visit visit) {
  bool good = true;
  ForEachLine(fileBytes, [&](std::string_view line) {
    if (line.size() > kMaxPositionLineLength) return good = false;
    if (!TrimView(line).empty() && !visit(line)) return good = false;
    return true;
  });
  return good;
}

// Characters first..first+count-1 (1-based), as far as the text reaches.
std::string Middle(const std::string& text, std::size_t first, std::size_t count) {
  if (first - 1 >= text.size()) return {};
  return text.substr(first - 1, count);
}

std::string LastCharacters(const std::string& text, std::size_t count) {
  return count >= text.size() ? text : text.substr(text.size() - count);
}

// "183012.00" -> "18:30:12". An empty field supplies no time.
std::optional<std::string> SentenceTime(const std::string& field) {
  if (field.empty()) return std::nullopt;
  return Middle(field, 1, 2) + ":" + Middle(field, 3, 2) + ":" + Middle(field, 5, 2);
}

// "070618" or "07062018" -> "07-Jun-2018". An empty field supplies no date.
std::optional<std::string> SentenceDate(const std::string& digits) {
  if (digits.empty()) return std::nullopt;
  return NmeaDateText(digits);
}

// "3252.1234" with 2 degree digits -> "32", "52.1234". A field shorter than the
// degree digits gives its whole text for both, as the readers always have.
void SplitDegrees(const std::string& field, std::size_t degreeDigits, std::string& degrees, std::string& minutes) {
  degrees = field.substr(0, degreeDigits);
  minutes = field.size() < degreeDigits ? field : field.substr(degreeDigits);
}

// The double as a single-precision value, when it is a finite one.
bool FitsSingle(double value) { return std::isfinite(value) && std::fabs(value) <= FLT_MAX; }

// A latitude beyond 90 degrees or a longitude beyond 180 is no position: the
// grid would turn it into "NaN" lines and stations.
constexpr double kLatLimit = 90, kLonLimit = 180;

float DegreesOrMissing(double value, double limit) {
  return FitsSingle(value) && std::fabs(value) <= limit ? static_cast<float>(value) : -99.0f;
}

// Degrees that read as a number: a digit (after blanks and a plus sign, or a
// point) and no minus sign anywhere, as sentences write degrees unsigned.
bool ReadableDegrees(std::string_view text) {
  if (Contains(text, "-")) return false;
  text = TrimView(text);
  std::size_t i = 0;
  if (i < text.size() && text[i] == '+') ++i;
  if (i < text.size() && text[i] == '.') ++i;
  return i < text.size() && text[i] >= '0' && text[i] <= '9';
}

double DegreesValue(const std::string& degrees, const std::string& minutes) {
  return LeadingNumber(degrees) + LeadingNumber(minutes) / 60;
}

// The value made negative for the southern or western hemisphere; 0 stays 0.
double Hemisphere(double value, bool negative) { return negative && value != 0 ? -value : value; }

// The date of a GGA read from the last date sentence at or after it.
std::optional<std::string> GgaDate(std::string_view dateType, bool dateFound, const std::array<std::string, 21>& date) {
  if (!dateFound) return std::nullopt;
  if (dateType == "ZDA") return SentenceDate(date[2] + date[3] + date[4]);
  if (dateType == "RMC") return SentenceDate(date[9]);
  return std::nullopt;
}

bool IsUpperLetter(char c) { return c >= 'A' && c <= 'Z'; }

// Where the line holds a sentence of the type from any two-letter talker
// ("$GNGGA" for "GGA"), or npos.
std::size_t FindAnyTalker(std::string_view line, std::string_view type) {
  for (std::size_t p = line.find(type, 3); p != std::string_view::npos; p = line.find(type, p + 1)) {
    if (line[p - 3] == '$' && IsUpperLetter(line[p - 2]) && IsUpperLetter(line[p - 1])) return p - 3;
  }
  return std::string_view::npos;
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// False when the sentence found at `at` carries a checksum ("*" and two
// hexadecimal digits) that is not the exclusive or of its characters between
// "$" and "*", as when the line was garbled on its way. A sentence without "*"
// passes; a "*" without two hexadecimal digits after it does not.
bool ChecksumMatches(std::string_view line, std::size_t at) {
  std::size_t dollar = line.rfind('$', at);
  if (dollar == std::string_view::npos) dollar = line.find('$', at);
  if (dollar == std::string_view::npos) return true;
  const std::size_t star = line.find('*', dollar + 1);
  if (star == std::string_view::npos) return true;
  unsigned sum = 0;
  for (std::size_t i = dollar + 1; i < star; ++i) sum ^= static_cast<unsigned char>(line[i]);
  if (star + 2 >= line.size()) return false;
  const int high = HexDigitValue(line[star + 1]);
  const int low = HexDigitValue(line[star + 2]);
  return high >= 0 && low >= 0 && static_cast<unsigned>(high * 16 + low) == sum;
}

// The lines from `first` on that hold the sentence with no wrong checksum:
// those holding its identifier; when none does, those holding the same type
// from another talker (a receiver swapped for one that talks as "$GN" rather
// than "$GP"). `badChecksum` tells whether a line was passed over for its
// checksum.
std::vector<std::size_t> LinesHolding(const std::string_view* lines, std::size_t first, std::size_t count,
                                      std::string_view id, std::string_view type, bool& badChecksum) {
  std::vector<std::size_t> found;
  for (const bool anyTalker : {false, true}) {
    if (anyTalker && type.empty()) break;
    for (std::size_t i = first; i < count; ++i) {
      const std::size_t at = anyTalker ? FindAnyTalker(lines[i], type) : lines[i].find(id);
      if (at == std::string_view::npos) continue;
      if (ChecksumMatches(lines[i], at)) {
        found.push_back(i);
      } else {
        badChecksum = true;
      }
    }
    if (!found.empty()) break;
  }
  return found;
}

// One item of a MET record line from pos; pos moves past the comma that ends it.
// Returns false when the item ended at the end of the line.
bool NextMetItem(std::string_view line, std::size_t& pos, std::string& item) {
  pos = std::min(line.find_first_not_of(kBlanks, pos), line.size());
  std::size_t itemEnd;
  if (pos < line.size() && line[pos] == '"') {
    const std::size_t closing = line.find('"', pos + 1);
    const std::size_t stop = closing == std::string_view::npos ? line.size() : closing;
    item.assign(line.substr(pos + 1, stop - pos - 1));
    itemEnd = stop;  // text between the closing quote and the comma is dropped
  } else {
    itemEnd = pos;
  }
  const std::size_t comma = line.find(',', itemEnd);
  const std::size_t end = comma == std::string_view::npos ? line.size() : comma;
  if (itemEnd == pos) item.assign(TrimView(line.substr(pos, end - pos)));
  pos = end + 1;
  return comma != std::string_view::npos;
}

bool StartsWith(const std::string& text, std::string_view prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

// The value of a kept item, 0 for an index outside the table.
double MetValue(const MetItems& items, int index) {
  if (index < 0 || index >= static_cast<int>(items.size())) return 0;
  return LeadingNumber(items[static_cast<std::size_t>(index)]);
}

CurrPosResult Unread() {
  CurrPosResult result;
  result.status = CurrPosResult::ReadError;
  return result;
}

CurrPosResult NoPosition(CurrPosResult::Status status) {
  CurrPosResult result;
  result.status = status;
  return result;
}

// A receiver without a fix says so in the GGA quality (0) or the RMC status
// ("V"); the position it writes then is empty or stale.
bool SaysNoFix(std::string_view type, const std::array<std::string, 21>& fields) {
  return (type == "GGA" && fields[6] == "0") || (type == "RMC" && fields[2] == "V");
}

MetResult UnreadMet() {
  MetResult result;
  result.status = MetResult::ReadError;
  return result;
}

}  // namespace

std::string_view SentenceType(std::string_view id) {
  if (id.size() != 6 || id[0] != '$') return {};
  for (const char c : id.substr(1)) {
    if (!IsUpperLetter(c)) return {};
  }
  return id.substr(3);
}

void SplitSentence(std::string_view line, std::array<std::string, 21>& slots) {
  std::size_t count = 0;
  std::size_t fieldStart = 0;
  for (std::size_t i = 0; i < line.size() && count < slots.size(); ++i) {
    if (line[i] != ',') continue;
    slots[count++].assign(line.substr(fieldStart, i - fieldStart));
    fieldStart = i + 1;
  }
}

CurrPosResult ParseCurrPos(std::string_view fileBytes, std::string_view primary, std::string_view dateString) {
  CurrPosResult result;
  std::array<std::string_view, kMaxPositionLines> lines;
  std::size_t count = 0;
  const bool read = ForEachPositionLine(fileBytes, [&](std::string_view line) {
    if (count == lines.size()) return false;
    lines[count++] = TrimView(line);
    return true;
  });
  if (!read) return Unread();

  const std::string_view type = SentenceType(primary);
  bool badChecksum = false;
  const std::vector<std::size_t> primaryLines = LinesHolding(lines.data(), 0, count, primary, type, badChecksum);
  if (primaryLines.empty()) return NoPosition(badChecksum ? CurrPosResult::BadChecksum : CurrPosResult::Bad);
  const std::size_t primaryLine = primaryLines.front();

  std::array<std::string, 21> fields;
  SplitSentence(lines[primaryLine], fields);
  if (SaysNoFix(type, fields)) return NoPosition(CurrPosResult::NoFix);
  std::array<std::string, 21> date;
  bool dateFound = false;
  const std::string_view dateType = SentenceType(dateString);
  if (type == "GGA") {
    // The date sentence may come before the next fix is written, so only lines
    // from the GGA on count; the last one wins.
    bool badDateChecksum = false;
    for (const std::size_t i : LinesHolding(lines.data(), primaryLine, count, dateString, dateType, badDateChecksum)) {
      SplitSentence(lines[i], date);
      dateFound = true;
    }
  }

  result.status = CurrPosResult::Good;
  result.rawLine = std::string(lines[primaryLine]);
  if (type == "GGA") {
    // $GPGGA,183012.00,3252.1234,N,11714.5678,W,2,09,0.9,5.1,M,-35.2,M,,*55
    result.utcTime = SentenceTime(fields[1]);
    SplitDegrees(fields[2], 2, result.latDeg, result.latMin);
    SplitDegrees(fields[4], 3, result.lonDeg, result.lonMin);
    result.latHemisphere = fields[3];
    result.lonHemisphere = fields[5];
    result.utcDate = GgaDate(dateType, dateFound, date);
  } else if (type == "RMC") {
    // $GPRMC,183012.00,A,3252.1234,N,11714.5678,W,10.0,240.0,070618,12.5,E,D*2E
    // An RMC with a fix but a short position field cannot be read.
    if (fields[3].size() < 2 || fields[5].size() < 3) return Unread();
    result.utcTime = SentenceTime(fields[1]);
    SplitDegrees(fields[3], 2, result.latDeg, result.latMin);
    SplitDegrees(fields[5], 3, result.lonDeg, result.lonMin);
    result.latHemisphere = fields[4];
    result.lonHemisphere = fields[6];
    result.utcDate = SentenceDate(fields[9]);
  } else if (type == "WPL") {
    // $GPWPL,3252.1234,N,11714.5678,W,STN93*16
    // A waypoint sentence in its usual layout: latitude ddmm.mm in field 1,
    // longitude dddmm.mm in field 3, no time and no date.
    SplitDegrees(fields[1], 2, result.latDeg, result.latMin);
    SplitDegrees(fields[3], 3, result.lonDeg, result.lonMin);
    result.latHemisphere = fields[2];
    result.lonHemisphere = fields[4];
  }
  return result;
}

DecimalPosition ToDecimal(const CurrPosResult& read) {
  DecimalPosition position;
  if (!ReadableDegrees(read.latDeg)) return position;
  position.lat =
      DegreesOrMissing(Hemisphere(DegreesValue(read.latDeg, read.latMin), read.latHemisphere == "S"), kLatLimit);
  if (position.lat == -99.0f || !ReadableDegrees(read.lonDeg)) return position;
  position.lon =
      DegreesOrMissing(Hemisphere(DegreesValue(read.lonDeg, read.lonMin), read.lonHemisphere != "E"), kLonLimit);
  return position;
}

MetResult ParseMetRecord(std::string_view fileBytes, MetItems& items, int& latIndex, int& lonIndex) {
  // Work on copies so that a record that cannot be read leaves the kept one whole.
  MetItems read = items;
  int latSlot = latIndex;
  int lonSlot = lonIndex;
  std::size_t count = 0;
  const bool good = ForEachPositionLine(fileBytes, [&](std::string_view line) {
    std::size_t linePos = 0;
    bool more = true;
    while (more) {
      if (count == read.size()) return false;
      more = NextMetItem(line, linePos, read[count]);
      // A tag names the item before it; a tag in the first slot names nothing.
      if (count > 0 && StartsWith(read[count], "LA")) latSlot = static_cast<int>(count) - 1;
      if (count > 0 && StartsWith(read[count], "LO")) lonSlot = static_cast<int>(count) - 1;
      ++count;
    }
    return true;
  });
  if (!good) return UnreadMet();
  items = std::move(read);
  latIndex = latSlot;
  lonIndex = lonSlot;

  MetResult result;
  result.localDate = NmeaDateText(items[1]);
  result.localTime = Middle(items[2], 1, 2) + ":" + Middle(items[2], 3, 2) + ":" + LastCharacters(items[2], 2);
  const double lat = MetValue(items, latIndex);
  const double lon = MetValue(items, lonIndex);
  result.position = {DegreesOrMissing(lat, kLatLimit), DegreesOrMissing(lon, kLonLimit)};
  // The boxes show the value read, or -99 for a value that is no position.
  result.latText = FormatNumber(result.position.lat == -99.0f ? -99.0 : lat, "00.00000");
  result.lonText = FormatNumber(result.position.lon == -99.0f ? -99.0 : lon, "000.00000");
  return result;
}

DatagramDisplay ParseDatagram(std::string_view text) {
  std::vector<std::string> fields(5);
  SplitCommas(text, fields, static_cast<int>(fields.size()));
  return {fields[1], fields[2], FormatNumber(LeadingNumber(fields[3]), "00.00000"),
          FormatNumber(LeadingNumber(fields[4]), "#000.00000")};
}

}  // namespace ruvek
