#include "events/LogFormat.h"

#include "core/TextRoutines.h"
#include "os/Lines.h"

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

// A field of a CSV row: a comma in it would shift every later column, a line
// break would end the row early.
std::string CsvField(std::string_view text) {
  std::string field = OneLine(std::string(text));
  for (char& c : field)
    if (c == ',') c = ';';
  return field;
}

void AppendLine(std::string& out, std::string_view line) {
  out += line;
  out += kLineEnd;
}

void AppendRowAndClosing(std::string& out, const std::string& row) {
  AppendLine(out, row);
  for (const char* line : kClosingLines) AppendLine(out, line);
}

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

// Whether `text` begins with `prefix`, letters compared upper-cased. Compared in
// place: a log of thousands of rows is scanned at every event.
bool BeginsIgnoringCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (UpperAscii(text[i]) != UpperAscii(prefix[i])) return false;
  return true;
}

// Whether the trimmed line begins with `tag`.
bool BeginsWithTag(std::string_view line, std::string_view tag) { return BeginsIgnoringCase(TrimView(line), tag); }

// The closing tag of the table stands on its own line; an escaped "&lt;/TABLE&gt;"
// inside a row never begins a line.
bool IsTableEnd(std::string_view line) { return BeginsWithTag(line, "</TABLE"); }
// The head ends with the table's opening tag and its heading row.
bool IsTableStart(std::string_view line) { return BeginsWithTag(line, "<TABLE"); }
// A line of a log's head, or the start of one cut short ("<TI"): a head
// written again replaces them.
bool IsHeadLine(std::string_view line) {
  static constexpr std::string_view kHeadTags[] = {"<HTML", "<HEAD", "<TITLE", "</HEAD", "<BODY", "<H2", "<TR><TH"};
  const std::string_view text = TrimView(line);
  for (std::string_view tag : kHeadTags)
    if (BeginsIgnoringCase(text, tag) || (!text.empty() && BeginsIgnoringCase(tag, text))) return true;
  return false;
}

}  // namespace

std::string CsvRecord(const EventFields& f) {
  const std::string* columns[] = {&f.cruise,    &f.eventNo,   &f.stndLine, &f.stndSta,  &f.calcLine, &f.calcSta,
                                  &f.localDate, &f.localTime, &f.decLat,   &f.decLon,   &f.activity, &f.event,
                                  &f.oper,      &f.utcDate,   &f.utcTime,  &f.comments, &f.ordOcc};
  std::string record;
  for (const std::string* column : columns) {
    if (column != columns[0]) record += ',';
    const bool trimmed = column == &f.event || column == &f.oper;
    record += CsvField(trimmed ? TrimView(*column) : std::string_view(*column));
  }
  return record;
}

std::string NavigationTail(const std::string& rawLine, const MetItems& met) {
  // The raw line keeps its commas (they are the sentence's own fields); a MET
  // item is one field.
  std::string tail = OneLine(rawLine);
  for (std::size_t i = 0; i < kMetItems; ++i) {
    if (i >= kFixedMetItems && TrimView(met[i]).empty()) continue;
    tail += ',';
    tail += CsvField(met[i]);
  }
  return tail;
}
std::string CommentsField(const std::string& commentBox) {
  // A box whose label the operator deleted holds nothing but the comment.
  if (!Contains(commentBox, kCommentsLabel)) return Trim(commentBox);
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
  return {"<HTML>", "<HEAD>", "<TITLE>" + title + "</TITLE>", "</HEAD>", "<BODY>",
          "<H2><CENTER>" + title + "</CENTER></H2>", "<TABLE BORDER=1 CELLSPACING=1>",
          // NOLINTNEXTLINE(bugprone-suspicious-missing-comma): one heading row, written in two pieces
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

std::string RewriteHtmlLog(std::string_view existingBytes, const std::string& row,
                           const std::vector<std::string>& head) {
  std::string out;
  out.reserve(existingBytes.size() + row.size() + 64);
  bool headFound = false;
  ForEachLine(existingBytes, [&](std::string_view line) {
    if (IsTableEnd(line)) return false;
    headFound = headFound || IsTableStart(line);
    if (!TrimView(line).empty()) AppendLine(out, line);
    return true;
  });
  if (!headFound) {
    // The head was never written whole (the log was cut short): a new head,
    // then every line the file holds but the pieces of the old head.
    std::string rows;
    ForEachLine(out, [&rows](std::string_view line) {
      if (!IsHeadLine(line)) AppendLine(rows, line);
    });
    out.clear();
    for (const std::string& line : head) AppendLine(out, line);
    out += rows;
  }
  AppendRowAndClosing(out, row);
  return out;
}

std::string NewHtmlLog(const std::string& project, const std::string& cruise, const std::string& row) {
  return RewriteHtmlLog({}, row, HtmlHead(project, cruise));
}

CtdStep CtdRule(const std::string& eventName, bool atDepthLogged) {
  if (Contains(eventName, "CTD AT DEPTH")) return {CtdAction::WriteFile, true};
  if (Contains(eventName, "CTD RECOVERED") && atDepthLogged) return {CtdAction::ClearFlagOnly, false};
  if (Contains(eventName, "CTD DEPLOYED") && !atDepthLogged) return {CtdAction::WriteFile, false};
  return {CtdAction::Nothing, atDepthLogged};
}

std::string SavedLocallyMessage(const std::string& localCopy) {
  return "Unable to write to Network Drive!  Saved locally (" + localCopy + ")";
}

}  // namespace ruvek
