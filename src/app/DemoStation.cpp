#include "app/DemoStation.h"

#include <filesystem>

namespace ruvek {
namespace {

// "C/RuvekGPS/Watch.txt" -> "C:\RuvekGPS\Watch.txt"
std::string ProgramPath(const std::string& underRoot) {
  std::string path = underRoot.substr(0, 1) + ":" + underRoot.substr(1);
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

}  // namespace

bool OfferDemoStation(ui::Platform& platform, const std::string& configPath) {
  const os::FileSystem& fs = platform.files();
  const std::string folder = configPath.substr(0, configPath.rfind('\\') + 1);
  const auto answer = platform.ask("No configuration was found at " + configPath + " (on this computer " +
                                       fs.hostPath(configPath) + "). Set up the demo station in " + folder +
                                       " now? It brings a ready configuration, event lists and line files, and "
                                       "files already there are kept. Y/N ('No' opens the program without a "
                                       "configuration)",
                                   "Set up the demo station?", ui::Buttons::YesNo, ui::Icon::Information);
  if (answer != ui::Answer::Yes) return false;
  // Every file that can be written is: a station whose data folder cannot be
  // made still gets its configuration and lists.
  std::string failure;
  int unwritten = 0;
  for (const DemoFile& f : DemoStationFiles()) {
    const std::string path = ProgramPath(f.path);
    try {
      if (fs.exists(path)) continue;
      std::error_code ec;
      const std::filesystem::path host = fs.hostPath(path);
      std::filesystem::create_directories(host.parent_path(), ec);
      if (ec) throw os::FileError("cannot create " + host.parent_path().string() + ": " + ec.message(), path);
      fs.create(path, std::string(f.bytes));  // whole or not at all
    } catch (const os::FileError& e) {
      if (unwritten++ == 0) failure = e.what();
    }
  }
  if (unwritten > 0)
    platform.ask("Unable to set up the whole demo station: " + failure + " (" + std::to_string(unwritten) +
                     (unwritten == 1 ? " file" : " files") + " not written)",
                 "Set up the demo station?", ui::Buttons::OK, ui::Icon::Exclamation);
  return fs.exists(configPath);
}

}  // namespace ruvek
