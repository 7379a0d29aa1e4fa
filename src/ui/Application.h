#pragma once
// What a front end (the desktop or the headless driver) needs of the program:
// loading the main window, finding controls by name, reading the window's
// state by name, and the F9 key.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/Controls.h"

namespace ruvek::ui {

class Application {
 public:
  virtual ~Application() = default;
  // Loads the main window: its start sequence runs now. May throw ProgramEnded.
  virtual void start() = 0;
  virtual bool started() const = 0;
  // Unloads every window and loads the main window again, as start() does:
  // nothing of the old windows survives but what the files hold. Called by the
  // front end when a handler has thrown RestartRequested. May throw ProgramEnded.
  virtual void restart() = 0;
  // A control by its script name ("Text1(5)", "frmCommCheck.btnGo", "frmActivity").
  virtual Control* find(const std::string& name) = 0;
  // A state value of the main window by name ("networkMode", "CruiseConfig(7)",
  // "NavSnapshot.decLat"); nothing when the name is not a state name.
  virtual std::optional<std::string> state(const std::string& name) = 0;
  // Every window, the main window first.
  virtual std::vector<Form*> forms() = 0;
  virtual void keyF9() = 0;
  virtual void keyEscape() = 0;

  // Called by start() and restart() once the windows and their controls
  // exist, before the start sequence runs, so a front end can build its view
  // of them (after a restart: drop the old view and bind to the new windows).
  std::function<void()> onWindowsCreated;
};

}  // namespace ruvek::ui
