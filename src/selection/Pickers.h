#pragma once
// Event lists, the event pickers and the condition options of the main window.
#include "app/core/MainWindow.h"

namespace ruvek {

// Start-up: loads eventListPath into Combo1, the editor grid and the pickers
// of the current mode. A read error throws ui::FileError (the start sequence retries).
void StartLoadEventList(MainWindow& w);
// Clears the three condition groups and sets the comments box to "Comments: ".
void ResetConditions(MainWindow& w);
// Connects the pickers, the drop-down, the condition options, the comments
// box and the event-list menu entries.
void WireSelection(MainWindow& w);

}  // namespace ruvek
