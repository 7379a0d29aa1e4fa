#pragma once
// The navigation poll: Timer1's tick and the "Auto Fill Data" menu.
#include "app/core/MainWindow.h"

namespace ruvek {

void Timer1_Timer(MainWindow& w);
void WireNav(MainWindow& w);

}  // namespace ruvek
