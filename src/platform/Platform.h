#pragma once
// The services the logic asks of the machine: message boxes, the file
// dialog, blocking waits, the clock, the text editor, the serial port and the
// file system. The desktop and the headless driver each implement them.
#include <optional>
#include <string>

#include "platform/Controls.h"
#include "platform/DateTime.h"
#include "platform/FileSystem.h"

namespace ruvek::ui {

enum class Buttons { OK, YesNo, YesNoCancel };
enum class Icon { None, Warning, Error, Exclamation, Information };
enum class Answer { OK, Yes, No, Cancel };

const char* ButtonsName(Buttons b);  // "OK", "YesNo", "YesNoCancel"
const char* IconName(Icon i);        // "none", "warning", ...
const char* AnswerName(Answer a);    // "OK", "Yes", ...

// Thrown to unwind every handler when the program ends itself (Exit, Quit,
// a give-up answer). The front end catches it at the outermost dispatch.
struct ProgramEnded {};

// The serial port of a GPS receiver.
class SerialPort {
 public:
  virtual ~SerialPort() = default;
  virtual bool open(int port, const std::string& settings) = 0;  // "4800,n,8,1"
  virtual void close() = 0;
  virtual bool isOpen() const = 0;
  virtual std::string readAll() = 0;  // every character waiting
};

// The port of a station without a GPS receiver: it never opens.
class NoSerialPort : public SerialPort {
 public:
  bool open(int, const std::string&) override { return false; }
  void close() override {}
  bool isOpen() const override { return false; }
  std::string readAll() override { return {}; }
};

class Platform {
 public:
  virtual ~Platform() = default;

  virtual Answer messageBox(const std::string& text, const std::string& title, Buttons buttons, Icon icon) = 0;
  // The chosen path, or nothing when the operator cancelled.
  virtual std::optional<std::string> fileDialog(const std::string& initialFolder) = 0;
  // Blocks for `ms`; the window stays painted but takes no input and no timer
  // tick is delivered meanwhile.
  virtual void wait(int ms) = 0;
  // Blocks for `ms` of real time in every mode, while the station waits for
  // another computer (the share lock); the windows keep painting.
  virtual void realWait(int ms);
  virtual DateTime now() = 0;
  // Starts the operator's text editor on `file`, without a shell.
  virtual void startEditor(const std::string& file) = 0;
  virtual SerialPort& serial() = 0;
  // A timer was enabled, disabled or given a new interval.
  virtual void timerReset(Timer& timer) = 0;
  // A form was shown or hidden.
  virtual void formShown(Form&) {}

  FileSystem& files() { return files_; }
  const FileSystem& files() const { return files_; }

  // A message box with the usual defaults: an OK box without an icon.
  Answer ask(const std::string& text, const std::string& title, Buttons buttons = Buttons::OK, Icon icon = Icon::None) {
    return messageBox(text, title, buttons, icon);
  }
  // Shows (or hides) a window.
  void show(Form& form, bool visible = true) {
    form.visible = visible;
    formShown(form);
  }

 protected:
  explicit Platform(FileSystem files) : files_(std::move(files)) {}

 private:
  FileSystem files_;
};

// The editor program started for "Edit Line or Sta Files": the operator's
// VISUAL or EDITOR, else xdg-open.
std::string EditorProgram();

}  // namespace ruvek::ui
