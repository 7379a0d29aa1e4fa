#pragma once
// What goes into the event logs: the 17-field record, the navigation tail that
// follows it, the header lines, the HTML log and its rewrite, the CTD-at-depth
// rule and the names of every log file. Text only; the writers open the files.
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace ruvek {

// One logged event, in column order.
struct EventFields {
  std::string cruise, eventNo, stndLine, stndSta, calcLine, calcSta, localDate, localTime, decLat, decLon,
      activity, event, oper, utcDate, utcTime, comments, ordOcc;
};

// Header of the network event log's companions (list logs) ...
inline constexpr std::string_view kNetworkHeader =
    "Cruise,Event#,StndLine,StndSta,CalcLine,CalcSta,DatePST,TimePST,DecLat,DecLon,Activity,Event,Operator,"
    "DateUTC,TimeUTC,Comments,Ord_Occ";
// ... and of the local event log, which names the local date and time columns.
inline constexpr std::string_view kLocalHeader =
    "Cruise,Event#,StndLine,StndSta,CalcLine,CalcSta,DateLoc,TimeLoc,DecLat,DecLon,Activity,Event,Operator,"
    "DateUTC,TimeUTC,Comments,Ord_Occ";
// Every line of every log ends so.
inline constexpr std::string_view kLineEnd = "\r\n";

// Number of MET items a navigation snapshot holds (0 to 200).
inline constexpr std::size_t kMetItemCount = 201;
// MET items 0 to 111 are always written, blank or not.
inline constexpr std::size_t kFixedMetItems = 112;

// The record line, without tail or line end: the 17 fields joined by ",".
// Example: 0504NH,12,93.3,26.7,93.3,26.8,07-Jun-2018,14:05:09,32.912345,-117.412345,CTD,CTD Deployed,AB,
//          07-Jun-2018,21:05:09,Sea Conditions: Calm,5
// The event name and initials are trimmed. A comma typed into the event name, the
// initials or the comments is written as ";" so that every row keeps its 17 columns
// for the readers that split rows at commas. A line break (CR LF, CR or LF) in any
// field is written as one blank, so the record stays one line. Other fields are
// written as given.
std::string CsvRecord(const EventFields& fields);

// The tail that follows the record in the event logs and the last-event file: the
// latest raw navigation line, then "," and each MET item 0 to 111 (blank ones too,
// so no MET data still gives 112 commas), then "," and each later item that is not
// blank after trimming.
std::string NavigationTail(const std::string& rawLine, const std::array<std::string, kMetItemCount>& met);

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
// Lines may end in CR LF, LF or CR; the result always uses CR LF.
// Example of the lines around the cut:
//   <TR ALIGN=RIGHT><TD>0504NH</TD><TD>12</TD>...</TD></TR>
//   </TABLE>
std::string RewriteHtmlLog(std::string_view existingBytes, const std::string& row);

// The content of a new HTML log: the head, the row and the three closing lines.
std::string NewHtmlLog(const std::string& project, const std::string& cruise, const std::string& row);

// The CTD-at-depth file's name prefix: the first four characters of the trimmed
// cruise designation ("0504NH" -> "0504"), or the whole trimmed designation when
// it has four characters or fewer.
std::string CtdPrefix(const std::string& cruise);

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

// Every file an event is written to. programDir and dataDir end in a backslash;
// names are plain concatenations.
struct LogFileNames {
  std::string localHtml;      // programDir + cruise + "Events.htm"
  std::string localEvents;    // programDir + cruise + "Events.csv"
  std::string localList;      // programDir + cruise + listType + ".csv"
  std::string networkHtml;    // dataDir + cruise + "Events.htm"
  std::string networkEvents;  // dataDir + cruise + "Events.csv"
  std::string lastEvent;      // dataDir + cruise + "LastEvent.csv"
  std::string networkList;    // dataDir + cruise + listType + ".csv"
  std::string ctdAtDepth;     // dataDir + CtdPrefix(cruise) + "CTDATDEPTH.csv"
};
LogFileNames LogFileNamesFor(const std::string& programDir, const std::string& dataDir, const std::string& cruise,
                             const std::string& listType);

// Message shown when a network write fails, naming the local copy of the log.
// "Unable to write to Network Drive!  Saved locally (C:\RuvekGPS\0504NHEvents.csv)"
std::string SavedLocallyMessage(const std::string& localCopy);

}  // namespace ruvek
