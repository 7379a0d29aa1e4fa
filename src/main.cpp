// ruvek: the desktop window, or with --headless the operator-script driver.
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#include "app/RuvekApp.h"
#include "headless/HeadlessPlatform.h"
#include "headless/ScriptDriver.h"

#ifdef RUVEK_HAVE_QT
#include "desktop/DesktopView.h"
#endif

namespace {

std::string DefaultRoot() {
  if (const char* root = std::getenv("RUVEK_ROOT"); root && *root) return root;
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) return std::string(data) + "/ruvek";
  if (const char* home = std::getenv("HOME"); home && *home) return std::string(home) + "/.local/share/ruvek";
  return ".";
}

int Usage() {
  std::cerr << "usage: ruvek [--root DIR] [--headless [--script FILE]]\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  bool headless = false;
  std::string script, root = DefaultRoot();
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--headless") {
      headless = true;
    } else if (arg == "--script" && i + 1 < argc) {
      script = argv[++i];
    } else if (arg == "--root" && i + 1 < argc) {
      root = argv[++i];
    } else {
      return Usage();
    }
  }
  ::setenv("RUVEK_ROOT", root.c_str(), 1);

  if (headless) {
    ruvek::ui::HeadlessPlatform platform(ruvek::ui::FileSystem(root), std::cout, std::cerr);
    ruvek::RuvekApp app(platform);
    if (script.empty()) return ruvek::ui::RunScript(std::cin, std::cout, std::cerr, app, platform);
    std::ifstream in(script);
    if (!in) {
      std::cerr << "ERROR cannot read script " << script << "\n";
      return 2;
    }
    return ruvek::ui::RunScript(in, std::cout, std::cerr, app, platform);
  }
#ifdef RUVEK_HAVE_QT
  return ruvek::ui::RunDesktop(argc, argv, root);
#else
  std::cerr << "ruvek was built without the desktop window; use --headless\n";
  return 2;
#endif
}
