// The block readers of the file layer: every line of a file read in blocks,
// and the last long line read from the end backwards.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "platform/FileSystem.h"

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
    ui::FileSystem().forEachLine(path, [&lines](const std::string& l) { lines.push_back(l); });
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
    ui::FileSystem().forEachLine(path, [](const std::string&) {});
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
    const auto got = ui::FileSystem().lastLineOfAtLeast((dir_ / "log.csv").string(), 11);
    EXPECT_EQ(expected.has_value(), got.has_value()) << bytes.size();
    if (expected && got) {
      EXPECT_EQ(*expected, *got) << bytes.size();
    }
  }
}

}  // namespace
}  // namespace ruvek
