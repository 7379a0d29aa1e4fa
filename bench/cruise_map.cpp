// The cruise map and the GIS export on logs whose lines carry full MET tails:
// - the map's refresh after one more event with a 20,000-event log, which must
//   stay within a frame (16 ms): the new row is read, the picture redrawn;
// - the export of 100,000 events as GeoJSON and as KML (read, convert, written
//   whole and flushed), each within three times a bare line read of the log
//   (std::getline over an ifstream).
#include <benchmark/benchmark.h>

#include <fstream>

#include "bench/BenchLog.h"
#include "bench/BenchPlatform.h"
#include "core/Settings.h"
#include "map/CruiseMap.h"
#include "map/GisExport.h"
#include "windows/Station.h"

namespace {

const ruvek::bench::LogFile& BigLog() {
  static const ruvek::bench::LogFile log(100000);
  return log;
}

void BM_BareLineRead(benchmark::State& state) {
  const auto& log = BigLog();
  for (auto _ : state) benchmark::DoNotOptimize(log.countLines());
  state.SetBytesProcessed(std::int64_t(state.iterations()) * log.bytes());
}

// Only the closing message of the export is expected.
class ExportPlatform : public ruvek::bench::BenchPlatform {
 public:
  using BenchPlatform::BenchPlatform;
  ruvek::ui::Answer messageBox(const std::string& text, const std::string& title, ruvek::ui::Buttons b,
                               ruvek::ui::Icon icon) override {
    if (text.rfind("100000 events written to ", 0) == 0) return ruvek::ui::Answer::OK;
    return BenchPlatform::messageBox(text, title, b, icon);
  }
};

void BM_ExportGis(benchmark::State& state, const char* file) {
  const auto& log = BigLog();
  ExportPlatform platform(log.root());
  for (auto _ : state) ruvek::ExportEventsForGis(platform, "C:\\DATA\\0708SREvents.csv", file, "0708SR");
  state.SetBytesProcessed(std::int64_t(state.iterations()) * log.bytes());
}

void BM_MapRefreshAfterOneEvent(benchmark::State& state) {
  const ruvek::bench::LogFile log(20000);
  ruvek::bench::BenchPlatform platform(log.root());
  ruvek::Station station(platform);
  ruvek::CruiseConfig config;
  config.row(2) = "0708SR";
  config.row(3) = "C:\\DATA\\";
  station.settings = ruvek::DeriveSettings(config);
  station.main.boxes.cruise.setText("0708SR");
  ruvek::OpenCruiseMap(station);
  int n = 20000;
  for (auto _ : state) {
    platform.files().append("C:\\DATA\\0708SREvents.csv", ruvek::bench::LogLine(++n));
    ruvek::RefreshCruiseMap(station);
    benchmark::DoNotOptimize(station.cruiseMap.map.drawing.shapes.size());
  }
  if (station.cruiseMap.status.caption.rfind(std::to_string(n) + " events", 0) != 0)
    state.SkipWithError(("the map shows " + station.cruiseMap.status.caption).c_str());
}

BENCHMARK(BM_BareLineRead)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExportGis, GeoJson, "C:\\DATA\\0708SR.geojson")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ExportGis, Kml, "C:\\DATA\\0708SR.kml")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapRefreshAfterOneEvent)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
