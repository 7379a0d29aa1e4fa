#pragma once
// The cruise map window's handlers: opening it, following the event log and
// the poll's positions, the operator's zoom, pan, fit and click, and saving
// the picture.
#include <cmath>
#include <string>
#include <string_view>

#include "map/MapModel.h"
#include "os/FileSystem.h"
#include "windows/Station.h"

namespace ruvek {

// The planned survey grid: for each line of `programDir` + "Lines.txt" that
// has a station file, its standard stations placed by the inverse grid
// calculation. Missing or unreadable lists leave their lines out.
std::vector<PlannedLine> LoadPlannedGrid(const os::FileSystem& fs, const std::string& programDir);

// The heading a navigation sentence gives: the course of an RMC or VTG
// sentence, the heading of an HDT or HDG one; NaN for any other text.
double HeadingOf(std::string_view sentence);

// "Cruise Map...": opens the window (or brings it up to date), framing the
// cruise the first time.
void OpenCruiseMap(Station& s);
// After each poll tick: notes the position the poll read in the track and,
// while the window shows, reads the events logged since and redraws.
void FollowPollOnMap(Station& s);
// After an event was logged (or a row changed): reads the new rows and redraws
// while the window shows.
void RefreshCruiseMap(Station& s);
// "Save as...": asks for the file; ".svg" or ".png" picks the picture's kind.
void SaveCruiseMapAs(Station& s);
// "Fit Cruise": frames the events, the track and the ship.
void FitCruiseMap(Station& s);
// Zooms by `factor` around (x, y), or around the middle of the picture.
void ZoomCruiseMap(Station& s, double factor, double x, double y);
void ZoomCruiseMap(Station& s, double factor);
void PanCruiseMap(Station& s, double dx, double dy);
void ResizeCruiseMap(Station& s, int width, int height);
// A click on the map: the event under it becomes the current row of the
// event grid when the grid shows it.
void PickOnCruiseMap(Station& s, double x, double y);
// The tooltip at (x, y): the event under it, or nothing.
std::string CruiseMapTip(Station& s, double x, double y);

}  // namespace ruvek
