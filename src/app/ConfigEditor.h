#pragma once
// The configuration editor: configuration rows 1 to 21 shown as fields, saved
// whole and taken into effect by loading the main window again; and the
// new-cruise set-up of the data and nav directories from the Study field.
#include <map>
#include <optional>
#include <string>

#include "core/Config.h"
#include "os/FileSystem.h"
#include "windows/ConfigEditorWindow.h"
#include "windows/Station.h"

namespace ruvek {

// ---- pure rules

// The data directory of a new cruise, from the Data Directory `dataDir` and
// the Study `study`. The cruise code is the Study trimmed and cut to 4
// characters; its year folder is "20" and the code's first two characters.
// The text of `dataDir` before its year folder is kept: the first occurrence
// of the new year folder or, failing that, of the four digits at position 10
// (the year folder of a directory laid out as C:\CODES\2007\...).
//   "C:\CODES\2007\0701\Events\", "0708SR" -> "C:\CODES\2007\0708\Events\"
//   "C:\CODES\2007\0701\Events\", "0801SR" -> "C:\CODES\2008\0801\Events\"
//   "C:\CODES\2007\0701\",        "070"    -> "C:\CODES\2007\070\Events\"
// Nothing when there is no year folder to keep the path before ("C:\DATA\")
// or the Study does not begin with the two digits of a year ("8", "ABCD").
struct NewCruiseDirectory {
  std::optional<std::string> dataDir;
  std::string yearFolder;  // "2008"; empty when the Study has no year
};
NewCruiseDirectory NewCruiseDataDir(const std::string& dataDir, const std::string& study);

// The mark beside a field: its caption and why (its tooltip).
struct FieldMark {
  std::string caption;  // "<- not found"
  std::string why;      // "C:\DATA\CurrPos.txt does not exist"
};
// The mark of a sampling rate (row 9) that a start would not use as written,
// saying what it polls with instead; nothing for a whole number of 1 to 65535.
//   "0"      -> "<- read as 15000": no rate, the first poll after 15000 ms, then every 20000 ms
//   "100000" -> "<- read as 65535": beyond the timer's 65535 ms
//   "2500.6" -> "<- read as 2501"
std::optional<FieldMark> SamplingRateMark(const std::string& row9);
// The marks of the rows whose field names a directory or a file that does not
// exist (rows 3 and 4, and the files of rows 5, 6, 7, 8 and 18 where a start
// looks for them) or whose sampling rate a start would not use as written. The
// rows are taken trimmed, as the next start reads them.
std::map<int, FieldMark> ConfigWarnings(const os::FileSystem& fs, const CruiseConfig& rows);

// The rows the editor's fields hold, as they stand. A line break, which would
// shift every later row of the file, is taken out.
CruiseConfig RowsOfFields(const ConfigEditorWindow& w);

// Shows the rows in the fields and marks the fields ConfigWarnings names.
void ShowConfigRows(const os::FileSystem& fs, const CruiseConfig& config, ConfigEditorWindow& w);
// Loads a closed editor: the fields the operator has not changed since they
// were last filled show the rows in memory as they are now.
void RefreshConfigRows(const os::FileSystem& fs, const CruiseConfig& config, ConfigEditorWindow& w);
void ShowConfigWarnings(const os::FileSystem& fs, ConfigEditorWindow& w);

// ---- handlers

// "Edit ruvek.cfg": loads the editor with the rows in memory, unless it is
// open already, and shows it beside the main window.
void OpenConfigEditor(Station& s);
// A key typed into the Study field.
void NoteStudyTyped(ConfigEditorWindow& w);
// The Study field lost the focus: after typing, the new-cruise set-up.
void OfferNewCruiseFolders(Station& s);
// "Update/Save": writes the file and offers the restart.
void SaveConfigEdits(Station& s);
// "Close Window": closes, asking first whether to save the edits not saved yet.
void CloseConfigEditor(Station& s);

}  // namespace ruvek
