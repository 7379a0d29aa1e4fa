// The shared data directory failing under a recording station: full,
// read-only, or unmounted (leaving the bare mount point). Each runs on a small
// tmpfs mounted over the station's data directory, where the machine lets the
// test mount one.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "e2e/EventLogCheck.h"
#include "e2e/Station.h"

namespace ruvek::test {
namespace {

const char* const kNetworkLogs[] = {"C:\\DATA\\0708SREvents.htm", "C:\\DATA\\0708SREvents.csv",
                                    "C:\\DATA\\0708SRLastEvent.csv", "C:\\DATA\\0708SRCruise.csv"};

std::string Sh(const std::string& command) { return "sh " + command + "\n"; }
const char* const kData = "\"$RUVEK_ROOT/C/DATA\"";

// A seeded station whose data directory is a small tmpfs holding the event
// number file, unmounted again at the end (all that the test mounted there).
struct MountedStation {
  Station st;
  std::string dir = st.host("C:\\DATA");
  bool mounted = false;

  MountedStation() {
    st.seed();
    mounted = std::system(("mount -t tmpfs -o size=64k tmpfs '" + dir + "' 2>/dev/null").c_str()) == 0;
    if (mounted) st.write("C:\\DATA\\EventNumber.txt", "10\r\n");
  }
  ~MountedStation() {
    while (std::system(("mountpoint -q '" + dir + "' && umount -l '" + dir + "'").c_str()) == 0) {
    }
  }

  // Once the share is back each network log holds the event `name` once,
  // also when the message named it; the last-event file holds the newest event.
  void expectHeldOnce(const std::string& name, const std::string& message) const {
    for (const char* log : kNetworkLogs) {
      const std::string bytes = st.exists(log) ? st.read(log) : "";
      const std::size_t held = Count(bytes, "," + name + ",") + Count(bytes, "<TD>" + name + "</TD>");
      EXPECT_EQ(std::string(log).find("LastEvent") != std::string::npos ? 0u : 1u, held)
          << name << " in " << log << ": " << message;
    }
  }
};

// The network message shown while recording the event echoed as "DONE <tag>".
std::string NetworkMessageOf(const std::string& out, const std::string& tag) {
  const std::size_t end = out.find("DONE " + tag);
  const std::size_t from = end == 0 ? 0 : out.rfind("DONE ", end - 1);
  const std::string part =
      out.substr(from == std::string::npos ? 0 : from, end - (from == std::string::npos ? 0 : from));
  const std::size_t msg = part.find("Unable to write to Network Drive!");
  return msg == std::string::npos ? "" : part.substr(msg, part.find('\n', msg) - msg);
}

// A full or read-only share: the number file cannot take the event's number
// (asked once), the network logs that cannot take the row are named in one
// message, the local logs keep every event, and once the share is back no
// number is given twice.
TEST(SharedDrive, FullOrReadOnlyShareLosesNothingLocallyAndGivesNoNumberTwice) {
  struct Case {
    const char* name;
    std::string breakIt, mendIt;
  };
  const Case cases[] = {
      {"full", Sh("dd if=/dev/zero of=" + std::string(kData) + "/fill bs=1k 2>/dev/null; true"),
       Sh("rm " + std::string(kData) + "/fill")},
      {"read-only", Sh("mount -o remount,ro " + std::string(kData)), Sh("mount -o remount,rw " + std::string(kData))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MountedStation m;
    if (!m.mounted) {
      GTEST_SKIP() << "SKIPPED: cannot mount a tmpfs on " << m.dir << " (needs root)";
    }
    auto r = m.st.run(Started() + Record("Bongo") + c.breakIt + "answer No\n" + Record("Manta") +
                      "echo DONE Manta\nanswer No\n" + Record("Secchi") + "echo DONE Secchi\n" + c.mendIt +
                      Record("Station Departure") + "echo DONE Departure\n");
    ASSERT_EQ(0, r.code) << r.err << r.out;
    EXPECT_EQ(2u, Count(r.out,
                        "MSGBOX | Unable to WRITE to the server! | Unable to write C:\\DATA\\EventNumber.txt "
                        "Y to retry after checking C is available. | YesNo | error | No"))
        << r.out;
    for (const char* name : {"Manta", "Secchi"}) {
      const std::string message = NetworkMessageOf(r.out, name);
      EXPECT_EQ(0u, message.find("Unable to write to Network Drive!  Saved locally (C:\\RuvekGPS\\0708SREvents.htm, "
                                 "C:\\RuvekGPS\\0708SREvents.csv) - not written: "))
          << message;
      m.expectHeldOnce(name, message);
      if (std::string(c.name) == "read-only") {
        for (const char* log : kNetworkLogs) EXPECT_NE(std::string::npos, message.find(log)) << log;
      }
    }
    EXPECT_EQ("", NetworkMessageOf(r.out, "Departure"));
    // Every event locally, each with its own number; the share takes up again
    // above every number used.
    const auto local = CrLfLines(m.st.read("C:\\RuvekGPS\\0708SREvents.csv"));
    ASSERT_EQ(5u, local.size());
    EXPECT_EQ("11 12 13 14",
              Column(local[1], 1) + " " + Column(local[2], 1) + " " + Column(local[3], 1) + " " + Column(local[4], 1));
    std::set<std::string> numbers;
    const auto network = CrLfLines(m.st.read("C:\\DATA\\0708SREvents.csv"));
    for (const std::string& line : network) EXPECT_TRUE(numbers.insert(Column(line, 1)).second) << line;
    EXPECT_EQ("14", Column(network.back(), 1));
    EXPECT_EQ("14\r\n", m.st.read("C:\\DATA\\EventNumber.txt"));
  }
}

// The share unmounted under the station: the bare mount point is never
// written to (the network logs are unreachable, the number file unreadable),
// and once a share is mounted there again the events reach it.
TEST(SharedDrive, UnmountedShareLeavesTheBareMountPointAloneUntilTheShareIsBack) {
  MountedStation m;
  if (!m.mounted) {
    GTEST_SKIP() << "SKIPPED: cannot mount a tmpfs on " << m.dir << " (needs root)";
  }
  const std::string data = kData;
  auto r =
      m.st.run(Started() + Record("Bongo") + Sh("umount " + data) + "answer No\n" + Record("Manta") +
               "echo DONE Manta\n" + Sh("ls -A " + data + " > \"$RUVEK_ROOT/bare.txt\"") +
               Sh("mount -t tmpfs -o size=64k tmpfs " + data + " && printf '11\\r\\n' > " + data + "/EventNumber.txt") +
               Record("Secchi") + "echo DONE Secchi\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ(1u, Count(r.out,
                      "MSGBOX | Unable to READ from the server! | Having trouble reading "
                      "C:\\DATA\\EventNumber.txt Y to retry after checking C is available. | YesNo | error | No"))
      << r.out;
  const std::string message = NetworkMessageOf(r.out, "Manta");
  for (const char* log : kNetworkLogs) EXPECT_NE(std::string::npos, message.find(log)) << log << ": " << message;
  EXPECT_EQ("", m.st.read("C:\\bare.txt"));
  EXPECT_EQ("", NetworkMessageOf(r.out, "Secchi"));
  // Manta, saved locally while the share was away, reaches it before Secchi.
  const auto network = CrLfLines(m.st.read("C:\\DATA\\0708SREvents.csv"));
  ASSERT_EQ(2u, network.size());
  EXPECT_EQ("12 Manta", Column(network[0], 1) + " " + Column(network[0], 11));
  EXPECT_EQ("13 Secchi", Column(network[1], 1) + " " + Column(network[1], 11));
  const auto local = CrLfLines(m.st.read("C:\\RuvekGPS\\0708SREvents.csv"));
  ASSERT_EQ(4u, local.size());
  EXPECT_EQ("11 12 13", Column(local[1], 1) + " " + Column(local[2], 1) + " " + Column(local[3], 1));
}

}  // namespace
}  // namespace ruvek::test
