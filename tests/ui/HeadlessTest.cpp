#include <gtest/gtest.h>

#include <sstream>

#include "headless/HeadlessPlatform.h"
#include "os/FileSystem.h"
#include "os/Lines.h"

namespace ruvek::ui {
namespace {

TEST(ScriptTexts, TokensAndQuotes) {
  EXPECT_EQ("  padded ", ReadTokens("\"  padded \""));
  EXPECT_EQ("a\r\nb\tc\b", ReadTokens("a<CR><LF>b<TAB>c<BS>"));
  EXPECT_EQ("C:\\RuvekGPS\\x", ReadTokens("C:\\RuvekGPS\\x"));
  EXPECT_EQ("\"half", ReadTokens("\"half"));
  EXPECT_EQ("a<CR><LF>b<TAB>c", ShowTokens("a\r\nb\tc"));
}

TEST(DriveMapping, DriveLettersBecomeFoldersUnderTheRoot) {
  // On Windows the drive letters are real: a root without a folder for the
  // drive leaves it the machine's own.
  os::FileSystem fs("/srv/station");
#ifdef _WIN32
  const char* const expected[] = {"C:\\RuvekGPS\\RuvekGPS.cfg", "Q:\\nav\\CurrPos.txt", "C:\\etc\\passwd", "C:\\DATA\\",
                                  "C:\\"};
#else
  const char* const expected[] = {"/srv/station/C/RuvekGPS/RuvekGPS.cfg", "/srv/station/Q/nav/CurrPos.txt",
                                  "/srv/station/C/etc/passwd", "/srv/station/C/DATA/", "/srv/station/C/"};
#endif
  EXPECT_EQ(expected[0], fs.hostPath("C:\\RuvekGPS\\RuvekGPS.cfg"));
  EXPECT_EQ(expected[1], fs.hostPath("q:\\nav\\CurrPos.txt"));
  EXPECT_EQ("/tmp/x.txt", fs.hostPath("/tmp/x.txt"));
  // ".." never climbs above the drive's folder, as on the drive itself.
  EXPECT_EQ(expected[2], fs.hostPath("C:\\..\\..\\etc\\passwd"));
  EXPECT_EQ(expected[3], fs.hostPath("C:\\DATA\\.\\..\\DATA\\"));
  EXPECT_EQ(expected[4], fs.hostPath("C:"));
  // Paths that are not full are never resolved against the working folder.
  for (const char* notFull : {"DATA\\EventNumber.txt", "EventNumber.txt", "\\\\server\\share\\x", ""}) {
    EXPECT_THROW(fs.hostPath(notFull), os::FileError) << notFull;
    EXPECT_FALSE(fs.exists(notFull)) << notFull;
    EXPECT_THROW(fs.append(notFull, "x"), os::FileError) << notFull;
  }
}

TEST(LineSplitting, AcceptsEveryLineEnd) {
  EXPECT_EQ((std::vector<std::string>{"a", "b", "c", "d"}), SplitLines("a\r\nb\nc\rd"));
  EXPECT_EQ((std::vector<std::string>{"a", ""}), SplitLines("a\r\n\r\n"));
  EXPECT_TRUE(SplitLines("").empty());
}

class VirtualClock : public ::testing::Test {
 protected:
  std::ostringstream out, err;
  HeadlessPlatform platform{os::FileSystem("/nonexistent"), out, err};
  std::vector<std::string> fired;

  void arm(Timer& t, int interval) {
    t.onReset = [this](Timer& timer) { platform.timerReset(timer); };
    t.setInterval(interval);
    t.setEnabled(true);
    t.onTimer = [this, &t] { fired.push_back(t.name() + "@" + std::to_string(platform.clockMs() % 100000)); };
  }
};

TEST_F(VirtualClock, AdvanceFiresEveryDueTickInTimeOrder) {
  Timer a("A"), b("B");
  a.enabled = b.enabled = false;
  platform.setClock(DateTime{2026, 6, 8, 0, 0, 0});
  arm(a, 300);
  arm(b, 500);
  platform.advance(1000);
  EXPECT_EQ((std::vector<std::string>{"A@300", "B@500", "A@600", "A@900", "B@1000"}), fired);
}

TEST_F(VirtualClock, TicksThatCameDueDuringAWaitAreNotDeliveredIntoIt) {
  Timer a("A");
  a.enabled = false;
  platform.setClock(DateTime{2026, 6, 8, 0, 0, 0});
  arm(a, 100);
  int nested = 0, depth = 0;
  a.onTimer = [&] {
    ++depth;
    nested = std::max(nested, depth);
    platform.wait(250);  // blocks past two more due times
    --depth;
  };
  platform.advance(1000);
  EXPECT_EQ(1, nested);
  // Ticks at 100, 400, 700 and 1000; the missed due times are skipped, and
  // the last wait runs past the end of the advance.
  EXPECT_EQ(1250, platform.clockMs() % 100000);
}

TEST_F(VirtualClock, MessageBoxesTakeQueuedAnswersAndStopWhenNoneFits) {
  platform.queueAnswer(Answer::Yes);
  EXPECT_EQ(Answer::OK, platform.messageBox("text", "title", Buttons::OK, Icon::None));
  EXPECT_EQ(Answer::Yes, platform.messageBox("Q?", "T", Buttons::YesNo, Icon::Warning));
  platform.queueAnswer(Answer::Cancel);
  EXPECT_THROW(platform.messageBox("Q2", "T2", Buttons::YesNo, Icon::Error), ScriptExit);
  EXPECT_EQ(
      "MSGBOX | title | text | OK | none | OK\n"
      "MSGBOX | T | Q? | YesNo | warning | Yes\n"
      "MSGBOX | T2 | Q2 | YesNo | error | NONE\n",
      out.str());
  EXPECT_EQ("ERROR unanswered message box\n", err.str());
}

}  // namespace
}  // namespace ruvek::ui
