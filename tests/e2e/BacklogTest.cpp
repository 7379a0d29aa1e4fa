// Events recorded while the share is away reach the network logs once it is
// back: each row once, in recorded order, after one poll tick.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "e2e/EventLogCheck.h"
#include "e2e/Station.h"

namespace ruvek::test {
namespace {

const char* const kData = "\"$RUVEK_ROOT/C/DATA\"";
const char* const kShare = "\"$RUVEK_ROOT/C/SHARE\"";
const char* const kBacklog = "C:\\RuvekGPS\\0708SR.backlog";
const char* const kEvents = "C:\\DATA\\0708SREvents.csv";

std::string Sh(const std::string& command) { return "sh " + command + "\n"; }
// An event recorded with the share away: the number file's question answered No.
std::string During(const std::string& name) { return "advance 1000\ntick Timer1\nanswer No\n" + Record(name); }
std::string Of(const char* a, const char* b = "", const char* c = "") { return std::string(a) + b + c; }

// A station whose poll reads a position file; with `mount`, its data directory
// is a small tmpfs (kept at C:\SHARE) bound over C:\DATA, where the machine
// lets the test mount one.
struct OutageStation {
  Station st;
  bool mounted = false;
  explicit OutageStation(bool mount) {
    st.seed({{4, "C:\\NAV\\"}});
    st.write("C:\\NAV\\CurrPos.txt",
             "$GPGGA,183012.00,3254.0000,N,11724.0000,W,2,09,0.9,5.1,M,-35.2,M,,*5C\r\n"
             "$GPRMC,183012.00,A,3254.0000,N,11724.0000,W,10.0,240.0,070618,12.5,E,D*2E\r\n");
    if (!mount) return;
    const std::string share = st.host("C:\\SHARE"), data = st.host("C:\\DATA");
    std::error_code ignored;  // a folder that cannot be made only fails the mount below
    std::filesystem::create_directories(share, ignored);
    mounted = std::system(("mount -t tmpfs -o size=128k tmpfs '" + share + "' 2>/dev/null && mount --bind '" + share +
                           "' '" + data + "'")
                              .c_str()) == 0;
    if (mounted) st.write("C:\\SHARE\\EventNumber.txt", "10\r\n");
  }
  ~OutageStation() {
    for (const char* dir : {"C:\\DATA", "C:\\SHARE"})
      while (std::system(("mountpoint -q '" + st.host(dir) + "' && umount -l '" + st.host(dir) + "'").c_str()) == 0) {
      }
  }
};

// The event names of a log's rows, in order, from column `col`.
std::string Names(const std::string& bytes, int col, bool header) {
  std::string out;
  const auto lines = CrLfLines(bytes);
  for (std::size_t i = header ? 1 : 0; i < lines.size(); ++i) out += Column(lines[i], col) + ";";
  return out;
}

std::string HtmlNames(const std::string& bytes) {
  std::string out;
  for (const char* name : {"Bongo", "Manta", "Secchi", "Station Departure"})
    out += std::to_string(Count(bytes, "<TD>" + std::string(name) + "</TD>"));
  return out;
}

// Each outage kind with an event before, two during and one after: after the
// share returns and one tick every network log holds each event once, in
// order, the backlog is empty and one message says so.
TEST(Backlog, EveryOutageKindCatchesUpOnceInOrderAfterOneTick) {
  struct Case {
    const char* name;
    bool mount;
    std::string breakIt, mendIt;
  };
  const Case cases[] = {
      {"folder removed", false, Sh(Of("mv ", kData, " \"$RUVEK_ROOT/C/AWAY\"")),
       Sh(Of("mv \"$RUVEK_ROOT/C/AWAY\" ", kData))},
      {"file in the folder's place", false, Sh(Of("mv ", kData, " \"$RUVEK_ROOT/C/AWAY\" && touch ") + kData),
       Sh(Of("rm ", kData, " && mv \"$RUVEK_ROOT/C/AWAY\" ") + kData)},
      {"read-only", true, Sh(Of("mount -o remount,bind,ro ", kData)), Sh(Of("mount -o remount,bind,rw ", kData))},
      {"full", true, Sh(Of("dd if=/dev/zero of=", kShare, "/fill bs=1k 2>/dev/null; true")),
       Sh(Of("rm ", kShare, "/fill"))},
      {"unmounted", true, Sh(Of("umount ", kData)), Sh(Of("mount --bind ", kShare, " ") + kData)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    OutageStation o(c.mount);
    if (c.mount && !o.mounted) {
      std::printf("SKIPPED %s: cannot mount a tmpfs (needs root)\n", c.name);
      continue;
    }
    const std::string record = "advance 1000\ntick Timer1\n";
    auto r = o.st.run(Started() + record + Record("Bongo") + c.breakIt + "answer No No No\n" + record +
                      Record("Manta") + record + Record("Secchi") + "get backlogEvents\nget StatusBar1\n" + c.mendIt +
                      record + "get backlogEvents\n" + record + Record("Station Departure"));
    ASSERT_EQ(0, r.code) << r.err << r.out;
    EXPECT_EQ(2u, Count(r.out, "will be forwarded to them when the network drive is back.")) << r.out;
    EXPECT_EQ(1u, Count(r.out, "2 events waiting for the network drive")) << r.out;
    EXPECT_EQ(1u, Count(r.out, "2 events saved locally are now in the network logs | OK")) << r.out;
    EXPECT_EQ(1u, Count(r.out, "backlogEvents=2\n")) << r.out;
    EXPECT_EQ(1u, Count(r.out, "backlogEvents=0\n")) << r.out;
    const std::string order = "Bongo;Manta;Secchi;Station Departure;";
    EXPECT_EQ(order, Names(o.st.read(kEvents), 11, false));
    EXPECT_EQ(order, Names(o.st.read("C:\\DATA\\0708SRCruise.csv"), 11, true));
    EXPECT_EQ("1111", HtmlNames(o.st.read("C:\\DATA\\0708SREvents.htm")));
    EXPECT_EQ("11;12;13;14;", Names(o.st.read(kEvents), 1, false));
    EXPECT_FALSE(o.st.exists(kBacklog));
  }
}

// A run ended between writing the rows and emptying the backlog: the next run
// loads the backlog, finds the rows in their files and writes none again; a
// line of the backlog that is no entry is set aside and named.
TEST(Backlog, RowsWrittenBeforeAKillAreNotWrittenAgain) {
  OutageStation o(false);
  const std::string away = Sh(Of("mv ", kData, " \"$RUVEK_ROOT/C/AWAY\"")),
                    back = Sh(Of("mv \"$RUVEK_ROOT/C/AWAY\" ", kData));
  auto r = o.st.run(Started() + away + During("Manta") + During("Secchi") + back +
                    Sh("cp \"$RUVEK_ROOT/C/RuvekGPS/0708SR.backlog\" \"$RUVEK_ROOT/C/saved\"") + "tick Timer1\n");
  ASSERT_EQ(0, r.code) << r.err << r.out;
  ASSERT_FALSE(o.st.exists(kBacklog));
  o.st.write(kBacklog, o.st.read("C:\\saved") + "events\tbroken\\q\r\n");
  r = o.st.run("clock 2026-06-08 04:00:00\nanswer Yes\nstart\nget backlogEvents\ntick Timer1\nget backlogEvents\n");
  ASSERT_EQ(0, r.code) << r.err << r.out;
  EXPECT_EQ(1u, Count(r.out,
                      "1 line of C:\\RuvekGPS\\0708SR.backlog could not be read and were moved to "
                      "C:\\RuvekGPS\\0708SR.backlog.bad; they are not forwarded. | OK"))
      << r.out;
  EXPECT_EQ(1u, Count(r.out, "2 events saved locally are now in the network logs | OK")) << r.out;
  EXPECT_EQ("events\tbroken\\q\r\n", o.st.read("C:\\RuvekGPS\\0708SR.backlog.bad"));
  EXPECT_EQ("Manta;Secchi;", Names(o.st.read(kEvents), 11, false));
  EXPECT_EQ("Manta;Secchi;", Names(o.st.read("C:\\DATA\\0708SRCruise.csv"), 11, true));
  EXPECT_FALSE(o.st.exists(kBacklog));
}

// NUMERIC: numbers logged while the number file was away are kept; the number
// file is raised past them, and a number another station used meanwhile is
// named with both rows kept.
TEST(Backlog, ANumberUsedTwiceIsNamedAndTheNumberFileRaised) {
  OutageStation o(false);
  const std::string other = "0708SR,11,,,,,06/08/2026,02:00:00,32.9,-117.4,,Bongo,XYZ,06/08/2026,09:00:00,,";
  auto r = o.st.run(Started() + Sh(Of("mv ", kData, " \"$RUVEK_ROOT/C/AWAY\"")) + During("Manta") + During("Secchi") +
                    Sh("printf '11\\r\\n' > \"$RUVEK_ROOT/C/AWAY/EventNumber.txt\"") +
                    Sh("printf '" + other + "\\r\\n' >> \"$RUVEK_ROOT/C/AWAY/0708SREvents.csv\"") +
                    Sh(Of("mv \"$RUVEK_ROOT/C/AWAY\" ", kData)) + "advance 1000\ntick Timer1\n" + Record("Bongo"));
  ASSERT_EQ(0, r.code) << r.err << r.out;
  EXPECT_EQ(1u, Count(r.out,
                      "2 events saved locally are now in the network logs - event numbers another station "
                      "used as well (both rows are kept): 11 | OK"))
      << r.out;
  EXPECT_EQ("11;11;12;13;", Names(o.st.read(kEvents), 1, false));
  EXPECT_EQ("13\r\n", o.st.read("C:\\DATA\\EventNumber.txt"));
}

}  // namespace
}  // namespace ruvek::test
