#include "windows/GpsWindow.h"

#include "windows/Placing.h"

namespace ruvek {
namespace {

using ui::Form;
using ui::Frame;
using ui::OptionButton;
using ui::TextBox;

constexpr int kRow = 22;  // options stand one below the other, this far apart

Frame& AddFrame(Form& form, const char* name, const char* caption, ui::Geometry geo) {
  auto& frame = AddPlaced<Frame>(form, name, geo);
  frame.caption = caption;
  return frame;
}

// A frame's options, one below the other, from the top of the frame.
template <std::size_t N>
void AddOptions(Form& form, const Frame& frame, const char* arrayName, const std::array<const char*, N>& captions,
                int width, ui::OptionGroup& group, std::array<OptionButton*, N>& options) {
  for (std::size_t i = 0; i < N; ++i)
    options[i] = &AddOption(form, ui::IndexedName(arrayName, int(i)), {10, 20 + kRow * int(i), width, 20}, captions[i],
                            group, frame.name());
}

// "GPS Port": Com1 to Com4, then "Com" with its number box.
Frame& AddPortFrame(Form& form, ui::OptionGroup& group, std::array<OptionButton*, 5>& ports) {
  auto& frame = AddFrame(form, "Frame1", "GPS Port", {8, 8, 128, 142});
  std::array<OptionButton*, 4> named{};
  AddOptions<4>(form, frame, "Option1", {"Com1", "Com2", "Com3", "Com4"}, 108, group, named);
  for (std::size_t i = 0; i < 4; ++i) ports[i] = named[i];
  ports[4] = &AddOption(form, ui::IndexedName("Option1", 4), {10, 20 + kRow * 4, 52, 20}, "Com", group, frame.name());
  return frame;
}

// "Baud": three rates, then an option without a caption beside its rate box.
Frame& AddBaudFrame(Form& form, ui::OptionGroup& group, std::array<OptionButton*, 4>& bauds) {
  auto& frame = AddFrame(form, "Frame2", "Baud", {144, 8, 128, 142});
  std::array<OptionButton*, 3> named{};
  AddOptions<3>(form, frame, "Option2", {"2400", "4800", "9600"}, 108, group, named);
  for (std::size_t i = 0; i < 3; ++i) bauds[i] = named[i];
  bauds[3] = &AddOption(form, ui::IndexedName("Option2", 3), {10, 20 + kRow * 3, 20, 20}, "", group, frame.name());
  return frame;
}

// A frame of two options, one of the line settings.
Frame& AddPairFrame(Form& form, const char* name, const char* caption, int left, const char* arrayName,
                    const std::array<const char*, 2>& captions, ui::OptionGroup& group,
                    std::array<OptionButton*, 2>& options) {
  auto& frame = AddFrame(form, name, caption, {left, 8, 84, 70});
  AddOptions<2>(form, frame, arrayName, captions, 64, group, options);
  return frame;
}

TextBox& AddDisplay(Form& form) {
  auto& box = AddPlaced<TextBox>(form, "txtDisplay", {8, 190, 540, 242},
                                 "The text received from the GPS (the last 1500 characters)");
  box.multiLine = true;
  box.scrolling = true;
  box.locked = true;
  box.setText("Click [GO] to initiate GPS serial input\r\nWait for GPS text to display\r\nthen click [Hide GPS]\r\n");
  return box;
}

// Text2(i), display only, with its label Label1(i).
TextBox& AddSentenceBox(Form& form, int i, const char* label, const char* tooltip) {
  const int left = i == 0 ? 8 : 280;
  AddPlaced<ui::Label>(form, ui::IndexedName("Label1", i), {left, 162, 62, 20}).caption = label;
  auto& box = AddPlaced<TextBox>(form, ui::IndexedName("Text2", i), {left + 62, 160, 206, 22}, tooltip);
  box.locked = true;
  return box;
}

ui::Button& AddButton(Form& form, const char* name, const char* caption, ui::Geometry geo, const char* tooltip) {
  auto& button = AddPlaced<ui::Button>(form, name, geo, tooltip);
  button.caption = caption;
  return button;
}

}  // namespace

// The controls are made in the order the operator tabs through them: the
// port, the line settings, the buttons, the sentences and the display.
GpsWindow::GpsWindow()
    : portFrame(AddPortFrame(form, portGroup, ports)),
      portBox(AddPlaced<TextBox>(form, "Text1", {62, 20 + kRow * 4 - 2, 56, 22},
                                 "The number of the Com port for the \"Com\" option", "Frame1")),
      baudFrame(AddBaudFrame(form, baudGroup, bauds)),
      baudBox(AddPlaced<TextBox>(form, "Text3", {32, 20 + kRow * 3 - 2, 86, 22},
                                 "The baud rate for the option beside this box", "Frame2")),
      parityFrame(AddPairFrame(form, "Frame3", "Parity", 280, "Option3", {"n", "e"}, parityGroup, parity)),
      dataBitsFrame(AddPairFrame(form, "Frame4", "DataBits", 372, "Option4", {"7", "8"}, dataBitsGroup, dataBits)),
      stopBitsFrame(AddPairFrame(form, "Frame5", "StopBits", 464, "Option5", {"1", "2"}, stopBitsGroup, stopBits)),
      goButton(AddButton(form, "btnGo", "GO", {280, 84, 84, 30},
                         "Verify Serial Port Settings then single-click to start GPS input")),
      saveButton(AddButton(form, "Command1", "Save Settings", {372, 84, 176, 30},
                           "Save changes of comm port settings to ruvekgps.cfg")),
      hideButton(AddButton(form, "Command2", "Hide GPS", {280, 120, 268, 30},
                           "Once GPS display is started, hide this form to begin Event Logging")),
      sentences{&AddSentenceBox(form, 0, "GPS 1st: ", "The primary sentence, written first to the position file"),
                &AddSentenceBox(form, 1, "GPS 2nd: ", "The date sentence, written second to the position file")},
      display(AddDisplay(form)),
      timer(form.add<ui::Timer>("Timer1")) {
  form.caption = "GPS Settings";
  form.geo = {0, 0, 556, 440};
  // Each group starts with its design selection, 4800,n,8,1, so the settings
  // shown are whole also when row 13 cannot be shown.
  for (OptionButton* design : {bauds[1], parity[0], dataBits[1], stopBits[0]}) design->setValue(true);
  saveButton.enabled = false;  // until a setting is changed
  timer.enabled = false;       // until the window is loaded
  timer.setInterval(5000);
}

}  // namespace ruvek
