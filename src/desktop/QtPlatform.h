#pragma once
// The machine for the desktop window: QMessageBox, QFileDialog, QTimer, the
// real clock and a blocking wait that keeps the windows painted.
#include <QObject>
#include <QSerialPort>
#include <functional>
#include <map>
#include <memory>

#include "platform/Platform.h"

class QTimer;

namespace ruvek::ui {

class QtSerialPort : public SerialPort {
 public:
  bool open(int port, const std::string& settings) override;
  void close() override { port_.close(); }
  bool isOpen() const override { return port_.isOpen(); }
  std::string readAll() override { return port_.readAll().toStdString(); }

 private:
  QSerialPort port_;
};

class QtPlatform : public QObject, public Platform {
  Q_OBJECT
 public:
  explicit QtPlatform(FileSystem files);
  ~QtPlatform() override;

  Answer messageBox(const std::string& text, const std::string& title, Buttons buttons, Icon icon) override;
  std::optional<std::string> fileDialog(const std::string& initialFolder) override;
  void wait(int ms) override;
  // The desktop's wait is real time already, and keeps the windows painted.
  void realWait(int ms) override { wait(ms); }
  DateTime now() override;
  void startEditor(const std::string& file) override;
  SerialPort& serial() override { return serial_; }
  void timerReset(Timer& timer) override;
  void formShown(Form& form) override;

  // Runs one handler: nothing else is delivered into it, and the program's
  // end unwinds to here. Returns false when the program has ended.
  bool dispatch(const std::function<void()>& handler);
  bool busy() const { return depth_ > 0; }
  bool ended() const { return ended_; }

  // Told before anything blocks (a box, a wait) and after each handler, so
  // the widgets show what the models hold.
  std::function<void()> refreshView;
  std::function<void(Form&)> showForm;
  // Answers message boxes without showing them (tests and screenshots).
  std::function<std::optional<Answer>(const std::string& text, const std::string& title)> autoAnswer;

  // The Windows form of a host path under the drive folder ("/root/C/a" -> "C:\a").
  std::string programPath(const std::string& hostPath) const;

 private:
  QtSerialPort serial_;
  std::map<Timer*, std::unique_ptr<QTimer>> timers_;
  int depth_ = 0;
  bool ended_ = false;
};

}  // namespace ruvek::ui
