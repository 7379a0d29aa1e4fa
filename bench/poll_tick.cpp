// One navigation poll tick of a started station on the local disk: the position
// file with a GGA and an RMC sentence, the event number file, the line and
// station calculation and the station list of the standard line.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "bench/BenchPlatform.h"
#include "core/Settings.h"
#include "nav/PollCycle.h"
#include "windows/Station.h"

namespace {

using ruvek::bench::BenchPlatform;
using ruvek::bench::Write;

void BM_PollTick(benchmark::State& state) {
  std::string root = (std::filesystem::temp_directory_path() / "ruvek-bench-XXXXXX").string();
  if (!::mkdtemp(root.data())) throw std::runtime_error("mkdtemp failed");
  Write(root + "/C/DATA/CurrPos.txt",
        "$GPGGA,183012.00,3254.0000,N,11724.0000,W,2,09,0.9,5.1,M,-35.2,M,,*58\r\n"
        "$GPRMC,183012.00,A,3254.0000,N,11724.0000,W,10.0,240.0,070618,12.5,E,D*23\r\n");
  Write(root + "/C/DATA/EventNumber.txt", "10\r\n");
  Write(root + "/C/RuvekGPS/Line93.txt", "26.7\r\n28.0\r\n30.0\r\n35.0\r\n40.0\r\n");

  BenchPlatform platform(root);
  ruvek::Station station(platform);
  ruvek::MainWindow& w = station.main;
  const std::pair<int, const char*> rows[] = {
      {2, "0708SR"},  {3, "C:\\DATA\\"}, {4, "C:\\DATA\\"}, {7, "EventNumber.txt"}, {8, "CurrPos.txt"}, {9, "15000"},
      {14, "$GPGGA"}, {15, "$GPRMC"},    {16, "STANDARD"},  {19, "NUMERIC"},        {21, "PST"}};
  ruvek::CruiseConfig config;
  for (const auto& [n, v] : rows) config.row(n) = v;
  station.settings = ruvek::DeriveSettings(config);
  w.eventGrid.resize(ruvek::kGridRows, ruvek::kGridCols);
  station.state.poll.gpsSource = ruvek::NavSource::Network;
  ruvek::SetRecording(station.state, w.buttons, ruvek::Recording::Ready);
  w.menus.autoFill.checked = true;
  w.clockOptions.option(ruvek::PcClock::Pst).setValue(true);
  w.boxes.eventNumber.setText("11");

  for (auto _ : state) {
    ruvek::PollTick(station);
    benchmark::DoNotOptimize(station.state.poll.nav.stndSta);
  }
  if (station.state.poll.nav.stndSta != "28.0" || w.boxes.eventNumber.text() != "11")
    state.SkipWithError("tick gave a wrong result");
  std::error_code ec;
  std::filesystem::remove_all(root, ec);
}
BENCHMARK(BM_PollTick)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
