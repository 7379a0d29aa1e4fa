// "Generate Entire Cruise Event File": the bytes of the events-only file made
// from the network event log, and what a log or output that fails leaves.
#include <gtest/gtest.h>

#include <functional>

#include "e2e/EventLogCheck.h"
#include "e2e/Station.h"

namespace ruvek::test {
namespace {

const char* kNetworkLog = "C:\\DATA\\0708SREvents.csv";
const char* kExport = "C:\\DATA\\0708SREventsNOMET.csv";
const char* kExportScript = "answer Yes\nstart\nclick mnuAllEvents2File\n";
const char* kCreated = "MSGBOX |  | Events Only File created... | OK | none | OK\n";

// The 17 columns of an event with `number` and `comments`.
std::string LogRecord(int number, const std::string& comments) {
  return "0708SR," + std::to_string(number) +
         ",93.3,26.7,93.3,28.2,08-Jun-2026,03:00:00,32.91234,-117.41234,CTD,CTD Deployed,ABC,08-Jun-2026,11:00:00," +
         comments + ",12";
}
// The navigation tail: the raw line and 112 MET items.
std::string Tail() { return "$GPGGA,183012.00,3254.0000,N,11724.0000,W,2,09,0.9,5.1,M,-35.2,M,,*58" + EmptyTail(); }
// The events-only line of an event logged with `comments` as line `n`.
std::string Exported(int n, const std::string& comments) {
  return "0708SR," + std::to_string(n) +
         ",93.3,26.7,93.3,28.2,08-Jun-2026,03:00:00,32.91234,-117.41234,CTD,CTD Deployed,ABC,08-Jun-2026,11:00:00," +
         comments + ",";
}

TEST(Export, EachLogLineBecomesItsEventColumnsUnderItsLineNumber) {
  struct Case {
    std::string logLine, exported;
  };
  const Case cases[] = {
      // The first event is 1 whatever its number; order-occupied and tail go.
      {LogRecord(57, "calm") + Tail(), Exported(1, "calm")},
      // A comma in the comments cuts the row one column earlier.
      {LogRecord(58, "calm, slight swell") + Tail(), Exported(2, "calm")},
      // A "$" early in the row cuts it there.
      {"0708SR,59,93.3,26$7,93.3,28.2" + Tail(), "0708SR,3,93.3,26"},
      // A blank line gives a blank line and takes its number.
      {"", ""},
      // A tail without a raw line starts with a comma: the 16th comma cuts.
      {LogRecord(60, "") + EmptyTail(), Exported(5, "")},
      // A blank first column is left out; a line without commas stays as it is.
      {"  ,61,93.3", ",6,93.3"},
      {"no commas here", "no commas here"},
      {"   ", ""},
  };
  Station st;
  st.seed();
  std::string log, expected;
  for (const Case& c : cases) {
    log += c.logLine + "\r\n";
    expected += c.exported + "\r\n";
  }
  st.write(kNetworkLog, log);
  // The file is replaced whole on every export.
  st.write(kExport, std::string(100000, 'x'));
  for (int run = 0; run < 2; ++run) {
    const auto r = st.run(kExportScript);
    ASSERT_EQ(0, r.code) << r.err;
    EXPECT_EQ(1u, Count(r.out, kCreated)) << r.out;
    EXPECT_EQ(expected, st.read(kExport));
  }
}

TEST(Export, LogThatCannotBeReadOrOutputThatCannotBeWrittenLeavesThePreviousFile) {
  struct Case {
    const char* what;
    std::function<void(const Station&)> prepare;
    const char* shellSetup;
    std::string message;
  };
  // An event log of 40 events, whose export is larger than the file size limit
  // below; standard output stays under it.
  std::string log;
  for (int n = 1; n <= 40; ++n) log += LogRecord(n, "") + Tail() + "\r\n";
  const Case cases[] = {
      {"missing log", [](const Station&) {}, "", "Unable to read C:\\DATA\\0708SREvents.csv"},
      {"log that is a folder", [](const Station& st) { st.write("C:\\DATA\\0708SREvents.csv\\x", ""); }, "",
       "Unable to read C:\\DATA\\0708SREvents.csv"},
      {"output over the file size limit", [&log](const Station& st) { st.write(kNetworkLog, log); },
       "trap '' XFSZ; ulimit -f 2", "Unable to write C:\\DATA\\0708SREventsNOMET.csv"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Station st;
    st.seed();
    c.prepare(st);
    st.write(kExport, "the previous export\r\n");
    const auto r = st.run(kExportScript, c.shellSetup);
    ASSERT_EQ(0, r.code) << r.err;
    EXPECT_NE(std::string::npos, r.out.find("MSGBOX |  | " + c.message + " | OK | error | OK\n")) << r.out;
    EXPECT_EQ(0u, Count(r.out, kCreated));
    EXPECT_EQ("the previous export\r\n", st.read(kExport));
  }
}

TEST(Export, HundredThousandEventsAndLinesPastSixteenBitsExportWhole) {
  Station st;
  st.seed();
  const std::string longComment(40000, 'c');
  std::string log, expected;
  for (int n = 1; n <= 100000; ++n) {
    const std::string comments = n == 40000 ? longComment : "note " + std::to_string(n);
    log += LogRecord(n + 500, comments) + Tail() + "\r\n";
    expected += Exported(n, comments) + "\r\n";
  }
  st.write(kNetworkLog, log);
  const auto r = st.run(kExportScript);
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ(1u, Count(r.out, kCreated));
  const std::string exported = st.read(kExport);
  EXPECT_EQ(expected.size(), exported.size());
  EXPECT_TRUE(expected == exported);  // 14 MB: not printed when it fails
  EXPECT_EQ(100000u, Count(exported, "\r\n"));
}

}  // namespace
}  // namespace ruvek::test
