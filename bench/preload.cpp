// The start-up preload of a 20,000-event network event log whose lines carry
// full MET tails, in each mode, beside a bare line-by-line read of the same
// file (std::getline over an ifstream).
#include <benchmark/benchmark.h>

#include <fstream>

#include "bench/BenchLog.h"
#include "bench/BenchPlatform.h"
#include "logview/EventGrid.h"
#include "windows/Station.h"

namespace {

using ruvek::bench::BenchPlatform;

constexpr int kEvents = 20000;

const ruvek::bench::LogFile& TheLog() {
  static const ruvek::bench::LogFile log(kEvents);
  return log;
}

void Preload(benchmark::State& state, ruvek::PreloadMode mode) {
  const auto& log = TheLog();
  BenchPlatform platform(log.root());
  ruvek::Station station(platform);
  ruvek::ui::Grid& grid = station.main.eventGrid;
  grid.resize(ruvek::kGridRows, ruvek::kGridCols);
  const ruvek::PreloadSource source{"C:\\DATA\\0708SREvents.csv", mode, "93.3", "1999.0"};
  for (auto _ : state) {
    ruvek::PreloadEventLog(platform.files(), source, station.main.eventRows, station.state.numbers);
    benchmark::DoNotOptimize(station.main.eventRows.next());
  }
  state.counters["rows"] = station.main.eventRows.next() - 1;
  state.SetBytesProcessed(std::int64_t(state.iterations()) * log.bytes());
}

void BM_PreloadAllEvents(benchmark::State& s) { Preload(s, ruvek::PreloadMode::AllEvents); }
void BM_PreloadLastStation(benchmark::State& s) { Preload(s, ruvek::PreloadMode::LastSta); }
void BM_PreloadCurrentStation(benchmark::State& s) { Preload(s, ruvek::PreloadMode::CurrentSta); }
void BM_PreloadLastEvent(benchmark::State& s) { Preload(s, ruvek::PreloadMode::LastEvent); }

void BM_BareLineRead(benchmark::State& state) {
  const auto& log = TheLog();
  for (auto _ : state) benchmark::DoNotOptimize(log.countLines());
  state.SetBytesProcessed(std::int64_t(state.iterations()) * log.bytes());
}

BENCHMARK(BM_BareLineRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreloadAllEvents)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreloadLastStation)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreloadCurrentStation)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreloadLastEvent)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
