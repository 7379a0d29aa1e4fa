#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QStatusBar>

#include "app/RuvekApp.h"
#include "desktop/DesktopView.h"
#include "desktop/FixAgeLabel.h"

namespace ruvek::ui {
namespace {

// F9 on the main window stops the navigation poll.
class F9Filter : public QObject {
 public:
  F9Filter(Application& app, QtPlatform& platform) : app_(app), platform_(platform) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F9) {
      platform_.dispatch([this] { app_.keyF9(); });
      return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  Application& app_;
  QtPlatform& platform_;
};

}  // namespace

int RunDesktop(int argc, char** argv, const std::string& root) {
  QApplication qapp(argc, argv);
  QApplication::setApplicationName("Ruvek Event Log");
  QtPlatform platform{FileSystem(root)};
  RuvekApp app(platform);
  DesktopView view(app, platform);
  F9Filter f9(app, platform);
  app.onWindowsCreated = [&] {
    view.build();
    view.mainWindow()->installEventFilter(&f9);
    AttachFixAge(app, view.mainWindow()->statusBar());
  };
  if (!platform.dispatch([&] { app.start(); })) return 0;
  // The main window's close button asks as Exit does; the program ends when
  // that handler ends it.
  qapp.setQuitOnLastWindowClosed(true);
  return QApplication::exec();
}

}  // namespace ruvek::ui
