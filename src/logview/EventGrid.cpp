#include "logview/EventGrid.h"

namespace ruvek {

void PreloadEventLog(MainWindow&) {}
void WireLogView(MainWindow&) {}

}  // namespace ruvek
