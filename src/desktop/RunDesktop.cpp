#include <QApplication>
#include <QCryptographicHash>
#include <QKeyEvent>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMainWindow>
#include <QMessageBox>
#include <QStatusBar>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/RuvekApp.h"
#include "desktop/DesktopView.h"
#include "desktop/FixAgeLabel.h"

namespace ruvek::ui {
namespace {

// F9 on the main window stops the navigation poll; Escape, which no control
// of it took (an open drop-down closes first), lets go of a correction.
class F9Filter : public QObject {
 public:
  F9Filter(Application& app, QtPlatform& platform) : app_(app), platform_(platform) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F9) {
      platform_.dispatch([this] { app_.keyF9(); });
      return true;
    }
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
      platform_.dispatch([this] { app_.keyEscape(); });
      return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  Application& app_;
  QtPlatform& platform_;
};

// What Qt says while it connects to the display, held back: a display that is
// named but does not answer ends the program from inside QApplication's
// constructor with several lines about plugins; the operator gets one line,
// as without any display. When the connection is made the held lines are
// shown as they were.
std::string& HeldStartMessages() {
  static std::string held;
  return held;
}

void HoldStartMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type != QtFatalMsg) {
    HeldStartMessages() += message.toStdString() + "\n";
    return;
  }
  std::fprintf(stderr,
               "ruvek: the display did not answer (DISPLAY, WAYLAND_DISPLAY, QT_QPA_PLATFORM): run it in a desktop "
               "session, or use --headless to run an operator script\n");
  std::fflush(stderr);
  std::_Exit(1);
}

// The name a running copy listens on for a second copy of its program folder.
QString FrontName(const std::string& root) {
  const QByteArray folder = QByteArray::fromStdString(os::FileSystem(root).hostPath("C:\\RuvekGPS\\"));
  return "ruvek-" + QString::fromLatin1(QCryptographicHash::hash(folder, QCryptographicHash::Sha1).toHex().left(16));
}

// Brings the main window to the front whenever a second copy asks.
void ListenForSecondCopy(const std::string& root, DesktopView& view, QObject* owner) {
  auto* server = new QLocalServer(owner);
  QLocalServer::removeServer(FrontName(root));  // left by a copy that died: this one holds the folder now
  if (!server->listen(FrontName(root))) return;
  QObject::connect(server, &QLocalServer::newConnection, server, [server, &view] {
    while (QLocalSocket* peer = server->nextPendingConnection()) {
      peer->deleteLater();
      if (QMainWindow* w = view.mainWindow()) {
        w->setWindowState((w->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
        w->show();
        w->raise();
        w->activateWindow();
      }
    }
  });
}

}  // namespace

int TellAlreadyRunning(int argc, char** argv, const std::string& root, const std::string& message) {
  QApplication qapp(argc, argv);
  QLocalSocket first;
  first.connectToServer(FrontName(root));
  const bool raised = first.waitForConnected(1000);
  QMessageBox box(QMessageBox::Information, "Ruvek Event Log",
                  QString::fromStdString(message) +
                      (raised ? "\nIts window has been brought to the front." : "\nSwitch to its window to go on."),
                  QMessageBox::Ok);
  box.exec();
  return 4;
}

int RunDesktop(int argc, char** argv, const std::string& root) {
  const QtMessageHandler before = qInstallMessageHandler(HoldStartMessage);
  QApplication qapp(argc, argv);
  qInstallMessageHandler(before);
  std::fputs(HeldStartMessages().c_str(), stderr);
  QApplication::setApplicationName("Ruvek Event Log");
  QtPlatform platform{os::FileSystem(root)};
  RuvekApp app(platform);
  DesktopView view(app, platform);
  F9Filter f9(app, platform);
  app.onWindowsCreated = [&] {
    view.build();
    view.mainWindow()->installEventFilter(&f9);
    AttachFixAge(app, view.mainWindow()->statusBar());
  };
  ListenForSecondCopy(root, view, &qapp);
  if (!platform.dispatch([&] { app.start(); })) return 0;
  // The main window's close button asks as Exit does; the program ends when
  // that handler ends it.
  qapp.setQuitOnLastWindowClosed(true);
  return QApplication::exec();
}

}  // namespace ruvek::ui
