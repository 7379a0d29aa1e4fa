#include "nav/GpsSettings.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "core/Format.h"
#include "core/Settings.h"
#include "core/TextRoutines.h"
#include "nav/GpsCollect.h"

namespace ruvek {
namespace {

constexpr int kCollectMs = 5000;
constexpr int kHighestPort = 65535;
const char* const kCommPortPrompt = "Please enter the commport value before saving settings";

// A whole port number from 1 to 65535 written with digits only, or 0.
int PortNumber(const std::string& text) {
  const std::string digits = Trim(text);
  if (digits.empty() || digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos) return 0;
  const int port = std::stoi(digits);
  return port <= kHighestPort ? port : 0;
}

template <std::size_t N>
std::string SelectedCaption(const std::array<ui::OptionButton*, N>& options) {
  const int i = SelectedIndex(options);
  return i < 0 ? std::string() : Trim(options[std::size_t(i)]->caption);
}

// The port: Com1 to Com4 of its option, or the value of the port box, rounded;
// 0, after telling the operator, when the box holds no port number.
int SelectedPort(ui::Platform& platform, const GpsWindow& w) {
  const int i = SelectedIndex(w.ports);
  if (i < 4) return std::max(i, 0) + 1;
  const double value = LeadingNumber(w.portBox.text());
  const long long port = value > kHighestPort ? 0 : RoundHalfEven(value);
  if (port < 1) {
    platform.ask("Enter the Com port number in the text box and try again!", "");
    return 0;
  }
  return int(port);
}

// The settings text of the options shown, or nothing when the rate box is
// chosen without a rate.
std::optional<std::string> SelectedSettings(ui::Platform& platform, const GpsWindow& w) {
  std::string baud = SelectedCaption(w.bauds);
  if (SelectedIndex(w.bauds) == 3) {
    baud = Trim(w.baudBox.text());
    if (baud.empty() || LeadingNumber(baud) == 0) {
      platform.ask("Enter the baud rate in the text box and try again!", "");
      return std::nullopt;
    }
  }
  return baud + "," + (w.parity[0]->value() ? "n" : "e") + "," + (w.dataBits[0]->value() ? "7" : "8") + "," +
         (w.stopBits[0]->value() ? "1" : "2");
}

void StopInput(os::SerialPort& port, GpsWindow& w, GpsInput& input) {
  input.portRunning = false;
  input.unwrittenPosition.clear();
  if (port.isOpen()) port.close();
  w.goButton.caption = "Go";
}

// Opens the port unless it is open already (its settings then stay as they
// are). False, after telling the operator, when it cannot be opened.
bool OpenPort(ui::Platform& platform, int portNumber, const std::string& settings) {
  os::SerialPort& port = platform.serial();
  if (port.isOpen()) return true;
  const os::PortOpened opened = port.open(portNumber, settings);
  if (opened.status == os::PortOpened::NotFound)
    platform.ask("Com port" + std::to_string(portNumber) + " not found.  Check your com port setting and try again.",
                 "");
  else if (opened.status == os::PortOpened::BadSettings)
    platform.ask("The com port settings " + settings + " cannot be used: " + opened.why +
                     ".  Check your com port setting and try again.",
                 "", ui::Buttons::OK, ui::Icon::Exclamation);
  return bool(opened);
}

void StartInput(ui::Platform& platform, GpsWindow& w, GpsInput& input) {
  const int portNumber = SelectedPort(platform, w);
  if (portNumber <= 0) return;
  const auto settings = SelectedSettings(platform, w);
  if (!settings) return;
  if (!OpenPort(platform, portNumber, *settings)) {
    w.goButton.caption = "Go";
    return;
  }
  input.portRunning = true;
  input.receiveBuffer.clear();
  input.unwrittenPosition.clear();
  w.display.setText("");
  w.goButton.caption = "Stop";
}

// The port option of configuration row 12: Com1 to Com4, or "Com" with the
// number in the port box above 5. A value below 1 selects Com1.
void SelectPort(const std::string& row12, GpsWindow& w) {
  const long long n = RoundHalfEven(LeadingNumber(row12) - 1);
  if (n < 0) return w.ports[0]->setValue(true);
  if (n > 4) w.portBox.setText(Trim(row12));
  w.ports[std::size_t(std::min(n, 4LL))]->setValue(true);
}

// The line settings of configuration row 13, which is stored back trimmed.
void SelectLineSettings(ui::Platform& platform, CruiseConfig& config, GpsWindow& w) {
  config[ConfigRow::ComSettings] = Trim(config[ConfigRow::ComSettings]);
  std::vector<std::string> parts = os::SettingsParts(config[ConfigRow::ComSettings]);
  if (parts.size() > 4) {
    platform.ask("Other settings not configurable...", "");
    return;
  }
  parts.resize(4);
  const double baud = LeadingNumber(parts[0]);
  if (baud == 24 || baud == 2400) {
    w.bauds[0]->setValue(true);
  } else if (baud == 48 || baud == 4800) {
    w.bauds[1]->setValue(true);
  } else if (baud == 96 || baud == 9600) {
    w.bauds[2]->setValue(true);
  } else {
    // Any other rate is the one in the rate box, and its option is chosen.
    w.baudBox.setText(parts[0]);
    w.bauds[3]->setValue(true);
  }
  w.parity[parts[1] == "E" || parts[1] == "e" ? 1 : 0]->setValue(true);
  w.dataBits[LeadingNumber(parts[2]) == 7 ? 0 : 1]->setValue(true);
  w.stopBits[LeadingNumber(parts[3]) == 1 ? 0 : 1]->setValue(true);
}

void WritePositionFile(ui::Platform& platform, const std::string& path, GpsInput& input) {
  if (input.unwrittenPosition.empty()) return;
  try {
    platform.files().replace(path, input.unwrittenPosition);
    input.unwrittenPosition.clear();
  } catch (const os::FileError&) {
    platform.ask("Unable to write to " + path + " ! Fix by mapping drive Q or edit ruvekgps.cfg datapath.", "");
  }
}

std::string DeviceTip(const os::SerialPort& port, int number) {
  const std::string n = std::to_string(number);
  return "Com" + n + " opens " + port.deviceName(number) + " on this computer (set RUVEK_COM" + n +
         " to open another device)";
}

}  // namespace

void FillGpsWindow(Station& s) {
  GpsWindow& w = s.gps;
  CruiseConfig& config = s.settings.config;
  GpsInput& input = s.state.poll.gpsInput;
  w.sentences[0]->setText(config[ConfigRow::PrimarySentence]);
  w.sentences[1]->setText(config[ConfigRow::DateSentence]);
  w.timer.setInterval(kCollectMs);
  w.timer.setEnabled(true);
  os::SerialPort& port = s.platform.serial();
  if (port.isOpen()) {
    const ui::Answer a = s.platform.ask("Comm Port is already open, reset? Y/N (N will display current input)",
                                        "Com Port Opened, Reset?", ui::Buttons::YesNoCancel);
    if (a == ui::Answer::Yes)
      StopInput(port, w, input);
    else
      input.portRunning = true;
  } else {
    input.portRunning = false;
  }
  SelectPort(config[ConfigRow::ComPort], w);
  ShowDeviceNames(port, w);
  SelectLineSettings(s.platform, config, w);
}

void StartOrStopGpsInput(Station& s) {
  if (s.state.poll.gpsInput.portRunning)
    StopInput(s.platform.serial(), s.gps, s.state.poll.gpsInput);
  else
    StartInput(s.platform, s.gps, s.state.poll.gpsInput);
}

void SaveGpsSettings(Station& s) {
  const GpsWindow& w = s.gps;
  std::string port = std::to_string(std::max(SelectedIndex(w.ports), 0) + 1);
  if (SelectedIndex(w.ports) == 4) {
    if (LeadingNumber(w.portBox.text()) <= 0) return void(s.platform.ask(kCommPortPrompt, ""));
    port = Trim(w.portBox.text());
  }
  std::string baud = SelectedCaption(w.bauds);
  if (SelectedIndex(w.bauds) == 3) {
    if (LeadingNumber(w.baudBox.text()) <= 0) return void(s.platform.ask(kCommPortPrompt, ""));
    baud = Trim(w.baudBox.text());
  }
  const std::string line =
      baud + "," + SelectedCaption(w.parity) + "," + SelectedCaption(w.dataBits) + "," + SelectedCaption(w.stopBits);
  try {
    // The rows in memory change only once the file holds them too.
    SaveConfigRows(s.platform, s.settings, {{ConfigRow::ComPort, port}, {ConfigRow::ComSettings, line}},
                   RowBlanks::Trim);
  } catch (const os::FileError& e) {
    s.platform.ask("Unable to save the settings to " + std::string(kConfigPath) + ": " + e.what(), "", ui::Buttons::OK,
                   ui::Icon::Exclamation);
  }
}

void HideGpsWindow(Station& s) {
  s.platform.hide(s.gps.form);
  s.platform.show(s.main.form);
}

void CollectGpsInput(Station& s) {
  GpsWindow& w = s.gps;
  TakeDatagrams(s.platform.udp(), s.state.poll.udpDatagram, w.display);
  GpsInput& input = s.state.poll.gpsInput;
  if (!input.portRunning) return;
  input.receiveBuffer += s.platform.serial().readAll();
  std::string shown = w.display.text();
  const CruiseConfig& config = s.settings.config;
  if (auto records =
          ParseInput(input.receiveBuffer, shown, config[ConfigRow::PrimarySentence], config[ConfigRow::DateSentence]))
    input.unwrittenPosition = std::move(*records);
  w.display.setText(shown);
  WritePositionFile(s.platform, s.settings.dataDir + config[ConfigRow::CurrPosFile], input);
}

void OpenGpsWindow(Station& s) {
  FillGpsWindow(s);
  s.platform.show(s.gps.form);
}

void ListenForDatagrams(Station& s) {
  const std::string row = Trim(s.settings.config[ConfigRow::ComPort]);
  const int port = PortNumber(row);
  os::UdpReceiver& receiver = s.platform.udp();
  receiver.close();
  if (port == 0) {
    s.platform.ask("The UDP port \"" + row +
                       "\" (Com port in RuvekGPS.cfg) is not a number from 1 to 65535: no navigation datagrams are "
                       "received.",
                   "UDP Navigation", ui::Buttons::OK, ui::Icon::Exclamation);
    return;
  }
  std::string why;
  if (!receiver.listen(port, why))
    s.platform.ask("Unable to receive navigation datagrams on UDP port " + row + ": " + why, "UDP Navigation",
                   ui::Buttons::OK, ui::Icon::Exclamation);
}

void NotePortChosen(GpsWindow& w, const CruiseConfig& config, int index) {
  if (double(index) != LeadingNumber(config[ConfigRow::ComPort]) - 1) w.saveButton.enabled = true;
}

void ShowDeviceNames(const os::SerialPort& port, GpsWindow& w) {
  for (int i = 0; i < 4; ++i) w.ports[std::size_t(i)]->tooltip = DeviceTip(port, i + 1);
  const double typed = LeadingNumber(w.portBox.text());
  w.ports[4]->tooltip = typed >= 1 && typed <= kHighestPort
                            ? DeviceTip(port, int(RoundHalfEven(typed)))
                            : "The Com port numbered in the box beside (set RUVEK_COM<number> to open another device)";
}

void TakeDatagrams(os::UdpReceiver& receiver, std::string& datagram, ui::TextBox& display) {
  if (!receiver.isListening()) return;
  const std::vector<std::string> arrived = receiver.takeDatagrams();
  if (arrived.empty()) return;
  std::string shown = display.text();
  for (const std::string& text : arrived) {
    datagram = text.substr(0, text.find_last_not_of("\r\n") + 1);
    AppendToDisplay(shown, datagram);
  }
  display.setText(shown);
}

}  // namespace ruvek
