// One collection tick of the GPS window: five seconds of a 9600-baud receiver
// waiting on the port (about 4,800 characters, 60 lines of GGA and RMC), split
// into the display and written to the current position file in TMPDIR (so
// TMPDIR=/dev/shm leaves the disk out); and the splitting and sentence search
// alone, without the port and the file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "bench/BenchPlatform.h"
#include "core/Settings.h"
#include "nav/GpsCollect.h"
#include "nav/GpsSettings.h"
#include "windows/Station.h"

namespace {

// A port on which the same text is always waiting.
class BusyPort : public ruvek::os::SerialPort {
 public:
  explicit BusyPort(std::string text) : text_(std::move(text)) {}
  ruvek::os::PortOpened open(int, const std::string&) override {
    open_ = true;
    return {ruvek::os::PortOpened::Opened, {}};
  }
  void close() override { open_ = false; }
  bool isOpen() const override { return open_; }
  std::string readAll() override { return text_; }

 private:
  std::string text_;
  bool open_ = false;
};

class GpsBenchPlatform : public ruvek::bench::BenchPlatform {
 public:
  GpsBenchPlatform(const std::string& root, std::string waiting) : BenchPlatform(root), port_(std::move(waiting)) {}
  ruvek::os::SerialPort& serial() override { return port_; }

 private:
  BusyPort port_;
};

// Thirty GGA and RMC pairs, 60 lines of about 80 characters: what a 9600-baud
// line (960 characters a second) carries in five seconds.
std::string FiveSecondsAt9600() {
  std::string text;
  for (int second = 0; second < 30; ++second) {
    char gga[128], rmc[128];
    std::snprintf(gga, sizeof gga,
                  "$GPGGA,1830%02d.00,3252.1234,N,11714.5678,W,2,09,0.9,5.1,M,-35.2,M,0000,0000*55\r\n", second);
    std::snprintf(rmc, sizeof rmc, "$GPRMC,1830%02d.00,A,3252.1234,N,11714.5678,W,10.2,240.0,080626,12.5,E,D*73\r\n",
                  second);
    text += std::string(gga) + rmc;
  }
  return text;
}

void BM_GpsCollectionTick(benchmark::State& state) {
  std::string root = (std::filesystem::temp_directory_path() / "ruvek-bench-XXXXXX").string();
  if (!::mkdtemp(root.data())) throw std::runtime_error("mkdtemp failed");
  std::filesystem::create_directories(root + "/C/DATA");
  const std::string waiting = FiveSecondsAt9600();
  GpsBenchPlatform platform(root, waiting);
  ruvek::Station station(platform);
  const std::pair<int, const char*> rows[] = {{3, "C:\\DATA\\"}, {4, "C:\\DATA\\"}, {8, "CurrPos.txt"},
                                              {11, "GPS"},       {12, "1"},         {13, "9600,n,8,1"},
                                              {14, "$GPGGA"},    {15, "$GPRMC"}};
  ruvek::CruiseConfig config;
  for (const auto& [n, v] : rows) config.row(n) = v;
  station.settings = ruvek::DeriveSettings(config);
  ruvek::FillGpsWindow(station);
  ruvek::StartOrStopGpsInput(station);

  for (auto _ : state) {
    ruvek::CollectGpsInput(station);
    benchmark::DoNotOptimize(station.gps.display.text().size());
  }
  state.counters["chars"] = double(waiting.size());
  if (!station.state.poll.gpsInput.portRunning || station.gps.display.text().size() != ruvek::kDisplayLimit ||
      !platform.files().exists("C:\\DATA\\CurrPos.txt"))
    state.SkipWithError("tick gave a wrong result");
  std::error_code ec;
  std::filesystem::remove_all(root, ec);
}
BENCHMARK(BM_GpsCollectionTick)->Unit(benchmark::kMicrosecond);

void BM_GpsParseInput(benchmark::State& state) {
  const std::string waiting = FiveSecondsAt9600();
  std::string display;
  for (auto _ : state) {
    std::string buffer = waiting;
    benchmark::DoNotOptimize(ruvek::ParseInput(buffer, display, "$GPGGA", "$GPRMC"));
  }
}
BENCHMARK(BM_GpsParseInput)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
