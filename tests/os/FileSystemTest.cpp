// The block readers of the file layer: every line of a file read in blocks,
// and the last long line read from the end backwards; its writers on a full
// drive, and its temporary files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "harness/Processes.h"
#include "harness/SmallDrive.h"
#include "os/FileSystem.h"

namespace ruvek {
namespace {

class LineReading : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("ruvek-lines-" + std::to_string(test::OwnProcessId()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::vector<std::string> linesOf(const std::string& bytes) {
    const std::string path = (dir_ / "log.csv").string();
    std::ofstream(path, std::ios::binary) << bytes;
    std::vector<std::string> lines;
    os::FileSystem().forEachLine(path, [&lines](const std::string& l) { lines.push_back(l); });
    return lines;
  }
  std::filesystem::path dir_;
};

TEST_F(LineReading, SplitsAtCrLfLfAndCrLikeTheWholeFileReader) {
  struct Case {
    std::string bytes;
    std::vector<std::string> lines;
  } cases[] = {
      {"", {}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb", {"a", "b"}},
      {"a\rb\r", {"a", "b"}},
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"\n\n", {"", ""}},
      {"a\n\rb", {"a", "", "b"}},
  };
  for (const Case& c : cases) EXPECT_EQ(c.lines, linesOf(c.bytes)) << testing::PrintToString(c.bytes);
}

TEST_F(LineReading, CrLfAcrossTheReadBlockEndsOneLine) {
  // The blocks are 64 KiB: put the CR as the block's last byte.
  const std::string first(65535, 'x');
  const auto lines = linesOf(first + "\r\nsecond\r\n" + std::string(70000, 'y'));
  ASSERT_EQ(3u, lines.size());
  EXPECT_EQ(first, lines[0]);
  EXPECT_EQ("second", lines[1]);
  EXPECT_EQ(70000u, lines[2].size());
}

TEST_F(LineReading, MissingFileThrowsFileErrorNamingIt) {
  const std::string path = (dir_ / "none.csv").string();
  try {
    os::FileSystem().forEachLine(path, [](const std::string&) {});
    FAIL() << "no error";
  } catch (const os::FileError& e) {
    EXPECT_EQ(path, e.path);
  }
}

TEST_F(LineReading, LastLongLineFromTheEndMatchesAForwardRead) {
  const std::string longLine(70000, 'z');  // longer than one block from the end
  const std::string cases[] = {
      "",
      "short\r\n",
      "0123456789A\r\nshort\r\n\r\n",
      "first event line\r\nsecond event line\r\n",
      "no line end at the end of file",
      "cr only line one\rcr only line two\r",
      longLine + "\r\nshort\r\n",
      longLine + "\r\n" + std::string(65530, 'a') + "\r\n" + std::string(200000, '\n'),
      std::string(65535, 'x') + "\r\n" + std::string(12, 'y') + "\r\n",
  };
  for (const std::string& bytes : cases) {
    std::optional<std::string> expected;
    for (const std::string& line : linesOf(bytes))
      if (line.size() >= 11) expected = line;
    const auto got = os::FileSystem().lastLineOfAtLeast((dir_ / "log.csv").string(), 11);
    EXPECT_EQ(expected.has_value(), got.has_value()) << bytes.size();
    if (expected && got) {
      EXPECT_EQ(*expected, *got) << bytes.size();
    }
  }
}

std::string Slurp(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

std::vector<std::string> NamesIn(const std::filesystem::path& dir) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// A drive of 64 KiB, filled up but for the page the log's first bytes use.
class FullDrive : public LineReading {
 protected:
  void SetUp() override {
    LineReading::SetUp();
    log_ = (dir_ / "Events.csv").string();
    number_ = (dir_ / "EventNumber.txt").string();
    drive_.emplace(dir_.string(), 64);
    if (!drive_->mounted()) GTEST_SKIP() << "full drive not tested: " << drive_->why();
    fs_.append(log_, "Cruise,Event#\r\n");
    fs_.replace(number_, "10\r\n");
    std::ofstream filler(dir_ / "filler", std::ios::binary);
    const std::string block(4096, 'f');
    for (int i = 0; i < 64 && filler.write(block.data(), block.size()); ++i) filler.flush();
  }
  void TearDown() override {
    drive_.reset();
    LineReading::TearDown();
  }
  std::optional<test::SmallDrive> drive_;
  os::FileSystem fs_;
  std::string log_, number_;
};

TEST_F(FullDrive, WritesThatCannotGoOutWholeLeaveEveryFileAsItWasAndNoTemporaryFile) {
  const std::vector<std::string> before = NamesIn(dir_);
  // A record longer than the rest of the log's page: part of it would fit.
  const std::string record = std::string(6000, 'r') + "\r\n";
  for (os::Flush flush : {os::Flush::No, os::Flush::Yes}) {
    EXPECT_THROW(fs_.append(log_, record, flush), os::FileError);
    EXPECT_EQ("Cruise,Event#\r\n", Slurp(log_));
  }
  EXPECT_THROW(fs_.replace(number_, std::string(8000, '1') + "\r\n"), os::FileError);
  EXPECT_EQ("10\r\n", Slurp(number_));
  EXPECT_THROW(fs_.create((dir_ / "new.htm").string(), std::string(8000, 'h')), os::FileError);
  EXPECT_EQ(before, NamesIn(dir_));
  // What fits still goes out.
  fs_.append(log_, "0708SR,11\r\n", os::Flush::Yes);
  EXPECT_EQ("Cruise,Event#\r\n0708SR,11\r\n", Slurp(log_));
}

// The whole-file reader stops at the file's end without a read past it, at
// any length around its 64 KiB blocks, and refuses a file over its bound.
TEST_F(LineReading, ReadAllReadsEveryLengthWholeAndRefusesOneOverItsBound) {
  const os::FileSystem fs;
  const std::string path = (dir_ / "CurrPos.txt").string();
  for (std::size_t length : {0u, 1u, 65535u, 65536u, 65537u, 200000u}) {
    std::string bytes(length, 'x');
    if (length) bytes.back() = 'z';
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    EXPECT_EQ(bytes, fs.readAll(path)) << length;
    EXPECT_EQ(bytes, fs.readAll(path, length)) << length;
    if (length) {
      EXPECT_THROW(fs.readAll(path, length - 1), os::FileError) << length;
    }
  }
}

TEST_F(LineReading, CreateMakesANewFileWholeOrLeavesTheOneThere) {
  os::FileSystem fs;
  const std::string path = (dir_ / "0708SREvents.htm").string();
  EXPECT_TRUE(fs.create(path, "<HTML>\r\n"));
  EXPECT_FALSE(fs.create(path, "other\r\n"));
  EXPECT_EQ("<HTML>\r\n", Slurp(path));
  fs.replace(path, "new\r\n");
  EXPECT_EQ("new\r\n", Slurp(path));
  EXPECT_EQ(std::vector<std::string>{"0708SREvents.htm"}, NamesIn(dir_));
  EXPECT_EQ(std::optional<std::uintmax_t>(5), fs.size(path));
  EXPECT_FALSE(fs.size((dir_ / "none").string()));
}

// A name Windows refuses, or takes for a device, reads as no such file and is
// never made, on every system; a name that only looks like one is a file.
TEST_F(LineReading, NamesWindowsRefusesAreNoFiles) {
  const os::FileSystem fs(dir_.string());
  std::filesystem::create_directories(dir_ / "C");
  for (const char* path : {"C:\\CON", "C:\\nul.txt", "C:\\DATA\\..\\com1", "C:\\LPT9.log", "C:\\AUX .csv\\x",
                           "C:\\a<b.txt", "C:\\a|b", "C:\\why?.txt", "C:\\a*.csv", "C:\\tab\there", "C:\\a\"b"}) {
    EXPECT_FALSE(fs.exists(path)) << path;
    EXPECT_THROW(fs.readAll(path), os::FileError) << path;
    EXPECT_THROW(fs.append(path, "x\r\n"), os::FileError) << path;
    EXPECT_THROW(fs.replace(path, "x\r\n"), os::FileError) << path;
  }
  for (const char* path : {"C:\\CONSOLE.txt", "C:\\COM10.txt", "C:\\nulls.csv", "C:\\LPT.txt"}) {
    fs.append(path, "x\r\n");
    EXPECT_TRUE(fs.exists(path)) << path;
  }
  EXPECT_EQ((std::vector<std::string>{"COM10.txt", "CONSOLE.txt", "LPT.txt", "nulls.csv"}), NamesIn(dir_ / "C"));
}

TEST_F(LineReading, OnlyThisComputersTemporaryFilesOfEndedRunsAreRemoved) {
  const long ended = test::EndedProcessId();
  const auto name = [this](long pid) {
    return std::filesystem::path(os::TemporaryName((dir_ / "LastEvent.csv").string(), pid)).filename().string();
  };
  const std::string stale = name(ended), mine = name(test::OwnProcessId()), running = name(test::RunningProcessId());
  const std::string others[] = {"LastEvent.csv.tmp.otherhost." + std::to_string(ended) + ".0123456789abcdef",
                                "LastEvent.csv.new" + std::to_string(ended), "LastEvent.csv", mine, running};
  for (const std::string& n : others) std::ofstream(dir_ / n) << "x";
  std::ofstream(dir_ / stale) << "x";
  EXPECT_EQ(std::vector<std::string>{stale}, os::FileSystem().removeStaleTemporaries(dir_.string()));
  std::vector<std::string> left(std::begin(others), std::end(others));
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, NamesIn(dir_));
}

}  // namespace
}  // namespace ruvek
