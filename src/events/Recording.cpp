#include "events/Recording.h"

#include "app/core/TextRoutines.h"

namespace ruvek {

void LoadOrderOccupied(MainWindow&) {}
void LoadEventNumber(MainWindow& w) {
  if (w.settings.numberScheme == "JULIAN") ShowJulianNumber(w);
}
void ShowJulianNumber(MainWindow& w) { w.text1[5]->setText(JulianNumber(w.platform.now(), ToUpper(w.config.row(20)) == "LONG")); }
void WireEvents(MainWindow&) {}

}  // namespace ruvek
