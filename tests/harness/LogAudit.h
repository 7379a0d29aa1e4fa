#pragma once
// Whole-file audits of the logs a station writes, for the stress and crash
// harnesses: which event rows a log holds (each event is tagged by its
// comments text), which lines are not whole rows, and whether an HTML log
// still has its head and its end.
#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace ruvek::harness {

// Fields of the record before the navigation tail.
inline constexpr std::size_t kRecordFields = 17;
// The tail always holds MET items 0 to 111, each after a comma.
inline constexpr std::size_t kFixedMetFields = 112;

struct LogAudit {
  std::string name;  // how the report names the log
  bool present = false;
  std::size_t rows = 0;              // whole event rows
  std::size_t torn = 0;              // lines that are no whole row (cut short, glued, or without CR LF)
  std::size_t misplacedHeaders = 0;  // a CSV header line anywhere but first, or missing
  bool headOk = true;                // HTML: the head lines open the file, once
  bool endOk = true;                 // HTML: the closing tags end the file, once
  std::map<std::string, std::vector<std::string>> numbersOfTag;  // comments text -> event numbers
  std::vector<std::string> numbers;                              // event numbers, in file order
  std::vector<std::string> samples;                              // a few bad lines, shortened, for the report
};

// What a CSV log's lines must look like.
struct CsvShape {
  std::string cruise;                 // the first field of every row
  std::string header;                 // the first line of the file; empty when it has none
  std::set<std::size_t> fieldCounts;  // accepted numbers of comma-separated fields
};

// Field counts of a row followed by the navigation tail: the raw navigation
// line is glued to the last record field, so its commas add fields; before any
// position was read the tail holds the MET commas only.
std::set<std::size_t> TailFieldCounts(const std::string& rawNavLine);

LogAudit AuditCsv(const std::string& name, const std::string& path, const CsvShape& shape);
LogAudit AuditHtml(const std::string& name, const std::string& path);

// How a log's rows cover the events it should hold exactly once.
struct Coverage {
  std::size_t missing = 0;  // expected events without a row
  std::size_t twice = 0;    // rows beyond the first of an event
  std::size_t foreign = 0;  // rows of events not expected here
  std::vector<std::string> missingTags;
};
// `allowForeign`: other events may be there too (a crash harness log holds the
// event in progress at the kill, which may or may not have been written).
Coverage Cover(const LogAudit& log, const std::set<std::string>& expected, bool allowForeign = false);

// Rows beyond the first of each event number.
std::size_t DuplicateNumbers(const LogAudit& log);

// A file the program replaces whole and that holds one line: nullopt when it
// does (or when it is absent and may be), otherwise what is wrong with it.
std::optional<std::string> OneLineProblem(const std::string& path, bool mustExist);

// A line shortened for a report, CR and LF shown.
std::string Shorten(const std::string& line, std::size_t max = 100);

}  // namespace ruvek::harness
