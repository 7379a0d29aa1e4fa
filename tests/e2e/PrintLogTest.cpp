// "Print Log" headless: the file dialog's answer is the PDF written, read back
// with pdftotext where it is installed.
#include <gtest/gtest.h>

#include <cstdio>

#include "e2e/EventLogCheck.h"
#include "e2e/Station.h"

namespace ruvek::test {
namespace {

// The text of a PDF file by pdftotext, or nothing when it is not installed.
std::optional<std::string> PdfText(const std::string& hostPath) {
  if (std::system("command -v pdftotext >/dev/null 2>&1") != 0) return std::nullopt;
  FILE* pipe = ::popen(("pdftotext -layout '" + hostPath + "' - 2>&1").c_str(), "r");
  std::string text;
  char buf[4096];
  for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, pipe)) > 0;) text.append(buf, n);
  ::pclose(pipe);
  return text;
}

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// An event line of the network log, with a navigation tail.
std::string LogLine(int n, const std::string& date, const std::string& comment) {
  return "0708SR," + std::to_string(n) + ",93.3,26.7,93.3,26.6," + date + ",0" + std::to_string(n % 10) +
         ":00:00,32.91234,-117.41234,CTD,CTD Deployed,ABC,07-Jun-2026,10:00:00," + comment + ",1$GPGGA,1,2,3,,,,\r\n";
}

TEST(PrintLog, WritesTheCruiseLogAsAPdfOfSeveralPages) {
  Station st;
  st.seed();
  std::string log;
  for (int n = 1; n <= 120; ++n)
    log += LogLine(n, n < 60 ? "02-Jun-2026" : "05-Jun-2026", n == 120 ? "last one; with a longer comment" : "");
  st.write("C:\\DATA\\0708SREvents.csv", log);
  const auto r =
      st.run("answer Yes\nstart\nfile C:\\RuvekGPS\\cruise.pdf\nclick mnuPrintLog\nget StatusBar1.Panels(1)\n");
  ASSERT_EQ(0, r.code) << r.err;
  EXPECT_NE(std::string::npos, r.out.find("FILEDIALOG | C:\\RuvekGPS\\ | C:\\RuvekGPS\\cruise.pdf\n")) << r.out;
  EXPECT_EQ("Event log printed (120 events): C:\\RuvekGPS\\cruise.pdf", Got(r.out, "StatusBar1.Panels(1)"));
  const std::string pdf = st.read("C:\\RuvekGPS\\cruise.pdf");
  ASSERT_EQ(0u, pdf.rfind("%PDF-1.4", 0));
  EXPECT_EQ(3, Count(pdf, "/Type /Page "));
  const auto text = PdfText(st.host("C:\\RuvekGPS\\cruise.pdf"));
  if (!text) GTEST_SKIP() << "pdftotext is not installed: the text of the PDF is not checked";
  for (const char* expected : {"Tesmora 0708SR EVENT LOG", "120 events from 02-Jun-2026 to 05-Jun-2026",
                               "Event log C:\\DATA\\0708SREvents.csv", "Evt#", "Comments", "CTD Deployed",
                               "last one; with a longer comment", "Page 1 of 3", "Page 3 of 3"})
    EXPECT_NE(std::string::npos, text->find(expected)) << expected << "\n" << *text;
  // The column headings head every page.
  EXPECT_EQ(3, Count(*text, "Evt#"));
}

TEST(PrintLog, FallsBackToTheLocalLogAndReportsWhatCannotBePrinted) {
  struct Case {
    const char* name;
    bool networkLog, localLog;
    const char* file;      // the file dialog's answer
    const char* expected;  // a line of the output
    bool written;
  } cases[] = {
      {"no log", false, false, "C:\\RuvekGPS\\x.pdf",
       "MSGBOX | Print Log | Unable to print the event log: neither C:\\DATA\\0708SREvents.csv nor "
       "C:\\RuvekGPS\\0708SREvents.csv exists. | OK | exclamation | OK",
       false},
      {"local log", false, true, "C:\\RuvekGPS\\x.pdf",
       "StatusBar1.Panels(1)=Event log printed (1 event): C:\\RuvekGPS\\x.pdf", true},
      {"cancelled", true, false, "cancel", "FILEDIALOG | C:\\RuvekGPS\\ | cancel", false},
      {"no folder", true, false, "C:\\NoSuchFolder\\x.pdf",
       "MSGBOX | Print Log | Unable to print the event log to C:\\NoSuchFolder\\x.pdf: cannot create ", false},
  };
  for (const Case& c : cases) {
    Station st;
    st.seed();
    if (c.networkLog) st.write("C:\\DATA\\0708SREvents.csv", LogLine(7, "08-Jun-2026", ""));
    if (c.localLog) st.write("C:\\RuvekGPS\\0708SREvents.csv", "Cruise,Event#\r\n" + LogLine(7, "08-Jun-2026", ""));
    const auto r =
        st.run("answer Yes\nstart\nfile " + std::string(c.file) + "\nclick mnuPrintLog\nget StatusBar1.Panels(1)\n");
    ASSERT_EQ(0, r.code) << c.name << "\n" << r.err;
    EXPECT_NE(std::string::npos, r.out.find(c.expected)) << c.name << "\n" << r.out;
    EXPECT_EQ(c.written, st.exists("C:\\RuvekGPS\\x.pdf")) << c.name;
  }
}

}  // namespace
}  // namespace ruvek::test
