#include <gtest/gtest.h>

#include <sstream>

#include "headless/HeadlessPlatform.h"
#include "os/FileSystem.h"
#include "os/Lines.h"

namespace ruvek::ui {
namespace {

TEST(ScriptTexts, TokensAndQuotes) {
  EXPECT_EQ(ReadTokens("\"  padded \""), "  padded ");
  EXPECT_EQ(ReadTokens("a<CR><LF>b<TAB>c<BS>"), "a\r\nb\tc\b");
  EXPECT_EQ(ReadTokens("C:\\RuvekGPS\\x"), "C:\\RuvekGPS\\x");
  EXPECT_EQ(ReadTokens("\"half"), "\"half");
  EXPECT_EQ(ShowTokens("a\r\nb\tc"), "a<CR><LF>b<TAB>c");
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
  EXPECT_EQ(fs.hostPath("C:\\RuvekGPS\\RuvekGPS.cfg"), expected[0]);
  EXPECT_EQ(fs.hostPath("q:\\nav\\CurrPos.txt"), expected[1]);
  EXPECT_EQ(fs.hostPath("/tmp/x.txt"), "/tmp/x.txt");
  // ".." never climbs above the drive's folder, as on the drive itself.
  EXPECT_EQ(fs.hostPath("C:\\..\\..\\etc\\passwd"), expected[2]);
  EXPECT_EQ(fs.hostPath("C:\\DATA\\.\\..\\DATA\\"), expected[3]);
  EXPECT_EQ(fs.hostPath("C:"), expected[4]);
  // Paths that are not full are never resolved against the working folder.
  for (const char* notFull : {"DATA\\EventNumber.txt", "EventNumber.txt", "\\\\server\\share\\x", ""}) {
    EXPECT_THROW(fs.hostPath(notFull), os::FileError) << notFull;
    EXPECT_FALSE(fs.exists(notFull)) << notFull;
    EXPECT_THROW(fs.append(notFull, "x"), os::FileError) << notFull;
  }
}

TEST(LineSplitting, AcceptsEveryLineEnd) {
  EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
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
  EXPECT_EQ(fired, (std::vector<std::string>{"A@300", "B@500", "A@600", "A@900", "B@1000"}));
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
  EXPECT_EQ(nested, 1);
  // Ticks at 100, 400, 700 and 1000; the missed due times are skipped, and
  // the last wait runs past the end of the advance.
  EXPECT_EQ(platform.clockMs() % 100000, 1250);
}

TEST_F(VirtualClock, MessageBoxesTakeQueuedAnswersAndStopWhenNoneFits) {
  platform.queueAnswer(Answer::Yes);
  EXPECT_EQ(platform.messageBox("text", "title", Buttons::OK, Icon::None), Answer::OK);
  EXPECT_EQ(platform.messageBox("Q?", "T", Buttons::YesNo, Icon::Warning), Answer::Yes);
  platform.queueAnswer(Answer::Cancel);
  EXPECT_THROW(platform.messageBox("Q2", "T2", Buttons::YesNo, Icon::Error), ScriptExit);
  EXPECT_EQ(out.str(),
            "MSGBOX | title | text | OK | none | OK\n"
            "MSGBOX | T | Q? | YesNo | warning | Yes\n"
            "MSGBOX | T2 | Q2 | YesNo | error | NONE\n");
  EXPECT_EQ(err.str(), "ERROR unanswered message box\n");
}

}  // namespace
}  // namespace ruvek::ui
