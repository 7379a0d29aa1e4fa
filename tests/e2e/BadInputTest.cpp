// Values and paths from files and the configuration that would corrupt a log
// row or lead a file out of its folder: the bytes the station writes.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "e2e/EventLogCheck.h"
#include "e2e/Station.h"
#include "harness/SmallDrive.h"

namespace ruvek::test {
namespace {

namespace fs = std::filesystem;

const std::string kNetworkHeader =
    "Cruise,Event#,StndLine,StndSta,CalcLine,CalcSta,DatePST,TimePST,DecLat,DecLon,Activity,Event,Operator,"
    "DateUTC,TimeUTC,Comments,Ord_Occ\r\n";

std::set<std::string> FilesUnder(const std::string& root) {
  std::set<std::string> files;
  for (const auto& e : fs::recursive_directory_iterator(root))
    if (e.is_regular_file()) files.insert(fs::relative(e.path(), root).string());
  return files;
}

// Commas in list entries, the cruise designation, the initials and the
// order-occupied text become ";" in every CSV row and in the grid snapshot; a
// latitude beyond 90 degrees is no position (-99), never a "NaN" line.
TEST(BadValues, CommasFromFilesAndRowsKeepEveryColumnAndAnImpossiblePositionIsNone) {
  Station st;
  st.seed({{2, "0708,SR"}});
  st.write("C:\\RuvekGPS\\Lines.txt", CrLf({"93,3"}));
  st.write("C:\\RuvekGPS\\Line93.txt", CrLf({"26,7"}));
  st.write("C:\\RuvekGPS\\Watch.txt", CrLf({"A,B"}));
  st.write("C:\\DATA\\OrderOcc.txt", CrLf({"5,x"}));
  st.write("C:\\DATA\\CurrPos.txt", CrLf({"$GPGGA,183012.00,9130.0000,N,11724.0000,W,2,09,0.9,5.1,M,-35.2,M,,"}));
  auto r = st.run(
      "clock 2026-06-08 03:00:00\nanswer Yes\nstart\nadvance 1000\ntick Timer1\nget Text1(3)\nget "
      "NavSnapshot.calcLine\ntype txtComments Comments: a,b\n" +
      Record("Bongo") + "answer Yes\nclick Command1(2)\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_EQ("-99.00000", Got(r.out, "Text1(3)"));
  EXPECT_EQ("", Got(r.out, "NavSnapshot.calcLine"));
  const std::string row =
      "0708;SR,11,93;3,26;7,,,08-Jun-2026,03:00:01,-99.00000,-099.00000,BONGO,Bongo,A;B,,18:30:12,a;b,5;x";
  EXPECT_EQ(kNetworkHeader + row + "\r\n", st.read("C:\\DATA\\0708,SRCruise.csv"));
  EXPECT_EQ(kNetworkHeader + row + "\r\n", st.read("C:\\RuvekGPS\\0708,SRCruise.csv"));
  EXPECT_EQ(0u, st.read("C:\\DATA\\0708,SREvents.csv").find(row + "$GPGGA,183012.00,9130.0000,N,"));
  EXPECT_EQ("11,93;3,26;7,08-Jun-2026,03:00:01,Bongo,-99.00000,-099.00000,A;B,a;b\r\n",
            CrLfLines(st.read("C:\\RuvekGPS\\0708,SREvents.ins"))[0] + "\r\n");
}

// A cruise designation holding "..\" or "/" names files inside the folders
// all the same, and a directory row that is not a full path is reported and
// never taken relative to the working folder.
TEST(BadPaths, NamesStayInTheirFolderAndRelativeDirectoriesAreNotUsed) {
  Station st;
  st.seed({{2, "..\\..\\0708/x"}, {3, "DATA\\"}, {4, "NAV\\"}});
  Station cwd;  // a working folder holding the relative folders
  cwd.write(cwd.root() + "/DATA/EventNumber.txt", "10\r\n");
  cwd.write(cwd.root() + "/NAV/CurrPos.txt", "$GPGGA,183012.00,3254.0000,N,11724.0000,W,2,09,0.9,5.1,M,,M,,\r\n");
  const std::set<std::string> cwdBefore = FilesUnder(cwd.root());
  // No event number file can be reached: local operation, with a new local file.
  auto r = st.run(
      "clock 2026-06-08 03:00:00\nanswer Yes No Yes Yes\nstart\ntype Text1(3) 32.9\ntype Text1(4) -117.4\nanswer "
      "Yes\n" +
          Record("Bongo"),
      "cd '" + cwd.root() + "'");
  ASSERT_EQ(0, r.code) << r.err;
  const std::string problem = "MSGBOX | C:\\RuvekGPS\\RuvekGPS.cfg | ";
  EXPECT_EQ(0u, r.out.find(problem + "Data Directory: DATA\\ is not a full path | OK | exclamation | OK\n" + problem +
                           "Nav Directory: NAV\\ is not a full path | OK | exclamation | OK\n"))
      << r.out;
  EXPECT_EQ(cwdBefore, FilesUnder(cwd.root()));
  EXPECT_EQ("10\r\n", cwd.read(cwd.root() + "/DATA/EventNumber.txt"));
  std::set<std::string> written;
  for (const std::string& f : FilesUnder(st.root()))
    if (f.find("0708") != std::string::npos) written.insert(f);
  EXPECT_EQ((std::set<std::string>{"C/RuvekGPS/.._.._0708_x.backlog", "C/RuvekGPS/.._.._0708_xCruise.csv",
                                   "C/RuvekGPS/.._.._0708_xEvents.csv", "C/RuvekGPS/.._.._0708_xEvents.htm"}),
            written);
}

// On a data drive too full for the next row the network event log keeps its
// bytes: no part of a row is left for the next event to be glued to. The
// local event log holds every event.
TEST(FullDrive, ARowThatCannotBeWrittenWholeLeavesTheNetworkLogAsItWas) {
  Station st;
  const SmallDrive drive(st.root() + "/C/DATA", 64);
  if (!drive.mounted()) GTEST_SKIP() << "full drive not tested: " << drive.why();
  st.seed({{4, "C:\\NAV\\"}});
  st.write("C:\\NAV\\CurrPos.txt", "$GPGGA,183012.00,3254.0000,N,11724.0000,W,2,09,0.9,5.1,M,,M,,\r\n");
  std::string before;
  const std::string row = "0708SR,9,93.3,26.7,,,08-Jun-2026,02:00:00,32.9,-117.4,BONGO,Bongo,ABC,,,,1" + EmptyTail();
  while (before.size() + row.size() + 2 < 4000) before += row + "\r\n";  // the last page nearly full
  st.write("C:\\DATA\\0708SREvents.csv", before);
  st.write("C:\\DATA\\filler", std::string(64 * 1024, 'f'));  // the rest of the drive
  std::string no = "answer";                                  // to every retry question, whatever their number
  for (int i = 0; i < 30; ++i) no += " No";
  const std::string tick = "advance 1000\ntick Timer1\n";  // the time moves: no question about it
  auto r = st.run("clock 2026-06-08 03:00:00\nanswer Yes\nstart\n" + no + "\n" + tick + Record("Bongo") + tick +
                  Record("Manta"));
  ASSERT_EQ(0, r.code) << r.err << r.out;
  EXPECT_EQ(before, st.read("C:\\DATA\\0708SREvents.csv"));
  const std::vector<std::string> local = CrLfLines(st.read("C:\\RuvekGPS\\0708SREvents.csv"));
  ASSERT_EQ(3u, local.size());
  EXPECT_EQ("Bongo", Column(local[1], 11));
  EXPECT_EQ("Manta", Column(local[2], 11));
}

}  // namespace
}  // namespace ruvek::test
