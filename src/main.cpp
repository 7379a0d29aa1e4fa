// ruvek: the desktop window, or with --headless the operator-script driver.
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "app/RuvekApp.h"
#include "headless/HeadlessPlatform.h"
#include "headless/ScriptDriver.h"
#include "os/InstanceLock.h"
#include "os/Os.h"
#include "ruvek_version.h"

#ifdef RUVEK_HAVE_QT
#include "desktop/DesktopView.h"
#endif

namespace {

std::string DefaultRoot() {
  if (const char* root = std::getenv("RUVEK_ROOT"); root && *root) return root;
  return ruvek::os::DefaultDriveRoot();
}

int Usage() {
  std::cerr << "usage: ruvek [--root DIR] [--headless [--script FILE]]   (ruvek --help tells more)\n";
  return 2;
}

int Help() {
  std::cout << "usage: ruvek [--root DIR] [--headless [--script FILE]]\n"
               "       ruvek --help | --version\n"
               "\n"
               "Ruvek Event Log, a shipboard cruise event logger. Without --headless it opens the\n"
               "desktop window.\n"
               "\n"
               "Options:\n"
               "  --root DIR       the folder that stands for the drive letters: the file the program\n"
               "                   names C:\\RuvekGPS\\RuvekGPS.cfg is DIR/C/RuvekGPS/RuvekGPS.cfg\n"
               "                   (wins over RUVEK_ROOT)\n"
               "  --headless       run without a window, driven by an operator script; every message\n"
               "                   box, file dialog and editor start prints one line\n"
               "  --script FILE    the operator script of --headless (default: standard input)\n"
               "  --help           print this help and exit\n"
               "  --version        print the version and exit\n"
               "\n"
               "Environment:\n"
               "  RUVEK_ROOT       the drive folder when --root is not given; default\n"
               "                   $XDG_DATA_HOME/ruvek, else $HOME/.local/share/ruvek; on Windows\n"
               "                   the drive letters are the real drives unless one is given\n"
               "  RUVEK_COMN       the device of serial port N (RUVEK_COM1=/dev/ttyUSB0); default\n"
               "                   /dev/ttyS<N-1> (COM<N> on Windows)\n"
               "  VISUAL, EDITOR   the text editor for \"Edit Line or Sta Files\" (default xdg-open)\n"
               "  DISPLAY, WAYLAND_DISPLAY, QT_QPA_PLATFORM\n"
               "                   the display the desktop window opens on; without any of them\n"
               "                   only --headless runs\n"
               "\n"
               "Files (under the drive folder):\n"
               "  C/RuvekGPS/RuvekGPS.cfg   the station's configuration (C:\\RuvekGPS\\RuvekGPS.cfg);\n"
               "                            when it is missing the program offers to set up the\n"
               "                            demo station\n"
               "  C/RuvekGPS/               the program folder: event lists, initials, comment\n"
               "                            options, line and station files, the local logs\n"
               "  the data folder of configuration row 3: the shared event logs and event number\n"
               "\n"
               "Exit status: 0 when the program ended, 1 without a display, 2 for a bad command\n"
               "line or script, 3 for an unanswered message box in a script, 4 when another copy\n"
               "already runs on the same program folder (C/RuvekGPS/RuvekEventLog.lock).\n";
  return 0;
}

#ifdef RUVEK_HAVE_QT
// The desktop window needs a display; Qt would otherwise abort with a
// plugin message. A platform Qt is told to use (QT_QPA_PLATFORM) is one,
// except the X11 and Wayland ones, which need their own display.
bool HasDisplay() {
  const auto set = [](const char* var) {
    const char* value = std::getenv(var);
    return value && *value;
  };
  const std::string platform = set("QT_QPA_PLATFORM") ? std::getenv("QT_QPA_PLATFORM") : "";
  if (platform.rfind("xcb", 0) == 0) return set("DISPLAY");
  if (platform.rfind("wayland", 0) == 0) return set("WAYLAND_DISPLAY");
  return !platform.empty() || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

#endif

const char* kProgramFolder = "C:\\RuvekGPS\\";
const char* kAlreadyRunning = "Ruvek Event Log is already running on this computer";

// ", held by process 4711 since 2026-06-08 03:00:00" from the lock's line.
std::string HolderText(const std::string& line) {
  std::vector<std::string> f(1);
  for (char c : line) {
    if (c == ',')
      f.emplace_back();
    else if (c != '\r' && c != '\n')
      f.back() += c;
  }
  if (f.size() < 3) return "";
  return ", held by process " + f[1] + " of " + f[0] + " since " + f[2].substr(0, 19) + " UTC";
}

}  // namespace

int main(int argc, char** argv) {
  // Scripts, their output and the help carry their line ends as written.
  ruvek::os::UseBinaryStandardStreams();
  bool headless = false;
  std::string script, root = DefaultRoot();
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      return Help();
    } else if (arg == "--version") {
      std::cout << "ruvek " << RUVEK_VERSION << "\n";
      return 0;
    } else if (arg == "--headless") {
      headless = true;
    } else if (arg == "--script" && i + 1 < argc) {
      script = argv[++i];
    } else if (arg == "--root" && i + 1 < argc) {
      root = argv[++i];
    } else {
      return Usage();
    }
  }
  ruvek::os::SetEnvironment("RUVEK_ROOT", root);

  // Held until the program ends: a second copy would write the same local logs.
  ruvek::os::InstanceLock instance(ruvek::os::FileSystem(root), kProgramFolder);
  const bool alone = instance.acquire();
  if (!alone) {
    std::cerr << "ruvek: " << kAlreadyRunning << " (" << kProgramFolder << ruvek::os::kInstanceLockName
              << HolderText(instance.holder()) << ")\n";
    if (headless) return 4;
  }

  if (headless) {
    ruvek::ui::HeadlessPlatform platform(ruvek::os::FileSystem(root), std::cout, std::cerr);
    ruvek::RuvekApp app(platform);
    if (script.empty()) return ruvek::ui::RunScript(std::cin, std::cout, std::cerr, app, platform);
    std::ifstream in(script, std::ios::binary);
    if (!in) {
      std::cerr << "ERROR cannot read script " << script << "\n";
      return 2;
    }
    return ruvek::ui::RunScript(in, std::cout, std::cerr, app, platform);
  }
#ifdef RUVEK_HAVE_QT
  if (!HasDisplay()) {
    std::cerr << "ruvek: no display for the window (DISPLAY, WAYLAND_DISPLAY, QT_QPA_PLATFORM): run it in a "
                 "desktop session, or use --headless to run an operator script\n";
    return 1;
  }
  if (!alone) return ruvek::ui::TellAlreadyRunning(argc, argv, root, kAlreadyRunning);
  return ruvek::ui::RunDesktop(argc, argv, root);
#else
  std::cerr << "ruvek: built without the desktop window: use --headless to run an operator script\n";
  return 1;
#endif
}
