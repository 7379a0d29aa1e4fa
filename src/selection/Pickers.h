#pragma once
// The event pickers of the main window: single-choice option buttons or check
// boxes, and the event drop-down they fill.
#include "core/StationState.h"
#include "selection/Conditions.h"
#include "selection/EventLists.h"
#include "windows/MainWindow.h"
#include "windows/Station.h"

namespace ruvek {

// An option button of the single-choice pickers became selected: its event
// goes into the drop-down.
void PickEvent(Pickers& pickers, ui::ComboBox& eventCombo, int index);
// A check box was ticked or cleared: the one box left ticked alone is the event,
// further ticked boxes go into the comments.
void TickEvent(Pickers& pickers, ui::ComboBox& eventCombo, ui::TextBox& comments, int index);
// An item was chosen from the drop-down: every picker of the current mode
// captioned with it is selected.
void SelectPickersNamed(Pickers& pickers, const ui::ComboBox& eventCombo, const StationState& state);

// ---- handlers

// "Switch to CheckBox Mode": switches between single-choice and check-box pickers.
void ToggleCheckBoxMode(Station& s);
// A double click on the single-choice frame opens the event list editor.
void OpenListEditor(Station& s);

}  // namespace ruvek
