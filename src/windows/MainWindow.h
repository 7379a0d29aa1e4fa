#pragma once
// The main window frmActivity: its controls, grouped in parts named for what
// they hold, and its layout. The controls keep the names the operator scripts
// use ("Text1(5)", "Combo3", "mnuCalcLine"); the logic reaches them through the
// parts (boxes.eventNumber, lineCombo, menus.calcLine).
#include <array>
#include <optional>

#include "core/StationState.h"
#include "ui/Controls.h"
#include "windows/EventGridRows.h"

namespace ruvek {

inline constexpr int kOptionPickers = 30;
inline constexpr int kCheckPickers = 27;

// The columns of the event grid, as its headings name them.
struct GridColumn {
  static constexpr int EventNo = 0, Line = 1, Station = 2, Date = 3, Time = 4, Event = 5, Lat = 6, Lon = 7,
                       Initials = 8, Comments = 9;
};

// The text boxes Text1(0) to Text1(7), with their labels, and the strip that
// holds the event number box and the event drop-down.
struct Boxes {
  explicit Boxes(ui::Form& form);
  ui::Frame& entryStrip;     // fraEventEntry
  ui::TextBox& cruise;       // Text1(0): the cruise designation
  ui::TextBox& date;         // Text1(1): the local date of the navigation
  ui::TextBox& time;         // Text1(2): the local time
  ui::TextBox& lat;          // Text1(3)
  ui::TextBox& lon;          // Text1(4)
  ui::TextBox& eventNumber;  // Text1(5)
  ui::TextBox& utcDate;      // Text1(6)
  ui::TextBox& utcTime;      // Text1(7)
};

// Command1(0) to Command1(3), and the button that ends a correction.
struct Buttons {
  explicit Buttons(ui::Form& form);
  ui::Button& record;            // "Start", "Record Event", "Record Correction", "Saving Event", "Standingby"
  ui::Button& standby;           // "Standby", "Resume"
  ui::Button& quit;              // "Quit"
  ui::Button& clearLast;         // "Clear Last"
  ui::Button& cancelCorrection;  // cmdCancelEdit "Cancel Correction": shown while a row is loaded
};

// The event pickers: 30 option buttons in frmSelectEvent (single choice) and
// 27 check boxes in frmSelectMulti (check-box mode). Both frames take the same place.
struct Pickers {
  explicit Pickers(ui::Form& form);
  ui::OptionGroup group;
  std::array<ui::OptionButton*, kOptionPickers> options{};  // Option1(0..29)
  std::array<ui::CheckBox*, kCheckPickers> checks{};        // Check1(0..26)
  ui::Frame& singleFrame;                                   // frmSelectEvent
  ui::Frame& multiFrame;                                    // frmSelectMulti
};

// The three condition option groups beside the pickers; each option puts its
// comment text (its tooltip) into the comments box.
struct Conditions {
  explicit Conditions(ui::Form& form);
  ui::OptionGroup seaGroup, dayNightGroup, stationTypeGroup;
  std::array<ui::OptionButton*, 3> sea{};          // Option3(0..2): Calm, Modrt, Rough
  std::array<ui::OptionButton*, 2> dayNight{};     // Option4(0..1): Day, Night
  std::array<ui::OptionButton*, 3> stationType{};  // Option5(0..2): Standard, Prodo, SCCOOS
  ui::Frame& seaFrame;                             // Frame6 "Sea Conditions"
  ui::Frame& dayNightFrame;                        // Frame4 "Day/Night"
  ui::Frame& stationTypeFrame;                     // Frame5 "Station Type"
};

// optPST(0) to optPST(2): what the computer's clock keeps.
struct ClockOptions {
  explicit ClockOptions(ui::Form& form);
  ui::OptionGroup group;
  std::array<ui::OptionButton*, 3> options{};  // "PC Time is PST", "... PDT", "... UTC"
  ui::OptionButton& option(PcClock clock) { return *options[std::size_t(clock)]; }
  std::optional<PcClock> selected() const;
};

// The menu entries, named for what they do; each keeps its script name.
struct Menus {
  explicit Menus(ui::Form& form);
  ui::Menu& config;               // mnuCfg "Config"
  ui::Menu& autoFill;             // mnuAuto "Auto Fill Data"
  ui::Menu& autoIncrement;        // mnuAutoEvent
  ui::Menu& lineSta;              // mnuLineSta "Line.Sta Setting"
  ui::Menu& standardLine;         // mnuStndLine "Use nearest Standard Line.Sta"
  ui::Menu& selectedLine;         // mnuSelectLine "Use selected Line.Sta"
  ui::Menu& calcLine;             // mnuCalcLine "Use calculated Line.Sta"
  ui::Menu& displayedEvents;      // PreLoad "Displayed Events"
  ui::Menu& lastEvent;            // mnuLastEvent
  ui::Menu& currentStation;       // mnuCurrSta
  ui::Menu& lastStation;          // mnuLastSta
  ui::Menu& allEvents;            // mnuAllEvents
  ui::Menu& cruiseMap;            // mnuCruiseMap "Cruise Map...": the map window
  ui::Menu& eventLists;           // mnuSelectEvents "Select Different Events"
  ui::Menu& cruiseList;           // mnuCruise
  ui::Menu& bridgeList;           // mnuBridge
  ui::Menu& mammalList;           // mnuMMammals
  ui::Menu& cufesList;            // mnuCUFES
  ui::Menu& checkBoxMode;         // mnuMulti "Switch to CheckBox Mode"
  ui::Menu& editConfig;           // mnuEditCfg
  ui::Menu& comPortSettings;      // mnuComSet
  ui::Menu& configFiles;          // mnuCfgFiles
  ui::Menu& editEventsFile;       // mnuMakeEvFile
  ui::Menu& editLineFiles;        // mnuLineFileEdit
  ui::Menu& editComments;         // mnuCommentEdit
  ui::Menu& generateHtml;         // mnuhtml
  ui::Menu& fileSettings;         // mnuFileSettings
  ui::Menu& htmlHelp;             // mnuNetwork "HTML Help": the user manual
  ui::Menu& about;                // mnuAbout "About Ruvek Event Log": the version
  ui::Menu& orderOccupied;        // mnuOrderOcc
  ui::Menu& orderOccupiedFile;    // mnuOrderOccFile: its caption names the file
  ui::Menu& eventNumber;          // mnuEventNum
  ui::Menu& eventNumberFile;      // mnuEventNumFile: its caption names the file
  ui::Menu& position;             // mnuPosition
  ui::Menu& currentPositionFile;  // mnuCurrPos: its caption names the file
  ui::Menu& print;                // mnuPrint
  ui::Menu& printLog;             // mnuPrintLog
  ui::Menu& exportCruise;         // mnuAllEvents2File "Generate Entire Cruise Event File"
  ui::Menu& exportGis;            // mnuExportGis "Export Events for GIS..."
  ui::Menu& exit;                 // mnuExit
};

struct MainWindow {
  MainWindow();

  ui::Form form{"frmActivity"};
  Boxes boxes;
  ui::ComboBox& eventCombo;     // Combo1: the event to record
  ui::ComboBox& initialsCombo;  // Combo2: the operator's initials
  ui::ComboBox& lineCombo;      // Combo3: the survey line
  ui::ComboBox& stationCombo;   // Combo4: the survey station
  Buttons buttons;
  Pickers pickers;
  Conditions conditions;
  ui::TextBox& commentsBox;  // txtComments
  ClockOptions clockOptions;
  ui::CheckBox& stopAdvanceCheck;  // Check2 "Stop Event Advance"
  ui::TextBox& timerActivityBox;   // Text2: the poll's heartbeat
  ui::Grid& eventGrid;             // EventLog
  EventGridRows eventRows;         // its event rows and next free row
  ui::StatusBar& statusBar;        // StatusBar1
  ui::Timer& pollTimer;            // Timer1: the navigation poll
  Menus menus;
};

// Sets the record button and the standby button for `recording` and keeps it
// as the station's state: the captions follow the state (the record button
// reads "Record Correction" while a row is loaded for editing), and the record
// button is disabled while an event is being saved.
void SetRecording(StationState& state, Buttons& buttons, Recording recording);

// Gives the event grid its rows, column widths and headings.
void LayOutEventGrid(ui::Grid& grid);

// Sets the event grid's width and places it beside or below the picker frame.
void SetEventGridWidth(ui::Grid& grid, int width);

}  // namespace ruvek
