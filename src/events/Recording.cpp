#include "events/Recording.h"

#include "app/core/TextRoutines.h"

namespace ruvek {

void LoadOrderOccupied(MainWindow&) {}
void WireEvents(MainWindow&) {}

}  // namespace ruvek
