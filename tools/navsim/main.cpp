// ruvek-navsim: keeps a current position file up to date the way a ship's
// underway data system does, for trying the logger without a ship. Each update
// writes the whole file to a temporary file beside it and renames it over the
// old one, so a reader never sees half a file. Instead or besides, it plays a
// GPS receiver on a pseudo-terminal (sentences at the pace of a serial line)
// and sends the datagrams of the UDP navigation source.
#include <algorithm>
#include <atomic>
#include <charconv>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <string_view>
#include <thread>

#include "NavSentences.h"
#include "Outputs.h"
#include "grid/LineStation.h"

namespace {

using namespace ruvek::navsim;

struct Options {
  std::string file;
  Layout layout = Layout::GgaRmc;
  double lat = 32.9;
  double lon = -117.4;
  double course = 240;
  double speed = 10;
  long long intervalMs = 1000;
  long long dropPrimaryEvery = 0;
  long long junkEvery = 0;
  long long pauseAfter = 0;
  long long count = 0;
  double localOffsetHours = 0;
  bool haveStart = false;
  ClockTime start;
  bool quiet = false;
  std::string talker = "GP";
  Quadrant quadrant;
  bool noFix = false;
  bool pty = false;
  long long baud = 4800;
  std::string udp;
};

const char* const kUsage =
    "usage: ruvek-navsim [--file PATH] [--pty] [--udp HOST:PORT] [options]\n"
    "outputs (at least one, any together):\n"
    "  --file PATH               keep the current position file PATH up to date\n"
    "  --pty                     play a GPS receiver on a pseudo-terminal: print the path of its\n"
    "                            device on one line, then write GGA and RMC sentences (CR LF) there\n"
    "  --udp HOST:PORT           send one datagram per update to HOST:PORT, as the UDP navigation\n"
    "                            source reads it: UDP,DD-Mon-YYYY,HH:MM:SS,LAT,LON,\n"
    "options:\n"
    "  --layout gga+rmc|rmc|met  file layout (default gga+rmc); rmc also sends only RMC to the pty\n"
    "  --lat DEG --lon DEG       start position, north and east positive (default 32.9 -117.4)\n"
    "  --course DEG              course over ground, degrees true (default 240)\n"
    "  --speed KNOTS             speed over ground (default 10)\n"
    "  --interval MS             milliseconds between updates (default 1000; 0 = no wait)\n"
    "  --start \"YYYY-MM-DD HH:MM:SS\"  simulated UTC clock start (default: the real clock)\n"
    "  --local-offset HOURS      local time of the MET record and the datagram = UTC + HOURS\n"
    "                            (default 0)\n"
    "  --talker XX               talker of the NMEA sentences, any two letters (default GP)\n"
    "  --hemisphere NW|NE|SW|SE  mirror the track into that quadrant, so the ship moves there\n"
    "                            (default: the signs of --lat and --lon)\n"
    "  --no-fix                  a receiver without a fix: GGA quality 0, RMC status V, empty\n"
    "                            position fields (and no position in a MET record or datagram)\n"
    "  --baud N                  pace of the pty, characters per second = N / 10 (default 4800)\n"
    "  --drop-primary N          leave out the primary sentence (GGA; RMC when alone; the\n"
    "                            position items of a MET record) every Nth update, 1 = always;\n"
    "                            the pty leaves out its GGA alike\n"
    "  --junk N                  write garbage instead of the file every Nth update\n"
    "  --pause-after N           stop updating after N updates but keep running\n"
    "  --count N                 exit after N updates\n"
    "  --quiet                   print nothing per update\n";

std::atomic<bool> gStop{false};

void OnSignal(int) { gStop = true; }

bool ParseDouble(std::string_view text, double& out) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
  return error == std::errc() && end == text.data() + text.size() && std::isfinite(out);
}

bool ParseCount(std::string_view text, long long& out) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
  return error == std::errc() && end == text.data() + text.size() && out >= 0;
}

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool ParseTalker(std::string_view text, std::string& out) {
  if (text.size() != 2 || !IsLetter(text[0]) || !IsLetter(text[1])) return false;
  out = {Upper(text[0]), Upper(text[1])};
  return true;
}

bool ParseQuadrant(std::string_view text, Quadrant& out) {
  if (text.size() != 2) return false;
  const char lat = Upper(text[0]);
  const char lon = Upper(text[1]);
  if ((lat != 'N' && lat != 'S') || (lon != 'E' && lon != 'W')) return false;
  out = {lat, lon};
  return true;
}

bool ParseLayout(std::string_view text, Layout& out) {
  if (text == "gga+rmc")
    out = Layout::GgaRmc;
  else if (text == "rmc")
    out = Layout::Rmc;
  else if (text == "met")
    out = Layout::Met;
  else
    return false;
  return true;
}

// Fills options from the command line; prints why and returns false on a mistake.
bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view name = argv[i];
    bool* const flag = name == "--quiet"    ? &options.quiet
                       : name == "--no-fix" ? &options.noFix
                       : name == "--pty"    ? &options.pty
                                            : nullptr;
    if (flag) {
      *flag = true;
      continue;
    }
    if (name == "--help" || name == "-h") {
      std::cout << kUsage;
      std::exit(0);
    }
    if (i + 1 >= argc) {
      std::cerr << "ruvek-navsim: " << name << " needs a value\n" << kUsage;
      return false;
    }
    const std::string_view value = argv[++i];
    bool ok = true;
    if (name == "--file")
      options.file = value, ok = !value.empty();
    else if (name == "--layout")
      ok = ParseLayout(value, options.layout);
    else if (name == "--lat")
      ok = ParseDouble(value, options.lat) && std::fabs(options.lat) < 90;
    else if (name == "--lon")
      ok = ParseDouble(value, options.lon) && std::fabs(options.lon) <= 180;
    else if (name == "--course")
      ok = ParseDouble(value, options.course);
    else if (name == "--speed")
      ok = ParseDouble(value, options.speed) && options.speed >= 0;
    else if (name == "--interval")
      ok = ParseCount(value, options.intervalMs);
    else if (name == "--local-offset")
      ok = ParseDouble(value, options.localOffsetHours) && std::fabs(options.localOffsetHours) <= 14;
    else if (name == "--drop-primary")
      ok = ParseCount(value, options.dropPrimaryEvery);
    else if (name == "--junk")
      ok = ParseCount(value, options.junkEvery);
    else if (name == "--pause-after")
      ok = ParseCount(value, options.pauseAfter);
    else if (name == "--count")
      ok = ParseCount(value, options.count);
    else if (name == "--start")
      ok = options.haveStart = ParseClock(std::string(value), options.start);
    else if (name == "--talker")
      ok = ParseTalker(value, options.talker);
    else if (name == "--hemisphere")
      ok = ParseQuadrant(value, options.quadrant);
    else if (name == "--baud")
      ok = ParseCount(value, options.baud) && options.baud >= 10;
    else if (name == "--udp")
      options.udp = value, ok = !value.empty();
    else {
      std::cerr << "ruvek-navsim: unknown option " << name << "\n" << kUsage;
      return false;
    }
    if (!ok) {
      std::cerr << "ruvek-navsim: bad value for " << name << ": " << value << "\n";
      return false;
    }
  }
  if (options.file.empty() && !options.pty && options.udp.empty()) {
    std::cerr << "ruvek-navsim: give at least one of --file, --pty and --udp\n" << kUsage;
    return false;
  }
  return true;
}

bool EveryNth(long long every, long long update) { return every > 0 && update % every == 0; }

// Garbage of four kinds in turn: random bytes (NULs included), a sentence cut in
// half, more lines than a position file may hold, and one very long line.
std::string JunkText(long long junkNumber, const std::string& goodText) {
  std::mt19937 random(static_cast<std::uint32_t>(junkNumber));
  switch (junkNumber % 4) {
    case 0: {
      std::string bytes(200 + random() % 800, '\0');
      for (char& c : bytes) c = static_cast<char>(random() & 0xff);
      return bytes;
    }
    case 1: return goodText.substr(0, goodText.size() / 2);
    case 2: {
      std::string lines;
      for (int i = 0; i < 25; ++i) lines += goodText;
      return lines;
    }
    default: return std::string(70 * 1024, ',') + "\r\n";
  }
}

// Writes the text beside the file and renames it over the file.
bool ReplaceFile(const std::string& path, const std::string& text) {
  const std::string temp = path + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!out.good()) return false;
  }
  std::error_code error;
  std::filesystem::rename(temp, path, error);
  return !error;
}

// Sleeps until the time, waking early when the program is told to stop.
void SleepUntil(std::chrono::steady_clock::time_point until) {
  while (!gStop && std::chrono::steady_clock::now() < until) {
    std::this_thread::sleep_until(std::min(until, std::chrono::steady_clock::now() + std::chrono::milliseconds(100)));
  }
}

std::int64_t NowMillis() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

// One line per update; the survey-grid line and station only north and west,
// where the grid is defined.
void Report(long long update, const Fix& fix, const char* what) {
  std::string grid;
  if (fix.position.lat > 0 && fix.position.lon < 0) {
    const ruvek::LineStation calc =
        ruvek::CalcLineSta(static_cast<float>(fix.position.lat), static_cast<float>(fix.position.lon));
    grid = " line " + calc.line + " sta " + calc.sta;
  }
  std::printf("update %lld %04d-%02d-%02d %02d:%02d:%02d %.5f %.5f%s%s\n", update, fix.utc.year, fix.utc.month,
              fix.utc.day, fix.utc.hour, fix.utc.minute, fix.utc.second, fix.position.lat, fix.position.lon,
              grid.c_str(), what);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) return 2;
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);

  std::string error;
  UdpOutput udp;
  if (!options.udp.empty() && !udp.open(options.udp, error)) {
    std::cerr << "ruvek-navsim: --udp " << options.udp << ": " << error << "\n";
    return 2;
  }
  PtyOutput pty;
  if (options.pty) {
    if (!pty.open(error)) {
      std::cerr << "ruvek-navsim: no pseudo-terminal: " << error << "\n";
      return 3;
    }
    std::printf("%s\n", pty.slavePath().c_str());
    std::fflush(stdout);
  }
  // The serial line carries NMEA sentences whatever the file's layout.
  const Layout serialLayout = options.layout == Layout::Met ? Layout::GgaRmc : options.layout;

  const std::int64_t startMillis = options.haveStart ? MillisFromClock(options.start) : NowMillis();
  const auto startSteady = std::chrono::steady_clock::now();
  const auto localOffsetMs = static_cast<std::int64_t>(options.localOffsetHours * 3600000);
  long long junkWritten = 0;

  for (long long update = 1; !gStop; ++update) {
    if (options.count > 0 && update > options.count) break;
    if (options.pauseAfter > 0 && update > options.pauseAfter) {
      // The outputs are left to go stale, as when the underway system stops.
      while (!gStop) std::this_thread::sleep_for(std::chrono::milliseconds(200));
      break;
    }
    const std::int64_t elapsedMs = (update - 1) * options.intervalMs;
    Fix fix;
    fix.position = DeadReckon({options.lat, options.lon}, options.course, options.speed,
                              static_cast<double>(elapsedMs) / 3600000.0);
    fix.courseDeg = options.course;
    fix.speedKnots = options.speed;
    fix.utc = ClockFromMillis(startMillis + elapsedMs);
    fix.local = ClockFromMillis(startMillis + elapsedMs + localOffsetMs);
    fix.talker = options.talker;
    fix.hasFix = !options.noFix;
    MirrorInto(fix, options.quadrant);

    const bool dropPrimary = EveryNth(options.dropPrimaryEvery, update);
    std::string what = options.noFix ? " (no fix)" : "";
    if (dropPrimary) what += " (primary dropped)";
    bool written = true;
    if (!options.file.empty()) {
      std::string text = PositionFileText(options.layout, fix, dropPrimary);
      if (EveryNth(options.junkEvery, update)) {
        text = JunkText(junkWritten++, text);
        what = " (junk)";
      }
      written = ReplaceFile(options.file, text);
      if (!written) std::cerr << "ruvek-navsim: cannot write " << options.file << "\n";
    }
    if (!options.udp.empty() && !udp.send(DatagramText(fix))) {
      std::cerr << "ruvek-navsim: cannot send to " << options.udp << "\n";
    }
    if (written && !options.quiet) Report(update, fix, what.c_str());
    if (options.pty) pty.writePaced(PositionFileText(serialLayout, fix, dropPrimary), options.baud, gStop);
    if (options.count > 0 && update == options.count) break;
    SleepUntil(startSteady + std::chrono::milliseconds(update * options.intervalMs));
  }
  return 0;
}
