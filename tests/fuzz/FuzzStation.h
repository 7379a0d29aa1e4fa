#pragma once
// A station folder for the fuzz targets that run the whole program: made once
// per process, on the memory file system /dev/shm where there is one (the
// station flushes its logs), seeded afresh for every input; and the program
// run headless on it with an operator script, `sh` disabled, output dropped.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

#include "app/RuvekApp.h"
#include "headless/HeadlessPlatform.h"
#include "headless/ScriptDriver.h"

namespace ruvek::fuzz {

class FuzzStation {
 public:
  FuzzStation() {
    namespace fs = std::filesystem;
    const fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string tmpl = (base / "ruvek-fuzz-XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) std::abort();
    root_ = tmpl;
  }
  ~FuzzStation() {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
  FuzzStation(const FuzzStation&) = delete;
  FuzzStation& operator=(const FuzzStation&) = delete;

  const std::string& root() const { return root_; }

  // A ready network station (as the end-to-end tests seed one), its logs gone;
  // `rows` change configuration rows.
  void seed(const std::map<int, std::string>& rows = {}) {
    std::error_code ec;
    std::filesystem::remove_all(root_ + "/C", ec);
    static const char* const kRows[] = {
        "Tesmora",         "0708SR",      "C:\\DATA\\", "C:\\DATA\\", "CruiseEvents.txt", "Watch.txt",
        "EventNumber.txt", "CurrPos.txt", "15000",      "NETWORK",    "NETWORK",          "1",
        "4800,n,8,1",      "$GPGGA",      "$GPRMC",     "STANDARD",   "LASTEVENT",        "CommentOpt.txt",
        "NUMERIC",         "SINGLE",      "PST"};
    std::string cfg;
    for (int n = 1; n <= 21; ++n) {
      auto it = rows.find(n);
      cfg += (it != rows.end() ? it->second : kRows[n - 1]) + std::string("\r\n");
    }
    write("C/RuvekGPS/RuvekGPS.cfg", cfg);
    write("C/RuvekGPS/CruiseEvents.txt", "Station Arrival\r\nCTD DEPLOYED\r\nCTD AT DEPTH\r\nBongo\r\n");
    write("C/RuvekGPS/Watch.txt", "ABC\r\nXYZ\r\n");
    write("C/RuvekGPS/CommentOpt.txt",
          "Station Type\r\nStandard\r\nProdo\r\nSCCOOS\r\nSea Conditions\r\nCalm\r\nModrt\r\nRough\r\n"
          "Day/Night\r\nDay\r\nNight\r\n");
    write("C/RuvekGPS/Lines.txt", "93.3\r\n90.0\r\n");
    write("C/RuvekGPS/Line93.txt", "26.7\r\n28.0\r\n");
    write("C/DATA/EventNumber.txt", "10\r\n");
    write("C/DATA/CurrPos.txt",
          "$GPGGA,183012.00,3254.0000,N,11724.0000,W,2,09,0.9,5.1,M,-35.2,M,,*5C\r\n"
          "$GPRMC,183012.00,A,3254.0000,N,11724.0000,W,10.0,240.0,070618,12.5,E,D*2E\r\n");
  }

  // `rel` below the station folder: "C/DATA/EventNumber.txt".
  void write(const std::string& rel, std::string_view content) const {
    const std::filesystem::path p = root_ + "/" + rel;
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary).write(content.data(), std::streamsize(content.size()));
  }
  std::string read(const std::string& rel) const {
    std::ifstream in(root_ + "/" + rel, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  bool exists(const std::string& rel) const { return std::filesystem::exists(root_ + "/" + rel); }

  // Runs the operator script on the station; the script's exit code.
  int run(const std::string& script) const {
    std::ostringstream out, err;
    std::istringstream in(script);
    ui::HeadlessPlatform platform(os::FileSystem(root_), out, err);
    RuvekApp app(platform);
    return ui::RunScript(in, out, err, app, platform, /*allowShell=*/false);
  }

  // Whether a temporary file of the file layer (<file>.tmp.<host>.<pid>.<16
  // hex>) is left in the station's folders. A log whose name merely holds
  // ".tmp." (a cruise designation may) is no temporary file.
  bool temporaryFileLeft() const {
    static const std::regex temporary(R"(\.tmp\.[A-Za-z0-9_-]+\.[0-9]{1,9}\.[0-9a-f]{16}$)");
    for (const char* dir : {"/C/RuvekGPS", "/C/DATA"}) {
      std::error_code ec;
      for (const auto& e : std::filesystem::directory_iterator(root_ + dir, ec))
        if (std::regex_search(e.path().filename().string(), temporary)) return true;
    }
    return false;
  }

 private:
  std::string root_;
};

}  // namespace ruvek::fuzz
