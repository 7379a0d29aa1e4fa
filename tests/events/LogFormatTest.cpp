#include <gtest/gtest.h>

#include <algorithm>

#include "events/LogFormat.h"

namespace ruvek {
namespace {

EventFields SampleEvent() {
  EventFields f;
  f.cruise = "0504NH";
  f.eventNo = "12";
  f.stndLine = "93.3";
  f.stndSta = "26.7";
  f.calcLine = "93.3";
  f.calcSta = "26.8";
  f.localDate = "07-Jun-2018";
  f.localTime = "14:05:09";
  f.decLat = "32.912345";
  f.decLon = "-117.412345";
  f.activity = "CTD";
  f.event = "CTD Deployed";
  f.oper = "AB";
  f.utcDate = "07-Jun-2018";
  f.utcTime = "21:05:09";
  f.comments = "Sea Conditions: Calm";
  f.ordOcc = "5";
  return f;
}

const std::string kClosing = "</TABLE>\r\n</BODY>\r\n</HTML>\r\n";

std::size_t CountOf(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t pos = text.find(part); pos != std::string::npos; pos = text.find(part, pos + part.size())) ++count;
  return count;
}

TEST(CsvRecord, JoinsSeventeenFieldsInColumnOrder) {
  EXPECT_EQ(
      "0504NH,12,93.3,26.7,93.3,26.8,07-Jun-2018,14:05:09,32.912345,-117.412345,CTD,CTD Deployed,AB,"
      "07-Jun-2018,21:05:09,Sea Conditions: Calm,5",
      CsvRecord(SampleEvent()));
  EXPECT_EQ(std::string(16, ','), CsvRecord(EventFields{}));
}

// A comma becomes ";" and a line break one blank, so the row keeps its 17
// columns and stays one line for the readers that split rows at commas.
TEST(CsvRecord, AnyFieldStaysOneFieldOnOneLine) {
  struct Case {
    std::string EventFields::*field;
    const char* typed;
    const char* written;
  } cases[] = {
      {&EventFields::event, "CTD, cast 2", "CTD; cast 2"},
      {&EventFields::event, "  Bongo  ", "Bongo"},
      {&EventFields::oper, "A,B", "A;B"},
      {&EventFields::oper, " AB ", "AB"},
      {&EventFields::comments, "x, y,,z", "x; y;;z"},
      // Entries of the line and station lists, the cruise designation and the
      // order-occupied text come from files and configuration rows.
      {&EventFields::stndLine, "93,3", "93;3"},
      {&EventFields::stndSta, "26,7", "26;7"},
      {&EventFields::cruise, "0504,NH", "0504;NH"},
      {&EventFields::ordOcc, "5,6", "5;6"},
      {&EventFields::eventNo, "1,2", "1;2"},
      {&EventFields::activity, "CTD,X", "CTD;X"},
      {&EventFields::comments, "first\r\nsecond", "first second"},
      {&EventFields::comments, "a\nb\rc", "a b c"},
      {&EventFields::comments, "x,\r\n\r\ny", "x;  y"},
      {&EventFields::event, "CTD\nDeployed", "CTD Deployed"},
      {&EventFields::oper, "A\r\nB", "A B"},
      {&EventFields::ordOcc, "5\r\n", "5 "},
  };
  for (const Case& c : cases) {
    EventFields f = SampleEvent();
    f.*(c.field) = c.typed;
    const std::string record = "," + CsvRecord(f) + ",";
    EXPECT_EQ(18, std::count(record.begin(), record.end(), ',')) << c.typed;
    EXPECT_EQ(std::string::npos, record.find_first_of("\r\n")) << c.typed;
    EXPECT_NE(std::string::npos, record.find(std::string(",") + c.written + ",")) << record;
  }
}

TEST(Headers, DifferOnlyInTheLocalDateAndTimeColumns) {
  EXPECT_EQ(
      "Cruise,Event#,StndLine,StndSta,CalcLine,CalcSta,DatePST,TimePST,DecLat,DecLon,Activity,Event,Operator,"
      "DateUTC,TimeUTC,Comments,Ord_Occ",
      kNetworkHeader);
  std::string local(kNetworkHeader);
  local.replace(local.find("DatePST,TimePST"), 15, "DateLoc,TimeLoc");
  EXPECT_EQ(kLocalHeader, local);
}

TEST(NavigationTail, AlwaysHasTheFirst112ItemsAndOnlyNonBlankLaterOnes) {
  MetItems met{};
  EXPECT_EQ(std::string(112, ','), NavigationTail("", met));

  met[0] = "12.5";
  met[111] = "last fixed";
  met[112] = " 7 ";
  met[150] = " \t ";
  met[200] = "x";
  const std::string raw = "$GPGGA,210509,3254.7407,N,11724.7407,W,1,08,0.9,10.0,M,,,,*47";
  EXPECT_EQ(raw + ",12.5" + std::string(110, ',') + ",last fixed, 7 ,x", NavigationTail(raw, met));
  // A MET item is one field, and the tail one line.
  met[0] = "\"12,5\"";
  met[200] = "x\r\ny";
  EXPECT_EQ(raw + " ,\"12;5\"" + std::string(110, ',') + ",last fixed, 7 ,x y", NavigationTail(raw + "\r\n", met));
}

TEST(CommentsField, RemovesTheLabelAndTrims) {
  struct Case {
    const char* box;
    const char* field;
  } cases[] = {
      {"Comments: Sea Conditions: Calm", "Sea Conditions: Calm"},
      {"Comments: ", ""},
      {" Sea state high ", "Sea state high"},  // label deleted by the operator
      {"comments: x", "comments: x"},          // exact case only
      {"  ", ""},
      {"  Comments:  x\t ", "x"},
      {"Comments:a Comments:b", "a b"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.field, CommentsField(c.box)) << c.box;
}

TEST(StripTableTag, RemovesEveryClosingTableTag) {
  EXPECT_EQ("5", StripTableTag("5</TABLE>"));
  EXPECT_EQ("5", StripTableTag("</TABLE>5</TABLE>"));
  EXPECT_EQ("5</table>", StripTableTag("5</table>"));
}

TEST(HtmlRow, FifteenCellsInLogOrderWithTextEscaped) {
  EXPECT_EQ(
      "<TR ALIGN=RIGHT><TD>0504NH</TD><TD>12</TD><TD>93.3</TD><TD>26.7</TD><TD>07-Jun-2018</TD><TD>21:05:09</TD>"
      "<TD>32.912345</TD><TD>-117.412345</TD><TD>CTD</TD><TD>CTD Deployed</TD><TD>AB</TD><TD>07-Jun-2018</TD>"
      "<TD>14:05:09</TD><TD>Sea Conditions: Calm</TD><TD>5</TD></TR>",
      HtmlRow(SampleEvent()));

  EventFields f = SampleEvent();
  f.event = " A&B <net> ";
  f.oper = " X, Y ";
  f.comments = "</TABLE> & more";
  f.ordOcc = "<5>";
  const std::string row = HtmlRow(f);
  EXPECT_NE(std::string::npos, row.find("<TD>A&amp;B &lt;net&gt;</TD><TD>X, Y</TD>")) << row;
  EXPECT_NE(std::string::npos, row.find("<TD>&lt;/TABLE&gt; &amp; more</TD><TD>&lt;5&gt;</TD></TR>")) << row;
  EXPECT_EQ(15u, CountOf(row, "<TD>"));
}

TEST(HtmlRow, LineBreaksBecomeBlanksSoTheRowIsOneLine) {
  EventFields f = SampleEvent();
  f.comments = "calm\r\nseas\nlater";
  const std::string row = HtmlRow(f);
  EXPECT_EQ(std::string::npos, row.find_first_of("\r\n"));
  EXPECT_NE(std::string::npos, row.find("<TD>calm seas later</TD>")) << row;
}

TEST(RewriteHtmlLog, StopsOnlyAtALineBeginningWithTheClosingTagInAnyCase) {
  struct Case {
    const char* line;
    bool closes;
  } cases[] = {
      {"</TABLE>", true},   {"  </table>", true}, {"\t</TaBlE", true}, {"</TABLEx", true},
      {"x</TABLE>", false}, {"</TABL", false},    {"", false},         {"<TD>&lt;/TABLE&gt;</TD>", false},
  };
  for (const Case& c : cases) {
    const std::string out =
        RewriteHtmlLog(std::string("<TABLE>\r\n<TR>a\r\n") + c.line + "\r\n<TR>b\r\n", "ROW", {"HEAD"});
    EXPECT_EQ(c.closes, out.find("<TR>b") == std::string::npos) << c.line;
    EXPECT_EQ(0u, out.find("<TABLE>\r\n<TR>a\r\n")) << c.line;
  }
}

TEST(NewHtmlLog, HeadRowAndClosingLines) {
  EXPECT_EQ(
      "<HTML>\r\n<HEAD>\r\n<TITLE>Tesmora 0504NH EVENT LOG</TITLE>\r\n</HEAD>\r\n<BODY>\r\n"
      "<H2><CENTER>Tesmora 0504NH EVENT LOG</CENTER></H2>\r\n<TABLE BORDER=1 CELLSPACING=1>\r\n"
      "<TR><TH>STUDY<TH>Event#<TH>Line<TH>Sta<TH>UTC_Date<TH>UTC_Time<TH>Latitude<TH>Longitude<TH>Activity"
      "<TH>Event<TH>Init.<TH>Loc_Date<TH>Loc_Time<TH>Comments<TH>Ord_Occ\r\nROW\r\n" +
          kClosing,
      NewHtmlLog("Tesmora", "0504NH", "ROW"));
}

TEST(RewriteHtmlLog, InsertsTheRowBeforeTheClosingTag) {
  const std::string t = "<TABLE>\r\n";  // the end of a log's head
  struct Case {
    const char* name;
    std::string existing;
    std::string result;
  } cases[] = {
      {"gains one row", t + "R1\r\n" + kClosing, t + "R1\r\nNEW\r\n" + kClosing},
      {"blank lines go", "\r\n" + t + "\r\n  \r\n\t\r\nR1\r\n\r\n" + kClosing, t + "R1\r\nNEW\r\n" + kClosing},
      {"no closing tag keeps all", t + "A\r\nB", t + "A\r\nB\r\nNEW\r\n" + kClosing},
      {"lines after the tag go", t + "</TABLE>\r\njunk\r\n</TABLE>\r\n", t + "NEW\r\n" + kClosing},
      {"indented lower-case tag", t + "A\r\n  </table >\r\n", t + "A\r\nNEW\r\n" + kClosing},
      {"LF and CR line ends", "<table>\nB\rC\r\n\n</TABLE>\n", "<table>\r\nB\r\nC\r\nNEW\r\n" + kClosing},
      {"/TABLE inside a line is kept", t + "<TD>x/TABLE</TD>\r\n<TD>&lt;/TABLE&gt;</TD>\r\n" + kClosing,
       t + "<TD>x/TABLE</TD>\r\n<TD>&lt;/TABLE&gt;</TD>\r\nNEW\r\n" + kClosing},
      {"lines keep their blanks", t + "  A  \r\n" + kClosing, t + "  A  \r\nNEW\r\n" + kClosing},
      // A log without its head gets it again, with the rows it holds.
      {"empty file", "", "H1\r\nH2\r\nNEW\r\n" + kClosing},
      {"head cut short", "<HTML>\r\n<HEAD>\r\n<TI", "H1\r\nH2\r\nNEW\r\n" + kClosing},
      {"other lines stay", "<html>\r\n<P>notes</P>\r\n", "H1\r\nH2\r\n<P>notes</P>\r\nNEW\r\n" + kClosing},
      {"rows without a head", "<TR ALIGN=RIGHT><TD>1</TD></TR>\r\n<TR><TH>STUDY\r\n<tr><td>2</td></tr>\r\n" + kClosing,
       "H1\r\nH2\r\n<TR ALIGN=RIGHT><TD>1</TD></TR>\r\n<tr><td>2</td></tr>\r\nNEW\r\n" + kClosing},
  };
  for (const Case& c : cases) EXPECT_EQ(c.result, RewriteHtmlLog(c.existing, "NEW", {"H1", "H2"})) << c.name;
}

TEST(RewriteHtmlLog, RowHoldingTableTagSurvivesLaterRewrites) {
  EventFields first = SampleEvent();
  first.comments = "</TABLE>";
  const std::string firstRow = HtmlRow(first);
  std::string log = NewHtmlLog("Tesmora", "0504NH", firstRow);
  log = RewriteHtmlLog(log, HtmlRow(SampleEvent()), {});
  log = RewriteHtmlLog(log, HtmlRow(SampleEvent()), {});
  EXPECT_EQ(1u, CountOf(log, firstRow));
  EXPECT_EQ(3u, CountOf(log, "<TR ALIGN=RIGHT>"));
  EXPECT_EQ(1u, CountOf(log, "\r\n</TABLE>\r\n"));
  EXPECT_EQ(kClosing, log.substr(log.size() - kClosing.size()));
}

TEST(RewriteHtmlLog, KeepsEveryRowOfALongLog) {
  const std::vector<std::string> head = HtmlHead("Tesmora", "0504NH");
  std::string log;
  for (const std::string& line : head) log += line + "\r\n";
  for (int i = 0; i < 5000; ++i) log += "<TR ALIGN=RIGHT><TD>" + std::to_string(i) + "</TD></TR>\r\n";
  log += kClosing;
  const std::string rewritten = RewriteHtmlLog(log, "NEW", head);
  EXPECT_EQ(head.size() + 5000 + 1 + 3, CountOf(rewritten, "\r\n"));
  EXPECT_EQ(log.substr(0, log.size() - kClosing.size()) + "NEW\r\n" + kClosing, rewritten);
}

TEST(CtdRule, DeployAtDepthRecoverDeploySequence) {
  struct Step {
    const char* event;
    CtdAction action;
    bool flagAfter;
    const char* fileAfter;
  } steps[] = {
      {"CTD DEPLOYED", CtdAction::WriteFile, false, "CTD DEPLOYED"},
      {"CTD AT DEPTH", CtdAction::WriteFile, true, "CTD AT DEPTH"},
      {"CTD DEPLOYED", CtdAction::Nothing, true, "CTD AT DEPTH"},  // cast still at depth
      {"CTD RECOVERED", CtdAction::ClearFlagOnly, false, "CTD AT DEPTH"},
      {"CTD RECOVERED", CtdAction::Nothing, false, "CTD AT DEPTH"},
      {"CTD DEPLOYED cast 2", CtdAction::WriteFile, false, "CTD DEPLOYED cast 2"},
      {"CTD at Depth", CtdAction::Nothing, false, "CTD DEPLOYED cast 2"},  // exact case only
      {"ctd deployed", CtdAction::Nothing, false, "CTD DEPLOYED cast 2"},
      {"Bongo", CtdAction::Nothing, false, "CTD DEPLOYED cast 2"},
  };
  bool flag = false;
  std::string file;
  for (const Step& s : steps) {
    const CtdStep step = CtdRule(s.event, flag);
    if (step.action == CtdAction::WriteFile) file = s.event;
    flag = step.atDepthLogged;
    EXPECT_EQ(static_cast<int>(s.action), static_cast<int>(step.action)) << s.event;
    EXPECT_EQ(s.flagAfter, flag) << s.event;
    EXPECT_EQ(s.fileAfter, file) << s.event;
  }
}

TEST(LogFileNames, PlainConcatenations) {
  const LogFileNames names = LogFileNamesFor("C:\\RuvekGPS\\", "S:\\Data\\", "0504NH", "Cruise");
  EXPECT_EQ("C:\\RuvekGPS\\0504NHEvents.htm", names.localHtml);
  EXPECT_EQ("C:\\RuvekGPS\\0504NHEvents.csv", names.localEvents);
  EXPECT_EQ("C:\\RuvekGPS\\0504NHCruise.csv", names.localList);
  EXPECT_EQ("S:\\Data\\0504NHEvents.htm", names.networkHtml);
  EXPECT_EQ("S:\\Data\\0504NHEvents.csv", names.networkEvents);
  EXPECT_EQ("S:\\Data\\0504NHLastEvent.csv", names.lastEvent);
  EXPECT_EQ("S:\\Data\\0504NHCruise.csv", names.networkList);
  EXPECT_EQ("S:\\Data\\0504CTDATDEPTH.csv", names.ctdAtDepth);
  EXPECT_EQ("Unable to write to Network Drive!  Saved locally (C:\\RuvekGPS\\0504NHEvents.csv)",
            SavedLocallyMessage(names.localEvents));
  // A designation holding a separator stays in the folder; a list type holding
  // a folder gives its list logs the list's name alone.
  const LogFileNames inside = LogFileNamesFor("C:\\RuvekGPS\\", "S:\\Data\\", "..\\../x", "D:\\a\\b");
  EXPECT_EQ("C:\\RuvekGPS\\.._.._xb.csv", inside.localList);
  EXPECT_EQ("S:\\Data\\.._.CTDATDEPTH.csv", inside.ctdAtDepth);
  EXPECT_EQ("S:\\Data\\.._.._xEventsNOMET.csv", EventsOnlyPath("S:\\Data\\", "..\\../x"));
  EXPECT_EQ("C:\\RuvekGPS\\.._.._xEvents.ins", GridSnapshotPath("C:\\RuvekGPS\\", "..\\../x"));
}

TEST(CtdPrefix, FirstFourOfTheTrimmedDesignation) {
  struct Case {
    const char* cruise;
    const char* prefix;
  } cases[] = {{"0504NH", "0504"}, {"0504", "0504"}, {"AB", "AB"}, {" 0504NH ", "0504"}, {"", ""}};
  for (const Case& c : cases) EXPECT_EQ(c.prefix, CtdPrefix(c.cruise)) << c.cruise;
}

}  // namespace
}  // namespace ruvek
