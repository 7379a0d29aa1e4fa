#pragma once
// The main window frmActivity: its controls, its menus and the state every
// part of the program reads and changes. One instance lives from the start
// of the window to its end; the configuration editor's restart makes a new one.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/Config.h"
#include "core/EventLogSchema.h"
#include "core/StationState.h"
#include "platform/Controls.h"
#include "platform/Platform.h"

namespace ruvek {

using ui::Button;
using ui::CheckBox;
using ui::ComboBox;
using ui::Form;
using ui::Frame;
using ui::Grid;
using ui::Menu;
using ui::OptionButton;
using ui::StatusBar;
using ui::TextBox;
using ui::Timer;

inline constexpr int kOptionPickers = 30;
inline constexpr int kCheckPickers = 27;
inline constexpr int kGridRows = 2000;
inline constexpr int kGridCols = 10;

struct MainWindow {
  explicit MainWindow(ui::Platform& platform);
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  ui::Platform& platform;
  ui::FileSystem& fs() { return platform.files(); }

  // ---- windows
  Form form{"frmActivity"};
  Form eventEditForm{"frmEventEdit"};
  Form commCheckForm{"frmCommCheck"};
  Form editCfgForm{"FrmEditCFG"};

  // ---- controls of frmActivity
  std::array<TextBox*, 8> text1{};
  ComboBox* combo1 = nullptr;  // event chosen
  ComboBox* combo2 = nullptr;  // operator initials
  ComboBox* combo3 = nullptr;  // survey line
  ComboBox* combo4 = nullptr;  // survey station
  std::array<Button*, 4> command1{};
  Frame* frmSelectEvent = nullptr;
  std::array<OptionButton*, kOptionPickers> option1{};
  Frame* frmSelectMulti = nullptr;
  std::array<CheckBox*, kCheckPickers> check1{};
  Frame* frame5 = nullptr;  // station type
  std::array<OptionButton*, 3> option5{};
  Frame* frame6 = nullptr;  // sea conditions
  std::array<OptionButton*, 3> option3{};
  Frame* frame4 = nullptr;  // day or night
  std::array<OptionButton*, 2> option4{};
  TextBox* txtComments = nullptr;
  std::array<OptionButton*, 3> optPST{};
  CheckBox* check2 = nullptr;  // "Stop Event Advance"
  TextBox* text2 = nullptr;    // "Timer Activity"
  Grid* eventLog = nullptr;
  StatusBar* statusBar = nullptr;
  Timer* timer1 = nullptr;

  // ---- menus
  Menu* mnuCfg = nullptr;
  Menu* mnuAuto = nullptr;
  Menu* mnuAutoEvent = nullptr;
  Menu* mnuLineSta = nullptr;
  Menu* mnuStndLine = nullptr;
  Menu* mnuSelectLine = nullptr;
  Menu* mnuCalcLine = nullptr;
  Menu* preLoad = nullptr;
  Menu* mnuLastEvent = nullptr;
  Menu* mnuCurrSta = nullptr;
  Menu* mnuLastSta = nullptr;
  Menu* mnuAllEvents = nullptr;
  Menu* mnuSelectEvents = nullptr;
  Menu* mnuCruise = nullptr;
  Menu* mnuBridge = nullptr;
  Menu* mnuMMammals = nullptr;
  Menu* mnuCUFES = nullptr;
  Menu* mnuMulti = nullptr;
  Menu* mnuEditCfg = nullptr;
  Menu* mnuComSet = nullptr;
  Menu* mnuCfgFiles = nullptr;
  Menu* mnuEventsFileEdit = nullptr;
  Menu* mnuLineFileEdit = nullptr;
  Menu* mnuCommentEdit = nullptr;
  Menu* mnuhtml = nullptr;
  Menu* mnuFileSettings = nullptr;
  Menu* mnuNetwork = nullptr;
  Menu* mnuOrderOcc = nullptr;
  Menu* mnuOrderOccFile = nullptr;
  Menu* mnuEventNum = nullptr;
  Menu* mnuEventNumFile = nullptr;
  Menu* mnuPosition = nullptr;
  Menu* mnuCurrPos = nullptr;
  Menu* mnuPrint = nullptr;
  Menu* mnuPrintLog = nullptr;
  Menu* mnuExport = nullptr;
  Menu* mnuExit = nullptr;

  // ---- other windows' controls
  Grid* eventList = nullptr;   // frmEventEdit.EventList
  Button* btnGo = nullptr;     // frmCommCheck.btnGo
  Timer* commTimer = nullptr;  // frmCommCheck.Timer1

  // ---- configuration and the values derived from it
  CruiseConfig config;
  DerivedSettings settings;

  // ---- shared state of the main window
  bool networkMode = true;
  std::string gpsSource;
  bool manualEventNumber = false;
  bool numberRolledBack = false;
  bool editingRow = false;
  int gridRowCount = 1;
  std::string orderOccupied;
  // Kept wider than the old 16-bit counter so numbers past 32767 go on counting.
  long long nextEventNumber = 0;
  int lastPickerIndex = -1;
  bool multiMode = false;  // check-box pickers in use
  std::string lastSeenLastEvent;

  NavSnapshot nav;
  int metLatIndex = 0;
  int metLonIndex = 0;
  // The last datagram text of the "UDP" source. No receiver fills it yet, so
  // that source shows blank date and time and zero positions.
  std::string udpDatagram;

  // ---- working state of the poll and the recording workflow
  int eventFileRetries = 0;
  std::string previousEventTime;
  std::string previousEventName;
  bool ctdAtDepthLogged = false;
  std::string lastEditorFile;  // the file the line-file dialog last held

  // Finds a control by the name the operator scripts use: "Text1(5)",
  // "frmCommCheck.btnGo", "frmActivity" or another form's name.
  ui::Control* findControl(const std::string& name);
  std::vector<Form*> forms() { return {&form, &eventEditForm, &commCheckForm, &editCfgForm}; }

  // Shows a message box through the platform.
  ui::Answer ask(const std::string& text, const std::string& title, ui::Buttons buttons = ui::Buttons::OK,
                 ui::Icon icon = ui::Icon::None) {
    return platform.messageBox(text, title, buttons, icon);
  }
  void setStatus(const std::string& text) { statusBar->panel(1).text = text; }
  void wait(int ms) { platform.wait(ms); }

 private:
  void buildControls();
  void buildMenus();
  void buildOtherForms();
  ui::OptionGroup selectEventGroup_, stationTypeGroup_, seaGroup_, dayNightGroup_, clockGroup_;
};

// The clock option selected among optPST(0..2), if any.
std::optional<PcClock> SelectedClock(const std::array<OptionButton*, 3>& options);

// Sets the event grid's width and places it beside or below the picker frame.
void SetEventLogWidth(MainWindow& w, int width);

// Ends the program: stops the timers and unwinds every handler.
[[noreturn]] void EndProgram(MainWindow& w);

}  // namespace ruvek
