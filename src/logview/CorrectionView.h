#pragma once
// What the main window shows of a correction in progress, and letting go of
// one unwritten (the Cancel Correction button, the Escape key).
#include "core/StationState.h"
#include "windows/MainWindow.h"
#include "windows/Station.h"

namespace ruvek {

// Makes the window agree with the station's state of editing: while a row is
// loaded the row is highlighted, the record button reads "Record Correction"
// and Cancel Correction shows; otherwise none of these.
void ShowCorrection(MainWindow& w, StationState& state);

// Ends the correction in progress without writing anything (EndCorrection):
// the boxes show the live values and the next event's number again, the poll
// runs, and the event picker shows the event the name box holds. Nothing
// happens when no row is loaded.
void CancelCorrection(Station& s);

}  // namespace ruvek
