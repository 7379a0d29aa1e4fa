// The start-up preload of a 20,000-event network event log whose lines carry
// full MET tails, in each mode, beside a bare line-by-line read of the same
// file (std::getline over an ifstream).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "bench/BenchPlatform.h"
#include "logview/EventGrid.h"
#include "windows/Station.h"

namespace {

using ruvek::bench::BenchPlatform;
using ruvek::bench::Write;

namespace fs = std::filesystem;

constexpr int kEvents = 20000;

// A log line: the record, the raw GGA line and all 201 MET items.
std::string LogLine(int n) {
  const int station = n / 10;  // ten events a station
  std::string line = "0708SR," + std::to_string(n) + ",93.3," + std::to_string(station) + ".0,93.3," +
                     std::to_string(station) +
                     ".1,08-Jun-2026,03:00:00,32.912340,-117.412340,BONGO,Bongo,ABC,"
                     "08-Jun-2026,11:00:00,Sea Conditions: Calm,5";
  line += "$GPGGA,110000.00,3254.7404,N,11724.7404,W,2,09,0.9,5.1,M,-35.2,M,,*5C";
  for (int i = 0; i < 201; ++i) {
    line += ',';
    line += std::to_string(1000 + (n * 7 + i) % 9000);
    line += ".25";
  }
  return line + "\r\n";
}

class Log {
 public:
  Log() {
    root_ = (fs::temp_directory_path() / "ruvek-bench-XXXXXX").string();
    if (!::mkdtemp(root_.data())) throw std::runtime_error("mkdtemp failed");
    fs::create_directories(root_ + "/C/DATA");
    std::ofstream out(file(), std::ios::binary);
    for (int n = 1; n <= kEvents; ++n) out << LogLine(n);
  }
  ~Log() {
    std::error_code ec;
    fs::remove_all(root_, ec);
  }
  const std::string& root() const { return root_; }
  std::string file() const { return root_ + "/C/DATA/0708SREvents.csv"; }

 private:
  std::string root_;
};

const Log& TheLog() {
  static const Log log;
  return log;
}

void Preload(benchmark::State& state, const char* mode) {
  const Log& log = TheLog();
  BenchPlatform platform(log.root());
  ruvek::Station station(platform);
  ruvek::ui::Grid& grid = station.main.eventGrid;
  grid.resize(ruvek::kGridRows, ruvek::kGridCols);
  const ruvek::PreloadSource source{"C:\\DATA\\0708SREvents.csv", mode, "93.3", "1999.0"};
  for (auto _ : state) {
    ruvek::PreloadEventLog(platform.files(), source, grid, station.state);
    benchmark::DoNotOptimize(station.state.gridRowCount);
  }
  state.counters["rows"] = station.state.gridRowCount - 1;
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(fs::file_size(log.file())));
}

void BM_PreloadAllEvents(benchmark::State& s) { Preload(s, "ALLEVENTS"); }
void BM_PreloadLastStation(benchmark::State& s) { Preload(s, "LASTSTA"); }
void BM_PreloadCurrentStation(benchmark::State& s) { Preload(s, "CURRENTSTA"); }
void BM_PreloadLastEvent(benchmark::State& s) { Preload(s, "LASTEVENT"); }

void BM_BareLineRead(benchmark::State& state) {
  const Log& log = TheLog();
  for (auto _ : state) {
    std::ifstream in(log.file(), std::ios::binary);
    std::string line;
    std::size_t lines = 0;
    while (std::getline(in, line)) ++lines;
    benchmark::DoNotOptimize(lines);
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(fs::file_size(log.file())));
}

BENCHMARK(BM_BareLineRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreloadAllEvents)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreloadLastStation)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreloadCurrentStation)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreloadLastEvent)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
