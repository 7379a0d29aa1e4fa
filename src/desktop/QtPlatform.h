#pragma once
// The machine for the desktop window: QMessageBox, QFileDialog, QTimer, the
// real clock, a blocking wait that keeps the windows painted, and the serial
// and UDP ports of desktop/QtPorts.h.
#include <QObject>
#include <functional>
#include <map>
#include <memory>

#include "desktop/QtPorts.h"
#include "ui/Platform.h"

class QMessageBox;
class QTimer;
class QPrinter;
class QWidget;

namespace ruvek::ui {

class QtPlatform : public QObject, public Platform {
  Q_OBJECT
 public:
  explicit QtPlatform(os::FileSystem files);
  ~QtPlatform() override;

  Answer messageBox(const std::string& text, const std::string& title, Buttons buttons, Icon icon) override;
  std::optional<std::string> fileDialog(const std::string& initialFolder) override;
  std::optional<std::string> saveFileDialog(const std::string& initialFolder) override;
  // Qt's print dialog; the pages drawn by PaintPages (desktop/QtPrint.cpp).
  PrintResult printLog(const os::PrintDocument& doc) override;
  void wait(int ms) override;
  // The desktop's wait is real time already, and keeps the windows painted.
  void realWait(int ms) override { wait(ms); }
  DateTime now() override;
  bool startEditor(const std::string& file) override;
  os::SerialPort& serial() override { return serial_; }
  os::UdpReceiver& udp() override { return udp_; }
  void timerReset(Timer& timer) override;
  void timerRemoved(Timer& timer) override;
  void formShown(Form& form) override;
  std::optional<std::string> pngOf(const Drawing& drawing) override;
  void openHelp() override;
  void showAbout() override;
  bool startNavigationSimulator(const std::string& hostFile) override;

  // Runs one handler: nothing else is delivered into it, and the program's
  // end unwinds to here. A restart a handler asks for runs `restartApp` from
  // the event loop once every handler has unwound; until then no other action
  // runs. Returns false when the program has ended.
  bool dispatch(const std::function<void()>& handler);
  bool busy() const { return depth_ > 0; }
  bool ended() const { return ended_; }

  // Told before anything blocks (a box, a wait) and after each handler, so
  // the widgets show what the models hold.
  std::function<void()> refreshView;
  std::function<void(Form&)> showForm;
  // Unloads the windows and loads the main window again (Application::restart).
  std::function<void()> restartApp;
  // Answers message boxes without showing them (tests and screenshots).
  std::function<std::optional<Answer>(const std::string& text, const std::string& title)> autoAnswer;
  // The window a box or a file dialog opens over.
  std::function<QWidget*()> dialogParent;

  // The Windows form of a host path under the drive folder ("/root/C/a" -> "C:\a").
  std::string programPath(const std::string& hostPath) const;
  // For a message that names files in their Windows form, a line for each
  // naming the file on this computer; empty when it names none.
  std::string hostPathsIn(const std::string& text) const;

 private:
  // The file dialog: an existing file to read, or a name to write.
  std::optional<std::string> askForFile(const std::string& initialFolder, bool toWrite);
  // After a box: the window it stood over has the keyboard again.
  static void giveFocusBack(QWidget* window);
  // A box over the window in front, as wide as its title needs.
  void prepareBox(QMessageBox& box, const std::string& title) const;
  QWidget* parentWindow() const { return dialogParent ? dialogParent() : nullptr; }

  QtSerialPort serial_;
  QtUdpReceiver udp_;
  std::map<Timer*, std::unique_ptr<QTimer>> timers_;
  int depth_ = 0;
  bool ended_ = false;
  bool restartPending_ = false;
};

// Draws the document's pages, laid out for the printer's paper, on `printer`;
// false when the printer (or its file) cannot be started.
bool PaintPages(QPrinter& printer, const os::PrintDocument& doc);

// The user manual's page: $RUVEK_MANUAL (the page or its folder), else the
// copy installed with the program (<prefix>/share/ruvek/manual/index.html
// beside <prefix>/bin/ruvek), else the source tree's docs/manual/index.html;
// empty when none is there.
QString ManualPath();

}  // namespace ruvek::ui
