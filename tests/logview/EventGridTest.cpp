#include "logview/EventGrid.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace ruvek {
namespace {

class LineReading : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("ruvek-lines-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::vector<std::string> linesOf(const std::string& bytes) {
    const std::string path = (dir_ / "log.csv").string();
    std::ofstream(path, std::ios::binary) << bytes;
    std::vector<std::string> lines;
    ForEachFileLine(ui::FileSystem(), path, [&lines](const std::string& l) { lines.push_back(l); });
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
    ForEachFileLine(ui::FileSystem(), path, [](const std::string&) {});
    FAIL() << "no error";
  } catch (const ui::FileError& e) {
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
    const auto got = LastLineOfAtLeast(ui::FileSystem(), (dir_ / "log.csv").string(), 11);
    EXPECT_EQ(expected.has_value(), got.has_value()) << bytes.size();
    if (expected && got) {
      EXPECT_EQ(*expected, *got) << bytes.size();
    }
  }
}

TEST(GridRowFromSlots, MapsRecordColumnsToGridColumns) {
  std::vector<std::string> slots(20);
  for (int k = 0; k < 20; ++k) slots[std::size_t(k)] = std::string(1, 's').append(std::to_string(k));
  slots[8] = "32.123456";
  slots[9] = "-117.123456";
  EXPECT_EQ((std::vector<std::string>{"s1", "s2", "s3", "s6", "s7", "s11", "32.123456", "-117.123456", "s12", "s15"}),
            GridRowFromSlots(slots, true, false));
  EXPECT_EQ((std::vector<std::string>{"s1", "s2", "s3", "s6", "s7", "s11", "32.123", "-117.12", "s12", ""}),
            GridRowFromSlots(slots, false, true));
  // Short slot arrays never read past their end.
  EXPECT_EQ(std::vector<std::string>(10), GridRowFromSlots(std::vector<std::string>(2), true, true));
}

}  // namespace
}  // namespace ruvek
