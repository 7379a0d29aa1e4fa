// What the main window shows the operator: a correction in progress and its
// way out, the marks of the displayed events, replaced rows.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "e2e/EventLogCheck.h"
#include "e2e/Station.h"
#include "harness/Command.h"

namespace ruvek::test {
namespace {

const char* kNetworkLog = "C:\\DATA\\0708SREvents.csv";
// The boxes a correction loads, and the window's marks of it.
const char* kBoxes = "get Text1(5)\nget Combo1\nget Text1(3)\nget txtComments\nget Timer1.enabled\n";
const char* kMarks =
    "get Command1(0)\nget cmdCancelEdit.visible\nget EventLog.highlightedRow\nget StatusBar1.note\nget editingRow\n";

std::string Shown(const std::string& out) {
  std::string s;
  for (const char* name : {"Text1(5)", "Combo1", "Text1(3)", "txtComments", "Timer1.enabled"})
    s += Got(out, name) + "|";
  return s;
}

std::string Marks(const std::string& out) {
  std::string s;
  for (const char* name : {"Command1(0)", "cmdCancelEdit.visible", "EventLog.highlightedRow", "StatusBar1.note"})
    s += Got(out, name) + "|";
  return s;
}

// The picker selected, as "caption" (none: "-").
std::string PickerShown() {
  std::string s;
  for (int i = 0; i < 8; ++i)
    s += "get Option1(" + std::to_string(i) + ").value\nget Option1(" + std::to_string(i) + ")\n";
  return s;
}
std::string SelectedPicker(const std::string& out) {
  for (int i = 0; i < 8; ++i)
    if (Got(out, "Option1(" + std::to_string(i) + ").value") == "true")
      return Got(out, "Option1(" + std::to_string(i) + ")");
  return "-";
}

TEST(OperatorView, CorrectionShowsAndEndsUnwrittenByEscapeOrCancel) {
  const struct {
    const char *what, *during, *end;
  } cases[] = {
      {"Escape", "", "key Escape\n"},
      {"Cancel Correction", "", "click cmdCancelEdit\n"},
      {"picker clicked while loaded", "click Option1(3)\ntype Text1(3) 1\n", "key Escape\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Station st;
    st.seed();
    const auto r =
        st.run(Started() + Record("Bongo") + Record("Manta") + Record("Secchi") + "echo == before\n" + kBoxes + kMarks +
               PickerShown() + "select EventLog 2\nanswer Yes\ndblclick EventLog\n" + c.during + "echo == loaded\n" +
               kMarks + c.end + "echo == ended\n" + kBoxes + kMarks + PickerShown() + "key Escape\n");
    ASSERT_EQ(0, r.code) << r.err;
    const std::string before = Section(r.out, "before"), loaded = Section(r.out, "loaded"),
                      ended = Section(r.out, "ended");
    EXPECT_EQ("Record Event|false|0|Event 13 recorded|", Marks(before));
    EXPECT_EQ("Record Correction|true|2|Correcting event 12|", Marks(loaded));
    EXPECT_EQ("Record Event|false|0|Correction of event 12 cancelled|", Marks(ended));
    EXPECT_EQ("false", Got(ended, "editingRow"));
    // The boxes show again what they showed, the next number among them, and the poll runs.
    EXPECT_EQ(Shown(before), Shown(ended));
    EXPECT_EQ("14", Got(ended, "Text1(5)"));
    EXPECT_EQ(Got(ended, "Combo1"), SelectedPicker(ended));
    EXPECT_EQ(SelectedPicker(before), SelectedPicker(ended));
    EXPECT_EQ(3u, CrLfLines(st.read(kNetworkLog)).size());
  }
}

TEST(OperatorView, DisplayedEventsMarkFollowsTheModeAndReplacedRowsAreGreyed) {
  const char* entries[] = {"mnuLastEvent", "mnuCurrSta", "mnuLastSta", "mnuAllEvents"};
  const struct {
    const char* mode;
    const char* marked;  // the entry marked at start, "" none
    const char* greyed;  // the greyed grid rows after the reload
  } cases[] = {
      {"LASTEVENT", "mnuLastEvent", ""},
      {"ALLEVENTS", "mnuAllEvents", "2 3"},
      {"LASTSTA", "mnuLastSta", "2 3"},
      {"NOTHING", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    Station st;
    st.seed({{17, c.mode}});
    // Events 11 to 13; 13 cleared and its number used again; 12 corrected.
    std::string script = "clock 2026-06-08 03:00:00\nanswer Yes\nstart\n";
    for (const char* e : entries) script += "get " + std::string(e) + ".checked\n";
    const auto first =
        st.run(script + "type Text1(3) 32.91234\ntype Text1(4) -117.41234\nanswer Yes\n" + Record("Bongo") +
               Record("Manta") + Record("Secchi") + "answer Yes\nclick Command1(3)\n" + Record("Bongo") +
               "select EventLog 2\nanswer Yes\ndblclick EventLog\nclick Command1(0)\n" + "get EventLog.greyedRows\n");
    ASSERT_EQ(0, first.code) << first.err;
    EXPECT_EQ("", Got(first.out, "EventLog.greyedRows"));  // the grid holds each number once
    for (const char* e : entries)
      EXPECT_EQ(std::string(e) == c.marked ? "true" : "false", Got(first.out, std::string(e) + ".checked")) << e;
    const auto again = st.run("clock 2026-06-08 04:00:00\nanswer Yes\nstart\nget EventLog.greyedRows\n");
    ASSERT_EQ(0, again.code) << again.err;
    EXPECT_EQ(c.greyed, Got(again.out, "EventLog.greyedRows"));
  }
}

TEST(OperatorView, FirstRunWithoutConfigurationAsksOnceAndOffersTheEditor) {
  const struct {
    const char *what, *answers, *script;
    bool configured;    // a configuration whose event number row is empty
    std::size_t boxes;  // message boxes before the exit question
  } cases[] = {
      {"demo declined", "No", "", false, 2},
      {"buttons and keys after", "No", "click Command1(0)\nclick Command1(3)\nkey Escape\ntick Timer1\n", false, 2},
      {"Enter at every question", "Yes Yes Yes Yes", "", true, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Station st;
    if (c.configured) st.seed({{7, ""}});
    const auto r = st.run("answer " + std::string(c.answers) + "\nstart\n" + c.script +
                          "get FrmEditCFG.visible\nget Command1(0).enabled\nget StatusBar1\necho == end\n"
                          "answer Yes\nclick mnuExit\n");
    ASSERT_EQ(0, r.code) << r.out << r.err;
    EXPECT_EQ(c.boxes, Count(r.out.substr(0, r.out.find("== end")), "MSGBOX")) << r.out;
    EXPECT_EQ(c.configured ? "false" : "true", Got(r.out, "FrmEditCFG.visible"));
    EXPECT_EQ(c.configured ? "true" : "false", Got(r.out, "Command1(0).enabled"));
    if (!c.configured) {
      EXPECT_EQ("No configuration: C:\\RuvekGPS\\RuvekGPS.cfg is missing", Got(r.out, "StatusBar1"));
    }
  }
}

std::string FirstLine(const std::string& path) {
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);
  return line;
}

TEST(OperatorView, SecondCopyOnTheProgramFolderStopsUnlessTheLockIsStale) {
  char host[256] = {};
  ::gethostname(host, sizeof host - 1);
  const std::string boot = FirstLine("/proc/sys/kernel/random/boot_id"), me(host);
  const struct {
    const char* what;
    std::string lock;  // the lock file before the run; "" none
    int code;
  } cases[] = {
      {"a running copy", "", 4},
      {"another computer's", "lab-pc-2,1,2026-06-08 03:00:00.000,0," + boot + "\r\n", 4},
      {"a copy that died", me + ",999999999,2026-06-08 03:00:00.000,0," + boot + "\r\n", 0},
      {"an earlier boot", me + ",1,2026-06-08 03:00:00.000,0,an-earlier-boot\r\n", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    // A copy started from inside a copy under Wine is started by the host's
    // shell with host paths; only the stored locks are judged there.
    if (c.lock.empty() && ExePrefixed()) continue;
    Station st;
    st.seed();
    const std::string lock = "C:\\RuvekGPS\\RuvekEventLog.lock";
    if (!c.lock.empty()) st.write(lock, c.lock);
    // With no lock yet, a second copy is run from inside the first one, while it runs.
    const std::string second = std::string("sh '") + RUVEK_EXE + "' --headless --root \"$RUVEK_ROOT\" </dev/null " +
                               "2>\"$RUVEK_ROOT/second.err\" >/dev/null; echo $? >\"$RUVEK_ROOT/second.rc\"\n";
    const auto r = st.run(c.lock.empty() ? "answer Yes\nstart\n" + second : "answer Yes\nstart\n");
    const bool nested = c.lock.empty();
    EXPECT_EQ(std::to_string(c.code), nested ? FirstLine(st.root() + "/second.rc") : std::to_string(r.code));
    const std::string err = nested ? FirstLine(st.root() + "/second.err") : r.err;
    EXPECT_EQ(c.code == 4, err.find("ruvek: Ruvek Event Log is already running on this computer "
                                    "(C:\\RuvekGPS\\RuvekEventLog.lock, held by process ") == 0)
        << err;
    // The lock goes with the copy that made it.
    EXPECT_EQ(c.code == 4 && !c.lock.empty(), st.exists(lock));
  }
}

}  // namespace
}  // namespace ruvek::test
