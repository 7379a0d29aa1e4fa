// ruvek-shot: opens the desktop window on a station, answers Yes to every
// question, performs the given actions in their order (a click, where a
// timer's name runs one tick of it; text typed into a control; a control
// losing the focus; a wait) and saves a picture of the main window or of the
// window named with --window.
//   ruvek-shot --root DIR --out FILE.png [--click NAME | --type NAME=TEXT | --blur NAME | --wait MS]...
//              [--window NAME]
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
  std::vector<std::pair<std::string, std::string>> actions;  // ("--click", NAME), ("--type", NAME=TEXT), ...
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string arg = argv[i];
    if (arg == "--root")
      root = argv[i + 1];
    else if (arg == "--out")
      out = argv[i + 1];
    else if (arg == "--window")
      windowName = argv[i + 1];
    else if (arg == "--click" || arg == "--type" || arg == "--blur" || arg == "--wait")
      actions.emplace_back(arg, argv[i + 1]);
  }
  if (root.empty() || out.empty()) {
    std::cerr << "usage: ruvek-shot --root DIR --out FILE.png [--click NAME | --type NAME=TEXT | --blur NAME | "
                 "--wait MS]... [--window NAME]\n";
    return 2;
  }
  QApplication qapp(argc, argv);
  ui::QtPlatform platform{os::FileSystem(root)};
  platform.autoAnswer = [](const std::string&, const std::string&) { return std::optional(ui::Answer::Yes); };
  RuvekApp app(platform);
  ui::DesktopView view(app, platform);
  app.onWindowsCreated = [&] { view.build(); };
  platform.dispatch([&] { app.start(); });
  for (const auto& [action, arg] : actions) {
    if (action == "--wait") {
      // The event loop runs meanwhile, so input from devices arrives.
      QElapsedTimer clock;
      clock.start();
      while (clock.elapsed() < std::stoi(arg)) QApplication::processEvents(QEventLoop::AllEvents, 20);
      continue;
    }
    const std::size_t eq = action == "--type" ? arg.find('=') : std::string::npos;
    ui::Control* c = app.find(arg.substr(0, eq));
    if (!c || (action == "--type" && eq == std::string::npos)) {
      std::cerr << "cannot " << action << " " << arg << "\n";
      return 2;
    }
    platform.dispatch([c, action = action, text = eq == std::string::npos ? std::string() : arg.substr(eq + 1)] {
      if (action == "--type") return c->type(text, true);
      if (action == "--blur") return c->loseFocus();
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
