// ruvek-shot: opens the desktop window on a station, answers Yes to every
// question, performs the given clicks (a timer's name runs one tick of it) and
// waits in their order, and saves a picture of the main window or of the
// window named with --window.
//   ruvek-shot --root DIR --out FILE.png [--click NAME | --wait MS]... [--window NAME]
#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QPixmap>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "app/RuvekApp.h"
#include "desktop/DesktopView.h"

using namespace ruvek;

int main(int argc, char** argv) {
  std::string root, out, windowName;
  std::vector<std::pair<std::string, std::string>> actions;  // ("--click", NAME) or ("--wait", MS)
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string arg = argv[i];
    if (arg == "--root")
      root = argv[i + 1];
    else if (arg == "--out")
      out = argv[i + 1];
    else if (arg == "--window")
      windowName = argv[i + 1];
    else if (arg == "--click" || arg == "--wait")
      actions.emplace_back(arg, argv[i + 1]);
  }
  if (root.empty() || out.empty()) {
    std::cerr << "usage: ruvek-shot --root DIR --out FILE.png [--click NAME | --wait MS]... [--window NAME]\n";
    return 2;
  }
  QApplication qapp(argc, argv);
  ui::QtPlatform platform{ui::FileSystem(root)};
  platform.autoAnswer = [](const std::string&, const std::string&) { return std::optional(ui::Answer::Yes); };
  RuvekApp app(platform);
  ui::DesktopView view(app, platform);
  app.onWindowsCreated = [&] { view.build(); };
  platform.dispatch([&] { app.start(); });
  for (const auto& [action, name] : actions) {
    if (action == "--wait") {
      // The event loop runs meanwhile, so input from devices arrives.
      QElapsedTimer clock;
      clock.start();
      while (clock.elapsed() < std::stoi(name)) QApplication::processEvents(QEventLoop::AllEvents, 20);
      continue;
    }
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
  QWidget* shown = windowName.empty() ? view.mainWindow() : view.window(windowName);
  if (!shown) {
    std::cerr << "unknown window " << windowName << "\n";
    return 2;
  }
  shown->show();
  shown->adjustSize();
  QApplication::processEvents();
  if (!shown->grab().save(QString::fromStdString(out))) {
    std::cerr << "cannot write " << out << "\n";
    return 1;
  }
  return 0;
}
