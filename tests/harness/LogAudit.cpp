#include "harness/LogAudit.h"

#include <algorithm>
#include <filesystem>

#include "harness/Process.h"

namespace ruvek::harness {
namespace {

constexpr std::size_t kMaxSamples = 3;

// Lines split at CR LF. A last line without its CR LF is flagged: it is a
// record the writer did not finish.
struct Line {
  std::string text;
  bool ended = true;
};

std::vector<Line> CrLfSplit(const std::string& bytes) {
  std::vector<Line> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back({bytes.substr(start), false});
      break;
    }
    lines.push_back({bytes.substr(start, end - start), true});
    start = end + 2;
  }
  return lines;
}

std::vector<std::string> Split(const std::string& line, char sep) {
  std::vector<std::string> out;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = line.find(sep, start);
    out.push_back(line.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) return out;
    start = end + 1;
  }
}

bool StartsWith(const std::string& s, const std::string& prefix) { return s.compare(0, prefix.size(), prefix) == 0; }

bool IsNumber(const std::string& s) {
  return !s.empty() && s.find_first_not_of("-.0123456789") == std::string::npos &&
         s.find_first_of("0123456789") != std::string::npos;
}

// "08-Jun-2026" and "03:00:05": a torn row rarely keeps both in place.
bool IsDate(const std::string& s) { return s.size() == 11 && s[2] == '-' && s[6] == '-'; }
bool IsTime(const std::string& s) { return s.size() == 8 && s[2] == ':' && s[5] == ':'; }

void Sample(LogAudit& a, const std::string& why, const std::string& line) {
  if (a.samples.size() < kMaxSamples) a.samples.push_back(why + ": " + Shorten(line));
}

void AddRow(LogAudit& a, const std::string& number, const std::string& tag) {
  ++a.rows;
  a.numbers.push_back(number);
  a.numbersOfTag[tag].push_back(number);
}

}  // namespace

std::string Shorten(const std::string& line, std::size_t max) {
  std::string out;
  for (char c : line.substr(0, max)) {
    if (c == '\r')
      out += "<CR>";
    else if (c == '\n')
      out += "<LF>";
    else
      out += c;
  }
  if (line.size() > max) out += "...(" + std::to_string(line.size()) + " chars)";
  return out;
}

std::set<std::size_t> TailFieldCounts(const std::string& rawNavLine) {
  const auto commas = std::size_t(std::count(rawNavLine.begin(), rawNavLine.end(), ','));
  return {kRecordFields + kFixedMetFields, kRecordFields + commas + kFixedMetFields};
}

LogAudit AuditCsv(const std::string& name, const std::string& path, const CsvShape& shape) {
  LogAudit a;
  a.name = name;
  a.present = std::filesystem::exists(path);
  if (!a.present) return a;
  const std::vector<Line> lines = CrLfSplit(ReadFile(path));
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const Line& line = lines[i];
    if (!shape.header.empty() && line.text == shape.header) {
      if (i != 0) {
        ++a.misplacedHeaders;
        Sample(a, "header again", line.text);
      }
      if (line.ended) continue;
    }
    if (i == 0 && !shape.header.empty() && line.text != shape.header) {
      ++a.misplacedHeaders;
      Sample(a, "no header", line.text);
    }
    const std::vector<std::string> f = Split(line.text, ',');
    const bool whole = line.ended && shape.fieldCounts.count(f.size()) && f[0] == shape.cruise && IsNumber(f[1]) &&
                       IsDate(f[6]) && IsTime(f[7]);
    if (!whole) {
      ++a.torn;
      Sample(a, line.ended ? std::to_string(f.size()) + " fields" : "no CR LF", line.text);
      continue;
    }
    AddRow(a, f[1], f[15]);
  }
  return a;
}

LogAudit AuditHtml(const std::string& name, const std::string& path) {
  static const char* kHead[] = {"<HTML>", "<HEAD>", "<TITLE>", "</HEAD>", "<BODY>", "<H2>", "<TABLE", "<TR><TH>"};
  static const char* kEnd[] = {"</TABLE>", "</BODY>", "</HTML>"};
  constexpr std::size_t kHeadLines = std::size(kHead), kEndLines = std::size(kEnd);
  constexpr std::size_t kCells = 15;
  const std::string rowStart = "<TR ALIGN=RIGHT><TD>", rowEnd = "</TD></TR>";

  LogAudit a;
  a.name = name;
  a.present = std::filesystem::exists(path);
  if (!a.present) return a;
  const std::vector<Line> lines = CrLfSplit(ReadFile(path));

  std::size_t first = 0, last = lines.size();
  a.headOk = lines.size() >= kHeadLines;
  for (std::size_t i = 0; a.headOk && i < kHeadLines; ++i) a.headOk = StartsWith(lines[i].text, kHead[i]);
  if (a.headOk) first = kHeadLines;
  a.endOk = lines.size() >= first + kEndLines && lines.back().ended;
  for (std::size_t i = 0; a.endOk && i < kEndLines; ++i) a.endOk = lines[lines.size() - kEndLines + i].text == kEnd[i];
  if (a.endOk) last = lines.size() - kEndLines;

  for (std::size_t i = first; i < last; ++i) {
    const Line& line = lines[i];
    const bool row = line.ended && StartsWith(line.text, rowStart) && line.text.size() >= rowEnd.size() &&
                     line.text.compare(line.text.size() - rowEnd.size(), rowEnd.size(), rowEnd) == 0;
    if (!row) {
      // A second head or table end inside the file counts against them.
      if (line.text == kHead[0]) a.headOk = false;
      if (line.text == kEnd[0]) a.endOk = false;
      ++a.torn;
      Sample(a, "not a row", line.text);
      continue;
    }
    const std::string inner = line.text.substr(rowStart.size(), line.text.size() - rowStart.size() - rowEnd.size());
    std::vector<std::string> cells;
    for (std::size_t start = 0;;) {
      const std::size_t end = inner.find("</TD><TD>", start);
      cells.push_back(inner.substr(start, end == std::string::npos ? std::string::npos : end - start));
      if (end == std::string::npos) break;
      start = end + 9;
    }
    if (cells.size() != kCells) {
      ++a.torn;
      Sample(a, std::to_string(cells.size()) + " cells", line.text);
      continue;
    }
    AddRow(a, cells[1], cells[13]);
  }
  return a;
}

Coverage Cover(const LogAudit& log, const std::set<std::string>& expected, bool allowForeign) {
  Coverage c;
  for (const std::string& tag : expected) {
    auto it = log.numbersOfTag.find(tag);
    if (it == log.numbersOfTag.end()) {
      ++c.missing;
      c.missingTags.push_back(tag);
    } else {
      c.twice += it->second.size() - 1;
    }
  }
  for (const auto& [tag, numbers] : log.numbersOfTag)
    if (!expected.count(tag) && !allowForeign) c.foreign += numbers.size();
  return c;
}

std::size_t DuplicateNumbers(const LogAudit& log) {
  std::map<std::string, std::size_t> seen;
  std::size_t dup = 0;
  for (const std::string& n : log.numbers)
    if (seen[n]++ > 0) ++dup;
  return dup;
}

std::optional<std::string> OneLineProblem(const std::string& path, bool mustExist) {
  if (!std::filesystem::exists(path)) return mustExist ? std::optional<std::string>("missing") : std::nullopt;
  const std::string bytes = ReadFile(path);
  if (bytes.empty()) return "empty";
  const std::size_t end = bytes.find("\r\n");
  if (end == std::string::npos) return "partial (no CR LF): " + Shorten(bytes);
  if (end + 2 != bytes.size()) return "more than one line: " + Shorten(bytes);
  return std::nullopt;
}

}  // namespace ruvek::harness
