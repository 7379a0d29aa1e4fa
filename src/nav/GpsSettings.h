#pragma once
// The GPS settings window frmCommCheck at work: loading its fields from the
// configuration, GO and Stop on the serial port, the collection timer that
// writes the current position file, Save Settings, Hide GPS, the main
// window's "Com Port Settings/Input Display" menu entry, and the receiver of
// the "UDP" navigation source, whose datagrams the same window lists.
#include <string>

#include "core/Config.h"
#include "core/StationState.h"
#include "ui/Platform.h"
#include "windows/Station.h"

namespace ruvek {

// ---- handlers

// Loads the window: fills its fields from the configuration rows in memory and
// starts its timer. With the serial port already open it asks whether to
// reset the input: Yes stops it (the port is closed, GO opens it again with
// the settings shown), No or Cancel goes on collecting.
void FillGpsWindow(Station& s);
// btnGo: starts the input (opening the port) or stops it (closing the port).
void StartOrStopGpsInput(Station& s);
// Command1 "Save Settings": the port and line settings into RuvekGPS.cfg.
void SaveGpsSettings(Station& s);
// Command2 "Hide GPS", also closing the window: hides it and shows the main
// window; the input goes on.
void HideGpsWindow(Station& s);
// Timer1: takes the datagrams of the UDP source and, while the input runs,
// collects the received text and writes the current position file. A file
// that cannot be written is reported once and written again at the next tick.
void CollectGpsInput(Station& s);
// mnuComSet: loads the window again and shows it beside the main window.
void OpenGpsWindow(Station& s);
// Start-up for the "UDP" source: listens on the UDP port of configuration
// row 12; a value that is no port number, or a port that cannot be had, is
// reported and nothing is received.
void ListenForDatagrams(Station& s);

// ---- below the handlers

// A port option clicked: Save Settings is enabled unless the option is the
// port of configuration row 12.
void NotePortChosen(GpsWindow& w, const CruiseConfig& config, int index);
// Shows in each port option's tooltip which device it opens on this computer.
void ShowDeviceNames(const os::SerialPort& port, GpsWindow& w);
// Moves the datagrams that arrived to the display, each on a line, and keeps
// the newest one, without its line end, as the UDP source's datagram text.
void TakeDatagrams(os::UdpReceiver& receiver, std::string& datagram, ui::TextBox& display);

}  // namespace ruvek
