#pragma once
// The cruise map window frmCruiseMap: the map of the cruise's events, the
// planned survey grid and the ship's track, with buttons to frame the cruise,
// zoom and save the picture.
#include <memory>

#include "ui/Controls.h"
#include "ui/Drawing.h"

namespace ruvek {

struct CruiseMapWindow {
  CruiseMapWindow();

  ui::Form form{"frmCruiseMap"};
  ui::Picture& map;     // picMap: the map, growing with the window
  ui::Button& fit;      // cmdFit "Fit Cruise"
  ui::Button& zoomIn;   // cmdZoomIn "+"
  ui::Button& zoomOut;  // cmdZoomOut "-"
  ui::Button& saveAs;   // mnuSaveAs "Save as..."
  ui::Label& status;    // lblStatus: how many events, and those without a position
  // What the map has read and how it is viewed; the map's own, made when the
  // window first opens.
  std::shared_ptr<void> data;
};

}  // namespace ruvek
