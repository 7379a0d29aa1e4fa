// One Record Event of a started network station on the local disk, with local
// and network HTML logs of 3000 rows, beside the bare file work such an event
// needs: read the one-line files it reads, rewrite the two HTML logs, append
// the four CSV lines and replace the one-line files it writes. The workflow's
// fixed waits cost nothing here (the platform's wait returns at once).
// BM_RecordEventAndTick and BM_DurableFloor put one Record Event and one poll
// tick beside a floor that writes and flushes each file of the event once and
// each of its two folders once.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "app/RuvekApp.h"
#include "app/StartSequence.h"
#include "bench/BenchPlatform.h"
#include "events/Recording.h"
#include "nav/PollCycle.h"

namespace {

using ruvek::bench::BenchPlatform;
using ruvek::bench::Write;

namespace fs = std::filesystem;

std::string HtmlLog(int rows) {
  std::string html =
      "<HTML>\r\n<HEAD>\r\n<TITLE>Tesmora 0708SR EVENT LOG</TITLE>\r\n</HEAD>\r\n<BODY>\r\n"
      "<H2><CENTER>Tesmora 0708SR EVENT LOG</CENTER></H2>\r\n<TABLE BORDER=1 CELLSPACING=1>\r\n"
      "<TR><TH>STUDY<TH>Event#<TH>Line<TH>Sta<TH>UTC_Date<TH>UTC_Time<TH>Latitude<TH>Longitude<TH>Activity"
      "<TH>Event<TH>Init.<TH>Loc_Date<TH>Loc_Time<TH>Comments<TH>Ord_Occ\r\n";
  for (int i = 1; i <= rows; ++i)
    html += "<TR ALIGN=RIGHT><TD>0708SR</TD><TD>" + std::to_string(i) +
            "</TD><TD>93.3</TD><TD>26.7</TD><TD>08-Jun-2026</TD><TD>11:00:00</TD><TD>32.912340</TD>"
            "<TD>-117.412340</TD><TD>BONGO</TD><TD>Bongo</TD><TD>ABC</TD><TD>08-Jun-2026</TD><TD>03:00:00</TD>"
            "<TD>Sea Conditions: Calm</TD><TD>5</TD></TR>\r\n";
  return html + "</TABLE>\r\n</BODY>\r\n</HTML>\r\n";
}

struct Station {
  std::string root;
  std::string html = HtmlLog(3000);

  Station() {
    root = (fs::temp_directory_path() / "ruvek-bench-XXXXXX").string();
    if (!::mkdtemp(root.data())) throw std::runtime_error("mkdtemp failed");
    const char* rows[] = {
        "Tesmora",         "0708SR",      "C:\\DATA\\", "C:\\DATA\\", "CruiseEvents.txt", "Watch.txt",
        "EventNumber.txt", "CurrPos.txt", "15000",      "NETWORK",    "NETWORK",          "1",
        "4800,n,8,1",      "$GPGGA",      "$GPRMC",     "STANDARD",   "LASTEVENT",        "CommentOpt.txt",
        "NUMERIC",         "SINGLE",      "PST"};
    std::string cfg;
    for (const char* r : rows) cfg += std::string(r) + "\r\n";
    Write(at("C/RuvekGPS/RuvekGPS.cfg"), cfg);
    Write(at("C/RuvekGPS/CruiseEvents.txt"), "Bongo\r\nManta\r\nSecchi\r\n");
    Write(at("C/RuvekGPS/Watch.txt"), "ABC\r\n");
    Write(at("C/RuvekGPS/CommentOpt.txt"),
          "Station Type\r\nStandard\r\nProdo\r\nSCCOOS\r\nSea Conditions\r\nCalm\r\nModrt\r\nRough\r\n"
          "Day/Night\r\nDay\r\nNight\r\n");
    Write(at("C/RuvekGPS/Lines.txt"), "93.3\r\n");
    Write(at("C/RuvekGPS/Line93.txt"), "26.7\r\n");
    Write(at("C/DATA/EventNumber.txt"), "10\r\n");
    Write(at("C/DATA/OrderOcc.txt"), "5\r\n");
    resetHtml();
  }
  ~Station() {
    std::error_code ec;
    fs::remove_all(root, ec);
  }
  std::string at(const std::string& rel) const { return root + "/" + rel; }
  void resetHtml() const {
    Write(at("C/RuvekGPS/0708SREvents.htm"), html);
    Write(at("C/DATA/0708SREvents.htm"), html);
  }
};

void BM_RecordEvent(benchmark::State& state) {
  Station st;
  BenchPlatform platform(st.root, /*answerYes=*/true);
  ruvek::RuvekApp app(platform);
  app.start();
  ruvek::Station& station = *app.station();
  ruvek::MainWindow& w = station.main;
  w.boxes.lat.setText("32.91234");
  w.boxes.lon.setText("-117.41234");
  w.eventCombo.setText("Bongo");
  w.stopAdvanceCheck.setValue(true);  // the same event every time
  for (auto _ : state) {
    ruvek::StartOrRecord(station);
    state.PauseTiming();
    st.resetHtml();
    station.main.eventRows.filled(0);
    state.ResumeTiming();
  }
  if (station.state.recording != ruvek::Recording::Ready) state.SkipWithError("the event did not finish");
}
BENCHMARK(BM_RecordEvent)->Unit(benchmark::kMicrosecond);

void BM_RecordEventAndTick(benchmark::State& state) {
  Station st;
  BenchPlatform platform(st.root, /*answerYes=*/true);
  ruvek::RuvekApp app(platform);
  app.start();
  ruvek::Station& station = *app.station();
  ruvek::MainWindow& w = station.main;
  w.boxes.lat.setText("32.91234");
  w.boxes.lon.setText("-117.41234");
  w.eventCombo.setText("Bongo");
  w.stopAdvanceCheck.setValue(true);
  for (auto _ : state) {
    ruvek::StartOrRecord(station);
    ruvek::PollTick(station);
    state.PauseTiming();
    st.resetHtml();
    station.main.eventRows.filled(0);
    state.ResumeTiming();
  }
  if (station.state.backlog.events) state.SkipWithError("rows were left in the backlog");
}
BENCHMARK(BM_RecordEventAndTick)->Unit(benchmark::kMicrosecond);

// ---- the floor: the same file work in plain C++

std::string ReadAll(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) throw std::runtime_error("open " + path);
  std::string out;
  char buf[1 << 16];
  for (ssize_t n; (n = ::read(fd, buf, sizeof buf)) > 0;) out.append(buf, std::size_t(n));
  ::close(fd);
  return out;
}

void WriteFile(const std::string& path, const std::string& data, int flags) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | flags, 0644);
  if (fd < 0 || ::write(fd, data.data(), data.size()) != ssize_t(data.size())) throw std::runtime_error(path);
  ::close(fd);
}

void Replace(const std::string& path, const std::string& data) {
  WriteFile(path + ".new", data, O_TRUNC);
  ::rename((path + ".new").c_str(), path.c_str());
}

// The new HTML log: the old one up to its closing tags, the row, the closing tags.
void RewriteHtml(const std::string& path, const std::string& row) {
  std::string html = ReadAll(path);
  html.resize(html.rfind("</TABLE>"));
  Replace(path, html + row + "</TABLE>\r\n</BODY>\r\n</HTML>\r\n");
}

void BM_RecordEventFloor(benchmark::State& state) {
  Station st;
  const std::string record = "0708SR,11,93.3,26.7,,,08-Jun-2026,03:00:00,32.91234,-117.41234,BONGO,Bongo,ABC,,,,5";
  const std::string line = record + std::string(112, ',') + "\r\n";
  const std::string row =
      "<TR ALIGN=RIGHT><TD>0708SR</TD><TD>11</TD><TD>93.3</TD><TD>26.7</TD><TD></TD><TD></TD><TD>00.000000</TD>"
      "<TD>00.000000</TD><TD>BONGO</TD><TD>Bongo</TD><TD>ABC</TD><TD>08-Jun-2026</TD><TD>03:00:00</TD><TD></TD>"
      "<TD>5</TD></TR>\r\n";
  for (auto _ : state) {
    benchmark::DoNotOptimize(ReadAll(st.at("C/DATA/EventNumber.txt")));
    benchmark::DoNotOptimize(ReadAll(st.at("C/DATA/OrderOcc.txt")));
    benchmark::DoNotOptimize(ReadAll(st.at("C/DATA/EventNumber.txt")));
    Replace(st.at("C/DATA/EventNumber.txt"), "11\r\n");
    Replace(st.at("C/RuvekGPS/EventNumber.txt"), "11\r\n");
    RewriteHtml(st.at("C/RuvekGPS/0708SREvents.htm"), row);
    WriteFile(st.at("C/RuvekGPS/0708SREvents.csv"), line, O_APPEND);
    WriteFile(st.at("C/RuvekGPS/0708SRCruise.csv"), record + "\r\n", O_APPEND);
    RewriteHtml(st.at("C/DATA/0708SREvents.htm"), row);
    WriteFile(st.at("C/DATA/0708SREvents.csv"), line, O_APPEND);
    Replace(st.at("C/DATA/0708SRLastEvent.csv"), line);
    WriteFile(st.at("C/DATA/0708SRCruise.csv"), record + "\r\n", O_APPEND);
    state.PauseTiming();
    st.resetHtml();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_RecordEventFloor)->Unit(benchmark::kMicrosecond);

void Flush(const std::string& path, int flags) {
  const int fd = ::open(path.c_str(), flags);
  if (fd < 0 || ::fsync(fd) != 0) throw std::runtime_error("fsync " + path);
  ::close(fd);
}

// Written and flushed: a file replaced through a new name, or appended to.
void DurableReplace(const std::string& path, const std::string& data) {
  Replace(path, data);
  Flush(path, O_RDONLY);
}
void DurableAppend(const std::string& path, const std::string& data) {
  WriteFile(path, data, O_APPEND);
  Flush(path, O_RDONLY);
}

// The same files as the floor above, each flushed once, and each folder once.
void BM_DurableFloor(benchmark::State& state) {
  Station st;
  const std::string record = "0708SR,11,93.3,26.7,,,08-Jun-2026,03:00:00,32.91234,-117.41234,BONGO,Bongo,ABC,,,,5";
  const std::string line = record + std::string(112, ',') + "\r\n";
  const std::string row =
      "<TR ALIGN=RIGHT><TD>0708SR</TD><TD>11</TD><TD>93.3</TD><TD>26.7</TD><TD></TD><TD></TD><TD>00.000000</TD>"
      "<TD>00.000000</TD><TD>BONGO</TD><TD>Bongo</TD><TD>ABC</TD><TD>08-Jun-2026</TD><TD>03:00:00</TD><TD></TD>"
      "<TD>5</TD></TR>\r\n";
  for (auto _ : state) {
    benchmark::DoNotOptimize(ReadAll(st.at("C/DATA/EventNumber.txt")));
    benchmark::DoNotOptimize(ReadAll(st.at("C/DATA/OrderOcc.txt")));
    DurableReplace(st.at("C/DATA/EventNumber.txt"), "11\r\n");
    DurableReplace(st.at("C/RuvekGPS/EventNumber.txt"), "11\r\n");
    RewriteHtml(st.at("C/RuvekGPS/0708SREvents.htm"), row);
    Flush(st.at("C/RuvekGPS/0708SREvents.htm"), O_RDONLY);
    DurableAppend(st.at("C/RuvekGPS/0708SREvents.csv"), line);
    DurableAppend(st.at("C/RuvekGPS/0708SRCruise.csv"), record + "\r\n");
    RewriteHtml(st.at("C/DATA/0708SREvents.htm"), row);
    Flush(st.at("C/DATA/0708SREvents.htm"), O_RDONLY);
    DurableAppend(st.at("C/DATA/0708SREvents.csv"), line);
    DurableReplace(st.at("C/DATA/0708SRLastEvent.csv"), line);
    DurableAppend(st.at("C/DATA/0708SRCruise.csv"), record + "\r\n");
    Flush(st.at("C/DATA"), O_RDONLY | O_DIRECTORY);
    Flush(st.at("C/RuvekGPS"), O_RDONLY | O_DIRECTORY);
    // The tick: the number file once.
    benchmark::DoNotOptimize(ReadAll(st.at("C/DATA/EventNumber.txt")));
    state.PauseTiming();
    st.resetHtml();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_DurableFloor)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
