#include "logview/CorrectionView.h"

#include <algorithm>

#include "logview/RowEditing.h"

namespace ruvek {
namespace {

// A picker chosen while the row was loaded would name another event than the
// name box once the box has its own text back: the option of that text is
// selected, or none when no option holds it. Check boxes also carry comments
// and are left as the operator ticked them.
void ShowEventOnPickers(Pickers& pickers, const ui::ComboBox& eventCombo, const StationState& state) {
  if (state.multiMode) return;
  const int last = std::min(state.lastPickerIndex, kOptionPickers - 1);
  ui::OptionButton* match = nullptr;
  for (int i = 0; i <= last && !match; ++i)
    if (pickers.options[std::size_t(i)]->caption == eventCombo.text()) match = pickers.options[std::size_t(i)];
  if (match) return match->setValue(true);
  for (ui::OptionButton* option : pickers.options) option->setValue(false);
}

}  // namespace

void ShowCorrection(MainWindow& w, StationState& state) {
  w.eventGrid.setHighlightedRow(state.editingRow ? state.correction.gridRow : 0);
  w.buttons.cancelCorrection.visible = state.editingRow;
  SetRecording(state, w.buttons, state.recording);
}

void CancelCorrection(Station& s) {
  MainWindow& w = s.main;
  if (!s.state.editingRow) return;
  const std::string number = w.eventGrid.cell(s.state.correction.gridRow, GridColumn::EventNo);
  EndCorrection(w, s.state);
  ShowEventOnPickers(w.pickers, w.eventCombo, s.state);
  ShowCorrection(w, s.state);
  w.statusBar.note = "Correction of event " + number + " cancelled";
}

}  // namespace ruvek
