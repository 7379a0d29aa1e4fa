#pragma once
// The configuration file C:\RuvekGPS\RuvekGPS.cfg: positional rows, line N is
// row N, no keys. Rows 1 to 30 are read, rows 1 to 21 are written.
#include <array>
#include <string>
#include <vector>

#include "os/FileSystem.h"

namespace ruvek {

inline constexpr const char* kProgramDir = "C:\\RuvekGPS\\";
inline constexpr const char* kConfigPath = "C:\\RuvekGPS\\RuvekGPS.cfg";
inline constexpr int kConfigRows = 30;
inline constexpr int kConfigRowsWritten = 21;

// The rows that have a meaning, by the label the configuration editor shows.
enum class ConfigRow : int {
  Project = 1,              // "Project:"
  Study = 2,                // "Study:", the cruise designation
  DataDir = 3,              // "Data Directory:"
  NavDir = 4,               // "Nav Directory:"
  EventFile = 5,            // "Event File:"
  InitialsFile = 6,         // "Personnel Initials:"
  EventNumberFile = 7,      // "EventNumber File:"
  CurrPosFile = 8,          // "GPS Current Position:"
  SamplingRate = 9,         // "Sampling Rate (ms):"
  NetworkOrLocal = 10,      // "Network or Local:"
  NavSource = 11,           // "GPS Source/Format:"
  ComPort = 12,             // "Com port:"
  ComSettings = 13,         // "Com port settings:"
  PrimarySentence = 14,     // "GPS Primary String:"
  DateSentence = 15,        // "GPS 2nd/Date String:"
  LineStaMethod = 16,       // "Line.Sta Method:"
  PreloadMode = 17,         // "Load Previous Events:"
  CommentOptionsFile = 18,  // "Comment Options File:"
  NumberScheme = 19,        // "Event Number Scheme:"
  JulianOrPickers = 20,     // "Julian format | Events Select:"
  PcClock = 21,             // "PC Time PST/PDT/UTC:"
};

// Rows numbered 1 to 30; slot 0 is unused. Code that means one row names it
// (config[ConfigRow::DataDir]); row(n) serves the loops over all rows.
struct CruiseConfig {
  std::array<std::string, kConfigRows + 1> rows{};
  std::string& row(int n) { return rows.at(std::size_t(n)); }
  const std::string& row(int n) const { return rows.at(std::size_t(n)); }
  std::string& operator[](ConfigRow r) { return row(int(r)); }
  const std::string& operator[](ConfigRow r) const { return row(int(r)); }
};

// Fills `config` from the file, each row with leading and trailing blanks
// removed; blank lines leave their row empty. Throws os::FileError when the
// file cannot be read; `config` is then all empty rows.
void ReadConfig(const os::FileSystem& fs, CruiseConfig& config, const std::string& path = kConfigPath);

// Rewrites the file with rows 1 to 21, each ending in CR LF; a line break inside
// a row is written as a blank. With RowBlanks::Trim each row is written
// without leading and trailing blanks.
enum class RowBlanks { Keep, Trim };
void WriteConfig(const os::FileSystem& fs, const CruiseConfig& config, RowBlanks blanks = RowBlanks::Keep,
                 const std::string& path = kConfigPath);

// A full path: a drive letter, ":" and a backslash or slash ("C:\DATA\"), or a
// host path starting with "/". The file layer refuses any other path rather
// than resolve it against the working folder.
bool IsFullPath(const std::string& path);
// The start-up messages for the directory rows (3, "Data Directory:"; 4, "Nav
// Directory:") that are not full paths, e.g. "Data Directory: DATA\ is not a
// full path"; an empty row shows as "(empty)".
std::vector<std::string> DirectoryRowProblems(const CruiseConfig& config);

// The poll interval of configuration row 9 (Sampling Rate (ms)): the row read
// as a number and, when above 0, rounded (halves to even) and kept within the
// timer's 1 to 65535 ms; `clamped` tells that the row asked for more. 0, a
// negative value, an empty row or text without a number give `whenUnset`:
// kStartIntervalMs for the start of recording, kTickIntervalMs for the tick.
// Example: "15000" -> 15000; "2500.6" -> 2501; "0.4" -> 1; "70000" -> 65535 (clamped).
struct PollInterval {
  int ms = 0;
  bool clamped = false;
};
inline constexpr int kLongestInterval = 65535;
inline constexpr int kStartIntervalMs = 15000;
inline constexpr int kTickIntervalMs = 20000;
PollInterval IntervalFromRow(const std::string& row9, int whenUnset);

}  // namespace ruvek
