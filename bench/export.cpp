// "Generate Entire Cruise Event File" on a 100,000-event network event log
// whose lines carry full MET tails, beside a bare line-by-line read and write
// of the same file (std::getline over an ifstream, each line written to an
// ofstream). The export must cost at most three times the bare copy.
#include <benchmark/benchmark.h>

#include <fstream>

#include "bench/BenchLog.h"
#include "bench/BenchPlatform.h"
#include "events/CruiseExport.h"

namespace {

constexpr int kEvents = 100000;

const ruvek::bench::LogFile& TheLog() {
  static const ruvek::bench::LogFile log(kEvents);
  return log;
}

void BM_BareLineReadWrite(benchmark::State& state) {
  const auto& log = TheLog();
  const std::string copy = log.root() + "/C/DATA/copy.csv";
  for (auto _ : state) {
    std::ifstream in(log.file(), std::ios::binary);
    std::ofstream out(copy, std::ios::binary | std::ios::trunc);
    std::string line;
    while (std::getline(in, line)) out << line << '\n';
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * log.bytes());
}

// A box other than the closing "Events Only File created..." stops the run.
class ExportPlatform : public ruvek::bench::BenchPlatform {
 public:
  using BenchPlatform::BenchPlatform;
  ruvek::ui::Answer messageBox(const std::string& text, const std::string& title, ruvek::ui::Buttons b,
                               ruvek::ui::Icon icon) override {
    if (text == "Events Only File created...") return ruvek::ui::Answer::OK;
    return BenchPlatform::messageBox(text, title, b, icon);
  }
};

void BM_ExportEventsOnly(benchmark::State& state) {
  const auto& log = TheLog();
  ExportPlatform platform(log.root());
  for (auto _ : state)
    ruvek::ExportEventsOnly(platform, "C:\\DATA\\0708SREvents.csv", "C:\\DATA\\0708SREventsNOMET.csv");
  state.SetBytesProcessed(std::int64_t(state.iterations()) * log.bytes());
}

BENCHMARK(BM_BareLineReadWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportEventsOnly)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
