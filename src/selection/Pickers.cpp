#include "selection/Pickers.h"

namespace ruvek {

void StartLoadEventList(MainWindow&) {}
void ResetConditions(MainWindow& w) {
  for (auto* o : w.option3) o->setValue(false);
  for (auto* o : w.option4) o->setValue(false);
  for (auto* o : w.option5) o->setValue(false);
  w.txtComments->setText("Comments: ");
}
void WireSelection(MainWindow&) {}

}  // namespace ruvek
