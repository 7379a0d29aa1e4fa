#pragma once
// The machine for a benchmark: the clock moves only with the program's waits,
// nothing is shown, and a message box is either an error (a benchmark on good
// files asks nothing) or answered Yes.
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "ui/Platform.h"

namespace ruvek::bench {

class BenchPlatform : public ui::Platform {
 public:
  explicit BenchPlatform(const std::string& root, bool answerYes = false)
      : Platform(os::FileSystem(root)), answerYes_(answerYes) {}
  ui::Answer messageBox(const std::string& text, const std::string&, ui::Buttons b, ui::Icon) override {
    if (!answerYes_) throw std::runtime_error("unexpected message box: " + text);
    return b == ui::Buttons::OK ? ui::Answer::OK : ui::Answer::Yes;
  }
  std::optional<std::string> fileDialog(const std::string&) override { return std::nullopt; }
  void wait(int ms) override { clock_ = clock_.plusMillis(ms); }
  DateTime now() override { return clock_; }
  bool startEditor(const std::string&) override { return true; }
  os::SerialPort& serial() override { return port_; }
  void timerReset(ui::Timer&) override {}

 private:
  bool answerYes_;
  os::NoSerialPort port_;
  DateTime clock_{2026, 6, 8, 3, 0, 0};
};

inline void Write(const std::string& path, const std::string& text) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

}  // namespace ruvek::bench
