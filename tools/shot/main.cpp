// ruvek-shot: opens the desktop window on a station, answers Yes to every
// question, performs the given clicks (a timer's name runs one tick of it) and
// saves a picture of the main window.
//   ruvek-shot --root DIR --out FILE.png [--click NAME]...
#include <QApplication>
#include <QMainWindow>
#include <QPixmap>
#include <iostream>
#include <string>
#include <vector>

#include "app/RuvekApp.h"
#include "desktop/DesktopView.h"

using namespace ruvek;

int main(int argc, char** argv) {
  std::string root, out;
  std::vector<std::string> clicks;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string arg = argv[i];
    if (arg == "--root")
      root = argv[i + 1];
    else if (arg == "--out")
      out = argv[i + 1];
    else if (arg == "--click")
      clicks.push_back(argv[i + 1]);
  }
  if (root.empty() || out.empty()) {
    std::cerr << "usage: ruvek-shot --root DIR --out FILE.png [--click NAME]...\n";
    return 2;
  }
  QApplication qapp(argc, argv);
  ui::QtPlatform platform{ui::FileSystem(root)};
  platform.autoAnswer = [](const std::string&, const std::string&) { return std::optional(ui::Answer::Yes); };
  RuvekApp app(platform);
  ui::DesktopView view(app, platform);
  app.onWindowsCreated = [&] { view.build(); };
  platform.dispatch([&] { app.start(); });
  for (const auto& name : clicks) {
    ui::Control* c = app.find(name);
    if (!c) {
      std::cerr << "unknown control " << name << "\n";
      return 2;
    }
    platform.dispatch([c] {
      if (auto* timer = dynamic_cast<ui::Timer*>(c))
        timer->tick();
      else
        c->click();
    });
  }
  view.mainWindow()->show();
  view.mainWindow()->adjustSize();
  QApplication::processEvents();
  if (!view.mainWindow()->grab().save(QString::fromStdString(out))) {
    std::cerr << "cannot write " << out << "\n";
    return 1;
  }
  return 0;
}
