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
void Seed(Station& st, int lastNumber) {
  st.seed();
  st.write("C:\\DATA\\EventNumber.txt", std::to_string(lastNumber) + "\r\n");
  st.write("C:\\DATA\\CurrPos.txt", std::string(kGga) + "\r\n" + kRmc + "\r\n");
}

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
             Record("Manta") + Record("Secchi") + Record("Bongo") + Record("Manta") +
             "advance 15000\nget NavSnapshot.localDate\nget NavSnapshot.localTime\n" + kSnapshot +
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
  EXPECT_EQ("7|93.3|26.7|08-Jun-2026|03:00:00|Bongo|32.91234|-117.41234|ABC|Comments: calm, slight swell|", boxes);
  EXPECT_EQ("true", Got(loaded, "editingRow"));
  EXPECT_EQ("false", Got(loaded, "Timer1.enabled"));

  // The grid row shows the local date and time of the last tick before the
  // double-click; the logs carry the time the event was recorded.
  const std::string recorded = Section(r.out, "recorded");
  const std::string tickDate = Got(r.out, "NavSnapshot.localDate"), tickTime = Got(r.out, "NavSnapshot.localTime");
  ASSERT_EQ("2026-06-08 03:01:33", Got(r.out, "clock"));
  EXPECT_EQ("7|93.3|26.7|" + tickDate + "|" + tickTime + "|Station Arrival|32.91234|-117.41234|ABC|calm, slight swell|",
            RowText(recorded, 2));
  EXPECT_EQ("08-Jun-2026", tickDate);
  EXPECT_NE("03:01:33", tickTime);
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

  // Every log gains the corrected event 7 after the first one; the network
  // files take the loaded position, the local event log the live one; the
  // comment is logged exactly as the first time.
  const std::string record =
      "0708SR,7,93.3,26.7,93.3,28.2,08-Jun-2026,03:01:33,32.91234,-117.41234,STATION,"
      "Station Arrival,ABC,08-Jun-2026,18:30:12,calm; slight swell,1";
  const std::string local =
      "0708SR,7,93.3,26.7,93.3,28.2,08-Jun-2026,03:01:33,32.900002,-117.400002,STATION,"
      "Station Arrival,ABC,08-Jun-2026,18:30:12,calm; slight swell,1";
  const std::string tail = kGga + EmptyTail();
  auto before = [&](const std::string& file) { return st.read(st.root() + "/before/" + file); };
  EXPECT_EQ(before("DATA/0708SREvents.csv") + record + tail + "\r\n", st.read(kNetworkLog));
  EXPECT_EQ(before("RuvekGPS/0708SREvents.csv") + local + tail + "\r\n", st.read("C:\\RuvekGPS\\0708SREvents.csv"));
  EXPECT_EQ(before("DATA/0708SRCruise.csv") + record + "\r\n", st.read("C:\\DATA\\0708SRCruise.csv"));
  EXPECT_EQ(before("RuvekGPS/0708SRCruise.csv") + record + "\r\n", st.read("C:\\RuvekGPS\\0708SRCruise.csv"));
  EXPECT_EQ("7", Column(CrLfLines(before("DATA/0708SREvents.csv"))[1], 1));
  EXPECT_EQ("calm; slight swell", Column(CrLfLines(before("DATA/0708SREvents.csv"))[1], 15));
  const std::string htmlRow =
      "<TR ALIGN=RIGHT><TD>0708SR</TD><TD>7</TD><TD>93.3</TD><TD>26.7</TD><TD>08-Jun-2026</TD><TD>18:30:12</TD>"
      "<TD>32.900002</TD><TD>-117.400002</TD><TD>STATION</TD><TD>Station Arrival</TD><TD>ABC</TD>"
      "<TD>08-Jun-2026</TD><TD>03:01:33</TD><TD>calm, slight swell</TD><TD>1</TD></TR>\r\n";
  const std::string closing = "</TABLE>\r\n</BODY>\r\n</HTML>\r\n";
  for (const auto& [was, now] : {std::pair{"DATA/0708SREvents.htm", "C:\\DATA\\0708SREvents.htm"},
                                 std::pair{"RuvekGPS/0708SREvents.htm", "C:\\RuvekGPS\\0708SREvents.htm"}}) {
    const std::string old = before(was);
    EXPECT_EQ(old.substr(0, old.size() - closing.size()) + htmlRow + closing, st.read(now)) << now;
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
  // Events 7, 8, 9. Row 2 is loaded, then row 1; Clear Last answered No starts
  // the timer, whose tick must leave the loaded boxes alone; row 3 is selected
  // before Record Event.
  const auto r = st.run(
      Started() + Record("Bongo") + Record("Manta") + Record("Secchi") +
      "select EventLog 2\nanswer Yes\ndblclick EventLog\nselect EventLog 1\nanswer Yes\ndblclick EventLog\n"
      "answer No\nclick Command1(3)\nget Timer1.enabled\ntick Timer1\necho == ticked\nget Text1(5)\nget Combo1\n"
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

}  // namespace
}  // namespace ruvek::test
