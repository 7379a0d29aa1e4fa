#include "grid/LineStaModes.h"

namespace ruvek {

void LoadLineLists(MainWindow&) {}
bool RefreshStations(MainWindow&, const std::string&) { return false; }
void WireGrid(MainWindow&) {}

}  // namespace ruvek
