#pragma once
// One logging station as the program runs it: the machine's services, the
// settings, the shared state and every window. One instance lives from the
// start of the main window to its end; only the handlers wired to the
// controls and the start sequence take it whole, everything below them takes
// the parts it reads or changes.
#include <string>
#include <vector>

#include "core/Settings.h"
#include "core/StationState.h"
#include "ui/Platform.h"
#include "windows/ConfigEditorWindow.h"
#include "windows/CruiseMapWindow.h"
#include "windows/GpsWindow.h"
#include "windows/ListEditorWindow.h"
#include "windows/MainWindow.h"

namespace ruvek {

struct Station {
  explicit Station(ui::Platform& host) : platform(host) {}

  ui::Platform& platform;
  Settings settings;
  StationState state;
  MainWindow main;
  GpsWindow gps;
  ConfigEditorWindow configEditor;
  ListEditorWindow listEditor;
  CruiseMapWindow cruiseMap;

  // Every window, the main window first.
  std::vector<ui::Form*> forms() {
    return {&main.form, &listEditor.form, &gps.form, &configEditor.form, &cruiseMap.form};
  }
  // A control by the name the operator scripts use: "Text1(5)",
  // "frmCommCheck.btnGo", "frmActivity" or another window's name.
  ui::Control* findControl(const std::string& name);
};

// Stops the timers and closes the serial port and the UDP receiver. The files
// are closed already: each is opened and closed within one operation.
void StopStation(ui::Platform& platform, ui::Timer& pollTimer, ui::Timer& gpsTimer);
// Ends the program: stops the station and unwinds every handler.
[[noreturn]] void EndProgram(ui::Platform& platform, ui::Timer& pollTimer, ui::Timer& gpsTimer);
// Unloads the main window and the GPS window so that the main window is loaded
// again: stops the station and unwinds every handler to the front end, which
// restarts the application.
[[noreturn]] void RestartProgram(ui::Platform& platform, ui::Timer& pollTimer, ui::Timer& gpsTimer);

}  // namespace ruvek
