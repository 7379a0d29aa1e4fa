// Correcting a logged event: the double-click on a grid row, Record Event with
// the row loaded, the bytes every log gains and the poll ticks afterwards.
#include <gtest/gtest.h>

#include "e2e/EventLogCheck.h"
#include "e2e/Station.h"

namespace ruvek::test {
namespace {

// A GGA fix and its RMC at 32.9 N, 117.4 W.
const char* kGga = "$GPGGA,183012.00,3254.0000,N,11724.0000,W,2,09,0.9,5.1,M,-35.2,M,,*58";
const char* kRmc = "$GPRMC,183012.00,A,3254.0000,N,11724.0000,W,10.0,240.0,080626,12.5,E,D*21";
const char* kEditQuestion =
    "MSGBOX | Edit selected row-activity. | Do you want to edit the entry you double-clicked? Y/N | YesNo | none";
const char* kNetworkLog = "C:\\DATA\\0708SREvents.csv";

// A station whose event number file holds `lastNumber`, with a position file.
void Seed(Station& st, int lastNumber, const std::map<int, std::string>& rows = {}) {
  st.seed(rows);
  st.write("C:\\DATA\\EventNumber.txt", std::to_string(lastNumber) + "\r\n");
  st.write("C:\\DATA\\CurrPos.txt", std::string(kGga) + "\r\n" + kRmc + "\r\n");
}

// Every log a correction is appended to: the event logs, the list logs, the HTML logs.
const char* kLogs[] = {"DATA/0708SREvents.csv",     "RuvekGPS/0708SREvents.csv", "DATA/0708SRCruise.csv",
                       "RuvekGPS/0708SRCruise.csv", "DATA/0708SREvents.htm",     "RuvekGPS/0708SREvents.htm"};

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); !from.empty() && at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

// The event lines of a CSV log (no header) or the event rows of an HTML log.
std::vector<std::string> EventLines(const std::string& bytes) {
  std::vector<std::string> lines;
  for (const std::string& l : CrLfLines(bytes))
    if (l.rfind("<TR ALIGN", 0) == 0 || (!l.empty() && l[0] != '<' && l.rfind("Cruise,", 0) != 0)) lines.push_back(l);
  return lines;
}

// Started at 03:00:00, a first fix read, ready to record a second later.
const std::string kStart = "clock 2026-06-08 03:00:00\nanswer Yes\nstart\ntick Timer1\nadvance 1000\n";

// Copies the whole drive to "before/" so a test can compare each file's bytes.
const char* kSnapshot = "sh cp -r \"$RUVEK_ROOT/C\" \"$RUVEK_ROOT/before\"\n";

TEST(EditRow, DoubleClickThatLoadsNothingChangesNothing) {
  struct Case {
    const char* what;
    const char* script;
    bool asked;
  };
  const Case cases[] = {{"answered No", "select EventLog 1\nanswer No\n", true},
                        {"heading row", "select EventLog 0\n", false},
                        {"empty row", "select EventLog 2\n", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Station st;
    Seed(st, 6);
    const auto r =
        st.run(Started() + Record("Bongo") + c.script + "dblclick EventLog\n" +
               "get Text1(5)\nget Combo1\nget Text1(3)\nget txtComments\nget editingRow\nget Timer1.enabled\n" +
               "type Text1(3) 32.5\n" + Record("Secchi") + "get gridRowCount\nget EventLog(1,5)\n");
    ASSERT_EQ(0, r.code) << r.err;
    EXPECT_EQ(c.asked ? 1u : 0u, Count(r.out, kEditQuestion));
    EXPECT_EQ("8", Got(r.out, "Text1(5)"));
    EXPECT_EQ("Manta", Got(r.out, "Combo1"));  // the picker moved on after Bongo
    EXPECT_EQ("32.91234", Got(r.out, "Text1(3)"));
    EXPECT_EQ("Comments: ", Got(r.out, "txtComments"));
    EXPECT_EQ("false", Got(r.out, "editingRow"));
    EXPECT_EQ("true", Got(r.out, "Timer1.enabled"));
    // The next Record Event is a new event in a new row.
    EXPECT_EQ("3", Got(r.out, "gridRowCount"));
    EXPECT_EQ("Bongo", Got(r.out, "EventLog(1,5)"));
    const auto lines = CrLfLines(st.read(kNetworkLog));
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ("8 Secchi", Column(lines[1], 1) + " " + Column(lines[1], 11));
  }
}

TEST(EditRow, CorrectedEventIsAppendedUnderItsNumberToEveryLogButTheLastEventFile) {
  Station st;
  Seed(st, 5);
  // Events 6 to 11; a tick; then event 7 (row 2) is loaded, renamed and
  // recorded a minute later.
  const auto r =
      st.run(Started() + Record("Secchi") + "type txtComments Comments: calm, slight swell\n" + Record("Bongo") +
             Record("Manta") + Record("Secchi") + Record("Bongo") + Record("Manta") + "advance 15000\n" + kSnapshot +
             "select EventLog 2\nanswer Yes\ndblclick EventLog\necho == loaded\n"
             "get Text1(5)\nget Combo3\nget Combo4\nget Text1(1)\nget Text1(2)\nget Combo1\nget Text1(3)\n"
             "get Text1(4)\nget Combo2\nget txtComments\nget editingRow\nget Timer1.enabled\n"
             "choose Combo1 Station Arrival\nadvance 60000\nget clock\nclick Command1(0)\necho == recorded\n" +
             GetRows(2, 2) +
             "get Text1(5)\nget gridRowCount\nget editingRow\nget Timer1.enabled\nget orderOccupied\n"
             "get Option1(0).value\nget Option1(1).value\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ(1u, Count(r.out, "MSGBOX | Time hasn't updated!"));  // the first event's only
  // The double-click loads the row as the grid shows it, the comment behind its label.
  const std::string loaded = Section(r.out, "loaded");
  std::string boxes;
  for (const char* box : {"Text1(5)", "Combo3", "Combo4", "Text1(1)", "Text1(2)", "Combo1", "Text1(3)", "Text1(4)",
                          "Combo2", "txtComments"})
    boxes += Got(loaded, box) + "|";
  EXPECT_EQ("7|93.3|26.7|08-Jun-2026|03:00:03|Bongo|32.91234|-117.41234|ABC|Comments: calm, slight swell|", boxes);
  EXPECT_EQ("true", Got(loaded, "editingRow"));
  EXPECT_EQ("false", Got(loaded, "Timer1.enabled"));

  // The grid row shows the local date and time the logs carry: the event's own.
  const std::string recorded = Section(r.out, "recorded");
  ASSERT_EQ("2026-06-08 03:01:33", Got(r.out, "clock"));
  EXPECT_EQ("7|93.3|26.7|08-Jun-2026|03:00:03|Station Arrival|32.91234|-117.41234|ABC|calm, slight swell|",
            RowText(recorded, 2));
  // Nothing counts on: the box keeps 7, no grid row is added, no number is
  // published, the arrival leaves the order-occupied counter alone, the picker
  // stays on the corrected event; the flag is cleared and the poll runs again.
  EXPECT_EQ("7", Got(recorded, "Text1(5)"));
  EXPECT_EQ("7", Got(recorded, "gridRowCount"));
  EXPECT_EQ("false", Got(recorded, "editingRow"));
  EXPECT_EQ("true", Got(recorded, "Timer1.enabled"));
  EXPECT_EQ("1", Got(recorded, "orderOccupied"));
  EXPECT_EQ("true", Got(recorded, "Option1(0).value"));
  EXPECT_EQ("false", Got(recorded, "Option1(1).value"));

  // Every log gains event 7's own line (times, navigation, comment) renamed.
  auto before = [&](const std::string& file) { return st.read(st.root() + "/before/" + file); };
  const std::string closing = "</TABLE>\r\n</BODY>\r\n</HTML>\r\n";
  for (const std::string file : kLogs) {
    const std::string old = before(file);
    const std::string row = Replaced(Replaced(EventLines(old).at(1), "BONGO", "STATION"), "Bongo", "Station Arrival");
    const std::size_t end = file.back() == 'm' ? old.size() - closing.size() : old.size();
    EXPECT_EQ(old.substr(0, end) + row + "\r\n" + old.substr(end), st.read(st.root() + "/C/" + file)) << file;
  }
  // The files that carry the cruise's numbers and counters are not written.
  for (const char* file :
       {"DATA/0708SRLastEvent.csv", "DATA/EventNumber.txt", "RuvekGPS/EventNumber.txt", "DATA/OrderOcc.txt"})
    EXPECT_EQ(before(file), st.read(st.root() + "/C/" + file)) << file;
  EXPECT_EQ("11\r\n", st.read("C:\\DATA\\EventNumber.txt"));
  EXPECT_EQ("11", Column(st.read("C:\\DATA\\0708SRLastEvent.csv"), 1));
}

TEST(EditRow, LastLoadedRowIsWrittenAndLaterTicksPullOnlyOtherStationsEvents) {
  Station st;
  Seed(st, 6);
  const std::string otherStation =
      "sh printf '10\\r\\n' > \"$RUVEK_ROOT/C/DATA/EventNumber.txt\"; printf "
      "'0708SR,10,90.0,30.0,90.0,30.1,08-Jun-2026,03:09:00,32.5,-117.5,BONGO,Bongo,XYZ,08-Jun-2026,11:09:00,,1\\r\\n' "
      "> \"$RUVEK_ROOT/C/DATA/0708SRLastEvent.csv\"\n";
  // Events 7, 8, 9. Row 2 is loaded, then row 1; row 3 is selected before Record Event.
  const auto r = st.run(
      Started() + Record("Bongo") + Record("Manta") + Record("Secchi") +
      "select EventLog 2\nanswer Yes\ndblclick EventLog\nselect EventLog 1\nanswer Yes\ndblclick EventLog\n"
      "tick Timer1\necho == ticked\nget Text1(5)\nget Combo1\n"
      "get Timer1.enabled\nselect EventLog 3\nchoose Combo1 CTD Deployed\nclick Command1(0)\necho == recorded\n" +
      GetRows(1, 4, 6) + "get Text1(5)\ntick Timer1\necho == own\nget Text1(5)\nget gridRowCount\n" + GetRows(4, 4, 1) +
      otherStation + "tick Timer1\necho == other\nget Text1(5)\nget gridRowCount\n" + GetRows(4, 4, 6));
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ(2u, Count(r.out, kEditQuestion));
  const std::string ticked = Section(r.out, "ticked");
  EXPECT_EQ("7", Got(ticked, "Text1(5)"));
  EXPECT_EQ("Bongo", Got(ticked, "Combo1"));
  EXPECT_EQ("false", Got(ticked, "Timer1.enabled"));

  const std::string recorded = Section(r.out, "recorded");
  EXPECT_EQ("7|CTD Deployed|", Got(recorded, "EventLog(1,0)") + "|" + Got(recorded, "EventLog(1,5)") + "|");
  EXPECT_EQ("8|Manta|", Got(recorded, "EventLog(2,0)") + "|" + Got(recorded, "EventLog(2,5)") + "|");
  EXPECT_EQ("9|Secchi|", Got(recorded, "EventLog(3,0)") + "|" + Got(recorded, "EventLog(3,5)") + "|");
  EXPECT_EQ("", Got(recorded, "EventLog(4,0)"));
  const auto lines = CrLfLines(st.read(kNetworkLog));
  ASSERT_EQ(4u, lines.size());
  EXPECT_EQ("7 CTD Deployed", Column(lines[3], 1) + " " + Column(lines[3], 11));

  // The next tick brings the box to the next number and does not show this
  // station's own last event (9) again; another station's event is shown.
  const std::string own = Section(r.out, "own");
  EXPECT_EQ("10", Got(own, "Text1(5)"));
  EXPECT_EQ("4", Got(own, "gridRowCount"));
  EXPECT_EQ("", Got(own, "EventLog(4,0)"));
  const std::string other = Section(r.out, "other");
  EXPECT_EQ("11", Got(other, "Text1(5)"));
  EXPECT_EQ("5", Got(other, "gridRowCount"));
  EXPECT_EQ("10|90.0|30.0|08-Jun-2026|11:09:00|Bongo|", RowText(other, 4, 6));
}

// A correction keeps its event's logged values in every log, whatever grid row it came from; only
// what the operator changes changes, and the grid row shows the logs' local time.
TEST(EditRow, CorrectionKeepsTheEventsOwnValuesInEveryLog) {
  const std::string record =
      "0708SR,12,93.3,26.7,93.3,26.8,08-Jun-2026,02:50:00,32.123456,-117.123456,BONGO,Bongo,ABC,08-Jun-2026,"
      "10:50:00,calm; slight swell,4";
  const std::string tail = "$GPGGA,105000,3207.4,N,11707.4,W,1,08,1.0,10.0,M,,,,*00" + EmptyTail();
  const std::string html =
      "<TR ALIGN=RIGHT><TD>0708SR</TD><TD>12</TD><TD>93.3</TD><TD>26.7</TD><TD>08-Jun-2026</TD><TD>10:50:00</TD>"
      "<TD>32.123456</TD><TD>-117.123456</TD><TD>BONGO</TD><TD>Bongo</TD><TD>ABC</TD><TD>08-Jun-2026</TD>"
      "<TD>02:50:00</TD><TD>calm; slight swell</TD><TD>4</TD></TR>";
  const std::string log = Replaced(record, ",12,", ",11,") + tail + "\r\n" + record + tail + "\r\n";
  struct Case {
    const char *what, *mode, *row, *shell, *change, *from, *to;  // no `from`: the event is in no log
  } const cases[] = {
      {"last event", "LASTEVENT", "1", "", "", "", ""},
      {"last station", "LASTSTA", "2", "", "", "", ""},
      {"current station, position cut", "CURRENTSTA", "2", "", "", "", ""},
      {"all events", "ALLEVENTS", "2", "", "", "", ""},
      {"position typed", "LASTEVENT", "1", "", "type Text1(3) 32.500000", "32.123456", "32.500000"},
      {"local log only", "LASTEVENT", "1", "mv DATA/0708SREvents.csv RuvekGPS/", "", "", ""},
      {"in no log", "LASTEVENT", "1", "rm DATA/0708SREvents.csv", "", nullptr, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Station st;
    Seed(st, 10, {{17, c.mode}});
    st.write(kNetworkLog, log);
    const auto r = st.run(kStart + "sh cd \"$RUVEK_ROOT/C\" && " + c.shell + "\nselect EventLog " + c.row +
                          "\nanswer Yes\ndblclick EventLog\nget txtComments\n" + c.change +
                          "\nclick Command1(0)\nget EventLog(" + c.row + ",4)\n");
    ASSERT_EQ(0, r.code) << r.err;
    EXPECT_EQ("Comments: calm; slight swell", Got(r.out, "txtComments"));
    const std::string last = CrLfLines(st.read(kNetworkLog)).back();
    EXPECT_EQ(Column(last, 7), Got(r.out, "EventLog(" + std::string(c.row) + ",4)"));
    if (!c.from) {
      EXPECT_EQ(1u, Count(r.out, "Y/N<LF>Event 12 of 08-Jun-2026 02:50:00 is in neither C:\\DATA\\0708SREvents.csv"));
      EXPECT_EQ("03:00:01 18:30:12", Column(last, 7) + " " + Column(last, 14));
      continue;
    }
    const std::string logged = Replaced(record, c.from, c.to);
    for (const std::string file : kLogs)
      EXPECT_EQ(file.back() == 'm' ? Replaced(html, c.from, c.to) : logged + (file.ends_with("Events.csv") ? tail : ""),
                EventLines(st.read(st.root() + "/C/" + file)).back())
          << file;
  }
}

// Clear Last while a row is loaded ends the correction unwritten, then erases the last event as
// ever. Events 11, 12, 13 are logged; after Clear Last two events are recorded.
TEST(EditRow, ClearLastEndsTheCorrectionFirst) {
  const char* kErased = "11 Bongo|12 Manta|13 Secchi|13 Bongo|14 Manta|";
  const char* kAfter =
      "13|Comments: erase previous event ;|Station Departure|false|true|11 Bongo|12 Manta|13 Bongo|14 Manta| |";
  struct Case {
    const char *what, *scheme, *loaded, *after, *logged;  // boxes after Clear Last, grid at the end; every log
  } const cases[] = {
      {"an earlier row", "NUMERIC", "1", kAfter, kErased},
      {"the last row", "NUMERIC", "3", kAfter, kErased},
      {"JULIAN", "JULIAN", "1",
       "159.030007|Comments: |Station Departure|false|true|159.030001 Bongo|159.030004 Manta|159.030010 "
       "Bongo|159.030013 Manta| |",
       "159.030001 Bongo|159.030004 Manta|159.030007 Secchi|159.030010 Bongo|159.030013 Manta|"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Station st;
    Seed(st, 10, {{19, c.scheme}, {20, "LONG"}});
    const auto r = st.run(kStart + Record("Bongo") + Record("Manta") + Record("Secchi") + "select EventLog " +
                          c.loaded + "\nanswer Yes\ndblclick EventLog\nanswer Yes\nclick Command1(3)\n" +
                          "get Text1(5)\nget txtComments\nget Combo1\nget editingRow\nget Timer1.enabled\n" +
                          Record("Bongo") + Record("Manta") + GetRows(1, 5, 6));
    ASSERT_EQ(0, r.code) << r.err;
    std::string after, logs;
    for (const char* box : {"Text1(5)", "txtComments", "Combo1", "editingRow", "Timer1.enabled"})
      after += Got(r.out, box) + "|";
    for (const char* row : {"1", "2", "3", "4", "5"})
      after += Got(r.out, "EventLog(" + std::string(row) + ",0)") + " " +
               Got(r.out, "EventLog(" + std::string(row) + ",5)") + "|";
    EXPECT_EQ(c.after, after);
    // Every log holds the same events, the last-event file the last of them.
    for (const std::string file : kLogs)
      for (const std::string& line : EventLines(Replaced(st.read(st.root() + "/C/" + file), "</TD><TD>", ",")))
        logs += Column(line, 1) + " " + Column(line, line[0] == '<' ? 9 : 11) + "|";
    EXPECT_EQ(std::string(c.logged) + c.logged + c.logged + c.logged + c.logged + c.logged, logs);
    const std::string lastEvent = st.read("C:\\DATA\\0708SRLastEvent.csv");
    EXPECT_TRUE(std::string(c.logged).ends_with("|" + Column(lastEvent, 1) + " " + Column(lastEvent, 11) + "|"));
  }
}

}  // namespace
}  // namespace ruvek::test
