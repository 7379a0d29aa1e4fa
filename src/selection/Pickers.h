#pragma once
// Event lists, the event pickers and the condition options of the main window.
#include "selection/Conditions.h"
#include "selection/EventLists.h"
#include "windows/MainWindow.h"

namespace ruvek {

// Start-up: loads eventListPath into Combo1, the editor grid and the pickers
// of the current mode. A read error throws ui::FileError (the start sequence retries).
void StartLoadEventList(MainWindow& w);
// Clears the three condition groups and sets the comments box to "Comments: ".
void ResetConditions(MainWindow& w);

// An option button of the single-choice pickers became selected: its event goes into Combo1.
void Option1_Click(MainWindow& w, int index);
// A check box was ticked or cleared: the one box left ticked alone is the event,
// further ticked boxes go into the comments.
void Check1_Click(MainWindow& w, int index);
// An item was chosen from Combo1: every picker of the current mode captioned
// with it is selected.
void Combo1_Click(MainWindow& w);
// Switches between single-choice and check-box pickers.
void mnuMulti_Click(MainWindow& w);
// A double click on the single-choice frame opens the event list editor.
void frmSelectEvent_DblClick(MainWindow& w);

// Connects the pickers, the drop-down, the condition options, the comments
// box and the event-list menu entries.
void WireSelection(MainWindow& w);

}  // namespace ruvek
