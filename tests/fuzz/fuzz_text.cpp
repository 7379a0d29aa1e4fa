// The pure readers and writers of outside text, one picked by the first byte:
// the line splitter (whole text and block by block must agree), the HTML log
// rewrite, the CSV record and navigation tail, the event number and
// order-occupied values, a grid row from a log line, event list files,
// comment option lines and the configuration rows with the names made from them.
#include <algorithm>
#include <string>
#include <vector>

#include "core/CommentOptions.h"
#include "core/Config.h"
#include "core/Format.h"
#include "core/Settings.h"
#include "core/TextRoutines.h"
#include "events/EventNumber.h"
#include "events/LogFormat.h"
#include "fuzz/FuzzCheck.h"
#include "logview/EventGrid.h"
#include "os/Lines.h"
#include "selection/EventLists.h"

namespace {

using namespace ruvek;
using fuzz::Contains;
using fuzz::Require;

bool EndsWith(const std::string& s, std::string_view end) {
  return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

// Every line ends in CR LF and holds no other CR or LF.
bool CrLfLinesOnly(const std::string& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) return false;
    if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) return false;
  }
  return text.empty() || EndsWith(text, "\r\n");
}

void SplitterAgrees(std::string_view bytes) {
  // The block sizes come from the text itself, so every split point is tried.
  const std::vector<std::string> whole = SplitLines(bytes);
  std::vector<std::string> fed;
  ruvek::LineSplitter splitter;
  auto visit = [&fed](std::string& line) { fed.push_back(line); };
  std::size_t at = 0, step = 1;
  while (at < bytes.size()) {
    const std::size_t n = std::min(step, bytes.size() - at);
    splitter.feed(bytes.data() + at, n, visit);
    at += n;
    step = step % 7 + 1 + (bytes[at - 1] & 3);
  }
  splitter.finish(visit);
  Require(whole == fed);
  for (const std::string& line : whole) Require(line.find_first_of("\r\n") == std::string::npos);
}

void HtmlRewrite(std::string_view bytes) {
  const std::vector<std::string> head = HtmlHead("Tesmora", "0708SR");
  EventFields f;
  f.cruise = "0708SR";
  f.comments = std::string(bytes.substr(0, 40));
  const std::string row = HtmlRow(f);
  const std::string once = RewriteHtmlLog(bytes, row, head);
  const std::string closing = "</TABLE>\r\n</BODY>\r\n</HTML>\r\n";
  Require(EndsWith(once, row + "\r\n" + closing));
  Require(CrLfLinesOnly(once));
  // The log has its head: a line that opens the table.
  bool opensTable = false;
  ForEachLine(once, [&opensTable](std::string_view line) {
    opensTable = opensTable || ToUpper(TrimView(line).substr(0, 6)) == "<TABLE";
  });
  Require(opensTable);
  // A second event keeps everything before the closing tags and adds its row.
  const std::string twice = RewriteHtmlLog(once, "NEXT", head);
  Require(twice == once.substr(0, once.size() - closing.size()) + "NEXT\r\n" + closing);
}

void CsvRecordAndTail(std::string_view bytes) {
  EventFields f;
  std::string* fields[] = {&f.cruise,    &f.eventNo,   &f.stndLine, &f.stndSta,  &f.calcLine, &f.calcSta,
                           &f.localDate, &f.localTime, &f.decLat,   &f.decLon,   &f.activity, &f.event,
                           &f.oper,      &f.utcDate,   &f.utcTime,  &f.comments, &f.ordOcc};
  MetItems met{};
  std::size_t i = 0;
  for (char c : bytes) {
    if (c == '\x01') {
      ++i;
    } else if (i < std::size(fields)) {
      *fields[i] += c;
    } else {
      met[(i - std::size(fields)) % met.size()] += c;
    }
  }
  const std::string record = CsvRecord(f);
  Require(std::count(record.begin(), record.end(), ',') == 16);
  Require(record.find_first_of("\r\n") == std::string::npos);
  const std::string tail = NavigationTail(f.comments, met);
  Require(tail.find_first_of("\r\n") == std::string::npos);
  const std::size_t rawCommas = std::count(f.comments.begin(), f.comments.end(), ',');
  Require(std::size_t(std::count(tail.begin(), tail.end(), ',')) >= rawCommas + kFixedMetItems);
  const std::string row = HtmlRow(f);
  Require(row.find_first_of("\r\n") == std::string::npos);
}

void NumberValues(std::string_view bytes) {
  const std::string line = SplitLines(bytes).empty() ? "" : SplitLines(bytes).front();
  if (const auto value = EventNumberValue(line)) {
    const long long next = NumberPlus(*value, 1);
    Require(next <= kEventNumberLimit + 1);
    const std::string text = EventNumberText(next);
    Require(!text.empty() && text.find_first_of("\r\n,") == std::string::npos);
    ReadingNumberStatus(next);
    NumberPlus(*value, -1);
  }
  // The order-occupied counter: the file's value plus one.
  const std::string counted = FormatNumber(LeadingNumber(line) + 1, "0.##########");
  Require(counted.find_first_of("\r\n,") == std::string::npos);
  ArrivalBump(line, bytes.substr(bytes.size() / 2));
}

void GridRow(std::string_view bytes) {
  std::vector<std::string> slots(200);
  SplitCommas(bytes, slots, 200);
  for (PositionText cut : {PositionText::AsLogged, PositionText::Cut})
    Require(GridRowFromSlots(slots, cut).size() == 10);
}

void EventList(std::string_view bytes) {
  const std::vector<std::string> lines = SplitLines(bytes);
  for (int capacity : {kSingleChoiceCapacity, kCheckBoxCapacity}) {
    const EventNamesRead read = EventNamesFrom(lines, capacity);
    Require(read.names.size() <= std::size_t(capacity));
    for (const std::string& name : read.names) Require(!TrimView(name).empty());
  }
  EventListTypeOf(std::string(bytes.substr(0, 64)));
}

void CommentOptions(std::string_view bytes) {
  for (const std::string& line : SplitLines(bytes)) {
    Require(StationTypeCaption(line).size() <= std::max<std::size_t>(line.size(), 7));
    Require(SeaConditionCaption(line).size() <= std::max<std::size_t>(line.size(), 5));
    Require(DayNightCaption(line).size() <= std::max<std::size_t>(line.size(), 5));
    StationTypeHeading(line);
    SeaConditionsHeading(line);
    DayNightHeading(line);
    OptionCommentText(line, line);
    OptionLineIsBlank(line);
  }
}

// Every name made from the rows lies in its folder: nothing after the folder
// holds a separator.
void RequireInside(const std::string& path, const std::string& folder) {
  Require(path.compare(0, folder.size(), folder) == 0);
  Require(path.find_first_of("\\/", folder.size()) == std::string::npos);
}

void ConfigRows(std::string_view bytes) {
  CruiseConfig config;
  const std::vector<std::string> lines = SplitLines(bytes);
  for (std::size_t i = 0; i < lines.size() && i < std::size_t(kConfigRows); ++i)
    config.rows[i + 1] = Trim(lines[i], " ");
  const Settings s = DeriveSettings(config);
  for (const std::string& problem : DirectoryRowProblems(config)) Require(Contains(problem, "is not a full path"));
  // A list outside the program directory is named by its full path.
  if (!IsFullPath(config.row(5))) RequireInside(s.eventListPath, s.programDir);
  RequireInside(s.initialsPath, s.programDir);
  RequireInside(s.commentOptionsPath, s.programDir);
  RequireInside(s.localEventNumberPath, s.programDir);
  RequireInside(s.eventNumberPath, s.dataDir);
  RequireInside(s.currPosPath, s.navDir);
  const LogFileNames names = LogFileNamesFor(s.programDir, s.dataDir, config.row(2), s.eventListType);
  for (const std::string* p : {&names.localHtml, &names.localEvents, &names.localList}) RequireInside(*p, s.programDir);
  for (const std::string* p :
       {&names.networkHtml, &names.networkEvents, &names.lastEvent, &names.networkList, &names.ctdAtDepth})
    RequireInside(*p, s.dataDir);
  RequireInside(GridSnapshotPath(s.programDir, config.row(2)), s.programDir);
  RequireInside(EventsOnlyPath(s.dataDir, config.row(2)), s.dataDir);
  IntervalFromRow(config.row(9), kTickIntervalMs);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using Reader = void (*)(std::string_view);
  static constexpr Reader kReaders[] = {SplitterAgrees, HtmlRewrite, CsvRecordAndTail, NumberValues,
                                        GridRow,        EventList,   CommentOptions,   ConfigRows};
  const fuzz::Selected s = fuzz::Select(data, size, std::size(kReaders));
  kReaders[s.choice](s.rest);
  return 0;
}
