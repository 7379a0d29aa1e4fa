#include "desktop/QtPlatform.h"

#include <QApplication>
#include <QDateTime>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QTimer>

namespace ruvek::ui {

QtPlatform::QtPlatform(FileSystem files) : Platform(std::move(files)) {}
QtPlatform::~QtPlatform() = default;

bool QtPlatform::dispatch(const std::function<void()>& handler) {
  if (ended_) return false;
  if (restartPending_) return true;  // the windows are about to be replaced
  ++depth_;
  try {
    if (handler) handler();
  } catch (const ProgramEnded&) {
    ended_ = true;
  } catch (const RestartRequested&) {
    restartPending_ = true;
  }
  --depth_;
  if (restartPending_ && depth_ == 0 && !ended_) {
    // The widget whose signal brought the request may be among those the
    // restart replaces: the restart runs from the event loop, after it.
    QMetaObject::invokeMethod(
        this,
        [this] {
          restartPending_ = false;
          dispatch([this] {
            if (restartApp) restartApp();
          });
        },
        Qt::QueuedConnection);
  }
  if (refreshView && !ended_) refreshView();
  if (ended_ && depth_ == 0) QApplication::exit(0);
  return !ended_;
}

Answer QtPlatform::messageBox(const std::string& text, const std::string& title, Buttons buttons, Icon icon) {
  if (autoAnswer) {
    if (auto a = autoAnswer(text, title)) return *a;
  }
  if (refreshView) refreshView();
  QMessageBox box;
  box.setWindowTitle(QString::fromStdString(title));
  box.setText(QString::fromStdString(text));
  switch (icon) {
    case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
    case Icon::Warning:
    case Icon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case Icon::Error: box.setIcon(QMessageBox::Critical); break;
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
  }
  switch (buttons) {
    case Buttons::OK: box.setStandardButtons(QMessageBox::Ok); break;
    case Buttons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case Buttons::YesNoCancel: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel); break;
  }
  const int result = box.exec();
  if (result == QMessageBox::Yes) return Answer::Yes;
  if (result == QMessageBox::No) return Answer::No;
  if (result == QMessageBox::Cancel) return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
  return buttons == Buttons::OK ? Answer::OK : (buttons == Buttons::YesNo ? Answer::No : Answer::Cancel);
}

std::string QtPlatform::programPath(const std::string& host) const {
  std::string root = files().root();
  if (!root.empty() && root.back() != '/') root += '/';
  if (root.empty() || host.rfind(root, 0) != 0 || host.size() < root.size() + 1) return host;
  std::string rest = host.substr(root.size());  // "C/RuvekGPS/Line93.txt"
  if (rest.size() < 1 || (rest.size() > 1 && rest[1] != '/')) return host;
  std::string out = std::string(1, rest[0]) + ":";
  std::string tail = rest.substr(1);
  for (char& c : tail)
    if (c == '/') c = '\\';
  return out + (tail.empty() ? "\\" : tail);
}

std::optional<std::string> QtPlatform::fileDialog(const std::string& initialFolder) {
  return askForFile(initialFolder, false);
}

std::optional<std::string> QtPlatform::saveFileDialog(const std::string& initialFolder) {
  return askForFile(initialFolder, true);
}

std::optional<std::string> QtPlatform::askForFile(const std::string& initialFolder, bool toWrite) {
  if (refreshView) refreshView();
  const QString folder = QString::fromStdString(files().hostPath(initialFolder));
  const QString chosen = toWrite ? QFileDialog::getSaveFileName(nullptr, QString(), folder)
                                 : QFileDialog::getOpenFileName(nullptr, QString(), folder);
  if (chosen.isEmpty()) return std::nullopt;
  return programPath(chosen.toStdString());
}

void QtPlatform::wait(int ms) {
  if (refreshView) refreshView();
  // The windows keep painting; clicks and keys wait, and the busy flag keeps
  // every timer tick out of the handler that is waiting.
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}

DateTime QtPlatform::now() {
  const QDateTime t = QDateTime::currentDateTime();
  DateTime d;
  d.year = t.date().year();
  d.month = t.date().month();
  d.day = t.date().day();
  d.hour = t.time().hour();
  d.minute = t.time().minute();
  d.second = t.time().second();
  d.millisecond = t.time().msec();
  return d;
}

void QtPlatform::startEditor(const std::string& file) {
  // The editor gets the file as one argument: no shell ever sees the name.
  QStringList command = QProcess::splitCommand(QString::fromStdString(EditorProgram()));
  if (command.isEmpty()) command << "xdg-open";
  const QString program = command.takeFirst();
  // An absolute path: a name never begins with "-", which the editor would take for an option.
  QString path;
  try {
    path = QFileInfo(QString::fromStdString(files().hostPath(file))).absoluteFilePath();
  } catch (const FileError&) {
    return;  // not a full path: no file to open
  }
  command << path;
  QProcess::startDetached(program, command);
}

void QtPlatform::timerReset(Timer& timer) {
  auto& q = timers_[&timer];
  if (!q) {
    q = std::make_unique<QTimer>();
    Timer* model = &timer;
    QObject::connect(q.get(), &QTimer::timeout, this, [this, model] {
      // A tick that comes due while a handler, its wait or its box is in
      // progress is not delivered into it.
      if (busy() || ended_ || !model->isEnabled()) return;
      dispatch(model->onTimer);
    });
  }
  if (timer.isEnabled())
    q->start(timer.interval());
  else
    q->stop();
}

void QtPlatform::timerRemoved(Timer& timer) {
  auto it = timers_.find(&timer);
  if (it == timers_.end()) return;
  it->second->stop();
  it->second.release()->deleteLater();
  timers_.erase(it);
}

void QtPlatform::formShown(Form& form) {
  if (showForm) showForm(form);
}

}  // namespace ruvek::ui
