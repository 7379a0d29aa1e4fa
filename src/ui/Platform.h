#pragma once
// The services the logic asks of the machine: message boxes, the file
// dialog, blocking waits, the clock, the text editor, the serial port, the
// UDP receiver and the file system. The desktop and the headless driver each implement them.
#include <optional>
#include <string>

#include "os/DateTime.h"
#include "os/FileSystem.h"
#include "os/Ports.h"
#include "os/PrintDocument.h"
#include "ui/Controls.h"
#include "ui/Drawing.h"

namespace ruvek::ui {

enum class Buttons { OK, YesNo, YesNoCancel };
enum class Icon { None, Warning, Error, Exclamation, Information, Question };
enum class Answer { OK, Yes, No, Cancel };

const char* ButtonsName(Buttons b);  // "OK", "YesNo", "YesNoCancel"
const char* IconName(Icon i);        // "none", "warning", ...
const char* AnswerName(Answer a);    // "OK", "Yes", ...

// What became of a document sent to print: where it went (a printer's name or
// the file), or why it could not be printed.
struct PrintResult {
  enum Outcome { Printed, Cancelled, Failed };
  Outcome outcome = Cancelled;
  std::string where;
  std::string error;
};

// Thrown to unwind every handler when the program ends itself (Exit, Quit,
// a give-up answer). The front end catches it at the outermost dispatch.
struct ProgramEnded {};

// Thrown to unwind every handler when the main window is to be unloaded and
// loaded again (a saved configuration). The front end catches it at the
// outermost dispatch and restarts the application there.
struct RestartRequested {};

class Platform {
 public:
  virtual ~Platform() = default;

  virtual Answer messageBox(const std::string& text, const std::string& title, Buttons buttons, Icon icon) = 0;
  // The chosen path, or nothing when the operator cancelled.
  virtual std::optional<std::string> fileDialog(const std::string& initialFolder) = 0;
  // The same for naming a file to write, which need not exist yet.
  virtual std::optional<std::string> saveFileDialog(const std::string& initialFolder) {
    return fileDialog(initialFolder);
  }
  // Prints a document or saves it as a PDF file. This one asks for the file
  // with the save dialog (a cancelled dialog writes nothing) and writes a PDF
  // of US Letter pages there; the desktop offers its print dialog instead.
  virtual PrintResult printLog(const os::PrintDocument& doc);
  // Blocks for `ms`; the window stays painted but takes no input and no timer
  // tick is delivered meanwhile.
  virtual void wait(int ms) = 0;
  // Blocks for `ms` of real time in every mode, while the station waits for
  // another computer (the share lock); the windows keep painting.
  virtual void realWait(int ms);
  virtual DateTime now() = 0;
  // Starts the operator's text editor on `file`, without a shell; false when
  // there is no editor to start or it would not start.
  virtual bool startEditor(const std::string& file) = 0;
  virtual os::SerialPort& serial() = 0;
  // The receiver of navigation datagrams; a station without one never listens.
  virtual os::UdpReceiver& udp() { return noUdp_; }
  // A timer was enabled, disabled or given a new interval.
  virtual void timerReset(Timer& timer) = 0;
  // A timer is about to be destroyed with its window: forget it.
  virtual void timerRemoved(Timer&) {}
  // The drawing as the bytes of a PNG image, painted as the face shows it;
  // nothing where the face paints no pictures (the headless driver).
  virtual std::optional<std::string> pngOf(const Drawing&) { return std::nullopt; }
  // A form was shown or hidden.
  virtual void formShown(Form&) {}
  // Opens the user manual (the desktop shows it in the web browser); the
  // headless driver shows nothing.
  virtual void openHelp() {}
  // Tells the program's name and version (the desktop's About box); the
  // headless driver shows nothing.
  virtual void showAbout() {}
  // Starts the navigation feed simulator writing the position file `hostFile`
  // while the program runs; false where it cannot (the headless driver never
  // starts one).
  virtual bool startNavigationSimulator(const std::string& /*hostFile*/) { return false; }

  os::FileSystem& files() { return files_; }
  const os::FileSystem& files() const { return files_; }

  // A message box with the usual defaults: an OK box without an icon.
  Answer ask(const std::string& text, const std::string& title, Buttons buttons = Buttons::OK, Icon icon = Icon::None) {
    return messageBox(text, title, buttons, icon);
  }
  // Shows a window, or hides it.
  void show(Form& form) { setShown(form, true); }
  void hide(Form& form) { setShown(form, false); }

 protected:
  explicit Platform(os::FileSystem files) : files_(std::move(files)) {}

 private:
  void setShown(Form& form, bool visible) {
    form.visible = visible;
    formShown(form);
  }

  os::FileSystem files_;
  os::NoUdpReceiver noUdp_;
};

// The editor program started for "Edit Line or Sta Files": the operator's
// VISUAL or EDITOR, else the system's own opener (xdg-open when it is on the
// PATH; notepad on Windows); nothing when none of them is there.
std::optional<std::string> EditorProgram();

}  // namespace ruvek::ui
