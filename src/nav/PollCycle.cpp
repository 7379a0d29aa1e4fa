#include "nav/PollCycle.h"

namespace ruvek {

void Timer1_Timer(MainWindow&) {}
void WireNav(MainWindow& w) {
  w.timer1->onTimer = [&w] { Timer1_Timer(w); };
}

}  // namespace ruvek
