#pragma once
// What goes into the event logs: the 17-field record, the navigation tail that
// follows it, the HTML log and its rewrite and the CTD-at-depth rule. Text
// only; the writers open the files. The file names, columns and headers are in
// core/EventLogSchema.h.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/EventLogSchema.h"

namespace ruvek {

// One logged event, in column order.
struct EventFields {
  std::string cruise, eventNo, stndLine, stndSta, calcLine, calcSta, localDate, localTime, decLat, decLon, activity,
      event, oper, utcDate, utcTime, comments, ordOcc;
};

// MET items 0 to 111 are always written, blank or not.
inline constexpr std::size_t kFixedMetItems = 112;

// The record line, without tail or line end: the 17 fields joined by ",".
// Example: 0504NH,12,93.3,26.7,93.3,26.8,07-Jun-2018,14:05:09,32.912345,-117.412345,CTD,CTD Deployed,AB,
//          07-Jun-2018,21:05:09,Sea Conditions: Calm,5
// The event name and initials are trimmed. A comma in any field (typed comments,
// a line or station list entry, the cruise designation, the order-occupied text)
// is written as ";" so that every row keeps its 17 columns for the readers that
// split rows at commas. A line break (CR LF, CR or LF) in any field is written as
// one blank, so the record stays one line.
std::string CsvRecord(const EventFields& fields);

// The tail that follows the record in the event logs and the last-event file: the
// latest raw navigation line, then "," and each MET item 0 to 111 (blank ones too,
// so no MET data still gives 112 commas), then "," and each later item that is not
// blank after trimming. A line break becomes a blank, and a comma inside a MET item
// ";" (the raw line keeps its commas).
std::string NavigationTail(const std::string& rawLine, const MetItems& met);

// The Comments column from the comments box: every "Comments:" (exact case) removed
// and the rest trimmed; empty when the operator deleted the "Comments:" label.
std::string CommentsField(const std::string& commentBox);

// The order-occupied value with every "</TABLE>" removed.
std::string StripTableTag(std::string ordOcc);

// "&", "<" and ">" as HTML entities, so typed text can never close the table.
std::string EscapeHtml(std::string_view text);

// The head lines of a new HTML log, up to the table's heading row.
std::vector<std::string> HtmlHead(const std::string& project, const std::string& cruise);

// One HTML table row on one line, 15 cells: cruise, event number, line, station,
// UTC date, UTC time, latitude, longitude, activity, event (trimmed), initials
// (trimmed), local date, local time, comments, order-occupied. Every cell escaped;
// commas stay as typed; a line break becomes one blank, so the row stays one line.
std::string HtmlRow(const EventFields& fields);

// The whole new content of an existing HTML log after adding row. The existing
// lines are kept in order up to the closing tag (the first line that, trimmed and
// upper-cased, begins with "</TABLE"); blank lines are dropped; then the row and
// "</TABLE>", "</BODY>", "</HTML>". A log without a closing tag keeps all its lines.
// A log without its head (no line beginning with "<TABLE" before the closing tag:
// empty, or cut short while it was made) gets `head` again, followed by its
// lines other than the pieces of its old head ("<HTML", "<HEAD", "<TITLE",
// "</HEAD", "<BODY", "<H2", "<TR><TH" lines and the start of one cut short).
// Lines may end in CR LF, LF or CR; the result always uses CR LF.
// Example of the lines around the cut:
//   <TR ALIGN=RIGHT><TD>0504NH</TD><TD>12</TD>...</TD></TR>
//   </TABLE>
std::string RewriteHtmlLog(std::string_view existingBytes, const std::string& row,
                           const std::vector<std::string>& head);

// The content of a new HTML log: the head, the row and the three closing lines.
std::string NewHtmlLog(const std::string& project, const std::string& cruise, const std::string& row);

// What the network writer does with the CTD-at-depth file for one event.
enum class CtdAction { WriteFile, ClearFlagOnly, Nothing };
struct CtdStep {
  CtdAction action;
  bool atDepthLogged;  // the flag after this event
};
// The CTD rule on the event name (exact case, anywhere in the name): "CTD AT DEPTH"
// writes the file and sets the flag; "CTD RECOVERED" with the flag set clears it
// and writes nothing; "CTD DEPLOYED" with the flag clear writes the file; anything
// else does nothing. atDepthLogged is the flag before this event.
CtdStep CtdRule(const std::string& eventName, bool atDepthLogged);

// Message shown when a network write fails, naming the local copy of the log.
// "Unable to write to Network Drive!  Saved locally (C:\RuvekGPS\0504NHEvents.csv)"
std::string SavedLocallyMessage(const std::string& localCopy);

}  // namespace ruvek
