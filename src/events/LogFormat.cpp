#include "events/LogFormat.h"

#include "core/TextRoutines.h"

namespace ruvek {
namespace {

constexpr std::string_view kCommentsLabel = "Comments:";
constexpr std::string_view kCellSeparator = "</TD><TD>";
constexpr const char* kClosingLines[] = {"</TABLE>", "</BODY>", "</HTML>"};

// A line break inside a field would end the row early: CR LF, CR and LF each
// become one blank.
std::string OneLine(std::string text) {
  text = ReplaceAll(std::move(text), "\r\n", " ");
  for (char& c : text)
    if (c == '\r' || c == '\n') c = ' ';
  return text;
}

// Typed text may hold commas; in a CSV row they would shift every later column.
std::string TypedField(std::string_view text) { return ReplaceAll(std::string(text), ",", ";"); }

void AppendLine(std::string& out, std::string_view line) {
  out += line;
  out += kLineEnd;
}

void AppendRowAndClosing(std::string& out, const std::string& row) {
  AppendLine(out, row);
  for (const char* line : kClosingLines) AppendLine(out, line);
}

bool IsBlankChar(char c) { return c == ' ' || c == '\t'; }

bool IsBlankLine(std::string_view line) {
  for (char c : line)
    if (!IsBlankChar(c)) return false;
  return true;
}

// The closing tag of the table stands on its own line; an escaped "&lt;/TABLE&gt;"
// inside a row never begins a line. Compared in place: a log of thousands of
// rows is scanned at every event.
bool IsTableEnd(std::string_view line) {
  constexpr std::string_view kTag = "</TABLE";
  std::size_t start = 0;
  while (start < line.size() && IsBlankChar(line[start])) ++start;
  if (line.size() - start < kTag.size()) return false;
  for (std::size_t i = 0; i < kTag.size(); ++i) {
    const char c = line[start + i];
    if ((c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c) != kTag[i]) return false;
  }
  return true;
}

// Calls visit for every line of text; lines end in CR LF, LF or a lone CR.
template <typename Visit>
void ForEachLine(std::string_view text, Visit visit) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = start;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    if (!visit(text.substr(start, end - start))) return;
    const bool crLf = end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n';
    start = end + (crLf ? 2 : 1);
  }
}

}  // namespace

std::string CsvRecord(const EventFields& f) {
  const std::string columns[] = {f.cruise,
                                 f.eventNo,
                                 f.stndLine,
                                 f.stndSta,
                                 f.calcLine,
                                 f.calcSta,
                                 f.localDate,
                                 f.localTime,
                                 f.decLat,
                                 f.decLon,
                                 f.activity,
                                 TypedField(Trim(f.event)),
                                 TypedField(Trim(f.oper)),
                                 f.utcDate,
                                 f.utcTime,
                                 TypedField(f.comments),
                                 f.ordOcc};
  std::string record;
  for (const std::string& column : columns) {
    if (&column != &columns[0]) record += ',';
    record += OneLine(column);
  }
  return record;
}

std::string NavigationTail(const std::string& rawLine, const std::array<std::string, kMetItemCount>& met) {
  std::string tail = rawLine;
  for (std::size_t i = 0; i < kMetItemCount; ++i) {
    if (i >= kFixedMetItems && Trim(met[i]).empty()) continue;
    tail += ',';
    tail += met[i];
  }
  return tail;
}

std::string CommentsField(const std::string& commentBox) {
  if (!Contains(commentBox, kCommentsLabel)) return "";
  return Trim(ReplaceAll(commentBox, kCommentsLabel, ""));
}

std::string StripTableTag(std::string ordOcc) { return ReplaceAll(std::move(ordOcc), "</TABLE>", ""); }

std::string EscapeHtml(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

std::vector<std::string> HtmlHead(const std::string& project, const std::string& cruise) {
  const std::string title = EscapeHtml(project) + " " + EscapeHtml(cruise) + " EVENT LOG";
  return {"<HTML>",
          "<HEAD>",
          "<TITLE>" + title + "</TITLE>",
          "</HEAD>",
          "<BODY>",
          "<H2><CENTER>" + title + "</CENTER></H2>",
          "<TABLE BORDER=1 CELLSPACING=1>",
          "<TR><TH>STUDY<TH>Event#<TH>Line<TH>Sta<TH>UTC_Date<TH>UTC_Time<TH>Latitude<TH>Longitude<TH>Activity"
          "<TH>Event<TH>Init.<TH>Loc_Date<TH>Loc_Time<TH>Comments<TH>Ord_Occ"};
}

std::string HtmlRow(const EventFields& f) {
  const std::string cells[] = {f.cruise,     f.eventNo,   f.stndLine,  f.stndSta,  f.utcDate,
                               f.utcTime,    f.decLat,    f.decLon,    f.activity, Trim(f.event),
                               Trim(f.oper), f.localDate, f.localTime, f.comments, f.ordOcc};
  std::string row = "<TR ALIGN=RIGHT><TD>";
  for (const std::string& cell : cells) {
    if (&cell != &cells[0]) row += kCellSeparator;
    row += EscapeHtml(OneLine(cell));
  }
  row += "</TD></TR>";
  return row;
}

std::string RewriteHtmlLog(std::string_view existingBytes, const std::string& row) {
  std::string out;
  out.reserve(existingBytes.size() + row.size() + 64);
  ForEachLine(existingBytes, [&out](std::string_view line) {
    if (IsTableEnd(line)) return false;
    if (!IsBlankLine(line)) AppendLine(out, line);
    return true;
  });
  AppendRowAndClosing(out, row);
  return out;
}

std::string NewHtmlLog(const std::string& project, const std::string& cruise, const std::string& row) {
  std::string out;
  for (const std::string& line : HtmlHead(project, cruise)) AppendLine(out, line);
  AppendRowAndClosing(out, row);
  return out;
}

std::string CtdPrefix(const std::string& cruise) { return Trim(cruise).substr(0, 4); }

CtdStep CtdRule(const std::string& eventName, bool atDepthLogged) {
  if (Contains(eventName, "CTD AT DEPTH")) return {CtdAction::WriteFile, true};
  if (Contains(eventName, "CTD RECOVERED") && atDepthLogged) return {CtdAction::ClearFlagOnly, false};
  if (Contains(eventName, "CTD DEPLOYED") && !atDepthLogged) return {CtdAction::WriteFile, false};
  return {CtdAction::Nothing, atDepthLogged};
}

LogFileNames LogFileNamesFor(const std::string& programDir, const std::string& dataDir, const std::string& cruise,
                             const std::string& listType) {
  LogFileNames names;
  names.localHtml = programDir + cruise + "Events.htm";
  names.localEvents = programDir + cruise + "Events.csv";
  names.localList = programDir + cruise + listType + ".csv";
  names.networkHtml = dataDir + cruise + "Events.htm";
  names.networkEvents = dataDir + cruise + "Events.csv";
  names.lastEvent = dataDir + cruise + "LastEvent.csv";
  names.networkList = dataDir + cruise + listType + ".csv";
  names.ctdAtDepth = dataDir + CtdPrefix(cruise) + "CTDATDEPTH.csv";
  return names;
}

std::string SavedLocallyMessage(const std::string& localCopy) {
  return "Unable to write to Network Drive!  Saved locally (" + localCopy + ")";
}

}  // namespace ruvek
