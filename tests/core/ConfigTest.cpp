#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/Config.h"
#include "core/Settings.h"
#include "harness/Processes.h"

namespace ruvek {
namespace {

class ConfigFile : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = std::filesystem::temp_directory_path() / ("ruvek-config-" + std::to_string(test::OwnProcessId()));
    std::filesystem::create_directories(root_ / "C" / "RuvekGPS");
    fs_ = os::FileSystem(root_.string());
  }
  void TearDown() override { std::filesystem::remove_all(root_); }

  void writeFile(const std::string& bytes) {
    std::ofstream(root_ / "C" / "RuvekGPS" / "RuvekGPS.cfg", std::ios::binary) << bytes;
  }
  std::string readFile() {
    std::ifstream in(root_ / "C" / "RuvekGPS" / "RuvekGPS.cfg", std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  CruiseConfig read(const std::string& bytes) {
    writeFile(bytes);
    CruiseConfig c;
    ReadConfig(fs_, c);
    return c;
  }

  std::filesystem::path root_;
  os::FileSystem fs_;
};

TEST_F(ConfigFile, BlankLinesKeepTheirRowsAndBlanksAroundRowsAreRemoved) {
  const CruiseConfig c = read("Tesmora\r\n  0708SR  \r\n\r\nC:\\NAV\\\r\n");
  EXPECT_EQ("Tesmora", c.row(1));
  EXPECT_EQ("0708SR", c.row(2));
  EXPECT_EQ("", c.row(3));
  EXPECT_EQ("C:\\NAV\\", c.row(4));
  EXPECT_EQ("", c.row(5));
}

TEST_F(ConfigFile, ReadsThirtyRowsAndIgnoresTheRest) {
  std::string bytes;
  for (int n = 1; n <= 35; ++n) bytes += "row" + std::to_string(n) + "\r\n";
  const CruiseConfig c = read(bytes);
  EXPECT_EQ("row30", c.row(30));
  EXPECT_THROW(c.row(31), std::out_of_range);
}

TEST_F(ConfigFile, MissingFileThrowsAndLeavesEmptyRows) {
  CruiseConfig c;
  c.row(1) = "old";
  EXPECT_THROW(ReadConfig(fs_, c), os::FileError);
  EXPECT_EQ("", c.row(1));
}

TEST_F(ConfigFile, RewriteHoldsExactlyTwentyOneCrLfLines) {
  std::string bytes;
  for (int n = 1; n <= 25; ++n) bytes += "r" + std::to_string(n) + "\r\n";
  CruiseConfig c = read(bytes);
  c.row(5) = "BridgeEvents.txt";
  c.row(13) = " 4800,n,8,1 ";
  WriteConfig(fs_, c);
  std::string expected;
  for (int n = 1; n <= 21; ++n)
    expected += (n == 5 ? "BridgeEvents.txt" : n == 13 ? " 4800,n,8,1 " : "r" + std::to_string(n)) + "\r\n";
  EXPECT_EQ(expected, readFile());

  WriteConfig(fs_, c, RowBlanks::Trim);
  EXPECT_NE(readFile().find("\r\n4800,n,8,1\r\n"), std::string::npos);

  // A line break typed into a row stays in its row.
  c.row(2) = "0708\r\nSR";
  c.row(3) = "C:\\DATA\\\n";
  WriteConfig(fs_, c);
  EXPECT_EQ(0u, readFile().find("r1\r\n0708  SR\r\nC:\\DATA\\ \r\nr4\r\n"));
}

struct DerivedCase {
  int row;
  std::string value;
  std::string what;
  std::string expected;
};

class DerivedValues : public ::testing::TestWithParam<DerivedCase> {};

std::string Derived(const Settings& d, const std::string& what) {
  if (what == "interval") return std::to_string(d.sampleIntervalMs);
  if (what == "multi") return StartsInCheckBoxMode(d.config) ? "true" : "false";
  if (what == "long") return d.longJulian ? "true" : "false";
  if (what == "type") return d.eventListType;
  if (what == "scheme") return d.numberScheme == NumberScheme::Julian ? "JULIAN" : "numeric";
  if (what == "network") return d.logMode == LogMode::Network ? "true" : "false";
  if (what == "source") return NavSourceName(d.navSource);
  if (what == "preload") return PreloadModeName(d.preloadMode);
  if (what == "clock") return d.clockZone == ClockZone::Pdt ? "PDT" : d.clockZone == ClockZone::Unknown ? "none" : "?";
  return "?";
}

TEST_P(DerivedValues, FollowTheirRow) {
  CruiseConfig c;
  c.row(GetParam().row) = GetParam().value;
  EXPECT_EQ(GetParam().expected, Derived(DeriveSettings(c), GetParam().what)) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DerivedValues,
    ::testing::Values(DerivedCase{9, "0", "interval", "15000"}, DerivedCase{9, "", "interval", "15000"},
                      DerivedCase{9, "abc", "interval", "15000"}, DerivedCase{9, "2000", "interval", "2000"},
                      DerivedCase{9, "2500.6", "interval", "2501"}, DerivedCase{9, "99999", "interval", "65535"},
                      DerivedCase{20, "MULTI", "multi", "true"}, DerivedCase{20, "multi", "multi", "false"},
                      DerivedCase{20, "MULTI", "long", "false"}, DerivedCase{20, "LONG", "long", "true"},
                      DerivedCase{20, "long", "long", "true"}, DerivedCase{20, "LONG", "multi", "false"},
                      DerivedCase{5, "CUFESEvents.txt", "type", "CUFES"},
                      DerivedCase{5, "bridgeevents.txt", "type", "bridgeevents.txt"},
                      DerivedCase{19, "julian", "scheme", "JULIAN"}, DerivedCase{19, "JULIANS", "scheme", "numeric"},
                      DerivedCase{10, "NETWORK", "network", "true"}, DerivedCase{10, "network", "network", "false"},
                      DerivedCase{11, " gps ", "source", "GPS"}, DerivedCase{11, "jordan", "source", "SCS"},
                      DerivedCase{11, "JD", "source", ""}, DerivedCase{11, "LORAN", "source", ""},
                      DerivedCase{17, "LASTSTA", "preload", "LASTSTA"}, DerivedCase{17, "laststa", "preload", ""},
                      DerivedCase{21, " pdt ", "clock", "PDT"}, DerivedCase{21, "EST", "clock", "none"}));

TEST(DerivedPaths, AreConcatenationsOfTheirRows) {
  CruiseConfig c;
  c.row(3) = "C:\\CODES\\2007\\0701\\Events\\";
  c.row(4) = "Q:\\NAV\\";
  c.row(5) = "BridgeEvents.txt";
  c.row(7) = "EventNumber.txt";
  c.row(8) = "CurrPos.txt";
  const Settings d = DeriveSettings(c);
  EXPECT_EQ("C:\\CODES\\2007\\0701\\Events\\EventNumber.txt", d.eventNumberPath);
  EXPECT_EQ("C:\\RuvekGPS\\EventNumber.txt", d.localEventNumberPath);
  EXPECT_EQ("Q:\\NAV\\CurrPos.txt", d.currPosPath);
  EXPECT_EQ("C:\\RuvekGPS\\BridgeEvents.txt", d.eventListPath);
  EXPECT_EQ("Bridge", d.eventListType);

  // File names from rows stay inside their folder.
  for (int row : {5, 6, 7, 8, 18}) c.row(row) = "..\\..\\x/y.txt";
  const Settings e = DeriveSettings(c);
  for (const std::string& path : {e.eventNumberPath, e.localEventNumberPath, e.currPosPath, e.eventListPath,
                                  e.initialsPath, e.commentOptionsPath})
    EXPECT_EQ(".._.._x_y.txt", path.substr(path.rfind('\\') + 1)) << path;
}

TEST(DirectoryRows, OnlyFullPathsPass) {
  struct Case {
    const char* row3;
    const char* row4;
    std::vector<std::string> problems;
  } cases[] = {
      {"C:\\DATA\\", "q:/nav/", {}},
      {"/srv/cruise/", "C:\\", {}},
      {"DATA\\", "C:NAV\\", {"Data Directory: DATA\\ is not a full path", "Nav Directory: C:NAV\\ is not a full path"}},
      {"",
       "\\\\server\\share\\",
       {"Data Directory: (empty) is not a full path", "Nav Directory: \\\\server\\share\\ is not a full path"}},
  };
  for (const Case& c : cases) {
    CruiseConfig config;
    config.row(3) = c.row3;
    config.row(4) = c.row4;
    EXPECT_EQ(c.problems, DirectoryRowProblems(config)) << c.row3;
  }
}

}  // namespace
}  // namespace ruvek
