#include "desktop/QtPlatform.h"

#include <QApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <set>

#include "desktop/PictureView.h"
#include "os/Os.h"
#include "ruvek_version.h"

namespace ruvek::ui {
namespace {

// Room beside a title for the title bar's icon and buttons.
constexpr int kTitleBarRoom = 150;

}  // namespace

QtPlatform::QtPlatform(os::FileSystem files) : Platform(std::move(files)) {}
QtPlatform::~QtPlatform() = default;

std::optional<std::string> QtPlatform::pngOf(const Drawing& drawing) { return PngOf(drawing); }

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
  QWidget* parent = parentWindow();
  QMessageBox box(parent);
  // The program's messages are plain text, whatever signs they hold.
  box.setTextFormat(Qt::PlainText);
  box.setText(QString::fromStdString(text));
  box.setInformativeText(QString::fromStdString(hostPathsIn(text)));
  if (auto* where = box.findChild<QLabel*>("qt_msgbox_informativelabel")) {
    where->setTextFormat(Qt::PlainText);
    where->setTextInteractionFlags(Qt::TextSelectableByMouse);  // a path to copy
    // A path reads best unbroken, each on its line, while the box still fits
    // the screen; a longer one breaks at its blanks.
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    int widest = 0;
    for (const QString& line : where->text().split('\n'))
      widest = std::max(widest, where->fontMetrics().horizontalAdvance(line));
    if (!screen || widest <= screen->availableGeometry().width() * 3 / 4) where->setWordWrap(false);
  }
  switch (icon) {
    case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
    case Icon::Warning:
    case Icon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case Icon::Error: box.setIcon(QMessageBox::Critical); break;
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
  }
  switch (buttons) {
    case Buttons::OK: box.setStandardButtons(QMessageBox::Ok); break;
    case Buttons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case Buttons::YesNoCancel: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel); break;
  }
  prepareBox(box, title);
  const int result = box.exec();
  if (parent) giveFocusBack(parent);
  if (result == QMessageBox::Yes) return Answer::Yes;
  if (result == QMessageBox::No) return Answer::No;
  if (result == QMessageBox::Cancel) return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
  return buttons == Buttons::OK ? Answer::OK : (buttons == Buttons::YesNo ? Answer::No : Answer::Cancel);
}

void QtPlatform::giveFocusBack(QWidget* window) {
  // The window the box stood over takes the keyboard back: closing a box must
  // not leave an editor behind the main window. Once more when the box is
  // gone and nothing else took the keyboard, as a window manager may give it
  // to the main window; a window shown since, or another box, keeps it.
  const QPointer<QWidget> over = window;
  auto activate = [over] {
    if (!over || !over->isVisible() || QApplication::activeModalWidget()) return;
    const QWidget* active = QApplication::activeWindow();
    if (active && active != over && active != over->parentWidget()) return;
    over->raise();
    over->activateWindow();
  };
  activate();
  QTimer::singleShot(0, over, activate);
}

void QtPlatform::prepareBox(QMessageBox& box, const std::string& title) const {
  box.setWindowTitle(QString::fromStdString(title));
  // A box belongs to its window: a title and a close button, nothing to
  // minimise or maximise it on its own.
  box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  // The box opens centred over its parent; a spacer keeps it as wide as the
  // title bar needs to show the whole title.
  QFont bold = box.font();
  bold.setBold(true);
  const int width = QFontMetrics(bold).horizontalAdvance(box.windowTitle()) + kTitleBarRoom;
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

std::string QtPlatform::hostPathsIn(const std::string& text) const {
  // A drive letter, a colon and a backslash, up to a blank, a comma or a quote;
  // the punctuation that ends a sentence or a question ("...txt?", "C:\RuvekGPS\!")
  // is not part of the name.
  static const QRegularExpression windowsPath(R"((?<![A-Za-z])[A-Za-z]:\\[^\s,;"'<>|]*)");
  std::string lines;
  std::set<std::string> seen;
  auto it = windowsPath.globalMatch(QString::fromStdString(text));
  while (it.hasNext()) {
    QString path = it.next().captured();
    while (!path.isEmpty() && QString(".!?:)").contains(path.back())) path.chop(1);
    const std::string named = path.toStdString();
    if (!seen.insert(named).second) continue;
    if (!lines.empty()) lines += "\n";
    lines += named + " is " + files().hostPath(named) + " on this computer.";
  }
  return lines;
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
  const QString chosen = toWrite ? QFileDialog::getSaveFileName(parentWindow(), QString(), folder)
                                 : QFileDialog::getOpenFileName(parentWindow(), QString(), folder);
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

bool QtPlatform::startEditor(const std::string& file) {
  const auto editor = EditorProgram();
  if (!editor) return false;
  // The editor gets the file as one argument: no shell ever sees the name.
  QStringList command = QProcess::splitCommand(QString::fromStdString(*editor));
  if (command.isEmpty()) return false;
  const QString program = command.takeFirst();
  // An absolute path: a name never begins with "-", which the editor would take for an option.
  QString path;
  try {
    path = QFileInfo(QString::fromStdString(files().hostPath(file))).absoluteFilePath();
  } catch (const os::FileError&) {
    return true;  // not a full path: no file to open, and nothing to say of the editor
  }
  command << path;
  return QProcess::startDetached(program, command);
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

QString ManualPath() {
  QStringList candidates;
  const QString chosen = qEnvironmentVariable("RUVEK_MANUAL");
  if (!chosen.isEmpty()) candidates << chosen << chosen + "/index.html";
  candidates << QCoreApplication::applicationDirPath() + "/../" RUVEK_DATA_SUBDIR "/manual/index.html"
             << QStringLiteral(RUVEK_SOURCE_DIR "/docs/manual/index.html");
  for (const QString& page : candidates)
    if (QFileInfo(page).isFile()) return QFileInfo(page).canonicalFilePath();
  return {};
}

void QtPlatform::openHelp() {
  const QString manual = ManualPath();
  QString trouble;
  if (manual.isEmpty())
    trouble = "The user manual was not found. Set RUVEK_MANUAL to the folder that holds its index.html.";
  else if (!QDesktopServices::openUrl(QUrl::fromLocalFile(manual)))
    trouble = "No web browser could be started. The user manual is the file " + manual;
  if (trouble.isEmpty()) return;
  if (autoAnswer && autoAnswer(trouble.toStdString(), "HTML Help")) return;
  QMessageBox box(parentWindow());
  box.setIcon(QMessageBox::Information);
  box.setText(trouble);
  prepareBox(box, "HTML Help");
  box.exec();
}

bool QtPlatform::startNavigationSimulator(const std::string& hostFile) {
  // Installed and built beside the program; a child of it, so it ends with it.
  const QString navsim = QCoreApplication::applicationDirPath() + "/ruvek-navsim";
  if (!QFileInfo(navsim).isExecutable()) return false;
  auto* process = new QProcess(this);
  process->setProgram(navsim);
  process->setArguments({"--file", QString::fromStdString(hostFile), "--interval", "2000", "--quiet"});
  process->setStandardOutputFile(QProcess::nullDevice());
  process->start();
  if (!process->waitForStarted(2000)) {
    delete process;
    return false;
  }
  connect(qApp, &QCoreApplication::aboutToQuit, process, [process] {
    process->terminate();
    process->waitForFinished(1000);
  });
  return true;
}

void QtPlatform::showAbout() {
  const std::string title = "About Ruvek Event Log";
  const QString text = QString(
                           "<h3>Ruvek Event Log %1</h3>"
                           "<p>A cruise event logger for oceanographic survey cruises.</p>"
                           "<p>Press F1 or choose File Settings, HTML Help for the user manual.</p>"
                           "<p>Built with Qt %2.</p>")
                           .arg(RUVEK_VERSION, QT_VERSION_STR);
  if (autoAnswer && autoAnswer(text.toStdString(), title)) return;
  if (refreshView) refreshView();
  QMessageBox box(parentWindow());
  if (QApplication::windowIcon().isNull())
    box.setIcon(QMessageBox::Information);
  else
    box.setIconPixmap(QApplication::windowIcon().pixmap(64, 64));
  box.setTextFormat(Qt::RichText);
  box.setText(text);
  prepareBox(box, title);
  box.exec();
}

}  // namespace ruvek::ui
