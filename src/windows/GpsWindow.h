#pragma once
// The serial GPS window frmCommCheck: it reads the receiver and keeps the
// current position file up to date.
#include "platform/Controls.h"

namespace ruvek {

struct GpsWindow {
  GpsWindow();

  ui::Form form{"frmCommCheck"};
  ui::Button& goButton;  // btnGo: "GO" until the receiver is read
  ui::Timer& timer;      // Timer1: collects the serial input

  // True once the receiver is being read.
  bool started() const { return goButton.caption != "GO"; }
};

}  // namespace ruvek
