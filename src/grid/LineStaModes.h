#pragma once
// The line and station lists and the Line.Sta modes of the main window.
#include <optional>
#include <string>

#include "ui/Platform.h"
#include "windows/MainWindow.h"
#include "windows/Station.h"

namespace ruvek {

// How the line and station boxes follow the position: the nearest standard
// station, the calculated one, or the operator's choice.
enum class LineStaMode { Standard, Calculated, Selected };

// The mode configuration row 16 names ("STANDARD", "CALCULATE", "SELECT"; exact case).
std::optional<LineStaMode> LineStaModeOfRow(const std::string& row16);
// Puts the check mark on the mode's menu entry and takes it from the other two.
void CheckLineStaMode(Menus& menus, LineStaMode mode);

// Start-up: fills the line box from Lines.txt and the station box from
// Line93.txt. A missing file is reported; a read error throws os::FileError
// (the start sequence retries).
void LoadLineLists(ui::Platform& platform, const std::string& programDir, ui::ComboBox& lineBox,
                   ui::ComboBox& stationBox);
// Reloads the station box's list from the station file of `lineText`; false
// when no list was loaded.
bool RefreshStations(const os::FileSystem& fs, const std::string& programDir, ui::ComboBox& stationBox,
                     const std::string& lineText);

// ---- handlers

// A line chosen from Combo3: its stations fill Combo4, and in an automatic mode
// the operator is asked whether to keep the chosen line.
void ChooseLine(Station& s);
// One of the three Line.Sta menu entries.
void ChooseLineStaMode(Station& s, LineStaMode mode);
// "Edit Line or Sta Files": a file dialog, then the text editor on the chosen
// file (a bare name taken in the program directory), or on the file chosen last
// when the dialog is cancelled; no editor when no file was ever chosen.
void EditLineFile(Station& s);

}  // namespace ruvek
