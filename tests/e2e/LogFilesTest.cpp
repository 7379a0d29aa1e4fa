// The bytes of every log file an event is written to: headers, CR LF, the
// navigation tail, the HTML rewrite and the CTD-at-depth sequence.
#include <gtest/gtest.h>

#include "e2e/EventLogCheck.h"
#include "e2e/Station.h"

namespace ruvek::test {
namespace {

const std::string kNetworkHeader =
    "Cruise,Event#,StndLine,StndSta,CalcLine,CalcSta,DatePST,TimePST,DecLat,DecLon,Activity,Event,Operator,"
    "DateUTC,TimeUTC,Comments,Ord_Occ";
const std::string kLocalHeader =
    "Cruise,Event#,StndLine,StndSta,CalcLine,CalcSta,DateLoc,TimeLoc,DecLat,DecLon,Activity,Event,Operator,"
    "DateUTC,TimeUTC,Comments,Ord_Occ";
const std::string kHtmlHead =
    "<HTML>\r\n<HEAD>\r\n<TITLE>Tesmora 0708SR EVENT LOG</TITLE>\r\n</HEAD>\r\n<BODY>\r\n"
    "<H2><CENTER>Tesmora 0708SR EVENT LOG</CENTER></H2>\r\n<TABLE BORDER=1 CELLSPACING=1>\r\n"
    "<TR><TH>STUDY<TH>Event#<TH>Line<TH>Sta<TH>UTC_Date<TH>UTC_Time<TH>Latitude<TH>Longitude<TH>Activity"
    "<TH>Event<TH>Init.<TH>Loc_Date<TH>Loc_Time<TH>Comments<TH>Ord_Occ\r\n";
const std::string kClosing = "</TABLE>\r\n</BODY>\r\n</HTML>\r\n";

TEST(LogFiles, FirstEventWritesEveryFileWithItsHeaderTailAndCrLf) {
  Station st;
  st.seed();
  auto r = st.run(Started() + "type txtComments Comments: calm, slight swell\n" + Record("CTD Deployed") +
                  "get EventLog(1,9)\n");
  ASSERT_EQ(0, r.code) << r.err;
  // The local event log takes the position of the navigation snapshot (no poll
  // ran, so zeros); every other file takes the position boxes.
  const std::string local =
      "0708SR,11,93.3,26.7,,,08-Jun-2026,03:00:00,00.000000,00.000000,CTD,CTD Deployed,ABC,,,calm; slight swell,1";
  const std::string boxes =
      "0708SR,11,93.3,26.7,,,08-Jun-2026,03:00:00,32.91234,-117.41234,CTD,CTD Deployed,ABC,,,calm; slight swell,1";
  const std::string row =
      "<TR ALIGN=RIGHT><TD>0708SR</TD><TD>11</TD><TD>93.3</TD><TD>26.7</TD><TD></TD><TD></TD><TD>00.000000</TD>"
      "<TD>00.000000</TD><TD>CTD</TD><TD>CTD Deployed</TD><TD>ABC</TD><TD>08-Jun-2026</TD><TD>03:00:00</TD>"
      "<TD>calm, slight swell</TD><TD>1</TD></TR>\r\n";
  EXPECT_EQ(kLocalHeader + "\r\n" + local + EmptyTail() + "\r\n", st.read("C:\\RuvekGPS\\0708SREvents.csv"));
  EXPECT_EQ(kNetworkHeader + "\r\n" + boxes + "\r\n", st.read("C:\\RuvekGPS\\0708SRCruise.csv"));
  EXPECT_EQ(boxes + EmptyTail() + "\r\n", st.read("C:\\DATA\\0708SREvents.csv"));
  EXPECT_EQ(boxes + EmptyTail() + "\r\n", st.read("C:\\DATA\\0708SRLastEvent.csv"));
  EXPECT_EQ(kNetworkHeader + "\r\n" + boxes + "\r\n", st.read("C:\\DATA\\0708SRCruise.csv"));
  // The CTD rule matches "CTD DEPLOYED" in capitals only.
  EXPECT_FALSE(st.exists("C:\\DATA\\0708CTDATDEPTH.csv"));
  EXPECT_EQ(kHtmlHead + row + kClosing, st.read("C:\\RuvekGPS\\0708SREvents.htm"));
  EXPECT_EQ(kHtmlHead + row + kClosing, st.read("C:\\DATA\\0708SREvents.htm"));
  // The grid shows the comment as typed.
  EXPECT_EQ("calm, slight swell", Got(r.out, "EventLog(1,9)"));
}

// A log left empty (a run killed between making it and its first line) gets
// its header with the next row, as a new one does; the network event log has none.
TEST(LogFiles, EmptyLogsGetTheirHeaderWithTheNextRow) {
  Station st;
  st.seed();
  for (const char* path : {"C:\\RuvekGPS\\0708SREvents.csv", "C:\\RuvekGPS\\0708SRCruise.csv",
                           "C:\\DATA\\0708SRCruise.csv", "C:\\DATA\\0708SREvents.csv"})
    st.write(path, "");
  auto r = st.run(Started() + Record("Bongo"));
  ASSERT_EQ(0, r.code) << r.err;
  const std::string row = "0708SR,11,93.3,26.7,,,08-Jun-2026,03:00:00,";
  EXPECT_EQ(0u, st.read("C:\\RuvekGPS\\0708SREvents.csv").find(kLocalHeader + "\r\n" + row));
  EXPECT_EQ(0u, st.read("C:\\RuvekGPS\\0708SRCruise.csv").find(kNetworkHeader + "\r\n" + row));
  EXPECT_EQ(0u, st.read("C:\\DATA\\0708SRCruise.csv").find(kNetworkHeader + "\r\n" + row));
  EXPECT_EQ(0u, st.read("C:\\DATA\\0708SREvents.csv").find(row));
}

TEST(LogFiles, LaterEventsAppendWithoutHeadersAndTheLastEventFileHoldsOnlyTheLatest) {
  Station st;
  st.seed();
  auto r = st.run(Started() + Record("Bongo") + Record("Manta"));
  ASSERT_EQ(0, r.code) << r.err;
  const auto network = CrLfLines(st.read("C:\\DATA\\0708SREvents.csv"));
  ASSERT_EQ(2u, network.size());
  EXPECT_EQ("Manta", Column(network[1], 11));
  EXPECT_EQ(network[1] + "\r\n", st.read("C:\\DATA\\0708SRLastEvent.csv"));
  EXPECT_EQ(3u, CrLfLines(st.read("C:\\RuvekGPS\\0708SREvents.csv")).size());
  EXPECT_EQ(3u, CrLfLines(st.read("C:\\DATA\\0708SRCruise.csv")).size());
  EXPECT_FALSE(st.exists("C:\\DATA\\0708CTDATDEPTH.csv"));
}

TEST(LogFiles, CommentWithoutLabelLineBreaksAndTableTagInOrderOccupied) {
  Station st;
  st.seed();
  st.write("C:\\DATA\\OrderOcc.txt", "5</TABLE>\r\n");
  auto r = st.run(Started() + "type txtComments no label here\n" + Record("Bongo") +
                  "type txtComments \"Comments: one<CR><LF>two\"\n" + Record("Manta"));
  ASSERT_EQ(0, r.code) << r.err;
  const auto lines = CrLfLines(st.read("C:\\DATA\\0708SREvents.csv"));
  ASSERT_EQ(2u, lines.size());
  EXPECT_EQ("", Column(lines[0], 15));
  EXPECT_EQ("5", Column(lines[0], 16));
  EXPECT_EQ("one two", Column(lines[1], 15));
  EXPECT_EQ(2u, CrLfLines(st.read("C:\\DATA\\0708SRCruise.csv")).size() - 1);
}

TEST(LogFiles, ActivityColumnFollowsTheEventNameAndTheListType) {
  Station st;
  st.seed({{5, "MMammalEvents.txt"}});
  st.write("C:\\RuvekGPS\\MMammalEvents.txt", CrLf({"Whale sighting", "ctd deployed", "Bongo at Station"}));
  auto r = st.run(Started() + Record("Whale sighting") + Record("ctd deployed") + Record("Bongo at Station"));
  ASSERT_EQ(0, r.code) << r.err;
  const auto lines = CrLfLines(st.read("C:\\DATA\\0708SREvents.csv"));
  ASSERT_EQ(3u, lines.size());
  EXPECT_EQ("MMammals", Column(lines[0], 10));
  EXPECT_EQ("MMammals", Column(lines[1], 10));
  EXPECT_EQ("BONGO", Column(lines[2], 10));
  // The list log is named after the list type.
  EXPECT_EQ(4u, CrLfLines(st.read("C:\\DATA\\0708SRMMammal.csv")).size());
}

TEST(LogFiles, CtdSequenceDeployedAtDepthRecoveredDeployed) {
  Station st;
  st.seed();
  st.write("C:\\RuvekGPS\\CruiseEvents.txt",
           CrLf({"CTD DEPLOYED", "CTD AT DEPTH", "CTD RECOVERED", "CTD at Depth", "Bongo"}));
  const std::string snap = "sh cp \"$RUVEK_ROOT/C/DATA/0708CTDATDEPTH.csv\" \"$RUVEK_ROOT/ctd";
  auto r = st.run(Started() + Record("CTD DEPLOYED") + snap + "1.csv\"\n" + Record("CTD AT DEPTH") + snap +
                  "2.csv\"\n" + Record("CTD RECOVERED") + snap + "3.csv\"\n" + Record("CTD at Depth") + snap +
                  "4.csv\"\n" + Record("CTD DEPLOYED") + snap + "5.csv\"\n");
  ASSERT_EQ(0, r.code) << r.err;
  auto eventOf = [&](int n) {
    const auto lines = CrLfLines(st.read(st.root() + "/ctd" + std::to_string(n) + ".csv"));
    EXPECT_EQ(1u, lines.size());
    return lines.empty() ? "" : Column(lines[0], 1) + " " + Column(lines[0], 11);
  };
  EXPECT_EQ("11 CTD DEPLOYED", eventOf(1));
  EXPECT_EQ("12 CTD AT DEPTH", eventOf(2));
  EXPECT_EQ("12 CTD AT DEPTH", eventOf(3));  // recovery clears the flag only
  EXPECT_EQ("12 CTD AT DEPTH", eventOf(4));  // mixed case never touches the file
  EXPECT_EQ("15 CTD DEPLOYED", eventOf(5));
}

TEST(LogFiles, DeploymentWhileACastIsStillAtDepthLeavesTheFile) {
  Station st;
  st.seed();
  st.write("C:\\RuvekGPS\\CruiseEvents.txt", CrLf({"CTD DEPLOYED", "CTD AT DEPTH"}));
  auto r = st.run(Started() + Record("CTD AT DEPTH") + Record("CTD DEPLOYED"));
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("CTD AT DEPTH", Column(st.read("C:\\DATA\\0708CTDATDEPTH.csv"), 11));
}

TEST(HtmlLog, ExistingLogGainsOneRowBeforeTheClosingTagsAndLosesBlankLines) {
  Station st;
  st.seed();
  st.write("C:\\DATA\\0708SREvents.htm", kHtmlHead + "\r\n<TR><TD>old row</TD></TR>\r\n  \r\n" + kClosing);
  auto r = st.run(Started() + Record("Bongo"));
  ASSERT_EQ(0, r.code) << r.err;
  const auto lines = CrLfLines(st.read("C:\\DATA\\0708SREvents.htm"));
  ASSERT_EQ(13u, lines.size());
  EXPECT_EQ("<TR><TD>old row</TD></TR>", lines[8]);
  EXPECT_EQ(0u, lines[9].find("<TR ALIGN=RIGHT><TD>0708SR</TD><TD>11</TD>"));
  EXPECT_EQ("</TABLE>", lines[10]);
  EXPECT_EQ("</HTML>", lines[12]);
}

// A log cut short while it was made (a kill, a full drive) gets its head or
// its end again at the next event and keeps its lines; a new log is made whole
// under a temporary name, so no kill leaves one without its head.
TEST(HtmlLog, LogWithoutItsHeadOrItsEndGetsThemAgainKeepingItsLines) {
  const std::string old = "<TR ALIGN=RIGHT><TD>old</TD></TR>\r\n";
  struct Case {
    const char* name;
    std::string before, kept;  // the log before the event; what stays between head and new row
  } cases[] = {
      {"no end", kHtmlHead + old, old},
      {"empty", "", ""},
      {"head cut short", "<HTML>\r\n<HEAD>\r\n<TITLE>Tes", ""},
      {"no head", old + kClosing, old},
      {"no head, other lines", "<HTML>\r\n<P>notes</P>\r\n", "<P>notes</P>\r\n"},
  };
  for (const Case& c : cases) {
    Station st;
    st.seed();
    st.write("C:\\DATA\\0708SREvents.htm", c.before);
    st.write("C:\\RuvekGPS\\0708SREvents.htm", c.before);
    auto r = st.run(Started() + Record("Bongo"));
    ASSERT_EQ(0, r.code) << r.err;
    for (const char* path : {"C:\\DATA\\0708SREvents.htm", "C:\\RuvekGPS\\0708SREvents.htm"}) {
      const std::string html = st.read(path);
      const std::string start = kHtmlHead + c.kept + "<TR ALIGN=RIGHT><TD>0708SR</TD><TD>11</TD>";
      EXPECT_EQ(start, html.substr(0, start.size())) << c.name << " " << path;
      EXPECT_EQ("</TD></TR>\r\n" + kClosing, html.substr(html.size() - kClosing.size() - 12)) << c.name;
      EXPECT_EQ(1u, Count(html, "\r\n<TR ALIGN=RIGHT><TD>0708SR</TD><TD>11</TD>")) << c.name;
    }
  }
}

// A comment holding the closing tag is escaped; the rewrite stops only at a
// line that begins with "</TABLE", so the row survives the next event.
TEST(HtmlLog, RowHoldingTheTableTagSurvivesTheNextRewrite) {
  Station st;
  st.seed();
  auto r = st.run(Started() + "type txtComments Comments: see </TABLE> & <b>\n" + Record("Bongo") + Record("Manta") +
                  Record("Secchi"));
  ASSERT_EQ(0, r.code) << r.err;
  for (const char* path : {"C:\\DATA\\0708SREvents.htm", "C:\\RuvekGPS\\0708SREvents.htm"}) {
    const std::string html = st.read(path);
    EXPECT_EQ(1u, Count(html, "<TD>see &lt;/TABLE&gt; &amp; &lt;b&gt;</TD>")) << path;
    EXPECT_EQ(1u, Count(html, "<TD>Bongo</TD>")) << path;
    EXPECT_EQ(1u, Count(html, "<TD>Manta</TD>")) << path;
    EXPECT_EQ(1u, Count(html, "<TD>Secchi</TD>")) << path;
    EXPECT_EQ(1u, Count(html, "</TABLE>\r\n")) << path;
  }
  // The CSV files take the comment as typed (no comma in it).
  EXPECT_EQ("see </TABLE> & <b>", Column(CrLfLines(st.read("C:\\DATA\\0708SREvents.csv"))[0], 15));
}

TEST(LogFiles, LocalOperationWritesOnlyTheThreeLocalFiles) {
  Station st;
  st.seed({{10, "LOCAL"}});
  st.remove("C:\\DATA\\EventNumber.txt");
  st.write("C:\\RuvekGPS\\EventNumber.txt", "10\r\n");
  auto r = st.run(
      "clock 2026-06-08 03:00:00\nanswer No No\nstart\nclick Command1(0)\n"
      "type Text1(3) 32.91234\ntype Text1(4) -117.41234\nanswer Yes\n" +
      Record("CTD Deployed"));
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_TRUE(st.exists("C:\\RuvekGPS\\0708SREvents.csv"));
  EXPECT_TRUE(st.exists("C:\\RuvekGPS\\0708SRCruise.csv"));
  EXPECT_TRUE(st.exists("C:\\RuvekGPS\\0708SREvents.htm"));
  for (const char* f :
       {"0708SREvents.csv", "0708SRLastEvent.csv", "0708SRCruise.csv", "0708SREvents.htm", "0708CTDATDEPTH.csv"})
    EXPECT_FALSE(st.exists(std::string("C:\\DATA\\") + f)) << f;
}

// With "Auto Fill Data" off the operator types the navigation; in network
// mode the event still reaches every network log, with the boxes' position.
TEST(LogFiles, WithoutAutoFillTheEventReachesTheNetworkLogsWithTheTypedPosition) {
  Station st;
  st.seed();
  auto r = st.run(Started() + "answer Yes\nclick mnuAuto\ntype Text1(3) 33.5\ntype Text1(4) -118.25\n" +
                  Record("Bongo") + "get mnuAuto.checked\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("false", Got(r.out, "mnuAuto.checked"));
  for (const char* log : {"C:\\DATA\\0708SREvents.csv", "C:\\DATA\\0708SRLastEvent.csv"}) {
    const auto lines = CrLfLines(st.read(log));
    ASSERT_EQ(1u, lines.size()) << log;
    EXPECT_EQ("11,33.5,-118.25,Bongo",
              Column(lines[0], 1) + "," + Column(lines[0], 8) + "," + Column(lines[0], 9) + "," + Column(lines[0], 11))
        << log;
  }
  EXPECT_EQ(2u, CrLfLines(st.read("C:\\DATA\\0708SRCruise.csv")).size());
  for (const char* html : {"C:\\DATA\\0708SREvents.htm", "C:\\RuvekGPS\\0708SREvents.htm"})
    EXPECT_EQ(1u, Count(st.read(html), "<TD>33.500000</TD><TD>-118.250000</TD>")) << html;
}

}  // namespace
}  // namespace ruvek::test
