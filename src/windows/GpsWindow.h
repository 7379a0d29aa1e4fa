#pragma once
// The GPS settings window frmCommCheck: the serial port and its line settings,
// the sentences the current position file is written from, the received text,
// and the buttons that start the input, save the settings and hide the window.
#include <array>

#include "ui/Controls.h"

namespace ruvek {

struct GpsWindow {
  GpsWindow();

  ui::Form form{"frmCommCheck"};
  ui::OptionGroup portGroup, baudGroup, parityGroup, dataBitsGroup, stopBitsGroup;
  std::array<ui::OptionButton*, 5> ports{};     // Option1: "Com1" to "Com4", and "Com" for the number in portBox
  std::array<ui::OptionButton*, 4> bauds{};     // Option2: "2400", "4800", "9600", and the rate in baudBox
  std::array<ui::OptionButton*, 2> parity{};    // Option3: "n", "e"
  std::array<ui::OptionButton*, 2> dataBits{};  // Option4: "7", "8"
  std::array<ui::OptionButton*, 2> stopBits{};  // Option5: "1", "2"
  ui::Frame& portFrame;                         // Frame1 "GPS Port"
  ui::TextBox& portBox;                         // Text1
  ui::Frame& baudFrame;                         // Frame2 "Baud"
  ui::TextBox& baudBox;                         // Text3
  ui::Frame& parityFrame;                       // Frame3 "Parity"
  ui::Frame& dataBitsFrame;                     // Frame4 "DataBits"
  ui::Frame& stopBitsFrame;                     // Frame5 "StopBits"
  ui::Button& goButton;                         // btnGo: "GO", then "Stop" and "Go"
  ui::Button& saveButton;                       // Command1 "Save Settings"
  ui::Button& hideButton;                       // Command2 "Hide GPS"
  std::array<ui::TextBox*, 2> sentences;        // Text2(0), Text2(1): the primary and the date sentence
  ui::TextBox& display;                         // txtDisplay: the received text
  ui::Timer& timer;                             // Timer1: collects the input
};

// The index of the selected option of a group, or -1 when none is.
template <std::size_t N>
int SelectedIndex(const std::array<ui::OptionButton*, N>& options) {
  for (std::size_t i = 0; i < N; ++i)
    if (options[i]->value()) return int(i);
  return -1;
}

}  // namespace ruvek
