#pragma once
// A station on a temporary drive folder with a scripted platform, for tests
// that call its routines directly. Message boxes take queued answers
// and are recorded as "title | text"; waits move the clock.
#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <stdexcept>

#include "core/Settings.h"
#include "ui/Platform.h"
#include "windows/Station.h"

namespace ruvek::test {

class ScriptedPlatform : public ui::Platform {
 public:
  explicit ScriptedPlatform(const std::string& root) : Platform(os::FileSystem(root)) {}
  ui::Answer messageBox(const std::string& text, const std::string& title, ui::Buttons buttons, ui::Icon) override {
    boxes.push_back(title + " | " + text);
    if (buttons == ui::Buttons::OK) return ui::Answer::OK;
    if (answers.empty()) throw std::runtime_error("unanswered message box: " + title);
    const ui::Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  std::optional<std::string> fileDialog(const std::string&) override { return std::nullopt; }
  void wait(int ms) override {
    waitedMs += ms;
    clock = clock.plusMillis(ms);
  }
  DateTime now() override { return clock; }
  bool startEditor(const std::string&) override { return true; }
  os::SerialPort& serial() override { return port; }
  void timerReset(ui::Timer&) override {}

  std::deque<ui::Answer> answers;
  std::vector<std::string> boxes;
  DateTime clock{2026, 6, 8, 3, 0, 0};
  long long waitedMs = 0;
  os::NoSerialPort port;
};

inline std::string MakeTempRoot() {
  // A new folder of a random name, made here and now (no other run has it).
  static std::mt19937_64 rng{std::random_device{}()};
  std::filesystem::path folder;
  do folder = std::filesystem::temp_directory_path() / ("ruvek-window-" + std::to_string(rng() % 1000000000));
  while (!std::filesystem::create_directory(folder));
  const std::string tmpl = folder.string();
  std::filesystem::create_directories(tmpl + "/C/RuvekGPS");
  std::filesystem::create_directories(tmpl + "/C/DATA");
  return tmpl;
}

// A temporary drive folder, removed afterwards, with a scripted platform on it
// and a station that has not been started.
class DriveFixture : public ::testing::Test {
 protected:
  DriveFixture() : root(MakeTempRoot()), platform(root), station(platform), w(station.main), st(station.state) {}
  ~DriveFixture() override {
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
  }

  void write(const std::string& winPath, const std::string& content) {
    // The drive's folder first: on Windows a drive without one is the real drive.
    std::filesystem::create_directories(root + "/" + char(std::toupper(static_cast<unsigned char>(winPath[0]))));
    const std::filesystem::path p = platform.files().hostPath(winPath);
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << content;
  }
  std::string read(const std::string& winPath) {
    std::ifstream in(platform.files().hostPath(winPath), std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }

  std::string root;
  ScriptedPlatform platform;
  Station station;
  MainWindow& w;
  StationState& st;
};

// A started NUMERIC network station: data and navigation directory C:\DATA\,
// event number file C:\DATA\EventNumber.txt, grid laid out with its headings.
class StationFixture : public DriveFixture {
 protected:
  StationFixture() {
    const std::map<int, std::string> rows = {{1, "Tesmora"},    {2, "0708SR"},          {3, "C:\\DATA\\"},
                                             {4, "C:\\DATA\\"}, {7, "EventNumber.txt"}, {8, "CurrPos.txt"},
                                             {9, "15000"},      {14, "$GPGGA"},         {15, "$GPRMC"},
                                             {16, "STANDARD"},  {19, "NUMERIC"}};
    CruiseConfig config;
    for (const auto& [n, v] : rows) config.row(n) = v;
    station.settings = DeriveSettings(config);
    w.boxes.cruise.setText("0708SR");
    LayOutEventGrid(w.eventGrid);
    st.poll.gpsSource = NavSource::Network;
  }
  std::string box() const { return w.boxes.eventNumber.text(); }
};

}  // namespace ruvek::test
