#pragma once
// A network event log for the benchmarks: `events` lines, each the record, the
// raw GGA line and all 201 MET items, ten events a station, in a temporary
// drive folder that goes with the object.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace ruvek::bench {

// The log line of event n, with its CR LF.
inline std::string LogLine(int n) {
  const int station = n / 10;
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

class LogFile {
 public:
  explicit LogFile(int events) {
    root_ = (std::filesystem::temp_directory_path() / "ruvek-bench-XXXXXX").string();
    if (!::mkdtemp(root_.data())) throw std::runtime_error("mkdtemp failed");
    std::filesystem::create_directories(root_ + "/C/DATA");
    std::ofstream out(file(), std::ios::binary);
    for (int n = 1; n <= events; ++n) out << LogLine(n);
  }
  ~LogFile() {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
  LogFile(const LogFile&) = delete;
  LogFile& operator=(const LogFile&) = delete;

  // The drive folder, and the log as a host path; the program names it
  // "C:\DATA\0708SREvents.csv".
  const std::string& root() const { return root_; }
  std::string file() const { return root_ + "/C/DATA/0708SREvents.csv"; }
  std::int64_t bytes() const { return std::int64_t(std::filesystem::file_size(file())); }
  // The yardstick beside a reader: the log's lines read with the standard
  // library and counted.
  std::size_t countLines() const {
    std::ifstream in(file(), std::ios::binary);
    std::string line;
    std::size_t lines = 0;
    while (std::getline(in, line)) ++lines;
    return lines;
  }

 private:
  std::string root_;
};

}  // namespace ruvek::bench
